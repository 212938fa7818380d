#include "tuning/Rules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kivo::tuning {

namespace {

// A first order plus dead time standing for the model, for the rules made
// for one: a second order by the half rule (half of the smaller time
// constant goes to the larger one, half to the dead time).
struct Fopdt {
    double K, tau, theta;
};
Fopdt ToFirstOrder(const ProcessModel& m) {
    if (m.kind == ModelKind::Sopdt) return {m.K, m.tau1 + m.tau2 / 2, m.theta + m.tau2 / 2};
    return {m.K, m.tau1, m.theta};
}

Setting Ideal(Rule r, Action a, double Kc, double Ti, double Td, double tc = 0) {
    Setting s;
    s.rule = r;
    s.action = a;
    s.Kc = Kc;
    s.Ti = Ti;
    s.Td = Td;
    s.tc = tc;
    return s;
}

// Series (interacting) PID to the ideal form the controller computes.
Setting FromSeriesForm(Rule r, double Kc, double Ti, double Td, double tc) {
    return Ideal(r, Action::PID, Kc * (1 + Td / Ti), Ti + Td, Ti * Td / (Ti + Td), tc);
}

// Skogestad, "Simple analytic rules for model reduction and PID controller
// tuning", J. Process Control 13 (2003): tau_c defaults to theta ("tight
// control"); the integral time is cut at 4 (tau_c + theta) against slow
// recovery from load steps; a second order gets a series PID whose
// derivative time cancels the second time constant.
std::vector<Setting> Simc(const ProcessModel& m, double tcGiven) {
    const double k = std::abs(m.K);
    const double theta = std::max(m.theta, kMinDeadTime);
    const double tc = tcGiven > 0 ? tcGiven : theta;
    if (m.kind == ModelKind::Ipdt) {
        const double Kc = 1 / (k * (tc + theta));
        return {Ideal(Rule::Simc, Action::P, Kc, 0, 0, tc), Ideal(Rule::Simc, Action::PI, Kc, 4 * (tc + theta), 0, tc)};
    }
    // The PI of a second order sees its half-rule first order, whose dead
    // time is longer: tau_c follows it unless given.
    const Fopdt f = ToFirstOrder(m);
    const double thetaF = std::max(f.theta, kMinDeadTime);
    const double tcF = tcGiven > 0 ? tcGiven : thetaF;
    std::vector<Setting> v{Ideal(Rule::Simc, Action::PI, f.tau / (k * (tcF + thetaF)),
                                 std::min(f.tau, 4 * (tcF + thetaF)), 0, tcF)};
    if (m.kind == ModelKind::Sopdt)
        v.push_back(FromSeriesForm(Rule::Simc, m.tau1 / (k * (tc + theta)), std::min(m.tau1, 4 * (tc + theta)), m.tau2, tc));
    return v;
}

// Rivera, Morari and Skogestad, "Internal model control. 4. PID controller
// design", Ind. Eng. Chem. Process Des. Dev. 25 (1986), with the dead time
// as a first-order Pade approximation. lambda defaults to the open-loop time
// constant (the loop as fast as the process itself), but not below the
// paper's limits for robustness (1.7 theta for PI, 0.8 theta for PID). An
// integrator takes the PI of the same design for K/s e^(-theta s), whose
// lambda defaults to 2 theta.
std::vector<Setting> Imc(const ProcessModel& m, double lambda) {
    const double k = std::abs(m.K);
    const double theta = std::max(m.theta, kMinDeadTime);
    if (m.kind == ModelKind::Ipdt) {
        const double l = lambda > 0 ? lambda : 2 * theta;
        return {Ideal(Rule::Imc, Action::PI, (2 * l + theta) / (k * (l + theta) * (l + theta)), 2 * l + theta, 0, l)};
    }
    const Fopdt f = ToFirstOrder(m);
    const double thetaF = std::max(f.theta, kMinDeadTime);
    const double lPI = lambda > 0 ? lambda : std::max(f.tau, 1.7 * thetaF);
    std::vector<Setting> v{
        Ideal(Rule::Imc, Action::PI, (2 * f.tau + thetaF) / (2 * k * lPI), f.tau + thetaF / 2, 0, lPI)};
    if (m.kind == ModelKind::Sopdt) {
        const double l = lambda > 0 ? lambda : std::max(m.tau1, 0.8 * theta);
        const double sum = m.tau1 + m.tau2;
        v.push_back(Ideal(Rule::Imc, Action::PID, sum / (k * (l + theta)), sum, m.tau1 * m.tau2 / sum, l));
    } else {
        const double l = lambda > 0 ? lambda : std::max(f.tau, 0.8 * thetaF);
        v.push_back(Ideal(Rule::Imc, Action::PID, (2 * f.tau + thetaF) / (2 * k * (l + thetaF)), f.tau + thetaF / 2,
                          f.tau * thetaF / (2 * f.tau + thetaF), l));
    }
    return v;
}

// Astrom and Hagglund, "Revisiting the Ziegler-Nichols step response method
// for PID control", J. Process Control 14 (2004), and "Advanced PID
// Control" (2006) for the PI.
std::vector<Setting> Amigo(const ProcessModel& m) {
    const double k = std::abs(m.K);
    if (m.kind == ModelKind::Ipdt) {
        const double L = std::max(m.theta, kMinDeadTime);
        return {Ideal(Rule::Amigo, Action::PI, 0.35 / (k * L), 13.4 * L, 0),
                Ideal(Rule::Amigo, Action::PID, 0.45 / (k * L), 8 * L, 0.5 * L)};
    }
    const Fopdt f = ToFirstOrder(m);
    const double L = std::max(f.theta, kMinDeadTime), T = f.tau;
    const double KcPI = 0.15 / k + (0.35 - L * T / ((L + T) * (L + T))) * T / (k * L);
    const double TiPI = 0.35 * L + 13 * L * T * T / (T * T + 12 * L * T + 7 * L * L);
    return {Ideal(Rule::Amigo, Action::PI, KcPI, TiPI, 0),
            Ideal(Rule::Amigo, Action::PID, (0.2 + 0.45 * T / L) / k, (0.4 * L + 0.8 * T) / (L + 0.1 * T) * L,
                  0.5 * L * T / (0.3 * L + T))};
}

// Ziegler and Nichols, "Optimum settings for automatic controllers", Trans.
// ASME 64 (1942), step-response method, as tabulated by Astrom and Hagglund:
// a = K L / T (K L for an integrator).
std::vector<Setting> ZieglerNichols(const ProcessModel& m) {
    const double k = std::abs(m.K);
    double a, L;
    if (m.kind == ModelKind::Ipdt) {
        L = std::max(m.theta, kMinDeadTime);
        a = k * L;
    } else {
        const Fopdt f = ToFirstOrder(m);
        L = std::max(f.theta, kMinDeadTime);
        a = k * L / f.tau;
    }
    const Rule r = Rule::ZieglerNichols;
    return {Ideal(r, Action::P, 1 / a, 0, 0), Ideal(r, Action::PI, 0.9 / a, 3 * L, 0),
            Ideal(r, Action::PID, 1.2 / a, 2 * L, L / 2)};
}

// Ziegler and Nichols (1942), ultimate sensitivity method: from the gain
// Ku at which a proportional loop oscillates and the period Pu.
std::vector<Setting> ZieglerNicholsUltimate(const ProcessModel& m) {
    const auto u = Ultimate(m);
    if (!u) return {};
    const Rule r = Rule::ZieglerNicholsUltimate;
    return {Ideal(r, Action::P, 0.5 * u->gain, 0, 0), Ideal(r, Action::PI, 0.45 * u->gain, u->period / 1.2, 0),
            Ideal(r, Action::PID, 0.6 * u->gain, u->period / 2, u->period / 8)};
}

}  // namespace

const char* RuleName(Rule r) {
    switch (r) {
        case Rule::Simc: return "simc";
        case Rule::Imc: return "imc";
        case Rule::Amigo: return "amigo";
        case Rule::ZieglerNichols: return "zn";
        case Rule::ZieglerNicholsUltimate: return "zn-cl";
    }
    return "";
}

const char* ActionName(Action a) {
    switch (a) {
        case Action::P: return "P";
        case Action::PI: return "PI";
        case Action::PID: return "PID";
    }
    return "";
}

std::string FieldText(double x) {
    // Four significant digits at least, never fewer than needed for a value
    // above 1000; trailing zeros dropped.
    const double a = std::abs(x);
    char buf[64];
    if (a >= 1e9 || (a > 0 && a < 1e-4)) {
        std::snprintf(buf, sizeof buf, "%.4g", x);
        return buf;
    }
    const int decimals = a >= 1000 ? 1 : a >= 100 ? 2 : a >= 10 ? 3 : a >= 1 ? 4 : a >= 0.01 ? 5 : 7;
    std::snprintf(buf, sizeof buf, "%.*f", decimals, x);
    std::string s = buf;
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    return s == "-0" ? "0" : s;
}

void ToControllerForm(Setting& s, double processGain, bool isa) {
    s.actionItem = processGain >= 0 ? 1 : 0;
    s.kp = s.Kc;
    if (isa) {
        s.ti = s.Ti;
        s.td = s.Td;
    } else {
        // The parallel controller integrates e T / Ti and adds Td de/dt
        // without Kc.
        s.ti = s.Ti / s.Kc;
        s.td = s.Td * s.Kc;
    }
    s.KpText = FieldText(s.kp);
    s.KiText = FieldText(s.ti);
    s.KdText = FieldText(s.td);
}

std::optional<GainWarning> CheckGain(const Setting& s) {
    const double k = std::abs(s.Kc);
    if (k >= kMinKc && k <= kMaxKc) return std::nullopt;
    // A gain too high comes from a model with almost no gain or dead time, a
    // gain too low from one with a huge gain; either may be data that are
    // not in % of span.
    const bool high = k > kMaxKc;
    return GainWarning{"Kc fica fora de " + FieldText(kMinKc) + " a " + FieldText(kMaxKc) +
                           ", os ganhos que um controlador usa: o modelo tem " +
                           (high ? "ganho ou tempo morto quase nulos" : "ganho enorme") +
                           " (MV e PV estão em % da faixa?).",
                       "Kc lies outside " + FieldText(kMinKc) + " to " + FieldText(kMaxKc) +
                           ", the gains a controller can use: the model has " +
                           (high ? "almost no gain or dead time" : "a huge gain") + " (are MV and PV in % of span?)."};
}

std::vector<Setting> ProposeSettings(const ProcessModel& m, Rule r, bool isa, double tc) {
    std::vector<Setting> v;
    if (tc != 0 && !(tc >= kMinTc && tc <= kMaxTc))
        throw TuningError("A constante de tempo de malha fechada (ou lambda) deve ficar entre " + FieldText(kMinTc) +
                              " e " + FieldText(kMaxTc) + " s.",
                          "The closed-loop time constant (or lambda) must lie between " + FieldText(kMinTc) + " and " +
                              FieldText(kMaxTc) + " s.");
    if (!(std::abs(m.K) > 0) || !std::isfinite(m.K)) return v;
    switch (r) {
        case Rule::Simc: v = Simc(m, tc); break;
        case Rule::Imc: v = Imc(m, tc); break;
        case Rule::Amigo: v = Amigo(m); break;
        case Rule::ZieglerNichols: v = ZieglerNichols(m); break;
        case Rule::ZieglerNicholsUltimate: v = ZieglerNicholsUltimate(m); break;
    }
    for (auto& s : v) {
        ToControllerForm(s, m.K, isa);
        for (double x : {s.Kc, s.Ti, s.Td, s.kp, s.ti, s.td})
            if (!std::isfinite(x))
                throw TuningError(std::string("A regra ") + RuleName(r) +
                                      " dá um ajuste que não é um número finito para este modelo.",
                                  std::string("The ") + RuleName(r) +
                                      " rule gives a setting that is not a finite number for this model.");
    }
    return v;
}

}  // namespace kivo::tuning
