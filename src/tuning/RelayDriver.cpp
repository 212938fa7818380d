#include "tuning/RelayDriver.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/Cycle.h"
#include "objects/Controller.h"
#include "tuning/BumpTest.h"

namespace kivo::tuning {

namespace {

Controller& Checked(Simulation& sim, int loop, const RelayOptions& o) {
    Controller* c = &TestedController(sim, loop);
    if (!c->state.autoMode)
        throw TuningError("o controlador " + std::to_string(loop) +
                              " está em manual: o teste de relé parte da malha em automático",
                          "controller " + std::to_string(loop) +
                              " is in manual: the relay test starts from the loop in automatic");
    if (o.amplitude && !(*o.amplitude >= kMinStep && *o.amplitude <= kMaxRelayAmplitude))
        throw TuningError("a amplitude do relé deve ser de 0.5 a 50 %", "the relay's amplitude must be 0.5 to 50 %");
    if (o.hysteresis && !(*o.hysteresis >= 0 && *o.hysteresis <= kMaxRelayHysteresis))
        throw TuningError("a histerese do relé deve ser de 0 a 10 %", "the relay's hysteresis must be 0 to 10 %");
    const double lo = std::max(0.0, c->COmin()), hi = std::min(100.0, c->COmax());
    const double mv = c->state.MV;
    if (o.amplitude && (mv - *o.amplitude < lo || mv + *o.amplitude > hi))
        throw TuningError("a saída está em " + FormatNumber("%.2f", mv) + " %: um relé de ±" + FormatNumber("%g", *o.amplitude) +
                              " % sai de " + FormatNumber("%g", lo) + ".." + FormatNumber("%g", hi) + " %",
                          "the output is " + FormatNumber("%.2f", mv) + " %: a relay of ±" + FormatNumber("%g", *o.amplitude) +
                              " % leaves " + FormatNumber("%g", lo) + ".." + FormatNumber("%g", hi) + " %");
    return *c;
}

}  // namespace

RelayDriver::RelayDriver(Simulation& sim, int loop, const RelayOptions& o)
    : sim_(sim),
      c_(Checked(sim, loop, o)),
      loop_(loop),
      options_(o),
      cycle_(sim.state.timerPeriod / 1000.0),
      lo_(std::max(0.0, c_.COmin())),
      hi_(std::min(100.0, c_.COmax())),
      rest_(static_cast<std::size_t>(std::max(1LL, std::llround(kRestWindow / cycle_)))) {
    leadIn_ = std::llround(kRelayLeadIn / cycle_);
}

RelayDriver::~RelayDriver() {
    if (phase_ == Phase::Relay) HandBack();
}

int RelayDriver::cyclesDone() const {
    // Two switches a cycle, counted after the first cycle.
    const auto n = static_cast<int>(switches_.size());
    return std::clamp((n - 2) / 2, 0, kRelayCycles);
}

double RelayDriver::Error() const {
    const double e = c_.state.SP - sim_.mem[c_.pvAddress()];
    return c_.reverse() ? -e : e;
}

void RelayDriver::AfterTick() {
    if (!running()) return;
    ++ticks_;
    const double pv = sim_.mem[c_.pvAddress()];
    if (phase_ == Phase::Resting) {
        Rest(pv);
        return;
    }
    // The operator's A/M on the live plant: the loop was the test's in
    // automatic before the relay, and is the operator's once it is taken.
    if (phase_ == Phase::LeadIn && !c_.state.autoMode)
        return Fail(TuningError("o controlador foi posto em manual: teste de relé interrompido",
                                "the controller was put in manual: relay test stopped"));
    if (phase_ == Phase::Relay && c_.state.autoMode) {
        phase_ = Phase::Failed;
        error_ = TuningError("o controlador voltou ao automático: teste de relé interrompido",
                             "the controller went back to automatic: relay test stopped");
        return;
    }
    // Times as whole milliseconds over 1000: 10.1, not 101 x 0.1.
    all_.Add(static_cast<double>((ticks_ - recordStart_) * sim_.state.timerPeriod) / 1000.0, sim_.mem[loop_], pv);
    sp_.push_back(sim_.mem[60 + loop_]);
    if (phase_ == Phase::LeadIn) {
        if (ticks_ - recordStart_ >= leadIn_) StartRelay();
        return;
    }
    const std::size_t wanted = 2 * static_cast<std::size_t>(kRelayCycles) + 2;
    if (switches_.size() >= wanted) {
        HandBack();
        phase_ = Phase::Finished;
    } else if (ticks_ >= end_) {
        Fail(TuningError("a PV não oscilou com o relé em " + FormatNumber("%g", kMaxRelayTime) +
                             " s de simulação: aumente a amplitude ou reduza a histerese",
                         "the PV did not oscillate under the relay in " + FormatNumber("%g", kMaxRelayTime) +
                             " s of simulation: raise the amplitude or lower the hysteresis"));
    } else {
        Switch();
    }
}

void RelayDriver::Rest(double pv) {
    // Rest in automatic: the means of consecutive windows agree; the last
    // window's spread is the noise the hysteresis must ride over.
    if (!rest_.Add(pv)) return;
    r_.rested = rest_.rested();
    r_.noise = rest_.noise();
    if (!r_.rested && elapsed() < kMaxRestWait) return;

    r_.mvBefore = c_.state.MV;
    r_.hysteresis = options_.hysteresis.value_or(std::max(3 * r_.noise, kMinHysteresis));
    r_.amplitude =
        options_.amplitude.value_or(std::min({kDefaultRelayAmplitude, r_.mvBefore - lo_, hi_ - r_.mvBefore}));
    if (r_.amplitude < kMinStep)
        return Fail(
            TuningError("a saída em repouso (" + FormatNumber("%.2f", r_.mvBefore) + " %) está a menos de 0.5 % de seus limites",
                        "the output at rest (" + FormatNumber("%.2f", r_.mvBefore) + " %) lies within 0.5 % of its limits"));
    phase_ = Phase::LeadIn;
    recordStart_ = ticks_;
}

void RelayDriver::StartRelay() {
    // The relay, in the controller's place: the controller in manual at
    // the relay's output, its integral tracking it for the way back.
    c_.state.autoMode = false;
    phase_ = Phase::Relay;
    r_.start = all_.size();
    high_ = Error() >= 0;
    end_ = ticks_ + std::llround(kMaxRelayTime / cycle_);
    Switch();
}

void RelayDriver::Switch() {
    const double e = Error();
    if (high_ ? e < -r_.hysteresis : e > r_.hysteresis) {
        high_ = !high_;
        switches_.push_back(all_.size());
        CheckAmplitude();
    }
    c_.state.MV = std::clamp(r_.mvBefore + (high_ ? r_.amplitude : -r_.amplitude), lo_, hi_);
}

void RelayDriver::CheckAmplitude() {
    // The first full cycle (switches 0 to 2) tells how far the PV swings
    // for this amplitude; the swing is about proportional to it, less so
    // the more of it is noise: the check is made again after each raise.
    if (options_.amplitude || switches_.size() != 3) return;
    const auto [mn, mx] = std::minmax_element(all_.pv.begin() + static_cast<std::ptrdiff_t>(switches_[0]),
                                              all_.pv.begin() + static_cast<std::ptrdiff_t>(switches_[2]));
    const double swing = (*mx - *mn) / 2;
    if (swing >= kNoiseBands * r_.hysteresis) return;
    const double room = std::min({kMaxRelayAmplitude, r_.mvBefore - lo_, hi_ - r_.mvBefore});
    const double raised = std::min(room, r_.amplitude * kRaisedBands * r_.hysteresis / std::max(swing, 1e-9));
    if (raised <= r_.amplitude) return;
    r_.amplitude = raised;
    // The cycles are counted again from this switch: the first one at the
    // new amplitude is a transient, as the very first was.
    switches_ = {switches_.back()};
}

void RelayDriver::HandBack() {
    // From the output the relay left: the integral tracked it in manual.
    c_.state.autoMode = true;
}

void RelayDriver::Fail(TuningError e) {
    if (phase_ == Phase::Relay) HandBack();
    phase_ = Phase::Failed;
    error_ = std::move(e);
}

void RelayDriver::Cancel() {
    if (running()) Fail(TuningError("teste de relé cancelado", "relay test cancelled"));
}

RelayTestResult RelayDriver::Result() const {
    if (phase_ != Phase::Finished) {
        if (error_) throw *error_;
        throw TuningError("o teste de relé não terminou", "the relay test has not finished");
    }
    RelayTestResult r = r_;
    // The cycles after the first: its period and the PV's swing.
    const std::size_t from = switches_[1], to = switches_.back();
    r.period = (all_.t[to] - all_.t[from]) / kRelayCycles;
    const auto [mn, mx] = std::minmax_element(all_.pv.begin() + static_cast<std::ptrdiff_t>(from),
                                              all_.pv.begin() + static_cast<std::ptrdiff_t>(to));
    r.pvAmplitude = (*mx - *mn) / 2;

    // Every cycle recorded, thinned to at most kMaxRelaySamples.
    r.start = 0;
    const std::size_t every = (all_.size() + kMaxRelaySamples - 1) / kMaxRelaySamples;
    for (std::size_t i = 0; i < all_.size(); i += every) {
        if (r.start == 0 && i >= r_.start) r.start = r.series.size();
        r.series.Add(all_.t[i], all_.mv[i], all_.pv[i]);
        r.sp.push_back(sp_[i]);
    }
    return r;
}

}  // namespace kivo::tuning
