#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Collector.h"
#include "core/Equation.h"
#include "objects/Blocks.h"

namespace kivo {
namespace {

using test::Collector;

class BlockTest : public ::testing::Test {
protected:
    void SetUp() override {
        b = std::make_unique<Block>(sim, 1);
        b->messages = msgs.output();
        sim.mem[21] = 40;
        sim.mem[22] = 70;
        sim.mem[23] = 55;
    }
    bool Apply(const std::string& function) {
        b->FunctionText = function;
        msgs.list.clear();
        return b->ValidateParameters(true);
    }
    double Step() {
        b->ComputeCycle();
        return sim.mem[41];
    }

    Simulation sim;
    std::unique_ptr<Block> b;
    Collector msgs;
};

TEST_F(BlockTest, FunctionsAndSelectors) {
    const struct {
        const char* function;
        double y;
    } cases[] = {
        {"M21*0.5+10", 30}, {"M21*0,5+10", 30}, {"m21*0.5+10", 30}, {"M21>M22", 70}, {"M22>M21", 70},
        {"M21<M22", 40},    {"(M21+M22)/2<M23", 55}, {"M21-100>0", 0}, {"", 0},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(Apply(c.function)) << c.function;
        EXPECT_DOUBLE_EQ(Step(), c.y) << c.function;
    }
    sim.mem[21] = 90;
    ASSERT_TRUE(Apply("M21>M22"));
    EXPECT_DOUBLE_EQ(Step(), 90) << "follows the variables live";
}

// The selector is looked for in the text as substitution leaves it: a ">"
// taken by a reference splits nothing, and a dangling "M" makes the whole
// text "0". The block must agree with the reference chain on such texts.
TEST_F(BlockTest, SelectorSplitAgreesWithTheReferenceChain) {
    sim.mem[2] = 3;
    for (const char* function : {"M2>5", "M21>M2", "M2<M21", "M21>M22<M23", "2>M2", "M21+1>", ">M21", "M2>>1"}) {
        Apply(function);
        const double y = Step();
        const std::string t = SubstituteVariables(function, sim.mem);
        const auto p = t.find('>') != std::string::npos ? t.find('>') : t.find('<');
        double expected;
        if (p == std::string::npos) {
            expected = EvaluateEquation(t);
        } else {
            const double L = EvaluateEquation(t.substr(0, p));
            const double R = EvaluateEquation(t.substr(p + 1));
            expected = t[p] == '>' ? (L > R ? L : R) : (L < R ? L : R);
        }
        EXPECT_DOUBLE_EQ(y, expected) << function;
    }
}

TEST_F(BlockTest, OnlyTheFirstSelectorSplits) {
    EXPECT_FALSE(Apply("M21>M22<M23"));
    EXPECT_EQ(msgs.list, std::vector<std::string>{"Bloco 41: Função inválida"});
    EXPECT_DOUBLE_EQ(Step(), 40) << "the failing side counts 0";
}

TEST_F(BlockTest, Limits) {
    const struct {
        bool upper, inf;
        const char *hi, *lo;
        const char* function;
        double y;
    } cases[] = {
        {true, true, "105", "-5", "120", 105},   {true, true, "105", "-5", "-20", -5},
        {false, true, "105", "-5", "120", 120},  {true, true, "50", "60", "55", 60},
        {true, true, "50", "60", "10", 60},      {true, false, "M23", "", "M22", 55},
        {true, true, "1,5E2", "0", "200", 150},
    };
    for (const auto& c : cases) {
        b->UpperLimitCheck = c.upper;
        b->LowerLimitCheck = c.inf;
        b->UpperLimitText = c.hi;
        b->LowerLimitText = c.lo;
        ASSERT_TRUE(Apply(c.function)) << c.function;
        EXPECT_DOUBLE_EQ(Step(), c.y) << c.function << " in " << c.lo << ".." << c.hi;
    }
    b->UpperLimitCheck = false;  // read every cycle
    EXPECT_DOUBLE_EQ(Step(), 200);
}

TEST_F(BlockTest, ApplyStoresTextsAndDescriptionBeforeAnyCheck) {
    b->DescriptionText = "Razão";
    b->UpperLimitCheck = b->LowerLimitCheck = true;
    b->UpperLimitText = "x";
    b->LowerLimitText = "y";
    EXPECT_FALSE(Apply("abs(M21)"));
    EXPECT_EQ(msgs.list, (std::vector<std::string>{"Bloco 41: Função inválida", "Bloco 41: Limite Superior inválido",
                                                    "Bloco 41: Limite Inferior inválido"}));
    EXPECT_EQ(sim.mem.entry(41).description, "Razão");
    EXPECT_EQ(b->appliedFunction(), "abs(M21)");
    EXPECT_DOUBLE_EQ(Step(), 0) << "invalid texts are used as stored: each gives 0";

    b->UpperLimitCheck = b->LowerLimitCheck = false;
    EXPECT_FALSE(Apply("1+q"));
    EXPECT_EQ(msgs.list.size(), 1u) << "disabled limits are not checked";
    b->FunctionText = "7";
    EXPECT_DOUBLE_EQ(Step(), 0) << "an edit waits for the apply";
}

// The limits of an expression hold for the function as typed, both sides of
// its selector together; a refused function gives 0 like an invalid one, and
// the output limits still act on it.
TEST_F(BlockTest, TextsBeyondTheLimitsAreRefusedWhole) {
    std::string side = "M21";
    while (side.size() + 4 < 2100) side += "+M21";
    const std::string background = std::string(kMaxExpressionLevels + 1, '(') + "M21";
    const struct {
        std::string function;
        const char* message;
    } cases[] = {
        {side + ">" + side, "Bloco 41: Função inválida (mais de 4096 caracteres)"},
        {"M22<" + background, "Bloco 41: Função inválida (mais de 200 níveis de parênteses)"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(Apply(c.function));
        EXPECT_EQ(msgs.list, std::vector<std::string>{c.message});
        EXPECT_EQ(Step(), 0);
    }
    ASSERT_TRUE(Apply(side + ">M22"));
    EXPECT_EQ(Step(), 40 * 525);

    b->LowerLimitCheck = true;
    b->LowerLimitText = std::string(5000, '1');
    EXPECT_FALSE(Apply("M21"));
    EXPECT_EQ(msgs.list, std::vector<std::string>{"Bloco 41: Limite Inferior inválido (mais de 4096 caracteres)"});
    EXPECT_EQ(Step(), 40) << "a refused lower limit is 0";
    b->LowerLimitText = "10";
    EXPECT_FALSE(Apply(background));
    EXPECT_EQ(Step(), 10);
}

TEST_F(BlockTest, SlotsWriteTheirOwnAddresses) {
    const struct {
        int slot, address;
    } cases[] = {{1, 41}, {20, 60}, {21, 75}, {24, 78}};
    for (const auto& c : cases) {
        Block q(sim, c.slot);
        Collector m;
        q.messages = m.output();
        q.FunctionText = "x";
        q.ValidateParameters(true);
        EXPECT_EQ(m.list, std::vector<std::string>{"Bloco " + std::to_string(c.address) + ": Função inválida"});
        q.FunctionText = "12";
        q.ValidateParameters(true);
        q.ComputeCycle();
        EXPECT_DOUBLE_EQ(sim.mem[c.address], 12);
    }
}

}  // namespace
}  // namespace kivo
