#include "tuning/Identification.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <unsupported/Eigen/LevenbergMarquardt>
#include <unsupported/Eigen/NumericalDiff>

namespace kivo::tuning {

namespace {

// The samples the fit sees: the window around the step, thinned to at most
// kMaxPoints so that long logs fit as fast as short ones.
constexpr std::size_t kMaxPoints = 1500;

struct StepResponse {
    std::vector<double> t;  // time since the step, s
    std::vector<double> pv;
    double dmv = 0;
    double dt = 0;          // mean sample interval, s
};

// Time constants are fitted through their logarithm, which keeps them
// positive; the bounds keep exp() finite when a model does not suit the data
// (a first order fitted to an integrator runs its time constant away).
struct Bounds {
    double lnMin, lnMax;
    double Tau(double p) const { return std::exp(std::clamp(p, lnMin, lnMax)); }
};

// The residuals of one model with the dead time held fixed. Parameters:
//   Fopdt: pv0, K, ln tau1
//   Sopdt: pv0, K, ln tau1, ln tau2
//   Ipdt:  pv0, K, drift
struct Residuals : Eigen::DenseFunctor<double> {
    Residuals(const StepResponse& d, ModelKind k, double theta, Bounds lim)
        : Eigen::DenseFunctor<double>(k == ModelKind::Sopdt ? 4 : 3, static_cast<int>(d.t.size())),
          d_(d), kind_(k), theta_(theta), lim_(lim) {}

    ProcessModel Model(const InputType& p) const {
        ProcessModel m;
        m.kind = kind_;
        m.K = p[1];
        m.theta = theta_;
        if (kind_ != ModelKind::Ipdt) m.tau1 = lim_.Tau(p[2]);
        if (kind_ == ModelKind::Sopdt) m.tau2 = lim_.Tau(p[3]);
        return m;
    }
    double Value(const InputType& p, const ProcessModel& m, double t) const {
        const double drift = kind_ == ModelKind::Ipdt ? p[2] * t : 0.0;
        return p[0] + drift + d_.dmv * UnitStepResponse(m, t);
    }
    int operator()(const InputType& p, ValueType& r) const {
        const ProcessModel m = Model(p);
        for (std::size_t i = 0; i < d_.t.size(); ++i)
            r[static_cast<Eigen::Index>(i)] = Value(p, m, d_.t[i]) - d_.pv[i];
        return 0;
    }

    const StepResponse& d_;
    ModelKind kind_;
    double theta_;
    Bounds lim_;
};

struct Fit {
    Eigen::VectorXd p;
    double cost = INFINITY;
};

Fit Minimise(const StepResponse& d, ModelKind k, double theta, Bounds lim, const Eigen::VectorXd& start) {
    Residuals r(d, k, theta, lim);
    Eigen::NumericalDiff<Residuals> f(r);
    Eigen::LevenbergMarquardt<Eigen::NumericalDiff<Residuals>> lm(f);
    lm.setMaxfev(200);
    Fit a;
    a.p = start;
    lm.minimize(a.p);
    Eigen::VectorXd res(static_cast<Eigen::Index>(d.t.size()));
    r(a.p, res);
    a.cost = res.squaredNorm();
    if (!std::isfinite(a.cost) || !a.p.allFinite()) a.cost = INFINITY;
    return a;
}

// Dead time: the response is continuous in it but has a kink at every sample
// time, and the data only place it between two samples, so a gradient-based
// fit over it stalls. It is searched in one dimension instead: a grid from 0
// to thetaMax, then a golden-section refinement around the best grid point,
// with Levenberg-Marquardt on the other parameters at every dead time tried.
// The response is evaluated analytically at the sample times, so the dead
// time found is not bound to whole samples.
std::pair<Fit, double> FitWithDeadTime(const StepResponse& d, ModelKind k, double thetaMax, Bounds lim,
                                              const Eigen::VectorXd& start) {
    constexpr int kGrade = 30;
    Fit best;
    double bestTheta = 0;
    int bestJ = 0;
    for (int j = 0; j < kGrade; ++j) {
        const double theta = thetaMax * j / (kGrade - 1);
        Fit a = Minimise(d, k, theta, lim, start);
        if (a.cost < best.cost) {
            best = a;
            bestTheta = theta;
            bestJ = j;
        }
    }
    if (!std::isfinite(best.cost)) return {best, 0};
    double a = thetaMax * std::max(0, bestJ - 1) / (kGrade - 1);
    double b = thetaMax * std::min(kGrade - 1, bestJ + 1) / (kGrade - 1);
    const double g = (std::sqrt(5.0) - 1) / 2;
    const Eigen::VectorXd p0 = best.p;
    auto cost = [&](double theta, Fit& output) {
        output = Minimise(d, k, theta, lim, p0);
        return output.cost;
    };
    Fit ac, ad;
    double c = b - g * (b - a), e = a + g * (b - a);
    double fc = cost(c, ac), fe = cost(e, ad);
    for (int i = 0; i < 25 && b - a > 1e-4 * std::max(d.dt, 1e-9); ++i) {
        if (fc < fe) {
            b = e;
            e = c;
            fe = fc;
            ad = ac;
            c = b - g * (b - a);
            fc = cost(c, ac);
        } else {
            a = c;
            c = e;
            fc = fe;
            ac = ad;
            e = a + g * (b - a);
            fe = cost(e, ad);
        }
    }
    if (fc < best.cost) {
        best = ac;
        bestTheta = c;
    }
    if (fe < best.cost) {
        best = ad;
        bestTheta = e;
    }
    return {best, bestTheta};
}

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

    // Data of the window, time counted from the step.
    StepResponse d;
    d.dmv = st.dmv();
    const std::size_t n = st.last - st.first;
    const std::size_t oneStep = (n + kMaxPoints - 1) / kMaxPoints;
    for (std::size_t i = st.first; i < st.last; i += oneStep) {
        d.t.push_back(s.t[i] - st.t0);
        d.pv.push_back(s.pv[i]);
    }
    d.dt = (s.t[st.last - 1] - s.t[st.first]) / static_cast<double>(n - 1);
    const std::size_t k = static_cast<std::size_t>(std::lower_bound(d.t.begin(), d.t.end(), 0.0) - d.t.begin());
    const std::size_t m = d.t.size();
    const double duration = d.t.back();

    // Graphical estimate. Initial PV and drift before the step.
    const double y0 = Media(d.pv, 0, std::max<std::size_t>(k, 1));
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
    ProcessModel f0{ModelKind::Fopdt, delta / d.dmv, std::max(1.5 * (t63 - t28), dtMin), 0, 0};
    f0.theta = std::max(0.0, t63 - f0.tau1);
    // An integrator: the slope of the second half of the response.
    const auto [slope, origin] = FitLine(d.t, d.pv, k + (m - k) / 2, m);
    ProcessModel i0{ModelKind::Ipdt, (slope - drift) / d.dmv, 0, 0, 0};
    if (slope != drift) i0.theta = std::clamp((y0 - origin) / (slope - drift), 0.0, 0.8 * duration);

    const Bounds lim{std::log(dtMin / 10), std::log(std::max(1e6, 1000 * duration))};
    double scale = std::abs(delta);
    for (std::size_t i = k; i < m; ++i) scale = std::max(scale, std::abs(d.pv[i] - y0));

    auto fitModel = [&](ModelKind kind, const ProcessModel& initial, const Eigen::VectorXd& p0, double thetaMax) {
        const auto [a, theta] = FitWithDeadTime(d, kind, std::max(thetaMax, 2 * dtMin), lim, p0);
        if (!std::isfinite(a.cost)) return;
        Residuals r(d, kind, theta, lim);
        ModelFit fit;
        fit.model = r.Model(a.p);
        if (kind == ModelKind::Sopdt && fit.model.tau2 > fit.model.tau1) std::swap(fit.model.tau1, fit.model.tau2);
        fit.initial = initial;
        fit.pv0 = a.p[0];
        fit.drift = kind == ModelKind::Ipdt ? a.p[2] : 0.0;
        double sum = 0;
        for (std::size_t i = st.first; i < st.last; ++i) {
            const double tt = s.t[i] - st.t0;
            const double y = fit.pv0 + fit.drift * tt + d.dmv * UnitStepResponse(fit.model, tt);
            fit.fitted.push_back(y);
            sum += (y - s.pv[i]) * (y - s.pv[i]);
        }
        fit.residual = std::sqrt(sum / static_cast<double>(n)) / scale;
        // A fit that ran off to infinity describes nothing.
        const ProcessModel& mf = fit.model;
        if (!std::isfinite(mf.K) || !std::isfinite(mf.tau1) || !std::isfinite(mf.tau2) || !std::isfinite(mf.theta) ||
            !std::isfinite(fit.pv0) || !std::isfinite(fit.drift) || !std::isfinite(fit.residual))
            return;
        id.fits[static_cast<std::size_t>(kind)] = std::move(fit);
    };

    const double thetaMax = std::min(std::max(t63, 2 * dtMin), 0.8 * duration);
    Eigen::VectorXd pf(3);
    pf << y0, f0.K, std::log(f0.tau1);
    fitModel(ModelKind::Fopdt, f0, pf, thetaMax);
    ProcessModel s0{ModelKind::Sopdt, f0.K, 0.75 * f0.tau1, 0.25 * f0.tau1, f0.theta};
    Eigen::VectorXd ps(4);
    ps << y0, s0.K, std::log(s0.tau1), std::log(s0.tau2);
    fitModel(ModelKind::Sopdt, s0, ps, thetaMax);
    Eigen::VectorXd pi(3);
    pi << y0, i0.K, drift;
    fitModel(ModelKind::Ipdt, i0, pi, std::min(std::max({3 * i0.theta, 0.3 * duration, 10 * dtMin}), 0.8 * duration));

    if (!id.fits[0] && !id.fits[1] && !id.fits[2])
        throw TuningError("Nenhum modelo pôde ser ajustado à série.", "No model could be fitted to the series.");

    // The best model: the simplest one unless another misses the data by
    // clearly less (a richer model always fits a little better, if only to
    // the noise). The second order must also show a second time constant that
    // matters, and the integrator wins outright when the first order's time
    // constant runs far beyond the data (the PV never settles).
    auto residual = [&](ModelKind kk) {
        const auto& f = id.fits[static_cast<std::size_t>(kk)];
        return f ? f->residual : INFINITY;
    };
    constexpr double kClearImprovement = 0.9;
    ModelKind best = id.fits[0] ? ModelKind::Fopdt : ModelKind::Sopdt;
    if (id.fits[1] && id.fits[1]->model.tau2 > 0.05 * id.fits[1]->model.tau1 &&
        residual(ModelKind::Sopdt) < kClearImprovement * residual(best))
        best = ModelKind::Sopdt;
    const bool neverSettles = id.fits[0] && id.fits[0]->model.tau1 > 3 * duration;
    if (id.fits[2] && (residual(ModelKind::Ipdt) < kClearImprovement * residual(best) ||
                       (neverSettles && residual(ModelKind::Ipdt) <= 1.2 * residual(best))))
        best = ModelKind::Ipdt;
    if (!id.fits[static_cast<std::size_t>(best)]) best = ModelKind::Ipdt;
    id.best = best;
    return id;
}

}  // namespace kivo::tuning
