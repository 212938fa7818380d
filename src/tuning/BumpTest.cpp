#include "tuning/BumpTest.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "core/Cycle.h"
#include "objects/Controller.h"
#include "tuning/PlantTest.h"

namespace kivo::tuning {

namespace {

constexpr double kCycle = 0.1;           // s, the real-time cycle
constexpr double kCyclesPerSecond = 10;  // times as whole cycles over this: 10.1, not 101 x 0.1
constexpr long long kMaxSamples = 12000;

}  // namespace

double DefaultLeadIn(double durationSeconds) { return std::max(30.0, durationSeconds / 4); }

BumpTestResult BumpTest(Simulation& sim, int loop, double stepPercent, double durationSeconds,
                        std::optional<double> leadInSeconds) {
    Controller* c = &TestedController(sim, loop);
    // A step smaller than the assistant recognises would be recorded but
    // not seen, in the trend or in the fit.
    if (!std::isfinite(stepPercent) || std::abs(stepPercent) < kMinStep || std::abs(stepPercent) > 100)
        throw TuningError("o degrau deve ter de 0.5 a 100 % (para cima ou para baixo)",
                          "the step must be 0.5 to 100 % in size (up or down)");
    if (!std::isfinite(durationSeconds) || durationSeconds < 1 || durationSeconds > kMaxBumpDuration)
        throw TuningError("a duração deve ser de 1 a 86400 segundos", "the duration must be 1 to 86400 seconds");
    const double lead = leadInSeconds.value_or(DefaultLeadIn(durationSeconds));
    if (!std::isfinite(lead) || lead < 1 || lead > kMaxBumpDuration)
        throw TuningError("o tempo antes do degrau deve ser de 1 a 86400 segundos",
                          "the lead-in must be 1 to 86400 seconds");
    BumpTestResult r;
    r.mvBefore = c->state.MV;
    if (r.mvBefore + stepPercent < 0 || r.mvBefore + stepPercent > 100)
        throw TuningError("a saída está em " + FormatNumber("%.2f", r.mvBefore) + " %: um degrau de " +
                              FormatNumber("%g", stepPercent) + " % sai de 0..100 %",
                          "the output is " + FormatNumber("%.2f", r.mvBefore) + " %: a step of " +
                              FormatNumber("%g", stepPercent) + " % leaves 0..100 %");

    sim.state.timerPeriod = 100;
    c->state.autoMode = false;
    long long tick = 0;
    auto oneStep = [&] {
        ++tick;
        sim.Tick(static_cast<long double>(tick) * 100);
        return sim.mem[c->pvAddress()];
    };

    // Rest: compare the means of consecutive windows.
    RestWatch rest(static_cast<std::size_t>(std::llround(kRestWindow / kCycle)));
    while (!r.rested && tick * kCycle < kMaxRestWait) {
        while (!rest.Add(oneStep())) {
        }
        r.rested = rest.rested();
    }

    const long long total = std::llround((lead + durationSeconds) / kCycle);
    const long long every = std::max<long long>(1, (total + kMaxSamples - 1) / kMaxSamples);
    const long long stepStart = std::llround(lead / kCycle);
    for (long long i = 1; i <= total; ++i) {
        // The step, as the operator's typed output: the controller writes it
        // in this tick.
        if (i == stepStart + 1) c->state.MV = r.mvBefore + stepPercent;
        const double pv = oneStep();
        if (i % every != 0) continue;
        r.series.Add(static_cast<double>(i) / kCyclesPerSecond, sim.mem[loop], pv);
        r.sp.push_back(sim.mem[60 + loop]);
    }
    return r;
}

std::optional<double> SettledDuration(const BumpTestResult& r) {
    const StepSeries& s = r.series;
    const std::size_t n = s.size();
    if (n < 2) return std::nullopt;
    // The step: the first sample past half of it.
    const double step = s.mv.back() - s.mv.front();
    std::size_t k = 0;
    while (k < n && std::abs(s.mv[k] - s.mv.front()) < 0.5 * std::abs(step)) ++k;
    if (k == 0 || k + 20 > n) return std::nullopt;
    // The final value: the mean of the last 5 % (a project may add noise).
    const std::size_t m = std::max<std::size_t>(1, (n - k) / 20);
    double end = 0;
    for (std::size_t i = n - m; i < n; ++i) end += s.pv[i];
    end /= static_cast<double>(m);
    const double range = 0.05 * std::abs(end - s.pv[k - 1]);
    if (!(range > 1e-6)) return std::nullopt;
    std::size_t last = k;  // the last sample outside the band
    for (std::size_t i = k; i < n; ++i)
        if (std::abs(s.pv[i] - end) > range) last = i;
    const double t0 = s.t[k], record = s.t[n - 1] - t0, settling = s.t[last] - t0;
    if (settling > 0.75 * record) return std::nullopt;
    return std::max(kMinSettledDuration, std::ceil(2 * settling / 10) * 10);
}

}  // namespace kivo::tuning
