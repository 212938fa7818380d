#include "exercises/ScenarioRun.h"

#include <algorithm>
#include <cmath>

#include "core/Cycle.h"
#include "core/NumberText.h"
#include "fastsim/FastSimulation.h"
#include "objects/Controller.h"
#include "objects/Process.h"

namespace kivo::exercises {
namespace {

std::string* ProcessField(Process& p, const std::string& field) {
    if (field == "gain") return &p.GainText;
    if (field == "dead_time") return &p.DeadTime;
    if (field == "backlash") return &p.Hysteresis;
    if (field == "stiction") return &p.valveStext;
    if (field == "rate_limit") return &p.ratetext;
    if (field == "actuator_tau") return &p.tauAText;
    return nullptr;
}

void Apply(Simulation& sim, const Event& e) {
    if (e.kind == EventKind::Memory) {
        sim.mem[e.address] = e.value;
        return;
    }
    if (e.kind == EventKind::Process) {
        const int slot = e.process <= 40 ? e.process - 20 : e.process - 50;
        auto* p = sim.processes.active(slot) ? sim.processes.as<Process>(slot) : nullptr;
        std::string* field = p ? ProcessField(*p, e.field) : nullptr;
        if (!field) return;
        // As the process window's apply: a text it refuses leaves the
        // settings in use as they were.
        *field = e.text;
        p->ValidateParameters(false);
        return;
    }
    auto* c = sim.controllers.active(e.controller) ? sim.controllers.as<Controller>(e.controller) : nullptr;
    if (!c) return;  // an inactive controller: nothing to step or switch
    switch (e.kind) {
        case EventKind::Setpoint: c->state.SP += e.value; break;
        case EventKind::Manual: c->state.autoMode = false; break;
        case EventKind::Automatic: c->state.autoMode = true; break;
        case EventKind::Output:
            if (!c->state.autoMode) c->state.MV = e.value;
            break;
        case EventKind::Memory:
        case EventKind::Process:
        case EventKind::Freeze:
        case EventKind::Bias: break;
    }
}

// A measurement fault on a controller's PV address, kept up every cycle just
// before the controllers read it. The value the plant wrote is remembered, so
// that a bias never accumulates on an address nothing rewrites.
struct MeasurementFault {
    int address = 0;
    bool freeze = false;
    double value = 0;      // the held value, or the bias
    double plant = 0;      // what the plant wrote there
    double written = 0;    // what the fault wrote
    bool hasWritten = false;

    void Apply(Memory& mem) {
        double current = mem[address];
        if (hasWritten && current == written) current = plant;
        plant = current;
        written = freeze ? value : plant + value;
        mem[address] = written;
        hasWritten = true;
    }
};

std::optional<MeasurementFault> FaultOf(Simulation& sim, const Event& e) {
    if (e.kind != EventKind::Freeze && e.kind != EventKind::Bias) return std::nullopt;
    auto* c = sim.controllers.active(e.controller) ? sim.controllers.as<Controller>(e.controller) : nullptr;
    if (!c || c->pvAddress() < 1 || c->pvAddress() > 99) return std::nullopt;
    MeasurementFault f;
    f.address = c->pvAddress();
    f.freeze = e.kind == EventKind::Freeze;
    f.value = f.freeze ? sim.mem[f.address] : e.value;
    return f;
}

// Point k of a series holds the plant at k + 1 simulated seconds.
std::size_t FirstPointAfter(double time) { return static_cast<std::size_t>(std::max(0.0, std::floor(time))); }

// The points from an event up to the next event or the end of the run.
struct Segment {
    std::size_t begin = 0, end = 0;
};

Segment SegmentOf(const Scenario& s, int event, std::size_t points) {
    const double t = s.events[static_cast<std::size_t>(event - 1)].time;
    double next = s.window;
    for (const Event& e : s.events)
        if (e.time > t) next = std::min(next, e.time);
    return {std::min(FirstPointAfter(t), points), std::min(FirstPointAfter(next), points)};
}

std::optional<double> StepMeasure(const LoopSeries& x, const Scenario& s, const Target& t) {
    const Segment g = SegmentOf(s, t.event, x.size());
    if (g.begin >= g.end) return std::nullopt;
    const double eventTime = s.events[static_cast<std::size_t>(t.event - 1)].time;
    if (t.measure == Measure::MaxDeviation) {
        double worst = 0;
        for (std::size_t k = g.begin; k < g.end; ++k) worst = std::max(worst, std::fabs(x.sp[k] - x.pv[k]));
        return worst;
    }
    // The step the setpoint took, as the series shows it: a controller that
    // follows a remote setpoint does not take the event's step at all.
    const double before = g.begin > 0 ? x.sp[g.begin - 1] : x.sp[g.begin];
    const double target = x.sp[g.begin];
    const double step = target - before;
    if (std::fabs(step) < 1e-9) return std::nullopt;
    const double sign = step > 0 ? 1.0 : -1.0;
    switch (t.measure) {
        case Measure::Overshoot: {
            double peak = 0;
            for (std::size_t k = g.begin; k < g.end; ++k) peak = std::max(peak, (x.pv[k] - target) * sign);
            return 100.0 * peak / std::fabs(step);
        }
        case Measure::RiseTime: {
            std::optional<double> t10, t90;
            for (std::size_t k = g.begin; k < g.end && !t90; ++k) {
                const double reached = (x.pv[k] - before) * sign / std::fabs(step);
                const double time = static_cast<double>(k + 1);
                if (!t10 && reached >= 0.1) t10 = time;
                if (reached >= 0.9) t90 = time;
            }
            if (!t10 || !t90) return std::nullopt;
            return *t90 - *t10;
        }
        case Measure::SettlingTime: {
            if (std::fabs(x.pv[g.end - 1] - target) > t.band) return std::nullopt;
            std::size_t lastOutside = g.begin;
            bool outside = false;
            for (std::size_t k = g.begin; k < g.end; ++k)
                if (std::fabs(x.pv[k] - target) > t.band) {
                    lastOutside = k;
                    outside = true;
                }
            return outside ? static_cast<double>(lastOutside + 1) - eventTime : 0.0;
        }
        default: return std::nullopt;
    }
}

}  // namespace

PerformanceRow RunScenario(Simulation& sim, const Scenario& s, std::uint32_t seed) {
    sim.randomGenerator.SetSeed(seed);
    std::vector<std::pair<long long, const Event*>> timeline;
    for (const Event& e : s.events) timeline.emplace_back(static_cast<long long>(Round(e.time / s.sample)), &e);
    std::stable_sort(timeline.begin(), timeline.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::size_t next = 0;
    std::vector<MeasurementFault> faults;
    FastSimulationOptions op;
    op.window = s.window;
    op.T = s.sample;
    op.beforeControllers = [&](long long h) {
        for (; next < timeline.size() && timeline[next].first <= h; ++next) {
            Apply(sim, *timeline[next].second);
            if (auto f = FaultOf(sim, *timeline[next].second)) {
                // A new fault on the same address replaces the old one.
                std::erase_if(faults, [&](const MeasurementFault& old) { return old.address == f->address; });
                faults.push_back(*f);
            }
        }
        for (MeasurementFault& f : faults) f.Apply(sim.mem);
    };
    return RunFastSimulation(sim, op).line;
}

std::optional<double> MeasureOf(const PerformanceRow& row, const Scenario& s, const Target& t) {
    const LoopPerformance& loop = row.loop(t.loop);
    if (!loop.active) return std::nullopt;
    if (IsEventMeasure(t.measure)) return StepMeasure(loop.series, s, t);
    if (!loop.indices) return std::nullopt;
    const IndexValues& v = loop.indices->values;
    switch (t.measure) {
        case Measure::Variability: return v.variability;
        case Measure::MeanError: return v.meanError;
        case Measure::MeanAbsError: return v.meanAbsError;
        case Measure::CoTravel: return v.coTravel;
        case Measure::CoDeviation: return v.coDeviation;
        case Measure::CoSaturation: return v.coSaturation;
        case Measure::PvMin: return v.pvMin;
        case Measure::PvMax: return v.pvMax;
        default: return std::nullopt;
    }
}

}  // namespace kivo::exercises
