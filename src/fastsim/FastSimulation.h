#pragma once
// The fast simulation: the plant advanced by a window of 30 min to 4 h of
// simulated time without pacing, with an optional test step on every
// controller, one point per simulated second of PV, SP and CO per active
// loop, an optional ".txd" archive of M1..M99 and the performance indices of
// every loop at the end. The plant starts from its current state and is left
// in its final state; the time step stays at the run's value until the next
// real-time tick sets it again.
#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "fastsim/TxdArchive.h"
#include "fastsim/Loops.h"

namespace kivo {

class Simulation;
class ProgressObserver;

enum class TestSignal { None, SetpointStep, LoadStep };

// The window's selectors: window item i pairs with sample-time item i when
// the window is chosen ("30 min" with "100 ms" .. "4 horas" with "1 seg").
inline constexpr std::array<double, 4> kFastSimulationWindows = {1800, 3600, 7200, 14400};
inline constexpr std::array<double, 4> kFastSimulationSampleTimes = {0.1, 0.2, 0.5, 1.0};

// Items of the test-signal selector: 0 (the prompt) and 1 run no test, 2 is
// the setpoint step, 3 the load step.
TestSignal TestSignalOfItem(int item);

// The amplitude field, read as an integer (blanks around it allowed). A text
// that is not an integer is refused before the run, instead of running a
// test with whatever a lenient conversion makes of it.
bool ReadAmplitude(std::string_view text, int& amplitude);

// The window's message after an archive was written.
std::string_view DataSavedText(bool english);

struct FastSimulationOptions {
    double window = kFastSimulationWindows[0];     // W, s
    double T = kFastSimulationSampleTimes[0];      // sample time: the step of every cycle, s
    TestSignal signal = TestSignal::None;
    int amplitude = 10;                    // %, added once to every active controller
    bool normalise = true;                 // PV and SP in %, else in engineering units
    bool writeArchive = false;
    std::string prefix = "DadosDesempenho";
    std::filesystem::path folder = ".";     // where the archive is created
    // Called in every cycle just before the controllers, after the test step
    // (an exercise's timeline of events); none by default.
    std::function<void(long long cycle)> beforeControllers;
};

struct FastSimulationResult {
    // False when the archive could not be created: nothing ran and the plant
    // is exactly as it was.
    bool ran = false;
    long long cycles = 0;
    PerformanceRow line;         // for the upper row
    std::filesystem::path file;  // the archive written; empty when none
    // Why the archive was not created, or was lost to a failed write (the run
    // itself then completed and its series and indices stand).
    std::optional<TxdError> archiveError;
};

// Runs N = Nearest(W / T) cycles in the cycle's order with the fast-mode flag
// set. The test step is applied, before the controllers, in the first cycle h
// for which Nearest(100 h / N) > 10: the amplitude is added to the setpoint
// or to the bias in use of every active controller, and is not undone. After
// every Nearest(1 / T) cycles (one simulated second) the archive gets a line
// and every active loop a point. Progress reports Nearest(100 h / N).
// W and T must be positive.
FastSimulationResult RunFastSimulation(Simulation& sim, const FastSimulationOptions& options, ProgressObserver* obs = nullptr);

}  // namespace kivo
