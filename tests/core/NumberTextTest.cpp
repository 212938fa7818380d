#include "core/NumberText.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <random>

namespace kivo {
namespace {

TEST(NumberText, TwentyThreeCharacterForms) {
    struct Case {
        double x;
        const char* text;
    } cases[] = {
        {15, " 1.50000000000000E+0001"},
        {-0.25, "-2.50000000000000E-0001"},
        {0, " 0.00000000000000E+0000"},
        {-0.0, " 0.00000000000000E+0000"},
        {50, " 5.00000000000000E+0001"},
        {1.0 / 3.0, " 3.33333333333333E-0001"},
        {9.999999999999999e5, " 1.00000000000000E+0006"},
        {1e-300, " 1.00000000000000E-0300"},
        {5e-324, " 4.94065645841247E-0324"},
        {std::numeric_limits<double>::max(), " 1.79769313486231E+0308"},
        {-std::numeric_limits<double>::infinity(), "-1.79769313486231E+0308"},
        {std::numeric_limits<double>::quiet_NaN(), " 0.00000000000000E+0000"},
    };
    for (const auto& c : cases) EXPECT_EQ(NumberText(c.x), c.text) << c.x;
}

TEST(NumberText, ConversionReadsTheLongestWellFormedPrefix) {
    struct Case {
        const char* text;
        double value;
    } cases[] = {
        {"", 0},          {"   ", 0},        {"12", 12},         {" 1.5 ", 1.5},   {"1.5E+2", 150},
        {"1.5e2", 150},   {".5", 0.5},       {"5.", 5},          {"-3", -3},       {"- 9.5", -9.5},
        {"2 3", 2},       {"1.2.3", 1.2},    {"E", 0},           {".", 0},         {"1E", 1},
        {"1E-3.0", 1e-3}, {"--9", 0},        {"abc", 0},         {"1E999", 1.79769313486231e308},
        {"1E-999", 0},    {"0.1", 0.1},      {"+7", 7},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseReal(c.text), c.value) << '"' << c.text << '"';
}

// The fast rounding must equal writing the 23-character text and reading it
// back, for every kind of double.
TEST(NumberText, FastRoundingMatchesTheTextRoundTrip) {
    std::mt19937_64 rng(12345);
    auto check = [](double x) {
        const double viaText = ParseReal(NumberText(x));
        const double fast = Round15(x);
        ASSERT_EQ(std::bit_cast<std::uint64_t>(fast), std::bit_cast<std::uint64_t>(viaText))
            << std::hexfloat << x << " text " << NumberText(x);
    };
    for (int i = 0; i < 300000; ++i) {
        // Random bit patterns cover the whole exponent range.
        const double x = std::bit_cast<double>(rng());
        if (std::isnan(x)) continue;
        check(x);
    }
    std::uniform_real_distribution<double> pct(-200, 200);
    for (int i = 0; i < 300000; ++i) check(pct(rng));
    // Decimal values with 16 and 17 digits sit on rounding boundaries.
    for (int i = 0; i < 100000; ++i) {
        const double base = std::pow(10.0, static_cast<int>(rng() % 40) - 20);
        check(static_cast<double>(rng() % 100000000000000000ull) * base / 1e16);
        check((static_cast<double>(rng() % 1000000000000000ull) + 0.5) * base / 1e14);
    }
    // Just below and above every power of ten, where the decimal exponent
    // estimate is off by one.
    for (int k = -40; k <= 40; ++k) {
        double x = std::pow(10.0, k);
        for (int step = 0; step < 40; ++step) x = std::nextafter(x, 0.0);
        for (int step = 0; step < 80; ++step, x = std::nextafter(x, 1e300)) check(x);
    }
    for (double x : {99999999999999904.0, 1e15 + 0.5, 1e15 + 1.5, 2.5, 1e22, 1e23, 1e-8, 9.9999999999999995e-9, 0.1, 1e37, 1e38})
        check(x);
}

TEST(NumberText, IntegerConversions) {
    EXPECT_EQ(ParseLenientInteger("5+"), 5);
    EXPECT_EQ(ParseLenientInteger(" 21"), 21);
    EXPECT_EQ(ParseLenientInteger("A5"), 0);
    EXPECT_EQ(ParseLenientInteger("-1"), -1);
    EXPECT_EQ(ParseLenientInteger(""), 0);
    int v = 0;
    EXPECT_TRUE(ParseStrictInteger("42", v));
    EXPECT_EQ(v, 42);
    EXPECT_TRUE(ParseStrictInteger("-7", v));
    EXPECT_EQ(v, -7);
    for (const char* bad : {"", "4x", "x", "99999999999", "1.5"}) EXPECT_FALSE(ParseStrictInteger(bad, v)) << bad;
}

TEST(NumberText, FixedFormatAndRounding) {
    EXPECT_EQ(FormatFixed(50, 4, 2), "50.00");
    EXPECT_EQ(FormatFixed(0, 4, 2), "0.00");
    EXPECT_EQ(FormatFixed(-1.5, 4, 2), "-1.50");
    EXPECT_EQ(FormatFixed(1, 1, 0), "1");
    EXPECT_EQ(FormatFixed(3.14159, 8, 3), "   3.142");
    EXPECT_EQ(FormatFixed(-0.001, 5, 1), "  0.0");
    EXPECT_EQ(Round(2.5), 2);
    EXPECT_EQ(Round(3.5), 4);
    EXPECT_EQ(Round(-2.5), -2);
    // Same as the library's rounding to nearest, sign of zero included.
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> d(-1e6, 1e6);
    for (int i = 0; i < 100000; ++i) {
        const double x = i % 2 ? d(rng) : std::round(d(rng) * 2) / 2;  // halves too
        ASSERT_EQ(std::bit_cast<std::uint64_t>(Round(x)), std::bit_cast<std::uint64_t>(std::nearbyint(x))) << x;
    }
    for (double x : {-0.3, 0.3, -0.0, 0.5, -0.5, 4503599627370497.0, 1e300, -1e300})
        EXPECT_EQ(std::bit_cast<std::uint64_t>(Round(x)), std::bit_cast<std::uint64_t>(std::nearbyint(x))) << x;
}

}  // namespace
}  // namespace kivo
