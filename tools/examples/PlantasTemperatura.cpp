#include "Autoria.h"

namespace kivo::exemplos {
void TrocadorCalor(Autor&) {}
void FaixaDividida(Autor&) {}
void FornoTubular(Autor&) {}
void FornoCascata(Autor&) {}
}  // namespace kivo::exemplos
