// The animated text as the cycle steps it, without any window: the display
// step on every sixth tick, the three types with their formats and alarm
// colours, and the apply of a load.
#include "project/ValueDisplay.h"

#include <gtest/gtest.h>

#include <string>

#include "Helpers.h"
#include "../support/AllocationCounter.h"
#include "project/Project.h"

namespace kivo {
namespace {

// M21: 0..200 °C, limits 20 and 150.
void SetUpM21(Memory& mem) {
    mem.setEuMin(21, "0");
    mem.setEuMax(21, "200");
    mem.setLowAlarm(21, "20");
    mem.setHighAlarm(21, "150");
    mem.setUnit(21, "°C");
}

TEST(AnimatedText, DisplayStepRunsOnEverySixthTick) {
    Project p;
    SetUpM21(p.sim.mem);
    TextData& t = p.CreateText(1);
    // A new text shows its value at once: 0.00 and a blank.
    EXPECT_EQ(t.display().text(), "0.00 ");
    EXPECT_FALSE(t.display().red());
    t.VariableSelect = 20;  // M21
    t.ValidateParameters();
    p.sim.mem[21] = 50;
    // Until the sixth tick the value is the one before the variable was
    // chosen (the unit is already the one applied).
    for (int tick = 1; tick <= 5; ++tick) p.sim.Tick(tick * 100.0L);
    EXPECT_EQ(t.display().text(), "0.00 °C");
    p.sim.Tick(600);
    EXPECT_EQ(t.display().text(), "100.00 °C");
    EXPECT_FALSE(t.display().red());
    p.sim.mem[21] = 80;
    for (int tick = 7; tick <= 11; ++tick) p.sim.Tick(tick * 100.0L);
    EXPECT_EQ(t.display().text(), "100.00 °C");
    p.sim.Tick(1200);
    EXPECT_EQ(t.display().text(), "160.00 °C");
    EXPECT_TRUE(t.display().red());
}

// The display step runs in the cycle, which allocates nothing once running.
TEST(AnimatedText, DisplayStepAllocatesNothing) {
    Project p;
    SetUpM21(p.sim.mem);
    p.sim.mem.setHighAlarm(21, "M22*2");
    for (int kind = 0; kind < 3; ++kind) {
        TextData& t = p.CreateText(kind + 1);
        t.Kind = kind;
        t.VariableSelect = kind == 1 ? 10 : 20;
        t.FunctionText = kind == 1 ? "Parado/Ligado" : "M21/2,5+M22";
        t.ValidateParameters();
    }
    long double current = 0;
    const auto tick = [&] { p.sim.Tick(current += 100); };
    for (int i = 0; i < 6; ++i) tick();
    std::uint64_t allocations = 0;
    for (int i = 0; i < 60; ++i) {
        p.sim.mem[21] = i;
        allocations += testing::AllocationsOf(tick);
    }
    EXPECT_EQ(allocations, 0u);
}

struct Case {
    const char* name;
    int kind;
    int variable;  // display list index, -1 none
    const char* formula;
    double value;  // of the variable, or of M21 for a formula
    int decimals;
    const char* text;
    bool red;
};

class TextFormat : public ::testing::TestWithParam<Case> {};

TEST_P(TextFormat, TextAndColour) {
    const Case& c = GetParam();
    Project p;
    SetUpM21(p.sim.mem);
    TextData& t = p.CreateText(1);
    t.Kind = c.kind;
    t.VariableSelect = c.variable;
    t.FunctionText = c.formula;
    t.RangeMaxText = "200";
    t.Unit = "kg";
    t.DecimalPlaces = c.decimals;
    t.ValidateParameters();
    p.sim.mem[c.variable >= 0 ? c.variable + 1 : 21] = c.value;
    t.ComputeCycle();
    EXPECT_EQ(t.display().text(), c.text);
    EXPECT_EQ(t.display().red(), c.red);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, TextFormat,
    ::testing::Values(Case{"ScalarInRange", 0, 20, "", 50, 1, "100.0 °C", false},
                      Case{"ScalarAboveLSE", 0, 20, "", 80, 0, "160 °C", true},
                      Case{"ScalarBelowLIE", 0, 20, "", 5, 3, "10.000 °C", true},
                      // Above M99 there is no table entry: a plain percentage.
                      Case{"ScalarAboveM99", 0, 109, "", 25, 1, "25.0 %", false},
                      Case{"BinaryZero", 1, 10, "Parado/Ligado", 0, 2, "Parado", true},
                      Case{"BinaryHalf", 1, 10, "Parado/Ligado", 0.5, 2, "Ligado", false},
                      Case{"BinaryNegative", 1, 10, "Parado/Ligado", -3, 2, "Ligado", false},
                      Case{"BinaryWithoutSlash", 1, 10, "Ligado", 0, 2, "", true},
                      Case{"FormulaOnItsRange", 2, -1, "25*2", 0, 1, "100.0 kg", false},
                      Case{"FormulaWithAComma", 2, -1, "M21/2,5", 50, 2, "40.00 kg", false}),
    [](const ::testing::TestParamInfo<Case>& i) { return std::string(i.param.name); });

TEST(AnimatedText, ControllerOutputChosenStartsTheRangeAtZero) {
    Project p;
    p.sim.mem.setEuMin(3, "10");
    p.sim.mem.setEuMax(3, "90");
    TextData& t = p.CreateText(1);
    t.VariableSelect = 2;  // M3
    t.display().VariableChosen();
    EXPECT_EQ(t.RangeMinText, "0.00");
    EXPECT_EQ(t.RangeMaxText, "90");
}

// The loader applies every text, so a formula shows its value at the first
// display refresh, and a scalar text takes its range from the table.
TEST(AnimatedText, LoadAppliesTheText) {
    Project a;
    SetUpM21(a.sim.mem);
    TextData& formula = a.CreateText(1);
    formula.Kind = 2;
    formula.FunctionText = "25*2";
    formula.RangeMaxText = "200";
    TextData& scalar = a.CreateText(2);
    scalar.VariableSelect = 20;  // M21, its range fields still the defaults
    Project b;
    const LoadResult res = test::Load(b, ProjectLines(a));
    ASSERT_TRUE(res.ok) << res.error;
    EXPECT_EQ(b.text(2)->RangeMaxText, "200");
    EXPECT_EQ(b.text(2)->Unit, "°C");
    b.sim.mem[21] = 50;
    for (int tick = 1; tick <= 6; ++tick) b.sim.Tick(tick * 100.0L);
    EXPECT_EQ(b.text(1)->display().text(), "100.00 ");
    EXPECT_EQ(b.text(2)->display().text(), "100.00 °C");
}

}  // namespace
}  // namespace kivo
