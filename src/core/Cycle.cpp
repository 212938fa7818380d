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

namespace {

template <int N>
void SavePool(const Pool<N>& pool, StateWriter& w) {
    for (int n = 1; n <= N; ++n)
        if (pool.active(n) && pool.object(n)) pool.object(n)->SaveState(w);
}

template <int N>
void RestorePool(const Pool<N>& pool, StateReader& r) {
    for (int n = 1; n <= N; ++n)
        if (pool.active(n) && pool.object(n)) pool.object(n)->RestoreState(r);
}

}  // namespace

void Simulation::SaveState(StateWriter& w) const {
    w.F64s(mem.data(), kNumVariables + 1);
    w.F64(state.T);
    w.F64(state.time);
    w.U64(static_cast<std::uint64_t>(state.cycles));
    w.I32(state.divisorDisplay);
    w.U32(randomGenerator.Seed());
    w.F64s(actuatorPosition.data(), actuatorPosition.size());
    if (generators) generators->SaveState(w);
    SavePool(processes, w);
    SavePool(blocks, w);
    SavePool(controllers, w);
    if (linearizer) linearizer->SaveState(w);
    SavePool(recorders, w);
    SavePool(texts, w);
}

void Simulation::RestoreState(StateReader& r) {
    for (int k = 0; k <= kNumVariables; ++k) mem[k] = r.F64();
    state.T = r.F64();
    state.time = r.F64();
    state.cycles = static_cast<long long>(r.U64() & 0x7FFF'FFFF'FFFF'FFFFull);
    state.divisorDisplay = r.Int(0, 5);
    randomGenerator.SetSeed(r.U32());
    r.F64s(actuatorPosition.data(), actuatorPosition.size());
    if (generators) generators->RestoreState(r);
    RestorePool(processes, r);
    RestorePool(blocks, r);
    RestorePool(controllers, r);
    if (linearizer) linearizer->RestoreState(r);
    RestorePool(recorders, r);
    RestorePool(texts, r);
}

bool Simulation::TogglePause() {
    state.paused = !state.paused;
    return state.paused;
}

}  // namespace kivo
