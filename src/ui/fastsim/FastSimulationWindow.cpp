#include "ui/fastsim/FastSimulationWindow.h"

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

#include "help/HelpLinks.h"
#include "ui/context/HelpPages.h"
#include "objects/Controller.h"
#include "core/FileName.h"
#include "ui/context/AppContext.h"
#include "ui/fastsim/LoopChart.h"
#include "ui/fastsim/IndicesPanel.h"
#include "ui/i18n/FastSimulationTexts.h"
#include "ui/widgets/ObjectForm.h"
#include "ui/widgets/Icons.h"
#include "version/Version.h"

namespace kivo::ui {
namespace {

// The about picture, drawn for the screen's pixel ratio.
class Picture : public QLabel {
public:
    explicit Picture(QWidget* parent) : QLabel(parent) {
        setObjectName(QStringLiteral("ProgramIcon"));
        setAccessibleName(QStringLiteral("KIVO"));
        setMinimumSize(160, 160);
        setAlignment(Qt::AlignCenter);
    }

protected:
    void resizeEvent(QResizeEvent* e) override {
        QLabel::resizeEvent(e);
        const int side = qMin(width(), height());
        setPixmap(DrawIcon(Icon::Program, side, devicePixelRatioF()));
    }
};

template <class W>
W* Named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QCheckBox* CheckBox(QWidget* parent, const char* name, const char* text, bool checked) {
    auto* c = CaptionedButton<QCheckBox>(parent, name, text);
    c->setChecked(checked);
    return c;
}

// A tool button showing a glyph; nameFromTooltip when the glyph says too
// little to name it.
QToolButton* ToolButton(QWidget* parent, const char* name, const char* glyph, bool nameFromTooltip) {
    auto* b = CaptionedButton<QToolButton>(parent, name, glyph);
    if (nameFromTooltip) NameByTooltip(b);
    return b;
}

}  // namespace

QString ArchivePrefix(const std::string& title) {
    QString p = QString::fromStdString(WithoutForbiddenCharacters(title));
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

FastSimulationWindow::FastSimulationWindow(QWidget* parent) : QDialog(parent) { MakeAboutForm(); }

void FastSimulationWindow::MakeAboutForm() {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Sobre"));
    auto* column = new QVBoxLayout(this);
    auto* line = new QHBoxLayout;
    line->addWidget(new Picture(this), 1);
    auto* text = new QLabel(this);
    text->setObjectName(QStringLiteral("ProductName"));
    text->setTextFormat(Qt::RichText);
    text->setWordWrap(true);
    text->setText(QStringLiteral("<h1>KIVO</h1><p>v " KIVO_VERSION "</p>"
                                  "<p>Simulador para treinamento em controle de processos industriais.</p>"
                                  "<p><i>Process control training simulator.</i></p>"));
    text->setAccessibleName(QStringLiteral("KIVO v " KIVO_VERSION));
    line->addWidget(text, 1);
    column->addLayout(line, 1);
    auto* closeButton = CaptionedButton<QPushButton>(this, "OKButton", "Fechar");
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    column->addWidget(closeButton, 0, Qt::AlignRight);
    resize(602, 452);
}

void FastSimulationWindow::TranslateAbout(bool english) {
    setWindowTitle(english ? QStringLiteral("About") : QStringLiteral("Sobre"));
    if (auto* closeButton = findChild<QPushButton*>(QStringLiteral("OKButton"))) {
        closeButton->setText(english ? QStringLiteral("Close") : QStringLiteral("Fechar"));
        closeButton->setAccessibleName(closeButton->text());
    }
}

FastSimulationWindow::FastSimulationWindow(AppContext& app, QWidget* parent) : QDialog(parent), app_(&app) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(FastSimulationTitle(false));
    // A sizeable window of its own with no close button of its own: the
    // title bar closes it.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);

    auto* root = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addWidget(MakeSimulationPanel());
    indices_ = new IndicesPanel(this);
    left->addWidget(indices_, 1);
    root->addLayout(left);

    auto* right = new QVBoxLayout;
    right->addWidget(MakeTools());
    auto* divisor = Named(new QSplitter(Qt::Vertical, this), "DivisorGraficos");
    divisor->addWidget(MakeRow(Superior));
    divisor->addWidget(MakeRow(Inferior));
    right->addWidget(divisor, 1);
    root->addLayout(right, 1);

    for (QComboBox* c : selectors_) {
        c->installEventFilter(this);
        FillSelector(c);
    }
    ApplyFastSimulationTooltips(this, FastSimulationTooltips(), false);
    ApplyNames(this, FastSimulationNames(), false);
    if (app.english()) Translate();
    NameTabs();
    prefix_->setText(ArchivePrefix(app.project().title));
    WindowComboBoxChange(0);
    TestSignalComboChange(0);
    UpdateSelPage();
    resize(1200, 800);
    setWindowState(Qt::WindowMaximized);
}

FastSimulationWindow::~FastSimulationWindow() = default;

QWidget* FastSimulationWindow::MakeSimulationPanel() {
    auto* panel = Named(new QGroupBox(this), "PainelSimulacao");
    auto* shape = new QFormLayout(panel);
    window_ = Named(new QComboBox(panel), "JanelaComboBox");
    window_->addItems({"30 min", "1 hora", "2 horas", "4 horas"});
    shape->addRow(Caption(panel, "JanelaLabel", "Janela Simulação:"), window_);
    ta_ = Named(new QComboBox(panel), "TACombo");
    ta_->addItems({"100 ms", "200 ms", "500 ms", "1 seg"});
    shape->addRow(Caption(panel, "TALabel", "Tempo Amostragem:"), ta_);
    testSignal_ = Named(new QComboBox(panel), "SinalTesteCombo");
    testSignal_->addItems(TestSignalItems(false));
    shape->addRow(testSignal_);
    amplitudeLabel_ = Caption(panel, "SinalTesteLabel", "Amplitude do Degrau(%):");
    amplitude_ = Named(new QLineEdit(QStringLiteral("10"), panel), "SinalTesteValor");
    shape->addRow(amplitudeLabel_, amplitude_);
    archive_ = CheckBox(panel, "CheckArquivar", "Armazenar Dados", false);
    shape->addRow(archive_);
    prefix_ = Named(new QLineEdit(panel), "Edit2");
    shape->addRow(Caption(panel, "ArquivoLabel", "Arquivo:"), prefix_);
    normalize_ = CheckBox(panel, "Normaliza", "Normalizar", true);
    shape->addRow(normalize_);
    simulate_ = CaptionedButton<QPushButton>(panel, "BTNSimular", "Simular");
    auto* helpButton = ToolButton(panel, "SpeedButton4", "?", true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(simulate_, 1);
    buttons->addWidget(helpButton);
    shape->addRow(buttons);
    progress_ = Named(new QProgressBar(panel), "ProgressBar1");
    progress_->setRange(0, 100);
    progress_->setValue(0);
    shape->addRow(progress_);
    message_ = Named(new QLabel(panel), "Mensagem");
    message_->setWordWrap(true);
    shape->addRow(message_);

    connect(window_, &QComboBox::currentIndexChanged, this, &FastSimulationWindow::WindowComboBoxChange);
    connect(testSignal_, &QComboBox::currentIndexChanged, this, &FastSimulationWindow::TestSignalComboChange);
    connect(simulate_, &QPushButton::clicked, this, &FastSimulationWindow::BTNSimulateClick);
    connect(helpButton, &QToolButton::clicked, this, [this] {
        OpenHelp(app_->interaction(), help::UrlBase(app_->english()), help::Entry::FastSimulation);
    });
    return panel;
}

QWidget* FastSimulationWindow::MakeRow(Row l) {
    auto* frame = new QWidget(this);
    auto* column = new QVBoxLayout(frame);
    column->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QHBoxLayout;
    // ComboBox2 and Button1 load into the upper row, ComboBox1 and
    // BTNCarregar into the lower one.
    selectors_[l] = Named(new QComboBox(frame), l == Superior ? "ComboBox2" : "ComboBox1");
    selectors_[l]->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    selectors_[l]->setMinimumContentsLength(16);
    load_[l] = CaptionedButton<QPushButton>(frame, l == Superior ? "Button1" : "BTNCarregar", "Carregar Histórico");
    rowProgress_[l] = Named(new QProgressBar(frame), l == Superior ? "ProgressBar2" : "ProgressBar3");
    rowProgress_[l]->setRange(0, 100);
    rowProgress_[l]->setValue(0);
    bar->addWidget(selectors_[l]);
    bar->addWidget(load_[l]);
    bar->addWidget(rowProgress_[l], 1);
    column->addLayout(bar);

    tabs_[l] = Named(new QTabWidget(frame), l == Superior ? "TabbedNotebook1" : "TabbedNotebook2");
    tabs_[l]->setUsesScrollButtons(true);
    for (int n = 1; n <= kLoops; ++n) {
        auto* g = new LoopChart(tabs_[l]);
        g->setObjectName(QStringLiteral("%1%2").arg(l == Superior ? "GraficoMalha" : "GraficoHist").arg(n));
        g->setAccessibleName(g->objectName());
        plots_[l][static_cast<std::size_t>(n - 1)] = g;
        tabs_[l]->addTab(g, l == Superior ? LoopTab(n, false) : HistoryTab(n));
        connect(g, &LoopChart::zoomDone, this, [this, l, n] { Zoom(l, n); });
        connect(g, &LoopChart::zoomUndone, this, [this, l, n] { ZoomUndone(l, n); });
    }
    column->addWidget(tabs_[l], 1);

    if (l == Superior) {
        connect(load_[l], &QPushButton::clicked, this, &FastSimulationWindow::LoadUpperRow);
        connect(tabs_[l], &QTabWidget::currentChanged, this, &FastSimulationWindow::UpperTabChanged);
    } else {
        connect(load_[l], &QPushButton::clicked, this, &FastSimulationWindow::LoadLowerRow);
        connect(tabs_[l], &QTabWidget::currentChanged, this, &FastSimulationWindow::LowerTabChanged);
    }
    return frame;
}

QWidget* FastSimulationWindow::MakeTools() {
    auto* bar = Named(new QWidget(this), "FerramentasGraficos");
    auto* line = new QHBoxLayout(bar);
    line->setContentsMargins(0, 0, 0, 0);
    zoom_ = ToolButton(bar, "SpeedButton1", "Zoom", true);
    auto* undo = ToolButton(bar, "SpeedButton2", "Desfazer Zoom", false);
    auto* scale = ToolButton(bar, "SpeedButton3", "0-100%", true);
    replica_ = CheckBox(bar, "ReplicaZoom", "Replicar Zoom", true);
    hideCO_ = CheckBox(bar, "CheckBox1", "Ocultar COs", false);
    ptsPage_ = Named(new QComboBox(bar), "PtsPag");
    ptsPage_->addItems({"15 min", "30 min", "1 hora", "2 horas", "4 horas"});
    ptsPage_->setCurrentIndex(1);
    selPage_ = Named(new QSpinBox(bar), "SelPage");
    selPage_->setRange(1, 1);
    for (QWidget* w : std::initializer_list<QWidget*>{zoom_, undo, scale, replica_, hideCO_, ptsPage_, selPage_})
        line->addWidget(w);
    line->addStretch(1);

    connect(zoom_, &QToolButton::clicked, this, &FastSimulationWindow::StartZoom);
    connect(undo, &QToolButton::clicked, this, &FastSimulationWindow::UndoZoom);
    connect(scale, &QToolButton::clicked, this, &FastSimulationWindow::ScaleTo0to100);
    connect(hideCO_, &QCheckBox::toggled, this, &FastSimulationWindow::HideCoToggled);
    connect(ptsPage_, &QComboBox::currentIndexChanged, this, &FastSimulationWindow::PtsPageChange);
    connect(selPage_, &QSpinBox::valueChanged, this, &FastSimulationWindow::SelPageChangingEx);
    return bar;
}

void FastSimulationWindow::Translate() {
    setWindowTitle(FastSimulationTitle(true));
    ApplyTexts(this, FastSimulationTexts(), true);
    ApplyFastSimulationTooltips(this, FastSimulationTooltips(), true);
    ApplyNames(this, FastSimulationNames(), true);
    indices_->Translate();
    const int item = testSignal_->currentIndex();
    testSignal_->clear();
    testSignal_->addItems(TestSignalItems(true));
    testSignal_->setCurrentIndex(item);
}

void FastSimulationWindow::NameTabs() {
    if (!app_) return;
    const bool english = app_->english();
    for (int n = 1; n <= kLoops; ++n) {
        const auto* c = app_->sim().controllers.active(n) ? app_->project().controller(n) : nullptr;
        const QString tag = c ? QString::fromStdString(c->TagText) : QString();
        tabs_[Superior]->setTabText(n - 1, c ? tag : LoopTab(n, english));
        tabs_[Inferior]->setTabText(n - 1, c ? tag + QStringLiteral("(hist)") : HistoryTab(n));
        // A chart is named by its tab.
        for (Row l : {Superior, Inferior}) plot(l, n)->setAccessibleName(tabs_[l]->tabText(n - 1));
    }
}

void FastSimulationWindow::WindowComboBoxChange(int i) {
    ta_->setCurrentIndex(i);
}

void FastSimulationWindow::TestSignalComboChange(int i) {
    const bool step = i == 2 || i == 3;
    amplitudeLabel_->setVisible(step);
    amplitude_->setVisible(step);
}

void FastSimulationWindow::EnableControls(bool sim) {
    for (QWidget* w : std::initializer_list<QWidget*>{simulate_, archive_, prefix_, window_}) w->setEnabled(sim);
}

void FastSimulationWindow::closeEvent(QCloseEvent* e) {
    // The run holds the plant and the timer; the window stays until it ends.
    if (running_) {
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

bool FastSimulationWindow::eventFilter(QObject* o, QEvent* e) {
    // Entering a selector (focus or a click that opens its list) lists the
    // archives as they are now.
    if (e->type() == QEvent::FocusIn || e->type() == QEvent::MouseButtonPress) {
        if (o == selectors_[Inferior]) FillLowerSelector();
        if (o == selectors_[Superior]) FillUpperSelector();
    }
    return QDialog::eventFilter(o, e);
}

}  // namespace kivo::ui
