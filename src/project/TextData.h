#pragma once
// An animated text: its settings as its record holds them, and what it
// shows (ValueDisplay), which the cycle recomputes at every display refresh
// whether or not the text's window was ever built; the diagram's value label
// copies it from here.
//
// Fields: DescriptionText; FunctionText (the formula, or the texts for 0 and 1
// separated by "/"); DecimalPlaces (0..5); Unit; RangeMaxText, RangeMinText;
// Kind (0 scalar, 1 binary, 2 equation); VariableSelect (display list index,
// 124 items M1..M124, -1 none). The alarm limits are derived from the range
// and the variable table, so they are not kept here.
#include <string>

#include "core/Cycle.h"
#include "project/ValueDisplay.h"

namespace kivo {

class LineWriter;
class LineReader;

class TextData : public CycleObject {
public:
    static constexpr int kMaxDecimalPlaces = 5;
    static constexpr int kKindItems = 3;
    static constexpr int kVariableItems = 124;

    // slot 1..20; the number given at creation is 100 + slot. mem is the
    // variable memory shown, which outlives the text. Created applied.
    TextData(const Memory& mem, int slot) : slot_(slot), display_(mem, *this) { display_.ValidateParameters(); }
    TextData(const TextData&) = delete;
    TextData& operator=(const TextData&) = delete;

    int slot() const { return slot_; }
    int number() const { return AnimatedTextNumber(slot_); }

    // The display step: the text and its colour.
    void ComputeCycle() override { display_.ComputeCycle(); }
    void SaveState(StateWriter& w) const override { display_.SaveState(w); }
    void RestoreState(StateReader& r) override { display_.RestoreState(r); }
    // The apply step, without messages: after "Sair", a load or a refresh
    // of the variable table.
    void ValidateParameters() { display_.ValidateParameters(); }

    ValueDisplay& display() { return display_; }
    const ValueDisplay& display() const { return display_; }

    void SaveParameters(LineWriter& w) const;
    void ReadParameters(LineReader& r);

    std::string DescriptionText;
    std::string FunctionText;
    int DecimalPlaces = 2;
    std::string Unit;
    std::string RangeMaxText = "100";
    std::string RangeMinText = "0";
    int Kind = 0;
    int VariableSelect = -1;

private:
    int slot_;
    // Last: it reads the settings above.
    ValueDisplay display_;
};

}  // namespace kivo
