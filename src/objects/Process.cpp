#include "objects/Process.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "core/NumberText.h"
#include "objects/Fields.h"

namespace kivo {

// A result of the step that is not a finite number (a time constant that
// zeroes a denominator, a gain that overflows, an unstable loop with the
// saturator off) is never stored: the state concerned keeps its last value,
// so the plant holds instead of filling with NaN.

Process::Process(Simulation& sim, int slot) : sim_(sim), slot_(slot), u_(ProcessAddress(slot)) {
    gain_.Define(GainText);
    deadTime_.Define(DeadTime);
}

namespace {

// The stages of the step, each on the state it owns. Internal to this file so
// that the compiler can fold them into the step.

void Backlash(ProcessState& e, double x, double H, Tenths& tenths) {
    if (H > 0) {
        const double xr = tenths.Round(x);
        if (e.h + H <= xr) {
            e.h = xr - H;
            e.hr = xr;
        } else if (e.hr - H > x) {  // the unrounded input decides the fall
            e.h = xr;
            e.hr = xr + H;
        }
    } else {
        e.h = x;
    }
}

void Stiction(ProcessState& e, double T, double S, Coefficients& filter, Tenths& tenths) {
    constexpr double kFilterTau = 0.5;
    constexpr double kMovement = 0.2;
    constexpr int kIdleCycles = 4;
    if (!e.stuck) {
        e.s = e.h;
        const auto& c = filter.For(kFilterTau, T, LagCoefficients);
        e.f = c[0] * e.f + c[1] * e.h;
        e.fr = tenths.Round(e.f);
        if (std::fabs(e.fr - e.x5old) >= kMovement) {
            e.nIdle = 0;
        } else if (e.nIdle <= kIdleCycles) {
            // Counting stops past the limit: only "above 4" matters, and a
            // valve still for years must not overflow the counter.
            ++e.nIdle;
        }
        if (e.nIdle > kIdleCycles && S > 0) e.stuck = true;
    } else if (std::fabs(e.s - e.h) >= S) {
        e.stuck = false;  // s follows h again from the next cycle
    }
    e.x5old = e.fr;
}

void RateLimiter(ProcessState& e, double T, double R) {
    if (R == 0) R = 99999;
    const double d = std::fabs(R) * T;
    if (std::fabs(e.r - e.s) > d)
        e.r += e.s > e.r ? d : -d;
    else
        e.r = e.s;
}

double Curve(int curve, double r) {
    switch (curve) {
        case 1:
            return 100 - (112 * std::exp(-r / 40) - 9.1935);
        case 2:
            return (std::exp(r / 40) - 1.0253) * 8.9628;
        case 3: {
            const double z = (r / 2.5 + 30) / 10 - 5;
            return (50 * z / std::sqrt(z * z + 1) + 50 - 5.2786) / 0.8944;
        }
        case 4: {
            const double z = r / 10 - 5;
            return 50 * z / std::sqrt(z * z + 1) + 50;
        }
        default:
            return r;
    }
}

void TransportDelay(ProcessState& e, double theta, double T, Coefficients& delay) {
    constexpr int kSize = ProcessState::kBufferSize;
    // The apply refuses typed dead times beyond the buffer; a live expression
    // that leaves 0..kMaxDelayCycles is bounded here instead of reading
    // outside the buffer or acting as no delay. Bounded once per change of
    // the dead time or the step, with the division.
    e.D = static_cast<int>(delay.For(theta, T, [](double th, double t) {
        const double cycles = Round(th / t);
        double D = 0;
        if (cycles >= Process::kMaxDelayCycles)
            D = Process::kMaxDelayCycles;
        else if (cycles > 0)
            D = static_cast<int>(cycles);
        return std::array<double, 2>{D, 0.0};
    })[0]);
    e.k = (e.k >= kSize || e.k < 0) ? 1 : e.k + 1;
    e.buffer[static_cast<std::size_t>(e.k)] = e.a;
    int j = e.k - e.D;
    if (j <= 0) j += kSize;
    e.xd = e.buffer[static_cast<std::size_t>(j)];
}

// Type 0, the common one: two lags in series.
double TwoLags(ProcessState& e, double T, double t1, double t2, bool saturate, Coefficients& lag1,
                      Coefficients& lag2) {
    double y1 = e.xd;
    if (t1 != 0) {
        // Tustin: (2 t1 - T) / (2 t1 + T) and T / (2 t1 + T).
        const auto& c = lag1.For(t1, T, [](double t, double h) {
            return std::array<double, 2>{(2 * t - h) / (2 * t + h), h / (2 * t + h)};
        });
        y1 = c[0] * e.IntAc1 + c[1] * (e.xd + e.Y0old);
    }
    double y2 = y1;
    if (t2 != 0) {
        const auto& c = lag2.For(t2, T, LagCoefficients);
        y2 = c[0] * e.IntAc2 + c[1] * y1;
    }
    if (saturate) y2 = std::clamp(y2, 0.0, 100.0);
    if (std::isfinite(y1) && std::isfinite(y2)) {
        e.IntAc1 = y1;
        e.IntAc2 = y2;
    }
    return e.IntAc2;
}

}  // namespace

// At rest every stage of the chain passes its input on unchanged: the
// backlash sits at the input with its reference one width above (the state a
// fall to the input leaves, so that a rise must cross the whole width), the
// stiction filter has settled on it and is free but has not yet counted the
// still cycles, so it sticks there once the input stays put. The buffer
// holds what the chain delivered while at rest, the delayed input Y0old:
// the output Y2 differs from it by the gain, or by the whole transfer
// function for an integrator.
void Process::RestAtSavedState() {
    ProcessState& e = state;
    double H = 0;
    if (!ReadNumberField(Hysteresis, H) || !(H > 0)) H = 0;
    e.h = e.X0;
    e.hr = e.X0 + H;
    e.s = e.X0;
    e.f = e.X0;
    e.fr = Round(10 * e.f) / 10;
    e.nIdle = 0;
    e.stuck = false;
    e.r = e.X0;
    const double c = Curve(ValveCurve, e.X0);
    e.c = std::isfinite(c) ? c : 0.0;
    e.a = e.c;
    e.xd = e.Y0old;
    std::fill(e.buffer.begin() + 1, e.buffer.end(), e.Y0old);
    sim_.actuatorPosition[static_cast<std::size_t>(u_)] = e.a;
}

double Process::TransferFunction(double K, double T) {
    ProcessState& e = state;
    const Memory& mem = sim_.mem;
    const bool saturate = !SaturatorDisabled;
    auto limit = [saturate](double v) { return saturate ? std::clamp(v, 0.0, 100.0) : v; };

    // Type 0 is stepped by TwoLags, without the switch.
    switch (kind_) {
        case 1: {
            const double w = 6.283 / P_;
            double y;
            if (P_ > 0 && std::isfinite(w)) {
                const double zeta = N_ != 0 ? 0.6 / N_ : 1.0;
                // Formed as the discretisation writes them, w^2 times T^2 and
                // 2 zeta w T from the left: forming wT first changes the last
                // bits, which drift apart over an oscillation.
                const double w2T2 = (w * w) * (T * T);
                const double damping = 2 * zeta * w * T;
                const double den = w2T2 + damping + 1;
                y = ((damping + 2) * e.Y1old - e.Y1old2 + w2T2 * e.xd) / den;
            } else {
                // A period of 0 (refused by the apply, yet stored) means an
                // infinite natural frequency: the limit of the response is
                // the input itself, without oscillation.
                y = e.xd;
            }
            y = limit(y);
            if (std::isfinite(y)) {
                e.Y1old2 = e.Y1old;
                e.Y1old = y;
            }
            return e.Y1old;
        }
        case 2: {
            lead_.Define(LEAD);
            lag_.Define(LAG);
            const double td = lead_.Evaluate(mem);
            const double tg = lag_.Evaluate(mem);
            const double y = limit((tg / (T + tg)) * e.Y1old + ((T + td) / (T + tg)) * e.xd - (td / (T + tg)) * e.Y0old);
            if (std::isfinite(y)) e.Y1old = y;
            return e.Y1old;
        }
        default: {  // 3, integrator
            const double y = limit(e.Y1old + K * T * e.xd);
            if (std::isfinite(y)) e.Y1old = y;
            return e.Y1old;
        }
    }
}

// Inlined into the loop over a pool's run of processes.
[[gnu::always_inline]] inline void Process::Step() {
    const double T = sim_.state.T;
    Memory& mem = sim_.mem;
    ProcessState& e = state;

    e.X0 = mem[input_];
    const double K = gain_.Evaluate(mem);
    Backlash(e, e.X0, H_, backlashTenths_);
    Stiction(e, T, S_, stictionFilter_, filterTenths_);
    rate_.Define(ratetext);
    RateLimiter(e, T, rate_.Evaluate(mem));

    // The linear curve, the usual one, is the position itself: no call.
    const double c = curve_ == 0 ? e.r : Curve(curve_, e.r);
    if (std::isfinite(c)) e.c = c;
    double a = e.c;
    if (tauA_ != 0) {
        const auto& k = actuatorLag_.For(tauA_, T, LagCoefficients);
        a = k[0] * e.a + k[1] * e.c;
    }
    if (std::isfinite(a)) e.a = a;

    TransportDelay(e, deadTime_.Evaluate(mem), T, delayCycles_);
    double y;
    if (kind_ == 0) {
        tau1_.Define(LText);
        tau2_.Define(Ctext);
        y = TwoLags(e, T, tau1_.Evaluate(mem), tau2_.Evaluate(mem), !SaturatorDisabled, lag1_, lag2_);
    } else {
        y = TransferFunction(K, T);
    }
    e.Y0old = e.xd;

    // The gain acts after the clamp, except in the integrator, where it is
    // already inside the integral.
    const double yo = kind_ == 3 ? y : K * y;
    if (std::isfinite(yo)) e.Y2 = yo;
    mem[u_] = e.Y2;
    sim_.actuatorPosition[static_cast<std::size_t>(u_)] = e.a;
}

void Process::ComputeCycles(CycleObject* const* objects, int n) {
    for (int i = 0; i < n; ++i) static_cast<Process*>(objects[i])->Step();
}

void Process::ComputeCycle() {
    CycleObject* const eu = this;
    ComputeCycles(&eu, 1);
}

bool Process::ValidateParameters(bool showMessages) {
    const Memory& mem = sim_.mem;
    std::vector<std::string> errors;
    auto error = [&](const std::string& text) { errors.push_back("Processo " + std::to_string(u_) + text); };
    auto check = [&](LiveExpression& ex, const std::string& text, const char* msg) {
        ex.Define(text);
        bool failed = false;
        ex.Evaluate(mem, failed);
        if (failed) error(msg + ExcessReason(ex.excess()));
    };

    const int address = AddressFromList(InputSelect);
    if (address == 0) {
        error(": Variável de entrada não informada");
    } else {
        input_ = address;
        check(gain_, GainText, ": Ganho inválido");

        deadTime_.Define(DeadTime);
        bool failed = false;
        const double theta = deadTime_.Evaluate(mem, failed);
        if (failed || theta < 0)
            error(": Tempo Morto inválido" + ExcessReason(deadTime_.excess()));
        else if (Round(theta / 0.1) > kMaxDelayCycles)
            error(": Tempo Morto inválido (máximo 999.9 seg)");

        switch (TransferFunctionKind) {
            case 0:
                kind_ = 0;
                check(tau1_, LText, ": Tal1 inválido");
                check(tau2_, Ctext, ": Tal2 inválido");
                break;
            case 1:
                kind_ = 1;
                if (!ReadNumberField(NCText, N_) || N_ == 0) error(": NCn inválido");
                // A period that is not positive has no oscillation to show.
                if (!ReadNumberField(PeriodText, P_) || !(P_ > 0)) error(": Periodo inválido");
                break;
            case 2:
                kind_ = 2;
                check(lag_, LAG, ": LAG inválido");
                check(lead_, LEAD, ": LEAD inválido");
                break;
            case 3:
                kind_ = 3;
                if (initialValuePending) {
                    ReadNumberField(InitialValueText, state.Y1old);
                    initialValuePending = false;
                }
                break;
            default:
                break;
        }

        if (!ReadNumberField(Hysteresis, H_)) error(": Histerese inválida");
        curve_ = ValveCurve;
        check(rate_, ratetext, ": Rate inválido");
        if (!ReadNumberField(valveStext, S_)) error(": Agarramento inválido");
        if (!ReadNumberField(tauAText, tauA_)) error(": Constante de tempo inválido");
    }

    if (errors.empty()) sim_.mem.setDescription(u_, DescriptionText);
    if (showMessages && messages)
        for (const auto& m : errors) messages(m);
    return errors.empty();
}

}  // namespace kivo
