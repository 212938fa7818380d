#include "Autoria.h"

namespace kivo::exemplos {
void Reator(Autor&) {}
void PlantaResfriamento(Autor&) {}
void TorreDeetanizadora(Autor&) {}
}  // namespace kivo::exemplos
