#pragma once
// An expression text that a model evaluates at every cycle against the
// current memory. The text is compiled only when it changes (a text without
// variable references is then evaluated once, by Formula itself).
#include <string>
#include <string_view>

#include "core/Equation.h"
#include "core/FastEquation.h"
#include "core/Memory.h"

namespace kivo {

class LiveExpression {
public:
    // Follows the text: a comparison when it is the one already held, which
    // is every cycle but the one after an edit.
    void Define(std::string_view text) { formula_.Define(text, true); }
    const std::string& text() const { return formula_.text(); }
    // The limit of a typed expression the text exceeds, if any.
    ExpressionExcess excess() const { return formula_.Excess(); }

    // The value of the text with the current variables; error tells whether
    // the evaluator refused it (the value is then 0). Leaves EquationError alone.
    double Evaluate(const Memory& mem, bool& error) const { return formula_.Evaluate(mem, error); }
    double Evaluate(const Memory& mem) const {
        bool error = false;
        return Evaluate(mem, error);
    }

private:
    Formula formula_;
};

// What a validation message adds after ": Ganho inválido" and the like when
// the field was refused for its size rather than its content.
inline std::string ExcessReason(ExpressionExcess excess) {
    switch (excess) {
        case ExpressionExcess::Length:
            return " (mais de " + std::to_string(kMaxExpressionCharacters) + " caracteres)";
        case ExpressionExcess::Nesting:
            return " (mais de " + std::to_string(kMaxExpressionLevels) + " níveis de parênteses)";
        default:
            return "";
    }
}

}  // namespace kivo
