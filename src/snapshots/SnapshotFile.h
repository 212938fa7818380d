#pragma once
// The named snapshots of a project, kept beside its file: NAME.smp has them
// in NAME.kss. Binary, little-endian, version 1:
//   "KIVO-KSS"                 8 bytes, the file's kind
//   version                    u32 (kStateVersion: the state layout)
//   configuration fingerprint  u64 (ConfigurationFingerprint)
//   project file name          u32 length + UTF-8 bytes (for messages)
//   count                      u32, at most kMaxNamedSnapshots
//   per snapshot: name (u32 length + UTF-8 bytes), plant time (f64, s),
//                 state (u32 length + bytes, see Simulation::SaveState)
//   check                      u64, FNV-1a of every byte before it
// It lives with the snapshots rather than with the project file because it
// is their form on disk: its version follows the state layout, which only
// this library and the models know, while the project's reader and writer
// stay about the project's own text. It is written through the same safe
// save as the project and read through the same guarded reading.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/FailureReason.h"
#include "snapshots/Snapshot.h"

namespace kivo {

inline constexpr std::size_t kMaxNamedSnapshots = 1000;
inline constexpr std::size_t kMaxSnapshotNameBytes = 1020;  // 255 characters of up to 4 bytes
inline constexpr std::uintmax_t kMaxSnapshotFileBytes = 256ull << 20;

// NAME.kss beside NAME.smp.
std::filesystem::path SnapshotFilePath(const std::filesystem::path& projectFile);

std::string SnapshotFileBytes(std::string_view projectName, std::uint64_t fingerprint,
                              const std::vector<Snapshot>& snapshots);
// The snapshots of the bytes, when they are a whole file of this version
// for a plant of this fingerprint; otherwise why not (and out is left
// alone). projectName names the project in the message.
std::optional<FailureReason> ReadSnapshotFileBytes(std::string_view bytes, std::uint64_t fingerprint,
                                                   std::string_view projectName, std::vector<Snapshot>& out);

// The same on the file; writing it replaces the whole file safely.
std::optional<FailureReason> WriteSnapshotFile(const std::filesystem::path& path, std::string_view projectName,
                                               std::uint64_t fingerprint, const std::vector<Snapshot>& snapshots);
std::optional<FailureReason> ReadSnapshotFile(const std::filesystem::path& path, std::uint64_t fingerprint,
                                              std::string_view projectName, std::vector<Snapshot>& out);

}  // namespace kivo
