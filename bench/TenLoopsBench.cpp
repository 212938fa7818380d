// Ten loops, each a first-order-plus-dead-time process (gain 1.5, lags 10 s
// and 3 s, dead time 2 s) under a PI controller in automatic, run for 4 h of
// plant time at 100 ms: 144 000 cycles, a 10 % setpoint step on every loop at
// cycle 14 400, and the fast run's sampling (one point of PV, SP and CO per
// loop and simulated second, indices at the end). Beside it, the same ten
// loops hand-coded with plain doubles and the same discretisation: the floor.
// Both must end in the same state and with the same indices, bit for bit.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

#include "../tests/support/AllocationCounter.h"
#include "core/Cycle.h"
#include "fastsim/Loops.h"
#include "objects/Controller.h"
#include "objects/Generators.h"
#include "objects/Process.h"

namespace {

using namespace kivo;

constexpr int kLoops = 10;
constexpr long long kCycles = 144000;
constexpr long long kStepCycle = 14400;
constexpr long long kCyclesPerSecond = 10;
constexpr double kT = 0.1;
constexpr double kStep = 10;

constexpr double kGain = 1.5, kTau1 = 10, kTau2 = 3, kDeadTime = 2;
constexpr double kKc = 1, kTi = 12, kBias = 50;
double SetPoint(int n) { return 40 + 2 * n; }

// What both versions must agree on.
struct Outcome {
    std::array<double, kNumVariables + 1> mem{};
    std::array<std::array<std::string, 7>, kLoops> indices;
};

// ---- The ten loops as a plant of the simulator ------------------------------

struct TenLoopPlant {
    Simulation sim;
    Generators generators{sim};

    TenLoopPlant() {
        sim.generators = &generators;
        generators.ApplyParameters();
        for (int n = 1; n <= kLoops; ++n) {
            auto p = std::make_unique<Process>(sim, n);
            p->InputSelect = n - 1;  // M(n), the controller's output
            p->GainText = "1.5";
            p->DeadTime = "2";
            p->LText = "10";
            p->Ctext = "3";
            if (!p->ValidateParameters(false)) throw std::logic_error("ten loops: process refused");
            sim.processes.Create(n, std::move(p));

            auto c = std::make_unique<Controller>(sim, n);
            c->VariableSelect = ProcessAddress(n) - 1;
            c->KpText = "1";
            c->KiText = "12";
            c->KdText = "0";
            if (!c->ValidateParameters(false)) throw std::logic_error("ten loops: controller refused");
            c->state.SP = SetPoint(n);
            c->state.autoMode = true;
            sim.controllers.Create(n, std::move(c));
        }
    }

    // Not inlined, nor is the floor's, so that a profiler can count each run
    // alone.
    [[gnu::noinline]] Outcome Run() {
        LoopCollector collector(sim, true, kCycles / kCyclesPerSecond);
        sim.RunWithoutDisplay(
            kCycles, kT,
            [&](long long h) {
                if (h != kStepCycle) return;
                for (int n = 1; n <= kLoops; ++n) sim.controllers.as<Controller>(n)->state.SP += kStep;
            },
            [&](long long h) {
                if ((h + 1) % kCyclesPerSecond == 0) collector.Sample(sim.mem.data());
                return true;
            });
        Outcome r;
        std::memcpy(r.mem.data(), sim.mem.data(), sizeof r.mem);
        const PerformanceRow line = collector.Finish();
        for (int n = 1; n <= kLoops; ++n) {
            const auto t = IndexTexts(*line.loop(n).indices);
            std::copy(t.begin(), t.end(), r.indices[static_cast<std::size_t>(n - 1)].begin());
        }
        return r;
    }
};

// ---- The floor: the same loops hand-coded -----------------------------------

struct HandCodedLoop {
    static constexpr int kDelay = 20;  // Nearest(2 s / 0.1 s) cycles
    int n = 0;
    // Process: dead-time ring, the two lags, the previous delayed input.
    std::array<double, kDelay + 1> delay{};
    int k = 0;
    double x = 0, xp = 0, y1 = 0, y2 = 0;
    // Controller
    double SP = 0, I = 0;
    // Trend: the last 450 raw samples of PV, SP, CO and the actuator.
    std::array<std::array<double, 4>, 450> trend{};
    int position = 0;
    LoopSeries series;
};

struct HandCodedPlant {
    std::array<double, kNumVariables + 1> m{};
    std::array<HandCodedLoop, kLoops> loops;

    HandCodedPlant() {
        for (int n = 1; n <= kLoops; ++n) {
            HandCodedLoop& l = loops[static_cast<std::size_t>(n - 1)];
            l.n = n;
            l.SP = SetPoint(n);
            l.series.pv.reserve(kCycles / kCyclesPerSecond);
            l.series.sp.reserve(kCycles / kCyclesPerSecond);
            l.series.co.reserve(kCycles / kCyclesPerSecond);
        }
    }

    [[gnu::noinline]] Outcome Run() {
        constexpr double a1 = (2 * kTau1 - kT) / (2 * kTau1 + kT), b1 = kT / (2 * kTau1 + kT);
        constexpr double a2 = kTau2 / (kTau2 + kT), b2 = kT / (kTau2 + kT);
        double* mem = m.data();
        for (long long h = 0; h < kCycles; ++h) {
            for (HandCodedLoop& l : loops) {
                l.x = mem[l.n];
                l.k = l.k == HandCodedLoop::kDelay ? 0 : l.k + 1;
                l.delay[static_cast<std::size_t>(l.k)] = l.x;
                const double xd = l.delay[static_cast<std::size_t>(l.k == HandCodedLoop::kDelay ? 0 : l.k + 1)];
                l.y1 = a1 * l.y1 + b1 * (xd + l.xp);
                l.y2 = std::clamp(a2 * l.y2 + b2 * l.y1, 0.0, 100.0);
                l.xp = xd;
                mem[20 + l.n] = kGain * l.y2;
            }
            if (h == kStepCycle)
                for (HandCodedLoop& l : loops) l.SP += kStep;
            for (HandCodedLoop& l : loops) {
                const double pv = mem[20 + l.n];
                const double e = l.SP - pv;
                const double pvClamped = std::clamp(pv, 0.0, 100.0);
                mem[60 + l.n] = l.SP;
                mem[100 + l.n] = pvClamped;
                const double P = std::clamp(kKc * e, -100.0, 100.0);
                l.I += kKc * e * kT / kTi;
                double MV = kBias + P + l.I;
                if (MV > 100) {
                    l.I = 100 - P - kBias;
                    MV = 100;
                } else if (MV < 0) {
                    l.I = 0 - P - kBias;
                    MV = 0;
                }
                mem[l.n] = MV;
                l.position = l.position >= 450 ? 1 : l.position + 1;
                l.trend[static_cast<std::size_t>(l.position - 1)] = {pvClamped, l.SP, std::clamp(MV, 0.0, 100.0), l.x};
            }
            if ((h + 1) % kCyclesPerSecond == 0)
                for (HandCodedLoop& l : loops) l.series.Add(mem[20 + l.n], mem[60 + l.n], mem[l.n]);
        }
        Outcome r;
        r.mem = m;
        for (const HandCodedLoop& l : loops) {
            const auto t = IndexTexts(*ComputeIndices(l.series, " %"));
            std::copy(t.begin(), t.end(), r.indices[static_cast<std::size_t>(l.n - 1)].begin());
        }
        return r;
    }
};

bool Equal(const Outcome& a, const Outcome& b) {
    return std::memcmp(a.mem.data(), b.mem.data(), sizeof a.mem) == 0 && a.indices == b.indices;
}

// ---- Benchmarks --------------------------------------------------------------

void BM_TenLoops4h(benchmark::State& state) {
    std::uint64_t allocations = 0;
    Outcome r;
    for (auto _ : state) {
        state.PauseTiming();
        auto plant = std::make_unique<TenLoopPlant>();
        const std::uint64_t before = kivo::testing::Allocations();
        state.ResumeTiming();

        r = plant->Run();

        state.PauseTiming();
        allocations += kivo::testing::Allocations() - before;
        plant.reset();
        state.ResumeTiming();
    }
    if (!Equal(r, std::make_unique<HandCodedPlant>()->Run()))
        state.SkipWithError("the simulator and the hand-coded loops disagree");
    state.counters["allocs_per_run"] = static_cast<double>(allocations) / static_cast<double>(state.iterations());
    state.counters["ns_per_cycle"] = benchmark::Counter(static_cast<double>(kCycles) * static_cast<double>(state.iterations()),
                                                        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["PV1"] = r.mem[21];
}
BENCHMARK(BM_TenLoops4h)->Unit(benchmark::kMillisecond);

void BM_TenLoopsHandCoded4h(benchmark::State& state) {
    Outcome r;
    for (auto _ : state) {
        state.PauseTiming();
        auto plant = std::make_unique<HandCodedPlant>();
        state.ResumeTiming();

        r = plant->Run();
        benchmark::DoNotOptimize(r);

        state.PauseTiming();
        plant.reset();
        state.ResumeTiming();
    }
    state.counters["ns_per_cycle"] = benchmark::Counter(static_cast<double>(kCycles) * static_cast<double>(state.iterations()),
                                                        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["PV1"] = r.mem[21];
}
BENCHMARK(BM_TenLoopsHandCoded4h)->Unit(benchmark::kMillisecond);

}  // namespace
