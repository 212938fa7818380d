#include "core/RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kivo {
namespace {

FileHandle Refuse(FileRefusal& refusal, FileRefusal::Kind kind, FailureReason reason) {
    refusal.kind = kind;
    refusal.reason = std::move(reason);
    return nullptr;
}

FileHandle RefuseNotRegular(FileRefusal& refusal, mode_t mode) {
    if (S_ISDIR(mode)) return Refuse(refusal, FileRefusal::Kind::NotRegular, {"é uma pasta", "it is a folder"});
    return Refuse(refusal, FileRefusal::Kind::NotRegular, {"não é um arquivo comum", "it is not a regular file"});
}

}  // namespace

FailureReason SizeLimitReason(std::uintmax_t maxBytes) {
    const bool mib = maxBytes >= (1u << 20);
    const std::string n = std::to_string(mib ? maxBytes >> 20 : maxBytes >> 10) + (mib ? " MiB" : " kB");
    return {"mais de " + n, "more than " + n};
}

FileHandle OpenRegularFile(const std::filesystem::path& path, std::uintmax_t maxBytes, FileRefusal& refusal) {
    // What is not a regular file is refused without being opened: opening
    // some devices already does something (a tape rewinds).
    struct stat before {};
    if (::stat(path.c_str(), &before) == 0 && !S_ISREG(before.st_mode)) return RefuseNotRegular(refusal, before.st_mode);
    // Non-blocking, so that a FIFO swapped in meanwhile cannot hold the open;
    // the descriptor is examined again below.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return Refuse(refusal, FileRefusal::Kind::Open, SystemFailureReason(errno));
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int e = errno;
        ::close(fd);
        return Refuse(refusal, FileRefusal::Kind::Open, SystemFailureReason(e));
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return RefuseNotRegular(refusal, st.st_mode);
    }
    if (static_cast<std::uintmax_t>(st.st_size) > maxBytes) {
        ::close(fd);
        return Refuse(refusal, FileRefusal::Kind::TooLarge, SizeLimitReason(maxBytes));
    }
    // Reads of a regular file never block; the flag only mattered for open().
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::FILE* f = ::fdopen(fd, "rb");
    if (!f) {
        const int e = errno;
        ::close(fd);
        return Refuse(refusal, FileRefusal::Kind::Open, SystemFailureReason(e));
    }
    return FileHandle(f);
}

std::optional<std::string> ReadRegularFile(const std::filesystem::path& path, std::uintmax_t maxBytes,
                                           FileRefusal& refusal) {
    FileHandle f = OpenRegularFile(path, maxBytes, refusal);
    if (!f) return std::nullopt;
    std::string bytes;
    char buf[1 << 16];
    for (;;) {
        errno = 0;
        const std::size_t n = std::fread(buf, 1, sizeof buf, f.get());
        bytes.append(buf, n);
        if (bytes.size() > maxBytes) {
            Refuse(refusal, FileRefusal::Kind::TooLarge, SizeLimitReason(maxBytes));
            return std::nullopt;
        }
        if (n < sizeof buf) break;
    }
    if (std::ferror(f.get())) {
        Refuse(refusal, FileRefusal::Kind::Read, SystemFailureReason(errno));
        return std::nullopt;
    }
    return bytes;
}

}  // namespace kivo
