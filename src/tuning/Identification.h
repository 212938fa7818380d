#pragma once
// Identification of a process model from a step of MV with the loop in
// manual: first order plus dead time, second order plus dead time and
// integrator plus dead time, each fitted by nonlinear least squares on the
// step response (LeastSquares.h) around a graphical estimate (two-point
// method), each parameter with an approximate 95 % interval, and the best
// of the three chosen by the Bayesian information criterion.
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

// The model's frequency response at w (rad/s): its gain's size and its
// phase lag (radians, positive), the dead time included.
struct FrequencyPoint {
    double magnitude;
    double lag;
};
FrequencyPoint FrequencyResponse(const ProcessModel& m, double w);

// The ultimate gain (a proportional Kc in % per %) and period (s) of a
// model: where its phase reaches -180 degrees. Nothing for a model without
// dead time or gain, whose phase never gets there.
struct UltimatePoint {
    double gain = 0, period = 0;
};
std::optional<UltimatePoint> Ultimate(const ProcessModel& m);

// Why a fit's numbers deserve less trust than their intervals say, or why
// the data bias them; both texts are built at once.
struct FitWarning {
    enum class Kind {
        DeadTimeNotResolved,  // the dead time is zero or its interval covers zero
        AtBound,              // a parameter ended on the edge of its search
        PvClamped,            // samples at 0 or 100 % were left out
        SmallStep,            // the PV change is small against the noise
        ShortLeadIn,          // too little record before an integrator's step
    };
    Kind kind;
    std::string portuguese, english;
    const std::string& Message(bool en) const { return en ? english : portuguese; }
};

struct ModelFit {
    ProcessModel model;
    ProcessModel initial;   // the graphical estimate the fit started from
    // Half-widths of the approximate 95 % intervals of K, tau1, tau2 and
    // theta (model +- halfWidth); infinite where the data do not tell.
    ProcessModel halfWidth;
    double pv0 = 0;         // fitted PV at the step
    double drift = 0;       // fitted PV slope before the step, %/s (integrator only)
    // Root mean square of the residuals, in % of span: the noise plus the
    // misfit, comparable across test lengths.
    double rms = 0;
    std::size_t samples = 0;  // fitted: the window less the clamped samples
    int parameters = 0;       // fitted, the initial PV (and drift) included
    // Bayesian information criterion, m ln(SSE / n) + k ln m, with m the
    // independent samples among the n (Identification::best): lower is better.
    double bic = 0;
    std::vector<FitWarning> warnings;
    std::vector<double> fitted;  // model PV at every sample of the window
};

struct Identification {
    StepSeries series;
    Step step;
    std::array<std::optional<ModelFit>, 3> fits;  // by ModelKind
    // The fit with the lowest BIC; a first or second order whose time
    // constant exceeds kSettlingLimit times the record after the step shows
    // no settling, and gives way to the integrator when that was fitted.
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

inline constexpr double kSettlingLimit = 3;
// Below this ratio of the PV change to the noise's standard deviation the
// parameters are uncertain: a warning says so.
inline constexpr double kMinSignalToNoise = 10;
// An integrator's drift and dead time need a record before the step of at
// least this many dead times (and kMinLeadInSamples samples).
inline constexpr double kMinLeadInDeadTimes = 2;
inline constexpr std::size_t kMinLeadInSamples = 10;

}  // namespace kivo::tuning
