#include "ui/recorders/RecorderCycle.h"

#include <QLabel>

#include "ui/context/AppContext.h"
#include "ui/shell/Diagram.h"
#include "ui/main/MainWindow.h"
#include "ui/recorders/AnimatedTextWindow.h"
#include "ui/recorders/XYRecorderWindow.h"
#include "ui/recorders/TrendRecorderWindow.h"

namespace kivo::ui {

RecorderCycle::RecorderCycle(MainWindow& w) : QObject(&w), w_(w) {
    const auto updateButton = [&w] { w.UpdateDiagram(); };
    w_.windows().Register(Family::Recorder, [&w, updateButton](int n) -> QWidget* {
        if (!w.app().project().recorder(n)) return nullptr;
        return new TrendRecorderWindow(w.app(), n, updateButton, &w);
    });
    w_.windows().Register(Family::Text, [&w, updateButton](int n) -> QWidget* {
        if (!w.app().project().text(n)) return nullptr;
        return new AnimatedTextWindow(w.app(), n, updateButton, &w);
    });
    xyRecorder_ = new XYRecorderWindow(w.app(), &w);
    // The cycle has recomputed the texts just before this signal.
    connect(&w_.app(), &AppContext::displayRefresh, this, &RecorderCycle::UpdateTexts);
}

TrendRecorderWindow* RecorderCycle::recorder(int n) {
    if (!w_.app().sim().recorders.active(n)) return nullptr;
    return qobject_cast<TrendRecorderWindow*>(w_.windows().Build(Family::Recorder, n));
}

AnimatedTextWindow* RecorderCycle::text(int n) {
    if (!w_.app().sim().texts.active(n)) return nullptr;
    return qobject_cast<AnimatedTextWindow*>(w_.windows().Build(Family::Text, n));
}

void RecorderCycle::UpdateAll() {
    Project& p = w_.app().project();
    for (int n = 1; n <= 10; ++n) {
        RecorderData* r = p.recorder(n);
        if (!r) continue;
        if (auto* window = qobject_cast<TrendRecorderWindow*>(w_.windows().window(Family::Recorder, n)))
            window->UpdateRecorder();
        else
            r->UpdateRecorder();
    }
    // A built window applies through itself, so that its fields follow.
    bool anyChanged = false;
    for (int n = 1; n <= 20; ++n) {
        TextData* t = p.text(n);
        if (!t) continue;
        if (auto* window = qobject_cast<AnimatedTextWindow*>(w_.windows().window(Family::Text, n))) {
            window->ValidateParameters();
        } else {
            t->ValidateParameters();
            anyChanged = true;
        }
    }
    if (anyChanged) w_.UpdateDiagram();
}

void RecorderCycle::UpdateTexts() {
    Project& p = w_.app().project();
    for (int n = 1; n <= 20; ++n) {
        const TextData* t = p.text(n);
        if (!t) continue;
        const QString text = QString::fromStdString(t->display().text());
        const QColor colour = t->display().red() ? QColor(Qt::red) : QColor(Qt::blue);
        QLabel* label = w_.diagram().textValue(n);
        label->setText(text);
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, colour);
        label->setPalette(pal);
        label->adjustSize();
        if (auto* window = qobject_cast<AnimatedTextWindow*>(w_.windows().window(Family::Text, n))) window->ShowValue();
    }
}

}  // namespace kivo::ui
