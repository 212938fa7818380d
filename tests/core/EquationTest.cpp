#include "core/Equation.h"

#include <gtest/gtest.h>

#include <string>

#include "EquationCases.h"

namespace kivo {
namespace {

TEST(Equation, ReferenceCases) {
    Memory mem;
    testing::PrepareMemory(mem);
    for (const auto& c : testing::EquationCases()) {
        const double v = EvaluateText(c.text, mem);
        EXPECT_EQ(v, c.value) << '"' << c.text << '"';
        EXPECT_EQ(!EquationError.empty(), c.error) << '"' << c.text << '"';
    }
}

TEST(Equation, ErrorIsClearedByTheNextSuccessfulCall) {
    Memory mem;
    EvaluateText("LN(2)", mem);
    EXPECT_EQ(EquationError, "Inconsistência na Equação!");
    EvaluateText("1+1", mem);
    EXPECT_TRUE(EquationError.empty());
}

TEST(Equation, SubstitutionWritesNumberTexts) {
    Memory mem;
    mem[5] = -3;
    mem[21] = 40;
    EXPECT_EQ(SubstituteVariables("m21+M05", mem), " 4.00000000000000E+0001+-3.00000000000000E+0000");
    EXPECT_EQ(SubstituteVariables("1+M5", mem), "0");
    EXPECT_EQ(SubstituteVariables("M00*2", mem), "0*2");
    EXPECT_EQ(ReplaceCommasWithPoints("1,5,2"), "1.5.2");
    // The substituted text is evaluated later with the values of that moment.
    const std::string frozen = SubstituteVariables("M21*2", mem);
    mem[21] = 0;
    EXPECT_EQ(EvaluateEquation(frozen), 80);
}

TEST(Equation, HostileTextsNeverCrash) {
    Memory mem;
    const std::string deep = std::string(200, '(') + "1" + std::string(200, ')');
    EXPECT_EQ(EvaluateText(deep, mem), 1);
    const std::string unbalanced = std::string(200, '(') + "2*3";
    EXPECT_EQ(EvaluateText(unbalanced, mem), 6);
    std::string longSum;
    for (int i = 0; i < 2047; ++i) longSum += "1+";
    longSum += "1";
    EXPECT_EQ(EvaluateText(longSum, mem), 2048);
    std::string control = "1+";
    control += '\0';
    control += "\x01\x7f";
    EXPECT_EQ(EvaluateText(control, mem), 0);
    EXPECT_FALSE(EquationError.empty());
    EXPECT_EQ(EvaluateText(std::string(400, '9'), mem), 1.79769313486231e308);
    EvaluateText("****///^^^", mem);
    EXPECT_TRUE(EquationError.empty());
}

// Texts beyond the limits are refused as a whole, before substitution: the
// limits hold for the text as typed, whatever its variables expand to.
TEST(Equation, TextsBeyondTheLimitsAreRefused) {
    Memory mem;
    mem[21] = 1;
    const std::string sum = [] {
        std::string s = "M21";
        while (s.size() + 4 <= kMaxExpressionCharacters) s += "+M21";
        return s + std::string(kMaxExpressionCharacters - s.size(), ' ');
    }();
    ASSERT_EQ(sum.size(), kMaxExpressionCharacters);
    const std::string nested =
        std::string(kMaxExpressionLevels, '(') + "M21" + std::string(kMaxExpressionLevels, ')');
    // "ç" is two bytes but one character.
    std::string accents;
    for (std::size_t i = 0; i < kMaxExpressionCharacters; ++i) accents += "\xC3\xA7";
    const struct {
        std::string text;
        ExpressionExcess excess;
    } cases[] = {
        {sum, ExpressionExcess::None},
        {sum + "1", ExpressionExcess::Length},
        {nested, ExpressionExcess::None},
        {"(" + nested + ")", ExpressionExcess::Nesting},
        {std::string(kMaxExpressionLevels + 1, '(') + "1", ExpressionExcess::Nesting},
        // A ")" without its "(" closes nothing, and groups in a row do not add up.
        {std::string(1000, ')') + std::string(kMaxExpressionLevels, '('), ExpressionExcess::None},
        {[] {
             std::string s;
             for (int i = 0; i < 500; ++i) s += "((1))+";
             return s + "0";
         }(),
         ExpressionExcess::None},
        {accents, ExpressionExcess::None},
        {accents + "1", ExpressionExcess::Length},
        {std::string(1 << 20, '9'), ExpressionExcess::Length},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExpressionExcessOf(c.text), c.excess) << c.text.substr(0, 30);
        if (c.excess == ExpressionExcess::None) continue;
        EXPECT_EQ(EvaluateText(c.text, mem), 0);
        EXPECT_EQ(EquationError, kEquationErrorText);
        EXPECT_EQ(EvaluateEquation(c.text), 0);
        EXPECT_EQ(EquationError, kEquationErrorText);
    }
    EXPECT_EQ(EvaluateText(sum, mem), 1024);
    EXPECT_TRUE(EquationError.empty());
    EXPECT_EQ(EvaluateText(nested, mem), 1);
    EXPECT_TRUE(EquationError.empty());
}

}  // namespace
}  // namespace kivo
