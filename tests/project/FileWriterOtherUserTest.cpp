// WriteFile where the permissions of file and folder decide, which root
// does not meet: each save runs in the helper write_helper, as user
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

#include "Helpers.h"
#include "TempDir.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;
using test::Contents;
using test::State;
using test::TemporaryFiles;

constexpr uid_t kOtherUser = 65534;
constexpr gid_t kOtherGroup = 65534;

struct Output {
    int code = -1;  // exit code; -1 when the program did not exit normally
    std::string text;
};

Output Execute(std::vector<std::string> args) {
    int channel[2];
    if (pipe(channel) != 0) return {};
    const pid_t pid = fork();
    if (pid < 0) return {};
    if (pid == 0) {
        dup2(channel[1], STDOUT_FILENO);
        close(channel[0]);
        close(channel[1]);
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(channel[1]);
    Output s;
    char buf[4096];
    for (ssize_t n; (n = read(channel[0], buf, sizeof buf)) > 0;) s.text.append(buf, static_cast<std::size_t>(n));
    close(channel[0]);
    int state = 0;
    waitpid(pid, &state, 0);
    s.code = WIFEXITED(state) ? WEXITSTATUS(state) : -1;
    return s;
}

std::string FindInPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "/usr/bin:/bin");
    for (std::string p; std::getline(folders, p, ':');) {
        const fs::path c = fs::path(p.empty() ? "." : p) / program;
        if (access(c.c_str(), X_OK) == 0) return c.string();
    }
    return {};
}

class UnprivilegedWriting : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = geteuid() == 0;
        if (root_) {
            setpriv_ = FindInPath("setpriv");
            if (setpriv_.empty())
                GTEST_SKIP() << "running as root, whom no file permission stops, and setpriv is not available "
                                "to run these saves as another user";
        }
        // The other user must reach the helper and every folder of the
        // cases: the test's folder is opened to all, and the helper copied
        // into it, since the build folder may be closed to that user.
        fs::permissions(dir_.path(), fs::perms(0755));
        helper_ = dir_.path() / "write_helper";
        fs::copy_file(KIVO_WRITE_HELPER, helper_);
        fs::permissions(helper_, fs::perms(0755));
        ASSERT_EQ(Write({}).code, 2) << "user " << kOtherUser << " cannot run " << helper_
                                       << "; set TMPDIR to a folder that every user can reach";
    }

    Output Write(const std::vector<std::string>& args) const {
        std::vector<std::string> command;
        if (root_) command = {setpriv_, "--reuid=65534", "--regid=65534", "--clear-groups"};
        command.push_back(helper_.string());
        command.insert(command.end(), args.begin(), args.end());
        return Execute(command);
    }

    // The user and group the saves run as.
    uid_t User() const { return root_ ? kOtherUser : geteuid(); }
    gid_t Group() const { return root_ ? kOtherGroup : getegid(); }
    void GiveToOtherUser(const fs::path& p) const {
        if (root_) {
            ASSERT_EQ(lchown(p.c_str(), kOtherUser, kOtherGroup), 0) << p;
        }
    }

    TempDir dir_;
    bool root_ = false;
    std::string setpriv_;
    fs::path helper_;
};

TEST_F(UnprivilegedWriting, PermissionsDecideBetweenReplacingRewritingInPlaceAndRefusing) {
    // Replaced: a new file renamed over the old one; InPlace: the same file
    // rewritten; Refuse: refused, the file as it was; Incomplete: refused
    // part-way through a rewrite in place.
    enum class Outcome { Replaced, InPlace, Refuse, Incomplete };
    struct Case {
        const char* name;
        mode_t folder;
        bool rootFolder;  // else the saving user's
        int file;         // mode; -1: no file yet
        bool rootFile;
        const char* limit;  // size limit for the helper, bytes ("": none)
        Outcome result;
        const char* english;  // in the refusal, after the file name
        const char* portuguese;
    } cases[] = {
        {"read-only file in a writable folder", 0755, false, 0444, false, "", Outcome::Refuse,
         "the file is read-only", "o arquivo é somente leitura"},
        {"read-only file in a closed folder", 0555, false, 0444, false, "", Outcome::Refuse,
         "the file is read-only", "o arquivo é somente leitura"},
        {"writable file in a closed folder", 0555, false, 0640, false, "", Outcome::InPlace, "", ""},
        {"new file in a closed folder", 0555, false, -1, false, "", Outcome::Refuse, "Permission denied",
         "permissão negada"},
        {"rewrite in place cut short", 0555, false, 0644, false, "4096", Outcome::Incomplete,
         "File too large; the folder does not let the file be replaced, so it was being rewritten in place "
         "and may now be incomplete: save under another name",
         "arquivo grande demais; a pasta não permite substituir o arquivo, por isso ele estava sendo "
         "regravado no próprio lugar e pode ter ficado incompleto: salve com outro nome"},
        // The owner cannot be kept (only root may give a file away), the
        // mode is.
        {"someone else's writable file", 0755, false, 0646, true, "", Outcome::Replaced, "", ""},
        // The sticky bit lets only the owner replace a file.
        {"someone else's file in a sticky folder", 01777, true, 0666, true, "", Outcome::InPlace, "", ""},
    };
    const std::string fresh(8192, 'n');
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (!root_ && (c.rootFolder || c.rootFile)) continue;  // only root can make another user's files
        const fs::path folder = dir_.path() / ("caso" + std::to_string(++n));
        const fs::path target = folder / "p.smp";
        fs::create_directory(folder);
        if (!c.rootFolder) GiveToOtherUser(folder);
        struct stat before {};
        if (c.file >= 0) {
            std::ofstream(target) << "antigo";
            if (!c.rootFile) GiveToOtherUser(target);
            fs::permissions(target, fs::perms(c.file));
            before = State(target);
        }
        fs::permissions(folder, fs::perms(c.folder));

        std::vector<std::string> args = {target.string(), fresh};
        if (*c.limit) args.push_back(c.limit);
        const Output s = Write(args);

        const bool refusal = c.result == Outcome::Refuse || c.result == Outcome::Incomplete;
        if (refusal) {
            EXPECT_EQ(s.code, 1);
            const std::string name = "\"" + target.string() + "\": ";
            EXPECT_EQ(s.text, "Cannot save " + name + c.english + "\nNão foi possível salvar " + name + c.portuguese +
                                   "\n");
        } else {
            EXPECT_EQ(s.code, 0) << s.text;
            EXPECT_TRUE(Contents(target) == fresh);
        }
        if (c.file < 0) {
            EXPECT_FALSE(fs::exists(target));
        } else {
            const struct stat after = State(target);
            EXPECT_EQ(after.st_mode & 07777, static_cast<mode_t>(c.file));
            if (c.result == Outcome::Replaced) {
                EXPECT_NE(after.st_ino, before.st_ino);
                EXPECT_EQ(after.st_uid, User());
                EXPECT_EQ(after.st_gid, Group());
            } else {
                EXPECT_EQ(after.st_ino, before.st_ino);
                EXPECT_EQ(after.st_uid, before.st_uid);
            }
            if (c.result == Outcome::Refuse) {
                EXPECT_EQ(Contents(target), "antigo");
            }
        }
        EXPECT_TRUE(TemporaryFiles(folder).empty());
        fs::permissions(folder, fs::perms(0755));  // so that the test's folder can be removed
    }
}

// The temporary file goes beside the link's target, so a link in a closed
// folder still gives an atomic replacement where the target lies.
TEST_F(UnprivilegedWriting, ALinkInAClosedFolderSavesBesideItsTarget) {
    const fs::path links = dir_.path() / "links";
    const fs::path projects = dir_.path() / "projetos";
    fs::create_directory(links);
    fs::create_directory(projects);
    std::ofstream(projects / "p.smp") << "antigo";
    fs::create_symlink("../projetos/p.smp", links / "p.smp");
    for (const auto& p : {links, projects, projects / "p.smp", links / "p.smp"}) GiveToOtherUser(p);
    fs::permissions(links, fs::perms(0555));
    const ino_t before = State(projects / "p.smp").st_ino;

    const Output s = Write({(links / "p.smp").string(), "novo"});
    EXPECT_EQ(s.code, 0) << s.text;
    EXPECT_TRUE(fs::is_symlink(links / "p.smp"));
    EXPECT_EQ(Contents(projects / "p.smp"), "novo");
    EXPECT_NE(State(projects / "p.smp").st_ino, before);
    EXPECT_TRUE(TemporaryFiles(projects).empty());
    fs::permissions(links, fs::perms(0755));
}

// Space for the new content is reserved before the file is cut, so a full
// disk refuses the rewrite while the file is still whole. A small file system
// of its own gives the full disk; mounting it needs root.
TEST_F(UnprivilegedWriting, AFullDiskRefusesARewriteInPlaceBeforeTheFileIsCut) {
    const fs::path disk = dir_.path() / "disco";
    fs::create_directory(disk);
    if (!root_ || mount("kivo-teste", disk.c_str(), "tmpfs", 0, "size=64k,mode=0755") != 0)
        GTEST_SKIP() << "needs root with the right to mount a small tmpfs as a full disk";
    struct Unmount {
        fs::path p;
        ~Unmount() { umount(p.c_str()); }
    } unmount{disk};

    const fs::path folder = disk / "projetos";
    const fs::path target = folder / "p.smp";
    fs::create_directory(folder);
    const std::string old(16 << 10, 'a');
    std::ofstream(target) << old;
    std::ofstream(disk / "resto") << std::string(32 << 10, 'r');
    GiveToOtherUser(folder);
    GiveToOtherUser(target);
    fs::permissions(folder, fs::perms(0555));

    const Output s = Write({target.string(), std::string(60 << 10, 'n')});
    EXPECT_EQ(s.code, 1);
    EXPECT_EQ(s.text, "Cannot save \"" + target.string() + "\": No space left on device\nNão foi possível salvar \"" +
                           target.string() + "\": não há espaço no disco\n");
    EXPECT_TRUE(Contents(target) == old) << "the file was cut";
}

}  // namespace
}  // namespace kivo
