#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "fastsim/Indices.h"

namespace kivo {
namespace {

SeriesMalha Series(std::vector<double> pv, std::vector<double> sp, std::vector<double> co) {
    return SeriesMalha{std::move(pv), std::move(sp), std::move(co)};
}

TEST(IndicesTest, ConstantLoopGivesZeroSpreadAndItsValueAsRange) {
    const SeriesMalha s = Series({50, 50, 50, 50}, {50, 50, 50, 50}, {40, 40, 40, 40});
    const auto i = CalculaIndices(s, " %");
    ASSERT_TRUE(i);
    EXPECT_EQ(i->variabilidade, " 0.00 %");
    EXPECT_EQ(i->iem, " 0.00 %");
    EXPECT_EQ(i->iema, " 0.00 %");
    EXPECT_EQ(i->excursaoCO, " 0.00 %");
    EXPECT_EQ(i->desvioCO, " 0.00 %");
    EXPECT_EQ(i->saturacaoCO, " 0.00 %");
    EXPECT_EQ(i->pvMinMax, " 50.0/ 50.0") << "min and max with one decimal, width 5";
}

TEST(IndicesTest, FormulasOnAKnownSeries) {
    // PV 40, 50, 60: mean 50, sample sigma 10. SP 50 throughout: errors 10,
    // 0, -10. CO 0, 100, 50: travel 100 + 50, sigma 50, two points saturated.
    const SeriesMalha s = Series({40, 50, 60}, {50, 50, 50}, {0, 100, 50});
    const auto i = CalculaIndices(s, " %");
    ASSERT_TRUE(i);
    EXPECT_EQ(i->variabilidade, "30.00 %");
    EXPECT_EQ(i->iem, " 0.00 %");
    EXPECT_EQ(i->iema, " 6.67 %");
    EXPECT_EQ(i->excursaoCO, " 1.50 %");
    EXPECT_EQ(i->desvioCO, "150.00 %");
    EXPECT_EQ(i->saturacaoCO, "66.67 %");
    EXPECT_EQ(i->pvMinMax, " 40.0/ 60.0");
    // The same indices as numbers, unrounded.
    const ValoresIndices& v = i->valores;
    EXPECT_DOUBLE_EQ(v.variabilidade, 30);
    EXPECT_DOUBLE_EQ(v.iem, 0);
    EXPECT_DOUBLE_EQ(v.iema, 20.0 / 3);
    EXPECT_DOUBLE_EQ(v.excursaoCO, 1.5);
    EXPECT_DOUBLE_EQ(v.desvioCO, 150);
    EXPECT_DOUBLE_EQ(v.saturacaoCO, 200.0 / 3);
    EXPECT_DOUBLE_EQ(v.pvMin, 40);
    EXPECT_DOUBLE_EQ(v.pvMax, 60);
    EXPECT_EQ(IndiceForaDaFaixa(v), -1);

    // The mean error keeps its sign: PV below SP is positive.
    EXPECT_EQ(CalculaIndices(Series({45, 45}, {50, 50}, {50, 50}), " %")->iem, " 5.00 %");
    EXPECT_EQ(CalculaIndices(Series({55, 55}, {50, 50}, {50, 50}), " %")->iem, "-5.00 %");
}

TEST(IndicesTest, SaturationCountsTheLimitsThemselves) {
    const struct {
        double co;
        const char* esperado;
    } casos[] = {
        {98, "100.00 %"}, {2, "100.00 %"},   {100, "100.00 %"}, {0, "100.00 %"},
        {97.99, " 0.00 %"}, {2.01, " 0.00 %"}, {50, " 0.00 %"},
    };
    for (const auto& c : casos) {
        const auto i = CalculaIndices(Series({50, 50}, {50, 50}, {c.co, c.co}), " %");
        ASSERT_TRUE(i);
        EXPECT_EQ(i->saturacaoCO, c.esperado) << "CO " << c.co;
    }
    // One of four points at a limit.
    EXPECT_EQ(CalculaIndices(Series({1, 1, 1, 1}, {1, 1, 1, 1}, {20, 98, 50, 60}), " %")->saturacaoCO,
              "25.00 %");
}

TEST(IndicesTest, COTravelOfOneMeansAFullSpanOfMovement) {
    // Up by 50 and back down: 100 % of span travelled.
    const auto i = CalculaIndices(Series({1, 1, 1}, {1, 1, 1}, {25, 75, 25}), " %");
    ASSERT_TRUE(i);
    EXPECT_EQ(i->excursaoCO, " 1.00 %");
}

TEST(IndicesTest, EngineeringUnitsCarryTheUnitOnThePVIndicesOnly) {
    const std::string suf = SufixoUnidade(false, "kg/h");
    EXPECT_EQ(suf, " kg/h");
    EXPECT_EQ(SufixoUnidade(true, "kg/h"), " %");
    const auto i = CalculaIndices(Series({200, 300}, {250, 250}, {10, 30}), suf);
    ASSERT_TRUE(i);
    EXPECT_EQ(i->iem, " 0.00 kg/h");
    EXPECT_EQ(i->iema, "50.00 kg/h");
    EXPECT_EQ(i->variabilidade, "212.13 kg/h");
    EXPECT_EQ(i->excursaoCO, " 0.20 %");
    EXPECT_EQ(i->desvioCO, "42.43 %");
    EXPECT_EQ(i->pvMinMax, "200.0/300.0");
}

TEST(IndicesTest, AnIndexOutOfRangeIsNamedByItsPosition) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* caso;
        SeriesMalha s;
        int indice;  // in the order of RotulosIndices; -1 for none
    } casos[] = {
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
    for (const auto& c : casos) {
        const auto i = CalculaIndices(c.s, " %");
        ASSERT_TRUE(i) << c.caso;
        EXPECT_EQ(IndiceForaDaFaixa(i->valores), c.indice) << c.caso;
    }
    ValoresIndices nan;
    nan.desvioCO = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(IndiceForaDaFaixa(nan), 4);
}

TEST(IndicesTest, FewerThanTwoPointsGiveNoIndices) {
    EXPECT_FALSE(CalculaIndices(Series({}, {}, {}), " %"));
    EXPECT_FALSE(CalculaIndices(Series({50}, {50}, {50}), " %"));
    EXPECT_TRUE(CalculaIndices(Series({50, 51}, {50, 50}, {50, 50}), " %"));
}

}  // namespace
}  // namespace kivo
