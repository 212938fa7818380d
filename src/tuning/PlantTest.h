#pragma once
// What the tests run on a plant (the bump test in manual, the relay test in
// automatic) share: the controller under test, the wait for the PV to rest
// and the numbers their messages show.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kivo {
class Controller;
class Simulation;
}  // namespace kivo

namespace kivo::tuning {

inline constexpr double kRestWindow = 30;       // s: two such windows of equal mean PV
inline constexpr double kRestTolerance = 0.02;  // % of span

// Controller loop (1..10) of the plant; a TuningError when there is none.
Controller& TestedController(Simulation& sim, int loop);

// x through a printf format, for the messages.
std::string FormatNumber(const char* format, double x);

// The PV at rest: the means of two consecutive windows of samples agree
// within kRestTolerance.
class RestWatch {
public:
    explicit RestWatch(std::size_t samplesPerWindow) : window_(samplesPerWindow) {}
    // Takes a sample; true when it closes a window, after which rested()
    // and noise() speak of that window.
    bool Add(double pv);
    bool rested() const { return rested_; }
    // The closed window's standard deviation, % of span.
    double noise() const { return noise_; }

private:
    std::vector<double> window_;
    std::size_t filled_ = 0;
    std::optional<double> previousMean_;
    bool rested_ = false;
    double noise_ = 0;
};

}  // namespace kivo::tuning
