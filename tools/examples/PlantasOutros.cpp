// Other plants: a linearised conductivity loop, a Smith predictor, four
// processes for modelling and a flow loop under sinusoidal signals.
#include <cmath>

#include "Autoria.h"
#include "core/NumberText.h"

namespace kivo::exemplos {

using namespace paleta;

namespace {

// The S-shaped curve of the process valve chain (curve "S2").
double CurvaS2(double r) {
    const double z = r / 10 - 5;
    return 50 * z / std::sqrt(z * z + 1) + 50;
}

// A small box with a sketch of a step response inside.
void Resposta(Tela& t, double x, double y, int tipo) {
    t.RetanguloArredondado(x, y, 150, 90, 6, kBolha, kEspContorno, kLinha);
    std::vector<Ponto> c;
    for (int i = 0; i <= 60; ++i) {
        const double s = i / 60.0;
        double v = 0;
        switch (tipo) {
            case 0:
                v = s < 0.1 ? 0 : 1 - std::exp(-(s - 0.1) * 6);
                break;
            case 1:
                v = 1 - std::exp(-s * 4) * std::cos(s * 18);
                break;
            case 2: {
                const double u = s * 8;
                v = 1 - std::exp(-u) * (1 + u + u * u / 2 + u * u * u / 6);
                break;
            }
            default:
                v = s;
                break;
        }
        c.push_back({x + 12 + 126 * s, y + 76 - 56 * std::clamp(v, 0.0, 1.25)});
    }
    t.Linha({x + 12, y + 78}, {x + 140, y + 78}, 1, kTextoSuave);
    t.Linha({x + 12, y + 78}, {x + 12, y + 10}, 1, kTextoSuave);
    t.Polilinha(c, 2, kSinal);
}

}  // namespace

void CondutividadeLinearizada(Autor& a) {
    Tela& t = a.tela;
    // Two leaching tanks side by side, each dosed with reagent.
    const double xs[] = {90, 420};
    const char* letra[] = {"A", "B"};
    for (int i = 0; i < 2; ++i) {
        const double x = xs[i];
        const std::string n = std::to_string(1501 + i);
        // Both tanks are fed from the ore slurry header along the top.
        Tubo(t, {{x + 40, 64}, {x + 40, 200}}, kLinha, true);
        Tubo(t, {{x + 120, 90}, {x + 120, 200}}, kAgua, true);
        ValvulaControle(t, {x + 120, 130}, Direcao::Vertical);
        ReatorJaqueta(t, x, 200, 160, 200, 0.6, 0);
        Rotulo(t, x + 88, 424, std::string("TQ-150") + letra[i]);
        Tubo(t, {{x + 80, 410}, {x + 80, 470}, {x + 220, 470}}, kLinha, true);
        Instrumento(t, {x + 230, 300}, "AT", n);
        Sinal(t, {{x + 160, 300}, {x + 210, 300}});
        Instrumento(t, {x + 230, 210}, "AIC", n);
        Sinal(t, {{x + 230, 280}, {x + 230, 230}});
        if (i == 0) {
            Sinal(t, {{x + 230, 190}, {x + 230, 130}, {x + 149, 130}});
        } else {
            Funcao(t, {x + 230, 130}, "F-1", 40);
            Sinal(t, {{x + 230, 190}, {x + 230, 150}});
            Sinal(t, {{x + 210, 130}, {x + 149, 130}});
        }
    }

    Tubo(t, {{0, 64}, {xs[1] + 40, 64}});
    Rotulo(t, 8, 46, "U-1500");

    a.Variavel(Mp(1), "mS/cm", 0, 20);
    a.Variavel(Mp(2), "mS/cm", 0, 20);
    a.Limites(Mp(1), 8, 12);
    a.Limites(Mp(2), 8, 12);
    a.Entrada(1, "Minério|Ore", "t/h", 0, 100, 50, {20, 530});

    // The ore takes up reagent: more ore, more reagent for the same
    // conductivity.
    const std::string carga = "-0.3*(" + Ref(15) + "-50)";
    a.Bloco(1, "FY-1501", "Reagente efetivo A|Effective reagent A", Ref(1) + carga, {xs[0] + 100, 490});
    a.Bloco(2, "FY-1502", "Reagente efetivo B|Effective reagent B", Ref(13) + carga, {xs[1] + 100, 490});
    for (int i = 0; i < 2; ++i) {
        const std::string n = std::to_string(1501 + i);
        TProcesso& p = a.Processo(1 + i, std::string("TQ-150") + letra[i],
                                  "Condutividade " + std::string(letra[i]) + "|Conductivity " + letra[i], Mb(1 + i),
                                  {xs[i] - 30, 470});
        p.ComboBox1 = 4;
        p.LText = "30";
        p.Ctext = "5";
        // Mixing and the sample line delay the measurement; the delay is
        // what limits the gain in the steep middle of the curve.
        p.TempoMorto = "5";
        TControlador& c = a.Controlador(1 + i, "AIC-" + n,
                                        i == 0 ? "Sem linearizador|Without characterizer"
                                               : "Com linearizador|With characterizer",
                                        Mp(1 + i), {xs[i] + 252, 199});
        c.KdText = "0";
        c.KiText = "30";
        // AIC-1501 is tuned for the steepest point of the curve, where the
        // process gain is five times that of the linearised process.
        c.KpText = i == 0 ? "0.3" : "1.5";
        c.estado.modoAuto = true;
        c.estado.SP = 50;
        c.estado.MV = 50;
        a.Texto(1 + 2 * i, "Condutividade|Conductivity", Mp(1 + i), 2, {xs[i] + 200, 342});
        a.Registrador(1 + i, "AR-" + n, i == 0 ? "Sem linearizador|Without characterizer"
                                               : "Com linearizador|With characterizer",
                      Mp(1 + i), 61 + i, 1 + i, "PV;SP;MV", {20 + 90.0 * i, 20}, 1);
    }
    a.Texto(2, "Reagente A|Reagent A", 1, 1, {xs[0] + 135, 90});
    a.Texto(4, "Reagente B|Reagent B", 13, 1, {xs[1] + 135, 90});

    // The characterizer holds the curve conductivity = f(reagent) of the
    // process at six points; it maps AIC-1502's output, read as the
    // conductivity wanted, to the reagent that gives it.
    TLinearizador& lin = a.p.linearizador;
    lin.Lin1EndEnt = "02 MV AIC-1502";
    const double mv[] = {0, 30, 45, 55, 70, 100};
    for (int k = 0; k < 6; ++k) {
        lin.Lin1MV[static_cast<std::size_t>(k)] = FormataFixo(mv[k], 1, 0);
        lin.Lin1PV[static_cast<std::size_t>(k)] = FormataFixo(CurvaS2(mv[k]), 1, 2);
    }
    lin.SetLin1Ativar(true);

    a.Comentarios(
        {
            "CONDUTIVIDADE COM LINEARIZADOR",
            "Nos tanques de lixiviação a condutividade depende da vazão de reagente numa curva em S, como numa "
            "titulação de pH: quase nada muda nas pontas e tudo muda no meio. O ganho do processo varia mais de "
            "trinta vezes.",
            "Os dois tanques são iguais; a mistura e a linha de amostra atrasam a medida em cerca de 5 s. O AIC-1501 "
            "age direto na válvula e precisa de ganho baixo para ser estável no meio da curva, onde o processo tem "
            "mais ganho; nas pontas ele fica muito lento. O AIC-1502 passa pelo linearizador (Configuração, "
            "página Controladores): a tabela guarda a curva do processo em seis pontos e o linearizador aplica a "
            "curva inversa à saída do controlador. O processo visto pelo AIC-1502 fica quase linear e ele pode ter "
            "um ganho cinco vezes maior.",
            "",
            "O QUE EXPERIMENTAR",
            "1. Mude os dois SPs de 10 para 16 mS/cm e, depois que assentarem, para 18 mS/cm. Compare os registradores "
            "AR-1501 e AR-1502: no alto da curva o ganho do processo é várias vezes menor, e o AIC-1501 leva cerca de "
            "120 s para cobrir 90 % do último degrau, contra 40 s do AIC-1502. Embaixo acontece o mesmo (de 4 para 3 "
            "mS/cm).",
            "2. Mude a carga de minério de 50 para 70 t/h: o ponto de operação se desloca na curva.",
            "3. Desative o linearizador (caixa Ativar): a saída M13 congela e o AIC-1502 perde o controle.",
            "4. Dê ao AIC-1501 o ganho do AIC-1502 (Kc 1.5) e suba seu SP em 1 mS/cm: no meio da curva ele oscila sem "
            "parar. Volte a 0.3.",
        },
        {
            "LINEARISED CONDUCTIVITY",
            "In the leaching tanks the conductivity depends on the reagent flow along an S curve, as in a pH "
            "titration: almost nothing changes at the ends and everything changes in the middle. The process gain "
            "varies more than thirtyfold.",
            "Both tanks are the same; mixing and the sample line delay the measurement by about 5 s. AIC-1501 acts "
            "on the valve directly and needs a low gain to be stable in the middle of the curve, where the process "
            "gain is highest; at the ends it becomes very sluggish. AIC-1502 goes through the characterizer "
            "(Configuration, Controllers page): its table holds the process curve at six points and the "
            "characterizer applies the inverse curve to the controller output. The process seen by AIC-1502 is "
            "nearly linear and it can have a gain five times higher.",
            "",
            "WHAT TO TRY",
            "1. Change both SPs from 10 to 16 mS/cm and, once they have settled, to 18 mS/cm. Compare recorders "
            "AR-1501 and AR-1502: near the top of the curve the process gain is several times lower, and AIC-1501 "
            "takes about 120 s to cover 90 % of the last step, against 40 s for AIC-1502. The same happens at the "
            "bottom (from 4 to 3 mS/cm).",
            "2. Change the ore feed from 50 to 70 t/h: the operating point moves along the curve.",
            "3. Disable the characterizer (Enable box): its output M13 freezes and AIC-1502 loses control.",
            "4. Give AIC-1501 the gain of AIC-1502 (Kc 1.5) and raise its SP by 1 mS/cm: in the middle of the curve it "
            "oscillates without end. Go back to 0.3.",
        });
}


void PreditorSmith(Autor& a) {
    Tela& t = a.tela;
    // Two identical lines: lime is dosed at the mixer and measured far
    // downstream, after a long belt.
    const double ys[] = {150, 390};
    for (int i = 0; i < 2; ++i) {
        const double y = ys[i];
        const std::string n = std::to_string(1601 + i);
        Tubo(t, {{30, y}, {120, y}}, kLinha, true);
        ValvulaControle(t, {80, y});
        t.RetanguloArredondado(120, y - 25, 60, 50, 8, kEquipamento, kEspContorno, kLinha);
        Rotulo(t, 150, y + 32, "M-" + n, Alinha::Centro);
        // The belt: a long run with its rollers.
        t.RetanguloArredondado(180, y - 8, 440, 16, 8, kPainel, kEspContorno, kLinha);
        for (int k = 0; k < 12; ++k) t.Circulo({196 + 37.0 * k, y}, 4, kLinha);
        Tubo(t, {{620, y}, {700, y}}, kLinha, true);
        Instrumento(t, {660, y - 70}, "AT", n);
        Sinal(t, {{660, y - 50}, {660, y - 8}});
        Instrumento(t, {80, y - 80}, "AIC", n);
        Sinal(t, {{80, y - 60}, {80, y - 29}});
    }
    Sinal(t, {{640, 80}, {100, 80}});
    // The predictor of line 2: the controller output drives a model without
    // the delay (G) and one with it (GD); the junction adds the measurement
    // and G and subtracts GD, and AIC-1602 controls that sum.
    Funcao(t, {300, 280}, "G", 34);
    Funcao(t, {300, 330}, "GD", 34);
    Sinal(t, {{80, 345}, {240, 345}, {240, 280}, {283, 280}});
    Sinal(t, {{240, 330}, {283, 330}});
    const Ponto soma{560, 280};
    t.Circulo(soma, 12, kBolha);
    t.Anel(soma, 12, kEspContorno, kSinal);
    Sinal(t, {{317, 280}, {548, 280}});
    Rotulo(t, 538, 262, "+", Alinha::Centro, kSinal, 2);
    Sinal(t, {{317, 330}, {560, 330}, {560, 292}});
    Rotulo(t, 576, 294, "-", Alinha::Centro, kSinal, 2);
    Sinal(t, {{640, 320}, {600, 320}, {600, 280}, {572, 280}});
    Rotulo(t, 584, 262, "+", Alinha::Centro, kSinal, 2);
    Sinal(t, {{560, 268}, {560, 240}, {80, 240}, {80, 290}});

    a.Variavel(Mp(1), "%", 0, 100);
    a.Variavel(Mp(2), "%", 0, 100);
    a.Variavel(Mb(1), "%", 0, 100);
    // The real delay can be changed on the track; the model keeps 40 s.
    a.Entrada(1, "Atraso real|Real delay", "s", 0, 80, 40, {20, 500});
    const std::string atraso = Ref(15) + "*0.8";

    for (int i = 0; i < 2; ++i) {
        const std::string n = std::to_string(1601 + i);
        TProcesso& p = a.Processo(1 + i, "M-" + n, "Teor de cal " + n + "|Lime content " + n, 1 + i,
                                  {111, ys[i] + 46});
        p.LText = "15";
        p.Ctext = "0";
        p.TempoMorto = atraso;
    }
    TProcesso& sem = a.Processo(3, "GY-1602", "Modelo sem atraso|Model without delay", 2, {330, 252});
    sem.LText = "15";
    sem.Ctext = "0";
    TProcesso& com = a.Processo(4, "GDY-1602", "Modelo com atraso|Model with delay", 2, {330, 302});
    com.LText = "15";
    com.Ctext = "0";
    com.TempoMorto = "40";
    // The predicted content: the measurement, plus what the model expects
    // to arrive, minus what the model says is arriving now.
    a.Bloco(1, "AY-1602", "Teor previsto|Predicted content",
            Ref(Mp(2)) + "+" + Ref(Mp(3)) + "-" + Ref(Mp(4)), {470, 210});

    TControlador& c1 = a.Controlador(1, "AIC-1601", "PI convencional|Plain PI", Mp(1), {102, 59});
    c1.KpText = "0.3";
    c1.KiText = "25";
    c1.KdText = "0";
    TControlador& c2 = a.Controlador(2, "AIC-1602", "PI com preditor|PI with predictor", Mb(1), {102, 299});
    c2.KpText = "2";
    c2.KiText = "15";
    c2.KdText = "0";
    for (TControlador* c : {&c1, &c2}) {
        c->estado.modoAuto = true;
        c->estado.SP = 50;
        c->estado.MV = 50;
    }
    a.Texto(1, "Teor de cal|Lime content", Mp(1), 1, {690, 190});
    a.Texto(2, "Teor de cal|Lime content", Mp(2), 1, {690, 430});
    a.Texto(3, "Previsto|Predicted", Mb(1), 1, {580, 220});
    a.Registrador(1, "AR-1601", "PI convencional|Plain PI", Mp(1), 61, 1, "PV;SP;MV", {600, 500}, 2);
    a.Registrador(2, "AR-1602", "PI com preditor|PI with predictor", Mp(2), 62, 2, "PV;SP;MV", {690, 500}, 2);

    a.Comentarios(
        {
            "PREDITOR DE SMITH",
            "Duas linhas iguais: a cal é dosada no misturador e o teor só é medido no fim de uma correia longa, "
            "40 segundos depois. O atraso de transporte é maior que a constante de tempo do processo (15 s).",
            "O AIC-1601 é um PI comum: para ser estável com tanto atraso ele precisa ser lento (Kc = 0.3).",
            "O AIC-1602 usa o preditor de Smith: dois modelos do processo, um sem atraso (GY-1602) e um com atraso "
            "(GDY-1602), recebem a mesma saída do controlador. O bloco AY-1602 soma à medida o que o modelo sem "
            "atraso prevê e tira o que o modelo com atraso diz que está chegando agora. O controlador vê o processo "
            "como se não houvesse atraso e pode ser bem mais rápido (Kc = 2).",
            "",
            "O QUE EXPERIMENTAR",
            "1. Mude os dois SPs de 50 para 60 % e compare os registradores AR-1601 e AR-1602.",
            "2. Dê ao AIC-1601 o mesmo Kc = 2: a malha sem preditor oscila.",
            "3. Mude o atraso real na barra para 30 s ou 50 s: o modelo fica errado. Veja até onde o preditor "
            "tolera o erro.",
        },
        {
            "SMITH PREDICTOR",
            "Two identical lines: lime is dosed at the mixer and its content is measured only at the end of a long "
            "belt, 40 seconds later. The transport delay is longer than the process time constant (15 s).",
            "AIC-1601 is a plain PI: to be stable with so much delay it must be slow (Kc = 0.3).",
            "AIC-1602 uses a Smith predictor: two models of the process, one without the delay (GY-1602) and one "
            "with it (GDY-1602), receive the same controller output. Block AY-1602 adds to the measurement what the "
            "model without delay predicts and takes away what the delayed model says is arriving now. The "
            "controller sees the process as if there were no delay and can be much faster (Kc = 2).",
            "",
            "WHAT TO TRY",
            "1. Change both SPs from 50 to 60 % and compare recorders AR-1601 and AR-1602.",
            "2. Give AIC-1601 the same Kc = 2: the loop without predictor oscillates.",
            "3. Change the real delay on the track to 30 s or 50 s: the model becomes wrong. See how much error "
            "the predictor tolerates.",
        });
}


void QuatroProcessos(Autor& a) {
    Tela& t = a.tela;
    for (int i = 0; i < 4; ++i) {
        const double x = 60 + 380.0 * (i % 2), y = 110 + 260.0 * (i / 2);
        const std::string n = std::to_string(1701 + i);
        Tubo(t, {{x - 40, y + 45}, {x + 70, y + 45}}, kLinha, true);
        ValvulaControle(t, {x + 20, y + 45});
        Resposta(t, x + 70, y, i);
        Tubo(t, {{x + 220, y + 45}, {x + 320, y + 45}}, kLinha, true);
        Instrumento(t, {x + 270, y - 20}, "XT", n);
        Sinal(t, {{x + 270, y}, {x + 270, y + 35}});
        Instrumento(t, {x + 20, y - 40}, "XIC", n);
        Sinal(t, {{x + 250, y - 20}, {x + 60, y - 20}, {x + 60, y - 40}, {x + 40, y - 40}});
        Sinal(t, {{x + 20, y - 20}, {x + 20, y + 16}});
    }

    const char* descs[] = {"Primeira ordem|First order", "Segunda ordem subamortecido|Underdamped second order",
                           "Quarta ordem|Fourth order", "Integrador|Integrator"};
    for (int n = 1; n <= 5; ++n) a.Variavel(Mp(n), "%", 0, 100);

    TProcesso& p1 = a.Processo(1, "G-1701", descs[0], 1, {121, 210});
    p1.LText = "25";
    p1.Ctext = "0";
    p1.TempoMorto = "5";
    p1.GanhoText = "1.2";
    TProcesso& p2 = a.Processo(2, "G-1702", descs[1], 2, {501, 210});
    p2.ComboBox2 = 1;
    p2.NCText = "3";
    p2.PeriodoText = "30";
    p2.GanhoText = "0.8";
    // Fourth order: two second-order blocks in series.
    TProcesso& p3 = a.Processo(3, "G-1703A", "Quarta ordem, 1a parte|Fourth order, 1st part", 3, {81, 470});
    p3.LText = "10";
    p3.Ctext = "10";
    TProcesso& p4 = a.Processo(4, "G-1703", descs[2], Mp(3), {161, 470});
    p4.LText = "10";
    p4.Ctext = "10";
    // The integrator integrates the controller output's distance from 50 %.
    a.Bloco(1, "GY-1704", "Entrada do integrador|Integrator input", Ref(4) + "-50", {461, 470});
    TProcesso& p5 = a.Processo(5, "G-1704", descs[3], Mb(1), {541, 470});
    p5.ComboBox2 = 3;
    p5.GanhoText = "0.02";
    p5.ValorInicialText = "50";
    p5.valorInicialPendente = true;

    const int pvs[] = {Mp(1), Mp(2), Mp(4), Mp(5)};
    const double valores[] = {60, 40, 50, 50};
    for (int i = 0; i < 4; ++i) {
        const double x = 60 + 380.0 * (i % 2), y = 110 + 260.0 * (i / 2);
        const std::string n = std::to_string(1701 + i);
        TControlador& c = a.Controlador(1 + i, "XIC-" + n, descs[i], pvs[i], {x - 20, y - 84});
        c.KpText = i == 3 ? "2" : "0.5";
        c.KiText = i == 3 ? "100" : "30";
        c.KdText = "0";
        c.Acaogroup = 1;
        c.estado.modoAuto = false;
        c.estado.SP = valores[i];
        c.estado.MV = 50;
        a.Texto(1 + i, "Saída|Output", pvs[i], 2, {x + 230, y + 70});
        a.Registrador(1 + i, "XR-" + n, descs[i], pvs[i], 61 + i, 1 + i, "PV;SP;MV", {x + 150, y - 84}, 1);
    }

    a.Comentarios(
        {
            "QUATRO PROCESSOS PARA MODELAGEM",
            "Quatro processos com dinâmicas diferentes, cada um com seu controlador em manual: primeira ordem com "
            "tempo morto (G-1701), segunda ordem subamortecido (G-1702), quarta ordem (G-1703, dois blocos de "
            "segunda ordem em série) e integrador (G-1704).",
            "Eles servem para praticar a identificação de modelos pela curva de reação: com o controlador em "
            "manual, dê um degrau na saída (MV) e registre como a variável (PV) responde.",
            "",
            "O QUE EXPERIMENTAR",
            "1. Abra o XIC-1701, mude a saída de 50 para 60 % e acompanhe no XR-1701. Meça o ganho, o tempo morto "
            "e a constante de tempo. Confira na janela do processo G-1701.",
            "2. Faça o mesmo com os outros: no G-1702 meça o período e o sobressinal; no G-1703 ajuste um modelo "
            "de primeira ordem com tempo morto; no G-1704 meça a inclinação da rampa.",
            "3. Com os modelos, calcule uma sintonia, ponha o controlador em automático e teste mudando o SP.",
            "4. A simulação rápida (menu) roda uma hora em segundos e calcula índices de desempenho da malha.",
        },
        {
            "FOUR PROCESSES FOR MODELLING",
            "Four processes with different dynamics, each with its controller in manual: first order with dead "
            "time (G-1701), underdamped second order (G-1702), fourth order (G-1703, two second-order blocks in "
            "series) and integrator (G-1704).",
            "They are for practising model identification from the reaction curve: with the controller in manual, "
            "step its output (MV) and record how the variable (PV) responds.",
            "",
            "WHAT TO TRY",
            "1. Open XIC-1701, change its output from 50 to 60 % and follow it on XR-1701. Measure the gain, the "
            "dead time and the time constant. Check them in the window of process G-1701.",
            "2. Do the same with the others: on G-1702 measure the period and the overshoot; on G-1703 fit a first "
            "order model with dead time; on G-1704 measure the slope of the ramp.",
            "3. With the models, work out a tuning, put the controller in automatic and test it by changing the SP.",
            "4. The fast simulation (menu) runs an hour in seconds and computes the loop's performance indices.",
        });
}

void RespostaFrequencia(Autor& a) {
    Tela& t = a.tela;
    const double y = 260;
    TanqueAberto(t, 20, 300, 80, 90, 0.6);
    Tubo(t, {{100, 375}, {124, 375}});
    Bomba(t, {140, 375});
    Tubo(t, {{156, 359}, {156, y}, {700, y}, {700, 300}}, kAgua, true);
    TanqueAberto(t, 660, 310, 100, 80, 0.4);
    PlacaOrificio(t, {220, y});
    ValvulaControle(t, {450, y});
    Rotulo(t, 450, y + 16, "FV-1801", Alinha::Centro);
    Instrumento(t, {220, 170}, "FT", "1801");
    Sinal(t, {{220, 190}, {220, y - 10}});
    Instrumento(t, {450, 120}, "FIC", "1801");
    Sinal(t, {{240, 170}, {330, 170}, {330, 120}, {430, 120}});
    Sinal(t, {{450, 140}, {450, y - 29}});
    // Two sine generators: one can drive the setpoint, the other the load.
    for (int i = 0; i < 2; ++i) {
        const Ponto c{i == 0 ? 330.0 : 640.0, i == 0 ? 40.0 : 150.0};
        t.Circulo(c, 18, kBolha);
        t.Anel(c, 18, kEspContorno, kSinal);
        std::vector<Ponto> s;
        for (int k = 0; k <= 20; ++k) s.push_back({c.x - 11 + 22.0 * k / 20, c.y - 7 * std::sin(k * M_PI / 10)});
        t.Polilinha(s, 2, kLinha);
    }
    Sinal(t, {{348, 40}, {450, 40}, {450, 100}});
    Sinal(t, {{640, 168}, {640, y - 10}});
    Rotulo(t, 330, 64, "M81", Alinha::Centro, kSinal, 1.2);
    Rotulo(t, 664, 146, "M82", Alinha::Esquerda, kSinal, 1.2);

    a.Variavel(Mp(1), "m³/h", 0, 50);
    a.Variavel(Mb(1), "m³/h", 0, 50);
    a.Entrada(1, "Período SP|SP period", "s", 0, 300, 60, {20, 440});
    a.Entrada(2, "Amplitude SP|SP amplitude", "%", 0, 50, 10, {190, 440});
    a.Entrada(3, "Período carga|Load period", "s", 0, 300, 60, {380, 440});
    a.Entrada(4, "Amplitude carga|Load amplitude", "%", 0, 50, 0, {560, 440});
    // Periods in seconds from the tracks (0..300 s is 0..100 %).
    a.Gerador(81, LinhaGerador::Senoidal, Ref(15) + "*3", "0", "100", "50");
    a.Gerador(82, LinhaGerador::Senoidal, Ref(17) + "*3", "0", "100", "50");
    a.Bloco(1, "FY-1801", "SP senoidal|Sine setpoint", "50+(" + Ref(81) + "-50)*" + Ref(16) + "/100", {351, 29});

    TProcesso& fv = a.Processo(1, "FV-1801", "Vazão|Flow", 1, {411, 286});
    fv.LText = "4";
    fv.Ctext = "1";
    // The load swings the flow the valve passes by the amplitude of track 4.
    fv.GanhoText = "1+(" + Ref(82) + "-50)/50*" + Ref(18) + "/100";

    TControlador& fic = a.Controlador(1, "FIC-1801", "Vazão|Flow", Mp(1), {472, 109});
    fic.KpText = "0.5";
    fic.KiText = "4";
    fic.KdText = "0";
    fic.CheckSPR = true;
    fic.SPRSelect = Mb(1) - 1;
    fic.estado.modoAuto = true;
    fic.estado.modoLocal = true;
    fic.estado.SP = 50;
    fic.estado.MV = 50;

    a.Texto(1, "Vazão|Flow", Mp(1), 2, {240, 300});
    a.Texto(2, "SP senoidal|Sine setpoint", Mb(1), 2, {500, 30});
    a.Registrador(1, "FR-1801", "Resposta em frequência|Frequency response", Mp(1), 61, 1, "PV;SP;MV", {690, 20}, 1);

    a.Comentarios(
        {
            "RESPOSTA EM FREQUÊNCIA",
            "Uma malha de vazão excitada por sinais senoidais dos geradores de sinais: o gerador M81 pode comandar "
            "o setpoint (pelo bloco FY-1801) e o gerador M82 varia a carga (a vazão que a válvula deixa passar). "
            "Os períodos e as amplitudes se ajustam nas barras.",
            "O exemplo abre em regime, com o FIC-1801 em SP local e a amplitude da carga em zero.",
            "",
            "O QUE EXPERIMENTAR",
            "1. Clique no botão L/R do FIC-1801 para passar ao SP remoto: o SP passa a seguir a senoide. Compare a "
            "amplitude e o atraso da PV em relação ao SP no registrador FR-1801.",
            "2. Mude o período do SP de 60 s para 20 s e depois para 200 s: em frequências baixas a PV acompanha o "
            "SP; em frequências altas a amplitude cai e o atraso cresce.",
            "3. Volte o FIC-1801 para local e aumente a amplitude da carga: veja quanto do distúrbio o controlador "
            "rejeita em cada período.",
            "4. O registrador XY (menu) desenha a PV contra o SP: a elipse mostra o ganho e a fase.",
        },
        {
            "FREQUENCY RESPONSE",
            "A flow loop excited by sine waves from the signal generators: generator M81 can drive the setpoint "
            "(through block FY-1801) and generator M82 swings the load (the flow the valve lets through). Periods "
            "and amplitudes are set on the tracks.",
            "The example opens at steady state, with FIC-1801 on its local SP and the load amplitude at zero.",
            "",
            "WHAT TO TRY",
            "1. Click the L/R button of FIC-1801 to switch to the remote SP: the SP follows the sine. Compare the "
            "amplitude and the lag of the PV against the SP on recorder FR-1801.",
            "2. Change the SP period from 60 s to 20 s and then to 200 s: at low frequencies the PV follows the SP; "
            "at high frequencies the amplitude falls and the lag grows.",
            "3. Switch FIC-1801 back to local and raise the load amplitude: see how much of the disturbance the "
            "controller rejects at each period.",
            "4. The XY recorder (menu) plots PV against SP: the ellipse shows gain and phase.",
        });
}

}  // namespace kivo::exemplos
