#pragma once
#include <filesystem>

namespace kivo::examples {

// Loads an example, runs it with a 10 % setpoint step on every controller a
// tenth into the run, prints each loop's figures and, when plot is not
// empty, draws PV, SP and MV of every loop into that BMP file: the whole run,
// or with zoom > 0 from a minute before the step to zoom seconds after it.
// Returns 0 when every variable stayed finite.
int RunStepTest(const std::filesystem::path& file, const std::filesystem::path& plot, double seconds = 3600,
           double T = 0.1, double zoom = 0);

}  // namespace kivo::examples
