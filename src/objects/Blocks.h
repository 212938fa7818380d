#pragma once
// Calculation block: one expression over other variables, optionally the
// larger (">") or the smaller ("<") of two expressions, optionally limited
// from above and below, written to the block's own output variable.
//
// Fields, held as typed (the record stores them):
//   TagText, DescriptionText   texts
//   FunctionText                 function text, stored at apply
//   UpperLimitCheck, LowerLimitCheck limit enables, read every cycle
//   UpperLimitText, LowerLimitText   limit expressions, stored at apply
// The stored texts are re-evaluated every cycle, so M references stay live.
// No other state.
#include <string>

#include "core/Cycle.h"
#include "objects/LiveExpression.h"
#include "objects/Messages.h"

namespace kivo {

class LineWriter;
class LineReader;

class Block : public CycleObject {
public:
    // slot 1..24; the output address follows from it.
    Block(Simulation& sim, int slot);

    int slot() const { return slot_; }
    // Output address, also the number in the messages (41 for slot 1).
    int number() const { return n_; }

    void ComputeCycle() override;
    bool ValidateParameters(bool showMessages);
    void SaveState(StateWriter& w) const override;
    void RestoreState(StateReader& r) override;

    void SaveParameters(LineWriter& w) const;
    void ReadParameters(LineReader& r);

    // Texts in use, as the last apply stored them.
    const std::string& appliedFunction() const { return function_; }
    const std::string& appliedUpperLimit() const { return upperLimit_.text(); }
    const std::string& appliedLowerLimit() const { return lowerLimit_.text(); }
    // The value written at the last step.
    double output() const { return y_; }

    std::string TagText;
    std::string DescriptionText;
    std::string FunctionText;
    bool UpperLimitCheck = false;
    std::string UpperLimitText = "105";
    bool LowerLimitCheck = false;
    std::string LowerLimitText = "-5";

    MessageSink messages;

private:
    // The function's value; failed tells whether either side was refused.
    double Function(bool& failed) const;

    Simulation& sim_;
    int slot_;
    int n_;
    double y_ = 0;

    std::string function_;
    char selector_ = 0;    // '>', '<' or 0
    LiveExpression left_;  // the whole function when there is no selector
    LiveExpression right_;
    LiveExpression upperLimit_;
    LiveExpression lowerLimit_;
};

}  // namespace kivo
