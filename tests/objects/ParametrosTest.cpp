#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "core/Equation.h"
#include "core/NumberText.h"
#include "objects/Parametros.h"

namespace kivo {
namespace {

using L = LinhaGerador;

// The generator as its definition reads, to know which numbers the bank drew.
struct Replica {
    std::uint32_t seed;
    std::uint32_t operator()(std::uint32_t n) {
        seed = seed * 134775813u + 1u;
        return static_cast<std::uint32_t>((static_cast<std::uint64_t>(seed) * n) >> 32);
    }
};

class GeradoresTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim.estado.T = 0.1;
        sim.aleatorio.Semeia(12345);
    }
    LinhaGerador& Linha(int g, int tipo, const char* mn, const char* mx, const char* desc) {
        LinhaGerador& l = bank.linha(g);
        l.Tipo = tipo;
        bank.LayoutLinha(g, false);
        l.Min = mn;
        l.Max = mx;
        l.Desc = desc;
        return l;
    }

    Simulacao sim;
    TParmForm bank{sim};
};

TEST_F(GeradoresTest, ConstantsAreSetByTheApply) {
    const struct {
        const char* valor;
        double m;
        int spin;
    } casos[] = {{"12,5", 12.5, 12}, {"13.5", 13.5, 14}, {"Valor", 0, 0}, {"M21", 0, 0}, {"150", 150, 100}, {"2*3", 6, 6}};
    for (const auto& c : casos) {
        bank.linha(91).Valor = c.valor;
        bank.AplicaParametros();
        EXPECT_DOUBLE_EQ(sim.mem[91], c.m) << c.valor;
        EXPECT_EQ(bank.linha(91).UpDown, c.spin) << c.valor;
    }
    LinhaGerador& l = bank.linha(96);
    l.Tipo = L::Constante01;
    l.ValorDig = 1;
    bank.AplicaParametros();
    EXPECT_DOUBLE_EQ(sim.mem[96], 1);
    EXPECT_EQ(l.Valor, "1");
    for (int i = 0; i < 100; ++i) bank.CalculaCiclo();
    EXPECT_DOUBLE_EQ(sim.mem[96], 1) << "constants never change by themselves";
    EXPECT_DOUBLE_EQ(sim.mem[91], 6);
}

TEST_F(GeradoresTest, FastRandomDrawsEveryTickAndNeverReachesMax) {
    Linha(81, L::AleatorioRapido, "20", "80", "Ruído");
    bank.AplicaParametros();
    Replica r{12345};
    for (int i = 0; i < 2000; ++i) {
        bank.CalculaCiclo();
        const double esperado = 20 + 60.0 / 10000 * r(10000);
        ASSERT_DOUBLE_EQ(sim.mem[81], esperado) << i;
        ASSERT_LT(sim.mem[81], 80);
    }
    EXPECT_EQ(bank.linha(81).Valor, FormataFixo(sim.mem[81], 0, 2));
}

// The medium random draws a new target with probability 500/30000 per 0.1 s
// and the slow random a new value with 30/30000, both scaled by T / 0.1.
TEST_F(GeradoresTest, MediumAndSlowRandomRates) {
    const struct {
        int tipo;
        double T;
        double probabilidade;
    } casos[] = {{L::AleatorioMedio, 0.1, 500.0 / 30000}, {L::AleatorioMedio, 0.5, 2500.0 / 30000},
                 {L::AleatorioLento, 0.1, 30.0 / 30000},  {L::AleatorioLento, 1.0, 300.0 / 30000}};
    for (const auto& c : casos) {
        TParmForm b(sim);
        LinhaGerador& l = b.linha(82);
        l.Tipo = c.tipo;
        l.Min = "0";
        l.Max = "100";
        l.Desc = "0";
        b.AplicaParametros();
        sim.estado.T = c.T;
        const int n = 400000;
        int novos = 0;
        double anterior = -1;
        for (int i = 0; i < n; ++i) {
            b.CalculaCiclo();
            const double v = c.tipo == L::AleatorioMedio ? l.alvo : sim.mem[82];
            if (v != anterior) ++novos;
            anterior = v;
        }
        const double esperado = n * c.probabilidade;
        EXPECT_NEAR(novos, esperado, 4 * std::sqrt(esperado)) << c.tipo << " at T " << c.T;
    }
}

TEST_F(GeradoresTest, MediumRandomFollowsItsTargetThroughALag) {
    LinhaGerador& l = Linha(83, L::AleatorioMedio, "0", "100", "2");
    bank.AplicaParametros();
    Replica r{12345};
    double alvo = 0, y = 0;
    for (int i = 0; i < 3000; ++i) {
        bank.CalculaCiclo();
        if (500 > r(30000)) alvo = 100.0 / 10000 * r(10000);
        y = 2 / 2.1 * y + 0.1 / 2.1 * alvo;
        ASSERT_NEAR(sim.mem[83], y, 1e-9) << i;
    }
    EXPECT_DOUBLE_EQ(l.alvo, alvo);
}

TEST_F(GeradoresTest, MediumRandomWithTauMinusTHolds) {
    Linha(83, L::AleatorioMedio, "0", "100", "-0.1");
    bank.AplicaParametros();
    EXPECT_DOUBLE_EQ(bank.linha(83).P3, -0.1);
    for (int i = 0; i < 3000; ++i) {
        bank.CalculaCiclo();
        ASSERT_TRUE(std::isfinite(sim.mem[83])) << i;
    }
}

TEST_F(GeradoresTest, SineFromFiftyToHundredInAQuarterPeriod) {
    Linha(84, L::Senoidal, "0", "100", "60");
    bank.AplicaParametros();
    bank.CalculaCiclo();
    EXPECT_NEAR(sim.mem[84], 50 + 50 * std::sin(2 * M_PI * 0.1 / 60), 1e-9);
    for (int i = 1; i < 150; ++i) bank.CalculaCiclo();
    EXPECT_NEAR(sim.mem[84], 100, 1e-9);
    EXPECT_EQ(sim.mem.entrada(84).descricao, "Sinal Senoidal") << "the apply keeps the kind's name";

    bank.linha(84).Desc = "M21";  // read every tick
    sim.mem[21] = 4;
    bank.CalculaCiclo();  // t = 15.1 s
    EXPECT_NEAR(sim.mem[84], 50 + 50 * std::sin(2 * M_PI * 15.1 / 4), 1e-9);
    sim.mem[21] = 0;
    bank.CalculaCiclo();
    EXPECT_DOUBLE_EQ(sim.mem[84], 0) << "a period of 0 gives 0";
}

TEST_F(GeradoresTest, RandomWalkStepsWithinTheBandAndJumpsBack) {
    Linha(85, L::RandomWalk, "50", "1", "10");
    bank.AplicaParametros();
    Replica r{12345};
    double w = 50;
    int voltas = 0;
    for (int i = 0; i < 20000; ++i) {
        bank.CalculaCiclo();
        const double passo = r(10000) / 5000.0 - 1;
        ASSERT_GE(passo, -1);
        ASSERT_LT(passo, 1);
        w += passo;
        if (w > 60 || w < 40) {
            w = 50;
            ++voltas;
        }
        ASSERT_DOUBLE_EQ(sim.mem[85], w) << i;
    }
    EXPECT_GT(voltas, 0);
}

TEST_F(GeradoresTest, EquationLogarithmAndExponential) {
    sim.mem[21] = 7;
    const struct {
        int tipo;
        const char* texto;
        double antes, depois;
    } casos[] = {
        {L::Equacao, "M21*2", 0, 14},  {L::Equacao, "xyz", 5, 0},       {L::Logaritmo, "0", 5, 5},
        {L::Logaritmo, "M21", 5, std::log(7.0)}, {L::Exponencial, "0", 5, 1}, {L::Exponencial, "1000", 5, 5},
    };
    for (const auto& c : casos) {
        Linha(81, c.tipo, "", "", "d").Valor = c.texto;
        bank.AplicaParametros();
        sim.mem[81] = c.antes;
        bank.CalculaCiclo();
        EXPECT_DOUBLE_EQ(sim.mem[81], c.depois) << c.tipo << " " << c.texto;
        EXPECT_EQ(bank.linha(81).Valor, c.texto) << "the field keeps the equation";
    }
    // Only rows 81..85 offer equations.
    Linha(86, L::Equacao, "", "", "d").Valor = "5";
    bank.AplicaParametros();
    bank.CalculaCiclo();
    EXPECT_DOUBLE_EQ(sim.mem[86], 0);
}

// Texts beyond the evaluator's limits give what an invalid text gives.
TEST_F(GeradoresTest, TextsBeyondTheLimitsActAsInvalidOnes) {
    sim.mem[21] = 7;
    std::string longa = "M21";
    while (longa.size() <= kMaxCaracteresExpressao) longa += "+M21";
    const std::string funda = std::string(kMaxNiveisExpressao + 1, '(') + "60";
    bank.linha(91).Valor = std::string(kMaxCaracteresExpressao + 1, '1');
    Linha(81, L::Equacao, "", "", "d").Valor = longa;
    Linha(82, L::Exponencial, "", "", "d").Valor = funda;
    Linha(83, L::Senoidal, "0", "100", funda.c_str());
    bank.AplicaParametros();
    sim.mem[81] = sim.mem[82] = sim.mem[83] = 5;
    bank.CalculaCiclo();
    EXPECT_EQ(sim.mem[91], 0);
    EXPECT_EQ(sim.mem[81], 0);
    EXPECT_EQ(sim.mem[82], 1) << "e to the power 0";
    EXPECT_EQ(sim.mem[83], 0) << "a period of 0";
}

TEST_F(GeradoresTest, EquationIsStoredAtApply) {
    Linha(81, L::Equacao, "", "", "d").Valor = "3";
    bank.AplicaParametros();
    bank.linha(81).Valor = "4";
    bank.CalculaCiclo();
    EXPECT_DOUBLE_EQ(sim.mem[81], 3);
}

TEST_F(GeradoresTest, LayoutPlaceholdersAndDescriptions) {
    const struct {
        int tipo;
        const char *mn, *mx, *desc, *valor, *descricao;
    } casos[] = {
        {L::Constante, "Min.", "Máx.", "Descrição", "Valor", "Constante 0-100"},
        {L::Constante01, "Min.", "Máx.", "Descrição", "x", "Constante 0-1"},
        {L::AleatorioRapido, "Min", "Máx.", "Descrição", "x", "Aleatório"},
        {L::AleatorioMedio, "Min.", "Máx.", "Tal(seg)", "x", "Aleatório Médio"},
        {L::AleatorioLento, "Min", "Máx.", "Descrição", "x", "Aleatório"},
        {L::Senoidal, "Min.", "Máx.", "Per (seg)", "x", "Sinal Senoidal"},
        {L::RandomWalk, "Inicial", "Ganho", "Faixa", "x", "Random Walk"},
        {L::Equacao, "Min.", "Máx.", "Descrição", "Equação", "Equação"},
        {L::Logaritmo, "Min.", "Máx.", "Descrição", "Equação", "LN()"},
        {L::Exponencial, "Min.", "Máx.", "Descrição", "Equação", "Exp()"},
    };
    for (const auto& c : casos) {
        TParmForm b(sim);
        LinhaGerador& l = b.linha(82);
        l.Valor = "x";
        l.P3 = l.W = 9;
        l.Tipo = c.tipo;
        b.LayoutLinha(82, false);
        EXPECT_EQ(l.Min, c.mn) << c.tipo;
        EXPECT_EQ(l.Max, c.mx) << c.tipo;
        EXPECT_EQ(l.Desc, c.desc) << c.tipo;
        EXPECT_EQ(l.Valor, c.valor) << c.tipo;
        EXPECT_EQ(sim.mem.entrada(82).descricao, c.descricao) << c.tipo;
        EXPECT_EQ(l.P3, 0);
        EXPECT_EQ(l.W, 0);
    }
}

TEST_F(GeradoresTest, LayoutWhileLoadingKeepsTextsAndOnlyTheRandomAndSineNames) {
    const struct {
        int tipo;
        const char* descricao;
    } casos[] = {{L::Constante, "antes"},       {L::AleatorioRapido, "Aleatório"}, {L::AleatorioMedio, "Aleatório Médio"},
                 {L::Senoidal, "Sinal Senoidal"}, {L::RandomWalk, "antes"},       {L::Exponencial, "antes"}};
    for (const auto& c : casos) {
        LinhaGerador& l = bank.linha(87);
        l.Desc = "lido";
        l.Tipo = c.tipo;
        sim.mem.setDescricao(87, "antes");
        bank.LayoutLinha(87, true);
        EXPECT_EQ(l.Desc, "lido");
        EXPECT_EQ(sim.mem.entrada(87).descricao, c.descricao) << c.tipo;
    }
}

TEST_F(GeradoresTest, ApplyWritesDescriptionsAndParameters) {
    LinhaGerador& l = Linha(88, L::RandomWalk, "50,7", "2", "10");
    bank.AplicaParametros();
    EXPECT_EQ(sim.mem.entrada(88).descricao, "10") << "the field holds the band, and the apply writes it";
    EXPECT_DOUBLE_EQ(l.min, 50) << "a comma ends these numbers";
    EXPECT_DOUBLE_EQ(l.W, 50);
    EXPECT_DOUBLE_EQ(l.P3, 10);
    EXPECT_EQ(sim.mem.entrada(81).descricao, "Descrição") << "an untouched row";
    EXPECT_DOUBLE_EQ(sim.mem[81], 0);
}

TEST_F(GeradoresTest, ResetKeepsSineTimesAndMediumTargets) {
    LinhaGerador& l = Linha(81, L::AleatorioMedio, "0", "100", "1");
    bank.AplicaParametros();
    for (int i = 0; i < 2000; ++i) bank.CalculaCiclo();
    const double alvo = l.alvo;
    l.t = 12.5;
    ASSERT_NE(alvo, 0);
    bank.Reinicia();
    EXPECT_DOUBLE_EQ(l.alvo, alvo);
    EXPECT_DOUBLE_EQ(l.t, 12.5);
    EXPECT_DOUBLE_EQ(l.y, 0);
    EXPECT_EQ(l.Tipo, L::Constante);
    EXPECT_EQ(l.Valor, "Valor");
}

TEST_F(GeradoresTest, SlowRandomShowsOnlyNewValues) {
    LinhaGerador& l = Linha(90, L::AleatorioLento, "0", "100", "d");
    l.Valor = "33";
    bank.AplicaParametros();
    EXPECT_DOUBLE_EQ(sim.mem[90], 33);
    for (int i = 0; i < 100000 && sim.mem[90] == 33; ++i) {
        bank.CalculaCiclo();
        if (sim.mem[90] == 33) {
            ASSERT_EQ(l.Valor, "33");
        }
    }
    ASSERT_NE(sim.mem[90], 33);
    EXPECT_EQ(l.Valor, FormataFixo(sim.mem[90], 0, 2));
}

}  // namespace
}  // namespace kivo
