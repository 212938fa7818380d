#pragma once
// An expression text that a model evaluates at every cycle against the
// current memory. The text is compiled only when it changes (a text without
// variable references is then evaluated once, by Formula itself).
#include <string_view>

#include "core/FastEquation.h"
#include "core/Memorias.h"

namespace kivo {

class ExpressaoViva {
public:
    // Follows the text: a comparison when it is the one already held, which
    // is every cycle but the one after an edit.
    void Define(std::string_view texto) { formula_.Define(texto, true); }
    const std::string& texto() const { return formula_.texto(); }

    // The value of the text with the current variables; erro tells whether
    // the evaluator refused it (the value is then 0). Leaves ErroEquacao alone.
    double Avalia(const Memorias& mem, bool& erro) const { return formula_.Avalia(mem, erro); }
    double Avalia(const Memorias& mem) const {
        bool erro = false;
        return Avalia(mem, erro);
    }

private:
    Formula formula_;
};

}  // namespace kivo
