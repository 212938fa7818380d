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
    const std::string deep = std::string(200, '(') + "1" + std::string(200, ')');
    EXPECT_EQ(AvaliaTexto(deep, mem), 1);
    const std::string unbalanced = std::string(200, '(') + "2*3";
    EXPECT_EQ(AvaliaTexto(unbalanced, mem), 6);
    std::string longSum;
    for (int i = 0; i < 2047; ++i) longSum += "1+";
    longSum += "1";
    EXPECT_EQ(AvaliaTexto(longSum, mem), 2048);
    std::string control = "1+";
    control += '\0';
    control += "\x01\x7f";
    EXPECT_EQ(AvaliaTexto(control, mem), 0);
    EXPECT_FALSE(ErroEquacao.empty());
    EXPECT_EQ(AvaliaTexto(std::string(400, '9'), mem), 1.79769313486231e308);
    AvaliaTexto("****///^^^", mem);
    EXPECT_TRUE(ErroEquacao.empty());
}

// Texts beyond the limits are refused as a whole, before substitution: the
// limits hold for the text as typed, whatever its variables expand to.
TEST(Equation, TextsBeyondTheLimitsAreRefused) {
    Memorias mem;
    mem[21] = 1;
    const std::string soma = [] {
        std::string s = "M21";
        while (s.size() + 4 <= kMaxCaracteresExpressao) s += "+M21";
        return s + std::string(kMaxCaracteresExpressao - s.size(), ' ');
    }();
    ASSERT_EQ(soma.size(), kMaxCaracteresExpressao);
    const std::string aninhado =
        std::string(kMaxNiveisExpressao, '(') + "M21" + std::string(kMaxNiveisExpressao, ')');
    // "ç" is two bytes but one character.
    std::string acentos;
    for (std::size_t i = 0; i < kMaxCaracteresExpressao; ++i) acentos += "\xC3\xA7";
    const struct {
        std::string texto;
        ExcessoExpressao excesso;
    } casos[] = {
        {soma, ExcessoExpressao::Nenhum},
        {soma + "1", ExcessoExpressao::Comprimento},
        {aninhado, ExcessoExpressao::Nenhum},
        {"(" + aninhado + ")", ExcessoExpressao::Aninhamento},
        {std::string(kMaxNiveisExpressao + 1, '(') + "1", ExcessoExpressao::Aninhamento},
        // A ")" without its "(" closes nothing, and groups in a row do not add up.
        {std::string(1000, ')') + std::string(kMaxNiveisExpressao, '('), ExcessoExpressao::Nenhum},
        {[] {
             std::string s;
             for (int i = 0; i < 500; ++i) s += "((1))+";
             return s + "0";
         }(),
         ExcessoExpressao::Nenhum},
        {acentos, ExcessoExpressao::Nenhum},
        {acentos + "1", ExcessoExpressao::Comprimento},
        {std::string(1 << 20, '9'), ExcessoExpressao::Comprimento},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(ExcessoDaExpressao(c.texto), c.excesso) << c.texto.substr(0, 30);
        if (c.excesso == ExcessoExpressao::Nenhum) continue;
        EXPECT_EQ(AvaliaTexto(c.texto, mem), 0);
        EXPECT_EQ(ErroEquacao, kTextoErroEquacao);
        EXPECT_EQ(AvaliaEquacao(c.texto), 0);
        EXPECT_EQ(ErroEquacao, kTextoErroEquacao);
    }
    EXPECT_EQ(AvaliaTexto(soma, mem), 1024);
    EXPECT_TRUE(ErroEquacao.empty());
    EXPECT_EQ(AvaliaTexto(aninhado, mem), 1);
    EXPECT_TRUE(ErroEquacao.empty());
}

}  // namespace
}  // namespace kivo
