#pragma once
// Loading a ".txd" archive into a row of loop charts, interpreted with the
// controllers as they are configured now: only active controllers are
// loaded, each with its current PV address and the unit of that variable.
#include <filesystem>

#include "fastsim/Loops.h"

namespace kivo {

class Simulation;
class ProgressObserver;

// Reads the whole archive first: a file that fails to read throws TxdError
// and the caller's row stays as it was. Per data line, CO = field n,
// PV = field (PV address), SP = field 60 + n. An index out of range is an
// error of the archive too (TxdError naming the loop and the index): its
// values are beyond what a loop can hold.
PerformanceRow LoadHistory(const Simulation& sim, const std::filesystem::path& file, bool normalise,
                                 ProgressObserver* obs = nullptr);

}  // namespace kivo
