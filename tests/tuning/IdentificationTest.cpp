#include <gtest/gtest.h>

#include <cmath>

#include "Plants.h"
#include "tuning/Identification.h"

namespace kivo {
namespace {

using tuning::ModelKind;
using tuning::ProcessModel;

void ExpectNear(const char* name, double actual, double expected, double tolerance, const std::string& testCase) {
    EXPECT_LE(std::abs(actual - expected), tolerance * std::abs(expected))
        << testCase << ": " << name << " " << actual << " instead of " << expected;
}

TEST(IdentificationTest, RecoversTheProcessBlockFromItsStepResponse) {
    const struct {
        ProcessModel plant;
        double after, step, initialPv;
    } plants[] = {
        {{ModelKind::Fopdt, 1.5, 20, 0, 5}, 200, 10, 0},
        {{ModelKind::Sopdt, 1.5, 30, 10, 8}, 300, 30, 0},
        {{ModelKind::Ipdt, 0.02, 0, 0, 6}, 150, 25, 10},
    };
    for (const auto& p : plants) {
        for (const bool noise : {false, true}) {
            const std::string testCase = std::string(tuning::KindName(p.plant.kind)) + (noise ? " with noise" : "");
            test::StepTest e;
            e.model = p.plant;
            e.after = p.after;
            e.step = p.step;
            e.noise = noise;
            e.initialPv = p.initialPv;
            e.mv0 = 30;
            const tuning::Identification id = tuning::Identify(test::SimulateStepTest(e));
            EXPECT_EQ(id.best, p.plant.kind) << testCase;
            const ProcessModel& m = id.fit(p.plant.kind).model;
            const double tol = noise ? 0.10 : 0.02;
            ExpectNear("K", m.K, p.plant.K, tol, testCase);
            ExpectNear("theta", m.theta, p.plant.theta, tol, testCase);
            if (p.plant.kind != ModelKind::Ipdt) ExpectNear("tau1", m.tau1, p.plant.tau1, tol, testCase);
            if (p.plant.kind == ModelKind::Sopdt) ExpectNear("tau2", m.tau2, p.plant.tau2, tol, testCase);
            EXPECT_LT(id.fit(p.plant.kind).rms, noise ? 0.3 : 0.05) << testCase;
        }
    }
}

TEST(IdentificationTest, NegativeGainAndStepDown) {
    test::StepTest e;
    e.model = {ModelKind::Fopdt, -2, 8, 0, 3};
    e.mv0 = 60;
    e.step = -5;
    e.after = 80;
    const tuning::Identification id = tuning::Identify(test::SimulateStepTest(e));
    const ProcessModel& m = id.fit(ModelKind::Fopdt).model;
    EXPECT_NEAR(m.K, -2, 0.04);
    EXPECT_NEAR(m.tau1, 8, 0.16);
    EXPECT_NEAR(m.theta, 3, 0.06);
}

}  // namespace
}  // namespace kivo
