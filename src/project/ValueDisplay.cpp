#include "project/ValueDisplay.h"

#include "core/Equation.h"
#include "core/Memory.h"
#include "core/NumberText.h"
#include "project/TextData.h"

namespace kivo {

namespace {
constexpr double kNoAlarm = 1000000;
}

int ValueDisplay::Address() const {
    const int i = data_.VariableSelect;
    return i >= 0 && i < TextData::kVariableItems ? i + 1 : 0;
}

double ValueDisplay::Evaluate(const std::string& formula) const { return EvaluateText(formula, mem_); }

void ValueDisplay::VariableChosen() {
    const int k = Address();
    if (data_.Kind == 0 && k > 0 && k <= 100) {
        const TableEntry& e = mem_.entry(k);
        // Controller outputs are percentages whatever their table says.
        data_.RangeMinText = k <= 10 ? "0.00" : e.euMin;
        data_.RangeMaxText = e.euMax;
        lowText = FormatFixed(Evaluate(e.lowAlarm), 4, 2);
        highText = FormatFixed(Evaluate(e.highAlarm), 4, 2);
        data_.Unit = e.unit;
    } else if (data_.Kind == 2) {
        data_.RangeMinText = "0.00";
        data_.RangeMaxText = "100.00";
        lowText = "0.00";
        highText = "100.00";
    }
}

void ValueDisplay::ValidateParameters() {
    const int k = Address();
    if (data_.Kind == 0 && k > 0) {
        if (k <= kNumEngineering) {
            const TableEntry& e = mem_.entry(k);
            // As when the variable is chosen: controller outputs are
            // percentages whatever their table says.
            data_.RangeMinText = k <= 10 ? "0.00" : e.euMin;
            data_.RangeMaxText = e.euMax;
            lowText = FormatFixed(Evaluate(e.lowAlarm), 4, 2);
            highText = FormatFixed(Evaluate(e.highAlarm), 4, 2);
            data_.Unit = e.unit;
        } else {
            // M100..M124 have no engineering data: shown as a plain
            // percentage whose only limits are its range.
            data_.RangeMinText = "0";
            data_.RangeMaxText = "100";
            lowText = "0.00";
            highText = "100.00";
            data_.Unit = "%";
        }
    }
    max_ = ParseReal(data_.RangeMaxText);
    min_ = ParseReal(data_.RangeMinText);
    low_ = ParseReal(lowText);
    high_ = ParseReal(highText);
    if (data_.Kind == 2) {
        low_ = -kNoAlarm;
        high_ = kNoAlarm;
        formula_.Define(ReplaceCommasWithPoints(data_.FunctionText));
    }
}

void ValueDisplay::ComputeCycle() {
    const int k = Address();
    binary_ = false;
    bool error = false;
    if (data_.Kind == 2) {
        shownValue_ = min_ + (max_ - min_) * formula_.Evaluate(mem_, error) / 100;
        red_ = shownValue_ > high_ || shownValue_ < low_;
        return;
    }
    if (data_.Kind == 1 && k > 0 && k <= 100) {
        binary_ = true;
        zero_ = mem_[k] == 0;
        red_ = zero_;
        return;
    }
    const double v = k > 0 ? mem_[k] : 0;
    shownValue_ = min_ + (max_ - min_) * v / 100;
    if (k == 0) {
        // Nothing chosen is nothing to alarm about.
        red_ = false;
        return;
    }
    if (k <= kNumEngineering) {
        // Limits changed in the variable table take effect at once.
        lowAlarm_.Define(mem_.entry(k).lowAlarm);
        highAlarm_.Define(mem_.entry(k).highAlarm);
        low_ = lowAlarm_.Evaluate(mem_, error);
        high_ = highAlarm_.Evaluate(mem_, error);
    }
    red_ = shownValue_ > high_ || shownValue_ < low_;
}

std::string ValueDisplay::text() const {
    if (!binary_) return FormatFixed(shownValue_, data_.DecimalPlaces, data_.DecimalPlaces) + " " + data_.Unit;
    // Without "/" the word for 0 is empty and the word for 1 the whole text.
    const std::string& f = data_.FunctionText;
    const auto bar = f.find('/');
    if (bar == std::string::npos) return zero_ ? std::string() : f;
    return zero_ ? f.substr(0, bar) : f.substr(bar + 1);
}

void ValueDisplay::SaveState(StateWriter& w) const {
    w.Bool(binary_);
    w.Bool(zero_);
    w.F64(shownValue_);
    w.Bool(red_);
}

void ValueDisplay::RestoreState(StateReader& r) {
    binary_ = r.Bool();
    zero_ = r.Bool();
    shownValue_ = r.F64();
    red_ = r.Bool();
}

}  // namespace kivo
