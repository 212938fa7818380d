#include "ui/recorders/XYRecorderWindow.h"

#include <algorithm>

#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QImage>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QLineSeries>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValueAxis>

#include "ui/context/AppContext.h"
#include "ui/context/LongOperation.h"
#include "ui/i18n/RecorderTexts.h"
#include "ui/widgets/ObjectForm.h"

namespace kivo::ui {

namespace {

// An axis list that is rebuilt from the variable table each time it opens.
class VariableList : public QComboBox {
public:
    using QComboBox::QComboBox;
    std::function<void()> onOpen;
    void showPopup() override {
        if (onOpen) onOpen();
        QComboBox::showPopup();
    }
};

}  // namespace

XYRecorderWindow::XYRecorderWindow(AppContext& app, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      app_(app) {
    setObjectName(QStringLiteral("RegXY"));
    setWindowTitle(QStringLiteral("Registrador XY"));
    auto* column = new QVBoxLayout(this);

    auto* top = new QGridLayout;
    const auto label = [this](const char* name, const char* text, QWidget* w) {
        auto* l = new QLabel(QString::fromUtf8(text), this);
        l->setObjectName(QString::fromLatin1(name));
        l->setAccessibleName(l->text());
        l->setBuddy(w);
        return l;
    };
    const auto list = [this](const char* name) {
        auto* c = new VariableList(this);
        c->setObjectName(QString::fromLatin1(name));
        c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        // Room for the number and a description of a few words.
        c->setMinimumContentsLength(22);
        return c;
    };
    auto* x = list("ComboX");
    auto* y = list("ComboY");
    comboX_ = x;
    comboY_ = y;
    presets_ = new QComboBox(this);
    presets_->setObjectName(QStringLiteral("Presets"));
    for (const std::string& s : PresetXYItems()) presets_->addItem(QString::fromStdString(s));
    window_ = new QComboBox(this);
    window_->setObjectName(QStringLiteral("JanelaComboBox"));
    window_->addItems({QStringLiteral("10 min"), QStringLiteral("30 min"), QStringLiteral("1 hora")});
    top->addWidget(label("LabelX", "var X:", comboX_), 0, 0);
    top->addWidget(comboX_, 0, 1);
    top->addWidget(label("LabelY", "var Y:", comboY_), 0, 2);
    top->addWidget(comboY_, 0, 3);
    top->addWidget(label("PresetsLabel", "Presets:", presets_), 1, 0);
    top->addWidget(presets_, 1, 1);
    top->addWidget(label("JanelaLabel", "Janela:", window_), 1, 2);
    top->addWidget(window_, 1, 3);
    top->setColumnStretch(1, 1);
    top->setColumnStretch(3, 1);
    column->addLayout(top);

    for (VariableList* l : {x, y})
        l->onOpen = [this] {
            // Opening a list ends the preset; the choice made stays.
            UpdateLists();
            presets_->setCurrentIndex(0);
        };
    connect(comboX_, &QComboBox::activated, this, &XYRecorderWindow::UpdateButton);
    connect(comboY_, &QComboBox::activated, this, &XYRecorderWindow::UpdateButton);
    connect(presets_, &QComboBox::activated, this, &XYRecorderWindow::PresetsChange);

    auto* buttons = new QHBoxLayout;
    const auto button = [this, buttons](const char* name, QStyle::StandardPixmap icon) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setIcon(style()->standardIcon(icon));
        b->setAutoRaise(true);
        buttons->addWidget(b);
        return b;
    };
    QToolButton* zoom = button("SpeedButton1", QStyle::SP_FileDialogContentsView);
    QToolButton* undo = button("SpeedButton2", QStyle::SP_ArrowBack);
    QToolButton* scale = button("SpeedButton3", QStyle::SP_TitleBarMaxButton);
    QToolButton* reset = button("SpeedButton4", QStyle::SP_DialogResetButton);
    gauge1_ = new QProgressBar(this);
    gauge1_->setObjectName(QStringLiteral("Gauge1"));
    gauge1_->setAccessibleName(QStringLiteral("Progresso do registro"));
    gauge1_->setRange(0, 100);
    gauge1_->setTextVisible(false);
    QPalette pal = gauge1_->palette();
    pal.setColor(QPalette::Highlight, QColor(0, 0, 128));
    gauge1_->setPalette(pal);
    buttons->addWidget(gauge1_, 1);
    record_ = new QPushButton(QStringLiteral("Registra"), this);
    record_->setObjectName(QStringLiteral("Button1"));
    record_->setAutoDefault(false);
    exit_ = new QPushButton(QStringLiteral("Sair"), this);
    exit_->setObjectName(QStringLiteral("SairButton"));
    exit_->setAutoDefault(false);
    buttons->addWidget(record_);
    buttons->addWidget(exit_);

    chart_ = new QChart;
    chart_->legend()->hide();
    chart_->setBackgroundBrush(Qt::white);
    chart_->setMargins(QMargins(4, 4, 4, 4));
    // A series without its line whose points are a small image painted in
    // one pass: a point series keeps a scene item per marker, and tens of
    // thousands of them take seconds to replace after a run.
    series_ = new QLineSeries;
    series_->setMarkerSize(2);
    series_->setPen(Qt::NoPen);
    series_->setColor(Qt::red);
    QImage point(4, 4, QImage::Format_ARGB32_Premultiplied);
    point.fill(Qt::red);
    series_->setLightMarker(point);
    chart_->addSeries(series_);
    xAxis_ = new QValueAxis;
    yAxis_ = new QValueAxis;
    for (QValueAxis* a : {xAxis_, yAxis_}) a->setLabelFormat(QStringLiteral("%.1f"));
    chart_->addAxis(xAxis_, Qt::AlignBottom);
    chart_->addAxis(yAxis_, Qt::AlignLeft);
    series_->attachAxis(xAxis_);
    series_->attachAxis(yAxis_);
    view_ = new QChartView(chart_, this);
    view_->setObjectName(QStringLiteral("Chart1"));
    view_->setAccessibleName(QString::fromUtf8("Gráfico XY"));
    view_->setMinimumSize(420, 320);
    column->addWidget(view_, 1);
    column->addLayout(buttons);
    AutoScale();

    connect(zoom, &QToolButton::clicked, this, [this] { view_->setRubberBand(QChartView::RectangleRubberBand); });
    connect(undo, &QToolButton::clicked, this, [this] {
        chart_->zoomReset();
        scale0to100_ = false;
        AutoScale();
    });
    connect(scale, &QToolButton::clicked, this, [this] {
        scale0to100_ = true;
        xAxis_->setRange(0, 100);
        yAxis_->setRange(0, 100);
    });
    connect(reset, &QToolButton::clicked, this, &XYRecorderWindow::Clear);
    connect(record_, &QPushButton::clicked, this, &XYRecorderWindow::Record);
    connect(exit_, &QPushButton::clicked, this, &QWidget::hide);

    for (QPushButton* b : {record_, exit_}) b->setAccessibleName(b->text());
    ApplyTooltips(this, XYRecorderTooltips(), false);
    // The lists and the window selector are named by their captions.
    SyncAccessibleNames(this);
    FillLists();
}

XYRecorderWindow::~XYRecorderWindow() = default;

void XYRecorderWindow::FillLists() {
    UpdateLists();
    comboX_->setCurrentIndex(0);
    comboY_->setCurrentIndex(0);
    UpdateButton();
}

void XYRecorderWindow::UpdateLists() {
    // The entries carry the variable table's descriptions, which an apply,
    // a project load or the variable list changes.
    QStringList items;
    for (const std::string& s : app_.sim().mem.DisplayList()) items << QString::fromStdString(s);
    for (QComboBox* c : {comboX_, comboY_}) {
        UpdateItems(c, items);
        if (c->currentIndex() < 0) c->setCurrentIndex(0);
        c->view()->setMinimumWidth(c->view()->sizeHintForColumn(0) + 24);
    }
}

void XYRecorderWindow::Clear() {
    if (running_) return;
    points_.clear();
    series_->clear();
    AutoScale();
    gauge1_->setValue(0);
}

void XYRecorderWindow::UpdateButton() { record_->setEnabled(comboX_->currentIndex() >= 0 && comboY_->currentIndex() >= 0); }

void XYRecorderWindow::PresetsChange(int i) {
    const auto pair = PresetXY(app_.sim(), i);
    if (!pair) return;
    UpdateLists();
    comboX_->setCurrentIndex(pair->first - 1);
    comboY_->setCurrentIndex(pair->second - 1);
    UpdateButton();
}

void XYRecorderWindow::Record() {
    const int j = std::clamp(window_->currentIndex(), 0, 2);
    RecordXY(kXYWindows[static_cast<std::size_t>(j)], comboX_->currentIndex() + 1, comboY_->currentIndex() + 1);
}

void XYRecorderWindow::RecordXY(double window, int x, int y) {
    if (running_) return;
    running_ = true;
    record_->setEnabled(false);
    {
        SuspendedTimer suspended(app_.timer());
        ProgressBarDriver progress(*gauge1_);
        kivo::RecordXY(app_.sim(), window, x, y, points_, &progress);
    }
    gauge1_->setValue(100);
    // The whole series in one call: inserting point by point would redraw
    // the chart thousands of times.
    QList<QPointF> list;
    list.reserve(static_cast<qsizetype>(points_.size()));
    for (const XYPoint& p : points_) list.append(QPointF(p.x, p.y));
    series_->replace(list);
    if (!scale0to100_) AutoScale();
    record_->setEnabled(true);
    UpdateButton();
    running_ = false;
}

void XYRecorderWindow::AutoScale() {
    if (points_.empty()) {
        xAxis_->setRange(0, 100);
        yAxis_->setRange(0, 100);
        return;
    }
    const auto [minX, maxX] = std::minmax_element(points_.begin(), points_.end(),
                                                  [](const XYPoint& a, const XYPoint& b) { return a.x < b.x; });
    const auto [minY, maxY] = std::minmax_element(points_.begin(), points_.end(),
                                                  [](const XYPoint& a, const XYPoint& b) { return a.y < b.y; });
    // A margin of 5 % around the points; a single value gets one unit
    // either side so that it is not drawn on the frame.
    const auto range = [](QValueAxis* axis, double lo, double hi) {
        const double m = hi > lo ? (hi - lo) * 0.05 : 1;
        axis->setRange(lo - m, hi + m);
    };
    range(xAxis_, minX->x, maxX->x);
    range(yAxis_, minY->y, maxY->y);
}

void XYRecorderWindow::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    UpdateLists();
    if (app_.english() && !translated_) {
        translated_ = true;
        ApplyTexts(this, XYRecorderTexts(), true);
        ApplyTooltips(this, XYRecorderTooltips(), true);
        SyncAccessibleNames(this);
        const auto items = PresetXYItems(true);
        for (int i = 0; i < presets_->count() && i < int(items.size()); ++i)
            presets_->setItemText(i, QString::fromStdString(items[std::size_t(i)]));
    }
    // Centred on the screen.
    if (const QScreen* canvas = screen()) move(canvas->availableGeometry().center() - rect().center());
}

void XYRecorderWindow::closeEvent(QCloseEvent* e) {
    // "Sair" hides; there is no other way out, and none during a run.
    if (running_) e->ignore();
    else QDialog::closeEvent(e);
}

void XYRecorderWindow::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && running_) return;
    QDialog::keyPressEvent(e);
}

}  // namespace kivo::ui
