#include "project/ArquivoTexto.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cerrno>
#include <csignal>
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

std::string Conteudo(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

TEST(Gravacao, ReplacesTheTargetAndLeavesNoTemporaryFile) {
    TempDir dir;
    const fs::path alvo = dir.path() / "p.smp";
    GravaAtomico(alvo, "primeiro");
    GravaAtomico(alvo, "segundo");
    EXPECT_EQ(Conteudo(alvo), "segundo");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

// The size limit makes the system refuse the write part-way, as a full disk
// would.
TEST(Gravacao, AWriteThatFailsLeavesThePreviousFileWhole) {
    TempDir dir;
    const fs::path alvo = dir.path() / "p.smp";
    GravaAtomico(alvo, "projeto anterior");

    rlimit antes{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &antes), 0);
    const auto sinal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limite = antes;
    limite.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
    std::string erro;
    try {
        GravaAtomico(alvo, std::string(1 << 20, 'x'));
    } catch (const ErroArquivo& e) {
        erro = e.what();
    }
    setrlimit(RLIMIT_FSIZE, &antes);
    std::signal(SIGXFSZ, sinal);

    EXPECT_NE(erro.find("Cannot save \"" + alvo.string() + "\""), std::string::npos) << erro;
    EXPECT_EQ(Conteudo(alvo), "projeto anterior");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(Gravacao, UnwritablePlacesAreReported) {
    TempDir dir;
    fs::create_directory(dir.path() / "pasta");
    struct Caso {
        fs::path alvo;
        const char* motivo;
    } casos[] = {
        {dir.path() / "pasta", "it is a folder"},
        {dir.path() / "nao existe" / "p.smp", "No such file or directory"},
    };
    for (const auto& c : casos) {
        try {
            GravaAtomico(c.alvo, "x");
            ADD_FAILURE() << c.alvo;
        } catch (const ErroArquivo& e) {
            EXPECT_NE(std::string(e.what()).find(c.motivo), std::string::npos) << e.what();
            EXPECT_NE(e.Mensagem(false).find("Não foi possível salvar"), std::string::npos);
            EXPECT_EQ(e.Mensagem(false).find(c.motivo), std::string::npos) << "no English in " << e.Mensagem(false);
        }
    }
}

// Each message is wholly in the language asked for, the system's reason
// included.
TEST(Leitura, MissingFoldersAndOversizedFilesAreRefusedInOneLanguage) {
    TempDir dir;
    const fs::path grande = dir.path() / "grande.smp";
    { std::ofstream(grande) << "x"; }
    fs::resize_file(grande, kMaxBytesProjeto + 1);
    struct Caso {
        fs::path arquivo;
        std::string pt, en;
    } casos[] = {
        {dir.path() / "falta.smp", "Não foi possível abrir \"#\": arquivo ou pasta inexistente",
         "Cannot open \"#\": No such file or directory"},
        {dir.path(), "Não foi possível abrir \"#\": é uma pasta", "Cannot open \"#\": it is a folder"},
        {grande, "\"#\" é grande demais para ser um arquivo de projeto (mais de 64 MiB).",
         "\"#\" is too large to be a project file (more than 64 MiB)."},
    };
    for (auto& c : casos) {
        for (std::string* m : {&c.pt, &c.en}) m->replace(m->find('#'), 1, c.arquivo.string());
        try {
            LeBytes(c.arquivo);
            ADD_FAILURE() << c.arquivo;
        } catch (const ErroArquivo& e) {
            EXPECT_EQ(e.Mensagem(false), c.pt);
            EXPECT_EQ(e.Mensagem(true), c.en);
            EXPECT_EQ(std::string(e.what()), c.en);
        }
    }
}

TEST(Leitura, SystemReasonsHaveTextsInBothLanguages) {
    for (const int codigo : {0, ENOENT, EACCES, EPERM, EROFS, ENOSPC, EISDIR, 9999}) {
        const MotivoFalha m = MotivoDoSistema(codigo);
        EXPECT_FALSE(m.pt.empty() || m.en.empty()) << codigo;
        EXPECT_NE(m.pt, m.en) << codigo;
    }
    EXPECT_EQ(MotivoDoSistema(EACCES).pt, "permissão negada");
    EXPECT_EQ(MotivoDoSistema(9999).pt, "erro do sistema 9999");
    EXPECT_EQ(MotivoDoSistema(9999).en, "system error 9999");
}

}  // namespace
}  // namespace kivo
