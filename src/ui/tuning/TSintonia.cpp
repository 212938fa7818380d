#include "ui/tuning/TSintonia.h"

#include <algorithm>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "objects/Controller.h"
#include "ui/app/Aplicacao.h"
#include "ui/fastsim/GraficoMalha.h"
#include "ui/fastsim/PainelIndices.h"
#include "ui/i18n/TextosSintonia.h"
#include "ui/tuning/GraficoDegrau.h"

namespace kivo::ui {
namespace {

template <class W>
W* Nomeado(W* w, const char* nome) {
    w->setObjectName(QString::fromLatin1(nome));
    return w;
}

QLabel* Rotulo(const char* nome, QWidget* pai, QWidget* campo = nullptr) {
    auto* l = Nomeado(new QLabel(pai), nome);
    if (campo) l->setBuddy(campo);
    return l;
}

QTableWidget* Tabela(const char* nome, const QStringList& colunas, QWidget* pai) {
    auto* t = Nomeado(new QTableWidget(0, int(colunas.size()), pai), nome);
    t->setHorizontalHeaderLabels(colunas);
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    t->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return t;
}

QDoubleSpinBox* Tempo(const char* nome, QWidget* pai) {
    auto* s = Nomeado(new QDoubleSpinBox(pai), nome);
    s->setDecimals(1);
    s->setRange(0, 0);
    s->setMinimumWidth(s->fontMetrics().horizontalAdvance(QStringLiteral("000000.0")) * 3 / 2);
    return s;
}

}  // namespace

TSintonia::TSintonia(Aplicacao& app, kivo::TControlador& c, QWidget* parent)
    : QWidget(parent, Qt::Window), app_(app), c_(c), ingles_(app.ingles()) {
    setObjectName(QStringLiteral("TSintonia"));
    auto* grade = new QGridLayout(this);
    grade->addWidget(CriaDados(), 0, 0, 1, 2);

    grafico_ = Nomeado(new GraficoDegrau(ingles_, this), "DadosGrafico");
    const int linha = fontMetrics().height();
    grafico_->setMinimumSize(linha * 30, linha * 16);
    grade->addWidget(grafico_, 1, 0);

    auto* degrau = Nomeado(new QGroupBox(this), "DegrauGroup");
    auto* hd = new QHBoxLayout(degrau);
    inicio_ = Tempo("InicioSpin", degrau);
    degrau_ = Tempo("DegrauSpin", degrau);
    fim_ = Tempo("FimSpin", degrau);
    hd->addWidget(Rotulo("LabelInicio", degrau, inicio_));
    hd->addWidget(inicio_);
    hd->addWidget(Rotulo("LabelDegrau", degrau, degrau_));
    hd->addWidget(degrau_);
    hd->addWidget(Rotulo("LabelFim", degrau, fim_));
    hd->addWidget(fim_);
    hd->addStretch(1);
    identificar_ = Nomeado(new QPushButton(degrau), "IdentificarBTN");
    identificar_->setEnabled(false);
    hd->addWidget(identificar_);
    grade->addWidget(degrau, 2, 0);
    connect(identificar_, &QPushButton::clicked, this, &TSintonia::IdentificarBTNClick);

    grade->addWidget(CriaModelo(), 3, 0);
    grade->addWidget(CriaRegras(), 1, 1, 3, 1);

    auto* base = new QHBoxLayout;
    progresso_ = Nomeado(new QProgressBar(this), "Progresso");
    progresso_->setRange(0, 100);
    progresso_->setValue(0);
    progresso_->setMaximumWidth(linha * 10);
    mensagem_ = Nomeado(new QLabel(this), "MensagemSintonia");
    mensagem_->setWordWrap(true);
    // Room for a message of two lines, which the window's height would
    // otherwise cut.
    mensagem_->setMinimumHeight(2 * linha);
    mensagem_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPalette vermelho = mensagem_->palette();
    vermelho.setColor(QPalette::WindowText, QColor(0xC0, 0x00, 0x00));
    mensagem_->setPalette(vermelho);
    aplicar_ = Nomeado(new QPushButton(this), "AplicarBTN");
    aplicar_->setEnabled(false);
    auto* fechar = Nomeado(new QPushButton(this), "FecharBTN");
    base->addWidget(progresso_);
    base->addWidget(mensagem_, 1);
    base->addWidget(aplicar_);
    base->addWidget(fechar);
    grade->addLayout(base, 4, 0, 1, 2);
    connect(aplicar_, &QPushButton::clicked, this, &TSintonia::AplicarBTNClick);
    connect(fechar, &QPushButton::clicked, this, &QWidget::close);

    grade->setColumnStretch(0, 1);
    grade->setColumnStretch(1, 1);
    grade->setRowStretch(1, 1);

    AplicaTextosControle(this, TextosSintonia(), ingles_);
    setWindowTitle(TituloSintonia(QString::fromStdString(c_.TagText), ingles_));
    AtualizaFonte();
}

QWidget* TSintonia::CriaDados() {
    auto* g = Nomeado(new QGroupBox(this), "DadosGroup");
    auto* h = new QHBoxLayout(g);
    fonte_ = Nomeado(new QComboBox(g), "FonteCombo");
    fonte_->addItems(ItensFonte(ingles_));
    arquivo_ = Nomeado(new QLineEdit(g), "ArquivoText");
    arquivo_->setMinimumWidth(fontMetrics().averageCharWidth() * 30);
    escolher_ = Nomeado(new QPushButton(g), "ArquivoBTN");
    escolher_->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("......")) * 2);
    // A .txd archive holds the whole variable memory: the loop's MV and PV
    // are found by address, the controller's own by default.
    enderecoMV_ = Nomeado(new QSpinBox(g), "EnderecoMV");
    enderecoPV_ = Nomeado(new QSpinBox(g), "EnderecoPV");
    for (QSpinBox* s : {enderecoMV_, enderecoPV_}) s->setRange(1, 99);
    enderecoMV_->setValue(c_.numero());
    enderecoPV_->setValue(c_.enderecoPV() > 0 ? c_.enderecoPV() : 21);
    // The simulated test: a step of 10 % (the sign picks the direction); its
    // duration, left empty, is sized to the plant (TesteSimulado).
    degrauSim_ = Nomeado(new QLineEdit(QStringLiteral("10"), g), "DegrauSimText");
    duracaoSim_ = Nomeado(new QLineEdit(g), "DuracaoSimText");
    duracaoSim_->setPlaceholderText(DuracaoAutomatica(ingles_));
    // Room for a number or the placeholder, and the frame's margins.
    const QFontMetrics fm = duracaoSim_->fontMetrics();
    const int largura = std::max(fm.horizontalAdvance(QStringLiteral("-000.00")),
                                 fm.horizontalAdvance(duracaoSim_->placeholderText())) +
                        fm.horizontalAdvance(QStringLiteral("000"));
    for (QLineEdit* e : {degrauSim_, duracaoSim_}) {
        e->setMinimumWidth(largura);
        e->setMaximumWidth(largura);
    }
    auto* ler = Nomeado(new QPushButton(g), "LerBTN");
    h->addWidget(Rotulo("LabelFonte", g, fonte_));
    h->addWidget(fonte_);
    h->addWidget(arquivo_, 1);
    h->addWidget(escolher_);
    h->addWidget(Rotulo("LabelEnderecoMV", g, enderecoMV_));
    h->addWidget(enderecoMV_);
    h->addWidget(Rotulo("LabelEnderecoPV", g, enderecoPV_));
    h->addWidget(enderecoPV_);
    h->addWidget(Rotulo("LabelDegrauSim", g, degrauSim_));
    h->addWidget(degrauSim_);
    h->addWidget(Rotulo("LabelDuracaoSim", g, duracaoSim_));
    h->addWidget(duracaoSim_);
    h->addWidget(ler);
    connect(degrauSim_, &QLineEdit::returnPressed, this, &TSintonia::LerBTNClick);
    connect(duracaoSim_, &QLineEdit::returnPressed, this, &TSintonia::LerBTNClick);
    connect(fonte_, &QComboBox::currentIndexChanged, this, &TSintonia::AtualizaFonte);
    connect(escolher_, &QPushButton::clicked, this, &TSintonia::EscolheArquivo);
    connect(ler, &QPushButton::clicked, this, &TSintonia::LerBTNClick);
    return g;
}

QWidget* TSintonia::CriaModelo() {
    auto* g = Nomeado(new QGroupBox(this), "ModeloGroup");
    auto* v = new QVBoxLayout(g);
    auto* escolha = new QHBoxLayout;
    modelo_ = Nomeado(new QComboBox(g), "ModeloCombo");
    modelo_->addItems(ItensModelo(ingles_));
    modelo_->setCurrentIndex(3);
    escolha->addWidget(Rotulo("LabelModelo", g, modelo_));
    escolha->addWidget(modelo_, 1);
    v->addLayout(escolha);
    modelos_ = Tabela("ModelosTabela", ColunasModelos(ingles_), g);
    modelos_->setRowCount(3);
    modelos_->setSelectionMode(QAbstractItemView::NoSelection);
    modelos_->setFocusPolicy(Qt::NoFocus);
    modelos_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    const int altura =
        modelos_->horizontalHeader()->sizeHint().height() + 3 * modelos_->verticalHeader()->defaultSectionSize() + 4;
    modelos_->setFixedHeight(altura);
    v->addWidget(modelos_);
    direcao_ = Nomeado(new QLabel(g), "LabelDirecao");
    v->addWidget(direcao_);
    auto* tempos = new QHBoxLayout;
    tc_ = Nomeado(new QLineEdit(g), "TcText");
    lambda_ = Nomeado(new QLineEdit(g), "LambdaText");
    for (QLineEdit* e : {tc_, lambda_})
        e->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000.000")) * 3 / 2);
    tempos->addWidget(Rotulo("LabelTc", g, tc_));
    tempos->addWidget(tc_);
    tempos->addSpacing(fontMetrics().averageCharWidth() * 2);
    tempos->addWidget(Rotulo("LabelLambda", g, lambda_));
    tempos->addWidget(lambda_);
    tempos->addStretch(1);
    v->addLayout(tempos);
    // Empty fields leave each rule its own default, which the table shows:
    // SIMC's tau_c is the dead time of the model it works on (for a PI on a
    // second order, the half-rule first order's, longer than the model's).
    tc_->setPlaceholderText(PadraoTc(ingles_));
    lambda_->setPlaceholderText(PadraoLambda(ingles_));
    connect(modelo_, &QComboBox::activated, this, &TSintonia::Propoe);
    connect(tc_, &QLineEdit::returnPressed, this, &TSintonia::Propoe);
    connect(lambda_, &QLineEdit::returnPressed, this, &TSintonia::Propoe);
    return g;
}

QWidget* TSintonia::CriaRegras() {
    auto* g = Nomeado(new QGroupBox(this), "RegrasGroup");
    auto* v = new QVBoxLayout(g);
    regras_ = Tabela("RegrasTabela", ColunasRegras(ingles_), g);
    regras_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    // Room for the most rows the rules give (SIMC 2, IMC 2, AMIGO 2, ZN 3).
    regras_->setMinimumHeight(regras_->horizontalHeader()->sizeHint().height() +
                              10 * regras_->verticalHeader()->defaultSectionSize() + 4);
    v->addWidget(regras_, 1);
    connect(regras_, &QTableWidget::itemSelectionChanged, this, [this] { MostraProposta(linhaSelecionada()); });

    auto* h = new QHBoxLayout;
    indices_ = new PainelIndices(g);
    if (ingles_) indices_->Traduz();
    // The panel's two columns are the setpoint and the load step here.
    for (const char* nome : {"CabecalhoIndices1", "CabecalhoIndices2"})
        if (auto* l = indices_->findChild<QLabel*>(QString::fromLatin1(nome))) l->hide();
    if (auto* gi = qobject_cast<QGridLayout*>(indices_->layout())) {
        auto* sp = Nomeado(new QLabel(TituloDegrauSP(ingles_), indices_), "CabecalhoSP");
        auto* carga = Nomeado(new QLabel(TituloDegrauCarga(ingles_), indices_), "CabecalhoCarga");
        for (QLabel* l : {sp, carga}) l->setAccessibleName(l->text());
        gi->addWidget(sp, 1, 1, Qt::AlignCenter);
        gi->addWidget(carga, 1, 2, Qt::AlignCenter);
    }
    h->addWidget(indices_);
    abas_ = Nomeado(new QTabWidget(g), "RespostaAbas");
    respostaSP_ = Nomeado(new GraficoMalha(abas_), "RespostaSP");
    respostaCarga_ = Nomeado(new GraficoMalha(abas_), "RespostaCarga");
    for (GraficoMalha* r : {respostaSP_, respostaCarga_})
        r->setMinimumSize(fontMetrics().height() * 22, fontMetrics().height() * 14);
    abas_->addTab(respostaSP_, TituloDegrauSP(ingles_));
    abas_->addTab(respostaCarga_, TituloDegrauCarga(ingles_));
    h->addWidget(abas_, 1);
    v->addLayout(h);
    return g;
}

void TSintonia::AtualizaFonte() {
    const bool arquivo = fonte_->currentIndex() == FonteArquivo;
    for (QWidget* w : std::initializer_list<QWidget*>{arquivo_, escolher_, enderecoMV_, enderecoPV_})
        w->setEnabled(arquivo);
    for (const char* nome : {"LabelEnderecoMV", "LabelEnderecoPV"})
        if (auto* l = findChild<QLabel*>(QString::fromLatin1(nome))) l->setEnabled(arquivo);
    const bool simulado = fonte_->currentIndex() == FonteSimulado;
    for (QWidget* w : std::initializer_list<QWidget*>{degrauSim_, duracaoSim_}) w->setEnabled(simulado);
    for (const char* nome : {"LabelDegrauSim", "LabelDuracaoSim"})
        if (auto* l = findChild<QLabel*>(QString::fromLatin1(nome))) l->setEnabled(simulado);
}

void TSintonia::showEvent(QShowEvent* e) {
    // The tag may have changed since the window was made.
    setWindowTitle(TituloSintonia(QString::fromStdString(c_.TagText), ingles_));
    QWidget::showEvent(e);
}

int TSintonia::linhaSelecionada() const {
    const auto linhas = regras_->selectionModel()->selectedRows();
    return linhas.isEmpty() ? -1 : linhas.front().row();
}

QString TSintonia::mensagem() const { return mensagem_->text(); }

}  // namespace kivo::ui
