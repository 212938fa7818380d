#pragma once
// Identification of a process model from a step of MV with the loop in
// manual: first order plus dead time, second order plus dead time and
// integrator plus dead time, each fitted by nonlinear least squares on the
// step response and started from a graphical estimate (two-point method).
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "tuning/StepSeries.h"

namespace kivo::tuning {

enum class ModelKind { Fopdt = 0, Sopdt = 1, Ipdt = 2 };

// "fopdt", "sopdt", "ipdt".
const char* KindName(ModelKind k);

// Deviation model, PV and MV in % of span, times in seconds:
//   Fopdt: K e^(-theta s) / (tau1 s + 1)
//   Sopdt: K e^(-theta s) / ((tau1 s + 1)(tau2 s + 1)), tau1 >= tau2
//   Ipdt:  K e^(-theta s) / s, K the integrating gain in %/s per % of MV
struct ProcessModel {
    ModelKind kind = ModelKind::Fopdt;
    double K = 0;
    double tau1 = 0;
    double tau2 = 0;
    double theta = 0;
};

// The model's response, PV deviation from its initial value, to a unit step
// of MV applied at time 0, evaluated analytically at time t.
double UnitStepResponse(const ProcessModel& m, double t);

struct ModelFit {
    ProcessModel model;
    ProcessModel initial;   // the graphical estimate the fit started from
    double pv0 = 0;         // fitted PV at the step
    double drift = 0;       // fitted PV slope before the step, %/s (integrator only)
    // RMS of the residuals over the PV change: 0.01 means the model misses
    // the data by 1 % of the step response on average.
    double residual = 0;
    std::vector<double> fitted;  // model PV at every sample of the window
};

struct Identification {
    StepSeries series;
    Step step;
    std::array<std::optional<ModelFit>, 3> fits;  // by ModelKind
    ModelKind best = ModelKind::Fopdt;
    const ModelFit& fit(ModelKind k) const { return *fits[static_cast<std::size_t>(k)]; }
    const ModelFit& bestFit() const { return fit(best); }
};

// Finds the step (FindStep, which may throw TuningError) and fits the three
// models. Throws TuningError when no model can be fitted.
Identification Identify(const StepSeries& s);
// The same with the step as the user marked it (FindStep's, adjusted): the
// window first..last must hold the step index with at least two samples
// before it and kMinAfterStep from it, and MV must change at the step.
Identification Identify(const StepSeries& s, const Step& step);

}  // namespace kivo::tuning
