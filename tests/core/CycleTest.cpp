#include "core/Cycle.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace kivo {
namespace {

// Records the order in which the pass reaches the objects.
struct EventLog {
    std::vector<std::string> steps;
};

class Marker : public CycleObject {
public:
    Marker(EventLog& r, std::string name) : r_(r), name_(std::move(name)) {}
    void ComputeCycle() override { r_.steps.push_back(name_); }

private:
    EventLog& r_;
    std::string name_;
};

// A kind that steps its runs itself: records each run it is handed, then
// steps it one by one.
class Batch : public Marker {
public:
    Batch(EventLog& r, std::string name) : Marker(r, std::move(name)), r_(r) {}
    void ComputeCycles(CycleObject* const* objects, int n) override {
        r_.steps.push_back("run of " + std::to_string(n));
        CycleObject::ComputeCycles(objects, n);
    }

private:
    EventLog& r_;
};

class Counter : public CycleObserver {
public:
    int refreshes = 0;
    double lastCycle = -1;
    void OnDisplayRefresh() override { ++refreshes; }
    void OnCycleMeasured(double ms) override { lastCycle = ms; }
};

TEST(Cycle, PassOrder) {
    Simulation sim;
    EventLog r;
    Marker gen(r, "gen"), lin(r, "lin");
    sim.generators = &gen;
    sim.linearizer = &lin;
    sim.linearizerActive = true;
    sim.controllers.Create(2, std::make_unique<Marker>(r, "c2"));
    sim.controllers.Create(1, std::make_unique<Marker>(r, "c1"));
    sim.processes.Create(3, std::make_unique<Marker>(r, "p3"));
    sim.processes.Create(2, std::make_unique<Marker>(r, "p2"));
    sim.processes.Create(1, std::make_unique<Marker>(r, "p1"));
    sim.blocks.Create(24, std::make_unique<Marker>(r, "b24"));
    sim.recorders.Create(1, std::make_unique<Marker>(r, "r1"));
    sim.processes.Erase(2);
    sim.Tick(1000);
    const std::vector<std::string> expected = {"gen", "p1", "p3", "b24", "c1", "c2", "lin", "r1"};
    EXPECT_EQ(r.steps, expected);
    EXPECT_FALSE(sim.processes.active(2));
    EXPECT_EQ(sim.processes.object(2), nullptr);
}

// A run handed to one object's ComputeCycles holds only objects of that
// object's type, in slot order, across empty and inactive slots; it follows
// creations and deletions.
TEST(Cycle, PoolsHandRunsOfOneTypeInSlotOrder) {
    Simulation sim;
    EventLog r;
    sim.blocks.Create(1, std::make_unique<Batch>(r, "a"));
    sim.blocks.Create(3, std::make_unique<Batch>(r, "b"));
    sim.blocks.Create(4, std::make_unique<Marker>(r, "c"));
    sim.blocks.Create(5, std::make_unique<Batch>(r, "d"));
    sim.blocks.Create(7, std::make_unique<Batch>(r, "e"));
    sim.StepModels();
    EXPECT_EQ(r.steps, (std::vector<std::string>{"run of 2", "a", "b", "c", "run of 2", "d", "e"}));

    r.steps.clear();
    sim.blocks.Erase(4);
    sim.StepModels();
    EXPECT_EQ(r.steps, (std::vector<std::string>{"run of 4", "a", "b", "d", "e"}));

    r.steps.clear();
    sim.blocks.Create(6, std::make_unique<Marker>(r, "f"));
    sim.blocks.Erase(1);
    sim.StepModels();
    EXPECT_EQ(r.steps, (std::vector<std::string>{"run of 2", "b", "d", "f", "run of 1", "e"}));
}

TEST(Cycle, EmptyPlantStillStepsTheGeneratorsAndMeasures) {
    Simulation sim;
    EventLog r;
    Marker gen(r, "gen");
    sim.generators = &gen;
    Counter obs;
    sim.AddObserver(&obs);
    sim.Tick(5000);
    sim.Tick(5100);
    EXPECT_EQ(r.steps.size(), 2u);
    EXPECT_DOUBLE_EQ(obs.lastCycle, 100);
    EXPECT_DOUBLE_EQ(sim.state.T, 0.1);
}

TEST(Cycle, DisplaysRefreshOnEverySixthTick) {
    Simulation sim;
    EventLog r;
    sim.texts.Create(1, std::make_unique<Marker>(r, "t1"));
    Counter obs;
    sim.AddObserver(&obs);
    std::vector<int> refreshedAt;
    for (int tick = 1; tick <= 13; ++tick) {
        const int before = obs.refreshes;
        sim.Tick(tick * 100.0);
        if (obs.refreshes != before) refreshedAt.push_back(tick);
    }
    EXPECT_EQ(refreshedAt, (std::vector<int>{6, 12}));
    EXPECT_EQ(r.steps.size(), 2u);
    sim.RemoveObserver(&obs);
    for (int tick = 0; tick < 6; ++tick) sim.Tick(0);
    EXPECT_EQ(obs.refreshes, 2);
}

TEST(Cycle, RunWithoutDisplaySetsTheFlagAndTheNextTickResetsT) {
    Simulation sim;
    EventLog r;
    sim.controllers.Create(1, std::make_unique<Marker>(r, "c1"));
    sim.recorders.Create(1, std::make_unique<Marker>(r, "r1"));
    sim.texts.Create(1, std::make_unique<Marker>(r, "t1"));
    bool fastDuringRun = false;
    int hooks = 0;
    sim.RunWithoutDisplay(
        100, 0.5, [&](long long) { ++hooks; r.steps.push_back("test"); },
        [&](long long) {
            fastDuringRun = sim.state.fastMode;
            return true;
        });
    EXPECT_TRUE(fastDuringRun);
    EXPECT_FALSE(sim.state.fastMode);
    EXPECT_EQ(hooks, 100);
    EXPECT_EQ(r.steps.size(), 200u);  // no recorder, no animated text
    EXPECT_EQ(r.steps[0], "test");
    EXPECT_EQ(r.steps[1], "c1");
    EXPECT_DOUBLE_EQ(sim.state.T, 0.5);
    sim.Tick(0);
    EXPECT_DOUBLE_EQ(sim.state.T, 0.1);
}

TEST(Cycle, PauseToggles) {
    Simulation sim;
    EXPECT_TRUE(sim.TogglePause());
    EXPECT_FALSE(sim.TogglePause());
}

TEST(Cycle, RandomGeneratorSequence) {
    RandomGenerator g;
    g.SetSeed(0);
    EXPECT_EQ(g.Next(10000), 0u);  // seed 1
    EXPECT_EQ(g.Seed(), 1u);
    EXPECT_EQ(g.Next(0x80000000u), (134775813u + 1u) >> 1);
    g.SetSeed(0xFFFFFFFFu);
    const std::uint32_t s = 0xFFFFFFFFu * 134775813u + 1u;
    EXPECT_EQ(g.Next(10000), static_cast<std::uint32_t>((static_cast<std::uint64_t>(s) * 10000) >> 32));
}

}  // namespace
}  // namespace kivo
