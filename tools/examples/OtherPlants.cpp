// Other plants: a linearised conductivity loop, a Smith predictor, four
// processes for modelling and a flow loop under sinusoidal signals.
#include <cmath>

#include "Authoring.h"
#include "core/NumberText.h"

namespace kivo::examples {

using namespace palette;

namespace {

// The S-shaped curve of the process valve chain (curve "S2").
double S2Curve(double r) {
    const double z = r / 10 - 5;
    return 50 * z / std::sqrt(z * z + 1) + 50;
}

// A small box with a sketch of a step response inside.
void Response(Canvas& t, double x, double y, int kind) {
    t.RoundedRectangle(x, y, 150, 90, 6, kBubble, kOutlineWidth, kLine);
    std::vector<Point> c;
    for (int i = 0; i <= 60; ++i) {
        const double s = i / 60.0;
        double v = 0;
        switch (kind) {
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
    t.Line({x + 12, y + 78}, {x + 140, y + 78}, 1, kMutedText);
    t.Line({x + 12, y + 78}, {x + 12, y + 10}, 1, kMutedText);
    t.Polyline(c, 2, kSignal);
}

}  // namespace

void LinearizedConductivity(Author& a) {
    Canvas& t = a.canvas;
    // Two leaching tanks side by side, each dosed with reagent.
    const double xs[] = {90, 420};
    const char* letter[] = {"A", "B"};
    for (int i = 0; i < 2; ++i) {
        const double x = xs[i];
        const std::string n = std::to_string(1501 + i);
        // Both tanks are fed from the ore slurry header along the top.
        Pipe(t, {{x + 40, 64}, {x + 40, 200}}, kLine, true);
        Pipe(t, {{x + 120, 90}, {x + 120, 200}}, kWater, true);
        ControlValve(t, {x + 120, 130}, Direction::Vertical);
        JacketedReactor(t, x, 200, 160, 200, 0.6, 0);
        Label(t, x + 88, 424, std::string("TQ-150") + letter[i]);
        Pipe(t, {{x + 80, 410}, {x + 80, 470}, {x + 220, 470}}, kLine, true);
        Instrument(t, {x + 230, 300}, "AT", n);
        SignalLine(t, {{x + 160, 300}, {x + 210, 300}});
        Instrument(t, {x + 230, 210}, "AIC", n);
        SignalLine(t, {{x + 230, 280}, {x + 230, 230}});
        if (i == 0) {
            SignalLine(t, {{x + 230, 190}, {x + 230, 130}, {x + 149, 130}});
        } else {
            Function(t, {x + 230, 130}, "F-1", 40);
            SignalLine(t, {{x + 230, 190}, {x + 230, 150}});
            SignalLine(t, {{x + 210, 130}, {x + 149, 130}});
        }
    }

    Pipe(t, {{0, 64}, {xs[1] + 40, 64}});
    Label(t, 8, 46, "U-1500");

    a.Variable(Mp(1), "mS/cm", 0, 20);
    a.Variable(Mp(2), "mS/cm", 0, 20);
    a.Bounds(Mp(1), 8, 12);
    a.Bounds(Mp(2), 8, 12);
    a.Entry(1, "Minério|Ore", "t/h", 0, 100, 50, {20, 530});

    // The ore takes up reagent: more ore, more reagent for the same
    // conductivity.
    const std::string load = "-0.3*(" + Ref(15) + "-50)";
    a.CalculationBlock(1, "FY-1501", "Reagente efetivo A|Effective reagent A", Ref(1) + load, {xs[0] + 100, 490});
    a.CalculationBlock(2, "FY-1502", "Reagente efetivo B|Effective reagent B", Ref(13) + load, {xs[1] + 100, 490});
    for (int i = 0; i < 2; ++i) {
        const std::string n = std::to_string(1501 + i);
        Process& p = a.ProcessBlock(1 + i, std::string("TQ-150") + letter[i],
                                  "Condutividade " + std::string(letter[i]) + "|Conductivity " + letter[i], Mb(1 + i),
                                  {xs[i] - 30, 470});
        p.ValveCurve = 4;
        p.LText = "30";
        p.Ctext = "5";
        // Mixing and the sample line delay the measurement; the delay is
        // what limits the gain in the steep middle of the curve.
        p.DeadTime = "5";
        Controller& c = a.PidController(1 + i, "AIC-" + n,
                                        i == 0 ? "Sem linearizador|Without characterizer"
                                               : "Com linearizador|With characterizer",
                                        Mp(1 + i), {xs[i] + 252, 199});
        c.KdText = "0";
        c.KiText = "30";
        // AIC-1501 is tuned for the steepest point of the curve, where the
        // process gain is five times that of the linearised process.
        c.KpText = i == 0 ? "0.3" : "1.5";
        c.state.autoMode = true;
        c.state.SP = 50;
        c.state.MV = 50;
        a.Text(1 + 2 * i, "Condutividade|Conductivity", Mp(1 + i), 2, {xs[i] + 200, 342});
        a.Recorder(1 + i, "AR-" + n, i == 0 ? "Sem linearizador|Without characterizer"
                                               : "Com linearizador|With characterizer",
                      Mp(1 + i), 61 + i, 1 + i, "PV;SP;MV", {20 + 90.0 * i, 20}, 1);
    }
    a.Text(2, "Reagente A|Reagent A", 1, 1, {xs[0] + 135, 90});
    a.Text(4, "Reagente B|Reagent B", 13, 1, {xs[1] + 135, 90});

    // The characterizer holds the curve conductivity = f(reagent) of the
    // process at six points; it maps AIC-1502's output, read as the
    // conductivity wanted, to the reagent that gives it.
    Linearizer& lin = a.p.linearizer;
    lin.Lin1InputAddress = "02 MV AIC-1502";
    const double mv[] = {0, 30, 45, 55, 70, 100};
    for (int k = 0; k < 6; ++k) {
        lin.Lin1MV[static_cast<std::size_t>(k)] = FormatFixed(mv[k], 1, 0);
        lin.Lin1PV[static_cast<std::size_t>(k)] = FormatFixed(S2Curve(mv[k]), 1, 2);
    }
    lin.SetLin1Enabled(true);

    a.Comments(
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


void SmithPredictor(Author& a) {
    Canvas& t = a.canvas;
    // Two identical lines: lime is dosed at the mixer and measured far
    // downstream, after a long belt.
    const double ys[] = {150, 390};
    for (int i = 0; i < 2; ++i) {
        const double y = ys[i];
        const std::string n = std::to_string(1601 + i);
        Pipe(t, {{30, y}, {120, y}}, kLine, true);
        ControlValve(t, {80, y});
        t.RoundedRectangle(120, y - 25, 60, 50, 8, kEquipment, kOutlineWidth, kLine);
        Label(t, 150, y + 32, "M-" + n, Align::Centre);
        // The belt: a long run with its rollers.
        t.RoundedRectangle(180, y - 8, 440, 16, 8, kPanel, kOutlineWidth, kLine);
        for (int k = 0; k < 12; ++k) t.Circle({196 + 37.0 * k, y}, 4, kLine);
        Pipe(t, {{620, y}, {700, y}}, kLine, true);
        Instrument(t, {660, y - 70}, "AT", n);
        SignalLine(t, {{660, y - 50}, {660, y - 8}});
        Instrument(t, {80, y - 80}, "AIC", n);
        SignalLine(t, {{80, y - 60}, {80, y - 29}});
    }
    SignalLine(t, {{640, 80}, {100, 80}});
    // The predictor of line 2: the controller output drives a model without
    // the delay (G) and one with it (GD); the junction adds the measurement
    // and G and subtracts GD, and AIC-1602 controls that sum.
    Function(t, {300, 280}, "G", 34);
    Function(t, {300, 330}, "GD", 34);
    SignalLine(t, {{80, 345}, {240, 345}, {240, 280}, {283, 280}});
    SignalLine(t, {{240, 330}, {283, 330}});
    const Point sum{560, 280};
    t.Circle(sum, 12, kBubble);
    t.Ring(sum, 12, kOutlineWidth, kSignal);
    SignalLine(t, {{317, 280}, {548, 280}});
    Label(t, 538, 262, "+", Align::Centre, kSignal, 2);
    SignalLine(t, {{317, 330}, {560, 330}, {560, 292}});
    Label(t, 576, 294, "-", Align::Centre, kSignal, 2);
    SignalLine(t, {{640, 320}, {600, 320}, {600, 280}, {572, 280}});
    Label(t, 584, 262, "+", Align::Centre, kSignal, 2);
    SignalLine(t, {{560, 268}, {560, 240}, {80, 240}, {80, 290}});

    a.Variable(Mp(1), "%", 0, 100);
    a.Variable(Mp(2), "%", 0, 100);
    a.Variable(Mb(1), "%", 0, 100);
    // The real delay can be changed on the track; the model keeps 40 s.
    a.Entry(1, "Atraso real|Real delay", "s", 0, 80, 40, {20, 500});
    const std::string delay = Ref(15) + "*0.8";

    for (int i = 0; i < 2; ++i) {
        const std::string n = std::to_string(1601 + i);
        Process& p = a.ProcessBlock(1 + i, "M-" + n, "Teor de cal " + n + "|Lime content " + n, 1 + i,
                                  {111, ys[i] + 46});
        p.LText = "15";
        p.Ctext = "0";
        p.DeadTime = delay;
    }
    Process& without = a.ProcessBlock(3, "GY-1602", "Modelo sem atraso|Model without delay", 2, {330, 252});
    without.LText = "15";
    without.Ctext = "0";
    Process& with = a.ProcessBlock(4, "GD-1602", "Modelo com atraso|Model with delay", 2, {330, 302});
    with.LText = "15";
    with.Ctext = "0";
    with.DeadTime = "40";
    // The predicted content: the measurement, plus what the model expects
    // to arrive, minus what the model says is arriving now.
    a.CalculationBlock(1, "AY-1602", "Teor previsto|Predicted content",
            Ref(Mp(2)) + "+" + Ref(Mp(3)) + "-" + Ref(Mp(4)), {470, 210});

    Controller& c1 = a.PidController(1, "AIC-1601", "PI convencional|Plain PI", Mp(1), {102, 59});
    c1.KpText = "0.3";
    c1.KiText = "25";
    c1.KdText = "0";
    Controller& c2 = a.PidController(2, "AIC-1602", "PI com preditor|PI with predictor", Mb(1), {102, 299});
    c2.KpText = "2";
    c2.KiText = "15";
    c2.KdText = "0";
    for (Controller* c : {&c1, &c2}) {
        c->state.autoMode = true;
        c->state.SP = 50;
        c->state.MV = 50;
    }
    a.Text(1, "Teor de cal|Lime content", Mp(1), 1, {690, 190});
    a.Text(2, "Teor de cal|Lime content", Mp(2), 1, {690, 430});
    a.Text(3, "Previsto|Predicted", Mb(1), 1, {580, 220});
    a.Recorder(1, "AR-1601", "PI convencional|Plain PI", Mp(1), 61, 1, "PV;SP;MV", {600, 500}, 2);
    a.Recorder(2, "AR-1602", "PI com preditor|PI with predictor", Mp(2), 62, 2, "PV;SP;MV", {690, 500}, 2);

    a.Comments(
        {
            "PREDITOR DE SMITH",
            "Duas linhas iguais: a cal é dosada no misturador e o teor só é medido no fim de uma correia longa, "
            "40 segundos depois. O atraso de transporte é maior que a constante de tempo do processo (15 s).",
            "O AIC-1601 é um PI comum: para ser estável com tanto atraso ele precisa ser lento (Kc = 0.3).",
            "O AIC-1602 usa o preditor de Smith: dois modelos do processo, um sem atraso (GY-1602) e um com atraso "
            "(GD-1602), recebem a mesma saída do controlador. O bloco AY-1602 soma à medida o que o modelo sem "
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
            "with it (GD-1602), receive the same controller output. Block AY-1602 adds to the measurement what the "
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


void FourProcesses(Author& a) {
    Canvas& t = a.canvas;
    for (int i = 0; i < 4; ++i) {
        const double x = 60 + 380.0 * (i % 2), y = 110 + 260.0 * (i / 2);
        const std::string n = std::to_string(1701 + i);
        Pipe(t, {{x - 40, y + 45}, {x + 70, y + 45}}, kLine, true);
        ControlValve(t, {x + 20, y + 45});
        Response(t, x + 70, y, i);
        Pipe(t, {{x + 220, y + 45}, {x + 320, y + 45}}, kLine, true);
        Instrument(t, {x + 270, y - 20}, "XT", n);
        SignalLine(t, {{x + 270, y}, {x + 270, y + 35}});
        Instrument(t, {x + 20, y - 40}, "XIC", n);
        SignalLine(t, {{x + 250, y - 20}, {x + 60, y - 20}, {x + 60, y - 40}, {x + 40, y - 40}});
        SignalLine(t, {{x + 20, y - 20}, {x + 20, y + 16}});
    }

    const char* descs[] = {"Primeira ordem|First order", "Segunda ordem subamortecido|Underdamped second order",
                           "Quarta ordem|Fourth order", "Integrador|Integrator"};
    for (int n = 1; n <= 5; ++n) a.Variable(Mp(n), "%", 0, 100);

    Process& p1 = a.ProcessBlock(1, "G-1701", descs[0], 1, {121, 210});
    p1.LText = "25";
    p1.Ctext = "0";
    p1.DeadTime = "5";
    p1.GainText = "1.2";
    Process& p2 = a.ProcessBlock(2, "G-1702", descs[1], 2, {501, 210});
    p2.TransferFunctionKind = 1;
    p2.NCText = "3";
    p2.PeriodText = "30";
    p2.GainText = "0.8";
    // Fourth order: two second-order blocks in series.
    Process& p3 = a.ProcessBlock(3, "G-1703A", "Quarta ordem, 1a parte|Fourth order, 1st part", 3, {81, 470});
    p3.LText = "10";
    p3.Ctext = "10";
    Process& p4 = a.ProcessBlock(4, "G-1703", descs[2], Mp(3), {161, 470});
    p4.LText = "10";
    p4.Ctext = "10";
    // The integrator integrates the controller output's distance from 50 %.
    a.CalculationBlock(1, "GY-1704", "Entrada do integrador|Integrator input", Ref(4) + "-50", {461, 470});
    Process& p5 = a.ProcessBlock(5, "G-1704", descs[3], Mb(1), {541, 470});
    p5.TransferFunctionKind = 3;
    p5.GainText = "0.02";
    p5.InitialValueText = "50";
    p5.initialValuePending = true;

    const int pvs[] = {Mp(1), Mp(2), Mp(4), Mp(5)};
    const double values[] = {60, 40, 50, 50};
    for (int i = 0; i < 4; ++i) {
        const double x = 60 + 380.0 * (i % 2), y = 110 + 260.0 * (i / 2);
        const std::string n = std::to_string(1701 + i);
        Controller& c = a.PidController(1 + i, "XIC-" + n, descs[i], pvs[i], {x - 20, y - 84});
        c.KpText = i == 3 ? "2" : "0.5";
        c.KiText = i == 3 ? "100" : "30";
        c.KdText = "0";
        c.ActionGroup = 1;
        c.state.autoMode = false;
        c.state.SP = values[i];
        c.state.MV = 50;
        a.Text(1 + i, "Saída|Output", pvs[i], 2, {x + 230, y + 70});
        a.Recorder(1 + i, "XR-" + n, descs[i], pvs[i], 61 + i, 1 + i, "PV;SP;MV", {x + 150, y - 84}, 1);
    }

    a.Comments(
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

void FrequencyResponse(Author& a) {
    Canvas& t = a.canvas;
    const double y = 260;
    OpenTank(t, 20, 300, 80, 90, 0.6);
    Pipe(t, {{100, 375}, {124, 375}});
    Pump(t, {140, 375});
    Pipe(t, {{156, 359}, {156, y}, {700, y}, {700, 300}}, kWater, true);
    OpenTank(t, 660, 310, 100, 80, 0.4);
    OrificePlate(t, {220, y});
    ControlValve(t, {450, y});
    Label(t, 450, y + 16, "FV-1801", Align::Centre);
    Instrument(t, {220, 170}, "FT", "1801");
    SignalLine(t, {{220, 190}, {220, y - 10}});
    Instrument(t, {450, 120}, "FIC", "1801");
    SignalLine(t, {{240, 170}, {330, 170}, {330, 120}, {430, 120}});
    SignalLine(t, {{450, 140}, {450, y - 29}});
    // Two sine generators: one can drive the setpoint, the other the load.
    for (int i = 0; i < 2; ++i) {
        const Point c{i == 0 ? 330.0 : 640.0, i == 0 ? 40.0 : 150.0};
        t.Circle(c, 18, kBubble);
        t.Ring(c, 18, kOutlineWidth, kSignal);
        std::vector<Point> s;
        for (int k = 0; k <= 20; ++k) s.push_back({c.x - 11 + 22.0 * k / 20, c.y - 7 * std::sin(k * M_PI / 10)});
        t.Polyline(s, 2, kLine);
    }
    SignalLine(t, {{348, 40}, {450, 40}, {450, 100}});
    SignalLine(t, {{640, 168}, {640, y - 10}});
    Label(t, 330, 64, "M81", Align::Centre, kSignal, 1.2);
    Label(t, 664, 146, "M82", Align::Left, kSignal, 1.2);

    a.Variable(Mp(1), "m³/h", 0, 50);
    a.Variable(Mb(1), "m³/h", 0, 50);
    a.Entry(1, "Período SP|SP period", "s", 0, 300, 60, {20, 440});
    a.Entry(2, "Amplitude SP|SP amplitude", "%", 0, 50, 10, {190, 440});
    a.Entry(3, "Período carga|Load period", "s", 0, 300, 60, {380, 440});
    a.Entry(4, "Amplitude carga|Load amplitude", "%", 0, 50, 0, {560, 440});
    // Periods in seconds from the tracks (0..300 s is 0..100 %).
    a.Generator(81, GeneratorRow::Sine, Ref(15) + "*3", "0", "100", "50");
    a.Generator(82, GeneratorRow::Sine, Ref(17) + "*3", "0", "100", "50");
    a.CalculationBlock(1, "FY-1801", "SP senoidal|Sine setpoint", "50+(" + Ref(81) + "-50)*" + Ref(16) + "/100", {351, 29});

    Process& fv = a.ProcessBlock(1, "FV-1801", "Vazão|Flow", 1, {411, 286});
    fv.LText = "4";
    fv.Ctext = "1";
    // The load swings the flow the valve passes by the amplitude of track 4.
    fv.GainText = "1+(" + Ref(82) + "-50)/50*" + Ref(18) + "/100";

    RemoteSetpoint(Loop(a, 1, "FIC-1801", "Vazão|Flow", Mp(1), {472, 109}, "0.5", "4", false, 50, 50), Mb(1), true);

    a.Text(1, "Vazão|Flow", Mp(1), 2, {240, 300});
    a.Text(2, "SP senoidal|Sine setpoint", Mb(1), 2, {500, 30});
    a.Recorder(1, "FR-1801", "Resposta em frequência|Frequency response", Mp(1), 61, 1, "PV;SP;MV", {690, 20}, 1);

    a.Comments(
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

}  // namespace kivo::examples
