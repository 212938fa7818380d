#pragma once
// A snapshot: the complete running state of a plant at one moment of plant
// time, at full precision (see Simulation::SaveState), with a fingerprint of
// the configuration it belongs to. Restoring it and running on gives, bit for
// bit, the run that followed it the first time. The settings the operator
// typed are not part of it: a restore keeps the settings in force.
#include <cstdint>
#include <string>
#include <vector>

namespace kivo {

class Simulation;

// The layout of the state bytes; a change of it is a new version.
inline constexpr std::uint32_t kStateVersion = 1;

struct Snapshot {
    std::string name;  // given by the user; empty for an automatic one
    double time = 0;   // plant time, s
    std::uint64_t fingerprint = 0;
    std::vector<std::uint8_t> state;
};

// What makes one plant's state another's: the layout version, the filled
// slots of every pool, each process's input and transfer-function type,
// each controller's PV, the generator rows' kinds and the linearizer's
// switch. Tunings, limits and texts are left out, so that a plant whose
// settings were changed still goes back.
std::uint64_t ConfigurationFingerprint(const Simulation& sim);

// Takes the plant's state into s, reusing its buffer; the name is left alone.
void TakeSnapshot(const Simulation& sim, Snapshot& s);
Snapshot TakeSnapshot(const Simulation& sim);

enum class RestoreOutcome {
    Restored,
    OtherConfiguration,  // the fingerprint differs: nothing changed
    Damaged,             // the bytes do not read back: nothing changed
};

// Puts the plant back into the snapshot's state. A snapshot of another
// configuration, or bytes that do not read back whole, leave the plant as
// it was.
RestoreOutcome RestoreSnapshot(Simulation& sim, const Snapshot& s);

}  // namespace kivo
