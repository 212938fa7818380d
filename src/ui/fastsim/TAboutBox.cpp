#include "ui/fastsim/TAboutBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "help/LinksAjuda.h"
#include "objects/Controller.h"
#include "core/FileName.h"
#include "ui/app/Aplicacao.h"
#include "ui/fastsim/GraficoMalha.h"
#include "ui/fastsim/PainelIndices.h"
#include "ui/i18n/TextosRapida.h"
#include "ui/objects/Formulario.h"
#include "ui/widgets/Icones.h"

namespace kivo::ui {
namespace {

// The about picture, drawn for the screen's pixel ratio.
class Figura : public QLabel {
public:
    explicit Figura(QWidget* pai) : QLabel(pai) {
        setObjectName(QStringLiteral("ProgramIcon"));
        setAccessibleName(QStringLiteral("KIVO"));
        setMinimumSize(160, 160);
        setAlignment(Qt::AlignCenter);
    }

protected:
    void resizeEvent(QResizeEvent* e) override {
        QLabel::resizeEvent(e);
        const int lado = qMin(width(), height());
        setPixmap(DesenhaIcone(Icone::Programa, lado, devicePixelRatioF()));
    }
};

template <class W>
W* Nomeado(W* w, const char* nome) {
    w->setObjectName(QString::fromLatin1(nome));
    return w;
}

QCheckBox* Marca(QWidget* pai, const char* nome, const char* texto, bool marcada) {
    auto* c = BotaoLegendado<QCheckBox>(pai, nome, texto);
    c->setChecked(marcada);
    return c;
}

// A tool button showing a glyph; nomePelaDica when the glyph says too
// little to name it.
QToolButton* Ferramenta(QWidget* pai, const char* nome, const char* glifo, bool nomePelaDica) {
    auto* b = BotaoLegendado<QToolButton>(pai, nome, glifo);
    if (nomePelaDica) NomeiaPelaDica(b);
    return b;
}

}  // namespace

QString PrefixoArquivo(const std::string& titulo) {
    QString p = QString::fromStdString(SemCaracteresProibidos(titulo));
    // Trailing dots and blanks vanish on some file systems; a leading dot
    // would hide the archives.
    while (!p.isEmpty() && (p.front() == QLatin1Char(' ') || p.front() == QLatin1Char('.'))) p.remove(0, 1);
    while (!p.isEmpty() && (p.back() == QLatin1Char(' ') || p.back() == QLatin1Char('.'))) p.chop(1);
    // A file name holds 255 bytes; room is left for "_" + number + ".txd".
    constexpr int kBytes = 200;
    while (p.toUtf8().size() > kBytes) {
        p.chop(1);
        if (!p.isEmpty() && p.back().isHighSurrogate()) p.chop(1);
    }
    return p.isEmpty() ? QStringLiteral("DadosDesempenho") : p;
}

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) { CriaFormaSobre(); }

void TAboutBox::CriaFormaSobre() {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Sobre"));
    auto* coluna = new QVBoxLayout(this);
    auto* linha = new QHBoxLayout;
    linha->addWidget(new Figura(this), 1);
    auto* texto = new QLabel(this);
    texto->setObjectName(QStringLiteral("ProductName"));
    texto->setTextFormat(Qt::RichText);
    texto->setWordWrap(true);
    texto->setText(QStringLiteral("<h1>KIVO</h1><p>v 7.71</p>"
                                  "<p>Simulador para treinamento em controle de processos industriais.</p>"
                                  "<p><i>Process control training simulator.</i></p>"));
    texto->setAccessibleName(QStringLiteral("KIVO v 7.71"));
    linha->addWidget(texto, 1);
    coluna->addLayout(linha, 1);
    auto* fechar = BotaoLegendado<QPushButton>(this, "OKButton", "Fechar");
    connect(fechar, &QPushButton::clicked, this, &QDialog::close);
    coluna->addWidget(fechar, 0, Qt::AlignRight);
    resize(602, 452);
}

void TAboutBox::TraduzSobre(bool ingles) {
    setWindowTitle(ingles ? QStringLiteral("About") : QStringLiteral("Sobre"));
    if (auto* fechar = findChild<QPushButton*>(QStringLiteral("OKButton"))) {
        fechar->setText(ingles ? QStringLiteral("Close") : QStringLiteral("Fechar"));
        fechar->setAccessibleName(fechar->text());
    }
}

TAboutBox::TAboutBox(Aplicacao& app, QWidget* parent) : QDialog(parent), app_(&app) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(TituloRapida(false));
    // A sizeable window of its own with no close button of its own: the
    // title bar closes it.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);

    auto* raiz = new QHBoxLayout(this);
    auto* esquerda = new QVBoxLayout;
    esquerda->addWidget(CriaPainelSimulacao());
    indices_ = new PainelIndices(this);
    esquerda->addWidget(indices_, 1);
    raiz->addLayout(esquerda);

    auto* direita = new QVBoxLayout;
    direita->addWidget(CriaFerramentas());
    auto* divisor = Nomeado(new QSplitter(Qt::Vertical, this), "DivisorGraficos");
    divisor->addWidget(CriaLinha(Superior));
    divisor->addWidget(CriaLinha(Inferior));
    direita->addWidget(divisor, 1);
    raiz->addLayout(direita, 1);

    for (QComboBox* c : seletores_) {
        c->installEventFilter(this);
        PreencheSeletor(c);
    }
    AplicaDicasRapida(this, DicasRapida(), false);
    AplicaNomes(this, NomesRapida(), false);
    if (app.ingles()) Traduz();
    NomeiaAbas();
    prefixo_->setText(PrefixoArquivo(app.projeto().titulo));
    JanelaComboBoxChange(0);
    SinalTesteComboChange(0);
    AtualizaSelPage();
    resize(1200, 800);
    setWindowState(Qt::WindowMaximized);
}

TAboutBox::~TAboutBox() = default;

QWidget* TAboutBox::CriaPainelSimulacao() {
    auto* painel = Nomeado(new QGroupBox(this), "PainelSimulacao");
    auto* forma = new QFormLayout(painel);
    janela_ = Nomeado(new QComboBox(painel), "JanelaComboBox");
    janela_->addItems({"30 min", "1 hora", "2 horas", "4 horas"});
    forma->addRow(Legenda(painel, "JanelaLabel", "Janela Simulação:"), janela_);
    ta_ = Nomeado(new QComboBox(painel), "TACombo");
    ta_->addItems({"100 ms", "200 ms", "500 ms", "1 seg"});
    forma->addRow(Legenda(painel, "TALabel", "Tempo Amostragem:"), ta_);
    sinal_ = Nomeado(new QComboBox(painel), "SinalTesteCombo");
    sinal_->addItems(ItensSinalTeste(false));
    forma->addRow(sinal_);
    amplitudeRotulo_ = Legenda(painel, "SinalTesteLabel", "Amplitude do Degrau(%):");
    amplitude_ = Nomeado(new QLineEdit(QStringLiteral("10"), painel), "SinalTesteValor");
    forma->addRow(amplitudeRotulo_, amplitude_);
    arquivar_ = Marca(painel, "CheckArquivar", "Armazenar Dados", false);
    forma->addRow(arquivar_);
    prefixo_ = Nomeado(new QLineEdit(painel), "Edit2");
    forma->addRow(Legenda(painel, "ArquivoLabel", "Arquivo:"), prefixo_);
    normaliza_ = Marca(painel, "Normaliza", "Normalizar", true);
    forma->addRow(normaliza_);
    simular_ = BotaoLegendado<QPushButton>(painel, "BTNSimular", "Simular");
    auto* ajuda = Ferramenta(painel, "SpeedButton4", "?", true);
    auto* botoes = new QHBoxLayout;
    botoes->addWidget(simular_, 1);
    botoes->addWidget(ajuda);
    forma->addRow(botoes);
    progresso_ = Nomeado(new QProgressBar(painel), "ProgressBar1");
    progresso_->setRange(0, 100);
    progresso_->setValue(0);
    forma->addRow(progresso_);
    mensagem_ = Nomeado(new QLabel(painel), "Mensagem");
    mensagem_->setWordWrap(true);
    forma->addRow(mensagem_);

    connect(janela_, &QComboBox::currentIndexChanged, this, &TAboutBox::JanelaComboBoxChange);
    connect(sinal_, &QComboBox::currentIndexChanged, this, &TAboutBox::SinalTesteComboChange);
    connect(simular_, &QPushButton::clicked, this, &TAboutBox::BTNSimularClick);
    connect(ajuda, &QToolButton::clicked, this, [this] {
        help::AbreAjuda(app_->interacao(), help::UrlBase(app_->ingles()), help::Entrada::SimulacaoRapida);
    });
    return painel;
}

QWidget* TAboutBox::CriaLinha(Linha l) {
    auto* caixa = new QWidget(this);
    auto* coluna = new QVBoxLayout(caixa);
    coluna->setContentsMargins(0, 0, 0, 0);
    auto* barra = new QHBoxLayout;
    // ComboBox2 and Button1 load into the upper row, ComboBox1 and
    // BTNCarregar into the lower one.
    seletores_[l] = Nomeado(new QComboBox(caixa), l == Superior ? "ComboBox2" : "ComboBox1");
    seletores_[l]->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    seletores_[l]->setMinimumContentsLength(16);
    carregar_[l] = BotaoLegendado<QPushButton>(caixa, l == Superior ? "Button1" : "BTNCarregar", "Carregar Histórico");
    progressoLinha_[l] = Nomeado(new QProgressBar(caixa), l == Superior ? "ProgressBar2" : "ProgressBar3");
    progressoLinha_[l]->setRange(0, 100);
    progressoLinha_[l]->setValue(0);
    barra->addWidget(seletores_[l]);
    barra->addWidget(carregar_[l]);
    barra->addWidget(progressoLinha_[l], 1);
    coluna->addLayout(barra);

    abas_[l] = Nomeado(new QTabWidget(caixa), l == Superior ? "TabbedNotebook1" : "TabbedNotebook2");
    abas_[l]->setUsesScrollButtons(true);
    for (int n = 1; n <= kMalhas; ++n) {
        auto* g = new GraficoMalha(abas_[l]);
        g->setObjectName(QStringLiteral("%1%2").arg(l == Superior ? "GraficoMalha" : "GraficoHist").arg(n));
        g->setAccessibleName(g->objectName());
        graficos_[l][static_cast<std::size_t>(n - 1)] = g;
        abas_[l]->addTab(g, l == Superior ? AbaMalha(n, false) : AbaHistorico(n));
        connect(g, &GraficoMalha::zoomFeito, this, [this, l, n] { Zoom(l, n); });
        connect(g, &GraficoMalha::zoomDesfeito, this, [this, l, n] { ZoomDesfeito(l, n); });
    }
    coluna->addWidget(abas_[l], 1);

    if (l == Superior) {
        connect(carregar_[l], &QPushButton::clicked, this, &TAboutBox::Button1Click);
        connect(abas_[l], &QTabWidget::currentChanged, this, &TAboutBox::TabbedNotebook1Click);
    } else {
        connect(carregar_[l], &QPushButton::clicked, this, &TAboutBox::BTNCarregarClick);
        connect(abas_[l], &QTabWidget::currentChanged, this, &TAboutBox::TabbedNotebook2Click);
    }
    return caixa;
}

QWidget* TAboutBox::CriaFerramentas() {
    auto* barra = Nomeado(new QWidget(this), "FerramentasGraficos");
    auto* linha = new QHBoxLayout(barra);
    linha->setContentsMargins(0, 0, 0, 0);
    zoom_ = Ferramenta(barra, "SpeedButton1", "Zoom", true);
    auto* desfaz = Ferramenta(barra, "SpeedButton2", "Desfazer Zoom", false);
    auto* escala = Ferramenta(barra, "SpeedButton3", "0-100%", true);
    replica_ = Marca(barra, "ReplicaZoom", "Replicar Zoom", true);
    ocultaCO_ = Marca(barra, "CheckBox1", "Ocultar COs", false);
    ptsPag_ = Nomeado(new QComboBox(barra), "PtsPag");
    ptsPag_->addItems({"15 min", "30 min", "1 hora", "2 horas", "4 horas"});
    ptsPag_->setCurrentIndex(1);
    selPage_ = Nomeado(new QSpinBox(barra), "SelPage");
    selPage_->setRange(1, 1);
    for (QWidget* w : std::initializer_list<QWidget*>{zoom_, desfaz, escala, replica_, ocultaCO_, ptsPag_, selPage_})
        linha->addWidget(w);
    linha->addStretch(1);

    connect(zoom_, &QToolButton::clicked, this, &TAboutBox::SpeedButton1Click);
    connect(desfaz, &QToolButton::clicked, this, &TAboutBox::SpeedButton2Click);
    connect(escala, &QToolButton::clicked, this, &TAboutBox::SpeedButton3Click);
    connect(ocultaCO_, &QCheckBox::toggled, this, &TAboutBox::CheckBox1Click);
    connect(ptsPag_, &QComboBox::currentIndexChanged, this, &TAboutBox::PtsPagChange);
    connect(selPage_, &QSpinBox::valueChanged, this, &TAboutBox::SelPageChangingEx);
    return barra;
}

void TAboutBox::Traduz() {
    setWindowTitle(TituloRapida(true));
    AplicaTextos(this, TextosRapida(), true);
    AplicaDicasRapida(this, DicasRapida(), true);
    AplicaNomes(this, NomesRapida(), true);
    indices_->Traduz();
    const int item = sinal_->currentIndex();
    sinal_->clear();
    sinal_->addItems(ItensSinalTeste(true));
    sinal_->setCurrentIndex(item);
}

void TAboutBox::NomeiaAbas() {
    if (!app_) return;
    const bool ingles = app_->ingles();
    for (int n = 1; n <= kMalhas; ++n) {
        const auto* c = app_->sim().controladores.ativo(n) ? app_->projeto().controlador(n) : nullptr;
        const QString tag = c ? QString::fromStdString(c->TagText) : QString();
        abas_[Superior]->setTabText(n - 1, c ? tag : AbaMalha(n, ingles));
        abas_[Inferior]->setTabText(n - 1, c ? tag + QStringLiteral("(hist)") : AbaHistorico(n));
        // A chart is named by its tab.
        for (Linha l : {Superior, Inferior}) grafico(l, n)->setAccessibleName(abas_[l]->tabText(n - 1));
    }
}

void TAboutBox::JanelaComboBoxChange(int i) {
    ta_->setCurrentIndex(i);
}

void TAboutBox::SinalTesteComboChange(int i) {
    const bool degrau = i == 2 || i == 3;
    amplitudeRotulo_->setVisible(degrau);
    amplitude_->setVisible(degrau);
}

void TAboutBox::HabilitaControles(bool sim) {
    for (QWidget* w : std::initializer_list<QWidget*>{simular_, arquivar_, prefixo_, janela_}) w->setEnabled(sim);
}

void TAboutBox::closeEvent(QCloseEvent* e) {
    // The run holds the plant and the timer; the window stays until it ends.
    if (executando_) {
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

bool TAboutBox::eventFilter(QObject* o, QEvent* e) {
    // Entering a selector (focus or a click that opens its list) lists the
    // archives as they are now.
    if (e->type() == QEvent::FocusIn || e->type() == QEvent::MouseButtonPress) {
        if (o == seletores_[Inferior]) ComboBox1Enter();
        if (o == seletores_[Superior]) ComboBox2Enter();
    }
    return QDialog::eventFilter(o, e);
}

}  // namespace kivo::ui
