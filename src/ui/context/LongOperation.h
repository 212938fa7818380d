#pragma once
// What a long computation run in the GUI thread (fast run, XY run, archive
// load, step test and identification) needs so that nothing disturbs it: the
// cycle timer stopped meanwhile, and a progress bar that moves while user
// input waits.
#include <QElapsedTimer>
#include <QObject>

#include "fastsim/Progress.h"

class QProgressBar;
class QTimer;

namespace kivo::ui {

// Stops the cycle timer and restarts it at the end of the scope, unless the
// user had paused the simulation before: no tick interleaves.
class SuspendedTimer {
public:
    explicit SuspendedTimer(QTimer& t);
    ~SuspendedTimer();
    SuspendedTimer(const SuspendedTimer&) = delete;
    SuspendedTimer& operator=(const SuspendedTimer&) = delete;

private:
    QTimer& t_;
    bool active_;
};

// Moves a progress bar and lets the screen follow at a bounded rate. Only
// paint, timer and window-system events are handled meanwhile: user input
// waits, so no click or menu command can start a second run or change the
// plant in the middle of one. A window closed from outside (its title bar)
// would slip past that filter and could destroy what the run works on, so
// closing waits too.
class ProgressBarDriver : public QObject, public ProgressObserver {
public:
    explicit ProgressBarDriver(QProgressBar& bar);
    ~ProgressBarDriver() override;
    void OnProgress(int percent) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QProgressBar& bar_;
    QElapsedTimer clock_;
};

}  // namespace kivo::ui
