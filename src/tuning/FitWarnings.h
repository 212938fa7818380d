#pragma once
// The checks that tell when a fit's answer is unreliable: a dead time not
// resolved from zero, a parameter on the edge of its search, clamped
// samples left out, a step small against the noise, and too short a record
// before an integrator's step.
#include <cstddef>
#include <vector>

#include "tuning/LeastSquares.h"

namespace kivo::tuning {

// excluded: the samples of the window left out with the PV clamped;
// leadIn: the record before the step, s.
std::vector<FitWarning> FitWarnings(const LeastSquaresFit& fit, const FitData& d, std::size_t excluded,
                                    double leadIn);

}  // namespace kivo::tuning
