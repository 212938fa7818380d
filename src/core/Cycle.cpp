#include "core/Cycle.h"

#include <algorithm>

namespace kivo {

Simulation::Simulation() = default;

void Simulation::AddObserver(CycleObserver* o) { observers_.push_back(o); }

void Simulation::RemoveObserver(CycleObserver* o) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), o), observers_.end());
}

void Simulation::Tick(long double nowMs) {
    state.measuredCycle = nowMs - state.previousTick;
    state.previousTick = nowMs;
    for (auto* o : observers_) o->OnCycleMeasured(static_cast<double>(state.measuredCycle));

    // A late tick is not compensated: T is always the nominal period.
    state.T = state.timerPeriod / 1000.0;

    state.divisorDisplay += 1;
    if (state.divisorDisplay > 5) {
        state.divisorDisplay = 0;
        texts.StepActive();
        for (auto* o : observers_) o->OnDisplayRefresh();
    }

    StepModels();
    recorders.StepActive();
}

bool Simulation::TogglePause() {
    state.paused = !state.paused;
    return state.paused;
}

}  // namespace kivo
