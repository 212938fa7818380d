#include "ui/recorders/RecorderCycle.h"

#include <QLabel>

#include "ui/context/AppContext.h"
#include "ui/shell/Diagram.h"
#include "ui/shell/Shell.h"
#include "ui/recorders/AnimatedTextWindow.h"
#include "ui/recorders/XYRecorderWindow.h"
#include "ui/recorders/TrendRecorderWindow.h"

namespace kivo::ui {

RecorderCycle::RecorderCycle(Shell& shell) : QObject(shell.mainWidget()), shell_(shell) {
    const auto updateButton = [&shell] { shell.UpdateDiagram(); };
    shell_.windows().Register(Family::Recorder, [&shell, updateButton](int n) -> QWidget* {
        if (!shell.app().project().recorder(n)) return nullptr;
        return new TrendRecorderWindow(shell.app(), n, updateButton, shell.mainWidget());
    });
    shell_.windows().Register(Family::Text, [&shell, updateButton](int n) -> QWidget* {
        if (!shell.app().project().text(n)) return nullptr;
        return new AnimatedTextWindow(shell.app(), n, updateButton, shell.mainWidget());
    });
    xyRecorder_ = new XYRecorderWindow(shell.app(), shell.mainWidget());
    // The cycle has recomputed the texts just before this signal.
    connect(&shell_.app(), &AppContext::displayRefresh, this, &RecorderCycle::UpdateTexts);
}

TrendRecorderWindow* RecorderCycle::recorder(int n) {
    if (!shell_.app().sim().recorders.active(n)) return nullptr;
    return qobject_cast<TrendRecorderWindow*>(shell_.windows().Build(Family::Recorder, n));
}

AnimatedTextWindow* RecorderCycle::text(int n) {
    if (!shell_.app().sim().texts.active(n)) return nullptr;
    return qobject_cast<AnimatedTextWindow*>(shell_.windows().Build(Family::Text, n));
}

void RecorderCycle::UpdateAll() {
    Project& p = shell_.app().project();
    for (int n = 1; n <= 10; ++n) {
        RecorderData* r = p.recorder(n);
        if (!r) continue;
        if (auto* window = qobject_cast<TrendRecorderWindow*>(shell_.windows().window(Family::Recorder, n)))
            window->UpdateRecorder();
        else
            r->UpdateRecorder();
    }
    // A built window applies through itself, so that its fields follow.
    bool anyChanged = false;
    for (int n = 1; n <= 20; ++n) {
        TextData* t = p.text(n);
        if (!t) continue;
        if (auto* window = qobject_cast<AnimatedTextWindow*>(shell_.windows().window(Family::Text, n))) {
            window->ValidateParameters();
        } else {
            t->ValidateParameters();
            anyChanged = true;
        }
    }
    if (anyChanged) shell_.UpdateDiagram();
}

void RecorderCycle::UpdateTexts() {
    Project& p = shell_.app().project();
    for (int n = 1; n <= 20; ++n) {
        const TextData* t = p.text(n);
        if (!t) continue;
        const QString text = QString::fromStdString(t->display().text());
        const QColor colour = t->display().red() ? QColor(Qt::red) : QColor(Qt::blue);
        QLabel* label = shell_.diagram().textValue(n);
        label->setText(text);
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, colour);
        label->setPalette(pal);
        label->adjustSize();
        if (auto* window = qobject_cast<AnimatedTextWindow*>(shell_.windows().window(Family::Text, n))) window->ShowValue();
    }
}

}  // namespace kivo::ui
