#include "core/Equation.h"

#include <gtest/gtest.h>

#include <string>

#include "EquationCases.h"

namespace kivo {
namespace {

TEST(Equation, ReferenceCases) {
    Memorias mem;
    testing::PreparaMemoria(mem);
    for (const auto& c : testing::CasosEquacao()) {
        const double v = AvaliaTexto(c.text, mem);
        EXPECT_EQ(v, c.value) << '"' << c.text << '"';
        EXPECT_EQ(!ErroEquacao.empty(), c.error) << '"' << c.text << '"';
    }
}

TEST(Equation, ErrorIsClearedByTheNextSuccessfulCall) {
    Memorias mem;
    AvaliaTexto("LN(2)", mem);
    EXPECT_EQ(ErroEquacao, "Inconsistência na Equação!");
    AvaliaTexto("1+1", mem);
    EXPECT_TRUE(ErroEquacao.empty());
}

TEST(Equation, SubstitutionWritesNumberTexts) {
    Memorias mem;
    mem[5] = -3;
    mem[21] = 40;
    EXPECT_EQ(SubstituiMemorias("m21+M05", mem), " 4.00000000000000E+0001+-3.00000000000000E+0000");
    EXPECT_EQ(SubstituiMemorias("1+M5", mem), "0");
    EXPECT_EQ(SubstituiMemorias("M00*2", mem), "0*2");
    EXPECT_EQ(TrocaVirgulaPorPonto("1,5,2"), "1.5.2");
    // The substituted text is evaluated later with the values of that moment.
    const std::string frozen = SubstituiMemorias("M21*2", mem);
    mem[21] = 0;
    EXPECT_EQ(AvaliaEquacao(frozen), 80);
}

TEST(Equation, HostileTextsNeverCrash) {
    Memorias mem;
    const std::string deep = std::string(3000, '(') + "1" + std::string(3000, ')');
    EXPECT_EQ(AvaliaTexto(deep, mem), 1);
    const std::string unbalanced = std::string(2000, '(') + "2*3";
    EXPECT_EQ(AvaliaTexto(unbalanced, mem), 6);
    std::string longSum;
    for (int i = 0; i < 5000; ++i) longSum += "1+";
    longSum += "1";
    EXPECT_EQ(AvaliaTexto(longSum, mem), 5001);
    std::string control = "1+";
    control += '\0';
    control += "\x01\x7f";
    EXPECT_EQ(AvaliaTexto(control, mem), 0);
    EXPECT_FALSE(ErroEquacao.empty());
    EXPECT_EQ(AvaliaTexto(std::string(100000, '9'), mem), 1.79769313486231e308);
    AvaliaTexto("****///^^^", mem);
    EXPECT_TRUE(ErroEquacao.empty());
}

}  // namespace
}  // namespace kivo
