#pragma once
// The project file's text: its bytes split into lines as the loader reads
// them, lines joined into the bytes a save writes, and the error that a file
// operation reports. The writing itself is WriteFile (FileWriter.h).
#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/FailureReason.h"

namespace kivo {

// An operation on a file that the system refused.
class FileError : public std::runtime_error {
public:
    enum class Operation { Open, Read, Save, Size };
    FileError(Operation op, std::string file, FailureReason reason);

    Operation operation() const { return op_; }
    const std::string& file() const { return file_; }
    const FailureReason& reason() const { return reason_; }
    // The message in the interface language; what() holds the English one.
    std::string Message(bool english) const;

private:
    Operation op_;
    std::string file_;
    FailureReason reason_;
};

// Largest file read as a project: far above any real project, low enough that
// a wrong file (a video, a disk image) is refused instead of filling memory.
inline constexpr std::size_t kMaxProjectBytes = 64u << 20;

// Splits the bytes of a Windows-1252 file into UTF-8 lines: CR LF or LF end a
// line, a CR not followed by LF is dropped, byte 26 ends the file. A last line
// without its end counts as a line.
std::vector<std::string> SplitLines(std::string_view bytes);

// Reads a whole file; throws FileError.
std::string ReadBytes(const std::filesystem::path& path);

// UTF-8 lines as the file holds them: Windows-1252, every line ended by CR LF.
// A line break or byte 26 inside a line would shift every line after it, so
// each is written as a blank. unrepresentable (when given) receives how
// many characters the code page cannot hold (written as "?").
std::string JoinLines(const std::vector<std::string>& lines, std::size_t* unrepresentable = nullptr);


}  // namespace kivo
