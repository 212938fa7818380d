#include "objects/Coeficientes.h"

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
TEST(Coeficientes, FollowEveryChangeOfTimeConstantOrStep) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double tau, T;
    } passos[] = {{10, 0.1}, {10, 0.1}, {10, 0.2}, {3, 0.2}, {0.0, 0.1}, {-0.0, 0.1},
                  {-0.0, 0.1}, {0.0, 0.1}, {nan, 0.1}, {nan, 0.1}, {-0.1, 0.1}, {10, 0.1}};
    Coeficientes c;
    for (const auto& p : passos) {
        const auto& got = c.Para(p.tau, p.T, CoeficientesAtraso);
        const auto esperado = CoeficientesAtraso(p.tau, p.T);
        EXPECT_EQ(Bits(got[0]), Bits(esperado[0])) << p.tau << " " << p.T;
        EXPECT_EQ(Bits(got[1]), Bits(esperado[1])) << p.tau << " " << p.T;
    }
}

TEST(Decimos, RoundToTheTenthOfEachCall) {
    Decimos d;
    const double valores[] = {12.34, 12.31, 12.36, 12.36, -0.01, 0.01, -0.04, 99.95, 0.25, 0.35, 1e300};
    for (const double v : valores) EXPECT_EQ(Bits(d.Arredonda(v)), Bits(Arredonda(10 * v) / 10)) << v;
}

}  // namespace
}  // namespace kivo
