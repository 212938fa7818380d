// The trend recorder as the cycle steps it, without any window: sampling at
// the end of every real-time tick (and not in runs without display), the
// time base and pause, legends, the data log, and the apply of a load.
#include "project/AmostradorRegistrador.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "Auxiliares.h"
#include "ContaAlocacoes.h"
#include "TempDir.h"
#include "project/Projeto.h"

namespace kivo {
namespace {

class Registrador : public ::testing::Test {
protected:
    Registrador() : r(p.CriaRegistrador(1)), a(r.amostrador()) {
        Memorias& mem = p.sim.mem;
        mem.setUeMin(21, "0");
        mem.setUeMax(21, "200");
        mem.setUnidade(21, "°C");
        r.TagText = "TIC1";
        r.Variavel1Select = 20;  // M21
        r.Variavel3Select = 0;   // M1
        r.AtualizaRegistrador();
        mem[21] = 40;
        mem[1] = 12.5;
    }
    void Ticks(int n) {
        for (int i = 0; i < n; ++i) p.sim.Tick(++tick_ * 100.0L);
    }

    Projeto p;
    DadosRegistrador& r;
    AmostradorRegistrador& a;

private:
    long long tick_ = 0;
};

TEST_F(Registrador, SamplesAtTheEndOfEveryTick) {
    // A block written in the same tick is seen: recorders come last.
    TBloco& b = p.CriaBloco(1);
    b.FuncaoTr = "30";
    b.ValidaParametros(false);
    r.Variavel2Select = 40;  // M41, the block's output
    Ticks(1);
    EXPECT_EQ(a.posicao(), 1);
    EXPECT_EQ(a.Historico1(449), 40);
    EXPECT_EQ(a.Ponto(AmostradorRegistrador::Curva1, 449), 80);
    EXPECT_EQ(a.Ponto(AmostradorRegistrador::Curva2, 449), 60);
    EXPECT_EQ(a.Ponto(AmostradorRegistrador::Curva3, 449), 25);
    // Legends: variable 2 in variable 1's range and unit.
    EXPECT_EQ(a.legenda(AmostradorRegistrador::Curva1), "PV: 80.00 °C");
    EXPECT_EQ(a.legenda(AmostradorRegistrador::Curva2), "SP: 60.00 °C");
    EXPECT_EQ(a.legenda(AmostradorRegistrador::Curva3), "MV: 12.50%");

    r.Variavel3Select = AmostradorRegistrador::kNenhum;
    Ticks(1);
    EXPECT_FALSE(a.comLegenda(AmostradorRegistrador::Curva3));
    EXPECT_EQ(a.legenda(AmostradorRegistrador::Curva3), "");
}

TEST_F(Registrador, SamplingAllocatesNothing) {
    r.Variavel2Select = 21;
    std::uint64_t alocacoes = 0;
    for (int i = 0; i < 500; ++i) alocacoes += testing::AlocacoesDe([this] { Ticks(1); });
    EXPECT_EQ(a.posicao(), 50);
    EXPECT_EQ(alocacoes, 0u);
}

TEST_F(Registrador, TimeBaseAndPauseDecideTheSamples) {
    struct Caso {
        int base;
        bool pausado;
        int ticks, amostras;
    };
    for (const Caso& c : {Caso{0, false, 10, 10}, Caso{1, false, 10, 3}, Caso{2, false, 45, 2}, Caso{0, true, 10, 0}}) {
        Projeto outro;
        DadosRegistrador& d = outro.CriaRegistrador(3);
        d.BaseTempoBox = c.base;
        d.amostrador().pausado = c.pausado;
        for (int i = 1; i <= c.ticks; ++i) outro.sim.Tick(i * 100.0L);
        EXPECT_EQ(d.amostrador().posicao(), c.amostras) << "base " << c.base << (c.pausado ? ", paused" : "");
    }
}

TEST_F(Registrador, RunsWithoutDisplayDoNotSample) {
    p.sim.ExecutaSemDisplay(50, 0.1, [](long long) {}, [](long long) { return true; });
    EXPECT_EQ(a.posicao(), 0);
}

TEST_F(Registrador, LogsEverySampleFromTheCycle) {
    TempDir dir;
    a.UsarUE = true;
    a.UsarVirgula = true;
    ASSERT_TRUE(a.IniciaLog(dir.path()));
    EXPECT_TRUE(a.registrando());
    Ticks(2);
    EXPECT_EQ(a.EncerraLog(), "TIC1_1.txt");
    EXPECT_FALSE(a.registrando());
    std::ifstream f(dir.path() / "TIC1_1.txt", std::ios::binary);
    const std::string conteudo(std::istreambuf_iterator<char>(f), {});
    // Variable 2 is none: its engineering value is variable 1's minimum.
    EXPECT_EQ(conteudo, "Tempo (0.100 seg);PV;SP;MV\r\n0,00;80,00;0,00;12,50\r\n0,10;80,00;0,00;12,50\r\n");
}

TEST(RegistradorCarregado, LoadAppliesTheRecorder) {
    Projeto p;
    const ResultadoCarga res = LeProjetoBytes(p, teste::LeFixture("completo.smp"), "completo.smp");
    ASSERT_TRUE(res.ok) << res.erro;
    // Recorder 2 draws M22, -20..120 °C in the file's variable table.
    const AmostradorRegistrador& a = p.registrador(2)->amostrador();
    EXPECT_EQ(a.unidade(), "°C");
    EXPECT_EQ(a.topoEU(), 120);
    EXPECT_EQ(a.baseEU(), -20);
    EXPECT_EQ(a.rotulosEscala()[0], "106");
}

}  // namespace
}  // namespace kivo
