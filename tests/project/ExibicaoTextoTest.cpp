// The animated text as the cycle steps it, without any window: the display
// step on every sixth tick, the three types with their formats and alarm
// colours, and the apply of a load.
#include "project/ExibicaoTexto.h"

#include <gtest/gtest.h>

#include <string>

#include "Auxiliares.h"
#include "ContaAlocacoes.h"
#include "project/Projeto.h"

namespace kivo {
namespace {

// M21: 0..200 °C, limits 20 and 150.
void TabelaM21(Memorias& mem) {
    mem.setUeMin(21, "0");
    mem.setUeMax(21, "200");
    mem.setLie(21, "20");
    mem.setLse(21, "150");
    mem.setUnidade(21, "°C");
}

TEST(TextoAnimado, DisplayStepRunsOnEverySixthTick) {
    Projeto p;
    TabelaM21(p.sim.mem);
    DadosTexto& t = p.CriaTexto(1);
    // A new text shows its value at once: 0.00 and a blank.
    EXPECT_EQ(t.exibicao().texto(), "0.00 ");
    EXPECT_FALSE(t.exibicao().vermelho());
    t.ComboBox1 = 20;  // M21
    t.ValidaParametros();
    p.sim.mem[21] = 50;
    // Until the sixth tick the value is the one before the variable was
    // chosen (the unit is already the one applied).
    for (int tick = 1; tick <= 5; ++tick) p.sim.Tick(tick * 100.0L);
    EXPECT_EQ(t.exibicao().texto(), "0.00 °C");
    p.sim.Tick(600);
    EXPECT_EQ(t.exibicao().texto(), "100.00 °C");
    EXPECT_FALSE(t.exibicao().vermelho());
    p.sim.mem[21] = 80;
    for (int tick = 7; tick <= 11; ++tick) p.sim.Tick(tick * 100.0L);
    EXPECT_EQ(t.exibicao().texto(), "100.00 °C");
    p.sim.Tick(1200);
    EXPECT_EQ(t.exibicao().texto(), "160.00 °C");
    EXPECT_TRUE(t.exibicao().vermelho());
}

// The display step runs in the cycle, which allocates nothing once running.
TEST(TextoAnimado, DisplayStepAllocatesNothing) {
    Projeto p;
    TabelaM21(p.sim.mem);
    p.sim.mem.setLse(21, "M22*2");
    for (int tipo = 0; tipo < 3; ++tipo) {
        DadosTexto& t = p.CriaTexto(tipo + 1);
        t.Tipo = tipo;
        t.ComboBox1 = tipo == 1 ? 10 : 20;
        t.FuncaoTr = tipo == 1 ? "Parado/Ligado" : "M21/2,5+M22";
        t.ValidaParametros();
    }
    long double agora = 0;
    const auto tick = [&] { p.sim.Tick(agora += 100); };
    for (int i = 0; i < 6; ++i) tick();
    std::uint64_t alocacoes = 0;
    for (int i = 0; i < 60; ++i) {
        p.sim.mem[21] = i;
        alocacoes += testing::AlocacoesDe(tick);
    }
    EXPECT_EQ(alocacoes, 0u);
}

struct Caso {
    const char* nome;
    int tipo;
    int variavel;  // display list index, -1 none
    const char* formula;
    double valor;  // of the variable, or of M21 for a formula
    int casas;
    const char* texto;
    bool vermelho;
};

class FormatoTexto : public ::testing::TestWithParam<Caso> {};

TEST_P(FormatoTexto, TextAndColour) {
    const Caso& c = GetParam();
    Projeto p;
    TabelaM21(p.sim.mem);
    DadosTexto& t = p.CriaTexto(1);
    t.Tipo = c.tipo;
    t.ComboBox1 = c.variavel;
    t.FuncaoTr = c.formula;
    t.Edit1 = "200";
    t.Unidade = "kg";
    t.CasasDecimais = c.casas;
    t.ValidaParametros();
    p.sim.mem[c.variavel >= 0 ? c.variavel + 1 : 21] = c.valor;
    t.CalculaCiclo();
    EXPECT_EQ(t.exibicao().texto(), c.texto);
    EXPECT_EQ(t.exibicao().vermelho(), c.vermelho);
}

INSTANTIATE_TEST_SUITE_P(
    Tipos, FormatoTexto,
    ::testing::Values(Caso{"ScalarInRange", 0, 20, "", 50, 1, "100.0 °C", false},
                      Caso{"ScalarAboveLSE", 0, 20, "", 80, 0, "160 °C", true},
                      Caso{"ScalarBelowLIE", 0, 20, "", 5, 3, "10.000 °C", true},
                      // Above M99 there is no table entry: a plain percentage.
                      Caso{"ScalarAboveM99", 0, 109, "", 25, 1, "25.0 %", false},
                      Caso{"BinaryZero", 1, 10, "Parado/Ligado", 0, 2, "Parado", true},
                      Caso{"BinaryHalf", 1, 10, "Parado/Ligado", 0.5, 2, "Ligado", false},
                      Caso{"BinaryNegative", 1, 10, "Parado/Ligado", -3, 2, "Ligado", false},
                      Caso{"BinaryWithoutSlash", 1, 10, "Ligado", 0, 2, "", true},
                      Caso{"FormulaOnItsRange", 2, -1, "25*2", 0, 1, "100.0 kg", false},
                      Caso{"FormulaWithAComma", 2, -1, "M21/2,5", 50, 2, "40.00 kg", false}),
    [](const ::testing::TestParamInfo<Caso>& i) { return std::string(i.param.nome); });

TEST(TextoAnimado, ControllerOutputChosenStartsTheRangeAtZero) {
    Projeto p;
    p.sim.mem.setUeMin(3, "10");
    p.sim.mem.setUeMax(3, "90");
    DadosTexto& t = p.CriaTexto(1);
    t.ComboBox1 = 2;  // M3
    t.exibicao().VariavelEscolhida();
    EXPECT_EQ(t.Edit4, "0.00");
    EXPECT_EQ(t.Edit1, "90");
}

// The loader applies every text, so a formula shows its value at the first
// display refresh, and a scalar text takes its range from the table.
TEST(TextoAnimado, LoadAppliesTheText) {
    Projeto a;
    TabelaM21(a.sim.mem);
    DadosTexto& formula = a.CriaTexto(1);
    formula.Tipo = 2;
    formula.FuncaoTr = "25*2";
    formula.Edit1 = "200";
    DadosTexto& escalar = a.CriaTexto(2);
    escalar.ComboBox1 = 20;  // M21, its range fields still the defaults
    Projeto b;
    const ResultadoCarga res = teste::Carrega(b, LinhasProjeto(a));
    ASSERT_TRUE(res.ok) << res.erro;
    EXPECT_EQ(b.texto(2)->Edit1, "200");
    EXPECT_EQ(b.texto(2)->Unidade, "°C");
    b.sim.mem[21] = 50;
    for (int tick = 1; tick <= 6; ++tick) b.sim.Tick(tick * 100.0L);
    EXPECT_EQ(b.texto(1)->exibicao().texto(), "100.00 ");
    EXPECT_EQ(b.texto(2)->exibicao().texto(), "100.00 °C");
}

}  // namespace
}  // namespace kivo
