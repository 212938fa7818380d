#pragma once
// The faceplate of a PID controller: SP, PV, CO and SPR bars, the SP, PV and
// CO fields, the L/R and A/M buttons with their mode letters, step buttons
// and typed entry, and a wide area holding either the trend (with its scale,
// pause and cursor, time base and data log) or the configuration area. It is
// a view on the controller model: readouts are pulled at the display refresh,
// the trend is redrawn after each sample, and what the operator does is
// written into the model at once; configuration edits wait for "Atualizar".
#include <array>

#include <QTimer>
#include <QWidget>

#include "objects/Trend.h"
#include "project/TrendLog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QToolButton;

namespace kivo {
class Controller;
}

namespace kivo::ui {

class AppContext;
class VerticalBar;
class ControllerSettings;
class TrendChart;
class Shell;
class TuningWindow;

class ControllerFaceplate : public QWidget, private TrendObserver {
    Q_OBJECT
public:
    enum class Layout { Narrow, Trend, Configuration };

    ControllerFaceplate(AppContext& app, Shell& shell, kivo::Controller& model);
    ~ControllerFaceplate() override;

    kivo::Controller& model() { return c_; }
    Layout layout() const { return layout_; }
    TrendChart& plot() { return *plot_; }
    const TrendLog& log() const { return log_; }

    // The folder every controller logs into; chosen once per program run.
    static QString& logFolder();

    // Readouts from the model (display refresh, every sixth tick).
    void UpdateDisplay();

    // The tuning window, made at the first click on "Sintonia".
    TuningWindow* tuningWindow() const { return tuningWindow_; }
    // A setting from the tuning window into the configuration area's fields,
    // shown there with "Atualizar" enabled: the running loop takes it only
    // when the student applies it (ControllerFaceplateTuning.cpp).
    void ApplyTuning(const QString& kp, const QString& ti, const QString& td, int actionItem);

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void OnSample(const ControllerTrend& t, double pv, double sp, double mv) override;

    // Layout (ControllerFaceplate.cpp).
    QWidget* MakeFaceplate();
    QWidget* MakeTrend();
    void ShowLayout(Layout l);

    // Operator actions (ControllerFaceplateActions.cpp).
    void IncrementSP(double delta);
    void IncrementOutput(double delta);
    void SPTextEnter();
    void MVTextEnter();
    void LocalRemoteBTNClick();
    void AutoManualBTNClick();
    void ConfigBTNClick();
    void TrendButtonClick();
    void btnupdateClick();
    void ConfigEdited();
    void TuningBTNClick();

    // Trend and data log (ControllerFaceplateTrend.cpp).
    void TogglePause();
    void Image1MouseDown(int x, int y);
    void Rescale();  // double click on the chart and "Auto"
    void eUpperTextEnter();
    void TimeBaseBoxChange(int index);
    void ArchiveToggled(bool checked);
    void EndLog();
    void Timer1Timer();
    void RedrawScale();
    void UpdateLogIndicator();
    void ResetCursor();

    // Shared redraws.
    void AfterApply(bool ok);
    void UpdateModes();
    void ShowSP();
    void ShowMV();
    double ToEU(double pct) const;
    QString EUText(double pct) const;

    AppContext& app_;
    Shell& shell_;
    kivo::Controller& c_;
    Layout layout_ = Layout::Trend;

    QLabel* header_ = nullptr;
    VerticalBar* spBar_ = nullptr;
    VerticalBar* sprBar_ = nullptr;
    VerticalBar* pvBar_ = nullptr;
    VerticalBar* coBar_ = nullptr;
    QLineEdit* spText_ = nullptr;
    QLineEdit* pvText_ = nullptr;
    QLineEdit* mvText_ = nullptr;
    QLabel* spPercent_ = nullptr;
    QLabel* pvPercent_ = nullptr;
    QLabel* unit_ = nullptr;
    QToolButton* incSP_ = nullptr;
    QToolButton* decSP_ = nullptr;
    QToolButton* incMV_ = nullptr;
    QToolButton* decMV_ = nullptr;
    QPushButton* send_ = nullptr;
    QToolButton* lr_ = nullptr;
    QToolButton* am_ = nullptr;
    QLabel* lrLetter_ = nullptr;
    QLabel* amLetter_ = nullptr;
    QToolButton* configBtn_ = nullptr;
    QToolButton* trendBtn_ = nullptr;
    QToolButton* help_ = nullptr;

    QWidget* area_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    QWidget* trendPage_ = nullptr;
    ControllerSettings* config_ = nullptr;

    TrendChart* plot_ = nullptr;
    std::array<QCheckBox*, 4> curves_{};
    QCheckBox* thick_ = nullptr;
    QToolButton* pause_ = nullptr;
    QPushButton* tuningBtn_ = nullptr;
    TuningWindow* tuningWindow_ = nullptr;
    QCheckBox* autoScale_ = nullptr;
    QLineEdit* eUpper_ = nullptr;
    QLineEdit* eInf_ = nullptr;
    QWidget* coordinates_ = nullptr;
    std::array<QLabel*, 6> cursor_{};
    int cursorIndex_ = 1;
    QComboBox* timeBase_ = nullptr;
    QCheckBox* archive_ = nullptr;
    QLabel* indicator_ = nullptr;
    QCheckBox* engUnits_ = nullptr;
    QCheckBox* comma_ = nullptr;
    QTimer blink_;
    TrendLog log_;

    // The range last written into the scale fields, in EU.
    double shownBase_ = 0;
    double shownTop_ = 0;
    bool scaleShown_ = false;
};

}  // namespace kivo::ui
