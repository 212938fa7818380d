// The controller record of the project file.
#include <algorithm>

#include "core/Record.h"
#include "objects/Fields.h"
#include "objects/Controller.h"

namespace kivo {
namespace {

constexpr std::size_t kPrefix = 8;  // "{C01/01}"
constexpr int kListItems = 99;
constexpr int kGroupItems = 2;

}  // namespace

void Controller::SaveParameters(LineWriter& w) const {
    const std::string nn = TwoDigits(n_);
    w.Text("=====<<<CONTROLADOR:" + nn + ">>>=====");
    RecordWriter r(w, "{C" + nn + "/", PairContext('C', n_));
    r.Pair("Tag:", TagText);
    r.Pair("Desc:", Description);
    r.Text("Kc:", KpText);
    r.Text("Ti:", KiText);
    r.Text("Td:", KdText);
    r.Text("Bias:", BiasText);
    r.Text("Fator a:", aText);
    r.Text("Tf Filtro:", tfText);
    r.Text("COmim:", COminText);
    r.Text("COMax:", COmaxText);
    // The keys say max and min, but the lines hold the scale's begin and end.
    r.Text("Escala PVMax:", ScaleStart);
    r.Text("Escala PVmin:", ScaleEnd);
    r.MixedCaseFlag("BackMV CK:", BackMVCheck);
    r.Integer("Indice lista PV:", VariableSelect);
    r.Integer("Indice lista SPR:", SPRSelect);
    r.Integer("Endereço  BackMV:", BackMV);
    r.Text("Acao FF:", FFwEquation);
    r.MixedCaseFlag("Habilita SPR:", CheckSPR);
    r.MixedCaseFlag("Habilita FF:", FFwSelect);
    r.Integer("Tipo acao:", ActionGroup);
    r.Integer("Derivada na PV:", DerivativeGroup);
    r.Integer("Estrutura ISA:", StructureGroup);
    r.Fixed42("Iant:", state.Integral);
    r.Fixed42("Erroant:", state.PrevError);
    r.Fixed42("PVant:", state.PrevPV);
    r.MixedCaseFlag("Habilita Modo Remoto:", state.localMode);
    r.MixedCaseFlag("Habilita Modo Auto:", state.autoMode);
    r.Fixed42("", state.SP);
    r.Fixed42("", state.MV);
}

void Controller::ReadParameters(LineReader& lines) {
    lines.NextLine();  // the header is not compared
    RecordReader r(lines, kPrefix, PairContext('C', n_));
    TagText = r.Pair("Tag:");
    Description = r.Pair("Desc:");
    KpText = r.Text("Kc:");
    KiText = r.Text("Ti:");
    KdText = r.Text("Td:");
    BiasText = r.Text("Bias:");
    aText = r.Text("Fator a:");
    tfText = r.Text("Tf Filtro:");
    COminText = r.Text("COmim:");
    COmaxText = r.Text("COMax:");
    ScaleStart = r.Text("Escala PVMax:");
    ScaleEnd = r.Text("Escala PVmin:");
    BackMVCheck = r.MixedCaseFlag("BackMV CK:");
    VariableSelect = IndexInList(r.Strict("Indice lista PV:"), kListItems);
    // The remote setpoint's index is kept aside and selected once the enable
    // below is in place, as enabling it selects the first item.
    const int spr = IndexInList(r.Strict("Indice lista SPR:"), kListItems);
    BackMV = IndexInList(r.Strict("Endereço  BackMV:"), kListItems);
    FFwEquation = r.Text("Acao FF:");
    CheckSPR = r.MixedCaseFlag("Habilita SPR:");
    SPRSelect = spr;
    FFwSelect = r.MixedCaseFlag("Habilita FF:");
    ActionGroup = IndexInList(r.Lenient("Tipo acao:"), kGroupItems);
    DerivativeGroup = IndexInList(r.Lenient("Derivada na PV:"), kGroupItems);
    StructureGroup = IndexInList(r.Lenient("Estrutura ISA:"), kGroupItems);
    state.Integral = r.Real("Iant:");
    state.PrevError = r.Real("Erroant:");
    state.PrevPV = r.Real("PVant:");
    state.localMode = r.MixedCaseFlag("Habilita Modo Remoto:");
    state.autoMode = r.MixedCaseFlag("Habilita Modo Auto:");
    state.SP = r.Real("");
    state.MV = r.Real("");
    ClampReadState();
    // The record restores the loop where it was saved: the derivative filter
    // starts from the last PV (it is not in the record, and starting it at 0
    // kicks the output on the first cycle), and the output and the mirrors of
    // SP and PV are in the memory before the first tick, when the processes
    // and blocks read them.
    state.PVf = state.PrevPV;
    state.PrevPVf = state.PrevPV;
    sim_.mem[n_] = state.MV;
    sim_.mem[60 + n_] = std::clamp(state.SP, 0.0, 100.0);
    sim_.mem[100 + n_] = std::clamp(state.PrevPV, 0.0, 100.0);
}

// A record holds what the controller held, so values it can never hold come
// from an edited or damaged file: they are brought back into its range rather
// than carried into the plant. SP and PV are kept clamped to 0..100 by every
// step. MV is what the faceplate accepts in manual (0..100) or what the auto
// mode left between the output limits, which may lie outside 0..100 (a split
// range); limits that do not convert leave the faceplate's range alone.
void Controller::ClampReadState() {
    state.SP = std::clamp(state.SP, 0.0, 100.0);
    state.PrevPV = std::clamp(state.PrevPV, 0.0, 100.0);
    double lo = 0.0;
    double hi = 100.0;
    double comin = 0.0;
    double comax = 0.0;
    if (ReadNumberField(COminText, comin) && ReadNumberField(COmaxText, comax)) {
        lo = std::min({lo, comin, comax});
        hi = std::max({hi, comin, comax});
    }
    state.MV = std::clamp(state.MV, lo, hi);
}

}  // namespace kivo
