#include "tuning/Identification.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <unsupported/Eigen/LevenbergMarquardt>
#include <unsupported/Eigen/NumericalDiff>

namespace kivo::tuning {

namespace {

// The samples the fit sees: the window around the step, thinned to at most
// kMaxPontos so that long logs fit as fast as short ones.
constexpr std::size_t kMaxPontos = 1500;

struct Dados {
    std::vector<double> t;  // time since the step, s
    std::vector<double> pv;
    double dmv = 0;
    double dt = 0;          // mean sample interval, s
};

// Time constants are fitted through their logarithm, which keeps them
// positive; the bounds keep exp() finite when a model does not suit the data
// (a first order fitted to an integrator runs its time constant away).
struct Limites {
    double lnMin, lnMax;
    double Tau(double p) const { return std::exp(std::clamp(p, lnMin, lnMax)); }
};

// The residuals of one model with the dead time held fixed. Parameters:
//   Fopdt: pv0, K, ln tau1
//   Sopdt: pv0, K, ln tau1, ln tau2
//   Ipdt:  pv0, K, drift
struct Residuos : Eigen::DenseFunctor<double> {
    Residuos(const Dados& d, ModelKind k, double theta, Limites lim)
        : Eigen::DenseFunctor<double>(k == ModelKind::Sopdt ? 4 : 3, static_cast<int>(d.t.size())),
          d_(d), kind_(k), theta_(theta), lim_(lim) {}

    ProcessModel Modelo(const InputType& p) const {
        ProcessModel m;
        m.kind = kind_;
        m.K = p[1];
        m.theta = theta_;
        if (kind_ != ModelKind::Ipdt) m.tau1 = lim_.Tau(p[2]);
        if (kind_ == ModelKind::Sopdt) m.tau2 = lim_.Tau(p[3]);
        return m;
    }
    double Valor(const InputType& p, const ProcessModel& m, double t) const {
        const double deriva = kind_ == ModelKind::Ipdt ? p[2] * t : 0.0;
        return p[0] + deriva + d_.dmv * UnitStepResponse(m, t);
    }
    int operator()(const InputType& p, ValueType& r) const {
        const ProcessModel m = Modelo(p);
        for (std::size_t i = 0; i < d_.t.size(); ++i)
            r[static_cast<Eigen::Index>(i)] = Valor(p, m, d_.t[i]) - d_.pv[i];
        return 0;
    }

    const Dados& d_;
    ModelKind kind_;
    double theta_;
    Limites lim_;
};

struct Ajuste {
    Eigen::VectorXd p;
    double custo = INFINITY;
};

Ajuste Minimiza(const Dados& d, ModelKind k, double theta, Limites lim, const Eigen::VectorXd& inicio) {
    Residuos r(d, k, theta, lim);
    Eigen::NumericalDiff<Residuos> f(r);
    Eigen::LevenbergMarquardt<Eigen::NumericalDiff<Residuos>> lm(f);
    lm.setMaxfev(200);
    Ajuste a;
    a.p = inicio;
    lm.minimize(a.p);
    Eigen::VectorXd res(static_cast<Eigen::Index>(d.t.size()));
    r(a.p, res);
    a.custo = res.squaredNorm();
    if (!std::isfinite(a.custo) || !a.p.allFinite()) a.custo = INFINITY;
    return a;
}

// Dead time: the response is continuous in it but has a kink at every sample
// time, and the data only place it between two samples, so a gradient-based
// fit over it stalls. It is searched in one dimension instead: a grid from 0
// to thetaMax, then a golden-section refinement around the best grid point,
// with Levenberg-Marquardt on the other parameters at every dead time tried.
// The response is evaluated analytically at the sample times, so the dead
// time found is not bound to whole samples.
std::pair<Ajuste, double> AjustaComTempoMorto(const Dados& d, ModelKind k, double thetaMax, Limites lim,
                                              const Eigen::VectorXd& inicio) {
    constexpr int kGrade = 30;
    Ajuste melhor;
    double thetaMelhor = 0;
    int jMelhor = 0;
    for (int j = 0; j < kGrade; ++j) {
        const double theta = thetaMax * j / (kGrade - 1);
        Ajuste a = Minimiza(d, k, theta, lim, inicio);
        if (a.custo < melhor.custo) {
            melhor = a;
            thetaMelhor = theta;
            jMelhor = j;
        }
    }
    if (!std::isfinite(melhor.custo)) return {melhor, 0};
    double a = thetaMax * std::max(0, jMelhor - 1) / (kGrade - 1);
    double b = thetaMax * std::min(kGrade - 1, jMelhor + 1) / (kGrade - 1);
    const double g = (std::sqrt(5.0) - 1) / 2;
    const Eigen::VectorXd p0 = melhor.p;
    auto custo = [&](double theta, Ajuste& saida) {
        saida = Minimiza(d, k, theta, lim, p0);
        return saida.custo;
    };
    Ajuste ac, ad;
    double c = b - g * (b - a), e = a + g * (b - a);
    double fc = custo(c, ac), fe = custo(e, ad);
    for (int i = 0; i < 25 && b - a > 1e-4 * std::max(d.dt, 1e-9); ++i) {
        if (fc < fe) {
            b = e;
            e = c;
            fe = fc;
            ad = ac;
            c = b - g * (b - a);
            fc = custo(c, ac);
        } else {
            a = c;
            c = e;
            fc = fe;
            ac = ad;
            e = a + g * (b - a);
            fe = custo(e, ad);
        }
    }
    if (fc < melhor.custo) {
        melhor = ac;
        thetaMelhor = c;
    }
    if (fe < melhor.custo) {
        melhor = ad;
        thetaMelhor = e;
    }
    return {melhor, thetaMelhor};
}

double Media(const std::vector<double>& v, std::size_t a, std::size_t b) {
    return std::accumulate(v.begin() + static_cast<std::ptrdiff_t>(a), v.begin() + static_cast<std::ptrdiff_t>(b), 0.0) /
           static_cast<double>(b - a);
}

// Least-squares line through (t, y) for indices a..b-1: slope and value at t = 0.
std::pair<double, double> Reta(const std::vector<double>& t, const std::vector<double>& y, std::size_t a, std::size_t b) {
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
    Dados d;
    d.dmv = st.dmv();
    const std::size_t n = st.last - st.first;
    const std::size_t passo = (n + kMaxPontos - 1) / kMaxPontos;
    for (std::size_t i = st.first; i < st.last; i += passo) {
        d.t.push_back(s.t[i] - st.t0);
        d.pv.push_back(s.pv[i]);
    }
    d.dt = (s.t[st.last - 1] - s.t[st.first]) / static_cast<double>(n - 1);
    const std::size_t k = static_cast<std::size_t>(std::lower_bound(d.t.begin(), d.t.end(), 0.0) - d.t.begin());
    const std::size_t m = d.t.size();
    const double duracao = d.t.back();

    // Graphical estimate. Initial PV and drift before the step.
    const double y0 = Media(d.pv, 0, std::max<std::size_t>(k, 1));
    const double deriva = k >= 5 ? Reta(d.t, d.pv, 0, k).first : 0.0;
    // Final change: the mean of the last tenth of the window.
    const std::size_t cauda = std::max<std::size_t>(3, (m - k) / 10);
    const double delta = Media(d.pv, m - cauda, m) - y0;
    // The 28.3 % and 63.2 % points on a moving average, so that noise does
    // not cross them early.
    const std::size_t janela = std::max<std::size_t>(1, (m - k) / 50);
    auto cruza = [&](double fracao) {
        double soma = 0;
        for (std::size_t i = k; i < m; ++i) {
            soma += d.pv[i];
            if (i >= k + janela) soma -= d.pv[i - janela];
            const double media = soma / static_cast<double>(std::min(janela, i - k + 1));
            if ((media - y0) / delta >= fracao) return d.t[i];
        }
        return duracao;
    };
    const double t28 = cruza(0.283), t63 = cruza(0.632);
    const double dtMin = std::max(d.dt, 1e-6);
    ProcessModel f0{ModelKind::Fopdt, delta / d.dmv, std::max(1.5 * (t63 - t28), dtMin), 0, 0};
    f0.theta = std::max(0.0, t63 - f0.tau1);
    // An integrator: the slope of the second half of the response.
    const auto [inclinacao, origem] = Reta(d.t, d.pv, k + (m - k) / 2, m);
    ProcessModel i0{ModelKind::Ipdt, (inclinacao - deriva) / d.dmv, 0, 0, 0};
    if (inclinacao != deriva) i0.theta = std::clamp((y0 - origem) / (inclinacao - deriva), 0.0, 0.8 * duracao);

    const Limites lim{std::log(dtMin / 10), std::log(std::max(1e6, 1000 * duracao))};
    double escala = std::abs(delta);
    for (std::size_t i = k; i < m; ++i) escala = std::max(escala, std::abs(d.pv[i] - y0));

    auto conclui = [&](ModelKind kind, const ProcessModel& inicial, const Eigen::VectorXd& p0, double thetaMax) {
        const auto [a, theta] = AjustaComTempoMorto(d, kind, std::max(thetaMax, 2 * dtMin), lim, p0);
        if (!std::isfinite(a.custo)) return;
        Residuos r(d, kind, theta, lim);
        ModelFit fit;
        fit.model = r.Modelo(a.p);
        if (kind == ModelKind::Sopdt && fit.model.tau2 > fit.model.tau1) std::swap(fit.model.tau1, fit.model.tau2);
        fit.initial = inicial;
        fit.pv0 = a.p[0];
        fit.drift = kind == ModelKind::Ipdt ? a.p[2] : 0.0;
        double soma = 0;
        for (std::size_t i = st.first; i < st.last; ++i) {
            const double tt = s.t[i] - st.t0;
            const double y = fit.pv0 + fit.drift * tt + d.dmv * UnitStepResponse(fit.model, tt);
            fit.fitted.push_back(y);
            soma += (y - s.pv[i]) * (y - s.pv[i]);
        }
        fit.residual = std::sqrt(soma / static_cast<double>(n)) / escala;
        // A fit that ran off to infinity describes nothing.
        const ProcessModel& mf = fit.model;
        if (!std::isfinite(mf.K) || !std::isfinite(mf.tau1) || !std::isfinite(mf.tau2) || !std::isfinite(mf.theta) ||
            !std::isfinite(fit.pv0) || !std::isfinite(fit.drift) || !std::isfinite(fit.residual))
            return;
        id.fits[static_cast<std::size_t>(kind)] = std::move(fit);
    };

    const double thetaMax = std::min(std::max(t63, 2 * dtMin), 0.8 * duracao);
    Eigen::VectorXd pf(3);
    pf << y0, f0.K, std::log(f0.tau1);
    conclui(ModelKind::Fopdt, f0, pf, thetaMax);
    ProcessModel s0{ModelKind::Sopdt, f0.K, 0.75 * f0.tau1, 0.25 * f0.tau1, f0.theta};
    Eigen::VectorXd ps(4);
    ps << y0, s0.K, std::log(s0.tau1), std::log(s0.tau2);
    conclui(ModelKind::Sopdt, s0, ps, thetaMax);
    Eigen::VectorXd pi(3);
    pi << y0, i0.K, deriva;
    conclui(ModelKind::Ipdt, i0, pi, std::min(std::max({3 * i0.theta, 0.3 * duracao, 10 * dtMin}), 0.8 * duracao));

    if (!id.fits[0] && !id.fits[1] && !id.fits[2])
        throw TuningError("Nenhum modelo pôde ser ajustado à série.", "No model could be fitted to the series.");

    // The best model: the simplest one unless another misses the data by
    // clearly less (a richer model always fits a little better, if only to
    // the noise). The second order must also show a second time constant that
    // matters, and the integrator wins outright when the first order's time
    // constant runs far beyond the data (the PV never settles).
    auto residuo = [&](ModelKind kk) {
        const auto& f = id.fits[static_cast<std::size_t>(kk)];
        return f ? f->residual : INFINITY;
    };
    constexpr double kGanhoClaro = 0.9;
    ModelKind melhor = id.fits[0] ? ModelKind::Fopdt : ModelKind::Sopdt;
    if (id.fits[1] && id.fits[1]->model.tau2 > 0.05 * id.fits[1]->model.tau1 &&
        residuo(ModelKind::Sopdt) < kGanhoClaro * residuo(melhor))
        melhor = ModelKind::Sopdt;
    const bool naoAssenta = id.fits[0] && id.fits[0]->model.tau1 > 3 * duracao;
    if (id.fits[2] && (residuo(ModelKind::Ipdt) < kGanhoClaro * residuo(melhor) ||
                       (naoAssenta && residuo(ModelKind::Ipdt) <= 1.2 * residuo(melhor))))
        melhor = ModelKind::Ipdt;
    if (!id.fits[static_cast<std::size_t>(melhor)]) melhor = ModelKind::Ipdt;
    id.best = melhor;
    return id;
}

}  // namespace kivo::tuning
