#pragma once
// PID controller n (1..10): reads PV (and a remote setpoint), computes the
// output MV and writes MV to M(n), the clamped SP to M(60+n) and the clamped
// PV to M(100+n). Parallel or ISA structure, setpoint weight, derivative on
// error or on a filtered PV, feed-forward expression as dynamic bias, output
// limits with back-calculation of the integral, integral freeze from a
// slave's feedback. Each step ends with the trend sampler.
//
// Fields, held as typed (the record stores them):
//   TagText, Description                texts (the description is the
//                                        controller's own; the table entries
//                                        n and 60+n carry " MV "/" SP " + tag)
//   KpText KiText KdText BiasText aText tfText COminText COmaxText
//                                        number texts, converted at apply
//   PCHK ICHK DCHK                      action enables, read every cycle
//   ActionGroup StructureGroup DerivativeGroup   radio indexes, applied
//   VariableSelect SPRSelect            list indexes (-1 none), applied
//   CheckSPR                            remote setpoint enable, read every cycle
//   FFwSelect                           feed-forward enable, applied
//   FFwEquation                         expression, read every cycle
//   BackMVCheck BackMV                  feedback freeze and its list index,
//                                        read every cycle
//   ScaleStart ScaleEnd EngUnit      PV scale, refilled from the PV
//                                        variable's table entry at apply
// State: PV, SP, MV, SPR, e, PrevError, PrevPV, Integral, PVf, PrevPVf, b,
// localMode ("Habilita Modo Remoto:" holds it), autoMode; trend.
#include <string>

#include "core/Cycle.h"
#include "objects/Coefficients.h"
#include "objects/LiveExpression.h"
#include "objects/Messages.h"
#include "objects/Trend.h"

namespace kivo {

class LineWriter;
class LineReader;

struct ControllerState {
    double PV = 0;
    double SP = 0;
    double MV = 0;
    double SPR = 0;
    double e = 0;
    double PrevError = 0;  // error of the previous cycle
    double PrevPV = 0;     // PV of the previous cycle
    double Integral = 0;   // integral term
    double PVf = 0;        // filtered PV (derivative on PV)
    double PrevPVf = 0;
    double b = 0;        // bias in use
    bool localMode = true;
    bool autoMode = false;
};

// Final: the pool hands ComputeCycles runs of controllers, which it steps
// with direct calls.
class Controller final : public CycleObject {
public:
    Controller(Simulation& sim, int n);

    int number() const { return n_; }

    void ComputeCycle() override;
    void ComputeCycles(CycleObject* const* objects, int n) override;
    bool ValidateParameters(bool showMessages);
    void SaveState(StateWriter& w) const override;
    void RestoreState(StateReader& r) override;

    void SaveParameters(LineWriter& w) const;
    void ReadParameters(LineReader& r);

    // Values in use, as the last apply left them.
    double Kc() const { return Kc_; }
    double Ti() const { return Ti_; }
    double Td() const { return Td_; }
    double a() const { return a_; }
    double tauF() const { return tauF_; }
    double COmin() const { return COmin_; }
    double COmax() const { return COmax_; }
    double scaleStart() const { return start_; }
    double scaleEnd() const { return end_; }
    int decimalPlaces() const { return decimals_; }
    bool reverse() const { return reverse_; }
    bool derivativeOnPV() const { return derivativeOnPV_; }
    bool isa() const { return isa_; }
    bool feedForward() const { return ff_; }
    int pvAddress() const { return pv_; }
    int sprAddress() const { return spr_; }

    std::string TagText;
    std::string Description;
    std::string KpText = "1";
    std::string KiText = "10";
    std::string KdText = "0";
    std::string BiasText = "50";
    std::string aText = "1";
    std::string tfText = "0";
    bool PCHK = true;
    bool ICHK = true;
    bool DCHK = true;
    std::string COminText = "0";
    std::string COmaxText = "100";
    int ActionGroup = 1;      // 0 reverse, 1 direct
    int StructureGroup = 1;   // 0 parallel, 1 ISA
    int DerivativeGroup = 1;  // 0 on error, 1 on PV
    int VariableSelect = 0;
    bool CheckSPR = false;
    int SPRSelect = 0;
    bool FFwSelect = false;
    std::string FFwEquation = "50";
    bool BackMVCheck = false;
    int BackMV = 0;
    std::string ScaleStart = "0";
    std::string ScaleEnd = "100";
    std::string EngUnit = "UE";

    ControllerState state;
    ControllerTrend trend;
    MessageSink messages;

private:
    void Step();
    void ClampReadState();

    Simulation& sim_;
    int n_;

    double Kc_ = 1;
    double Ti_ = 10;
    double Td_ = 0;
    double a_ = 1;
    double tauF_ = 0;
    double COmin_ = 0;
    double COmax_ = 100;
    // The output limits in order (limits typed the wrong way round are
    // refused by the apply, yet stored): worked out when they are read, not
    // at every step.
    double outputMin_ = 0;
    double outputMax_ = 100;
    double start_ = 0;
    double end_ = 100;
    int decimals_ = 1;
    bool reverse_ = false;
    bool derivativeOnPV_ = true;
    bool isa_ = true;
    bool ff_ = false;
    int pv_ = 1;
    int spr_ = 1;
    LiveExpression ffw_;
    Coefficients pvFilter_;  // of the derivative's PV filter
};

}  // namespace kivo
