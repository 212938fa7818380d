#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>

#include "../project/TempDir.h"
#include "Plants.h"
#include "fastsim/TxdArchive.h"
#include "objects/Trend.h"
#include "tuning/Identification.h"
#include "tuning/StepSeries.h"

namespace kivo {
namespace {

using tuning::StepSeries;

StepSeries Series(int n, const std::function<double(int)>& mv, const std::function<double(int)>& pv) {
    StepSeries s;
    for (int i = 0; i < n; ++i) s.Add(0.1 * i, mv(i), pv(i));
    return s;
}

// A first-order response to a step of 10 at sample 20.
double Response(int i) { return i < 22 ? 50 : 50 + 10 * (1 - std::exp(-(i - 22) / 30.0)); }

// That step test with its times rewritten.
StepSeries WithTimes(const std::function<void(std::vector<double>&)>& change) {
    StepSeries s = Series(300, [](int i) { return i < 20 ? 40.0 : 50.0; }, Response);
    change(s.t);
    return s;
}

TEST(StepSeriesTest, BadSeriesAreRefusedWithTheReason) {
    const struct {
        const char* testCase;
        StepSeries series;
        const char* reason;
    } cases[] = {
        {"too short", Series(10, [](int i) { return i < 5 ? 40.0 : 50.0; }, Response), "too short"},
        {"no step", Series(300, [](int) { return 40.0; }, Response), "no MV step"},
        {"step too small", Series(300, [](int i) { return i < 20 ? 40.0 : 40.3; }, Response), "no MV step"},
        {"automatic", Series(300, [](int i) { return 40 + 5 * std::sin(i / 7.0); }, Response), "automatic"},
        {"constant PV", Series(300, [](int i) { return i < 20 ? 40.0 : 50.0; }, [](int) { return 50.0; }),
         "does not respond"},
        {"step at the start", Series(300, [](int i) { return i < 1 ? 40.0 : 50.0; }, Response), "before the step"},
        {"step at the end", Series(300, [](int i) { return i < 290 ? 40.0 : 50.0; }, Response), "after the step"},
        // Times a hand or a damaged file made.
        {"sampled faster than 1 ms", WithTimes([](auto& t) { for (double& x : t) x *= 1e-3; }), "lies outside 0.001 to 3600 s"},
        {"one gap", WithTimes([](auto& t) { for (std::size_t i = 200; i < t.size(); ++i) t[i] += 1; }),
         "not evenly sampled: from sample 200 to 201"},
        {"longer than a week", WithTimes([](auto& t) { for (double& x : t) x *= 3e4; }), "more than 604800 s"},
        {"PV at the end of its span at once", Series(300, [](int i) { return i < 20 ? 40.0 : 50.0; },
                                                     [](int i) { return i < 25 ? 95.0 : 100.0; }),
         "end of its span"},
    };
    for (const auto& c : cases) {
        try {
            tuning::Identify(c.series);
            ADD_FAILURE() << c.testCase << ": fitted";
        } catch (const tuning::TuningError& e) {
            EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << c.testCase << ": " << e.what();
            EXPECT_FALSE(e.Message(false).empty());
        }
    }
}

TEST(StepSeriesTest, ClampedSamplesAreLeftOutOfTheFit) {
    // A tank drained empty: the level stays at 0 from sample 147 on, which
    // says nothing of the process.
    const StepSeries s = Series(
        300, [](int i) { return i < 20 ? 50.0 : 60.0; }, [](int i) { return std::max(0.0, 50 - 0.4 * std::max(0, i - 22)); });
    const tuning::Step st = tuning::FindStep(s);
    EXPECT_TRUE(st.clamped);
    EXPECT_EQ(st.last, 300u);
    const auto id = tuning::Identify(s);
    EXPECT_EQ(id.best, tuning::ModelKind::Ipdt);
    EXPECT_NEAR(id.bestFit().model.K, -0.4 / 0.1 / 10, 1e-3);
    EXPECT_EQ(id.bestFit().samples, 147u);

    // A step marked by hand, the window cut earlier: the same model.
    tuning::Step checked = st;
    checked.last = 100;
    EXPECT_NEAR(tuning::Identify(s, checked).bestFit().model.K, -0.4, 1e-3);
    checked.last = checked.index + 3;
    EXPECT_THROW(tuning::Identify(s, checked), tuning::TuningError);
}

TEST(StepSeriesTest, ReadsEveryKindOfFile) {
    TempDir dir;
    auto write = [&](const char* name, const std::string& text) {
        std::ofstream(dir.path() / name, std::ios::binary) << text;
        return dir.path() / name;
    };
    // A faceplate log with decimal commas, a recorder log whose MV is curve
    // 1, and the bump test's CSV with its columns in another order.
    const auto panel = write("FIC1_1.txt", "Tempo (0.100 seg);PV;SP;MV\r\n0,10;45,20;50,00;40,00\r\n0,20;45,30;50,00;50,00\r\n");
    const auto recorder =
        write("REG_1.txt", "Tempo (0.334 seg);MV;SP;PV\r\n0.33;40.00;50.00;45.20\r\n0.67;50.00;50.00;45.30\r\n");
    const auto csv = write("bump.csv", "t,PV,MV,SP\n0.1,45.2,40,50\n0.2,45.3,50,50\n");
    for (const auto& f : {panel, recorder, csv}) {
        const StepSeries s = tuning::ReadSeries(f);
        ASSERT_EQ(s.size(), 2u) << f;
        EXPECT_DOUBLE_EQ(s.mv[0], 40) << f;
        EXPECT_DOUBLE_EQ(s.mv[1], 50) << f;
        EXPECT_DOUBLE_EQ(s.pv[1], 45.3) << f;
    }
    EXPECT_EQ(tuning::FormatOf(panel), tuning::SeriesFormat::FaceplateLog);
    EXPECT_EQ(tuning::FormatOf(recorder), tuning::SeriesFormat::RecorderLog);

    const struct {
        const char* testCase;
        std::string text;
        const char* reason;
    } ruins[] = {
        {"not a number", "t,MV,PV\n0.1,40,abc\n", "line 2: a field is not a number"},
        {"missing column", "t,MV\n0.1,40\n", "must name the columns"},
        {"time backwards", "t,MV,PV\n0.2,40,45\n0.1,40,45\n", "line 3: the time does not increase"},
        {"short line", "Tempo (0.100 seg);PV;SP;MV\n0.1;45;50\n", "line 2: the line has too few fields"},
        {"value beyond any span", "t,MV,PV\n0.1,40,45\n0.2,40,-2e6\n", "line 3: the value -2e+06 lies beyond ±1000000 %"},
    };
    for (const auto& r : ruins) {
        try {
            tuning::ReadSeries(write("ruim.csv", r.text));
            ADD_FAILURE() << r.testCase;
        } catch (const tuning::TuningError& e) {
            EXPECT_NE(std::string(e.what()).find(r.reason), std::string::npos) << r.testCase << ": " << e.what();
        }
    }
    EXPECT_THROW(tuning::ReadSeries(dir.path() / "missing.csv"), tuning::TuningError);

    // An archive: one line per simulated second, MV and PV from the
    // addresses given.
    Simulation sim;
    {
        TxdWriter w(dir.path(), "ensaio", sim.mem, 0.1, 3);
        for (int j = 1; j <= 3; ++j) {
            sim.mem[1] = 40 + j;
            sim.mem[21] = 50 + j;
            w.Row(sim.mem);
        }
        w.Finish();
    }
    const StepSeries txd = tuning::ReadSeries(dir.path() / "ensaio_1.txd", 1, 21);
    ASSERT_EQ(txd.size(), 3u);
    EXPECT_DOUBLE_EQ(txd.t[2], 3);
    EXPECT_DOUBLE_EQ(txd.mv[2], 43);
    EXPECT_DOUBLE_EQ(txd.pv[0], 51);
    EXPECT_THROW(tuning::ReadSeries(write("a.txd", "x"), 0, 0), tuning::TuningError);
    // A PV beyond any span in an archive: refused at its time.
    {
        TxdWriter w(dir.path(), "fora", sim.mem, 0.1, 3);
        for (int j = 1; j <= 3; ++j) {
            sim.mem[21] = j == 2 ? 2e6 : 50;
            w.Row(sim.mem);
        }
        w.Finish();
    }
    try {
        tuning::ReadSeries(dir.path() / "fora_1.txd", 1, 21);
        ADD_FAILURE() << "archive read";
    } catch (const tuning::TuningError& e) {
        EXPECT_NE(std::string(e.what()).find("at t = 2 s: the value 2e+06 lies beyond ±1000000 %"), std::string::npos)
            << e.what();
    }
}

TEST(StepSeriesTest, FaceplateTrendHistoryHoldsOnlyTheSamplesTaken) {
    ControllerTrend t;
    for (int i = 0; i < 100; ++i) t.Sample(50 + (i >= 40 ? 5 : 0), 50, i >= 30 ? 45.3 : 40, 0);
    const StepSeries s = tuning::SeriesFromTrend(t, 0.3);
    ASSERT_EQ(s.size(), 100u);
    EXPECT_DOUBLE_EQ(s.t[1], 0.3);
    EXPECT_DOUBLE_EQ(s.mv[0], 40);
    EXPECT_DOUBLE_EQ(s.mv[99], 45.5);  // as drawn: 0.5 % steps
    EXPECT_DOUBLE_EQ(s.pv[99], 55);
}

}  // namespace
}  // namespace kivo
