#include "core/NumberText.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <system_error>

namespace kivo {

const std::array<double, 72> detail::kPow10Approx = [] {
    std::array<double, 72> t{};
    for (std::size_t i = 0; i < t.size(); ++i) {
        const std::string text = "1e" + std::to_string(static_cast<int>(i) + kMinPow);
        std::from_chars(text.data(), text.data() + text.size(), t[i]);
    }
    return t;
}();

namespace {

// Largest value whose 15-digit text reads back as a finite double.
constexpr double kSaturation = 1.79769313486231e308;
constexpr char kSaturatedText[] = "1.79769313486231E+0308";

using detail::kPow10;

using u128 = unsigned __int128;

// Divides, giving the quotient truncated and rounded to the nearest with
// halves to even.
struct Quotient {
    u128 truncated;
    u128 rounded;
};
Quotient DivideAndRound(u128 num, u128 den) {
    const u128 q = num / den;
    const u128 r = num % den;
    const u128 twice = r * 2;
    const bool up = twice > den || (twice == den && (q & 1));
    return {q, up ? q + 1 : q};
}

// Slow but exact: through the decimal text.
double Round15ViaText(double a) {
    char buf[40];
    auto res = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, 14);
    double v = 0.0;
    std::from_chars(buf, res.ptr, v, std::chars_format::scientific);
    return v;
}

using detail::kMinPow;
using detail::kPow10Approx;

// |x| rounded to 15 significant digits, for finite positive a that does not
// saturate.
constexpr std::array<std::uint64_t, 23> kPow5 = [] {
    std::array<std::uint64_t, 23> t{};
    std::uint64_t r = 1;
    for (auto& x : t) {
        x = r;
        r *= 5;
    }
    return t;
}();

// Shifts right by n bits (1..126), giving the quotient truncated and rounded
// to the nearest with halves to even.
Quotient ShiftAndRound(u128 p, int n) {
    const u128 q = p >> n;
    const u128 r = p & ((static_cast<u128>(1) << n) - 1);
    const u128 half = static_cast<u128>(1) << (n - 1);
    const bool up = r > half || (r == half && (q & 1));
    return {q, up ? q + 1 : q};
}

// |x| rounded to 15 significant digits, for finite positive a that does not
// saturate. Scales a = f * 2^k by a power of ten exactly in 128-bit integers
// and rounds once; only values below 1e-8 or above 1e37 go through text.
// Small values, 1e-30 <= a < 1e-8: scaled in two exact-power steps (two
// roundings, hence the wider margin); the digits are then read back by the
// decimal parser, which rounds correctly. Returns 0 when undecided.
double Round15Small(double a) {
    const auto bits = std::bit_cast<std::uint64_t>(a);
    int e = ((static_cast<int>(bits >> 52) - 1023) * 78913) >> 18;
    if (a >= kPow10Approx[static_cast<std::size_t>(e + 1 - kMinPow)]) ++e;
    const int s = 14 - e;  // 23..44
    const double y = a * kPow10[22] * kPow10[s - 22];
    if (!(y > 1e14 + 1 && y < 1e15 - 1)) return 0.0;
    const auto integerPart = static_cast<std::uint64_t>(y);
    const double frac = y - static_cast<double>(integerPart);
    const double margin = y * 3e-16;
    if (!(frac - 0.5 > margin || 0.5 - frac > margin)) return 0.0;
    const std::uint64_t m = frac > 0.5 ? integerPart + 1 : integerPart;
    // 15 digits, "e-" and two exponent digits.
    char buf[20];
    std::to_chars(buf, buf + 15, m);
    buf[15] = 'e';
    buf[16] = '-';
    buf[17] = static_cast<char>('0' + s / 10);
    buf[18] = static_cast<char>('0' + s % 10);
    double r = 0.0;
    std::from_chars(buf, buf + 19, r);
    return r;
}

double Round15Positive(double a) {
    if (a >= 1e-30 && a < 1e-8) {
        if (const double r = Round15Small(a); r != 0.0) return r;
    }
    const auto bits = std::bit_cast<std::uint64_t>(a);
    const int field = static_cast<int>(bits >> 52);
    if (field == 0) return Round15ViaText(a);  // subnormal
    const std::uint64_t f = (bits & ((1ull << 52) - 1)) | (1ull << 52);
    const int k = field - 1075;  // a = f * 2^k, 2^(k+52) <= a < 2^(k+53)
    // floor(log10(2^(k+52))) is e or e - 1; a table of powers of ten (as
    // doubles, so only an estimate near the boundary) picks one and the loop
    // settles the exact value.
    int e = ((k + 52) * 78913) >> 18;
    if (e + 1 >= kMinPow && e + 1 < kMinPow + static_cast<int>(kPow10Approx.size()) &&
        a >= kPow10Approx[static_cast<std::size_t>(e + 1 - kMinPow)])
        ++e;
    constexpr std::uint64_t kMin = 100000000000000ull;   // 10^14
    constexpr std::uint64_t kMax = 1000000000000000ull;  // 10^15
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int s = 14 - e;
        if (s > 22 || s < -22) return Round15ViaText(a);
        // The value scaled to 15 integer digits, truncated and rounded.
        Quotient m;
        if (s >= 0) {
            const u128 p = static_cast<u128>(f) * kPow5[s];
            const int sh = s + k;
            if (sh >= 0) {
                if (sh > 60) return Round15ViaText(a);
                m = {p << sh, p << sh};
            } else {
                if (-sh >= 127) return Round15ViaText(a);
                m = ShiftAndRound(p, -sh);
            }
        } else {
            const int t = -s;
            const int sh = k - t;
            if (sh >= 0) {
                if (sh > 70) return Round15ViaText(a);
                m = DivideAndRound(static_cast<u128>(f) << sh, kPow5[t]);
            } else {
                if (-sh > 70) return Round15ViaText(a);
                m = DivideAndRound(f, static_cast<u128>(kPow5[t]) << -sh);
            }
        }
        // The decimal exponent comes from the exact value; only a carry of
        // the rounding itself moves it up.
        if (m.truncated < kMin) {
            --e;
            continue;
        }
        if (m.truncated >= kMax) {
            ++e;
            continue;
        }
        u128 decimalDigits = m.rounded;
        if (decimalDigits == kMax) {
            decimalDigits = kMin;
            ++e;
        }
        const int q = e - 14;
        const auto md = static_cast<double>(static_cast<std::uint64_t>(decimalDigits));
        if (q >= 0 && q <= 22) return md * kPow10[q];
        if (q < 0 && q >= -22) return md / kPow10[-q];
        return Round15ViaText(a);
    }
    return Round15ViaText(a);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the longest well-formed number at the start of s: digits with an
// optional "." part (at least one digit in all) and an optional exponent.
std::size_t NumberPrefixLength(std::string_view s) {
    std::size_t i = 0;
    std::size_t digits = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        std::size_t j = i + 1;
        std::size_t frac = 0;
        while (j < s.size() && IsDigit(s[j])) ++j, ++frac;
        if (digits + frac == 0) return 0;
        i = j;
        digits += frac;
    }
    if (digits == 0) return 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        const std::size_t start = j;
        while (j < s.size() && IsDigit(s[j])) ++j;
        if (j > start) i = j;
    }
    return i;
}

}  // namespace

double detail::Round15Half(double x, int s) {
    const double a = std::fabs(x);
    const auto bits = std::bit_cast<std::uint64_t>(a);
    const std::uint64_t f = (bits & ((1ull << 52) - 1)) | (1ull << 52);
    const int sh = s + static_cast<int>(bits >> 52) - 1075;
    constexpr std::uint64_t kMin = 100000000000000ull;
    constexpr std::uint64_t kMax = 1000000000000000ull;
    if (sh < 0 && sh > -127) {
        const Quotient m = ShiftAndRound(static_cast<u128>(f) * kPow5[s], -sh);
        if (m.truncated >= kMin && m.rounded < kMax) {
            const double r = static_cast<double>(static_cast<std::uint64_t>(m.rounded)) / kPow10[s];
            return x < 0 ? -r : r;
        }
    }
    return Round15Exact(x);
}

double detail::Round15Exact(double x) {
    if (std::isnan(x)) return 0.0;
    if (x == 0.0) return 0.0;
    const double a = std::fabs(x);
    // Above the limit the 15-digit text is either the limit itself or reads
    // back as infinity; both saturate.
    if (a > kSaturation) return x < 0 ? -kSaturation : kSaturation;
    const double r = Round15Positive(a);
    return x < 0 ? -r : r;
}

void WriteNumberText(double x, char* out) {
    if (std::isnan(x) || x == 0.0) {
        std::memcpy(out, " 0.00000000000000E+0000", kNumberTextSize);
        return;
    }
    out[0] = x < 0 ? '-' : ' ';
    const double a = std::fabs(x);
    char buf[40];
    auto res = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, 14);
    // buf is "d.dddddddddddddde+XX" (two or three exponent digits).
    const char* epos = static_cast<const char*>(std::memchr(buf, 'e', static_cast<std::size_t>(res.ptr - buf)));
    if (a > kSaturation) {
        std::memcpy(out + 1, kSaturatedText, kNumberTextSize - 1);
        return;
    }
    std::memcpy(out + 1, buf, 16);  // d.dddddddddddddd
    out[17] = 'E';
    out[18] = epos[1];
    const char* digits = epos + 2;
    const std::size_t nd = static_cast<std::size_t>(res.ptr - digits);
    std::memset(out + 19, '0', 4);
    std::memcpy(out + 23 - nd, digits, nd);
}

std::string NumberText(double x) {
    std::string s(kNumberTextSize, ' ');
    WriteNumberText(x, s.data());
    return s;
}

double ParseReal(std::string_view text) {
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && text[b] == ' ') ++b;
    while (e > b && text[e - 1] == ' ') --e;
    std::string_view s = text.substr(b, e - b);
    bool negative = false;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
        while (!s.empty() && s[0] == ' ') s.remove_prefix(1);
    }
    const std::size_t n = NumberPrefixLength(s);
    if (n == 0) return 0.0;
    double v = 0.0;
    const auto res = std::from_chars(s.data(), s.data() + n, v, std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) {
        // Tell overflow from underflow by the size of the exponent.
        const char* ep = static_cast<const char*>(std::memchr(s.data(), 'E', n));
        if (!ep) ep = static_cast<const char*>(std::memchr(s.data(), 'e', n));
        const bool tiny = ep && ep + 1 < s.data() + n && ep[1] == '-';
        v = tiny ? 0.0 : kSaturation;
    } else if (std::isinf(v)) {
        v = kSaturation;
    }
    if (v == 0.0) return 0.0;
    return negative ? -v : v;
}

long long ParseLenientInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long v = 0;
    constexpr long long kLimit = std::numeric_limits<long long>::max() / 10 - 10;
    while (i < text.size() && IsDigit(text[i])) {
        if (v < kLimit) v = v * 10 + (text[i] - '0');
        ++i;
    }
    return negative ? -v : v;
}

bool ParseStrictInteger(std::string_view text, int& out) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    std::size_t e = text.size();
    while (e > i && text[e - 1] == ' ') --e;
    std::string_view s = text.substr(i, e - i);
    if (!s.empty() && s[0] == '+') s.remove_prefix(1);
    if (s.empty()) return false;
    int v = 0;
    const auto res = std::from_chars(s.data(), s.data() + s.size(), v);
    if (res.ec != std::errc{} || res.ptr != s.data() + s.size()) return false;
    out = v;
    return true;
}

std::string FormatFixed(double x, int w, int d) {
    char buf[400];
    std::string s;
    if (std::isnan(x) || std::isinf(x)) {
        s = std::isnan(x) ? "NAN" : (x < 0 ? "-INF" : "INF");
    } else {
        auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, d);
        s.assign(buf, res.ptr);
        // A value that rounds to zero is written without a sign.
        if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
    }
    if (static_cast<int>(s.size()) < w) s.insert(0, static_cast<std::size_t>(w) - s.size(), ' ');
    return s;
}

}  // namespace kivo
