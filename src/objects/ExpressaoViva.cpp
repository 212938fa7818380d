#include "objects/ExpressaoViva.h"

namespace kivo {

void ExpressaoViva::Define(std::string_view texto) {
    if (definida_ && texto == formula_.texto()) return;
    formula_.Define(texto, true);
    definida_ = true;
    // Only "M" (either case) brings the memory into a text.
    constante_ = texto.find_first_of("Mm") == std::string_view::npos;
    calculada_ = false;
}

double ExpressaoViva::Avalia(const Memorias& mem, bool& erro) const {
    if (!constante_) return formula_.Avalia(mem, erro);
    if (!calculada_) {
        valorConstante_ = formula_.Avalia(mem, erroConstante_);
        calculada_ = true;
    }
    erro = erroConstante_;
    return valorConstante_;
}

}  // namespace kivo
