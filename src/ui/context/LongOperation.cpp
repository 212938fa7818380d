#include "ui/context/LongOperation.h"

#include <QCoreApplication>
#include <QEvent>
#include <QProgressBar>
#include <QTimer>

namespace kivo::ui {
namespace {

// About 25 screen updates a second cost little beside the run itself.
constexpr int kIntervalMs = 40;

}  // namespace

SuspendedTimer::SuspendedTimer(QTimer& t) : t_(t), active_(t.isActive()) { t_.stop(); }

SuspendedTimer::~SuspendedTimer() {
    if (active_) t_.start();
}

ProgressBarDriver::ProgressBarDriver(QProgressBar& bar) : bar_(bar) {
    clock_.start();
    QCoreApplication::instance()->installEventFilter(this);
}

ProgressBarDriver::~ProgressBarDriver() { QCoreApplication::instance()->removeEventFilter(this); }

void ProgressBarDriver::OnProgress(int percent) {
    bar_.setValue(percent);
    if (clock_.elapsed() >= kIntervalMs) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        clock_.restart();
    }
}

bool ProgressBarDriver::eventFilter(QObject*, QEvent* e) { return e->type() == QEvent::Close; }

}  // namespace kivo::ui
