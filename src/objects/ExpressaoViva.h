#pragma once
// An expression text that a model evaluates at every cycle against the
// current memory. The text is compiled only when it changes (a text without
// variable references is then evaluated once, by Formula itself).
#include <string>
#include <string_view>

#include "core/Equation.h"
#include "core/FastEquation.h"
#include "core/Memorias.h"

namespace kivo {

class ExpressaoViva {
public:
    // Follows the text: a comparison when it is the one already held, which
    // is every cycle but the one after an edit.
    void Define(std::string_view texto) { formula_.Define(texto, true); }
    const std::string& texto() const { return formula_.texto(); }
    // The limit of a typed expression the text exceeds, if any.
    ExcessoExpressao excesso() const { return formula_.Excesso(); }

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

// What a validation message adds after ": Ganho inválido" and the like when
// the field was refused for its size rather than its content.
inline std::string MotivoExcesso(ExcessoExpressao excesso) {
    switch (excesso) {
        case ExcessoExpressao::Comprimento:
            return " (mais de " + std::to_string(kMaxCaracteresExpressao) + " caracteres)";
        case ExcessoExpressao::Aninhamento:
            return " (mais de " + std::to_string(kMaxNiveisExpressao) + " níveis de parênteses)";
        default:
            return "";
    }
}

}  // namespace kivo
