#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "Coleta.h"
#include "objects/Controller.h"

namespace kivo {
namespace {

using teste::Coleta;

// Controller 1 reading its PV from M21, configured as a plain P+I
// controller of a direct process in parallel structure, without derivative.
class ControladorTest : public ::testing::Test {
protected:
    void SetUp() override { Novo(); }
    void Novo() {
        sim.estado.T = 0.1;
        c = std::make_unique<TControlador>(sim, 1);
        c->mensagens = msgs.saida();
        c->VariavelSelect = 20;  // M21
        c->EstruturaGroup = 0;
        c->DCHK = false;
        Aplica();
    }
    bool Aplica() {
        msgs.lista.clear();
        return c->ValidaParametros(true);
    }
    double Passo(double pv) {
        sim.mem[21] = pv;
        c->CalculaCiclo();
        return sim.mem[1];
    }

    Simulacao sim;
    std::unique_ptr<TControlador> c;
    Coleta msgs;
};

TEST_F(ControladorTest, ProportionalOnlyGivesBiasPlusGainTimesError) {
    c->KpText = "2";
    c->KiText = "0";
    ASSERT_TRUE(Aplica());
    c->estado.modoAuto = true;
    c->estado.SP = 50;
    EXPECT_DOUBLE_EQ(Passo(40), 70);
    EXPECT_DOUBLE_EQ(Passo(40), 70) << "no integration with Ti = 0";
    c->Acaogroup = 0;  // reverse process
    ASSERT_TRUE(Aplica());
    EXPECT_DOUBLE_EQ(Passo(40), 30);
}

TEST_F(ControladorTest, WritesOutputAndClampedMirrors) {
    c->estado.SP = 120;
    c->estado.MV = 33;
    Passo(-5);
    EXPECT_DOUBLE_EQ(sim.mem[1], 33) << "manual: the operator's output";
    EXPECT_DOUBLE_EQ(sim.mem[61], 100);
    EXPECT_DOUBLE_EQ(sim.mem[101], 0);
}

TEST_F(ControladorTest, ErrorUsesTheUnclampedPV) {
    c->estado.SP = 50;
    Passo(120);
    EXPECT_DOUBLE_EQ(c->estado.e, -70);
    EXPECT_DOUBLE_EQ(c->estado.PV, 100);
}

TEST_F(ControladorTest, AntiWindupLandsExactlyOnTheLimitAndLeavesWithoutUnwinding) {
    const struct {
        const char *comin, *comax;
        double pv, limite;
    } casos[] = {{"0", "87,3", 0, 87.3}, {"12.7", "100", 100, 12.7}, {"-3.3", "101.1", 0, 101.1}};
    for (const auto& k : casos) {
        Novo();
        c->KiText = "0.3";
        c->COminText = k.comin;
        c->COmaxText = k.comax;
        ASSERT_TRUE(Aplica());
        c->estado.modoAuto = true;
        c->estado.SP = 50;
        for (int i = 0; i < 500; ++i) ASSERT_EQ(Passo(k.pv), k.limite) << k.comax << " cycle " << i;
        // The integral was held back, so the first cycle with a small error
        // of the other sign leaves the limit: only the changes of P and of
        // the integral move the output away from it.
        const double pvNovo = k.pv < 50 ? 51 : 49;
        const double pAntes = 50 - k.pv;
        const double pNovo = 50 - pvNovo;
        EXPECT_NEAR(Passo(pvNovo), k.limite + (pNovo - pAntes) + pNovo * 0.1 / 0.3, 1e-9) << k.comax;
    }
}

TEST_F(ControladorTest, IntegralFreezeFromTheSlaveFeedback) {
    const struct {
        double realimentacao;
        bool congela;
    } casos[] = {{100, true}, {0, true}, {99.9, true}, {0.1, true}, {50, false}, {99.8, false}};
    for (const auto& k : casos) {
        Novo();
        c->BackMVCheck = true;
        c->BackMV = 29;  // M30
        sim.mem[30] = k.realimentacao;
        c->estado.modoAuto = true;
        c->estado.SP = 50;
        Passo(50);
        const double antes = c->estado.Iant;
        Passo(40);
        EXPECT_EQ(c->estado.Iant == antes, k.congela) << k.realimentacao;
    }
    Novo();
    c->BackMVCheck = false;  // read every cycle
    sim.mem[30] = 100;
    c->estado.modoAuto = true;
    c->estado.SP = 50;
    Passo(40);
    EXPECT_NEAR(c->estado.Iant, 0.1, 1e-12) << "unchecked: integrates whatever the feedback";
}

TEST_F(ControladorTest, IsaWithProportionalDisabledNoLongerScalesByKc) {
    const struct {
        int estrutura;
        bool p;
        double incremento;
    } casos[] = {{1, true, 4 * 10 * 0.1 / 10}, {1, false, 10 * 0.1 / 10}, {0, true, 10 * 0.1 / 10}};
    for (const auto& k : casos) {
        Novo();
        c->KpText = "4";
        c->EstruturaGroup = k.estrutura;
        c->PCHK = k.p;
        ASSERT_TRUE(Aplica());
        c->estado.modoAuto = true;
        c->estado.SP = 50;
        c->estado.MV = 50;
        Passo(40);
        const double i1 = c->estado.Iant;
        Passo(40);
        EXPECT_NEAR(c->estado.Iant - i1, k.incremento, 1e-12) << k.estrutura << k.p;
    }
}

TEST_F(ControladorTest, SetpointStepKicks) {
    struct Caso {
        const char* nome;
        const char* a;
        bool derivada;
        int derivadaGrupo;
        double salto;  // MV change on the step cycle beyond the integral
    };
    // Kc 2, Ti 10, Td 2, T 0.1; SP 50 -> 60 with PV steady at 50.
    const Caso casos[] = {
        {"a = 0, no derivative", "0", false, 1, 0},
        {"a = 1: proportional kick", "1", false, 1, 20},
        {"derivative on PV: no kick", "0", true, 1, 0},
        {"derivative on error: one-cycle spike of 200, limited", "0", true, 0, 100},
    };
    for (const auto& k : casos) {
        Novo();
        c->KpText = "2";
        c->KdText = "2";
        c->aText = k.a;
        c->DCHK = k.derivada;
        c->DerivadaGroup = k.derivadaGrupo;
        c->COminText = "-300";
        c->COmaxText = "300";
        ASSERT_TRUE(Aplica()) << k.nome;
        c->estado.SP = 50;
        c->estado.MV = 50;
        for (int i = 0; i < 3; ++i) Passo(50);  // manual: the filter settles, the integral tracks
        c->estado.modoAuto = true;
        ASSERT_DOUBLE_EQ(Passo(50), 50) << k.nome;
        c->estado.SP = 60;
        const double integral = 10 * 0.1 / 10;
        EXPECT_NEAR(Passo(50) - 50, integral + k.salto, 1e-9) << k.nome;
        EXPECT_NEAR(Passo(50) - 50, 2 * integral + (k.a[0] == '1' ? 20 : 0), 1e-9) << k.nome << ", next cycle";
    }
}

TEST_F(ControladorTest, ManualToAutoIsBumpless) {
    c->estado.MV = 37;
    c->estado.SP = 50;
    for (int i = 0; i < 5; ++i) Passo(50);
    c->estado.modoAuto = true;
    EXPECT_DOUBLE_EQ(Passo(50), 37);
    EXPECT_DOUBLE_EQ(Passo(50), 37);
}

TEST_F(ControladorTest, RemoteSetpointFollowsSprAndApplyForcesLocalWithoutIt) {
    c->CheckSPR = true;
    c->SPRSelect = 84;  // M85
    ASSERT_TRUE(Aplica());
    c->estado.modoLocal = false;
    sim.mem[85] = 130;
    Passo(50);
    EXPECT_DOUBLE_EQ(c->estado.SP, 100) << "copied, then clamped";
    EXPECT_DOUBLE_EQ(c->estado.e, 80) << "the error sees the unclamped copy";
    c->CheckSPR = false;
    Passo(50);
    EXPECT_DOUBLE_EQ(c->estado.SP, 0) << "remote with the box unchecked reads SPR as 0";
    ASSERT_TRUE(Aplica());
    EXPECT_TRUE(c->estado.modoLocal);
}

TEST_F(ControladorTest, FeedForwardIsADynamicBiasReadEveryCycle) {
    c->KiText = "0";
    c->KpText = "0";
    c->FFwSelect = true;
    c->FFwEquation = "M85*2";
    ASSERT_TRUE(Aplica());
    c->estado.modoAuto = true;
    sim.mem[85] = 10;
    EXPECT_DOUBLE_EQ(Passo(50), 20);
    sim.mem[85] = 15;
    EXPECT_DOUBLE_EQ(Passo(50), 30);
    c->FFwEquation = "7";
    EXPECT_DOUBLE_EQ(Passo(50), 7);
    c->FFwEquation = "ln(2)";
    EXPECT_DOUBLE_EQ(Passo(50), 0) << "a failing expression yields the evaluator's 0";
    c->FFwEquation = std::string(kMaxNiveisExpressao + 1, '(') + "7";
    EXPECT_DOUBLE_EQ(Passo(50), 0) << "so does one beyond the evaluator's limits";
    EXPECT_FALSE(Aplica());
    EXPECT_EQ(msgs.lista,
              std::vector<std::string>{"Controlador 1: Equação do FF inválida (mais de 200 níveis de parênteses)"});
    c->FFwEquation = std::string(kMaxCaracteresExpressao + 1, '7');
    EXPECT_FALSE(Aplica());
    EXPECT_EQ(msgs.lista,
              std::vector<std::string>{"Controlador 1: Equação do FF inválida (mais de 4096 caracteres)"});
}

TEST_F(ControladorTest, ApplyWritesDescriptionsScaleAndDecimals) {
    const struct {
        const char *min, *max;
        int casas;
    } casos[] = {{"0", "0.5", 4}, {"0", "5", 3}, {"20", "70", 2}, {"0.0", "150", 1}, {"-500", "1500", 0}};
    for (const auto& k : casos) {
        sim.mem.setUeMin(21, k.min);
        sim.mem.setUeMax(21, k.max);
        sim.mem.setUnidade(21, "m³/h");
        c->TagText = "FIC-101";
        ASSERT_TRUE(Aplica());
        EXPECT_EQ(c->InicioEscala, k.min);
        EXPECT_EQ(c->FimEscala, k.max);
        EXPECT_EQ(c->UnidEng, "m³/h");
        EXPECT_EQ(c->casasDecimais(), k.casas) << k.max;
    }
    EXPECT_EQ(sim.mem.entrada(1).descricao, " MV FIC-101");
    EXPECT_EQ(sim.mem.entrada(61).descricao, " SP FIC-101");
}

TEST_F(ControladorTest, EveryInvalidFieldReportedInOrderAndConvertedValuesKept) {
    const std::string pre = "Controlador 1";
    c->KpText = c->KiText = c->KdText = c->aText = c->tfText = c->BiasText = c->COminText = c->COmaxText = "2 x";
    c->FFwSelect = true;
    c->FFwEquation = "sqrt(2)";
    sim.mem.setUeMin(21, "a");
    sim.mem.setUeMax(21, "");
    c->Acaogroup = 0;
    EXPECT_FALSE(Aplica());
    const std::vector<std::string> esperado = {
        pre + ": Kp inválido",    pre + ": Ti inválido",    pre + ": Td inválido",
        pre + ": Fator a inválido", pre + ": Talf inválido", pre + ": Bias inválido",
        pre + ": COmin inválido", pre + ": COmax inválido", pre + ": Equação do FF inválida",
        pre + ": Inicio Escala inválido", pre + ": Final Escala inválido"};
    EXPECT_EQ(msgs.lista, esperado);
    EXPECT_DOUBLE_EQ(c->Kc(), 2) << "converted before the check";
    EXPECT_FALSE(c->reverso()) << "modes wait for a valid apply";
    EXPECT_EQ(sim.mem.entrada(1).descricao, " MV PID1") << "from the valid apply of SetUp";
}

TEST_F(ControladorTest, TagAndPvErrorsStopTheApply) {
    c->KpText = "x";
    c->VariavelSelect = -1;
    c->TagText = "";
    Aplica();
    EXPECT_EQ(msgs.lista, std::vector<std::string>{"Controlador 1: TAG não informado"});
    c->TagText = "T";
    Aplica();
    EXPECT_EQ(msgs.lista, std::vector<std::string>{"Controlador 1: Variável de processo (PV) não informada"});
    EXPECT_DOUBLE_EQ(c->Kc(), 1) << "nothing else is read";
}

// Limits typed the wrong way round would make the output jump between them:
// the apply refuses them and the step keeps the output between the two.
TEST_F(ControladorTest, OutputLimitsTypedTheWrongWayRound) {
    c->COminText = "80";
    c->COmaxText = "20";
    EXPECT_FALSE(Aplica());
    EXPECT_EQ(msgs.lista, std::vector<std::string>{"Controlador 1: COmin maior que COmax"});
    c->estado.modoAuto = true;
    c->estado.SP = 50;
    c->estado.MV = 50;
    c->estado.Iant = 0;
    for (int i = 0; i < 5; ++i) {
        const double mv = Passo(50);
        EXPECT_DOUBLE_EQ(mv, 50) << "within 20..80 nothing limits";
    }
    EXPECT_DOUBLE_EQ(Passo(0), 80);
}

TEST_F(ControladorTest, FilterTimeMinusTHoldsInsteadOfNaN) {
    c->DCHK = true;
    c->KdText = "1";
    c->tfText = "-0,1";
    ASSERT_TRUE(Aplica());
    c->estado.modoAuto = true;
    for (int i = 0; i < 10; ++i) EXPECT_TRUE(std::isfinite(Passo(40 + i))) << i;
}

TEST_F(ControladorTest, TrendSamplesEveryStepWithTheActuatorOfItsProcess) {
    sim.posicaoAtuador[21] = 42.2;
    c->estado.MV = 130;
    c->estado.SP = 25;
    Passo(50);
    const TendenciaControlador& t = c->tendencia;
    EXPECT_EQ(t.posicao(), 1);
    EXPECT_EQ(t.Ponto(TendenciaControlador::CurvaPV, 449), 100);
    EXPECT_EQ(t.Ponto(TendenciaControlador::CurvaSP, 449), 50);
    EXPECT_EQ(t.Ponto(TendenciaControlador::CurvaCO, 449), 200);
    EXPECT_EQ(t.Ponto(TendenciaControlador::CurvaAtuador, 449), 84);
}

}  // namespace
}  // namespace kivo
