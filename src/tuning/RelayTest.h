#pragma once
// A relay test run on a plant with the loop in automatic: the controller's
// output is replaced for a few cycles by a relay with hysteresis around the
// setpoint, which makes the PV oscillate at about the loop's ultimate
// period; the output then goes back to the controller without a bump. A
// first order plus dead time (or, for a lag far beyond the period, an
// integrator) fitted to the whole record (the relay's MV changes and the PV
// they drive) gives the ultimate gain and period. Run it
// on a copy of the plant when the running one must not be disturbed: it
// ticks the simulation it is given.
#include <cstddef>
#include <optional>
#include <vector>

#include "tuning/Identification.h"

namespace kivo {
class Simulation;
}

namespace kivo::tuning {

struct RelayOptions {
    // The relay's swing either side of the output at rest, % of MV;
    // nothing: chosen from the noise. It starts at kDefaultRelayAmplitude
    // (within the output's limits); when the first cycle swings the PV by
    // less than kNoiseBands times the hysteresis (itself three standard
    // deviations of the noise), the PV's swing being proportional to the
    // amplitude, it is scaled for kRaisedBands times, within the limits
    // and 50 %, and the cycles are counted again (and checked again: the
    // noise's part of the swing does not grow with it).
    std::optional<double> amplitude;
    // The error past which the relay switches, % of PV; nothing: three
    // standard deviations of the PV at rest, at least kMinHysteresis.
    std::optional<double> hysteresis;
};

struct RelayTestResult {
    StepSeries series;       // t from the start of the record, MV and PV in %
    std::vector<double> sp;  // SP in %, one per sample of series
    std::size_t start = 0;   // the first sample of the relay
    double mvBefore = 0;     // the controller's output at rest
    double amplitude = 0, hysteresis = 0;  // as used at the end, %
    double noise = 0;        // standard deviation of the PV at rest, %
    double period = 0;       // the oscillation's, over the cycles after the first, s
    double pvAmplitude = 0;  // half the PV's peak-to-peak over those cycles, %
    bool rested = false;     // the PV came to rest before the relay
};

// Waits, in automatic, for the PV of controller `loop` (1..10) to rest (as
// BumpTest does, at most kMaxRestWait), records kRelayLeadIn more, then
// runs the relay for kRelayCycles full cycles after the first (at most
// kMaxRelayTime) and hands the output back to the controller in automatic.
// A sample every 0.1 s, coarser for slow loops. It ticks sim through a
// RelayDriver, as the GUI ticks the live plant. Refuses (TuningError, sim
// untouched): no such controller, a controller in manual, an amplitude
// outside kMinStep..50 % or without room within the output's limits, a
// hysteresis outside 0..10 %; and (the plant then run) an output at rest
// within 0.5 % of its limits, or a PV that does not oscillate within
// kMaxRelayTime.
RelayTestResult RelayTest(Simulation& sim, int loop, const RelayOptions& o = {});

// The first order and the integrator plus dead time fitted to a relay
// test (with their intervals and warnings as for a step test, the best by
// the same rule), as an identification whose step is the relay's first
// switch; and the best model's ultimate point.
struct RelayIdentification {
    Identification id;
    UltimatePoint ultimate;
};
// Throws TuningError when no model with a dead time can be fitted.
RelayIdentification IdentifyRelay(const RelayTestResult& r);

inline constexpr double kDefaultRelayAmplitude = 5;  // %
// The PV's swing (half its peak-to-peak) the chosen amplitude must give, in
// hysteresis widths: below kNoiseBands the oscillation is mostly the noise
// band's; kRaisedBands leaves a margin over it.
inline constexpr double kNoiseBands = 3;
inline constexpr double kRaisedBands = 4;
inline constexpr std::size_t kMaxRelaySamples = 12000;
inline constexpr double kMinHysteresis = 0.05;       // %
// The largest relay a user may ask for: amplitude and hysteresis, %.
inline constexpr double kMaxRelayAmplitude = 50;
inline constexpr double kMaxRelayHysteresis = 10;
inline constexpr int kRelayCycles = 4;
inline constexpr double kRelayLeadIn = 30;           // s
inline constexpr double kMaxRelayTime = 14400;       // s of plant time

}  // namespace kivo::tuning
