// Identification of a noisy step test: the three models fitted by least
// squares from their grids of starts, with intervals and warnings. A first
// order plus dead time (gain 0.8, 60 s, 12 s) stepped by 10 % with 1 % of
// span of noise, sampled every 0.1 s: 6 minutes of record (the window's
// test) and 20 minutes (about the longest kivo-batch bumptest keeps whole).
// Goal: under 0.5 s for the short record and 2 s for the long one, so that
// the window answers at once.
#include <benchmark/benchmark.h>

#include <random>

#include "tuning/Identification.h"

namespace {

using namespace kivo::tuning;

StepSeries NoisyStep(double seconds) {
    std::mt19937 random(1);
    std::normal_distribution<double> noise(0, 1);
    const ProcessModel plant{ModelKind::Fopdt, 0.8, 60, 0, 12};
    StepSeries s;
    for (long k = 0; k <= static_cast<long>(seconds * 10); ++k) {
        const double t = static_cast<double>(k) / 10;
        s.Add(t, t >= 60 ? 50 : 40, 50 + 10 * UnitStepResponse(plant, t - 60) + noise(random));
    }
    return s;
}

void BM_IdentifyNoisyStep(benchmark::State& state) {
    const StepSeries s = NoisyStep(static_cast<double>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(Identify(s));
    state.counters["samples"] = static_cast<double>(s.size());
}
BENCHMARK(BM_IdentifyNoisyStep)->Arg(360)->Arg(1200)->Unit(benchmark::kMillisecond);

}  // namespace
