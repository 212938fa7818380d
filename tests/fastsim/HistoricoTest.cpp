#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "../project/TempDir.h"
#include "Auxiliares.h"
#include "core/NumberText.h"
#include "fastsim/Historico.h"
#include "fastsim/SimulacaoRapida.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;
using teste::Planta;

// The numbers of an index text ("12.34 %" holds one, " 40.0/ 60.0" two).
std::vector<double> Numeros(std::string_view t) {
    std::vector<double> r;
    for (std::size_t i = 0; i < t.size();) {
        const std::size_t fim = t.find('/', i);
        r.push_back(ConverteReal(t.substr(i, fim == std::string_view::npos ? fim : fim - i)));
        if (fim == std::string_view::npos) break;
        i = fim + 1;
    }
    return r;
}

// The archive holds every value with two decimals.
void SeriesProximas(const std::vector<double>& lida, const std::vector<double>& rodada, const char* qual) {
    ASSERT_EQ(lida.size(), rodada.size()) << qual;
    for (std::size_t i = 0; i < lida.size(); ++i) ASSERT_NEAR(lida[i], rodada[i], 0.005 + 1e-9) << qual << " " << i;
}

// Two loops with a setpoint step, 30 min at 100 ms, archived.
struct Execucao {
    Planta p;
    TempDir dir;
    ResultadoRapida r;

    explicit Execucao(bool normaliza) {
        p.Malha(1, 40);
        p.Malha(2, 55);
        p.sim.mem.setUnidade(21, "kg/h");
        p.sim.mem.setUeMin(21, "0");
        p.sim.mem.setUeMax(21, "500");
        p.sim.mem.setUnidade(22, "°C");
        p.sim.mem.setUeMin(22, "-20");
        p.sim.mem.setUeMax(22, "80");
        OpcoesRapida op;
        op.sinal = SinalTeste::DegrauSP;
        op.normaliza = normaliza;
        op.arquivar = true;
        op.pasta = dir.path();
        r = ExecutaRapida(p.sim, op);
    }
};

// The archive keeps two decimals, so an index read back may differ from the
// run's in its last digit; the texts are otherwise the same, unit included.
TEST(HistoricoTest, AnArchiveReadBackGivesTheIndicesOfTheRun) {
    for (bool normaliza : {true, false}) {
        Execucao e(normaliza);
        ASSERT_FALSE(e.r.arquivo.empty());
        const LinhaDesempenho h = CarregaHistorico(e.p.sim, e.r.arquivo, normaliza);
        EXPECT_TRUE(h.temIndices);
        for (int n : {1, 2}) {
            const MalhaDesempenho& lida = h.malha(n);
            const MalhaDesempenho& rodada = e.r.linha.malha(n);
            EXPECT_EQ(lida.series.pv.size(), 1800u) << "30 min: 1800 lines, 1800 points";
            EXPECT_EQ(lida.unidade, rodada.unidade);
            ASSERT_TRUE(lida.indices && rodada.indices);
            const auto a = TextosIndices(*lida.indices);
            const auto b = TextosIndices(*rodada.indices);
            for (std::size_t i = 0; i < a.size(); ++i) {
                const std::string onde = "loop " + std::to_string(n) + ", " + std::string(RotulosIndices(false)[i]) +
                                         (normaliza ? "" : " (EU)") + ": " + std::string(a[i]) + " / " +
                                         std::string(b[i]);
                EXPECT_EQ(a[i].size(), b[i].size()) << onde;
                EXPECT_EQ(a[i].substr(a[i].find_last_of("0123456789") + 1),
                          b[i].substr(b[i].find_last_of("0123456789") + 1))
                    << onde;
                const auto x = Numeros(a[i]);
                const auto y = Numeros(b[i]);
                ASSERT_EQ(x.size(), y.size()) << onde;
                for (std::size_t k = 0; k < x.size(); ++k) EXPECT_NEAR(x[k], y[k], 0.0100001) << onde;
            }
        }
        if (!normaliza) {
            EXPECT_EQ(h.malha(2).indices->iem.substr(5), " °C");
        }
    }
}

TEST(HistoricoTest, TheArchiveIsReadWithTheControllersAsTheyAreNow) {
    Execucao e(true);
    // Loop 1 now reads M22, loop 2 is gone, loop 3 appears reading M21.
    e.p.controlador(1).VariavelSelect = 21;
    e.p.sim.controladores.Apaga(2);
    TControlador& c3 = e.p.Malha(3, 10);
    c3.VariavelSelect = 20;
    e.p.sim.mem.setUnidade(21, "t/h");
    const LinhaDesempenho h = CarregaHistorico(e.p.sim, e.r.arquivo, true);

    EXPECT_EQ(h.malha(1).enderecoPV, 22);
    SeriesProximas(h.malha(1).series.pv, e.r.linha.malha(2).series.pv, "PV from the column of M22");
    SeriesProximas(h.malha(1).series.co, e.r.linha.malha(1).series.co, "CO from field 1");
    EXPECT_FALSE(h.malha(2).ativa);
    EXPECT_TRUE(h.malha(3).ativa);
    EXPECT_EQ(h.malha(3).unidade, "t/h") << "the unit as the table holds it now";
    SeriesProximas(h.malha(3).series.pv, e.r.linha.malha(1).series.pv, "PV of loop 3 from M21");
    for (double co : h.malha(3).series.co) ASSERT_EQ(co, 0) << "M3 was never written";
}

TEST(HistoricoTest, AFailedLoadThrowsAndReportsTheLine) {
    Execucao e(true);
    std::string bytes = teste::LeTudo(e.r.arquivo);
    bytes.resize(bytes.size() / 2);
    const fs::path cortado = e.dir.path() / "cortado.txd";
    teste::GravaTudo(cortado, bytes);
    try {
        CarregaHistorico(e.p.sim, cortado, true);
        FAIL();
    } catch (const ErroTxd& err) {
        EXPECT_GT(err.linha(), 800);
        EXPECT_LT(err.linha(), 1000);
    }
}

// An archive whose numbers make an index overflow (or print as a 300-digit
// number) is an error of the archive, named with the loop and the index; a
// huge value in a column no loop reads is no concern of the indices.
TEST(HistoricoTest, AnIndexOutOfRangeIsAnErrorOfTheArchive) {
    Execucao e(true);
    const std::string bytes = teste::LeTudo(e.r.arquivo);
    const std::size_t linha2 = bytes.find("\r\n") + 2;
    const std::size_t linha3 = bytes.find("\r\n", linha2) + 2;
    // Field k (from 1) of data line 1 replaced.
    auto troca = [&](int k, const std::string& valor) {
        std::size_t inicio = linha2;
        for (int i = 1; i < k; ++i) inicio = bytes.find(';', inicio) + 1;
        std::string r = bytes;
        r.replace(inicio, bytes.find(';', inicio) - inicio, valor);
        EXPECT_LT(inicio, linha3);
        return r;
    };
    const std::string noves(300, '9');
    const struct {
        const char* caso;
        int campo;
        const char* valor;
        const char* pt;  // nullptr: read without error
        const char* en;
    } casos[] = {
        {"PV of loop 1 overflows", 21, "1e308", "o índice \"Variabilidade\" da malha 1 está fora da faixa",
         "the index \"Variability\" of loop 1 is out of range"},
        {"SP of loop 2 of 300 digits", 62, noves.c_str(), "\"Integral Erro Médio(IEM)\" da malha 2",
         "\"Int Average Error\" of loop 2"},
        {"column of no loop", 50, "1e308", nullptr, nullptr},
    };
    for (const auto& c : casos) {
        const fs::path p = e.dir.path() / "fora.txd";
        teste::GravaTudo(p, troca(c.campo, c.valor));
        try {
            const LinhaDesempenho h = CarregaHistorico(e.p.sim, p, true);
            EXPECT_FALSE(c.pt) << c.caso << ": read without error";
            EXPECT_TRUE(h.malha(1).indices && h.malha(2).indices) << c.caso;
        } catch (const ErroTxd& err) {
            ASSERT_TRUE(c.pt) << c.caso << ": " << err.what();
            const std::string onde = "\"" + p.string() + "\": ";
            EXPECT_EQ(err.Mensagem(false).find("Erro de leitura em " + onde), 0u) << err.Mensagem(false);
            EXPECT_NE(err.Mensagem(false).find(c.pt), std::string::npos) << err.Mensagem(false);
            EXPECT_EQ(std::string(err.what()).find("Read error in " + onde), 0u) << err.what();
            EXPECT_NE(std::string(err.what()).find(c.en), std::string::npos) << err.what();
        }
    }
}

}  // namespace
}  // namespace kivo
