#pragma once
// The simulation cycle: object pools with their active flags and slot
// numbers, the tick in its fixed order, pause, the fast-mode flag and the run
// without display. The clock lives outside: the caller passes the time of day.
#include <array>
#include <cstdint>
#include <memory>
#include <typeinfo>
#include <vector>

#include "core/Memory.h"
#include "core/StateBytes.h"

namespace kivo {

// Pseudo-random integers shared by every generator row:
// seed := seed * 134775813 + 1 (mod 2^32), value := (seed * N) div 2^32.
class RandomGenerator {
public:
    void SetSeed(std::uint32_t seed) { seed_ = seed; }
    std::uint32_t Seed() const { return seed_; }
    // Uniform integer in 0..n-1.
    std::uint32_t Next(std::uint32_t n) {
        seed_ = seed_ * 134775813u + 1u;
        return static_cast<std::uint32_t>((static_cast<std::uint64_t>(seed_) * n) >> 32);
    }

private:
    std::uint32_t seed_ = 0;
};

class Simulation;

// What the pass calls on every pooled object.
class CycleObject {
public:
    virtual ~CycleObject() = default;
    virtual void ComputeCycle() = 0;
    // Steps objects[0..n) in order. The pools pass runs of objects of this
    // object's own dynamic type, so that a kind a plant holds many of can
    // step them all with direct calls instead of one dispatch and one call
    // per object.
    virtual void ComputeCycles(CycleObject* const* objects, int n) {
        for (int i = 0; i < n; ++i) objects[i]->ComputeCycle();
    }
    // The object's running state at full precision, for a snapshot: what its
    // steps carry from one cycle to the next. Settings are not state; an
    // object without such state writes nothing.
    virtual void SaveState(StateWriter& /*w*/) const {}
    // Reads back what SaveState wrote. A failed read may leave any state,
    // yet one the step can run on.
    virtual void RestoreState(StateReader& /*r*/) {}
};

// Hooks for the display work the GUI attaches to the tick.
class CycleObserver {
public:
    virtual ~CycleObserver() = default;
    // Called at the display refresh (every sixth tick) after the animated
    // texts have recomputed: shapes and command-button labels refresh here.
    virtual void OnDisplayRefresh() {}
    // Called at every tick with the measured cycle time in ms.
    virtual void OnCycleMeasured(double /*ms*/) {}
};

template <int N>
class Pool {
public:
    static constexpr int kSize = N;
    // Slot n counts from 1.
    bool active(int n) const { return active_[n - 1]; }
    CycleObject* object(int n) const { return objects_[n - 1].get(); }
    template <class T>
    T* as(int n) const { return dynamic_cast<T*>(object(n)); }

    // Fills slot n and sets its active flag.
    void Create(int n, std::unique_ptr<CycleObject> obj) {
        objects_[n - 1] = std::move(obj);
        active_[n - 1] = true;
        ListActive();
    }
    // Empties slot n; the object is released.
    void Erase(int n) {
        active_[n - 1] = false;
        objects_[n - 1].reset();
        ListActive();
    }
    void EraseAll() {
        for (int n = 1; n <= N; ++n) Erase(n);
    }
    void StepActive() const {
        for (int g = 0; g < numGroups_; ++g) {
            const Group& group = groups_[static_cast<std::size_t>(g)];
            CycleObject* const* start = activeObjects_.data() + group.start;
            (*start)->ComputeCycles(start, group.n);
        }
    }

private:
    // A run of consecutive active objects of one dynamic type.
    struct Group {
        int start = 0;
        int n = 0;
    };

    // The active objects in slot order, so that the step of every cycle
    // does not walk the empty slots, cut into runs of one type each.
    void ListActive() {
        int numActive = 0;
        numGroups_ = 0;
        for (int i = 0; i < N; ++i) {
            CycleObject* o = objects_[i].get();
            if (!active_[i] || !o) continue;
            if (numGroups_ == 0 || typeid(*o) != typeid(*activeObjects_[static_cast<std::size_t>(numActive - 1)]))
                groups_[static_cast<std::size_t>(numGroups_++)] = {numActive, 0};
            ++groups_[static_cast<std::size_t>(numGroups_ - 1)].n;
            activeObjects_[static_cast<std::size_t>(numActive++)] = o;
        }
    }

    std::array<std::unique_ptr<CycleObject>, N> objects_{};
    std::array<bool, N> active_{};
    std::array<CycleObject*, N> activeObjects_{};
    std::array<Group, N> groups_{};
    int numGroups_ = 0;
};

// Output address of process slot n (1..24) and calculation block slot n.
constexpr int ProcessAddress(int n) { return n <= 20 ? 20 + n : 50 + n; }
constexpr int BlockAddress(int n) { return n <= 20 ? 40 + n : 54 + n; }
// Number given at creation to a recorder and an animated text.
constexpr int RecorderNumber(int n) { return 200 + n; }
constexpr int AnimatedTextNumber(int n) { return 100 + n; }

struct CycleState {
    int timerPeriod = 100;          // ms
    double T = 0.1;                 // s, set at every tick
    long double previousTick = 0;   // ms of the day
    long double measuredCycle = 0;  // ms between the last two ticks
    int divisorDisplay = 0;
    bool fastMode = false;
    bool paused = false;
    // Plant time: the sum of the steps, and the passes of the models.
    double time = 0;  // s
    long long cycles = 0;
};

class Simulation {
public:
    Simulation();

    Memory mem;
    CycleState state;
    RandomGenerator randomGenerator;
    // Actuator position of every process, indexed by its output address.
    std::array<double, kNumVariables + 1> actuatorPosition{};

    Pool<10> controllers;
    Pool<24> processes;
    Pool<24> blocks;
    Pool<10> recorders;
    Pool<20> texts;

    // Always present once the plant is set up; the owner keeps them alive.
    CycleObject* generators = nullptr;
    CycleObject* linearizer = nullptr;
    bool linearizerActive = false;  // Lin1Enabled

    void AddObserver(CycleObserver* o);
    void RemoveObserver(CycleObserver* o);

    // One real-time tick; nowMs is the time of day in milliseconds.
    void Tick(long double nowMs);
    // Toggles the pause state; returns the new state (true = paused).
    bool TogglePause();

    // The whole running state: memory, plant time and counters, the random
    // generator, actuator positions, then every active object in the cycle's
    // order. Restoring expects the same active slots; the caller checks that
    // (see the snapshots library). The wall-clock measures are not state.
    void SaveState(StateWriter& w) const;
    void RestoreState(StateReader& r);

    // One pass of the models without display: generator bank, processes,
    // blocks, controllers, linearizer. The hook runs just before the
    // controllers (the fast simulation applies its test step there).
    template <class BeforeControllers>
    void StepModels(BeforeControllers&& before) {
        if (generators) generators->ComputeCycle();
        processes.StepActive();
        blocks.StepActive();
        before();
        controllers.StepActive();
        if (linearizerActive && linearizer) linearizer->ComputeCycle();
        state.time += state.T;
        ++state.cycles;
    }
    void StepModels() {
        StepModels([] {});
    }

    // Run without display: sets the fast-mode flag and T, performs n passes
    // calling before(i) before the controllers and after(i) after each pass
    // (i counts from 0), and clears the flag. after may return false to stop.
    template <class Before, class After>
    void RunWithoutDisplay(long long n, double T, Before&& before, After&& after) {
        state.fastMode = true;
        state.T = T;
        for (long long i = 0; i < n; ++i) {
            StepModels([&] { before(i); });
            if (!after(i)) break;
        }
        state.fastMode = false;
    }

private:
    std::vector<CycleObserver*> observers_;
};

}  // namespace kivo
