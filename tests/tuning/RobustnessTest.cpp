#include <gtest/gtest.h>

#include <cmath>

#include "tuning/Robustness.h"

namespace kivo {
namespace {

using tuning::ModelKind;
using tuning::ProcessModel;

tuning::Setting Pi(double kc, double ti) {
    tuning::Setting s;
    s.action = ti > 0 ? tuning::Action::PI : tuning::Action::P;
    s.Kc = kc;
    s.Ti = ti;
    tuning::ToControllerForm(s, 1, true);
    return s;
}

TEST(RobustnessTest, MarginsMatchTheirClosedForms) {
    // theta' below is the dead time with the half cycle of the held output.
    const struct {
        const char* testCase;
        ProcessModel m;
        tuning::Setting s;
        double gain, phase, ms;  // ms 0: not checked
    } cases[] = {
        // P on k e^(-theta s)/s: crossover at k Kc, phase margin 90° - k Kc
        // theta', phase crossover at pi / (2 theta').
        {"P on an integrator", {ModelKind::Ipdt, 0.02, 0, 0, 5}, Pi(5, 0), M_PI / 2 / 5.05 / 0.1,
         90 - 0.1 * 5.05 * 180 / M_PI, 0},
        // SIMC PI with tau_c = theta on an integrator: Skogestad (2003),
        // table 2: GM 2.96, PM 46.9°, Ms 1.70.
        {"SIMC PI on an integrator", {ModelKind::Ipdt, 0.05, 0, 0, 10}, Pi(1, 80), 2.96, 46.9, 1.70},
        // SIMC PI on a first order with tau < 8 theta cancels the lag: the
        // loop is e^(-2 s) / (4 s).
        {"SIMC PI on a first order", {ModelKind::Fopdt, 1, 10, 0, 2}, Pi(2.5, 10), M_PI / 2 / 2.05 * 4,
         90 - 0.25 * 2.05 * 180 / M_PI, 0},
    };
    for (const auto& c : cases) {
        const tuning::Margins r = tuning::LoopMargins(c.m, c.s, {});
        EXPECT_TRUE(r.stable) << c.testCase;
        EXPECT_NEAR(r.gain, c.gain, 0.015 * c.gain) << c.testCase;
        EXPECT_NEAR(r.phase, c.phase, 0.015 * c.phase) << c.testCase;
        if (c.ms > 0) {
            EXPECT_NEAR(r.ms, c.ms, 0.015 * c.ms) << c.testCase;
        }
        // Ms is bounded below by both margins.
        EXPECT_GE(r.ms * (1 + 1e-9), r.gain / (r.gain - 1)) << c.testCase;
        EXPECT_GE(r.ms * (1 + 1e-9), 1 / (2 * std::sin(r.phase * M_PI / 360))) << c.testCase;
    }
}

TEST(RobustnessTest, UnstableSettingsAndTheWorstCaseOverIntervals) {
    const ProcessModel m{ModelKind::Fopdt, 1, 10, 0, 2};
    const tuning::Setting simc = Pi(2.5, 10);
    // Four times the gain margin away: unstable, no finite Ms.
    const tuning::Margins unstable = tuning::LoopMargins(m, Pi(4 * 2.5 * 3.07, 10), {});
    EXPECT_FALSE(unstable.stable);
    EXPECT_LT(unstable.gain, 1);
    EXPECT_TRUE(std::isinf(unstable.ms));

    const tuning::Margins nominal = tuning::LoopMargins(m, simc, {});
    const auto none = tuning::WorstMargins(m, ProcessModel{ModelKind::Fopdt, 0, 0, 0, 0}, simc, {});
    ASSERT_TRUE(none);
    EXPECT_NEAR(none->gain, nominal.gain, 1e-9);
    EXPECT_NEAR(none->ms, nominal.ms, 1e-9);
    // A longer dead time and a larger gain within the intervals cost margin.
    const auto wide = tuning::WorstMargins(m, ProcessModel{ModelKind::Fopdt, 0.2, 2, 0, 1}, simc, {});
    ASSERT_TRUE(wide);
    EXPECT_LT(wide->gain, 0.8 * nominal.gain);
    EXPECT_LT(wide->phase, nominal.phase - 10);
    EXPECT_GT(wide->ms, nominal.ms);
    // Intervals the data do not bound give no worst case.
    EXPECT_FALSE(tuning::WorstMargins(m, ProcessModel{ModelKind::Fopdt, 0.2, INFINITY, 0, 1}, simc, {}));
}

}  // namespace
}  // namespace kivo
