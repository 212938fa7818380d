// The trend recorder as the cycle steps it, without any window: sampling at
// the end of every real-time tick (and not in runs without display), the
// time base and pause, legends, the data log, and the apply of a load.
#include "project/RecorderSampler.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "Helpers.h"
#include "../support/AllocationCounter.h"
#include "TempDir.h"
#include "project/Project.h"

namespace kivo {
namespace {

class Recorder : public ::testing::Test {
protected:
    Recorder() : r(p.CreateRecorder(1)), a(r.sampler()) {
        Memory& mem = p.sim.mem;
        mem.setEuMin(21, "0");
        mem.setEuMax(21, "200");
        mem.setUnit(21, "°C");
        r.TagText = "TIC1";
        r.Variable1Select = 20;  // M21
        r.Variable3Select = 0;   // M1
        r.UpdateRecorder();
        mem[21] = 40;
        mem[1] = 12.5;
    }
    void Ticks(int n) {
        for (int i = 0; i < n; ++i) p.sim.Tick(++tick_ * 100.0L);
    }

    Project p;
    RecorderData& r;
    RecorderSampler& a;

private:
    long long tick_ = 0;
};

TEST_F(Recorder, SamplesAtTheEndOfEveryTick) {
    // A block written in the same tick is seen: recorders come last.
    Block& b = p.CreateBlock(1);
    b.FunctionText = "30";
    b.ValidateParameters(false);
    r.Variable2Select = 40;  // M41, the block's output
    Ticks(1);
    EXPECT_EQ(a.position(), 1);
    EXPECT_EQ(a.History1(449), 40);
    EXPECT_EQ(a.Point(RecorderSampler::Curve1, 449), 80);
    EXPECT_EQ(a.Point(RecorderSampler::Curve2, 449), 60);
    EXPECT_EQ(a.Point(RecorderSampler::Curve3, 449), 25);
    // Legends: variable 2 in variable 1's range and unit.
    EXPECT_EQ(a.caption(RecorderSampler::Curve1), "PV: 80.00 °C");
    EXPECT_EQ(a.caption(RecorderSampler::Curve2), "SP: 60.00 °C");
    EXPECT_EQ(a.caption(RecorderSampler::Curve3), "MV: 12.50%");

    r.Variable3Select = RecorderSampler::kNone;
    Ticks(1);
    EXPECT_FALSE(a.hasCaption(RecorderSampler::Curve3));
    EXPECT_EQ(a.caption(RecorderSampler::Curve3), "");
}

TEST_F(Recorder, SamplingAllocatesNothing) {
    r.Variable2Select = 21;
    std::uint64_t allocations = 0;
    for (int i = 0; i < 500; ++i) allocations += testing::AllocationsOf([this] { Ticks(1); });
    EXPECT_EQ(a.position(), 50);
    EXPECT_EQ(allocations, 0u);
}

TEST_F(Recorder, TimeBaseAndPauseDecideTheSamples) {
    struct Case {
        int base;
        bool paused;
        int ticks, samples;
    };
    for (const Case& c : {Case{0, false, 10, 10}, Case{1, false, 10, 3}, Case{2, false, 45, 2}, Case{0, true, 10, 0}}) {
        Project other;
        RecorderData& d = other.CreateRecorder(3);
        d.TimeBaseBox = c.base;
        d.sampler().paused = c.paused;
        for (int i = 1; i <= c.ticks; ++i) other.sim.Tick(i * 100.0L);
        EXPECT_EQ(d.sampler().position(), c.samples) << "base " << c.base << (c.paused ? ", paused" : "");
    }
}

TEST_F(Recorder, RunsWithoutDisplayDoNotSample) {
    p.sim.RunWithoutDisplay(50, 0.1, [](long long) {}, [](long long) { return true; });
    EXPECT_EQ(a.position(), 0);
}

TEST_F(Recorder, LogsEverySampleFromTheCycle) {
    TempDir dir;
    a.UseEU = true;
    a.UseComma = true;
    ASSERT_TRUE(a.StartLog(dir.path()));
    EXPECT_TRUE(a.isLogging());
    Ticks(2);
    EXPECT_EQ(a.StopLog(), "TIC1_1.txt");
    EXPECT_FALSE(a.isLogging());
    std::ifstream f(dir.path() / "TIC1_1.txt", std::ios::binary);
    const std::string contents(std::istreambuf_iterator<char>(f), {});
    // Variable 2 is none: its engineering value is variable 1's minimum.
    EXPECT_EQ(contents, "Tempo (0.100 seg);PV;SP;MV\r\n0,00;80,00;0,00;12,50\r\n0,10;80,00;0,00;12,50\r\n");
}

TEST(LoadedRecorder, LoadAppliesTheRecorder) {
    Project p;
    const LoadResult res = ReadProjectBytes(p, test::ReadFixture("complete.smp"), "complete.smp");
    ASSERT_TRUE(res.ok) << res.error;
    // Recorder 2 draws M22, -20..120 °C in the file's variable table.
    const RecorderSampler& a = p.recorder(2)->sampler();
    EXPECT_EQ(a.unit(), "°C");
    EXPECT_EQ(a.topEU(), 120);
    EXPECT_EQ(a.baseEU(), -20);
    EXPECT_EQ(a.scaleLabels()[0], "106");
}

}  // namespace
}  // namespace kivo
