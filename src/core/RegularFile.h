#pragma once
// Opening a file the user named, for reading, without trusting what it is:
// a FIFO would block open() for ever, a device like /dev/zero never ends and
// a huge file would fill memory. Every reader of user files goes through
// here, so each of them refuses such a file at once with a reason.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "core/FailureReason.h"

namespace kivo {

// Why a file was not read.
struct FileRefusal {
    enum class Kind { Open, NotRegular, TooLarge, Read };
    Kind kind = Kind::Open;
    FailureReason reason;
};

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// The file opened for reading ("rb") when it is a regular file of at most
// maxBytes; otherwise nullptr and refusal says why. It is opened without
// blocking and examined on the open descriptor, so nothing swapped in
// between a check and the open is read.
FileHandle OpenRegularFile(const std::filesystem::path& path, std::uintmax_t maxBytes, FileRefusal& refusal);

// The whole file, read as above; the limit holds for what is read too, as
// some files report no size (under /proc) or grow while read.
std::optional<std::string> ReadRegularFile(const std::filesystem::path& path, std::uintmax_t maxBytes,
                                           FileRefusal& refusal);

// "more than N MiB" / "mais de N MiB", or kB below one MiB.
FailureReason SizeLimitReason(std::uintmax_t maxBytes);

}  // namespace kivo
