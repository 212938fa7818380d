#include <gtest/gtest.h>

#include <algorithm>

#include "objects/Trend.h"

namespace kivo {
namespace {

using T = ControllerTrend;

TEST(Trend, TimeBaseSamplesEveryFirstThirdOrTwentiethCall) {
    const struct {
        int base, period;
    } cases[] = {{0, 1}, {1, 3}, {2, 20}};
    for (const auto& c : cases) {
        T t;
        t.TimeBaseBox = c.base;
        for (int call = 1; call <= 3 * c.period; ++call) {
            t.Sample(50, 50, 50, 50);
            EXPECT_EQ(t.position(), call / c.period) << "base " << c.base << " call " << call;
        }
    }
}

TEST(Trend, PausedTakesNoSample) {
    T t;
    t.paused = true;
    for (int i = 0; i < 5; ++i) t.Sample(50, 50, 50, 50);
    EXPECT_EQ(t.position(), 0);
    t.paused = false;
    t.Sample(50, 50, 50, 50);
    EXPECT_EQ(t.position(), 1);
}

TEST(Trend, PositionAndGridWrapAndSamplesReadOldestFirst) {
    T t;
    for (int i = 1; i <= 451; ++i) {
        t.Sample(i % 100, 0, 0, 0);
        EXPECT_EQ(t.grade(), i % 30) << "sample " << i;
        EXPECT_EQ(t.samples(), std::min(i, 450)) << "sample " << i;
    }
    EXPECT_EQ(t.position(), 1);
    EXPECT_DOUBLE_EQ(t.PVHistory(449), 451 % 100) << "newest at the right";
    EXPECT_DOUBLE_EQ(t.PVHistory(0), 2) << "oldest at the left";
}

TEST(Trend, CurvesAreHalfPercentPointsLimitedToTheChart) {
    const struct {
        double v;
        int point;
    } cases[] = {{0, 0}, {50, 100}, {100, 200}, {-5, 0}, {130, 200}, {10.25, 20}, {10.75, 22}};
    for (const auto& c : cases) {
        T t;
        t.Sample(50, 50, c.v, c.v);
        EXPECT_EQ(t.Point(T::COCurve, 449), c.point) << c.v;
        EXPECT_EQ(t.Point(T::ActuatorCurve, 449), c.point) << c.v;
    }
}

TEST(Trend, ScaleRecomputesPvAndSpCurvesFromTheHistory) {
    T t;
    t.Sample(60, 30, 0, 0);
    t.AutoScale = true;
    t.RecalculateScale();
    EXPECT_DOUBLE_EQ(t.top(), 66);
    EXPECT_DOUBLE_EQ(t.base(), 0) << "the other 449 samples are 0";
    EXPECT_EQ(t.Point(T::PVCurve, 449), 182);  // Nearest(2 * 60 * 100 / 66)
    EXPECT_EQ(t.Point(T::SPCurve, 449), 91);

    EXPECT_TRUE(t.SetRange(20, 70));
    EXPECT_EQ(t.Point(T::PVCurve, 449), 160);
    EXPECT_FALSE(t.SetRange(70, 70)) << "bottom must lie below top";
    EXPECT_DOUBLE_EQ(t.base(), 20);

    t.AutoScale = false;
    t.RecalculateScale();
    EXPECT_DOUBLE_EQ(t.top(), 100);
    EXPECT_EQ(t.Point(T::PVCurve, 449), 120);
}

// A history of zeros has no height; the trend then shows the full span.
TEST(Trend, AutoScaleOfAnAllZeroHistory) {
    T t;
    t.AutoScale = true;
    t.RecalculateScale();
    EXPECT_DOUBLE_EQ(t.base(), 0);
    EXPECT_DOUBLE_EQ(t.top(), 100);
}

struct Counter : TrendObserver {
    int samples = 0;
    double mv = -1;
    void OnSample(const ControllerTrend&, double, double, double v) override {
        ++samples;
        mv = v;
    }
};

TEST(Trend, ObserverHearsEachSampleWithTheLimitedOutput) {
    T t;
    Counter o;
    t.observer = &o;
    t.TimeBaseBox = 1;
    for (int i = 0; i < 6; ++i) t.Sample(50, 50, 140, 0);
    EXPECT_EQ(o.samples, 2);
    EXPECT_DOUBLE_EQ(o.mv, 100);
}

}  // namespace
}  // namespace kivo
