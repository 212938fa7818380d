#pragma once
// Lines of a project file as the records see them: the value forms of the
// file, a writer that collects lines and a positional reader. Texts are UTF-8
// here; the code page of the file is dealt with where the file is opened.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kivo {

// ---- Value forms -----------------------------------------------------------

// "TRUE"/"FALSE" (widget and linearizer flags) and "True"/"False" (slot flags,
// shown flags and record flags). Reading is exact and case-sensitive:
// anything but the true text reads false.
std::string UpperCaseFlagText(bool v);
std::string MixedCaseFlagText(bool v);
bool ReadUpperCaseFlag(std::string_view line);
bool ReadMixedCaseFlag(std::string_view line);

// Colours are 32-bit values laid out 00BBGGRR, with the system colours at
// FF0000nn and the two special values below.
inline constexpr std::uint32_t kColourNone = 0x1FFFFFFFu;     // "clNone"
inline constexpr std::uint32_t kColourDefault = 0x20000000u;  // "clDefault"
inline constexpr std::uint32_t kColourRed = 0x000000FFu;      // "clRed"
inline constexpr std::uint32_t kColourLime = 0x0000FF00u;     // "clLime"

// The colour's name when the named table holds its value, otherwise "$" and
// eight upper-case hexadecimal digits.
std::string ColourText(std::uint32_t colour);
// A name of the table (letter case ignored), "$" and up to eight hexadecimal
// digits, or a decimal number that fits in 32 bits (negative numbers are the
// same bits read as signed). Outer blanks are ignored. False on anything else.
bool ParseColour(std::string_view text, std::uint32_t& colour);

// A language pair: with a "|" the part before the first "|" is Portuguese and
// the rest is English; without one the whole line serves both languages.
std::string_view PairText(std::string_view line, bool english);

// The language pairs of a project as its file held them, so that a save
// writes back both languages although the windows show and edit one. Each is
// kept under a key naming where it stands (an object's slot and field).
class LanguagePairs {
public:
    void Keep(std::string key, std::string raw) { rawTexts_[std::move(key)] = std::move(raw); }
    // The line to write for a text that the interface shows as `current` in
    // its language (see MergePair); `current` itself when nothing was kept.
    std::string Value(std::string_view key, std::string_view current, bool english) const;
    // Forgets the texts of an object whose slot is filled anew.
    void Forget(std::string_view prefix);
    void Clear() { rawTexts_.clear(); }

private:
    std::map<std::string, std::string, std::less<>> rawTexts_;
};

// The pair `raw` with the half of one language made `current`: unchanged
// when that half already reads `current`; one text without "|" when both halves
// come out equal. A text read without "|" served both languages, so an edit in
// one language makes it a pair with the old text as the other half. An empty
// `raw` kept nothing: `current` alone.
std::string MergePair(std::string_view raw, std::string_view current, bool english);

// The key prefix of the texts of object n of a family ('C', 'P', 'B', 'R',
// 'T'; 'G' for the generator bank): "C3/".
std::string PairContext(char family, int n);

// Number of characters (UTF-8 code points) of a text.
std::size_t NumCharacters(std::string_view text);
// The text from character n on (counting from 0); empty when shorter.
std::string_view AfterCharacters(std::string_view text, std::size_t n);

// ---- Errors ----------------------------------------------------------------

// A value that must convert and does not. It stops the load and names the
// file, the 1-based line number and the text found.
class ReadError : public std::runtime_error {
public:
    enum class Kind { Integer, Colour };
    // pastEnd: the line lies past the end of the file.
    ReadError(std::string file, int line, std::string text, Kind kind, bool pastEnd);

    const std::string& file() const { return file_; }
    int line() const { return line_; }
    const std::string& text() const { return text_; }
    Kind kind() const { return kind_; }
    bool pastEnd() const { return pastEnd_; }
    // The message in the interface language; what() holds the English one.
    std::string Message(bool english) const;

private:
    std::string file_;
    int line_;
    std::string text_;
    Kind kind_;
    bool pastEnd_;
};

// ---- Writer ----------------------------------------------------------------

class LineWriter {
public:
    void Text(std::string_view line) { lines_.emplace_back(line); }
    void UpperCaseFlag(bool v) { lines_.push_back(UpperCaseFlagText(v)); }
    void MixedCaseFlag(bool v) { lines_.push_back(MixedCaseFlagText(v)); }
    // The 23-character scientific real.
    void Real(double x);
    // Str(x:w:d).
    void Fixed(double x, int w, int d);
    void Integer(long long n) { lines_.push_back(std::to_string(n)); }
    void Colour(std::uint32_t colour) { lines_.push_back(ColourText(colour)); }
    // A language pair kept under key (see LanguagePairs).
    void Pair(std::string_view key, std::string_view current) { Text(PairValue(key, current)); }

    // The pairs kept at the load, and the language the texts are shown in.
    void UsePairs(const LanguagePairs* pairs, bool english) {
        pairs_ = pairs;
        english_ = english;
    }
    std::string PairValue(std::string_view key, std::string_view current) const {
        return pairs_ ? pairs_->Value(key, current, english_) : std::string(current);
    }

    const std::vector<std::string>& lines() const { return lines_; }

private:
    std::vector<std::string> lines_;
    const LanguagePairs* pairs_ = nullptr;
    bool english_ = false;
};

// ---- Reader ----------------------------------------------------------------

// Reads lines strictly by position. Past the last line it yields empty lines,
// so a truncated file reads as one whose remaining lines are empty. Every
// typed read takes the next line and may skip its first characters (the
// prefix and key of a record line).
class LineReader {
public:
    LineReader(std::vector<std::string> lines, std::string file, bool english);

    std::string NextLine();
    // 1-based number of the line read last (0 before the first read); keeps
    // counting past the end.
    int line() const { return line_; }
    // The line read last lay past the end of the file.
    bool PastEnd() const { return static_cast<std::size_t>(line_) > lines_.size(); }
    // Number of lines the file holds.
    std::size_t numLines() const { return lines_.size(); }
    bool english() const { return english_; }
    const std::string& file() const { return file_; }

    std::string Text(std::size_t skip = 0);
    // The text of the interface language; the whole pair is kept under key
    // when pairs are kept.
    std::string Pair(std::size_t skip = 0, std::string_view key = {});
    void KeepPairs(LanguagePairs* pairs) { pairs_ = pairs; }
    bool UpperCaseFlag(std::size_t skip = 0);
    bool MixedCaseFlag(std::size_t skip = 0);
    // Standard conversion; a malformed number is not reported.
    double Real(std::size_t skip = 0);
    // Throws ReadError on anything but an integer that fits in int.
    int StrictInteger(std::size_t skip = 0);
    // Leading blanks skipped, the digits up to the first other character
    // count, nothing well-formed reads 0; the result is bounded to int.
    int LenientInteger(std::size_t skip = 0);
    // List indexes are strict integers.
    int ListIndex(std::size_t skip = 0) { return StrictInteger(skip); }
    // Throws ReadError on a text that is not a colour.
    std::uint32_t Colour(std::size_t skip = 0);

    // Raises the conversion error for the line read last.
    [[noreturn]] void Fail(std::string_view text, ReadError::Kind kind) const;

private:
    std::vector<std::string> lines_;
    std::string file_;
    bool english_;
    int line_ = 0;
    LanguagePairs* pairs_ = nullptr;
};

// ---- Record lines ----------------------------------------------------------

// The key of the language pair on line kk of a record: the line number tells
// apart the fields that share a key (the generator bank's "").
std::string PairKey(std::string_view context, int kk, std::string_view key);

// Writes the numbered key lines of one record: prefix + kk + "} " + key +
// value, kk counting from 01. The prefix is everything up to the line number,
// such as "{C01/" or "{R/".
class RecordWriter {
public:
    // context: the key prefix of the record's language pairs
    // (PairContext).
    RecordWriter(LineWriter& w, std::string prefix, std::string context = {})
        : w_(w), prefix_(std::move(prefix)), context_(std::move(context)) {}

    void Text(std::string_view key, std::string_view value);
    void Pair(std::string_view key, std::string_view current);
    void MixedCaseFlag(std::string_view key, bool v) { Text(key, MixedCaseFlagText(v)); }
    void Integer(std::string_view key, long long n) { Text(key, std::to_string(n)); }
    // The 4:2 real of the dynamic state.
    void Fixed42(std::string_view key, double x);

private:
    LineWriter& w_;
    std::string prefix_;
    std::string context_;
    int kk_ = 0;
};

// Reads the key lines of one record by position: the value starts after the
// prefix (of a fixed number of characters), one blank and the key, none of
// which are compared.
class RecordReader {
public:
    RecordReader(LineReader& r, std::size_t prefixSize, std::string context = {})
        : r_(r), size_(prefixSize), context_(std::move(context)) {}

    std::string Text(std::string_view key) { return r_.Text(Skip(key)); }
    std::string Pair(std::string_view key) {
        const std::size_t skip = Skip(key);
        return r_.Pair(skip, PairKey(context_, kk_, key));
    }
    bool MixedCaseFlag(std::string_view key) { return r_.MixedCaseFlag(Skip(key)); }
    double Real(std::string_view key) { return r_.Real(Skip(key)); }
    int Strict(std::string_view key) { return r_.StrictInteger(Skip(key)); }
    int Lenient(std::string_view key) { return r_.LenientInteger(Skip(key)); }

private:
    std::size_t Skip(std::string_view key) {
        ++kk_;
        return size_ + 1 + NumCharacters(key);
    }
    LineReader& r_;
    std::size_t size_;
    std::string context_;
    int kk_ = 0;  // the record's line read last, from 1
};

// A list or radio-group index as the model keeps it: an index outside the
// list's items selects nothing (-1).
constexpr int IndexInList(int index, int numItems) { return index >= 0 && index < numItems ? index : -1; }

// Two digits with a leading zero below 10 ("01", "10"); larger numbers as they
// are.
std::string TwoDigits(int n);

}  // namespace kivo
