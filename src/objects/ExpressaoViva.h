#pragma once
// An expression text that a model evaluates at every cycle against the
// current memory. The text is compiled only when it changes; a text without
// any variable reference cannot change its value, so that value is computed
// once and reused until the text changes.
#include <string_view>

#include "core/FastEquation.h"
#include "core/Memorias.h"

namespace kivo {

class ExpressaoViva {
public:
    // Follows the text: cheap when it is the one already held.
    void Define(std::string_view texto);
    const std::string& texto() const { return formula_.texto(); }

    // The value of the text with the current variables; erro tells whether
    // the evaluator refused it (the value is then 0). Leaves ErroEquacao alone.
    double Avalia(const Memorias& mem, bool& erro) const;
    double Avalia(const Memorias& mem) const {
        bool erro = false;
        return Avalia(mem, erro);
    }

private:
    Formula formula_;
    bool definida_ = false;
    bool constante_ = true;
    mutable bool calculada_ = false;
    mutable bool erroConstante_ = false;
    mutable double valorConstante_ = 0.0;
};

}  // namespace kivo
