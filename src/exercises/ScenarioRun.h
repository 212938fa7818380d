#pragma once
// One run of an exercise's scenario: the fast simulation's cycle, without
// its test step, with the timeline's events applied before the controllers
// of the cycle they fall in, and one point per simulated second of every
// active loop, PV and SP in % of span.
#include <optional>

#include "exercises/Exercise.h"
#include "fastsim/Loops.h"

namespace kivo {
class Simulation;
}

namespace kivo::exercises {

// Runs the scenario on the plant as it stands, seeding the random
// generators with seed first.
PerformanceRow RunScenario(Simulation& sim, const Scenario& scenario, std::uint32_t seed);

// The value of a target's measure in a run; none when it has none (see
// TargetResult).
std::optional<double> MeasureOf(const PerformanceRow& row, const Scenario& scenario, const Target& target);

}  // namespace kivo::exercises
