#include "project/TextFile.h"

#include "core/Cp1252.h"
#include "core/RegularFile.h"

namespace kivo {
namespace {

std::string BuildMessage(FileError::Operation op, const std::string& file, const FailureReason& reasons,
                          bool english) {
    const std::string name = "\"" + file + "\"";
    const std::string& reason = english ? reasons.en : reasons.pt;
    switch (op) {
        case FileError::Operation::Open:
            return (english ? "Cannot open " : "Não foi possível abrir ") + name + ": " + reason;
        case FileError::Operation::Read:
            return (english ? "Cannot read " : "Não foi possível ler ") + name + ": " + reason;
        case FileError::Operation::Save:
            return (english ? "Cannot save " : "Não foi possível salvar ") + name + ": " + reason;
        case FileError::Operation::Size:
            return english ? name + " is too large to be a project file (" + reason + ")."
                          : name + " é grande demais para ser um arquivo de projeto (" + reason + ").";
    }
    return reason;
}

}  // namespace

FileError::FileError(Operation op, std::string file, FailureReason reason)
    : std::runtime_error(BuildMessage(op, file, reason, true)),
      op_(op),
      file_(std::move(file)),
      reason_(std::move(reason)) {}

std::string FileError::Message(bool english) const { return BuildMessage(op_, file_, reason_, english); }

std::vector<std::string> SplitLines(std::string_view bytes) {
    const std::size_t end = bytes.find('\x1A');
    if (end != std::string_view::npos) bytes = bytes.substr(0, end);
    std::vector<std::string> lines;
    std::string current;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\n') {
            lines.push_back(Cp1252ToUtf8(current));
            current.clear();
        } else if (c == '\r') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                lines.push_back(Cp1252ToUtf8(current));
                current.clear();
                ++i;
            }
        } else {
            current += c;
        }
    }
    if (!current.empty()) lines.push_back(Cp1252ToUtf8(current));
    return lines;
}

std::string ReadBytes(const std::filesystem::path& path) {
    FileRefusal refusal;
    if (auto bytes = ReadRegularFile(path, kMaxProjectBytes, refusal)) return std::move(*bytes);
    using Op = FileError::Operation;
    const Op op = refusal.kind == FileRefusal::Kind::TooLarge ? Op::Size
                  : refusal.kind == FileRefusal::Kind::Read   ? Op::Read
                                                             : Op::Open;
    throw FileError(op, path.string(), refusal.reason);
}

std::string JoinLines(const std::vector<std::string>& lines, std::size_t* unrepresentable) {
    std::string bytes;
    std::size_t total = 0;
    for (const auto& l : lines) {
        std::size_t n = 0;
        std::string line = Utf8ToCp1252(l, &n);
        total += n;
        for (char& c : line)
            if (c == '\r' || c == '\n' || c == '\x1A') c = ' ';
        bytes += line;
        bytes += "\r\n";
    }
    if (unrepresentable) *unrepresentable = total;
    return bytes;
}


}  // namespace kivo
