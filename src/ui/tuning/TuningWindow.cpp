#include "ui/tuning/TuningWindow.h"

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
#include "ui/context/AppContext.h"
#include "ui/fastsim/LoopChart.h"
#include "ui/fastsim/IndicesPanel.h"
#include "ui/i18n/TuningTexts.h"
#include "ui/tuning/StepChart.h"

namespace kivo::ui {
namespace {

template <class W>
W* Named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QLabel* Label(const char* name, QWidget* parent, QWidget* field = nullptr) {
    auto* l = Named(new QLabel(parent), name);
    if (field) l->setBuddy(field);
    return l;
}

QTableWidget* Table(const char* name, const QStringList& columns, QWidget* parent) {
    auto* t = Named(new QTableWidget(0, int(columns.size()), parent), name);
    t->setHorizontalHeaderLabels(columns);
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    t->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return t;
}

QDoubleSpinBox* TimeSpinBox(const char* name, QWidget* parent) {
    auto* s = Named(new QDoubleSpinBox(parent), name);
    s->setDecimals(1);
    s->setRange(0, 0);
    s->setMinimumWidth(s->fontMetrics().horizontalAdvance(QStringLiteral("000000.0")) * 3 / 2);
    return s;
}

}  // namespace

TuningWindow::TuningWindow(AppContext& app, kivo::Controller& c, QWidget* parent)
    : QWidget(parent, Qt::Window), app_(app), c_(c), english_(app.english()) {
    setObjectName(QStringLiteral("TSintonia"));
    auto* grade = new QGridLayout(this);
    grade->addWidget(MakeDataArea(), 0, 0, 1, 2);

    plot_ = Named(new StepChart(english_, this), "DadosGrafico");
    const int line = fontMetrics().height();
    plot_->setMinimumSize(line * 30, line * 16);
    grade->addWidget(plot_, 1, 0);

    auto* step = Named(new QGroupBox(this), "DegrauGroup");
    auto* stepRow = new QHBoxLayout(step);
    start_ = TimeSpinBox("InicioSpin", step);
    step_ = TimeSpinBox("DegrauSpin", step);
    end_ = TimeSpinBox("FimSpin", step);
    stepRow->addWidget(Label("LabelInicio", step, start_));
    stepRow->addWidget(start_);
    stepRow->addWidget(Label("LabelDegrau", step, step_));
    stepRow->addWidget(step_);
    stepRow->addWidget(Label("LabelFim", step, end_));
    stepRow->addWidget(end_);
    stepRow->addStretch(1);
    identify_ = Named(new QPushButton(step), "IdentificarBTN");
    identify_->setEnabled(false);
    stepRow->addWidget(identify_);
    grade->addWidget(step, 2, 0);
    connect(identify_, &QPushButton::clicked, this, &TuningWindow::IdentifyBTNClick);

    grade->addWidget(MakeModelArea(), 3, 0);
    grade->addWidget(MakeRulesArea(), 1, 1, 3, 1);

    auto* base = new QHBoxLayout;
    progress_ = Named(new QProgressBar(this), "Progresso");
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->setMaximumWidth(line * 10);
    message_ = Named(new QLabel(this), "MensagemSintonia");
    message_->setWordWrap(true);
    // Room for a message of two lines, which the window's height would
    // otherwise cut.
    message_->setMinimumHeight(2 * line);
    message_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPalette red = message_->palette();
    red.setColor(QPalette::WindowText, QColor(0xC0, 0x00, 0x00));
    message_->setPalette(red);
    apply_ = Named(new QPushButton(this), "AplicarBTN");
    apply_->setEnabled(false);
    auto* closeButton = Named(new QPushButton(this), "FecharBTN");
    base->addWidget(progress_);
    base->addWidget(message_, 1);
    base->addWidget(apply_);
    base->addWidget(closeButton);
    grade->addLayout(base, 4, 0, 1, 2);
    connect(apply_, &QPushButton::clicked, this, &TuningWindow::ApplyBTNClick);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);

    grade->setColumnStretch(0, 1);
    grade->setColumnStretch(1, 1);
    grade->setRowStretch(1, 1);

    ApplyControlTexts(this, TuningTexts(), english_);
    setWindowTitle(TuningTitle(QString::fromStdString(c_.TagText), english_));
    UpdateSource();
}

QWidget* TuningWindow::MakeDataArea() {
    auto* g = Named(new QGroupBox(this), "DadosGroup");
    auto* h = new QHBoxLayout(g);
    source_ = Named(new QComboBox(g), "FonteCombo");
    source_->addItems(SourceItems(english_));
    file_ = Named(new QLineEdit(g), "ArquivoText");
    file_->setMinimumWidth(fontMetrics().averageCharWidth() * 30);
    choose_ = Named(new QPushButton(g), "ArquivoBTN");
    choose_->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("......")) * 2);
    // A .txd archive holds the whole variable memory: the loop's MV and PV
    // are found by address, the controller's own by default.
    mvAddress_ = Named(new QSpinBox(g), "EnderecoMV");
    pvAddress_ = Named(new QSpinBox(g), "EnderecoPV");
    for (QSpinBox* s : {mvAddress_, pvAddress_}) s->setRange(1, 99);
    mvAddress_->setValue(c_.number());
    pvAddress_->setValue(c_.pvAddress() > 0 ? c_.pvAddress() : 21);
    // The simulated test: a step of 10 % (the sign picks the direction); its
    // duration, left empty, is sized to the plant (SimulatedStepTest).
    simStep_ = Named(new QLineEdit(QStringLiteral("10"), g), "DegrauSimText");
    simDuration_ = Named(new QLineEdit(g), "DuracaoSimText");
    simDuration_->setPlaceholderText(AutomaticDuration(english_));
    // Room for a number or the placeholder, and the frame's margins.
    const QFontMetrics fm = simDuration_->fontMetrics();
    const int width = std::max(fm.horizontalAdvance(QStringLiteral("-000.00")),
                                 fm.horizontalAdvance(simDuration_->placeholderText())) +
                        fm.horizontalAdvance(QStringLiteral("000"));
    // The relay test's amplitude and hysteresis, left empty: chosen from the
    // output's room and the PV's noise (RelayTest).
    relayAmplitude_ = Named(new QLineEdit(g), "AmplitudeReleText");
    relayHysteresis_ = Named(new QLineEdit(g), "HistereseReleText");
    for (QLineEdit* e : {relayAmplitude_, relayHysteresis_}) e->setPlaceholderText(AutomaticDuration(english_));
    for (QLineEdit* e : {simStep_, simDuration_, relayAmplitude_, relayHysteresis_}) {
        e->setMinimumWidth(width);
        e->setMaximumWidth(width);
    }
    auto* readButton = read_ = Named(new QPushButton(g), "LerBTN");
    // Shown while a relay test runs on the running plant, in place of "Ler
    // dados".
    cancelRelay_ = Named(new QPushButton(g), "CancelarReleBTN");
    cancelRelay_->hide();
    h->addWidget(Label("LabelFonte", g, source_));
    h->addWidget(source_);
    h->addWidget(file_, 1);
    h->addWidget(choose_);
    h->addWidget(Label("LabelEnderecoMV", g, mvAddress_));
    h->addWidget(mvAddress_);
    h->addWidget(Label("LabelEnderecoPV", g, pvAddress_));
    h->addWidget(pvAddress_);
    h->addWidget(Label("LabelDegrauSim", g, simStep_));
    h->addWidget(simStep_);
    h->addWidget(Label("LabelDuracaoSim", g, simDuration_));
    h->addWidget(simDuration_);
    h->addWidget(Label("LabelAmplitudeRele", g, relayAmplitude_));
    h->addWidget(relayAmplitude_);
    h->addWidget(Label("LabelHistereseRele", g, relayHysteresis_));
    h->addWidget(relayHysteresis_);
    h->addWidget(readButton);
    h->addWidget(cancelRelay_);
    connect(cancelRelay_, &QPushButton::clicked, this, &TuningWindow::CancelLiveRelay);
    connect(simStep_, &QLineEdit::returnPressed, this, &TuningWindow::ReadBTNClick);
    connect(simDuration_, &QLineEdit::returnPressed, this, &TuningWindow::ReadBTNClick);
    connect(relayAmplitude_, &QLineEdit::returnPressed, this, &TuningWindow::ReadBTNClick);
    connect(relayHysteresis_, &QLineEdit::returnPressed, this, &TuningWindow::ReadBTNClick);
    connect(source_, &QComboBox::currentIndexChanged, this, &TuningWindow::UpdateSource);
    connect(choose_, &QPushButton::clicked, this, &TuningWindow::ChooseFile);
    connect(readButton, &QPushButton::clicked, this, &TuningWindow::ReadBTNClick);
    return g;
}

QWidget* TuningWindow::MakeModelArea() {
    auto* g = Named(new QGroupBox(this), "ModeloGroup");
    auto* v = new QVBoxLayout(g);
    auto* chooser = new QHBoxLayout;
    model_ = Named(new QComboBox(g), "ModeloCombo");
    model_->addItems(ModelItems(english_));
    model_->setCurrentIndex(3);
    chooser->addWidget(Label("LabelModelo", g, model_));
    chooser->addWidget(model_, 1);
    v->addLayout(chooser);
    models_ = Table("ModelosTabela", ModelColumns(english_), g);
    models_->setRowCount(3);
    models_->setSelectionMode(QAbstractItemView::NoSelection);
    models_->setFocusPolicy(Qt::NoFocus);
    const int height =
        models_->horizontalHeader()->sizeHint().height() + 3 * models_->verticalHeader()->defaultSectionSize() + 4;
    models_->setFixedHeight(height);
    v->addWidget(models_);
    auto* criterion = Named(new QLabel(g), "LabelCriterio");
    criterion->setWordWrap(true);
    v->addWidget(criterion);
    warnings_ = Named(new QLabel(g), "AvisosModelo");
    warnings_->setWordWrap(true);
    warnings_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPalette amber = warnings_->palette();
    amber.setColor(QPalette::WindowText, QColor(0xA0, 0x50, 0x00));
    warnings_->setPalette(amber);
    v->addWidget(warnings_);
    ultimate_ = Named(new QLabel(g), "LabelPontoUltimo");
    ultimate_->setWordWrap(true);
    v->addWidget(ultimate_);
    direction_ = Named(new QLabel(g), "LabelDirecao");
    v->addWidget(direction_);
    auto* times = new QHBoxLayout;
    tc_ = Named(new QLineEdit(g), "TcText");
    lambda_ = Named(new QLineEdit(g), "LambdaText");
    for (QLineEdit* e : {tc_, lambda_})
        e->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000.000")) * 3 / 2);
    times->addWidget(Label("LabelTc", g, tc_));
    times->addWidget(tc_);
    times->addSpacing(fontMetrics().averageCharWidth() * 2);
    times->addWidget(Label("LabelLambda", g, lambda_));
    times->addWidget(lambda_);
    times->addStretch(1);
    v->addLayout(times);
    // Empty fields leave each rule its own default, which the table shows:
    // SIMC's tau_c is the dead time of the model it works on (for a PI on a
    // second order, the half-rule first order's, longer than the model's).
    tc_->setPlaceholderText(DefaultTc(english_));
    lambda_->setPlaceholderText(DefaultLambda(english_));
    connect(model_, &QComboBox::activated, this, &TuningWindow::Propose);
    connect(tc_, &QLineEdit::returnPressed, this, &TuningWindow::Propose);
    connect(lambda_, &QLineEdit::returnPressed, this, &TuningWindow::Propose);
    return g;
}

QWidget* TuningWindow::MakeRulesArea() {
    auto* g = Named(new QGroupBox(this), "RegrasGroup");
    auto* v = new QVBoxLayout(g);
    rules_ = Table("RegrasTabela", RuleColumns(english_), g);
    // Room for the most rows the rules give: after a step test SIMC 2, IMC
    // 2, AMIGO 2, ZN 3; after a relay test (a first order) ZN Ku 3 more and
    // SIMC 1.
    rules_->setMinimumHeight(rules_->horizontalHeader()->sizeHint().height() +
                              11 * rules_->verticalHeader()->defaultSectionSize() + 4);
    v->addWidget(rules_, 1);
    connect(rules_, &QTableWidget::itemSelectionChanged, this, [this] { ShowProposal(selectedRow()); });

    auto* h = new QHBoxLayout;
    indices_ = new IndicesPanel(g);
    if (english_) indices_->Translate();
    // The panel's two columns are the setpoint and the load step here.
    for (const char* name : {"CabecalhoIndices1", "CabecalhoIndices2"})
        if (auto* l = indices_->findChild<QLabel*>(QString::fromLatin1(name))) l->hide();
    if (auto* gi = qobject_cast<QGridLayout*>(indices_->layout())) {
        auto* sp = Named(new QLabel(SetpointStepTitle(english_), indices_), "CabecalhoSP");
        auto* load = Named(new QLabel(LoadStepTitle(english_), indices_), "CabecalhoCarga");
        for (QLabel* l : {sp, load}) l->setAccessibleName(l->text());
        gi->addWidget(sp, 1, 1, Qt::AlignCenter);
        gi->addWidget(load, 1, 2, Qt::AlignCenter);
    }
    h->addWidget(indices_);
    tabs_ = Named(new QTabWidget(g), "RespostaAbas");
    spResponse_ = Named(new LoopChart(tabs_), "RespostaSP");
    loadResponse_ = Named(new LoopChart(tabs_), "RespostaCarga");
    for (LoopChart* r : {spResponse_, loadResponse_})
        r->setMinimumSize(fontMetrics().height() * 22, fontMetrics().height() * 14);
    tabs_->addTab(spResponse_, SetpointStepTitle(english_));
    tabs_->addTab(loadResponse_, LoadStepTitle(english_));
    h->addWidget(tabs_, 1);
    v->addLayout(h);
    return g;
}

void TuningWindow::UpdateSource() {
    const bool file = source_->currentIndex() == FileSource;
    for (QWidget* w : std::initializer_list<QWidget*>{file_, choose_, mvAddress_, pvAddress_})
        w->setEnabled(file);
    for (const char* name : {"LabelEnderecoMV", "LabelEnderecoPV"})
        if (auto* l = findChild<QLabel*>(QString::fromLatin1(name))) l->setEnabled(file);
    const bool simulated = source_->currentIndex() == SimulatedSource;
    for (QWidget* w : std::initializer_list<QWidget*>{simStep_, simDuration_}) w->setEnabled(simulated);
    for (const char* name : {"LabelDegrauSim", "LabelDuracaoSim"})
        if (auto* l = findChild<QLabel*>(QString::fromLatin1(name))) l->setEnabled(simulated);
    // The relay's fields take the place of the step's while it is chosen.
    const bool relay = source_->currentIndex() == RelaySource || source_->currentIndex() == LiveRelaySource;
    for (const char* name : {"LabelDegrauSim", "DegrauSimText", "LabelDuracaoSim", "DuracaoSimText"})
        if (auto* w = findChild<QWidget*>(QString::fromLatin1(name))) w->setVisible(!relay);
    for (const char* name : {"LabelAmplitudeRele", "AmplitudeReleText", "LabelHistereseRele", "HistereseReleText"})
        if (auto* w = findChild<QWidget*>(QString::fromLatin1(name))) w->setVisible(relay);
}

void TuningWindow::showEvent(QShowEvent* e) {
    // The tag may have changed since the window was made.
    setWindowTitle(TuningTitle(QString::fromStdString(c_.TagText), english_));
    QWidget::showEvent(e);
}

int TuningWindow::selectedRow() const {
    const auto lines = rules_->selectionModel()->selectedRows();
    return lines.isEmpty() ? -1 : lines.front().row();
}

QString TuningWindow::message() const { return message_->text(); }

}  // namespace kivo::ui
