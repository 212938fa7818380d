#include "objects/Parametros.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numbers>

#include "core/Equation.h"
#include "core/NumberText.h"
#include "objects/Campos.h"

namespace kivo {

TParmForm::TParmForm(Simulacao& sim) : sim_(sim) {}

void TParmForm::Escreve(LinhaGerador& l, int g, double v) {
    if (!std::isfinite(v)) return;
    sim_.mem[g] = v;
    FormataFixoEm(l.Valor, v, 0, 2);
}

void TParmForm::CalculaCiclo() {
    // Most rows of a plant are constants, which the step leaves alone: the
    // kind is checked row by row without a loop, and only the other rows pay
    // for a call.
#pragma GCC unroll 10
    for (int g = kPrimeira; g <= kUltimaDinamica; ++g)
        if (static_cast<unsigned>(linha(g).Tipo - LinhaGerador::AleatorioRapido) <=
            LinhaGerador::Exponencial - LinhaGerador::AleatorioRapido)
            PassoLinha(g);
}

void TParmForm::PassoLinha(int g) {
    const double T = sim_.estado.T;
    const Memorias& mem = sim_.mem;
    GeradorAleatorio& rnd = sim_.aleatorio;
    // The thresholds scale with T / 0.1, so the rates do not depend on T.
    const double escala = T / 0.1;

    LinhaGerador& l = linha(g);
    auto sorteio = [&] { return l.min + (l.max - l.min) / 10000 * rnd.Proximo(10000); };
    switch (l.Tipo) {
        case LinhaGerador::AleatorioRapido:
            Escreve(l, g, sorteio());
            break;
        case LinhaGerador::AleatorioMedio: {
            if (escala * 500 > rnd.Proximo(30000)) l.alvo = sorteio();
            const double tau = l.P3;
            const double y = tau / (tau + T) * l.y + T / (tau + T) * l.alvo;
            // tau = -T divides by zero: the filter then holds.
            if (std::isfinite(y)) l.y = y;
            Escreve(l, g, l.y);
            break;
        }
        case LinhaGerador::AleatorioLento:
            if (escala * 30 > rnd.Proximo(30000)) Escreve(l, g, sorteio());
            break;
        case LinhaGerador::Senoidal:
            l.t += T;
            if (l.t > 100000000) l.t = 0;
            l.periodo.Define(l.Desc);
            l.P3 = l.periodo.Avalia(mem);
            Escreve(l, g, l.P3 != 0 ? l.min + (std::sin(2 * std::numbers::pi * l.t / l.P3) + 1) / 2 * (l.max - l.min) : 0.0);
            break;
        case LinhaGerador::RandomWalk: {
            double w = l.W + l.max * (rnd.Proximo(10000) / 5000.0 - 1);
            if (w > l.min + l.P3 || w < l.min - l.P3) w = l.min;
            if (std::isfinite(w)) l.W = w;
            Escreve(l, g, l.W);
            break;
        }
        case LinhaGerador::Equacao:
        case LinhaGerador::Logaritmo:
        case LinhaGerador::Exponencial: {
            if (g > kUltimaEquacao) break;
            const double v = l.equacao.Avalia(mem);
            // Equation values go to M(g) only; the Valor field keeps the text.
            double r = v;
            if (l.Tipo == LinhaGerador::Logaritmo) {
                if (!(v > 0)) break;  // a logarithm of v <= 0 leaves the output
                r = std::log(v);
            } else if (l.Tipo == LinhaGerador::Exponencial) {
                r = std::exp(v);
            }
            // Exp() beyond the double range keeps the last value, as LN()
            // of a non-positive value does.
            if (std::isfinite(r)) sim_.mem[g] = r;
            break;
        }
        default:
            break;
    }
}

void TParmForm::AplicaParametros() {
    Memorias& mem = sim_.mem;
    for (int g = kPrimeira; g <= kUltima; ++g) {
        LinhaGerador& l = linha(g);
        // The sine keeps its kind's name; its Desc field holds the period.
        if (l.Tipo != LinhaGerador::Senoidal) mem.setDescricao(g, l.Desc);
        switch (l.Tipo) {
            case LinhaGerador::Constante: {
                const double v = AvaliaEquacao(l.Valor);
                mem[g] = v;
                // The spin button's range is 0..100.
                l.UpDown = static_cast<int>(Arredonda(std::clamp(v, 0.0, 100.0)));
                break;
            }
            case LinhaGerador::Constante01:
                mem[g] = l.ValorDig == 1 ? 1.0 : 0.0;
                l.Valor = l.ValorDig == 1 ? "1" : "0";
                break;
            case LinhaGerador::AleatorioRapido:
            case LinhaGerador::AleatorioMedio:
            case LinhaGerador::AleatorioLento:
            case LinhaGerador::Senoidal:
            case LinhaGerador::RandomWalk:
                mem[g] = ConverteReal(l.Valor);
                break;
            case LinhaGerador::Equacao:
            case LinhaGerador::Logaritmo:
            case LinhaGerador::Exponencial:
                l.equacao.Define(l.Valor);
                break;
            default:
                break;
        }
        if (g <= kUltimaDinamica) {
            // A comma ends these numbers.
            l.min = ConverteReal(l.Min);
            l.max = ConverteReal(l.Max);
            l.W = l.min;
            if (l.Tipo == LinhaGerador::Senoidal) {
                l.periodo.Define(l.Desc);
                l.P3 = l.periodo.Avalia(mem);
            } else {
                l.P3 = ConverteReal(l.Desc);
            }
        }
    }
}

void TParmForm::LayoutLinha(int g, bool carregando) {
    LinhaGerador& l = linha(g);
    Memorias& mem = sim_.mem;
    const bool textos = !carregando;
    auto marcadores = [&](const char* mn, const char* mx, const char* desc) {
        if (!textos) return;
        l.Min = mn;
        l.Max = mx;
        l.Desc = desc;
    };
    switch (l.Tipo) {
        case LinhaGerador::Constante:
            if (textos) {
                l.Desc = "Descrição";
                l.Valor = "Valor";
                mem.setDescricao(g, "Constante 0-100");
            }
            break;
        case LinhaGerador::Constante01:
            if (textos) {
                l.Desc = "Descrição";
                mem.setDescricao(g, "Constante 0-1");
            }
            break;
        case LinhaGerador::AleatorioRapido:
        case LinhaGerador::AleatorioLento:
            marcadores("Min", "Máx.", "Descrição");
            mem.setDescricao(g, "Aleatório");
            break;
        case LinhaGerador::AleatorioMedio:
            marcadores("Min.", "Máx.", "Tal(seg)");
            mem.setDescricao(g, "Aleatório Médio");
            break;
        case LinhaGerador::Senoidal:
            marcadores("Min.", "Máx.", "Per (seg)");
            mem.setDescricao(g, "Sinal Senoidal");
            break;
        case LinhaGerador::RandomWalk:
            marcadores("Inicial", "Ganho", "Faixa");
            if (textos) mem.setDescricao(g, "Random Walk");
            break;
        case LinhaGerador::Equacao:
        case LinhaGerador::Logaritmo:
        case LinhaGerador::Exponencial:
            if (textos) {
                static constexpr const char* kNomes[] = {"Equação", "LN()", "Exp()"};
                l.Desc = "Descrição";
                l.Valor = "Equação";
                mem.setDescricao(g, kNomes[l.Tipo - LinhaGerador::Equacao]);
            }
            break;
        default:
            break;
    }
    if (g <= kUltimaDinamica) l.min = l.max = l.P3 = l.W = 0;
}

void TParmForm::Reinicia() {
    for (LinhaGerador& l : linhas_) {
        const double t = l.t;
        const double alvo = l.alvo;
        l = LinhaGerador{};
        l.t = t;
        l.alvo = alvo;
    }
}

void SemeiaPeloRelogio(GeradorAleatorio& aleatorio) {
    const auto agora = std::chrono::system_clock::now().time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(agora).count();
    aleatorio.Semeia(static_cast<std::uint32_t>(ms % 86400000));
}

}  // namespace kivo
