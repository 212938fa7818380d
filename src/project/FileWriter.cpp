#include "project/FileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <system_error>
#include <utility>

#include "project/TextFile.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;
using Reason = FailureReason;

// The same limit the system puts on a chain of links.
constexpr int kMaxLinks = 40;
// Room left for the hidden temporary name's additions within the usual limit
// of 255 bytes for a file name.
constexpr std::size_t kMaxNameInTemporaryFile = 200;

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return fd_; }
    // Closes now; false (errno set) when the system reports that data
    // written earlier did not reach the file.
    bool Close() {
        const int fd = std::exchange(fd_, -1);
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

// The temporary file, removed unless it became the target.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
    ~TemporaryFile() { Remove(); }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    void Remove() {
        if (!path_.empty()) ::unlink(path_.c_str());
        path_.clear();
    }
    void Renamed() { path_.clear(); }

private:
    std::string path_;
};

class FileSave {
public:
    FileSave(const fs::path& destination, std::string_view bytes) : destination_(destination), bytes_(bytes) {}
    void Run();

private:
    [[noreturn]] void Fail(const Reason& reason) const {
        throw FileError(FileError::Operation::Save, destination_.string(), reason);
    }
    [[noreturn]] void FailWithErrno(int error) const { Fail(SystemFailureReason(error)); }
    fs::path Resolve() const;
    void KeepOwner(int fd) const;
    void WriteInPlace() const;

    const fs::path& destination_;
    std::string_view bytes_;
    fs::path target_;
    struct stat oldStat_ {};
    bool exists_ = false;
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// "." + name + ".kivo-save-": hidden in listings, and telling which file it
// was meant to become. A very long name is cut at a character boundary so
// that the temporary name still fits.
std::string TemporaryPrefix(std::string name) {
    if (name.size() > kMaxNameInTemporaryFile) {
        std::size_t n = kMaxNameInTemporaryFile;
        while (n > 0 && (static_cast<unsigned char>(name[n]) & 0xC0) == 0x80) --n;
        name.resize(n);
    }
    return "." + name + ".kivo-save-";
}

bool LetterOrDigit(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

// Temporary files that a save of this same file left behind when it was cut
// short: the prefix and the six letters or digits that mkostemp adds. Nothing
// else in the folder matches, so nothing else is touched.
void RemoveOldTemporaryFiles(const fs::path& folder, const std::string& prefix) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) continue;
        if (!std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(), LetterOrDigit))
            continue;
        std::error_code ignored;
        if (fs::is_regular_file(it->symlink_status(ignored))) fs::remove(it->path(), ignored);
    }
}

// The mode open() gives a new file: 0666 less the umask, which can only be
// read by setting it (the program has one thread).
mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Follows destination through any chain of symbolic links to the name the bytes
// belong to; that file need not exist yet (a link may point to a file still
// to be made). A relative link is taken from the link's own folder, as the
// system takes it.
fs::path FileSave::Resolve() const {
    fs::path p = destination_;
    for (int links = 0;; ++links) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return p;
        if (links == kMaxLinks) FailWithErrno(ELOOP);
        std::error_code ec;
        const fs::path target = fs::read_symlink(p, ec);
        if (ec) FailWithErrno(ec.value());
        p = target.is_absolute() ? target : p.parent_path() / target;
    }
}

// Only root may give a file away, and a user only to a group of their own:
// what the system refuses stays with the saving user.
void FileSave::KeepOwner(int fd) const {
    const auto refused = [] { return errno == EPERM || errno == EINVAL; };
    if (::fchown(fd, oldStat_.st_uid, oldStat_.st_gid) == 0) return;
    if (!refused()) FailWithErrno(errno);
    if (::fchown(fd, static_cast<uid_t>(-1), oldStat_.st_gid) != 0 && !refused()) FailWithErrno(errno);
}

void FileSave::Run() {
    target_ = Resolve();
    exists_ = ::stat(target_.c_str(), &oldStat_) == 0;
    if (!exists_ && errno != ENOENT) FailWithErrno(errno);
    if (exists_ && S_ISDIR(oldStat_.st_mode)) Fail({"é uma pasta", "it is a folder"});
    if (exists_ && !S_ISREG(oldStat_.st_mode)) Fail({"não é um arquivo comum", "it is not a regular file"});
    if (!exists_ && target_.filename().empty()) FailWithErrno(ENOENT);
    // The folder would let a write-protected file be replaced; its mode
    // is what says whether it may change. Root may write any file.
    if (exists_ && ::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0) {
        if (errno != EACCES && errno != EPERM) FailWithErrno(errno);
        Fail({"o arquivo é somente leitura", "the file is read-only"});
    }

    const fs::path folder = target_.parent_path().empty() ? fs::path(".") : target_.parent_path();
    const std::string prefix = TemporaryPrefix(target_.filename().string());
    std::string tempPath = (folder / (prefix + "XXXXXX")).string();
    Descriptor fd(::mkostemp(tempPath.data(), O_CLOEXEC));
    if (fd.get() < 0) {
        if (exists_ && (errno == EACCES || errno == EPERM)) return WriteInPlace();
        FailWithErrno(errno);
    }
    TemporaryFile temp(tempPath);

    if (!WriteAll(fd.get(), bytes_)) FailWithErrno(errno);
    // Owner before mode: a change of owner clears the set-id bits.
    if (exists_) KeepOwner(fd.get());
    if (::fchmod(fd.get(), exists_ ? (oldStat_.st_mode & 07777) : NewFileMode()) != 0) FailWithErrno(errno);
    if (::fsync(fd.get()) != 0) FailWithErrno(errno);
    if (!fd.Close()) FailWithErrno(errno);
    if (::rename(tempPath.c_str(), target_.c_str()) != 0) {
        // A folder with the sticky bit lets only a file's owner replace it.
        if (exists_ && (errno == EACCES || errno == EPERM)) {
            temp.Remove();
            return WriteInPlace();
        }
        FailWithErrno(errno);
    }
    temp.Renamed();
    RemoveOldTemporaryFiles(folder, prefix);

    // Makes the rename itself durable. A file system that cannot flush a
    // folder says EINVAL, and a folder that cannot be read cannot be opened
    // for it: the save stands then as on any system without the flush.
    Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0 && ::fsync(dir.get()) != 0 && errno != EINVAL) FailWithErrno(errno);
}

// The folder does not let the file be replaced, but the file itself may be
// written: it is truncated and written again, keeping its inode and with it
// its mode, owner, links and everything else it was.
void FileSave::WriteInPlace() const {
    Descriptor fd(::open(target_.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) FailWithErrno(errno);
#ifdef FALLOC_FL_KEEP_SIZE
    // Reserving the space first turns a full disk or quota into a refusal
    // while the file is still whole. KEEP_SIZE leaves the file as it was if
    // the program stops right here. Where the file system cannot reserve,
    // the write goes on without it.
    if (!bytes_.empty() && ::fallocate(fd.get(), FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(bytes_.size())) != 0 &&
        (errno == ENOSPC || errno == EDQUOT))
        FailWithErrno(errno);
#endif
    if (::ftruncate(fd.get(), 0) != 0) FailWithErrno(errno);
    const auto incomplete = [this](int error) {
        const Reason m = SystemFailureReason(error);
        Fail({m.pt +
                   "; a pasta não permite substituir o arquivo, por isso ele estava sendo regravado no próprio "
                   "lugar e pode ter ficado incompleto: salve com outro nome",
               m.en +
                   "; the folder does not let the file be replaced, so it was being rewritten in place and may now "
                   "be incomplete: save under another name"});
    };
    if (!WriteAll(fd.get(), bytes_)) incomplete(errno);
    if (::fsync(fd.get()) != 0) incomplete(errno);
    if (!fd.Close()) incomplete(errno);
}

}  // namespace

void WriteFile(const fs::path& destination, std::string_view bytes) { FileSave(destination, bytes).Run(); }

}  // namespace kivo
