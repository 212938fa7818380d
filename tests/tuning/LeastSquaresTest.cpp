// The fit on noisy step tests, against a brute-force search: the reported
// sum of squares is never above that of a dense grid over all parameters,
// its errors over seeds are those of the grid, and its 95 % intervals cover
// the true values about 95 % of the time.
#include <gtest/gtest.h>

#include <Eigen/Dense>
#include <cmath>
#include <functional>

#include "NoisySeries.h"
#include "tuning/LeastSquares.h"

namespace kivo {
namespace {

using tuning::ModelKind;
using tuning::ProcessModel;

constexpr int kSeeds = 20;

// The window's samples as the fit sees them: time from the step.
struct Window {
    std::vector<double> t, pv;
    double dmv = 0;
};

Window WindowOf(const tuning::Identification& id) {
    Window w;
    for (std::size_t i = id.step.first; i < id.step.last; ++i) {
        w.t.push_back(id.series.t[i] - id.step.t0);
        w.pv.push_back(id.series.pv[i]);
    }
    w.dmv = id.step.dmv();
    return w;
}

// Sum of squares of a unit-gain model with the initial PV, the gain (and
// an integrator's drift) solved exactly, as a grid infinitely dense in them
// would find them.
double Sse(const Window& w, const ProcessModel& unit) {
    const bool integrator = unit.kind == ModelKind::Ipdt;
    const auto n = static_cast<Eigen::Index>(w.t.size());
    Eigen::MatrixXd a(n, integrator ? 3 : 2);
    for (Eigen::Index i = 0; i < n; ++i) {
        const double t = w.t[static_cast<std::size_t>(i)];
        a(i, 0) = 1;
        a(i, 1) = w.dmv * tuning::UnitStepResponse(unit, t);
        if (integrator) a(i, 2) = t;
    }
    const Eigen::Map<const Eigen::VectorXd> y(w.pv.data(), n);
    return (a * a.colPivHouseholderQr().solve(y) - y).squaredNorm();
}

// The dead time and time constants on a grid of `points` per parameter over
// `span` (relative) around the centre, refined twice around the best node
// to a tenth of the spacing each time. Returns the best node's model.
ProcessModel GridSearch(const Window& w, const ProcessModel& centre, int points, double span, double& best) {
    std::vector<double ProcessModel::*> axes{&ProcessModel::theta};
    if (centre.kind != ModelKind::Ipdt) axes.push_back(&ProcessModel::tau1);
    if (centre.kind == ModelKind::Sopdt) axes.push_back(&ProcessModel::tau2);
    ProcessModel at = centre, found = centre;
    at.K = 1;
    std::vector<double> step;
    for (auto axis : axes) step.push_back(2 * span * centre.*axis / (points - 1));
    best = INFINITY;
    for (int level = 0; level < 3; ++level) {
        const ProcessModel middle = found;
        std::function<void(std::size_t)> walk = [&](std::size_t a) {
            if (a == axes.size()) {
                const double sse = Sse(w, at);
                if (sse < best) {
                    best = sse;
                    found = at;
                }
                return;
            }
            for (int i = 0; i < points; ++i) {
                at.*axes[a] = std::max(0.0, middle.*axes[a] + (i - points / 2) * step[a]);
                walk(a + 1);
            }
        };
        walk(0);
        for (double& s : step) s /= 10;
        points = 21;
    }
    return found;
}

TEST(LeastSquaresTest, NoisyFitsReachTheGridOptimumAndTheirIntervalsCover) {
    const struct {
        test::NoisyStepTest test;
        int gridPoints;
    } cases[] = {
        {{{ModelKind::Fopdt, 0.8, 60, 0, 12}, 10, 60, 300, 0.5}, 41},
        {{{ModelKind::Sopdt, 1.5, 30, 10, 8}, 10, 60, 300, 0.5}, 21},
        {{{ModelKind::Ipdt, 0.02, 0, 0, 6}, 10, 60, 150, 0.5}, 41},
    };
    int covered = 0, intervals = 0;
    for (const auto& c : cases) {
        const ProcessModel& truth = c.test.model;
        const char* name = tuning::KindName(truth.kind);
        std::vector<double ProcessModel::*> parameters{&ProcessModel::K, &ProcessModel::theta};
        if (truth.kind != ModelKind::Ipdt) parameters.push_back(&ProcessModel::tau1);
        if (truth.kind == ModelKind::Sopdt) parameters.push_back(&ProcessModel::tau2);
        std::vector<double> fitErrors(parameters.size()), gridErrors(parameters.size());
        for (unsigned seed = 1; seed <= kSeeds; ++seed) {
            const tuning::Identification id = tuning::Identify(test::SimulateNoisy(c.test, seed));
            const tuning::ModelFit& fit = id.fit(truth.kind);
            const double sse = fit.rms * fit.rms * static_cast<double>(fit.samples);
            const Window w = WindowOf(id);
            ASSERT_EQ(fit.samples, w.t.size()) << name;
            double gridSse = 0;
            ProcessModel grid = GridSearch(w, truth, c.gridPoints, 1.0, gridSse);
            EXPECT_LE(sse, gridSse * (1 + 1e-6)) << name << " seed " << seed;
            // The grid's gain: the fitted gain is exact for its time constants.
            grid.K = fit.model.K;
            for (std::size_t p = 0; p < parameters.size(); ++p) {
                const auto field = parameters[p];
                fitErrors[p] += std::pow(fit.model.*field / truth.*field - 1, 2);
                gridErrors[p] += std::pow(grid.*field / truth.*field - 1, 2);
                ++intervals;
                covered += std::abs(fit.model.*field - truth.*field) <= fit.halfWidth.*field;
            }
        }
        for (std::size_t p = 0; p < parameters.size(); ++p)
            EXPECT_LE(std::sqrt(fitErrors[p] / kSeeds), 1.1 * std::sqrt(gridErrors[p] / kSeeds) + 1e-4)
                << name << " parameter " << p;
    }
    const double coverage = static_cast<double>(covered) / intervals;
    EXPECT_GT(coverage, 0.88);
    EXPECT_LT(coverage, 0.995);
    std::printf("coverage %d of %d\n", covered, intervals);
}

}  // namespace
}  // namespace kivo
