#include "project/ArquivoTexto.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "TempDir.h"
#include "project/Cp1252.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;

TEST(Cp1252, EveryByteSurvivesTheRoundTrip) {
    std::string todos;
    for (int b = 1; b < 256; ++b) todos += static_cast<char>(b);
    EXPECT_EQ(Utf8ParaCp1252(Cp1252ParaUtf8(todos)), todos);
}

TEST(Cp1252, MapsTheUpperHalfAndTheGapsOfTheCodePage) {
    struct Caso {
        const char* byte;
        const char* utf8;
    } casos[] = {
        {"\x80", "€"}, {"\x8A", "Š"}, {"\x93", "“"}, {"\x96", "–"}, {"\x9F", "Ÿ"}, {"\xB4", "´"},
        {"\xB3", "³"}, {"\xE7", "ç"}, {"\xE3", "ã"}, {"\xFF", "ÿ"}, {"\x81", "\u0081"}, {"\x9D", "\u009D"},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(Cp1252ParaUtf8(c.byte), c.utf8);
        EXPECT_EQ(Utf8ParaCp1252(c.utf8), c.byte);
    }
}

TEST(Cp1252, CharactersOutsideTheCodePageAndBrokenUtf8BecomeQuestionMarks) {
    std::size_t n = 0;
    EXPECT_EQ(Utf8ParaCp1252("a日b😀c", &n), "a?b?c");
    EXPECT_EQ(n, 2u);
    EXPECT_EQ(Utf8ParaCp1252("x\xC3", &n), "x?");
    EXPECT_EQ(Utf8ParaCp1252("\xC3(\xED\xA0\x80", &n), "?(?");
    EXPECT_EQ(Utf8ParaCp1252("\xC0\xAF", &n), "?");
}

TEST(Linhas, LineEndsAsTheReaderTakesThem) {
    using V = std::vector<std::string>;
    struct Caso {
        std::string bytes;
        V linhas;
    } casos[] = {
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
    for (const auto& c : casos) EXPECT_EQ(DivideLinhas(c.bytes), c.linhas) << c.bytes;
}

TEST(Linhas, WrittenInTheCodePageWithCrLfAndNoBreakInsideALine) {
    std::size_t n = 0;
    EXPECT_EQ(JuntaLinhas({"Endereço", "", "a\nb\rc\x1A" "d", "日"}, &n),
              "Endere\xE7o\r\n\r\na b c d\r\n?\r\n");
    EXPECT_EQ(n, 1u);
}

TEST(Leitura, MissingFoldersAndOversizedFilesAreRefused) {
    TempDir dir;
    const fs::path grande = dir.path() / "grande.smp";
    { std::ofstream(grande) << "x"; }
    fs::resize_file(grande, kMaxBytesProjeto + 1);
    struct Caso {
        fs::path arquivo;
        const char* texto;
    } casos[] = {
        {dir.path() / "falta.smp", "Cannot open"},
        {dir.path(), "it is a folder"},
        {grande, "too large"},
    };
    for (const auto& c : casos) {
        try {
            LeBytes(c.arquivo);
            ADD_FAILURE() << c.arquivo;
        } catch (const ErroArquivo& e) {
            EXPECT_NE(std::string(e.what()).find(c.texto), std::string::npos) << e.what();
        }
    }
}

}  // namespace
}  // namespace kivo
