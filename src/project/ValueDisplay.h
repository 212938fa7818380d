#pragma once
// What an animated text shows: its apply step (range, alarm limits and
// unit from the variable table, the formula prepared) and its display step
// (the text and whether it is in alarm). The settings are the project's
// TextData, which owns this; the numbers derived from them live here.
#include <string>

#include "core/FastEquation.h"
#include "core/StateBytes.h"

namespace kivo {

class TextData;
class Memory;

class ValueDisplay {
public:
    ValueDisplay(const Memory& mem, TextData& data) : mem_(mem), data_(data) {}
    ValueDisplay(const ValueDisplay&) = delete;
    ValueDisplay& operator=(const ValueDisplay&) = delete;

    TextData& data() const { return data_; }

    // The apply step; it always succeeds and shows no message.
    void ValidateParameters();
    // A variable chosen in the list: the fields it fills.
    void VariableChosen();
    // The display step: the value shown and its colour (red while in alarm,
    // or for state 0 of a binary text). It allocates nothing, as it runs in
    // the cycle; the text is written out when it is read.
    void ComputeCycle();

    // What the last display step showed, for a snapshot.
    void SaveState(StateWriter& w) const;
    void RestoreState(StateReader& r);

    // Address of the chosen variable, 0 for none.
    int Address() const;

    // The text of the last display step, with the decimals, unit or words
    // the settings hold now.
    std::string text() const;
    bool red() const { return red_; }
    // Alarm fields as the window shows them.
    std::string highText = "100";
    std::string lowText = "0";

private:
    double Evaluate(const std::string& formula) const;

    const Memory& mem_;
    TextData& data_;
    double max_ = 100;
    double min_ = 0;
    double high_ = 100;
    double low_ = 0;
    // Compiled once per text, so that the cycle evaluates without parsing;
    // the limits follow the variable table's texts.
    Formula formula_;
    Formula lowAlarm_;
    Formula highAlarm_;
    // What the last display step showed: a number, or one of the two words
    // of a binary text (zero_ picks the word for 0).
    bool binary_ = false;
    bool zero_ = false;
    double shownValue_ = 0;
    bool red_ = false;
};

}  // namespace kivo
