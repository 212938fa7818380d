#pragma once
// Loading a ".txd" archive into a row of loop charts, interpreted with the
// controllers as they are configured now: only active controllers are
// loaded, each with its current PV address and the unit of that variable.
#include <filesystem>

#include "fastsim/Malhas.h"

namespace kivo {

class Simulacao;
class ObservadorProgresso;

// Reads the whole archive first: a file that fails to read throws ErroTxd
// and the caller's row stays as it was. Per data line, CO = field n,
// PV = field (PV address), SP = field 60 + n. An index out of range is an
// error of the archive too (ErroTxd naming the loop and the index): its
// values are beyond what a loop can hold.
LinhaDesempenho CarregaHistorico(const Simulacao& sim, const std::filesystem::path& arquivo, bool normaliza,
                                 ObservadorProgresso* obs = nullptr);

}  // namespace kivo
