#pragma once
// Wires the recorders and animated texts to the main window: registers both
// window types for the markers (a window is built when the user first opens
// it), copies every text's value to its diagram label at the display
// refresh, re-applies them all after the variable table is read again, and
// owns the XY recorder. Sampling and the texts' display step are the models'
// own, stepped by the cycle.
#include <QObject>

namespace kivo::ui {

class AppContext;

class Shell;
class AnimatedTextWindow;
class TrendRecorderWindow;
class XYRecorderWindow;

class RecorderCycle : public QObject {
    Q_OBJECT
public:
    explicit RecorderCycle(Shell& shell);

    XYRecorderWindow& xyRecorder() { return *xyRecorder_; }
    // The window of an active slot, built hidden if needed; nullptr for an
    // empty slot.
    TrendRecorderWindow* recorder(int n);
    AnimatedTextWindow* text(int n);

    // After the variable table changed (the variable list's refresh): every
    // recorder rescales and every text applies its settings again.
    void UpdateAll();
    // The animated texts' values, as their last display step left them,
    // copied to the diagram's labels (and to the windows built).
    void UpdateTexts();

private:
    Shell& shell_;
    XYRecorderWindow* xyRecorder_ = nullptr;
};

}  // namespace kivo::ui
