#pragma once
// The fast-simulation archive (".txd"): one header line and one data line per
// simulated second, every field followed by ";". Header: for k = 1..99 the
// two-digit k, a blank and the description of M(k); then the sample time
// with one decimal and the window length in seconds. Data line j: M1..M99 in
// % with two decimals, the state at the end of second j. Windows-1252, CR LF.
#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kivo {

class Memory;
class ProgressObserver;

inline constexpr int kTxdVariables = 99;

// A file that cannot be created, written or read as an archive. Both texts
// are built at once; what() holds the English one.
class TxdError : public std::runtime_error {
public:
    TxdError(std::string portuguese, std::string english, int line = 0);
    std::string Message(bool english) const { return english ? what() : portuguese_; }
    // The 1-based line of the file the error concerns; 0 for the whole file.
    int line() const { return line_; }

private:
    std::string portuguese_;
    int line_;
};

// Writes one archive. Created in a folder with the smallest free number, so
// that no earlier archive is ever replaced.
class TxdWriter {
public:
    // Creates folder / (prefix + "_" + k + ".txd") for the smallest k >= 1
    // that does not exist, and writes the header with the descriptions of
    // mem, T (s) and W (s). Throws TxdError when the file cannot be created.
    TxdWriter(const std::filesystem::path& folder, std::string_view prefix, const Memory& mem, double T,
                double W);
    // A file that was not concluded is incomplete, and is removed.
    ~TxdWriter();
    TxdWriter(const TxdWriter&) = delete;
    TxdWriter& operator=(const TxdWriter&) = delete;

    // One data line with M1..M99.
    void Row(const Memory& mem);
    // Closes the file. Throws TxdError when any write failed; the incomplete
    // file is then removed.
    void Finish();

    const std::filesystem::path& path() const { return path_; }

private:
    void Write(std::string_view bytes);
    void Discard();

    std::filesystem::path path_;
    std::FILE* f_ = nullptr;
    int error_ = 0;  // errno of the first failed write
    std::string line_;
    std::string field_;
};

// The header line (UTF-8, without the line end). A ";" in a description
// would shift the fields that follow it, so it is written as ",".
std::string TxdHeader(const Memory& mem, double T, double W);

// A data line: index k holds M(k) for k = 1..99; index 0 is 0.
using TxdRow = std::array<double, kTxdVariables + 1>;

struct TxdArchive {
    double T = 0;               // header field 100
    double W = 0;               // header field 101
    std::vector<TxdRow> lines;  // data line j at [j - 1]
};

// Caps of the reader, so that a wrong file (a disk image, a device, a file
// without line ends) is refused instead of filling memory. A 4-hour run
// writes 14,400 data lines of about 600 bytes (9 MB); the cap leaves room for
// values far outside the span in many columns.
inline constexpr std::uintmax_t kMaxBytesTxd = 64u << 20;
// The header holds 99 descriptions of at most 255 characters (26 KB), a data
// line 99 numbers of at most 313 characters each, even at the limits of a
// double (31 KB). The line end is not counted.
inline constexpr std::size_t kMaxTxdLineBytes = 64u << 10;

// Reads an archive: the header, then exactly Nearest(W) data lines, each
// field k converted as a plain number. Stricter than a plain conversion: a
// missing file, a header without a numeric field 100 and 101, fewer data
// lines than announced, a data line with fewer than 99 fields or a field that
// is not a number (or beyond the range of a double) throw TxdError naming the
// file and the line. So does a header announcing fewer than two data lines,
// since the indices need two points, and so do a file that is not a regular
// file or exceeds kMaxBytesTxd, and a line longer than kMaxTxdLineBytes.
// Progress: Nearest(100 (j - 1) / W) before data line j. With perLine, each
// data line goes to it as it is read instead of into lines, so that the
// archive is never held whole.
TxdArchive ReadTxdArchive(const std::filesystem::path& file, ProgressObserver* obs = nullptr,
                        const std::function<void(const TxdRow&)>& perLine = {});

// A read error of the whole file: "Read error in "file": " + en, and
// likewise in Portuguese.
TxdError TxdReadError(const std::filesystem::path& file, const std::string& pt, const std::string& en,
                       int line = 0);

// The names of the "*.txd" files in folder without their extension, sorted.
std::vector<std::string> ListTxdArchives(const std::filesystem::path& folder);

}  // namespace kivo
