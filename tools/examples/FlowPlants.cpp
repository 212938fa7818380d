// Flow and pressure plants: the basic flow loop, coarse-fine control with two
// valves, a header with three consumers and four non-linear flow processes.
#include "Authoring.h"

namespace kivo::examples {

using namespace palette;

void BasicFlow(Author& a) {
    Canvas& t = a.canvas;
    const double y = 250;
    // Water from tank T-100, pumped along the line to tank E-101.
    OpenTank(t, 40, 300, 90, 110, 0.6);
    Pipe(t, {{130, 395}, {170, 395}});
    Pump(t, {190, 395});
    Pipe(t, {{206, 379}, {206, y}, {660, y}, {700, y}, {700, 300}}, kWater, true);
    OpenTank(t, 660, 310, 100, 100, 0.35);
    HandValve(t, {240, y});
    OrificePlate(t, {330, y});
    ControlValve(t, {500, y});
    Label(t, 85, 418, "T-100", Align::Centre);
    Label(t, 190, 424, "P-100", Align::Centre);
    Label(t, 500, y + 16, "FV-101", Align::Centre);
    Label(t, 710, 418, "E-101", Align::Centre);
    Instrument(t, {270, 150}, "PI", "100");
    SignalLine(t, {{270, 170}, {270, y}});
    Instrument(t, {360, 150}, "FT", "101");
    SignalLine(t, {{360, 170}, {360, 200}, {330, 200}, {330, y - 10}});
    Instrument(t, {500, 110}, "FIC", "101");
    SignalLine(t, {{380, 150}, {430, 150}, {430, 110}, {480, 110}});
    SignalLine(t, {{500, 130}, {500, y - 29}});

    a.Variable(Mp(1), "m³/h", 0, 50);
    a.Variable(Mb(1), "bar", 0, 10);
    a.Bounds(Mb(1), 3, 9);

    // Supply pressure: the track sets it, the button drops it by 2 bar.
    a.Entry(1, "Pressão|Pressure", "bar", 0, 10, 6, {40, 480});
    a.CommandButton(1, "Distúrbio|Disturbance", "Normal|Normal", "Queda 2 bar|2 bar drop", {220, 470});
    const std::string pressure = Ref(15) + "-20*" + Ref(97);
    Block& pi = a.CalculationBlock(1, "PI-100", "Pressão de suprimento|Supply pressure", pressure, {170, 139});
    pi.LowerLimitCheck = true;
    pi.LowerLimitText = "0";

    Process& fv = a.ProcessBlock(1, "FV-101", "Vazão de água|Water flow", 1, {461, 282});
    fv.LText = "2";
    fv.Ctext = "0.6";
    // The positioner and the transmitter take about a second to answer;
    // that delay is what makes a higher gain oscillate.
    fv.DeadTime = "1";
    // The flow through the valve grows with the square root of the pressure.
    // The gain reads the track and the button themselves: they keep their
    // values in the project file, so the first cycle after opening already
    // sees the right pressure.
    fv.GainText = "((" + pressure + ")/60)^0.5";

    Controller& fic = a.PidController(1, "FIC-101", "Vazão de água|Water flow", Mp(1), {524, 99});
    fic.KpText = "0.5";
    fic.KiText = "2";
    fic.KdText = "0";
    fic.state.autoMode = true;
    fic.state.SP = 60;
    fic.state.MV = 60;

    a.Text(1, "Vazão|Flow", Mp(1), 2, {330, 290});
    a.Text(2, "Abertura FV-101|FV-101 opening", 1, 1, {540, 180});
    a.Text(3, "Pressão|Pressure", Mb(1), 2, {240, 290});
    a.Recorder(1, "TR-101", "Malha de vazão|Flow loop", Mp(1), 61, 1, "PV;SP;MV", {680, 20});

    a.Comments(
        {
            "MALHA DE VAZÃO",
            "A bomba P-100 envia água pela linha até o consumidor E-101. O transmissor FT-101 mede a vazão e o "
            "controlador FIC-101 abre ou fecha a válvula FV-101 para manter a vazão no setpoint (SP).",
            "A vazão que passa pela válvula depende da abertura e da pressão antes dela: quando a pressão de "
            "suprimento cai, a mesma abertura deixa passar menos água. Essa é a carga (distúrbio) da malha.",
            "",
            "O QUE EXPERIMENTAR",
            "1. Clique em FIC-101 e mude o SP de 30 para 35 m³/h. Observe no registrador TR-101 como a vazão "
            "(PV) acompanha o SP e quanto a válvula (MV) se move.",
            "2. Clique no botão Distúrbio: a pressão cai 2 bar de uma vez. A vazão cai e o controlador abre a "
            "válvula para recuperá-la. Clique de novo para voltar ao normal.",
            "3. Mova a barra de pressão para simular variações lentas de suprimento.",
            "4. Dobre o ganho Kc (de 0.5 para 1) e repita o passo 1: a vazão chega antes ao SP, mas passa dele e "
            "oscila antes de parar. O posicionador e o transmissor levam cerca de 1 s para responder, e esse atraso "
            "é o que limita o ganho. Volte a 0.5, reduza o tempo integral Ti (de 2 para 1 s) e compare.",
            "5. Passe o controlador para manual (A/M) e mude a saída: veja a resposta do processo sozinho.",
        },
        {
            "FLOW LOOP",
            "Pump P-100 sends water along the line to consumer E-101. Transmitter FT-101 measures the flow and "
            "controller FIC-101 opens or closes valve FV-101 to hold the flow at its setpoint (SP).",
            "The flow through the valve depends on its opening and on the pressure ahead of it: when the supply "
            "pressure falls, the same opening lets less water through. This is the load (disturbance) of the "
            "loop.",
            "",
            "WHAT TO TRY",
            "1. Click FIC-101 and change the SP from 30 to 35 m³/h. Watch on recorder TR-101 how the flow (PV) "
            "follows the SP and how far the valve (MV) moves.",
            "2. Click the Disturbance button: the pressure drops by 2 bar at once. The flow falls and the "
            "controller opens the valve to recover it. Click again to go back to normal.",
            "3. Move the pressure track to simulate slow changes of the supply.",
            "4. Double the gain Kc (from 0.5 to 1) and repeat step 1: the flow reaches the SP sooner, but overshoots "
            "it and swings before it settles. The positioner and the transmitter take about a second to answer, and "
            "that delay is what limits the gain. Go back to 0.5, shorten the integral time Ti (from 2 to 1 s) and "
            "compare.",
            "5. Switch the controller to manual (A/M) and change the output: see the process respond on its own.",
        });
}


void CoarseFine(Author& a) {
    Canvas& t = a.canvas;
    // Main line with the coarse valve, bypass below it with the fine valve.
    Pump(t, {50, 250});
    Label(t, 50, 278, "P-100", Align::Centre);
    Pipe(t, {{66, 234}, {66, 220}, {660, 220}, {700, 220}, {700, 290}}, kWater, true);
    OpenTank(t, 650, 300, 110, 90, 0.5);
    Label(t, 705, 398, "E-102", Align::Centre);
    Pipe(t, {{150, 220}, {150, 340}, {510, 340}, {510, 220}}, kWater);
    ControlValve(t, {330, 220});
    ControlValve(t, {330, 340});
    OrificePlate(t, {600, 220});
    Label(t, 330, 236, "FV-102A", Align::Centre);
    Label(t, 330, 356, "FV-102B", Align::Centre);
    Instrument(t, {600, 110}, "FT", "102");
    SignalLine(t, {{600, 130}, {600, 210}});
    Instrument(t, {710, 110}, "FIC", "102");
    SignalLine(t, {{620, 110}, {690, 110}});
    SignalLine(t, {{730, 110}, {770, 110}, {770, 270}, {380, 270}, {380, 300}, {330, 300}, {330, 311}});
    Instrument(t, {330, 80}, "VPC", "102");
    SignalLine(t, {{710, 90}, {710, 50}, {330, 50}, {330, 60}});
    SignalLine(t, {{350, 80}, {390, 80}, {390, 180}, {330, 180}, {330, 191}});

    a.Variable(Mp(1), "m³/h", 0, 200);
    a.Variable(Mp(2), "m³/h", 0, 200);
    a.Variable(Mb(1), "m³/h", 0, 200);

    // The coarse valve passes up to 80 % of the range, with 2 % of backlash in
    // its linkage; the fine valve passes up to 20 % and moves cleanly. Held
    // in the middle of its stroke, the fine valve reaches 10 % of the range
    // either way, which is why the note's first step is 20 m³/h.
    Process& thick = a.ProcessBlock(1, "FV-102A", "Vazão válvula grossa|Coarse valve flow", 2, {291, 250});
    thick.GainText = "0.8";
    thick.LText = "3";
    thick.Ctext = "1";
    thick.Hysteresis = "2";
    Process& fine = a.ProcessBlock(2, "FV-102B", "Vazão válvula fina|Fine valve flow", 1, {291, 370});
    fine.GainText = "0.2";
    fine.LText = "1";
    fine.Ctext = "0.3";
    a.CalculationBlock(1, "FT-102", "Vazão total|Total flow", Ref(Mp(1)) + "+" + Ref(Mp(2)), {490, 99});

    Controller& fic = a.PidController(1, "FIC-102", "Vazão total|Total flow", Mb(1), {670, 144});
    fic.KpText = "2";
    fic.KiText = "1.5";
    fic.KdText = "0";
    fic.state.autoMode = true;
    fic.state.SP = 50;
    fic.state.MV = 50;
    // The valve position controller keeps the fine valve near the middle of
    // its stroke by moving the coarse valve slowly.
    Controller& vpc = a.PidController(2, "VPC-102", "Posição da válvula fina|Fine valve position", 1, {250, 104});
    vpc.KpText = "0.2";
    vpc.KiText = "10";
    vpc.KdText = "0";
    vpc.ActionGroup = 0;
    vpc.state.autoMode = true;
    vpc.state.SP = 50;
    vpc.state.MV = 50;

    a.Text(1, "Vazão total|Total flow", Mb(1), 1, {560, 250});
    a.Text(2, "Válvula grossa|Coarse valve", 2, 1, {420, 160});
    a.Text(3, "Válvula fina|Fine valve", 1, 1, {420, 380});
    a.Recorder(1, "TR-102", "Vazão total|Total flow", Mb(1), 61, 1, "PV;SP;MV", {560, 440});
    a.Recorder(2, "TR-102B", "Posição das válvulas|Valve positions", 1, 62, 2,
                  "Fina|Fine;SP VPC|VPC SP;Grossa|Coarse", {660, 440});

    a.Comments(
        {
            "CONTROLE GROSSO-FINO",
            "A vazão passa por duas válvulas em paralelo: a válvula grossa FV-102A, na linha principal, dá até 80 % "
            "da vazão máxima, mas tem folga de 2 % na haste; a válvula fina FV-102B, no by-pass, dá só 20 %, e se "
            "move com precisão.",
            "O FIC-102 controla a vazão total movendo a válvula fina, que é rápida e precisa. O VPC-102 (controlador "
            "de posição de válvula) observa a saída do FIC-102 e move a válvula grossa devagar para que a fina volte "
            "para o meio do curso (SP de 50 %). Assim a malha tem a faixa da válvula grossa e a resolução da fina.",
            "",
            "O QUE EXPERIMENTAR",
            "1. Mude o SP do FIC-102 de 100 para 120 m³/h. A fina corrige logo, abrindo até uns 80 %; depois a "
            "grossa assume a diferença e a fina volta para 50 % (registrador TR-102B).",
            "2. Passe o VPC-102 para manual e mude o SP de 100 para 140 m³/h: a fina fica sozinha, vai a 100 % e "
            "a vazão para em 120 m³/h. Do meio do curso a fina alcança só 10 % da faixa (20 m³/h) para cada lado, "
            "porque ela toda dá 20 %. Com o VPC-102 em automático a grossa vem ajudar, mas num degrau desse "
            "tamanho a fina ainda fica uns 7 s em 100 %.",
            "3. Veja a folga da válvula grossa: ponha o FIC-102 e o VPC-102 em manual e mova a saída do VPC-102 "
            "em passos de 1 % para cima e depois para baixo. Ao inverter o sentido, os dois primeiros passos não "
            "mudam a vazão. Um controle só com essa válvula não conseguiria acertos finos.",
        },
        {
            "COARSE-FINE CONTROL",
            "The flow passes through two valves in parallel: coarse valve FV-102A, on the main line, gives up to "
            "80 % of the maximum flow but has 2 % of backlash in its stem; fine valve FV-102B, on the bypass, gives "
            "only 20 % and moves precisely.",
            "FIC-102 controls the total flow with the fine valve, which is fast and precise. VPC-102 (valve position "
            "controller) watches the output of FIC-102 and moves the coarse valve slowly, so that the fine valve "
            "returns to the middle of its stroke (SP 50 %). The loop has the range of the coarse valve and the "
            "resolution of the fine one.",
            "",
            "WHAT TO TRY",
            "1. Change the SP of FIC-102 from 100 to 120 m³/h. The fine valve corrects at once, opening to about "
            "80 %; then the coarse valve takes over the difference and the fine valve returns to 50 % (recorder "
            "TR-102B).",
            "2. Put VPC-102 in manual and change the SP from 100 to 140 m³/h: the fine valve is alone, goes to "
            "100 % and the flow stops at 120 m³/h. From the middle of its stroke the fine valve reaches only 10 % "
            "of the range (20 m³/h) either way, since all of it gives 20 %. With VPC-102 in automatic the coarse "
            "valve comes to help, but on a step this large the fine valve still sits at 100 % for about 7 s.",
            "3. See the coarse valve's backlash: put FIC-102 and VPC-102 in manual and move the output of VPC-102 in "
            "steps of 1 % up and then down. On the reversal, the first two steps do not change the flow. Control "
            "with this valve alone could not make fine corrections.",
        });
}


void HeaderPressure(Author& a) {
    Canvas& t = a.canvas;
    // Steam from the boiler through PV-200 into the header, three users below.
    Pipe(t, {{30, 220}, {222, 220}}, kVapor, true);
    ControlValve(t, {150, 220});
    Label(t, 150, 236, "PV-200", Align::Centre);
    Label(t, 30, 200, "B-200");
    HorizontalDrum(t, 222, 196, 520, 48);
    Label(t, 690, 176, "H-200", Align::Centre);
    Instrument(t, {150, 110}, "PIC", "200");
    Instrument(t, {290, 110}, "PT", "200");
    SignalLine(t, {{290, 130}, {290, 196}});
    SignalLine(t, {{270, 110}, {170, 110}});
    SignalLine(t, {{150, 130}, {150, 191}});
    const double xs[] = {330, 490, 650};
    for (int i = 0; i < 3; ++i) {
        const double x = xs[i];
        const std::string n = std::to_string(201 + i);
        Pipe(t, {{x, 244}, {x, 478}}, kVapor, true);
        OrificePlate(t, {x, 290}, Direction::Vertical);
        ControlValve(t, {x, 390}, Direction::Vertical);
        Exchanger(t, x - 45, 480, 90, 34);
        Label(t, x, 520, "E-" + n, Align::Centre);
        Instrument(t, {x + 45, 300}, "FIC", n);
        SignalLine(t, {{x + 8, 290}, {x + 25, 300}});
        SignalLine(t, {{x + 45, 320}, {x + 45, 345}, {x - 29, 345}, {x - 29, 379}});
    }

    a.Variable(Mp(1), "bar", 0, 10);
    a.Bounds(Mp(1), 4, 8);
    a.Variable(Mp(2), "t/h", 0, 30);
    for (int i = 0; i < 3; ++i) a.Variable(Mp(3 + i), "t/h", 0, 10);
    a.Variable(Mb(1), "t/h", 0, 30);

    // The header stores steam: its pressure integrates supply minus use.
    const std::string balanceFormula =
        Ref(Mp(2)) + "-(" + Ref(Mp(3)) + "+" + Ref(Mp(4)) + "+" + Ref(Mp(5)) + ")/3";
    Block& balance = a.CalculationBlock(1, "FY-200", "Balanço do header|Header balance", balanceFormula, {460, 150});
    (void)balance;
    Process& header = a.ProcessBlock(1, "H-200", "Pressão do header|Header pressure", Mb(1), {380, 150});
    header.TransferFunctionKind = 3;
    header.GainText = "0.1";
    Process& supply = a.ProcessBlock(2, "PV-200", "Vapor para o header|Steam to header", 1, {111, 250});
    supply.LText = "2";
    supply.Ctext = "0.5";
    const Point marks[] = {{342, 379}, {502, 379}, {662, 379}};
    for (int i = 0; i < 3; ++i) {
        const std::string n = std::to_string(201 + i);
        Process& u = a.ProcessBlock(3 + i, "FV-" + n, "Vapor para E-" + n + "|Steam to E-" + n, 2 + i, marks[i]);
        u.LText = "1.5";
        u.Ctext = "0.3";
        // Flow through each valve grows with the square root of the header
        // pressure; the button shuts E-203 down.
        u.GainText = "(" + Ref(Mp(1)) + "/60)^0.5" + (i == 2 ? "*(1-" + Ref(97) + ")" : "");
    }

    Controller& pic = a.PidController(1, "PIC-200", "Pressão do header|Header pressure", Mp(1), {110, 134});
    pic.KpText = "3";
    pic.KiText = "15";
    pic.KdText = "0";
    pic.state.autoMode = true;
    pic.state.SP = 60;
    pic.state.MV = 50;
    const double sps[] = {60, 50, 40};
    for (int i = 0; i < 3; ++i) {
        const std::string n = std::to_string(201 + i);
        Controller& f =
            a.PidController(2 + i, "FIC-" + n, "Vapor para E-" + n + "|Steam to E-" + n, Mp(3 + i),
                          {xs[i] + 67, 289});
        f.KpText = "0.5";
        f.KiText = "2";
        f.KdText = "0";
        f.state.autoMode = true;
        f.state.SP = sps[i];
        f.state.MV = sps[i];
    }

    a.CommandButton(1, "E-203|E-203", "Em operação|Running", "Desligado|Shut down", {30, 440});
    a.Text(1, "Pressão|Pressure", Mp(1), 2, {560, 150});
    a.Text(2, "Vapor B-200|Steam B-200", Mp(2), 1, {40, 300});
    for (int i = 0; i < 3; ++i)
        a.Text(3 + i, "Vazão|Flow", Mp(3 + i), 2, {xs[i] + 8, 440});
    a.Recorder(1, "PR-200", "Pressão do header|Header pressure", Mp(1), 61, 1, "PV;SP;MV", {620, 20});
    a.Recorder(2, "FR-201", "Vazões dos consumidores|Users' flows", Mp(3), Mp(4), Mp(5),
                  "E-201;E-202;E-203", {710, 20});

    a.Comments(
        {
            "PRESSÃO DE HEADER COM 3 CONSUMIDORES",
            "A caldeira B-200 alimenta o header H-200 pela válvula PV-200. Três consumidores, E-201 a E-203, "
            "retiram vapor do header, cada um com seu controle de vazão (FIC-201 a FIC-203).",
            "A vazão de cada consumidor depende da abertura da sua válvula e da pressão do header. Enquanto o "
            "PIC-200 mantém a pressão firme, cada malha de vazão trabalha sozinha: as malhas ficam desacopladas.",
            "",
            "O QUE EXPERIMENTAR",
            "1. Clique no botão E-203 para desligar esse consumidor. A pressão sobe menos de meio bar, o PIC-200 "
            "fecha a PV-200 e os outros consumidores quase não percebem: suas válvulas mal se movem (registrador "
            "FR-201 e saídas dos FICs).",
            "2. Deixe o PIC-200 lento: Kc = 0.2 e Ti = 60 s. Repita o passo 1: agora a pressão sobe quase 4 bar, e "
            "as válvulas de E-201 e E-202 precisam fechar mais de 10 % para segurar suas vazões. A mudança de um "
            "consumidor passou a mexer com todos.",
            "3. Ponha o PIC-200 em manual e mude o SP do FIC-201: a pressão deriva e todos os consumidores sentem.",
        },
        {
            "HEADER PRESSURE WITH 3 CONSUMERS",
            "Boiler B-200 feeds header H-200 through valve PV-200. Three users, E-201 to E-203, take steam from the "
            "header, each with its own flow loop (FIC-201 to FIC-203).",
            "The flow of each user depends on the opening of its valve and on the header pressure. While PIC-200 "
            "holds the pressure tight, each flow loop works on its own: the loops are decoupled.",
            "",
            "WHAT TO TRY",
            "1. Click the E-203 button to shut that user down. The pressure rises by less than half a bar, PIC-200 "
            "closes PV-200 and the other users hardly notice it: their valves barely move (recorder FR-201 and the "
            "FICs' outputs).",
            "2. Make PIC-200 slow: Kc = 0.2 and Ti = 60 s. Repeat step 1: now the pressure rises by almost 4 bar, "
            "and the valves of E-201 and E-202 must close by more than 10 % to hold their flows. A change at one "
            "user now stirs them all.",
            "3. Put PIC-200 in manual and change the SP of FIC-201: the pressure drifts and every user feels it.",
        });
}


void NonlinearProcesses(Author& a) {
    Canvas& t = a.canvas;
    struct Loop {
        const char* valve;
        const char* desc;
        double sp;
    };
    const Loop loops[] = {
        {"FV-301", "Válvula com agarramento|Valve with stiction", 50},
        {"FV-302", "Válvula com folga|Valve with backlash", 50},
        {"FV-303", "Válvula igual porcentagem|Equal-percentage valve", 50},
        {"SC-304", "Bomba com variador de velocidade|Variable speed pump", 50},
    };
    for (int i = 0; i < 4; ++i) {
        const double y = 110 + 125 * i;
        const std::string n = std::to_string(301 + i);
        Pipe(t, {{40, y}, {580, y}}, kWater, true);
        OrificePlate(t, {120, y});
        Instrument(t, {200, y - 55}, "FIC", n);
        SignalLine(t, {{120, y - 10}, {120, y - 55}, {180, y - 55}});
        if (i < 3) {
            ControlValve(t, {400, y});
            SignalLine(t, {{200, y - 35}, {200, y - 24}, {389, y - 24}});
        } else {
            Pump(t, {400, y});
            t.Line({400, y + 22}, {400, y + 30}, kOutlineWidth, kLine);
            Motor(t, {400, y + 41}, "SC");
            SignalLine(t, {{200, y - 35}, {200, y - 24}, {360, y - 24}, {360, y + 41}, {389, y + 41}});
        }
        // The drive's tag beside its motor, clear of the output's text.
        if (i < 3)
            Label(t, 400, y + 16, loops[i].valve, Align::Centre);
        else
            Label(t, 414, y + 37, loops[i].valve);

        const int pv = Mp(1 + i);
        a.Variable(pv, "m³/h", 0, 100);
        Process& pr = a.ProcessBlock(1 + i, loops[i].valve, loops[i].desc, 1 + i, {420, y - 36});
        pr.LText = "2";
        pr.Ctext = "0.5";
        // The positioner and the transmitter answer after a second, as in
        // the basic flow loop: without it no PI tuning would overshoot.
        pr.DeadTime = "1";
        // The four loops share one tuning, so that each one's trouble is
        // its element's.
        Controller& fic = a.PidController(1 + i, "FIC-" + n, loops[i].desc, pv, {222, y - 66});
        fic.KpText = "0.5";
        fic.KiText = "3";
        fic.KdText = "0";
        fic.state.autoMode = true;
        fic.state.SP = loops[i].sp;
        fic.state.MV = loops[i].sp;
        switch (i) {
            case 0:
                pr.valveStext = "3";
                break;
            case 1:
                // Wide enough that the valve stands still for seconds on a
                // reversal, long enough to see on the recorder.
                pr.Hysteresis = "6";
                break;
            case 2:
                // Equal percentage: the valve's gain grows twelvefold from
                // closed to open.
                pr.ValveCurve = 2;
                fic.state.MV = 75.47;
                break;
            default:
                // The drive accelerates the pump by at most 1 % of speed per
                // second.
                pr.ratetext = "1";
                pr.LText = "1";
                break;
        }
        a.Text(1 + 2 * i, "Vazão|Flow", pv, 1, {100, y + 26});
        a.Text(2 + 2 * i, loops[i].desc, 1 + i, 1, {470, y + 30});
        a.Recorder(1 + i, "TR-" + n, loops[i].desc, pv, 61 + i, 1 + i, "PV;SP;MV", {640, y - 11});
    }

    a.Comments(
        {
            "PROCESSOS NÃO LINEARES",
            "Quatro malhas de vazão iguais, com a mesma sintonia (Kc = 0.5, Ti = 3 s), cada uma com um defeito "
            "comum no elemento final de controle. Em todas, o posicionador e o transmissor levam cerca de 1 s para "
            "responder.",
            "FIC-301: a válvula tem agarramento (stiction) de 3 %. Ela só se move quando o sinal muda mais que "
            "isso, e então salta. O controlador PI entra num ciclo: a vazão oscila em torno do SP sem parar.",
            "FIC-302: a haste tem folga (histerese) de 6 %. Ao inverter o sentido, o sinal precisa percorrer a "
            "folga antes de a válvula se mover.",
            "FIC-303: a válvula tem curva igual porcentagem. O ganho do processo muda doze vezes de fechada a "
            "aberta: a malha é lenta em vazões baixas e nervosa em vazões altas.",
            "FIC-304: a bomba é acionada por um variador de velocidade com aceleração limitada a 1 %/s.",
            "",
            "O QUE EXPERIMENTAR",
            "1. Observe os ciclos do FIC-301 nos registradores. Aumente o Ti: o ciclo fica mais lento mas não some.",
            "2. Mude o SP do FIC-302 para 55 e, quando a vazão parar, de volta para 50: no registrador TR-302 a "
            "saída (MV) desce uns 7 % enquanto a vazão fica parada por uns 6 s. É o sinal atravessando a folga.",
            "3. Leve o SP do FIC-303 para 15 m³/h e depois para 90 m³/h, em degraus de 5, e compare: em vazão baixa "
            "a vazão leva uns 25 s para chegar ao SP, sem passar dele; em vazão alta chega em poucos segundos, mas "
            "passa do SP cerca de 15 % do degrau.",
            "4. Mude o SP do FIC-304 em 20 m³/h: a rampa do variador faz a integral acumular e a vazão passa do "
            "SP uns 10 m³/h. Reduza o Kc para 0.3 e aumente o Ti para 6 s: a vazão chega sem passar do SP, em "
            "cerca de um minuto.",
        },
        {
            "NONLINEAR PROCESSES",
            "Four identical flow loops with one tuning (Kc = 0.5, Ti = 3 s), each with a common fault of its final "
            "control element. In all of them the positioner and the transmitter take about 1 s to answer.",
            "FIC-301: the valve has 3 % of stiction. It moves only when the signal changes by more than that, and "
            "then it jumps. The PI controller falls into a cycle: the flow oscillates around the SP for ever.",
            "FIC-302: the stem has 6 % of backlash (hysteresis). On a reversal the signal must cross the backlash "
            "before the valve moves.",
            "FIC-303: the valve has an equal-percentage curve. The process gain changes twelvefold from closed to "
            "open: the loop is sluggish at low flows and nervous at high flows.",
            "FIC-304: the pump runs on a variable speed drive whose acceleration is limited to 1 %/s.",
            "",
            "WHAT TO TRY",
            "1. Watch the cycles of FIC-301 on the recorders. Lengthen Ti: the cycle slows down but does not go "
            "away.",
            "2. Change the SP of FIC-302 to 55 and, once the flow has settled, back to 50: on recorder TR-302 the "
            "output (MV) falls by about 7 % while the flow stands still for some 6 s. That is the signal crossing "
            "the backlash.",
            "3. Take the SP of FIC-303 to 15 m³/h and then to 90 m³/h, in steps of 5, and compare: at low flow the "
            "flow takes about 25 s to reach the SP, without overshooting it; at high flow it gets there in a few "
            "seconds but overshoots the SP by some 15 % of the step.",
            "4. Change the SP of FIC-304 by 20 m³/h: the drive's ramp makes the integral build up and the flow "
            "overshoots the SP by about 10 m³/h. Lower Kc to 0.3 and lengthen Ti to 6 s: the flow arrives without "
            "overshoot, in about a minute.",
        });
}

}  // namespace kivo::examples
