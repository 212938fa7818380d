#include <gtest/gtest.h>

#include "tuning/Prediction.h"

namespace kivo {
namespace {

using tuning::ModelKind;
using tuning::ProcessModel;
using tuning::Rule;

TEST(PredictionTest, SetpointAndLoadStepsSettleUnderTheRealController) {
    const struct {
        ProcessModel m;
        tuning::OperatingPoint op;
    } cases[] = {
        {{ModelKind::Fopdt, 1.5, 20, 0, 5}, {40, 60}},
        {{ModelKind::Fopdt, -0.8, 5, 0, 1}, {50, 95}},  // reverse; no room above: the step goes down
        {{ModelKind::Sopdt, 1.2, 30, 10, 8}, {30, 50}},
        {{ModelKind::Ipdt, 0.02, 0, 0, 6}, {50, 40}},
    };
    for (const auto& c : cases) {
        for (const bool isa : {true, false}) {
            const std::string testCase = std::string(tuning::KindName(c.m.kind)) + (isa ? " ISA" : " parallel");
            const auto s = tuning::ProposeSettings(c.m, Rule::Simc, isa).back();
            tuning::LoopConfig cfg;
            cfg.isa = isa;
            const tuning::Prediction p = tuning::Predict(c.m, s, cfg, c.op);
            ASSERT_TRUE(p.spIndices && p.loadIndices) << testCase;
            const double target = c.op.pv + p.spStep;
            EXPECT_NEAR(p.setpoint.pv.back(), target, 0.05) << testCase << ": PV reaches the new setpoint";
            EXPECT_NEAR(p.load.pv.back(), c.op.pv, 0.05) << testCase << ": the load is rejected";
            EXPECT_NEAR(p.setpoint.pv.front(), c.op.pv, 0.01) << testCase << ": starts at rest";
            // SIMC with tau_c = theta: a modest overshoot (about 30 % for an
            // integrator, less for the others).
            const double about = (p.spStep > 0 ? p.spIndices->values.pvMax - target : target - p.spIndices->values.pvMin);
            EXPECT_LT(about, 0.35 * std::abs(p.spStep)) << testCase;
            EXPECT_GT(p.loadIndices->values.meanAbsError, 0) << testCase;
        }
    }
}

TEST(PredictionTest, RulesCompareOnTheSameYardstick) {
    // The classic reference is the aggressive one: more overshoot and more
    // CO travel than SIMC for the same plant.
    const ProcessModel m{ModelKind::Fopdt, 1, 10, 0, 2};
    const tuning::OperatingPoint op{50, 50};
    const auto simc = tuning::Predict(m, tuning::ProposeSettings(m, Rule::Simc, true)[0], {}, op);
    const auto zn = tuning::Predict(m, tuning::ProposeSettings(m, Rule::ZieglerNichols, true)[1], {}, op);
    ASSERT_TRUE(simc.spIndices && zn.spIndices);
    EXPECT_GT(zn.spIndices->values.pvMax, simc.spIndices->values.pvMax);
    EXPECT_GT(zn.spIndices->values.coTravel, simc.spIndices->values.coTravel);
}

}  // namespace
}  // namespace kivo
