#include <gtest/gtest.h>

#include <algorithm>

#include "objects/Tendencia.h"

namespace kivo {
namespace {

using T = TendenciaControlador;

TEST(Tendencia, TimeBaseSamplesEveryFirstThirdOrTwentiethCall) {
    const struct {
        int base, periodo;
    } casos[] = {{0, 1}, {1, 3}, {2, 20}};
    for (const auto& c : casos) {
        T t;
        t.BaseTempoBox = c.base;
        for (int chamada = 1; chamada <= 3 * c.periodo; ++chamada) {
            t.Amostra(50, 50, 50, 50);
            EXPECT_EQ(t.posicao(), chamada / c.periodo) << "base " << c.base << " call " << chamada;
        }
    }
}

TEST(Tendencia, PausedTakesNoSample) {
    T t;
    t.pausado = true;
    for (int i = 0; i < 5; ++i) t.Amostra(50, 50, 50, 50);
    EXPECT_EQ(t.posicao(), 0);
    t.pausado = false;
    t.Amostra(50, 50, 50, 50);
    EXPECT_EQ(t.posicao(), 1);
}

TEST(Tendencia, PositionAndGridWrapAndSamplesReadOldestFirst) {
    T t;
    for (int i = 1; i <= 451; ++i) {
        t.Amostra(i % 100, 0, 0, 0);
        EXPECT_EQ(t.grade(), i % 30) << "sample " << i;
        EXPECT_EQ(t.amostras(), std::min(i, 450)) << "sample " << i;
    }
    EXPECT_EQ(t.posicao(), 1);
    EXPECT_DOUBLE_EQ(t.HistoricoPV(449), 451 % 100) << "newest at the right";
    EXPECT_DOUBLE_EQ(t.HistoricoPV(0), 2) << "oldest at the left";
}

TEST(Tendencia, CurvesAreHalfPercentPointsLimitedToTheChart) {
    const struct {
        double v;
        int ponto;
    } casos[] = {{0, 0}, {50, 100}, {100, 200}, {-5, 0}, {130, 200}, {10.25, 20}, {10.75, 22}};
    for (const auto& c : casos) {
        T t;
        t.Amostra(50, 50, c.v, c.v);
        EXPECT_EQ(t.Ponto(T::CurvaCO, 449), c.ponto) << c.v;
        EXPECT_EQ(t.Ponto(T::CurvaAtuador, 449), c.ponto) << c.v;
    }
}

TEST(Tendencia, ScaleRecomputesPvAndSpCurvesFromTheHistory) {
    T t;
    t.Amostra(60, 30, 0, 0);
    t.EscalaAuto = true;
    t.RecalculaEscala();
    EXPECT_DOUBLE_EQ(t.topo(), 66);
    EXPECT_DOUBLE_EQ(t.base(), 0) << "the other 449 samples are 0";
    EXPECT_EQ(t.Ponto(T::CurvaPV, 449), 182);  // Nearest(2 * 60 * 100 / 66)
    EXPECT_EQ(t.Ponto(T::CurvaSP, 449), 91);

    EXPECT_TRUE(t.DefineFaixa(20, 70));
    EXPECT_EQ(t.Ponto(T::CurvaPV, 449), 160);
    EXPECT_FALSE(t.DefineFaixa(70, 70)) << "bottom must lie below top";
    EXPECT_DOUBLE_EQ(t.base(), 20);

    t.EscalaAuto = false;
    t.RecalculaEscala();
    EXPECT_DOUBLE_EQ(t.topo(), 100);
    EXPECT_EQ(t.Ponto(T::CurvaPV, 449), 120);
}

// A history of zeros has no height; the trend then shows the full span.
TEST(Tendencia, AutoScaleOfAnAllZeroHistory) {
    T t;
    t.EscalaAuto = true;
    t.RecalculaEscala();
    EXPECT_DOUBLE_EQ(t.base(), 0);
    EXPECT_DOUBLE_EQ(t.topo(), 100);
}

struct Contador : ObservadorTendencia {
    int amostras = 0;
    double mv = -1;
    void AoAmostrar(const TendenciaControlador&, double, double, double v) override {
        ++amostras;
        mv = v;
    }
};

TEST(Tendencia, ObserverHearsEachSampleWithTheLimitedOutput) {
    T t;
    Contador o;
    t.observador = &o;
    t.BaseTempoBox = 1;
    for (int i = 0; i < 6; ++i) t.Amostra(50, 50, 140, 0);
    EXPECT_EQ(o.amostras, 2);
    EXPECT_DOUBLE_EQ(o.mv, 100);
}

}  // namespace
}  // namespace kivo
