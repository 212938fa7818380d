// Combustion plants: air/gas ratio with no protection, with single and with
// double crossed limits, and firing with a preferred, limited fuel.
#include "Authoring.h"

namespace kivo::examples {

using namespace palette;

namespace {

enum class Bounds { None, Single, Double };

// The process heater H-1301 with its gas and air lines, shared by the three
// ratio plants. Blocks 1 and 2 give the gas and air setpoints.
void Heater(Author& a, Bounds lim, const std::string& number) {
    Canvas& t = a.canvas;
    Furnace(t, 330, 170, 180, 240);
    Label(t, 322, 238, "H-" + number, Align::Right);
    Pipe(t, {{30, 330}, {330, 330}});
    Label(t, 30, 310, "U-1300");
    Pipe(t, {{510, 250}, {770, 250}}, kLine, true);
    Instrument(t, {640, 170}, "TT", number);
    SignalLine(t, {{640, 190}, {640, 250}});
    Instrument(t, {720, 110}, "TIC", number);
    SignalLine(t, {{660, 170}, {720, 170}, {720, 130}});
    // Flue gas analyser on the stack.
    Instrument(t, {540, 90}, "AI", number);
    SignalLine(t, {{445, 90}, {520, 90}});

    Pipe(t, {{30, 450}, {400, 450}, {400, 406}}, kGas, true);
    Label(t, 30, 430, "GN");
    OrificePlate(t, {110, 450});
    ControlValve(t, {210, 450});
    Blower(t, {50, 550});
    Pipe(t, {{66, 534}, {66, 540}, {450, 540}, {450, 406}}, kAr, true);
    Label(t, 50, 574, "K-1303", Align::Centre);
    OrificePlate(t, {130, 540});
    ControlValve(t, {250, 540});
    Instrument(t, {160, 380}, "FIC", "1302");
    SignalLine(t, {{110, 440}, {110, 380}, {140, 380}});
    SignalLine(t, {{180, 380}, {210, 380}, {210, 421}});
    Instrument(t, {200, 490}, "FIC", "1303");
    SignalLine(t, {{130, 530}, {130, 490}, {180, 490}});
    SignalLine(t, {{220, 490}, {250, 490}, {250, 511}});
    // The setpoint blocks between the master and the two flow loops.
    const std::string sGas = lim == Bounds::None ? "=" : "<";
    const std::string sAr = lim == Bounds::None ? "X" : ">";
    Function(t, {600, 380}, sGas);
    Function(t, {600, 470}, sAr);
    SignalLine(t, {{740, 110}, {770, 110}, {770, 425}, {650, 425}, {650, 380}, {613, 380}});
    SignalLine(t, {{650, 425}, {650, 470}, {613, 470}});
    SignalLine(t, {{587, 380}, {560, 380}, {560, 425}, {160, 425}, {160, 400}});
    SignalLine(t, {{587, 470}, {560, 470}, {560, 520}, {200, 520}, {200, 510}});
    if (lim != Bounds::None) {
        // Each setpoint also looks at the other flow's measurement.
        SignalLine(t, {{600, 367}, {600, 350}, {640, 350}});
        Label(t, 645, 346, "FT-1303", Align::Left, kSignal, 1.2);
        SignalLine(t, {{600, 483}, {600, 505}, {640, 505}});
        Label(t, 645, 501, "FT-1302", Align::Left, kSignal, 1.2);
    }

    a.Variable(Mp(1), "Nm³/h", 0, 1000);
    a.Variable(Mp(2), "Nm³/h", 0, 10000);
    a.Variable(Mp(3), "°C", 0, 500);
    a.Bounds(Mp(3), 200, 400);
    a.Variable(Mb(1), "Nm³/h", 0, 1000);
    a.Variable(Mb(2), "Nm³/h", 0, 10000);
    a.Variable(Mb(4), "%", -50, 50);
    a.Bounds(Mb(4), 0, 30);

    // The air wanted per unit of gas, as a multiple of the stoichiometric
    // air (1.1 = 10 % of excess air).
    a.Entry(1, "Relação ar|Air ratio", "", 0, 2, 1.1, {20, 130});
    const std::string R = Ref(15) + "/50";
    const std::string gas = Ref(Mp(1)), ar = Ref(Mp(2));
    std::string fGas = Ref(1), fAr = Ref(1) + "*" + R;
    if (lim != Bounds::None) {
        fGas = Ref(1) + "<" + ar + "/(" + R + ")";
        fAr = Ref(1) + "*" + R + ">" + gas + "*" + R;
    }
    // Right of the demand line that comes down between them and the blocks.
    Block& bGas = a.CalculationBlock(1, "FY-1302", "SP do gás|Gas SP", fGas, {660, 369});
    Block& bAr = a.CalculationBlock(2, "FY-1303", "SP do ar|Air SP", fAr, {660, 459});
    if (lim == Bounds::Double) {
        // And neither may stray more than 5 % from the other's measurement.
        bGas.LowerLimitCheck = true;
        bGas.LowerLimitText = ar + "/(" + R + ")*0.95";
        bAr.UpperLimitCheck = true;
        bAr.UpperLimitText = gas + "*" + R + "*1.05";
    }

    Process& pGas = a.ProcessBlock(1, "FV-1302", "Vazão de gás|Gas flow", 2, {230, 462});
    pGas.LText = "1.5";
    pGas.Ctext = "0";
    // The fan and its damper answer slowly.
    Process& pAr = a.ProcessBlock(2, "FV-1303", "Vazão de ar|Air flow", 3, {270, 552});
    pAr.LText = "10";
    pAr.Ctext = "0";
    // What burns is limited by the stoichiometric air.
    a.CalculationBlock(3, "H-1301Q", "Queima efetiva|Effective firing", gas + "<" + ar, {381, 300});
    Process& furnace = a.ProcessBlock(3, "H-" + number, "Temperatura de saída|Outlet temperature", Mb(3), {381, 274});
    furnace.LText = "60";
    furnace.Ctext = "15";
    furnace.DeadTime = "2";
    furnace.GainText = "1.2";
    Block& excess = a.CalculationBlock(4, "AI-" + number, "Excesso de ar|Excess air", ar + "/" + gas + "*100-50", {562, 79});
    excess.LowerLimitCheck = excess.UpperLimitCheck = true;
    excess.LowerLimitText = "0";
    excess.UpperLimitText = "100";
    Block& ok = a.CalculationBlock(5, "AY-" + number, "Ar suficiente|Enough air", "(" + Ref(Mb(4)) + "-49.9)*10", {562, 105});
    ok.LowerLimitCheck = ok.UpperLimitCheck = true;
    ok.LowerLimitText = "0";
    ok.UpperLimitText = "1";
    Shape& lamp = a.p.shapes[0];
    lamp.enabled = true;
    lamp.kind = 0;
    lamp.variable = Mb(5) - 1;
    lamp.height = lamp.width = 24;
    lamp.left = 425;
    lamp.baseTop = 18;

    Controller& tic = a.PidController(1, "TIC-" + number, "Temperatura de saída|Outlet temperature", Mp(3),
                                      {680, 134});
    tic.KpText = "2";
    tic.KiText = "60";
    tic.KdText = "0";
    tic.state.autoMode = true;
    tic.state.SP = 60;
    tic.state.MV = 50;
    RemoteSetpoint(Loop(a, 2, "FIC-1302", "Vazão de gás|Gas flow", Mp(1), {30, 369}, "0.5", "1.5", false, 50, 50),
                   Mb(1));
    RemoteSetpoint(Loop(a, 3, "FIC-1303", "Vazão de ar|Air flow", Mp(2), {30, 479}, "0.4", "5", false, 55, 55), Mb(2));
    if (lim == Bounds::Double) {
        // The limits hold the gas SP away from the demand for a good while.
        // The block reads 50 while the gas SP follows the demand, and 0 or
        // 100 once the limits hold it more than half a percent away: the
        // master's integral then waits instead of winding up.
        Block& held = a.CalculationBlock(6, "FY-1302R", "Gás retido pelos limites|Gas held by the limits",
                                 "50+(" + Ref(Mb(1)) + "-" + Ref(1) + ")*100", {660, 545});
        held.LowerLimitCheck = held.UpperLimitCheck = true;
        held.LowerLimitText = "0";
        held.UpperLimitText = "100";
        tic.BackMVCheck = true;
        tic.BackMV = Mb(6) - 1;
        SignalLine(a.canvas, {{739, 556}, {785, 556}, {785, 100}, {738, 100}});
    }

    a.Text(1, "T saída|T outlet", Mp(3), 1, {660, 280});
    a.Text(2, "Gás|Gas", Mp(1), 0, {240, 400});
    a.Text(3, "Ar|Air", Mp(2), 0, {300, 490});
    a.Text(4, "Excesso de ar|Excess air", Mb(4), 1, {620, 45});
    a.BinaryText(5, "Combustão|Combustion", Mb(5), "FALTA DE AR/Completa|AIR SHORTAGE/Complete", {460, 28});
    a.Recorder(1, "FR-1302", "Gás e ar|Gas and air", Mp(1), Mp(2), Mb(4), "Gás|Gas;Ar|Air;Excesso|Excess",
                  {20, 20}, 0);
    a.Recorder(2, "TR-" + number, "Temperatura de saída|Outlet temperature", Mp(3), 61, 1, "PV;SP;MV", {110, 20});
}

// What the three ratio plants have in common, for their comments.
const std::vector<std::string> kCommonPt = {
    "O aquecedor H-1301 queima gás natural com ar do ventilador K-1303. O TIC-1301 mede a temperatura de saída e "
    "pede mais ou menos queima; sua saída é a demanda de combustão. Os controladores de vazão FIC-1302 (gás) e "
    "FIC-1303 (ar) recebem seus setpoints remotos dos blocos FY-1302 e FY-1303.",
    "A barra Relação ar dá o ar desejado por unidade de gás, em múltiplos do ar estequiométrico (1.1 = 10 % de "
    "excesso de ar). O analisador AI-1301 mostra o excesso de ar; a lâmpada fica vermelha e o texto indica FALTA "
    "DE AR quando há mais gás que ar para queimá-lo: combustão incompleta, fumaça e risco de explosão.",
    "O ar responde mais devagar que o gás (ventilador e registro são lentos).",
};
const std::vector<std::string> kCommonEn = {
    "Heater H-1301 burns natural gas with air from fan K-1303. TIC-1301 measures the outlet temperature and asks "
    "for more or less firing; its output is the firing demand. Flow controllers FIC-1302 (gas) and FIC-1303 (air) "
    "take their remote setpoints from blocks FY-1302 and FY-1303.",
    "The Air ratio track gives the air wanted per unit of gas, as a multiple of the stoichiometric air (1.1 = 10 % "
    "of excess air). Analyser AI-1301 shows the excess air; the lamp turns red and the text reads AIR SHORTAGE when "
    "there is more gas than air to burn it: incomplete combustion, smoke and the risk of an explosion.",
    "The air answers more slowly than the gas (the fan and its damper are slow).",
};

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace

void BasicRatio(Author& a) {
    Heater(a, Bounds::None, "1301");
    a.Comments(
        Join(Join({"CONTROLE DE RAZÃO AR/GÁS BÁSICO"}, kCommonPt),
              {
                  "Aqui os setpoints são definidos apenas pela razão: o gás recebe a demanda e o ar recebe a demanda "
                  "vezes a relação. Não há proteção contra excesso de gás.",
                  "",
                  "O QUE EXPERIMENTAR",
                  "1. Suba o SP do TIC-1301 em 30 °C. O gás sobe depressa, o ar demora: durante a subida falta ar "
                  "(lâmpada vermelha, registrador FR-1302).",
                  "2. Desça o SP: agora sobra ar por um tempo, o que só custa eficiência.",
                  "3. Compare com os exemplos de limites cruzados simples e duplos.",
              }),
        Join(Join({"BASIC AIR/GAS RATIO CONTROL"}, kCommonEn),
              {
                  "Here the setpoints come from the ratio alone: the gas gets the demand and the air gets the demand "
                  "times the ratio. There is no protection against excess gas.",
                  "",
                  "WHAT TO TRY",
                  "1. Raise the SP of TIC-1301 by 30 °C. The gas rises fast, the air lags: during the rise the air "
                  "falls short (red lamp, recorder FR-1302).",
                  "2. Lower the SP: now there is too much air for a while, which only costs efficiency.",
                  "3. Compare with the single and double crossed limits examples.",
              }));
}

void CrossedLimits(Author& a) {
    Heater(a, Bounds::Single, "1301");
    a.Comments(
        Join(Join({"RAZÃO AR/GÁS COM LIMITES CRUZADOS"}, kCommonPt),
              {
                  "Os limites cruzados protegem contra excesso de gás: o SP do gás é o menor entre a demanda e o gás "
                  "que o ar medido consegue queimar (bloco FY-1302, seletor <); o SP do ar é o maior entre a demanda "
                  "e o ar que o gás medido precisa (bloco FY-1303, seletor >). Ao subir a carga o ar vai na frente e "
                  "o gás o segue; ao descer, o gás vai na frente e o ar o segue.",
                  "",
                  "O QUE EXPERIMENTAR",
                  "1. Suba o SP do TIC-1301 em 30 °C: a lâmpada não fica vermelha. O gás espera o ar. A temperatura "
                  "passa do SP cerca de 30 % do degrau, contra uns 17 % no exemplo de razão básico: enquanto o gás "
                  "espera, a saída do TIC-1301 corre na frente da queima e sua integral acumula. O exemplo de limites "
                  "duplos avisa o TIC-1301 dessa espera e chega ao SP sem passar dele.",
                  "2. Desça o SP: o ar espera o gás descer. A temperatura também passa do SP (uns 33 % do degrau): "
                  "para voltar, a queima precisa subir de novo, e o gás de novo espera o ar.",
                  "3. Abra os blocos FY-1302 e FY-1303 para ver os seletores.",
                  "4. Note que, na descida, sobra ar por mais tempo. O exemplo de limites duplos limita também esse "
                  "excesso.",
              }),
        Join(Join({"AIR/GAS RATIO WITH CROSSED LIMITS"}, kCommonEn),
              {
                  "The crossed limits protect against excess gas: the gas SP is the lower of the demand and the gas "
                  "that the measured air can burn (block FY-1302, selector <); the air SP is the higher of the demand "
                  "and the air that the measured gas needs (block FY-1303, selector >). When the load rises the air "
                  "leads and the gas follows; when it falls the gas leads and the air follows.",
                  "",
                  "WHAT TO TRY",
                  "1. Raise the SP of TIC-1301 by 30 °C: the lamp does not turn red. The gas waits for the air. The "
                  "temperature overshoots the SP by about 30 % of the step, against some 17 % in the basic ratio "
                  "example: while the gas waits, the output of TIC-1301 runs ahead of the firing and its integral "
                  "builds up. The double limits example tells TIC-1301 about that wait and reaches the SP without "
                  "overshoot.",
                  "2. Lower the SP: the air waits for the gas to come down. The temperature overshoots here too (by "
                  "about 33 % of the step): to come back, the firing must rise again, and again the gas waits for the "
                  "air.",
                  "3. Open blocks FY-1302 and FY-1303 to see the selectors.",
                  "4. Note that on the way down there is too much air for longer. The double limits example limits "
                  "that excess too.",
              }));
}

void DoubleCrossedLimits(Author& a) {
    Heater(a, Bounds::Double, "1301");
    a.Comments(
        Join(Join({"RAZÃO AR/GÁS COM DUPLOS LIMITES CRUZADOS"}, kCommonPt),
              {
                  "Além dos limites cruzados simples, cada setpoint fica numa faixa de 5 % em torno da medida do "
                  "outro fluxo: o SP do gás não desce abaixo de 95 % do que o ar medido queima (limite inferior do "
                  "FY-1302) e o SP do ar não sobe acima de 105 % do que o gás medido precisa (limite superior do "
                  "FY-1303). Gás e ar sobem e descem juntos, em passos, e a relação fica perto da estequiométrica "
                  "também nos transitórios: nem falta ar, nem sobra ar demais.",
                  "Enquanto os limites seguram o SP do gás longe da demanda, o TIC-1301 não recebe o que pede. O bloco "
                  "FY-1302R compara os dois e vai a 0 ou 100 % quando diferem; o TIC-1301 o lê no campo End. p/ "
                  "Realim. de MV, e sua integral espera em vez de acumular um erro que os limites não deixam corrigir.",
                  "",
                  "O QUE EXPERIMENTAR",
                  "1. Suba o SP do TIC-1301 em 30 °C e veja gás e ar subindo juntos (FR-1302). A temperatura chega ao "
                  "novo SP sem passar dele.",
                  "2. Desça o SP: o excesso de ar fica perto de 10 % o tempo todo.",
                  "3. Compare a velocidade da resposta da temperatura com os outros dois exemplos: a segurança custa "
                  "rapidez (90 % do degrau em cerca de 105 s, contra 50 a 60 s).",
                  "4. Desmarque a realimentação do TIC-1301 (End. p/ Realim. de MV) e repita o passo 1: a integral "
                  "cresce enquanto o gás espera e a temperatura passa do SP mais da metade do degrau. Marque-a de "
                  "novo.",
              }),
        Join(Join({"AIR/GAS RATIO WITH DOUBLE CROSSED LIMITS"}, kCommonEn),
              {
                  "On top of the single crossed limits, each setpoint stays within a 5 % band around the other "
                  "flow's measurement: the gas SP does not fall below 95 % of what the measured air burns (lower "
                  "limit of FY-1302) and the air SP does not rise above 105 % of what the measured gas needs (upper "
                  "limit of FY-1303). Gas and air rise and fall together, in steps, and the ratio stays close to the "
                  "stoichiometric one during transients too: neither too little air nor too much.",
                  "While the limits hold the gas SP away from the demand, TIC-1301 does not get what it asks for. "
                  "Block FY-1302R compares the two and goes to 0 or 100 % when they differ; TIC-1301 reads it in its "
                  "field Slave MV Adress, and its integral waits instead of building up an error that the limits do "
                  "not let it correct.",
                  "",
                  "WHAT TO TRY",
                  "1. Raise the SP of TIC-1301 by 30 °C and see gas and air rise together (FR-1302). The temperature "
                  "reaches the new SP without overshooting it.",
                  "2. Lower the SP: the excess air stays near 10 % all the time.",
                  "3. Compare the speed of the temperature response with the other two examples: safety costs speed "
                  "(90 % of the step in about 105 s, against 50 to 60 s).",
                  "4. Untick the feedback of TIC-1301 (Slave MV Adress) and repeat step 1: the integral builds up "
                  "while the gas waits and the temperature overshoots the SP by more than half the step. Tick it "
                  "again.",
              }));
}

void TwoFuels(Author& a) {
    Canvas& t = a.canvas;
    Furnace(t, 330, 150, 180, 240);
    Label(t, 322, 218, "H-1401", Align::Right);
    Pipe(t, {{30, 300}, {330, 300}});
    Label(t, 30, 280, "U-1400");
    Pipe(t, {{510, 230}, {770, 230}}, kLine, true);
    Instrument(t, {640, 150}, "TT", "1401");
    SignalLine(t, {{640, 170}, {640, 230}});
    Instrument(t, {720, 90}, "TIC", "1401");
    SignalLine(t, {{660, 150}, {720, 150}, {720, 110}});
    // Biogas (preferred), natural gas (complement) and air, each rising into
    // the burners; the flow loops sit on the left, the setpoint blocks on the
    // right, and each block's line comes into its loop's bubble from the
    // side, crossing the risers of the trains above it.
    const double yBiogas = 440, yNaturalGas = 500, yAr = 560;
    Pipe(t, {{30, yBiogas}, {375, yBiogas}, {375, 386}}, kBiogas, true);
    Label(t, 10, yBiogas - 16, "BIO");
    Pipe(t, {{30, yNaturalGas}, {420, yNaturalGas}, {420, 386}}, kGas, true);
    Label(t, 10, yNaturalGas - 16, "GN");
    Blower(t, {40, 576});
    Pipe(t, {{56, 560}, {465, yAr}, {465, 386}}, kAr, true);
    Label(t, 64, 580, "K-1404");
    const double yLines[] = {yBiogas, yNaturalGas, yAr};
    const char* symbols[] = {"<", "-", "+X"};
    for (int i = 0; i < 3; ++i) {
        const double y = yLines[i];
        OrificePlate(t, {130, y});
        ControlValve(t, {250, y});
        Function(t, {600, y - 34}, symbols[i]);
        SignalLine(t, {{587, y - 34}, {195, y - 34}});
        SignalLine(t, {{780, y - 34}, {613, y - 34}});
    }
    SignalLine(t, {{720, 70}, {720, 50}, {780, 50}, {780, yAr - 34}});
    // The measured flows the natural gas and air setpoints read.
    SignalLine(t, {{600, yNaturalGas - 21}, {600, yNaturalGas - 12}, {640, yNaturalGas - 12}});
    Label(t, 645, yNaturalGas - 16, "FT-1402", Align::Left, kSignal, 1.2);
    SignalLine(t, {{600, yAr - 21}, {600, yAr - 12}, {640, yAr - 12}});
    Label(t, 645, yAr - 16, "FT-1402/1403", Align::Left, kSignal, 1.2);

    a.Variable(Mp(1), "Nm³/h", 0, 2000);
    a.Variable(Mp(2), "Nm³/h", 0, 1000);
    a.Variable(Mp(3), "Nm³/h", 0, 10000);
    a.Variable(Mp(4), "°C", 0, 500);
    a.Bounds(Mp(4), 200, 400);
    a.Variable(Mb(1), "Nm³/h", 0, 2000);
    a.Variable(Mb(2), "Nm³/h", 0, 1000);
    a.Variable(Mb(3), "Nm³/h", 0, 10000);

    // How much biogas the digesters deliver now, and the air ratio.
    a.Entry(1, "Biogás disp.|Biogas avail.", "Nm³/h", 0, 2000, 600, {20, 120});
    a.Entry(2, "Relação ar|Air ratio", "", 0, 2, 1.1, {20, 190});

    // Flows are scaled so that 100 % of either fuel carries the same heat:
    // biogas has half the heating value of natural gas.
    a.CalculationBlock(1, "FY-1402", "SP do biogás|Biogas SP", Ref(1) + "<" + Ref(15), {621, yBiogas - 58});
    Block& naturalGas = a.CalculationBlock(2, "FY-1403", "SP do gás natural|Natural gas SP", Ref(1) + "-" + Ref(Mp(1)),
                                           {621, yNaturalGas - 58});
    naturalGas.LowerLimitCheck = naturalGas.UpperLimitCheck = true;
    naturalGas.LowerLimitText = "0";
    naturalGas.UpperLimitText = "100";
    // The air follows the larger of the demand and the fuels measured: on an
    // increase it starts with the demand instead of trailing the fuels.
    a.CalculationBlock(3, "FY-1404", "SP do ar|Air SP",
            Ref(1) + "*" + Ref(16) + "/50>(" + Ref(Mp(1)) + "+" + Ref(Mp(2)) + ")*" + Ref(16) + "/50", {621, yAr - 58});
    a.CalculationBlock(4, "H-1401Q", "Queima efetiva|Effective firing",
            Ref(Mp(1)) + "+" + Ref(Mp(2)) + "<" + Ref(Mp(3)), {381, 250});
    auto valve = [&a](int n, const char* tag, const char* desc, int entry, Point mark, const char* tau) {
        Process& p = a.ProcessBlock(n, tag, desc, entry, mark);
        p.LText = tau;
        p.Ctext = "0";
    };
    valve(1, "FV-1402", "Biogás|Biogas", 2, {266, yBiogas - 30}, "2");
    valve(2, "FV-1403", "Gás natural|Natural gas", 3, {266, yNaturalGas - 30}, "1.5");
    valve(3, "FV-1404", "Ar de combustão|Combustion air", 4, {266, yAr - 30}, "5");
    Process& furnace = a.ProcessBlock(4, "H-1401", "Temperatura de saída|Outlet temperature", Mb(4), {381, 224});
    furnace.LText = "60";
    furnace.Ctext = "15";
    furnace.DeadTime = "2";
    furnace.GainText = "1.2";

    Controller& tic =
        a.PidController(1, "TIC-1401", "Temperatura de saída|Outlet temperature", Mp(4), {680, 114});
    tic.KpText = "1.2";
    tic.KiText = "60";
    tic.KdText = "0";
    tic.state.autoMode = true;
    tic.state.SP = 60;
    tic.state.MV = 50;
    const char* tags[] = {"FIC-1402", "FIC-1403", "FIC-1404"};
    const char* descs[] = {"Biogás|Biogas", "Gás natural|Natural gas", "Ar de combustão|Combustion air"};
    const double values[] = {30, 20, 55};
    for (int i = 0; i < 3; ++i) {
        const std::string n = std::to_string(1402 + i);
        // Measurement from the left, setpoint from the right, output from
        // the lower right to the valve's actuator.
        Instrument(t, {175, yLines[i] - 34}, "FIC", n);
        SignalLine(t, {{130, yLines[i] - 10}, {130, yLines[i] - 34}, {155, yLines[i] - 34}});
        SignalLine(t, {{189, yLines[i] - 20}, {239, yLines[i] - 20}});
        // The air's slower fan takes a firmer loop, to keep up with the fuels.
        const bool air = i == 2;
        Controller& c = Loop(a, 2 + i, tags[i], descs[i], Mp(1 + i), {45, yLines[i] - 45}, air ? "2" : "0.5",
                             air ? "5" : "1.5", false, values[i], values[i]);
        RemoteSetpoint(c, Mb(1 + i));
    }

    a.Text(1, "T saída|T outlet", Mp(4), 1, {660, 260});
    a.Text(2, "Biogás|Biogas", Mp(1), 0, {480, yBiogas - 15});
    a.Text(3, "Gás natural|Natural gas", Mp(2), 0, {480, yNaturalGas - 15});
    a.Text(4, "Ar|Air", Mp(3), 0, {480, yAr - 15});
    a.Recorder(1, "FR-1402", "Combustíveis|Fuels", Mp(1), Mp(2), 1, "Biogás|Biogas;GN|NG;Demanda|Demand",
                  {20, 20}, 1);
    a.Recorder(2, "TR-1401", "Temperatura de saída|Outlet temperature", Mp(4), 61, 1, "PV;SP;MV", {110, 20});

    a.Comments(
        {
            "QUEIMA COM DOIS COMBUSTÍVEIS",
            "O aquecedor H-1401 pode queimar biogás, barato mas de disponibilidade limitada (o que os digestores "
            "produzem), e gás natural, caro mas sempre disponível. O TIC-1401 pede a queima total; o biogás é o "
            "combustível preferencial e o gás natural completa o que falta.",
            "O SP do biogás (FY-1402) é o menor entre a demanda e a disponibilidade (barra Biogás disp.). O SP do gás "
            "natural (FY-1403) é a demanda menos o biogás medido: se o biogás não acompanha, o gás natural cobre a "
            "diferença na hora. O SP do ar (FY-1404) é o maior entre a demanda e a soma dos dois combustíveis "
            "medidos: quando a demanda sobe, o ar parte junto com ela, em vez de esperar os combustíveis.",
            "As vazões estão em escalas de mesmo calor: 100 % de biogás (2000 Nm³/h) dá o mesmo calor que 100 % de "
            "gás natural (1000 Nm³/h).",
            "",
            "O QUE EXPERIMENTAR",
            "1. Reduza a disponibilidade de biogás de 600 para 300 Nm³/h: o gás natural sobe e a temperatura quase "
            "não muda (FR-1402).",
            "2. Aumente a disponibilidade para 1600 Nm³/h: o biogás assume toda a carga e o gás natural vai a zero.",
            "3. Suba o SP do TIC-1401 em 30 °C: o aumento vem do combustível que ainda tem folga, e a vazão de ar "
            "sobe junto, com o excesso de ar perto dos 10 % o tempo todo.",
            "4. Mude a fórmula do FY-1404 para (M21+M22)*M16/50, para que o ar siga só os combustíveis medidos, e "
            "repita o passo 3: o ar sai atrasado, fica abaixo do seu SP por uns 10 s e o excesso de ar cai para uns "
            "5 %. O ventilador é mais lento que as válvulas de combustível. Volte a fórmula original.",
        },
        {
            "COMBUSTION WITH TWO FUELS",
            "Heater H-1401 can burn biogas, cheap but of limited availability (what the digesters produce), and "
            "natural gas, expensive but always available. TIC-1401 asks for the total firing; biogas is the "
            "preferred fuel and natural gas makes up the rest.",
            "The biogas SP (FY-1402) is the lower of the demand and the availability (track Biogas avail.). The "
            "natural gas SP (FY-1403) is the demand minus the measured biogas: if the biogas falls behind, natural "
            "gas covers the difference at once. The air SP (FY-1404) is the larger of the demand and the sum of "
            "both fuels measured: when the demand rises, the air starts with it instead of waiting for the fuels.",
            "The flows are on scales of equal heat: 100 % of biogas (2000 Nm³/h) gives the same heat as 100 % of "
            "natural gas (1000 Nm³/h).",
            "",
            "WHAT TO TRY",
            "1. Reduce the biogas availability from 600 to 300 Nm³/h: natural gas rises and the temperature hardly "
            "changes (FR-1402).",
            "2. Raise the availability to 1600 Nm³/h: biogas takes the whole load and natural gas goes to zero.",
            "3. Raise the SP of TIC-1401 by 30 °C: the increase comes from the fuel that still has room, and the "
            "air flow rises with it, the excess air staying near 10 % all the time.",
            "4. Change the formula of FY-1404 to (M21+M22)*M16/50, so that the air follows the measured fuels only, "
            "and repeat step 3: the air starts late, stays below its SP for about 10 s and the excess air falls to "
            "about 5 %. The fan is slower than the fuel valves. Restore the original formula.",
        });
}


}  // namespace kivo::examples
