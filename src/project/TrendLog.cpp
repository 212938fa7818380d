#include "project/TrendLog.h"

#include <array>
#include <cerrno>
#include <limits>
#include <system_error>

#include "core/Cp1252.h"
#include "core/NumberText.h"
#include "core/FileName.h"

namespace kivo {
namespace {

constexpr std::array kSteps{0.1, 0.334, 2.0};
constexpr std::array kHeaders{"Tempo (0.100 seg);", "Tempo (0.334 seg);", "Tempo (2 seg);"};

std::size_t Base(int timeBase) { return static_cast<std::size_t>(timeBase < 0 || timeBase > 2 ? 0 : timeBase); }

// The decimal comma replaces the point of a field.
std::string Field(double x, bool comma) {
    std::string s = FormatFixed(x, 3, 2);
    if (comma)
        if (const auto p = s.find('.'); p != std::string::npos) s[p] = ',';
    return s;
}

std::filesystem::path Utf8Path(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

}  // namespace

std::string TrendLog::FileName(const std::string& tag, int k) {
    return WithoutForbiddenCharacters(tag) + "_" + std::to_string(k) + ".txt";
}

std::string TrendLog::Header(int timeBase, const std::string& name1, const std::string& name2,
                                    const std::string& name3) {
    return kHeaders[Base(timeBase)] + name1 + ";" + name2 + ";" + name3;
}

std::string TrendLog::Row(double time, double v1, double v2, double v3, bool comma) {
    return Field(time, comma) + ';' + Field(v1, comma) + ';' + Field(v2, comma) + ';' + Field(v3, comma);
}

std::string TrendLog::fileName() const {
    const std::u8string n = path_.filename().u8string();
    return std::string(n.begin(), n.end());
}

bool TrendLog::Open(const std::filesystem::path& folder, const std::string& tag, int timeBase,
                        const std::string& name1, const std::string& name2, const std::string& name3) {
    Close();
    failure_ = Fail::None;
    // Created exclusively: a name taken meanwhile (or one that is a folder
    // or a dangling link) is skipped like any existing file, and no log ever
    // writes over another.
    for (int k = 1; k < std::numeric_limits<int>::max(); ++k) {
        path_ = folder / Utf8Path(FileName(tag, k));
        errno = 0;
        file_.reset(std::fopen(path_.c_str(), "wbx"));
        if (file_) break;
        if (errno != EEXIST) {
            failure_ = Fail::Create;
            reason_ = SystemFailureReason(errno);
            return false;
        }
    }
    if (!file_) return false;
    if (!Write(Utf8ToCp1252(Header(timeBase, name1, name2, name3)) + "\r\n", Fail::Create)) {
        // A file without its header is no log: it goes.
        std::error_code ec;
        std::filesystem::remove(path_, ec);
        return false;
    }
    step_ = kSteps[Base(timeBase)];
    return true;
}

bool TrendLog::Write(double v1, double v2, double v3, bool comma) {
    if (!file_ || !Write(Row(time_, v1, v2, v3, comma) + "\r\n", Fail::Save)) return false;
    time_ += step_;
    return true;
}

bool TrendLog::Write(const std::string& bytes, Fail failure) {
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) == bytes.size() && std::fflush(file_.get()) == 0)
        return true;
    failure_ = failure;
    reason_ = SystemFailureReason(errno);
    file_.reset();
    return false;
}

void TrendLog::Close() { file_.reset(); }

std::string TrendLog::Error(bool english) const {
    const std::string name = "\"" + path_.string() + "\"";
    const std::string& reason = english ? reason_.en : reason_.pt;
    switch (failure_) {
        case Fail::Create:
            return (english ? "Could not create the file " : "Não foi possível criar o arquivo ") + name + ": " +
                   reason;
        case Fail::Save:
            return english ? "Could not write to the file " + name + ": " + reason + ". Logging has stopped."
                          : "Não foi possível gravar no arquivo " + name + ": " + reason + ". O registro foi encerrado.";
        case Fail::None:
            break;
    }
    return {};
}

}  // namespace kivo
