#pragma once
// Reading a file the user points the program at (a picture, the comments
// file) without trusting what it is: only a regular file of a sane size is
// read, so a FIFO, a device or a huge file named like a picture can neither
// hang the program nor fill its memory.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace kivo::ui {

inline constexpr std::uintmax_t kMaxBytesPicture = 128u << 20;
inline constexpr std::uintmax_t kMaxBytesComments = 16u << 20;

// The file's bytes; std::nullopt when it is refused or cannot be read, with
// why (in the interface language) in *reason when given.
std::optional<QByteArray> ReadUserFile(const QString& path, std::uintmax_t maxBytes, bool english,
                                       QString* reason = nullptr);

}  // namespace kivo::ui
