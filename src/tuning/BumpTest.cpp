#include "tuning/BumpTest.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

#include "core/Ciclo.h"
#include "objects/Controller.h"

namespace kivo::tuning {

namespace {

constexpr double kCiclo = 0.1;               // s, the real-time cycle
constexpr double kJanelaRepouso = 30;        // s: two such windows of equal mean PV
constexpr double kToleranciaRepouso = 0.02;  // % of span
constexpr long long kMaxAmostras = 12000;

std::string Numero(const char* formato, double x) {
    char buf[64];
    std::snprintf(buf, sizeof buf, formato, x);
    return buf;
}

}  // namespace

BumpTestResult BumpTest(Simulacao& sim, int loop, double stepPercent, double durationSeconds) {
    TControlador* c = loop >= 1 && loop <= 10 && sim.controladores.ativo(loop)
                          ? sim.controladores.como<TControlador>(loop)
                          : nullptr;
    if (!c)
        throw TuningError("o projeto não tem o controlador " + std::to_string(loop),
                          "the project has no controller " + std::to_string(loop));
    // A step smaller than the assistant recognises would be recorded but
    // not seen, in the trend or in the fit.
    if (!std::isfinite(stepPercent) || std::abs(stepPercent) < kMinStep || std::abs(stepPercent) > 100)
        throw TuningError("o degrau deve ter de 0.5 a 100 % (para cima ou para baixo)",
                          "the step must be 0.5 to 100 % in size (up or down)");
    if (!std::isfinite(durationSeconds) || durationSeconds < 1 || durationSeconds > kMaxBumpDuration)
        throw TuningError("a duração deve ser de 1 a 86400 segundos", "the duration must be 1 to 86400 seconds");
    BumpTestResult r;
    r.mvBefore = c->estado.MV;
    if (r.mvBefore + stepPercent < 0 || r.mvBefore + stepPercent > 100)
        throw TuningError("a saída está em " + Numero("%.2f", r.mvBefore) + " %: um degrau de " +
                              Numero("%g", stepPercent) + " % sai de 0..100 %",
                          "the output is " + Numero("%.2f", r.mvBefore) + " %: a step of " +
                              Numero("%g", stepPercent) + " % leaves 0..100 %");

    sim.estado.periodoTimer = 100;
    c->estado.modoAuto = false;
    long long tick = 0;
    auto passo = [&] {
        ++tick;
        sim.Tick(static_cast<long double>(tick) * 100);
        return sim.mem[c->enderecoPV()];
    };

    // Rest: compare the means of consecutive windows.
    const long long porJanela = std::llround(kJanelaRepouso / kCiclo);
    std::optional<double> anterior;
    while (!r.rested && tick * kCiclo < kMaxRestWait) {
        double soma = 0;
        for (long long i = 0; i < porJanela; ++i) soma += passo();
        const double media = soma / static_cast<double>(porJanela);
        r.rested = anterior && std::abs(media - *anterior) < kToleranciaRepouso;
        anterior = media;
    }

    const double lead = std::max(10.0, durationSeconds / 10);
    const long long total = std::llround((lead + durationSeconds) / kCiclo);
    const long long cada = std::max<long long>(1, (total + kMaxAmostras - 1) / kMaxAmostras);
    const long long inicioDegrau = std::llround(lead / kCiclo);
    for (long long i = 1; i <= total; ++i) {
        // The step, as the operator's typed output: the controller writes it
        // in this tick.
        if (i == inicioDegrau + 1) c->estado.MV = r.mvBefore + stepPercent;
        const double pv = passo();
        if (i % cada != 0) continue;
        r.series.Add(static_cast<double>(i) * kCiclo, sim.mem[loop], pv);
        r.sp.push_back(sim.mem[60 + loop]);
    }
    return r;
}

std::optional<double> SettledDuration(const BumpTestResult& r) {
    const StepSeries& s = r.series;
    const std::size_t n = s.size();
    if (n < 2) return std::nullopt;
    // The step: the first sample past half of it.
    const double degrau = s.mv.back() - s.mv.front();
    std::size_t k = 0;
    while (k < n && std::abs(s.mv[k] - s.mv.front()) < 0.5 * std::abs(degrau)) ++k;
    if (k == 0 || k + 20 > n) return std::nullopt;
    // The final value: the mean of the last 5 % (a project may add noise).
    const std::size_t m = std::max<std::size_t>(1, (n - k) / 20);
    double fim = 0;
    for (std::size_t i = n - m; i < n; ++i) fim += s.pv[i];
    fim /= static_cast<double>(m);
    const double faixa = 0.05 * std::abs(fim - s.pv[k - 1]);
    if (!(faixa > 1e-6)) return std::nullopt;
    std::size_t ultimo = k;  // the last sample outside the band
    for (std::size_t i = k; i < n; ++i)
        if (std::abs(s.pv[i] - fim) > faixa) ultimo = i;
    const double t0 = s.t[k], registro = s.t[n - 1] - t0, assentamento = s.t[ultimo] - t0;
    if (assentamento > 0.75 * registro) return std::nullopt;
    return std::max(kMinSettledDuration, std::ceil(2 * assentamento / 10) * 10);
}

}  // namespace kivo::tuning
