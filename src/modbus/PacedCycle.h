#pragma once
// The real-time cycle at its pace, as the program's timer runs it, for a
// process with no window (kivo-batch serve) and for the measurements.
#include <atomic>
#include <functional>
#include <vector>

namespace kivo {
class Simulation;
}

namespace kivo::modbus {

struct PacedRun {
    long long ticks = 0;
    double maxLateMs = 0;  // the latest start of a tick after its due time
    long long lateOver10Ms = 0;
};

// Ticks every timer period until stop is set or, when maxTicks > 0, for
// maxTicks ticks, calling afterTick after each. A tick that starts a whole
// period late is not caught up: the next one is due a period after it, as a
// timer's is. When lateness is given, each tick's lateness (ms) is added.
PacedRun RunPaced(Simulation& sim, long long maxTicks, const std::atomic<bool>& stop,
                  const std::function<void()>& afterTick, std::vector<double>* lateness = nullptr);

}  // namespace kivo::modbus
