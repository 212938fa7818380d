// The linearizer section of the project file: its marker, the input text,
// the enable flag and the twelve point texts.
#include "core/Registro.h"
#include "objects/Linearizador.h"

namespace kivo {

void TLinearizador::SalvaParametros(EscritorLinhas& w) const {
    w.Texto("=====<<<LINEARIZADOR>>>=====)");
    w.Texto(Lin1EndEnt);
    w.FlagMaiusculo(Lin1Ativar());
    for (const auto& t : Lin1MV) w.Texto(t);
    for (const auto& t : Lin1PV) w.Texto(t);
}

void TLinearizador::LeParametros(LeitorLinhas& r) {
    r.Proxima();  // the marker is not compared
    Lin1EndEnt = r.Texto();
    SetLin1Ativar(r.FlagMaiusculo());
    for (auto& t : Lin1MV) t = r.Texto();
    for (auto& t : Lin1PV) t = r.Texto();
}

}  // namespace kivo
