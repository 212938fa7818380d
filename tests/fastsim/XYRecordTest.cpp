#include <gtest/gtest.h>

#include <vector>

#include "Helpers.h"
#include "fastsim/Progress.h"
#include "fastsim/XYRecord.h"

namespace kivo {
namespace {

using test::Plant;

TEST(XYRecordTest, OnePointPerStepAndPointsAccumulate) {
    Plant p;
    p.Loop(1, 50);
    double cycles = 0;
    bool alwaysFast = true;
    p.SpyAfterControllers([&] {
        p.sim.mem[50] = ++cycles;
        alwaysFast = alwaysFast && p.sim.state.fastMode && p.sim.state.T == 0.1;
    });
    std::vector<XYPoint> points;
    RecordXY(p.sim, 600, 50, 1, points);
    ASSERT_EQ(points.size(), 6000u);
    RecordXY(p.sim, 600, 50, 1, points);
    ASSERT_EQ(points.size(), 12000u);
    EXPECT_EQ(cycles, 12000) << "two runs of 10 min advance the plant by 20 min";
    EXPECT_TRUE(alwaysFast);
    EXPECT_FALSE(p.sim.state.fastMode);
    for (std::size_t b = 0; b < points.size(); ++b) ASSERT_EQ(points[b].x, static_cast<double>(b + 1)) << "after step b";
    EXPECT_EQ(points.back().y, p.sim.mem[1]);
}

TEST(XYRecordTest, ProgressBeforeEachStep) {
    struct EventLog : ProgressObserver {
        std::vector<int> values;
        void OnProgress(int v) override { values.push_back(v); }
    } obs;
    Plant p;
    std::vector<XYPoint> points;
    RecordXY(p.sim, 1800, 21, 1, points, &obs);
    ASSERT_EQ(obs.values.size(), 101u);
    EXPECT_EQ(obs.values.front(), 0);
    EXPECT_EQ(obs.values.back(), 100) << "Round(17999 * 100 / 18000)";
}

TEST(XYRecordTest, PresetsFollowTheLoopsThatExist) {
    Plant p;
    p.Loop(3, 50);
    EXPECT_EQ(PresetXYItems().size(), 21u);
    EXPECT_EQ(PresetXYItems()[6], "COxMV [Malha 3]");
    const auto mv = PresetXY(p.sim, 6);
    ASSERT_TRUE(mv);
    EXPECT_EQ(*mv, (std::pair{3, 103}));
    const auto pv = PresetXY(p.sim, 5);
    ASSERT_TRUE(pv);
    EXPECT_EQ(*pv, (std::pair{3, 23}));
    EXPECT_FALSE(PresetXY(p.sim, 2)) << "controller 1 does not exist";
    EXPECT_FALSE(PresetXY(p.sim, 0)) << "Seleção Individual";
}

}  // namespace
}  // namespace kivo
