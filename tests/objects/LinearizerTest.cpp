#include <gtest/gtest.h>

#include <cmath>

#include "objects/Linearizer.h"

namespace kivo {
namespace {

class LinearizerTest : public ::testing::Test {
protected:
    double Step(double x) {
        sim.mem[1] = x;
        lin.ComputeCycle();
        return sim.mem[13];
    }
    void Table(std::array<const char*, 6> mv, std::array<const char*, 6> pv) {
        for (std::size_t i = 0; i < 6; ++i) {
            lin.Lin1MV[i] = mv[i];
            lin.Lin1PV[i] = pv[i];
        }
    }

    Simulation sim;
    Linearizer lin{sim};
};

TEST_F(LinearizerTest, DefaultTableIsTheIdentity) {
    for (double x : {37.0, 0.0, 100.0, -10.0, 130.0}) EXPECT_NEAR(Step(x), x, 1e-12) << x;
}

TEST_F(LinearizerTest, InverseInterpolationWithSwitchedOffPoints) {
    Table({"0", "50", "100", "0", "0", "0"}, {"0", "80", "100", "0", "0", "0"});
    EXPECT_NEAR(Step(-8), -5, 1e-12) << "below PV1 the first segment extends down";
    EXPECT_NEAR(Step(40), 25, 1e-12);
    EXPECT_NEAR(Step(90), 75, 1e-12);
    EXPECT_NEAR(Step(100), 75, 1e-12) << "no later segment is active: M13 keeps its value";
}

TEST_F(LinearizerTest, LastSegmentExtendsUpwardsWhenActive) {
    Table({"0", "20", "40", "60", "80", "100"}, {"0", "10", "20", "30", "40", "80"});
    EXPECT_NEAR(Step(60), 90, 1e-12);
    EXPECT_NEAR(Step(100), 110, 1e-12);
}

TEST_F(LinearizerTest, InputTextsAndAddresses) {
    const struct {
        const char* text;
        int address;
    } cases[] = {{"01 MV", 1}, {"01", 1}, {"21 Nível", 21}, {"99", 99}, {"5", 0}, {"", 0}, {"xx", 0}, {"00", 0},
                 // One digit: a blank after it fails the conversion, one before it does not.
                 {"1 MV", 0}, {"1 ", 0}, {" 1", 1}, {"+5", 5}, {"-1", 0}};
    for (const auto& c : cases) {
        lin.Lin1InputAddress = c.text;
        EXPECT_EQ(lin.InputAddress(), c.address) << c.text;
    }
    lin.Lin1InputAddress = "xx";
    sim.mem[1] = 50;
    lin.ComputeCycle();
    EXPECT_DOUBLE_EQ(sim.mem[13], 0) << "no input reads 0";
}

TEST_F(LinearizerTest, FieldsAreReadEveryStepAndTheCycleRunsItOnlyWhenEnabled) {
    sim.linearizer = &lin;
    EXPECT_FALSE(lin.Lin1Enabled());
    sim.mem[1] = 30;
    sim.StepModels();
    EXPECT_DOUBLE_EQ(sim.mem[13], 0);
    lin.SetLin1Enabled(true);
    sim.StepModels();
    EXPECT_DOUBLE_EQ(sim.mem[13], 30);
    lin.Lin1PV[1] = "40";  // no apply step
    sim.StepModels();
    EXPECT_NEAR(sim.mem[13], 15, 1e-12);
    lin.SetLin1Enabled(false);
    sim.mem[1] = 10;
    sim.StepModels();
    EXPECT_NEAR(sim.mem[13], 15, 1e-12) << "unticking freezes M13";
}

// Equal MV values make a vertical segment: its whole PV range maps to that
// MV. Equal PV values make a flat segment with no inverse, which is skipped.
TEST_F(LinearizerTest, DegenerateSegmentsNeverGiveNaN) {
    struct Case {
        std::array<const char*, 6> mv, pv;
        double x, y;
    };
    const Case cases[] = {
        {{"0", "50", "50", "100", "0", "0"}, {"0", "20", "80", "100", "0", "0"}, 50, 50},   // vertical
        {{"0", "50", "50", "100", "0", "0"}, {"0", "20", "80", "100", "0", "0"}, 10, 25},
        {{"0", "50", "50", "100", "0", "0"}, {"0", "20", "80", "100", "0", "0"}, 90, 75},
        {{"0", "50", "60", "100", "0", "0"}, {"0", "50", "50", "100", "0", "0"}, 50, 60},       // flat: skipped
        {{"0", "50", "100", "0", "0", "0"}, {"30", "30", "100", "0", "0", "0"}, 20, 60 / 1.4},  // flat first
        {{"0", "50", "50", "50", "50", "50"}, {"0", "50", "50", "50", "50", "50"}, 70, 50},     // repeated point
        {{"10", "10", "10", "10", "10", "10"}, {"0", "0", "0", "0", "0", "0"}, 5, 10},          // all vertical
        {{"0", "20", "40", "60", "80", "100"}, {"7", "7", "7", "7", "7", "7"}, 5, 0},           // all flat: unchanged
    };
    for (const auto& c : cases) {
        sim.mem[13] = 0;
        Table(c.mv, c.pv);
        const double y = Step(c.x);
        EXPECT_TRUE(std::isfinite(y));
        EXPECT_NEAR(y, c.y, 1e-12) << c.mv[1] << "/" << c.pv[1] << " x " << c.x;
    }
}

}  // namespace
}  // namespace kivo
