// Level plants: regulatory level of a tank emptied by a variable speed pump,
// and averaging level control of a surge tank.
#include "Authoring.h"

namespace kivo::examples {

using namespace palette;

void RegulatoryLevel(Author& a) {
    Canvas& t = a.canvas;
    // Inflow from the left into tank TK-401; pump P-401 empties it.
    Pipe(t, {{30, 120}, {290, 120}, {290, 160}}, kWater, true);
    HandValve(t, {120, 120});
    Label(t, 30, 100, "U-400");
    OpenTank(t, 250, 160, 200, 230, 0.5);
    Label(t, 342, 398, "TK-401", Align::Right);
    Pipe(t, {{350, 390}, {350, 440}, {484, 440}});
    Pump(t, {500, 440});
    Pipe(t, {{516, 424}, {516, 400}, {770, 400}}, kWater, true);
    t.Line({500, 462}, {500, 470}, kOutlineWidth, kLine);
    Motor(t, {500, 481}, "SC");
    Label(t, 525, 450, "P-401");
    Instrument(t, {520, 220}, "LT", "401");
    SignalLine(t, {{450, 220}, {500, 220}});
    Instrument(t, {620, 220}, "LIC", "401");
    SignalLine(t, {{540, 220}, {600, 220}});
    SignalLine(t, {{620, 240}, {620, 481}, {511, 481}});

    a.Variable(Mp(1), "m³/h", 0, 100);
    a.Variable(Mp(2), "m", 0, 4);
    a.Bounds(Mp(2), 0.8, 3.2);
    a.Variable(Mb(1), "m³/h", 0, 100);
    a.Variable(Mb(2), "m³/h", 0, 100);

    // Inflow: the track, plus a random swing while switch 1 is on.
    a.Entry(1, "Entrada|Inflow", "m³/h", 0, 100, 50, {40, 500});
    a.ToggleSwitch(1, 2, 0, {210, 520});
    // A medium random row keeps its time constant in the description field.
    a.Generator(81, GeneratorRow::MediumRandom, "20", "30", "70", "50");
    Block& entry = a.CalculationBlock(1, "FI-400", "Vazão de entrada|Inflow", Ref(15) + "+" + Ref(11) + "*(" + Ref(81) + "-50)",
                              {160, 132});
    entry.LowerLimitCheck = true;
    entry.LowerLimitText = "0";
    a.CalculationBlock(2, "FY-401", "Saldo de vazão|Flow balance", Ref(Mb(1)) + "-" + Ref(Mp(1)), {250, 420});

    // The pump's flow grows along an S curve with its speed, and the drive
    // accelerates it by at most 2 % per second.
    Process& pump = a.ProcessBlock(1, "P-401", "Vazão bombeada|Pumped flow", 1, {560, 420});
    pump.ValveCurve = 3;
    pump.ratetext = "2";
    pump.LText = "2";
    pump.Ctext = "0";
    Process& tank = a.ProcessBlock(2, "TK-401", "Nível do tanque|Tank level", Mb(2), {311, 130});
    tank.TransferFunctionKind = 3;
    tank.GainText = "0.01";

    Controller& lic = a.PidController(1, "LIC-401", "Nível do tanque|Tank level", Mp(2), {628, 244});
    lic.KpText = "1.5";
    lic.KiText = "120";
    lic.KdText = "0";
    lic.ActionGroup = 0;
    lic.state.autoMode = true;
    lic.state.SP = 50;
    lic.state.MV = 50;

    a.Text(1, "Nível|Level", Mp(2), 2, {330, 300});
    a.Text(2, "Entrada|Inflow", Mb(1), 1, {40, 160});
    a.Text(3, "Saída|Outflow", Mp(1), 1, {650, 430});
    a.Text(4, "Velocidade P-401|P-401 speed", 1, 1, {650, 480});
    a.BinaryText(5, "Variação da entrada|Inflow swing", 11, "Desligada/Ligada|Off/On", {270, 520});
    a.Recorder(1, "LR-401", "Nível do tanque|Tank level", Mp(2), 61, 1, "PV;SP;MV", {690, 20});
    a.Recorder(2, "FR-401", "Vazões|Flows", Mb(1), Mp(1), 0, "Entrada|Inflow;Saída|Outflow;", {690, 50});

    a.Comments(
        {
            "NÍVEL EM PROCESSO INTEGRADOR",
            "O tanque TK-401 recebe água da unidade U-400 e é esvaziado pela bomba P-401, acionada por um "
            "variador de velocidade. O nível não tem ponto de equilíbrio próprio: só fica parado quando a saída é "
            "igual à entrada. Por isso o processo é integrador, e sem controle o tanque transborda ou esvazia.",
            "A vazão da bomba cresce com a velocidade numa curva em S (pouca vazão em baixa rotação, muita no meio "
            "da faixa), e o variador limita a aceleração a 2 % por segundo.",
            "",
            "O QUE EXPERIMENTAR",
            "1. Mude a entrada de 50 para 60 m³/h na barra. O nível sobe até o LIC-401 acelerar a bomba; a "
            "integral traz o nível de volta ao SP.",
            "2. Ligue a chave para que a entrada varie ao acaso e observe o esforço da bomba no registrador FR-401.",
            "3. Desligue a chave, ponha o LIC-401 em manual e suba a entrada de 50 para 55 m³/h: o nível sobe em "
            "rampa, uns 0.12 m por minuto, sem parar, e passa do limite de 3.2 m em uns 10 minutos. Em "
            "manual e com a entrada igual à saída o nível fica parado; com a chave ligada ele passeia ao acaso.",
            "4. Suba o SP em 0.4 m e veja quanto o nível leva para cobrir 90 % do degrau: cerca de 50 s com Kc 1.5 e "
            "32 s com Kc 5. Dali em diante mais ganho não compra rapidez, porque o variador acelera a bomba no máximo "
            "2 % por segundo: com Kc 15 o nível chega quase no mesmo tempo (31 s), mas a velocidade bate em 0 e 100 %, "
            "o nível balança em torno do SP e depois leva minutos para encostar nele; com Kc 30 a velocidade vai de um "
            "extremo ao outro sem parar e o nível oscila. Volte a 1.5 e leve a entrada para 20 m³/h: a curva da bomba "
            "reduz o ganho e a malha fica mais lenta.",
        },
        {
            "LEVEL OF AN INTEGRATING PROCESS",
            "Tank TK-401 receives water from unit U-400 and is emptied by pump P-401, driven by a variable speed "
            "drive. The level has no balance point of its own: it stands still only when the outflow equals the "
            "inflow. The process is therefore integrating, and without control the tank overflows or runs dry.",
            "The pump's flow grows with its speed along an S curve (little flow at low speed, much in the middle of "
            "the range), and the drive limits the acceleration to 2 % per second.",
            "",
            "WHAT TO TRY",
            "1. Move the inflow track from 50 to 60 m³/h. The level rises until LIC-401 speeds the pump up; the "
            "integral action brings the level back to the SP.",
            "2. Turn the switch on to let the inflow swing at random, and watch the pump's effort on recorder "
            "FR-401.",
            "3. Turn the switch off, put LIC-401 in manual and raise the inflow from 50 to 55 m³/h: the level ramps "
            "up by about 0.12 m a minute without end and passes its 3.2 m limit in about 10 minutes. In "
            "manual with the inflow equal to the outflow the level stands still; with the switch on it wanders at "
            "random.",
            "4. Raise the SP by 0.4 m and see how long the level takes to cover 90 % of the step: about 50 s with "
            "Kc 1.5 and 32 s with Kc 5. Beyond that more gain buys no speed, because the drive accelerates the pump "
            "by at most 2 % per second: with Kc 15 the level gets there in nearly the same time (31 s), but the "
            "speed hits 0 and 100 %, the level swings about the SP and then takes minutes to creep onto it; with Kc 30 the speed "
            "swings from one end to the other without end and the level oscillates. Go back to 1.5 and take the "
            "inflow to 20 m³/h: the pump curve lowers the gain and the loop becomes slower.",
        });
}

void SurgeTank(Author& a) {
    Canvas& t = a.canvas;
    // One inflow feeds two identical surge tanks; each sends its outflow on.
    Pipe(t, {{30, 100}, {640, 100}}, kWater);
    Label(t, 30, 80, "U-500");
    const double xs[] = {160, 500};
    for (int i = 0; i < 2; ++i) {
        const double x = xs[i];
        const std::string n = std::to_string(501 + i);
        Pipe(t, {{x + 40, 100}, {x + 40, 150}}, kWater, true);
        OpenTank(t, x, 150, 150, 190, 0.5);
        // Left of the outlet pipe, which leaves from the middle of the bottom.
        Label(t, x + 68, 348, "TK-" + n, Align::Right);
        Pipe(t, {{x + 75, 340}, {x + 75, 420}, {x + 220, 420}}, kWater, true);
        ControlValve(t, {x + 140, 420});
        Instrument(t, {x + 195, 230}, "LIC", n);
        SignalLine(t, {{x + 150, 230}, {x + 175, 230}});
        SignalLine(t, {{x + 195, 250}, {x + 195, 380}, {x + 140, 380}, {x + 140, 391}});
    }

    a.Variable(Mb(1), "m³/h", 0, 100);
    a.Variable(Mp(1), "m³/h", 0, 100);
    a.Variable(Mp(2), "m³/h", 0, 100);
    a.Variable(Mp(3), "%", 0, 100);
    a.Variable(Mp(4), "%", 0, 100);
    a.Bounds(Mp(3), 10, 90);
    a.Bounds(Mp(4), 10, 90);

    a.Entry(1, "Chegada|Inflow", "m³/h", 0, 100, 50, {40, 480});
    a.ToggleSwitch(1, 2, 0, {210, 500});
    a.Generator(81, GeneratorRow::MediumRandom, "15", "25", "75", "50");
    Block& inflow = a.CalculationBlock(1, "FI-500", "Vazão de chegada|Inflow", Ref(15) + "+" + Ref(11) + "*(" + Ref(81) + "-50)",
                              {60, 110});
    inflow.LowerLimitCheck = true;
    inflow.LowerLimitText = "0";
    const std::string desc[] = {"Controle apertado|Tight control", "Controle médio|Averaging control"};
    for (int i = 0; i < 2; ++i) {
        const double x = xs[i];
        const std::string n = std::to_string(501 + i);
        Process& v = a.ProcessBlock(1 + i, "LV-" + n, "Saída de TK-" + n + "|Outflow of TK-" + n, 1 + i,
                                  {x + 101, 440});
        v.LText = "2";
        v.Ctext = "0.5";
        a.CalculationBlock(2 + i, "FY-" + n, "Saldo de TK-" + n + "|Balance of TK-" + n, Ref(Mb(1)) + "-" + Ref(Mp(1 + i)),
                {x + 20, 474});
        Process& level =
            a.ProcessBlock(3 + i, "TK-" + n, "Nível de TK-" + n + "|Level of TK-" + n, Mb(2 + i), {x + 35, 160});
        level.TransferFunctionKind = 3;
        level.GainText = "0.01";
        Controller& lic = a.PidController(1 + i, "LIC-" + n, desc[i], Mp(3 + i), {x + 155, 254});
        lic.ActionGroup = 0;
        lic.KdText = "0";
        lic.state.autoMode = true;
        lic.state.SP = 50;
        lic.state.MV = 50;
        a.Text(1 + 2 * i, "Nível|Level", Mp(3 + i), 1, {x + 45, 290});
        a.Text(2 + 2 * i, desc[i], Mp(1 + i), 1, {x + 150, 398});
        a.Recorder(1 + i, "FR-" + n, desc[i], Mb(1), Mp(1 + i), Mp(3 + i),
                      "Chegada|Inflow;Saída|Outflow;Nível|Level", {690, 20 + 30.0 * i}, 2);
    }
    // Tight: the level stays put and the outflow copies every swing of the
    // inflow. Averaging: the tank absorbs the swings and the outflow moves
    // slowly, while the level stays between its limits.
    a.p.controller(1)->KpText = "5";
    a.p.controller(1)->KiText = "60";
    a.p.controller(2)->KpText = "0.7";
    a.p.controller(2)->KiText = "600";
    a.Text(5, "Chegada|Inflow", Mb(1), 1, {60, 150});
    a.BinaryText(6, "Variação da chegada|Inflow swing", 11, "Desligada/Ligada|Off/On", {270, 500});

    a.Comments(
        {
            "TANQUE PULMÃO: CONTROLE MÉDIO DE NÍVEL",
            "A mesma vazão de chegada alimenta dois tanques iguais. Cada tanque manda sua saída para a unidade "
            "seguinte, que trabalha melhor quando a vazão muda pouco e devagar.",
            "TK-501 tem controle apertado (LIC-501, Kc = 5, Ti = 60 s): o nível fica quase parado e a vazão de "
            "saída copia cada variação da chegada.",
            "TK-502 tem controle médio (LIC-502, Kc = 0.7, Ti = 600 s): o tanque absorve as variações, o nível "
            "passeia entre os limites e a saída muda suavemente. É para isso que serve um tanque pulmão.",
            "",
            "O QUE EXPERIMENTAR",
            "1. Ligue a chave: a chegada passa a variar ao acaso. Compare os registradores FR-501 e FR-502.",
            "2. Desligue a chave e suba a chegada de 50 para 65 m³/h. O nível de TK-501 quase não se move e sua "
            "saída acompanha a chegada em meio minuto; o de TK-502 sobe até uns 66 % e sua saída leva uns 4 minutos para "
            "cobrir 90 % do degrau.",
            "3. Volte a chegada a 50 m³/h, deixe o LIC-502 mais suave e repita o passo 2. Com Kc = 0.4 a saída leva "
            "quase 6 minutos e o nível sobe até uns 75 %; com Kc = 0.2 a saída leva uns 9 minutos, mas o nível "
            "passa de 93 %, acima do limite de 90 % (o texto fica vermelho). Quanto mais suave a saída, mais "
            "tanque ela gasta: qual é a sintonia mais suave que ainda segura o nível dentro dos limites?",
        },
        {
            "SURGE TANK: AVERAGING LEVEL CONTROL",
            "The same inflow feeds two identical tanks. Each tank sends its outflow to the next unit, which works "
            "best when its feed changes little and slowly.",
            "TK-501 has tight control (LIC-501, Kc = 5, Ti = 60 s): the level hardly moves and the outflow copies "
            "every swing of the inflow.",
            "TK-502 has averaging control (LIC-502, Kc = 0.7, Ti = 600 s): the tank absorbs the swings, the level "
            "wanders between its limits and the outflow changes smoothly. This is what a surge tank is for.",
            "",
            "WHAT TO TRY",
            "1. Turn the switch on: the inflow swings at random. Compare recorders FR-501 and FR-502.",
            "2. Turn the switch off and raise the inflow from 50 to 65 m³/h. The level of TK-501 hardly moves and "
            "its outflow follows the inflow within half a minute; that of TK-502 rises to about 66 % and its outflow takes about 4 "
            "minutes to cover 90 % of the step.",
            "3. Take the inflow back to 50 m³/h, make LIC-502 gentler and repeat step 2. With Kc = 0.4 the outflow "
            "takes nearly 6 minutes and the level rises to about 75 %; with Kc = 0.2 the outflow takes about 9 "
            "minutes, but the level passes 93 %, above its 90 % limit (the text turns red). The gentler the "
            "outflow, the more tank it uses: what is the gentlest tuning that still keeps the level within its "
            "limits?",
        });
}

}  // namespace kivo::examples
