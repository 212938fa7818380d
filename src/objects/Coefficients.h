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
inline constexpr std::uint64_t kNoInput = 0x7FF0'DEAD'0000'DEADull;

class Coefficients {
public:
    // compute(x, T) gives the pair for time constant x and step T.
    template <class F>
    const std::array<double, 2>& For(double x, double T, F&& compute) {
        const auto bx = std::bit_cast<std::uint64_t>(x);
        const auto bT = std::bit_cast<std::uint64_t>(T);
        if (bx != x_ || bT != T_) {
            c_ = compute(x, T);
            x_ = bx;
            T_ = bT;
        }
        return c_;
    }

private:
    std::uint64_t x_ = kNoInput;
    std::uint64_t T_ = kNoInput;
    std::array<double, 2> c_{};
};

// tau / (tau + T) and T / (tau + T): a first-order lag by backward
// differences.
inline std::array<double, 2> LagCoefficients(double tau, double T) { return {tau / (tau + T), T / (tau + T)}; }

// Nearest(10 v) / 10, the rounding of a valve position to a tenth. The
// quotient is remembered for the last whole number of tenths, as a valve at
// rest rounds to the same tenth cycle after cycle.
class Tenths {
public:
    double Round(double v) {
        const double q = kivo::Round(10 * v);
        const auto bq = std::bit_cast<std::uint64_t>(q);
        if (bq != q_) {
            r_ = q / 10;
            q_ = bq;
        }
        return r_;
    }

private:
    std::uint64_t q_ = kNoInput;
    double r_ = 0;
};

}  // namespace kivo
