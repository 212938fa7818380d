#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "Collector.h"
#include "objects/Controller.h"

namespace kivo {
namespace {

using test::Collector;

// Controller 1 reading its PV from M21, configured as a plain P+I
// controller of a direct process in parallel structure, without derivative.
class ControllerTest : public ::testing::Test {
protected:
    void SetUp() override { New(); }
    void New() {
        sim.state.T = 0.1;
        c = std::make_unique<Controller>(sim, 1);
        c->messages = msgs.output();
        c->VariableSelect = 20;  // M21
        c->StructureGroup = 0;
        c->DCHK = false;
        Apply();
    }
    bool Apply() {
        msgs.list.clear();
        return c->ValidateParameters(true);
    }
    double Step(double pv) {
        sim.mem[21] = pv;
        c->ComputeCycle();
        return sim.mem[1];
    }

    Simulation sim;
    std::unique_ptr<Controller> c;
    Collector msgs;
};

TEST_F(ControllerTest, ProportionalOnlyGivesBiasPlusGainTimesError) {
    c->KpText = "2";
    c->KiText = "0";
    ASSERT_TRUE(Apply());
    c->state.autoMode = true;
    c->state.SP = 50;
    EXPECT_DOUBLE_EQ(Step(40), 70);
    EXPECT_DOUBLE_EQ(Step(40), 70) << "no integration with Ti = 0";
    c->ActionGroup = 0;  // reverse process
    ASSERT_TRUE(Apply());
    EXPECT_DOUBLE_EQ(Step(40), 30);
}

TEST_F(ControllerTest, WritesOutputAndClampedMirrors) {
    c->state.SP = 120;
    c->state.MV = 33;
    Step(-5);
    EXPECT_DOUBLE_EQ(sim.mem[1], 33) << "manual: the operator's output";
    EXPECT_DOUBLE_EQ(sim.mem[61], 100);
    EXPECT_DOUBLE_EQ(sim.mem[101], 0);
}

TEST_F(ControllerTest, ErrorUsesTheUnclampedPV) {
    c->state.SP = 50;
    Step(120);
    EXPECT_DOUBLE_EQ(c->state.e, -70);
    EXPECT_DOUBLE_EQ(c->state.PV, 100);
}

TEST_F(ControllerTest, AntiWindupLandsExactlyOnTheLimitAndLeavesWithoutUnwinding) {
    const struct {
        const char *comin, *comax;
        double pv, limit;
    } cases[] = {{"0", "87,3", 0, 87.3}, {"12.7", "100", 100, 12.7}, {"-3.3", "101.1", 0, 101.1}};
    for (const auto& k : cases) {
        New();
        c->KiText = "0.3";
        c->COminText = k.comin;
        c->COmaxText = k.comax;
        ASSERT_TRUE(Apply());
        c->state.autoMode = true;
        c->state.SP = 50;
        for (int i = 0; i < 500; ++i) ASSERT_EQ(Step(k.pv), k.limit) << k.comax << " cycle " << i;
        // The integral was held back, so the first cycle with a small error
        // of the other sign leaves the limit: only the changes of P and of
        // the integral move the output away from it.
        const double pvNew = k.pv < 50 ? 51 : 49;
        const double pBefore = 50 - k.pv;
        const double pNew = 50 - pvNew;
        EXPECT_NEAR(Step(pvNew), k.limit + (pNew - pBefore) + pNew * 0.1 / 0.3, 1e-9) << k.comax;
    }
}

TEST_F(ControllerTest, IntegralFreezeFromTheSlaveFeedback) {
    const struct {
        double feedback;
        bool freeze;
    } cases[] = {{100, true}, {0, true}, {99.9, true}, {0.1, true}, {50, false}, {99.8, false}};
    for (const auto& k : cases) {
        New();
        c->BackMVCheck = true;
        c->BackMV = 29;  // M30
        sim.mem[30] = k.feedback;
        c->state.autoMode = true;
        c->state.SP = 50;
        Step(50);
        const double before = c->state.Integral;
        Step(40);
        EXPECT_EQ(c->state.Integral == before, k.freeze) << k.feedback;
    }
    New();
    c->BackMVCheck = false;  // read every cycle
    sim.mem[30] = 100;
    c->state.autoMode = true;
    c->state.SP = 50;
    Step(40);
    EXPECT_NEAR(c->state.Integral, 0.1, 1e-12) << "unchecked: integrates whatever the feedback";
}

TEST_F(ControllerTest, IsaWithProportionalDisabledNoLongerScalesByKc) {
    const struct {
        int structure;
        bool p;
        double increment;
    } cases[] = {{1, true, 4 * 10 * 0.1 / 10}, {1, false, 10 * 0.1 / 10}, {0, true, 10 * 0.1 / 10}};
    for (const auto& k : cases) {
        New();
        c->KpText = "4";
        c->StructureGroup = k.structure;
        c->PCHK = k.p;
        ASSERT_TRUE(Apply());
        c->state.autoMode = true;
        c->state.SP = 50;
        c->state.MV = 50;
        Step(40);
        const double i1 = c->state.Integral;
        Step(40);
        EXPECT_NEAR(c->state.Integral - i1, k.increment, 1e-12) << k.structure << k.p;
    }
}

TEST_F(ControllerTest, SetpointStepKicks) {
    struct Case {
        const char* name;
        const char* a;
        bool derivative;
        int derivativeGroup;
        double jump;  // MV change on the step cycle beyond the integral
    };
    // Kc 2, Ti 10, Td 2, T 0.1; SP 50 -> 60 with PV steady at 50.
    const Case cases[] = {
        {"a = 0, no derivative", "0", false, 1, 0},
        {"a = 1: proportional kick", "1", false, 1, 20},
        {"derivative on PV: no kick", "0", true, 1, 0},
        {"derivative on error: one-cycle spike of 200, limited", "0", true, 0, 100},
    };
    for (const auto& k : cases) {
        New();
        c->KpText = "2";
        c->KdText = "2";
        c->aText = k.a;
        c->DCHK = k.derivative;
        c->DerivativeGroup = k.derivativeGroup;
        c->COminText = "-300";
        c->COmaxText = "300";
        ASSERT_TRUE(Apply()) << k.name;
        c->state.SP = 50;
        c->state.MV = 50;
        for (int i = 0; i < 3; ++i) Step(50);  // manual: the filter settles, the integral tracks
        c->state.autoMode = true;
        ASSERT_DOUBLE_EQ(Step(50), 50) << k.name;
        c->state.SP = 60;
        const double integral = 10 * 0.1 / 10;
        EXPECT_NEAR(Step(50) - 50, integral + k.jump, 1e-9) << k.name;
        EXPECT_NEAR(Step(50) - 50, 2 * integral + (k.a[0] == '1' ? 20 : 0), 1e-9) << k.name << ", next cycle";
    }
}

TEST_F(ControllerTest, ManualToAutoIsBumpless) {
    c->state.MV = 37;
    c->state.SP = 50;
    for (int i = 0; i < 5; ++i) Step(50);
    c->state.autoMode = true;
    EXPECT_DOUBLE_EQ(Step(50), 37);
    EXPECT_DOUBLE_EQ(Step(50), 37);
}

TEST_F(ControllerTest, RemoteSetpointFollowsSprAndApplyForcesLocalWithoutIt) {
    c->CheckSPR = true;
    c->SPRSelect = 84;  // M85
    ASSERT_TRUE(Apply());
    c->state.localMode = false;
    sim.mem[85] = 130;
    Step(50);
    EXPECT_DOUBLE_EQ(c->state.SP, 100) << "copied, then clamped";
    EXPECT_DOUBLE_EQ(c->state.e, 80) << "the error sees the unclamped copy";
    c->CheckSPR = false;
    Step(50);
    EXPECT_DOUBLE_EQ(c->state.SP, 0) << "remote with the box unchecked reads SPR as 0";
    ASSERT_TRUE(Apply());
    EXPECT_TRUE(c->state.localMode);
}

TEST_F(ControllerTest, FeedForwardIsADynamicBiasReadEveryCycle) {
    c->KiText = "0";
    c->KpText = "0";
    c->FFwSelect = true;
    c->FFwEquation = "M85*2";
    ASSERT_TRUE(Apply());
    c->state.autoMode = true;
    sim.mem[85] = 10;
    EXPECT_DOUBLE_EQ(Step(50), 20);
    sim.mem[85] = 15;
    EXPECT_DOUBLE_EQ(Step(50), 30);
    c->FFwEquation = "7";
    EXPECT_DOUBLE_EQ(Step(50), 7);
    c->FFwEquation = "ln(2)";
    EXPECT_DOUBLE_EQ(Step(50), 0) << "a failing expression yields the evaluator's 0";
    c->FFwEquation = std::string(kMaxExpressionLevels + 1, '(') + "7";
    EXPECT_DOUBLE_EQ(Step(50), 0) << "so does one beyond the evaluator's limits";
    EXPECT_FALSE(Apply());
    EXPECT_EQ(msgs.list,
              std::vector<std::string>{"Controlador 1: Equação do FF inválida (mais de 200 níveis de parênteses)"});
    c->FFwEquation = std::string(kMaxExpressionCharacters + 1, '7');
    EXPECT_FALSE(Apply());
    EXPECT_EQ(msgs.list,
              std::vector<std::string>{"Controlador 1: Equação do FF inválida (mais de 4096 caracteres)"});
}

TEST_F(ControllerTest, ApplyWritesDescriptionsScaleAndDecimals) {
    const struct {
        const char *min, *max;
        int decimals;
    } cases[] = {{"0", "0.5", 4}, {"0", "5", 3}, {"20", "70", 2}, {"0.0", "150", 1}, {"-500", "1500", 0}};
    for (const auto& k : cases) {
        sim.mem.setEuMin(21, k.min);
        sim.mem.setEuMax(21, k.max);
        sim.mem.setUnit(21, "m³/h");
        c->TagText = "FIC-101";
        ASSERT_TRUE(Apply());
        EXPECT_EQ(c->ScaleStart, k.min);
        EXPECT_EQ(c->ScaleEnd, k.max);
        EXPECT_EQ(c->EngUnit, "m³/h");
        EXPECT_EQ(c->decimalPlaces(), k.decimals) << k.max;
    }
    EXPECT_EQ(sim.mem.entry(1).description, " MV FIC-101");
    EXPECT_EQ(sim.mem.entry(61).description, " SP FIC-101");
}

TEST_F(ControllerTest, EveryInvalidFieldReportedInOrderAndConvertedValuesKept) {
    const std::string prefix = "Controlador 1";
    c->KpText = c->KiText = c->KdText = c->aText = c->tfText = c->BiasText = c->COminText = c->COmaxText = "2 x";
    c->FFwSelect = true;
    c->FFwEquation = "sqrt(2)";
    sim.mem.setEuMin(21, "a");
    sim.mem.setEuMax(21, "");
    c->ActionGroup = 0;
    EXPECT_FALSE(Apply());
    const std::vector<std::string> expected = {
        prefix + ": Kp inválido",    prefix + ": Ti inválido",    prefix + ": Td inválido",
        prefix + ": Fator a inválido", prefix + ": Talf inválido", prefix + ": Bias inválido",
        prefix + ": COmin inválido", prefix + ": COmax inválido", prefix + ": Equação do FF inválida",
        prefix + ": Inicio Escala inválido", prefix + ": Final Escala inválido"};
    EXPECT_EQ(msgs.list, expected);
    EXPECT_DOUBLE_EQ(c->Kc(), 2) << "converted before the check";
    EXPECT_FALSE(c->reverse()) << "modes wait for a valid apply";
    EXPECT_EQ(sim.mem.entry(1).description, " MV PID1") << "from the valid apply of SetUp";
}

TEST_F(ControllerTest, TagAndPvErrorsStopTheApply) {
    c->KpText = "x";
    c->VariableSelect = -1;
    c->TagText = "";
    Apply();
    EXPECT_EQ(msgs.list, std::vector<std::string>{"Controlador 1: TAG não informado"});
    c->TagText = "T";
    Apply();
    EXPECT_EQ(msgs.list, std::vector<std::string>{"Controlador 1: Variável de processo (PV) não informada"});
    EXPECT_DOUBLE_EQ(c->Kc(), 1) << "nothing else is read";
}

// Limits typed the wrong way round would make the output jump between them:
// the apply refuses them and the step keeps the output between the two.
TEST_F(ControllerTest, OutputLimitsTypedTheWrongWayRound) {
    c->COminText = "80";
    c->COmaxText = "20";
    EXPECT_FALSE(Apply());
    EXPECT_EQ(msgs.list, std::vector<std::string>{"Controlador 1: COmin maior que COmax"});
    c->state.autoMode = true;
    c->state.SP = 50;
    c->state.MV = 50;
    c->state.Integral = 0;
    for (int i = 0; i < 5; ++i) {
        const double mv = Step(50);
        EXPECT_DOUBLE_EQ(mv, 50) << "within 20..80 nothing limits";
    }
    EXPECT_DOUBLE_EQ(Step(0), 80);
}

TEST_F(ControllerTest, FilterTimeMinusTHoldsInsteadOfNaN) {
    c->DCHK = true;
    c->KdText = "1";
    c->tfText = "-0,1";
    ASSERT_TRUE(Apply());
    c->state.autoMode = true;
    for (int i = 0; i < 10; ++i) EXPECT_TRUE(std::isfinite(Step(40 + i))) << i;
}

TEST_F(ControllerTest, TrendSamplesEveryStepWithTheActuatorOfItsProcess) {
    sim.actuatorPosition[21] = 42.2;
    c->state.MV = 130;
    c->state.SP = 25;
    Step(50);
    const ControllerTrend& t = c->trend;
    EXPECT_EQ(t.position(), 1);
    EXPECT_EQ(t.Point(ControllerTrend::PVCurve, 449), 100);
    EXPECT_EQ(t.Point(ControllerTrend::SPCurve, 449), 50);
    EXPECT_EQ(t.Point(ControllerTrend::COCurve, 449), 200);
    EXPECT_EQ(t.Point(ControllerTrend::ActuatorCurve, 449), 84);
}

}  // namespace
}  // namespace kivo
