#include "objects/Generators.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numbers>

#include "core/Equation.h"
#include "core/NumberText.h"
#include "objects/Fields.h"

namespace kivo {

Generators::Generators(Simulation& sim) : sim_(sim) {}

void Generators::Write(GeneratorRow& l, int g, double v) {
    if (!std::isfinite(v)) return;
    sim_.mem[g] = v;
    FormatFixedInto(l.Value, v, 0, 2);
}

void Generators::ComputeCycle() {
    // Most rows of a plant are constants, which the step leaves alone: the
    // kind is checked row by row without a loop, and only the other rows pay
    // for a call.
#pragma GCC unroll 10
    for (int g = kFirst; g <= kLastDynamic; ++g)
        if (static_cast<unsigned>(line(g).Kind - GeneratorRow::FastRandom) <=
            GeneratorRow::Exponential - GeneratorRow::FastRandom)
            StepRow(g);
}

void Generators::StepRow(int g) {
    const double T = sim_.state.T;
    const Memory& mem = sim_.mem;
    RandomGenerator& rnd = sim_.randomGenerator;
    // The thresholds scale with T / 0.1, so the rates do not depend on T.
    const double scale = T / 0.1;

    GeneratorRow& l = line(g);
    auto draw = [&] { return l.min + (l.max - l.min) / 10000 * rnd.Next(10000); };
    switch (l.Kind) {
        case GeneratorRow::FastRandom:
            Write(l, g, draw());
            break;
        case GeneratorRow::MediumRandom: {
            if (scale * 500 > rnd.Next(30000)) l.target = draw();
            const double tau = l.P3;
            const double y = tau / (tau + T) * l.y + T / (tau + T) * l.target;
            // tau = -T divides by zero: the filter then holds.
            if (std::isfinite(y)) l.y = y;
            Write(l, g, l.y);
            break;
        }
        case GeneratorRow::SlowRandom:
            if (scale * 30 > rnd.Next(30000)) Write(l, g, draw());
            break;
        case GeneratorRow::Sine:
            l.t += T;
            if (l.t > 100000000) l.t = 0;
            l.period.Define(l.Desc);
            l.P3 = l.period.Evaluate(mem);
            Write(l, g, l.P3 != 0 ? l.min + (std::sin(2 * std::numbers::pi * l.t / l.P3) + 1) / 2 * (l.max - l.min) : 0.0);
            break;
        case GeneratorRow::RandomWalk: {
            double w = l.W + l.max * (rnd.Next(10000) / 5000.0 - 1);
            if (w > l.min + l.P3 || w < l.min - l.P3) w = l.min;
            if (std::isfinite(w)) l.W = w;
            Write(l, g, l.W);
            break;
        }
        case GeneratorRow::Equation:
        case GeneratorRow::Logarithm:
        case GeneratorRow::Exponential: {
            if (g > kLastEquation) break;
            const double v = l.equation.Evaluate(mem);
            // Equation values go to M(g) only; the Value field keeps the text.
            double r = v;
            if (l.Kind == GeneratorRow::Logarithm) {
                if (!(v > 0)) break;  // a logarithm of v <= 0 leaves the output
                r = std::log(v);
            } else if (l.Kind == GeneratorRow::Exponential) {
                r = std::exp(v);
            }
            // Exp() beyond the double range keeps the last value, as LN()
            // of a non-positive value does.
            if (std::isfinite(r)) sim_.mem[g] = r;
            break;
        }
        default:
            break;
    }
}

void Generators::ApplyParameters() {
    Memory& mem = sim_.mem;
    for (int g = kFirst; g <= kLast; ++g) {
        GeneratorRow& l = line(g);
        // The sine keeps its kind's name; its Desc field holds the period.
        if (l.Kind != GeneratorRow::Sine) mem.setDescription(g, l.Desc);
        switch (l.Kind) {
            case GeneratorRow::Constant: {
                const double v = EvaluateEquation(l.Value);
                mem[g] = v;
                // The spin button's range is 0..100.
                l.UpDown = static_cast<int>(Round(std::clamp(v, 0.0, 100.0)));
                break;
            }
            case GeneratorRow::Constant01:
                mem[g] = l.DigitalValue == 1 ? 1.0 : 0.0;
                l.Value = l.DigitalValue == 1 ? "1" : "0";
                break;
            case GeneratorRow::FastRandom:
            case GeneratorRow::MediumRandom:
            case GeneratorRow::SlowRandom:
            case GeneratorRow::Sine:
            case GeneratorRow::RandomWalk:
                mem[g] = ParseReal(l.Value);
                break;
            case GeneratorRow::Equation:
            case GeneratorRow::Logarithm:
            case GeneratorRow::Exponential:
                l.equation.Define(l.Value);
                break;
            default:
                break;
        }
        if (g <= kLastDynamic) {
            // A comma ends these numbers.
            l.min = ParseReal(l.Min);
            l.max = ParseReal(l.Max);
            l.W = l.min;
            if (l.Kind == GeneratorRow::Sine) {
                l.period.Define(l.Desc);
                l.P3 = l.period.Evaluate(mem);
            } else {
                l.P3 = ParseReal(l.Desc);
            }
        }
    }
}

void Generators::LayoutRow(int g, bool loading) {
    GeneratorRow& l = line(g);
    Memory& mem = sim_.mem;
    const bool texts = !loading;
    auto markers = [&](const char* mn, const char* mx, const char* desc) {
        if (!texts) return;
        l.Min = mn;
        l.Max = mx;
        l.Desc = desc;
    };
    switch (l.Kind) {
        case GeneratorRow::Constant:
            if (texts) {
                l.Desc = "Descrição";
                l.Value = "Valor";
                mem.setDescription(g, "Constante 0-100");
            }
            break;
        case GeneratorRow::Constant01:
            if (texts) {
                l.Desc = "Descrição";
                mem.setDescription(g, "Constante 0-1");
            }
            break;
        case GeneratorRow::FastRandom:
        case GeneratorRow::SlowRandom:
            markers("Min", "Máx.", "Descrição");
            mem.setDescription(g, "Aleatório");
            break;
        case GeneratorRow::MediumRandom:
            markers("Min.", "Máx.", "Tal(seg)");
            mem.setDescription(g, "Aleatório Médio");
            break;
        case GeneratorRow::Sine:
            markers("Min.", "Máx.", "Per (seg)");
            mem.setDescription(g, "Sinal Senoidal");
            break;
        case GeneratorRow::RandomWalk:
            markers("Inicial", "Ganho", "Faixa");
            if (texts) mem.setDescription(g, "Random Walk");
            break;
        case GeneratorRow::Equation:
        case GeneratorRow::Logarithm:
        case GeneratorRow::Exponential:
            if (texts) {
                static constexpr const char* kNames[] = {"Equação", "LN()", "Exp()"};
                l.Desc = "Descrição";
                l.Value = "Equação";
                mem.setDescription(g, kNames[l.Kind - GeneratorRow::Equation]);
            }
            break;
        default:
            break;
    }
    if (g <= kLastDynamic) l.min = l.max = l.P3 = l.W = 0;
}

void Generators::Reset() {
    for (GeneratorRow& l : lines_) {
        const double t = l.t;
        const double target = l.target;
        l = GeneratorRow{};
        l.t = t;
        l.target = target;
    }
}

void SeedFromClock(RandomGenerator& randomGenerator) {
    const auto current = std::chrono::system_clock::now().time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(current).count();
    randomGenerator.SetSeed(static_cast<std::uint32_t>(ms % 86400000));
}

}  // namespace kivo
