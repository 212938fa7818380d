#include "tuning/Identification.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <numeric>

#include "tuning/FitReport.h"
#include "tuning/LeastSquares.h"

namespace kivo::tuning {

namespace {

// The samples the fit sees: the window around the step, thinned to at most
// kMaxPoints so that the longest logs still fit in a moment. A step test of
// kivo-batch bumptest (at most about 12,000 samples) is fitted whole.
constexpr std::size_t kMaxPoints = 20000;

double Media(const std::vector<double>& v, std::size_t a, std::size_t b) {
    return std::accumulate(v.begin() + static_cast<std::ptrdiff_t>(a), v.begin() + static_cast<std::ptrdiff_t>(b), 0.0) /
           static_cast<double>(b - a);
}

// Least-squares line through (t, y) for indices a..b-1: slope and value at t = 0.
std::pair<double, double> FitLine(const std::vector<double>& t, const std::vector<double>& y, std::size_t a, std::size_t b) {
    const double mt = Media(t, a, b), my = Media(y, a, b);
    double sxy = 0, sxx = 0;
    for (std::size_t i = a; i < b; ++i) {
        sxy += (t[i] - mt) * (y[i] - my);
        sxx += (t[i] - mt) * (t[i] - mt);
    }
    const double s = sxx > 0 ? sxy / sxx : 0;
    return {s, my - s * mt};
}

}  // namespace

const char* KindName(ModelKind k) {
    switch (k) {
        case ModelKind::Fopdt: return "fopdt";
        case ModelKind::Sopdt: return "sopdt";
        case ModelKind::Ipdt: return "ipdt";
    }
    return "";
}

double UnitStepResponse(const ProcessModel& m, double t) {
    const double s = t - m.theta;
    if (s <= 0) return 0;
    switch (m.kind) {
        case ModelKind::Fopdt:
            return m.K * (m.tau1 > 0 ? 1 - std::exp(-s / m.tau1) : 1.0);
        case ModelKind::Sopdt: {
            const double a = m.tau1, b = m.tau2;
            if (a <= 0 && b <= 0) return m.K;
            // Equal time constants: the limit of the general form.
            if (std::abs(a - b) <= 1e-6 * std::max(a, b)) {
                const double tau = (a + b) / 2;
                return m.K * (1 - (1 + s / tau) * std::exp(-s / tau));
            }
            const double ea = a > 0 ? a * std::exp(-s / a) : 0.0;
            const double eb = b > 0 ? b * std::exp(-s / b) : 0.0;
            return m.K * (1 - (ea - eb) / (a - b));
        }
        case ModelKind::Ipdt:
            return m.K * s;
    }
    return 0;
}

FrequencyPoint FrequencyResponse(const ProcessModel& m, double w) {
    if (m.kind == ModelKind::Ipdt) return {std::abs(m.K) / w, std::numbers::pi / 2 + w * m.theta};
    const bool second = m.kind == ModelKind::Sopdt;
    return {std::abs(m.K) / (std::hypot(1.0, w * m.tau1) * (second ? std::hypot(1.0, w * m.tau2) : 1.0)),
            w * m.theta + std::atan(w * m.tau1) + (second ? std::atan(w * m.tau2) : 0.0)};
}

std::optional<UltimatePoint> Ultimate(const ProcessModel& m) {
    if (!(m.theta > 0) || !(std::abs(m.K) > 0) || !std::isfinite(m.K)) return std::nullopt;
    // The lag grows with the frequency and passes pi by pi / theta.
    double lo = 0, hi = std::numbers::pi / m.theta;
    for (int i = 0; i < 100; ++i) {
        const double w = (lo + hi) / 2;
        (FrequencyResponse(m, w).lag < std::numbers::pi ? lo : hi) = w;
    }
    const double w = (lo + hi) / 2;
    return UltimatePoint{1 / FrequencyResponse(m, w).magnitude, 2 * std::numbers::pi / w};
}

Identification Identify(const StepSeries& s) { return Identify(s, FindStep(s)); }

Identification Identify(const StepSeries& s, const Step& step) {
    CheckSampling(s);
    if (!(step.first + 2 <= step.index && step.index + kMinAfterStep <= step.last && step.last <= s.size()) ||
        std::abs(step.dmv()) < kMinStep)
        throw TuningError("O degrau marcado não cabe na série, ou a MV não muda nele.",
                          "The step marked does not fit in the series, or MV does not change at it.");
    Identification id;
    id.series = s;
    id.step = step;
    const Step& st = id.step;

    // Data of the window, time counted from the step, without the samples
    // where the PV is clamped at the end of its span.
    FitData d;
    const double dmv = st.dmv();
    d.changes = {{0.0, dmv}};
    const std::size_t n = st.last - st.first;
    const std::size_t oneStep = (n + kMaxPoints - 1) / kMaxPoints;
    std::size_t excluded = 0;
    for (std::size_t i = st.first; i < st.last; i += oneStep) {
        if (Clamped(s.pv[i])) {
            ++excluded;
            continue;
        }
        d.t.push_back(s.t[i] - st.t0);
        d.pv.push_back(s.pv[i]);
    }
    d.dt = (s.t[st.last - 1] - s.t[st.first]) / static_cast<double>(n - 1) * static_cast<double>(oneStep);
    const std::size_t k = static_cast<std::size_t>(std::lower_bound(d.t.begin(), d.t.end(), 0.0) - d.t.begin());
    const std::size_t m = d.t.size();
    if (k < 2 || m - k < kMinAfterStep)
        throw TuningError("Restam poucas amostras com a PV dentro da faixa, antes ou depois do degrau.",
                          "Too few samples with the PV inside its span remain before or after the step.");
    const double duration = d.t.back();
    const double leadIn = -d.t.front();

    // Graphical estimate. Initial PV and drift before the step.
    const double y0 = Media(d.pv, 0, k);
    const double drift = k >= 5 ? FitLine(d.t, d.pv, 0, k).first : 0.0;
    // Final change: the mean of the last tenth of the window.
    const std::size_t tail = std::max<std::size_t>(3, (m - k) / 10);
    const double delta = Media(d.pv, m - tail, m) - y0;
    // The 28.3 % and 63.2 % points on a moving average, so that noise does
    // not cross them early.
    const std::size_t window = std::max<std::size_t>(1, (m - k) / 50);
    auto crossingTime = [&](double fraction) {
        double sum = 0;
        for (std::size_t i = k; i < m; ++i) {
            sum += d.pv[i];
            if (i >= k + window) sum -= d.pv[i - window];
            const double media = sum / static_cast<double>(std::min(window, i - k + 1));
            if ((media - y0) / delta >= fraction) return d.t[i];
        }
        return duration;
    };
    const double t28 = crossingTime(0.283), t63 = crossingTime(0.632);
    const double dtMin = std::max(d.dt, 1e-6);
    ProcessModel f0{ModelKind::Fopdt, delta / dmv, std::max(1.5 * (t63 - t28), dtMin), 0, 0};
    f0.theta = std::max(0.0, t63 - f0.tau1);
    // An integrator: the slope of the second half of the response.
    const auto [slope, origin] = FitLine(d.t, d.pv, k + (m - k) / 2, m);
    ProcessModel i0{ModelKind::Ipdt, (slope - drift) / dmv, 0, 0, 0};
    if (slope != drift) i0.theta = std::clamp((y0 - origin) / (slope - drift), 0.0, 0.8 * duration);
    const ProcessModel s0{ModelKind::Sopdt, f0.K, 0.75 * f0.tau1, 0.25 * f0.tau1, f0.theta};

    // The dead time may take most of the record; the time constants run
    // from a tenth of a sample to far beyond the record.
    const SearchBox box{std::max(0.8 * duration, 2 * dtMin), dtMin / 10, std::max(1e6, 1000 * duration)};
    std::array<LeastSquaresFit, 3> found;
    auto fitModel = [&](ModelKind kind, const ProcessModel& initial) {
        const LeastSquaresFit a = FitLeastSquares(d, kind, initial, box);
        found[static_cast<std::size_t>(kind)] = a;
        id.fits[static_cast<std::size_t>(kind)] = Report(a, d, initial, excluded, leadIn, s, st.first, st.last, st.t0);
    };
    fitModel(ModelKind::Fopdt, f0);
    fitModel(ModelKind::Sopdt, s0);
    fitModel(ModelKind::Ipdt, i0);
    if (!id.fits[0] && !id.fits[1] && !id.fits[2])
        throw TuningError("Nenhum modelo pôde ser ajustado à série.", "No model could be fitted to the series.");

    ChooseBest(id, found, duration);
    return id;
}

}  // namespace kivo::tuning
