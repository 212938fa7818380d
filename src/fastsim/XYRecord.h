#pragma once
// The XY recorder's run: the plant advanced by a window of simulated time in
// steps of 0.1 s without pacing, one point (M(x), M(y)) per step. The chart
// belongs to the window; the points accumulate over successive runs.
#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kivo {

class Simulation;
class ProgressObserver;

struct XYPoint {
    double x;
    double y;
};

// The window selector: "10 min", "30 min", "1 hora".
inline constexpr std::array<double, 3> kXYWindows = {600, 1800, 3600};

// n = Round(W / 0.1) steps with the fast-mode flag set and T = 0.1 s; before
// step b the progress is Round(100 b / n). x and y are display addresses
// 1..124. The time step stays at 0.1 s for the next real-time tick to set.
void RecordXY(Simulation& sim, double window, int x, int y, std::vector<XYPoint>& points,
                ProgressObserver* obs = nullptr);

// The preset entries: "Seleção Individual", then "COxPV [Malha n]" and
// "COxMV [Malha n]" for n = 1..10 ("Individual selection", "[Loop n]" in
// English).
std::vector<std::string> PresetXYItems(bool english = false);

// The (x, y) addresses of preset entry i, or nullopt when the entry changes
// nothing: the first entry, and a loop whose controller does not exist.
// COxPV is M(n) against the controller's selected PV, COxMV M(n) against
// M(100 + n).
std::optional<std::pair<int, int>> PresetXY(const Simulation& sim, int entry);

}  // namespace kivo
