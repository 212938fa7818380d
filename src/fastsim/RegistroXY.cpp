#include "fastsim/RegistroXY.h"

#include <stdexcept>

#include "core/Ciclo.h"
#include "core/NumberText.h"
#include "fastsim/Progresso.h"
#include "objects/Campos.h"
#include "objects/Controller.h"

namespace kivo {

void RegistraXY(Simulacao& sim, double janela, int x, int y, std::vector<PontoXY>& pontos,
                ObservadorProgresso* obs) {
    if (x < 1 || x > kNumVariaveis || y < 1 || y > kNumVariaveis)
        throw std::invalid_argument("XY run: addresses must lie in 1..124");
    constexpr double kT = 0.1;
    const auto n = static_cast<long long>(Arredonda(janela / kT));
    if (n <= 0) return;
    pontos.reserve(pontos.size() + static_cast<std::size_t>(n));
    Progresso progresso(obs);
    sim.ExecutaSemDisplay(
        n, kT,
        [&](long long b) {
            progresso.Informa(static_cast<int>(Arredonda(static_cast<double>(b) * 100 / static_cast<double>(n))));
        },
        [&](long long) {
            pontos.push_back({sim.mem[x], sim.mem[y]});
            return true;
        });
}

std::vector<std::string> ItensPresetXY(bool ingles) {
    std::vector<std::string> itens{ingles ? "Individual selection" : "Seleção Individual"};
    const std::string malha = ingles ? " [Loop " : " [Malha ";
    for (int n = 1; n <= 10; ++n) {
        itens.push_back("COxPV" + malha + std::to_string(n) + "]");
        itens.push_back("COxMV" + malha + std::to_string(n) + "]");
    }
    return itens;
}

std::optional<std::pair<int, int>> PresetXY(const Simulacao& sim, int entrada) {
    if (entrada < 1 || entrada > 20) return std::nullopt;
    const int n = (entrada + 1) / 2;
    const auto* c = sim.controladores.ativo(n) ? sim.controladores.como<TControlador>(n) : nullptr;
    if (!c) return std::nullopt;
    if (entrada % 2 == 0) return std::pair{n, 100 + n};
    const int pv = EnderecoDaLista(c->VariavelSelect);
    if (pv == 0) return std::nullopt;
    return std::pair{n, pv};
}

}  // namespace kivo
