// Ten loops, each a first-order-plus-dead-time process (gain 1.5, lags 10 s
// and 3 s, dead time 2 s) under a PI controller in automatic, run for 4 h of
// plant time at 100 ms: 144 000 cycles, a 10 % setpoint step on every loop at
// cycle 14 400, and the fast run's sampling (one point of PV, SP and CO per
// loop and simulated second, indices at the end). Beside it, the same ten
// loops hand-coded with plain doubles and the same discretisation: the floor.
// Both must end in the same state and with the same indices, bit for bit.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

#include "ContaAlocacoes.h"
#include "core/Ciclo.h"
#include "fastsim/Malhas.h"
#include "objects/Controller.h"
#include "objects/Parametros.h"
#include "objects/Process.h"

namespace {

using namespace kivo;

constexpr int kLoops = 10;
constexpr long long kCiclos = 144000;
constexpr long long kCicloDegrau = 14400;
constexpr long long kPorSegundo = 10;
constexpr double kT = 0.1;
constexpr double kDegrau = 10;

constexpr double kGanho = 1.5, kTau1 = 10, kTau2 = 3, kTempoMorto = 2;
constexpr double kKc = 1, kTi = 12, kBias = 50;
double SetPoint(int n) { return 40 + 2 * n; }

// What both versions must agree on.
struct Resultado {
    std::array<double, kNumVariaveis + 1> mem{};
    std::array<std::array<std::string, 7>, kLoops> indices;
};

// ---- The ten loops as a plant of the simulator ------------------------------

struct PlantaDezMalhas {
    Simulacao sim;
    TParmForm geradores{sim};

    PlantaDezMalhas() {
        sim.geradores = &geradores;
        geradores.AplicaParametros();
        for (int n = 1; n <= kLoops; ++n) {
            auto p = std::make_unique<TProcesso>(sim, n);
            p->EntradaSelect = n - 1;  // M(n), the controller's output
            p->GanhoText = "1.5";
            p->TempoMorto = "2";
            p->LText = "10";
            p->Ctext = "3";
            if (!p->ValidaParametros(false)) throw std::logic_error("ten loops: process refused");
            sim.processos.Cria(n, std::move(p));

            auto c = std::make_unique<TControlador>(sim, n);
            c->VariavelSelect = EnderecoProcesso(n) - 1;
            c->KpText = "1";
            c->KiText = "12";
            c->KdText = "0";
            if (!c->ValidaParametros(false)) throw std::logic_error("ten loops: controller refused");
            c->estado.SP = SetPoint(n);
            c->estado.modoAuto = true;
            sim.controladores.Cria(n, std::move(c));
        }
    }

    // Not inlined, nor is the floor's, so that a profiler can count each run
    // alone.
    [[gnu::noinline]] Resultado Executa() {
        ColetaMalhas coleta(sim, true, kCiclos / kPorSegundo);
        sim.ExecutaSemDisplay(
            kCiclos, kT,
            [&](long long h) {
                if (h != kCicloDegrau) return;
                for (int n = 1; n <= kLoops; ++n) sim.controladores.como<TControlador>(n)->estado.SP += kDegrau;
            },
            [&](long long h) {
                if ((h + 1) % kPorSegundo == 0) coleta.Amostra(sim.mem.dados());
                return true;
            });
        Resultado r;
        std::memcpy(r.mem.data(), sim.mem.dados(), sizeof r.mem);
        const LinhaDesempenho linha = coleta.Conclui();
        for (int n = 1; n <= kLoops; ++n) {
            const auto t = TextosIndices(*linha.malha(n).indices);
            std::copy(t.begin(), t.end(), r.indices[static_cast<std::size_t>(n - 1)].begin());
        }
        return r;
    }
};

// ---- The floor: the same loops hand-coded -----------------------------------

struct MalhaManual {
    static constexpr int kAtraso = 20;  // Nearest(2 s / 0.1 s) cycles
    int n = 0;
    // Process: dead-time ring, the two lags, the previous delayed input.
    std::array<double, kAtraso + 1> atraso{};
    int k = 0;
    double x = 0, xp = 0, y1 = 0, y2 = 0;
    // Controller
    double SP = 0, I = 0;
    // Trend: the last 450 raw samples of PV, SP, CO and the actuator.
    std::array<std::array<double, 4>, 450> tendencia{};
    int posicao = 0;
    SeriesMalha series;
};

struct PlantaManual {
    std::array<double, kNumVariaveis + 1> m{};
    std::array<MalhaManual, kLoops> malhas;

    PlantaManual() {
        for (int n = 1; n <= kLoops; ++n) {
            MalhaManual& l = malhas[static_cast<std::size_t>(n - 1)];
            l.n = n;
            l.SP = SetPoint(n);
            l.series.pv.reserve(kCiclos / kPorSegundo);
            l.series.sp.reserve(kCiclos / kPorSegundo);
            l.series.co.reserve(kCiclos / kPorSegundo);
        }
    }

    [[gnu::noinline]] Resultado Executa() {
        constexpr double a1 = (2 * kTau1 - kT) / (2 * kTau1 + kT), b1 = kT / (2 * kTau1 + kT);
        constexpr double a2 = kTau2 / (kTau2 + kT), b2 = kT / (kTau2 + kT);
        double* mem = m.data();
        for (long long h = 0; h < kCiclos; ++h) {
            for (MalhaManual& l : malhas) {
                l.x = mem[l.n];
                l.k = l.k == MalhaManual::kAtraso ? 0 : l.k + 1;
                l.atraso[static_cast<std::size_t>(l.k)] = l.x;
                const double xd = l.atraso[static_cast<std::size_t>(l.k == MalhaManual::kAtraso ? 0 : l.k + 1)];
                l.y1 = a1 * l.y1 + b1 * (xd + l.xp);
                l.y2 = std::clamp(a2 * l.y2 + b2 * l.y1, 0.0, 100.0);
                l.xp = xd;
                mem[20 + l.n] = kGanho * l.y2;
            }
            if (h == kCicloDegrau)
                for (MalhaManual& l : malhas) l.SP += kDegrau;
            for (MalhaManual& l : malhas) {
                const double pv = mem[20 + l.n];
                const double e = l.SP - pv;
                const double pvLimitada = std::clamp(pv, 0.0, 100.0);
                mem[60 + l.n] = l.SP;
                mem[100 + l.n] = pvLimitada;
                const double P = std::clamp(kKc * e, -100.0, 100.0);
                l.I += kKc * e * kT / kTi;
                double MV = kBias + P + l.I;
                if (MV > 100) {
                    l.I = 100 - P - kBias;
                    MV = 100;
                } else if (MV < 0) {
                    l.I = 0 - P - kBias;
                    MV = 0;
                }
                mem[l.n] = MV;
                l.posicao = l.posicao >= 450 ? 1 : l.posicao + 1;
                l.tendencia[static_cast<std::size_t>(l.posicao - 1)] = {pvLimitada, l.SP, std::clamp(MV, 0.0, 100.0), l.x};
            }
            if ((h + 1) % kPorSegundo == 0)
                for (MalhaManual& l : malhas) l.series.Adiciona(mem[20 + l.n], mem[60 + l.n], mem[l.n]);
        }
        Resultado r;
        r.mem = m;
        for (const MalhaManual& l : malhas) {
            const auto t = TextosIndices(*CalculaIndices(l.series, " %"));
            std::copy(t.begin(), t.end(), r.indices[static_cast<std::size_t>(l.n - 1)].begin());
        }
        return r;
    }
};

bool Iguais(const Resultado& a, const Resultado& b) {
    return std::memcmp(a.mem.data(), b.mem.data(), sizeof a.mem) == 0 && a.indices == b.indices;
}

// ---- Benchmarks --------------------------------------------------------------

void BM_TenLoops4h(benchmark::State& state) {
    std::uint64_t alocacoes = 0;
    Resultado r;
    for (auto _ : state) {
        state.PauseTiming();
        auto planta = std::make_unique<PlantaDezMalhas>();
        const std::uint64_t antes = kivo::testing::Alocacoes();
        state.ResumeTiming();

        r = planta->Executa();

        state.PauseTiming();
        alocacoes += kivo::testing::Alocacoes() - antes;
        planta.reset();
        state.ResumeTiming();
    }
    if (!Iguais(r, std::make_unique<PlantaManual>()->Executa()))
        state.SkipWithError("the simulator and the hand-coded loops disagree");
    state.counters["allocs_per_run"] = static_cast<double>(alocacoes) / static_cast<double>(state.iterations());
    state.counters["ns_per_cycle"] = benchmark::Counter(static_cast<double>(kCiclos) * static_cast<double>(state.iterations()),
                                                        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["PV1"] = r.mem[21];
}
BENCHMARK(BM_TenLoops4h)->Unit(benchmark::kMillisecond);

void BM_TenLoopsHandCoded4h(benchmark::State& state) {
    Resultado r;
    for (auto _ : state) {
        state.PauseTiming();
        auto planta = std::make_unique<PlantaManual>();
        state.ResumeTiming();

        r = planta->Executa();
        benchmark::DoNotOptimize(r);

        state.PauseTiming();
        planta.reset();
        state.ResumeTiming();
    }
    state.counters["ns_per_cycle"] = benchmark::Counter(static_cast<double>(kCiclos) * static_cast<double>(state.iterations()),
                                                        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["PV1"] = r.mem[21];
}
BENCHMARK(BM_TenLoopsHandCoded4h)->Unit(benchmark::kMillisecond);

}  // namespace
