#include "tuning/PlantTest.h"

#include <cmath>
#include <cstdio>

#include "core/Cycle.h"
#include "objects/Controller.h"
#include "tuning/StepSeries.h"

namespace kivo::tuning {

Controller& TestedController(Simulation& sim, int loop) {
    Controller* c =
        loop >= 1 && loop <= 10 && sim.controllers.active(loop) ? sim.controllers.as<Controller>(loop) : nullptr;
    if (!c)
        throw TuningError("o projeto não tem o controlador " + std::to_string(loop),
                          "the project has no controller " + std::to_string(loop));
    return *c;
}

std::string FormatNumber(const char* format, double x) {
    char buf[64];
    std::snprintf(buf, sizeof buf, format, x);
    return buf;
}

bool RestWatch::Add(double pv) {
    window_[filled_++] = pv;
    if (filled_ < window_.size()) return false;
    filled_ = 0;
    const auto n = static_cast<double>(window_.size());
    double sum = 0;
    for (double x : window_) sum += x;
    const double mean = sum / n;
    rested_ = previousMean_ && std::abs(mean - *previousMean_) < kRestTolerance;
    previousMean_ = mean;
    double squares = 0;
    for (double x : window_) squares += (x - mean) * (x - mean);
    noise_ = std::sqrt(squares / n);
    return true;
}

}  // namespace kivo::tuning
