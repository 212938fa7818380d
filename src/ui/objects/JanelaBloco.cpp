#include "ui/objects/JanelaBloco.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "help/LinksAjuda.h"
#include "objects/Blocos.h"
#include "ui/app/Aplicacao.h"
#include "ui/main/TForm1.h"
#include "ui/objects/Formulario.h"

namespace kivo::ui {
namespace {

QString Texto(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

JanelaBloco::JanelaBloco(Aplicacao& app, TForm1& principal, int slot)
    : QWidget(&principal, Qt::Window), app_(app), principal_(principal), b_(*app.projeto().bloco(slot)) {
    setObjectName(QStringLiteral("TBloco"));
    setWindowTitle(TituloBloco(false));
    CriaControles();
    AplicaDicasTabela(this, DicasBloco(), false, MarcadoSemLegenda);
    Recarrega();
    connect(&app_, &Aplicacao::displayAtualizar, this, [this] {
        if (isVisible()) valor_->setText(DuasCasas(b_.saida()));
    });
}

void JanelaBloco::CriaControles() {
    auto* coluna = new QVBoxLayout(this);
    cabecalho_ = Cabecalho(this);
    coluna->addWidget(cabecalho_);

    funcao_ = CampoTexto(this, "FuncaoTr");
    coluna->addWidget(Legenda(this, "LabelFuncao", "Função", funcao_));
    auto* linhaFuncao = new QHBoxLayout;
    rotuloSaida_ = new QLabel(this);
    rotuloSaida_->setObjectName(QStringLiteral("RotuloSaida"));
    linhaFuncao->addWidget(rotuloSaida_);
    linhaFuncao->addWidget(funcao_, 1);
    coluna->addLayout(linhaFuncao);

    auto* limites = new QGroupBox(QStringLiteral("Limites:"), this);
    limites->setObjectName(QStringLiteral("GroupBox1"));
    limites->setAccessibleName(limites->title());
    auto* gl = new QGridLayout(limites);
    limSupCheck_ = new QCheckBox(QStringLiteral("Max:"), limites);
    limSupCheck_->setObjectName(QStringLiteral("LimSupCheck"));
    limSupCheck_->setAccessibleName(limSupCheck_->text());
    limSup_ = CampoTexto(limites, "LimSupText");
    limSup_->setAccessibleName(QStringLiteral("Max:"));
    limInfCheck_ = new QCheckBox(QStringLiteral("Min:"), limites);
    limInfCheck_->setObjectName(QStringLiteral("LimInfCheck"));
    limInfCheck_->setAccessibleName(limInfCheck_->text());
    limInf_ = CampoTexto(limites, "LimInfText");
    limInf_->setAccessibleName(QStringLiteral("Min:"));
    gl->addWidget(limSupCheck_, 0, 0);
    gl->addWidget(limSup_, 0, 1);
    gl->addWidget(limInfCheck_, 0, 2);
    gl->addWidget(limInf_, 0, 3);
    gl->setColumnStretch(1, 1);
    gl->setColumnStretch(3, 1);
    coluna->addWidget(limites);

    auto* ident = new QGridLayout;
    tag_ = CampoTexto(this, "TagText");
    descricao_ = CampoTexto(this, "DescricaoText");
    valor_ = new QLabel(QStringLiteral("0.00"), this);
    valor_->setObjectName(QStringLiteral("SaidaValor"));
    valor_->setFrameShape(QFrame::StyledPanel);
    valor_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ident->addWidget(Legenda(this, "LabelTag", "Tag:", tag_), 0, 0);
    ident->addWidget(tag_, 0, 1);
    ident->addWidget(Legenda(this, "LabelDesc", "Desc:", descricao_), 0, 2);
    ident->addWidget(descricao_, 0, 3);
    ident->addWidget(Legenda(this, "LabelSaidaValor", "Saída:", valor_), 1, 0);
    ident->addWidget(valor_, 1, 1);
    ident->setColumnStretch(1, 1);
    ident->setColumnStretch(3, 2);
    coluna->addLayout(ident);
    // Room for a formula of a few terms and a description without scrolling.
    const int letra = fontMetrics().averageCharWidth();
    funcao_->setMinimumWidth(letra * 40);
    descricao_->setMinimumWidth(letra * 24);
    tag_->setMinimumWidth(letra * 10);

    atualizar_ = BotaoLegendado<QPushButton>(this, "btnatualiza", "Atualizar");
    sair_ = BotaoLegendado<QPushButton>(this, "SairButton", "Sair");
    QToolButton* ajuda = RodapeBotoes(this, coluna, "SpeedButton1", {atualizar_, sair_});
    coluna->addStretch(1);

    // Texts go into the model as typed; the step uses what the last apply
    // stored. The limit enables are read by the step at every cycle.
    const std::pair<QLineEdit*, std::string kivo::TBloco::*> campos[] = {
        {funcao_, &kivo::TBloco::FuncaoTr},   {limSup_, &kivo::TBloco::LimSupText},
        {limInf_, &kivo::TBloco::LimInfText}, {tag_, &kivo::TBloco::TagText},
        {descricao_, &kivo::TBloco::DescricaoText},
    };
    for (const auto& [campo, membro] : campos) {
        connect(campo, &QLineEdit::textChanged, this, [this, membro = membro](const QString& t) {
            if (preenchendo_) return;
            b_.*membro = t.toStdString();
            Editado();
        });
    }
    // Enter in a field does what "Atualizar" does, while there is something
    // to apply.
    for (QLineEdit* campo : findChildren<QLineEdit*>())
        connect(campo, &QLineEdit::returnPressed, this, [this] {
            if (atualizar_->isEnabled()) Atualiza();
        });
    connect(limSupCheck_, &QCheckBox::toggled, this, [this](bool v) {
        if (preenchendo_) return;
        b_.LimSupCheck = v;
        Editado();
    });
    connect(limInfCheck_, &QCheckBox::toggled, this, [this](bool v) {
        if (preenchendo_) return;
        b_.LimInfCheck = v;
        Editado();
    });
    connect(atualizar_, &QPushButton::clicked, this, &JanelaBloco::Atualiza);
    connect(sair_, &QPushButton::clicked, this, [this] {
        atualizar_->setEnabled(false);
        close();
    });
    connect(ajuda, &QToolButton::clicked, this,
            [this] { help::AbreAjuda(app_.interacao(), help::UrlBase(app_.ingles()), help::Entrada::Bloco); });
}

void JanelaBloco::Recarrega() {
    preenchendo_ = true;
    funcao_->setText(Texto(b_.FuncaoTr));
    limSupCheck_->setChecked(b_.LimSupCheck);
    limSup_->setText(Texto(b_.LimSupText));
    limInfCheck_->setChecked(b_.LimInfCheck);
    limInf_->setText(Texto(b_.LimInfText));
    tag_->setText(Texto(b_.TagText));
    descricao_->setText(Texto(b_.DescricaoText));
    preenchendo_ = false;
    atualizar_->setEnabled(false);
    sair_->setEnabled(true);
    AtualizaRotulos();
    valor_->setText(DuasCasas(b_.saida()));
}

void JanelaBloco::Editado() {
    atualizar_->setEnabled(true);
    sair_->setEnabled(false);
}

bool JanelaBloco::Atualiza() {
    const bool ok = b_.ValidaParametros(true);
    // The apply sets the description and stores the texts even when a
    // field is refused.
    AtualizaRotulos();
    if (!ok) return false;
    RecarregaDescricao();
    atualizar_->setEnabled(false);
    sair_->setEnabled(true);
    app_.MarcaModificado();
    principal_.AtualizaDiagrama();
    return true;
}

void JanelaBloco::RecarregaDescricao() {
    // The variable table holds the description as stored (cut to its
    // length); the field and the model take it back.
    b_.DescricaoText = app_.sim().mem.entrada(b_.numero()).descricao;
    MostraTexto(descricao_, b_.DescricaoText);
}

void JanelaBloco::AtualizaRotulos() {
    const int n = b_.numero();
    cabecalho_->setText(Texto(app_.sim().mem.entrada(n).descricao));
    cabecalho_->setAccessibleName(cabecalho_->text());
    rotuloSaida_->setText(QStringLiteral("M%1=").arg(n));
    rotuloSaida_->setAccessibleName(rotuloSaida_->text());
}

void JanelaBloco::showEvent(QShowEvent* e) {
    RecarregaDescricao();
    if (!traduzido_) {
        traduzido_ = true;
        if (app_.ingles()) {
            setWindowTitle(TituloBloco(true));
            AplicaTextos(this, TextosBloco(), true);
            AplicaDicasTabela(this, DicasBloco(), true, MarcadoSemLegenda);
            SincronizaNomesAcessiveis(this);
        }
    }
    valor_->setText(DuasCasas(b_.saida()));
    QWidget::showEvent(e);
}

}  // namespace kivo::ui
