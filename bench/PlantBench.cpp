// A plant with every pool full, stepped for 4 h of plant time at 0.1 s, next
// to the same models hand-coded with plain doubles: the floor that no
// framework can beat.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>
#include <string>

#include "../tests/support/AllocationCounter.h"
#include "core/Cycle.h"
#include "core/NumberText.h"
#include "objects/Blocks.h"
#include "objects/Controller.h"
#include "objects/Linearizer.h"
#include "objects/Generators.h"
#include "objects/Process.h"

namespace {

using namespace kivo;

constexpr long long kCycles = 144000;
constexpr double kT = 0.1;
constexpr std::uint32_t kSeed = 20240601;

// ---- The plant, as parameters both versions share ---------------------------

struct ProcessDef {
    int entry;
    double K, theta, tau1, tau2, H, S, tauA, R;
    int curve;
};

ProcessDef ProcessBlock(int i) {
    return {i <= 10 ? i : 70 + i,        1.0 + 0.05 * (i % 5), 1.0 + 0.5 * (i % 7), 5.0 + 2 * (i % 4),
            2.0 + i % 3,                 0.5,                  0.8,                 0.5,
            15.0 + i,                    i % 5};
}
// Process 12's gain follows a generator row live.
constexpr int kLiveGainProcess = 12;

struct BlockDef {
    const char* function;
    const char* upper;  // nullptr: limit off
    const char* inf;
    double (*f)(const double* m);
    double (*hi)(const double* m);
    double (*lo)(const double* m);
};

#define F(expr) []([[maybe_unused]] const double* m) -> double { return expr; }
const BlockDef kBlocks[24] = {
    {"M21*0.5+10", nullptr, nullptr, F(m[21] * 0.5 + 10), nullptr, nullptr},
    {"(M22+M23)/2", nullptr, nullptr, F((m[22] + m[23]) / 2), nullptr, nullptr},
    {"M24>M25", nullptr, nullptr, F(std::max(m[24], m[25])), nullptr, nullptr},
    {"M26<M27", nullptr, nullptr, F(std::min(m[26], m[27])), nullptr, nullptr},
    {"M28*M96/100", nullptr, nullptr, F(m[28] * m[96] / 100), nullptr, nullptr},
    {"M21-M22+50", nullptr, nullptr, F(m[21] - m[22] + 50), nullptr, nullptr},
    {"M41*1,2", nullptr, nullptr, F(m[41] * 1.2), nullptr, nullptr},
    {"(M29+M30+M31)/3", nullptr, nullptr, F((m[29] + m[30] + m[31]) / 3), nullptr, nullptr},
    {"M32>M33", "90", "10", F(std::max(m[32], m[33])), F(90), F(10)},
    {"M34*2-M35", "100", "0", F(m[34] * 2 - m[35]), F(100), F(0)},
    {"M36^2/100", nullptr, nullptr, F(m[36] * m[36] / 100), nullptr, nullptr},
    {"M37+M81/10", nullptr, nullptr, F(m[37] + m[81] / 10), nullptr, nullptr},
    {"M38<M84", nullptr, nullptr, F(std::min(m[38], m[84])), nullptr, nullptr},
    {"M39*0.9+M85*0.1", nullptr, nullptr, F(m[39] * 0.9 + m[85] * 0.1), nullptr, nullptr},
    {"M40-M86+50", "M95", "0", F(m[40] - m[86] + 50), F(m[95]), F(0)},
    {"M71*M72/100", nullptr, nullptr, F(m[71] * m[72] / 100), nullptr, nullptr},
    {"M73>M74", nullptr, nullptr, F(std::max(m[73], m[74])), nullptr, nullptr},
    {"(M41+M42+M43+M44)/4", nullptr, nullptr, F((m[41] + m[42] + m[43] + m[44]) / 4), nullptr, nullptr},
    {"M45*0.5+M46*0.5", nullptr, nullptr, F(m[45] * 0.5 + m[46] * 0.5), nullptr, nullptr},
    {"M47-M48", "50", "-50", F(m[47] - m[48]), F(50), F(-50)},
    {"M49*3", "100", nullptr, F(m[49] * 3), F(100), nullptr},
    {"M50/(M96+1)", nullptr, nullptr, F(m[50] / (m[96] + 1)), nullptr, nullptr},
    {"M51<M52", nullptr, nullptr, F(std::min(m[51], m[52])), nullptr, nullptr},
    {"M53+M54-M55", nullptr, nullptr, F(m[53] + m[54] - m[55]), nullptr, nullptr},
};

struct ControllerDef {
    double SP, Kc, Ti, Td;
    bool isa;
    int ff;        // feed-forward: generator row read, times 0.2, plus 40
    int backMV;    // feedback address, 0 = off
};

ControllerDef PidController(int n) {
    return {40.0 + 2 * n, 0.8, 15, n % 3 == 0 ? 1.0 : 0.0, n % 2 == 1, 81 + n % 10, n <= 2 ? n + 2 : 0};
}

struct GeneratorDef {
    int kind;
    const char *min, *max, *desc, *value;
};
const GeneratorDef kGenerators[16] = {
    {GeneratorRow::FastRandom, "40", "60", "r", ""},
    {GeneratorRow::MediumRandom, "30", "70", "5", ""},
    {GeneratorRow::SlowRandom, "20", "80", "s", ""},
    {GeneratorRow::Sine, "40", "60", "60", ""},
    {GeneratorRow::Equation, "", "", "eq", "M21*0.5+10"},
    {GeneratorRow::RandomWalk, "50", "0.5", "10", ""},
    {GeneratorRow::MediumRandom, "0", "100", "2", ""},
    {GeneratorRow::Sine, "0", "100", "M95", ""},
    {GeneratorRow::FastRandom, "45", "55", "r", ""},
    {GeneratorRow::RandomWalk, "30", "1", "5", ""},
    {GeneratorRow::Constant, "", "", "c", "50"},
    {GeneratorRow::Constant, "", "", "c", "25"},
    {GeneratorRow::Constant, "", "", "c", "75"},
    {GeneratorRow::Constant, "", "", "c", "10"},
    {GeneratorRow::Constant, "", "", "c", "80"},
    {GeneratorRow::Constant, "", "", "c", "50"},
};

const double kLinMV[6] = {0, 20, 40, 60, 80, 100};
const double kLinPV[6] = {0, 30, 55, 75, 90, 100};

std::string Text(double x) { return FormatFixed(x, 0, 3); }

// ---- Full plant: the models with their texts --------------------------------

struct FullPlant {
    Simulation sim;
    Generators generators{sim};
    Linearizer linearizer{sim};

    FullPlant() {
        sim.randomGenerator.SetSeed(kSeed);
        sim.state.T = kT;
        sim.generators = &generators;
        sim.linearizer = &linearizer;
        for (int g = 81; g <= 96; ++g) {
            const GeneratorDef& d = kGenerators[g - 81];
            GeneratorRow& l = generators.line(g);
            l.Kind = d.kind;
            generators.LayoutRow(g, false);
            l.Min = d.min;
            l.Max = d.max;
            l.Desc = d.desc;
            l.Value = d.value;
        }
        generators.ApplyParameters();

        for (int i = 1; i <= 24; ++i) {
            auto p = std::make_unique<Process>(sim, i);
            const ProcessDef d = ProcessBlock(i);
            p->InputSelect = d.entry - 1;
            p->GainText = i == kLiveGainProcess ? "M96/50" : Text(d.K);
            p->DeadTime = Text(d.theta);
            p->LText = Text(d.tau1);
            p->Ctext = Text(d.tau2);
            p->Hysteresis = Text(d.H);
            p->valveStext = Text(d.S);
            p->tauAText = Text(d.tauA);
            p->ratetext = Text(d.R);
            p->ValveCurve = d.curve;
            p->ValidateParameters(false);
            sim.processes.Create(i, std::move(p));
        }
        for (int i = 1; i <= 24; ++i) {
            auto b = std::make_unique<Block>(sim, i);
            const BlockDef& d = kBlocks[i - 1];
            b->FunctionText = d.function;
            b->UpperLimitCheck = d.upper != nullptr;
            b->LowerLimitCheck = d.inf != nullptr;
            if (d.upper) b->UpperLimitText = d.upper;
            if (d.inf) b->LowerLimitText = d.inf;
            b->ValidateParameters(false);
            sim.blocks.Create(i, std::move(b));
        }
        for (int n = 1; n <= 10; ++n) {
            auto c = std::make_unique<Controller>(sim, n);
            const ControllerDef d = PidController(n);
            c->VariableSelect = 20 + n - 1;
            c->KpText = Text(d.Kc);
            c->KiText = Text(d.Ti);
            c->KdText = Text(d.Td);
            c->StructureGroup = d.isa ? 1 : 0;
            c->FFwSelect = true;
            c->FFwEquation = "M" + std::to_string(d.ff) + "*0.2+40";
            c->BackMVCheck = d.backMV != 0;
            c->BackMV = d.backMV - 1;
            c->ValidateParameters(false);
            c->state.SP = d.SP;
            c->state.autoMode = true;
            sim.controllers.Create(n, std::move(c));
        }
        linearizer.Lin1InputAddress = "41 Bloco";
        for (int k = 0; k < 6; ++k) {
            linearizer.Lin1MV[k] = Text(kLinMV[k]);
            linearizer.Lin1PV[k] = Text(kLinPV[k]);
        }
        linearizer.SetLin1Enabled(true);
    }

    void Run(long long cycles) {
        sim.RunWithoutDisplay(cycles, kT, [](long long) {}, [](long long) { return true; });
    }
};

// ---- Hand-coded plant: the same models with plain doubles ------------------

struct SimpleRandomGenerator {
    std::uint32_t seed;
    std::uint32_t operator()(std::uint32_t n) {
        seed = seed * 134775813u + 1u;
        return static_cast<std::uint32_t>((static_cast<std::uint64_t>(seed) * n) >> 32);
    }
};

struct SimpleProcess {
    ProcessDef d;
    int output;
    double h = 0, hr = 0, s = 0, f = 0, fr = 0, fp = 0, r = 0, c = 0, a = 0, xd = 0, xp = 0, y1 = 0, y2 = 0;
    int n = 0, k = 0;
    bool stuck = false;
    std::array<double, 10001> buffer{};

    void Step(double* m, double* actuator) {
        const double x = m[d.entry];
        const double K = output == 20 + kLiveGainProcess ? m[96] / 50 : d.K;
        if (d.H > 0) {
            const double xr = std::nearbyint(10 * x) / 10;
            if (h + d.H <= xr) {
                h = xr - d.H;
                hr = xr;
            } else if (hr - d.H > x) {
                h = xr;
                hr = xr + d.H;
            }
        } else {
            h = x;
        }
        if (!stuck) {
            s = h;
            f = (0.5 / (0.5 + kT)) * f + (kT / (0.5 + kT)) * h;
            fr = std::nearbyint(10 * f) / 10;
            n = std::fabs(fr - fp) >= 0.2 ? 0 : std::min(n + 1, 5);
            if (n > 4 && d.S > 0) stuck = true;
        } else if (std::fabs(s - h) >= d.S) {
            stuck = false;
        }
        fp = fr;
        const double oneStep = std::fabs(d.R) * kT;
        if (std::fabs(r - s) > oneStep)
            r += s > r ? oneStep : -oneStep;
        else
            r = s;
        switch (d.curve) {
            case 1: c = 100 - (112 * std::exp(-r / 40) - 9.1935); break;
            case 2: c = (std::exp(r / 40) - 1.0253) * 8.9628; break;
            case 3: {
                const double z = (r / 2.5 + 30) / 10 - 5;
                c = (50 * z / std::sqrt(z * z + 1) + 50 - 5.2786) / 0.8944;
                break;
            }
            case 4: {
                const double z = r / 10 - 5;
                c = 50 * z / std::sqrt(z * z + 1) + 50;
                break;
            }
            default: c = r;
        }
        a = (d.tauA / (d.tauA + kT)) * a + (kT / (d.tauA + kT)) * c;
        const int D = static_cast<int>(std::nearbyint(d.theta / kT));
        k = k >= 10000 ? 1 : k + 1;
        buffer[static_cast<std::size_t>(k)] = a;
        int j = k - D;
        if (j <= 0) j += 10000;
        xd = buffer[static_cast<std::size_t>(j)];
        y1 = ((2 * d.tau1 - kT) / (2 * d.tau1 + kT)) * y1 + (kT / (2 * d.tau1 + kT)) * (xd + xp);
        y2 = std::clamp((d.tau2 / (d.tau2 + kT)) * y2 + (kT / (d.tau2 + kT)) * y1, 0.0, 100.0);
        xp = xd;
        m[output] = K * y2;
        actuator[output] = a;
    }
};

// The controller's trend: 450 samples of PV and SP, four curves of bytes.
struct SimpleTrend {
    std::array<std::array<double, 450>, 2> history{};
    std::array<std::array<std::uint8_t, 450>, 4> curves{};
    int position = 0;

    static std::uint8_t Point(double v) { return static_cast<std::uint8_t>(std::nearbyint(2 * std::clamp(v, 0.0, 100.0))); }
    void Sample(double pv, double sp, double mv, double actuator) {
        position = position >= 450 ? 1 : position + 1;
        const auto i = static_cast<std::size_t>(position - 1);
        history[0][i] = pv;
        history[1][i] = sp;
        curves[0][i] = Point(pv);
        curves[1][i] = Point(sp);
        curves[2][i] = Point(mv);
        curves[3][i] = Point(actuator);
    }
};

struct SimpleController {
    ControllerDef d;
    int n;
    double SP, MV = 0, I = 0, eprev = 0, PVf = 0, PVfprev = 0;
    SimpleTrend trend;

    void Step(double* m, const double* actuator) {
        double PV = m[20 + n];
        const double e = SP - PV;
        const double ep = SP - PV;
        PV = std::clamp(PV, 0.0, 100.0);
        PVf = PV;
        m[60 + n] = SP;
        m[100 + n] = PV;
        const double b = m[d.ff] * 0.2 + 40;
        const double K = d.Kc;
        const double P = std::clamp(K * ep, -100.0, 100.0);
        double D = 0;
        if (d.Td != 0) {
            D = (PVfprev - PVf) * d.Td / kT;
            if (d.isa) D *= K;
            D = std::clamp(D, -100.0, 100.0);
        }
        const bool freeze = d.backMV != 0 && (m[d.backMV] >= 99.9 || m[d.backMV] <= 0.1);
        if (!freeze) I += d.isa ? K * e * kT / d.Ti : e * kT / d.Ti;
        MV = b + P + I + D;
        if (MV > 100) {
            I = 100 - P - D - b;
            MV = 100;
        } else if (MV < 0) {
            I = -P - D - b;
            MV = 0;
        }
        eprev = e;
        PVfprev = PVf;
        m[n] = MV;
        trend.Sample(PV, SP, MV, actuator[20 + n]);
    }
};

struct HandCodedPlant {
    std::array<double, 125> m{};
    std::array<double, 125> actuator{};
    SimpleRandomGenerator rnd{kSeed};
    std::array<SimpleProcess, 24> processes;
    std::array<SimpleController, 10> controllers;
    // Generator rows 81..90
    std::array<double, 10> target{}, y{}, t{}, W{};
    double s[6], b[6];

    HandCodedPlant() {
        for (int i = 1; i <= 24; ++i) {
            processes[static_cast<std::size_t>(i - 1)].d = ProcessBlock(i);
            processes[static_cast<std::size_t>(i - 1)].output = ProcessAddress(i);
        }
        for (int n = 1; n <= 10; ++n) {
            const ControllerDef d = PidController(n);
            auto& c = controllers[static_cast<std::size_t>(n - 1)];
            c.d = d;
            c.n = n;
            c.SP = d.SP;
        }
        for (int g = 91; g <= 96; ++g) m[static_cast<std::size_t>(g)] = ParseReal(kGenerators[g - 81].value);
        W[5] = 50;
        W[9] = 30;
        for (int k = 1; k < 6; ++k) {
            s[k] = (kLinPV[k] - kLinPV[k - 1]) / (kLinMV[k] - kLinMV[k - 1]);
            b[k] = kLinPV[k] - s[k] * kLinMV[k];
        }
    }

    double RandomBetween(double mn, double mx) { return mn + (mx - mn) / 10000 * rnd(10000); }

    void SignalGenerators() {
        m[81] = RandomBetween(40, 60);
        if (500 > rnd(30000)) target[1] = RandomBetween(30, 70);
        y[1] = 5 / (5 + kT) * y[1] + kT / (5 + kT) * target[1];
        m[82] = y[1];
        if (30 > rnd(30000)) m[83] = RandomBetween(20, 80);
        t[3] += kT;
        m[84] = 40 + (std::sin(2 * std::numbers::pi * t[3] / 60) + 1) / 2 * 20;
        m[85] = m[21] * 0.5 + 10;
        W[5] += 0.5 * (rnd(10000) / 5000.0 - 1);
        if (W[5] > 60 || W[5] < 40) W[5] = 50;
        m[86] = W[5];
        if (500 > rnd(30000)) target[6] = RandomBetween(0, 100);
        y[6] = 2 / (2 + kT) * y[6] + kT / (2 + kT) * target[6];
        m[87] = y[6];
        t[7] += kT;
        m[88] = (std::sin(2 * std::numbers::pi * t[7] / m[95]) + 1) / 2 * 100;
        m[89] = RandomBetween(45, 55);
        W[9] += 1 * (rnd(10000) / 5000.0 - 1);
        if (W[9] > 35 || W[9] < 25) W[9] = 30;
        m[90] = W[9];
    }

    void Step() {
        double* mem = m.data();
        SignalGenerators();
        for (auto& p : processes) p.Step(mem, actuator.data());
        for (int i = 1; i <= 24; ++i) {
            const BlockDef& d = kBlocks[i - 1];
            double v = d.f(mem);
            if (d.hi) v = std::min(v, d.hi(mem));
            if (d.lo) v = std::max(v, d.lo(mem));
            m[static_cast<std::size_t>(BlockAddress(i))] = v;
        }
        for (auto& c : controllers) c.Step(mem, actuator.data());
        const double x = m[41];
        int k = 1;
        while (k < 5 && !(x < kLinPV[k])) ++k;
        m[13] = (x - b[k]) / s[k];
    }
};

// ---- Benchmarks --------------------------------------------------------------

void BM_FullPlant144k(benchmark::State& state) {
    auto plant = std::make_unique<FullPlant>();
    plant->Run(1000);  // first evaluations size the formulas' scratch space
    std::uint64_t allocations = 0;
    for (auto _ : state) {
        const std::uint64_t before = kivo::testing::Allocations();
        plant->Run(kCycles);
        allocations += kivo::testing::Allocations() - before;
    }
    const double cycles = static_cast<double>(state.iterations()) * kCycles;
    state.counters["alloc_per_cycle"] = static_cast<double>(allocations) / cycles;
    state.counters["ns_per_cycle"] =
        benchmark::Counter(cycles, benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
    state.counters["M21"] = plant->sim.mem[21];
    state.counters["M13"] = plant->sim.mem[13];
}
BENCHMARK(BM_FullPlant144k)->Unit(benchmark::kMillisecond);

void BM_HandCodedPlant144k(benchmark::State& state) {
    auto plant = std::make_unique<HandCodedPlant>();
    for (int i = 0; i < 1000; ++i) plant->Step();
    for (auto _ : state) {
        for (long long i = 0; i < kCycles; ++i) plant->Step();
        benchmark::DoNotOptimize(plant->m.data());
    }
    state.counters["M21"] = plant->m[21];
    state.counters["M13"] = plant->m[13];
}
BENCHMARK(BM_HandCodedPlant144k)->Unit(benchmark::kMillisecond);

}  // namespace
