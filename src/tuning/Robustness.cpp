#include "tuning/Robustness.h"

#include <algorithm>
#include <complex>
#include <numbers>
#include <vector>

namespace kivo::tuning {

namespace {

using Complex = std::complex<double>;
constexpr double kPi = std::numbers::pi;
constexpr int kPointsPerDecade = 100;

// The controller's response at w (rad/s), as it computes every cycle T:
// the integral a running sum, the derivative a difference of (filtered)
// samples. In the ISA form the integral and derivative carry Kc (1 with
// the P action off); in the parallel form they do not.
Complex ControllerResponse(const Setting& s, const LoopConfig& c, double w) {
    const double T = kControllerCycle;
    const Complex back = std::polar(1.0, -w * T);  // one cycle back
    const double k = c.isa ? (c.p ? s.kp : 1.0) : 1.0;
    Complex r = c.p ? s.kp : 0.0;
    if (c.i && s.ti > 0) r += k * T / s.ti / (1.0 - back);
    if (c.d && s.td > 0) {
        Complex d = (1.0 - back) / T * s.td;
        if (c.derivativeOnPv) {
            const double a = c.tauF / (c.tauF + T), b = T / (c.tauF + T);
            d *= b / (1.0 - a * back);
        }
        r += k * d;
    }
    return r;
}

// The open loop at w: its magnitude and its phase, unwrapped (radians),
// with the process direction taken by the controller's action.
struct Point {
    double w, magnitude, phase;
};

Point Loop(const ProcessModel& m, const Setting& s, const LoopConfig& c, double w) {
    const Complex r = ControllerResponse(s, c, w);
    const FrequencyPoint process = FrequencyResponse(m, w);
    // The output is held over the cycle: half a cycle of delay, and the
    // hold's own attenuation.
    const double x = w * kControllerCycle / 2;
    const double hold = x > 0 ? std::sin(x) / x : 1.0;
    return {w, std::abs(r) * hold * process.magnitude, std::arg(r) - x - process.lag};
}

double Sensitivity(const Point& p) { return 1 / std::abs(1.0 + std::polar(p.magnitude, p.phase)); }

// Bisection of a sign change of f between two frequencies, on a log scale.
template <class F>
double Crossing(double a, double b, F f) {
    const bool rising = f(a) < 0;
    for (int i = 0; i < 60; ++i) {
        const double m = std::sqrt(a * b);
        ((f(m) < 0) == rising ? a : b) = m;
    }
    return std::sqrt(a * b);
}

}  // namespace

Margins LoopMargins(const ProcessModel& m, const Setting& s, const LoopConfig& c) {
    const auto at = [&](double w) { return Loop(m, s, c, w); };
    // From far below the slowest part of the loop up to the controller's
    // Nyquist frequency, past which a sampled controller has nothing.
    const double slowest = std::max({m.theta + m.tau1 + m.tau2 + s.Ti, kControllerCycle});
    const double low = 1e-3 / slowest, high = kPi / kControllerCycle;
    const int n = std::max(2, static_cast<int>(std::ceil(std::log10(high / low) * kPointsPerDecade)));
    std::vector<Point> grid;
    for (int i = 0; i <= n; ++i) grid.push_back(at(low * std::pow(high / low, static_cast<double>(i) / n)));

    Margins r;
    r.gain = INFINITY;
    r.phase = INFINITY;
    std::size_t peak = 0;
    for (std::size_t i = 0; i + 1 < grid.size(); ++i) {
        const Point& a = grid[i];
        const Point& b = grid[i + 1];
        // The phase through -180 degrees (and each further turn): the loop
        // on the negative real axis there.
        const double turnA = std::floor((a.phase + kPi) / (2 * kPi)), turnB = std::floor((b.phase + kPi) / (2 * kPi));
        if (turnA != turnB) {
            const double target = 2 * kPi * std::max(turnA, turnB) - kPi;
            const double w = Crossing(a.w, b.w, [&](double x) { return at(x).phase - target; });
            r.gain = std::min(r.gain, 1 / at(w).magnitude);
        }
        // The gain through 1.
        if ((a.magnitude - 1) * (b.magnitude - 1) < 0) {
            const double w = Crossing(a.w, b.w, [&](double x) { return std::log(at(x).magnitude); });
            const double phase = std::remainder(at(w).phase + kPi, 2 * kPi);
            r.phase = std::min(r.phase, phase * 180 / kPi);
        }
        if (Sensitivity(b) > Sensitivity(grid[peak])) peak = i + 1;
    }
    // The peak of |S| refined between its neighbours (golden section).
    double a = grid[peak > 0 ? peak - 1 : 0].w, b = grid[std::min(peak + 1, grid.size() - 1)].w;
    const double g = (std::sqrt(5.0) - 1) / 2;
    for (int i = 0; i < 40; ++i) {
        const double c1 = b - g * (b - a), c2 = a + g * (b - a);
        if (Sensitivity(at(c1)) > Sensitivity(at(c2)))
            b = c2;
        else
            a = c1;
    }
    r.ms = std::max(Sensitivity(grid[peak]), Sensitivity(at((a + b) / 2)));
    r.stable = r.gain > 1 && r.phase > 0;
    if (!r.stable) r.ms = INFINITY;
    return r;
}

std::optional<Margins> WorstMargins(const ProcessModel& m, const ProcessModel& halfWidth, const Setting& s,
                                    const LoopConfig& c) {
    std::vector<double ProcessModel::*> axes{&ProcessModel::K, &ProcessModel::theta};
    if (m.kind != ModelKind::Ipdt) axes.push_back(&ProcessModel::tau1);
    if (m.kind == ModelKind::Sopdt) axes.push_back(&ProcessModel::tau2);
    for (auto axis : axes)
        if (!std::isfinite(halfWidth.*axis)) return std::nullopt;
    Margins worst;
    worst.gain = INFINITY;
    worst.phase = INFINITY;
    worst.ms = 0;
    for (unsigned corner = 0; corner < (1u << axes.size()); ++corner) {
        ProcessModel p = m;
        for (std::size_t i = 0; i < axes.size(); ++i) {
            const double x = m.*axes[i], w = halfWidth.*axes[i];
            const double edge = (corner >> i) & 1u ? std::abs(x) + w : std::abs(x) - w;
            // A gain that would change sign is taken as almost none: the
            // loop is then safe, not reversed.
            const double floor = axes[i] == &ProcessModel::K ? 1e-3 * std::abs(x) : 0.0;
            p.*axes[i] = std::copysign(std::max(edge, floor), x);
        }
        const Margins one = LoopMargins(p, s, c);
        worst.gain = std::min(worst.gain, one.gain);
        worst.phase = std::min(worst.phase, one.phase);
        worst.ms = std::max(worst.ms, one.ms);
        worst.stable = worst.stable && one.stable;
    }
    return worst;
}

}  // namespace kivo::tuning
