#include "snapshots/SnapshotFile.h"

#include <cstring>
#include <span>

#include "core/Fnv1a.h"
#include "core/RegularFile.h"
#include "core/StateBytes.h"
#include "project/FileWriter.h"
#include "project/TextFile.h"

namespace kivo {
namespace {

constexpr char kMagic[8] = {'K', 'I', 'V', 'O', '-', 'K', 'S', 'S'};
constexpr std::size_t kMaxStateBytes = 16u << 20;

std::uint64_t Check(std::span<const std::uint8_t> bytes) {
    Fnv1a h;
    h.Add(bytes);
    return h.value();
}

void PutBytes(StateWriter& w, std::string_view s) {
    w.U32(static_cast<std::uint32_t>(s.size()));
    for (char c : s) w.U8(static_cast<std::uint8_t>(c));
}

// A length-prefixed run of at most limit bytes; false when it is longer or
// runs past the end.
bool GetBytes(StateReader& r, std::size_t limit, std::string& out) {
    const std::uint32_t n = r.U32();
    if (!r.ok() || n > limit || n > r.remaining()) return false;
    out.resize(n);
    for (char& c : out) c = static_cast<char>(r.U8());
    return r.ok();
}

std::span<const std::uint8_t> AsBytes(std::string_view s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

FailureReason Damaged() {
    return {"o arquivo de fotografias está danificado ou incompleto", "the snapshot file is damaged or incomplete"};
}

}  // namespace

std::filesystem::path SnapshotFilePath(const std::filesystem::path& projectFile) {
    std::filesystem::path p = projectFile;
    p.replace_extension(".kss");
    return p;
}

std::string SnapshotFileBytes(std::string_view projectName, std::uint64_t fingerprint,
                              const std::vector<Snapshot>& snapshots) {
    std::vector<std::uint8_t> bytes(std::begin(kMagic), std::end(kMagic));
    StateWriter w(bytes);
    w.U32(kStateVersion);
    w.U64(fingerprint);
    PutBytes(w, projectName);
    w.U32(static_cast<std::uint32_t>(snapshots.size()));
    for (const Snapshot& s : snapshots) {
        PutBytes(w, s.name);
        w.F64(s.time);
        w.U32(static_cast<std::uint32_t>(s.state.size()));
        bytes.insert(bytes.end(), s.state.begin(), s.state.end());
    }
    w.U64(Check(bytes));
    return {bytes.begin(), bytes.end()};
}

std::optional<FailureReason> ReadSnapshotFileBytes(std::string_view file, std::uint64_t fingerprint,
                                                   std::string_view projectName, std::vector<Snapshot>& out) {
    if (file.size() < sizeof kMagic || std::memcmp(file.data(), kMagic, sizeof kMagic) != 0)
        return FailureReason{"não é um arquivo de fotografias do KIVO", "it is not a KIVO snapshot file"};
    StateReader r(AsBytes(file.substr(sizeof kMagic)));
    const std::uint32_t version = r.U32();
    if (!r.ok()) return Damaged();
    if (version != kStateVersion)
        return FailureReason{"é da versão " + std::to_string(version) + " do formato; esta versão do programa lê a versão " +
                                 std::to_string(kStateVersion),
                             "it is of version " + std::to_string(version) +
                                 " of the format; this version of the program reads version " +
                                 std::to_string(kStateVersion)};
    if (file.size() < sizeof kMagic + 12 + 8 ||
        Check(AsBytes(file.substr(0, file.size() - 8))) != StateReader(AsBytes(file.substr(file.size() - 8))).U64())
        return Damaged();

    const std::uint64_t owner = r.U64();
    std::string ownerName;
    if (!GetBytes(r, 4096, ownerName)) return Damaged();
    if (owner != fingerprint && ownerName == projectName)
        return FailureReason{"pertence a outra configuração de \"" + ownerName +
                                 "\" (objetos incluídos, excluídos ou religados depois)",
                             "it belongs to another configuration of \"" + ownerName +
                                 "\" (objects added, removed or rewired since)"};
    if (owner != fingerprint)
        return FailureReason{"pertence a outro projeto (\"" + ownerName + "\") ou a outra configuração de \"" +
                                 std::string(projectName) + "\"",
                             "it belongs to another project (\"" + ownerName + "\") or to another configuration of \"" +
                                 std::string(projectName) + "\""};

    const std::uint32_t count = r.U32();
    if (!r.ok() || count > kMaxNamedSnapshots) return Damaged();
    std::vector<Snapshot> snapshots(count);
    for (Snapshot& s : snapshots) {
        if (!GetBytes(r, kMaxSnapshotNameBytes, s.name)) return Damaged();
        s.time = r.F64();
        s.fingerprint = owner;
        std::string state;
        if (!GetBytes(r, kMaxStateBytes, state)) return Damaged();
        s.state.assign(state.begin(), state.end());
    }
    if (r.U64(), !r.ok() || !r.AtEnd()) return Damaged();
    out = std::move(snapshots);
    return std::nullopt;
}

std::optional<FailureReason> WriteSnapshotFile(const std::filesystem::path& path, std::string_view projectName,
                                               std::uint64_t fingerprint, const std::vector<Snapshot>& snapshots) {
    try {
        WriteFile(path, SnapshotFileBytes(projectName, fingerprint, snapshots));
    } catch (const FileError& e) {
        return e.reason();
    }
    return std::nullopt;
}

std::optional<FailureReason> ReadSnapshotFile(const std::filesystem::path& path, std::uint64_t fingerprint,
                                              std::string_view projectName, std::vector<Snapshot>& out) {
    FileRefusal refusal;
    const std::optional<std::string> bytes = ReadRegularFile(path, kMaxSnapshotFileBytes, refusal);
    if (!bytes) {
        if (refusal.kind == FileRefusal::Kind::TooLarge) return SizeLimitReason(kMaxSnapshotFileBytes);
        return refusal.reason;
    }
    return ReadSnapshotFileBytes(*bytes, fingerprint, projectName, out);
}

}  // namespace kivo
