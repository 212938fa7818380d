// Reference rewriting evaluator against the compiled one, over the texts the
// objects typically hold.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "core/Equation.h"
#include "../tests/support/AllocationCounter.h"
#include "core/FastEquation.h"

namespace {

// "M41>M42" is evaluated as a calculation block does: its two sides apart.
struct Case {
    const char* a;
    const char* b;
};
const Case kTexts[] = {
    {"10", nullptr},
    {"M21*0.5+10", nullptr},
    {"(M21-M22)/2+50", nullptr},
    {"M41", "M42"},
    {"M81*1,5-M05^2", nullptr},
};

// Plant values change every cycle; a lag following a slow wave gives values
// with all their binary digits in use, as the models produce them, and
// M21-M22 changes sign.
struct Values {
    double v[1024];
    Values() {
        double y = 40;
        int i = 0;
        for (double& x : v) {
            y += 0.05 * (50 + 8 * std::sin(0.02 * i++) - y);
            x = y;
        }
    }
};
const Values kValues;

kivo::Memory& SampleMemory() {
    static kivo::Memory mem = [] {
        kivo::Memory m;
        m[5] = -3.5;
        m[21] = 47.25;
        m[22] = 52.5;
        m[41] = 12.5;
        m[42] = 80;
        m[81] = 33.3;
        return m;
    }();
    return mem;
}

std::string Label(const Case& c) { return c.b ? std::string(c.a) + ">" + c.b : c.a; }

double Reference(const std::string& text, const kivo::Memory& mem) {
    return kivo::EvaluateEquation(kivo::ReplaceCommasWithPoints(kivo::SubstituteVariables(text, mem)));
}

void BM_EvalReference(benchmark::State& state) {
    const Case& c = kTexts[state.range(0)];
    const std::string a = c.a;
    const std::string b = c.b ? c.b : "";
    auto& mem = SampleMemory();
    std::size_t i = 0;
    for (auto _ : state) {
        mem[21] = kValues.v[i++ & 1023];
        benchmark::DoNotOptimize(Reference(a, mem));
        if (c.b) benchmark::DoNotOptimize(Reference(b, mem));
    }
    state.SetLabel(Label(c));
}

void BM_EvalFast(benchmark::State& state) {
    const Case& c = kTexts[state.range(0)];
    const kivo::Formula fa(c.a);
    const kivo::Formula fb(c.b ? c.b : "");
    auto& mem = SampleMemory();
    fa.Evaluate(mem);
    fb.Evaluate(mem);
    const std::uint64_t before = kivo::testing::Allocations();
    std::size_t i = 0;
    for (auto _ : state) {
        mem[21] = kValues.v[i++ & 1023];
        benchmark::DoNotOptimize(fa.Evaluate(mem));
        if (c.b) benchmark::DoNotOptimize(fb.Evaluate(mem));
    }
    state.counters["allocs_per_eval"] =
        static_cast<double>(kivo::testing::Allocations() - before) / static_cast<double>(state.iterations());
    state.SetLabel(Label(c));
}

// The costliest texts the evaluator accepts, at its length and nesting
// limits: a product of variables (every operator rewrites the whole text),
// the same inside the deepest nesting, a product of groups (every group
// rewrites the whole text) whose values run over hundreds of decades, and
// quotients of a negative variable, whose "-" signs pile up into operands
// that are read as text, so that no trace replays them and every evaluation
// rewrites.
std::string LimitCaseText(int testCase) {
    const std::size_t max = kivo::kMaxExpressionCharacters;
    const auto levels = static_cast<std::size_t>(kivo::kMaxExpressionLevels);
    std::string s;
    switch (testCase) {
        case 0:
            s = "M21";
            while (s.size() + 4 <= max) s += s.size() % 8 == 3 ? "*M05" : "*M22";
            return s;
        case 1:
            s = "M21";
            while (s.size() + 4 + 2 * levels <= max) s += "*M22";
            return std::string(levels, '(') + s + std::string(levels, ')');
        case 2:
            s = "(M21)";
            while (s.size() + 6 <= max) s += s.size() % 12 == 5 ? "*(M05)" : "/(M22)";
            return s;
        default:
            s = "M21";
            while (s.size() + 4 <= max) s += s.size() % 8 == 3 ? "*M05" : "/M05";
            return s;
    }
}

const char* kLimitCaseLabels[] = {"product of 1024 variables", "product inside 200 levels", "quotients of 682 groups",
                                "quotients of a negative variable"};

// The rewriting chain, as the reference evaluates a formula every time.
void BM_EvalLimitReference(benchmark::State& state) {
    const std::string t = LimitCaseText(static_cast<int>(state.range(0)));
    auto& mem = SampleMemory();
    for (auto _ : state) benchmark::DoNotOptimize(kivo::EvaluateText(t, mem));
    state.SetLabel(kLimitCaseLabels[state.range(0)]);
}

// What an apply costs, and a cycle whose signs no recorded trace fits: the
// text compiled and rewritten once over its items.
void BM_EvalLimitFastFirst(benchmark::State& state) {
    const std::string t = LimitCaseText(static_cast<int>(state.range(0)));
    auto& mem = SampleMemory();
    for (auto _ : state) {
        const kivo::Formula f(t);
        benchmark::DoNotOptimize(f.Evaluate(mem));
    }
    state.SetLabel(kLimitCaseLabels[state.range(0)]);
}

// A cycle of a running plant: the recorded trace replayed.
void BM_EvalLimitFast(benchmark::State& state) {
    const kivo::Formula f(LimitCaseText(static_cast<int>(state.range(0))));
    auto& mem = SampleMemory();
    f.Evaluate(mem);
    std::size_t i = 0;
    for (auto _ : state) {
        mem[21] = kValues.v[i++ & 1023];
        benchmark::DoNotOptimize(f.Evaluate(mem));
    }
    state.SetLabel(kLimitCaseLabels[state.range(0)]);
}

// A megabyte of formula is refused after one pass over it.
void BM_EvalRefusedMegabyte(benchmark::State& state) {
    std::string t = "M21";
    while (t.size() < (1u << 20)) t += "+M21";
    auto& mem = SampleMemory();
    for (auto _ : state) {
        const kivo::Formula f(t);
        benchmark::DoNotOptimize(f.Evaluate(mem));
    }
}

}  // namespace

BENCHMARK(BM_EvalReference)->DenseRange(0, 4);
BENCHMARK(BM_EvalFast)->DenseRange(0, 4);
BENCHMARK(BM_EvalLimitReference)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EvalLimitFastFirst)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EvalLimitFast)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EvalRefusedMegabyte)->Unit(benchmark::kMillisecond);
