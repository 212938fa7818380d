// The process record of the project file.
#include "core/Registro.h"
#include "objects/Process.h"

namespace kivo {
namespace {

constexpr std::size_t kPrefixo = 8;  // "{P21/01}"
constexpr int kItensEntrada = 99;
constexpr int kItensCurva = 5;
constexpr int kItensTipo = 4;

}  // namespace

void TProcesso::SalvaParametros(EscritorLinhas& w) const {
    const std::string nn = DoisDigitos(u_);
    w.Texto("=====<<<PROCESSO:" + nn + ">>>=====");
    EscritorRegistro r(w, "{P" + nn + "/", ContextoPares('P', slot_));
    r.Par("Tag:", TagText);
    r.Par("Desc:", DescricaoText);
    r.Inteiro("Indice lista PV:", EntradaSelect);
    r.Texto("Tal 1:", LText);
    r.Texto("Tal 2:", Ctext);
    r.FlagMisto("Habilita Desat Sat:", CheckBox1);
    r.Texto("Histerese:", Histerese);
    r.Texto("Tempo Morto:", TempoMorto);
    r.Texto("Ganho:", GanhoText);
    r.Inteiro("Tipo Valv:", ComboBox1);
    r.Texto("Agarramento:", valveStext);
    r.Texto("RateLimiter:", ratetext);
    r.Texto("Const. Tempo Atuador:", tal);
    r.Inteiro("Tipo FT:", ComboBox2);
    r.Texto("Num.Ciclos:", NCText + "x" + PeriodoText);
    r.Texto("Lead:", LEAD);
    r.Texto("Lag:", LAG);
    r.Fixo42("X0:", estado.X0);
    r.Fixo42("Y2:", estado.Y2);
    r.Fixo42("Y0old:", estado.Y0old);
    r.Fixo42("Y1old:", estado.Y1old);
    r.Fixo42("Y1old2:", estado.Y1old2);
    r.Fixo42("x5old:", estado.x5old);
    r.Fixo42("IntAc1:", estado.IntAc1);
    r.Fixo42("IntAc2:", estado.IntAc2);
}

void TProcesso::LeParametros(LeitorLinhas& linhas) {
    linhas.Proxima();  // the header is not compared
    LeitorRegistro r(linhas, kPrefixo, ContextoPares('P', slot_));
    TagText = r.Par("Tag:");
    DescricaoText = r.Par("Desc:");
    EntradaSelect = IndiceNaLista(r.Estrito("Indice lista PV:"), kItensEntrada);
    LText = r.Texto("Tal 1:");
    Ctext = r.Texto("Tal 2:");
    CheckBox1 = r.FlagMisto("Habilita Desat Sat:");
    Histerese = r.Texto("Histerese:");
    TempoMorto = r.Texto("Tempo Morto:");
    GanhoText = r.Texto("Ganho:");
    ComboBox1 = IndiceNaLista(r.Estrito("Tipo Valv:"), kItensCurva);
    valveStext = r.Texto("Agarramento:");
    ratetext = r.Texto("RateLimiter:");
    tal = r.Texto("Const. Tempo Atuador:");
    ComboBox2 = IndiceNaLista(r.Estrito("Tipo FT:"), kItensTipo);
    // "N" + "x" + "P"; without an "x" only the number of cycles is given and
    // the period keeps its text.
    const std::string ciclos = r.Texto("Num.Ciclos:");
    const std::size_t x = ciclos.find('x');
    if (x == std::string::npos) {
        NCText = ciclos;
    } else {
        NCText = ciclos.substr(0, x);
        PeriodoText = ciclos.substr(x + 1);
    }
    LEAD = r.Texto("Lead:");
    LAG = r.Texto("Lag:");
    estado.X0 = r.Real("X0:");
    estado.Y2 = r.Real("Y2:");
    estado.Y0old = r.Real("Y0old:");
    estado.Y1old = r.Real("Y1old:");
    estado.Y1old2 = r.Real("Y1old2:");
    estado.x5old = r.Real("x5old:");
    estado.IntAc1 = r.Real("IntAc1:");
    estado.IntAc2 = r.Real("IntAc2:");
    RepousaNoEstadoSalvo();
    // The output is in the memory before the first tick, when the blocks and
    // controllers of that tick read it.
    sim_.mem[u_] = estado.Y2;
}

}  // namespace kivo
