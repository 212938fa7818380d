#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "../project/TempDir.h"
#include "Auxiliares.h"
#include "fastsim/ArquivoTxd.h"
#include "fastsim/Progresso.h"
#include "fastsim/SimulacaoRapida.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;
using teste::Planta;

OpcoesRapida Opcoes(double janela, double T) {
    OpcoesRapida op;
    op.janela = janela;
    op.T = T;
    return op;
}

TEST(SimulacaoRapidaTest, CyclesPointsAndArchiveLinesPerWindow) {
    const struct {
        double janela, T;
        long long ciclos;
        std::size_t pontos;
    } casos[] = {
        {1800, 0.1, 18000, 1800}, {3600, 0.2, 18000, 3600}, {7200, 0.5, 14400, 7200}, {14400, 1.0, 14400, 14400},
    };
    for (const auto& c : casos) {
        Planta p;
        p.Malha(1, 50);
        long long passos = 0;
        bool sempreRapido = true;
        p.EspiaoBloco([&] {
            ++passos;
            sempreRapido = sempreRapido && p.sim.estado.modoRapido && p.sim.estado.T == c.T;
        });
        TempDir dir;
        OpcoesRapida op = Opcoes(c.janela, c.T);
        op.arquivar = true;
        op.pasta = dir.path();
        const ResultadoRapida r = ExecutaRapida(p.sim, op);
        ASSERT_TRUE(r.executou);
        EXPECT_FALSE(r.erroArquivo);
        EXPECT_EQ(r.ciclos, c.ciclos);
        EXPECT_EQ(passos, c.ciclos) << c.janela;
        EXPECT_TRUE(sempreRapido) << "every cycle in fast mode with the chosen step";
        const MalhaDesempenho& m = r.linha.malha(1);
        EXPECT_EQ(m.series.pv.size(), c.pontos);
        EXPECT_EQ(m.series.sp.size(), c.pontos);
        EXPECT_EQ(m.series.co.size(), c.pontos);
        EXPECT_EQ(LeArquivoTxd(r.arquivo).linhas.size(), c.pontos);
        const std::string bytes = teste::LeTudo(r.arquivo);
        EXPECT_EQ(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')), c.pontos + 1);
    }
}

TEST(SimulacaoRapidaTest, DataLineJHoldsTheStateAtTheEndOfSecondJ) {
    Planta p;
    p.Malha(1, 50);
    double ciclos = 0;
    // Written after the controllers, so the archive sees each cycle's count.
    p.EspiaoAposControladores([&] { p.sim.mem[50] = ++ciclos; });
    TempDir dir;
    OpcoesRapida op = Opcoes(1800, 0.2);
    op.arquivar = true;
    op.pasta = dir.path();
    const ResultadoRapida r = ExecutaRapida(p.sim, op);
    const ArquivoTxd a = LeArquivoTxd(r.arquivo);
    EXPECT_DOUBLE_EQ(a.T, 0.2);
    EXPECT_DOUBLE_EQ(a.W, 1800);
    for (std::size_t j = 1; j <= a.linhas.size(); ++j) ASSERT_DOUBLE_EQ(a.linhas[j - 1][50], 5.0 * j) << j;
}

TEST(SimulacaoRapidaTest, TestStepLandsOnceInCycle1891OnEveryController) {
    const struct {
        SinalTeste sinal;
        double dSP, dBias;
    } casos[] = {{SinalTeste::DegrauSP, 10, 0}, {SinalTeste::DegrauCarga, 0, 10}, {SinalTeste::Nenhum, 0, 0}};
    for (const auto& c : casos) {
        Planta p;
        TControlador& c1 = p.Malha(1, 40);
        TControlador& c2 = p.Malha(2, 60);
        long long h = 0;
        long long primeiro = -1;
        double spVisto = 0;
        p.EspiaoAposControladores([&] {
            if (primeiro < 0 && (c1.estado.SP != 40 || c1.estado.b != 50)) {
                primeiro = h;
                spVisto = p.sim.mem[61];
            }
            ++h;
        });
        OpcoesRapida op = Opcoes(1800, 0.1);
        op.sinal = c.sinal;
        op.amplitude = 10;
        ExecutaRapida(p.sim, op);
        if (c.sinal == SinalTeste::Nenhum) {
            EXPECT_EQ(primeiro, -1);
        } else {
            EXPECT_EQ(primeiro, 1891) << "the first h with Nearest(100 h / N) > 10";
            if (c.sinal == SinalTeste::DegrauSP) {
                EXPECT_DOUBLE_EQ(spVisto, 50) << "the controllers step with it";
            }
        }
        EXPECT_DOUBLE_EQ(c1.estado.SP, 40 + c.dSP) << "not undone";
        EXPECT_DOUBLE_EQ(c2.estado.SP, 60 + c.dSP);
        EXPECT_DOUBLE_EQ(c1.estado.b, 50 + c.dBias);
        EXPECT_DOUBLE_EQ(c2.estado.b, 50 + c.dBias);
    }
}

TEST(SimulacaoRapidaTest, RemoteSetpointAndFeedForwardOverrideTheStep) {
    for (SinalTeste sinal : {SinalTeste::DegrauSP, SinalTeste::DegrauCarga}) {
        Planta p;
        TControlador& remoto = p.Malha(1, 40);
        remoto.CheckSPR = true;
        remoto.SPRSelect = 89;  // M90
        ASSERT_TRUE(remoto.ValidaParametros(false));
        remoto.estado.modoLocal = false;
        p.sim.mem[90] = 30;
        TControlador& ff = p.Malha(2, 40);
        ff.FFwSelect = true;
        ff.FFwEquation = "45";
        ASSERT_TRUE(ff.ValidaParametros(false));
        OpcoesRapida op = Opcoes(1800, 0.5);
        op.sinal = sinal;
        op.amplitude = -7;
        ExecutaRapida(p.sim, op);
        EXPECT_DOUBLE_EQ(remoto.estado.SP, 30) << "copied from SPR every cycle";
        EXPECT_DOUBLE_EQ(ff.estado.b, 45) << "recomputed every cycle";
        EXPECT_DOUBLE_EQ(remoto.estado.b, sinal == SinalTeste::DegrauCarga ? 43 : 50);
        EXPECT_DOUBLE_EQ(ff.estado.SP, sinal == SinalTeste::DegrauSP ? 33 : 40);
    }
}

TEST(SimulacaoRapidaTest, ModeFlagTimeStepAndTrendAfterTheRun) {
    Planta p;
    TControlador& c = p.Malha(1, 50);
    p.sim.estado.T = 0.1;
    ExecutaRapida(p.sim, Opcoes(1800, 0.5));
    EXPECT_FALSE(p.sim.estado.modoRapido);
    EXPECT_DOUBLE_EQ(p.sim.estado.T, 0.5) << "left for the next real-time tick";
    EXPECT_DOUBLE_EQ(c.tendencia.HistoricoPV(TendenciaControlador::kAmostras - 1), c.estado.PV)
        << "the faceplate trend sampled the fast run";
    p.sim.Tick(1000);
    EXPECT_DOUBLE_EQ(p.sim.estado.T, 0.1);
}

TEST(SimulacaoRapidaTest, ProgressRunsFromZeroToAHundred) {
    struct Registro : ObservadorProgresso {
        std::vector<int> valores;
        void AoProgresso(int v) override { valores.push_back(v); }
    } obs;
    Planta p;
    p.Malha(1, 50);
    ExecutaRapida(p.sim, Opcoes(1800, 0.1), &obs);
    ASSERT_EQ(obs.valores.size(), 101u);
    for (int i = 0; i <= 100; ++i) EXPECT_EQ(obs.valores[static_cast<std::size_t>(i)], i);
}

TEST(SimulacaoRapidaTest, LoopsAreTheActiveControllersWithTheirListedPV) {
    Planta p;
    TControlador& c1 = p.Malha(1, 50);
    p.Malha(2, 50);
    // A list change not yet applied: the run takes the PV from the list.
    c1.VariavelSelect = 21;
    p.sim.mem.setUnidade(22, "bar");
    const ResultadoRapida r = ExecutaRapida(p.sim, Opcoes(1800, 1.0));
    EXPECT_TRUE(r.linha.temIndices);
    EXPECT_EQ(r.linha.malha(1).enderecoPV, 22);
    EXPECT_EQ(r.linha.malha(1).unidade, "bar");
    EXPECT_EQ(r.linha.malha(1).series.pv, r.linha.malha(2).series.pv);
    EXPECT_EQ(r.linha.malha(2).enderecoPV, 22);
    for (int n = 3; n <= kMalhas; ++n) {
        EXPECT_FALSE(r.linha.malha(n).ativa) << n;
        EXPECT_FALSE(r.linha.malha(n).indices) << n;
    }
    ASSERT_TRUE(r.linha.malha(1).indices);
}

TEST(SimulacaoRapidaTest, EngineeringUnitsConvertPVAndSPWithTheUnitCapturedAtTheStart) {
    std::array<ResultadoRapida, 2> r;
    for (bool normaliza : {true, false}) {
        Planta p;
        p.Malha(1, 50);
        p.sim.mem.setUnidade(21, "kg/h");
        p.sim.mem.setUeMin(21, "100");
        p.sim.mem.setUeMax(21, "600");
        int ciclo = 0;
        p.EspiaoBloco([&] {
            if (++ciclo == 5) p.sim.mem.setUnidade(21, "t/h");
        });
        OpcoesRapida op = Opcoes(1800, 0.5);
        op.normaliza = normaliza;
        op.sinal = SinalTeste::DegrauSP;
        r[normaliza ? 0 : 1] = ExecutaRapida(p.sim, op);
    }
    const MalhaDesempenho& pct = r[0].linha.malha(1);
    const MalhaDesempenho& eu = r[1].linha.malha(1);
    EXPECT_EQ(eu.unidade, "kg/h");
    ASSERT_EQ(pct.series.pv.size(), eu.series.pv.size());
    for (std::size_t i = 0; i < pct.series.pv.size(); ++i) {
        ASSERT_DOUBLE_EQ(eu.series.pv[i], 100 + 5 * pct.series.pv[i]) << i;
        ASSERT_DOUBLE_EQ(eu.series.sp[i], 100 + 5 * pct.series.sp[i]) << i;
        ASSERT_DOUBLE_EQ(eu.series.co[i], pct.series.co[i]) << "CO stays in %";
    }
    ASSERT_TRUE(eu.indices && pct.indices);
    for (const std::string* t : {&eu.indices->variabilidade, &eu.indices->iem, &eu.indices->iema})
        EXPECT_EQ(t->substr(t->size() - 5), " kg/h") << *t;
    for (const std::string* t : {&eu.indices->excursaoCO, &eu.indices->desvioCO, &eu.indices->saturacaoCO})
        EXPECT_EQ(t->substr(t->size() - 2), " %") << *t;
    EXPECT_EQ(eu.indices->excursaoCO, pct.indices->excursaoCO);
    EXPECT_EQ(eu.indices->pvMinMax.find(' ', 5), std::string::npos) << "the range has no unit: " << eu.indices->pvMinMax;
}

TEST(SimulacaoRapidaTest, ALoopWhoseValuesRunOutOfRangeHasNoIndices) {
    Planta p;
    p.Malha(1, 50);
    p.Malha(2, 50);
    // A diverging plant, as a formula feeding itself would make it.
    int ciclo = 0;
    p.EspiaoAposControladores([&] { p.sim.mem[21] = ++ciclo % 2 ? 1e308 : -1e308; });
    const ResultadoRapida r = ExecutaRapida(p.sim, Opcoes(1800, 1.0));
    EXPECT_FALSE(r.linha.malha(1).indices);
    EXPECT_EQ(r.linha.malha(1).indiceForaDaFaixa, 0) << "the variability overflows";
    EXPECT_EQ(MalhaForaDaFaixa(r.linha), 1);
    EXPECT_EQ(TextoForaDaFaixa(r.linha, 1, true),
              "the index \"Variability\" of loop 1 is out of range (not finite, or 1e13 or more)");
    EXPECT_EQ(TextoForaDaFaixa(r.linha, 1, false),
              "o índice \"Variabilidade\" da malha 1 está fora da faixa (não é finito, ou chega a 1e13)");
    EXPECT_TRUE(r.linha.malha(2).indices);
    EXPECT_EQ(TextoForaDaFaixa(r.linha, 2, true), "");
}

TEST(SimulacaoRapidaTest, AnArchiveThatCannotBeCreatedStopsTheRunBeforeThePlantMoves) {
    Planta p;
    TControlador& c = p.Malha(1, 50);
    p.sim.mem[21] = 42;
    p.sim.estado.T = 0.1;
    const std::vector<double> antes(p.sim.mem.dados(), p.sim.mem.dados() + kNumVariaveis + 1);
    const int posicao = c.tendencia.posicao();
    TempDir dir;
    OpcoesRapida op = Opcoes(1800, 0.5);
    op.arquivar = true;
    op.pasta = dir.path() / "falta";
    op.sinal = SinalTeste::DegrauSP;
    const ResultadoRapida r = ExecutaRapida(p.sim, op);
    EXPECT_FALSE(r.executou);
    ASSERT_TRUE(r.erroArquivo);
    EXPECT_NE(std::string(r.erroArquivo->what()).find("Cannot create"), std::string::npos);
    EXPECT_EQ(std::vector<double>(p.sim.mem.dados(), p.sim.mem.dados() + kNumVariaveis + 1), antes);
    EXPECT_DOUBLE_EQ(c.estado.SP, 50);
    EXPECT_EQ(c.tendencia.posicao(), posicao);
    EXPECT_DOUBLE_EQ(p.sim.estado.T, 0.1);
    EXPECT_FALSE(p.sim.estado.modoRapido);
}

TEST(SimulacaoRapidaTest, AFailedArchiveWriteStillCompletesTheRun) {
    Planta p;
    p.Malha(1, 50);
    TempDir dir;
    OpcoesRapida op = Opcoes(1800, 1.0);
    op.arquivar = true;
    op.pasta = dir.path();
    ResultadoRapida r;
    {
        const teste::LimiteTamanhoArquivo limite(100000);
        r = ExecutaRapida(p.sim, op);
    }
    EXPECT_TRUE(r.executou);
    EXPECT_EQ(r.ciclos, 1800);
    EXPECT_TRUE(r.arquivo.empty());
    ASSERT_TRUE(r.erroArquivo);
    EXPECT_NE(std::string(r.erroArquivo->what()).find("Cannot write"), std::string::npos);
    EXPECT_TRUE(r.linha.malha(1).indices);
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(SimulacaoRapidaTest, AmplitudeMustBeAnInteger) {
    const struct {
        const char* texto;
        bool ok;
        int valor;
    } casos[] = {{"10", true, 10}, {" -5 ", true, -5}, {"+3", true, 3}, {"1.5", false, 0},
                 {"10a", false, 0}, {"", false, 0},    {"1e3", false, 0}, {"99999999999", false, 0}};
    for (const auto& c : casos) {
        int a = 0;
        EXPECT_EQ(LeAmplitude(c.texto, a), c.ok) << '"' << c.texto << '"';
        if (c.ok) {
            EXPECT_EQ(a, c.valor) << c.texto;
        }
    }
}

}  // namespace
}  // namespace kivo
