// Going back to a snapshot on every example plant: the run that follows the
// restore, with the same setpoint step, is the run that followed the
// snapshot the first time, bit for bit, in the memory at every cycle and in
// the whole state at its end (trends, recorders and texts included).
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "../examples/Examples.h"
#include "objects/Controller.h"
#include "project/ProjectFile.h"
#include "snapshots/Snapshot.h"

namespace kivo {
namespace {

constexpr int kBefore = 900;  // ticks before the snapshot: 90 s
constexpr int kAfter = 600;   // ticks recorded after it

void LoadExample(Project& p, const Case& c) {
    const LoadResult r = ReadProject(p, Folder(c) / c.file, LoadOptions{true, nullptr});
    ASSERT_TRUE(r.ok) << r.error;
    p.sim.randomGenerator.SetSeed(20240601);
}

// Real-time ticks on a clock of their own, so that runs repeat exactly.
void Ticks(Project& p, int ticks, std::vector<double>* memory = nullptr) {
    for (int i = 0; i < ticks; ++i) {
        p.sim.Tick(static_cast<long double>(p.sim.state.cycles) * 100);
        if (memory) memory->insert(memory->end(), p.sim.mem.data(), p.sim.mem.data() + kNumVariables + 1);
    }
}

void StepSetpoints(Project& p) {
    for (int n = 1; n <= 10; ++n)
        if (Controller* c = p.controller(n)) c->state.SP = std::min(c->state.SP + 5, 100.0);
}

// The first cycle and variable where two records of the memory differ.
std::string FirstDifference(const std::vector<double>& a, const std::vector<double>& b) {
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
        if (std::memcmp(&a[i], &b[i], sizeof(double)) != 0)
            return "cycle " + std::to_string(i / (kNumVariables + 1)) + ", M" + std::to_string(i % (kNumVariables + 1)) +
                   ": " + std::to_string(a[i]) + " then " + std::to_string(b[i]);
    return "lengths " + std::to_string(a.size()) + " and " + std::to_string(b.size());
}

class Rewind : public testing::TestWithParam<Case> {};

// Restored into the plant that ran on, and into the plant freshly opened, so
// that nothing the run left behind can stand in for what was not restored.
TEST_P(Rewind, RunAfterRestoreRepeatsTheFirstBitForBit) {
    Project p;
    LoadExample(p, GetParam());
    Ticks(p, kBefore);
    const Snapshot snapshot = TakeSnapshot(p.sim);

    std::vector<double> first;
    StepSetpoints(p);
    Ticks(p, kAfter, &first);
    const Snapshot firstEnd = TakeSnapshot(p.sim);

    Project fresh;
    LoadExample(fresh, GetParam());
    for (Project* q : {&p, &fresh}) {
        SCOPED_TRACE(q == &p ? "the same plant" : "the plant freshly opened");
        ASSERT_EQ(RestoreSnapshot(q->sim, snapshot), RestoreOutcome::Restored);
        std::vector<double> again;
        StepSetpoints(*q);
        Ticks(*q, kAfter, &again);

        ASSERT_EQ(first.size(), again.size());
        EXPECT_EQ(std::memcmp(first.data(), again.data(), first.size() * sizeof(double)), 0)
            << FirstDifference(first, again);
        EXPECT_TRUE(TakeSnapshot(q->sim).state == firstEnd.state) << "the state at the end differs";
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, Rewind, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& i) { return std::string(i.param.name); });

const Case& Boiler() {
    for (const Case& c : kCases)
        if (std::string(c.name) == "Boiler") return c;
    throw std::logic_error("no boiler");
}

TEST(Restore, RefusesAnotherConfigurationAndLeavesThePlant) {
    Project p;
    LoadExample(p, Boiler());
    Ticks(p, 50);
    const Snapshot s = TakeSnapshot(p.sim);
    Ticks(p, 50);

    struct Change {
        const char* what;
        void (*apply)(Project&);
    };
    const Change changes[] = {
        {"a controller removed", [](Project& q) { q.sim.controllers.Erase(1); }},
        {"a block added", [](Project& q) { q.CreateBlock(24); }},
        {"a generator row's kind", [](Project& q) { q.generators.line(90).Kind = GeneratorRow::Sine; }},
        {"the linearizer switched", [](Project& q) { q.linearizer.SetLin1Enabled(!q.linearizer.Lin1Enabled()); }},
    };
    for (const Change& c : changes) {
        Project q;
        LoadExample(q, Boiler());
        Ticks(q, 100);
        c.apply(q);
        const Snapshot before = TakeSnapshot(q.sim);
        EXPECT_EQ(RestoreSnapshot(q.sim, s), RestoreOutcome::OtherConfiguration) << c.what;
        EXPECT_TRUE(TakeSnapshot(q.sim).state == before.state) << c.what;
    }
}

TEST(Restore, KeepsTheSettingsInForce) {
    Project p;
    LoadExample(p, Boiler());
    const Snapshot s = TakeSnapshot(p.sim);
    Controller& c = *p.controller(1);
    c.KpText = "2,5";
    ASSERT_TRUE(c.ValidateParameters(false));
    ASSERT_EQ(RestoreSnapshot(p.sim, s), RestoreOutcome::Restored);
    EXPECT_EQ(c.Kc(), 2.5);
}

// Bytes cut short or altered, as a damaged or hostile file would hand them:
// never read past, and a plant left as it was or in a state it can run on.
TEST(Restore, DamagedBytesLeaveThePlantOrRunOn) {
    Project p;
    LoadExample(p, Boiler());
    Ticks(p, 100);
    const Snapshot good = TakeSnapshot(p.sim);
    Ticks(p, 20);
    const Snapshot now = TakeSnapshot(p.sim);

    for (std::size_t cut = 0; cut < good.state.size(); cut += 97) {
        Snapshot s = good;
        s.state.resize(cut);
        ASSERT_EQ(RestoreSnapshot(p.sim, s), RestoreOutcome::Damaged) << cut;
        ASSERT_TRUE(TakeSnapshot(p.sim).state == now.state) << "cut at " << cut;
    }
    Snapshot longer = good;
    longer.state.push_back(0);
    EXPECT_EQ(RestoreSnapshot(p.sim, longer), RestoreOutcome::Damaged);

    std::uint32_t seed = 7;
    for (int trial = 0; trial < 300; ++trial) {
        Snapshot s = good;
        for (int k = 0; k < 4; ++k) {
            seed = seed * 1664525u + 1013904223u;
            s.state[seed % s.state.size()] = static_cast<std::uint8_t>(seed >> 24);
        }
        if (RestoreSnapshot(p.sim, s) == RestoreOutcome::Restored) Ticks(p, 3);
    }
}

}  // namespace
}  // namespace kivo
