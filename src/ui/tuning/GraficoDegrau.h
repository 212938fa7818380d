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

class GraficoDegrau : public QChartView {
    Q_OBJECT
public:
    GraficoDegrau(bool ingles, QWidget* parent = nullptr);

    // The series alone: no step marked, no model.
    void Mostra(const tuning::StepSeries& s);
    // The marked stretch and the model's PV at each of its samples (empty
    // for none).
    void MarcaDegrau(const tuning::StepSeries& s, const tuning::Step& d, const std::vector<double>& modelo);
    void Limpa();

    QLineSeries* pv() const { return pv_; }
    QLineSeries* mv() const { return mv_; }
    QLineSeries* modelo() const { return modelo_; }
    QLineSeries* marcas() const { return marcas_; }

private:
    void Ajusta(const tuning::StepSeries& s);

    QLineSeries* pv_;
    QLineSeries* mv_;
    QLineSeries* modelo_;
    QLineSeries* marcas_;
    QValueAxis* eixoT_;
    QValueAxis* eixoPV_;
    QValueAxis* eixoMV_;
};

}  // namespace kivo::ui
