#include <gtest/gtest.h>

#include <vector>

#include "Auxiliares.h"
#include "fastsim/Progresso.h"
#include "fastsim/RegistroXY.h"

namespace kivo {
namespace {

using teste::Planta;

TEST(RegistroXYTest, OnePointPerStepAndPointsAccumulate) {
    Planta p;
    p.Malha(1, 50);
    double ciclos = 0;
    bool sempreRapido = true;
    p.EspiaoAposControladores([&] {
        p.sim.mem[50] = ++ciclos;
        sempreRapido = sempreRapido && p.sim.estado.modoRapido && p.sim.estado.T == 0.1;
    });
    std::vector<PontoXY> pontos;
    RegistraXY(p.sim, 600, 50, 1, pontos);
    ASSERT_EQ(pontos.size(), 6000u);
    RegistraXY(p.sim, 600, 50, 1, pontos);
    ASSERT_EQ(pontos.size(), 12000u);
    EXPECT_EQ(ciclos, 12000) << "two runs of 10 min advance the plant by 20 min";
    EXPECT_TRUE(sempreRapido);
    EXPECT_FALSE(p.sim.estado.modoRapido);
    for (std::size_t b = 0; b < pontos.size(); ++b) ASSERT_EQ(pontos[b].x, static_cast<double>(b + 1)) << "after step b";
    EXPECT_EQ(pontos.back().y, p.sim.mem[1]);
}

TEST(RegistroXYTest, ProgressBeforeEachStep) {
    struct Registro : ObservadorProgresso {
        std::vector<int> valores;
        void AoProgresso(int v) override { valores.push_back(v); }
    } obs;
    Planta p;
    std::vector<PontoXY> pontos;
    RegistraXY(p.sim, 1800, 21, 1, pontos, &obs);
    ASSERT_EQ(obs.valores.size(), 101u);
    EXPECT_EQ(obs.valores.front(), 0);
    EXPECT_EQ(obs.valores.back(), 100) << "Round(17999 * 100 / 18000)";
}

TEST(RegistroXYTest, PresetsFollowTheLoopsThatExist) {
    Planta p;
    p.Malha(3, 50);
    EXPECT_EQ(ItensPresetXY().size(), 21u);
    EXPECT_EQ(ItensPresetXY()[6], "COxMV [Malha 3]");
    const auto mv = PresetXY(p.sim, 6);
    ASSERT_TRUE(mv);
    EXPECT_EQ(*mv, (std::pair{3, 103}));
    const auto pv = PresetXY(p.sim, 5);
    ASSERT_TRUE(pv);
    EXPECT_EQ(*pv, (std::pair{3, 23}));
    EXPECT_FALSE(PresetXY(p.sim, 2)) << "controller 1 does not exist";
    EXPECT_FALSE(PresetXY(p.sim, 0)) << "Seleção Individual";
}

}  // namespace
}  // namespace kivo
