// The calculation block record of the project file.
#include "core/Registro.h"
#include "objects/Blocos.h"

namespace kivo {
namespace {

constexpr std::size_t kPrefixo = 8;  // "{B41/01}"

}  // namespace

void TBloco::SalvaParametros(EscritorLinhas& w) const {
    const std::string nn = DoisDigitos(n_);
    w.Texto("=====<<<BLOCO CALC:" + nn + ">>>=====");
    EscritorRegistro r(w, "{B" + nn + "/", ContextoPares('B', slot_));
    r.Par("Tag:", TagText);
    r.Par("Desc:", DescricaoText);
    r.Texto("Funcao:", FuncaoTr);
    r.Texto("Lim Sup:", LimSupText);
    r.Texto("Lim Inf:", LimInfText);
    r.FlagMisto("Habilita Lim Sup:", LimSupCheck);
    r.FlagMisto("Habilita Lim Inf:", LimInfCheck);
}

void TBloco::LeParametros(LeitorLinhas& linhas) {
    linhas.Proxima();  // the header is not compared
    LeitorRegistro r(linhas, kPrefixo, ContextoPares('B', slot_));
    TagText = r.Par("Tag:");
    DescricaoText = r.Par("Desc:");
    FuncaoTr = r.Texto("Funcao:");
    LimSupText = r.Texto("Lim Sup:");
    LimInfText = r.Texto("Lim Inf:");
    LimSupCheck = r.FlagMisto("Habilita Lim Sup:");
    LimInfCheck = r.FlagMisto("Habilita Lim Inf:");
}

}  // namespace kivo
