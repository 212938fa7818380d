#include "Autoria.h"

namespace kivo::exemplos {
void RazaoBasica(Autor&) {}
void LimitesCruzados(Autor&) {}
void DuplosLimitesCruzados(Autor&) {}
void DoisCombustiveis(Autor&) {}
}  // namespace kivo::exemplos
