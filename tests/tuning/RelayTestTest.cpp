// The relay test run on a plant in automatic: the ultimate gain and period
// of the plant recovered, the controller back in automatic without a bump,
// and the refusals, which leave the plant as it was.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "objects/Controller.h"
#include "objects/Process.h"
#include "project/ProjectFile.h"
#include "project/TextFile.h"
#include "tuning/RelayDriver.h"
#include "tuning/RelayTest.h"
#include "tuning/Rules.h"

namespace kivo::tuning {
namespace {

const std::string kFixture = std::string(KIVO_TEST_DIR) + "/../fastsim/fixtures/two_loops.smp";

// The fixture's first process made a clean model (no valve effects).
void Plant(Project& project, const ProcessModel& m) {
    auto& p = *project.sim.processes.as<Process>(1);
    p.ValveCurve = 0;
    p.tauAText = p.Hysteresis = p.valveStext = p.ratetext = "0";
    p.TransferFunctionKind = 0;
    p.GainText = std::to_string(m.K);
    p.LText = std::to_string(m.tau1);
    p.Ctext = std::to_string(m.tau2);
    p.DeadTime = std::to_string(m.theta);
    p.ValidateParameters(false);
}

// The plants the relay is run on: a first order, and one whose lag is far
// beyond its dead time.
const struct PlantCase {
    const char* testCase;
    ProcessModel plant;
} kPlants[] = {
    {"first order", {ModelKind::Fopdt, 0.8, 20, 0, 3}},
    {"lag-dominant first order", {ModelKind::Fopdt, 1.5, 60, 0, 2}},
};

TEST(RelayTestTest, RecoversTheUltimatePointAndHandsBackWithoutABump) {
    for (const PlantCase& c : kPlants) {
        Project project;
        ASSERT_TRUE(ReadProject(project, kFixture).ok);
        Plant(project, c.plant);
        Controller& controller = *project.controller(1);
        ASSERT_TRUE(controller.state.autoMode);
        const RelayTestResult r = RelayTest(project.sim, 1);
        EXPECT_TRUE(r.rested) << c.testCase;
        EXPECT_EQ(r.amplitude, kDefaultRelayAmplitude) << c.testCase;
        // The fixture's PV has a little noise: the hysteresis rides over it.
        EXPECT_NEAR(r.hysteresis, std::max(3 * r.noise, kMinHysteresis), 1e-12) << c.testCase;
        EXPECT_GT(r.noise, 0) << c.testCase;
        // Back in automatic, from the output the relay left.
        EXPECT_TRUE(controller.state.autoMode) << c.testCase;
        EXPECT_NEAR(controller.state.MV, r.series.mv.back(), 1e-9) << c.testCase;

        // The plant's own ultimate point, with the cycle the loop adds to
        // its dead time.
        ProcessModel loop = c.plant;
        loop.theta += 0.1;
        const UltimatePoint truth = *Ultimate(loop);
        const RelayIdentification id = IdentifyRelay(r);
        EXPECT_NEAR(id.ultimate.gain, truth.gain, 0.05 * truth.gain) << c.testCase;
        EXPECT_NEAR(id.ultimate.period, truth.period, 0.05 * truth.period) << c.testCase;
        // The relay's own oscillation is slower, the more so the larger
        // the hysteresis: the model's point is the one to use.
        EXPECT_GT(r.period, 0.95 * truth.period) << c.testCase;
        EXPECT_GT(r.pvAmplitude, r.hysteresis) << c.testCase;
        const auto zn = ProposeSettings(id.id.bestFit().model, Rule::ZieglerNicholsUltimate, true);
        ASSERT_EQ(zn.size(), 3u) << c.testCase;
        EXPECT_NEAR(zn[0].Kc, 0.5 * id.ultimate.gain, 1e-9) << c.testCase;
        EXPECT_NEAR(zn[2].Td, id.ultimate.period / 8, 1e-9) << c.testCase;
    }
}

// The fixture with the noise generator that feeds the first process's
// input (row 81, 45..55 %) spanning lo..hi instead.
std::string FixtureWithNoise(const char* lo, const char* hi) {
    std::ifstream in(kFixture, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    std::string s = bytes.str();
    for (auto [from, to] : {std::pair{"{P/03} 45", lo}, std::pair{"{P/04} 55", hi}}) {
        const auto at = s.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos) s.replace(at, std::string(from).size(), std::string(from).substr(0, 7) + to);
    }
    return s;
}

// The live plant as the GUI runs it: ticked on its cycle, the driver
// called after each tick, the plant already running for a while. The
// same test on a copy made from its file text, as the tuning window
// makes it, finds the same ultimate point; the controller takes the
// output back where the relay left it.
TEST(RelayTestTest, LiveDriverAgreesWithTheCopyAndHandsBackWithoutABump) {
    for (const PlantCase& c : kPlants) {
        Project live;
        ASSERT_TRUE(ReadProject(live, kFixture).ok);
        Plant(live, c.plant);
        long long tick = 0;
        const auto tickLive = [&] { live.sim.Tick(static_cast<long double>(++tick) * 100); };
        for (int i = 0; i < 600; ++i) tickLive();

        Project copy;
        ASSERT_TRUE(ReadProjectBytes(copy, JoinLines(ProjectLines(live)), "copy").ok) << c.testCase;
        const RelayIdentification onCopy = IdentifyRelay(RelayTest(copy.sim, 1));

        Controller& controller = *live.controller(1);
        RelayDriver driver(live.sim, 1);
        double relayOutput = 0;
        while (driver.running()) {
            tickLive();
            relayOutput = controller.state.MV;
            driver.AfterTick();
        }
        ASSERT_EQ(driver.phase(), RelayDriver::Phase::Finished) << c.testCase;
        EXPECT_TRUE(controller.state.autoMode) << c.testCase;
        // The first automatic output continues from the relay's last: the
        // integral tracked it, only the error's change of one cycle moves it.
        tickLive();
        const double bump = std::abs(controller.state.MV - relayOutput);
        const RelayTestResult r = driver.Result();
        EXPECT_LT(bump, 0.02 * r.amplitude) << c.testCase << ": " << relayOutput << " -> " << controller.state.MV;
        const RelayIdentification onLive = IdentifyRelay(r);
        EXPECT_NEAR(onLive.ultimate.gain, onCopy.ultimate.gain, 0.05 * onCopy.ultimate.gain) << c.testCase;
        EXPECT_NEAR(onLive.ultimate.period, onCopy.ultimate.period, 0.05 * onCopy.ultimate.period) << c.testCase;
    }
}

// The amplitude left to the test keeps the default where the PV's swing
// clears the noise band by kNoiseBands hysteresis widths, and is raised
// where it does not; either way the swing clears it.
TEST(RelayTestTest, AmplitudeChosenFromTheNoise) {
    const struct {
        const char* testCase;
        const char *lo, *hi;
        bool raised;
    } cases[] = {
        {"noise-free", "50", "50", false},
        {"noisy", "-50", "150", true},
    };
    for (const auto& c : cases) {
        Project project;
        ASSERT_TRUE(ReadProjectBytes(project, FixtureWithNoise(c.lo, c.hi), "noise").ok) << c.testCase;
        Plant(project, kPlants[0].plant);
        const RelayTestResult r = RelayTest(project.sim, 1);
        EXPECT_EQ(r.amplitude > kDefaultRelayAmplitude, c.raised) << c.testCase << ": " << r.amplitude;
        EXPECT_GE(r.pvAmplitude, kNoiseBands * r.hysteresis) << c.testCase;
        // Given, it is kept whatever the noise.
        Project given;
        ASSERT_TRUE(ReadProjectBytes(given, FixtureWithNoise(c.lo, c.hi), "noise").ok) << c.testCase;
        Plant(given, kPlants[0].plant);
        EXPECT_EQ(RelayTest(given.sim, 1, {2.0, std::nullopt}).amplitude, 2.0) << c.testCase;
    }
}

TEST(RelayTestTest, RefusalsLeaveThePlantAlone) {
    Project project;
    ASSERT_TRUE(ReadProject(project, kFixture).ok);
    Controller& controller = *project.controller(1);
    const double mv = controller.state.MV = 80;
    const struct {
        const char* testCase;
        int loop;
        RelayOptions o;
        bool manual;
        const char* en;
    } cases[] = {
        {"no controller", 7, {}, false, "no controller 7"},
        {"in manual", 1, {}, true, "is in manual"},
        {"amplitude too small", 1, {0.1, std::nullopt}, false, "amplitude must be 0.5 to 50 %"},
        {"amplitude beyond the limits", 1, {25, std::nullopt}, false, "leaves 0..100 %"},
        {"hysteresis", 1, {std::nullopt, -1}, false, "hysteresis must be 0 to 10 %"},
    };
    for (const auto& c : cases) {
        controller.state.autoMode = !c.manual;
        try {
            RelayTest(project.sim, c.loop, c.o);
            ADD_FAILURE() << c.testCase << ": accepted";
        } catch (const TuningError& e) {
            EXPECT_NE(e.Message(true).find(c.en), std::string::npos) << e.Message(true);
            EXPECT_FALSE(e.Message(false).empty());
        }
        EXPECT_EQ(controller.state.MV, mv) << c.testCase;
        EXPECT_EQ(project.sim.state.previousTick, 0) << c.testCase;
    }
}

}  // namespace
}  // namespace kivo::tuning
