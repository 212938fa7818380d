#include "objects/ExpressaoViva.h"

namespace kivo {

void ExpressaoViva::Redefine(std::string_view texto) {
    formula_.Define(texto, true);
    definida_ = true;
    // Only "M" (either case) brings the memory into a text.
    constante_ = texto.find_first_of("Mm") == std::string_view::npos;
    calculada_ = false;
}

void ExpressaoViva::CalculaConstante(const Memorias& mem) const {
    valorConstante_ = formula_.Avalia(mem, erroConstante_);
    calculada_ = true;
}

}  // namespace kivo
