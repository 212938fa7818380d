#include "ui/objects/Formulario.h"
#include "ui/recorders/TForm2.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "project/DadosTexto.h"
#include "ui/app/Aplicacao.h"
#include "ui/i18n/TextosRegistros.h"

namespace kivo::ui {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QLabel* Rotulo(const char* nome, const QString& texto, QWidget* pai) {
    auto* l = new QLabel(texto, pai);
    l->setObjectName(QString::fromLatin1(nome));
    l->setAccessibleName(texto.isEmpty() ? l->objectName() : texto);
    return l;
}

QLineEdit* Campo(const char* nome, QWidget* pai) {
    auto* e = new QLineEdit(pai);
    e->setObjectName(QString::fromLatin1(nome));
    return e;
}

}  // namespace

TForm2::TForm2(Aplicacao& app, int slot, std::function<void()> atualizaDiagrama, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      app_(app),
      atualizaDiagrama_(std::move(atualizaDiagrama)),
      d_(*app_.projeto().texto(slot)) {
    setObjectName(QStringLiteral("Form2_%1").arg(slot));
    setWindowTitle(QStringLiteral("TEXTO"));

    auto* coluna = new QVBoxLayout(this);
    coluna->setSizeConstraint(QLayout::SetFixedSize);
    label4_ = Rotulo("Label4", QString(), this);
    label4_->setAlignment(Qt::AlignCenter);
    QFont grande = label4_->font();
    grande.setBold(true);
    label4_->setFont(grande);
    coluna->addWidget(label4_);
    label1_ = Rotulo("Label1", QString(), this);
    label1_->setAlignment(Qt::AlignCenter);
    grande.setPointSizeF(grande.pointSizeF() * 1.6);
    label1_->setFont(grande);
    coluna->addWidget(label1_);

    auto* form = new QFormLayout;
    descricao_ = Campo("DescricaoText", this);
    QLabel* rotuloDescricao = Rotulo("DescricaoLabel", QStringLiteral("Descrição:"), this);
    rotuloDescricao->setBuddy(descricao_);
    descricao_->setAccessibleName(rotuloDescricao->text());
    form->addRow(rotuloDescricao, descricao_);
    coluna->addLayout(form);

    auto* tipo = new QGroupBox(QStringLiteral("Tipo:"), this);
    tipo->setObjectName(QStringLiteral("Tipo"));
    tipo->setAccessibleName(tipo->title());
    auto* linhaTipo = new QHBoxLayout(tipo);
    auto* grupo = new QButtonGroup(this);
    const char* nomesTipo[3] = {"Escalar", "Binário", "Equação"};
    for (int i = 0; i < 3; ++i) {
        tipos_[i] = new QRadioButton(QString::fromUtf8(nomesTipo[i]), tipo);
        tipos_[i]->setObjectName(QStringLiteral("Tipo%1").arg(i));
        tipos_[i]->setAccessibleName(tipos_[i]->text());
        grupo->addButton(tipos_[i], i);
        linhaTipo->addWidget(tipos_[i]);
    }
    coluna->addWidget(tipo);
    connect(grupo, &QButtonGroup::idClicked, this, &TForm2::TipoClick);

    auto* linhaVar = new QHBoxLayout;
    label3_ = Rotulo("Label3", QStringLiteral("Variável"), this);
    linhaVar->addWidget(label3_);
    variavel_ = new QComboBox(this);
    variavel_->setObjectName(QStringLiteral("ComboBox1"));
    variavel_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    variavel_->setMinimumContentsLength(14);
    linhaVar->addWidget(variavel_, 1);
    funcao_ = Campo("FuncaoTr", this);
    funcao_->setMinimumWidth(funcao_->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 24);
    linhaVar->addWidget(funcao_, 1);
    coluna->addLayout(linhaVar);

    faixa_ = new QGroupBox(this);
    faixa_->setObjectName(QStringLiteral("Panel1"));
    auto* grade = new QGridLayout(faixa_);
    edit1_ = Campo("Edit1", faixa_);
    edit4_ = Campo("Edit4", faixa_);
    edit2_ = Campo("Edit2", faixa_);
    edit3_ = Campo("Edit3", faixa_);
    unidade_ = Campo("Unidade", faixa_);
    const auto par = [&](const char* nomeRotulo, const QString& texto, QLineEdit* e, int l, int c) {
        QLabel* r = Rotulo(nomeRotulo, texto, faixa_);
        r->setBuddy(e);
        e->setAccessibleName(texto);
        e->setMaximumWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("-000000.00")) + 10);
        grade->addWidget(r, l, c);
        grade->addWidget(e, l, c + 1);
        return r;
    };
    par("Edit1Label", QStringLiteral("Faixa máx:"), edit1_, 0, 0);
    par("Edit4Label", QStringLiteral("Faixa min:"), edit4_, 0, 2);
    rotulosAlarme_[0] = par("Edit2Label", QStringLiteral("Alarme Alto:"), edit2_, 1, 0);
    rotulosAlarme_[1] = par("Edit3Label", QStringLiteral("Alarme Baixo:"), edit3_, 1, 2);
    par("UnidadeLabel", QStringLiteral("Unid. Eng.:"), unidade_, 2, 0);
    coluna->addWidget(faixa_);

    auto* base = new QHBoxLayout;
    QLabel* rotuloCasas = Rotulo("CasasDecimaisLabel", QStringLiteral("Decimais:"), this);
    casas_ = new QSpinBox(this);
    casas_->setObjectName(QStringLiteral("CasasDecimais"));
    casas_->setAccessibleName(rotuloCasas->text());
    casas_->setRange(0, DadosTexto::kMaxCasas);
    // Changed with its arrows only.
    casas_->findChild<QLineEdit*>()->setReadOnly(true);
    rotuloCasas->setBuddy(casas_);
    base->addWidget(rotuloCasas);
    base->addWidget(casas_);
    base->addStretch(1);
    auto* sair = new QPushButton(QStringLiteral("Sair"), this);
    sair->setObjectName(QStringLiteral("SairButton"));
    sair->setAccessibleName(sair->text());
    sair->setAutoDefault(false);
    base->addWidget(sair);
    coluna->addLayout(base);
    connect(sair, &QPushButton::clicked, this, &TForm2::SairButtonClick);

    AplicaDicas(this, DicasTexto(), false);

    DadosTexto& d = d_;
    connect(descricao_, &QLineEdit::textEdited, this, [this, &d](const QString& t) {
        d.DescricaoText = t.toStdString();
        Modificado();
    });
    connect(funcao_, &QLineEdit::textEdited, this, [this, &d](const QString& t) {
        d.FuncaoTr = t.toStdString();
        Modificado();
    });
    connect(unidade_, &QLineEdit::textEdited, this, [this, &d](const QString& t) {
        d.Unidade = t.toStdString();
        Modificado();
    });
    // Range max and min carry over into the alarm limit beside them.
    connect(edit1_, &QLineEdit::textEdited, this, [this, &d](const QString& t) {
        d.Edit1 = t.toStdString();
        exibicao().altoTexto = d.Edit1;
        edit2_->setText(t);
        Modificado();
    });
    connect(edit4_, &QLineEdit::textEdited, this, [this, &d](const QString& t) {
        d.Edit4 = t.toStdString();
        exibicao().baixoTexto = d.Edit4;
        edit3_->setText(t);
        Modificado();
    });
    connect(edit2_, &QLineEdit::textEdited, this, [this](const QString& t) {
        exibicao().altoTexto = t.toStdString();
        Modificado();
    });
    connect(edit3_, &QLineEdit::textEdited, this, [this](const QString& t) {
        exibicao().baixoTexto = t.toStdString();
        Modificado();
    });
    connect(variavel_, &QComboBox::activated, this, [this, &d](int i) {
        d.ComboBox1 = i;
        exibicao().VariavelEscolhida();
        Preenche();
        app_.MarcaModificado();
    });
    // The decimals are saved with the project, so a change is marked like
    // the other fields, lest closing the program drop it unasked.
    connect(casas_, &QSpinBox::valueChanged, this, [this, &d](int v) {
        if (preenchendo_) return;
        d.CasasDecimais = v;
        app_.MarcaModificado();
    });

    // The text was applied when it was created or loaded; the window only
    // shows it.
    Preenche();
    MostraValor();
}

void TForm2::Modificado() {
    if (!preenchendo_) app_.MarcaModificado();
}

void TForm2::Preenche() {
    preenchendo_ = true;
    const DadosTexto& d = d_;
    QStringList itens;
    for (const std::string& s : app_.sim().mem.ListaExibicao()) itens << Q(s);
    variavel_->clear();
    variavel_->addItems(itens);
    variavel_->setCurrentIndex(d.ComboBox1 < variavel_->count() ? d.ComboBox1 : -1);
    variavel_->view()->setMinimumWidth(variavel_->view()->sizeHintForColumn(0) + 24);
    descricao_->setText(Q(d.DescricaoText));
    funcao_->setText(Q(d.FuncaoTr));
    edit1_->setText(Q(d.Edit1));
    edit4_->setText(Q(d.Edit4));
    edit2_->setText(Q(exibicao().altoTexto));
    edit3_->setText(Q(exibicao().baixoTexto));
    unidade_->setText(Q(d.Unidade));
    casas_->setValue(d.CasasDecimais);
    tipos_[std::clamp(d.Tipo, 0, 2)]->setChecked(true);
    label4_->setText(Q(d.DescricaoText));
    AplicaLayout();
    preenchendo_ = false;
}

void TForm2::AplicaLayout() {
    const int tipo = d_.Tipo;
    variavel_->setVisible(tipo != 2);
    funcao_->setVisible(tipo != 0);
    faixa_->setVisible(tipo != 1);
    for (QLabel* l : rotulosAlarme_) l->setVisible(tipo == 0);
    edit2_->setVisible(tipo == 0);
    edit3_->setVisible(tipo == 0);
    // A scalar text takes its range, limits and unit from the variable table.
    for (QLineEdit* e : {edit1_, edit4_, edit2_, edit3_, unidade_}) e->setReadOnly(tipo == 0);
    static const char* kLinha[3] = {"Variável", "<Texto>", "Equação"};
    label3_->setText(QString::fromUtf8(kLinha[std::clamp(tipo, 0, 2)]));
    label3_->setAccessibleName(label3_->text());
}

void TForm2::TipoClick(int tipo) {
    d_.Tipo = tipo;
    AplicaLayout();
    app_.MarcaModificado();
}

void TForm2::ValidaParametros() {
    d_.ValidaParametros();
    Preenche();
    if (atualizaDiagrama_) atualizaDiagrama_();
}

void TForm2::SairButtonClick() {
    ValidaParametros();
    saindo_ = true;
    hide();
    saindo_ = false;
}

void TForm2::MostraValor() {
    label1_->setText(Q(exibicao().texto()));
    QPalette pal = label1_->palette();
    pal.setColor(QPalette::WindowText, exibicao().vermelho() ? Qt::red : Qt::blue);
    label1_->setPalette(pal);
}

void TForm2::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (app_.ingles() && windowTitle() != QStringLiteral("Animated text")) {
        AplicaTextos(this, TextosTexto(), true);
        AplicaDicas(this, DicasTexto(), true);
        SincronizaNomesAcessiveis(this);
        setWindowTitle(QStringLiteral("Animated text"));
        // The row caption reads "Equation" only beside a formula: over the
        // variable list or the two texts it would name the wrong thing.
        // Otherwise it keeps the words the layout writes.
        if (d_.Tipo == 2) label3_->setText(QStringLiteral("Equation"));
    }
    MostraValor();
}

void TForm2::closeEvent(QCloseEvent* e) {
    // Only "Sair" closes, so that the settings are always applied.
    if (saindo_) e->accept();
    else e->ignore();
}

void TForm2::keyPressEvent(QKeyEvent* e) {
    // Esc would close the dialog around "Sair".
    if (e->key() == Qt::Key_Escape) return;
    QDialog::keyPressEvent(e);
}

}  // namespace kivo::ui
