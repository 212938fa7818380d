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
    // Follows the text: a comparison when it is the one already held, which
    // is every cycle but the one after an edit.
    void Define(std::string_view texto) {
        if (!definida_ || !Igual(texto, formula_.texto())) Redefine(texto);
    }
    const std::string& texto() const { return formula_.texto(); }

    // The value of the text with the current variables; erro tells whether
    // the evaluator refused it (the value is then 0). Leaves ErroEquacao alone.
    double Avalia(const Memorias& mem, bool& erro) const {
        if (!constante_) return formula_.Avalia(mem, erro);
        if (!calculada_) CalculaConstante(mem);
        erro = erroConstante_;
        return valorConstante_;
    }
    double Avalia(const Memorias& mem) const {
        bool erro = false;
        return Avalia(mem, erro);
    }

private:
    // Field texts are short: a plain loop beats a library call here.
    static bool Igual(std::string_view a, std::string_view b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (a[i] != b[i]) return false;
        return true;
    }
    void Redefine(std::string_view texto);
    void CalculaConstante(const Memorias& mem) const;

    Formula formula_;
    bool definida_ = false;
    bool constante_ = true;
    mutable bool calculada_ = false;
    mutable bool erroConstante_ = false;
    mutable double valorConstante_ = 0.0;
};

}  // namespace kivo
