// Snapshots of the boiler example. Goals: taking one costs under 1 ms at the
// median, and 30 min of automatic snapshots (one every 10 s) fit in 32 MiB.
// A run that misses a goal reports an error instead of its figures.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "project/ProjectFile.h"
#include "snapshots/SnapshotRing.h"

namespace {

using namespace kivo;

constexpr double kGoalMs = 1.0;
constexpr double kGoalBytes = 32.0 * 1024 * 1024;

// The boiler after five minutes of ticks, so that every trend is full.
bool OpenBoiler(Project& p) {
    if (!ReadProject(p, KIVO_EXAMPLES_DIR "/boiler/boiler.smp", LoadOptions{true, nullptr}).ok) return false;
    p.sim.randomGenerator.SetSeed(1);
    for (int i = 0; i < 3000; ++i) p.sim.Tick(static_cast<long double>(i) * 100);
    return true;
}

// One snapshot into a buffer that is reused, as the ring does once full.
void BM_TakeSnapshotBoiler(benchmark::State& state) {
    Project p;
    if (!OpenBoiler(p)) return state.SkipWithError("the boiler example did not open");
    Snapshot s;
    for (auto _ : state) {
        TakeSnapshot(p.sim, s);
        benchmark::DoNotOptimize(s.state.data());
    }
    state.counters["bytes"] = static_cast<double>(s.state.size());
}
BENCHMARK(BM_TakeSnapshotBoiler)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// 30 min and a bit of real-time ticks with the ring offered after each: every
// snapshot timed on its own, and the ring's bytes at the end.
void BM_Ring30MinBoiler(benchmark::State& state) {
    std::vector<double> ms;
    std::size_t bytes = 0;
    for (auto _ : state) {
        Project p;
        if (!OpenBoiler(p)) return state.SkipWithError("the boiler example did not open");
        SnapshotRing ring;
        ms.clear();
        for (int i = 0; i < 18000 + 1000; ++i) {
            p.sim.Tick(static_cast<long double>(i) * 100);
            const auto start = std::chrono::steady_clock::now();
            if (ring.Offer(p.sim))
                ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
        bytes = ring.bytes();
    }
    std::sort(ms.begin(), ms.end());
    const double median = ms[ms.size() / 2];
    state.counters["median_ms"] = median;
    state.counters["max_ms"] = ms.back();
    state.counters["ring_MiB"] = static_cast<double>(bytes) / (1024 * 1024);
    if (median >= kGoalMs) state.SkipWithError("a snapshot takes 1 ms or more at the median");
    if (static_cast<double>(bytes) > kGoalBytes) state.SkipWithError("30 min of snapshots exceed 32 MiB");
}
BENCHMARK(BM_Ring30MinBoiler)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
