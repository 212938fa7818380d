#include "modbus/PacedCycle.h"

#include <time.h>

#include <cerrno>

#include "core/Cycle.h"

namespace kivo::modbus {
namespace {

long long Now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1'000'000'000LL + t.tv_nsec;
}

}  // namespace

PacedRun RunPaced(Simulation& sim, long long maxTicks, const std::atomic<bool>& stop,
                  const std::function<void()>& afterTick, std::vector<double>* lateness) {
    PacedRun run;
    const long long period = sim.state.timerPeriod * 1'000'000LL;
    const long long start = Now();
    long long due = start;
    while (!stop && (maxTicks <= 0 || run.ticks < maxTicks)) {
        due += period;
        const timespec at{static_cast<time_t>(due / 1'000'000'000), static_cast<long>(due % 1'000'000'000)};
        // A signal's handler ends the wait early, so that stop is seen at once.
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR)
            if (stop) return run;
        const long long now = Now();
        const double late = static_cast<double>(now - due) / 1e6;
        if (late > run.maxLateMs) run.maxLateMs = late;
        if (late > 10) ++run.lateOver10Ms;
        if (lateness) lateness->push_back(late);
        if (now - due >= period) due = now;
        sim.Tick(static_cast<long double>(now - start) / 1e6L);
        afterTick();
        ++run.ticks;
    }
    return run;
}

}  // namespace kivo::modbus
