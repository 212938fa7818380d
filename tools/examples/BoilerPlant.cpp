// The industrial boiler: steam pressure as master of cross-limited fuel and
// air, three-element drum level, and steam temperature with spray water.
#include "Authoring.h"

namespace kivo::examples {

using namespace palette;

namespace {

void DrawBoiler(Canvas& t) {
    // Drum, furnace and the tubes between them.
    HorizontalDrum(t, 300, 90, 220, 50, 0.5);
    Label(t, 410, 70, "D-1201", Align::Centre);
    t.Rectangle(290, 210, 240, 200, kEquipment);
    t.Frame(290, 210, 240, 200, kOutlineWidth + 1, kLine);
    for (int i = 0; i < 5; ++i) {
        const double x = 320 + 45 * i;
        t.Line({x, 140}, {x, 230}, 1.6, kMutedText);
    }
    for (int i = 0; i < 3; ++i) Flame(t, {350 + 60.0 * i, 404}, 70);
    Label(t, 410, 420, "B-1201", Align::Centre);
    // Steam: drum, superheater coil, spray, header to the users.
    Pipe(t, {{500, 90}, {500, 50}, {560, 50}}, kVapor);
    std::vector<Point> sh;
    for (int i = 0; i <= 6; ++i) sh.push_back({560 + 10.0 * i, (i % 2 == 0) ? 40.0 : 60.0});
    t.Polyline(sh, 2.5, kVapor);
    Label(t, 590, 70, "SH", Align::Centre);
    Pipe(t, {{620, 50}, {770, 50}}, kVapor, true);
    // The spray water joins the steam first; the temperature is measured
    // after it, where the water has taken its heat.
    Pipe(t, {{650, 150}, {650, 56}}, kWater, true);
    ControlValve(t, {650, 110}, Direction::Vertical);
    Label(t, 650, 156, "TV-1206", Align::Centre);
    // Feedwater into the drum.
    Pipe(t, {{30, 115}, {302, 115}}, kWater, true);
    OrificePlate(t, {60, 115});
    ControlValve(t, {150, 115});
    Label(t, 150, 131, "FV-1205", Align::Centre);
    // Fuel and air to the burners.
    Pipe(t, {{30, 470}, {380, 470}, {380, 412}}, kGas, true);
    OrificePlate(t, {110, 470});
    ControlValve(t, {220, 470});
    Label(t, 220, 486, "FV-1202", Align::Centre);
    Blower(t, {60, 545});
    Pipe(t, {{76, 529}, {76, 535}, {470, 535}, {470, 412}}, kAr, true);
    OrificePlate(t, {150, 535});
    ControlValve(t, {260, 535});
    Label(t, 260, 551, "FV-1203", Align::Centre);
    Label(t, 60, 568, "K-1203", Align::Centre);

    Instrument(t, {740, 240}, "PIC", "1201");
    SignalLine(t, {{740, 50}, {740, 220}});
    Function(t, {600, 430}, "<");
    Function(t, {600, 500}, ">");
    SignalLine(t, {{740, 260}, {740, 465}, {640, 465}, {640, 430}, {613, 430}});
    SignalLine(t, {{640, 465}, {640, 500}, {613, 500}});
    Instrument(t, {160, 420}, "FIC", "1202");
    SignalLine(t, {{587, 430}, {560, 430}, {560, 445}, {250, 445}, {180, 420}});
    SignalLine(t, {{110, 460}, {110, 420}, {140, 420}});
    SignalLine(t, {{160, 440}, {220, 441}});
    Instrument(t, {200, 570}, "FIC", "1203");
    SignalLine(t, {{587, 500}, {560, 500}, {560, 570}, {220, 570}});
    SignalLine(t, {{150, 545}, {150, 570}, {180, 570}});
    SignalLine(t, {{200, 560}, {200, 515}, {260, 515}, {260, 506}});
    // Three-element level: the level correction plus the steam flow,
    // measured on the drum outlet, set the feedwater flow.
    Instrument(t, {280, 40}, "LIC", "1204");
    SignalLine(t, {{330, 91}, {330, 40}, {300, 40}});
    Function(t, {225, 40}, "+");
    SignalLine(t, {{260, 40}, {238, 40}});
    OrificePlate(t, {500, 70}, Direction::Vertical);
    Instrument(t, {455, 40}, "FT", "1207");
    SignalLine(t, {{490, 70}, {455, 70}, {455, 60}});
    SignalLine(t, {{455, 20}, {455, 8}, {225, 8}, {225, 27}});
    Instrument(t, {150, 40}, "FIC", "1205");
    SignalLine(t, {{212, 40}, {170, 40}});
    SignalLine(t, {{60, 105}, {60, 40}, {130, 40}});
    SignalLine(t, {{150, 60}, {150, 86}});
    Instrument(t, {700, 175}, "TIC", "1206");
    SignalLine(t, {{700, 50}, {700, 155}});
    SignalLine(t, {{680, 175}, {612, 175}, {612, 110}, {621, 110}});
}

}  // namespace

void Boiler(Author& a) {
    DrawBoiler(a.canvas);

    a.Variable(Mp(1), "bar", 0, 50);
    a.Bounds(Mp(1), 25, 35);
    a.Variable(Mp(2), "Nm³/h", 0, 3000);
    a.Variable(Mp(3), "Nm³/h", 0, 36000);
    a.Variable(Mp(4), "t/h", 0, 40);
    a.Variable(Mp(5), "t/h", 0, 40);
    a.Variable(Mp(6), "t/h", 0, 40);
    a.Variable(Mp(9), "t/h", 0, 4);
    a.Variable(Mp(10), "°C", 300, 500);
    a.Bounds(Mp(10), 380, 440);
    a.Variable(Mb(4), "mm", -300, 300);
    a.Bounds(Mb(4), -150, 150);

    a.Entry(1, "Consumo|Demand", "t/h", 0, 40, 20, {20, 230});
    a.ToggleSwitch(1, 2, 0, {150, 250});
    a.Generator(81, GeneratorRow::MediumRandom, "20", "35", "65", "50");

    // Processes in the order that lets each read values of the same cycle.
    Process& pressure = a.ProcessBlock(1, "D-1201P", "Pressão do vapor|Steam pressure", Mb(2), {560, 240});
    // The water and steam in the drum store enough energy that a 30 % rise
    // of the demand costs under 3 bar before the firing catches up.
    pressure.TransferFunctionKind = 3;
    pressure.GainText = "0.005";
    auto valve = [&a](int n, const char* tag, const char* desc, int entry, Point mark, const char* tau) {
        Process& p = a.ProcessBlock(n, tag, desc, entry, mark);
        p.LText = tau;
        p.Ctext = "0";
        return &p;
    };
    valve(2, "FV-1202", "Vazão de gás|Gas flow", 2, {96, 482}, "2");
    valve(3, "FV-1203", "Vazão de ar|Air flow", 3, {300, 541}, "5");
    Process& generation = a.ProcessBlock(4, "B-1201", "Geração de vapor|Steam generation", Mb(1), {371, 300});
    generation.LText = "40";
    generation.Ctext = "10";
    // The users take steam as their valves and the pressure allow; switch 1
    // makes their demand swing.
    Process* demand = valve(5, "U-1200", "Vapor aos consumidores|Steam to users", 15, {660, 16}, "2");
    demand->GainText =
        "(" + Ref(Mp(1)) + "/60)^0.5*(1+" + Ref(11) + "*(" + Ref(81) + "-50)/100)";
    valve(6, "FV-1205", "Água de alimentação|Feedwater", 5, {160, 141}, "2");
    Process& level = a.ProcessBlock(7, "D-1201", "Inventário do tubulão|Drum inventory", Mb(3), {330, 150});
    level.TransferFunctionKind = 3;
    level.GainText = "0.01";
    valve(8, "D-1201S", "Vapor atrasado|Lagged steam", Mp(5), {430, 150}, "20");
    valve(9, "TV-1206", "Água de atemperação|Spray water", 6, {536, 184}, "3");
    Process& temp = a.ProcessBlock(10, "SH-1201", "Temperatura do vapor|Steam temperature", Mb(5), {530, 84});
    temp.LText = "60";
    temp.Ctext = "15";

    a.CalculationBlock(1, "B-1201Q", "Queima efetiva|Effective firing", Ref(Mp(2)) + "<" + Ref(Mp(3)) + "/1.1", {371, 326});
    a.CalculationBlock(2, "D-1201B", "Balanço de vapor|Steam balance", Ref(Mp(4)) + "-" + Ref(Mp(5)), {560, 266});
    a.CalculationBlock(3, "D-1201M", "Balanço de água|Water balance", Ref(Mp(6)) + "-" + Ref(Mp(5)), {330, 176});
    // The level seen by the transmitter swells when the steam flow rises
    // and shrinks when it falls, before the inventory follows.
    a.CalculationBlock(4, "LT-1204", "Nível do tubulão|Drum level",
            Ref(Mp(7)) + "+0.5*(" + Ref(Mp(5)) + "-" + Ref(Mp(8)) + ")", {430, 176});
    a.CalculationBlock(5, "TY-1206", "Calor no superaquecedor|Superheater heat",
            "70+0.4*(" + Ref(Mp(4)) + "-50)-0.5*" + Ref(Mp(9)), {530, 110});
    // Crossed limits: gas never above what the air can burn, air never below
    // what the gas needs.
    a.CalculationBlock(6, "FY-1202", "SP do gás|Gas SP", Ref(1) + "<" + Ref(Mp(3)) + "/1.1", {650, 419});
    a.CalculationBlock(7, "FY-1203", "SP do ar|Air SP", Ref(1) + "*1.1>" + Ref(Mp(2)) + "*1.1", {614, 516});
    // Three elements: level correction plus the steam flow.
    a.CalculationBlock(8, "FY-1205", "SP da água|Feedwater SP", Ref(4) + "+" + Ref(Mp(5)) + "-50", {156, 64});

    // Tight enough to stop the pressure within the operating limits and
    // bring it back in minutes; an SP step overshoots, as it does on a
    // process that integrates.
    Loop(a, 1, "PIC-1201", "Pressão do vapor|Steam pressure", Mp(1), {700, 264}, "3.5", "250", false, 60, 50);
    RemoteSetpoint(Loop(a, 2, "FIC-1202", "Vazão de gás|Gas flow", Mp(2), {60, 392}, "0.5", "2", false, 50, 50), Mb(6));
    RemoteSetpoint(Loop(a, 3, "FIC-1203", "Vazão de ar|Air flow", Mp(3), {224, 575}, "0.4", "4", false, 55, 55), Mb(7));
    Loop(a, 4, "LIC-1204", "Nível do tubulão|Drum level", Mb(4), {241, 64}, "1.5", "200", false, 50, 50);
    RemoteSetpoint(
        Loop(a, 5, "FIC-1205", "Água de alimentação|Feedwater", Mp(6), {66, 64}, "0.5", "2", false, 50, 50), Mb(8));
    Loop(a, 6, "TIC-1206", "Temperatura do vapor|Steam temperature", Mp(10), {655, 198}, "1.5", "60", true, 50, 40);

    a.Text(1, "Pressão|Pressure", Mp(1), 1, {650, 300});
    a.Text(2, "Vapor|Steam", Mp(5), 1, {650, 350});
    a.Text(3, "Nível|Level", Mb(4), 0, {40, 170});
    a.Text(4, "T vapor|Steam T", Mp(10), 1, {560, 390});
    a.Text(5, "Gás|Gas", Mp(2), 0, {300, 492});
    a.Text(6, "Ar|Air", Mp(3), 0, {490, 540});
    a.BinaryText(7, "Variação do consumo|Demand swing", 11, "Desligada/Ligada|Off/On", {20, 320});
    a.Recorder(1, "PR-1201", "Pressão do vapor|Steam pressure", Mp(1), 61, 1, "PV;SP;MV", {710, 480});
    a.Recorder(2, "FR-1202", "Gás e ar|Gas and air", Mb(6), Mp(2), Mp(3), "SP gás|Gas SP;Gás|Gas;Ar|Air",
                  {710, 506}, 0);
    a.Recorder(3, "LR-1204", "Nível do tubulão|Drum level", Mb(4), 64, 5, "PV;SP;Água|Water", {710, 532});
    a.Recorder(4, "TR-1206", "Temperatura do vapor|Steam temperature", Mp(10), 66, 6, "PV;SP;MV", {710, 558});

    a.Comments(
        {
            "CALDEIRA INDUSTRIAL",
            "PRESSÃO E COMBUSTÃO: o PIC-1201 mede a pressão do vapor e pede mais ou menos queima. O pedido passa "
            "pelos limites cruzados: o SP do gás (FY-1202) nunca passa do que o ar medido consegue queimar, e o SP "
            "do ar (FY-1203) nunca fica abaixo do que o gás medido precisa. Ao subir a carga o ar vai na frente; ao "
            "descer, o gás vai na frente. Nunca falta ar.",
            "NÍVEL A TRÊS ELEMENTOS: o nível do tubulão incha quando a vazão de vapor sobe (as bolhas crescem com "
            "a queda de pressão) e encolhe quando ela desce. O LIC-1204 corrige o nível, mas o SP da água de "
            "alimentação é a vazão de vapor (FT-1207) mais essa correção (FY-1205): a água acompanha o vapor sem "
            "esperar o nível.",
            "TEMPERATURA: o TIC-1206 injeta água de atemperação no vapor superaquecido.",
            "",
            "O QUE EXPERIMENTAR",
            "1. Aumente o consumo de 20 para 26 t/h. Veja no FR-1202 o ar subir antes do gás, e no LR-1204 o nível "
            "inchar antes de voltar. No PR-1201 a pressão cai cerca de 2.5 bar enquanto a queima não alcança o "
            "consumo, e o PIC-1201 a traz de volta em uns 4 minutos.",
            "2. Diminua o consumo para 14 t/h: agora o gás desce antes do ar.",
            "3. Ligue a chave para que o consumo varie ao acaso.",
            "4. Abra o bloco FY-1205 e deixe na função só M04 (a saída do LIC-1204). Repita o passo 1: sem a "
            "vazão de vapor no SP da água, o nível varia muito mais.",
        },
        {
            "INDUSTRIAL BOILER",
            "PRESSURE AND COMBUSTION: PIC-1201 measures the steam pressure and asks for more or less firing. The "
            "demand goes through crossed limits: the gas SP (FY-1202) never exceeds what the measured air can burn, "
            "and the air SP (FY-1203) never falls below what the measured gas needs. When the load rises the air "
            "leads; when it falls the gas leads. There is never too little air.",
            "THREE-ELEMENT LEVEL: the drum level swells when the steam flow rises (the bubbles grow as the pressure "
            "falls) and shrinks when it falls. LIC-1204 corrects the level, but the feedwater SP is the steam flow "
            "(FT-1207) plus that correction (FY-1205): the water follows the steam without waiting for the level.",
            "TEMPERATURE: TIC-1206 sprays water into the superheated steam.",
            "",
            "WHAT TO TRY",
            "1. Raise the demand from 20 to 26 t/h. See on FR-1202 the air rise before the gas, and on LR-1204 the "
            "level swell before it returns. On PR-1201 the pressure falls about 2.5 bar while the firing catches up "
            "with the demand, and PIC-1201 brings it back in about 4 minutes.",
            "2. Lower the demand to 14 t/h: now the gas comes down before the air.",
            "3. Turn the switch on to let the demand swing at random.",
            "4. Open block FY-1205 and leave only M04 (the output of LIC-1204) in its function. Repeat step 1: "
            "without the steam flow in the water SP, the level moves much more.",
        });
}

}  // namespace kivo::examples
