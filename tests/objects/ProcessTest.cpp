#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <memory>
#include <vector>

#include "Coleta.h"
#include "core/Registro.h"
#include "objects/Process.h"

namespace kivo {
namespace {

using teste::Coleta;

class ProcessoTest : public ::testing::Test {
protected:
    void SetUp() override { Novo(); }
    // A fresh process with every non-linearity off and no lag: the output
    // is the input.
    void Novo() {
        sim.estado.T = 0.1;
        pp = std::make_unique<TProcesso>(sim, 1);
        pp->mensagens = msgs.saida();
        pp->LText = "0";
        msgs.lista.clear();
        ASSERT_TRUE(pp->ValidaParametros(true));
    }
    double Passo(double x) {
        sim.mem[1] = x;
        pp->CalculaCiclo();
        return sim.mem[21];
    }
    void Aplica() {
        msgs.lista.clear();
        pp->ValidaParametros(true);
    }

    Simulacao sim;
    std::unique_ptr<TProcesso> pp;
    Coleta msgs;
};

TEST_F(ProcessoTest, OutputEqualsInputClampedWithEveryNonLinearityOff) {
    const struct {
        double x, y;
    } casos[] = {{37.5, 37.5}, {0, 0}, {100, 100}, {-10, 0}, {99.99, 99.99}, {150, 100}};
    for (const auto& c : casos) EXPECT_DOUBLE_EQ(Passo(c.x), c.y) << c.x;
    EXPECT_DOUBLE_EQ(sim.posicaoAtuador[21], 150) << "the actuator position is not clamped";
}

TEST_F(ProcessoTest, OutputAddressesAndMessageNumbersFollowTheSlot) {
    const struct {
        int slot, endereco;
    } casos[] = {{1, 21}, {20, 40}, {21, 71}, {24, 74}};
    for (const auto& c : casos) {
        TProcesso q(sim, c.slot);
        Coleta m;
        q.mensagens = m.saida();
        q.LText = "0";
        q.DescricaoText = "Vazão";
        ASSERT_TRUE(q.ValidaParametros(true));
        EXPECT_EQ(q.numero(), c.endereco);
        EXPECT_EQ(sim.mem.entrada(c.endereco).descricao, "Vazão");
        sim.mem[1] = 42;
        q.CalculaCiclo();
        EXPECT_DOUBLE_EQ(sim.mem[c.endereco], 42);
        EXPECT_DOUBLE_EQ(sim.posicaoAtuador[static_cast<std::size_t>(c.endereco)], 42);
        q.GanhoText = "x";
        q.ValidaParametros(true);
        ASSERT_EQ(m.lista.size(), 1u);
        EXPECT_EQ(m.lista[0], "Processo " + std::to_string(c.endereco) + ": Ganho inválido");
    }
}

TEST_F(ProcessoTest, BacklashRampReversalAndRise) {
    pp->Histerese = "2";
    Aplica();
    const struct {
        double x, y;
    } passos[] = {
        {50, 48}, {51, 49}, {52, 50}, {53, 51},        // rising: 2 below the input
        {52, 51}, {51, 51},                            // reversal: holds
        {50.5, 50.5}, {50, 50}, {49, 49},              // below the held value: follows
        {50, 49}, {51, 49}, {52, 50},                  // rising again: holds until 2 above
    };
    for (const auto& s : passos) EXPECT_DOUBLE_EQ(Passo(s.x), s.y) << "input " << s.x;
}

TEST_F(ProcessoTest, StictionSticksAfterFiveStillCyclesAndMovesOneCycleLate) {
    pp->valveStext = "5";
    Aplica();
    // A valve at rest at 50 with its filter settled.
    auto& e = pp->estado;
    e.h = e.s = e.f = e.fr = e.x5old = 50;
    for (int i = 1; i <= 4; ++i) {
        Passo(50);
        EXPECT_FALSE(e.agarrado) << i;
    }
    Passo(50);
    EXPECT_TRUE(e.agarrado);
    EXPECT_DOUBLE_EQ(Passo(54.9), 50) << "a move below the band stays stuck";
    EXPECT_DOUBLE_EQ(Passo(55), 50) << "the cycle that frees the valve still shows the stuck position";
    EXPECT_FALSE(e.agarrado);
    EXPECT_DOUBLE_EQ(Passo(55), 55);
}

TEST_F(ProcessoTest, StictionBandZeroNeverSticks) {
    for (int i = 0; i < 50; ++i) Passo(50);
    EXPECT_FALSE(pp->estado.agarrado);
}

TEST_F(ProcessoTest, RateLimiterReachesTheStepAfterFiftyCycles) {
    for (const char* rate : {"10", "-10", "5*2"}) {
        Novo();
        pp->ratetext = rate;  // read every cycle, no apply needed
        for (int i = 1; i <= 49; ++i) EXPECT_NEAR(Passo(50), i, 1e-9) << rate << " cycle " << i;
        EXPECT_DOUBLE_EQ(Passo(50), 50) << rate;
    }
}

TEST_F(ProcessoTest, DeadTimeDelaysByWholeCycles) {
    const struct {
        const char* texto;
        int atraso;
    } casos[] = {{"0", 0}, {"2", 20}, {"2,05", 20}, {"0.3", 3}};
    for (const auto& c : casos) {
        pp->estado = EstadoProcesso{};
        pp->TempoMorto = c.texto;
        Aplica();
        ASSERT_TRUE(msgs.lista.empty()) << c.texto;
        int primeiro = -1;
        for (int i = 0; i < 40 && primeiro < 0; ++i)
            if (Passo(50) == 50) primeiro = i;
        EXPECT_EQ(primeiro, c.atraso) << c.texto;
    }
}

TEST_F(ProcessoTest, ValveCurvesAtZeroFiftyAndHundred) {
    const struct {
        int curva;
        double v0, v50, v100;
    } casos[] = {
        {0, 0, 50, 100},
        {1, -2.8065, 77.10496275165872, 99.99998015412334},
        {2, -0.22675884000000088, 22.09368701913899, 99.99969803099309},
        {3, 4.5225854439898935e-05, 50.001565295169954, 100.00308536448546},
        {4, 0.9709662154539913, 50.0, 99.02903378454602},
    };
    for (const auto& c : casos) {
        pp->ComboBox1 = c.curva;
        Aplica();
        const double entradas[] = {0, 50, 100};
        const double esperados[] = {c.v0, c.v50, c.v100};
        for (int i = 0; i < 3; ++i) {
            Passo(entradas[i]);
            EXPECT_NEAR(sim.posicaoAtuador[21], esperados[i], 1e-9) << "curve " << c.curva << " at " << entradas[i];
        }
    }
}

TEST_F(ProcessoTest, ActuatorLagFiltersTheCurveOutput) {
    pp->tal = "1";
    Aplica();
    Passo(100);
    EXPECT_NEAR(sim.posicaoAtuador[21], 100 * 0.1 / 1.1, 1e-12);
}

TEST_F(ProcessoTest, TransferFunctionsAgainstHandComputedValues) {
    const struct {
        int tipo;
        const char *a, *b;  // tau1/tau2, N/P or LEAD/LAG
        double entrada;
        double y[3];
    } casos[] = {
        {0, "1", "2", 100, {0.22675736961451246, 0.8746355685131194, 1.8824461001331745}},
        {0, "1", "0", 100, {4.761904761904762, 13.83219954648526, 22.03865673253428}},
        {1, "1", "10", 100, {0.36574162921325487, 1.069001191824885, 2.08239530003423}},
        {2, "2", "1", 10, {19.09090909090909, 18.264462809917354, 17.513148009015772}},
        {3, "", "", 50, {5, 10, 15}},
    };
    for (const auto& c : casos) {
        pp->estado = EstadoProcesso{};
        pp->ComboBox2 = c.tipo;
        if (c.tipo == 0) pp->LText = c.a, pp->Ctext = c.b;
        if (c.tipo == 1) pp->NCText = c.a, pp->PeriodoText = c.b;
        if (c.tipo == 2) pp->LEAD = c.a, pp->LAG = c.b;
        Aplica();
        ASSERT_TRUE(msgs.lista.empty()) << c.tipo;
        for (double y : c.y) EXPECT_NEAR(Passo(c.entrada), y, 1e-9) << "type " << c.tipo;
    }
}

// The full-precision series of the underdamped type must be the
// discretisation as written: w^2 T^2 and 2 zeta w T formed from the left.
// Forming wT first gives other last bits with these parameters.
TEST_F(ProcessoTest, UnderdampedSeriesIsTheDiscretisationAsWritten) {
    pp->ComboBox2 = 1;
    pp->NCText = "1.5";
    pp->PeriodoText = "7.3";
    Aplica();
    ASSERT_TRUE(msgs.lista.empty());
    const double T = 0.1;
    const double w = 6.283 / 7.3;
    const double zeta = 0.6 / 1.5;
    double y1 = 0, y2 = 0;
    for (int k = 0; k < 600; ++k) {
        const double w2T2 = w * w * (T * T);
        const double den = w2T2 + 2 * zeta * w * T + 1;
        const double y = std::clamp(((2 * zeta * w * T + 2) * y1 - y2 + w2T2 * 50) / den, 0.0, 100.0);
        y2 = y1;
        y1 = y;
        ASSERT_EQ(Passo(50), y) << "cycle " << k;
    }
}

TEST_F(ProcessoTest, GainActsAfterTheClampExceptInTheIntegrator) {
    pp->GanhoText = "2";
    pp->LText = "1";
    Aplica();
    double y = 0;
    for (int i = 0; i < 600; ++i) y = Passo(80);
    EXPECT_NEAR(y, 160, 1e-6);

    pp->estado = EstadoProcesso{};
    pp->ComboBox2 = 3;
    Aplica();
    double maximo = 0;
    for (int i = 0; i < 200; ++i) maximo = std::max(maximo, Passo(80));
    EXPECT_DOUBLE_EQ(maximo, 100);
    EXPECT_DOUBLE_EQ(pp->estado.Y1old, 100);
}

TEST_F(ProcessoTest, DisabledSaturatorLetsTheStateLeaveTheRange) {
    pp->ComboBox2 = 3;
    pp->CheckBox1 = true;
    Aplica();
    for (int i = 0; i < 30; ++i) Passo(100);
    EXPECT_NEAR(pp->estado.Y1old, 300, 1e-9);
    pp->CheckBox1 = false;  // read every cycle
    EXPECT_DOUBLE_EQ(Passo(100), 100);
}

TEST_F(ProcessoTest, GainAndDeadTimeTakeEffectAtApplyAndFollowTheirVariables) {
    pp->GanhoText = "M50";
    Aplica();
    sim.mem[50] = 2;
    EXPECT_DOUBLE_EQ(Passo(10), 20);
    sim.mem[50] = 3;
    EXPECT_DOUBLE_EQ(Passo(10), 30) << "the stored text is re-evaluated every cycle";
    pp->GanhoText = "5";
    EXPECT_DOUBLE_EQ(Passo(10), 30) << "an edit waits for the apply";
    Aplica();
    EXPECT_DOUBLE_EQ(Passo(10), 50);
}

TEST_F(ProcessoTest, TimeConstantsAreReadEveryCycleWithoutApply) {
    pp->LText = "1";
    EXPECT_NEAR(Passo(100), 4.761904761904762, 1e-12);
}

TEST_F(ProcessoTest, IntegratorInitialValueOnlyWhenEdited) {
    pp->ComboBox2 = 3;
    pp->ValorInicialText = "30,5";
    Aplica();
    EXPECT_DOUBLE_EQ(pp->estado.Y1old, 0) << "not edited since the last apply";
    pp->valorInicialPendente = true;
    Aplica();
    EXPECT_DOUBLE_EQ(pp->estado.Y1old, 30.5);
    EXPECT_FALSE(pp->valorInicialPendente);
    EXPECT_DOUBLE_EQ(Passo(0), 30.5);
}

TEST_F(ProcessoTest, EveryInvalidFieldReportedInOrder) {
    const std::string pre = "Processo 21";
    struct Caso {
        int tipo;
        std::vector<std::string> esperado;
    };
    const Caso casos[] = {
        {0, {pre + ": Ganho inválido", pre + ": Tempo Morto inválido", pre + ": Tal1 inválido", pre + ": Tal2 inválido",
             pre + ": Histerese inválida", pre + ": Rate inválido", pre + ": Agarramento inválido",
             pre + ": Constante de tempo inválido"}},
        {1, {pre + ": Ganho inválido", pre + ": Tempo Morto inválido", pre + ": NCn inválido", pre + ": Periodo inválido",
             pre + ": Histerese inválida", pre + ": Rate inválido", pre + ": Agarramento inválido",
             pre + ": Constante de tempo inválido"}},
        {2, {pre + ": Ganho inválido", pre + ": Tempo Morto inválido", pre + ": LAG inválido", pre + ": LEAD inválido",
             pre + ": Histerese inválida", pre + ": Rate inválido", pre + ": Agarramento inválido",
             pre + ": Constante de tempo inválido"}},
    };
    for (const auto& c : casos) {
        pp->ComboBox2 = c.tipo;
        pp->GanhoText = pp->TempoMorto = pp->LText = pp->Ctext = pp->LEAD = pp->LAG = pp->ratetext = "ln(2)";
        pp->NCText = pp->PeriodoText = pp->Histerese = pp->valveStext = pp->tal = "2 3";
        pp->DescricaoText = "nova";
        sim.mem.setDescricao(21, "antiga");
        msgs.lista.clear();
        EXPECT_FALSE(pp->ValidaParametros(true));
        EXPECT_EQ(msgs.lista, c.esperado) << "type " << c.tipo;
        EXPECT_EQ(sim.mem.entrada(21).descricao, "antiga") << "the description waits for a valid apply";
    }
    msgs.lista.clear();
    EXPECT_FALSE(pp->ValidaParametros(false));
    EXPECT_TRUE(msgs.lista.empty());
}

TEST_F(ProcessoTest, SingleFieldErrors) {
    const struct {
        std::string TProcesso::*campo;
        const char* texto;
        const char* mensagem;
    } casos[] = {
        {&TProcesso::TempoMorto, "-1", ": Tempo Morto inválido"},
        {&TProcesso::TempoMorto, "M05-1", ": Tempo Morto inválido"},
        {&TProcesso::Histerese, "", ": Histerese inválida"},
        {&TProcesso::Histerese, "2x", ": Histerese inválida"},
        {&TProcesso::tal, "abc", ": Constante de tempo inválido"},
    };
    for (const auto& c : casos) {
        Novo();
        (*pp).*c.campo = c.texto;
        Aplica();
        ASSERT_EQ(msgs.lista.size(), 1u) << c.texto;
        EXPECT_EQ(msgs.lista[0], std::string("Processo 21") + c.mensagem);
    }
    Novo();
    pp->Histerese = " 2,5 ";
    Aplica();
    EXPECT_TRUE(msgs.lista.empty());
    EXPECT_DOUBLE_EQ(pp->H(), 2.5);
}

// A text beyond the evaluator's limits is refused at apply with the limit
// named, and the step then takes it as an invalid formula (value 0).
TEST_F(ProcessoTest, ExpressionsBeyondTheLimitsAreRefusedAndEvaluateToZero) {
    std::string longo = "M21";
    while (longo.size() <= kMaxCaracteresExpressao) longo += "+M21";
    const std::string fundo = std::string(kMaxNiveisExpressao + 1, '(') + "1";
    const std::string comprimento = " (mais de 4096 caracteres)";
    const std::string niveis = " (mais de 200 níveis de parênteses)";
    const struct {
        int tipo;
        std::string TProcesso::*campo;
        const std::string& texto;
        std::string mensagem;
    } casos[] = {
        {0, &TProcesso::GanhoText, longo, ": Ganho inválido" + comprimento},
        {0, &TProcesso::GanhoText, fundo, ": Ganho inválido" + niveis},
        {0, &TProcesso::TempoMorto, longo, ": Tempo Morto inválido" + comprimento},
        {0, &TProcesso::LText, fundo, ": Tal1 inválido" + niveis},
        {0, &TProcesso::Ctext, longo, ": Tal2 inválido" + comprimento},
        {2, &TProcesso::LAG, fundo, ": LAG inválido" + niveis},
        {2, &TProcesso::LEAD, longo, ": LEAD inválido" + comprimento},
        {0, &TProcesso::ratetext, fundo, ": Rate inválido" + niveis},
    };
    for (const auto& c : casos) {
        Novo();
        pp->ComboBox2 = c.tipo;
        (*pp).*c.campo = c.texto;
        Aplica();
        EXPECT_EQ(msgs.lista, std::vector<std::string>{"Processo 21" + c.mensagem});
    }
    // A refused gain is 0 at every step, a refused time constant no lag.
    Novo();
    pp->GanhoText = longo;
    Aplica();
    EXPECT_EQ(Passo(40), 0);
    Novo();
    pp->LText = fundo;
    EXPECT_EQ(Passo(40), 40);
}

TEST_F(ProcessoTest, NoInputSelectedIsTheOnlyError) {
    pp->EntradaSelect = -1;
    pp->GanhoText = "x";
    pp->ComboBox2 = 3;
    Aplica();
    EXPECT_EQ(msgs.lista, std::vector<std::string>{"Processo 21: Variável de entrada não informada"});
    EXPECT_EQ(pp->tipo(), 0) << "nothing else is read";
    EXPECT_EQ(pp->enderecoEntrada(), 1);
}

TEST_F(ProcessoTest, ZeroCyclesIsRefusedButStoredSoTheStepIsCriticallyDamped) {
    pp->ComboBox2 = 1;
    pp->NCText = "0";
    Aplica();
    EXPECT_EQ(msgs.lista, std::vector<std::string>{"Processo 21: NCn inválido"});
    EXPECT_EQ(pp->tipo(), 1);
    EXPECT_DOUBLE_EQ(pp->N(), 0);
    EXPECT_NEAR(Passo(100), 0.34946727243136594, 1e-12);
}

// A zero period would make the natural frequency infinite: the apply refuses
// it, and the stored value makes the step follow the input.
TEST_F(ProcessoTest, ZeroPeriodIsRefusedAndTheStepFollowsTheInput) {
    for (const char* periodo : {"0", "-5"}) {
        pp->ComboBox2 = 1;
        pp->PeriodoText = periodo;
        Aplica();
        EXPECT_EQ(msgs.lista, std::vector<std::string>{"Processo 21: Periodo inválido"}) << periodo;
        EXPECT_DOUBLE_EQ(Passo(40), 40) << periodo;
        EXPECT_DOUBLE_EQ(Passo(60), 60) << periodo;
    }
}

// The buffer holds 10 000 samples: the apply refuses a dead time beyond
// 9 999 cycles at 0.1 s, and a live expression that goes beyond is bounded.
TEST_F(ProcessoTest, DeadTimeBeyondTheBuffer) {
    pp->TempoMorto = "999,9";
    Aplica();
    EXPECT_TRUE(msgs.lista.empty());
    pp->TempoMorto = "1000";
    Aplica();
    EXPECT_EQ(msgs.lista, std::vector<std::string>{"Processo 21: Tempo Morto inválido (máximo 999.9 seg)"});

    pp->TempoMorto = "M50";
    Aplica();
    sim.mem[50] = 5000;
    Passo(50);
    EXPECT_EQ(pp->estado.D, TProcesso::kMaxAtrasoCiclos);
    EXPECT_DOUBLE_EQ(sim.mem[21], 0) << "still delayed, not passed straight through";
    sim.mem[50] = -3;  // negative at run time: no delay rather than a read outside the buffer
    EXPECT_DOUBLE_EQ(Passo(50), 50);
    EXPECT_EQ(pp->estado.D, 0);
}

// A typed parameter that zeroes a denominator or overflows never turns the
// plant into NaN: the state concerned holds its last value.
TEST_F(ProcessoTest, NonFiniteResultsHoldTheLastValue) {
    struct Caso {
        const char* nome;
        void (*prepara)(TProcesso&);
    };
    const Caso casos[] = {
        {"tau1 = -T/2", [](TProcesso& q) { q.LText = "-0,05"; }},
        {"tau2 = -T", [](TProcesso& q) { q.Ctext = "-0.1"; }},
        {"lag = -T", [](TProcesso& q) { q.ComboBox2 = 2; q.LAG = "-0.1"; }},
        {"actuator lag = -T", [](TProcesso& q) { q.tal = "-0.1"; }},
        {"gain overflow", [](TProcesso& q) { q.GanhoText = "1E308"; q.CheckBox1 = true; }},
        {"unstable, saturator off", [](TProcesso& q) { q.ComboBox2 = 1; q.NCText = "-1"; q.CheckBox1 = true; }},
    };
    for (const auto& c : casos) {
        Novo();
        c.prepara(*pp);
        Aplica();
        for (int i = 0; i < 20000; ++i) {
            Passo(i < 5 ? 0 : 100);
            ASSERT_TRUE(std::isfinite(sim.mem[21])) << c.nome << " cycle " << i;
            ASSERT_TRUE(std::isfinite(pp->estado.a)) << c.nome;
            ASSERT_TRUE(std::isfinite(pp->estado.IntAc1) && std::isfinite(pp->estado.IntAc2) &&
                        std::isfinite(pp->estado.Y1old) && std::isfinite(pp->estado.Y1old2))
                << c.nome;
        }
    }
}

// A plant saved at rest and opened again stays at rest: the record does not
// hold the actuator chain and the dead-time buffer, and the load must put
// them where they stood. Each case brings a process with a long dead time
// and a gain other than 1 to rest, saves its record, reads it into a fresh
// process and runs it for twice the dead time and more.
TEST(ProcessoRegistro, PlantSavedAtRestStaysAtRestWhenOpened) {
    struct Caso {
        const char* nome;
        const char* histerese;
        const char* agarramento;
        const char* rate;
        int curva;
        const char* tauA;
        int tipo;
        const char* ganho;
        double x;  // the input held
    };
    const Caso casos[] = {
        {"backlash", "2", "0", "0", 0, "0", 0, "1.8", 40},
        {"stiction", "0", "3", "0", 0, "0", 0, "1.8", 40},
        {"rate limiter", "0", "0", "0.5", 0, "0", 0, "1.8", 40},
        {"quick-opening curve", "0", "0", "0", 1, "0", 0, "0.7", 40},
        {"equal-percentage curve", "0", "0", "0", 2, "0", 0, "1.8", 40},
        {"S1 curve", "0", "0", "0", 3, "0", 0, "1.8", 40},
        {"S2 curve", "0", "0", "0", 4, "0", 0, "1.8", 40},
        {"actuator lag", "0", "0", "0", 0, "8", 0, "1.8", 40},
        {"every stage, two lags", "1.5", "2", "2", 2, "5", 0, "2.5", 55},
        {"every stage, underdamped", "1.5", "2", "2", 3, "5", 1, "0.6", 55},
        {"every stage, lead-lag", "1.5", "2", "2", 1, "5", 2, "0.6", 55},
        // An integrator rests when its input is 0; its output is anywhere.
        {"every stage, integrator", "1.5", "2", "2", 0, "5", 3, "0.05", 0},
    };
    constexpr double kTempoMorto = 150;  // s
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        auto configura = [&](TProcesso& p) {
            p.LText = "20";
            p.Ctext = "5";
            p.NCText = "2";
            p.PeriodoText = "30";
            p.LEAD = "4";
            p.LAG = "12";
            p.ValorInicialText = "40";
            p.valorInicialPendente = true;
            p.Histerese = c.histerese;
            p.valveStext = c.agarramento;
            p.ratetext = c.rate;
            p.ComboBox1 = c.curva;
            p.tal = c.tauA;
            p.ComboBox2 = c.tipo;
            p.GanhoText = c.ganho;
            p.TempoMorto = "150";
        };
        Simulacao antes;
        antes.estado.T = 0.1;
        auto salvo = std::make_unique<TProcesso>(antes, 1);
        configura(*salvo);
        ASSERT_TRUE(salvo->ValidaParametros(false));
        // To rest: the input comes down to its value (the backlash then sits
        // on it) and stays there well past the dead time and the lags.
        antes.mem[1] = c.x + 5;
        for (int i = 0; i < 600; ++i) salvo->CalculaCiclo();
        antes.mem[1] = c.x;
        for (int i = 0; i < 8000; ++i) salvo->CalculaCiclo();
        const double y = antes.mem[21];
        for (int i = 0; i < 600; ++i) {
            salvo->CalculaCiclo();
            ASSERT_NEAR(antes.mem[21], y, 1e-9) << "not at rest before saving";
        }
        EscritorLinhas w;
        salvo->SalvaParametros(w);

        Simulacao depois;
        depois.estado.T = 0.1;
        auto lido = std::make_unique<TProcesso>(depois, 1);
        LeitorLinhas r(w.linhas(), "teste.smp", false);
        lido->LeParametros(r);
        ASSERT_TRUE(lido->ValidaParametros(false));
        depois.mem[1] = c.x;  // what the controller's record restores
        const int ciclos = static_cast<int>(2 * kTempoMorto / 0.1) + 600;
        double pior = 0;
        for (int i = 0; i < ciclos; ++i) {
            lido->CalculaCiclo();
            pior = std::max(pior, std::fabs(depois.mem[21] - y));
        }
        // The record keeps two decimals of each state.
        EXPECT_LT(pior, 0.05) << "output saved " << y;
    }
}

}  // namespace
}  // namespace kivo
