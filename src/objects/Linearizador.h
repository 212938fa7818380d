#pragma once
// Linearizer: a table of six points PV = f(MV); at every step the input
// value is taken as a PV and the MV the curve maps to it, by inverse
// piecewise-linear interpolation, is written to M13.
//
// Fields, as typed (the project file stores them), re-read at every step:
//   Lin1EndEnt       input: its first two characters give the address
//   Lin1EndSai       "M13", shown only
//   Lin1MV[0..5]     the fields Lin1MV1..Lin1MV6
//   Lin1PV[0..5]     the fields Lin1PV1..Lin1PV6
//   Lin1Ativar       the cycle's enable flag (held by Simulacao)
// Working values (MV, PV, per segment slope, intercept and upper end) live
// as long as the object; a switched-off point keeps them.
#include <array>
#include <string>

#include "core/Ciclo.h"

namespace kivo {

class EscritorLinhas;
class LeitorLinhas;

class TLinearizador : public ObjetoCiclo {
public:
    static constexpr int kPontos = 6;
    static constexpr int kSaida = 13;

    explicit TLinearizador(Simulacao& sim);

    void CalculaCiclo() override;

    bool Lin1Ativar() const { return sim_.linearizadorAtivo; }
    void SetLin1Ativar(bool v) { sim_.linearizadorAtivo = v; }

    void SalvaParametros(EscritorLinhas& w) const;
    void LeParametros(LeitorLinhas& r);

    // Address read by the step, 0 when the text selects none.
    int EnderecoEntrada() const;

    std::string Lin1EndEnt = "01 MV";
    std::string Lin1EndSai = "M13";
    std::array<std::string, kPontos> Lin1MV{"0", "20", "40", "60", "80", "100"};
    std::array<std::string, kPontos> Lin1PV{"0", "20", "40", "60", "80", "100"};

private:
    // A field re-read at every step: converted again only when its text
    // changed since the last step.
    struct Campo {
        std::string texto;
        double valor = 0;
        bool lido = false;
        double Le(const std::string& t);
    };

    // How a segment inverts.
    enum class Forma : unsigned char { Normal, Vertical, Plana };

    Simulacao& sim_;
    std::array<Campo, kPontos> campoMV_;
    std::array<Campo, kPontos> campoPV_;
    std::array<double, kPontos> mv_{};
    std::array<double, kPontos> pv_{};
    // Per segment k = 2..6 (index k-1): slope, intercept, upper end, form.
    std::array<double, kPontos> s_{};
    std::array<double, kPontos> b_{};
    std::array<double, kPontos> e_{};
    std::array<Forma, kPontos> forma_{};
};

}  // namespace kivo
