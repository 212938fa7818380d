// Every example plant opened and left alone: it was saved at rest, so it
// must continue where it was saved, without a bump. Each loop's PV, averaged
// over a sliding minute (measurement noise and a stiction cycle average
// out), stays within 1 % of span of the PV the file holds for ten minutes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "Exemplos.h"
#include "core/NumberText.h"
#include "project/ArquivoProjeto.h"

namespace kivo {
namespace {

constexpr double kT = 0.1;            // s, the real-time step
constexpr double kDuracao = 600;      // s left alone
constexpr double kJanela = 60;        // s averaged
constexpr double kTolerancia = 1;     // % of span

class Repouso : public testing::TestWithParam<Caso> {};

TEST_P(Repouso, OpenedAndLeftAloneStaysWhereItWasSaved) {
    const Caso& c = GetParam();
    Projeto p;
    const ResultadoCarga r = LeProjeto(p, Pasta(c) / c.arquivo, OpcoesCarga{true, nullptr});
    ASSERT_TRUE(r.ok) << r.erro;

    struct Malha {
        const TControlador* c;
        double pvSalvo;            // the PV the controller saw when the plant was saved
        std::vector<double> pv;    // every cycle
    };
    std::vector<Malha> malhas;
    for (int n = 1; n <= 10; ++n)
        if (const TControlador* ctl = p.controlador(n)) malhas.push_back({ctl, ctl->estado.PVant, {}});
    ASSERT_FALSE(malhas.empty());

    const auto N = static_cast<long long>(std::llround(kDuracao / kT));
    p.sim.ExecutaSemDisplay(
        N, kT, [](long long) {},
        [&](long long) {
            for (Malha& m : malhas) m.pv.push_back(p.sim.mem[m.c->enderecoPV()]);
            return true;
        });

    const auto janela = static_cast<std::size_t>(std::llround(kJanela / kT));
    for (const Malha& m : malhas) {
        ASSERT_EQ(m.pv.size(), static_cast<std::size_t>(N));
        // The worst mean of any minute of the run, by a running sum.
        double soma = 0;
        double pior = 0;
        for (std::size_t i = 0; i < m.pv.size(); ++i) {
            soma += m.pv[i];
            if (i >= janela) soma -= m.pv[i - janela];
            if (i + 1 >= janela) {
                const double desvio = soma / static_cast<double>(janela) - m.pvSalvo;
                if (std::fabs(desvio) > std::fabs(pior)) pior = desvio;
            }
        }
        RecordProperty(m.c->TagText, FormataFixo(pior, 1, 3));
        EXPECT_LE(std::fabs(pior), kTolerancia)
            << m.c->TagText << ": a minute's mean PV " << FormataFixo(m.pvSalvo + pior, 1, 2)
            << " % against " << FormataFixo(m.pvSalvo, 1, 2) << " % saved";
    }
}

INSTANTIATE_TEST_SUITE_P(Exemplos, Repouso, testing::ValuesIn(kCasos),
                         [](const testing::TestParamInfo<Caso>& i) { return std::string(i.param.nome); });

}  // namespace
}  // namespace kivo
