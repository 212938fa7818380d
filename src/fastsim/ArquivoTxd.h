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

class Memorias;
class ObservadorProgresso;

inline constexpr int kVariaveisTxd = 99;

// A file that cannot be created, written or read as an archive. Both texts
// are built at once; what() holds the English one.
class ErroTxd : public std::runtime_error {
public:
    ErroTxd(std::string portugues, std::string ingles, int linha = 0);
    std::string Mensagem(bool ingles) const { return ingles ? what() : portugues_; }
    // The 1-based line of the file the error concerns; 0 for the whole file.
    int linha() const { return linha_; }

private:
    std::string portugues_;
    int linha_;
};

// Writes one archive. Created in a folder with the smallest free number, so
// that no earlier archive is ever replaced.
class EscritorTxd {
public:
    // Creates pasta / (prefixo + "_" + k + ".txd") for the smallest k >= 1
    // that does not exist, and writes the header with the descriptions of
    // mem, T (s) and W (s). Throws ErroTxd when the file cannot be created.
    EscritorTxd(const std::filesystem::path& pasta, std::string_view prefixo, const Memorias& mem, double T,
                double W);
    // A file that was not concluded is incomplete, and is removed.
    ~EscritorTxd();
    EscritorTxd(const EscritorTxd&) = delete;
    EscritorTxd& operator=(const EscritorTxd&) = delete;

    // One data line with M1..M99.
    void Linha(const Memorias& mem);
    // Closes the file. Throws ErroTxd when any write failed; the incomplete
    // file is then removed.
    void Conclui();

    const std::filesystem::path& caminho() const { return caminho_; }

private:
    void Grava(std::string_view bytes);
    void Descarta();

    std::filesystem::path caminho_;
    std::FILE* f_ = nullptr;
    int erro_ = 0;  // errno of the first failed write
    std::string linha_;
    std::string campo_;
};

// The header line (UTF-8, without the line end). A ";" in a description
// would shift the fields that follow it, so it is written as ",".
std::string CabecalhoTxd(const Memorias& mem, double T, double W);

// A data line: index k holds M(k) for k = 1..99; index 0 is 0.
using LinhaTxd = std::array<double, kVariaveisTxd + 1>;

struct ArquivoTxd {
    double T = 0;  // header field 100
    double W = 0;  // header field 101
    std::vector<LinhaTxd> linhas;  // data line j at [j - 1]
};

// Caps of the reader, so that a wrong file (a disk image, a device, a file
// without line ends) is refused instead of filling memory. A 4-hour run
// writes 14,400 data lines of about 600 bytes (9 MB); the cap leaves room for
// values far outside the span in many columns.
inline constexpr std::uintmax_t kMaxBytesTxd = 64u << 20;
// The header holds 99 descriptions of at most 255 characters (26 KB), a data
// line 99 numbers of at most 313 characters each, even at the limits of a
// double (31 KB). The line end is not counted.
inline constexpr std::size_t kMaxBytesLinhaTxd = 64u << 10;

// Reads an archive: the header, then exactly Nearest(W) data lines, each
// field k converted as a plain number. Stricter than a plain conversion: a
// missing file, a header without a numeric field 100 and 101, fewer data
// lines than announced, a data line with fewer than 99 fields or a field that
// is not a number (or beyond the range of a double) throw ErroTxd naming the
// file and the line. So does a header announcing fewer than two data lines,
// since the indices need two points, and so do a file that is not a regular
// file or exceeds kMaxBytesTxd, and a line longer than kMaxBytesLinhaTxd.
// Progress: Nearest(100 (j - 1) / W) before data line j. With porLinha, each
// data line goes to it as it is read instead of into linhas, so that the
// archive is never held whole.
ArquivoTxd LeArquivoTxd(const std::filesystem::path& arquivo, ObservadorProgresso* obs = nullptr,
                        const std::function<void(const LinhaTxd&)>& porLinha = {});

// A read error of the whole file: "Read error in "arquivo": " + en, and
// likewise in Portuguese.
ErroTxd ErroLeituraTxd(const std::filesystem::path& arquivo, const std::string& pt, const std::string& en,
                       int linha = 0);

// The names of the "*.txd" files in pasta without their extension, sorted.
std::vector<std::string> ListaArquivosTxd(const std::filesystem::path& pasta);

}  // namespace kivo
