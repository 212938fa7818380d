#pragma once
// A least-squares fit as the assistant reports it: the checks that tell
// when its answer is unreliable (a dead time not resolved from zero, a
// parameter on the edge of its search, clamped samples left out, a step
// small against the noise, too short a record before an integrator's
// step), and the choice of the best of the fits.
#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "tuning/LeastSquares.h"

namespace kivo::tuning {

// excluded: the samples of the window left out with the PV clamped;
// leadIn: the record before the step, s.
std::vector<FitWarning> FitWarnings(const LeastSquaresFit& fit, const FitData& d, std::size_t excluded,
                                    double leadIn);

// The fit as the assistant reports it: its RMS, its warnings, and the
// model's PV at samples first..last-1 of s, whose times count from t0 in d.
// The BIC is left to the caller, who knows the samples' correlation.
// Nothing for a fit that ran off to infinity, which describes nothing.
std::optional<ModelFit> Report(const LeastSquaresFit& fit, const FitData& d, const ProcessModel& initial,
                               std::size_t excluded, double leadIn, const StepSeries& s, std::size_t first,
                               std::size_t last, double t0);

// Sets the BIC of each model of id from its least-squares fit in found (by
// ModelKind) and id.best by the rule Identification::best states; record:
// the time after the step, s.
void ChooseBest(Identification& id, const std::array<LeastSquaresFit, 3>& found, double record);

}  // namespace kivo::tuning
