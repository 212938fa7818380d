#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Coleta.h"
#include "core/Equation.h"
#include "objects/Blocos.h"

namespace kivo {
namespace {

using teste::Coleta;

class BlocoTest : public ::testing::Test {
protected:
    void SetUp() override {
        b = std::make_unique<TBloco>(sim, 1);
        b->mensagens = msgs.saida();
        sim.mem[21] = 40;
        sim.mem[22] = 70;
        sim.mem[23] = 55;
    }
    bool Aplica(const std::string& funcao) {
        b->FuncaoTr = funcao;
        msgs.lista.clear();
        return b->ValidaParametros(true);
    }
    double Passo() {
        b->CalculaCiclo();
        return sim.mem[41];
    }

    Simulacao sim;
    std::unique_ptr<TBloco> b;
    Coleta msgs;
};

TEST_F(BlocoTest, FunctionsAndSelectors) {
    const struct {
        const char* funcao;
        double y;
    } casos[] = {
        {"M21*0.5+10", 30}, {"M21*0,5+10", 30}, {"m21*0.5+10", 30}, {"M21>M22", 70}, {"M22>M21", 70},
        {"M21<M22", 40},    {"(M21+M22)/2<M23", 55}, {"M21-100>0", 0}, {"", 0},
    };
    for (const auto& c : casos) {
        ASSERT_TRUE(Aplica(c.funcao)) << c.funcao;
        EXPECT_DOUBLE_EQ(Passo(), c.y) << c.funcao;
    }
    sim.mem[21] = 90;
    ASSERT_TRUE(Aplica("M21>M22"));
    EXPECT_DOUBLE_EQ(Passo(), 90) << "follows the variables live";
}

// The selector is looked for in the text as substitution leaves it: a ">"
// taken by a reference splits nothing, and a dangling "M" makes the whole
// text "0". The block must agree with the reference chain on such texts.
TEST_F(BlocoTest, SelectorSplitAgreesWithTheReferenceChain) {
    sim.mem[2] = 3;
    for (const char* funcao : {"M2>5", "M21>M2", "M2<M21", "M21>M22<M23", "2>M2", "M21+1>", ">M21", "M2>>1"}) {
        Aplica(funcao);
        const double y = Passo();
        const std::string t = SubstituiMemorias(funcao, sim.mem);
        const auto p = t.find('>') != std::string::npos ? t.find('>') : t.find('<');
        double esperado;
        if (p == std::string::npos) {
            esperado = AvaliaEquacao(t);
        } else {
            const double L = AvaliaEquacao(t.substr(0, p));
            const double R = AvaliaEquacao(t.substr(p + 1));
            esperado = t[p] == '>' ? (L > R ? L : R) : (L < R ? L : R);
        }
        EXPECT_DOUBLE_EQ(y, esperado) << funcao;
    }
}

TEST_F(BlocoTest, OnlyTheFirstSelectorSplits) {
    EXPECT_FALSE(Aplica("M21>M22<M23"));
    EXPECT_EQ(msgs.lista, std::vector<std::string>{"Bloco 41: Função inválida"});
    EXPECT_DOUBLE_EQ(Passo(), 40) << "the failing side counts 0";
}

TEST_F(BlocoTest, Limits) {
    const struct {
        bool sup, inf;
        const char *hi, *lo;
        const char* funcao;
        double y;
    } casos[] = {
        {true, true, "105", "-5", "120", 105},   {true, true, "105", "-5", "-20", -5},
        {false, true, "105", "-5", "120", 120},  {true, true, "50", "60", "55", 60},
        {true, true, "50", "60", "10", 60},      {true, false, "M23", "", "M22", 55},
        {true, true, "1,5E2", "0", "200", 150},
    };
    for (const auto& c : casos) {
        b->LimSupCheck = c.sup;
        b->LimInfCheck = c.inf;
        b->LimSupText = c.hi;
        b->LimInfText = c.lo;
        ASSERT_TRUE(Aplica(c.funcao)) << c.funcao;
        EXPECT_DOUBLE_EQ(Passo(), c.y) << c.funcao << " in " << c.lo << ".." << c.hi;
    }
    b->LimSupCheck = false;  // read every cycle
    EXPECT_DOUBLE_EQ(Passo(), 200);
}

TEST_F(BlocoTest, ApplyStoresTextsAndDescriptionBeforeAnyCheck) {
    b->DescricaoText = "Razão";
    b->LimSupCheck = b->LimInfCheck = true;
    b->LimSupText = "x";
    b->LimInfText = "y";
    EXPECT_FALSE(Aplica("abs(M21)"));
    EXPECT_EQ(msgs.lista, (std::vector<std::string>{"Bloco 41: Função inválida", "Bloco 41: Limite Superior inválido",
                                                    "Bloco 41: Limite Inferior inválido"}));
    EXPECT_EQ(sim.mem.entrada(41).descricao, "Razão");
    EXPECT_EQ(b->funcaoAplicada(), "abs(M21)");
    EXPECT_DOUBLE_EQ(Passo(), 0) << "invalid texts are used as stored: each gives 0";

    b->LimSupCheck = b->LimInfCheck = false;
    EXPECT_FALSE(Aplica("1+q"));
    EXPECT_EQ(msgs.lista.size(), 1u) << "disabled limits are not checked";
    b->FuncaoTr = "7";
    EXPECT_DOUBLE_EQ(Passo(), 0) << "an edit waits for the apply";
}

// The limits of an expression hold for the function as typed, both sides of
// its selector together; a refused function gives 0 like an invalid one, and
// the output limits still act on it.
TEST_F(BlocoTest, TextsBeyondTheLimitsAreRefusedWhole) {
    std::string lado = "M21";
    while (lado.size() + 4 < 2100) lado += "+M21";
    const std::string fundo = std::string(kMaxNiveisExpressao + 1, '(') + "M21";
    const struct {
        std::string funcao;
        const char* mensagem;
    } casos[] = {
        {lado + ">" + lado, "Bloco 41: Função inválida (mais de 4096 caracteres)"},
        {"M22<" + fundo, "Bloco 41: Função inválida (mais de 200 níveis de parênteses)"},
    };
    for (const auto& c : casos) {
        EXPECT_FALSE(Aplica(c.funcao));
        EXPECT_EQ(msgs.lista, std::vector<std::string>{c.mensagem});
        EXPECT_EQ(Passo(), 0);
    }
    ASSERT_TRUE(Aplica(lado + ">M22"));
    EXPECT_EQ(Passo(), 40 * 525);

    b->LimInfCheck = true;
    b->LimInfText = std::string(5000, '1');
    EXPECT_FALSE(Aplica("M21"));
    EXPECT_EQ(msgs.lista, std::vector<std::string>{"Bloco 41: Limite Inferior inválido (mais de 4096 caracteres)"});
    EXPECT_EQ(Passo(), 40) << "a refused lower limit is 0";
    b->LimInfText = "10";
    EXPECT_FALSE(Aplica(fundo));
    EXPECT_EQ(Passo(), 10);
}

TEST_F(BlocoTest, SlotsWriteTheirOwnAddresses) {
    const struct {
        int slot, endereco;
    } casos[] = {{1, 41}, {20, 60}, {21, 75}, {24, 78}};
    for (const auto& c : casos) {
        TBloco q(sim, c.slot);
        Coleta m;
        q.mensagens = m.saida();
        q.FuncaoTr = "x";
        q.ValidaParametros(true);
        EXPECT_EQ(m.lista, std::vector<std::string>{"Bloco " + std::to_string(c.endereco) + ": Função inválida"});
        q.FuncaoTr = "12";
        q.ValidaParametros(true);
        q.CalculaCiclo();
        EXPECT_DOUBLE_EQ(sim.mem[c.endereco], 12);
    }
}

}  // namespace
}  // namespace kivo
