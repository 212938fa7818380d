#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "../project/TempDir.h"
#include "Helpers.h"
#include "core/NumberText.h"
#include "fastsim/History.h"
#include "fastsim/FastSimulation.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;
using test::Plant;

// The numbers of an index text ("12.34 %" holds one, " 40.0/ 60.0" two).
std::vector<double> Numbers(std::string_view t) {
    std::vector<double> r;
    for (std::size_t i = 0; i < t.size();) {
        const std::size_t end = t.find('/', i);
        r.push_back(ParseReal(t.substr(i, end == std::string_view::npos ? end : end - i)));
        if (end == std::string_view::npos) break;
        i = end + 1;
    }
    return r;
}

// The archive holds every value with two decimals.
void ExpectSeriesNear(const std::vector<double>& readBack, const std::vector<double>& simulated, const char* which) {
    ASSERT_EQ(readBack.size(), simulated.size()) << which;
    for (std::size_t i = 0; i < readBack.size(); ++i) ASSERT_NEAR(readBack[i], simulated[i], 0.005 + 1e-9) << which << " " << i;
}

// Two loops with a setpoint step, 30 min at 100 ms, archived.
struct FastRun {
    Plant p;
    TempDir dir;
    FastSimulationResult r;

    explicit FastRun(bool normalise) {
        p.Loop(1, 40);
        p.Loop(2, 55);
        p.sim.mem.setUnit(21, "kg/h");
        p.sim.mem.setEuMin(21, "0");
        p.sim.mem.setEuMax(21, "500");
        p.sim.mem.setUnit(22, "°C");
        p.sim.mem.setEuMin(22, "-20");
        p.sim.mem.setEuMax(22, "80");
        FastSimulationOptions op;
        op.signal = TestSignal::SetpointStep;
        op.normalise = normalise;
        op.writeArchive = true;
        op.folder = dir.path();
        r = RunFastSimulation(p.sim, op);
    }
};

// The archive keeps two decimals, so an index read back may differ from the
// run's in its last digit; the texts are otherwise the same, unit included.
TEST(HistoryTest, AnArchiveReadBackGivesTheIndicesOfTheRun) {
    for (bool normalise : {true, false}) {
        FastRun e(normalise);
        ASSERT_FALSE(e.r.file.empty());
        const PerformanceRow h = LoadHistory(e.p.sim, e.r.file, normalise);
        EXPECT_TRUE(h.hasIndices);
        for (int n : {1, 2}) {
            const LoopPerformance& readBack = h.loop(n);
            const LoopPerformance& simulated = e.r.line.loop(n);
            EXPECT_EQ(readBack.series.pv.size(), 1800u) << "30 min: 1800 lines, 1800 points";
            EXPECT_EQ(readBack.unit, simulated.unit);
            ASSERT_TRUE(readBack.indices && simulated.indices);
            const auto a = IndexTexts(*readBack.indices);
            const auto b = IndexTexts(*simulated.indices);
            for (std::size_t i = 0; i < a.size(); ++i) {
                const std::string where = "loop " + std::to_string(n) + ", " + std::string(IndexCaptions(false)[i]) +
                                         (normalise ? "" : " (EU)") + ": " + std::string(a[i]) + " / " +
                                         std::string(b[i]);
                EXPECT_EQ(a[i].size(), b[i].size()) << where;
                EXPECT_EQ(a[i].substr(a[i].find_last_of("0123456789") + 1),
                          b[i].substr(b[i].find_last_of("0123456789") + 1))
                    << where;
                const auto x = Numbers(a[i]);
                const auto y = Numbers(b[i]);
                ASSERT_EQ(x.size(), y.size()) << where;
                for (std::size_t k = 0; k < x.size(); ++k) EXPECT_NEAR(x[k], y[k], 0.0100001) << where;
            }
        }
        if (!normalise) {
            EXPECT_EQ(h.loop(2).indices->meanError.substr(5), " °C");
        }
    }
}

TEST(HistoryTest, TheArchiveIsReadWithTheControllersAsTheyAreNow) {
    FastRun e(true);
    // Loop 1 now reads M22, loop 2 is gone, loop 3 appears reading M21.
    e.p.controller(1).VariableSelect = 21;
    e.p.sim.controllers.Erase(2);
    Controller& c3 = e.p.Loop(3, 10);
    c3.VariableSelect = 20;
    e.p.sim.mem.setUnit(21, "t/h");
    const PerformanceRow h = LoadHistory(e.p.sim, e.r.file, true);

    EXPECT_EQ(h.loop(1).pvAddress, 22);
    ExpectSeriesNear(h.loop(1).series.pv, e.r.line.loop(2).series.pv, "PV from the column of M22");
    ExpectSeriesNear(h.loop(1).series.co, e.r.line.loop(1).series.co, "CO from field 1");
    EXPECT_FALSE(h.loop(2).active);
    EXPECT_TRUE(h.loop(3).active);
    EXPECT_EQ(h.loop(3).unit, "t/h") << "the unit as the table holds it now";
    ExpectSeriesNear(h.loop(3).series.pv, e.r.line.loop(1).series.pv, "PV of loop 3 from M21");
    for (double co : h.loop(3).series.co) ASSERT_EQ(co, 0) << "M3 was never written";
}

TEST(HistoryTest, AFailedLoadThrowsAndReportsTheLine) {
    FastRun e(true);
    std::string bytes = test::ReadAll(e.r.file);
    bytes.resize(bytes.size() / 2);
    const fs::path truncated = e.dir.path() / "cortado.txd";
    test::WriteAll(truncated, bytes);
    try {
        LoadHistory(e.p.sim, truncated, true);
        FAIL();
    } catch (const TxdError& err) {
        EXPECT_GT(err.line(), 800);
        EXPECT_LT(err.line(), 1000);
    }
}

// An archive whose numbers make an index overflow (or print as a 300-digit
// number) is an error of the archive, named with the loop and the index; a
// huge value in a column no loop reads is no concern of the indices.
TEST(HistoryTest, AnIndexOutOfRangeIsAnErrorOfTheArchive) {
    FastRun e(true);
    const std::string bytes = test::ReadAll(e.r.file);
    const std::size_t line2 = bytes.find("\r\n") + 2;
    const std::size_t line3 = bytes.find("\r\n", line2) + 2;
    // Field k (from 1) of data line 1 replaced.
    auto replaceField = [&](int k, const std::string& value) {
        std::size_t start = line2;
        for (int i = 1; i < k; ++i) start = bytes.find(';', start) + 1;
        std::string r = bytes;
        r.replace(start, bytes.find(';', start) - start, value);
        EXPECT_LT(start, line3);
        return r;
    };
    const std::string nines(300, '9');
    const struct {
        const char* testCase;
        int field;
        const char* value;
        const char* pt;  // nullptr: read without error
        const char* en;
    } cases[] = {
        {"PV of loop 1 overflows", 21, "1e308", "o índice \"Variabilidade\" da malha 1 está fora da faixa",
         "the index \"Variability\" of loop 1 is out of range"},
        {"SP of loop 2 of 300 digits", 62, nines.c_str(), "\"Integral Erro Médio(IEM)\" da malha 2",
         "\"Int Average Error\" of loop 2"},
        {"column of no loop", 50, "1e308", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        const fs::path p = e.dir.path() / "fora.txd";
        test::WriteAll(p, replaceField(c.field, c.value));
        try {
            const PerformanceRow h = LoadHistory(e.p.sim, p, true);
            EXPECT_FALSE(c.pt) << c.testCase << ": read without error";
            EXPECT_TRUE(h.loop(1).indices && h.loop(2).indices) << c.testCase;
        } catch (const TxdError& err) {
            ASSERT_TRUE(c.pt) << c.testCase << ": " << err.what();
            const std::string where = "\"" + p.string() + "\": ";
            EXPECT_EQ(err.Message(false).find("Erro de leitura em " + where), 0u) << err.Message(false);
            EXPECT_NE(err.Message(false).find(c.pt), std::string::npos) << err.Message(false);
            EXPECT_EQ(std::string(err.what()).find("Read error in " + where), 0u) << err.what();
            EXPECT_NE(std::string(err.what()).find(c.en), std::string::npos) << err.what();
        }
    }
}

}  // namespace
}  // namespace kivo
