#include "core/Ciclo.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace kivo {
namespace {

// Records the order in which the pass reaches the objects.
struct Registro {
    std::vector<std::string> passos;
};

class Marcador : public ObjetoCiclo {
public:
    Marcador(Registro& r, std::string nome) : r_(r), nome_(std::move(nome)) {}
    void CalculaCiclo() override { r_.passos.push_back(nome_); }

private:
    Registro& r_;
    std::string nome_;
};

// A kind that steps its runs itself: records each run it is handed, then
// steps it one by one.
class Lote : public Marcador {
public:
    Lote(Registro& r, std::string nome) : Marcador(r, std::move(nome)), r_(r) {}
    void CalculaCiclos(ObjetoCiclo* const* objetos, int n) override {
        r_.passos.push_back("run of " + std::to_string(n));
        ObjetoCiclo::CalculaCiclos(objetos, n);
    }

private:
    Registro& r_;
};

class Contador : public ObservadorCiclo {
public:
    int refreshes = 0;
    double ultimoCiclo = -1;
    void AoAtualizarDisplay() override { ++refreshes; }
    void AoMedirCiclo(double ms) override { ultimoCiclo = ms; }
};

TEST(Ciclo, PassOrder) {
    Simulacao sim;
    Registro r;
    Marcador gen(r, "gen"), lin(r, "lin");
    sim.geradores = &gen;
    sim.linearizador = &lin;
    sim.linearizadorAtivo = true;
    sim.controladores.Cria(2, std::make_unique<Marcador>(r, "c2"));
    sim.controladores.Cria(1, std::make_unique<Marcador>(r, "c1"));
    sim.processos.Cria(3, std::make_unique<Marcador>(r, "p3"));
    sim.processos.Cria(2, std::make_unique<Marcador>(r, "p2"));
    sim.processos.Cria(1, std::make_unique<Marcador>(r, "p1"));
    sim.blocos.Cria(24, std::make_unique<Marcador>(r, "b24"));
    sim.registradores.Cria(1, std::make_unique<Marcador>(r, "r1"));
    sim.processos.Apaga(2);
    sim.Tick(1000);
    const std::vector<std::string> expected = {"gen", "p1", "p3", "b24", "c1", "c2", "lin", "r1"};
    EXPECT_EQ(r.passos, expected);
    EXPECT_FALSE(sim.processos.ativo(2));
    EXPECT_EQ(sim.processos.objeto(2), nullptr);
}

// A run handed to one object's CalculaCiclos holds only objects of that
// object's type, in slot order, across empty and inactive slots; it follows
// creations and deletions.
TEST(Ciclo, PoolsHandRunsOfOneTypeInSlotOrder) {
    Simulacao sim;
    Registro r;
    sim.blocos.Cria(1, std::make_unique<Lote>(r, "a"));
    sim.blocos.Cria(3, std::make_unique<Lote>(r, "b"));
    sim.blocos.Cria(4, std::make_unique<Marcador>(r, "c"));
    sim.blocos.Cria(5, std::make_unique<Lote>(r, "d"));
    sim.blocos.Cria(7, std::make_unique<Lote>(r, "e"));
    sim.PassoModelos();
    EXPECT_EQ(r.passos, (std::vector<std::string>{"run of 2", "a", "b", "c", "run of 2", "d", "e"}));

    r.passos.clear();
    sim.blocos.Apaga(4);
    sim.PassoModelos();
    EXPECT_EQ(r.passos, (std::vector<std::string>{"run of 4", "a", "b", "d", "e"}));

    r.passos.clear();
    sim.blocos.Cria(6, std::make_unique<Marcador>(r, "f"));
    sim.blocos.Apaga(1);
    sim.PassoModelos();
    EXPECT_EQ(r.passos, (std::vector<std::string>{"run of 2", "b", "d", "f", "run of 1", "e"}));
}

TEST(Ciclo, EmptyPlantStillStepsTheGeneratorsAndMeasures) {
    Simulacao sim;
    Registro r;
    Marcador gen(r, "gen");
    sim.geradores = &gen;
    Contador obs;
    sim.AdicionaObservador(&obs);
    sim.Tick(5000);
    sim.Tick(5100);
    EXPECT_EQ(r.passos.size(), 2u);
    EXPECT_DOUBLE_EQ(obs.ultimoCiclo, 100);
    EXPECT_DOUBLE_EQ(sim.estado.T, 0.1);
}

TEST(Ciclo, DisplaysRefreshOnEverySixthTick) {
    Simulacao sim;
    Registro r;
    sim.textos.Cria(1, std::make_unique<Marcador>(r, "t1"));
    Contador obs;
    sim.AdicionaObservador(&obs);
    std::vector<int> refreshedAt;
    for (int tick = 1; tick <= 13; ++tick) {
        const int before = obs.refreshes;
        sim.Tick(tick * 100.0);
        if (obs.refreshes != before) refreshedAt.push_back(tick);
    }
    EXPECT_EQ(refreshedAt, (std::vector<int>{6, 12}));
    EXPECT_EQ(r.passos.size(), 2u);
    sim.RemoveObservador(&obs);
    for (int tick = 0; tick < 6; ++tick) sim.Tick(0);
    EXPECT_EQ(obs.refreshes, 2);
}

TEST(Ciclo, RunWithoutDisplaySetsTheFlagAndTheNextTickResetsT) {
    Simulacao sim;
    Registro r;
    sim.controladores.Cria(1, std::make_unique<Marcador>(r, "c1"));
    sim.registradores.Cria(1, std::make_unique<Marcador>(r, "r1"));
    sim.textos.Cria(1, std::make_unique<Marcador>(r, "t1"));
    bool fastDuringRun = false;
    int hooks = 0;
    sim.ExecutaSemDisplay(
        100, 0.5, [&](long long) { ++hooks; r.passos.push_back("test"); },
        [&](long long) {
            fastDuringRun = sim.estado.modoRapido;
            return true;
        });
    EXPECT_TRUE(fastDuringRun);
    EXPECT_FALSE(sim.estado.modoRapido);
    EXPECT_EQ(hooks, 100);
    EXPECT_EQ(r.passos.size(), 200u);  // no recorder, no animated text
    EXPECT_EQ(r.passos[0], "test");
    EXPECT_EQ(r.passos[1], "c1");
    EXPECT_DOUBLE_EQ(sim.estado.T, 0.5);
    sim.Tick(0);
    EXPECT_DOUBLE_EQ(sim.estado.T, 0.1);
}

TEST(Ciclo, PauseToggles) {
    Simulacao sim;
    EXPECT_TRUE(sim.Pausa());
    EXPECT_FALSE(sim.Pausa());
}

TEST(Ciclo, RandomGeneratorSequence) {
    GeradorAleatorio g;
    g.Semeia(0);
    EXPECT_EQ(g.Proximo(10000), 0u);  // seed 1
    EXPECT_EQ(g.Semente(), 1u);
    EXPECT_EQ(g.Proximo(0x80000000u), (134775813u + 1u) >> 1);
    g.Semeia(0xFFFFFFFFu);
    const std::uint32_t s = 0xFFFFFFFFu * 134775813u + 1u;
    EXPECT_EQ(g.Proximo(10000), static_cast<std::uint32_t>((static_cast<std::uint64_t>(s) * 10000) >> 32));
}

}  // namespace
}  // namespace kivo
