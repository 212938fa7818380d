#pragma once
// Step tests as a student's real data would be: the model's exact response
// to an MV step, sampled evenly, with seeded Gaussian noise on PV.
#include <algorithm>
#include <random>

#include "tuning/Identification.h"

namespace kivo::test {

struct NoisyStepTest {
    tuning::ProcessModel model;
    double step = 10;                // % of MV
    double before = 60, after = 300;  // s of record either side of the step
    double sampleTime = 0.1;         // s
    double noise = 1;                // standard deviation, % of span
    double mv0 = 40, pv0 = 50;
    bool clamp = false;  // PV held within 0..100 %, as the simulator holds it
};

inline tuning::StepSeries SimulateNoisy(const NoisyStepTest& e, unsigned seed) {
    std::mt19937 random(seed);
    std::normal_distribution<double> gauss(0, e.noise);
    tuning::StepSeries s;
    const long n = std::lround((e.before + e.after) / e.sampleTime);
    for (long k = 0; k <= n; ++k) {
        // Whole samples as the grid: the time of sample k is k steps exactly.
        const double t = static_cast<double>(k) * e.sampleTime;
        const bool after = k >= std::lround(e.before / e.sampleTime);
        const double response = tuning::UnitStepResponse(e.model, t - e.before);
        const double pv = e.pv0 + e.step * response + gauss(random);
        s.Add(t, after ? e.mv0 + e.step : e.mv0, e.clamp ? std::clamp(pv, 0.0, 100.0) : pv);
    }
    return s;
}

}  // namespace kivo::test
