#pragma once
// Predicted closed-loop behaviour of a proposed setting: the fitted model
// runs as a process block under a controller configured like the real one,
// through the fast simulation, for a setpoint step and for a load step, and
// the seven performance indices of each run are those the fast simulation
// gives for the real loop.
#include <optional>
#include <vector>

#include "fastsim/Indices.h"
#include "tuning/LoopConfig.h"
#include "tuning/Robustness.h"

namespace kivo::tuning {

struct OperatingPoint {
    double mv = 50;  // %
    double pv = 50;  // %
};

struct Prediction {
    double window = 0;             // s
    double sampleTime = 0;         // s
    int spStep = 0, loadStep = 0;  // amplitudes used, %
    LoopSeries setpoint, load;     // one point per simulated second
    // The indices with the texts the fast simulation's panel shows, PV in %
    // of span; empty when an index is out of range (the loop diverges).
    std::optional<PerformanceIndices> spIndices, loadIndices;
};

// Runs both tests. The window is long enough for the loop to settle at the
// model's time scale (at most 4 hours); the steps are 10 % (down instead of
// up when up leaves no room), applied a little after 10 % of the window as
// in the fast simulation. Throws TuningError when the model cannot run in
// the process block (a dead time beyond its buffer).
Prediction Predict(const ProcessModel& m, const Setting& s, const LoopConfig& c, const OperatingPoint& op);

struct Proposal {
    Setting setting;
    Prediction prediction;
    Margins margins;
    // Over the model's 95 % intervals; nothing when they are unbounded.
    std::optional<Margins> worst;
};

// What the tuning assistant offers for one model of an identification: the
// settings of each rule for the controller's structure (c.isa), each with
// its prediction around the operating point before the step (the MV before
// it and the fitted initial PV) and its margins. tc as for ProposeSettings.
std::vector<Proposal> ProposeAndPredict(const Identification& id, ModelKind used, const LoopConfig& c,
                                        const std::vector<Rule>& rules, double tc = 0);

}  // namespace kivo::tuning
