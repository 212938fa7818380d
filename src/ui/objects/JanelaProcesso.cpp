#include "ui/objects/JanelaProcesso.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "help/LinksAjuda.h"
#include "objects/Process.h"
#include "ui/app/Aplicacao.h"
#include "ui/main/TForm1.h"
#include "ui/objects/Formulario.h"

namespace kivo::ui {
namespace {

QString Texto(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

JanelaProcesso::JanelaProcesso(Aplicacao& app, TForm1& principal, int slot)
    : QWidget(&principal, Qt::Window), app_(app), principal_(principal), p_(*app.projeto().processo(slot)) {
    setObjectName(QStringLiteral("TProcesso"));
    setWindowTitle(TituloProcesso(false));
    CriaControles();
    AplicaDicasTabela(this, DicasProcesso(), false, MarcadoSemLegenda);
    Recarrega();
    connect(&app_, &Aplicacao::displayAtualizar, this, [this] {
        if (isVisible()) AtualizaLeituras();
    });
    // The input list names the variables as the table describes them now.
    connect(&principal_, &TForm1::tabelaAlterada, this, [this] {
        if (isVisible()) RecarregaEntradas();
    });
}

void JanelaProcesso::CriaControles() {
    auto* coluna = new QVBoxLayout(this);
    cabecalho_ = Cabecalho(this);
    coluna->addWidget(cabecalho_);

    auto* topo = new QGridLayout;
    tag_ = CampoTexto(this, "TagText");
    descricao_ = CampoTexto(this, "DescricaoText");
    entrada_ = new QComboBox(this);
    entrada_->setObjectName(QStringLiteral("EntradaSelect"));
    entrada_->installEventFilter(this);
    ganho_ = CampoTexto(this, "GanhoText");
    tempoMorto_ = CampoTexto(this, "TempoMorto");
    tipo_ = new QComboBox(this);
    tipo_->setObjectName(QStringLiteral("ComboBox2"));
    tipo_->addItems(ItensTipoFT(false));
    topo->addWidget(Legenda(this, "LabelTag", "Tag:", tag_), 0, 0);
    topo->addWidget(tag_, 0, 1);
    topo->addWidget(Legenda(this, "LabelDesc", "Desc", descricao_), 0, 2);
    topo->addWidget(descricao_, 0, 3);
    topo->addWidget(Legenda(this, "LabelEntrada", "Entrada:", entrada_), 1, 0);
    topo->addWidget(entrada_, 1, 1, 1, 3);
    topo->addWidget(Legenda(this, "LabelGanho", "Ganho:", ganho_), 2, 0);
    topo->addWidget(ganho_, 2, 1);
    topo->addWidget(Legenda(this, "LabelTM", "TM(seg):", tempoMorto_), 2, 2);
    topo->addWidget(tempoMorto_, 2, 3);
    topo->addWidget(Legenda(this, "LabelTipo", "Tipo F.T.:", tipo_), 3, 0);
    topo->addWidget(tipo_, 3, 1, 1, 3);
    topo->setColumnStretch(1, 1);
    topo->setColumnStretch(3, 2);
    descricao_->setMinimumWidth(fontMetrics().horizontalAdvance(QString(32, QLatin1Char('x'))));
    tag_->setMinimumWidth(fontMetrics().averageCharWidth() * 10);
    coluna->addLayout(topo);

    // One group per transfer-function type; ComboChange shows the type's own.
    const auto grupo = [this](const char* nome, const char* titulo) {
        auto* g = new QGroupBox(QString::fromUtf8(titulo), this);
        g->setObjectName(QString::fromLatin1(nome));
        g->setAccessibleName(g->title());
        return g;
    };
    const auto par = [this](QGroupBox* g, const char* n1, const char* t1, QLineEdit* e1, const char* n2,
                            const char* t2, QLineEdit* e2) {
        auto* l = new QGridLayout(g);
        l->addWidget(Legenda(g, n1, t1, e1), 0, 0);
        l->addWidget(e1, 0, 1);
        if (e2) {
            l->addWidget(Legenda(g, n2, t2, e2), 0, 2);
            l->addWidget(e2, 0, 3);
        }
        l->setColumnStretch(1, 1);
        l->setColumnStretch(3, 1);
    };
    grupoPVC_ = grupo("GroupPVC", "Ordem 2 Sobreamortecido");
    tau1_ = CampoTexto(grupoPVC_, "LText");
    tau2_ = CampoTexto(grupoPVC_, "Ctext");
    par(grupoPVC_, "LabelTal1", "Tal1(seg):", tau1_, "LabelTal2", "Tal2(seg):", tau2_);
    grupoOrdem2_ = grupo("GroupOrdem2", "Ordem 2 (sub)");
    ciclos_ = CampoTexto(grupoOrdem2_, "NCText");
    periodo_ = CampoTexto(grupoOrdem2_, "PeriodoText");
    par(grupoOrdem2_, "LabelNC", "Num. Ciclos:", ciclos_, "LabelPeriodo", "Período(seg):", periodo_);
    grupoLeadLag_ = grupo("GroupLEADLAG", "Filtro LEAD-LAG");
    lead_ = CampoTexto(grupoLeadLag_, "LEAD");
    lag_ = CampoTexto(grupoLeadLag_, "LAG");
    par(grupoLeadLag_, "LabelLead", "LEAD(seg):", lead_, "LabelLag", "LAG(seg):", lag_);
    grupoIntegrador_ = grupo("GroupBox2", "Integrador");
    valorInicial_ = CampoTexto(grupoIntegrador_, "ValorInicialText");
    par(grupoIntegrador_, "LabelValorInicial", "Valor Inicial(%):", valorInicial_, nullptr, nullptr, nullptr);
    for (QGroupBox* g : {grupoPVC_, grupoOrdem2_, grupoLeadLag_, grupoIntegrador_}) coluna->addWidget(g);

    QGroupBox* naoLinear = grupo("GroupNaoLinear", "Características não lineares");
    auto* nl = new QGridLayout(naoLinear);
    curva_ = new QComboBox(naoLinear);
    curva_->setObjectName(QStringLiteral("ComboBox1"));
    curva_->addItems(ItensCurvaValvula(false));
    histerese_ = CampoTexto(naoLinear, "Histerese");
    agarramento_ = CampoTexto(naoLinear, "valveStext");
    tauAtuador_ = CampoTexto(naoLinear, "tal");
    rate_ = CampoTexto(naoLinear, "ratetext");
    nl->addWidget(Legenda(naoLinear, "LabelCurva", "Curva de ganho:", curva_), 0, 0);
    nl->addWidget(curva_, 0, 1, 1, 3);
    nl->addWidget(Legenda(naoLinear, "LabelHisterese", "Histerese:", histerese_), 1, 0);
    nl->addWidget(histerese_, 1, 1);
    nl->addWidget(Legenda(naoLinear, "LabelAgarramento", "Agarramento:", agarramento_), 1, 2);
    nl->addWidget(agarramento_, 1, 3);
    nl->addWidget(Legenda(naoLinear, "LabelTal", "LAG(seg):", tauAtuador_), 2, 0);
    nl->addWidget(tauAtuador_, 2, 1);
    nl->addWidget(Legenda(naoLinear, "LabelRate", "Rate(%/seg):", rate_), 2, 2);
    nl->addWidget(rate_, 2, 3);
    nl->setColumnStretch(1, 1);
    nl->setColumnStretch(3, 1);
    coluna->addWidget(naoLinear);

    saturador_ = new QCheckBox(QStringLiteral("Desativar Saturador"), this);
    saturador_->setObjectName(QStringLiteral("CheckBox1"));
    saturador_->setAccessibleName(saturador_->text());
    coluna->addWidget(saturador_);

    // Readouts: caption, value, and the variable the value belongs to.
    auto* leituras = new QGridLayout;
    const auto leitura = [&](int linha, const char* nomeLegenda, const char* legenda, const char* nome) {
        auto* v = new QLabel(QStringLiteral("0.00"), this);
        v->setObjectName(QString::fromLatin1(nome));
        v->setFrameShape(QFrame::StyledPanel);
        v->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        v->setTextInteractionFlags(Qt::TextSelectableByMouse);
        leituras->addWidget(Legenda(this, nomeLegenda, legenda, v), linha, 0);
        leituras->addWidget(v, linha, 1);
        return v;
    };
    valorEntrada_ = leitura(0, "LabelEntradaPct", "Entrada (%):", "EntradaValor");
    valorAtuador_ = leitura(1, "LabelAtuadorPct", "Posição Atuador(%):", "AtuadorValor");
    valorSaida_ = leitura(2, "LabelSaidaPct", "Saída(%):", "SaidaValor");
    rotuloAtuador_ = new QLabel(this);
    rotuloAtuador_->setObjectName(QStringLiteral("RotuloAtuador"));
    rotuloSaida_ = new QLabel(this);
    rotuloSaida_->setObjectName(QStringLiteral("RotuloSaida"));
    leituras->addWidget(rotuloAtuador_, 1, 2);
    leituras->addWidget(rotuloSaida_, 2, 2);
    leituras->setColumnStretch(1, 1);
    coluna->addLayout(leituras);

    atualizar_ = BotaoLegendado<QPushButton>(this, "btnatualiza", "Atualizar");
    sair_ = BotaoLegendado<QPushButton>(this, "SairButton", "Sair");
    ajuda_ = RodapeBotoes(this, coluna, "SpeedButton1", {atualizar_, sair_});
    coluna->addStretch(1);

    // Every text goes into the model as typed. The step reads tau1, tau2,
    // LEAD, LAG and the rate from these fields at every cycle; the other
    // fields take effect at the apply, which reads them from the model too.
    const std::pair<QLineEdit*, std::string kivo::TProcesso::*> campos[] = {
        {tag_, &kivo::TProcesso::TagText},         {descricao_, &kivo::TProcesso::DescricaoText},
        {ganho_, &kivo::TProcesso::GanhoText},     {tempoMorto_, &kivo::TProcesso::TempoMorto},
        {tau1_, &kivo::TProcesso::LText},          {tau2_, &kivo::TProcesso::Ctext},
        {ciclos_, &kivo::TProcesso::NCText},       {periodo_, &kivo::TProcesso::PeriodoText},
        {lead_, &kivo::TProcesso::LEAD},           {lag_, &kivo::TProcesso::LAG},
        {histerese_, &kivo::TProcesso::Histerese}, {agarramento_, &kivo::TProcesso::valveStext},
        {tauAtuador_, &kivo::TProcesso::tal},      {rate_, &kivo::TProcesso::ratetext},
    };
    for (const auto& [campo, membro] : campos) {
        connect(campo, &QLineEdit::textChanged, this, [this, membro = membro](const QString& t) {
            if (preenchendo_) return;
            p_.*membro = t.toStdString();
            Editado();
        });
    }
    // Enter in a field does what "Atualizar" does, while there is something
    // to apply.
    for (QLineEdit* campo : findChildren<QLineEdit*>())
        connect(campo, &QLineEdit::returnPressed, this, [this] {
            if (atualizar_->isEnabled()) Atualiza();
        });
    connect(valorInicial_, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (preenchendo_) return;
        p_.ValorInicialText = t.toStdString();
        // Taken into the integrator at the next apply, and only then.
        p_.valorInicialPendente = true;
        atualizar_->setEnabled(true);
    });
    connect(entrada_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (preenchendo_) return;
        p_.EntradaSelect = i;
        Editado();
    });
    connect(tipo_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (preenchendo_) return;
        p_.ComboBox2 = i;
        ComboChange();
        Editado();
    });
    connect(curva_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (preenchendo_) return;
        p_.ComboBox1 = i;
        Editado();
    });
    connect(saturador_, &QCheckBox::toggled, this, [this](bool b) {
        if (preenchendo_) return;
        p_.CheckBox1 = b;
        Editado();
    });
    connect(atualizar_, &QPushButton::clicked, this, &JanelaProcesso::Atualiza);
    connect(sair_, &QPushButton::clicked, this, [this] {
        principal_.AtualizaDiagrama();
        close();
    });
    connect(ajuda_, &QToolButton::clicked, this, [this] {
        help::AbreAjuda(app_.interacao(), help::UrlBase(app_.ingles()), help::Entrada::Processo);
    });
}

void JanelaProcesso::Recarrega() {
    preenchendo_ = true;
    RecarregaEntradas();
    tag_->setText(Texto(p_.TagText));
    descricao_->setText(Texto(p_.DescricaoText));
    ganho_->setText(Texto(p_.GanhoText));
    tempoMorto_->setText(Texto(p_.TempoMorto));
    tipo_->setCurrentIndex(p_.ComboBox2);
    tau1_->setText(Texto(p_.LText));
    tau2_->setText(Texto(p_.Ctext));
    ciclos_->setText(Texto(p_.NCText));
    periodo_->setText(Texto(p_.PeriodoText));
    lead_->setText(Texto(p_.LEAD));
    lag_->setText(Texto(p_.LAG));
    valorInicial_->setText(Texto(p_.ValorInicialText));
    curva_->setCurrentIndex(p_.ComboBox1);
    histerese_->setText(Texto(p_.Histerese));
    agarramento_->setText(Texto(p_.valveStext));
    tauAtuador_->setText(Texto(p_.tal));
    rate_->setText(Texto(p_.ratetext));
    saturador_->setChecked(p_.CheckBox1);
    preenchendo_ = false;
    ComboChange();
    // A window opened on an object the loader applied shows it as applied.
    atualizar_->setEnabled(p_.valorInicialPendente);
    sair_->setEnabled(true);
    AtualizaRotulos();
    AtualizaLeituras();
}

void JanelaProcesso::RecarregaEntradas() {
    // The list shows the variable table's current descriptions.
    QStringList itens;
    for (const std::string& item : app_.sim().mem.ListaEntrada()) itens << Texto(item);
    const bool antes = preenchendo_;
    preenchendo_ = true;
    AtualizaItens(entrada_, itens);
    entrada_->setCurrentIndex(p_.EntradaSelect);
    preenchendo_ = antes;
}

void JanelaProcesso::ComboChange() {
    const int t = tipo_->currentIndex();
    grupoPVC_->setVisible(t == 0);
    grupoOrdem2_->setVisible(t == 1);
    grupoLeadLag_->setVisible(t == 2);
    grupoIntegrador_->setVisible(t == 3);
}

void JanelaProcesso::Editado() {
    atualizar_->setEnabled(true);
    sair_->setEnabled(false);
}

bool JanelaProcesso::Atualiza() {
    // Messages reach the boxes through the project's sink, one per field.
    const bool ok = p_.ValidaParametros(true);
    if (!ok) return false;
    RecarregaDescricao();
    atualizar_->setEnabled(false);
    sair_->setEnabled(true);
    AtualizaRotulos();
    principal_.AtualizaDiagrama();
    app_.MarcaModificado();
    return true;
}

void JanelaProcesso::RecarregaDescricao() {
    // The variable table holds the description as stored (cut to its
    // length); the field and the model take it back.
    p_.DescricaoText = app_.sim().mem.entrada(p_.numero()).descricao;
    MostraTexto(descricao_, p_.DescricaoText);
}

void JanelaProcesso::AtualizaRotulos() {
    const int u = p_.numero();
    cabecalho_->setText(Texto(p_.TagText) + QLatin1Char(' ') + Texto(app_.sim().mem.entrada(u).descricao));
    cabecalho_->setAccessibleName(cabecalho_->text().trimmed());
    rotuloSaida_->setText(QStringLiteral("(M%1)").arg(u));
    rotuloAtuador_->setText(QStringLiteral("(M%1)").arg(u + 80));
    const QString descricao = Texto(app_.sim().mem.entrada(u).descricao);
    setWindowTitle(descricao.isEmpty() ? TituloProcesso(app_.ingles()) : descricao);
}

void JanelaProcesso::AtualizaLeituras() {
    valorEntrada_->setText(DuasCasas(p_.estado.X0));
    valorAtuador_->setText(DuasCasas(p_.estado.a));
    valorSaida_->setText(DuasCasas(p_.estado.Y2));
}

void JanelaProcesso::Traduz() {
    const bool ingles = app_.ingles();
    AplicaTextos(this, TextosProcesso(), ingles);
    AplicaDicasTabela(this, DicasProcesso(), ingles, MarcadoSemLegenda);
    preenchendo_ = true;
    const int t = tipo_->currentIndex();
    tipo_->clear();
    tipo_->addItems(ItensTipoFT(ingles));
    tipo_->setCurrentIndex(t);
    const int c = curva_->currentIndex();
    curva_->clear();
    curva_->addItems(ItensCurvaValvula(ingles));
    curva_->setCurrentIndex(c);
    preenchendo_ = false;
    SincronizaNomesAcessiveis(this);
    AtualizaRotulos();
}

void JanelaProcesso::showEvent(QShowEvent* e) {
    // Activation: the description as the variable table holds it, and the
    // English captions once.
    RecarregaDescricao();
    RecarregaEntradas();
    if (!traduzido_) {
        traduzido_ = true;
        if (app_.ingles()) Traduz();
    }
    AtualizaLeituras();
    QWidget::showEvent(e);
}

bool JanelaProcesso::eventFilter(QObject* o, QEvent* e) {
    if (o == entrada_ && e->type() == QEvent::FocusIn) RecarregaEntradas();
    return QWidget::eventFilter(o, e);
}

}  // namespace kivo::ui
