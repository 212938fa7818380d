#include "Autoria.h"

namespace kivo::exemplos {
void CondutividadeLinearizada(Autor&) {}
void PreditorSmith(Autor&) {}
void QuatroProcessos(Autor&) {}
void RespostaFrequencia(Autor&) {}
}  // namespace kivo::exemplos
