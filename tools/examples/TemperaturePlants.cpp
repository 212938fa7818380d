// Temperature plants: heat exchanger with feed-forward, split range on a
// jacketed reactor, and a fired heater alone and as a cascade.
#include "Authoring.h"

namespace kivo::examples {

using namespace palette;

void HeatExchanger(Author& a) {
    Canvas& t = a.canvas;
    // Process fluid from U-600 through preheater E-600, then through the
    // tubes of E-601; steam in both shells.
    Pipe(t, {{30, 280}, {70, 280}});
    Exchanger(t, 68, 258, 104, 44);
    Label(t, 62, 236, "E-600");
    Label(t, 20, 262, "U-600");
    Pipe(t, {{170, 280}, {262, 280}});
    Pipe(t, {{538, 280}, {770, 280}}, kLine, true);
    Exchanger(t, 260, 250, 280, 60);
    Label(t, 392, 228, "E-601", Align::Right);
    Pipe(t, {{120, 60}, {120, 258}}, kVapor, true);
    ControlValve(t, {120, 150}, Direction::Vertical);
    Label(t, 134, 126, "TV-601");
    Pipe(t, {{120, 302}, {120, 360}}, kVapor, true);
    Pipe(t, {{400, 30}, {400, 250}}, kVapor, true);
    ControlValve(t, {400, 150}, Direction::Vertical);
    Label(t, 414, 126, "TV-602");
    Pipe(t, {{400, 310}, {400, 390}}, kVapor, true);
    Label(t, 400, 396, "S-600", Align::Centre);
    Instrument(t, {215, 190}, "TT", "601");
    SignalLine(t, {{215, 210}, {215, 280}});
    Instrument(t, {215, 90}, "TIC", "601");
    SignalLine(t, {{215, 170}, {215, 110}});
    SignalLine(t, {{195, 90}, {91, 90}, {91, 139}});
    Instrument(t, {700, 190}, "TT", "602");
    SignalLine(t, {{700, 210}, {700, 280}});
    Instrument(t, {640, 90}, "TIC", "602");
    SignalLine(t, {{700, 170}, {700, 90}, {660, 90}});
    SignalLine(t, {{620, 90}, {371, 90}, {371, 139}});
    Function(t, {560, 190}, "FF");
    SignalLine(t, {{235, 190}, {547, 190}});
    SignalLine(t, {{560, 177}, {560, 125}, {640, 125}, {640, 110}});

    a.Variable(Mp(1), "t/h", 0, 2);
    a.Variable(Mp(2), "%", 0, 100);
    a.Variable(Mp(3), "°C", 0, 100);
    a.Variable(Mp(4), "t/h", 0, 1);
    a.Variable(Mp(6), "°C", 0, 100);
    a.Variable(Mp(7), "°C", 0, 100);
    a.Variable(Mp(8), "°C", 0, 100);
    a.Variable(Mb(4), "°C", 0, 100);
    a.Variable(Mb(1), "°C", 0, 100);
    a.Variable(Mb(2), "°C", 0, 100);
    a.Variable(Mb(3), "°C", 0, 150);
    a.Bounds(Mb(3), 60, 110);

    // The fluid leaves U-600 at 20 °C, drifting at random on switch 2;
    // E-600 heats it to the temperature wanted on the track (the remote SP
    // of TIC-601). Whatever TIC-601 does not hold reaches E-601's inlet.
    a.Entry(1, "T entrada|T inlet", "°C", 0, 100, 40, {40, 480});
    a.ToggleSwitch(1, 2, 0, {230, 470});
    a.ToggleSwitch(2, 2, 0, {230, 530});
    a.Generator(81, GeneratorRow::MediumRandom, "30", "30", "70", "50");
    Block& feed = a.CalculationBlock(1, "TI-600", "Temperatura de U-600|U-600 temperature",
                                     "20+" + Ref(12) + "*(" + Ref(81) + "-50)*0.5", {10, 200});
    feed.LowerLimitCheck = true;
    feed.LowerLimitText = "0";
    Process& preheatSteam = a.ProcessBlock(4, "TV-601", "Vapor do pré-aquecedor|Preheater steam", 2, {134, 139});
    preheatSteam.LText = "3";
    preheatSteam.Ctext = "0";
    Process& preheat = a.ProcessBlock(5, "E-600", "Pré-aquecimento|Preheating", Mp(4), {20, 318});
    preheat.LText = "20";
    preheat.Ctext = "5";
    preheat.DeadTime = "1";
    a.CalculationBlock(2, "E-600T", "Saída do pré-aquecedor|Preheater outlet", Ref(Mb(1)) + "+0.4*" + Ref(Mp(5)),
                       {20, 344});
    // The transmitter has no lag of its own; as a process it hands the
    // inlet to the feed-forward's lag within the same cycle (below).
    Process& tt = a.ProcessBlock(6, "TT-601", "Temperatura de entrada|Inlet temperature", Mb(2), {237, 196});
    tt.LText = "0";
    tt.Ctext = "0";

    Process& vapor = a.ProcessBlock(1, "TV-602", "Vazão de vapor|Steam flow", 1, {414, 139});
    vapor.LText = "3";
    vapor.Ctext = "0";
    Process& heating = a.ProcessBlock(2, "E-601", "Aquecimento pelo vapor|Heating by steam", Mp(1), {291, 320});
    heating.LText = "40";
    heating.Ctext = "10";
    heating.DeadTime = "2";
    Process& entry = a.ProcessBlock(3, "E-601E", "Efeito da entrada|Inlet effect", Mb(2), {205, 325});
    entry.LText = "40";
    entry.Ctext = "10";
    entry.DeadTime = "3";
    // Outlet = inlet + 0.8 °C per % of steam, on a 0..150 °C scale.
    a.CalculationBlock(3, "TT-602", "Temperatura de saída|Outlet temperature",
            "(" + Ref(Mp(3)) + "+0.8*" + Ref(Mp(2)) + ")/1.5", {610, 214});
    // TY-602 is the inlet as the feed-forward sees it: it follows TT-601
    // while switch 1 is on and stands still while it is off, so that turning
    // the switch either way never moves the bias. It integrates the inlet's
    // rate of change, with switch 1 as its gain (per second): the lag
    // TY-602A (1 s) trails the measurement by that rate times 1 s, and
    // TY-602B is the difference. The lag reads TT-601 in the same cycle as
    // TY-602B does (a later slot), and its step is a backward difference,
    // which the integrator's sum undoes exactly at any time step.
    Process& lagged = a.ProcessBlock(7, "TY-602A", "Entrada atrasada 1 s|Inlet lagged 1 s", Mp(6), {455, 200});
    lagged.LText = "0";
    lagged.Ctext = "1";
    a.CalculationBlock(4, "TY-602B", "Variação da entrada|Inlet rate of change", Ref(Mp(6)) + "-" + Ref(Mp(7)),
                       {455, 226});
    Process& seen = a.ProcessBlock(8, "TY-602", "Entrada vista pela compensação|Inlet seen by the feed-forward",
                                   Mb(4), {575, 140});
    seen.TransferFunctionKind = 3;
    seen.GainText = Ref(11);
    seen.SaturatorDisabled = true;
    seen.InitialValueText = "40";
    seen.initialValuePending = true;

    Controller& tic = a.PidController(1, "TIC-602", "Temperatura de saída|Outlet temperature", Mb(3), {662, 79});
    tic.KpText = "2.5";
    tic.KiText = "40";
    tic.KdText = "0";
    // Feed-forward: each °C of inlet is worth 1.25 % of steam. The load step
    // of the fast simulation, added to the bias, is lost on an equation that
    // rewrites the bias: here it acts on TIC-601.
    tic.FFwSelect = true;
    tic.FFwEquation = "50-1.25*(" + Ref(Mp(8)) + "-40)";
    tic.BiasText = "50";
    tic.state.autoMode = true;
    tic.state.SP = 160.0 / 3;
    tic.state.MV = 50;
    RemoteSetpoint(Loop(a, 2, "TIC-601", "Temperatura de entrada|Inlet temperature", Mp(6), {237, 79}, "2", "20",
                        false, 40, 50),
                   15);

    a.Text(1, "T saída|T outlet", Mb(3), 1, {600, 300});
    a.Text(2, "T entrada|T inlet", Mp(6), 1, {180, 300});
    a.Text(3, "Vapor|Steam", Mp(1), 2, {260, 130});
    a.BinaryText(4, "Compensação|Feed-forward", 11, "Desligada/Ligada|Off/On", {290, 480});
    a.BinaryText(5, "Deriva de U-600|U-600 drift", 12, "Desligada/Ligada|Off/On", {290, 540});
    a.Recorder(1, "TR-602", "Temperatura de saída|Outlet temperature", Mb(3), 61, 1, "PV;SP;MV", {690, 500});
    a.Recorder(2, "TR-601", "Temperaturas|Temperatures", Mb(3), Mp(6), 0, "Saída|Outlet;Entrada|Inlet;",
                  {690, 530});

    a.Comments(
        {
            "COMPENSAÇÃO DIRETA (FEED-FORWARD)",
            "O trocador E-601 aquece um fluido com vapor. O TIC-602 mede a temperatura de saída e abre a válvula de "
            "vapor TV-602. O maior distúrbio é a temperatura de entrada do fluido, medida pelo TT-601. O fluido sai "
            "da unidade U-600 a uns 20 °C e passa pelo pré-aquecedor E-600, onde o TIC-601 o leva à temperatura da "
            "barra T entrada (seu SP remoto). Com a chave 2 a temperatura de U-600 varia ao acaso, e o TIC-601 não "
            "segura toda a variação.",
            "Sem compensação, o TIC-602 só age depois que a mudança da entrada atravessa o trocador e aparece na "
            "saída. Com a compensação direta (chave 1), a medida da entrada entra na saída do controlador como um "
            "bias dinâmico: cada grau a menos na entrada abre 1.25 % a mais de vapor, antes que a saída perceba.",
            "O TY-602 é a entrada vista pela compensação: segue o TT-601 enquanto a chave 1 está ligada e fica "
            "parado enquanto ela está desligada. Ligar ou desligar a chave não move o vapor: a compensação só "
            "passa a seguir a entrada, ou para onde está.",
            "",
            "O QUE EXPERIMENTAR",
            "1. Com a chave 1 desligada, baixe a temperatura de entrada de 40 para 30 °C. Veja o desvio da saída no "
            "TR-602: uns 3.5 °C.",
            "2. Ligue a chave 1 (a saída do TIC-602 não se move) e volte a entrada para 40 °C: o desvio fica em uns "
            "0.3 °C.",
            "3. Ligue a chave 2 para que a temperatura de U-600 varie ao acaso, e compare a saída com e sem "
            "compensação, ligando e desligando a chave 1 quando quiser.",
            "4. A compensação é só estática. Veja na configuração do TIC-602 o campo FF com a equação.",
            "5. Na Simulação Rápida, o sinal de teste \"Distúrbio degrau no processo\" soma o degrau ao bias de "
            "cada controlador. O bias do TIC-602 é a equação do FF, que o reescreve a cada ciclo; o do TIC-601 é o "
            "seu, e o degrau abre mais vapor no pré-aquecedor: a entrada do E-601 sobe uns 2 °C e volta. Rode 30 "
            "minutos com esse sinal, uma vez com a chave 1 desligada e outra ligada: a Variabilidade do TIC-602 cai "
            "de uns 0.2 % para 0.03 %. Com a chave 2 ligada e o sinal \"Nenhum\", uma hora de simulação mostra o "
            "IEMA do TIC-602 caindo de uns 0.4 % para menos de 0.1 %.",
        },
        {
            "FEED-FORWARD COMPENSATION",
            "Exchanger E-601 heats a fluid with steam. TIC-602 measures the outlet temperature and opens steam valve "
            "TV-602. The largest disturbance is the inlet temperature of the fluid, measured by TT-601. The fluid "
            "leaves unit U-600 at about 20 °C and passes through preheater E-600, where TIC-601 brings it to the "
            "temperature of the T inlet track (its remote SP). With switch 2 the temperature of U-600 drifts at "
            "random, and TIC-601 does not hold all of the drift.",
            "Without compensation TIC-602 acts only after the change of the inlet has crossed the exchanger and "
            "shows at the outlet. With feed-forward (switch 1) the inlet measurement enters the controller output "
            "as a dynamic bias: each degree less at the inlet opens 1.25 % more steam, before the outlet feels it.",
            "TY-602 is the inlet as the feed-forward sees it: it follows TT-601 while switch 1 is on and stands "
            "still while it is off. Turning the switch on or off does not move the steam: the compensation only "
            "starts following the inlet, or stops where it is.",
            "",
            "WHAT TO TRY",
            "1. With switch 1 off, lower the inlet temperature from 40 to 30 °C. See the outlet deviation on TR-602: "
            "about 3.5 °C.",
            "2. Turn switch 1 on (the output of TIC-602 does not move) and take the inlet back to 40 °C: the "
            "deviation stays at about 0.3 °C.",
            "3. Turn switch 2 on to let the temperature of U-600 drift at random, and compare the outlet with and "
            "without feed-forward, turning switch 1 on and off whenever you like.",
            "4. The compensation is static only. See the FF field with its equation in TIC-602's configuration.",
            "5. In the Fast Simulation, the test signal \"Step process disturbance\" adds its step to the bias of "
            "every controller. The bias of TIC-602 is the FF equation, which rewrites it every cycle; that of "
            "TIC-601 is its own, and the step opens more steam to the preheater: the inlet of E-601 rises about "
            "2 °C and comes back. Run 30 minutes with that signal, once with switch 1 off and once on: the "
            "Variability of TIC-602 falls from about 0.2 % to 0.03 %. With switch 2 on and the signal \"None\", an "
            "hour's run shows TIC-602's Int Absolute Average Error falling from about 0.4 % to under 0.1 %.",
        });
}

void SplitRange(Author& a) {
    Canvas& t = a.canvas;
    JacketedReactor(t, 330, 170, 140, 220, 0.6);
    Label(t, 400, 418, "R-701", Align::Centre);
    Pipe(t, {{30, 120}, {370, 120}, {370, 170}}, kLine, true);
    Label(t, 30, 100, "U-700");
    Pipe(t, {{400, 400}, {400, 470}, {560, 470}}, kLine, true);
    // Steam and cooling water both enter the jacket; one leaves on the right.
    Pipe(t, {{30, 250}, {320, 250}}, kVapor, true);
    ControlValve(t, {200, 250});
    Label(t, 200, 266, "TV-701B", Align::Centre);
    Pipe(t, {{30, 350}, {320, 350}}, kWater, true);
    ControlValve(t, {200, 350});
    Label(t, 200, 366, "TV-701A", Align::Centre);
    Pipe(t, {{480, 300}, {600, 300}}, kWater, true);
    Instrument(t, {560, 210}, "TT", "701");
    SignalLine(t, {{470, 230}, {500, 230}, {500, 210}, {540, 210}});
    Instrument(t, {660, 210}, "TIC", "701");
    SignalLine(t, {{580, 210}, {640, 210}});
    Function(t, {120, 190}, ">50", 38);
    Function(t, {120, 300}, "<50", 38);
    SignalLine(t, {{660, 190}, {660, 60}, {80, 60}, {80, 190}, {101, 190}});
    SignalLine(t, {{80, 190}, {80, 300}, {101, 300}});
    SignalLine(t, {{139, 190}, {200, 190}, {200, 221}});
    SignalLine(t, {{139, 300}, {200, 300}, {200, 321}});
    // The split: cooling from 50 % down to 0, steam from 50 % up to 100.
    const double gx = 600, gy = 380, gw = 150, gh = 90;
    t.Rectangle(gx, gy, gw, gh, kBubble);
    t.Frame(gx, gy, gw, gh, 1, kMutedText);
    t.Line({gx, gy + 4}, {gx + gw / 2, gy + gh}, 2.5, kWater);
    t.Line({gx + gw / 2, gy + gh}, {gx + gw, gy + 4}, 2.5, kVapor);
    Label(t, gx, gy + gh + 6, "0", Align::Centre, kText, 1.2);
    Label(t, gx + gw / 2, gy + gh + 6, "50", Align::Centre, kText, 1.2);
    Label(t, gx + gw, gy + gh + 6, "100 %", Align::Centre, kText, 1.2);
    Label(t, gx + 6, gy + 8, "TV-701A", Align::Left, kWater, 1.2);
    Label(t, gx + gw - 6, gy + 8, "TV-701B", Align::Right, kVapor, 1.2);

    a.Variable(Mb(1), "%", 0, 100);
    a.Variable(Mb(2), "%", 0, 100);
    a.Variable(Mp(1), "m³/h", 0, 40);
    a.Variable(Mp(2), "t/h", 0, 5);
    a.Variable(Mp(3), "°C", 0, 150);
    a.Bounds(Mp(3), 70, 110);
    a.Entry(1, "Carga|Load", "%", 0, 100, 50, {40, 480});

    // Split range: the controller output drives the cooling valve below
    // 50 % and the steam valve above it.
    Block& cold = a.CalculationBlock(1, "TY-701A", "Abertura água fria|Cooling water opening", "(50-" + Ref(1) + ")*2",
                           {40, 324});
    Block& hot = a.CalculationBlock(2, "TY-701B", "Abertura vapor|Steam opening", "(" + Ref(1) + "-50)*2", {40, 214});
    for (Block* b : {&cold, &hot}) {
        b->LowerLimitCheck = b->UpperLimitCheck = true;
        b->LowerLimitText = "0";
        b->UpperLimitText = "100";
    }
    Process& water = a.ProcessBlock(1, "TV-701A", "Água de resfriamento|Cooling water", Mb(1), {161, 380});
    water.LText = "5";
    water.Ctext = "0";
    Process& vapor = a.ProcessBlock(2, "TV-701B", "Vapor de aquecimento|Heating steam", Mb(2), {161, 280});
    vapor.LText = "5";
    vapor.Ctext = "0";
    // Heat balance: steam heats, water cools harder, the reaction load adds.
    a.CalculationBlock(3, "R-701Q", "Balanço térmico|Heat balance",
            "50+0.5*" + Ref(Mp(2)) + "-0.8*" + Ref(Mp(1)) + "+0.5*(" + Ref(15) + "-50)", {480, 130});
    Process& reactor = a.ProcessBlock(3, "R-701", "Temperatura do reator|Reactor temperature", Mb(3), {361, 430});
    reactor.LText = "150";
    reactor.Ctext = "30";
    reactor.DeadTime = "2";

    Controller& tic = a.PidController(1, "TIC-701", "Temperatura do reator|Reactor temperature", Mp(3), {620, 234});
    tic.KpText = "2";
    tic.KiText = "100";
    tic.KdText = "0";
    tic.state.autoMode = true;
    tic.state.SP = 60;
    tic.state.MV = 60;

    a.Text(1, "Temperatura|Temperature", Mp(3), 1, {490, 340});
    a.Text(2, "Água|Water", Mb(1), 1, {240, 370});
    a.Text(3, "Vapor|Steam", Mb(2), 1, {240, 270});
    a.Text(4, "Saída TIC|TIC output", 1, 1, {700, 120});
    a.Recorder(1, "TR-701", "Temperatura do reator|Reactor temperature", Mp(3), 61, 1, "PV;SP;MV", {690, 20});
    a.Recorder(2, "TR-701B", "Válvulas|Valves", 1, Mb(1), Mb(2), "TIC;Água|Water;Vapor|Steam", {690, 50});

    a.Comments(
        {
            "CONTROLE COM DIVISÃO DE FAIXA",
            "O reator R-701 tem uma jaqueta que pode receber vapor (TV-701B) para aquecer ou água fria (TV-701A) "
            "para resfriar. Um único controlador, o TIC-701, comanda as duas válvulas pela divisão de faixa feita "
            "nos blocos de cálculo TY-701A e TY-701B:",
            "saída de 0 a 50 %: a água fria vai de totalmente aberta a fechada; saída de 50 a 100 %: o vapor vai "
            "de fechado a totalmente aberto. Em 50 % as duas válvulas estão fechadas.",
            "A reação libera calor conforme a carga. Com carga baixa é preciso aquecer, com carga alta é preciso "
            "resfriar. A água fria retira calor mais depressa que o vapor o fornece: o ganho do processo muda quando "
            "a saída passa de uma faixa para a outra.",
            "",
            "O QUE EXPERIMENTAR",
            "1. Leve a carga de 50 para 90 %: o calor da reação faz o TIC-701 fechar o vapor, cruzar os 50 % e "
            "abrir a água fria (registrador TR-701B).",
            "2. Volte a carga para 20 % e veja a passagem no sentido contrário.",
            "3. Mude o SP de 90 para 100 °C nas duas situações e compare as respostas.",
            "4. Abra os blocos TY-701A e TY-701B para ver as fórmulas e os limites de 0 a 100 %.",
        },
        {
            "SPLIT RANGE CONTROL",
            "Reactor R-701 has a jacket that can take steam (TV-701B) to heat or cooling water (TV-701A) to cool. "
            "One controller, TIC-701, drives both valves through the split range built in calculation blocks "
            "TY-701A and TY-701B:",
            "output from 0 to 50 %: the cooling water goes from fully open to closed; output from 50 to 100 %: the "
            "steam goes from closed to fully open. At 50 % both valves are closed.",
            "The reaction releases heat according to the load. At low load the reactor must be heated, at high "
            "load cooled. The cooling water removes heat faster than the steam supplies it: the process gain "
            "changes when the output crosses from one range to the other.",
            "",
            "WHAT TO TRY",
            "1. Take the load from 50 to 90 %: the reaction heat makes TIC-701 close the steam, cross 50 % and open "
            "the cooling water (recorder TR-701B).",
            "2. Take the load back to 20 % and watch the crossing the other way.",
            "3. Change the SP from 90 to 100 °C in both situations and compare the responses.",
            "4. Open blocks TY-701A and TY-701B to see the formulas and the 0 to 100 % limits.",
        });
}


namespace {

// The fired heater F-801 shared by the two furnace plants: picture, the
// fuel line with its valve process (slot 1, input MV `valveInput`),
// the furnace, the noisy transmitter and its filter (slots 2 and 3), the
// door and gas pressure buttons. Returns the filtered temperature address.
int Furnace801(Author& a, int valveInput, bool cascade) {
    Canvas& t = a.canvas;
    Furnace(t, 300, 200, 200, 260);
    // Clear of the signal lines that pass below the furnace.
    Label(t, 294, 268, "F-801", Align::Right);
    // The door on the front wall.
    t.Rectangle(440, 380, 34, 50, kPanel);
    t.Frame(440, 380, 34, 50, kOutlineWidth, kLine);
    t.Circle({467, 405}, 2.5, kLine);
    Pipe(t, {{30, 340}, {300, 340}});
    Label(t, 30, 320, "U-800");
    Pipe(t, {{500, 290}, {770, 290}}, kLine, true);
    Pipe(t, {{30, 520}, {400, 520}, {400, 466}}, kGas, true);
    Label(t, 30, 500, "GN");
    ControlValve(t, {200, 520});
    Label(t, 200, 536, cascade ? "FV-802" : "TV-801", Align::Centre);
    Instrument(t, {620, 200}, "TT", "801");
    SignalLine(t, {{620, 220}, {620, 290}});
    Function(t, {620, 130}, "F");
    SignalLine(t, {{620, 180}, {620, 143}});
    Instrument(t, {690, 60}, "TIC", "801");
    SignalLine(t, {{633, 130}, {690, 130}, {690, 80}});
    if (cascade) {
        OrificePlate(t, {320, 520});
        Instrument(t, {260, 430}, "FIC", "802");
        SignalLine(t, {{670, 60}, {560, 60}, {560, 490}, {260, 490}, {260, 450}});
        SignalLine(t, {{320, 510}, {320, 430}, {280, 430}});
        SignalLine(t, {{240, 430}, {200, 430}, {200, 491}});
    } else {
        SignalLine(t, {{670, 60}, {560, 60}, {560, 480}, {200, 480}, {200, 491}});
    }

    a.Variable(Mp(1), "Nm³/h", 0, 500);
    a.Variable(Mp(2), "°C", 200, 600);
    a.Variable(Mb(1), "%", 0, 100);
    a.Variable(Mb(2), "°C", 200, 600);
    a.Variable(Mp(3), "°C", 200, 600);
    a.Bounds(Mp(3), 400, 500);

    a.Entry(1, "Filtro TT|TT filter", "s", 0, 20, 4, {40, 130});
    a.CommandButton(1, "Porta|Door", "Fechada|Closed", "Aberta|Open", {600, 380});
    a.CommandButton(2, "Gás|Gas", "Normal|Normal", "Pressão baixa|Low pressure", {600, 380});
    // Fast measurement noise of +-0.5 % of span.
    a.Generator(81, GeneratorRow::FastRandom, "Ruído TT-801|TT-801 noise", "49.5", "50.5", "50");

    Process& gas = a.ProcessBlock(1, cascade ? "FV-802" : "TV-801", "Vazão de gás|Gas flow", valveInput,
                                {161, 548});
    gas.LText = "2";
    gas.Ctext = "0";
    // Low supply pressure takes 30 % of the flow off the same opening.
    gas.GainText = "1-0.3*" + Ref(98);
    // An open door lets 15 % of the heat out.
    a.CalculationBlock(1, "F-801Q", "Calor líquido|Net heat", Ref(Mp(1)) + "-15*" + Ref(97), {300, 560});
    Process& furnace = a.ProcessBlock(2, "F-801", "Temperatura de saída|Outlet temperature", Mb(1), {361, 300});
    furnace.LText = "90";
    furnace.Ctext = "30";
    furnace.DeadTime = "2";
    a.CalculationBlock(2, "TT-801", "Medição com ruído|Noisy measurement", Ref(Mp(2)) + "+" + Ref(81) + "-50", {641, 220});
    // The transmitter's filter: its time constant follows the track.
    Process& filter = a.ProcessBlock(3, "TT-801F", "Temperatura filtrada|Filtered temperature", Mb(2), {641, 150});
    filter.LText = Ref(15) + "*0.2";
    filter.Ctext = "0";

    a.Text(1, "T saída|T outlet", Mp(3), 1, {660, 310});
    a.Text(2, "Gás|Gas", Mp(1), 0, {60, 560});
    a.Recorder(1, "TR-801", "Temperatura de saída|Outlet temperature", Mp(3), 61, 1, "PV;SP;MV", {20, 20});
    a.Recorder(2, "TR-801B", "Medição e filtro|Measurement and filter", Mb(2), Mp(3), 0,
                  "Medida|Measured;Filtrada|Filtered;", {20, 50});
    return Mp(3);
}

}  // namespace

void TubularFurnace(Author& a) {
    const int pv = Furnace801(a, 1, false);
    Controller& tic = a.PidController(1, "TIC-801", "Temperatura de saída|Outlet temperature", pv, {712, 49});
    // With the derivative the two lags of the furnace take a gain of 4; a PI
    // alone needs about 1.5 for the same overshoot.
    tic.KpText = "4";
    tic.KiText = "100";
    tic.KdText = "12";
    tic.state.autoMode = true;
    tic.state.SP = 62.5;
    tic.state.MV = 62.5;
    a.Text(3, "Saída TIC|TIC output", 1, 1, {60, 470});

    a.Comments(
        {
            "FORNO TUBULAR: FILTRO E AÇÃO DERIVATIVA",
            "O forno F-801 aquece um fluido queimando gás. O TIC-801 mede a temperatura de saída pelo TT-801 e "
            "move a válvula de gás TV-801. O forno tem inércia grande: a ação derivativa (Td = 12 s) antecipa a "
            "resposta e permite um ganho maior (Kc = 4), para um controle mais firme.",
            "A medida de temperatura tem ruído. A derivada amplifica o ruído e a válvula fica nervosa. Por isso o "
            "sinal passa por um filtro de primeira ordem (TT-801F), cuja constante de tempo se ajusta na barra.",
            "",
            "O QUE EXPERIMENTAR",
            "1. Leve o filtro a 1 s: a saída do TIC-801 pula dezenas de por cento o tempo todo (registrador TR-801). "
            "Em 0 s cada amostra de ruído, multiplicada pela derivada, vira um salto de ponta a ponta: a saída bate "
            "entre 0 e 100 %, o TIC-801 perde o controle e a temperatura cai cerca de 50 °C. Volte a 4 s.",
            "2. Clique em Porta para abri-la: 15 % do calor escapa e a temperatura cai. Feche-a depois.",
            "3. Clique em Gás para simular queda da pressão do gás: a mesma abertura dá menos gás. Compare com o "
            "exemplo Forno Tubular II, que tem um controle de vazão em cascata.",
            "4. Zere o Td e suba o SP em 40 °C: com o mesmo Kc a temperatura passa do SP cerca de 20 % do degrau, "
            "contra uns 5 % com a derivada, e leva bem mais tempo para assentar. Sem derivada, uma resposta calma pede "
            "Kc 1.5, e a malha fica mais lenta: com a porta aberta a temperatura se afasta do SP quase duas vezes "
            "mais. É a derivada que permite o ganho alto. Com filtro muito grande (20 s) o atraso do filtro também "
            "piora o controle: procure o melhor compromisso.",
        },
        {
            "FIRED HEATER: FILTER AND DERIVATIVE ACTION",
            "Furnace F-801 heats a fluid by burning gas. TIC-801 measures the outlet temperature through TT-801 and "
            "moves gas valve TV-801. The furnace has a large inertia: derivative action (Td = 12 s) anticipates "
            "the response and allows a higher gain (Kc = 4), for tighter control.",
            "The temperature measurement is noisy. Derivative action amplifies the noise and makes the valve "
            "nervous. The signal therefore passes through a first-order filter (TT-801F), whose time constant is "
            "set on the track.",
            "",
            "WHAT TO TRY",
            "1. Take the filter to 1 s: the output of TIC-801 jumps by tens of percent all the time (recorder TR-801). "
            "At 0 s every noise sample, multiplied by the derivative, becomes a jump from end to end: the output bangs "
            "between 0 and 100 %, TIC-801 loses control and the temperature falls by about 50 °C. Go back to 4 s.",
            "2. Click Door to open it: 15 % of the heat escapes and the temperature falls. Close it afterwards.",
            "3. Click Gas to simulate a drop of the gas pressure: the same opening passes less gas. Compare with "
            "the Furnace Temperature (Master-Slave) example, which has a cascaded flow loop.",
            "4. Set Td to zero and raise the SP by 40 °C: with the same Kc the temperature overshoots by about 20 % of "
            "the step, against some 5 % with derivative, and takes much longer to settle. Without derivative a calm "
            "response needs Kc 1.5, and the loop becomes slower: with the door open the temperature strays nearly "
            "twice as far from the SP. It is the derivative that allows the high gain. With a very long filter (20 s) "
            "the filter's lag spoils the control too: look for the best compromise.",
        });
}

void CascadeFurnace(Author& a) {
    const int pv = Furnace801(a, 2, true);
    // Master: the outlet temperature sets the gas flow wanted, with the
    // single loop's tuning: the fast slave adds almost no lag. Its output is
    // the slave's SP, so its derivative gets a filter of its own, which
    // keeps the measurement noise off the gas valve.
    Controller& tic = a.PidController(1, "TIC-801", "Temperatura de saída|Outlet temperature", pv, {712, 49});
    tic.KpText = "4";
    tic.KiText = "100";
    tic.KdText = "12";
    tic.tfText = "3";
    // While the slave's valve is at a stop the master's integral waits.
    tic.BackMVCheck = true;
    tic.BackMV = 2 - 1;
    // Output tracking: out of cascade the slave's SP no longer follows the
    // master, and the integrator TY-801T moves the master's bias until its
    // output meets that SP again, so that the way back into cascade starts
    // where the slave stands. In cascade the gap is exactly 0 and the bias
    // stays put.
    a.CalculationBlock(3, "TY-801D", "SP FIC-802 - saída TIC-801|FIC-802 SP - TIC-801 output",
                       Ref(62) + "-" + Ref(1), {440, 100});
    Process& tracking = a.ProcessBlock(4, "TY-801T", "Rastreio do TIC-801|TIC-801 tracking", Mb(3), {440, 126});
    tracking.TransferFunctionKind = 3;
    // A time constant of 5 s; the loop through the two controllers stays
    // calm up to the fast simulation's 1 s step.
    tracking.GainText = "0.2";
    tracking.SaturatorDisabled = true;
    tic.FFwSelect = true;
    tic.FFwEquation = Ref(Mp(4));
    tic.BiasText = "0";
    tic.state.autoMode = true;
    tic.state.SP = 62.5;
    tic.state.MV = 62.5;
    // Slave: the gas flow, with the master's output as remote setpoint.
    RemoteSetpoint(Loop(a, 2, "FIC-802", "Vazão de gás|Gas flow", Mp(1), {150, 396}, "0.5", "2", false, 62.5, 62.5), 1);
    a.Text(3, "Válvula FV-802|FV-802 valve", 2, 1, {60, 470});

    a.Comments(
        {
            "FORNO TUBULAR II: CONTROLE MESTRE-ESCRAVO (CASCATA)",
            "É o mesmo forno do exemplo Forno Tubular, agora com duas malhas em cascata. O mestre TIC-801 não move "
            "a válvula: sua saída é o setpoint remoto do escravo FIC-802, que controla a vazão de gás. O mestre tem a "
            "sintonia da malha simples (Kc = 4, Ti = 100 s, Td = 12 s): o escravo é rápido e quase não atrasa. Como sua "
            "saída é o SP do escravo, sua derivada tem um filtro de 3 s (campo Filtro D talF), que tira o ruído da medida da "
            "válvula de gás.",
            "Um distúrbio na linha de gás (queda de pressão) é corrigido pelo FIC-802 em poucos segundos, antes "
            "de mudar a temperatura. O mestre cuida do que é lento: a porta, a carga e o seu SP.",
            "O TIC-801 recebe de volta a saída do escravo (campo End. p/ Realim. de MV): se a válvula chega a 0 "
            "ou 100 %, a integral do mestre para, e não acumula um erro que o escravo não pode corrigir.",
            "Fora da cascata, o SP do FIC-802 deixa de seguir o TIC-801. O bloco TY-801D mede a diferença entre os "
            "dois e o integrador TY-801T move o bias do TIC-801 (campo FF) até zerá-la: a saída do mestre "
            "acompanha o SP do escravo (rastreamento), e a volta para a cascata não dá salto. Na cascata a "
            "diferença é zero e o bias fica parado.",
            "",
            "O QUE EXPERIMENTAR",
            "1. Clique em Gás: a pressão cai, o FIC-802 abre a válvula e a temperatura se afasta só uns 2 °C do SP. "
            "No exemplo Forno Tubular, sem a cascata, ela cai uns 19 °C.",
            "2. Abra a porta e veja o mestre agir: a temperatura cai uns 12 °C, como no Forno Tubular. A porta tira "
            "calor do forno, fora da malha do escravo: ali a cascata não ajuda nem atrapalha. O ganho dela está na "
            "linha de gás.",
            "3. Passe o FIC-802 para local (botão L/R) e baixe seu SP de 62.5 para 55 %: a temperatura cai uns "
            "30 °C, e a saída do TIC-801 acompanha o SP do FIC-802 em vez de subir. Depois de 10 minutos volte o "
            "FIC-802 para remoto: seu SP parte de 55 % e o TIC-801 o sobe aos poucos; a temperatura volta ao SP sem "
            "passar dele.",
            "4. Ponha o ganho do TY-801T em 0 (sem rastreamento) e repita o passo 3: com a cascata aberta a saída do "
            "TIC-801 sobe até perto de 100 %, e na volta para remoto o SP do FIC-802 salta de 55 para perto de 100 % de uma "
            "vez; a temperatura passa do SP uns 16 °C. Volte o ganho para 0.2.",
        },
        {
            "FIRED HEATER II: MASTER-SLAVE (CASCADE) CONTROL",
            "This is the furnace of the Furnace Temperature example, now with two loops in cascade. Master TIC-801 "
            "does not move the valve: its output is the remote setpoint of slave FIC-802, which controls the gas "
            "flow. The master has the single loop's tuning (Kc = 4, Ti = 100 s, Td = 12 s): the slave is fast and "
            "adds almost no lag. As its output is the slave's SP, its derivative has a filter of 3 s (field D Filter talF), "
            "which keeps the measurement noise off the gas valve.",
            "A disturbance in the gas line (a pressure drop) is corrected by FIC-802 within seconds, before it "
            "changes the temperature. The master deals with what is slow: the door, the load and its SP.",
            "TIC-801 receives the slave's output back (field Slave MV Adress): when the valve reaches 0 or 100 %, "
            "the master's integral stops and does not build up an error the slave cannot correct.",
            "Out of cascade, the SP of FIC-802 no longer follows TIC-801. Block TY-801D measures the difference "
            "between the two and integrator TY-801T moves the bias of TIC-801 (field FF) until it is gone: the "
            "master's output follows the slave's SP (tracking), and the way back into cascade has no jump. In "
            "cascade the difference is zero and the bias stays put.",
            "",
            "WHAT TO TRY",
            "1. Click Gas: the pressure drops, FIC-802 opens the valve and the temperature strays only about 2 °C "
            "from the SP. In the Furnace Temperature example, without the cascade, it falls about 19 °C.",
            "2. Open the door and watch the master act: the temperature falls about 12 °C, as in the Furnace "
            "Temperature example. The door takes heat from the furnace, outside the slave's loop: there the cascade "
            "neither helps nor hurts. Its gain is in the gas line.",
            "3. Switch FIC-802 to local (L/R button) and lower its SP from 62.5 to 55 %: the temperature falls about "
            "30 °C, and the output of TIC-801 follows the SP of FIC-802 instead of climbing. After 10 minutes switch "
            "FIC-802 back to remote: its SP starts from 55 % and TIC-801 raises it gradually; the temperature comes "
            "back to the SP without overshooting it.",
            "4. Set the gain of TY-801T to 0 (no tracking) and repeat step 3: while the cascade is open the output "
            "of TIC-801 climbs to nearly 100 %, and back in remote the SP of FIC-802 jumps from 55 to nearly 100 % at "
            "once; the temperature overshoots the SP by about 16 °C. Set the gain back to 0.2.",
        });
}

}  // namespace kivo::examples
