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

class Coeficientes {
public:
    // calcula(x, T) gives the pair for time constant x and step T.
    template <class F>
    const std::array<double, 2>& Para(double x, double T, F&& calcula) {
        const auto bx = std::bit_cast<std::uint64_t>(x);
        const auto bT = std::bit_cast<std::uint64_t>(T);
        if (!valido_ || bx != x_ || bT != T_) {
            c_ = calcula(x, T);
            x_ = bx;
            T_ = bT;
            valido_ = true;
        }
        return c_;
    }

private:
    std::uint64_t x_ = 0;
    std::uint64_t T_ = 0;
    bool valido_ = false;
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
        if (!valido_ || bq != q_) {
            r_ = q / 10;
            q_ = bq;
            valido_ = true;
        }
        return r_;
    }

private:
    std::uint64_t q_ = 0;
    bool valido_ = false;
    double r_ = 0;
};

}  // namespace kivo
