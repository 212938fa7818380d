#include "snapshots/Snapshot.h"

#include "core/Cycle.h"
#include "core/Fnv1a.h"
#include "objects/Controller.h"
#include "objects/Generators.h"
#include "objects/Process.h"

namespace kivo {
namespace {

template <int N>
void AddSlots(Fnv1a& h, const Pool<N>& pool) {
    std::uint64_t mask = 0;
    for (int n = 1; n <= N; ++n)
        if (pool.active(n) && pool.object(n)) mask |= 1ull << (n - 1);
    h.AddU64(mask);
}

}  // namespace

std::uint64_t ConfigurationFingerprint(const Simulation& sim) {
    Fnv1a h;
    h.AddU64(kStateVersion);
    AddSlots(h, sim.controllers);
    AddSlots(h, sim.processes);
    AddSlots(h, sim.blocks);
    AddSlots(h, sim.recorders);
    AddSlots(h, sim.texts);
    for (int n = 1; n <= 24; ++n)
        if (const auto* p = sim.processes.active(n) ? sim.processes.as<Process>(n) : nullptr) {
            h.AddU64(static_cast<std::uint64_t>(p->kind()));
            h.AddU64(static_cast<std::uint64_t>(p->inputAddress()));
        }
    for (int n = 1; n <= 10; ++n)
        if (const auto* c = sim.controllers.active(n) ? sim.controllers.as<Controller>(n) : nullptr)
            h.AddU64(static_cast<std::uint64_t>(c->pvAddress()));
    if (const auto* g = dynamic_cast<const Generators*>(sim.generators))
        for (int row = Generators::kFirst; row <= Generators::kLast; ++row)
            h.AddU64(static_cast<std::uint64_t>(g->line(row).Kind));
    h.AddU64(sim.generators ? 1 : 0);
    h.AddU64(sim.linearizer && sim.linearizerActive ? 1 : 0);
    return h.value();
}

void TakeSnapshot(const Simulation& sim, Snapshot& s) {
    s.time = sim.state.time;
    s.fingerprint = ConfigurationFingerprint(sim);
    s.state.clear();
    StateWriter w(s.state);
    sim.SaveState(w);
}

Snapshot TakeSnapshot(const Simulation& sim) {
    Snapshot s;
    TakeSnapshot(sim, s);
    return s;
}

RestoreOutcome RestoreSnapshot(Simulation& sim, const Snapshot& s) {
    if (s.fingerprint != ConfigurationFingerprint(sim)) return RestoreOutcome::OtherConfiguration;
    // The state as it is, to go back to when the bytes fail half-way.
    const Snapshot before = TakeSnapshot(sim);
    StateReader r(s.state);
    sim.RestoreState(r);
    if (r.ok() && r.AtEnd()) return RestoreOutcome::Restored;
    StateReader back(before.state);
    sim.RestoreState(back);
    return RestoreOutcome::Damaged;
}

}  // namespace kivo
