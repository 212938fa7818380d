#include "snapshots/Snapshot.h"

#include "core/Cycle.h"
#include "objects/Controller.h"
#include "objects/Generators.h"
#include "objects/Process.h"

namespace kivo {
namespace {

// FNV-1a, 64 bits: stable across builds and machines, as a saved file
// carries it.
class Hash {
public:
    void Add(std::uint64_t v) {
        for (int i = 0; i < 8; ++i) {
            h_ ^= (v >> (8 * i)) & 0xFF;
            h_ *= 0x100000001B3ull;
        }
    }
    std::uint64_t value() const { return h_; }

private:
    std::uint64_t h_ = 0xCBF29CE484222325ull;
};

template <int N>
void AddSlots(Hash& h, const Pool<N>& pool) {
    std::uint64_t mask = 0;
    for (int n = 1; n <= N; ++n)
        if (pool.active(n) && pool.object(n)) mask |= 1ull << (n - 1);
    h.Add(mask);
}

}  // namespace

std::uint64_t ConfigurationFingerprint(const Simulation& sim) {
    Hash h;
    h.Add(kStateVersion);
    AddSlots(h, sim.controllers);
    AddSlots(h, sim.processes);
    AddSlots(h, sim.blocks);
    AddSlots(h, sim.recorders);
    AddSlots(h, sim.texts);
    for (int n = 1; n <= 24; ++n)
        if (const auto* p = sim.processes.active(n) ? sim.processes.as<Process>(n) : nullptr) {
            h.Add(static_cast<std::uint64_t>(p->kind()));
            h.Add(static_cast<std::uint64_t>(p->inputAddress()));
        }
    for (int n = 1; n <= 10; ++n)
        if (const auto* c = sim.controllers.active(n) ? sim.controllers.as<Controller>(n) : nullptr)
            h.Add(static_cast<std::uint64_t>(c->pvAddress()));
    if (const auto* g = dynamic_cast<const Generators*>(sim.generators))
        for (int row = Generators::kFirst; row <= Generators::kLast; ++row)
            h.Add(static_cast<std::uint64_t>(g->line(row).Kind));
    h.Add(sim.generators ? 1 : 0);
    h.Add(sim.linearizer && sim.linearizerActive ? 1 : 0);
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
