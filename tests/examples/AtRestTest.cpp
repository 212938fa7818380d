// Every example plant opened and left alone: it was saved at rest, so it
// must continue where it was saved, without a bump. Each loop's PV, averaged
// over a sliding minute (measurement noise and a stiction cycle average
// out), stays within 1 % of span of the PV the file holds for ten minutes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "Examples.h"
#include "core/NumberText.h"
#include "project/ProjectFile.h"

namespace kivo {
namespace {

constexpr double kT = 0.1;         // s, the real-time step
constexpr double kDuration = 600;  // s left alone
constexpr double kWindow = 60;     // s averaged
constexpr double kTolerance = 1;   // % of span

class AtRest : public testing::TestWithParam<Case> {};

TEST_P(AtRest, OpenedAndLeftAloneStaysWhereItWasSaved) {
    const Case& c = GetParam();
    Project p;
    const LoadResult r = ReadProject(p, Folder(c) / c.file, LoadOptions{true, nullptr});
    ASSERT_TRUE(r.ok) << r.error;

    struct Loop {
        const Controller* c;
        double savedPv;            // the PV the controller saw when the plant was saved
        std::vector<double> pv;    // every cycle
    };
    std::vector<Loop> loops;
    for (int n = 1; n <= 10; ++n)
        if (const Controller* ctl = p.controller(n)) loops.push_back({ctl, ctl->state.PrevPV, {}});
    ASSERT_FALSE(loops.empty());

    const auto N = static_cast<long long>(std::llround(kDuration / kT));
    p.sim.RunWithoutDisplay(
        N, kT, [](long long) {},
        [&](long long) {
            for (Loop& m : loops) m.pv.push_back(p.sim.mem[m.c->pvAddress()]);
            return true;
        });

    const auto window = static_cast<std::size_t>(std::llround(kWindow / kT));
    for (const Loop& m : loops) {
        ASSERT_EQ(m.pv.size(), static_cast<std::size_t>(N));
        // The worst mean of any minute of the run, by a running sum.
        double sum = 0;
        double worst = 0;
        for (std::size_t i = 0; i < m.pv.size(); ++i) {
            sum += m.pv[i];
            if (i >= window) sum -= m.pv[i - window];
            if (i + 1 >= window) {
                const double deviation = sum / static_cast<double>(window) - m.savedPv;
                if (std::fabs(deviation) > std::fabs(worst)) worst = deviation;
            }
        }
        RecordProperty(m.c->TagText, FormatFixed(worst, 1, 3));
        EXPECT_LE(std::fabs(worst), kTolerance)
            << m.c->TagText << ": a minute's mean PV " << FormatFixed(m.savedPv + worst, 1, 2)
            << " % against " << FormatFixed(m.savedPv, 1, 2) << " % saved";
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, AtRest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& i) { return std::string(i.param.name); });

}  // namespace
}  // namespace kivo
