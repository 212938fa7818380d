#pragma once
// Number texts and conversions shared by the evaluator, the objects and the
// project files. All of them are locale independent.
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace kivo {

inline constexpr std::size_t kNumberTextSize = 23;

// The 23-character scientific text: sign position (blank or "-"), one digit,
// ".", 14 digits, "E", exponent sign, four exponent digits.
// 15 -> " 1.50000000000000E+0001".
// A value beyond the double range (infinity) is written as the largest text
// that reads back as a finite double, +-1.79769313486231E+0308, and NaN is
// written as zero, so that a formula never carries them into the plant.
std::string NumberText(double x);
// Writes the same 23 characters into out (no terminating zero).
void WriteNumberText(double x, char* out);

namespace detail {
inline constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
// Powers of ten 1e-30..1e41 as the nearest doubles.
inline constexpr int kMinPow = -30;
extern const std::array<double, 72> kPow10Approx;
double Round15Exact(double x);

// Scales by binary exponent field, for 1e-8 <= a < 1e15: a binade starting at
// 2^k holds values whose decimal exponent is e0 = floor(k log10 2) or e0 + 1,
// so a * 10^(14 - e0) or a * 10^(13 - e0) has 15 integer digits. Scales that
// are not exact doubles are NaN, which sends the value to the exact path.
struct Scale {
    double pA;
    double pB;
    int sA;
};
inline constexpr std::size_t kFirstField = 1023 - 27;
inline constexpr std::array<Scale, 77> kScales = [] {
    std::array<Scale, 77> t{};
    for (std::size_t i = 0; i < t.size(); ++i) {
        const int k = static_cast<int>(i + kFirstField) - 1023;
        const int e0 = (k * 78913) >> 18;
        const int sA = 14 - e0;
        auto scale = [](int s) {
            return s >= 0 && s <= 22 ? kPow10[s] : std::numeric_limits<double>::quiet_NaN();
        };
        t[i] = Scale{scale(sA), scale(sA - 1), sA};
    }
    return t;
}();
// Settles a value whose scaled digits a * 10^s lie near a half.
double Round15Half(double x, int s);
}  // namespace detail

// The value the 23-character text of x reads back as: x rounded to 15
// significant digits (halves to even), with the same saturation as NumberText.
// Exact and allocation free; the fast evaluator relies on it.
//
// The inline part scales in double precision: the product is within
// y * 2^-53 of the exact scaled value, so unless y lies that close to a half
// the rounded y has the same 15 digits as the exact computation, which
// handles everything else in 128-bit integers.
inline double Round15(double x) {
    const double a = x < 0 ? -x : x;
    if (a >= 1e-8 && a < 1e15) {
        // The scale for both decimal exponents a binade can hold, computed
        // side by side; the one that gives 15 integer digits is kept.
        const auto field = static_cast<std::size_t>(std::bit_cast<std::uint64_t>(a) >> 52);
        const detail::Scale& esc = detail::kScales[field - detail::kFirstField];
        const double yA = a * esc.pA;
        const double yB = a * esc.pB;
        const bool useA = yA < 1e15;
        const double y = useA ? yA : yB;
        if (y > 1e14 + 1 && y < 1e15 - 1) {
            constexpr double k2p52 = 4503599627370496.0;
            const double m = (y + k2p52) - k2p52;  // nearest whole number
            const double d = y - m;
            const double distance = d < 0 ? -d : d;
            if (0.5 - distance > y * 1.2e-16) {
                const double r = m / (useA ? esc.pA : esc.pB);
                return x < 0 ? -r : r;
            }
            return detail::Round15Half(x, useA ? esc.sA : esc.sA - 1);
        }
    }
    return detail::Round15Exact(x);
}

// Standard conversion of a number text with a decimal point. Outer blanks are
// ignored; a "-" may be followed by blanks before the digits; the longest
// well-formed prefix counts ("1.2.3" reads 1.2, "2 3" reads 2); nothing
// well-formed reads 0. Out-of-range values saturate like NumberText.
double ParseReal(std::string_view text);

// Standard integer conversion: leading blanks skipped, an optional sign, the
// digits up to the first other character; the digits read so far count
// ("5+" is 5, "A5" is 0). No error is reported.
long long ParseLenientInteger(std::string_view text);

// Strict integer: optional blanks, optional sign, digits, optional blanks and
// nothing else. Returns false on anything else or on overflow of int.
bool ParseStrictInteger(std::string_view text, int& out);

// Round to the nearest integer, halves to the even neighbour. Adding and
// taking away 2^52 leaves the rounding to the hardware's default mode, which
// is to the nearest with halves to even; the sign of zero is kept.
inline double Round(double x) {
    constexpr double k2p52 = 4503599627370496.0;
    const double a = std::fabs(x);
    if (!(a < k2p52)) return x;  // already whole, or NaN
    // r is never negative: the sign of x, that of -0 included, is put back
    // by bit operations rather than a branch.
    const double r = (a + k2p52) - k2p52;
    return std::copysign(r, x);
}

// Str(x:w:d): fixed point with d decimals, rounded, padded on the left with
// blanks to at least w characters.
std::string FormatFixed(double x, int w, int d);

}  // namespace kivo
