#include "objects/Coefficients.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>

namespace kivo {
namespace {

std::uint64_t Bits(double x) { return std::bit_cast<std::uint64_t>(x); }

// The remembered pair must be what the division gives for the inputs of this
// very call: a change of either input in any bit, the sign of a zero
// included, works it out again.
TEST(Coefficients, FollowEveryChangeOfTimeConstantOrStep) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double tau, T;
    } steps[] = {{10, 0.1}, {10, 0.1}, {10, 0.2}, {3, 0.2}, {0.0, 0.1}, {-0.0, 0.1},
                  {-0.0, 0.1}, {0.0, 0.1}, {nan, 0.1}, {nan, 0.1}, {-0.1, 0.1}, {10, 0.1}};
    Coefficients c;
    for (const auto& p : steps) {
        const auto& got = c.For(p.tau, p.T, LagCoefficients);
        const auto expected = LagCoefficients(p.tau, p.T);
        EXPECT_EQ(Bits(got[0]), Bits(expected[0])) << p.tau << " " << p.T;
        EXPECT_EQ(Bits(got[1]), Bits(expected[1])) << p.tau << " " << p.T;
    }
}

TEST(Tenths, RoundToTheTenthOfEachCall) {
    Tenths d;
    const double values[] = {12.34, 12.31, 12.36, 12.36, -0.01, 0.01, -0.04, 99.95, 0.25, 0.35, 1e300};
    for (const double v : values) EXPECT_EQ(Bits(d.Round(v)), Bits(Round(10 * v) / 10)) << v;
}

}  // namespace
}  // namespace kivo
