#include "tuning/RelayTest.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <utility>

#include "core/Cycle.h"
#include "tuning/RelayDriver.h"
#include "tuning/FitReport.h"
#include "tuning/LeastSquares.h"

namespace kivo::tuning {

RelayTestResult RelayTest(Simulation& sim, int loop, const RelayOptions& o) {
    // The copy ticks at the real-time cycle of 100 ms whatever its timer
    // says; a refusal leaves it as it was.
    const int period = std::exchange(sim.state.timerPeriod, 100);
    std::optional<RelayDriver> driver;
    try {
        driver.emplace(sim, loop, o);
    } catch (...) {
        sim.state.timerPeriod = period;
        throw;
    }
    long long tick = 0;
    while (driver->running()) {
        ++tick;
        sim.Tick(static_cast<long double>(tick) * 100);
        driver->AfterTick();
    }
    return driver->Result();
}

RelayIdentification IdentifyRelay(const RelayTestResult& r) {
    const StepSeries& s = r.series;
    if (r.start < 2 || r.start + kMinAfterStep > s.size() || !(r.period > 0))
        throw TuningError("O teste de relé não tem registro bastante para um modelo.",
                          "The relay test holds too little record for a model.");
    RelayIdentification out;
    Identification& id = out.id;
    id.series = s;
    id.step.first = 0;
    id.step.index = r.start;
    id.step.last = s.size();
    id.step.t0 = s.t[r.start];
    id.step.mvBefore = r.mvBefore;
    id.step.mvAfter = s.mv[r.start];

    // Time from the relay's start; the relay's output changes drive the PV.
    // Before it the loop rests in automatic, its output still but for the
    // noise, which the fit takes as noise.
    FitData d;
    std::size_t excluded = 0;
    d.changes.push_back({0.0, s.mv[r.start] - r.mvBefore});
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (i > r.start && s.mv[i] != s.mv[i - 1]) d.changes.push_back({s.t[i] - id.step.t0, s.mv[i] - s.mv[i - 1]});
        if (Clamped(s.pv[i])) {
            ++excluded;
            continue;
        }
        d.t.push_back(s.t[i] - id.step.t0);
        d.pv.push_back(s.pv[i]);
    }
    id.step.clamped = excluded > 0;
    d.dt = (s.t.back() - s.t.front()) / static_cast<double>(s.size() - 1);
    const double record = s.t.back() - id.step.t0;
    // The relay's oscillation as a first guess: the lag takes about a
    // quarter of the period, the time constant about half of it. A lag
    // far longer than the period leaves only its ratio to the gain in the
    // record: the integrator then stands for the first order.
    const double dt = std::max(d.dt, 1e-6);
    const SearchBox box{0.8 * record, dt / 10, std::max(1e6, 1000 * record)};
    const double leadIn = s.t[r.start] - s.t.front();
    std::array<LeastSquaresFit, 3> found;
    for (const ProcessModel& guess : {ProcessModel{ModelKind::Fopdt, 1, r.period / 2, 0, r.period / 4},
                                      ProcessModel{ModelKind::Ipdt, 1, 0, 0, r.period / 4}}) {
        const auto k = static_cast<std::size_t>(guess.kind);
        found[k] = FitLeastSquares(d, guess.kind, guess, box);
        id.fits[k] = Report(found[k], d, guess, excluded, leadIn, s, 0, s.size(), id.step.t0);
    }
    ChooseBest(id, found, record);
    const auto ultimate = id.fits[static_cast<std::size_t>(id.best)] ? Ultimate(id.bestFit().model) : std::nullopt;
    if (!ultimate)
        throw TuningError("Nenhum modelo com tempo morto pôde ser ajustado ao teste de relé.",
                          "No model with a dead time could be fitted to the relay test.");
    out.ultimate = *ultimate;
    return out;
}

}  // namespace kivo::tuning
