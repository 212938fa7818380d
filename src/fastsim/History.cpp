#include "fastsim/History.h"

#include "fastsim/TxdArchive.h"

namespace kivo {

PerformanceRow LoadHistory(const Simulation& sim, const std::filesystem::path& file, bool normalise,
                                 ProgressObserver* obs) {
    // The lines go straight into the series: only the points of the loops
    // are kept, never the whole archive.
    LoopCollector collector(sim, normalise, 0);
    ReadTxdArchive(file, obs, [&](const TxdRow& line) { collector.Sample(line.data()); });
    PerformanceRow r = collector.Finish();
    if (const int n = LoopOutOfRange(r))
        throw TxdReadError(file, OutOfRangeText(r, n, false) + "; os valores lidos são grandes demais.",
                             OutOfRangeText(r, n, true) + "; the values read are too large.");
    return r;
}

}  // namespace kivo
