#pragma once
// The trend recorder window: a strip chart of up to three variables with
// its scale columns, legends, pause with cursor readout and data log, and
// a configuration area beside it. It is the view of one recorder slot: the
// recorder (its settings, samples and data log) lives in the project and is
// stepped by the cycle; the window redraws after each sample while shown and
// writes what the operator changes back into the recorder.
#include <array>
#include <functional>

#include <QTimer>
#include <QWidget>

#include "project/RecorderData.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QToolButton;

namespace kivo::ui {

class AppContext;
class ChartArea;
class RecorderChart;

class TrendRecorderWindow : public QWidget, private RecorderObserver {
    Q_OBJECT
public:
    // updateDiagram: what a new tag does to the recorder's marker.
    TrendRecorderWindow(AppContext& app, int slot, std::function<void()> updateDiagram, QWidget* parent = nullptr);
    ~TrendRecorderWindow() override;

    RecorderSampler& sampler() { return r_.sampler(); }
    // Applies the settings, rescales, and shows the result.
    void UpdateRecorder();
    // Shows what the recorder holds: scale fields and labels, caption, log
    // indicator and chart.
    void ShowRecorder();
    void DrawChart();
    bool configurationVisible() const;

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void OnSample() override;
    QWidget* MakeChartArea();
    QWidget* MakeConfiguration();
    void Fill();
    void UpdateScale();
    void ShowLegends();
    void ConfBTNClick();
    void ExitBTNClick();
    void PauseToggled(bool pause);
    void ArchiveToggled(bool writeArchive);
    // The log check box, its blinking label and the controls a log holds,
    // as the recorder's log stands.
    void ShowLog();
    void eUpperTextEnter();
    void Variable3SelectChange();
    void ConfigurationChanged();
    void CursorAt(QPoint p);

    AppContext& app_;
    int slot_;
    std::function<void()> updateDiagram_;
    RecorderData& r_;
    bool translated_ = false;
    // Stops the program's own filling of the fields from writing back.
    bool filling_ = false;

    RecorderChart* plot_ = nullptr;
    ChartArea* area_ = nullptr;
    QWidget* config_ = nullptr;
    std::array<QLabel*, 3> legends_{};
    std::array<QLabel*, 10> scale_{};  // Label1 (unit), Label2..Label10
    std::array<QLabel*, 6> coordinates_{};
    QFrame* coordinatesPanel_ = nullptr;
    QLabel* archivingLabel_ = nullptr;
    QLineEdit* upper_ = nullptr;
    QLineEdit* inf_ = nullptr;
    QToolButton* pause_ = nullptr;
    QToolButton* conf_ = nullptr;
    QToolButton* exit_ = nullptr;
    QLineEdit* tag_ = nullptr;
    QLineEdit* description_ = nullptr;
    std::array<QComboBox*, 3> variables_{};
    std::array<QLineEdit*, 3> names_{};
    QComboBox* timeBase_ = nullptr;
    QCheckBox* auto_ = nullptr;
    QCheckBox* thick_ = nullptr;
    QCheckBox* archive_ = nullptr;
    QCheckBox* comma_ = nullptr;
    QCheckBox* engUnits_ = nullptr;
    QTimer blinkTimer_;
};

}  // namespace kivo::ui
