#include "fastsim/TxdArchive.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <system_error>

#include "core/Cp1252.h"
#include "core/FileName.h"
#include "core/Memory.h"
#include "core/FailureReason.h"
#include "core/NumberText.h"
#include "core/RegularFile.h"
#include "fastsim/Progress.h"
#include "objects/Fields.h"

namespace kivo {

namespace fs = std::filesystem;

namespace {

// Why the system refused a file operation, in the language of the message it
// completes.
std::string Reason(int e, bool english) {
    FailureReason m = SystemFailureReason(e);
    return english ? std::move(m.en) : std::move(m.pt);
}

std::string Quoted(const fs::path& p) { return "\"" + p.string() + "\""; }

// What a message quotes from the file: UTF-8, and short enough to read.
std::string Excerpt(std::string_view bytes) {
    const std::string u = Cp1252ToUtf8(bytes);
    const std::string t = TruncateText(u, 40);
    return "\"" + t + (t.size() < u.size() ? "...\"" : "\"");
}

// The prefix names a visible file in the chosen folder, never another
// folder, that every system the archive is copied to can hold: a leading "."
// (as in "." or "..") would hide it.
void CheckPrefix(std::string_view prefix) {
    const std::string p(prefix);
    if (prefix.empty())
        throw TxdError("O prefixo do arquivo não pode ser vazio.", "The file name prefix cannot be empty.");
    if (std::any_of(prefix.begin(), prefix.end(), IsForbiddenCharacter))
        throw TxdError("O prefixo do arquivo \"" + p +
                          "\" não pode conter caracteres de controle nem / \\ : * ? \" < > |.",
                      "The file name prefix \"" + p +
                          "\" cannot contain control characters or / \\ : * ? \" < > |.");
    if (prefix.front() == '.')
        throw TxdError("O prefixo do arquivo \"" + p + "\" não pode começar com \".\": o arquivo ficaria oculto.",
                      "The file name prefix \"" + p + "\" cannot begin with \".\": the file would be hidden.");
}

enum class Field { Number, NotNumber, OutOfRange };

// A plain number: outer blanks, an optional sign, digits with an optional
// "." part and an optional exponent, nothing else. A well-formed number
// beyond the range of a double (1e400, or 1e-400) is told apart, since the
// message differs.
Field ConvertField(std::string_view s, double& value) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    const std::size_t start = !s.empty() && s.front() == '-' ? 1 : 0;
    if (s.size() <= start || !(s[start] == '.' || (s[start] >= '0' && s[start] <= '9'))) return Field::NotNumber;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::general);
    if (r.ptr != s.data() + s.size()) return Field::NotNumber;
    if (r.ec == std::errc::result_out_of_range) return Field::OutOfRange;
    return r.ec == std::errc{} ? Field::Number : Field::NotNumber;
}

// The fields of a line: field k is the text before the k-th ";". Text after
// the last ";" is no field.
std::size_t SplitFields(std::string_view line, std::vector<std::string_view>& fields) {
    fields.clear();
    std::size_t start = 0;
    for (std::size_t end; (end = line.find(';', start)) != std::string_view::npos; start = end + 1)
        fields.push_back(line.substr(start, end - start));
    return fields.size();
}

// Lines of a file read in large blocks; CR LF or LF end a line. Only a
// regular file is read (a device or a pipe could be endless), and never more
// than the caps: a wrong file is refused instead of filling memory.
class FileReader {
public:
    explicit FileReader(const fs::path& file) : file_(file) {
        FileRefusal refusal;
        f_ = OpenRegularFile(file, kMaxBytesTxd, refusal);
        if (!f_ && refusal.kind == FileRefusal::Kind::TooLarge) FileTooLarge();
        if (!f_) Fail(refusal.reason.pt, refusal.reason.en);
    }
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    // The next line without its end; false at the end of the file.
    bool NextLine(std::string& line) {
        line.clear();
        ++lineNumber_;
        for (;;) {
            const auto end = std::find(buf_.begin() + static_cast<std::ptrdiff_t>(pos_),
                                       buf_.begin() + static_cast<std::ptrdiff_t>(size_), '\n');
            const auto n = static_cast<std::size_t>(end - buf_.begin()) - pos_;
            if (line.size() + n > kMaxTxdLineBytes + 1) LineTooLong();  // + 1: the CR of a CR LF
            line.append(buf_.data() + pos_, n);
            pos_ += n;
            if (pos_ < size_) {
                ++pos_;  // the '\n'
                break;
            }
            errno = 0;
            size_ = std::fread(buf_.data(), 1, buf_.size(), f_.get());
            pos_ = 0;
            consumed_ += size_;
            if (consumed_ > kMaxBytesTxd) FileTooLarge();
            if (size_ == 0) {
                if (std::ferror(f_.get())) {
                    const int e = errno;
                    Fail(Reason(e, false), Reason(e, true), "ler", "read");
                }
                if (line.empty()) return false;
                break;
            }
        }
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > kMaxTxdLineBytes) LineTooLong();
        return true;
    }

private:
    [[noreturn]] void Fail(const std::string& pt, const std::string& en, const char* verbPt = "abrir",
                            const char* verbEn = "open") {
        throw TxdError(std::string("Não foi possível ") + verbPt + " " + Quoted(file_) + ": " + pt + ".",
                      std::string("Cannot ") + verbEn + " " + Quoted(file_) + ": " + en + ".");
    }
    [[noreturn]] void FileTooLarge() {
        const std::string mib = std::to_string(kMaxBytesTxd >> 20);
        Fail("o arquivo passa de " + mib + " MiB, o que nenhum arquivo de dados atinge",
              "the file exceeds " + mib + " MiB, which no archive reaches", "ler", "read");
    }
    [[noreturn]] void LineTooLong() {
        const std::string n = std::to_string(lineNumber_);
        const std::string kib = std::to_string(kMaxTxdLineBytes >> 10);
        throw TxdError("Erro de leitura em " + Quoted(file_) + ", linha " + n + ": a linha passa de " + kib +
                          " KiB, o que nenhuma linha de um arquivo de dados atinge.",
                      "Read error in " + Quoted(file_) + ", line " + n + ": the line exceeds " + kib +
                          " KiB, which no archive line reaches.",
                      lineNumber_);
    }

    fs::path file_;
    FileHandle f_;
    std::array<char, 1 << 16> buf_{};
    std::size_t pos_ = 0;
    std::size_t size_ = 0;
    std::uintmax_t consumed_ = 0;
    int lineNumber_ = 0;  // of the line being read, from 1
};

// Errors of the content, named by file, line and (where one) field.
class ContentErrors {
public:
    explicit ContentErrors(const fs::path& file) : file_(file), where_(Quoted(file)) {}

    [[noreturn]] void AtLine(int line, const std::string& pt, const std::string& en) const {
        const std::string n = std::to_string(line);
        throw TxdError("Erro de leitura em " + where_ + ", linha " + n + ": " + pt,
                      "Read error in " + where_ + ", line " + n + ": " + en, line);
    }
    // Converts field k (from 1) of a line, or throws.
    double Convert(int line, std::size_t k, std::string_view text) const {
        double value = 0;
        const Field c = ConvertField(text, value);
        if (c == Field::Number) return value;
        const std::string n = std::to_string(line);
        const std::string t = Excerpt(text);
        const bool outOfRange = c == Field::OutOfRange;
        throw TxdError("Erro de leitura em " + where_ + ", linha " + n + ", campo " + std::to_string(k) + ": " + t +
                          (outOfRange ? " está fora da faixa dos números." : " não é um número."),
                      "Read error in " + where_ + ", line " + n + ", field " + std::to_string(k) + ": " + t +
                          (outOfRange ? " is out of the range of numbers." : " is not a number."),
                      line);
    }
    [[noreturn]] void EarlyEnd(int line, const std::string& pt, const std::string& en) const {
        throw TxdReadError(file_, pt, en, line);
    }

private:
    fs::path file_;
    std::string where_;
};

}  // namespace

TxdError::TxdError(std::string portuguese, std::string english, int line)
    : std::runtime_error(std::move(english)), portuguese_(std::move(portuguese)), line_(line) {}

TxdError TxdReadError(const fs::path& file, const std::string& pt, const std::string& en, int line) {
    return TxdError("Erro de leitura em " + Quoted(file) + ": " + pt, "Read error in " + Quoted(file) + ": " + en,
                   line);
}

// ---- Writer -----------------------------------------------------------------

std::string TxdHeader(const Memory& mem, double T, double W) {
    std::string h;
    for (int k = 1; k <= kTxdVariables; ++k) {
        std::string desc = mem.entry(k).description;
        std::replace(desc.begin(), desc.end(), ';', ',');
        h += (k < 10 ? "0" : "") + std::to_string(k) + " " + desc + ";";
    }
    return h + FormatFixed(T, 1, 1) + ";" + FormatFixed(W, 0, 0) + ";";
}

TxdWriter::TxdWriter(const fs::path& folder, std::string_view prefix, const Memory& mem, double T, double W) {
    CheckPrefix(prefix);
    for (long long k = 1; !f_; ++k) {
        path_ = folder / (std::string(prefix) + "_" + std::to_string(k) + ".txd");
        std::error_code ec;
        if (fs::exists(path_, ec) || fs::is_symlink(path_, ec)) continue;
        // Created exclusively: a file that appeared since the test is skipped,
        // never replaced.
        errno = 0;
        f_ = std::fopen(path_.c_str(), "wbx");
        if (!f_ && errno != EEXIST) {
            const int e = errno;
            throw TxdError("Não foi possível criar o arquivo " + Quoted(path_) + ": " + Reason(e, false) + ".",
                          "Cannot create " + Quoted(path_) + ": " + Reason(e, true) + ".");
        }
    }
    std::setvbuf(f_, nullptr, _IOFBF, 1 << 16);
    std::string header = Utf8ToCp1252(TxdHeader(mem, T, W));
    std::replace_if(header.begin(), header.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    Write(header + "\r\n");
}

TxdWriter::~TxdWriter() {
    if (f_) Discard();
}

void TxdWriter::Row(const Memory& mem) {
    line_.clear();
    for (int k = 1; k <= kTxdVariables; ++k) {
        FormatFixedInto(field_, mem[k], 5, 2);
        line_ += field_;
        line_ += ';';
    }
    line_ += "\r\n";
    Write(line_);
}

void TxdWriter::Write(std::string_view bytes) {
    if (error_ != 0) return;
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), f_) != bytes.size()) error_ = errno != 0 ? errno : EIO;
}

void TxdWriter::Finish() {
    errno = 0;
    if (std::fflush(f_) != 0 && error_ == 0) error_ = errno != 0 ? errno : EIO;
    if (error_ == 0) {
        const int r = std::fclose(f_);
        f_ = nullptr;
        if (r == 0) return;
        error_ = errno != 0 ? errno : EIO;
    }
    Discard();
    throw TxdError("Não foi possível gravar o arquivo " + Quoted(path_) + ": " + Reason(error_, false) +
                      ". O arquivo incompleto foi removido.",
                  "Cannot write " + Quoted(path_) + ": " + Reason(error_, true) +
                      ". The incomplete file was removed.");
}

void TxdWriter::Discard() {
    if (f_) std::fclose(f_);
    f_ = nullptr;
    std::error_code ec;
    fs::remove(path_, ec);
}

// ---- Reader -----------------------------------------------------------------

TxdArchive ReadTxdArchive(const fs::path& file, ProgressObserver* obs,
                        const std::function<void(const TxdRow&)>& perLine) {
    FileReader reader(file);
    const ContentErrors error(file);
    TxdArchive r;
    std::string line;
    std::vector<std::string_view> fields;

    if (!reader.NextLine(line))
        error.EarlyEnd(1, "o arquivo está vazio; falta o cabeçalho.", "the file is empty; the header is missing.");
    const std::size_t nHeader = SplitFields(line, fields);
    if (nHeader < kTxdVariables + 2)
        error.AtLine(1, "o cabeçalho tem " + std::to_string(nHeader) + " campos, e não 101.",
                   "the header holds " + std::to_string(nHeader) + " fields instead of 101.");
    r.T = error.Convert(1, 100, fields[99]);
    r.W = error.Convert(1, 101, fields[100]);

    const double nLines = Round(r.W);
    const std::string announced = FormatFixed(nLines, 0, 0);
    if (nLines < 2)
        error.AtLine(1, "o cabeçalho anuncia " + announced + " linhas de dados; os índices precisam de pelo menos duas.",
                   "the header announces " + announced + " data lines; the indices need at least two.");

    Progress progress(obs);
    // Room for the longest run (4 h, one line a second); a header may
    // announce any number.
    if (!perLine) r.lines.reserve(static_cast<std::size_t>(std::min(nLines, 14400.0)));
    TxdRow values{};
    for (long long j = 1; static_cast<double>(j) <= nLines; ++j) {
        progress.Inform(static_cast<int>(Round(100.0 * static_cast<double>(j - 1) / r.W)));
        const int lineNumber = static_cast<int>(std::min<long long>(j + 1, 2147483647));
        if (!reader.NextLine(line))
            error.EarlyEnd(lineNumber, "o arquivo termina antes da linha " + std::to_string(lineNumber) +
                                   "; o cabeçalho anuncia " + announced + " linhas de dados.",
                     "the file ends before line " + std::to_string(lineNumber) + "; the header announces " + announced +
                         " data lines.");
        const std::size_t n = SplitFields(line, fields);
        if (n < kTxdVariables)
            error.AtLine(lineNumber, "a linha tem " + std::to_string(n) + " campos, e não 99.",
                       "the line holds " + std::to_string(n) + " fields instead of 99.");
        for (std::size_t k = 1; k <= kTxdVariables; ++k) values[k] = error.Convert(lineNumber, k, fields[k - 1]);
        if (perLine)
            perLine(values);
        else
            r.lines.push_back(values);
    }
    return r;
}

std::vector<std::string> ListTxdArchives(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& p = it->path();
        std::error_code ec2;
        if (p.extension() == ".txd" && it->is_regular_file(ec2)) names.push_back(p.stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace kivo
