#pragma once
// Number texts and conversions shared by the evaluator, the objects and the
// project files. All of them are locale independent.
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

namespace kivo {

inline constexpr std::size_t kTamTextoNumero = 23;

// The 23-character scientific text: sign position (blank or "-"), one digit,
// ".", 14 digits, "E", exponent sign, four exponent digits.
// 15 -> " 1.50000000000000E+0001".
// A value beyond the double range (infinity) is written as the largest text
// that reads back as a finite double, +-1.79769313486231E+0308, and NaN is
// written as zero, so that a formula never carries them into the plant.
std::string TextoNumero(double x);
// Writes the same 23 characters into out (no terminating zero).
void EscreveTextoNumero(double x, char* out);

namespace detail {
inline constexpr double kPot10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
// Powers of ten 1e-30..1e41 as the nearest doubles.
inline constexpr int kMenorPot = -30;
extern const std::array<double, 72> kPot10Aprox;
double Arredonda15Exato(double x);
// Settles a value whose scaled digits a * 10^s lie near a half.
double Arredonda15Meio(double x, int s);
}  // namespace detail

// The value the 23-character text of x reads back as: x rounded to 15
// significant digits (halves to even), with the same saturation as TextoNumero.
// Exact and allocation free; the fast evaluator relies on it.
//
// The inline part scales in double precision: the product is within
// y * 2^-53 of the exact scaled value, so unless y lies that close to a half
// the rounded y has the same 15 digits as the exact computation, which
// handles everything else in 128-bit integers.
inline double Arredonda15(double x) {
    const double a = x < 0 ? -x : x;
    if (a >= 1e-8 && a < 1e15) {
        const auto bits = std::bit_cast<std::uint64_t>(a);
        int e = ((static_cast<int>(bits >> 52) - 1023) * 78913) >> 18;
        if (a >= detail::kPot10Aprox[static_cast<std::size_t>(e + 1 - detail::kMenorPot)]) ++e;
        const int s = 14 - e;  // 0..22
        const double y = a * detail::kPot10[s];
        if (y > 1e14 + 1 && y < 1e15 - 1) {
            const double chao = static_cast<double>(static_cast<std::int64_t>(y));
            const double frac = y - chao;
            const double margem = y * 1.2e-16;
            if (frac - 0.5 > margem || 0.5 - frac > margem) {
                const double r = (frac > 0.5 ? chao + 1 : chao) / detail::kPot10[s];
                return x < 0 ? -r : r;
            }
            return detail::Arredonda15Meio(x, s);
        }
    }
    return detail::Arredonda15Exato(x);
}

// Standard conversion of a number text with a decimal point. Outer blanks are
// ignored; a "-" may be followed by blanks before the digits; the longest
// well-formed prefix counts ("1.2.3" reads 1.2, "2 3" reads 2); nothing
// well-formed reads 0. Out-of-range values saturate like TextoNumero.
double ConverteReal(std::string_view text);

// Standard integer conversion: leading blanks skipped, an optional sign, the
// digits up to the first other character; the digits read so far count
// ("5+" is 5, "A5" is 0). No error is reported.
long long ConverteInteiroLeniente(std::string_view text);

// Strict integer: optional blanks, optional sign, digits, optional blanks and
// nothing else. Returns false on anything else or on overflow of int.
bool ConverteInteiroEstrito(std::string_view text, int& out);

// Round to the nearest integer, halves to the even neighbour. Adding and
// taking away 2^52 leaves the rounding to the hardware's default mode, which
// is to the nearest with halves to even; the sign of zero is kept.
inline double Arredonda(double x) {
    constexpr double k2p52 = 4503599627370496.0;
    const double a = x < 0 ? -x : x;
    if (!(a < k2p52)) return x;  // already whole, or NaN
    const double r = (a + k2p52) - k2p52;
    return x < 0 || (x == 0 && std::signbit(x)) ? -r : r;
}

// Str(x:w:d): fixed point with d decimals, rounded, padded on the left with
// blanks to at least w characters.
std::string FormataFixo(double x, int w, int d);

}  // namespace kivo
