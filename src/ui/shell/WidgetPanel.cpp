#include "ui/shell/WidgetPanel.h"

#include <algorithm>

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSlider>

#include "core/NumberText.h"
#include "project/PanelActions.h"
#include "ui/context/AppContext.h"
#include "ui/shell/Diagram.h"
#include "ui/widgets/Icons.h"

namespace kivo::ui {

// A shape on the diagram: a filled circle or rectangle without outline.
class AnimatedShape : public QWidget {
public:
    using QWidget::QWidget;
    bool circle = true;
    QColor colour = Qt::red;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing, circle);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        if (circle)
            p.drawEllipse(rect());
        else
            p.drawRect(rect());
    }
};

namespace {

constexpr int kSwitchSide = 40;
constexpr int kLampSide = 28;
constexpr int kPanelWidth = 180;
constexpr int kTrackWidth = 117;
constexpr int kTrackHeight = 60;
constexpr int kTrackHeightWithoutSlider = 28;
// The entry box sits this far right of the track's left edge while the
// name is short.
constexpr int kTrackEntryOffset = 52;
constexpr int kShortName = 6;

QColor QtColour(std::uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

int RoundToInt(double x) { return static_cast<int>(Round(x)); }

// The light gradient colour of the panels.
QColor PanelColour() { return QColor(0xB9, 0xD1, 0xEA); }

}  // namespace

WidgetPanel::WidgetPanel(AppContext& app, Diagram& diagram) : QObject(&diagram), app_(app), diagram_(diagram) {
    MakeShapes();
    MakeSwitches();
    MakePanel();
    MakeTracks();
    Reload();
}

void WidgetPanel::MakeShapes() {
    for (int k = 1; k <= 5; ++k) {
        auto* f = new AnimatedShape(&diagram_);
        f->setObjectName(QStringLiteral("Shape%1").arg(k));
        f->setAccessibleName(QStringLiteral("Shape%1").arg(k));
        f->setAttribute(Qt::WA_NoMousePropagation);
        f->installEventFilter(this);
        f->hide();
        shapes_[k - 1] = f;
    }
}

void WidgetPanel::MakeSwitches() {
    const qreal dpr = qApp->devicePixelRatio();
    for (int c = 1; c <= 2; ++c) {
        const QString tooltip = QStringLiteral("Saída em M1%1").arg(c);
        for (int p = 1; p <= 8; ++p) {
            auto* l = new QLabel(&diagram_);
            l->setObjectName(QStringLiteral("Chave%1p%2").arg(c).arg(p));
            l->setPixmap(DrawSwitch((p - 1) / 2, p % 2 == 0, kSwitchSide, dpr));
            l->setFixedSize(kSwitchSide, kSwitchSide);
            l->setToolTip(tooltip);
            l->setAccessibleName(tooltip);
            l->setAttribute(Qt::WA_NoMousePropagation);
            // Operable from the keyboard too: Space or Enter turns it.
            l->setFocusPolicy(Qt::TabFocus);
            l->installEventFilter(this);
            l->hide();
            switches_[c - 1][p - 1] = l;
        }
    }
}

void WidgetPanel::MakePanel() {
    panel_ = new QGroupBox(QStringLiteral(" Painel de Comando "), &diagram_);
    panel_->setObjectName(QStringLiteral("PainelComando"));
    panel_->setAccessibleName(panel_->title().trimmed());
    panel_->setAutoFillBackground(true);
    QPalette pal = panel_->palette();
    pal.setColor(QPalette::Window, PanelColour());
    panel_->setPalette(pal);
    panel_->setAttribute(Qt::WA_NoMousePropagation);
    panel_->installEventFilter(this);
    const qreal dpr = qApp->devicePixelRatio();
    QFont bold = panel_->font();
    bold.setBold(true);
    for (int b = 1; b <= 3; ++b) {
        const int y = 20 + 50 * (b - 1);
        const QString tooltip = QStringLiteral("Saída em M%1").arg(96 + b);
        // The first button's pressed picture and texts carry lower-case names.
        auto* norm = new QLabel(panel_);
        norm->setObjectName(QStringLiteral("Botao%1_norm").arg(b));
        norm->setPixmap(DrawLamp(false, kLampSide, dpr));
        auto* press = new QLabel(panel_);
        press->setObjectName(b == 1 ? QStringLiteral("botao1_press") : QStringLiteral("Botao%1_press").arg(b));
        press->setPixmap(DrawLamp(true, kLampSide, dpr));
        for (QLabel* l : {norm, press}) {
            l->setGeometry(8, y, kLampSide, kLampSide);
            l->setToolTip(tooltip);
            l->setAccessibleName(tooltip);
            l->setCursor(Qt::PointingHandCursor);
            // Operable from the keyboard too: Space or Enter presses it.
            l->setFocusPolicy(Qt::TabFocus);
            l->installEventFilter(this);
            l->hide();
        }
        auto* label = new QLabel(panel_);
        label->setObjectName(QStringLiteral("Botao%1_label").arg(b));
        label->setFont(bold);
        label->setGeometry(44, y - 2, kPanelWidth - 50, 18);
        auto* text = new QLabel(panel_);
        text->setObjectName(QStringLiteral("botao%1_texto").arg(b));
        text->setGeometry(44, y + 14, kPanelWidth - 50, 18);
        for (QLabel* l : {label, text}) {
            l->installEventFilter(this);
            l->hide();
        }
        normalButton_[b - 1] = norm;
        pressedButton_[b - 1] = press;
        buttonLabel_[b - 1] = label;
        buttonText_[b - 1] = text;
    }
    panel_->resize(kPanelWidth, 70);
    panel_->hide();
}

void WidgetPanel::MakeTracks() {
    for (int n = 1; n <= 6; ++n) {
        auto* background = new QFrame(&diagram_);
        background->setObjectName(QStringLiteral("TrackBack%1").arg(n));
        background->setFrameShape(QFrame::Box);
        background->setAutoFillBackground(true);
        QPalette pal = background->palette();
        pal.setColor(QPalette::Window, PanelColour());
        background->setPalette(pal);
        background->resize(kTrackWidth, kTrackHeight);
        auto* label = new QLabel(&diagram_);
        label->setObjectName(QStringLiteral("TrackLabel%1").arg(n));
        auto* text = new QLineEdit(QStringLiteral("0"), &diagram_);
        text->setObjectName(QStringLiteral("TrackText%1").arg(n));
        text->resize(52, 20);
        // The parts are laid out at 7 pixels per character of the name, so
        // the track's texts use a font of that width.
        QFont small = label->font();
        small.setPixelSize(11);
        label->setFont(small);
        text->setFont(small);
        auto* bar = new QSlider(Qt::Horizontal, &diagram_);
        bar->setObjectName(QStringLiteral("TrackBar%1").arg(n));
        bar->setRange(0, 10000);
        bar->setTickInterval(1000);
        bar->setTickPosition(QSlider::TicksBelow);
        bar->resize(kTrackWidth - 12, 32);
        for (QWidget* w : std::initializer_list<QWidget*>{background, label, text, bar}) {
            w->setAttribute(Qt::WA_NoMousePropagation);
            w->installEventFilter(this);
            w->hide();
        }
        connect(bar, &QSlider::valueChanged, this, [this, n](int p) { SliderChanged(n, p); });
        trackBackground_[n - 1] = background;
        trackLabel_[n - 1] = label;
        trackText_[n - 1] = text;
        trackSlider_[n - 1] = bar;
    }
}

QWidget* WidgetPanel::shape(int k) const { return shapes_[k - 1]; }

void WidgetPanel::Reload() {
    const Project& p = app_.project();
    for (int k = 1; k <= 5; ++k) {
        PlaceShape(k, p.shapes[k - 1].left, p.shapes[k - 1].baseTop);
        ApplyShape(k);
    }
    for (int c = 1; c <= 2; ++c) {
        PlaceSwitch(c, p.switches[c - 1].left, p.switches[c - 1].top);
        ApplySwitch(c);
        // A loaded switch shows the state its variable holds.
        if (p.switches[c - 1].enabled && app_.sim().mem[10 + c] != 0) FlipPicture(c);
    }
    PlacePanel(p.panel.left, p.panel.top);
    ApplyButtons();
    for (int n = 1; n <= 6; ++n) {
        trackBackground_[n - 1]->resize(kTrackWidth, kTrackHeight);
        trackSlider_[n - 1]->resize(kTrackWidth - 12, trackSlider_[n - 1]->height());
        PlaceTrack(n, p.tracks[n - 1].left, p.tracks[n - 1].top);
        ApplyTrack(n);
        adjusting_ = true;
        trackSlider_[n - 1]->setValue(RoundToInt(app_.sim().mem[14 + n] * 100));
        adjusting_ = false;
        trackText_[n - 1]->setText(SliderText(n));
    }
    diagram_.FitSize();
}

QColor WidgetPanel::LampColour(const Shape& f, double value) { return QtColour(value != 0 ? f.colour2 : f.colour1); }

void WidgetPanel::UpdateDiagram() {
    const Memory& mem = app_.sim().mem;
    for (int n = 1; n <= 6; ++n)
        if (!trackText_[n - 1]->isHidden())
            trackText_[n - 1]->setText(
                QString::fromStdString(FormatFixed(mem.ToEngineering(14 + n, mem[14 + n]), 5, 2)));
    for (int k = 1; k <= 5; ++k)
        if (app_.project().shapes[k - 1].enabled) ApplyShape(k);
    ApplyButtons();
}

void WidgetPanel::UpdateDisplay() {
    const Project& p = app_.project();
    const Memory& mem = p.sim.mem;
    for (int k = 1; k <= 5; ++k) {
        const Shape& f = p.shapes[k - 1];
        AnimatedShape* w = shapes_[k - 1];
        if (w->isHidden()) continue;
        const double v = mem[f.variable + 1];
        if (f.kind == 0) {
            w->colour = LampColour(f, v);
            w->update();
        } else {
            // Below 0 % the rectangle vanishes; above 100 % it keeps growing
            // upward from its bottom edge.
            const double factor = f.height / 50.0;
            const int height = std::max(0, RoundToInt(v * factor));
            w->setGeometry(f.left, RoundToInt((100 - v) * factor + f.baseTop), f.width, height);
        }
    }
    for (int b = 1; b <= 3; ++b)
        if (!buttonLabel_[b - 1]->isHidden()) {
            const Button& button = p.buttons[b - 1];
            const bool pressed = mem[96 + b] != 0;
            buttonText_[b - 1]->setText(QString::fromStdString(pressed ? button.oneText : button.zeroText));
            // A Modbus client may have pressed it.
            if (pressedButton_[b - 1]->isHidden() == pressed) SetButtonPressed(b, pressed);
        }
    // The same for the switches and the tracks.
    for (int c = 1; c <= 2; ++c) {
        const Switch& ch = p.switches[c - 1];
        if (ch.enabled && switches_[c - 1][2 * ch.orientation + 1]->isHidden() == (mem[10 + c] != 0)) FlipPicture(c);
    }
    for (int n = 1; n <= 6; ++n) {
        QSlider* bar = trackSlider_[n - 1];
        const int position = RoundToInt(mem[14 + n] * 100);
        if (!p.tracks[n - 1].enabled || bar->isSliderDown() || trackText_[n - 1]->hasFocus() || bar->value() == position)
            continue;
        adjusting_ = true;
        bar->setValue(position);
        adjusting_ = false;
        trackText_[n - 1]->setText(QString::fromStdString(FormatFixed(mem.ToEngineering(14 + n, mem[14 + n]), 5, 2)));
    }
}

void WidgetPanel::ApplyShape(int k) {
    const Shape& f = app_.project().shapes[k - 1];
    AnimatedShape* w = shapes_[k - 1];
    w->setVisible(f.enabled);
    w->circle = f.kind == 0;
    // A redraw shows the lamp's current state, not its "off" colour until
    // the next display tick (which never comes while paused).
    w->colour = LampColour(f, app_.sim().mem[f.variable + 1]);
    if (w->circle) {
        w->setGeometry(f.left, f.baseTop, f.width, f.height);
    } else {
        const double factor = f.height / 50.0;
        const double v = app_.sim().mem[f.variable + 1];
        w->setGeometry(f.left, RoundToInt((100 - v) * factor + f.baseTop), f.width,
                       std::max(0, RoundToInt(v * factor)));
    }
    w->update();
}

void WidgetPanel::ApplySwitch(int c) {
    const Switch& ch = app_.project().switches[c - 1];
    const QString tooltip = app_.Text(QStringLiteral("Saída em M1%1"), QStringLiteral("Output at M1%1")).arg(c);
    const QString name = app_.Text(QStringLiteral("Chave %1"), QStringLiteral("Switch %1")).arg(c);
    for (int p = 1; p <= 8; ++p) {
        QLabel* l = switches_[c - 1][p - 1];
        l->setVisible(ch.enabled && p == 2 * ch.orientation + 1);
        l->setToolTip(tooltip);
        l->setAccessibleName(name);
        l->setAccessibleDescription(tooltip);
    }
}

void WidgetPanel::FlipPicture(int c) {
    const int o = app_.project().switches[c - 1].orientation;
    for (int p : {2 * o + 1, 2 * o + 2}) switches_[c - 1][p - 1]->setVisible(switches_[c - 1][p - 1]->isHidden());
}

void WidgetPanel::FlipSwitch(int c) {
    double& m = app_.sim().mem[10 + c];
    m = 1 - m;
    const bool focused = std::any_of(switches_[c - 1].begin(), switches_[c - 1].end(), [](QLabel* l) { return l->hasFocus(); });
    FlipPicture(c);
    // The picture shown now keeps the keyboard focus the other one had.
    if (focused)
        for (QLabel* l : switches_[c - 1])
            if (!l->isHidden()) l->setFocus(Qt::OtherFocusReason);
}

void WidgetPanel::ApplyButtons() {
    const Project& p = app_.project();
    const Memory& mem = p.sim.mem;
    int height = 0;
    for (int b = 1; b <= 3; ++b) {
        const bool active = ButtonShown(p, b);
        // The lamp shows the state the variable holds.
        const bool pressed = mem[96 + b] != 0;
        normalButton_[b - 1]->setVisible(active && !pressed);
        pressedButton_[b - 1]->setVisible(active && pressed);
        buttonLabel_[b - 1]->setVisible(active);
        buttonText_[b - 1]->setVisible(active);
        if (active) {
            height = 20 + 50 * b;
            ApplyButtonDescription(b);
            const Button& button = p.buttons[b - 1];
            buttonText_[b - 1]->setText(QString::fromStdString(pressed ? button.oneText : button.zeroText));
        }
    }
    panel_->setVisible(height > 0);
    if (height > 0) panel_->resize(kPanelWidth, height);
    diagram_.FitSize();
}

void WidgetPanel::ApplyButtonDescription(int b) {
    const QString text = QString::fromStdString(app_.project().buttons[b - 1].description);
    buttonLabel_[b - 1]->setText(text);
    const QString tooltip = app_.Text(QStringLiteral("Saída em M%1"), QStringLiteral("Output at M%1")).arg(96 + b);
    for (QLabel* l : {normalButton_[b - 1], pressedButton_[b - 1]}) l->setToolTip(tooltip);
    normalButton_[b - 1]->setAccessibleName(text.isEmpty() ? tooltip : text);
    pressedButton_[b - 1]->setAccessibleName(normalButton_[b - 1]->accessibleName());
}

void WidgetPanel::SetButtonPressed(int b, bool pressed) {
    app_.sim().mem[96 + b] = pressed ? 1 : 0;
    const bool focused = normalButton_[b - 1]->hasFocus() || pressedButton_[b - 1]->hasFocus();
    normalButton_[b - 1]->setVisible(!pressed);
    pressedButton_[b - 1]->setVisible(pressed);
    if (focused) (pressed ? pressedButton_ : normalButton_)[b - 1]->setFocus(Qt::OtherFocusReason);
}

void WidgetPanel::ApplyTrack(int n) {
    const Track& t = app_.project().tracks[n - 1];
    QFrame* background = trackBackground_[n - 1];
    QSlider* bar = trackSlider_[n - 1];
    const QString name = QString::fromStdString(t.label);
    trackLabel_[n - 1]->setText(name);
    trackLabel_[n - 1]->adjustSize();
    // Every part of the track is named by the track's caption; a track
    // without a name by the variable it writes.
    const QString accessible = name.trimmed().isEmpty() ? QStringLiteral("Track %1 (M%2)").arg(n).arg(14 + n) : name;
    for (QWidget* w : std::initializer_list<QWidget*>{background, trackLabel_[n - 1], trackText_[n - 1], bar})
        w->setAccessibleName(accessible);
    const int length = int(name.size());
    if (length > kShortName) {
        background->resize(7 * length + 75, background->height());
        bar->resize(7 * length + 63, bar->height());
        trackText_[n - 1]->move(background->x() + 7 * length + 10, trackText_[n - 1]->y());
    }
    background->resize(background->width(), t.sliderShown ? kTrackHeight : kTrackHeightWithoutSlider);
    background->setVisible(t.enabled);
    trackLabel_[n - 1]->setVisible(t.enabled);
    trackText_[n - 1]->setVisible(t.enabled);
    bar->setVisible(t.enabled && t.sliderShown);
    background->lower();
    diagram_.image()->lower();
    diagram_.FitSize();
}

void WidgetPanel::PlaceShape(int k, int x, int y) {
    Shape& f = app_.project().shapes[k - 1];
    f.left = x;
    f.baseTop = y;
    const double v = app_.sim().mem[f.variable + 1];
    shapes_[k - 1]->move(x, RoundToInt((100 - v) * (f.height / 50.0) * f.kind + y));
}

void WidgetPanel::PlaceSwitch(int c, int x, int y) {
    app_.project().switches[c - 1].left = x;
    app_.project().switches[c - 1].top = y;
    for (QLabel* l : switches_[c - 1]) l->move(x, y);
}

void WidgetPanel::PlacePanel(int x, int y) {
    app_.project().panel.left = x;
    app_.project().panel.top = y;
    panel_->move(x, y);
}

void WidgetPanel::PlaceTrack(int n, int x, int y) {
    app_.project().tracks[n - 1].left = x;
    app_.project().tracks[n - 1].top = y;
    trackBackground_[n - 1]->move(x, y);
    trackLabel_[n - 1]->move(x + 6, y + 6);
    trackSlider_[n - 1]->move(x + 4, y + 22);
    const int length = int(trackLabel_[n - 1]->text().size());
    trackText_[n - 1]->move(length <= kShortName ? x + kTrackEntryOffset : x + 7 * length + 10, y + 4);
}

QString WidgetPanel::SliderText(int n) const {
    const Memory& mem = app_.sim().mem;
    const double lo = mem.EuMinValue(14 + n);
    const double hi = mem.EuMaxValue(14 + n);
    return QString::fromStdString(FormatFixed(lo + (hi - lo) * trackSlider_[n - 1]->value() / 10000.0, 4, 2));
}

void WidgetPanel::SliderChanged(int n, int position) {
    if (adjusting_) return;
    app_.sim().mem[14 + n] = position / 100.0;
    trackText_[n - 1]->setText(SliderText(n));
}

void WidgetPanel::TextConfirmed(int n) {
    Memory& mem = app_.sim().mem;
    bool ok = false;
    const double value = trackText_[n - 1]->text().trimmed().toDouble(&ok);
    if (!ok || !EnterTrackValue(app_.project(), n, value)) {
        trackText_[n - 1]->setText(SliderText(n));
        return;
    }
    trackText_[n - 1]->setText(QString::fromStdString(FormatFixed(value, 4, 2)));
    // The slider follows; when its position moves, its change handler sets
    // the variable to the slider's step and rewrites the text from it.
    trackSlider_[n - 1]->setValue(RoundToInt(mem[14 + n] * 100));
}

bool WidgetPanel::PickUp(QWidget* target) {
    if (!diagram_.moveMode()) return false;
    for (int k = 1; k <= 5; ++k)
        if (target == shapes_[k - 1]) diagram_.Select(target, [this, k](int x, int y) { PlaceShape(k, x, y); });
    for (int c = 1; c <= 2; ++c)
        for (QLabel* l : switches_[c - 1])
            if (target == l) diagram_.Select(target, [this, c](int x, int y) { PlaceSwitch(c, x, y); });
    if (target == panel_ || target->parentWidget() == panel_)
        diagram_.Select(panel_, [this](int x, int y) { PlacePanel(x, y); });
    for (int n = 1; n <= 6; ++n)
        if (target == trackBackground_[n - 1] || target == trackLabel_[n - 1] || target == trackText_[n - 1] ||
            target == trackSlider_[n - 1])
            diagram_.Select(trackBackground_[n - 1], [this, n](int x, int y) { PlaceTrack(n, x, y); });
    return true;
}

bool WidgetPanel::eventFilter(QObject* o, QEvent* e) {
    auto* w = qobject_cast<QWidget*>(o);
    if (!w) return false;
    switch (e->type()) {
        case QEvent::MouseButtonPress:
            // In move mode a press picks the widget up instead of using it.
            return PickUp(w);
        case QEvent::MouseButtonDblClick:
            for (int c = 1; c <= 2; ++c)
                for (QLabel* l : switches_[c - 1])
                    if (w == l) {
                        FlipSwitch(c);
                        return true;
                    }
            return false;
        case QEvent::MouseButtonRelease:
            if (diagram_.moveMode()) return false;
            for (int b = 1; b <= 3; ++b) {
                if (w == normalButton_[b - 1]) SetButtonPressed(b, true);
                else if (w == pressedButton_[b - 1]) SetButtonPressed(b, false);
                else continue;
                return true;
            }
            return false;
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(e)->key();
            const bool activates = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
            for (int b = 1; activates && b <= 3; ++b)
                if (w == normalButton_[b - 1] || w == pressedButton_[b - 1]) {
                    SetButtonPressed(b, w == normalButton_[b - 1]);
                    return true;
                }
            for (int c = 1; activates && c <= 2; ++c)
                for (QLabel* l : switches_[c - 1])
                    if (w == l) {
                        FlipSwitch(c);
                        return true;
                    }
            for (int n = 1; n <= 6; ++n)
                if (w == trackText_[n - 1]) {
                    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                        TextConfirmed(n);
                        return true;
                    }
                    if (key == Qt::Key_Escape) {
                        trackText_[n - 1]->setText(SliderText(n));
                        return true;
                    }
                }
            return false;
        }
        default: return false;
    }
}

}  // namespace kivo::ui
