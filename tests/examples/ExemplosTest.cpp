// Every example plant, run headless: it loads without a validation message in
// both languages, its picture and markers fit together, and an hour of plant
// time with a 10 % setpoint step leaves every variable finite and every
// automatic loop at its setpoint. Past its first second, its cycle makes no
// heap allocation.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ContaAlocacoes.h"
#include "core/NumberText.h"
#include "core/Registro.h"
#include "Exemplos.h"
#include "project/ArquivoProjeto.h"
#include "project/ArquivoTexto.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;

constexpr double kDuracao = 3600;     // plant time of the run, s
constexpr double kDegrau = 10;        // setpoint step, % of span
constexpr double kTolerancia = 2;     // % of span
constexpr double kJanelaFinal = 300;  // s averaged at the end of the run

// Width and height of a 24-bit uncompressed BMP file, or 0 x 0.
std::pair<int, int> TamanhoBmp(const fs::path& arquivo) {
    std::ifstream f(arquivo, std::ios::binary);
    std::string b(54, '\0');
    if (!f.read(b.data(), 54) || b.compare(0, 2, "BM") != 0) return {0, 0};
    auto u = [&](std::size_t i, int n) {
        std::uint32_t v = 0;
        for (int k = n - 1; k >= 0; --k) v = v << 8 | static_cast<std::uint8_t>(b[i + static_cast<std::size_t>(k)]);
        return v;
    };
    const auto w = static_cast<std::int32_t>(u(18, 4));
    const auto h = static_cast<std::int32_t>(u(22, 4));
    if (u(28, 2) != 24 || u(30, 4) != 0) return {0, 0};
    const std::uint64_t linha = (static_cast<std::uint64_t>(w) * 3 + 3) & ~3ull;
    if (fs::file_size(arquivo) < 54 + linha * static_cast<std::uint64_t>(std::abs(h))) return {0, 0};
    return {w, std::abs(h)};
}

void VerificaCarga(const Caso& c) {
    for (bool ingles : {false, true}) {
        Projeto p(ingles);
        const ResultadoCarga r = LeProjeto(p, Pasta(c) / c.arquivo, OpcoesCarga{true, nullptr});
        ASSERT_TRUE(r.ok) << r.erro;
        EXPECT_TRUE(r.mensagens.empty()) << r.mensagens.front();
        EXPECT_FALSE(p.comentarios.empty()) << (ingles ? "English" : "Portuguese") << " comments";
        EXPECT_EQ(p.titulo.find('|'), std::string::npos) << "title not split: " << p.titulo;
        // Opened and saved unchanged, in either language, the file comes
        // back byte for byte: both halves of every text, both comment blocks.
        EXPECT_TRUE(JuntaLinhas(LinhasProjeto(p)) == LeBytes(Pasta(c) / c.arquivo))
            << "re-saved in " << (ingles ? "English" : "Portuguese") << " differs";
    }
}

// The markers are the plant's handles: each must lie on the picture, and no
// two object markers may cover each other.
void VerificaMarcadores(const Caso& c) {
    Projeto p;
    ASSERT_TRUE(LeProjeto(p, Pasta(c) / c.arquivo, OpcoesCarga{true, nullptr}).ok);
    ASSERT_FALSE(p.imagem.empty());
    const auto [w, h] = TamanhoBmp(Pasta(c) / p.imagem);
    ASSERT_GT(w, 0) << p.imagem << " is not a 24-bit BMP picture";
    const fs::path miniatura = Pasta(c) / (fs::path(c.arquivo).stem().string() + "_thumb.bmp");
    EXPECT_GT(TamanhoBmp(miniatura).first, 0) << miniatura;

    struct Caixa {
        std::string nome;
        int x, y, w, h;
    };
    std::vector<Caixa> caixas;
    auto marca = [&](const std::string& nome, const Marcador& m) {
        if (m.exibido) caixas.push_back({nome, m.esquerda, m.topo, 79, 22});
    };
    for (int n = 1; n <= 10; ++n) {
        if (p.controlador(n)) marca("controller " + std::to_string(n), p.marcadores.controladores[n - 1]);
        if (p.registrador(n)) marca("recorder " + std::to_string(n), p.marcadores.registradores[n - 1]);
    }
    for (int n = 1; n <= 24; ++n) {
        if (p.processo(n)) marca("process " + std::to_string(n), p.marcadores.processos[n - 1]);
        if (p.bloco(n)) marca("block " + std::to_string(n), p.marcadores.blocos[n - 1]);
    }
    for (const Caixa& a : caixas) {
        EXPECT_TRUE(a.x >= 0 && a.y >= 0 && a.x + a.w <= w && a.y + a.h <= h) << a.nome << " off the picture";
        for (const Caixa& b : caixas) {
            if (&a < &b) {
                EXPECT_FALSE(a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h)
                    << a.nome << " covers " << b.nome;
            }
        }
    }
    for (int n = 1; n <= 20; ++n) {
        if (!p.texto(n)) continue;
        const Marcador& m = p.marcadores.textos[n - 1];
        // The description label sits 13 pixels above the value.
        EXPECT_TRUE(m.esquerda >= 0 && m.topo >= 13 && m.esquerda < w && m.topo < h) << "text " << n;
    }
    // The configuration dialog takes at most 15 characters of a button's
    // description and 16 of each state text, in either language.
    for (const Botao& b : p.botoes) {
        if (!b.habilitado) continue;
        for (bool ingles : {false, true}) {
            EXPECT_LE(NumCaracteres(ParIdioma(b.descricao, ingles)), 15u) << b.descricao;
            EXPECT_LE(NumCaracteres(ParIdioma(b.textoZero, ingles)), 16u) << b.textoZero;
            EXPECT_LE(NumCaracteres(ParIdioma(b.textoUm, ingles)), 16u) << b.textoUm;
        }
    }
    for (const Track& t : p.tracks) {
        if (t.habilitado) {
            EXPECT_TRUE(t.esquerda >= 0 && t.topo >= 0 && t.esquerda < w && t.topo < h) << "track " << t.rotulo;
        }
    }
}

// An hour of plant time at the step T, with the setpoint step of the fast
// simulation (every controller, a tenth into the run).
void VerificaExecucao(const Caso& c, double T) {
    Projeto p;
    ASSERT_TRUE(LeProjeto(p, Pasta(c) / c.arquivo, OpcoesCarga{true, nullptr}).ok);

    struct Malha {
        TControlador* c;
        double pvInicial = 0;
        double ciclosNoLimite = 0;
        double erroFinal = 0;  // summed over the final window
    };
    std::vector<Malha> malhas;
    for (int n = 1; n <= 10; ++n)
        // The PV the controller saw when the plant was saved.
        if (TControlador* ctl = p.controlador(n)) malhas.push_back({ctl, ctl->estado.PVant});

    const auto N = static_cast<long long>(std::llround(kDuracao / T));
    const auto finalDesde = N - static_cast<long long>(std::llround(kJanelaFinal / T));
    bool degrau = false;
    std::string naoFinito;
    p.sim.ExecutaSemDisplay(
        N, T,
        [&](long long h) {
            if (degrau || Arredonda(100.0 * static_cast<double>(h) / static_cast<double>(N)) <= 10) return;
            degrau = true;
            // Before the step the plant has run six minutes from the state it
            // was saved in: it must be where it was left.
            for (Malha& m : malhas) {
                const EstadoControlador& e = m.c->estado;
                const double pv = p.sim.mem[m.c->enderecoPV()];
                if (e.modoAuto) {
                    EXPECT_NEAR(pv, e.SP, kTolerancia) << m.c->TagText << " not at its setpoint before the step";
                } else {
                    EXPECT_NEAR(pv, m.pvInicial, kTolerancia) << m.c->TagText << " (manual) drifted";
                }
                m.c->estado.SP += kDegrau;
            }
        },
        [&](long long h) {
            for (int k = 1; k <= kNumVariaveis && naoFinito.empty(); ++k)
                if (!std::isfinite(p.sim.mem[k])) naoFinito = NomeVariavel(k) + " at cycle " + std::to_string(h);
            for (Malha& m : malhas) {
                const EstadoControlador& e = m.c->estado;
                if (e.MV <= m.c->COmin() || e.MV >= m.c->COmax()) m.ciclosNoLimite += 1;
                if (h >= finalDesde) m.erroFinal += p.sim.mem[m.c->enderecoPV()] - e.SP;
            }
            return naoFinito.empty();
        });
    ASSERT_TRUE(naoFinito.empty()) << naoFinito << " is not finite";

    for (const Malha& m : malhas) {
        const std::string& tag = m.c->TagText;
        const bool podeSaturar = std::find(c.saturam.begin(), c.saturam.end(), tag) != c.saturam.end();
        if (!podeSaturar) {
            EXPECT_LT(m.ciclosNoLimite / static_cast<double>(N), 0.5) << tag << " sat at an output limit";
        }
        // The mean over the final minutes: a loop that cycles around its
        // setpoint by design, or carries measurement noise, passes; an offset
        // or a drift does not.
        if (m.c->estado.modoAuto) {
            EXPECT_NEAR(m.erroFinal / static_cast<double>(N - finalDesde), 0, kTolerancia)
                << tag << " ends away from its setpoint";
        }
    }
}

// The real-time cycle runs ten times a second for hours: past the first
// second (which records the formulas' first sign patterns), it must not touch
// the heap, also while the loops move after a setpoint step.
void VerificaAlocacoes(const Caso& c) {
    Projeto p;
    ASSERT_TRUE(LeProjeto(p, Pasta(c) / c.arquivo, OpcoesCarga{true, nullptr}).ok);
    constexpr long long kPrimeiroSegundo = 10;
    constexpr long long kCiclos = 18000;  // 30 min
    constexpr long long kDegrauEm = 1800;
    long double agora = 0;
    auto tick = [&] {
        agora += p.sim.estado.periodoTimer;
        p.sim.Tick(agora);
    };
    for (long long i = 0; i < kPrimeiroSegundo; ++i) tick();
    std::uint64_t alocacoes = 0;
    for (long long i = 0; i < kCiclos; ++i) {
        if (i == kDegrauEm) {
            for (int n = 1; n <= 10; ++n)
                if (TControlador* ctl = p.controlador(n)) ctl->estado.SP += kDegrau;
        }
        alocacoes += testing::AlocacoesDe(tick);
    }
    EXPECT_EQ(alocacoes, 0u) << static_cast<double>(alocacoes) / kCiclos << " per cycle";
}

class Exemplo : public ::testing::TestWithParam<Caso> {};

TEST_P(Exemplo, LoadsFitsItsPictureAndSettles) {
    const Caso& c = GetParam();
    {
        SCOPED_TRACE("loading");
        VerificaCarga(c);
    }
    {
        SCOPED_TRACE("picture and markers");
        VerificaMarcadores(c);
    }
    // The real-time step, and the step the fast simulation pairs with an
    // hour's window.
    for (double T : {0.1, 0.2}) {
        SCOPED_TRACE("an hour with a setpoint step, T = " + FormataFixo(T, 1, 1) + " s");
        VerificaExecucao(c, T);
    }
}

TEST_P(Exemplo, SteadyCycleAllocatesNothing) { VerificaAlocacoes(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Exemplos, Exemplo, ::testing::ValuesIn(kCasos),
                         [](const ::testing::TestParamInfo<Caso>& i) { return std::string(i.param.nome); });

}  // namespace
}  // namespace kivo
