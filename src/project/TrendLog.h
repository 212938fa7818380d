#pragma once
// The data log of a trend, a controller faceplate's or a trend recorder's:
// one semicolon-separated text file per log, tag + "_" + k + ".txt" for the
// smallest free k, a header naming the time base and the three columns, then
// one line per sample. Windows-1252, every line ended by CR LF and flushed at
// once: a log is read while it grows, and a program that ends without
// closing it loses no line.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "core/FailureReason.h"

namespace kivo {

class TrendLog {
public:
    // Creates the next free tag_k.txt in folder and writes the header: the
    // time base's text (0..2) followed by the three column names. Returns
    // false when the file cannot be created; Error then says which and why.
    bool Open(const std::filesystem::path& folder, const std::string& tag, int timeBase, const std::string& name1,
              const std::string& name2, const std::string& name3);
    // One line at the log time, which then advances by the time base's step.
    // A line the system refuses ends the log (so that no later line claims a
    // time the file does not hold) and returns false; Error says why.
    bool Write(double v1, double v2, double v3, bool comma);
    void Close();

    bool isOpen() const { return file_ != nullptr; }
    // The file of the last log opened, or of the last one that failed.
    const std::filesystem::path& path() const { return path_; }
    std::string fileName() const;
    // Not reset between logs, so a second log continues the time column.
    double time() const { return time_; }
    // Why the last Open or Write failed, in the interface language.
    std::string Error(bool english) const;

    static std::string Header(int timeBase, const std::string& name1, const std::string& name2,
                                 const std::string& name3);
    static std::string Row(double time, double v1, double v2, double v3, bool comma);
    // tag_k.txt, with the characters a file name cannot hold made "_", so
    // that a tag such as "FIC/2" still logs into the folder given.
    static std::string FileName(const std::string& tag, int k);

private:
    struct FileCloser {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    enum class Fail { None, Create, Save };
    // Writes and flushes bytes; a refusal is kept as failure and closes the file.
    bool Write(const std::string& bytes, Fail failure);

    std::unique_ptr<std::FILE, FileCloser> file_;
    std::filesystem::path path_;
    double time_ = 0;
    double step_ = 0.1;
    Fail failure_ = Fail::None;
    FailureReason reason_;
};

}  // namespace kivo
