#pragma once
// The two coefficients of a discretised lag, which depend on its time
// constant and the step. Divisions are dear and both inputs change seldom, so
// the pair is worked out again only when either input differs in any bit
// (the sign of a zero included): every result stays what the formula written
// out at each step gives.
#include <array>
#include <bit>
#include <cstdint>

#include "core/NumberText.h"

namespace kivo {

// The bits of a signalling NaN, which no input of a cache can have: neither
// arithmetic nor a number conversion yields one. A cache that holds them as
// its inputs has nothing yet, so the check needs no separate flag.
inline constexpr std::uint64_t kSemEntrada = 0x7FF0'DEAD'0000'DEADull;

class Coeficientes {
public:
    // calcula(x, T) gives the pair for time constant x and step T.
    template <class F>
    const std::array<double, 2>& Para(double x, double T, F&& calcula) {
        const auto bx = std::bit_cast<std::uint64_t>(x);
        const auto bT = std::bit_cast<std::uint64_t>(T);
        if (bx != x_ || bT != T_) {
            c_ = calcula(x, T);
            x_ = bx;
            T_ = bT;
        }
        return c_;
    }

private:
    std::uint64_t x_ = kSemEntrada;
    std::uint64_t T_ = kSemEntrada;
    std::array<double, 2> c_{};
};

// tau / (tau + T) and T / (tau + T): a first-order lag by backward
// differences.
inline std::array<double, 2> CoeficientesAtraso(double tau, double T) { return {tau / (tau + T), T / (tau + T)}; }

// Nearest(10 v) / 10, the rounding of a valve position to a tenth. The
// quotient is remembered for the last whole number of tenths, as a valve at
// rest rounds to the same tenth cycle after cycle.
class Decimos {
public:
    double Arredonda(double v) {
        const double q = kivo::Arredonda(10 * v);
        const auto bq = std::bit_cast<std::uint64_t>(q);
        if (bq != q_) {
            r_ = q / 10;
            q_ = bq;
        }
        return r_;
    }

private:
    std::uint64_t q_ = kSemEntrada;
    double r_ = 0;
};

}  // namespace kivo
