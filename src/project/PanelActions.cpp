#include "project/PanelActions.h"

namespace kivo {

bool SwitchShown(const Project& p, int c) { return p.switches[static_cast<std::size_t>(c - 1)].enabled; }

bool ButtonShown(const Project& p, int b) {
    for (int i = 1; i <= b; ++i)
        if (!p.buttons[static_cast<std::size_t>(i - 1)].enabled) return false;
    return true;
}

bool TrackShown(const Project& p, int n) { return p.tracks[static_cast<std::size_t>(n - 1)].enabled; }

bool EnterTrackValue(Project& p, int n, double engineering) {
    Memory& mem = p.sim.mem;
    const double lo = mem.EuMinValue(14 + n);
    const double hi = mem.EuMaxValue(14 + n);
    // Written so that NaN fails too; a reversed or empty range takes nothing.
    if (!(engineering >= lo && engineering <= hi) || hi == lo) return false;
    mem[14 + n] = (engineering - lo) * 100 / (hi - lo);
    return true;
}

bool SetTrackPosition(Project& p, int n, double percent) {
    if (!(percent >= 0 && percent <= 100)) return false;
    p.sim.mem[14 + n] = percent;
    return true;
}

}  // namespace kivo
