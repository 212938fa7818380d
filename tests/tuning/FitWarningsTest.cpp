// Each warning on a fit, triggered by its case and silent otherwise.
#include <gtest/gtest.h>

#include <set>

#include "NoisySeries.h"

namespace kivo {
namespace {

using tuning::FitWarning;
using tuning::ModelKind;
using Kind = FitWarning::Kind;

TEST(FitWarningsTest, EachWarningComesWithItsCaseAlone) {
    const auto clean = [](ModelKind k) {
        test::NoisyStepTest e;
        e.model = {ModelKind::Fopdt, 0.8, 60, 0, 12};
        if (k == ModelKind::Ipdt) e.model = {ModelKind::Ipdt, 0.02, 0, 0, 6};
        e.noise = 0.05;
        e.sampleTime = 0.5;
        return e;
    };
    struct Case {
        const char* testCase;
        test::NoisyStepTest test;
        ModelKind fitted;
        std::set<Kind> expected;
        const char* excerpt;  // of the English text of the first expected warning
    };
    std::vector<Case> cases;
    cases.push_back({"clean first order", clean(ModelKind::Fopdt), ModelKind::Fopdt, {}, ""});
    // The second order fitted to it has no second time constant to show.
    cases.push_back({"second order of a first order", clean(ModelKind::Fopdt), ModelKind::Sopdt, {Kind::AtBound},
                     "lower edge of its search"});
    cases.push_back({"clean integrator", clean(ModelKind::Ipdt), ModelKind::Ipdt, {}, ""});
    Case c{"no dead time", clean(ModelKind::Fopdt), ModelKind::Fopdt, {Kind::DeadTimeNotResolved}, "comes out zero"};
    c.test.model.theta = 0;
    cases.push_back(c);
    c = {"dead time within the noise", clean(ModelKind::Fopdt), ModelKind::Fopdt, {Kind::DeadTimeNotResolved},
         "covers zero"};
    c.test.model.theta = 0.6;
    c.test.step = 40;
    c.test.noise = 1;
    cases.push_back(c);
    c = {"PV at 100 %", clean(ModelKind::Fopdt), ModelKind::Fopdt, {Kind::PvClamped}, "were left out of the fit"};
    c.test.pv0 = 93;
    c.test.clamp = true;
    cases.push_back(c);
    // A change of 2.8 % under noise of 0.3 %.
    c = {"small step", clean(ModelKind::Fopdt), ModelKind::Fopdt, {Kind::SmallStep}, "times the noise's"};
    c.test.noise = 0.3;
    c.test.step = 3.5;
    cases.push_back(c);
    c = {"integrator stepped at once", clean(ModelKind::Ipdt), ModelKind::Ipdt, {Kind::ShortLeadIn},
         "record before the step (5 s) is short"};
    c.test.before = 5;
    cases.push_back(c);

    for (const Case& k : cases) {
        const tuning::Identification id = tuning::Identify(test::SimulateNoisy(k.test, 7));
        const tuning::ModelFit& fit = id.fit(k.fitted);
        std::set<Kind> found;
        for (const FitWarning& w : fit.warnings) {
            found.insert(w.kind);
            EXPECT_FALSE(w.Message(false).empty()) << k.testCase;
        }
        EXPECT_EQ(found, k.expected) << k.testCase << ": " << (fit.warnings.empty() ? "" : fit.warnings[0].english);
        if (!k.expected.empty() && !fit.warnings.empty()) {
            EXPECT_NE(fit.warnings[0].english.find(k.excerpt), std::string::npos) << k.testCase << ": "
                                                                                   << fit.warnings[0].english;
        }
    }
}

}  // namespace
}  // namespace kivo
