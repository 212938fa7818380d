#pragma once
// The least-squares fit of one process model to PV samples driven by known
// MV changes (one step in a step test, many in a relay test), and the
// approximate 95 % intervals of its parameters.
//
// The gain, the initial PV and an integrator's drift enter the response
// linearly: for given time constants and dead time they are solved exactly,
// so the search runs over the time constants and the dead time alone
// (variable projection), jointly and continuously, from a grid of starts,
// keeping the lowest sum of squares.
#include <cstddef>
#include <vector>

#include "tuning/Identification.h"

namespace kivo::tuning {

struct MvChange {
    double t = 0;    // s, on the samples' time scale
    double dmv = 0;  // %, the change of MV then
};

struct FitData {
    std::vector<double> t;   // s, increasing
    std::vector<double> pv;  // %
    std::vector<MvChange> changes;
    double dt = 0;  // usual sample interval, s
};

// PV deviation of model m (its gain included) at time t from the MV changes.
double ForcedResponse(const ProcessModel& m, const std::vector<MvChange>& changes, double t);

// Where the search for the nonlinear parameters stays: dead time 0..thetaMax
// and time constants tauMin..tauMax (a first order fitted to an integrator
// runs its time constant away).
struct SearchBox {
    double thetaMax = 0;
    double tauMin = 0, tauMax = 0;
};

struct LeastSquaresFit {
    ProcessModel model;
    double pv0 = 0;    // PV before the changes (at t = 0)
    double drift = 0;  // %/s, the integrator's PV slope without the changes
    double sse = 0;    // sum of squared residuals, %²
    std::size_t samples = 0;
    int parameters = 0;  // the initial PV and the drift included
    // Lag-one correlation of the residuals, 0..kMaxCorrelation (negative
    // taken as 0): near 1 when the noise is slower than the sampling.
    double correlation = 0;
    // Half-widths of the approximate 95 % intervals of K, tau1, tau2 and
    // theta; infinite where the data do not determine the parameter.
    ProcessModel halfWidth;
    // A nonlinear parameter ended on the edge of its search box.
    bool thetaAtMax = false, tauAtMin = false, tauAtMax = false;
};

// Fits kind to d from the graphical estimate guess (its time constant
// centres the grid). Returns a fit with an infinite sse when nothing finite
// could be fitted.
LeastSquaresFit FitLeastSquares(const FitData& d, ModelKind kind, const ProcessModel& guess, const SearchBox& box);

// Bayesian information criterion of a fit, m ln(SSE / n) + k ln m, with m
// the independent samples among its n for the residuals' lag-one
// correlation rho: n (1 - rho) / (1 + rho).
double Bic(const LeastSquaresFit& fit, double rho);

inline constexpr double kMaxCorrelation = 0.99;

// Two-sided 95 % quantile of Student's t with dof degrees of freedom.
double StudentT95(double dof);

}  // namespace kivo::tuning
