// The identification's errors on noisy step tests, for the closing note:
// the RMS relative error of each parameter over 20 seeds, for a first
// order, a second order and an integrator with 1 % of span of noise.
// tuning_measure_noisy_fits [seeds]
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "NoisySeries.h"

using namespace kivo;
using tuning::ModelKind;

int main(int argc, char** argv) {
    const int seeds = argc > 1 ? std::atoi(argv[1]) : 20;
    const test::NoisyStepTest cases[] = {
        {{ModelKind::Fopdt, 0.8, 60, 0, 12}},
        {{ModelKind::Sopdt, 1.5, 30, 10, 8}},
        {{ModelKind::Ipdt, 0.02, 0, 0, 6}, 10, 60, 150},
    };
    for (const auto& c : cases) {
        double k2 = 0, t12 = 0, t22 = 0, th2 = 0;
        int chosen = 0;
        for (int seed = 1; seed <= seeds; ++seed) {
            const tuning::Identification id = tuning::Identify(test::SimulateNoisy(c, static_cast<unsigned>(seed)));
            const tuning::ProcessModel& m = id.fit(c.model.kind).model;
            const auto rel = [](double x, double truth) { return (x - truth) / truth; };
            k2 += std::pow(rel(m.K, c.model.K), 2);
            th2 += std::pow(rel(m.theta, c.model.theta), 2);
            if (c.model.kind != ModelKind::Ipdt) t12 += std::pow(rel(m.tau1, c.model.tau1), 2);
            if (c.model.kind == ModelKind::Sopdt) t22 += std::pow(rel(m.tau2, c.model.tau2), 2);
            chosen += id.best == c.model.kind;
        }
        const auto rms = [&](double s) { return 100 * std::sqrt(s / seeds); };
        std::printf("%s: RMS error over %d seeds: theta %.2f %%, K %.2f %%, tau1 %.2f %%, tau2 %.2f %%; chosen %d/%d\n",
                    tuning::KindName(c.model.kind), seeds, rms(th2), rms(k2), rms(t12), rms(t22), chosen, seeds);
    }
    return 0;
}
