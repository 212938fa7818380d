#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "fastsim/Indices.h"

namespace kivo {
namespace {

LoopSeries Series(std::vector<double> pv, std::vector<double> sp, std::vector<double> co) {
    return LoopSeries{std::move(pv), std::move(sp), std::move(co)};
}

TEST(IndicesTest, ConstantLoopGivesZeroSpreadAndItsValueAsRange) {
    const LoopSeries s = Series({50, 50, 50, 50}, {50, 50, 50, 50}, {40, 40, 40, 40});
    const auto i = ComputeIndices(s, " %");
    ASSERT_TRUE(i);
    EXPECT_EQ(i->variability, " 0.00 %");
    EXPECT_EQ(i->meanError, " 0.00 %");
    EXPECT_EQ(i->meanAbsError, " 0.00 %");
    EXPECT_EQ(i->coTravel, " 0.00 %");
    EXPECT_EQ(i->coDeviation, " 0.00 %");
    EXPECT_EQ(i->coSaturation, " 0.00 %");
    EXPECT_EQ(i->pvMinMax, " 50.0/ 50.0") << "min and max with one decimal, width 5";
}

TEST(IndicesTest, FormulasOnAKnownSeries) {
    // PV 40, 50, 60: mean 50, sample sigma 10. SP 50 throughout: errors 10,
    // 0, -10. CO 0, 100, 50: travel 100 + 50, sigma 50, two points saturated.
    const LoopSeries s = Series({40, 50, 60}, {50, 50, 50}, {0, 100, 50});
    const auto i = ComputeIndices(s, " %");
    ASSERT_TRUE(i);
    EXPECT_EQ(i->variability, "30.00 %");
    EXPECT_EQ(i->meanError, " 0.00 %");
    EXPECT_EQ(i->meanAbsError, " 6.67 %");
    EXPECT_EQ(i->coTravel, " 1.50 %");
    EXPECT_EQ(i->coDeviation, "150.00 %");
    EXPECT_EQ(i->coSaturation, "66.67 %");
    EXPECT_EQ(i->pvMinMax, " 40.0/ 60.0");
    // The same indices as numbers, unrounded.
    const IndexValues& v = i->values;
    EXPECT_DOUBLE_EQ(v.variability, 30);
    EXPECT_DOUBLE_EQ(v.meanError, 0);
    EXPECT_DOUBLE_EQ(v.meanAbsError, 20.0 / 3);
    EXPECT_DOUBLE_EQ(v.coTravel, 1.5);
    EXPECT_DOUBLE_EQ(v.coDeviation, 150);
    EXPECT_DOUBLE_EQ(v.coSaturation, 200.0 / 3);
    EXPECT_DOUBLE_EQ(v.pvMin, 40);
    EXPECT_DOUBLE_EQ(v.pvMax, 60);
    EXPECT_EQ(IndexOutOfRange(v), -1);

    // The mean error keeps its sign: PV below SP is positive.
    EXPECT_EQ(ComputeIndices(Series({45, 45}, {50, 50}, {50, 50}), " %")->meanError, " 5.00 %");
    EXPECT_EQ(ComputeIndices(Series({55, 55}, {50, 50}, {50, 50}), " %")->meanError, "-5.00 %");
}

TEST(IndicesTest, SaturationCountsTheLimitsThemselves) {
    const struct {
        double co;
        const char* expected;
    } cases[] = {
        {98, "100.00 %"}, {2, "100.00 %"},   {100, "100.00 %"}, {0, "100.00 %"},
        {97.99, " 0.00 %"}, {2.01, " 0.00 %"}, {50, " 0.00 %"},
    };
    for (const auto& c : cases) {
        const auto i = ComputeIndices(Series({50, 50}, {50, 50}, {c.co, c.co}), " %");
        ASSERT_TRUE(i);
        EXPECT_EQ(i->coSaturation, c.expected) << "CO " << c.co;
    }
    // One of four points at a limit.
    EXPECT_EQ(ComputeIndices(Series({1, 1, 1, 1}, {1, 1, 1, 1}, {20, 98, 50, 60}), " %")->coSaturation,
              "25.00 %");
}

TEST(IndicesTest, COTravelOfOneMeansAFullSpanOfMovement) {
    // Up by 50 and back down: 100 % of span travelled.
    const auto i = ComputeIndices(Series({1, 1, 1}, {1, 1, 1}, {25, 75, 25}), " %");
    ASSERT_TRUE(i);
    EXPECT_EQ(i->coTravel, " 1.00 %");
}

TEST(IndicesTest, EngineeringUnitsCarryTheUnitOnThePVIndicesOnly) {
    const std::string suf = UnitSuffix(false, "kg/h");
    EXPECT_EQ(suf, " kg/h");
    EXPECT_EQ(UnitSuffix(true, "kg/h"), " %");
    const auto i = ComputeIndices(Series({200, 300}, {250, 250}, {10, 30}), suf);
    ASSERT_TRUE(i);
    EXPECT_EQ(i->meanError, " 0.00 kg/h");
    EXPECT_EQ(i->meanAbsError, "50.00 kg/h");
    EXPECT_EQ(i->variability, "212.13 kg/h");
    EXPECT_EQ(i->coTravel, " 0.20 %");
    EXPECT_EQ(i->coDeviation, "42.43 %");
    EXPECT_EQ(i->pvMinMax, "200.0/300.0");
}

TEST(IndicesTest, AnIndexOutOfRangeIsNamedByItsPosition) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* testCase;
        LoopSeries s;
        int index;  // in the order of IndexCaptions; -1 for none
    } cases[] = {
        {"ordinary", Series({40, 60}, {50, 50}, {10, 90}), -1},
        {"large but in range", Series({-1e12, 1e12}, {0, 0}, {50, 50}), -1},
        // 1e308 squared overflows: the variability is infinite.
        {"spread overflows", Series({-1e308, 1e308}, {0, 0}, {50, 50}), 0},
        // A constant PV of 1e300: no spread, but a 300-digit mean error.
        {"mean error too large", Series({1e300, 1e300}, {0, 0}, {50, 50}), 1},
        {"infinite SP", Series({50, 50}, {inf, inf}, {50, 50}), 1},
        {"CO travel", Series({50, 50}, {50, 50}, {-1e15, 1e15}), 3},
        {"range only", Series({-1e13, -1e13}, {-1e13, -1e13}, {50, 50}), 6},
    };
    for (const auto& c : cases) {
        const auto i = ComputeIndices(c.s, " %");
        ASSERT_TRUE(i) << c.testCase;
        EXPECT_EQ(IndexOutOfRange(i->values), c.index) << c.testCase;
    }
    IndexValues nan;
    nan.coDeviation = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(IndexOutOfRange(nan), 4);
}

TEST(IndicesTest, FewerThanTwoPointsGiveNoIndices) {
    EXPECT_FALSE(ComputeIndices(Series({}, {}, {}), " %"));
    EXPECT_FALSE(ComputeIndices(Series({50}, {50}, {50}), " %"));
    EXPECT_TRUE(ComputeIndices(Series({50, 51}, {50, 50}, {50, 50}), " %"));
}

}  // namespace
}  // namespace kivo
