#include "modbus/PacedCycle.h"

#include <chrono>
#include <thread>

#include "core/Cycle.h"

namespace kivo::modbus {

PacedRun RunPaced(Simulation& sim, long long maxTicks, const std::atomic<bool>& stop,
                  const std::function<void()>& afterTick, std::vector<double>* lateness) {
    using Clock = std::chrono::steady_clock;
    using Milliseconds = std::chrono::duration<double, std::milli>;
    PacedRun run;
    const auto period = std::chrono::milliseconds(sim.state.timerPeriod);
    const Clock::time_point start = Clock::now();
    Clock::time_point due = start;
    // A stop asked for during the wait is seen when it ends, within a period.
    while (!stop && (maxTicks <= 0 || run.ticks < maxTicks)) {
        due += period;
        std::this_thread::sleep_until(due);
        if (stop) break;
        const Clock::time_point now = Clock::now();
        const double late = Milliseconds(now - due).count();
        if (late > run.maxLateMs) run.maxLateMs = late;
        if (late > 10) ++run.lateOver10Ms;
        if (lateness) lateness->push_back(late);
        if (now - due >= period) due = now;
        sim.Tick(std::chrono::duration<long double, std::milli>(now - start).count());
        afterTick();
        ++run.ticks;
    }
    return run;
}

}  // namespace kivo::modbus
