#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "../project/TempDir.h"
#include "Helpers.h"
#include "fastsim/TxdArchive.h"
#include "fastsim/Progress.h"
#include "fastsim/FastSimulation.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;
using test::Plant;

FastSimulationOptions Options(double window, double T) {
    FastSimulationOptions op;
    op.window = window;
    op.T = T;
    return op;
}

TEST(FastSimulationTest, CyclesPointsAndArchiveLinesPerWindow) {
    const struct {
        double window, T;
        long long cycles;
        std::size_t points;
    } cases[] = {
        {1800, 0.1, 18000, 1800}, {3600, 0.2, 18000, 3600}, {7200, 0.5, 14400, 7200}, {14400, 1.0, 14400, 14400},
    };
    for (const auto& c : cases) {
        Plant p;
        p.Loop(1, 50);
        long long steps = 0;
        bool alwaysFast = true;
        p.BlockSpy([&] {
            ++steps;
            alwaysFast = alwaysFast && p.sim.state.fastMode && p.sim.state.T == c.T;
        });
        TempDir dir;
        FastSimulationOptions op = Options(c.window, c.T);
        op.writeArchive = true;
        op.folder = dir.path();
        const FastSimulationResult r = RunFastSimulation(p.sim, op);
        ASSERT_TRUE(r.ran);
        EXPECT_FALSE(r.archiveError);
        EXPECT_EQ(r.cycles, c.cycles);
        EXPECT_EQ(steps, c.cycles) << c.window;
        EXPECT_TRUE(alwaysFast) << "every cycle in fast mode with the chosen step";
        const LoopPerformance& m = r.line.loop(1);
        EXPECT_EQ(m.series.pv.size(), c.points);
        EXPECT_EQ(m.series.sp.size(), c.points);
        EXPECT_EQ(m.series.co.size(), c.points);
        EXPECT_EQ(ReadTxdArchive(r.file).lines.size(), c.points);
        const std::string bytes = test::ReadAll(r.file);
        EXPECT_EQ(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')), c.points + 1);
    }
}

TEST(FastSimulationTest, DataLineJHoldsTheStateAtTheEndOfSecondJ) {
    Plant p;
    p.Loop(1, 50);
    double cycles = 0;
    // Written after the controllers, so the archive sees each cycle's count.
    p.SpyAfterControllers([&] { p.sim.mem[50] = ++cycles; });
    TempDir dir;
    FastSimulationOptions op = Options(1800, 0.2);
    op.writeArchive = true;
    op.folder = dir.path();
    const FastSimulationResult r = RunFastSimulation(p.sim, op);
    const TxdArchive a = ReadTxdArchive(r.file);
    EXPECT_DOUBLE_EQ(a.T, 0.2);
    EXPECT_DOUBLE_EQ(a.W, 1800);
    for (std::size_t j = 1; j <= a.lines.size(); ++j) ASSERT_DOUBLE_EQ(a.lines[j - 1][50], 5.0 * j) << j;
}

TEST(FastSimulationTest, TestStepLandsOnceInCycle1891OnEveryController) {
    const struct {
        TestSignal signal;
        double dSP, dBias;
    } cases[] = {{TestSignal::SetpointStep, 10, 0}, {TestSignal::LoadStep, 0, 10}, {TestSignal::None, 0, 0}};
    for (const auto& c : cases) {
        Plant p;
        Controller& c1 = p.Loop(1, 40);
        Controller& c2 = p.Loop(2, 60);
        long long h = 0;
        long long first = -1;
        double spSeen = 0;
        p.SpyAfterControllers([&] {
            if (first < 0 && (c1.state.SP != 40 || c1.state.b != 50)) {
                first = h;
                spSeen = p.sim.mem[61];
            }
            ++h;
        });
        FastSimulationOptions op = Options(1800, 0.1);
        op.signal = c.signal;
        op.amplitude = 10;
        RunFastSimulation(p.sim, op);
        if (c.signal == TestSignal::None) {
            EXPECT_EQ(first, -1);
        } else {
            EXPECT_EQ(first, 1891) << "the first h with Nearest(100 h / N) > 10";
            if (c.signal == TestSignal::SetpointStep) {
                EXPECT_DOUBLE_EQ(spSeen, 50) << "the controllers step with it";
            }
        }
        EXPECT_DOUBLE_EQ(c1.state.SP, 40 + c.dSP) << "not undone";
        EXPECT_DOUBLE_EQ(c2.state.SP, 60 + c.dSP);
        EXPECT_DOUBLE_EQ(c1.state.b, 50 + c.dBias);
        EXPECT_DOUBLE_EQ(c2.state.b, 50 + c.dBias);
    }
}

TEST(FastSimulationTest, RemoteSetpointAndFeedForwardOverrideTheStep) {
    for (TestSignal signal : {TestSignal::SetpointStep, TestSignal::LoadStep}) {
        Plant p;
        Controller& remote = p.Loop(1, 40);
        remote.CheckSPR = true;
        remote.SPRSelect = 89;  // M90
        ASSERT_TRUE(remote.ValidateParameters(false));
        remote.state.localMode = false;
        p.sim.mem[90] = 30;
        Controller& ff = p.Loop(2, 40);
        ff.FFwSelect = true;
        ff.FFwEquation = "45";
        ASSERT_TRUE(ff.ValidateParameters(false));
        FastSimulationOptions op = Options(1800, 0.5);
        op.signal = signal;
        op.amplitude = -7;
        RunFastSimulation(p.sim, op);
        EXPECT_DOUBLE_EQ(remote.state.SP, 30) << "copied from SPR every cycle";
        EXPECT_DOUBLE_EQ(ff.state.b, 45) << "recomputed every cycle";
        EXPECT_DOUBLE_EQ(remote.state.b, signal == TestSignal::LoadStep ? 43 : 50);
        EXPECT_DOUBLE_EQ(ff.state.SP, signal == TestSignal::SetpointStep ? 33 : 40);
    }
}

TEST(FastSimulationTest, ModeFlagTimeStepAndTrendAfterTheRun) {
    Plant p;
    Controller& c = p.Loop(1, 50);
    p.sim.state.T = 0.1;
    RunFastSimulation(p.sim, Options(1800, 0.5));
    EXPECT_FALSE(p.sim.state.fastMode);
    EXPECT_DOUBLE_EQ(p.sim.state.T, 0.5) << "left for the next real-time tick";
    EXPECT_DOUBLE_EQ(c.trend.PVHistory(ControllerTrend::kSamples - 1), c.state.PV)
        << "the faceplate trend sampled the fast run";
    p.sim.Tick(1000);
    EXPECT_DOUBLE_EQ(p.sim.state.T, 0.1);
}

TEST(FastSimulationTest, ProgressRunsFromZeroToAHundred) {
    struct EventLog : ProgressObserver {
        std::vector<int> values;
        void OnProgress(int v) override { values.push_back(v); }
    } obs;
    Plant p;
    p.Loop(1, 50);
    RunFastSimulation(p.sim, Options(1800, 0.1), &obs);
    ASSERT_EQ(obs.values.size(), 101u);
    for (int i = 0; i <= 100; ++i) EXPECT_EQ(obs.values[static_cast<std::size_t>(i)], i);
}

TEST(FastSimulationTest, LoopsAreTheActiveControllersWithTheirListedPV) {
    Plant p;
    Controller& c1 = p.Loop(1, 50);
    p.Loop(2, 50);
    // A list change not yet applied: the run takes the PV from the list.
    c1.VariableSelect = 21;
    p.sim.mem.setUnit(22, "bar");
    const FastSimulationResult r = RunFastSimulation(p.sim, Options(1800, 1.0));
    EXPECT_TRUE(r.line.hasIndices);
    EXPECT_EQ(r.line.loop(1).pvAddress, 22);
    EXPECT_EQ(r.line.loop(1).unit, "bar");
    EXPECT_EQ(r.line.loop(1).series.pv, r.line.loop(2).series.pv);
    EXPECT_EQ(r.line.loop(2).pvAddress, 22);
    for (int n = 3; n <= kLoops; ++n) {
        EXPECT_FALSE(r.line.loop(n).active) << n;
        EXPECT_FALSE(r.line.loop(n).indices) << n;
    }
    ASSERT_TRUE(r.line.loop(1).indices);
}

TEST(FastSimulationTest, EngineeringUnitsConvertPVAndSPWithTheUnitCapturedAtTheStart) {
    std::array<FastSimulationResult, 2> r;
    for (bool normalise : {true, false}) {
        Plant p;
        p.Loop(1, 50);
        p.sim.mem.setUnit(21, "kg/h");
        p.sim.mem.setEuMin(21, "100");
        p.sim.mem.setEuMax(21, "600");
        int cycle = 0;
        p.BlockSpy([&] {
            if (++cycle == 5) p.sim.mem.setUnit(21, "t/h");
        });
        FastSimulationOptions op = Options(1800, 0.5);
        op.normalise = normalise;
        op.signal = TestSignal::SetpointStep;
        r[normalise ? 0 : 1] = RunFastSimulation(p.sim, op);
    }
    const LoopPerformance& pct = r[0].line.loop(1);
    const LoopPerformance& eu = r[1].line.loop(1);
    EXPECT_EQ(eu.unit, "kg/h");
    ASSERT_EQ(pct.series.pv.size(), eu.series.pv.size());
    for (std::size_t i = 0; i < pct.series.pv.size(); ++i) {
        ASSERT_DOUBLE_EQ(eu.series.pv[i], 100 + 5 * pct.series.pv[i]) << i;
        ASSERT_DOUBLE_EQ(eu.series.sp[i], 100 + 5 * pct.series.sp[i]) << i;
        ASSERT_DOUBLE_EQ(eu.series.co[i], pct.series.co[i]) << "CO stays in %";
    }
    ASSERT_TRUE(eu.indices && pct.indices);
    for (const std::string* t : {&eu.indices->variability, &eu.indices->meanError, &eu.indices->meanAbsError})
        EXPECT_EQ(t->substr(t->size() - 5), " kg/h") << *t;
    for (const std::string* t : {&eu.indices->coTravel, &eu.indices->coDeviation, &eu.indices->coSaturation})
        EXPECT_EQ(t->substr(t->size() - 2), " %") << *t;
    EXPECT_EQ(eu.indices->coTravel, pct.indices->coTravel);
    EXPECT_EQ(eu.indices->pvMinMax.find(' ', 5), std::string::npos) << "the range has no unit: " << eu.indices->pvMinMax;
}

TEST(FastSimulationTest, ALoopWhoseValuesRunOutOfRangeHasNoIndices) {
    Plant p;
    p.Loop(1, 50);
    p.Loop(2, 50);
    // A diverging plant, as a formula feeding itself would make it.
    int cycle = 0;
    p.SpyAfterControllers([&] { p.sim.mem[21] = ++cycle % 2 ? 1e308 : -1e308; });
    const FastSimulationResult r = RunFastSimulation(p.sim, Options(1800, 1.0));
    EXPECT_FALSE(r.line.loop(1).indices);
    EXPECT_EQ(r.line.loop(1).indexOutOfRange, 0) << "the variability overflows";
    EXPECT_EQ(LoopOutOfRange(r.line), 1);
    EXPECT_EQ(OutOfRangeText(r.line, 1, true),
              "the index \"Variability\" of loop 1 is out of range (not finite, or 1e13 or more)");
    EXPECT_EQ(OutOfRangeText(r.line, 1, false),
              "o índice \"Variabilidade\" da malha 1 está fora da faixa (não é finito, ou chega a 1e13)");
    EXPECT_TRUE(r.line.loop(2).indices);
    EXPECT_EQ(OutOfRangeText(r.line, 2, true), "");
}

TEST(FastSimulationTest, AnArchiveThatCannotBeCreatedStopsTheRunBeforeThePlantMoves) {
    Plant p;
    Controller& c = p.Loop(1, 50);
    p.sim.mem[21] = 42;
    p.sim.state.T = 0.1;
    const std::vector<double> before(p.sim.mem.data(), p.sim.mem.data() + kNumVariables + 1);
    const int position = c.trend.position();
    TempDir dir;
    FastSimulationOptions op = Options(1800, 0.5);
    op.writeArchive = true;
    op.folder = dir.path() / "falta";
    op.signal = TestSignal::SetpointStep;
    const FastSimulationResult r = RunFastSimulation(p.sim, op);
    EXPECT_FALSE(r.ran);
    ASSERT_TRUE(r.archiveError);
    EXPECT_NE(std::string(r.archiveError->what()).find("Cannot create"), std::string::npos);
    EXPECT_EQ(std::vector<double>(p.sim.mem.data(), p.sim.mem.data() + kNumVariables + 1), before);
    EXPECT_DOUBLE_EQ(c.state.SP, 50);
    EXPECT_EQ(c.trend.position(), position);
    EXPECT_DOUBLE_EQ(p.sim.state.T, 0.1);
    EXPECT_FALSE(p.sim.state.fastMode);
}

TEST(FastSimulationTest, AFailedArchiveWriteStillCompletesTheRun) {
    Plant p;
    p.Loop(1, 50);
    TempDir dir;
    FastSimulationOptions op = Options(1800, 1.0);
    op.writeArchive = true;
    op.folder = dir.path();
    FastSimulationResult r;
    {
        const test::FileSizeLimit limit(100000);
        r = RunFastSimulation(p.sim, op);
    }
    EXPECT_TRUE(r.ran);
    EXPECT_EQ(r.cycles, 1800);
    EXPECT_TRUE(r.file.empty());
    ASSERT_TRUE(r.archiveError);
    EXPECT_NE(std::string(r.archiveError->what()).find("Cannot write"), std::string::npos);
    EXPECT_TRUE(r.line.loop(1).indices);
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(FastSimulationTest, AmplitudeMustBeAnInteger) {
    const struct {
        const char* text;
        bool ok;
        int value;
    } cases[] = {{"10", true, 10}, {" -5 ", true, -5}, {"+3", true, 3}, {"1.5", false, 0},
                 {"10a", false, 0}, {"", false, 0},    {"1e3", false, 0}, {"99999999999", false, 0}};
    for (const auto& c : cases) {
        int a = 0;
        EXPECT_EQ(ReadAmplitude(c.text, a), c.ok) << '"' << c.text << '"';
        if (c.ok) {
            EXPECT_EQ(a, c.value) << c.text;
        }
    }
}

}  // namespace
}  // namespace kivo
