#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tuning/Rules.h"

namespace kivo {
namespace {

using tuning::Action;
using tuning::ModelKind;
using tuning::ProcessModel;
using tuning::Rule;

TEST(RulesTest, SettingsMatchTheWorkedValuesOfTheirSources) {
    // SIMC: Skogestad (2003), example E1, the half-rule models of
    // e^-s (-0.3s+1)(0.08s+1) / ((2s+1)(s+1)(0.4s+1)(0.2s+1)(0.05s+1)^3):
    // PI 0.85 / 2.5 for the first order (tau 2.5, theta 1.47), PID in series
    // form 1.30 / 2 / 1.2 for the second order (2, 1.2, 0.77), tau_c = theta.
    // The others: the published formulas worked by hand for K = 1, T = 10,
    // L = 2 (IMC with lambda 4).
    const ProcessModel fo{ModelKind::Fopdt, 1, 2.5, 0, 1.47};
    const ProcessModel so{ModelKind::Sopdt, 1, 2, 1.2, 0.77};
    const ProcessModel ref{ModelKind::Fopdt, 1, 10, 0, 2};
    const ProcessModel integ{ModelKind::Ipdt, 0.05, 0, 0, 2};
    const struct {
        const char* testCase;
        ProcessModel m;
        Rule r;
        double tc;
        Action a;
        double Kc, Ti, Td;
    } cases[] = {
        {"SIMC PI", fo, Rule::Simc, 0, Action::PI, 0.850, 2.5, 0},
        // Series 1.30 / 2 / 1.2 in the ideal form: Kc (1 + 1.2/2), 3.2, 2.4/3.2.
        {"SIMC PID", so, Rule::Simc, 0, Action::PID, 1.2987 * 1.6, 3.2, 0.75},
        {"SIMC integrating PI", integ, Rule::Simc, 0, Action::PI, 5, 16, 0},
        {"IMC PI", ref, Rule::Imc, 4, Action::PI, 2.75, 11, 0},
        {"IMC PID", ref, Rule::Imc, 4, Action::PID, 22.0 / 12, 11, 10.0 / 11},
        {"AMIGO PI", ref, Rule::Amigo, 0, Action::PI, 1.205556, 7.765217, 0},
        {"AMIGO PID", ref, Rule::Amigo, 0, Action::PID, 2.45, 5.866667, 0.943396},
        {"AMIGO integrating PID", integ, Rule::Amigo, 0, Action::PID, 4.5, 16, 1},
        {"ZN P", ref, Rule::ZieglerNichols, 0, Action::P, 5, 0, 0},
        {"ZN PI", ref, Rule::ZieglerNichols, 0, Action::PI, 4.5, 6, 0},
        {"ZN PID", ref, Rule::ZieglerNichols, 0, Action::PID, 6, 4, 1},
    };
    for (const auto& c : cases) {
        bool found = false;
        for (const auto& s : tuning::ProposeSettings(c.m, c.r, true, c.tc)) {
            if (s.action != c.a) continue;
            found = true;
            EXPECT_NEAR(s.Kc, c.Kc, 0.002 * c.Kc) << c.testCase;
            EXPECT_NEAR(s.Ti, c.Ti, 0.002 * c.Ti + 1e-9) << c.testCase;
            EXPECT_NEAR(s.Td, c.Td, 0.002 * c.Td + 1e-9) << c.testCase;
        }
        EXPECT_TRUE(found) << c.testCase;
    }
}

TEST(RulesTest, SettingsFollowTheControllersStructureAndDirection) {
    const ProcessModel m{ModelKind::Fopdt, -2, 10, 0, 2};
    const auto isa = tuning::ProposeSettings(m, Rule::ZieglerNichols, true);
    const auto pair = tuning::ProposeSettings(m, Rule::ZieglerNichols, false);
    ASSERT_EQ(isa.size(), 3u);
    const auto& pid = isa[2];
    EXPECT_EQ(pid.actionItem, 0) << "a negative gain is a reverse process";
    EXPECT_EQ(pid.KpText, "3");  // 1.2 / (2 * 2 / 10)
    EXPECT_EQ(pid.KiText, "4");
    EXPECT_EQ(pid.KdText, "1");
    // Parallel: the integral e T / Ti and the derivative Td de/dt carry no Kc.
    EXPECT_EQ(pair[2].KpText, "3");
    EXPECT_EQ(pair[2].KiText, "1.3333");
    EXPECT_EQ(pair[2].KdText, "3");
    EXPECT_EQ(isa[0].KiText, "0") << "P only: no integral";
    EXPECT_EQ(tuning::FieldText(1234.56), "1234.6");
    EXPECT_EQ(tuning::FieldText(0.0123456), "0.01235");
    // Beyond the fixed form: exponent, never a cut or a 0.
    EXPECT_EQ(tuning::FieldText(5.25e299), "5.25e+299");
    EXPECT_EQ(tuning::FieldText(3e-8), "3e-08");
}

// A closed-loop time constant that would make the gain infinite or zero is
// refused with the limits; a finite setting of no use to a controller is
// flagged, on either side of the gains it can use.
TEST(RulesTest, TimeConstantsOutOfRangeAreRefusedAndUselessGainsFlagged) {
    const ProcessModel m{ModelKind::Fopdt, 1, 10, 0, 2};
    for (const double tc : {4.9e-324, 0.05, 1e300, std::numeric_limits<double>::infinity(), std::nan("")})
        for (const Rule r : {Rule::Simc, Rule::Imc}) {
            try {
                tuning::ProposeSettings(m, r, true, tc);
                ADD_FAILURE() << tc << " accepted";
            } catch (const tuning::TuningError& e) {
                EXPECT_NE(std::string(e.what()).find("between 0.1 and 1000000 s"), std::string::npos) << e.what();
            }
        }

    const struct {
        double K, theta;
        const char* reason;  // empty: no warning
    } cases[] = {
        {1, 2, ""},
        {1e-6, 2, "almost no gain or dead time"},
        {1e6, 2, "a huge gain"},
    };
    for (const auto& c : cases) {
        const ProcessModel mm{ModelKind::Fopdt, c.K, 10, 0, c.theta};
        for (const auto& s : tuning::ProposeSettings(mm, Rule::Simc, true)) {
            const auto warning = tuning::CheckGain(s);
            ASSERT_EQ(warning.has_value(), *c.reason != 0) << c.K;
            if (!warning) continue;
            EXPECT_NE(warning->Message(true).find(c.reason), std::string::npos) << warning->Message(true);
            EXPECT_NE(warning->Message(true).find("outside 0.0001 to 10000"), std::string::npos);
            EXPECT_NE(warning->Message(false).find("fora de 0.0001 a 10000"), std::string::npos);
        }
    }
}

}  // namespace
}  // namespace kivo
