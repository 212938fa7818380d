#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "core/Equation.h"
#include "core/NumberText.h"
#include "objects/Generators.h"

namespace kivo {
namespace {

using L = GeneratorRow;

// The generator as its definition reads, to know which numbers the bank drew.
struct Replica {
    std::uint32_t seed;
    std::uint32_t operator()(std::uint32_t n) {
        seed = seed * 134775813u + 1u;
        return static_cast<std::uint32_t>((static_cast<std::uint64_t>(seed) * n) >> 32);
    }
};

class GeneratorsTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim.state.T = 0.1;
        sim.randomGenerator.SetSeed(12345);
    }
    GeneratorRow& Row(int g, int kind, const char* mn, const char* mx, const char* desc) {
        GeneratorRow& l = bank.line(g);
        l.Kind = kind;
        bank.LayoutRow(g, false);
        l.Min = mn;
        l.Max = mx;
        l.Desc = desc;
        return l;
    }

    Simulation sim;
    Generators bank{sim};
};

TEST_F(GeneratorsTest, ConstantsAreSetByTheApply) {
    const struct {
        const char* value;
        double m;
        int spin;
    } cases[] = {{"12,5", 12.5, 12}, {"13.5", 13.5, 14}, {"Valor", 0, 0}, {"M21", 0, 0}, {"150", 150, 100}, {"2*3", 6, 6}};
    for (const auto& c : cases) {
        bank.line(91).Value = c.value;
        bank.ApplyParameters();
        EXPECT_DOUBLE_EQ(sim.mem[91], c.m) << c.value;
        EXPECT_EQ(bank.line(91).UpDown, c.spin) << c.value;
    }
    GeneratorRow& l = bank.line(96);
    l.Kind = L::Constant01;
    l.DigitalValue = 1;
    bank.ApplyParameters();
    EXPECT_DOUBLE_EQ(sim.mem[96], 1);
    EXPECT_EQ(l.Value, "1");
    for (int i = 0; i < 100; ++i) bank.ComputeCycle();
    EXPECT_DOUBLE_EQ(sim.mem[96], 1) << "constants never change by themselves";
    EXPECT_DOUBLE_EQ(sim.mem[91], 6);
}

TEST_F(GeneratorsTest, FastRandomDrawsEveryTickAndNeverReachesMax) {
    Row(81, L::FastRandom, "20", "80", "Ruído");
    bank.ApplyParameters();
    Replica r{12345};
    for (int i = 0; i < 2000; ++i) {
        bank.ComputeCycle();
        const double expected = 20 + 60.0 / 10000 * r(10000);
        ASSERT_DOUBLE_EQ(sim.mem[81], expected) << i;
        ASSERT_LT(sim.mem[81], 80);
    }
    EXPECT_EQ(bank.line(81).Value, FormatFixed(sim.mem[81], 0, 2));
}

// The medium random draws a new target with probability 500/30000 per 0.1 s
// and the slow random a new value with 30/30000, both scaled by T / 0.1.
TEST_F(GeneratorsTest, MediumAndSlowRandomRates) {
    const struct {
        int kind;
        double T;
        double probability;
    } cases[] = {{L::MediumRandom, 0.1, 500.0 / 30000}, {L::MediumRandom, 0.5, 2500.0 / 30000},
                 {L::SlowRandom, 0.1, 30.0 / 30000},  {L::SlowRandom, 1.0, 300.0 / 30000}};
    for (const auto& c : cases) {
        Generators b(sim);
        GeneratorRow& l = b.line(82);
        l.Kind = c.kind;
        l.Min = "0";
        l.Max = "100";
        l.Desc = "0";
        b.ApplyParameters();
        sim.state.T = c.T;
        const int n = 400000;
        int newValues = 0;
        double previous = -1;
        for (int i = 0; i < n; ++i) {
            b.ComputeCycle();
            const double v = c.kind == L::MediumRandom ? l.target : sim.mem[82];
            if (v != previous) ++newValues;
            previous = v;
        }
        const double expected = n * c.probability;
        EXPECT_NEAR(newValues, expected, 4 * std::sqrt(expected)) << c.kind << " at T " << c.T;
    }
}

TEST_F(GeneratorsTest, MediumRandomFollowsItsTargetThroughALag) {
    GeneratorRow& l = Row(83, L::MediumRandom, "0", "100", "2");
    bank.ApplyParameters();
    Replica r{12345};
    double target = 0, y = 0;
    for (int i = 0; i < 3000; ++i) {
        bank.ComputeCycle();
        if (500 > r(30000)) target = 100.0 / 10000 * r(10000);
        y = 2 / 2.1 * y + 0.1 / 2.1 * target;
        ASSERT_NEAR(sim.mem[83], y, 1e-9) << i;
    }
    EXPECT_DOUBLE_EQ(l.target, target);
}

TEST_F(GeneratorsTest, MediumRandomWithTauMinusTHolds) {
    Row(83, L::MediumRandom, "0", "100", "-0.1");
    bank.ApplyParameters();
    EXPECT_DOUBLE_EQ(bank.line(83).P3, -0.1);
    for (int i = 0; i < 3000; ++i) {
        bank.ComputeCycle();
        ASSERT_TRUE(std::isfinite(sim.mem[83])) << i;
    }
}

TEST_F(GeneratorsTest, SineFromFiftyToHundredInAQuarterPeriod) {
    Row(84, L::Sine, "0", "100", "60");
    bank.ApplyParameters();
    bank.ComputeCycle();
    EXPECT_NEAR(sim.mem[84], 50 + 50 * std::sin(2 * M_PI * 0.1 / 60), 1e-9);
    for (int i = 1; i < 150; ++i) bank.ComputeCycle();
    EXPECT_NEAR(sim.mem[84], 100, 1e-9);
    EXPECT_EQ(sim.mem.entry(84).description, "Sinal Senoidal") << "the apply keeps the kind's name";

    bank.line(84).Desc = "M21";  // read every tick
    sim.mem[21] = 4;
    bank.ComputeCycle();  // t = 15.1 s
    EXPECT_NEAR(sim.mem[84], 50 + 50 * std::sin(2 * M_PI * 15.1 / 4), 1e-9);
    sim.mem[21] = 0;
    bank.ComputeCycle();
    EXPECT_DOUBLE_EQ(sim.mem[84], 0) << "a period of 0 gives 0";
}

TEST_F(GeneratorsTest, RandomWalkStepsWithinTheBandAndJumpsBack) {
    Row(85, L::RandomWalk, "50", "1", "10");
    bank.ApplyParameters();
    Replica r{12345};
    double w = 50;
    int wraps = 0;
    for (int i = 0; i < 20000; ++i) {
        bank.ComputeCycle();
        const double oneStep = r(10000) / 5000.0 - 1;
        ASSERT_GE(oneStep, -1);
        ASSERT_LT(oneStep, 1);
        w += oneStep;
        if (w > 60 || w < 40) {
            w = 50;
            ++wraps;
        }
        ASSERT_DOUBLE_EQ(sim.mem[85], w) << i;
    }
    EXPECT_GT(wraps, 0);
}

TEST_F(GeneratorsTest, EquationLogarithmAndExponential) {
    sim.mem[21] = 7;
    const struct {
        int kind;
        const char* text;
        double before, after;
    } cases[] = {
        {L::Equation, "M21*2", 0, 14},  {L::Equation, "xyz", 5, 0},       {L::Logarithm, "0", 5, 5},
        {L::Logarithm, "M21", 5, std::log(7.0)}, {L::Exponential, "0", 5, 1}, {L::Exponential, "1000", 5, 5},
    };
    for (const auto& c : cases) {
        Row(81, c.kind, "", "", "d").Value = c.text;
        bank.ApplyParameters();
        sim.mem[81] = c.before;
        bank.ComputeCycle();
        EXPECT_DOUBLE_EQ(sim.mem[81], c.after) << c.kind << " " << c.text;
        EXPECT_EQ(bank.line(81).Value, c.text) << "the field keeps the equation";
    }
    // Only rows 81..85 offer equations.
    Row(86, L::Equation, "", "", "d").Value = "5";
    bank.ApplyParameters();
    bank.ComputeCycle();
    EXPECT_DOUBLE_EQ(sim.mem[86], 0);
}

// Texts beyond the evaluator's limits give what an invalid text gives.
TEST_F(GeneratorsTest, TextsBeyondTheLimitsActAsInvalidOnes) {
    sim.mem[21] = 7;
    std::string longExpression = "M21";
    while (longExpression.size() <= kMaxExpressionCharacters) longExpression += "+M21";
    const std::string deep = std::string(kMaxExpressionLevels + 1, '(') + "60";
    bank.line(91).Value = std::string(kMaxExpressionCharacters + 1, '1');
    Row(81, L::Equation, "", "", "d").Value = longExpression;
    Row(82, L::Exponential, "", "", "d").Value = deep;
    Row(83, L::Sine, "0", "100", deep.c_str());
    bank.ApplyParameters();
    sim.mem[81] = sim.mem[82] = sim.mem[83] = 5;
    bank.ComputeCycle();
    EXPECT_EQ(sim.mem[91], 0);
    EXPECT_EQ(sim.mem[81], 0);
    EXPECT_EQ(sim.mem[82], 1) << "e to the power 0";
    EXPECT_EQ(sim.mem[83], 0) << "a period of 0";
}

TEST_F(GeneratorsTest, EquationIsStoredAtApply) {
    Row(81, L::Equation, "", "", "d").Value = "3";
    bank.ApplyParameters();
    bank.line(81).Value = "4";
    bank.ComputeCycle();
    EXPECT_DOUBLE_EQ(sim.mem[81], 3);
}

TEST_F(GeneratorsTest, LayoutPlaceholdersAndDescriptions) {
    const struct {
        int kind;
        const char *mn, *mx, *desc, *value, *description;
    } cases[] = {
        {L::Constant, "Min.", "Máx.", "Descrição", "Valor", "Constante 0-100"},
        {L::Constant01, "Min.", "Máx.", "Descrição", "x", "Constante 0-1"},
        {L::FastRandom, "Min", "Máx.", "Descrição", "x", "Aleatório"},
        {L::MediumRandom, "Min.", "Máx.", "Tal(seg)", "x", "Aleatório Médio"},
        {L::SlowRandom, "Min", "Máx.", "Descrição", "x", "Aleatório"},
        {L::Sine, "Min.", "Máx.", "Per (seg)", "x", "Sinal Senoidal"},
        {L::RandomWalk, "Inicial", "Ganho", "Faixa", "x", "Random Walk"},
        {L::Equation, "Min.", "Máx.", "Descrição", "Equação", "Equação"},
        {L::Logarithm, "Min.", "Máx.", "Descrição", "Equação", "LN()"},
        {L::Exponential, "Min.", "Máx.", "Descrição", "Equação", "Exp()"},
    };
    for (const auto& c : cases) {
        Generators b(sim);
        GeneratorRow& l = b.line(82);
        l.Value = "x";
        l.P3 = l.W = 9;
        l.Kind = c.kind;
        b.LayoutRow(82, false);
        EXPECT_EQ(l.Min, c.mn) << c.kind;
        EXPECT_EQ(l.Max, c.mx) << c.kind;
        EXPECT_EQ(l.Desc, c.desc) << c.kind;
        EXPECT_EQ(l.Value, c.value) << c.kind;
        EXPECT_EQ(sim.mem.entry(82).description, c.description) << c.kind;
        EXPECT_EQ(l.P3, 0);
        EXPECT_EQ(l.W, 0);
    }
}

TEST_F(GeneratorsTest, LayoutWhileLoadingKeepsTextsAndOnlyTheRandomAndSineNames) {
    const struct {
        int kind;
        const char* description;
    } cases[] = {{L::Constant, "antes"},       {L::FastRandom, "Aleatório"}, {L::MediumRandom, "Aleatório Médio"},
                 {L::Sine, "Sinal Senoidal"}, {L::RandomWalk, "antes"},       {L::Exponential, "antes"}};
    for (const auto& c : cases) {
        GeneratorRow& l = bank.line(87);
        l.Desc = "lido";
        l.Kind = c.kind;
        sim.mem.setDescription(87, "antes");
        bank.LayoutRow(87, true);
        EXPECT_EQ(l.Desc, "lido");
        EXPECT_EQ(sim.mem.entry(87).description, c.description) << c.kind;
    }
}

TEST_F(GeneratorsTest, ApplyWritesDescriptionsAndParameters) {
    GeneratorRow& l = Row(88, L::RandomWalk, "50,7", "2", "10");
    bank.ApplyParameters();
    EXPECT_EQ(sim.mem.entry(88).description, "10") << "the field holds the band, and the apply writes it";
    EXPECT_DOUBLE_EQ(l.min, 50) << "a comma ends these numbers";
    EXPECT_DOUBLE_EQ(l.W, 50);
    EXPECT_DOUBLE_EQ(l.P3, 10);
    EXPECT_EQ(sim.mem.entry(81).description, "Descrição") << "an untouched row";
    EXPECT_DOUBLE_EQ(sim.mem[81], 0);
}

TEST_F(GeneratorsTest, ResetKeepsSineTimesAndMediumTargets) {
    GeneratorRow& l = Row(81, L::MediumRandom, "0", "100", "1");
    bank.ApplyParameters();
    for (int i = 0; i < 2000; ++i) bank.ComputeCycle();
    const double target = l.target;
    l.t = 12.5;
    ASSERT_NE(target, 0);
    bank.Reset();
    EXPECT_DOUBLE_EQ(l.target, target);
    EXPECT_DOUBLE_EQ(l.t, 12.5);
    EXPECT_DOUBLE_EQ(l.y, 0);
    EXPECT_EQ(l.Kind, L::Constant);
    EXPECT_EQ(l.Value, "Valor");
}

TEST_F(GeneratorsTest, SlowRandomShowsOnlyNewValues) {
    GeneratorRow& l = Row(90, L::SlowRandom, "0", "100", "d");
    l.Value = "33";
    bank.ApplyParameters();
    EXPECT_DOUBLE_EQ(sim.mem[90], 33);
    for (int i = 0; i < 100000 && sim.mem[90] == 33; ++i) {
        bank.ComputeCycle();
        if (sim.mem[90] == 33) {
            ASSERT_EQ(l.Value, "33");
        }
    }
    ASSERT_NE(sim.mem[90], 33);
    EXPECT_EQ(l.Value, FormatFixed(sim.mem[90], 0, 2));
}

}  // namespace
}  // namespace kivo
