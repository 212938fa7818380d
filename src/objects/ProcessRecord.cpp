// The process record of the project file.
#include "core/Record.h"
#include "objects/Process.h"

namespace kivo {
namespace {

constexpr std::size_t kPrefix = 8;  // "{P21/01}"
constexpr int kInputItems = 99;
constexpr int kCurveItems = 5;
constexpr int kKindItems = 4;

}  // namespace

void Process::SaveParameters(LineWriter& w) const {
    const std::string nn = TwoDigits(u_);
    w.Text("=====<<<PROCESSO:" + nn + ">>>=====");
    RecordWriter r(w, "{P" + nn + "/", PairContext('P', slot_));
    r.Pair("Tag:", TagText);
    r.Pair("Desc:", DescriptionText);
    r.Integer("Indice lista PV:", InputSelect);
    r.Text("Tal 1:", LText);
    r.Text("Tal 2:", Ctext);
    r.MixedCaseFlag("Habilita Desat Sat:", SaturatorDisabled);
    r.Text("Histerese:", Hysteresis);
    r.Text("Tempo Morto:", DeadTime);
    r.Text("Ganho:", GainText);
    r.Integer("Tipo Valv:", ValveCurve);
    r.Text("Agarramento:", valveStext);
    r.Text("RateLimiter:", ratetext);
    r.Text("Const. Tempo Atuador:", tauAText);
    r.Integer("Tipo FT:", TransferFunctionKind);
    r.Text("Num.Ciclos:", NCText + "x" + PeriodText);
    r.Text("Lead:", LEAD);
    r.Text("Lag:", LAG);
    r.Fixed42("X0:", state.X0);
    r.Fixed42("Y2:", state.Y2);
    r.Fixed42("Y0old:", state.Y0old);
    r.Fixed42("Y1old:", state.Y1old);
    r.Fixed42("Y1old2:", state.Y1old2);
    r.Fixed42("x5old:", state.x5old);
    r.Fixed42("IntAc1:", state.IntAc1);
    r.Fixed42("IntAc2:", state.IntAc2);
}

void Process::ReadParameters(LineReader& lines) {
    lines.NextLine();  // the header is not compared
    RecordReader r(lines, kPrefix, PairContext('P', slot_));
    TagText = r.Pair("Tag:");
    DescriptionText = r.Pair("Desc:");
    InputSelect = IndexInList(r.Strict("Indice lista PV:"), kInputItems);
    LText = r.Text("Tal 1:");
    Ctext = r.Text("Tal 2:");
    SaturatorDisabled = r.MixedCaseFlag("Habilita Desat Sat:");
    Hysteresis = r.Text("Histerese:");
    DeadTime = r.Text("Tempo Morto:");
    GainText = r.Text("Ganho:");
    ValveCurve = IndexInList(r.Strict("Tipo Valv:"), kCurveItems);
    valveStext = r.Text("Agarramento:");
    ratetext = r.Text("RateLimiter:");
    tauAText = r.Text("Const. Tempo Atuador:");
    TransferFunctionKind = IndexInList(r.Strict("Tipo FT:"), kKindItems);
    // "N" + "x" + "P"; without an "x" only the number of cycles is given and
    // the period keeps its text.
    const std::string cycles = r.Text("Num.Ciclos:");
    const std::size_t x = cycles.find('x');
    if (x == std::string::npos) {
        NCText = cycles;
    } else {
        NCText = cycles.substr(0, x);
        PeriodText = cycles.substr(x + 1);
    }
    LEAD = r.Text("Lead:");
    LAG = r.Text("Lag:");
    state.X0 = r.Real("X0:");
    state.Y2 = r.Real("Y2:");
    state.Y0old = r.Real("Y0old:");
    state.Y1old = r.Real("Y1old:");
    state.Y1old2 = r.Real("Y1old2:");
    state.x5old = r.Real("x5old:");
    state.IntAc1 = r.Real("IntAc1:");
    state.IntAc2 = r.Real("IntAc2:");
    RestAtSavedState();
    // The output is in the memory before the first tick, when the blocks and
    // controllers of that tick read it.
    sim_.mem[u_] = state.Y2;
}

}  // namespace kivo
