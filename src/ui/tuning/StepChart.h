#pragma once
// The data chart of the tuning window: PV (left axis) and MV (right axis)
// of the step test, the fitted model's response over the marked stretch,
// and dashed lines at the start, the step and the end of that stretch. Each
// series is replaced in one call.
#include <vector>

#include <QChartView>

class QLineSeries;
class QValueAxis;

namespace kivo::tuning {
struct StepSeries;
struct Step;
}  // namespace kivo::tuning

namespace kivo::ui {

class StepChart : public QChartView {
    Q_OBJECT
public:
    StepChart(bool english, QWidget* parent = nullptr);

    // The series alone: no step marked, no model.
    void Show(const tuning::StepSeries& s);
    // The marked stretch and the model's PV at each of its samples (empty
    // for none).
    void MarkStep(const tuning::StepSeries& s, const tuning::Step& d, const std::vector<double>& model);
    void Clear();

    QLineSeries* pv() const { return pv_; }
    QLineSeries* mv() const { return mv_; }
    QLineSeries* model() const { return model_; }
    QLineSeries* marks() const { return marks_; }

private:
    void FitAxes(const tuning::StepSeries& s);

    QLineSeries* pv_;
    QLineSeries* mv_;
    QLineSeries* model_;
    QLineSeries* marks_;
    QValueAxis* tAxis_;
    QValueAxis* pvAxis_;
    QValueAxis* mvAxis_;
};

}  // namespace kivo::ui
