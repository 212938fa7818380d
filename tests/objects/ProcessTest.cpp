#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <memory>
#include <vector>

#include "Collector.h"
#include "core/Record.h"
#include "objects/Process.h"

namespace kivo {
namespace {

using test::Collector;

class ProcessTest : public ::testing::Test {
protected:
    void SetUp() override { New(); }
    // A fresh process with every non-linearity off and no lag: the output
    // is the input.
    void New() {
        sim.state.T = 0.1;
        pp = std::make_unique<Process>(sim, 1);
        pp->messages = msgs.output();
        pp->LText = "0";
        msgs.list.clear();
        ASSERT_TRUE(pp->ValidateParameters(true));
    }
    double Step(double x) {
        sim.mem[1] = x;
        pp->ComputeCycle();
        return sim.mem[21];
    }
    void Apply() {
        msgs.list.clear();
        pp->ValidateParameters(true);
    }

    Simulation sim;
    std::unique_ptr<Process> pp;
    Collector msgs;
};

TEST_F(ProcessTest, OutputEqualsInputClampedWithEveryNonLinearityOff) {
    const struct {
        double x, y;
    } cases[] = {{37.5, 37.5}, {0, 0}, {100, 100}, {-10, 0}, {99.99, 99.99}, {150, 100}};
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(Step(c.x), c.y) << c.x;
    EXPECT_DOUBLE_EQ(sim.actuatorPosition[21], 150) << "the actuator position is not clamped";
}

TEST_F(ProcessTest, OutputAddressesAndMessageNumbersFollowTheSlot) {
    const struct {
        int slot, address;
    } cases[] = {{1, 21}, {20, 40}, {21, 71}, {24, 74}};
    for (const auto& c : cases) {
        Process q(sim, c.slot);
        Collector m;
        q.messages = m.output();
        q.LText = "0";
        q.DescriptionText = "Vazão";
        ASSERT_TRUE(q.ValidateParameters(true));
        EXPECT_EQ(q.number(), c.address);
        EXPECT_EQ(sim.mem.entry(c.address).description, "Vazão");
        sim.mem[1] = 42;
        q.ComputeCycle();
        EXPECT_DOUBLE_EQ(sim.mem[c.address], 42);
        EXPECT_DOUBLE_EQ(sim.actuatorPosition[static_cast<std::size_t>(c.address)], 42);
        q.GainText = "x";
        q.ValidateParameters(true);
        ASSERT_EQ(m.list.size(), 1u);
        EXPECT_EQ(m.list[0], "Processo " + std::to_string(c.address) + ": Ganho inválido");
    }
}

TEST_F(ProcessTest, BacklashRampReversalAndRise) {
    pp->Hysteresis = "2";
    Apply();
    const struct {
        double x, y;
    } steps[] = {
        {50, 48}, {51, 49}, {52, 50}, {53, 51},        // rising: 2 below the input
        {52, 51}, {51, 51},                            // reversal: holds
        {50.5, 50.5}, {50, 50}, {49, 49},              // below the held value: follows
        {50, 49}, {51, 49}, {52, 50},                  // rising again: holds until 2 above
    };
    for (const auto& s : steps) EXPECT_DOUBLE_EQ(Step(s.x), s.y) << "input " << s.x;
}

TEST_F(ProcessTest, StictionSticksAfterFiveStillCyclesAndMovesOneCycleLate) {
    pp->valveStext = "5";
    Apply();
    // A valve at rest at 50 with its filter settled.
    auto& e = pp->state;
    e.h = e.s = e.f = e.fr = e.x5old = 50;
    for (int i = 1; i <= 4; ++i) {
        Step(50);
        EXPECT_FALSE(e.stuck) << i;
    }
    Step(50);
    EXPECT_TRUE(e.stuck);
    EXPECT_DOUBLE_EQ(Step(54.9), 50) << "a move below the band stays stuck";
    EXPECT_DOUBLE_EQ(Step(55), 50) << "the cycle that frees the valve still shows the stuck position";
    EXPECT_FALSE(e.stuck);
    EXPECT_DOUBLE_EQ(Step(55), 55);
}

TEST_F(ProcessTest, StictionBandZeroNeverSticks) {
    for (int i = 0; i < 50; ++i) Step(50);
    EXPECT_FALSE(pp->state.stuck);
}

TEST_F(ProcessTest, RateLimiterReachesTheStepAfterFiftyCycles) {
    for (const char* rate : {"10", "-10", "5*2"}) {
        New();
        pp->ratetext = rate;  // read every cycle, no apply needed
        for (int i = 1; i <= 49; ++i) EXPECT_NEAR(Step(50), i, 1e-9) << rate << " cycle " << i;
        EXPECT_DOUBLE_EQ(Step(50), 50) << rate;
    }
}

TEST_F(ProcessTest, DeadTimeDelaysByWholeCycles) {
    const struct {
        const char* text;
        int delay;
    } cases[] = {{"0", 0}, {"2", 20}, {"2,05", 20}, {"0.3", 3}};
    for (const auto& c : cases) {
        pp->state = ProcessState{};
        pp->DeadTime = c.text;
        Apply();
        ASSERT_TRUE(msgs.list.empty()) << c.text;
        int first = -1;
        for (int i = 0; i < 40 && first < 0; ++i)
            if (Step(50) == 50) first = i;
        EXPECT_EQ(first, c.delay) << c.text;
    }
}

TEST_F(ProcessTest, ValveCurvesAtZeroFiftyAndHundred) {
    const struct {
        int curve;
        double v0, v50, v100;
    } cases[] = {
        {0, 0, 50, 100},
        {1, -2.8065, 77.10496275165872, 99.99998015412334},
        {2, -0.22675884000000088, 22.09368701913899, 99.99969803099309},
        {3, 4.5225854439898935e-05, 50.001565295169954, 100.00308536448546},
        {4, 0.9709662154539913, 50.0, 99.02903378454602},
    };
    for (const auto& c : cases) {
        pp->ValveCurve = c.curve;
        Apply();
        const double inputs[] = {0, 50, 100};
        const double expected[] = {c.v0, c.v50, c.v100};
        for (int i = 0; i < 3; ++i) {
            Step(inputs[i]);
            EXPECT_NEAR(sim.actuatorPosition[21], expected[i], 1e-9) << "curve " << c.curve << " at " << inputs[i];
        }
    }
}

TEST_F(ProcessTest, ActuatorLagFiltersTheCurveOutput) {
    pp->tauAText = "1";
    Apply();
    Step(100);
    EXPECT_NEAR(sim.actuatorPosition[21], 100 * 0.1 / 1.1, 1e-12);
}

TEST_F(ProcessTest, TransferFunctionsAgainstHandComputedValues) {
    const struct {
        int kind;
        const char *a, *b;  // tau1/tau2, N/P or LEAD/LAG
        double entry;
        double y[3];
    } cases[] = {
        {0, "1", "2", 100, {0.22675736961451246, 0.8746355685131194, 1.8824461001331745}},
        {0, "1", "0", 100, {4.761904761904762, 13.83219954648526, 22.03865673253428}},
        {1, "1", "10", 100, {0.36574162921325487, 1.069001191824885, 2.08239530003423}},
        {2, "2", "1", 10, {19.09090909090909, 18.264462809917354, 17.513148009015772}},
        {3, "", "", 50, {5, 10, 15}},
    };
    for (const auto& c : cases) {
        pp->state = ProcessState{};
        pp->TransferFunctionKind = c.kind;
        if (c.kind == 0) pp->LText = c.a, pp->Ctext = c.b;
        if (c.kind == 1) pp->NCText = c.a, pp->PeriodText = c.b;
        if (c.kind == 2) pp->LEAD = c.a, pp->LAG = c.b;
        Apply();
        ASSERT_TRUE(msgs.list.empty()) << c.kind;
        for (double y : c.y) EXPECT_NEAR(Step(c.entry), y, 1e-9) << "type " << c.kind;
    }
}

// The full-precision series of the underdamped type must be the
// discretisation as written: w^2 T^2 and 2 zeta w T formed from the left.
// Forming wT first gives other last bits with these parameters.
TEST_F(ProcessTest, UnderdampedSeriesIsTheDiscretisationAsWritten) {
    pp->TransferFunctionKind = 1;
    pp->NCText = "1.5";
    pp->PeriodText = "7.3";
    Apply();
    ASSERT_TRUE(msgs.list.empty());
    const double T = 0.1;
    const double w = 6.283 / 7.3;
    const double zeta = 0.6 / 1.5;
    double y1 = 0, y2 = 0;
    for (int k = 0; k < 600; ++k) {
        const double w2T2 = w * w * (T * T);
        const double den = w2T2 + 2 * zeta * w * T + 1;
        const double y = std::clamp(((2 * zeta * w * T + 2) * y1 - y2 + w2T2 * 50) / den, 0.0, 100.0);
        y2 = y1;
        y1 = y;
        ASSERT_EQ(Step(50), y) << "cycle " << k;
    }
}

TEST_F(ProcessTest, GainActsAfterTheClampExceptInTheIntegrator) {
    pp->GainText = "2";
    pp->LText = "1";
    Apply();
    double y = 0;
    for (int i = 0; i < 600; ++i) y = Step(80);
    EXPECT_NEAR(y, 160, 1e-6);

    pp->state = ProcessState{};
    pp->TransferFunctionKind = 3;
    Apply();
    double maximum = 0;
    for (int i = 0; i < 200; ++i) maximum = std::max(maximum, Step(80));
    EXPECT_DOUBLE_EQ(maximum, 100);
    EXPECT_DOUBLE_EQ(pp->state.Y1old, 100);
}

TEST_F(ProcessTest, DisabledSaturatorLetsTheStateLeaveTheRange) {
    pp->TransferFunctionKind = 3;
    pp->SaturatorDisabled = true;
    Apply();
    for (int i = 0; i < 30; ++i) Step(100);
    EXPECT_NEAR(pp->state.Y1old, 300, 1e-9);
    pp->SaturatorDisabled = false;  // read every cycle
    EXPECT_DOUBLE_EQ(Step(100), 100);
}

TEST_F(ProcessTest, GainAndDeadTimeTakeEffectAtApplyAndFollowTheirVariables) {
    pp->GainText = "M50";
    Apply();
    sim.mem[50] = 2;
    EXPECT_DOUBLE_EQ(Step(10), 20);
    sim.mem[50] = 3;
    EXPECT_DOUBLE_EQ(Step(10), 30) << "the stored text is re-evaluated every cycle";
    pp->GainText = "5";
    EXPECT_DOUBLE_EQ(Step(10), 30) << "an edit waits for the apply";
    Apply();
    EXPECT_DOUBLE_EQ(Step(10), 50);
}

TEST_F(ProcessTest, TimeConstantsAreReadEveryCycleWithoutApply) {
    pp->LText = "1";
    EXPECT_NEAR(Step(100), 4.761904761904762, 1e-12);
}

TEST_F(ProcessTest, IntegratorInitialValueOnlyWhenEdited) {
    pp->TransferFunctionKind = 3;
    pp->InitialValueText = "30,5";
    Apply();
    EXPECT_DOUBLE_EQ(pp->state.Y1old, 0) << "not edited since the last apply";
    pp->initialValuePending = true;
    Apply();
    EXPECT_DOUBLE_EQ(pp->state.Y1old, 30.5);
    EXPECT_FALSE(pp->initialValuePending);
    EXPECT_DOUBLE_EQ(Step(0), 30.5);
}

TEST_F(ProcessTest, EveryInvalidFieldReportedInOrder) {
    const std::string prefix = "Processo 21";
    struct Case {
        int kind;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {0, {prefix + ": Ganho inválido", prefix + ": Tempo Morto inválido", prefix + ": Tal1 inválido", prefix + ": Tal2 inválido",
             prefix + ": Histerese inválida", prefix + ": Rate inválido", prefix + ": Agarramento inválido",
             prefix + ": Constante de tempo inválido"}},
        {1, {prefix + ": Ganho inválido", prefix + ": Tempo Morto inválido", prefix + ": NCn inválido", prefix + ": Periodo inválido",
             prefix + ": Histerese inválida", prefix + ": Rate inválido", prefix + ": Agarramento inválido",
             prefix + ": Constante de tempo inválido"}},
        {2, {prefix + ": Ganho inválido", prefix + ": Tempo Morto inválido", prefix + ": LAG inválido", prefix + ": LEAD inválido",
             prefix + ": Histerese inválida", prefix + ": Rate inválido", prefix + ": Agarramento inválido",
             prefix + ": Constante de tempo inválido"}},
    };
    for (const auto& c : cases) {
        pp->TransferFunctionKind = c.kind;
        pp->GainText = pp->DeadTime = pp->LText = pp->Ctext = pp->LEAD = pp->LAG = pp->ratetext = "ln(2)";
        pp->NCText = pp->PeriodText = pp->Hysteresis = pp->valveStext = pp->tauAText = "2 3";
        pp->DescriptionText = "nova";
        sim.mem.setDescription(21, "antiga");
        msgs.list.clear();
        EXPECT_FALSE(pp->ValidateParameters(true));
        EXPECT_EQ(msgs.list, c.expected) << "type " << c.kind;
        EXPECT_EQ(sim.mem.entry(21).description, "antiga") << "the description waits for a valid apply";
    }
    msgs.list.clear();
    EXPECT_FALSE(pp->ValidateParameters(false));
    EXPECT_TRUE(msgs.list.empty());
}

TEST_F(ProcessTest, SingleFieldErrors) {
    const struct {
        std::string Process::*field;
        const char* text;
        const char* message;
    } cases[] = {
        {&Process::DeadTime, "-1", ": Tempo Morto inválido"},
        {&Process::DeadTime, "M05-1", ": Tempo Morto inválido"},
        {&Process::Hysteresis, "", ": Histerese inválida"},
        {&Process::Hysteresis, "2x", ": Histerese inválida"},
        {&Process::tauAText, "abc", ": Constante de tempo inválido"},
    };
    for (const auto& c : cases) {
        New();
        (*pp).*c.field = c.text;
        Apply();
        ASSERT_EQ(msgs.list.size(), 1u) << c.text;
        EXPECT_EQ(msgs.list[0], std::string("Processo 21") + c.message);
    }
    New();
    pp->Hysteresis = " 2,5 ";
    Apply();
    EXPECT_TRUE(msgs.list.empty());
    EXPECT_DOUBLE_EQ(pp->H(), 2.5);
}

// A text beyond the evaluator's limits is refused at apply with the limit
// named, and the step then takes it as an invalid formula (value 0).
TEST_F(ProcessTest, ExpressionsBeyondTheLimitsAreRefusedAndEvaluateToZero) {
    std::string longExpression = "M21";
    while (longExpression.size() <= kMaxExpressionCharacters) longExpression += "+M21";
    const std::string background = std::string(kMaxExpressionLevels + 1, '(') + "1";
    const std::string length = " (mais de 4096 caracteres)";
    const std::string levels = " (mais de 200 níveis de parênteses)";
    const struct {
        int kind;
        std::string Process::*field;
        const std::string& text;
        std::string message;
    } cases[] = {
        {0, &Process::GainText, longExpression, ": Ganho inválido" + length},
        {0, &Process::GainText, background, ": Ganho inválido" + levels},
        {0, &Process::DeadTime, longExpression, ": Tempo Morto inválido" + length},
        {0, &Process::LText, background, ": Tal1 inválido" + levels},
        {0, &Process::Ctext, longExpression, ": Tal2 inválido" + length},
        {2, &Process::LAG, background, ": LAG inválido" + levels},
        {2, &Process::LEAD, longExpression, ": LEAD inválido" + length},
        {0, &Process::ratetext, background, ": Rate inválido" + levels},
    };
    for (const auto& c : cases) {
        New();
        pp->TransferFunctionKind = c.kind;
        (*pp).*c.field = c.text;
        Apply();
        EXPECT_EQ(msgs.list, std::vector<std::string>{"Processo 21" + c.message});
    }
    // A refused gain is 0 at every step, a refused time constant no lag.
    New();
    pp->GainText = longExpression;
    Apply();
    EXPECT_EQ(Step(40), 0);
    New();
    pp->LText = background;
    EXPECT_EQ(Step(40), 40);
}

TEST_F(ProcessTest, NoInputSelectedIsTheOnlyError) {
    pp->InputSelect = -1;
    pp->GainText = "x";
    pp->TransferFunctionKind = 3;
    Apply();
    EXPECT_EQ(msgs.list, std::vector<std::string>{"Processo 21: Variável de entrada não informada"});
    EXPECT_EQ(pp->kind(), 0) << "nothing else is read";
    EXPECT_EQ(pp->inputAddress(), 1);
}

TEST_F(ProcessTest, ZeroCyclesIsRefusedButStoredSoTheStepIsCriticallyDamped) {
    pp->TransferFunctionKind = 1;
    pp->NCText = "0";
    Apply();
    EXPECT_EQ(msgs.list, std::vector<std::string>{"Processo 21: NCn inválido"});
    EXPECT_EQ(pp->kind(), 1);
    EXPECT_DOUBLE_EQ(pp->N(), 0);
    EXPECT_NEAR(Step(100), 0.34946727243136594, 1e-12);
}

// A zero period would make the natural frequency infinite: the apply refuses
// it, and the stored value makes the step follow the input.
TEST_F(ProcessTest, ZeroPeriodIsRefusedAndTheStepFollowsTheInput) {
    for (const char* period : {"0", "-5"}) {
        pp->TransferFunctionKind = 1;
        pp->PeriodText = period;
        Apply();
        EXPECT_EQ(msgs.list, std::vector<std::string>{"Processo 21: Periodo inválido"}) << period;
        EXPECT_DOUBLE_EQ(Step(40), 40) << period;
        EXPECT_DOUBLE_EQ(Step(60), 60) << period;
    }
}

// The buffer holds 10 000 samples: the apply refuses a dead time beyond
// 9 999 cycles at 0.1 s, and a live expression that goes beyond is bounded.
TEST_F(ProcessTest, DeadTimeBeyondTheBuffer) {
    pp->DeadTime = "999,9";
    Apply();
    EXPECT_TRUE(msgs.list.empty());
    pp->DeadTime = "1000";
    Apply();
    EXPECT_EQ(msgs.list, std::vector<std::string>{"Processo 21: Tempo Morto inválido (máximo 999.9 seg)"});

    pp->DeadTime = "M50";
    Apply();
    sim.mem[50] = 5000;
    Step(50);
    EXPECT_EQ(pp->state.D, Process::kMaxDelayCycles);
    EXPECT_DOUBLE_EQ(sim.mem[21], 0) << "still delayed, not passed straight through";
    sim.mem[50] = -3;  // negative at run time: no delay rather than a read outside the buffer
    EXPECT_DOUBLE_EQ(Step(50), 50);
    EXPECT_EQ(pp->state.D, 0);
}

// A typed parameter that zeroes a denominator or overflows never turns the
// plant into NaN: the state concerned holds its last value.
TEST_F(ProcessTest, NonFiniteResultsHoldTheLastValue) {
    struct Case {
        const char* name;
        void (*prepare)(Process&);
    };
    const Case cases[] = {
        {"tau1 = -T/2", [](Process& q) { q.LText = "-0,05"; }},
        {"tau2 = -T", [](Process& q) { q.Ctext = "-0.1"; }},
        {"lag = -T", [](Process& q) { q.TransferFunctionKind = 2; q.LAG = "-0.1"; }},
        {"actuator lag = -T", [](Process& q) { q.tauAText = "-0.1"; }},
        {"gain overflow", [](Process& q) { q.GainText = "1E308"; q.SaturatorDisabled = true; }},
        {"unstable, saturator off", [](Process& q) { q.TransferFunctionKind = 1; q.NCText = "-1"; q.SaturatorDisabled = true; }},
    };
    for (const auto& c : cases) {
        New();
        c.prepare(*pp);
        Apply();
        for (int i = 0; i < 20000; ++i) {
            Step(i < 5 ? 0 : 100);
            ASSERT_TRUE(std::isfinite(sim.mem[21])) << c.name << " cycle " << i;
            ASSERT_TRUE(std::isfinite(pp->state.a)) << c.name;
            ASSERT_TRUE(std::isfinite(pp->state.IntAc1) && std::isfinite(pp->state.IntAc2) &&
                        std::isfinite(pp->state.Y1old) && std::isfinite(pp->state.Y1old2))
                << c.name;
        }
    }
}

// A plant saved at rest and opened again stays at rest: the record does not
// hold the actuator chain and the dead-time buffer, and the load must put
// them where they stood. Each case brings a process with a long dead time
// and a gain other than 1 to rest, saves its record, reads it into a fresh
// process and runs it for twice the dead time and more.
TEST(ProcessRecord, PlantSavedAtRestStaysAtRestWhenOpened) {
    struct Case {
        const char* name;
        const char* hysteresis;
        const char* stiction;
        const char* rate;
        int curve;
        const char* tauA;
        int kind;
        const char* gain;
        double x;  // the input held
    };
    const Case cases[] = {
        {"backlash", "2", "0", "0", 0, "0", 0, "1.8", 40},
        {"stiction", "0", "3", "0", 0, "0", 0, "1.8", 40},
        {"rate limiter", "0", "0", "0.5", 0, "0", 0, "1.8", 40},
        {"quick-opening curve", "0", "0", "0", 1, "0", 0, "0.7", 40},
        {"equal-percentage curve", "0", "0", "0", 2, "0", 0, "1.8", 40},
        {"S1 curve", "0", "0", "0", 3, "0", 0, "1.8", 40},
        {"S2 curve", "0", "0", "0", 4, "0", 0, "1.8", 40},
        {"actuator lag", "0", "0", "0", 0, "8", 0, "1.8", 40},
        {"every stage, two lags", "1.5", "2", "2", 2, "5", 0, "2.5", 55},
        {"every stage, underdamped", "1.5", "2", "2", 3, "5", 1, "0.6", 55},
        {"every stage, lead-lag", "1.5", "2", "2", 1, "5", 2, "0.6", 55},
        // An integrator rests when its input is 0; its output is anywhere.
        {"every stage, integrator", "1.5", "2", "2", 0, "5", 3, "0.05", 0},
    };
    constexpr double kDeadTime = 150;  // s
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto configure = [&](Process& p) {
            p.LText = "20";
            p.Ctext = "5";
            p.NCText = "2";
            p.PeriodText = "30";
            p.LEAD = "4";
            p.LAG = "12";
            p.InitialValueText = "40";
            p.initialValuePending = true;
            p.Hysteresis = c.hysteresis;
            p.valveStext = c.stiction;
            p.ratetext = c.rate;
            p.ValveCurve = c.curve;
            p.tauAText = c.tauA;
            p.TransferFunctionKind = c.kind;
            p.GainText = c.gain;
            p.DeadTime = "150";
        };
        Simulation before;
        before.state.T = 0.1;
        auto saved = std::make_unique<Process>(before, 1);
        configure(*saved);
        ASSERT_TRUE(saved->ValidateParameters(false));
        // To rest: the input comes down to its value (the backlash then sits
        // on it) and stays there well past the dead time and the lags.
        before.mem[1] = c.x + 5;
        for (int i = 0; i < 600; ++i) saved->ComputeCycle();
        before.mem[1] = c.x;
        for (int i = 0; i < 8000; ++i) saved->ComputeCycle();
        const double y = before.mem[21];
        for (int i = 0; i < 600; ++i) {
            saved->ComputeCycle();
            ASSERT_NEAR(before.mem[21], y, 1e-9) << "not at rest before saving";
        }
        LineWriter w;
        saved->SaveParameters(w);

        Simulation after;
        after.state.T = 0.1;
        auto loaded = std::make_unique<Process>(after, 1);
        LineReader r(w.lines(), "teste.smp", false);
        loaded->ReadParameters(r);
        ASSERT_TRUE(loaded->ValidateParameters(false));
        after.mem[1] = c.x;  // what the controller's record restores
        const int cycles = static_cast<int>(2 * kDeadTime / 0.1) + 600;
        double worst = 0;
        for (int i = 0; i < cycles; ++i) {
            loaded->ComputeCycle();
            worst = std::max(worst, std::fabs(after.mem[21] - y));
        }
        // The record keeps two decimals of each state.
        EXPECT_LT(worst, 0.05) << "output saved " << y;
    }
}

}  // namespace
}  // namespace kivo
