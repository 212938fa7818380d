#include "fastsim/Loops.h"

#include <cmath>
#include <string>
#include <utility>

#include "core/Cycle.h"
#include "objects/Fields.h"
#include "objects/Controller.h"

namespace kivo {

LoopCollector::LoopCollector(const Simulation& sim, bool normalise, std::size_t points) {
    line_.normalised = normalise;
    for (int n = 1; n <= kLoops; ++n) {
        const auto* c = sim.controllers.active(n) ? sim.controllers.as<Controller>(n) : nullptr;
        if (!c) continue;
        const auto i = static_cast<std::size_t>(n - 1);
        LoopPerformance& m = line_.loops[i];
        m.active = true;
        m.pvAddress = AddressFromList(c->VariableSelect);
        m.unit = sim.mem.entry(m.pvAddress).unit;
        euMin_[i] = sim.mem.EuMinValue(m.pvAddress);
        euRange_[i] = sim.mem.EuMaxValue(m.pvAddress) - euMin_[i];
        m.series.pv.reserve(points);
        m.series.sp.reserve(points);
        m.series.co.reserve(points);
    }
}

void LoopCollector::Sample(const double* m) {
    for (int n = 1; n <= kLoops; ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        LoopPerformance& loop = line_.loops[i];
        if (!loop.active) continue;
        double pv = m[loop.pvAddress];
        double sp = m[60 + n];
        if (!line_.normalised) {
            pv = euMin_[i] + euRange_[i] * pv / 100;
            sp = euMin_[i] + euRange_[i] * sp / 100;
        }
        loop.series.Add(pv, sp, m[n]);
    }
}

int LoopOutOfRange(const PerformanceRow& line) {
    for (int n = 1; n <= kLoops; ++n)
        if (line.loop(n).active && line.loop(n).indexOutOfRange >= 0) return n;
    return 0;
}

std::string OutOfRangeText(const PerformanceRow& line, int n, bool english) {
    const int i = line.loop(n).indexOutOfRange;
    if (i < 0) return {};
    std::string label(IndexCaptions(english)[static_cast<std::size_t>(i)]);
    if (!label.empty() && label.back() == ':') label.pop_back();
    const std::string limit = "1e" + std::to_string(std::lround(std::log10(kMaxIndexValue)));
    return english ? "the index \"" + label + "\" of loop " + std::to_string(n) + " is out of range (not finite, or " +
                        limit + " or more)"
                  : "o índice \"" + label + "\" da malha " + std::to_string(n) +
                        " está fora da faixa (não é finito, ou chega a " + limit + ")";
}

PerformanceRow LoopCollector::Finish() {
    for (auto& m : line_.loops) {
        if (!m.active) continue;
        m.indices = ComputeIndices(m.series, UnitSuffix(line_.normalised, m.unit));
        if (m.indices) m.indexOutOfRange = IndexOutOfRange(m.indices->values);
        if (m.indexOutOfRange >= 0) m.indices.reset();
    }
    line_.hasIndices = true;
    return std::move(line_);
}

}  // namespace kivo
