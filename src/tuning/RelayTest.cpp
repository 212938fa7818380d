#include "tuning/RelayTest.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>

#include "core/Cycle.h"
#include "objects/Controller.h"
#include "tuning/BumpTest.h"
#include "tuning/FitReport.h"
#include "tuning/LeastSquares.h"

namespace kivo::tuning {

namespace {

constexpr double kCycle = 0.1;           // s, the real-time cycle
constexpr double kCyclesPerSecond = 10;  // times as whole cycles over this: 10.1, not 101 x 0.1
constexpr double kRestWindow = 30;       // s: two such windows of equal mean PV
constexpr double kRestTolerance = 0.02;  // % of span
constexpr std::size_t kMaxSamples = 12000;
constexpr double kMaxAmplitude = 50;     // %
constexpr double kMaxHysteresis = 10;    // %

std::string Number(const char* format, double x) {
    char buf[64];
    std::snprintf(buf, sizeof buf, format, x);
    return buf;
}

}  // namespace

RelayTestResult RelayTest(Simulation& sim, int loop, const RelayOptions& o) {
    Controller* c =
        loop >= 1 && loop <= 10 && sim.controllers.active(loop) ? sim.controllers.as<Controller>(loop) : nullptr;
    if (!c)
        throw TuningError("o projeto não tem o controlador " + std::to_string(loop),
                          "the project has no controller " + std::to_string(loop));
    if (!c->state.autoMode)
        throw TuningError("o controlador " + std::to_string(loop) +
                              " está em manual: o teste de relé parte da malha em automático",
                          "controller " + std::to_string(loop) +
                              " is in manual: the relay test starts from the loop in automatic");
    if (o.amplitude && !(*o.amplitude >= kMinStep && *o.amplitude <= kMaxAmplitude))
        throw TuningError("a amplitude do relé deve ser de 0.5 a 50 %", "the relay's amplitude must be 0.5 to 50 %");
    if (o.hysteresis && !(*o.hysteresis >= 0 && *o.hysteresis <= kMaxHysteresis))
        throw TuningError("a histerese do relé deve ser de 0 a 10 %", "the relay's hysteresis must be 0 to 10 %");
    const double lo = std::max(0.0, c->COmin()), hi = std::min(100.0, c->COmax());
    const double mv = c->state.MV;
    if (o.amplitude && (mv - *o.amplitude < lo || mv + *o.amplitude > hi))
        throw TuningError("a saída está em " + Number("%.2f", mv) + " %: um relé de ±" + Number("%g", *o.amplitude) +
                              " % sai de " + Number("%g", lo) + ".." + Number("%g", hi) + " %",
                          "the output is " + Number("%.2f", mv) + " %: a relay of ±" + Number("%g", *o.amplitude) +
                              " % leaves " + Number("%g", lo) + ".." + Number("%g", hi) + " %");

    RelayTestResult r;
    sim.state.timerPeriod = 100;
    long long tick = 0;
    auto oneStep = [&] {
        ++tick;
        sim.Tick(static_cast<long double>(tick) * 100);
        return sim.mem[c->pvAddress()];
    };

    // Rest in automatic: the means of consecutive windows agree; the last
    // window's spread is the noise the hysteresis must ride over.
    const auto perWindow = static_cast<std::size_t>(std::llround(kRestWindow / kCycle));
    std::vector<double> window(perWindow);
    std::optional<double> previous;
    while (!r.rested && static_cast<double>(tick) * kCycle < kMaxRestWait) {
        double sum = 0;
        for (double& x : window) sum += x = oneStep();
        const double media = sum / static_cast<double>(perWindow);
        r.rested = previous && std::abs(media - *previous) < kRestTolerance;
        previous = media;
        double squares = 0;
        for (double x : window) squares += (x - media) * (x - media);
        r.noise = std::sqrt(squares / static_cast<double>(perWindow));
    }
    r.mvBefore = c->state.MV;
    r.hysteresis = o.hysteresis.value_or(std::max(3 * r.noise, kMinHysteresis));
    r.amplitude = o.amplitude.value_or(std::min({kDefaultRelayAmplitude, r.mvBefore - lo, hi - r.mvBefore}));
    if (r.amplitude < kMinStep)
        throw TuningError("a saída em repouso (" + Number("%.2f", r.mvBefore) + " %) está a menos de 0.5 % de seus limites",
                          "the output at rest (" + Number("%.2f", r.mvBefore) + " %) lies within 0.5 % of its limits");

    // Every cycle recorded, thinned at the end to at most kMaxSamples; time
    // from the start of the record.
    StepSeries all;
    std::vector<double> sp;
    const long long recordStart = tick;
    const auto record = [&](double pv) {
        all.Add(static_cast<double>(tick - recordStart) / kCyclesPerSecond, sim.mem[loop], pv);
        sp.push_back(sim.mem[60 + loop]);
    };
    const long long leadIn = std::llround(kRelayLeadIn / kCycle);
    for (long long i = 0; i < leadIn; ++i) record(oneStep());

    // The relay, in the controller's place: the controller in manual at
    // the relay's output, its integral tracking it for the way back.
    const auto error = [&] {
        const double e = c->state.SP - sim.mem[c->pvAddress()];
        return c->reverse() ? -e : e;
    };
    c->state.autoMode = false;
    bool high = error() >= 0;
    std::vector<std::size_t> switches;
    const std::size_t wanted = 2 * static_cast<std::size_t>(kRelayCycles) + 2;
    const long long end = tick + std::llround(kMaxRelayTime / kCycle);
    const std::size_t start = all.size();
    while (switches.size() < wanted && tick < end) {
        const double e = error();
        if (high ? e < -r.hysteresis : e > r.hysteresis) {
            high = !high;
            switches.push_back(all.size());
        }
        c->state.MV = std::clamp(r.mvBefore + (high ? r.amplitude : -r.amplitude), lo, hi);
        record(oneStep());
    }
    // Back to the controller: from the output the relay left, no bump.
    c->state.autoMode = true;
    if (switches.size() < wanted)
        throw TuningError("a PV não oscilou com o relé em " + Number("%g", kMaxRelayTime) +
                              " s de simulação: aumente a amplitude ou reduza a histerese",
                          "the PV did not oscillate under the relay in " + Number("%g", kMaxRelayTime) +
                              " s of simulation: raise the amplitude or lower the hysteresis");

    // The cycles after the first: its period and the PV's swing.
    const std::size_t from = switches[1], to = switches[wanted - 1];
    r.period = (all.t[to] - all.t[from]) / kRelayCycles;
    const auto [mn, mx] = std::minmax_element(all.pv.begin() + static_cast<std::ptrdiff_t>(from),
                                              all.pv.begin() + static_cast<std::ptrdiff_t>(to));
    r.pvAmplitude = (*mx - *mn) / 2;

    const std::size_t every = (all.size() + kMaxSamples - 1) / kMaxSamples;
    for (std::size_t i = 0; i < all.size(); i += every) {
        if (r.start == 0 && i >= start) r.start = r.series.size();
        r.series.Add(all.t[i], all.mv[i], all.pv[i]);
        r.sp.push_back(sp[i]);
    }
    return r;
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
