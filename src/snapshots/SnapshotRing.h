#pragma once
// The automatic snapshots: one every 10 s of plant time, the last 30 min of
// them kept, oldest first. The buffer of a snapshot that falls out of the
// window serves the next one, so that the ring, once full, takes snapshots
// without allocating.
#include <cstddef>
#include <deque>

#include "snapshots/Snapshot.h"

namespace kivo {

class SnapshotRing {
public:
    static constexpr double kInterval = 10;  // s of plant time
    static constexpr double kSpan = 1800;    // s kept behind the newest

    // After a step of the plant: takes a snapshot when the plant time has
    // reached the next multiple of the interval (at once when the ring is
    // empty). A plant whose time went back starts the ring anew, and so does
    // one whose configuration changed, at its next snapshot. Returns whether
    // a snapshot was taken.
    bool Offer(const Simulation& sim);
    // After going back to time: the snapshots taken after it belong to a run
    // that will not come, and are dropped.
    void DiscardAfter(double time);
    void Clear();

    const std::deque<Snapshot>& snapshots() const { return snapshots_; }
    // The bytes the snapshots hold, buffers included.
    std::size_t bytes() const;

private:
    // A hair below the mark, so that a time summed from steps of 0.1 s,
    // which falls a rounding short of it, still takes its snapshot.
    static constexpr double kSlack = 1e-6;

    std::deque<Snapshot> snapshots_;
    Snapshot spare_;
    double next_ = 0;
};

}  // namespace kivo
