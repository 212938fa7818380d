#include "Autoria.h"

namespace kivo::exemplos {
void NivelRegulatorio(Autor&) {}
void TanquePulmao(Autor&) {}
}  // namespace kivo::exemplos
