// WriteFile as the test's own user: replacing, failed and interrupted
// writes, refusals, what the new file keeps, links, and temporary files left
// behind. The cases where permissions decide are in FileWriterOtherUserTest.
#include "project/FileWriter.h"

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

#include "Helpers.h"
#include "TempDir.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;
using test::Contents;
using test::State;
using test::TemporaryFiles;

std::size_t EntryCount(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(FileSave, ReplacesTheTargetAndLeavesNoTemporaryFile) {
    TempDir dir;
    const fs::path target = dir.path() / "p.smp";
    WriteFile(target, "primeiro");
    WriteFile(target, "segundo");
    EXPECT_EQ(Contents(target), "segundo");
    EXPECT_EQ(EntryCount(dir.path()), 1u);
}

// The size limit makes the system refuse the write part-way, as a full disk
// would.
TEST(FileSave, AWriteThatFailsLeavesThePreviousFileWhole) {
    TempDir dir;
    const fs::path target = dir.path() / "p.smp";
    WriteFile(target, "projeto anterior");

    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto signal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = before;
    limit.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    std::string error;
    try {
        WriteFile(target, std::string(1 << 20, 'x'));
    } catch (const FileError& e) {
        error = e.what();
    }
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, signal);

    EXPECT_EQ(error, "Cannot save \"" + target.string() + "\": File too large");
    EXPECT_EQ(Contents(target), "projeto anterior");
    EXPECT_EQ(EntryCount(dir.path()), 1u);
}

// A save killed while writing (here by the size limit's signal) leaves its
// temporary file; the name says which file it was for, and the next save of
// that file clears it away.
TEST(FileSave, ASaveKilledPartWayLeavesAHiddenTemporaryFileThatTheNextSaveRemoves) {
    TempDir dir;
    const fs::path target = dir.path() / "p.smp";
    WriteFile(target, "projeto anterior");

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit noCore{0, 0};
        const rlimit limit{4096, 4096};
        setrlimit(RLIMIT_CORE, &noCore);
        setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, SIG_DFL);
        try {
            WriteFile(target, std::string(1 << 20, 'x'));
        } catch (...) {
        }
        _exit(0);
    }
    int state = 0;
    ASSERT_EQ(waitpid(child, &state, 0), child);
    ASSERT_TRUE(WIFSIGNALED(state) && WTERMSIG(state) == SIGXFSZ) << state;

    const std::vector<std::string> leftovers = TemporaryFiles(dir.path());
    ASSERT_EQ(leftovers.size(), 1u);
    EXPECT_EQ(leftovers[0].substr(0, 17), ".p.smp.kivo-save-") << leftovers[0];
    EXPECT_EQ(leftovers[0].size(), 23u) << leftovers[0];
    EXPECT_EQ(Contents(target), "projeto anterior");

    WriteFile(target, "novo");
    EXPECT_EQ(Contents(target), "novo");
    EXPECT_TRUE(TemporaryFiles(dir.path()).empty());
}

// Only names that a save of this very file makes are cleared: another file's
// temporaries, names of another form and folders stay.
TEST(FileSave, OnlyTheTemporaryFilesOfTheSameFileAreRemoved) {
    TempDir dir;
    const std::vector<std::string> ours = {".p.smp.kivo-save-AbC123", ".p.smp.kivo-save-000000"};
    const std::vector<std::string> others = {
        ".q.smp.kivo-save-AbC123",   // another project
        ".p.sm.kivo-save-AbC123",    // another project whose name is a prefix
        "p.smp.kivo-save-AbC123",    // not hidden
        ".p.smp.kivo-save-AbC1234",  // seven characters
        ".p.smp.kivo-save-AbC12",    // five
        ".p.smp.kivo-save-AbC-23",   // not a letter or digit
        ".p.smp.kivo-save-XXXXXX.bak",
    };
    for (const auto& n : ours) std::ofstream(dir.path() / n) << "resto";
    for (const auto& n : others) std::ofstream(dir.path() / n) << "resto";
    fs::create_directory(dir.path() / ".p.smp.kivo-save-Pasta1");

    WriteFile(dir.path() / "p.smp", "novo");
    for (const auto& n : ours) EXPECT_FALSE(fs::exists(dir.path() / n)) << n;
    for (const auto& n : others) EXPECT_TRUE(fs::exists(dir.path() / n)) << n;
    EXPECT_TRUE(fs::is_directory(dir.path() / ".p.smp.kivo-save-Pasta1"));
}

TEST(FileSave, UnwritablePlacesAreReportedInEachLanguage) {
    TempDir dir;
    fs::create_directory(dir.path() / "pasta");
    ASSERT_EQ(mkfifo((dir.path() / "fila").c_str(), 0644), 0);
    fs::create_symlink("laco2", dir.path() / "laco1");
    fs::create_symlink("laco1", dir.path() / "laco2");
    struct Case {
        fs::path target;
        const char* english;
        const char* portuguese;
    } cases[] = {
        {dir.path() / "pasta", "it is a folder", "é uma pasta"},
        {dir.path() / "nao existe" / "p.smp", "No such file or directory", "arquivo ou pasta inexistente"},
        {dir.path() / "fila", "it is not a regular file", "não é um arquivo comum"},
        {dir.path() / "laco1", "Too many levels of symbolic links", "links simbólicos demais no caminho"},
    };
    for (const auto& c : cases) {
        try {
            WriteFile(c.target, "x");
            ADD_FAILURE() << c.target;
        } catch (const FileError& e) {
            const std::string name = "\"" + c.target.string() + "\": ";
            EXPECT_EQ(e.Message(true), "Cannot save " + name + c.english);
            EXPECT_EQ(e.Message(false), "Não foi possível salvar " + name + c.portuguese);
        }
    }
    EXPECT_TRUE(TemporaryFiles(dir.path()).empty());
}

// As root the file is first given to another user and group, which the new
// file must keep; otherwise owner and group are the test's own.
TEST(FileSave, TheNewFileKeepsTheModeOwnerAndGroupOfTheOldOne) {
    const bool root = geteuid() == 0;
    const uid_t owner = root ? 65534 : geteuid();
    const gid_t group = root ? 65534 : getegid();
    TempDir dir;
    for (const mode_t mode : {0600, 0640, 0664, 0604, 0751}) {
        const fs::path target = dir.path() / ("p" + std::to_string(mode) + ".smp");
        WriteFile(target, "antigo");
        ASSERT_EQ(chown(target.c_str(), owner, group), 0);
        ASSERT_EQ(chmod(target.c_str(), mode), 0);
        const struct stat before = State(target);

        WriteFile(target, "novo");
        const struct stat after = State(target);
        EXPECT_EQ(Contents(target), "novo");
        EXPECT_NE(after.st_ino, before.st_ino) << "replaced, not rewritten";
        EXPECT_EQ(after.st_mode & 07777, mode) << std::oct << mode;
        EXPECT_EQ(after.st_uid, owner);
        EXPECT_EQ(after.st_gid, group);
    }
}

TEST(FileSave, ANewFileTakesTheModeThatTheUmaskGives) {
    TempDir dir;
    for (const mode_t mask : {022, 027, 077, 002}) {
        const fs::path target = dir.path() / ("p" + std::to_string(mask) + ".smp");
        const mode_t before = umask(mask);
        WriteFile(target, "x");
        umask(before);
        EXPECT_EQ(State(target).st_mode & 07777, 0666 & ~mask) << std::oct << mask;
    }
}

TEST(FileSave, ASymbolicLinkStaysALinkAndItsTargetGetsTheContent) {
    TempDir dir;
    const fs::path a = dir.path() / "a";
    const fs::path b = dir.path() / "b";
    fs::create_directory(a);
    fs::create_directory(b);
    WriteFile(b / "p.smp", "antigo");
    fs::create_symlink(b / "p.smp", a / "direto.smp");
    fs::create_symlink("../b/p.smp", a / "relativo.smp");  // taken from the link's folder
    fs::create_symlink("relativo.smp", a / "cadeia.smp");  // cadeia -> relPath -> ../b/p.smp
    fs::create_symlink("novo.smp", b / "pendente.smp");    // its target does not exist yet
    struct Case {
        fs::path link;
        fs::path target;
    } cases[] = {
        {a / "direto.smp", b / "p.smp"},
        {a / "relativo.smp", b / "p.smp"},
        {a / "cadeia.smp", b / "p.smp"},
        {b / "pendente.smp", b / "novo.smp"},
    };
    for (const auto& c : cases) {
        const fs::path text = fs::read_symlink(c.link);
        const std::string contents = "salvo por " + c.link.filename().string();
        WriteFile(c.link, contents);
        EXPECT_TRUE(fs::is_symlink(c.link)) << c.link;
        EXPECT_EQ(fs::read_symlink(c.link), text);
        EXPECT_EQ(Contents(c.target), contents);
    }
    EXPECT_TRUE(TemporaryFiles(a).empty());
    EXPECT_TRUE(TemporaryFiles(b).empty());
    EXPECT_EQ(EntryCount(a), 3u);
    EXPECT_EQ(EntryCount(b), 3u);
}

}  // namespace
}  // namespace kivo
