#include "ui/objects/JanelaGeradores.h"

#include <algorithm>

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "help/LinksAjuda.h"
#include "objects/Parametros.h"
#include "ui/app/Aplicacao.h"
#include "ui/objects/Formulario.h"

namespace kivo::ui {
namespace {

// Columns of the row grid.
enum Coluna { cRotulo, cTipo, cMin, cMax, cDesc, cValor, cDig, cGiro, kColunas };

QString Texto(const std::string& s) { return QString::fromStdString(s); }

// How many kinds row g offers.
int TiposDaLinha(int g) {
    if (g <= TParmForm::kUltimaEquacao) return 10;
    if (g <= TParmForm::kUltimaDinamica) return 7;
    return 2;
}

}  // namespace

BotaoGiro::BotaoGiro(QWidget* pai) : QWidget(pai) {
    auto* coluna = new QVBoxLayout(this);
    coluna->setContentsMargins(0, 0, 0, 0);
    coluna->setSpacing(0);
    cima_ = new QToolButton(this);
    cima_->setArrowType(Qt::UpArrow);
    cima_->setObjectName(QStringLiteral("Cima"));
    cima_->setAccessibleName(QStringLiteral("+1"));
    baixo_ = new QToolButton(this);
    baixo_->setArrowType(Qt::DownArrow);
    baixo_->setObjectName(QStringLiteral("Baixo"));
    baixo_->setAccessibleName(QStringLiteral("-1"));
    for (QToolButton* b : {cima_, baixo_}) {
        b->setAutoRepeat(true);
        b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
        coluna->addWidget(b);
    }
    connect(cima_, &QToolButton::clicked, this, [this] {
        setPosicao(posicao_ + 1);
        emit clicado(posicao_);
    });
    connect(baixo_, &QToolButton::clicked, this, [this] {
        setPosicao(posicao_ - 1);
        emit clicado(posicao_);
    });
}

void BotaoGiro::setPosicao(int p) { posicao_ = std::clamp(p, 0, 100); }

JanelaGeradores::JanelaGeradores(Aplicacao& app, QWidget* principal)
    : QWidget(principal, Qt::Window), app_(app), banco_(app.projeto().geradores) {
    setObjectName(QStringLiteral("ParmForm"));
    setWindowTitle(TituloGeradores(false));
    auto* coluna = new QVBoxLayout(this);
    grade_ = new QGridLayout;
    grade_->setHorizontalSpacing(4);
    grade_->setVerticalSpacing(2);
    for (int g = TParmForm::kPrimeira; g <= TParmForm::kUltima; ++g) CriaLinha(g, g - TParmForm::kPrimeira);
    grade_->setColumnStretch(cDesc, 2);
    grade_->setColumnStretch(cValor, 1);
    coluna->addLayout(grade_);

    botao1_ = BotaoLegendado<QPushButton>(this, "Button1", "Atualiza");
    auto* sair = BotaoLegendado<QPushButton>(this, "SairButton", "Sair");
    QToolButton* ajuda = RodapeBotoes(this, coluna, "SpeedButton1", {botao1_, sair});
    AplicaDicasTabela(this, DicasGeradores(), false, MarcadoSemLegenda);
    coluna->addStretch(1);

    connect(botao1_, &QPushButton::clicked, this, &JanelaGeradores::AplicaMarcando);
    connect(sair, &QPushButton::clicked, this, &QWidget::close);
    connect(ajuda, &QToolButton::clicked, this,
            [this] { help::AbreAjuda(app_.interacao(), help::UrlBase(app_.ingles()), help::Entrada::Geradores); });
    connect(&app_, &Aplicacao::displayAtualizar, this, [this] {
        if (isVisible()) MostraValores();
    });
    Recarrega();
}

void JanelaGeradores::CriaLinha(int g, int linhaGrade) {
    Linha& l = linha(g);
    const QString m = QStringLiteral("M%1").arg(g);
    const auto nome = [&](const char* sufixo) { return (m + QLatin1String(sufixo)).toLatin1(); };
    l.rotulo = new QLabel(m, this);
    l.rotulo->setObjectName(QStringLiteral("Label") + m);
    l.tipo = new QComboBox(this);
    l.tipo->setObjectName(m + QStringLiteral("Tipo"));
    l.tipo->setAccessibleName(m);
    l.tipo->addItems(ItensTipoGerador(false).mid(0, TiposDaLinha(g)));
    l.rotulo->setBuddy(l.tipo);
    l.desc = CampoTexto(this, nome("Desc").constData());
    l.valor = CampoTexto(this, nome("Valor").constData());
    const int largura = fontMetrics().horizontalAdvance(QStringLiteral("-000.00"));
    if (g <= TParmForm::kUltimaDinamica) {
        l.min = CampoTexto(this, nome("Min").constData());
        l.max = CampoTexto(this, nome("Max").constData());
        for (QLineEdit* e : {l.min, l.max}) e->setMinimumWidth(largura);
    }
    l.valor->setMinimumWidth(largura);
    // The fields have no captions: each is named by its row and by the
    // text it starts with.
    l.desc->setAccessibleName(m + QStringLiteral(" Descrição"));
    l.valor->setAccessibleName(m + QStringLiteral(" Valor"));
    if (l.min) {
        l.min->setAccessibleName(m + QStringLiteral(" Min."));
        l.max->setAccessibleName(m + QStringLiteral(" Máx."));
    }
    // Wide enough for the longest placeholder of a narrow description.
    l.desc->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Descrição  ")) +
                            fontMetrics().averageCharWidth() * 2);

    l.valorDig = new QWidget(this);
    l.valorDig->setObjectName(m + QStringLiteral("ValorDig"));
    l.valorDig->setAccessibleName(m);
    auto* dig = new QHBoxLayout(l.valorDig);
    dig->setContentsMargins(0, 0, 0, 0);
    l.grupoDig = new QButtonGroup(l.valorDig);
    for (int v = 0; v <= 1; ++v) {
        auto* r = new QRadioButton(QString::number(v), l.valorDig);
        r->setObjectName(m + QStringLiteral("ValorDig%1").arg(v));
        r->setAccessibleName(QString::number(v));
        l.grupoDig->addButton(r, v);
        dig->addWidget(r);
    }
    l.upDown = new BotaoGiro(this);
    l.upDown->setObjectName(m + QStringLiteral("UpDown"));
    l.upDown->setAccessibleName(m + QStringLiteral(" 0..100"));

    grade_->addWidget(l.rotulo, linhaGrade, cRotulo);
    grade_->addWidget(l.tipo, linhaGrade, cTipo);

    // Typed texts are the row's texts at once; the bank reads them at the
    // apply (and a sine's period at every tick, as typed).
    const auto liga = [this, g](QLineEdit* e, std::string LinhaGerador::*membro) {
        if (!e) return;
        connect(e, &QLineEdit::textEdited, this, [this, g, membro](const QString& t) {
            banco_.linha(g).*membro = t.toStdString();
            botao1_->setEnabled(true);
        });
        connect(e, &QLineEdit::returnPressed, this, &JanelaGeradores::Aplica);
    };
    liga(l.min, &LinhaGerador::Min);
    liga(l.max, &LinhaGerador::Max);
    liga(l.desc, &LinhaGerador::Desc);
    liga(l.valor, &LinhaGerador::Valor);
    connect(l.tipo, &QComboBox::currentIndexChanged, this, [this, g](int t) {
        if (!preenchendo_ && t >= 0) TipoMudou(g, t);
    });
    connect(l.grupoDig, &QButtonGroup::idClicked, this, [this, g](int v) {
        banco_.linha(g).ValorDig = v;
        Aplica();
    });
    connect(l.upDown, &BotaoGiro::clicado, this, [this, g](int p) {
        LinhaGerador& row = banco_.linha(g);
        row.UpDown = p;
        row.Valor = std::to_string(p);
        Aplica();
    });
}

void JanelaGeradores::TipoMudou(int g, int tipo) {
    banco_.linha(g).Tipo = tipo;
    banco_.LayoutLinha(g, false);
    RecarregaLinha(g);
    // The new kind takes its parameters at the next apply: the button says
    // there is something to apply.
    botao1_->setEnabled(true);
}

void JanelaGeradores::Recarrega() {
    for (int g = TParmForm::kPrimeira; g <= TParmForm::kUltima; ++g) RecarregaLinha(g);
    botao1_->setEnabled(false);
}

void JanelaGeradores::RecarregaLinha(int g) {
    const LinhaGerador& row = banco_.linha(g);
    Linha& l = linha(g);
    preenchendo_ = true;
    l.tipo->setCurrentIndex(row.Tipo);
    if (l.min) l.min->setText(Texto(row.Min));
    if (l.max) l.max->setText(Texto(row.Max));
    l.desc->setText(Texto(row.Desc));
    l.valor->setText(Texto(row.Valor));
    l.grupoDig->button(row.ValorDig == 1 ? 1 : 0)->setChecked(true);
    l.upDown->setPosicao(row.UpDown);
    preenchendo_ = false;
    Disposicao(g);
}

void JanelaGeradores::Disposicao(int g) {
    // The fields the row's kind uses, placed in the row: a wide
    // description for constants, Min and Max for the signals, a wide value
    // for equations.
    Linha& l = linha(g);
    const int t = banco_.linha(g).Tipo;
    const int r = g - TParmForm::kPrimeira;
    const bool sinal = t >= LinhaGerador::AleatorioRapido && t <= LinhaGerador::RandomWalk;
    const bool equacao = t >= LinhaGerador::Equacao;
    for (QWidget* w : {static_cast<QWidget*>(l.min), static_cast<QWidget*>(l.max), static_cast<QWidget*>(l.desc),
                       static_cast<QWidget*>(l.valor), l.valorDig, static_cast<QWidget*>(l.upDown)})
        if (w) grade_->removeWidget(w);
    if (l.min) {
        l.min->setVisible(sinal);
        l.max->setVisible(sinal);
        if (sinal) {
            grade_->addWidget(l.min, r, cMin);
            grade_->addWidget(l.max, r, cMax);
        }
    }
    if (sinal)
        grade_->addWidget(l.desc, r, cDesc);
    else if (equacao)
        grade_->addWidget(l.desc, r, cMin, 1, 2);
    else
        grade_->addWidget(l.desc, r, cMin, 1, 3);
    l.valor->setVisible(t != LinhaGerador::Constante01);
    l.valor->setReadOnly(sinal);
    if (equacao)
        grade_->addWidget(l.valor, r, cDesc, 1, 4);
    else if (t != LinhaGerador::Constante01)
        grade_->addWidget(l.valor, r, cValor);
    l.valorDig->setVisible(t == LinhaGerador::Constante01);
    if (t == LinhaGerador::Constante01) grade_->addWidget(l.valorDig, r, cValor, 1, 2);
    l.upDown->setVisible(t == LinhaGerador::Constante);
    if (t == LinhaGerador::Constante) grade_->addWidget(l.upDown, r, cGiro);
}

void JanelaGeradores::Aplica() {
    banco_.AplicaParametros();
    // The apply rewrites the 0/1 values and the spin positions.
    for (int g = TParmForm::kPrimeira; g <= TParmForm::kUltima; ++g) {
        const LinhaGerador& row = banco_.linha(g);
        Linha& l = linha(g);
        if (row.Tipo == LinhaGerador::Constante01) l.valor->setText(Texto(row.Valor));
        l.upDown->setPosicao(row.UpDown);
        if (row.Tipo == LinhaGerador::Constante) l.valor->setText(Texto(row.Valor));
    }
    botao1_->setEnabled(false);
    emit aplicado();
}

void JanelaGeradores::AplicaMarcando() {
    Aplica();
    app_.MarcaModificado();
}

void JanelaGeradores::MostraValores() {
    for (int g = TParmForm::kPrimeira; g <= TParmForm::kUltimaDinamica; ++g) {
        const LinhaGerador& row = banco_.linha(g);
        if (row.Tipo >= LinhaGerador::AleatorioRapido && row.Tipo <= LinhaGerador::RandomWalk)
            linha(g).valor->setText(Texto(row.Valor));
    }
}

void JanelaGeradores::showEvent(QShowEvent* e) {
    if (!traduzido_) {
        traduzido_ = true;
        if (app_.ingles()) {
            setWindowTitle(TituloGeradores(true));
            AplicaTextos(this, TextosGeradores(), true);
            AplicaDicasTabela(this, DicasGeradores(), true, MarcadoSemLegenda);
            const QStringList itens = ItensTipoGerador(true);
            preenchendo_ = true;
            for (int g = TParmForm::kPrimeira; g <= TParmForm::kUltima; ++g) {
                QComboBox* c = linha(g).tipo;
                for (int i = 0; i < c->count(); ++i) c->setItemText(i, itens[i]);
            }
            preenchendo_ = false;
        }
    }
    MostraValores();
    QWidget::showEvent(e);
}

void JanelaGeradores::closeEvent(QCloseEvent* e) {
    AplicaMarcando();
    QWidget::closeEvent(e);
}

}  // namespace kivo::ui
