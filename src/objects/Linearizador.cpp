#include "objects/Linearizador.h"

#include <cmath>
#include <string_view>

#include "core/NumberText.h"

namespace kivo {

TLinearizador::TLinearizador(Simulacao& sim) : sim_(sim) {}

double TLinearizador::Campo::Le(const std::string& t) {
    if (!lido || t != texto) {
        texto = t;
        valor = ConverteReal(t);
        lido = true;
    }
    return valor;
}

int TLinearizador::EnderecoEntrada() const {
    // Only the two leading characters count, so an address needs two digits.
    // The integer conversion skips leading blanks but takes nothing after the
    // digits: "1 MV" gives "1 ", which selects nothing.
    const std::string_view texto = Lin1EndEnt.size() < 2 ? std::string_view("  ") : std::string_view(Lin1EndEnt).substr(0, 2);
    int n = 0;
    if (texto.back() == ' ' || !ConverteInteiroEstrito(texto, n) || n < 1 || n > 99) return 0;
    return n;
}

// A segment whose two MV values are equal (or not far enough apart for a
// finite slope) is vertical: every PV along it maps to its MV. A segment whose
// two PV values are equal is flat and has no inverse; it takes no part in the
// output, like a switched-off point. Thus M13 never becomes NaN or infinite
// from the table; an output that still overflows leaves M13 unchanged.
void TLinearizador::CalculaCiclo() {
    Memorias& mem = sim_.mem;
    const int endereco = EnderecoEntrada();
    const double x = endereco == 0 ? 0.0 : mem[endereco];

    mv_[0] = campoMV_[0].Le(Lin1MV[0]);
    pv_[0] = campoPV_[0].Le(Lin1PV[0]);
    for (std::size_t k = 1; k < kPontos; ++k) {
        mv_[k] = campoMV_[k].Le(Lin1MV[k]);
        if (mv_[k] == 0) continue;  // point switched off: keeps its last values
        pv_[k] = campoPV_[k].Le(Lin1PV[k]);
        const double s = (pv_[k] - pv_[k - 1]) / (mv_[k] - mv_[k - 1]);
        if (!std::isfinite(s)) {
            forma_[k] = Forma::Vertical;
            s_[k] = 0;
            b_[k] = 0;
            e_[k] = pv_[k];
        } else {
            forma_[k] = s == 0 ? Forma::Plana : Forma::Normal;
            s_[k] = s;
            b_[k] = pv_[k] - s * mv_[k];
            e_[k] = s * mv_[k] + b_[k];
        }
    }

    auto usavel = [&](std::size_t k) { return mv_[k] != 0 && forma_[k] != Forma::Plana; };
    std::size_t escolhido = 0;
    for (std::size_t k = 1; k <= 4 && escolhido == 0; ++k)
        if (usavel(k) && x < e_[k]) escolhido = k;
    if (escolhido == 0 && usavel(5)) escolhido = 5;
    if (escolhido == 0) return;  // no segment: M13 keeps its value

    const std::size_t k = escolhido;
    const double saida = forma_[k] == Forma::Vertical ? mv_[k] : x * (1 / s_[k]) - b_[k] / s_[k];
    if (std::isfinite(saida)) mem[kSaida] = saida;
}

}  // namespace kivo
