// GravaArquivo as the test's own user: replacing, failed and interrupted
// writes, refusals, what the new file keeps, links, and temporary files left
// behind. The cases where permissions decide are in GravaOutroUsuarioTest.
#include "project/GravaArquivo.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Auxiliares.h"
#include "TempDir.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;
using teste::Conteudo;
using teste::Estado;
using teste::Temporarios;

std::size_t Entradas(const fs::path& pasta) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(pasta), fs::directory_iterator()));
}

TEST(Gravacao, ReplacesTheTargetAndLeavesNoTemporaryFile) {
    TempDir dir;
    const fs::path alvo = dir.path() / "p.smp";
    GravaArquivo(alvo, "primeiro");
    GravaArquivo(alvo, "segundo");
    EXPECT_EQ(Conteudo(alvo), "segundo");
    EXPECT_EQ(Entradas(dir.path()), 1u);
}

// The size limit makes the system refuse the write part-way, as a full disk
// would.
TEST(Gravacao, AWriteThatFailsLeavesThePreviousFileWhole) {
    TempDir dir;
    const fs::path alvo = dir.path() / "p.smp";
    GravaArquivo(alvo, "projeto anterior");

    rlimit antes{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &antes), 0);
    const auto sinal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limite = antes;
    limite.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
    std::string erro;
    try {
        GravaArquivo(alvo, std::string(1 << 20, 'x'));
    } catch (const ErroArquivo& e) {
        erro = e.what();
    }
    setrlimit(RLIMIT_FSIZE, &antes);
    std::signal(SIGXFSZ, sinal);

    EXPECT_EQ(erro, "Cannot save \"" + alvo.string() + "\": File too large");
    EXPECT_EQ(Conteudo(alvo), "projeto anterior");
    EXPECT_EQ(Entradas(dir.path()), 1u);
}

// A save killed while writing (here by the size limit's signal) leaves its
// temporary file; the name says which file it was for, and the next save of
// that file clears it away.
TEST(Gravacao, ASaveKilledPartWayLeavesAHiddenTemporaryFileThatTheNextSaveRemoves) {
    TempDir dir;
    const fs::path alvo = dir.path() / "p.smp";
    GravaArquivo(alvo, "projeto anterior");

    const pid_t filho = fork();
    ASSERT_GE(filho, 0);
    if (filho == 0) {
        const rlimit semCore{0, 0};
        const rlimit limite{4096, 4096};
        setrlimit(RLIMIT_CORE, &semCore);
        setrlimit(RLIMIT_FSIZE, &limite);
        std::signal(SIGXFSZ, SIG_DFL);
        try {
            GravaArquivo(alvo, std::string(1 << 20, 'x'));
        } catch (...) {
        }
        _exit(0);
    }
    int estado = 0;
    ASSERT_EQ(waitpid(filho, &estado, 0), filho);
    ASSERT_TRUE(WIFSIGNALED(estado) && WTERMSIG(estado) == SIGXFSZ) << estado;

    const std::vector<std::string> restos = Temporarios(dir.path());
    ASSERT_EQ(restos.size(), 1u);
    EXPECT_EQ(restos[0].substr(0, 17), ".p.smp.kivo-save-") << restos[0];
    EXPECT_EQ(restos[0].size(), 23u) << restos[0];
    EXPECT_EQ(Conteudo(alvo), "projeto anterior");

    GravaArquivo(alvo, "novo");
    EXPECT_EQ(Conteudo(alvo), "novo");
    EXPECT_TRUE(Temporarios(dir.path()).empty());
}

// Only names that a save of this very file makes are cleared: another file's
// temporaries, names of another form and folders stay.
TEST(Gravacao, OnlyTheTemporaryFilesOfTheSameFileAreRemoved) {
    TempDir dir;
    const std::vector<std::string> deste = {".p.smp.kivo-save-AbC123", ".p.smp.kivo-save-000000"};
    const std::vector<std::string> outros = {
        ".q.smp.kivo-save-AbC123",   // another project
        ".p.sm.kivo-save-AbC123",    // another project whose name is a prefix
        "p.smp.kivo-save-AbC123",    // not hidden
        ".p.smp.kivo-save-AbC1234",  // seven characters
        ".p.smp.kivo-save-AbC12",    // five
        ".p.smp.kivo-save-AbC-23",   // not a letter or digit
        ".p.smp.kivo-save-XXXXXX.bak",
    };
    for (const auto& n : deste) std::ofstream(dir.path() / n) << "resto";
    for (const auto& n : outros) std::ofstream(dir.path() / n) << "resto";
    fs::create_directory(dir.path() / ".p.smp.kivo-save-Pasta1");

    GravaArquivo(dir.path() / "p.smp", "novo");
    for (const auto& n : deste) EXPECT_FALSE(fs::exists(dir.path() / n)) << n;
    for (const auto& n : outros) EXPECT_TRUE(fs::exists(dir.path() / n)) << n;
    EXPECT_TRUE(fs::is_directory(dir.path() / ".p.smp.kivo-save-Pasta1"));
}

TEST(Gravacao, UnwritablePlacesAreReportedInEachLanguage) {
    TempDir dir;
    fs::create_directory(dir.path() / "pasta");
    ASSERT_EQ(mkfifo((dir.path() / "fila").c_str(), 0644), 0);
    fs::create_symlink("laco2", dir.path() / "laco1");
    fs::create_symlink("laco1", dir.path() / "laco2");
    struct Caso {
        fs::path alvo;
        const char* ingles;
        const char* portugues;
    } casos[] = {
        {dir.path() / "pasta", "it is a folder", "é uma pasta"},
        {dir.path() / "nao existe" / "p.smp", "No such file or directory", "arquivo ou pasta inexistente"},
        {dir.path() / "fila", "it is not a regular file", "não é um arquivo comum"},
        {dir.path() / "laco1", "Too many levels of symbolic links", "links simbólicos demais no caminho"},
    };
    for (const auto& c : casos) {
        try {
            GravaArquivo(c.alvo, "x");
            ADD_FAILURE() << c.alvo;
        } catch (const ErroArquivo& e) {
            const std::string nome = "\"" + c.alvo.string() + "\": ";
            EXPECT_EQ(e.Mensagem(true), "Cannot save " + nome + c.ingles);
            EXPECT_EQ(e.Mensagem(false), "Não foi possível salvar " + nome + c.portugues);
        }
    }
    EXPECT_TRUE(Temporarios(dir.path()).empty());
}

// As root the file is first given to another user and group, which the new
// file must keep; otherwise owner and group are the test's own.
TEST(Gravacao, TheNewFileKeepsTheModeOwnerAndGroupOfTheOldOne) {
    const bool root = geteuid() == 0;
    const uid_t dono = root ? 65534 : geteuid();
    const gid_t grupo = root ? 65534 : getegid();
    TempDir dir;
    for (const mode_t modo : {0600, 0640, 0664, 0604, 0751}) {
        const fs::path alvo = dir.path() / ("p" + std::to_string(modo) + ".smp");
        GravaArquivo(alvo, "antigo");
        ASSERT_EQ(chown(alvo.c_str(), dono, grupo), 0);
        ASSERT_EQ(chmod(alvo.c_str(), modo), 0);
        const struct stat antes = Estado(alvo);

        GravaArquivo(alvo, "novo");
        const struct stat depois = Estado(alvo);
        EXPECT_EQ(Conteudo(alvo), "novo");
        EXPECT_NE(depois.st_ino, antes.st_ino) << "replaced, not rewritten";
        EXPECT_EQ(depois.st_mode & 07777, modo) << std::oct << modo;
        EXPECT_EQ(depois.st_uid, dono);
        EXPECT_EQ(depois.st_gid, grupo);
    }
}

TEST(Gravacao, ANewFileTakesTheModeThatTheUmaskGives) {
    TempDir dir;
    for (const mode_t mascara : {022, 027, 077, 002}) {
        const fs::path alvo = dir.path() / ("p" + std::to_string(mascara) + ".smp");
        const mode_t antes = umask(mascara);
        GravaArquivo(alvo, "x");
        umask(antes);
        EXPECT_EQ(Estado(alvo).st_mode & 07777, 0666 & ~mascara) << std::oct << mascara;
    }
}

TEST(Gravacao, ASymbolicLinkStaysALinkAndItsTargetGetsTheContent) {
    TempDir dir;
    const fs::path a = dir.path() / "a";
    const fs::path b = dir.path() / "b";
    fs::create_directory(a);
    fs::create_directory(b);
    GravaArquivo(b / "p.smp", "antigo");
    fs::create_symlink(b / "p.smp", a / "direto.smp");
    fs::create_symlink("../b/p.smp", a / "relativo.smp");  // taken from the link's folder
    fs::create_symlink("relativo.smp", a / "cadeia.smp");  // cadeia -> relativo -> ../b/p.smp
    fs::create_symlink("novo.smp", b / "pendente.smp");    // its target does not exist yet
    struct Caso {
        fs::path link;
        fs::path alvo;
    } casos[] = {
        {a / "direto.smp", b / "p.smp"},
        {a / "relativo.smp", b / "p.smp"},
        {a / "cadeia.smp", b / "p.smp"},
        {b / "pendente.smp", b / "novo.smp"},
    };
    for (const auto& c : casos) {
        const fs::path texto = fs::read_symlink(c.link);
        const std::string conteudo = "salvo por " + c.link.filename().string();
        GravaArquivo(c.link, conteudo);
        EXPECT_TRUE(fs::is_symlink(c.link)) << c.link;
        EXPECT_EQ(fs::read_symlink(c.link), texto);
        EXPECT_EQ(Conteudo(c.alvo), conteudo);
    }
    EXPECT_TRUE(Temporarios(a).empty());
    EXPECT_TRUE(Temporarios(b).empty());
    EXPECT_EQ(Entradas(a), 3u);
    EXPECT_EQ(Entradas(b), 3u);
}

}  // namespace
}  // namespace kivo
