#pragma once
// Process block: one input variable passes through the valve non-linearities
// (backlash, stiction, rate limit, characteristic curve, actuator lag), a dead
// time and a transfer function with a static gain, and the result is written
// to the block's own output variable.
//
// Fields, held as typed (the record stores them):
//   TagText, DescriptionText      texts
//   InputSelect               input list index, -1 = none (item i = M(i+1))
//   GainText, DeadTime       expressions, stored at apply, re-evaluated
//                               every cycle
//   TransferFunctionKind        transfer-function type index 0..3
//   LText, Ctext                tau1, tau2 (type 0), read every cycle
//   NCText, PeriodText         N and P (type 1), numbers stored at apply
//   LEAD, LAG                   lead and lag times (type 2), read every cycle
//   InitialValueText            integrator start (type 3); taken at apply only
//                               while initialValuePending is set (the window
//                               sets it when the field is edited)
//   ValveCurve                  valve curve index 0..4
//   Hysteresis, valveStext, tauAText  H, S, tau_a: numbers stored at apply
//   ratetext                    rate limit, expression read every cycle
//   SaturatorDisabled           "Desativar Saturador", read every cycle
// State (ProcessState, members named after the record keys where the
// record keeps them): X0, Y2, Y0old, Y1old, Y1old2, x5old, IntAc1, IntAc2;
// the rest (backlash, stiction, rate, lag, dead-time buffer) is not saved.
// Reading a record puts that rest of the state where a plant saved at rest
// held it (RestAtSavedState).
// The actuator position goes to Simulation::actuatorPosition[numero()] only:
// M101..M110 already carry the controllers' PV mirrors, so it is not made a
// variable.
#include <array>
#include <string>

#include "core/Cycle.h"
#include "objects/Coefficients.h"
#include "objects/LiveExpression.h"
#include "objects/Messages.h"

namespace kivo {

class LineWriter;
class LineReader;

struct ProcessState {
    static constexpr int kBufferSize = 10000;

    double X0 = 0;     // input value x
    double h = 0;      // backlash output
    double hr = 0;     // backlash reference
    double s = 0;      // stiction output
    double f = 0;      // stiction filter
    double fr = 0;     // filter rounded to 0.1
    double x5old = 0;  // previous rounded filter value
    int nIdle = 0;     // cycles without filtered movement
    bool stuck = false;
    double r = 0;         // rate-limited position
    double c = 0;         // curve output
    double a = 0;         // actuator position
    int k = 0;            // write position
    int D = 0;            // delay in cycles
    double xd = 0;        // delayed input
    double Y0old = 0;     // previous delayed input xp
    double IntAc1 = 0;    // first lag (type 0)
    double IntAc2 = 0;    // second lag (type 0)
    double Y1old = 0;     // y[k-1]
    double Y1old2 = 0;    // y[k-2]
    double Y2 = 0;        // output value
    // Last, so that the fields the step touches share a few cache lines.
    std::array<double, kBufferSize + 1> buffer{};  // positions 1..10000
};

// Final: the pool hands ComputeCycles runs of processes, which it steps with
// direct calls.
class Process final : public CycleObject {
public:
    // Delays up to this many cycles fit in the buffer.
    static constexpr int kMaxDelayCycles = ProcessState::kBufferSize - 1;
    // The longest dead time the apply accepts: kMaxDelayCycles at the
    // shortest cycle any run uses (0.1 s).
    static constexpr double kMaxDeadTime = 999.9;

    // slot 1..24; the output address follows from it.
    Process(Simulation& sim, int slot);

    int slot() const { return slot_; }
    // Output address, also the number in the messages (21 for slot 1).
    int number() const { return u_; }

    void ComputeCycle() override;
    void ComputeCycles(CycleObject* const* objects, int n) override;
    bool ValidateParameters(bool showMessages);
    void SaveState(StateWriter& w) const override;
    void RestoreState(StateReader& r) override;

    void SaveParameters(LineWriter& w) const;
    void ReadParameters(LineReader& r);

    // From the restored X0 and Y0old, sets the state the record does not
    // hold as it stands when the plant is at rest: backlash, stiction, rate
    // limiter, curve and actuator position on the input X0, and the whole
    // dead-time buffer at Y0old. Uses the backlash width and the curve of the
    // fields, which the apply that follows a record puts in use.
    void RestAtSavedState();

    // Values in use, as the last apply left them.
    int inputAddress() const { return input_; }
    int kind() const { return kind_; }
    int curve() const { return curve_; }
    double N() const { return N_; }
    double P() const { return P_; }
    double H() const { return H_; }
    double S() const { return S_; }
    double tauA() const { return tauA_; }
    const std::string& appliedGain() const { return gain_.text(); }
    const std::string& appliedDeadTime() const { return deadTime_.text(); }

    std::string TagText;
    std::string DescriptionText;
    int InputSelect = 0;
    std::string GainText = "1";
    std::string DeadTime = "0";
    int TransferFunctionKind = 0;
    std::string LText = "10";
    std::string Ctext = "0";
    std::string NCText = "1";
    std::string PeriodText = "10";
    std::string LEAD = "0";
    std::string LAG = "0";
    std::string InitialValueText = "0";
    bool initialValuePending = false;
    int ValveCurve = 0;
    std::string Hysteresis = "0";
    std::string valveStext = "0";
    std::string tauAText = "0";
    std::string ratetext = "0";
    bool SaturatorDisabled = false;

    MessageSink messages;

private:
    void Step();
    double TransferFunction(double K, double T);

    Simulation& sim_;
    int slot_;
    int u_;

    int input_ = 1;
    int kind_ = 0;
    int curve_ = 0;
    double N_ = 1;
    double P_ = 10;
    double H_ = 0;
    double S_ = 0;
    double tauA_ = 0;
    // Before the first apply the step uses the default texts.
    LiveExpression gain_;
    LiveExpression deadTime_;
    LiveExpression tau1_, tau2_, lead_, lag_, rate_;
    // Step coefficients of the stiction filter, the actuator lag, the dead
    // time (cycles) and the two lags of type 0, worked out when they change.
    Coefficients stictionFilter_, actuatorLag_, delayCycles_, lag1_, lag2_;
    // The input and the stiction filter rounded to tenths.
    Tenths backlashTenths_, filterTenths_;

public:
    // Last member: its dead-time buffer is large.
    ProcessState state;
};

}  // namespace kivo
