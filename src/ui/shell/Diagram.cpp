#include "ui/shell/Diagram.h"

#include <algorithm>

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>

#include "ui/context/AppContext.h"
#include "ui/context/UserFile.h"
#include "ui/widgets/Icons.h"

namespace kivo::ui {
namespace {

constexpr int kMarkerWidth = 79;
constexpr int kMarkerHeight = 22;
// A text's description label sits this far above its value label.
constexpr int kAboveValue = 13;

QString MarkerName(Family f, int n) {
    const QString num = QString::number(n);
    switch (f) {
        case Family::PidController: return "Control" + num;
        // Processes 2..10 carry a lower-case name.
        case Family::ProcessBlock: return (n >= 2 && n <= 10 ? "proce" : "Proce") + num;
        case Family::CalculationBlock: return "Bloc" + num;
        case Family::Recorder: return "Reg" + num;
        case Family::Text: return "Texto" + num;
    }
    return {};
}

// The fixed hint: the object's output address.
QString MarkerTooltip(Family f, int n, bool english) {
    const std::string output = english ? "Output at " : "Saída em ";
    switch (f) {
        case Family::PidController: return QString::fromStdString(output + VariableName(n));
        case Family::ProcessBlock: return QString::fromStdString(output + VariableName(ProcessAddress(n)));
        case Family::CalculationBlock: return QString::fromStdString(output + VariableName(BlockAddress(n)));
        default: return {};
    }
}

// What a screen reader says a marker is, before its tag.
QString FamilyName(Family f, bool english) {
    switch (f) {
        case Family::PidController: return english ? QStringLiteral("Controller") : QStringLiteral("Controlador");
        case Family::ProcessBlock: return english ? QStringLiteral("Process") : QStringLiteral("Processo");
        case Family::CalculationBlock: return english ? QStringLiteral("Block") : QStringLiteral("Bloco");
        case Family::Recorder: return english ? QStringLiteral("Recorder") : QStringLiteral("Registrador");
        default: return {};
    }
}

Icon FamilyIcon(Family f) {
    switch (f) {
        case Family::PidController: return Icon::PidController;
        case Family::ProcessBlock: return Icon::ProcessBlock;
        case Family::CalculationBlock: return Icon::CalculationBlock;
        default: return Icon::Recorder;
    }
}

}  // namespace

Diagram::Diagram(AppContext& app, ObjectWindows& windows, QAction* moveAction, QAction* deleteAction, QWidget* parent)
    : QWidget(parent), app_(app), windows_(windows), moveAction_(moveAction), deleteAction_(deleteAction) {
    setObjectName(QStringLiteral("Diagrama"));
    setAccessibleName(QStringLiteral("Diagrama"));
    setMouseTracking(true);
    setAutoFillBackground(true);
    image_ = new QLabel(this);
    image_->setObjectName(QStringLiteral("Image1"));
    // Clicks pass through the picture to the surface underneath.
    image_->setAttribute(Qt::WA_TransparentForMouseEvents);
    image_->hide();
    MakeMarkers();
    // The cursor follows the mode items' check marks.
    for (QAction* a : {moveAction_, deleteAction_})
        connect(a, &QAction::toggled, this, [this](bool on) {
            if (on)
                setCursor(Qt::CrossCursor);
            else
                unsetCursor();
        });
    FitSize();
}

int Diagram::FamilySize(Family f) {
    switch (f) {
        case Family::PidController:
        case Family::Recorder: return 10;
        case Family::ProcessBlock:
        case Family::CalculationBlock: return 24;
        case Family::Text: return 20;
    }
    return 0;
}

void Diagram::MakeMarkers() {
    for (Family f : {Family::PidController, Family::ProcessBlock, Family::CalculationBlock, Family::Recorder}) {
        const QIcon icon = MakeIcon(FamilyIcon(f));
        for (int n = 1; n <= FamilySize(f); ++n) {
            auto* b = new QToolButton(this);
            b->setObjectName(MarkerName(f, n));
            b->setAutoRaise(true);
            b->setIcon(icon);
            b->setIconSize(QSize(16, 16));
            b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
            b->setToolTip(MarkerTooltip(f, n, false));
            b->setAccessibleName(MarkerTooltip(f, n, false));
            b->setFixedSize(kMarkerWidth, kMarkerHeight);
            // Reachable with the keyboard; the pointer does not take focus.
            b->setFocusPolicy(Qt::TabFocus);
            // Pointer movements over a marker do not drag anything.
            b->setAttribute(Qt::WA_NoMousePropagation);
            b->installEventFilter(this);
            b->hide();
            connect(b, &QToolButton::clicked, this, [this, f, n] { MarkerClicked(f, n); });
            switch (f) {
                case Family::PidController: controllers_[n - 1] = b; break;
                case Family::ProcessBlock: processes_[n - 1] = b; break;
                case Family::CalculationBlock: blocks_[n - 1] = b; break;
                default: recorders_[n - 1] = b; break;
            }
        }
    }
    for (int n = 1; n <= 20; ++n) {
        QFont bold = font();
        bold.setBold(true);
        auto* value = new QLabel(this);
        value->setObjectName(QStringLiteral("Texto%1").arg(n));
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("Label%1").arg(n));
        for (QLabel* l : {value, label}) {
            l->setFont(bold);
            l->setAttribute(Qt::WA_TranslucentBackground);
            l->setAttribute(Qt::WA_NoMousePropagation);
            l->hide();
        }
        // A click on either label acts on the text's marker; the value is
        // reached with Tab, and Enter or Space acts on it too.
        value->setFocusPolicy(Qt::TabFocus);
        value->installEventFilter(this);
        label->installEventFilter(this);
        values_[n - 1] = value;
        labels_[n - 1] = label;
    }
}

QToolButton* Diagram::marker(Family f, int n) const {
    switch (f) {
        case Family::PidController: return controllers_[n - 1];
        case Family::ProcessBlock: return processes_[n - 1];
        case Family::CalculationBlock: return blocks_[n - 1];
        case Family::Recorder: return recorders_[n - 1];
        case Family::Text: return nullptr;
    }
    return nullptr;
}

Marker& Diagram::model(Family f, int n) const {
    Markers& m = app_.project().markers;
    switch (f) {
        case Family::PidController: return m.controllers[n - 1];
        case Family::ProcessBlock: return m.processes[n - 1];
        case Family::CalculationBlock: return m.blocks[n - 1];
        case Family::Recorder: return m.recorders[n - 1];
        case Family::Text: break;
    }
    return m.texts[n - 1];
}

void Diagram::UpdateDiagram() {
    Project& p = app_.project();
    p.UpdateCaptions();
    // Tracks, shapes and the command panel come first, with the panel
    // widgets that show them; then the markers.
    const auto button = [&](Family f, int n) {
        QToolButton* b = marker(f, n);
        const Marker& m = model(f, n);
        b->setText(QString::fromStdString(m.caption));
        // As wide as its tag needs: a long tag is not cut.
        b->setFixedWidth(std::max(kMarkerWidth, b->sizeHint().width()));
        // Announced by what it is and its tag, with the hint (recorders have
        // none) as the description, in the language shown.
        const bool english = app_.english();
        b->setToolTip(MarkerTooltip(f, n, english));
        b->setAccessibleName(FamilyName(f, english) + QLatin1Char(' ') + b->text());
        b->setAccessibleDescription(b->toolTip());
        b->setVisible(m.shown);
    };
    for (int n = 1; n <= 10; ++n) {
        const Controller* c = p.controller(n);
        if (!c) continue;
        button(Family::PidController, n);
        QToolButton* b = controllers_[n - 1];
        QPalette pal = b->palette();
        const QColor colour = c->state.autoMode ? Qt::blue : Qt::red;
        pal.setColor(QPalette::ButtonText, colour);
        pal.setColor(QPalette::WindowText, colour);
        b->setPalette(pal);
    }
    for (int n = 1; n <= 24; ++n)
        if (p.sim.blocks.active(n)) button(Family::CalculationBlock, n);
    for (int n = 1; n <= 24; ++n)
        if (p.sim.processes.active(n)) button(Family::ProcessBlock, n);
    for (int n = 1; n <= 10; ++n)
        if (p.sim.recorders.active(n)) button(Family::Recorder, n);
    for (int n = 1; n <= 20; ++n) {
        const TextData* t = p.text(n);
        if (!t) continue;
        const QString description = QString::fromStdString(t->DescriptionText);
        labels_[n - 1]->setText(description);
        labels_[n - 1]->adjustSize();
        labels_[n - 1]->setAccessibleName(description);
        // The value is announced by what it shows, with the caption as its
        // description.
        values_[n - 1]->setAccessibleDescription(description);
        const bool visible = p.markers.texts[n - 1].shown;
        values_[n - 1]->setVisible(visible);
        labels_[n - 1]->setVisible(visible);
    }
    FitSize();
}

void Diagram::PlaceMarkers() {
    for (Family f : kFamilies)
        for (int n = 1; n <= FamilySize(f); ++n) {
            const Marker& m = model(f, n);
            Place(f, n, m.left, m.top);
        }
    FitSize();
}

void Diagram::Reset() {
    for (Family f : kFamilies)
        for (int n = 1; n <= FamilySize(f); ++n) {
            if (QToolButton* b = marker(f, n)) {
                b->setText(QString());
                b->hide();
            }
        }
    for (int n = 1; n <= 20; ++n) {
        labels_[n - 1]->clear();
        labels_[n - 1]->hide();
        values_[n - 1]->hide();
    }
    selected_ = nullptr;
    loading_ = false;
    HideImage();
    PlaceMarkers();
}

bool Diagram::LoadImage(const QString& path) {
    QPixmap pm;
    if (path.isEmpty()) return false;
    const auto bytes = ReadUserFile(path, kMaxBytesPicture, false);
    if (!bytes || !pm.loadFromData(*bytes)) return false;
    image_->setPixmap(pm);
    image_->setGeometry(0, 0, pm.width(), pm.height());
    image_->lower();
    image_->show();
    FitSize();
    return true;
}

void Diagram::HideImage() {
    image_->hide();
    image_->clear();
    FitSize();
}

void Diagram::Place(Family f, int n, int x, int y) {
    Marker& m = model(f, n);
    m.left = x;
    m.top = y;
    if (f == Family::Text) {
        values_[n - 1]->move(x, y);
        labels_[n - 1]->move(x, y - kAboveValue);
    } else {
        marker(f, n)->move(x, y);
    }
}

void Diagram::FitSize() {
    QRect r(0, 0, 1, 1);
    for (QWidget* w : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (!w->isHidden()) r = r.united(w->geometry());
    setMinimumSize(r.right() + 1, r.bottom() + 1);
}

void Diagram::MarkerClicked(Family f, int n) {
    if (moveAction_->isChecked()) {
        Select(f == Family::Text ? static_cast<QWidget*>(values_[n - 1]) : marker(f, n),
                  [this, f, n](int x, int y) { Place(f, n, x, y); });
        return;
    }
    if (deleteAction_->isChecked()) {
        Delete(f, n);
        return;
    }
    windows_.Open(f, n);
}

bool Diagram::moveMode() const { return moveAction_->isChecked(); }

void Diagram::Select(QWidget* item, std::function<void(int x, int y)> place) {
    selected_ = item;
    placeSelected_ = std::move(place);
    loading_ = !loading_;
}

void Diagram::Delete(Family f, int n) {
    windows_.Close(f, n);
    Simulation& sim = app_.sim();
    switch (f) {
        case Family::PidController: sim.controllers.Erase(n); break;
        case Family::ProcessBlock: sim.processes.Erase(n); break;
        case Family::CalculationBlock: sim.blocks.Erase(n); break;
        case Family::Recorder: sim.recorders.Erase(n); break;
        case Family::Text: sim.texts.Erase(n); break;
    }
    Marker& m = model(f, n);
    m.caption.clear();
    m.shown = false;
    if (f == Family::Text) {
        values_[n - 1]->hide();
        labels_[n - 1]->hide();
    } else {
        marker(f, n)->setText(QString());
        marker(f, n)->hide();
    }
    if (selected_ && !selected_->isVisible()) {
        selected_ = nullptr;
        loading_ = false;
    }
    emit objectDeleted(f, n);
}

void Diagram::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    if (moveAction_->isChecked() || deleteAction_->isChecked()) app_.MarkModified();
    moveAction_->setChecked(false);
    deleteAction_->setChecked(false);
    loading_ = false;
    unsetCursor();
}

void Diagram::mouseMoveEvent(QMouseEvent* e) {
    if (!moveAction_->isChecked() || !loading_ || !selected_) return;
    app_.MarkModified();
    const QPoint p = e->position().toPoint();
    placeSelected_(p.x(), p.y());
    FitSize();
}

void Diagram::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) emit doubleClicked();
}

bool Diagram::eventFilter(QObject* o, QEvent* e) {
    const auto key = [e] { return static_cast<QKeyEvent*>(e)->key(); };
    const bool activates = e->type() == QEvent::KeyPress &&
                        (key() == Qt::Key_Return || key() == Qt::Key_Enter || key() == Qt::Key_Space);
    if (e->type() == QEvent::MouseButtonRelease || activates) {
        for (int n = 1; n <= 20; ++n)
            if (o == values_[n - 1] || o == labels_[n - 1]) {
                MarkerClicked(Family::Text, n);
                return true;
            }
        // Enter acts on a marker as Space does.
        if (activates)
            if (auto* b = qobject_cast<QToolButton*>(o); b && b->parent() == this) {
                b->click();
                return true;
            }
    }
    return QWidget::eventFilter(o, e);
}

}  // namespace kivo::ui
