// The named snapshots' file: what it keeps, and every way a file that is not
// one of ours, is of another project or version, or is damaged, truncated or
// built to harm, is refused with its reason.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "../project/TempDir.h"
#include "snapshots/SnapshotFile.h"

namespace kivo {
namespace {

constexpr std::uint64_t kPlant = 0x1234'5678'9ABC'DEF0ull;

std::vector<Snapshot> Two() {
    return {{"Antes da partida", 12.5, kPlant, {1, 2, 3, 255}},
            {"Válvula travada ✓", 3600.1, kPlant, std::vector<std::uint8_t>(5000, 7)}};
}

// The check recomputed, so that a crafted body reaches the reader's checks.
std::string Sealed(std::string bytes) {
    bytes.resize(bytes.size() - 8);
    std::uint64_t h = 0xCBF29CE484222325ull;
    for (unsigned char b : bytes) {
        h ^= b;
        h *= 0x100000001B3ull;
    }
    for (int i = 0; i < 8; ++i) bytes.push_back(static_cast<char>(h >> (8 * i)));
    return bytes;
}

void PutU32(std::string& bytes, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(v >> (8 * i));
}

TEST(SnapshotFile, KeepsNamesTimesAndStates) {
    const std::string bytes = SnapshotFileBytes("boiler.smp", kPlant, Two());
    std::vector<Snapshot> read;
    ASSERT_FALSE(ReadSnapshotFileBytes(bytes, kPlant, "boiler.smp", read));
    const auto two = Two();
    ASSERT_EQ(read.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(read[i].name, two[i].name);
        EXPECT_EQ(read[i].time, two[i].time);
        EXPECT_EQ(read[i].fingerprint, kPlant);
        EXPECT_EQ(read[i].state, two[i].state);
    }
}

TEST(SnapshotFile, OnDiskBesideTheProject) {
    TempDir dir;
    const auto path = SnapshotFilePath(dir.path() / "my plant.smp");
    EXPECT_EQ(path.filename(), "my plant.kss");
    ASSERT_FALSE(WriteSnapshotFile(path, "my plant.smp", kPlant, Two()));
    std::vector<Snapshot> read;
    ASSERT_FALSE(ReadSnapshotFile(path, kPlant, "my plant.smp", read));
    EXPECT_EQ(read.size(), 2u);

    const auto missing = ReadSnapshotFile(dir.path() / "none.kss", kPlant, "x", read);
    ASSERT_TRUE(missing);
    EXPECT_FALSE(missing->en.empty());
    EXPECT_TRUE(WriteSnapshotFile(dir.path() / "no folder" / "x.kss", "x", kPlant, Two()));

    // Not a file to read: refused at once, the list untouched.
    ASSERT_EQ(mkfifo((dir.path() / "fifo.kss").c_str(), 0600), 0);
    std::filesystem::create_directory(dir.path() / "folder.kss");
    for (const char* name : {"fifo.kss", "folder.kss"}) {
        const auto refused = ReadSnapshotFile(dir.path() / name, kPlant, "x", read);
        ASSERT_TRUE(refused) << name;
        EXPECT_FALSE(refused->en.empty()) << name;
        EXPECT_EQ(read.size(), 2u) << name;
    }
}

TEST(SnapshotFile, RefusesWithItsReason) {
    const std::string good = SnapshotFileBytes("boiler.smp", kPlant, Two());
    const std::size_t nameAt = 8 + 4 + 8 + 4 + 10;  // magic, version, fingerprint, project name
    struct Refused {
        const char* what;
        std::string bytes;
        const char* en;  // a part of the English reason
        const char* pt;
    };
    std::string otherVersion = good;
    PutU32(otherVersion, 8, 2);
    std::string hugeCount = good;
    PutU32(hugeCount, nameAt, 0xFFFF'FFFFu);
    std::string longName = good;
    PutU32(longName, nameAt + 4, 1u << 30);
    std::string flipped = good;
    flipped[good.size() / 2] ^= 1;
    const Refused cases[] = {
        {"empty", "", "not a KIVO snapshot file", "não é um arquivo de fotografias"},
        {"a project file", "Caldeira industrial|Industrial Boiler\r\n", "not a KIVO snapshot file", "não é um arquivo"},
        {"another version", Sealed(otherVersion), "version 2 of the format", "versão 2 do formato"},
        {"another plant", SnapshotFileBytes("furnace.smp", kPlant + 1, Two()), "another project (\"furnace.smp\")",
         "outro projeto"},
        {"the same project, changed since", SnapshotFileBytes("boiler.smp", kPlant + 1, Two()),
         "another configuration of \"boiler.smp\" (objects added", "outra configuração de \"boiler.smp\""},
        {"a byte flipped", flipped, "damaged", "danificado"},
        {"a count beyond any file", Sealed(hugeCount), "damaged", "danificado"},
        {"a name longer than the file", Sealed(longName), "damaged", "danificado"},
        {"bytes after the end", Sealed(good + std::string(8, '\0')), "damaged", "danificado"},
    };
    for (const Refused& c : cases) {
        std::vector<Snapshot> read = Two();
        const auto error = ReadSnapshotFileBytes(c.bytes, kPlant, "boiler.smp", read);
        ASSERT_TRUE(error) << c.what;
        EXPECT_NE(error->en.find(c.en), std::string::npos) << c.what << ": " << error->en;
        EXPECT_NE(error->pt.find(c.pt), std::string::npos) << c.what << ": " << error->pt;
        EXPECT_EQ(read.size(), 2u) << c.what << ": the list was touched";
    }
}

TEST(SnapshotFile, EveryTruncationIsRefused) {
    const std::string good = SnapshotFileBytes("boiler.smp", kPlant, Two());
    for (std::size_t n = 0; n < good.size(); ++n) {
        std::vector<Snapshot> read;
        EXPECT_TRUE(ReadSnapshotFileBytes(std::string_view(good).substr(0, n), kPlant, "boiler.smp", read)) << n;
    }
}

}  // namespace
}  // namespace kivo
