#include "core/Ciclo.h"

#include <algorithm>

namespace kivo {

Simulacao::Simulacao() = default;

void Simulacao::AdicionaObservador(ObservadorCiclo* o) { observadores_.push_back(o); }

void Simulacao::RemoveObservador(ObservadorCiclo* o) {
    observadores_.erase(std::remove(observadores_.begin(), observadores_.end(), o), observadores_.end());
}

void Simulacao::Tick(long double nowMs) {
    estado.cicloMedido = nowMs - estado.tickAnterior;
    estado.tickAnterior = nowMs;
    for (auto* o : observadores_) o->AoMedirCiclo(static_cast<double>(estado.cicloMedido));

    // A late tick is not compensated: T is always the nominal period.
    estado.T = estado.periodoTimer / 1000.0;

    estado.divisorDisplay += 1;
    if (estado.divisorDisplay > 5) {
        estado.divisorDisplay = 0;
        textos.PassoAtivos();
        for (auto* o : observadores_) o->AoAtualizarDisplay();
    }

    PassoModelos();
    registradores.PassoAtivos();
}

bool Simulacao::Pausa() {
    estado.pausado = !estado.pausado;
    return estado.pausado;
}

}  // namespace kivo
