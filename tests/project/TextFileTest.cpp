#include "project/TextFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "TempDir.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;

TEST(Lines, LineEndsAsTheReaderTakesThem) {
    using V = std::vector<std::string>;
    struct Case {
        std::string bytes;
        V lines;
    } cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb\r\n", {"ab"}},
        {"a\r\r\nb", {"a", "b"}},
        {"a\r\n\r\n", {"a", ""}},
        {"\r\n", {""}},
        {"", {}},
        {"a\r\nb\x1A" "c\r\nd\r\n", {"a", "b"}},
        {"\x1A" "a\r\n", {}},
        {"a\r", {"a"}},
        {"M\xE7\r\n", {"Mç"}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitLines(c.bytes), c.lines) << c.bytes;
}

TEST(Lines, WrittenInTheCodePageWithCrLfAndNoBreakInsideALine) {
    std::size_t n = 0;
    EXPECT_EQ(JoinLines({"Endereço", "", "a\nb\rc\x1A" "d", "日"}, &n),
              "Endere\xE7o\r\n\r\na b c d\r\n?\r\n");
    EXPECT_EQ(n, 1u);
}

// Each message is wholly in the language asked for, the system's reason
// included.
TEST(Reading, MissingFoldersAndOversizedFilesAreRefusedInOneLanguage) {
    TempDir dir;
    const fs::path large = dir.path() / "grande.smp";
    { std::ofstream(large) << "x"; }
    fs::resize_file(large, kMaxProjectBytes + 1);
    struct Case {
        fs::path file;
        std::string pt, en;
    } cases[] = {
        {dir.path() / "falta.smp", "Não foi possível abrir \"#\": arquivo ou pasta inexistente",
         "Cannot open \"#\": No such file or directory"},
        {dir.path(), "Não foi possível abrir \"#\": é uma pasta", "Cannot open \"#\": it is a folder"},
        {large, "\"#\" é grande demais para ser um arquivo de projeto (mais de 64 MiB).",
         "\"#\" is too large to be a project file (more than 64 MiB)."},
    };
    for (auto& c : cases) {
        for (std::string* m : {&c.pt, &c.en}) m->replace(m->find('#'), 1, c.file.string());
        try {
            ReadBytes(c.file);
            ADD_FAILURE() << c.file;
        } catch (const FileError& e) {
            EXPECT_EQ(e.Message(false), c.pt);
            EXPECT_EQ(e.Message(true), c.en);
            EXPECT_EQ(std::string(e.what()), c.en);
        }
    }
}

}  // namespace
}  // namespace kivo
