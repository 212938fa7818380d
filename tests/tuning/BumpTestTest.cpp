// The step test run on a plant: a clean first order plus dead time in place
// of the fixture's first process, its series identified back to that plant;
// and the refusals, which leave the plant as it was.
#include <gtest/gtest.h>

#include <cmath>

#include "objects/Controller.h"
#include "objects/Process.h"
#include "project/ProjectFile.h"
#include "tuning/BumpTest.h"
#include "tuning/Identification.h"

namespace kivo::tuning {
namespace {

constexpr double kGain = 0.8, kTau = 20, kDeadTime = 3;

class BumpTestTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ReadProject(project, std::string(KIVO_TEST_DIR) + "/../fastsim/fixtures/two_loops.smp").ok);
        auto& p = *project.sim.processes.as<Process>(1);
        p.ValveCurve = 0;
        p.TransferFunctionKind = 0;
        p.tauAText = p.Hysteresis = p.valveStext = p.ratetext = p.Ctext = "0";
        p.GainText = std::to_string(kGain);
        p.LText = std::to_string(kTau);
        p.DeadTime = std::to_string(kDeadTime);
        p.ValidateParameters(false);
    }
    Controller& controller() { return *project.controller(1); }
    Project project;
};

TEST_F(BumpTestTest, SeriesIdentifiesThePlant) {
    const double mv0 = controller().state.MV;
    const BumpTestResult r = BumpTest(project.sim, 1, -10, 300);
    EXPECT_TRUE(r.rested);
    EXPECT_FALSE(controller().state.autoMode);
    ASSERT_EQ(r.sp.size(), r.series.size());
    // The default lead-in, a quarter of the duration (75 s), then 300 s, a
    // sample every cycle.
    ASSERT_EQ(r.series.size(), 3750u);
    EXPECT_DOUBLE_EQ(r.mvBefore, mv0);
    EXPECT_DOUBLE_EQ(r.series.mv.front(), mv0);
    EXPECT_DOUBLE_EQ(r.series.mv.back(), mv0 - 10);

    const Identification id = Identify(r.series);
    const ProcessModel& m = id.fit(ModelKind::Fopdt).model;
    EXPECT_EQ(id.step.t0, 75.1);
    EXPECT_NEAR(m.K, kGain, 0.03 * kGain);
    EXPECT_NEAR(m.tau1, kTau, 0.03 * kTau);
    // The loop adds up to a cycle to the dead time.
    EXPECT_NEAR(m.theta, kDeadTime, 0.15);

    // Within 5 % after about three time constants plus the dead time (63 s):
    // twice that, rounded up to 10 s.
    EXPECT_EQ(SettledDuration(r), 130.0);
}

TEST_F(BumpTestTest, SettledDurationNeedsASettledRecord) {
    EXPECT_EQ(SettledDuration(BumpTest(project.sim, 1, 10, 50)), std::nullopt);
    // A fast plant: at least a minute.
    auto& p = *project.sim.processes.as<Process>(1);
    p.LText = "1";
    p.DeadTime = "0";
    p.ValidateParameters(false);
    EXPECT_EQ(SettledDuration(BumpTest(project.sim, 1, 10, 300)), kMinSettledDuration);
}

TEST_F(BumpTestTest, AnIntegratorNeverRestsAndIsSteppedAnyway) {
    auto& p = *project.sim.processes.as<Process>(1);
    // A slow drift from 40 %, which stays inside 0..100 % for the 2 hours.
    p.TransferFunctionKind = 3;
    p.GainText = "0.0001";
    p.InitialValueText = "40";
    p.initialValuePending = true;
    p.ValidateParameters(false);
    // The lead-in given: 40 s at rest, then 60 s.
    const BumpTestResult r = BumpTest(project.sim, 1, 10, 60, 40);
    EXPECT_FALSE(r.rested);
    EXPECT_EQ(r.series.size(), 1000u);
    EXPECT_EQ(r.series.mv[399], r.mvBefore);
    EXPECT_EQ(r.series.mv[400], r.mvBefore + 10);
    EXPECT_EQ(SettledDuration(r), std::nullopt);
}

TEST_F(BumpTestTest, LongTestsAreSampledCoarser) {
    const BumpTestResult r = BumpTest(project.sim, 1, 5, 3600);
    // 4500 s at 0.1 s is 45,000 cycles: every fourth kept.
    EXPECT_EQ(r.series.size(), 11250u);
    EXPECT_DOUBLE_EQ(r.series.t[1] - r.series.t[0], 0.4);
}

TEST_F(BumpTestTest, RefusalsLeaveThePlantAlone) {
    controller().state.autoMode = true;
    const double mv = controller().state.MV;
    struct Case {
        int loop;
        double step, duration;
        const char *pt, *en;
        std::optional<double> leadIn{};
    };
    const Case cases[] = {
        {7, 10, 60, "não tem o controlador 7", "no controller 7"},
        {0, 10, 60, "não tem o controlador 0", "no controller 0"},
        {1, 100 - mv + 1, 60, "sai de 0..100 %", "leaves 0..100 %"},
        {1, -mv - 1, 60, "sai de 0..100 %", "leaves 0..100 %"},
        {1, 0, 60, "de 0.5 a 100 %", "0.5 to 100 %"},
        {1, 1e-300, 60, "de 0.5 a 100 %", "0.5 to 100 %"},
        {1, -0.4, 60, "de 0.5 a 100 %", "0.5 to 100 %"},
        {1, std::nan(""), 60, "de 0.5 a 100 %", "0.5 to 100 %"},
        {1, 5, 0.5, "1 a 86400 segundos", "1 to 86400 seconds"},
        {1, 5, std::nan(""), "1 a 86400 segundos", "1 to 86400 seconds"},
        {1, 5, 60, "antes do degrau deve ser de 1 a 86400", "lead-in must be 1 to 86400", 0.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.en);
        try {
            BumpTest(project.sim, c.loop, c.step, c.duration, c.leadIn);
            ADD_FAILURE() << "accepted";
        } catch (const TuningError& e) {
            EXPECT_NE(e.Message(false).find(c.pt), std::string::npos) << e.Message(false);
            EXPECT_NE(e.Message(true).find(c.en), std::string::npos) << e.Message(true);
        }
        EXPECT_TRUE(controller().state.autoMode);
        EXPECT_EQ(controller().state.MV, mv);
        EXPECT_EQ(project.sim.state.previousTick, 0);
    }
}

}  // namespace
}  // namespace kivo::tuning
