// The controller record of the project file.
#include <algorithm>

#include "core/Registro.h"
#include "objects/Campos.h"
#include "objects/Controller.h"

namespace kivo {
namespace {

constexpr std::size_t kPrefixo = 8;  // "{C01/01}"
constexpr int kItensLista = 99;
constexpr int kItensGrupo = 2;

}  // namespace

void TControlador::SalvaParametros(EscritorLinhas& w) const {
    const std::string nn = DoisDigitos(n_);
    w.Texto("=====<<<CONTROLADOR:" + nn + ">>>=====");
    EscritorRegistro r(w, "{C" + nn + "/", ContextoPares('C', n_));
    r.Par("Tag:", TagText);
    r.Par("Desc:", Descricao);
    r.Texto("Kc:", KpText);
    r.Texto("Ti:", KiText);
    r.Texto("Td:", KdText);
    r.Texto("Bias:", BiasText);
    r.Texto("Fator a:", aText);
    r.Texto("Tf Filtro:", tfText);
    r.Texto("COmim:", COminText);
    r.Texto("COMax:", COmaxText);
    // The keys say max and min, but the lines hold the scale's begin and end.
    r.Texto("Escala PVMax:", InicioEscala);
    r.Texto("Escala PVmin:", FimEscala);
    r.FlagMisto("BackMV CK:", BackMVCheck);
    r.Inteiro("Indice lista PV:", VariavelSelect);
    r.Inteiro("Indice lista SPR:", SPRSelect);
    r.Inteiro("Endereço  BackMV:", BackMV);
    r.Texto("Acao FF:", FFwEquation);
    r.FlagMisto("Habilita SPR:", CheckSPR);
    r.FlagMisto("Habilita FF:", FFwSelect);
    r.Inteiro("Tipo acao:", Acaogroup);
    r.Inteiro("Derivada na PV:", DerivadaGroup);
    r.Inteiro("Estrutura ISA:", EstruturaGroup);
    r.Fixo42("Iant:", estado.Iant);
    r.Fixo42("Erroant:", estado.Erroant);
    r.Fixo42("PVant:", estado.PVant);
    r.FlagMisto("Habilita Modo Remoto:", estado.modoLocal);
    r.FlagMisto("Habilita Modo Auto:", estado.modoAuto);
    r.Fixo42("", estado.SP);
    r.Fixo42("", estado.MV);
}

void TControlador::LeParametros(LeitorLinhas& linhas) {
    linhas.Proxima();  // the header is not compared
    LeitorRegistro r(linhas, kPrefixo, ContextoPares('C', n_));
    TagText = r.Par("Tag:");
    Descricao = r.Par("Desc:");
    KpText = r.Texto("Kc:");
    KiText = r.Texto("Ti:");
    KdText = r.Texto("Td:");
    BiasText = r.Texto("Bias:");
    aText = r.Texto("Fator a:");
    tfText = r.Texto("Tf Filtro:");
    COminText = r.Texto("COmim:");
    COmaxText = r.Texto("COMax:");
    InicioEscala = r.Texto("Escala PVMax:");
    FimEscala = r.Texto("Escala PVmin:");
    BackMVCheck = r.FlagMisto("BackMV CK:");
    VariavelSelect = IndiceNaLista(r.Estrito("Indice lista PV:"), kItensLista);
    // The remote setpoint's index is kept aside and selected once the enable
    // below is in place, as enabling it selects the first item.
    const int spr = IndiceNaLista(r.Estrito("Indice lista SPR:"), kItensLista);
    BackMV = IndiceNaLista(r.Estrito("Endereço  BackMV:"), kItensLista);
    FFwEquation = r.Texto("Acao FF:");
    CheckSPR = r.FlagMisto("Habilita SPR:");
    SPRSelect = spr;
    FFwSelect = r.FlagMisto("Habilita FF:");
    Acaogroup = IndiceNaLista(r.Leniente("Tipo acao:"), kItensGrupo);
    DerivadaGroup = IndiceNaLista(r.Leniente("Derivada na PV:"), kItensGrupo);
    EstruturaGroup = IndiceNaLista(r.Leniente("Estrutura ISA:"), kItensGrupo);
    estado.Iant = r.Real("Iant:");
    estado.Erroant = r.Real("Erroant:");
    estado.PVant = r.Real("PVant:");
    estado.modoLocal = r.FlagMisto("Habilita Modo Remoto:");
    estado.modoAuto = r.FlagMisto("Habilita Modo Auto:");
    estado.SP = r.Real("");
    estado.MV = r.Real("");
    LimitaEstadoLido();
    // The record restores the loop where it was saved: the derivative filter
    // starts from the last PV (it is not in the record, and starting it at 0
    // kicks the output on the first cycle), and the output and the mirrors of
    // SP and PV are in the memory before the first tick, when the processes
    // and blocks read them.
    estado.PVf = estado.PVant;
    estado.PVfant = estado.PVant;
    sim_.mem[n_] = estado.MV;
    sim_.mem[60 + n_] = std::clamp(estado.SP, 0.0, 100.0);
    sim_.mem[100 + n_] = std::clamp(estado.PVant, 0.0, 100.0);
}

// A record holds what the controller held, so values it can never hold come
// from an edited or damaged file: they are brought back into its range rather
// than carried into the plant. SP and PV are kept clamped to 0..100 by every
// step. MV is what the faceplate accepts in manual (0..100) or what the auto
// mode left between the output limits, which may lie outside 0..100 (a split
// range); limits that do not convert leave the faceplate's range alone.
void TControlador::LimitaEstadoLido() {
    estado.SP = std::clamp(estado.SP, 0.0, 100.0);
    estado.PVant = std::clamp(estado.PVant, 0.0, 100.0);
    double lo = 0.0;
    double hi = 100.0;
    double comin = 0.0;
    double comax = 0.0;
    if (LeNumeroCampo(COminText, comin) && LeNumeroCampo(COmaxText, comax)) {
        lo = std::min({lo, comin, comax});
        hi = std::max({hi, comin, comax});
    }
    estado.MV = std::clamp(estado.MV, lo, hi);
}

}  // namespace kivo
