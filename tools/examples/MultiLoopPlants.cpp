// Multi-loop plants: a reactor, a gas cooling plant and a de-ethaniser.
#include "Authoring.h"

namespace kivo::examples {

using namespace palette;

namespace {

// A valve process: first-order lag of tau seconds.
Process& Valve(Author& a, int n, const std::string& tag, const std::string& desc, int entry, Point mark,
                   const char* tau = "2") {
    Process& p = a.ProcessBlock(n, tag, desc, entry, mark);
    p.LText = tau;
    p.Ctext = "0";
    return p;
}

Process& Integrator(Author& a, int n, const std::string& tag, const std::string& desc, int entry, Point mark,
                      const char* gain) {
    Process& p = a.ProcessBlock(n, tag, desc, entry, mark);
    p.TransferFunctionKind = 3;
    p.GainText = gain;
    // Integrators start at mid-range; the settling run finds the balance.
    p.InitialValueText = "50";
    p.initialValuePending = true;
    return p;
}

}  // namespace

void Reactor(Author& a) {
    Canvas& t = a.canvas;
    JacketedReactor(t, 330, 190, 140, 210, 0.5);
    Label(t, 392, 420, "R-901", Align::Right);
    // Feed at the top, product from the bottom, cooling water in the jacket.
    Pipe(t, {{30, 130}, {370, 130}, {370, 190}}, kLine, true);
    Label(t, 30, 110, "U-900");
    OrificePlate(t, {110, 130});
    ControlValve(t, {250, 130});
    Label(t, 250, 146, "FV-901", Align::Centre);
    Pipe(t, {{400, 410}, {400, 480}, {770, 480}}, kLine, true);
    OrificePlate(t, {500, 480});
    ControlValve(t, {640, 480});
    Label(t, 640, 496, "FV-903", Align::Centre);
    // Hand valve downstream: switch 2 throttles it, a disturbance in the
    // product line that FIC-903 must take out.
    HandValve(t, {730, 480});
    Label(t, 730, 492, "HV-905", Align::Centre);
    Pipe(t, {{30, 370}, {320, 370}}, kWater, true);
    ControlValve(t, {200, 370});
    Label(t, 200, 386, "TV-904", Align::Centre);
    Pipe(t, {{480, 330}, {770, 330}}, kWater, true);
    Instrument(t, {180, 60}, "FIC", "901");
    SignalLine(t, {{110, 120}, {110, 60}, {160, 60}});
    SignalLine(t, {{200, 60}, {250, 60}, {250, 101}});
    Instrument(t, {600, 240}, "LIC", "902");
    SignalLine(t, {{470, 240}, {580, 240}});
    Instrument(t, {580, 400}, "FIC", "903");
    SignalLine(t, {{600, 260}, {600, 345}, {580, 345}, {580, 380}});
    SignalLine(t, {{500, 470}, {500, 400}, {560, 400}});
    SignalLine(t, {{580, 420}, {580, 440}, {640, 440}, {640, 451}});
    Instrument(t, {200, 270}, "TIC", "904");
    SignalLine(t, {{330, 270}, {220, 270}});
    SignalLine(t, {{200, 290}, {200, 341}});
    Function(t, {110, 230}, "FF");
    SignalLine(t, {{110, 140}, {110, 217}});
    SignalLine(t, {{123, 230}, {150, 230}, {150, 270}, {180, 270}});

    a.Variable(Mp(1), "m³/h", 0, 20);
    a.Variable(Mp(2), "m³/h", 0, 20);
    a.Variable(Mp(3), "%", 0, 100);
    a.Bounds(Mp(3), 20, 80);
    a.Variable(Mp(4), "m³/h", 0, 50);
    a.Variable(Mp(5), "°C", 0, 150);
    a.Variable(Mp(6), "m³/h", 0, 20);
    a.Variable(Mp(7), "m³/h", 0, 20);
    a.Variable(Mb(3), "m³/h", 0, 20);
    a.Bounds(Mp(5), 60, 95);

    a.Entry(1, "T água|Water T", "°C", 15, 35, 25, {40, 480});
    a.ToggleSwitch(1, 2, 1, {220, 500});
    a.ToggleSwitch(2, 2, 0, {220, 550});

    Valve(a, 1, "FV-901", "Carga do reator|Reactor feed", 1, {211, 156});
    // Throttled, HV-905 lets through 30 % less at the same FV-903 opening.
    Valve(a, 2, "FV-903", "Produto|Product", 3, {601, 506}).GainText = "1-0.3*" + Ref(12);
    a.CalculationBlock(1, "R-901M", "Balanço de massa|Mass balance", Ref(Mp(1)) + "-" + Ref(Mp(2)), {480, 150});
    Integrator(a, 3, "R-901", "Nível do reator|Reactor level", Mb(1), {300, 440}, "0.01");
    Valve(a, 4, "TV-904", "Água de resfriamento|Cooling water", 4, {161, 396}, "5");
    // The reaction heat grows with the feed; the water removes it, less so
    // when it arrives warm.
    a.CalculationBlock(2, "R-901Q", "Balanço térmico|Heat balance",
            "50+0.6*(" + Ref(Mp(1)) + "-50)-0.6*(" + Ref(Mp(4)) + "-50)+0.5*(" + Ref(15) + "-50)", {480, 176});
    Process& temp = a.ProcessBlock(5, "R-901T", "Temperatura do reator|Reactor temperature", Mb(2), {480, 202});
    temp.LText = "120";
    temp.Ctext = "20";
    temp.DeadTime = "2";

    Loop(a, 1, "FIC-901", "Carga do reator|Reactor feed", Mp(1), {202, 49}, "0.5", "2", false, 50, 50);
    Loop(a, 2, "LIC-902", "Nível do reator|Reactor level", Mp(3), {622, 229}, "2", "200", true, 50, 50);
    RemoteSetpoint(Loop(a, 3, "FIC-903", "Produto|Product", Mp(2), {602, 389}, "0.5", "2", false, 50, 50), 2);
    Controller& tic =
        Loop(a, 4, "TIC-904", "Temperatura do reator|Reactor temperature", Mp(5), {120, 296}, "2", "100", true, 50, 50);
    // Feed-forward from the feed flow: each % of feed needs 1 % of water.
    // FY-901C is the feed as the feed-forward sees it: it follows the feed
    // while switch 1 is on and stands still while it is off, so that turning
    // the switch either way never moves the bias. It integrates the feed's
    // rate of change, with switch 1 as its gain (per second): the lag
    // FY-901A (1 s) trails the feed by that rate times 1 s, and FY-901B is
    // the difference. The lag comes after FV-901 among the processes and
    // reads the feed of the same cycle as FY-901B does; its step is a
    // backward difference, which the integrator's sum undoes exactly. The
    // settling run brings it from 0 to the feed, as it brings the feed.
    Process& lagged = a.ProcessBlock(6, "FY-901A", "Carga atrasada 1 s|Feed lagged 1 s", Mp(1), {10, 160});
    lagged.LText = "0";
    lagged.Ctext = "1";
    a.CalculationBlock(3, "FY-901B", "Variação da carga|Feed rate of change", Ref(Mp(1)) + "-" + Ref(Mp(6)),
                       {10, 186});
    Process& seen = a.ProcessBlock(7, "FY-901C", "Carga vista pela compensação|Feed seen by the feed-forward", Mb(3),
                                   {10, 250});
    seen.TransferFunctionKind = 3;
    seen.GainText = Ref(11);
    seen.SaturatorDisabled = true;
    tic.FFwSelect = true;
    tic.FFwEquation = Ref(Mp(7));

    a.Text(1, "Carga|Feed", Mp(1), 2, {120, 160});
    a.Text(2, "Nível|Level", Mp(3), 1, {345, 255});
    a.Text(3, "Temperatura|Temperature", Mp(5), 1, {490, 292});
    a.Text(4, "Produto|Product", Mp(2), 2, {690, 440});
    a.Text(5, "Água|Water", Mp(4), 1, {60, 390});
    a.BinaryText(6, "Compensação|Feed-forward", 11, "Desligada/Ligada|Off/On", {280, 500});
    a.BinaryText(7, "HV-905", 12, "Aberta/Estrangulada|Open/Throttled", {280, 560});
    a.Recorder(1, "TR-904", "Temperatura do reator|Reactor temperature", Mp(5), 64, 4, "PV;SP;MV", {690, 20});
    a.Recorder(2, "LR-902", "Nível do reator|Reactor level", Mp(3), 62, 2, "PV;SP;MV", {690, 50});

    a.Comments(
        {
            "REATOR: NÍVEL, TEMPERATURA E VAZÃO",
            "O reator R-901 recebe a carga pelo FIC-901. O nível é controlado pelo LIC-902 em cascata com o "
            "FIC-903: o LIC-902 não move a válvula de produto, ele dá o setpoint da vazão de produto. Um distúrbio "
            "na linha de produto é corrigido pelo FIC-903 antes de mexer no nível.",
            "A reação libera calor proporcional à carga. O TIC-904 controla a temperatura abrindo a água de "
            "resfriamento e tem compensação direta da carga (chave 1): quando a carga sobe, a água abre na mesma "
            "hora, sem esperar a temperatura subir. O FY-901C é a carga vista pela compensação: segue a carga "
            "enquanto a chave 1 está ligada e fica parado enquanto ela está desligada, e ligar ou desligar a chave "
            "não move a água.",
            "",
            "O QUE EXPERIMENTAR",
            "1. Mude o SP do FIC-901 de 10 para 13 m³/h: o nível e a temperatura se ajustam (registradores); a "
            "temperatura se afasta menos de 0.5 °C do SP.",
            "2. Desligue a chave 1 (a água não se move) e volte o SP do FIC-901 para 10 m³/h: sem a compensação a "
            "temperatura se afasta uns 5 °C do SP.",
            "3. Esquente a água de resfriamento na barra (de 25 para 32 °C) e veja o TIC-904 compensar.",
            "4. Ligue a chave 2: a válvula manual HV-905 estrangula a linha de produto, que passa 30 % menos na "
            "mesma abertura. O FIC-903 abre a FV-903 de 50 para uns 71 % e recupera a vazão em uns 15 s; o nível "
            "mal se move (menos de 1 %). Desligue a chave, passe o FIC-903 para manual e ligue-a de novo: agora o "
            "nível sobe sem parar e passa do limite de 80 % em uns 3 minutos.",
            "5. Passe o FIC-903 para local (L/R) e mude a carga: o nível fica sem controle e deriva.",
        },
        {
            "REACTOR: LEVEL, TEMPERATURE AND FLOW",
            "Reactor R-901 takes its feed through FIC-901. The level is controlled by LIC-902 in cascade with "
            "FIC-903: LIC-902 does not move the product valve, it sets the product flow's setpoint. A disturbance in "
            "the product line is corrected by FIC-903 before it moves the level.",
            "The reaction releases heat in proportion to the feed. TIC-904 controls the temperature by opening the "
            "cooling water and has feed-forward from the feed (switch 1): when the feed rises, the water opens at "
            "once, without waiting for the temperature to rise. FY-901C is the feed as the feed-forward sees it: it "
            "follows the feed while switch 1 is on and stands still while it is off, and turning the switch on or "
            "off does not move the water.",
            "",
            "WHAT TO TRY",
            "1. Change the SP of FIC-901 from 10 to 13 m³/h: level and temperature adjust (recorders); the "
            "temperature strays less than 0.5 °C from its SP.",
            "2. Turn switch 1 off (the water does not move) and take the SP of FIC-901 back to 10 m³/h: without "
            "feed-forward the temperature strays about 5 °C from its SP.",
            "3. Warm the cooling water on the track (from 25 to 32 °C) and watch TIC-904 compensate.",
            "4. Turn switch 2 on: hand valve HV-905 throttles the product line, which passes 30 % less at the same "
            "opening. FIC-903 opens FV-903 from 50 to about 71 % and restores the flow in about 15 s; the level "
            "hardly moves (less than 1 %). Turn the switch off, put FIC-903 in manual and turn it on again: now the "
            "level rises without end and passes its 80 % limit in about 3 minutes.",
            "5. Switch FIC-903 to local (L/R) and change the feed: the level is left uncontrolled and drifts.",
        });
}


void CoolingPlant(Author& a) {
    Canvas& t = a.canvas;
    // Hot gas through cooler E-1001 into separator V-1001.
    Pipe(t, {{30, 200}, {152, 200}}, kGas);
    Label(t, 30, 180, "U-1000");
    Exchanger(t, 150, 170, 200, 60);
    Label(t, 250, 150, "E-1001", Align::Centre);
    Pipe(t, {{348, 200}, {450, 200}}, kGas, true);
    VerticalVessel(t, 450, 140, 90, 260, 0.35);
    Label(t, 495, 408, "V-1001", Align::Centre);
    Pipe(t, {{495, 140}, {495, 90}, {770, 90}}, kGas, true);
    ControlValve(t, {660, 90});
    Label(t, 660, 106, "PV-1003", Align::Centre);
    Pipe(t, {{495, 400}, {495, 480}, {770, 480}}, kWater, true);
    ControlValve(t, {660, 480});
    Label(t, 660, 496, "LV-1002", Align::Centre);
    // Cooling water into the shell from below, out at the top.
    Pipe(t, {{300, 420}, {300, 230}}, kWater, true);
    ControlValve(t, {300, 340}, Direction::Vertical);
    Label(t, 314, 350, "TV-1001");
    Pipe(t, {{200, 170}, {200, 110}, {110, 110}}, kWater, true);
    Instrument(t, {400, 280}, "TIC", "1001");
    SignalLine(t, {{400, 200}, {400, 260}});
    SignalLine(t, {{380, 280}, {271, 280}, {271, 329}});
    Instrument(t, {620, 300}, "LIC", "1002");
    SignalLine(t, {{540, 330}, {580, 330}, {600, 300}});
    SignalLine(t, {{620, 320}, {620, 440}, {660, 440}, {660, 451}});
    Instrument(t, {620, 190}, "PIC", "1003");
    SignalLine(t, {{540, 190}, {600, 190}});
    SignalLine(t, {{620, 170}, {620, 50}, {660, 50}, {660, 61}});

    a.Variable(Mp(1), "m³/h", 0, 80);
    a.Variable(Mp(2), "°C", 0, 100);
    a.Bounds(Mp(2), 30, 65);
    a.Variable(Mp(3), "m³/h", 0, 10);
    a.Variable(Mp(4), "%", 0, 100);
    a.Bounds(Mp(4), 15, 85);
    a.Variable(Mp(5), "Nm³/h", 0, 12000);
    a.Variable(Mp(6), "bar", 0, 20);
    a.Variable(Mb(2), "m³/h", 0, 10);

    a.Entry(1, "Carga gás|Gas load", "Nm³/h", 0, 10000, 6000, {40, 480});

    Valve(a, 1, "TV-1001", "Água de resfriamento|Cooling water", 1, {314, 368}, "4");
    a.CalculationBlock(1, "E-1001Q", "Troca térmica|Heat exchange",
            "70+0.3*(" + Ref(15) + "-60)-0.5*" + Ref(Mp(1)), {40, 240});
    Process& temp = a.ProcessBlock(2, "E-1001", "Temperatura do gás|Gas temperature", Mb(1), {160, 240});
    temp.LText = "60";
    temp.Ctext = "10";
    temp.DeadTime = "2";
    // The colder the gas, the more of it condenses.
    a.CalculationBlock(2, "V-1001C", "Condensação|Condensation",
            "0.5*" + Ref(15) + "*(100-" + Ref(Mp(2)) + ")/100", {370, 420});
    Valve(a, 3, "LV-1002", "Dreno de condensado|Condensate drain", 2, {621, 506});
    a.CalculationBlock(3, "V-1001M", "Balanço de líquido|Liquid balance", Ref(Mb(2)) + "-0.5*" + Ref(Mp(3)), {370, 446});
    Integrator(a, 4, "V-1001", "Nível do separador|Separator level", Mb(3), {456, 420}, "0.02");
    Valve(a, 5, "PV-1003", "Gás resfriado|Cooled gas", 3, {621, 116});
    // What condenses leaves the gas phase, and weighs enough on the balance
    // that a colder gas shows on the pressure before PIC-1003 answers.
    a.CalculationBlock(4, "V-1001G", "Balanço de gás|Gas balance",
            Ref(15) + "-2*" + Ref(Mb(2)) + "-1.2*" + Ref(Mp(5)), {370, 472});
    Integrator(a, 6, "V-1001P", "Pressão do separador|Separator pressure", Mb(4), {456, 446}, "0.05");

    Loop(a, 1, "TIC-1001", "Temperatura do gás|Gas temperature", Mp(2), {330, 304}, "1.5", "60", true, 45, 50);
    Loop(a, 2, "LIC-1002", "Nível do separador|Separator level", Mp(4), {642, 289}, "2", "120", true, 50, 33);
    Loop(a, 3, "PIC-1003", "Pressão do separador|Separator pressure", Mp(6), {642, 179}, "1", "60", true, 50, 22.5);

    a.Text(1, "T gás|Gas T", Mp(2), 1, {370, 215});
    a.Text(2, "Nível|Level", Mp(4), 1, {460, 300});
    a.Text(3, "Pressão|Pressure", Mp(6), 2, {460, 240});
    a.Text(4, "Condensado|Condensate", Mb(2), 2, {150, 420});
    a.Text(5, "Água|Water", Mp(1), 1, {160, 310});
    a.Text(6, "Gás|Gas", Mp(5), 0, {705, 130});
    a.Recorder(1, "TR-1001", "Temperatura do gás|Gas temperature", Mp(2), 61, 1, "PV;SP;MV", {690, 20});
    a.Recorder(2, "PR-1003", "Pressão do separador|Separator pressure", Mp(6), 63, 3, "PV;SP;MV", {20, 20});
    a.Recorder(3, "LR-1002", "Nível do separador|Separator level", Mp(4), 62, 2, "PV;SP;MV", {110, 20});

    a.Comments(
        {
            "PLANTA DE RESFRIAMENTO DE GÁS",
            "O gás quente passa pelo resfriador E-1001 e entra no separador V-1001. Parte do gás condensa: o "
            "líquido se junta no fundo e o gás resfriado sai pelo topo.",
            "Três malhas: o TIC-1001 controla a temperatura do gás com a água de resfriamento; o LIC-1002 drena o "
            "condensado; o PIC-1003 segura a pressão do separador pela válvula de gás PV-1003.",
            "As malhas interagem: quanto mais frio o gás, mais ele condensa. O condensado sobe o nível e o volume "
            "de gás que some faz a pressão cair.",
            "",
            "O QUE EXPERIMENTAR",
            "1. Aumente a carga de gás de 6000 para 8000 Nm³/h e veja as três malhas reagirem.",
            "2. Baixe o SP do TIC-1001 de 45 para 35 °C: o condensado sobe de 1.65 para 1.95 m³/h. O nível sobe "
            "uns 1.6 % até o LIC-1002 abrir o dreno de 33 para 39 %, e a pressão cai uns 0.4 bar enquanto o "
            "PIC-1003 fecha a PV-1003 de 22 para 17 % (registradores LR-1002 e PR-1003).",
            "3. Ponha o LIC-1002 em manual e repita o passo 2: o nível sobe sem parar.",
        },
        {
            "GAS COOLING PLANT",
            "The hot gas passes through cooler E-1001 into separator V-1001. Part of the gas condenses: the liquid "
            "gathers at the bottom and the cooled gas leaves at the top.",
            "Three loops: TIC-1001 controls the gas temperature with the cooling water; LIC-1002 drains the "
            "condensate; PIC-1003 holds the separator pressure with gas valve PV-1003.",
            "The loops interact: the colder the gas, the more of it condenses. The condensate raises the level and "
            "the gas volume that disappears makes the pressure fall.",
            "",
            "WHAT TO TRY",
            "1. Raise the gas load from 6000 to 8000 Nm³/h and watch the three loops react.",
            "2. Lower the SP of TIC-1001 from 45 to 35 °C: the condensate rises from 1.65 to 1.95 m³/h. The level "
            "rises about 1.6 % until LIC-1002 opens the drain from 33 to 39 %, and the pressure falls about 0.4 bar "
            "while PIC-1003 closes PV-1003 from 22 to 17 % (recorders LR-1002 and PR-1003).",
            "3. Put LIC-1002 in manual and repeat step 2: the level rises without end.",
        });
}


void Deethanizer(Author& a) {
    Canvas& t = a.canvas;
    // Feed surge drum V-1101, column T-1101 with reboiler E-1102 and
    // overhead condenser E-1103 into reflux drum V-1102.
    Pipe(t, {{30, 160}, {95, 160}, {95, 200}}, kLine, true);
    Label(t, 30, 140, "U-1100");
    VerticalVessel(t, 60, 200, 70, 180, 0.5);
    Label(t, 102, 386, "V-1101");
    Pipe(t, {{95, 380}, {95, 440}, {330, 440}, {330, 300}, {360, 300}}, kLine, true);
    OrificePlate(t, {170, 440});
    ControlValve(t, {250, 440});
    Label(t, 250, 456, "FV-1102", Align::Centre);
    Column(t, 360, 90, 70, 380, 9);
    Label(t, 388, 478, "T-1101", Align::Right);
    // Reboiler loop at the bottom, steam through FV-1104.
    Pipe(t, {{430, 440}, {480, 440}});
    Exchanger(t, 470, 420, 100, 40);
    Label(t, 527, 466, "E-1102");
    Pipe(t, {{570, 440}, {600, 440}, {600, 380}, {432, 380}}, kLine, true);
    Pipe(t, {{770, 520}, {520, 520}, {520, 462}}, kVapor, true);
    OrificePlate(t, {700, 520});
    ControlValve(t, {620, 520});
    Label(t, 612, 530, "FV-1104", Align::Right);
    Pipe(t, {{395, 470}, {395, 560}, {770, 560}}, kLine, true);
    // Overhead.
    Pipe(t, {{395, 90}, {395, 50}, {520, 50}}, kGas);
    AirCooler(t, 520, 30, 110, 70);
    Label(t, 514, 70, "E-1103", Align::Right);
    Pipe(t, {{630, 50}, {670, 50}, {670, 160}}, kGas, true);
    HorizontalDrum(t, 600, 160, 150, 50, 0.5);
    Label(t, 675, 218, "V-1102", Align::Centre);
    Pipe(t, {{720, 160}, {720, 130}, {770, 130}}, kGas, true);
    ControlValve(t, {745, 130});
    Pipe(t, {{640, 210}, {640, 300}, {770, 300}}, kLine, true);
    ControlValve(t, {690, 300});
    Label(t, 690, 316, "LV-1105", Align::Centre);
    Instrument(t, {190, 260}, "LIC", "1101");
    SignalLine(t, {{130, 260}, {170, 260}});
    Instrument(t, {250, 370}, "FIC", "1102");
    SignalLine(t, {{190, 280}, {190, 370}, {230, 370}});
    SignalLine(t, {{170, 430}, {170, 400}, {236, 384}});
    SignalLine(t, {{250, 390}, {250, 411}});
    // The bottom temperature is measured in the sump, below the last tray; TIC-1103 sets the steam flow of FIC-1104.
    Instrument(t, {560, 335}, "TIC", "1103");
    SignalLine(t, {{430, 425}, {452, 425}, {452, 400}, {560, 400}, {560, 355}});
    Function(t, {560, 290}, "FF");
    SignalLine(t, {{270, 370}, {300, 370}, {300, 290}, {547, 290}});
    SignalLine(t, {{560, 303}, {560, 315}});
    Instrument(t, {660, 470}, "FIC", "1104");
    SignalLine(t, {{580, 335}, {660, 335}, {660, 450}});
    SignalLine(t, {{700, 510}, {700, 470}, {680, 470}});
    SignalLine(t, {{640, 470}, {620, 470}, {620, 491}});
    Instrument(t, {570, 250}, "LIC", "1105");
    Instrument(t, {560, 160}, "PIC", "1106");
    // The top pressure, taken at the head of the column.
    SignalLine(t, {{430, 136}, {560, 136}, {560, 140}});

    a.Variable(Mp(1), "%", 0, 100);
    a.Bounds(Mp(1), 15, 85);
    a.Variable(Mp(2), "t/h", 0, 50);
    a.Variable(Mp(3), "t/h", 0, 10);
    a.Variable(Mp(4), "°C", 60, 120);
    a.Variable(Mp(5), "t/h", 0, 30);
    a.Variable(Mp(6), "%", 0, 100);
    a.Bounds(Mp(6), 15, 85);
    a.Variable(Mp(7), "t/h", 0, 30);
    a.Variable(Mp(8), "t/h", 0, 10);
    a.Variable(Mp(9), "bar", 0, 30);

    a.Entry(1, "Chegada|Arrival", "t/h", 0, 50, 25, {20, 530});
    a.ToggleSwitch(1, 2, 0, {200, 500});
    a.ToggleSwitch(2, 2, 1, {200, 550});
    a.Generator(81, GeneratorRow::MediumRandom, "30", "25", "75", "50");

    Integrator(a, 1, "V-1101", "Nível do vaso pulmão|Surge drum level", Mb(1), {10, 410}, "0.01");
    Valve(a, 2, "FV-1102", "Carga da torre|Column feed", 2, {254, 470});
    Valve(a, 3, "FV-1104", "Vapor do refervedor|Reboiler steam", 4, {628, 532}, "3");
    Process& background = a.ProcessBlock(4, "T-1101", "Temperatura de fundo|Bottom temperature", Mb(2), {441, 330});
    background.LText = "120";
    background.Ctext = "30";
    background.DeadTime = "2";
    Process& top = a.ProcessBlock(5, "E-1103", "Condensado de topo|Overhead condensate", Mb(3), {520, 110});
    top.LText = "60";
    top.Ctext = "0";
    Integrator(a, 6, "V-1102", "Nível do vaso de refluxo|Reflux drum level", Mb(4), {706, 218}, "0.02");
    Valve(a, 7, "LV-1105", "Destilado|Distillate", 5, {700, 330});
    Valve(a, 8, "PV-1106", "Gás de topo|Overhead gas", 6, {680, 60});
    Integrator(a, 9, "T-1101P", "Pressão de topo|Top pressure", Mb(5), {441, 146}, "0.05");

    a.CalculationBlock(1, "V-1101M", "Balanço do vaso pulmão|Surge drum balance",
            Ref(15) + "+" + Ref(11) + "*(" + Ref(81) + "-50)-" + Ref(Mp(2)), {10, 436});
    a.CalculationBlock(2, "T-1101Q", "Balanço térmico|Heat balance",
            "50+0.8*(" + Ref(Mp(3)) + "-50)-0.6*(" + Ref(Mp(2)) + "-50)", {441, 352});
    a.CalculationBlock(3, "T-1101V", "Vapor de topo|Overhead vapour",
            "0.6*" + Ref(Mp(2)) + "+0.3*(" + Ref(Mp(3)) + "-50)", {441, 172});
    a.CalculationBlock(4, "V-1102M", "Balanço do vaso de refluxo|Reflux drum balance",
            Ref(Mp(5)) + "-0.6*" + Ref(Mp(7)), {706, 244});
    a.CalculationBlock(5, "T-1101G", "Balanço de gás|Gas balance",
            "0.4*" + Ref(Mp(2)) + "+0.3*(" + Ref(Mp(3)) + "-50)-0.4*" + Ref(Mp(8)), {441, 198});

    // Averaging level: the drum absorbs the arrival swings, the column feed
    // moves slowly.
    Loop(a, 1, "LIC-1101", "Nível do vaso pulmão|Surge drum level", Mp(1), {150, 290}, "0.7", "600", true, 50, 50);
    RemoteSetpoint(Loop(a, 2, "FIC-1102", "Carga da torre|Column feed", Mp(2), {272, 384}, "0.5", "2", false, 50, 50),
                   1);
    Controller& tic = Loop(a, 3, "TIC-1103", "Temperatura de fundo|Bottom temperature", Mp(4), {578, 348}, "2",
                              "100", false, 50, 50);
    // More feed needs more steam: 0.75 % of steam per % of feed (switch 2).
    tic.FFwSelect = true;
    tic.FFwEquation = "50+" + Ref(12) + "*0.75*(" + Ref(Mp(2)) + "-50)";
    RemoteSetpoint(
        Loop(a, 4, "FIC-1104", "Vapor do refervedor|Reboiler steam", Mp(3), {684, 428}, "0.5", "2", false, 50, 50), 3);
    Loop(a, 5, "LIC-1105", "Nível do vaso de refluxo|Reflux drum level", Mp(6), {466, 239}, "2", "120", true, 50, 50);
    Loop(a, 6, "PIC-1106", "Pressão de topo|Top pressure", Mp(9), {521, 184}, "2", "40", true, 50, 50);
    SignalLine(t, {{570, 230}, {570, 222}, {615, 222}, {615, 209}});
    SignalLine(t, {{590, 250}, {690, 250}, {690, 271}});
    t.DashedLine({{580, 160}, {600, 160}, {600, 95}, {745, 95}, {745, 101}}, kSignalWidth, kSignal);

    a.Text(1, "Nível|Level", Mp(1), 1, {40, 320});
    a.Text(2, "Carga|Feed", Mp(2), 1, {140, 478});
    a.Text(3, "T fundo|Bottom T", Mp(4), 1, {430, 500});
    a.Text(4, "Pressão|Pressure", Mp(9), 1, {290, 100});
    a.Text(5, "Destilado|Distillate", Mp(7), 1, {690, 372});
    a.BinaryText(6, "Variação da chegada|Arrival swing", 11, "Desligada/Ligada|Off/On", {260, 510});
    a.BinaryText(7, "Compensação|Feed-forward", 12, "Desligada/Ligada|Off/On", {260, 560});
    a.Recorder(1, "LR-1101", "Vaso pulmão|Surge drum", Mp(1), 61, 2, "Nível|Level;SP;Carga|Feed", {20, 20});
    a.Recorder(2, "TR-1103", "Temperatura de fundo|Bottom temperature", Mp(4), 63, 3, "PV;SP;MV", {110, 20});

    a.Comments(
        {
            "TORRE DEETANIZADORA",
            "A carga chega irregular da unidade U-1100 e passa pelo vaso pulmão V-1101. O LIC-1101 faz controle "
            "médio de nível: em vez de manter o nível fixo, ele deixa o vaso absorver as variações e muda devagar o "
            "setpoint do FIC-1102, que alimenta a torre T-1101.",
            "A temperatura de fundo (TIC-1103) comanda em cascata a vazão de vapor do refervedor (FIC-1104) e tem "
            "compensação direta da carga (chave 2): mais carga pede mais vapor na mesma hora.",
            "No topo, o gás é condensado no E-1103 e junta-se no vaso de refluxo V-1102: o LIC-1105 retira o "
            "destilado e o PIC-1106 controla a pressão da torre pelo gás que sai.",
            "",
            "O QUE EXPERIMENTAR",
            "1. Ligue a chave 1: a chegada varia ao acaso. Veja no LR-1101 o nível absorver e a carga da torre "
            "mudar pouco.",
            "2. Desligue a compensação (chave 2) e mude a chegada para 35 t/h: compare a temperatura de fundo.",
            "3. Mude o SP do TIC-1103 e observe o FIC-1104, o nível do vaso de refluxo e a pressão de topo.",
        },
        {
            "DE-ETHANISER COLUMN",
            "The feed arrives unevenly from unit U-1100 and passes through surge drum V-1101. LIC-1101 does "
            "averaging level control: instead of holding the level fixed, it lets the drum absorb the swings and "
            "slowly changes the setpoint of FIC-1102, which feeds column T-1101.",
            "The bottom temperature (TIC-1103) drives the reboiler steam flow (FIC-1104) in cascade and has "
            "feed-forward from the feed (switch 2): more feed calls for more steam at once.",
            "At the top, the gas is condensed in E-1103 and gathers in reflux drum V-1102: LIC-1105 draws the "
            "distillate and PIC-1106 controls the column pressure with the gas that leaves.",
            "",
            "WHAT TO TRY",
            "1. Turn switch 1 on: the arrival swings at random. See on LR-1101 how the level absorbs it and the "
            "column feed changes little.",
            "2. Turn the feed-forward off (switch 2) and change the arrival to 35 t/h: compare the bottom "
            "temperature.",
            "3. Change the SP of TIC-1103 and watch FIC-1104, the reflux drum level and the top pressure.",
        });
}

}  // namespace kivo::examples
