// The automatic snapshots: every 10 s of plant time, the last 30 min kept,
// and a plant that went back or changed starting them anew.
#include <gtest/gtest.h>

#include <cmath>

#include "../examples/Examples.h"
#include "project/ProjectFile.h"
#include "snapshots/SnapshotRing.h"

namespace kivo {
namespace {

class Ring : public testing::Test {
protected:
    void SetUp() override {
        const Case& c = kCases[0];
        const LoadResult r = ReadProject(p, Folder(c) / c.file, LoadOptions{true, nullptr});
        ASSERT_TRUE(r.ok) << r.error;
    }
    // Plant time in steps of T, offering after each.
    void Advance(double seconds, double T = 0.1) {
        p.sim.RunWithoutDisplay(std::llround(seconds / T), T, [](long long) {}, [&](long long) {
            ring.Offer(p.sim);
            return true;
        });
    }

    Project p;
    SnapshotRing ring;
};

TEST_F(Ring, TakesOneEveryTenSecondsAndKeepsHalfAnHour) {
    Advance(2400);
    const auto& s = ring.snapshots();
    ASSERT_EQ(s.size(), 181u);
    EXPECT_NEAR(s.back().time, 2400, 0.11);
    EXPECT_NEAR(s.front().time, 600, 0.11);
    for (std::size_t i = 1; i < s.size(); ++i) EXPECT_NEAR(s[i].time - s[i - 1].time, 10, 1e-6) << i;
}

TEST_F(Ring, FollowsTheStepOfAFastRun) {
    Advance(60, 1.0);
    EXPECT_EQ(ring.snapshots().size(), 7u);  // at 1, 10, 20, .. 60 s
    Advance(25, 0.5);
    EXPECT_NEAR(ring.snapshots().back().time, 80, 1e-6);
}

TEST_F(Ring, AfterGoingBackDropsTheFutureAndGoesOn) {
    Advance(300);
    const Snapshot back = ring.snapshots()[10];
    ASSERT_EQ(RestoreSnapshot(p.sim, back), RestoreOutcome::Restored);
    ring.DiscardAfter(back.time);
    EXPECT_EQ(ring.snapshots().back().time, back.time);
    Advance(20);
    ASSERT_EQ(ring.snapshots().size(), 13u);
    EXPECT_NEAR(ring.snapshots().back().time, back.time + 20, 1e-6);
}

TEST_F(Ring, StartsAnewWhenThePlantChangesOrItsTimeGoesBack) {
    Advance(100);
    p.CreateBlock(24);
    Advance(10);  // to the next snapshot
    EXPECT_EQ(ring.snapshots().size(), 1u);

    p.sim.state.time = 0;
    Advance(0.1);
    ASSERT_EQ(ring.snapshots().size(), 1u);
    EXPECT_NEAR(ring.snapshots().front().time, 0.1, 1e-9);
}

}  // namespace
}  // namespace kivo
