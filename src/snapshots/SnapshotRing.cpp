#include "snapshots/SnapshotRing.h"

#include <cmath>
#include <utility>

#include "core/Cycle.h"

namespace kivo {

bool SnapshotRing::Offer(const Simulation& sim) {
    const double t = sim.state.time;
    if (!snapshots_.empty() && t < snapshots_.back().time) Clear();
    if (!snapshots_.empty() && t + kSlack < next_) return false;

    Snapshot s = std::move(spare_);
    spare_ = Snapshot{};
    TakeSnapshot(sim, s);
    // A buffer grown by doubling may hold twice what it needs, for 30 min.
    if (s.state.capacity() > s.state.size() + s.state.size() / 8) s.state.shrink_to_fit();
    if (!snapshots_.empty() && snapshots_.back().fingerprint != s.fingerprint) Clear();
    snapshots_.push_back(std::move(s));
    next_ = (std::floor(t / kInterval + kSlack) + 1) * kInterval;

    while (snapshots_.front().time + kSpan + kSlack < t) {
        spare_ = std::move(snapshots_.front());
        snapshots_.pop_front();
    }
    return true;
}

void SnapshotRing::DiscardAfter(double time) {
    while (!snapshots_.empty() && snapshots_.back().time > time + kSlack) snapshots_.pop_back();
    next_ = (std::floor(time / kInterval + kSlack) + 1) * kInterval;
}

void SnapshotRing::Clear() {
    snapshots_.clear();
    next_ = 0;
}

std::size_t SnapshotRing::bytes() const {
    std::size_t n = sizeof(*this) + spare_.state.capacity();
    for (const Snapshot& s : snapshots_) n += sizeof(Snapshot) + s.state.capacity() + s.name.capacity();
    return n;
}

}  // namespace kivo
