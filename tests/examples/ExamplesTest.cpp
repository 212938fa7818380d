// Every example plant, run headless: it loads without a validation message in
// both languages, its picture and markers fit together, and an hour of plant
// time with a 10 % setpoint step leaves every variable finite and every
// automatic loop at its setpoint. Past its first second, its cycle makes no
// heap allocation.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../support/AllocationCounter.h"
#include "core/NumberText.h"
#include "core/Record.h"
#include "Examples.h"
#include "project/ProjectFile.h"
#include "project/TextFile.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;

constexpr double kDuration = 3600;    // plant time of the run, s
constexpr double kStep = 10;          // setpoint step, % of span
constexpr double kTolerance = 2;      // % of span
constexpr double kFinalWindow = 300;  // s averaged at the end of the run

// Width and height of a 24-bit uncompressed BMP file, or 0 x 0.
std::pair<int, int> BmpSize(const fs::path& file) {
    std::ifstream f(file, std::ios::binary);
    std::string b(54, '\0');
    if (!f.read(b.data(), 54) || b.compare(0, 2, "BM") != 0) return {0, 0};
    auto u = [&](std::size_t i, int n) {
        std::uint32_t v = 0;
        for (int k = n - 1; k >= 0; --k) v = v << 8 | static_cast<std::uint8_t>(b[i + static_cast<std::size_t>(k)]);
        return v;
    };
    const auto w = static_cast<std::int32_t>(u(18, 4));
    const auto h = static_cast<std::int32_t>(u(22, 4));
    if (u(28, 2) != 24 || u(30, 4) != 0) return {0, 0};
    const std::uint64_t line = (static_cast<std::uint64_t>(w) * 3 + 3) & ~3ull;
    if (fs::file_size(file) < 54 + line * static_cast<std::uint64_t>(std::abs(h))) return {0, 0};
    return {w, std::abs(h)};
}

void CheckLoad(const Case& c) {
    for (bool english : {false, true}) {
        Project p(english);
        const LoadResult r = ReadProject(p, Folder(c) / c.file, LoadOptions{true, nullptr});
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_TRUE(r.messages.empty()) << r.messages.front();
        EXPECT_FALSE(p.comments.empty()) << (english ? "English" : "Portuguese") << " comments";
        EXPECT_EQ(p.title.find('|'), std::string::npos) << "title not split: " << p.title;
        // Opened and saved unchanged, in either language, the file comes
        // back byte for byte: both halves of every text, both comment blocks.
        EXPECT_TRUE(JoinLines(ProjectLines(p)) == ReadBytes(Folder(c) / c.file))
            << "re-saved in " << (english ? "English" : "Portuguese") << " differs";
    }
}

// The markers are the plant's handles: each must lie on the picture, and no
// two object markers may cover each other.
void CheckMarkers(const Case& c) {
    Project p;
    ASSERT_TRUE(ReadProject(p, Folder(c) / c.file, LoadOptions{true, nullptr}).ok);
    ASSERT_FALSE(p.image.empty());
    const auto [w, h] = BmpSize(Folder(c) / p.image);
    ASSERT_GT(w, 0) << p.image << " is not a 24-bit BMP picture";
    const fs::path thumbnail = Folder(c) / (fs::path(c.file).stem().string() + "_thumb.bmp");
    EXPECT_GT(BmpSize(thumbnail).first, 0) << thumbnail;

    struct Box {
        std::string name;
        int x, y, w, h;
    };
    std::vector<Box> boxes;
    auto mark = [&](const std::string& name, const Marker& m) {
        if (m.shown) boxes.push_back({name, m.left, m.top, 79, 22});
    };
    for (int n = 1; n <= 10; ++n) {
        if (p.controller(n)) mark("controller " + std::to_string(n), p.markers.controllers[n - 1]);
        if (p.recorder(n)) mark("recorder " + std::to_string(n), p.markers.recorders[n - 1]);
    }
    for (int n = 1; n <= 24; ++n) {
        if (p.process(n)) mark("process " + std::to_string(n), p.markers.processes[n - 1]);
        if (p.block(n)) mark("block " + std::to_string(n), p.markers.blocks[n - 1]);
    }
    for (const Box& a : boxes) {
        EXPECT_TRUE(a.x >= 0 && a.y >= 0 && a.x + a.w <= w && a.y + a.h <= h) << a.name << " off the picture";
        for (const Box& b : boxes) {
            if (&a < &b) {
                EXPECT_FALSE(a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h)
                    << a.name << " covers " << b.name;
            }
        }
    }
    for (int n = 1; n <= 20; ++n) {
        if (!p.text(n)) continue;
        const Marker& m = p.markers.texts[n - 1];
        // The description label sits 13 pixels above the value.
        EXPECT_TRUE(m.left >= 0 && m.top >= 13 && m.left < w && m.top < h) << "text " << n;
    }
    // The configuration dialog takes at most 15 characters of a button's
    // description and 16 of each state text, in either language.
    for (const Button& b : p.buttons) {
        if (!b.enabled) continue;
        for (bool english : {false, true}) {
            EXPECT_LE(NumCharacters(PairText(b.description, english)), 15u) << b.description;
            EXPECT_LE(NumCharacters(PairText(b.zeroText, english)), 16u) << b.zeroText;
            EXPECT_LE(NumCharacters(PairText(b.oneText, english)), 16u) << b.oneText;
        }
    }
    for (const Track& t : p.tracks) {
        if (t.enabled) {
            EXPECT_TRUE(t.left >= 0 && t.top >= 0 && t.left < w && t.top < h) << "track " << t.label;
        }
    }
}

// An hour of plant time at the step T, with the setpoint step of the fast
// simulation (every controller, a tenth into the run).
void CheckRun(const Case& c, double T) {
    Project p;
    ASSERT_TRUE(ReadProject(p, Folder(c) / c.file, LoadOptions{true, nullptr}).ok);

    struct Loop {
        Controller* c;
        double initialPv = 0;
        double cyclesAtLimit = 0;
        double finalError = 0;  // summed over the final window
    };
    std::vector<Loop> loops;
    for (int n = 1; n <= 10; ++n)
        // The PV the controller saw when the plant was saved.
        if (Controller* ctl = p.controller(n)) loops.push_back({ctl, ctl->state.PrevPV});

    const auto N = static_cast<long long>(std::llround(kDuration / T));
    const auto finalWindowStart = N - static_cast<long long>(std::llround(kFinalWindow / T));
    bool step = false;
    std::string nonFinite;
    p.sim.RunWithoutDisplay(
        N, T,
        [&](long long h) {
            if (step || Round(100.0 * static_cast<double>(h) / static_cast<double>(N)) <= 10) return;
            step = true;
            // Before the step the plant has run six minutes from the state it
            // was saved in: it must be where it was left.
            for (Loop& m : loops) {
                const ControllerState& e = m.c->state;
                const double pv = p.sim.mem[m.c->pvAddress()];
                if (e.autoMode) {
                    EXPECT_NEAR(pv, e.SP, kTolerance) << m.c->TagText << " not at its setpoint before the step";
                } else {
                    EXPECT_NEAR(pv, m.initialPv, kTolerance) << m.c->TagText << " (manual) drifted";
                }
                m.c->state.SP += kStep;
            }
        },
        [&](long long h) {
            for (int k = 1; k <= kNumVariables && nonFinite.empty(); ++k)
                if (!std::isfinite(p.sim.mem[k])) nonFinite = VariableName(k) + " at cycle " + std::to_string(h);
            for (Loop& m : loops) {
                const ControllerState& e = m.c->state;
                if (e.MV <= m.c->COmin() || e.MV >= m.c->COmax()) m.cyclesAtLimit += 1;
                if (h >= finalWindowStart) m.finalError += p.sim.mem[m.c->pvAddress()] - e.SP;
            }
            return nonFinite.empty();
        });
    ASSERT_TRUE(nonFinite.empty()) << nonFinite << " is not finite";

    for (const Loop& m : loops) {
        const std::string& tag = m.c->TagText;
        const bool maySaturate = std::find(c.saturating.begin(), c.saturating.end(), tag) != c.saturating.end();
        if (!maySaturate) {
            EXPECT_LT(m.cyclesAtLimit / static_cast<double>(N), 0.5) << tag << " sat at an output limit";
        }
        // The mean over the final minutes: a loop that cycles around its
        // setpoint by design, or carries measurement noise, passes; an offset
        // or a drift does not.
        if (m.c->state.autoMode) {
            EXPECT_NEAR(m.finalError / static_cast<double>(N - finalWindowStart), 0, kTolerance)
                << tag << " ends away from its setpoint";
        }
    }
}

// The real-time cycle runs ten times a second for hours: past the first
// second (which records the formulas' first sign patterns), it must not touch
// the heap, also while the loops move after a setpoint step.
void CheckAllocations(const Case& c) {
    Project p;
    ASSERT_TRUE(ReadProject(p, Folder(c) / c.file, LoadOptions{true, nullptr}).ok);
    constexpr long long kFirstSecond = 10;
    constexpr long long kCycles = 18000;  // 30 min
    constexpr long long kStepAt = 1800;
    long double current = 0;
    auto tick = [&] {
        current += p.sim.state.timerPeriod;
        p.sim.Tick(current);
    };
    for (long long i = 0; i < kFirstSecond; ++i) tick();
    std::uint64_t allocations = 0;
    for (long long i = 0; i < kCycles; ++i) {
        if (i == kStepAt) {
            for (int n = 1; n <= 10; ++n)
                if (Controller* ctl = p.controller(n)) ctl->state.SP += kStep;
        }
        allocations += testing::AllocationsOf(tick);
    }
    EXPECT_EQ(allocations, 0u) << static_cast<double>(allocations) / kCycles << " per cycle";
}

class Example : public ::testing::TestWithParam<Case> {};

TEST_P(Example, LoadsFitsItsPictureAndSettles) {
    const Case& c = GetParam();
    {
        SCOPED_TRACE("loading");
        CheckLoad(c);
    }
    {
        SCOPED_TRACE("picture and markers");
        CheckMarkers(c);
    }
    // The real-time step, and the step the fast simulation pairs with an
    // hour's window.
    for (double T : {0.1, 0.2}) {
        SCOPED_TRACE("an hour with a setpoint step, T = " + FormatFixed(T, 1, 1) + " s");
        CheckRun(c, T);
    }
}

TEST_P(Example, SteadyCycleAllocatesNothing) { CheckAllocations(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Examples, Example, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& i) { return std::string(i.param.name); });

}  // namespace
}  // namespace kivo
