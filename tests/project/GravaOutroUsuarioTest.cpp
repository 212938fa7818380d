// GravaArquivo where the permissions of file and folder decide, which root
// does not meet: each save runs in the helper gravacao_auxiliar, as user
// 65534 through setpriv when the tests run as root, and as the test's own
// user otherwise (then the cases that need files of another user are left
// out, since only root can make them).
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
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

constexpr uid_t kOutroUsuario = 65534;
constexpr gid_t kOutroGrupo = 65534;

struct Saida {
    int codigo = -1;  // exit code; -1 when the program did not exit normally
    std::string texto;
};

Saida Executa(std::vector<std::string> args) {
    int canal[2];
    if (pipe(canal) != 0) return {};
    const pid_t pid = fork();
    if (pid < 0) return {};
    if (pid == 0) {
        dup2(canal[1], STDOUT_FILENO);
        close(canal[0]);
        close(canal[1]);
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(canal[1]);
    Saida s;
    char buf[4096];
    for (ssize_t n; (n = read(canal[0], buf, sizeof buf)) > 0;) s.texto.append(buf, static_cast<std::size_t>(n));
    close(canal[0]);
    int estado = 0;
    waitpid(pid, &estado, 0);
    s.codigo = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
    return s;
}

std::string ProcuraNoPath(const std::string& programa) {
    const char* path = std::getenv("PATH");
    std::istringstream pastas(path ? path : "/usr/bin:/bin");
    for (std::string p; std::getline(pastas, p, ':');) {
        const fs::path c = fs::path(p.empty() ? "." : p) / programa;
        if (access(c.c_str(), X_OK) == 0) return c.string();
    }
    return {};
}

class GravacaoSemPrivilegio : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = geteuid() == 0;
        if (root_) {
            setpriv_ = ProcuraNoPath("setpriv");
            if (setpriv_.empty())
                GTEST_SKIP() << "running as root, whom no file permission stops, and setpriv is not available "
                                "to run these saves as another user";
        }
        // The other user must reach the helper and every folder of the
        // cases: the test's folder is opened to all, and the helper copied
        // into it, since the build folder may be closed to that user.
        fs::permissions(dir_.path(), fs::perms(0755));
        auxiliar_ = dir_.path() / "gravacao_auxiliar";
        fs::copy_file(KIVO_GRAVACAO_AUXILIAR, auxiliar_);
        fs::permissions(auxiliar_, fs::perms(0755));
        ASSERT_EQ(Grava({}).codigo, 2) << "user " << kOutroUsuario << " cannot run " << auxiliar_
                                       << "; set TMPDIR to a folder that every user can reach";
    }

    Saida Grava(const std::vector<std::string>& args) const {
        std::vector<std::string> comando;
        if (root_) comando = {setpriv_, "--reuid=65534", "--regid=65534", "--clear-groups"};
        comando.push_back(auxiliar_.string());
        comando.insert(comando.end(), args.begin(), args.end());
        return Executa(comando);
    }

    // The user and group the saves run as.
    uid_t Usuario() const { return root_ ? kOutroUsuario : geteuid(); }
    gid_t Grupo() const { return root_ ? kOutroGrupo : getegid(); }
    void DaAoOutro(const fs::path& p) const {
        if (root_) {
            ASSERT_EQ(lchown(p.c_str(), kOutroUsuario, kOutroGrupo), 0) << p;
        }
    }

    TempDir dir_;
    bool root_ = false;
    std::string setpriv_;
    fs::path auxiliar_;
};

TEST_F(GravacaoSemPrivilegio, PermissionsDecideBetweenReplacingRewritingInPlaceAndRefusing) {
    // Substitui: a new file renamed over the old one; NoLugar: the same file
    // rewritten; Recusa: refused, the file as it was; Incompleto: refused
    // part-way through a rewrite in place.
    enum class Resultado { Substitui, NoLugar, Recusa, Incompleto };
    struct Caso {
        const char* nome;
        mode_t pasta;
        bool pastaDoRoot;  // else the saving user's
        int arquivo;       // mode; -1: no file yet
        bool arquivoDoRoot;
        const char* limite;  // size limit for the helper, bytes ("": none)
        Resultado resultado;
        const char* ingles;  // in the refusal, after the file name
        const char* portugues;
    } casos[] = {
        {"read-only file in a writable folder", 0755, false, 0444, false, "", Resultado::Recusa,
         "the file is read-only", "o arquivo é somente leitura"},
        {"read-only file in a closed folder", 0555, false, 0444, false, "", Resultado::Recusa,
         "the file is read-only", "o arquivo é somente leitura"},
        {"writable file in a closed folder", 0555, false, 0640, false, "", Resultado::NoLugar, "", ""},
        {"new file in a closed folder", 0555, false, -1, false, "", Resultado::Recusa, "Permission denied",
         "permissão negada"},
        {"rewrite in place cut short", 0555, false, 0644, false, "4096", Resultado::Incompleto,
         "File too large; the folder does not let the file be replaced, so it was being rewritten in place "
         "and may now be incomplete: save under another name",
         "arquivo grande demais; a pasta não permite substituir o arquivo, por isso ele estava sendo "
         "regravado no próprio lugar e pode ter ficado incompleto: salve com outro nome"},
        // The owner cannot be kept (only root may give a file away), the
        // mode is.
        {"someone else's writable file", 0755, false, 0646, true, "", Resultado::Substitui, "", ""},
        // The sticky bit lets only the owner replace a file.
        {"someone else's file in a sticky folder", 01777, true, 0666, true, "", Resultado::NoLugar, "", ""},
    };
    const std::string novo(8192, 'n');
    int n = 0;
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        if (!root_ && (c.pastaDoRoot || c.arquivoDoRoot)) continue;  // only root can make another user's files
        const fs::path pasta = dir_.path() / ("caso" + std::to_string(++n));
        const fs::path alvo = pasta / "p.smp";
        fs::create_directory(pasta);
        if (!c.pastaDoRoot) DaAoOutro(pasta);
        struct stat antes {};
        if (c.arquivo >= 0) {
            std::ofstream(alvo) << "antigo";
            if (!c.arquivoDoRoot) DaAoOutro(alvo);
            fs::permissions(alvo, fs::perms(c.arquivo));
            antes = Estado(alvo);
        }
        fs::permissions(pasta, fs::perms(c.pasta));

        std::vector<std::string> args = {alvo.string(), novo};
        if (*c.limite) args.push_back(c.limite);
        const Saida s = Grava(args);

        const bool recusa = c.resultado == Resultado::Recusa || c.resultado == Resultado::Incompleto;
        if (recusa) {
            EXPECT_EQ(s.codigo, 1);
            const std::string nome = "\"" + alvo.string() + "\": ";
            EXPECT_EQ(s.texto, "Cannot save " + nome + c.ingles + "\nNão foi possível salvar " + nome + c.portugues +
                                   "\n");
        } else {
            EXPECT_EQ(s.codigo, 0) << s.texto;
            EXPECT_TRUE(Conteudo(alvo) == novo);
        }
        if (c.arquivo < 0) {
            EXPECT_FALSE(fs::exists(alvo));
        } else {
            const struct stat depois = Estado(alvo);
            EXPECT_EQ(depois.st_mode & 07777, static_cast<mode_t>(c.arquivo));
            if (c.resultado == Resultado::Substitui) {
                EXPECT_NE(depois.st_ino, antes.st_ino);
                EXPECT_EQ(depois.st_uid, Usuario());
                EXPECT_EQ(depois.st_gid, Grupo());
            } else {
                EXPECT_EQ(depois.st_ino, antes.st_ino);
                EXPECT_EQ(depois.st_uid, antes.st_uid);
            }
            if (c.resultado == Resultado::Recusa) {
                EXPECT_EQ(Conteudo(alvo), "antigo");
            }
        }
        EXPECT_TRUE(Temporarios(pasta).empty());
        fs::permissions(pasta, fs::perms(0755));  // so that the test's folder can be removed
    }
}

// The temporary file goes beside the link's target, so a link in a closed
// folder still gives an atomic replacement where the target lies.
TEST_F(GravacaoSemPrivilegio, ALinkInAClosedFolderSavesBesideItsTarget) {
    const fs::path links = dir_.path() / "links";
    const fs::path projetos = dir_.path() / "projetos";
    fs::create_directory(links);
    fs::create_directory(projetos);
    std::ofstream(projetos / "p.smp") << "antigo";
    fs::create_symlink("../projetos/p.smp", links / "p.smp");
    for (const auto& p : {links, projetos, projetos / "p.smp", links / "p.smp"}) DaAoOutro(p);
    fs::permissions(links, fs::perms(0555));
    const ino_t antes = Estado(projetos / "p.smp").st_ino;

    const Saida s = Grava({(links / "p.smp").string(), "novo"});
    EXPECT_EQ(s.codigo, 0) << s.texto;
    EXPECT_TRUE(fs::is_symlink(links / "p.smp"));
    EXPECT_EQ(Conteudo(projetos / "p.smp"), "novo");
    EXPECT_NE(Estado(projetos / "p.smp").st_ino, antes);
    EXPECT_TRUE(Temporarios(projetos).empty());
    fs::permissions(links, fs::perms(0755));
}

// Space for the new content is reserved before the file is cut, so a full
// disk refuses the rewrite while the file is still whole. A small file system
// of its own gives the full disk; mounting it needs root.
TEST_F(GravacaoSemPrivilegio, AFullDiskRefusesARewriteInPlaceBeforeTheFileIsCut) {
    const fs::path disco = dir_.path() / "disco";
    fs::create_directory(disco);
    if (!root_ || mount("kivo-teste", disco.c_str(), "tmpfs", 0, "size=64k,mode=0755") != 0)
        GTEST_SKIP() << "needs root with the right to mount a small tmpfs as a full disk";
    struct Desmonta {
        fs::path p;
        ~Desmonta() { umount(p.c_str()); }
    } desmonta{disco};

    const fs::path pasta = disco / "projetos";
    const fs::path alvo = pasta / "p.smp";
    fs::create_directory(pasta);
    const std::string antigo(16 << 10, 'a');
    std::ofstream(alvo) << antigo;
    std::ofstream(disco / "resto") << std::string(32 << 10, 'r');
    DaAoOutro(pasta);
    DaAoOutro(alvo);
    fs::permissions(pasta, fs::perms(0555));

    const Saida s = Grava({alvo.string(), std::string(60 << 10, 'n')});
    EXPECT_EQ(s.codigo, 1);
    EXPECT_EQ(s.texto, "Cannot save \"" + alvo.string() + "\": No space left on device\nNão foi possível salvar \"" +
                           alvo.string() + "\": não há espaço no disco\n");
    EXPECT_TRUE(Conteudo(alvo) == antigo) << "the file was cut";
}

}  // namespace
}  // namespace kivo
