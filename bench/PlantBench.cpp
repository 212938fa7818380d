// A plant with every pool full, stepped for 4 h of plant time at 0.1 s, next
// to the same models hand-coded with plain doubles: the floor that no
// framework can beat.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>
#include <string>

#include "ContaAlocacoes.h"
#include "core/Ciclo.h"
#include "core/NumberText.h"
#include "objects/Blocos.h"
#include "objects/Controller.h"
#include "objects/Linearizador.h"
#include "objects/Parametros.h"
#include "objects/Process.h"

namespace {

using namespace kivo;

constexpr long long kCiclos = 144000;
constexpr double kT = 0.1;
constexpr std::uint32_t kSemente = 20240601;

// ---- The plant, as parameters both versions share ---------------------------

struct DefProcesso {
    int entrada;
    double K, theta, tau1, tau2, H, S, tauA, R;
    int curva;
};

DefProcesso Processo(int i) {
    return {i <= 10 ? i : 70 + i,        1.0 + 0.05 * (i % 5), 1.0 + 0.5 * (i % 7), 5.0 + 2 * (i % 4),
            2.0 + i % 3,                 0.5,                  0.8,                 0.5,
            15.0 + i,                    i % 5};
}
// Process 12's gain follows a generator row live.
constexpr int kProcessoGanhoVivo = 12;

struct DefBloco {
    const char* funcao;
    const char* sup;  // nullptr: limit off
    const char* inf;
    double (*f)(const double* m);
    double (*hi)(const double* m);
    double (*lo)(const double* m);
};

#define F(expr) []([[maybe_unused]] const double* m) -> double { return expr; }
const DefBloco kBlocos[24] = {
    {"M21*0.5+10", nullptr, nullptr, F(m[21] * 0.5 + 10), nullptr, nullptr},
    {"(M22+M23)/2", nullptr, nullptr, F((m[22] + m[23]) / 2), nullptr, nullptr},
    {"M24>M25", nullptr, nullptr, F(std::max(m[24], m[25])), nullptr, nullptr},
    {"M26<M27", nullptr, nullptr, F(std::min(m[26], m[27])), nullptr, nullptr},
    {"M28*M96/100", nullptr, nullptr, F(m[28] * m[96] / 100), nullptr, nullptr},
    {"M21-M22+50", nullptr, nullptr, F(m[21] - m[22] + 50), nullptr, nullptr},
    {"M41*1,2", nullptr, nullptr, F(m[41] * 1.2), nullptr, nullptr},
    {"(M29+M30+M31)/3", nullptr, nullptr, F((m[29] + m[30] + m[31]) / 3), nullptr, nullptr},
    {"M32>M33", "90", "10", F(std::max(m[32], m[33])), F(90), F(10)},
    {"M34*2-M35", "100", "0", F(m[34] * 2 - m[35]), F(100), F(0)},
    {"M36^2/100", nullptr, nullptr, F(m[36] * m[36] / 100), nullptr, nullptr},
    {"M37+M81/10", nullptr, nullptr, F(m[37] + m[81] / 10), nullptr, nullptr},
    {"M38<M84", nullptr, nullptr, F(std::min(m[38], m[84])), nullptr, nullptr},
    {"M39*0.9+M85*0.1", nullptr, nullptr, F(m[39] * 0.9 + m[85] * 0.1), nullptr, nullptr},
    {"M40-M86+50", "M95", "0", F(m[40] - m[86] + 50), F(m[95]), F(0)},
    {"M71*M72/100", nullptr, nullptr, F(m[71] * m[72] / 100), nullptr, nullptr},
    {"M73>M74", nullptr, nullptr, F(std::max(m[73], m[74])), nullptr, nullptr},
    {"(M41+M42+M43+M44)/4", nullptr, nullptr, F((m[41] + m[42] + m[43] + m[44]) / 4), nullptr, nullptr},
    {"M45*0.5+M46*0.5", nullptr, nullptr, F(m[45] * 0.5 + m[46] * 0.5), nullptr, nullptr},
    {"M47-M48", "50", "-50", F(m[47] - m[48]), F(50), F(-50)},
    {"M49*3", "100", nullptr, F(m[49] * 3), F(100), nullptr},
    {"M50/(M96+1)", nullptr, nullptr, F(m[50] / (m[96] + 1)), nullptr, nullptr},
    {"M51<M52", nullptr, nullptr, F(std::min(m[51], m[52])), nullptr, nullptr},
    {"M53+M54-M55", nullptr, nullptr, F(m[53] + m[54] - m[55]), nullptr, nullptr},
};

struct DefControlador {
    double SP, Kc, Ti, Td;
    bool isa;
    int ff;        // feed-forward: generator row read, times 0.2, plus 40
    int backMV;    // feedback address, 0 = off
};

DefControlador Controlador(int n) {
    return {40.0 + 2 * n, 0.8, 15, n % 3 == 0 ? 1.0 : 0.0, n % 2 == 1, 81 + n % 10, n <= 2 ? n + 2 : 0};
}

struct DefGerador {
    int tipo;
    const char *min, *max, *desc, *valor;
};
const DefGerador kGeradores[16] = {
    {LinhaGerador::AleatorioRapido, "40", "60", "r", ""},
    {LinhaGerador::AleatorioMedio, "30", "70", "5", ""},
    {LinhaGerador::AleatorioLento, "20", "80", "s", ""},
    {LinhaGerador::Senoidal, "40", "60", "60", ""},
    {LinhaGerador::Equacao, "", "", "eq", "M21*0.5+10"},
    {LinhaGerador::RandomWalk, "50", "0.5", "10", ""},
    {LinhaGerador::AleatorioMedio, "0", "100", "2", ""},
    {LinhaGerador::Senoidal, "0", "100", "M95", ""},
    {LinhaGerador::AleatorioRapido, "45", "55", "r", ""},
    {LinhaGerador::RandomWalk, "30", "1", "5", ""},
    {LinhaGerador::Constante, "", "", "c", "50"},
    {LinhaGerador::Constante, "", "", "c", "25"},
    {LinhaGerador::Constante, "", "", "c", "75"},
    {LinhaGerador::Constante, "", "", "c", "10"},
    {LinhaGerador::Constante, "", "", "c", "80"},
    {LinhaGerador::Constante, "", "", "c", "50"},
};

const double kLinMV[6] = {0, 20, 40, 60, 80, 100};
const double kLinPV[6] = {0, 30, 55, 75, 90, 100};

std::string Texto(double x) { return FormataFixo(x, 0, 3); }

// ---- Full plant: the models with their texts --------------------------------

struct PlantaCompleta {
    Simulacao sim;
    TParmForm geradores{sim};
    TLinearizador linearizador{sim};

    PlantaCompleta() {
        sim.aleatorio.Semeia(kSemente);
        sim.estado.T = kT;
        sim.geradores = &geradores;
        sim.linearizador = &linearizador;
        for (int g = 81; g <= 96; ++g) {
            const DefGerador& d = kGeradores[g - 81];
            LinhaGerador& l = geradores.linha(g);
            l.Tipo = d.tipo;
            geradores.LayoutLinha(g, false);
            l.Min = d.min;
            l.Max = d.max;
            l.Desc = d.desc;
            l.Valor = d.valor;
        }
        geradores.AplicaParametros();

        for (int i = 1; i <= 24; ++i) {
            auto p = std::make_unique<TProcesso>(sim, i);
            const DefProcesso d = Processo(i);
            p->EntradaSelect = d.entrada - 1;
            p->GanhoText = i == kProcessoGanhoVivo ? "M96/50" : Texto(d.K);
            p->TempoMorto = Texto(d.theta);
            p->LText = Texto(d.tau1);
            p->Ctext = Texto(d.tau2);
            p->Histerese = Texto(d.H);
            p->valveStext = Texto(d.S);
            p->tal = Texto(d.tauA);
            p->ratetext = Texto(d.R);
            p->ComboBox1 = d.curva;
            p->ValidaParametros(false);
            sim.processos.Cria(i, std::move(p));
        }
        for (int i = 1; i <= 24; ++i) {
            auto b = std::make_unique<TBloco>(sim, i);
            const DefBloco& d = kBlocos[i - 1];
            b->FuncaoTr = d.funcao;
            b->LimSupCheck = d.sup != nullptr;
            b->LimInfCheck = d.inf != nullptr;
            if (d.sup) b->LimSupText = d.sup;
            if (d.inf) b->LimInfText = d.inf;
            b->ValidaParametros(false);
            sim.blocos.Cria(i, std::move(b));
        }
        for (int n = 1; n <= 10; ++n) {
            auto c = std::make_unique<TControlador>(sim, n);
            const DefControlador d = Controlador(n);
            c->VariavelSelect = 20 + n - 1;
            c->KpText = Texto(d.Kc);
            c->KiText = Texto(d.Ti);
            c->KdText = Texto(d.Td);
            c->EstruturaGroup = d.isa ? 1 : 0;
            c->FFwSelect = true;
            c->FFwEquation = "M" + std::to_string(d.ff) + "*0.2+40";
            c->BackMVCheck = d.backMV != 0;
            c->BackMV = d.backMV - 1;
            c->ValidaParametros(false);
            c->estado.SP = d.SP;
            c->estado.modoAuto = true;
            sim.controladores.Cria(n, std::move(c));
        }
        linearizador.Lin1EndEnt = "41 Bloco";
        for (int k = 0; k < 6; ++k) {
            linearizador.Lin1MV[k] = Texto(kLinMV[k]);
            linearizador.Lin1PV[k] = Texto(kLinPV[k]);
        }
        linearizador.SetLin1Ativar(true);
    }

    void Executa(long long ciclos) {
        sim.ExecutaSemDisplay(ciclos, kT, [](long long) {}, [](long long) { return true; });
    }
};

// ---- Hand-coded plant: the same models with plain doubles ------------------

struct GeradorAleatorioSimples {
    std::uint32_t seed;
    std::uint32_t operator()(std::uint32_t n) {
        seed = seed * 134775813u + 1u;
        return static_cast<std::uint32_t>((static_cast<std::uint64_t>(seed) * n) >> 32);
    }
};

struct ProcessoSimples {
    DefProcesso d;
    int saida;
    double h = 0, hr = 0, s = 0, f = 0, fr = 0, fp = 0, r = 0, c = 0, a = 0, xd = 0, xp = 0, y1 = 0, y2 = 0;
    int n = 0, k = 0;
    bool agarrado = false;
    std::array<double, 10001> buffer{};

    void Passo(double* m, double* atuador) {
        const double x = m[d.entrada];
        const double K = saida == 20 + kProcessoGanhoVivo ? m[96] / 50 : d.K;
        if (d.H > 0) {
            const double xr = std::nearbyint(10 * x) / 10;
            if (h + d.H <= xr) {
                h = xr - d.H;
                hr = xr;
            } else if (hr - d.H > x) {
                h = xr;
                hr = xr + d.H;
            }
        } else {
            h = x;
        }
        if (!agarrado) {
            s = h;
            f = (0.5 / (0.5 + kT)) * f + (kT / (0.5 + kT)) * h;
            fr = std::nearbyint(10 * f) / 10;
            n = std::fabs(fr - fp) >= 0.2 ? 0 : std::min(n + 1, 5);
            if (n > 4 && d.S > 0) agarrado = true;
        } else if (std::fabs(s - h) >= d.S) {
            agarrado = false;
        }
        fp = fr;
        const double passo = std::fabs(d.R) * kT;
        if (std::fabs(r - s) > passo)
            r += s > r ? passo : -passo;
        else
            r = s;
        switch (d.curva) {
            case 1: c = 100 - (112 * std::exp(-r / 40) - 9.1935); break;
            case 2: c = (std::exp(r / 40) - 1.0253) * 8.9628; break;
            case 3: {
                const double z = (r / 2.5 + 30) / 10 - 5;
                c = (50 * z / std::sqrt(z * z + 1) + 50 - 5.2786) / 0.8944;
                break;
            }
            case 4: {
                const double z = r / 10 - 5;
                c = 50 * z / std::sqrt(z * z + 1) + 50;
                break;
            }
            default: c = r;
        }
        a = (d.tauA / (d.tauA + kT)) * a + (kT / (d.tauA + kT)) * c;
        const int D = static_cast<int>(std::nearbyint(d.theta / kT));
        k = k >= 10000 ? 1 : k + 1;
        buffer[static_cast<std::size_t>(k)] = a;
        int j = k - D;
        if (j <= 0) j += 10000;
        xd = buffer[static_cast<std::size_t>(j)];
        y1 = ((2 * d.tau1 - kT) / (2 * d.tau1 + kT)) * y1 + (kT / (2 * d.tau1 + kT)) * (xd + xp);
        y2 = std::clamp((d.tau2 / (d.tau2 + kT)) * y2 + (kT / (d.tau2 + kT)) * y1, 0.0, 100.0);
        xp = xd;
        m[saida] = K * y2;
        atuador[saida] = a;
    }
};

// The controller's trend: 450 samples of PV and SP, four curves of bytes.
struct TendenciaSimples {
    std::array<std::array<double, 450>, 2> historico{};
    std::array<std::array<std::uint8_t, 450>, 4> curvas{};
    int posicao = 0;

    static std::uint8_t Ponto(double v) { return static_cast<std::uint8_t>(std::nearbyint(2 * std::clamp(v, 0.0, 100.0))); }
    void Amostra(double pv, double sp, double mv, double atuador) {
        posicao = posicao >= 450 ? 1 : posicao + 1;
        const auto i = static_cast<std::size_t>(posicao - 1);
        historico[0][i] = pv;
        historico[1][i] = sp;
        curvas[0][i] = Ponto(pv);
        curvas[1][i] = Ponto(sp);
        curvas[2][i] = Ponto(mv);
        curvas[3][i] = Ponto(atuador);
    }
};

struct ControladorSimples {
    DefControlador d;
    int n;
    double SP, MV = 0, I = 0, eprev = 0, PVf = 0, PVfprev = 0;
    TendenciaSimples tendencia;

    void Passo(double* m, const double* atuador) {
        double PV = m[20 + n];
        const double e = SP - PV;
        const double ep = SP - PV;
        PV = std::clamp(PV, 0.0, 100.0);
        PVf = PV;
        m[60 + n] = SP;
        m[100 + n] = PV;
        const double b = m[d.ff] * 0.2 + 40;
        const double K = d.Kc;
        const double P = std::clamp(K * ep, -100.0, 100.0);
        double D = 0;
        if (d.Td != 0) {
            D = (PVfprev - PVf) * d.Td / kT;
            if (d.isa) D *= K;
            D = std::clamp(D, -100.0, 100.0);
        }
        const bool congela = d.backMV != 0 && (m[d.backMV] >= 99.9 || m[d.backMV] <= 0.1);
        if (!congela) I += d.isa ? K * e * kT / d.Ti : e * kT / d.Ti;
        MV = b + P + I + D;
        if (MV > 100) {
            I = 100 - P - D - b;
            MV = 100;
        } else if (MV < 0) {
            I = -P - D - b;
            MV = 0;
        }
        eprev = e;
        PVfprev = PVf;
        m[n] = MV;
        tendencia.Amostra(PV, SP, MV, atuador[20 + n]);
    }
};

struct PlantaManual {
    std::array<double, 125> m{};
    std::array<double, 125> atuador{};
    GeradorAleatorioSimples rnd{kSemente};
    std::array<ProcessoSimples, 24> processos;
    std::array<ControladorSimples, 10> controladores;
    // Generator rows 81..90
    std::array<double, 10> alvo{}, y{}, t{}, W{};
    double s[6], b[6];

    PlantaManual() {
        for (int i = 1; i <= 24; ++i) {
            processos[static_cast<std::size_t>(i - 1)].d = Processo(i);
            processos[static_cast<std::size_t>(i - 1)].saida = EnderecoProcesso(i);
        }
        for (int n = 1; n <= 10; ++n) {
            const DefControlador d = Controlador(n);
            auto& c = controladores[static_cast<std::size_t>(n - 1)];
            c.d = d;
            c.n = n;
            c.SP = d.SP;
        }
        for (int g = 91; g <= 96; ++g) m[static_cast<std::size_t>(g)] = ConverteReal(kGeradores[g - 81].valor);
        W[5] = 50;
        W[9] = 30;
        for (int k = 1; k < 6; ++k) {
            s[k] = (kLinPV[k] - kLinPV[k - 1]) / (kLinMV[k] - kLinMV[k - 1]);
            b[k] = kLinPV[k] - s[k] * kLinMV[k];
        }
    }

    double Sorteio(double mn, double mx) { return mn + (mx - mn) / 10000 * rnd(10000); }

    void Geradores() {
        m[81] = Sorteio(40, 60);
        if (500 > rnd(30000)) alvo[1] = Sorteio(30, 70);
        y[1] = 5 / (5 + kT) * y[1] + kT / (5 + kT) * alvo[1];
        m[82] = y[1];
        if (30 > rnd(30000)) m[83] = Sorteio(20, 80);
        t[3] += kT;
        m[84] = 40 + (std::sin(2 * std::numbers::pi * t[3] / 60) + 1) / 2 * 20;
        m[85] = m[21] * 0.5 + 10;
        W[5] += 0.5 * (rnd(10000) / 5000.0 - 1);
        if (W[5] > 60 || W[5] < 40) W[5] = 50;
        m[86] = W[5];
        if (500 > rnd(30000)) alvo[6] = Sorteio(0, 100);
        y[6] = 2 / (2 + kT) * y[6] + kT / (2 + kT) * alvo[6];
        m[87] = y[6];
        t[7] += kT;
        m[88] = (std::sin(2 * std::numbers::pi * t[7] / m[95]) + 1) / 2 * 100;
        m[89] = Sorteio(45, 55);
        W[9] += 1 * (rnd(10000) / 5000.0 - 1);
        if (W[9] > 35 || W[9] < 25) W[9] = 30;
        m[90] = W[9];
    }

    void Passo() {
        double* mem = m.data();
        Geradores();
        for (auto& p : processos) p.Passo(mem, atuador.data());
        for (int i = 1; i <= 24; ++i) {
            const DefBloco& d = kBlocos[i - 1];
            double v = d.f(mem);
            if (d.hi) v = std::min(v, d.hi(mem));
            if (d.lo) v = std::max(v, d.lo(mem));
            m[static_cast<std::size_t>(EnderecoBloco(i))] = v;
        }
        for (auto& c : controladores) c.Passo(mem, atuador.data());
        const double x = m[41];
        int k = 1;
        while (k < 5 && !(x < kLinPV[k])) ++k;
        m[13] = (x - b[k]) / s[k];
    }
};

// ---- Benchmarks --------------------------------------------------------------

void BM_FullPlant144k(benchmark::State& state) {
    auto planta = std::make_unique<PlantaCompleta>();
    planta->Executa(1000);  // first evaluations size the formulas' scratch space
    std::uint64_t alocacoes = 0;
    for (auto _ : state) {
        const std::uint64_t antes = kivo::testing::Alocacoes();
        planta->Executa(kCiclos);
        alocacoes += kivo::testing::Alocacoes() - antes;
    }
    const double ciclos = static_cast<double>(state.iterations()) * kCiclos;
    state.counters["alloc_per_cycle"] = static_cast<double>(alocacoes) / ciclos;
    state.counters["ns_per_cycle"] =
        benchmark::Counter(ciclos, benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
    state.counters["M21"] = planta->sim.mem[21];
    state.counters["M13"] = planta->sim.mem[13];
}
BENCHMARK(BM_FullPlant144k)->Unit(benchmark::kMillisecond);

void BM_HandCodedPlant144k(benchmark::State& state) {
    auto planta = std::make_unique<PlantaManual>();
    for (int i = 0; i < 1000; ++i) planta->Passo();
    for (auto _ : state) {
        for (long long i = 0; i < kCiclos; ++i) planta->Passo();
        benchmark::DoNotOptimize(planta->m.data());
    }
    state.counters["M21"] = planta->m[21];
    state.counters["M13"] = planta->m[13];
}
BENCHMARK(BM_HandCodedPlant144k)->Unit(benchmark::kMillisecond);

}  // namespace
