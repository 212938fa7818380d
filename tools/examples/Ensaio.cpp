// The trial run used while tuning a plant: loads a written example, runs an
// hour of plant time with a 10 % setpoint step on every controller, prints
// what each loop did and draws the trends into a picture.
#include "Ensaio.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iostream>

#include "Desenho.h"
#include "core/NumberText.h"
#include "project/ArquivoProjeto.h"

namespace kivo::exemplos {
namespace {

struct Serie {
    std::vector<double> pv, sp, mv;
};

// Draws the samples from ini to fim (indexes of the one-second series).
void Desenha(const std::vector<Serie>& todas, const std::vector<std::string>& tags, std::size_t ini, std::size_t fim,
             const std::filesystem::path& saida) {
    std::vector<Serie> s;
    for (const Serie& x : todas) {
        auto corta = [&](const std::vector<double>& v) {
            const std::size_t f = std::min(fim, v.size());
            return std::vector<double>(v.begin() + static_cast<std::ptrdiff_t>(std::min(ini, f)),
                                       v.begin() + static_cast<std::ptrdiff_t>(f));
        };
        s.push_back({corta(x.pv), corta(x.sp), corta(x.mv)});
    }
    const int w = 900, hPainel = 160;
    Tela t(w, hPainel * static_cast<int>(s.size()) + 10, Cor{255, 255, 255}, 1);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double y0 = 5 + hPainel * static_cast<double>(i);
        t.Moldura(40, y0, w - 50, hPainel - 20, 1, Cor{160, 160, 160});
        for (int g = 1; g < 4; ++g)
            t.Linha({40, y0 + (hPainel - 20) * g / 4.0}, {w - 10, y0 + (hPainel - 20) * g / 4.0}, 1,
                    Cor{225, 225, 225});
        // Vertical scale fitted to the curves, at least 10 % high.
        double lo = 1e9, hi = -1e9;
        for (const auto* v : {&s[i].pv, &s[i].sp, &s[i].mv})
            for (double x : *v) {
                lo = std::min(lo, x);
                hi = std::max(hi, x);
            }
        if (hi - lo < 10) {
            const double meio = (hi + lo) / 2;
            lo = meio - 5;
            hi = meio + 5;
        }
        t.Texto(44, y0 + 4, tags[i] + "  " + FormataFixo(lo, 1, 1) + " .. " + FormataFixo(hi, 1, 1), 1.4,
                Cor{0, 0, 0});
        auto curva = [&](const std::vector<double>& v, Cor c) {
            std::vector<Ponto> p;
            for (std::size_t k = 0; k < v.size(); ++k)
                p.push_back({40 + (w - 50) * static_cast<double>(k) / static_cast<double>(v.size()),
                             y0 + (hPainel - 20) * (1 - (v[k] - lo) / (hi - lo))});
            t.Polilinha(p, 1.2, c);
        };
        curva(s[i].mv, Cor{0, 150, 0});
        curva(s[i].sp, Cor{0, 0, 220});
        curva(s[i].pv, Cor{220, 0, 0});
    }
    t.Final().GravaBmp(saida);
}

}  // namespace

int Ensaio(const std::filesystem::path& arquivo, const std::filesystem::path& grafico, double segundos, double T,
           double zoom) {
    Projeto p;
    const ResultadoCarga r = LeProjeto(p, arquivo, OpcoesCarga{true, nullptr});
    if (!r.ok) {
        std::cerr << r.erro << "\n";
        return 1;
    }
    for (const auto& m : r.mensagens) std::cout << "message: " << m << "\n";

    std::vector<int> ativos;
    for (int n = 1; n <= 10; ++n)
        if (p.controlador(n)) ativos.push_back(n);
    std::vector<Serie> series(ativos.size());
    std::vector<double> noLimite(ativos.size(), 0);
    const long long N = static_cast<long long>(std::llround(segundos / T));
    const long long porSegundo = std::max(1LL, std::llround(1 / T));
    bool degrau = false;
    bool finito = true;
    p.sim.ExecutaSemDisplay(
        N, T,
        [&](long long h) {
            if (!degrau && Arredonda(100.0 * static_cast<double>(h) / static_cast<double>(N)) > 10) {
                degrau = true;
                for (int n : ativos) p.controlador(n)->estado.SP += 10;
            }
        },
        [&](long long h) {
            for (int k = 1; k <= 124; ++k) finito = finito && std::isfinite(p.sim.mem[k]);
            if ((h + 1) % porSegundo != 0) return true;
            for (std::size_t i = 0; i < ativos.size(); ++i) {
                const TControlador& c = *p.controlador(ativos[i]);
                series[i].pv.push_back(p.sim.mem[c.enderecoPV()]);
                series[i].sp.push_back(p.sim.mem[60 + ativos[i]]);
                series[i].mv.push_back(p.sim.mem[ativos[i]]);
                if (c.estado.MV <= c.COmin() || c.estado.MV >= c.COmax()) noLimite[i] += 1;
            }
            return true;
        });

    std::vector<std::string> tags;
    std::printf("%s: %s\n", arquivo.filename().string().c_str(), finito ? "finite" : "NOT FINITE");
    for (std::size_t i = 0; i < ativos.size(); ++i) {
        const TControlador& c = *p.controlador(ativos[i]);
        const Serie& s = series[i];
        const std::size_t n = s.pv.size();
        const std::size_t ini = n - std::min<std::size_t>(n, 300);
        double erroFim = 0, desvioInicio = 0, iae = 0;
        for (std::size_t k = ini; k < n; ++k) erroFim += (s.pv[k] - s.sp[k]) / static_cast<double>(n - ini);
        const std::size_t passo = n / 10;
        for (std::size_t k = 0; k < passo; ++k) desvioInicio = std::max(desvioInicio, std::fabs(s.pv[k] - s.pv[0]));
        for (std::size_t k = passo; k < n; ++k) iae += std::fabs(s.pv[k] - s.sp[k]);
        double mvMin = 1e9, mvMax = -1e9;
        for (double v : s.mv) {
            mvMin = std::min(mvMin, v);
            mvMax = std::max(mvMax, v);
        }
        std::printf("  %-10s %s PV %6s SP %6s MV %6s  end err %7s  start dev %6s  IAE %8s  MV %6s..%6s  limit %4s%%\n",
                    c.TagText.c_str(), c.estado.modoAuto ? (c.estado.modoLocal ? "A/L" : "A/R") : "M  ",
                    FormataFixo(s.pv.front(), 1, 2).c_str(), FormataFixo(s.sp.front(), 1, 2).c_str(),
                    FormataFixo(s.mv.front(), 1, 2).c_str(), FormataFixo(erroFim, 1, 3).c_str(),
                    FormataFixo(desvioInicio, 1, 2).c_str(), FormataFixo(iae, 1, 0).c_str(),
                    FormataFixo(mvMin, 1, 1).c_str(), FormataFixo(mvMax, 1, 1).c_str(),
                    FormataFixo(100 * noLimite[i] / static_cast<double>(n), 1, 0).c_str());
        tags.push_back(c.TagText);
    }
    if (!grafico.empty() && !series.empty()) {
        const std::size_t passo = series[0].pv.size() / 10;
        if (zoom > 0)
            Desenha(series, tags, passo > 60 ? passo - 60 : 0, passo + static_cast<std::size_t>(zoom), grafico);
        else
            Desenha(series, tags, 0, series[0].pv.size(), grafico);
    }
    return finito ? 0 : 2;
}

}  // namespace kivo::exemplos
