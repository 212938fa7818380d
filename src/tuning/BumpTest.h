#pragma once
// A step test run on a plant: the controller in manual at its output, the
// plant run in its real-time cycle until the PV rests, then the output
// stepped and the response recorded. Run it on a copy of the plant when the
// running one must not be disturbed: it ticks the simulation it is given.
#include <optional>
#include <vector>

#include "tuning/StepSeries.h"

namespace kivo {
class Simulation;
}

namespace kivo::tuning {

struct BumpTestResult {
    StepSeries series;        // t from the start of the record, MV and PV in %
    std::vector<double> sp;   // SP in %, one per sample of series
    double mvBefore = 0;      // the controller's output held before the step
    // The PV came to rest before the step (an integrating process never
    // does; the step is made anyway after kMaxRestWait).
    bool rested = false;
};

// Puts controller `loop` (1..10) of sim in manual at its current output and
// ticks the plant every 0.1 s until the mean PV of two consecutive 30 s
// windows agree within 0.02 % of span (at most kMaxRestWait of plant time).
// Then records a lead-in of leadInSeconds (DefaultLeadIn when not given),
// steps the output by stepPercent (negative steps down) and records
// durationSeconds more: a sample every 0.1 s, coarser for long tests (at
// most about 12,000 samples). Refuses (TuningError, sim untouched): no such
// controller, a zero step or one taking the output out of 0..100 %, a
// duration or a lead-in outside 1..86400 s.
BumpTestResult BumpTest(Simulation& sim, int loop, double stepPercent, double durationSeconds,
                        std::optional<double> leadInSeconds = std::nullopt);

// The record before the step by default: a quarter of the duration, at
// least 30 s. An integrating process's drift and dead time are measured
// against it: it holds twice the dead time of any integrator whose ramp
// fills the rest of the record.
double DefaultLeadIn(double durationSeconds);

// The duration a step test of this plant needs, from a test long enough to
// show it: twice the time the PV took after the step to come for good within
// 5 % of its change (about three time constants plus the dead time of a
// first-order plant), rounded up to 10 s and at least kMinSettledDuration.
// None when the PV had not settled by the last quarter of the record (an
// integrator, or a plant slower than the test) or did not move.
std::optional<double> SettledDuration(const BumpTestResult& r);

inline constexpr double kMinSettledDuration = 60;  // s
inline constexpr double kMaxRestWait = 7200;       // s of plant time
inline constexpr double kMaxBumpDuration = 86400;  // s

}  // namespace kivo::tuning
