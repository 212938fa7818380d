#include "Autoria.h"

namespace kivo::exemplos {
void Caldeira(Autor&) {}
}  // namespace kivo::exemplos
