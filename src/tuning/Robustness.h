#pragma once
// Robustness of a setting against the model: gain margin, phase margin and
// maximum sensitivity of the loop, from the frequency response of the model
// with its dead time and of the controller as it computes (sampled every
// cycle, with its structure, actions and derivative filter); and the same
// over the corners of the model's 95 % intervals, the worst of each.
#include <cmath>
#include <optional>

#include "tuning/LoopConfig.h"

namespace kivo::tuning {

struct Margins {
    // The factor on the loop gain that brings the loop to the stability
    // limit; infinite when the phase never reaches -180 degrees.
    double gain = INFINITY;
    double phase = 180;  // degrees
    // The largest amplification of a disturbance by the loop, max |1/(1+L)|;
    // infinite for a loop that is unstable.
    double ms = 1;
    bool stable = true;
};

// The loop of setting s, with the controller configured as c, on model m.
Margins LoopMargins(const ProcessModel& m, const Setting& s, const LoopConfig& c);

// The worst gain margin, phase margin and Ms (each on its own) over the
// corners of the box m +- halfWidth (the gain keeping its sign, time
// constants and dead time not below zero). Nothing when an interval is
// infinite: the data do not bound the model.
std::optional<Margins> WorstMargins(const ProcessModel& m, const ProcessModel& halfWidth, const Setting& s,
                                    const LoopConfig& c);

// The controller's cycle, at which its frequency response is taken, s.
inline constexpr double kControllerCycle = 0.1;

}  // namespace kivo::tuning
