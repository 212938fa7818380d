#include "objects/Controller.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "objects/Fields.h"

namespace kivo {

Controller::Controller(Simulation& sim, int n) : TagText("PID" + std::to_string(n)), sim_(sim), n_(n) {
    ffw_.Define(FFwEquation);
}

// Inlined into the loop over a pool's run of controllers.
[[gnu::always_inline]] inline void Controller::Step() {
    const double T = sim_.state.T;
    Memory& mem = sim_.mem;
    ControllerState& s = state;

    s.PV = mem[pv_];
    s.SPR = CheckSPR ? mem[spr_] : 0.0;
    if (!s.localMode) s.SP = s.SPR;

    // The errors use PV and SP before they are clamped.
    double ep;
    if (reverse_) {
        s.e = s.PV - s.SP;
        ep = s.PV - a_ * s.SP;
    } else {
        s.e = s.SP - s.PV;
        ep = a_ * s.SP - s.PV;
    }
    s.PV = std::clamp(s.PV, 0.0, 100.0);
    s.SP = std::clamp(s.SP, 0.0, 100.0);

    if (DCHK && derivativeOnPV_) {
        const auto& c = pvFilter_.For(tauF_, T, LagCoefficients);
        const double f = c[0] * s.PrevPVf + c[1] * s.PV;
        // A filter time of -T zeroes the denominator; the filter then holds
        // instead of carrying NaN into the output.
        if (std::isfinite(f)) s.PVf = f;
    }
    mem[60 + n_] = s.SP;
    mem[100 + n_] = s.PV;

    double K = Kc_;
    if (ff_) {
        ffw_.Define(FFwEquation);
        s.b = ffw_.Evaluate(mem);
    }

    double P = 0;
    if (PCHK)
        P = K * ep;
    else
        K = 1;  // so that ISA then scales I and D by 1
    P = std::clamp(P, -100.0, 100.0);

    double D = 0;
    if (DCHK) {
        if (derivativeOnPV_)
            D = reverse_ ? (s.PVf - s.PrevPVf) * Td_ : (s.PrevPVf - s.PVf) * Td_;
        else
            D = (s.e - s.PrevError) * Td_;
        // A zero over the positive step is that same zero: a PI controller
        // (Td 0) skips the division.
        if (!(D == 0 && T > 0)) D = D / T;
        if (isa_) D = K * D;
        D = std::clamp(D, -100.0, 100.0);
    }

    if (s.autoMode) {
        bool freeze = Ti_ == 0 || !ICHK;
        if (BackMVCheck) {
            const double F = mem[AddressFromList(BackMV)];
            if (F >= 99.9 || F <= 0.1) freeze = true;
        }
        if (!freeze) s.Integral += isa_ ? K * s.e * T / Ti_ : s.e * T / Ti_;
        // Limits in order, so that the output never jumps between the two.
        const double lo = outputMin_;
        const double hi = outputMax_;
        s.MV = s.b + P + s.Integral + D;
        // The integral keeps the excess back; the output is set to the limit
        // itself, which the sum may miss by a rounding.
        if (s.MV > hi) {
            s.Integral = hi - P - D - s.b;
            s.MV = hi;
        } else if (s.MV < lo) {
            s.Integral = lo - P - D - s.b;
            s.MV = lo;
        }
    } else {
        // Manual: the integral tracks the operator's output (bumpless transfer).
        s.Integral = s.MV - P - D - s.b;
    }

    s.PrevError = s.e;
    s.PrevPV = s.PV;
    s.PrevPVf = s.PVf;
    mem[n_] = s.MV;

    trend.Sample(s.PV, s.SP, s.MV, sim_.actuatorPosition[static_cast<std::size_t>(n_ + 20)]);
}

void Controller::ComputeCycles(CycleObject* const* objects, int n) {
    for (int i = 0; i < n; ++i) static_cast<Controller*>(objects[i])->Step();
}

void Controller::ComputeCycle() {
    CycleObject* const eu = this;
    ComputeCycles(&eu, 1);
}

bool Controller::ValidateParameters(bool showMessages) {
    Memory& mem = sim_.mem;
    std::vector<std::string> errors;
    auto error = [&](const std::string& text) { errors.push_back("Controlador " + std::to_string(n_) + text); };
    auto number = [&](const std::string& text, double& value, const char* msg) {
        const bool ok = ReadNumberField(text, value);
        if (!ok) error(msg);
        return ok;
    };

    const int pv = AddressFromList(VariableSelect);
    if (TagText.empty()) {
        error(": TAG não informado");
    } else if (pv == 0) {
        error(": Variável de processo (PV) não informada");
    } else {
        // The scale is always the PV variable's.
        const TableEntry& entry = mem.entry(pv);
        ScaleStart = entry.euMin;
        ScaleEnd = entry.euMax;
        EngUnit = entry.unit;

        number(KpText, Kc_, ": Kp inválido");
        number(KiText, Ti_, ": Ti inválido");
        number(KdText, Td_, ": Td inválido");
        number(aText, a_, ": Fator a inválido");
        number(tfText, tauF_, ": Talf inválido");
        number(BiasText, state.b, ": Bias inválido");
        const bool minOk = number(COminText, COmin_, ": COmin inválido");
        const bool maxOk = number(COmaxText, COmax_, ": COmax inválido");
        // Inverted limits would pin the output to one limit or the other.
        if (minOk && maxOk && COmin_ > COmax_) error(": COmin maior que COmax");
        outputMin_ = std::min(COmin_, COmax_);
        outputMax_ = std::max(COmin_, COmax_);

        ff_ = FFwSelect;
        if (ff_) {
            ffw_.Define(FFwEquation);
            bool failed = false;
            ffw_.Evaluate(mem, failed);
            if (failed) error(": Equação do FF inválida" + ExcessReason(ffw_.excess()));
        }
        number(ScaleStart, start_, ": Inicio Escala inválido");
        number(ScaleEnd, end_, ": Final Escala inválido");

        if (errors.empty()) {
            reverse_ = ActionGroup == 0;
            derivativeOnPV_ = DerivativeGroup == 1;
            isa_ = StructureGroup == 1;
            pv_ = pv;
            spr_ = AddressFromList(SPRSelect);
            if (!CheckSPR) state.localMode = true;
            mem.setDescription(n_, " MV " + TagText);
            mem.setDescription(60 + n_, " SP " + TagText);
            const double range = std::fabs(end_ - start_);
            decimals_ = range >= 1000 ? 0 : range >= 100 ? 1 : range >= 10 ? 2 : range >= 1 ? 3 : 4;
        }
    }

    if (showMessages && messages)
        for (const auto& m : errors) messages(m);
    trend.RecalculateScale();
    return errors.empty();
}

}  // namespace kivo
