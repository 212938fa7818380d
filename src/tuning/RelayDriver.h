#pragma once
// The relay test one tick at a time, so that it can run on the live plant
// as well as on a copy: whoever ticks the plant calls AfterTick after each
// tick (the GUI from its real-time cycle, RelayTest in a loop on a copy).
// The driver waits for the PV to rest in automatic, records a lead-in,
// then replaces the controller's output by a relay with hysteresis around
// the setpoint and, after kRelayCycles cycles, hands the output back to
// the controller without a bump: the controller is held in manual at the
// relay's output meanwhile, so its integral tracks that output and its
// first automatic output continues from it.
#include <optional>
#include <vector>

#include "tuning/PlantTest.h"
#include "tuning/RelayTest.h"

namespace kivo {
class Controller;
class Simulation;
}  // namespace kivo

namespace kivo::tuning {

class RelayDriver {
public:
    enum class Phase { Resting, LeadIn, Relay, Finished, Failed };

    // Checks what RelayTest checks before it runs (TuningError, nothing
    // touched). The cycle is the plant's timer period.
    RelayDriver(Simulation& sim, int loop, const RelayOptions& o = {});
    // A driver dropped while its relay runs hands the output back.
    ~RelayDriver();
    RelayDriver(const RelayDriver&) = delete;
    RelayDriver& operator=(const RelayDriver&) = delete;

    // After each tick of the plant: records the PV the tick computed and
    // sets the output of the next one.
    void AfterTick();
    // Ends the test now, the output back to the controller (bumpless);
    // the phase becomes Failed with a "cancelled" error.
    void Cancel();

    Phase phase() const { return phase_; }
    bool running() const { return phase_ != Phase::Finished && phase_ != Phase::Failed; }
    // Plant time since the start, s.
    double elapsed() const { return static_cast<double>(ticks_) * cycle_; }
    // The cycles of the relay counted so far, 0..kRelayCycles.
    int cyclesDone() const;
    // The record so far (from the lead-in on): t, MV and PV in %.
    const StepSeries& record() const { return all_; }
    // The failure, after Failed.
    const std::optional<TuningError>& error() const { return error_; }
    // After Finished: the test, thinned to at most kMaxRelaySamples.
    RelayTestResult Result() const;

private:
    void Rest(double pv);
    void StartRelay();
    // The relay's decision on the error now, and the output it sets.
    void Switch();
    // The amplitude left to the driver is raised while the first cycle at
    // it shows a PV swing within the noise (RelayTest.h, kNoiseBands).
    void CheckAmplitude();
    void HandBack();
    void Fail(TuningError e);
    double Error() const;

    Simulation& sim_;
    Controller& c_;
    int loop_;
    RelayOptions options_;
    double cycle_;
    double lo_ = 0, hi_ = 100;
    Phase phase_ = Phase::Resting;
    long long ticks_ = 0;
    std::optional<TuningError> error_;

    RestWatch rest_;

    RelayTestResult r_;
    StepSeries all_;
    std::vector<double> sp_;
    long long recordStart_ = 0;
    long long leadIn_ = 0;
    long long end_ = 0;
    bool high_ = false;
    std::vector<std::size_t> switches_;
};

}  // namespace kivo::tuning
