#pragma once
// What a user may do with the diagram's panel widgets (switches, command
// buttons, tracks), and what their entry boxes refuse: the widget panel and
// remote clients both go through here.
#include "project/Project.h"

namespace kivo {

// Switch c (1..2) is on the diagram.
bool SwitchShown(const Project& p, int c);
// Button b (1..3) is on the command panel: it and every button above it are
// enabled.
bool ButtonShown(const Project& p, int b);
// Track n (1..6) is on the diagram.
bool TrackShown(const Project& p, int n);
// Track n's entry box: a value in the engineering units of M(14+n), within
// its range; false leaves the variable as it was.
bool EnterTrackValue(Project& p, int n, double engineering);
// Track n's slider: 0..100 %.
bool SetTrackPosition(Project& p, int n, double percent);

}  // namespace kivo
