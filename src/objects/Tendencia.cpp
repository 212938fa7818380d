#include "objects/Tendencia.h"

#include <algorithm>

#include "core/NumberText.h"

namespace kivo {
namespace {

// Nearest(2 v) with v limited to 0..100 first: 0.5 % per step.
std::uint8_t PontoCurva(double v) { return static_cast<std::uint8_t>(Arredonda(2 * std::clamp(v, 0.0, 100.0))); }

}  // namespace

std::uint8_t TendenciaControlador::PontoFaixa(double x) const { return PontoCurva((x - base_) * 100 / (topo_ - base_)); }

std::uint8_t TendenciaControlador::Ponto(Curva c, int i) const {
    const double v = amostras_[Indice(i)][c];
    return c == CurvaPV || c == CurvaSP ? PontoFaixa(v) : PontoCurva(v);
}

void TendenciaControlador::RecalculaEscala() {
    if (EscalaAuto) {
        double maximo = -1000000;
        double minimo = 1000000;
        for (const auto& a : amostras_) {
            maximo = std::max(maximo, a[CurvaPV]);
            minimo = std::min(minimo, a[CurvaPV]);
        }
        topo_ = 1.1 * maximo;
        base_ = 0.9 * minimo;
        // PV samples lie in 0..100, so the range only collapses when every
        // sample is 0; the trend then shows the full span rather than divide
        // by a zero height.
        if (!(topo_ > base_)) {
            base_ = 0;
            topo_ = 100;
        }
    } else {
        // The full PV span, so the curves are plain percentages.
        base_ = 0;
        topo_ = 100;
    }
}

bool TendenciaControlador::DefineFaixa(double base, double topo) {
    if (!(base < topo)) return false;
    base_ = base;
    topo_ = topo;
    return true;
}

}  // namespace kivo
