#pragma once
// The XY recorder window: two axis lists with presets per loop, a window
// length, "Registra" to advance the plant without pacing while a point
// chart collects (M(x), M(y)) per step, and the chart's zoom, undo zoom,
// 0-100 % scale and clear. The points live only in the chart.
#include <vector>

#include <QDialog>

#include "fastsim/XYRecord.h"

class QChart;
class QChartView;
class QComboBox;
class QProgressBar;
class QPushButton;
class QLineSeries;
class QToolButton;
class QValueAxis;

namespace kivo::ui {

class AppContext;

class XYRecorderWindow : public QDialog {
    Q_OBJECT
public:
    explicit XYRecorderWindow(AppContext& app, QWidget* parent = nullptr);
    ~XYRecorderWindow() override;

    // The run of "Registra": window W in seconds, display addresses x, y.
    void RecordXY(double window, int x, int y);
    int points() const { return static_cast<int>(points_.size()); }
    bool running() const { return running_; }
    // Both axis lists from the variable table's current descriptions,
    // keeping the entries chosen; nothing is touched when they read the
    // same already.
    void UpdateLists();
    // Removes every point ("Limpar"). Points otherwise accumulate, across
    // projects too, so variants of a plant can be compared on one chart.
    void Clear();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:

    void Record();
    void PresetsChange(int i);
    void FillLists();
    void UpdateButton();
    void AutoScale();

    AppContext& app_;
    std::vector<XYPoint> points_;
    bool running_ = false;
    bool translated_ = false;
    bool scale0to100_ = false;

    QComboBox* comboX_ = nullptr;
    QComboBox* comboY_ = nullptr;
    QComboBox* presets_ = nullptr;
    QComboBox* window_ = nullptr;
    QPushButton* record_ = nullptr;
    QPushButton* exit_ = nullptr;
    QProgressBar* gauge1_ = nullptr;
    QChart* chart_ = nullptr;
    QChartView* view_ = nullptr;
    QLineSeries* series_ = nullptr;
    QValueAxis* xAxis_ = nullptr;
    QValueAxis* yAxis_ = nullptr;
};

}  // namespace kivo::ui
