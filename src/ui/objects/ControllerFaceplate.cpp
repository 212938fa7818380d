#include "ui/objects/ControllerFaceplate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "help/HelpLinks.h"
#include "ui/context/HelpPages.h"
#include "objects/Controller.h"
#include "ui/context/AppContext.h"
#include "ui/i18n/ControllerTexts.h"
#include "ui/i18n/Translations.h"
#include "ui/shell/Shell.h"
#include "ui/objects/ControllerSettings.h"
#include "ui/objects/TrendChart.h"
#include "ui/widgets/VerticalBar.h"

namespace kivo::ui {
namespace {

template <class W>
W* Named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QLabel* Caption(const char* name, const char* text, QWidget* parent) {
    auto* l = Named(new QLabel(QString::fromUtf8(text), parent), name);
    l->setAccessibleName(l->text());
    return l;
}

// The pictures of the two layout buttons, drawn at the size asked for: a
// small trend for the trend area, three sliders for the configuration.
QIcon ButtonIcon(bool trend) {
    QIcon icon;
    for (int side : {16, 24, 32, 48}) {
        QPixmap pm(side, side);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        const double u = side / 16.0;
        if (trend) {
            p.setPen(QPen(QColor(0xC0, 0xC0, 0xC0), u));
            p.drawRect(QRectF(1.5 * u, 2.5 * u, 13 * u, 11 * u));
            p.setPen(QPen(Qt::red, 1.5 * u));
            p.drawPolyline(QPolygonF{QPointF(2 * u, 11 * u), QPointF(6 * u, 6 * u), QPointF(9 * u, 9 * u),
                                     QPointF(14 * u, 4 * u)});
            p.setPen(QPen(Qt::blue, 1.2 * u));
            p.drawLine(QPointF(2 * u, 7 * u), QPointF(14 * u, 7 * u));
        } else {
            p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.2 * u));
            for (int k = 0; k < 3; ++k) {
                const double y = (4 + 4 * k) * u;
                p.drawLine(QPointF(2 * u, y), QPointF(14 * u, y));
                const double x = (4 + 4 * ((k + 1) % 3)) * u;
                p.setBrush(QColor(0x30, 0x60, 0xC0));
                p.drawRect(QRectF(x - 1.5 * u, y - 1.5 * u, 3 * u, 3 * u));
            }
        }
        icon.addPixmap(pm);
    }
    return icon;
}

}  // namespace

QString& ControllerFaceplate::logFolder() {
    static QString folder;
    return folder;
}

ControllerFaceplate::ControllerFaceplate(AppContext& app, Shell& shell, kivo::Controller& model)
    : QWidget(shell.mainWidget(), Qt::Window), app_(app), shell_(shell), c_(model) {
    setObjectName(QStringLiteral("Controlador"));
    auto* line = new QHBoxLayout(this);
    // The window takes the size its contents ask for in either layout, in
    // both languages and at any scaling.
    line->setSizeConstraint(QLayout::SetFixedSize);
    line->addWidget(MakeFaceplate(), 0, Qt::AlignTop);

    area_ = new QWidget(this);
    auto* a = new QVBoxLayout(area_);
    a->setContentsMargins(0, 0, 0, 0);
    pages_ = new QStackedWidget(area_);
    trendPage_ = MakeTrend();
    config_ = new ControllerSettings(app_.sim().mem, pages_);
    pages_->addWidget(trendPage_);
    pages_->addWidget(config_);
    a->addWidget(pages_);
    line->addWidget(area_, 1);

    ApplyControlTexts(this, FaceplateTexts(), app_.english());
    config_->Load(c_);
    connect(config_, &ControllerSettings::edited, this, &ControllerFaceplate::ConfigEdited);
    connect(config_->updateButton(), &QPushButton::clicked, this, &ControllerFaceplate::btnupdateClick);

    blink_.setObjectName(QStringLiteral("Timer1"));
    blink_.setInterval(500);
    connect(&blink_, &QTimer::timeout, this, &ControllerFaceplate::Timer1Timer);
    connect(&app_, &AppContext::displayRefresh, this, &ControllerFaceplate::UpdateDisplay);
    connect(&app_, &AppContext::plantRestored, this, [this] { plot_->UpdateCurves(); });

    c_.trend.observer = this;
    // The window shows what the last apply left in the model.
    AfterApply(true);
    ShowSP();
    ShowMV();
    UpdateDisplay();
}

ControllerFaceplate::~ControllerFaceplate() {
    if (c_.trend.observer == this) c_.trend.observer = nullptr;
}

QWidget* ControllerFaceplate::MakeFaceplate() {
    auto* f = Named(new QWidget(this), "Faceplate");
    auto* v = new QVBoxLayout(f);
    v->setContentsMargins(0, 0, 0, 0);

    header_ = Named(new QLabel(f), "Cabecalho");
    header_->setAlignment(Qt::AlignCenter);
    header_->setWordWrap(true);
    QFont bold = header_->font();
    bold.setBold(true);
    header_->setFont(bold);
    v->addWidget(header_);

    auto* modes = new QGridLayout;
    // Tool buttons: a push button's style minimum would widen the narrow
    // faceplate.
    lr_ = Named(new QToolButton(f), "LocalRemotoBTN");
    am_ = Named(new QToolButton(f), "AutoManualBTN");
    for (QToolButton* b : {lr_, am_}) b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    lrLetter_ = Named(new QLabel(f), "LetraLR");
    amLetter_ = Named(new QLabel(f), "LetraAM");
    for (QLabel* l : {lrLetter_, amLetter_}) {
        l->setFont(bold);
        l->setAlignment(Qt::AlignCenter);
        l->setFrameShape(QFrame::Box);
        l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("MM")));
    }
    modes->addWidget(lr_, 0, 0);
    modes->addWidget(lrLetter_, 0, 1);
    modes->addWidget(am_, 0, 2);
    modes->addWidget(amLetter_, 0, 3);
    v->addLayout(modes);
    connect(lr_, &QToolButton::clicked, this, &ControllerFaceplate::LocalRemoteBTNClick);
    connect(am_, &QToolButton::clicked, this, &ControllerFaceplate::AutoManualBTNClick);

    auto* g = new QGridLayout;
    g->setHorizontalSpacing(4);
    g->addWidget(Caption("LabelSPBar", "SP:", f), 0, 0, Qt::AlignHCenter);
    g->addWidget(Caption("LabelPVBar", "PV:", f), 0, 1, Qt::AlignHCenter);
    g->addWidget(Caption("LabelCOBar", "CO:", f), 0, 2, Qt::AlignHCenter);

    // The SPR bar stands narrow beside the SP bar when the remote setpoint
    // is enabled.
    auto* sp = new QHBoxLayout;
    sp->setSpacing(1);
    spBar_ = Named(new VerticalBar(Qt::blue, 200, f), "SPBar");
    sprBar_ = Named(new VerticalBar(QColor(0x60, 0x90, 0xFF), 200, f), "SPRBar");
    sprBar_->setFixedWidth(sprBar_->fontMetrics().height() / 2);
    sp->addWidget(spBar_);
    sp->addWidget(sprBar_);
    g->addLayout(sp, 1, 0, Qt::AlignHCenter);
    pvBar_ = Named(new VerticalBar(Qt::red, 200, f), "PVBar");
    coBar_ = Named(new VerticalBar(QColor(0, 160, 0), 200, f), "COBar");
    g->addWidget(pvBar_, 1, 1, Qt::AlignHCenter);
    g->addWidget(coBar_, 1, 2, Qt::AlignHCenter);

    const int fieldWidth = fontMetrics().horizontalAdvance(QStringLiteral("-0000.00 "));
    const auto field = [&](const char* name) {
        auto* e = Named(new QLineEdit(f), name);
        e->setAlignment(Qt::AlignRight);
        e->setMinimumWidth(fieldWidth);
        e->setMaximumWidth(fieldWidth * 3 / 2);
        e->installEventFilter(this);
        return e;
    };
    spText_ = field("SPText");
    pvText_ = field("PVText");
    pvText_->setReadOnly(true);
    mvText_ = field("MVText");
    g->addWidget(spText_, 2, 0);
    g->addWidget(pvText_, 2, 1);
    g->addWidget(mvText_, 2, 2);
    connect(mvText_, &QLineEdit::textEdited, this, [this] {
        if (!c_.state.autoMode) send_->setEnabled(true);
    });

    spPercent_ = Named(new QLabel(f), "SPPorc");
    pvPercent_ = Named(new QLabel(f), "PVPorc");
    g->addWidget(spPercent_, 3, 0, Qt::AlignRight);
    g->addWidget(pvPercent_, 3, 1, Qt::AlignRight);
    g->addWidget(Caption("LabelCOPorc", "%", f), 2, 3);
    unit_ = Named(new QLabel(f), "UnidadeSP");
    unit_->setAlignment(Qt::AlignCenter);
    g->addWidget(unit_, 4, 0, 1, 2);

    const auto oneStep = [&](const char* name, QStyle::StandardPixmap arrow) {
        auto* b = Named(new QToolButton(f), name);
        b->setIcon(style()->standardIcon(arrow));
        b->setAutoRepeat(true);
        return b;
    };
    incSP_ = oneStep("IncrementaSP", QStyle::SP_ArrowUp);
    decSP_ = oneStep("DecrementaSP", QStyle::SP_ArrowDown);
    incMV_ = oneStep("IncrementaSaida", QStyle::SP_ArrowUp);
    decMV_ = oneStep("DecrementaSaida", QStyle::SP_ArrowDown);
    auto* spSteps = new QHBoxLayout;
    spSteps->addWidget(decSP_);
    spSteps->addWidget(incSP_);
    g->addLayout(spSteps, 5, 0);
    connect(incSP_, &QToolButton::clicked, this, [this] { IncrementSP(1); });
    connect(decSP_, &QToolButton::clicked, this, [this] { IncrementSP(-1); });
    v->addLayout(g, 1);

    auto* output = Named(new QGroupBox(f), "SaidaGroup");
    auto* s = new QHBoxLayout(output);
    s->addWidget(decMV_);
    s->addWidget(incMV_);
    send_ = Named(new QPushButton(output), "Button2");
    s->addWidget(send_, 1);
    v->addWidget(output);
    connect(incMV_, &QToolButton::clicked, this, [this] { IncrementOutput(1); });
    connect(decMV_, &QToolButton::clicked, this, [this] { IncrementOutput(-1); });
    connect(send_, &QPushButton::clicked, this, &ControllerFaceplate::MVTextEnter);

    auto* buttons = new QHBoxLayout;
    configBtn_ = Named(new QToolButton(f), "ConfigBTN");
    configBtn_->setIcon(ButtonIcon(false));
    trendBtn_ = Named(new QToolButton(f), "TrendButton");
    trendBtn_->setIcon(ButtonIcon(true));
    help_ = Named(new QToolButton(f), "SpeedButton1");
    auto* closeButton = Named(new QPushButton(f), "SairBTN");
    for (QToolButton* b : {configBtn_, trendBtn_}) {
        const int side = b->fontMetrics().height() * 3 / 2;
        b->setIconSize(QSize(side, side));
    }
    buttons->addWidget(configBtn_);
    buttons->addWidget(trendBtn_);
    buttons->addWidget(help_);
    buttons->addStretch(1);
    buttons->addWidget(closeButton);
    v->addLayout(buttons);
    connect(configBtn_, &QToolButton::clicked, this, &ControllerFaceplate::ConfigBTNClick);
    connect(trendBtn_, &QToolButton::clicked, this, &ControllerFaceplate::TrendButtonClick);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(help_, &QToolButton::clicked, this, [this] {
        OpenHelp(app_.interaction(), help::UrlBase(app_.english()), help::Entry::PidController);
    });
    return f;
}

QWidget* ControllerFaceplate::MakeTrend() {
    auto* t = Named(new QWidget(this), "PaginaTendencia");
    auto* v = new QVBoxLayout(t);
    v->setContentsMargins(0, 0, 0, 0);

    plot_ = Named(new TrendChart(c_.trend, t), "Image1");
    auto* top = new QHBoxLayout;
    const std::array names{"PVCheck", "SPCheck", "COCheck", "AtuadorCheck"};
    for (int k = 0; k < 4; ++k) {
        const auto curve = static_cast<ControllerTrend::Curve>(k);
        curves_[k] = Named(new QCheckBox(t), names[k]);
        curves_[k]->setChecked(plot_->curveVisible(curve));
        connect(curves_[k], &QCheckBox::toggled, this, [this, curve](bool m) { plot_->setCurveVisible(curve, m); });
        top->addWidget(curves_[k]);
    }
    thick_ = Named(new QCheckBox(t), "LinhaGrossa");
    connect(thick_, &QCheckBox::toggled, plot_, &TrendChart::setThickLine);
    top->addSpacing(fontMetrics().averageCharWidth() * 2);
    top->addWidget(thick_);
    top->addStretch(1);
    // The tuning assistant starts from what the trend shows.
    tuningBtn_ = Named(new QPushButton(t), "SintoniaBTN");
    top->addWidget(tuningBtn_);
    connect(tuningBtn_, &QPushButton::clicked, this, &ControllerFaceplate::TuningBTNClick);
    pause_ = Named(new QToolButton(t), "SpeedButton2");
    pause_->setCheckable(true);
    pause_->setIcon(style()->standardIcon(QStyle::SP_MediaPause));
    top->addWidget(pause_);
    connect(pause_, &QToolButton::clicked, this, &ControllerFaceplate::TogglePause);
    v->addLayout(top);

    auto* middle = new QHBoxLayout;
    auto* scale = new QVBoxLayout;
    const int width = fontMetrics().horizontalAdvance(QStringLiteral("-00000.0"));
    const auto field = [&](const char* name) {
        auto* e = Named(new QLineEdit(t), name);
        e->setMaximumWidth(width + fontMetrics().averageCharWidth() * 2);
        e->setMinimumWidth(width);
        e->installEventFilter(this);
        return e;
    };
    eUpper_ = field("eSupText");
    eInf_ = field("eInfText");
    autoScale_ = Named(new QCheckBox(t), "EscalaAuto");
    autoScale_->setChecked(c_.trend.AutoScale);
    connect(autoScale_, &QCheckBox::clicked, this, &ControllerFaceplate::Rescale);
    scale->addWidget(eUpper_);
    scale->addStretch(1);
    scale->addWidget(autoScale_);
    scale->addStretch(1);
    scale->addWidget(eInf_);
    middle->addLayout(scale);
    middle->addWidget(plot_, 1);
    v->addLayout(middle, 1);
    connect(plot_, &TrendChart::clickedAt, this, &ControllerFaceplate::Image1MouseDown);
    connect(plot_, &TrendChart::doubleClicked, this, &ControllerFaceplate::Rescale);

    // The cursor readout keeps its place while hidden, so pausing does not
    // resize the window.
    coordinates_ = Named(new QFrame(t), "Coordenadas");
    coordinates_->setAccessibleName(app_.Text(QStringLiteral("Coordenadas do cursor"), QStringLiteral("Cursor coordinates")));
    static_cast<QFrame*>(coordinates_)->setFrameShape(QFrame::StyledPanel);
    auto* gc = new QGridLayout(coordinates_);
    gc->setContentsMargins(4, 1, 4, 1);
    for (int k = 0; k < 6; ++k) {
        cursor_[k] = Named(new QLabel(coordinates_), "Coordenada");
        cursor_[k]->setObjectName(QStringLiteral("Coordenada%1").arg(k + 1));
        gc->addWidget(cursor_[k], k / 3, k % 3);
    }
    QSizePolicy sp = coordinates_->sizePolicy();
    sp.setRetainSizeWhenHidden(true);
    coordinates_->setSizePolicy(sp);
    coordinates_->hide();
    ResetCursor();
    v->addWidget(coordinates_);

    auto* base = new QHBoxLayout;
    auto* baseLabel = Named(new QLabel(t), "LabelBaseTempo");
    timeBase_ = Named(new QComboBox(t), "BaseTempoBox");
    timeBase_->addItems(TimeBaseItems(app_.english()));
    timeBase_->setCurrentIndex(c_.trend.TimeBaseBox);
    baseLabel->setBuddy(timeBase_);
    connect(timeBase_, &QComboBox::activated, this, &ControllerFaceplate::TimeBaseBoxChange);
    archive_ = Named(new QCheckBox(t), "CheckBox1");
    connect(archive_, &QCheckBox::clicked, this, &ControllerFaceplate::ArchiveToggled);
    indicator_ = Named(new QLabel(t), "LabelArquivando");
    QPalette red = indicator_->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    indicator_->setPalette(red);
    sp = indicator_->sizePolicy();
    sp.setRetainSizeWhenHidden(true);
    indicator_->setSizePolicy(sp);
    indicator_->hide();
    base->addWidget(baseLabel);
    base->addWidget(timeBase_);
    base->addStretch(1);
    base->addWidget(archive_);
    base->addWidget(indicator_);
    v->addLayout(base);

    auto* options = new QHBoxLayout;
    engUnits_ = Named(new QCheckBox(t), "CheckBox2");
    comma_ = Named(new QCheckBox(t), "CheckBox3");
    options->addWidget(engUnits_);
    options->addWidget(comma_);
    options->addStretch(1);
    v->addLayout(options);
    return t;
}

void ControllerFaceplate::ShowLayout(Layout l) {
    layout_ = l;
    area_->setVisible(l != Layout::Narrow);
    if (l == Layout::Trend) pages_->setCurrentWidget(trendPage_);
    if (l == Layout::Configuration) pages_->setCurrentWidget(config_);
}

void ControllerFaceplate::showEvent(QShowEvent* e) {
    // Opened wide: the configuration when the loop is not set up yet,
    // otherwise the trend. A click on the marker brings back the exit and
    // configuration buttons.
    ShowLayout(c_.TagText.empty() || c_.VariableSelect < 0 ? Layout::Configuration : Layout::Trend);
    configBtn_->setEnabled(true);
    UpdateDisplay();
    QWidget::showEvent(e);
}

void ControllerFaceplate::closeEvent(QCloseEvent* e) {
    // Closing only hides: the loop and its trend go on; a paused trend
    // resumes.
    c_.trend.paused = false;
    pause_->setChecked(false);
    coordinates_->hide();
    QWidget::closeEvent(e);
}

void ControllerFaceplate::changeEvent(QEvent* e) {
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && !c_.state.autoMode) send_->setEnabled(true);
    QWidget::changeEvent(e);
}

bool ControllerFaceplate::eventFilter(QObject* o, QEvent* e) {
    if (e->type() != QEvent::KeyPress) return QWidget::eventFilter(o, e);
    const int key = static_cast<QKeyEvent*>(e)->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    const bool esc = key == Qt::Key_Escape;
    if (!enter && !esc) return QWidget::eventFilter(o, e);
    if (o == spText_) {
        if (enter && c_.state.localMode)
            SPTextEnter();
        else
            ShowSP();
        return true;
    }
    if (o == mvText_) {
        if (enter && !c_.state.autoMode)
            MVTextEnter();
        else if (!c_.state.autoMode)
            ShowMV();
        return true;
    }
    if ((o == eUpper_ || o == eInf_) && enter) {
        eUpperTextEnter();
        return true;
    }
    return QWidget::eventFilter(o, e);
}

}  // namespace kivo::ui
