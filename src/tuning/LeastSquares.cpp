#include "tuning/LeastSquares.h"

#include <algorithm>
#include <cmath>
#include <Eigen/Dense>
#include <unsupported/Eigen/LevenbergMarquardt>
#include <unsupported/Eigen/NumericalDiff>

namespace kivo::tuning {

namespace {

// The grid the search starts from: dead times over the whole box, time
// constants from an eighth to eight times the graphical estimate, and for
// a second order a few ratios of the two. The best few of its points are
// refined.
constexpr int kGridDeadTimes = 40;
constexpr int kGridTimeConstants = 13;  // a factor of sqrt(2) apart
constexpr double kGridRatios[] = {0.1, 0.3, 0.6, 1.0};
constexpr std::size_t kStarts = 4;

// Folds x into lo..hi by reflection. The search then moves freely while the
// model stays in its box, and the cost keeps a slope at the edges, where a
// clamp would leave it flat and stall the search outside.
double Fold(double x, double lo, double hi) {
    const double w = hi - lo;
    if (!(w > 0)) return lo;
    double y = std::fmod(x - lo, 2 * w);
    if (y < 0) y += 2 * w;
    return y <= w ? lo + y : hi - (y - w);
}

int NonlinearCount(ModelKind k) { return k == ModelKind::Sopdt ? 3 : k == ModelKind::Fopdt ? 2 : 1; }
int LinearCount(ModelKind k) { return k == ModelKind::Ipdt ? 3 : 2; }

// The cost of the nonlinear parameters q with the linear ones solved:
//   Fopdt q = (ln tau1, theta), Sopdt (ln tau1, ln tau2, theta), Ipdt (theta);
//   linear: the initial PV, the gain, and the integrator's drift.
struct Projection {
    const FitData& d;
    ModelKind kind;
    double thetaMin, thetaMax;
    double lnMin, lnMax;

    // The model with unit gain.
    ProcessModel Unit(const Eigen::VectorXd& q) const {
        ProcessModel m;
        m.kind = kind;
        m.K = 1;
        m.theta = Fold(q[NonlinearCount(kind) - 1], thetaMin, thetaMax);
        if (kind != ModelKind::Ipdt) m.tau1 = std::exp(Fold(q[0], lnMin, lnMax));
        if (kind == ModelKind::Sopdt) m.tau2 = std::exp(Fold(q[1], lnMin, lnMax));
        return m;
    }

    // Solves the linear parameters (initial PV, gain, drift) for the unit
    // model, and writes the residuals into r. The normal equations of the
    // centred columns: the constant drops out, and at most a 2 x 2 system
    // is left, well conditioned once centred.
    Eigen::VectorXd Solve(const ProcessModel& unit, Eigen::VectorXd& r) const {
        const std::size_t n = d.t.size();
        const bool drifts = kind == ModelKind::Ipdt;
        r.resize(static_cast<Eigen::Index>(n));
        double ms = 0, mt = 0, my = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const double si = ForcedResponse(unit, d.changes, d.t[i]);
            r[static_cast<Eigen::Index>(i)] = si;
            ms += si;
            mt += d.t[i];
            my += d.pv[i];
        }
        ms /= static_cast<double>(n);
        mt /= static_cast<double>(n);
        my /= static_cast<double>(n);
        double sss = 0, sst = 0, stt = 0, ssy = 0, sty = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const double si = r[static_cast<Eigen::Index>(i)] - ms, ti = d.t[i] - mt, yi = d.pv[i] - my;
            sss += si * si;
            sst += si * ti;
            stt += ti * ti;
            ssy += si * yi;
            sty += ti * yi;
        }
        double k = 0, g = 0;
        const double det = sss * stt - sst * sst;
        if (drifts && det > 1e-12 * sss * stt) {
            k = (ssy * stt - sty * sst) / det;
            g = (sty * sss - ssy * sst) / det;
        } else if (drifts && !(sss > 0) && stt > 0) {
            g = sty / stt;  // no response within the record: the drift alone
        } else if (sss > 0) {
            k = ssy / sss;
        }
        Eigen::VectorXd x(LinearCount(kind));
        x[0] = my - k * ms - g * mt;
        x[1] = k;
        if (drifts) x[2] = g;
        for (std::size_t i = 0; i < n; ++i) {
            auto& ri = r[static_cast<Eigen::Index>(i)];
            ri = x[0] + k * ri + g * d.t[i] - d.pv[i];
        }
        if (!r.allFinite()) r.setConstant(1e150);
        return x;
    }

    // The q of a unit model inside the box: Unit(Point(m)) is m.
    Eigen::VectorXd Point(const ProcessModel& unit) const {
        Eigen::VectorXd q(NonlinearCount(kind));
        q[q.size() - 1] = unit.theta;
        if (kind != ModelKind::Ipdt) q[0] = std::log(unit.tau1);
        if (kind == ModelKind::Sopdt) q[1] = std::log(unit.tau2);
        return q;
    }

    double Cost(const Eigen::VectorXd& q) const {
        Eigen::VectorXd r;
        Solve(Unit(q), r);
        return r.squaredNorm();
    }
};

struct Residuals : Eigen::DenseFunctor<double> {
    Residuals(const Projection& p)
        : Eigen::DenseFunctor<double>(NonlinearCount(p.kind), static_cast<int>(p.d.t.size())), p_(p) {}
    int operator()(const InputType& q, ValueType& r) const {
        p_.Solve(p_.Unit(q), r);
        return 0;
    }
    const Projection& p_;
};

struct Candidate {
    Eigen::VectorXd q;
    double cost = INFINITY;
};

Candidate Refine(const Projection& p, const Eigen::VectorXd& start) {
    Residuals r(p);
    Eigen::NumericalDiff<Residuals> f(r);
    Eigen::LevenbergMarquardt<Eigen::NumericalDiff<Residuals>> lm(f);
    lm.setMaxfev(400);
    Candidate c{start};
    lm.minimize(c.q);
    c.cost = c.q.allFinite() ? p.Cost(c.q) : INFINITY;
    if (!std::isfinite(c.cost)) c.cost = INFINITY;
    return c;
}

// The response bends where the dead time passes a sample, so the cost has a
// kink there, on which a gradient search can stall just short of the
// minimum. Between two samples the cost is smooth: the search is run again
// with the dead time held within each of the intervals around the best
// one, and the lowest kept.
Candidate Polish(const Projection& p, Candidate best) {
    const double t0 = p.d.changes.empty() ? 0.0 : p.d.changes.front().t;
    std::vector<double> edges{0.0};
    for (double t : p.d.t)
        if (t - t0 > 0 && t - t0 < p.thetaMax) edges.push_back(t - t0);
    edges.push_back(p.thetaMax);
    const ProcessModel unit = p.Unit(best.q);
    const auto at = static_cast<std::ptrdiff_t>(std::upper_bound(edges.begin(), edges.end(), unit.theta) - edges.begin()) - 1;
    for (std::ptrdiff_t j = std::max<std::ptrdiff_t>(0, at - 2);
         j <= std::min<std::ptrdiff_t>(static_cast<std::ptrdiff_t>(edges.size()) - 2, at + 2); ++j) {
        Projection inside = p;
        inside.thetaMin = edges[static_cast<std::size_t>(j)];
        inside.thetaMax = edges[static_cast<std::size_t>(j) + 1];
        ProcessModel start = unit;
        start.theta = std::clamp(unit.theta, inside.thetaMin, inside.thetaMax);
        const Candidate c = Refine(inside, inside.Point(start));
        if (c.cost < best.cost) best = {p.Point(inside.Unit(c.q)), c.cost};
    }
    return best;
}

// The points of the starting grid.
std::vector<Eigen::VectorXd> Grid(const Projection& p, const ProcessModel& guess) {
    std::vector<double> thetas;
    for (int i = 0; i < kGridDeadTimes; ++i) thetas.push_back(p.thetaMax * i / (kGridDeadTimes - 1));
    std::vector<Eigen::VectorXd> grid;
    if (p.kind == ModelKind::Ipdt) {
        for (double theta : thetas) grid.push_back(Eigen::VectorXd::Constant(1, theta));
        return grid;
    }
    const double centre = std::clamp(std::log(std::max(guess.tau1, 1e-300)), p.lnMin, p.lnMax);
    std::vector<double> lnTaus;
    for (int j = 0; j < kGridTimeConstants; ++j)
        lnTaus.push_back(
            std::clamp(centre + (j - kGridTimeConstants / 2) * std::log(2.0) / 2, p.lnMin, p.lnMax));
    lnTaus.erase(std::unique(lnTaus.begin(), lnTaus.end()), lnTaus.end());
    for (double theta : thetas)
        for (double lnTau : lnTaus) {
            if (p.kind == ModelKind::Fopdt) {
                grid.push_back(Eigen::Vector2d(lnTau, theta));
                continue;
            }
            for (double ratio : kGridRatios)
                grid.push_back(Eigen::Vector3d(lnTau, std::max(p.lnMin, lnTau + std::log(ratio)), theta));
        }
    return grid;
}

// The model's PV at every sample for the natural parameters
//   Fopdt (pv0, K, tau1, theta), Sopdt (pv0, K, tau1, tau2, theta),
//   Ipdt (pv0, K, theta, drift).
Eigen::VectorXd Prediction(const FitData& d, ModelKind kind, const Eigen::VectorXd& p) {
    ProcessModel m;
    m.kind = kind;
    m.K = p[1];
    double drift = 0;
    if (kind == ModelKind::Ipdt) {
        m.theta = p[2];
        drift = p[3];
    } else {
        m.tau1 = p[2];
        if (kind == ModelKind::Sopdt) m.tau2 = p[3];
        m.theta = p[kind == ModelKind::Sopdt ? 4 : 3];
    }
    Eigen::VectorXd y(static_cast<Eigen::Index>(d.t.size()));
    for (std::size_t i = 0; i < d.t.size(); ++i)
        y[static_cast<Eigen::Index>(i)] = p[0] + drift * d.t[i] + ForcedResponse(m, d.changes, d.t[i]);
    return y;
}

// Half-widths of the 95 % intervals from the covariance s² (JᵀJ)⁻¹, with J
// the Jacobian of the model's PV at the optimum (central differences) and
// s² the residual variance. Residuals that follow each other (noise slower
// than the sampling, or a model that misses the shape) carry less
// information than their number says: the variance is widened by the
// factor (1 + rho) / (1 - rho) of their lag-one correlation rho.
Eigen::VectorXd HalfWidths(const FitData& d, ModelKind kind, const Eigen::VectorXd& p, const Eigen::VectorXd& r,
                           double rho) {
    const auto n = r.size();
    const auto k = p.size();
    Eigen::VectorXd none = Eigen::VectorXd::Constant(k, INFINITY);
    if (n <= k) return none;
    Eigen::MatrixXd j(n, k);
    for (Eigen::Index c = 0; c < k; ++c) {
        const double scale = std::max(std::abs(p[c]), c == 0 ? 1.0 : std::max(d.dt, 1e-9));
        const double h = 1e-5 * scale;
        Eigen::VectorXd up = p, down = p;
        up[c] += h;
        down[c] -= h;
        j.col(c) = (Prediction(d, kind, up) - Prediction(d, kind, down)) / (2 * h);
    }
    Eigen::VectorXd norms = j.colwise().norm().transpose();
    if (!norms.allFinite() || (norms.array() <= 0).any()) return none;
    const Eigen::MatrixXd scaled = j * norms.cwiseInverse().asDiagonal();
    const Eigen::MatrixXd normal = scaled.transpose() * scaled;
    const Eigen::FullPivLU<Eigen::MatrixXd> lu(normal);
    if (!lu.isInvertible() || lu.rcond() < 1e-13) return none;
    const Eigen::MatrixXd inverse = lu.inverse();
    const double ss = r.squaredNorm();
    const double variance = ss / static_cast<double>(n - k) * (1 + rho) / (1 - rho);
    const double t = StudentT95(static_cast<double>(n - k));
    Eigen::VectorXd w(k);
    for (Eigen::Index c = 0; c < k; ++c) w[c] = t * std::sqrt(std::max(0.0, variance * inverse(c, c))) / norms[c];
    return w;
}

}  // namespace

double ForcedResponse(const ProcessModel& m, const std::vector<MvChange>& changes, double t) {
    double y = 0;
    for (const MvChange& c : changes) {
        if (t - c.t <= m.theta) break;
        y += c.dmv * UnitStepResponse(m, t - c.t);
    }
    return y;
}

double Bic(const LeastSquaresFit& fit, double rho) {
    const double n = static_cast<double>(fit.samples), independent = n * (1 - rho) / (1 + rho);
    // A perfect fit has no logarithm: a floor far below any noise.
    return independent * std::log(std::max(fit.sse / n, 1e-300)) + fit.parameters * std::log(independent);
}

double StudentT95(double dof) {
    // Cornish-Fisher expansion about the normal quantile: within 0.1 % from
    // 5 degrees of freedom up, which every fit has.
    const double z = 1.959963984540054;
    const double z3 = z * z * z, z5 = z3 * z * z, z7 = z5 * z * z;
    const double v = std::max(dof, 1.0);
    return z + (z3 + z) / (4 * v) + (5 * z5 + 16 * z3 + 3 * z) / (96 * v * v) +
           (3 * z7 + 19 * z5 + 17 * z3 - 15 * z) / (384 * v * v * v);
}

LeastSquaresFit FitLeastSquares(const FitData& d, ModelKind kind, const ProcessModel& guess, const SearchBox& box) {
    LeastSquaresFit fit;
    fit.model.kind = kind;
    fit.sse = INFINITY;
    fit.samples = d.t.size();
    fit.parameters = NonlinearCount(kind) + LinearCount(kind);
    if (d.t.size() <= static_cast<std::size_t>(fit.parameters)) return fit;
    const Projection p{d, kind, 0, box.thetaMax, std::log(box.tauMin), std::log(box.tauMax)};

    // The grid, then the best of its points refined jointly in all the
    // nonlinear parameters.
    std::vector<Candidate> grid;
    for (const Eigen::VectorXd& q : Grid(p, guess)) grid.push_back({q, p.Cost(q)});
    const std::size_t starts = std::min(kStarts, grid.size());
    std::partial_sort(grid.begin(), grid.begin() + static_cast<std::ptrdiff_t>(starts), grid.end(),
                      [](const Candidate& a, const Candidate& b) { return a.cost < b.cost; });
    Candidate best;
    for (std::size_t i = 0; i < starts; ++i) {
        if (grid[i].cost < best.cost) best = grid[i];
        const Candidate c = Refine(p, grid[i].q);
        if (c.cost < best.cost) best = c;
    }
    if (!std::isfinite(best.cost)) return fit;
    best = Polish(p, best);

    const ProcessModel unit = p.Unit(best.q);
    Eigen::VectorXd r;
    const Eigen::VectorXd x = p.Solve(unit, r);
    fit.sse = r.squaredNorm();
    fit.model = unit;
    fit.model.K = x[1];
    fit.pv0 = x[0];
    fit.drift = kind == ModelKind::Ipdt ? x[2] : 0.0;

    Eigen::VectorXd natural(fit.parameters);
    if (kind == ModelKind::Ipdt) natural << fit.pv0, fit.model.K, fit.model.theta, fit.drift;
    else if (kind == ModelKind::Fopdt) natural << fit.pv0, fit.model.K, fit.model.tau1, fit.model.theta;
    else natural << fit.pv0, fit.model.K, fit.model.tau1, fit.model.tau2, fit.model.theta;
    double lag = 0;
    for (Eigen::Index i = 1; i < r.size(); ++i) lag += r[i] * r[i - 1];
    fit.correlation = fit.sse > 0 ? std::clamp(lag / fit.sse, 0.0, kMaxCorrelation) : 0.0;
    const Eigen::VectorXd w = HalfWidths(d, kind, natural, r, fit.correlation);
    fit.halfWidth.kind = kind;
    fit.halfWidth.K = w[1];
    if (kind == ModelKind::Ipdt) {
        fit.halfWidth.theta = w[2];
    } else {
        fit.halfWidth.tau1 = w[2];
        if (kind == ModelKind::Sopdt) fit.halfWidth.tau2 = w[3];
        fit.halfWidth.theta = w[fit.parameters - 1];
    }
    // The larger time constant first.
    if (kind == ModelKind::Sopdt && fit.model.tau2 > fit.model.tau1) {
        std::swap(fit.model.tau1, fit.model.tau2);
        std::swap(fit.halfWidth.tau1, fit.halfWidth.tau2);
    }

    const double thetaEdge = 1e-4 * box.thetaMax;
    fit.thetaAtMax = fit.model.theta >= box.thetaMax - thetaEdge;
    if (kind != ModelKind::Ipdt) {
        const double smallest = kind == ModelKind::Sopdt ? fit.model.tau2 : fit.model.tau1;
        fit.tauAtMin = std::log(smallest) <= p.lnMin + 1e-4;
        fit.tauAtMax = std::log(fit.model.tau1) >= p.lnMax - 1e-4;
    }
    return fit;
}

}  // namespace kivo::tuning
