#include "fastsim/XYRecord.h"

#include <stdexcept>

#include "core/Cycle.h"
#include "core/NumberText.h"
#include "fastsim/Progress.h"
#include "objects/Fields.h"
#include "objects/Controller.h"

namespace kivo {

void RecordXY(Simulation& sim, double window, int x, int y, std::vector<XYPoint>& points,
                ProgressObserver* obs) {
    if (x < 1 || x > kNumVariables || y < 1 || y > kNumVariables)
        throw std::invalid_argument("XY run: addresses must lie in 1..124");
    constexpr double kT = 0.1;
    const auto n = static_cast<long long>(Round(window / kT));
    if (n <= 0) return;
    points.reserve(points.size() + static_cast<std::size_t>(n));
    Progress progress(obs);
    sim.RunWithoutDisplay(
        n, kT,
        [&](long long b) {
            progress.Inform(static_cast<int>(Round(static_cast<double>(b) * 100 / static_cast<double>(n))));
        },
        [&](long long) {
            points.push_back({sim.mem[x], sim.mem[y]});
            return true;
        });
}

std::vector<std::string> PresetXYItems(bool english) {
    std::vector<std::string> items{english ? "Individual selection" : "Seleção Individual"};
    const std::string loop = english ? " [Loop " : " [Malha ";
    for (int n = 1; n <= 10; ++n) {
        items.push_back("COxPV" + loop + std::to_string(n) + "]");
        items.push_back("COxMV" + loop + std::to_string(n) + "]");
    }
    return items;
}

std::optional<std::pair<int, int>> PresetXY(const Simulation& sim, int entry) {
    if (entry < 1 || entry > 20) return std::nullopt;
    const int n = (entry + 1) / 2;
    const auto* c = sim.controllers.active(n) ? sim.controllers.as<Controller>(n) : nullptr;
    if (!c) return std::nullopt;
    if (entry % 2 == 0) return std::pair{n, 100 + n};
    const int pv = AddressFromList(c->VariableSelect);
    if (pv == 0) return std::nullopt;
    return std::pair{n, pv};
}

}  // namespace kivo
