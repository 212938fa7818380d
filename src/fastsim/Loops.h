#pragma once
// One row of loop charts (the upper row holds the last fast run or an archive
// loaded into it, the lower row an archive for comparison): per controller
// loop its PV address and unit as captured, the PV, SP and CO series and the
// indices. LoopCollector fills a row point by point, from the variable memory
// during a run or from the lines of an archive.
#include <array>
#include <optional>
#include <string>

#include "fastsim/Indices.h"

namespace kivo {

class Simulation;

inline constexpr int kLoops = 10;

struct LoopPerformance {
    bool active = false;  // controller n was active when the row was filled
    int pvAddress = 0;    // its PV list index + 1 (0 when none is selected)
    std::string unit;     // "Unid. Eng" of the PV variable
    LoopSeries series;
    // None when there are fewer than two points, or when an index is out of
    // range: a number such as "INF %" would measure nothing.
    std::optional<PerformanceIndices> indices;
    int indexOutOfRange = -1;  // that index (IndexOutOfRange), or -1
};

struct PerformanceRow {
    std::array<LoopPerformance, kLoops> loops;  // loop n at [n - 1]
    bool hasIndices = false;
    bool normalised = true;

    const LoopPerformance& loop(int n) const { return loops[static_cast<std::size_t>(n - 1)]; }
};

// The first active loop of the row whose indices are out of range, or 0.
int LoopOutOfRange(const PerformanceRow& line);

// Why loop n has no indices, when one is out of range: "o índice
// "Variabilidade" da malha 1 ..." or "the index "Variability" of loop 1 ...",
// without a capital or a full stop, to be completed by the caller.
std::string OutOfRangeText(const PerformanceRow& line, int n, bool english);

class LoopCollector {
public:
    // Captures, for every active controller, the PV address from its PV list
    // index as it stands now, and the unit text and range of that variable.
    // points: the number of points expected per series.
    LoopCollector(const Simulation& sim, bool normalise, std::size_t points);

    // One point per active loop: PV = m[PV address], SP = m[60 + n],
    // CO = m[n], where m[k] is M(k) for k = 0..99 (m[0] reads 0). PV and SP
    // are converted to engineering units unless the row is normalised.
    void Sample(const double* m);

    // The row, with the indices of every active loop.
    PerformanceRow Finish();

private:
    PerformanceRow line_;
    std::array<double, kLoops> euMin_{};
    std::array<double, kLoops> euRange_{};
};

}  // namespace kivo
