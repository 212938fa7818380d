// Line reader and writer of the project records.
#include "core/Record.h"

#include <algorithm>
#include <charconv>
#include <climits>

#include "core/NumberText.h"

namespace kivo {
namespace {

struct NamedColour {
    const char* name;
    std::uint32_t value;
};

// The named colours; a value is written under the first name that has it.
constexpr NamedColour kCores[] = {
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0},
    {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},
    // System colours: FF000000 plus the index of the desktop's colour slot.
    {"clScrollBar", 0xFF000000},
    {"clBackground", 0xFF000001},
    {"clActiveCaption", 0xFF000002},
    {"clInactiveCaption", 0xFF000003},
    {"clMenu", 0xFF000004},
    {"clWindow", 0xFF000005},
    {"clWindowFrame", 0xFF000006},
    {"clMenuText", 0xFF000007},
    {"clWindowText", 0xFF000008},
    {"clCaptionText", 0xFF000009},
    {"clActiveBorder", 0xFF00000A},
    {"clInactiveBorder", 0xFF00000B},
    {"clAppWorkSpace", 0xFF00000C},
    {"clHighlight", 0xFF00000D},
    {"clHighlightText", 0xFF00000E},
    {"clBtnFace", 0xFF00000F},
    {"clBtnShadow", 0xFF000010},
    {"clGrayText", 0xFF000011},
    {"clBtnText", 0xFF000012},
    {"clInactiveCaptionText", 0xFF000013},
    {"clBtnHighlight", 0xFF000014},
    {"cl3DDkShadow", 0xFF000015},
    {"cl3DLight", 0xFF000016},
    {"clInfoText", 0xFF000017},
    {"clInfoBk", 0xFF000018},
    {"clHotLight", 0xFF00001A},
    {"clGradientActiveCaption", 0xFF00001B},
    {"clGradientInactiveCaption", 0xFF00001C},
    {"clMenuHighlight", 0xFF00001D},
    {"clMenuBar", 0xFF00001E},
    {"clNone", kColourNone},
    {"clDefault", kColourDefault},
};

char ToLowerCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (ToLowerCase(a[i]) != ToLowerCase(b[i])) return false;
    return true;
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// The text as a message shows it: a long line by its beginning only, control
// characters as "?".
std::string Summarize(std::string_view text) {
    constexpr std::size_t kMax = 60;
    std::string s(text);
    if (NumCharacters(text) > kMax) s = std::string(text.substr(0, text.size() - AfterCharacters(text, kMax).size())) + "...";
    for (char& c : s)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return s;
}

}  // namespace

std::string UpperCaseFlagText(bool v) { return v ? "TRUE" : "FALSE"; }
std::string MixedCaseFlagText(bool v) { return v ? "True" : "False"; }
bool ReadUpperCaseFlag(std::string_view line) { return line == "TRUE"; }
bool ReadMixedCaseFlag(std::string_view line) { return line == "True"; }

std::string ColourText(std::uint32_t colour) {
    for (const auto& c : kCores)
        if (c.value == colour) return c.name;
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string s = "$";
    for (int i = 7; i >= 0; --i) s += kHex[(colour >> (4 * i)) & 0xF];
    return s;
}

bool ParseColour(std::string_view text, std::uint32_t& colour) {
    const std::string_view s = TrimBlanks(text);
    if (s.empty()) return false;
    for (const auto& c : kCores) {
        if (EqualIgnoringCase(s, c.name)) {
            colour = c.value;
            return true;
        }
    }
    const char* end = s.data() + s.size();
    if (s[0] == '$') {
        if (s.size() < 2 || s.size() > 9) return false;
        std::uint32_t v = 0;
        const auto res = std::from_chars(s.data() + 1, end, v, 16);
        if (res.ec != std::errc{} || res.ptr != end) return false;
        colour = v;
        return true;
    }
    long long v = 0;
    const auto res = std::from_chars(s.data(), end, v);
    if (res.ec != std::errc{} || res.ptr != end) return false;
    if (v < INT32_MIN || v > static_cast<long long>(UINT32_MAX)) return false;
    colour = static_cast<std::uint32_t>(v);
    return true;
}

std::string_view PairText(std::string_view line, bool english) {
    const std::size_t p = line.find('|');
    if (p == std::string_view::npos) return line;
    return english ? line.substr(p + 1) : line.substr(0, p);
}

std::size_t NumCharacters(std::string_view text) {
    std::size_t n = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

std::string_view AfterCharacters(std::string_view text, std::size_t n) {
    std::size_t i = 0;
    while (n > 0 && i < text.size()) {
        ++i;
        while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
        --n;
    }
    return text.substr(i);
}

std::string TwoDigits(int n) { return (n >= 0 && n < 10 ? "0" : "") + std::to_string(n); }

// ---- Errors ----------------------------------------------------------------

namespace {

std::string BuildMessage(const std::string& file, int line, const std::string& text,
                          ReadError::Kind kind, bool pastEnd, bool english) {
    const std::string n = std::to_string(line);
    const bool integer = kind == ReadError::Kind::Integer;
    if (english) {
        const std::string where = "Read error in \"" + file + "\"";
        if (pastEnd)
            return where + ": the file ends before line " + n + ", which must hold " +
                   (integer ? "an integer." : "a colour.");
        return where + ", line " + n + ": \"" + text + "\" is not a valid " + (integer ? "integer." : "colour.");
    }
    const std::string where = "Erro de leitura em \"" + file + "\"";
    if (pastEnd)
        return where + ": o arquivo termina antes da linha " + n + ", que deve conter " +
               (integer ? "um número inteiro." : "uma cor.");
    return where + ", linha " + n + ": \"" + text + "\" não é " +
           (integer ? "um número inteiro válido." : "uma cor válida.");
}

}  // namespace

ReadError::ReadError(std::string file, int line, std::string text, Kind kind, bool pastEnd)
    : std::runtime_error(BuildMessage(file, line, Summarize(text), kind, pastEnd, true)),
      file_(std::move(file)),
      line_(line),
      text_(Summarize(text)),
      kind_(kind),
      pastEnd_(pastEnd) {}

std::string ReadError::Message(bool english) const {
    return BuildMessage(file_, line_, text_, kind_, pastEnd_, english);
}

// ---- Writer ----------------------------------------------------------------

void LineWriter::Real(double x) { lines_.push_back(NumberText(x)); }
void LineWriter::Fixed(double x, int w, int d) { lines_.push_back(FormatFixed(x, w, d)); }

void RecordWriter::Text(std::string_view key, std::string_view value) {
    ++kk_;
    std::string line = prefix_;
    line += TwoDigits(kk_);
    line += "} ";
    line += key;
    line += value;
    w_.Text(line);
}

void RecordWriter::Pair(std::string_view key, std::string_view current) {
    Text(key, w_.PairValue(PairKey(context_, kk_ + 1, key), current));
}

void RecordWriter::Fixed42(std::string_view key, double x) { Text(key, FormatFixed(x, 4, 2)); }

// ---- Reader ----------------------------------------------------------------

LineReader::LineReader(std::vector<std::string> lines, std::string file, bool english)
    : lines_(std::move(lines)), file_(std::move(file)), english_(english) {}

std::string LineReader::NextLine() {
    const auto i = static_cast<std::size_t>(line_);
    if (line_ < INT_MAX) ++line_;
    return i < lines_.size() ? lines_[i] : std::string();
}

std::string LineReader::Text(std::size_t skip) {
    const std::string line = NextLine();
    return std::string(AfterCharacters(line, skip));
}

std::string LineReader::Pair(std::size_t skip, std::string_view key) {
    std::string raw = Text(skip);
    std::string text(PairText(raw, english_));
    if (pairs_ && !key.empty()) pairs_->Keep(std::string(key), std::move(raw));
    return text;
}

// ---- Language pairs ----------------------------------------------------------

std::string MergePair(std::string_view raw, std::string_view current, bool english) {
    // An empty line held no text to keep (a title is then the file's name).
    if (raw.empty()) return std::string(current);
    if (PairText(raw, english) == current) return std::string(raw);
    std::string pt(PairText(raw, false)), en(PairText(raw, true));
    (english ? en : pt) = current;
    return pt == en ? pt : pt + "|" + en;
}

std::string LanguagePairs::Value(std::string_view key, std::string_view current, bool english) const {
    const auto it = rawTexts_.find(key);
    return it == rawTexts_.end() ? std::string(current) : MergePair(it->second, current, english);
}

void LanguagePairs::Forget(std::string_view prefix) {
    auto it = rawTexts_.lower_bound(prefix);
    while (it != rawTexts_.end() && it->first.compare(0, prefix.size(), prefix) == 0) it = rawTexts_.erase(it);
}

std::string PairContext(char family, int n) { return std::string(1, family) + std::to_string(n) + "/"; }

std::string PairKey(std::string_view context, int kk, std::string_view key) {
    return std::string(context) + TwoDigits(kk) + std::string(key);
}
bool LineReader::UpperCaseFlag(std::size_t skip) { return ReadUpperCaseFlag(Text(skip)); }
bool LineReader::MixedCaseFlag(std::size_t skip) { return ReadMixedCaseFlag(Text(skip)); }
double LineReader::Real(std::size_t skip) { return ParseReal(Text(skip)); }

int LineReader::StrictInteger(std::size_t skip) {
    const std::string t = Text(skip);
    int v = 0;
    if (!ParseStrictInteger(t, v)) Fail(t, ReadError::Kind::Integer);
    return v;
}

int LineReader::LenientInteger(std::size_t skip) {
    const long long v = ParseLenientInteger(Text(skip));
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

std::uint32_t LineReader::Colour(std::size_t skip) {
    const std::string t = Text(skip);
    std::uint32_t c = 0;
    if (!ParseColour(t, c)) Fail(t, ReadError::Kind::Colour);
    return c;
}

void LineReader::Fail(std::string_view text, ReadError::Kind kind) const {
    throw ReadError(file_, line_, std::string(text), kind, PastEnd());
}

}  // namespace kivo
