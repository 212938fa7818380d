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
std::string TextoFlagMaiusculo(bool v);
std::string TextoFlagMisto(bool v);
bool LeFlagMaiusculo(std::string_view linha);
bool LeFlagMisto(std::string_view linha);

// Colours are 32-bit values laid out 00BBGGRR, with the system colours at
// FF0000nn and the two special values below.
inline constexpr std::uint32_t kCorNenhuma = 0x1FFFFFFFu;  // "clNone"
inline constexpr std::uint32_t kCorPadrao = 0x20000000u;   // "clDefault"
inline constexpr std::uint32_t kCorVermelho = 0x000000FFu; // "clRed"
inline constexpr std::uint32_t kCorLima = 0x0000FF00u;     // "clLime"

// The colour's name when the named table holds its value, otherwise "$" and
// eight upper-case hexadecimal digits.
std::string TextoCor(std::uint32_t cor);
// A name of the table (letter case ignored), "$" and up to eight hexadecimal
// digits, or a decimal number that fits in 32 bits (negative numbers are the
// same bits read as signed). Outer blanks are ignored. False on anything else.
bool ConverteCor(std::string_view texto, std::uint32_t& cor);

// A language pair: with a "|" the part before the first "|" is Portuguese and
// the rest is English; without one the whole line serves both languages.
std::string_view ParIdioma(std::string_view linha, bool ingles);

// The language pairs of a project as its file held them, so that a save
// writes back both languages although the windows show and edit one. Each is
// kept under a key naming where it stands (an object's slot and field).
class ParesIdioma {
public:
    void Guarda(std::string chave, std::string bruto) { brutos_[std::move(chave)] = std::move(bruto); }
    // The line to write for a text that the interface shows as `atual` in
    // its language (see JuntaPar); `atual` itself when nothing was kept.
    std::string Valor(std::string_view chave, std::string_view atual, bool ingles) const;
    // Forgets the texts of an object whose slot is filled anew.
    void Esquece(std::string_view prefixo);
    void Limpa() { brutos_.clear(); }

private:
    std::map<std::string, std::string, std::less<>> brutos_;
};

// The pair `bruto` with the half of one language made `atual`: unchanged
// when that half already reads `atual`; one text without "|" when both halves
// come out equal. A text read without "|" served both languages, so an edit in
// one language makes it a pair with the old text as the other half. An empty
// `bruto` kept nothing: `atual` alone.
std::string JuntaPar(std::string_view bruto, std::string_view atual, bool ingles);

// The key prefix of the texts of object n of a family ('C', 'P', 'B', 'R',
// 'T'; 'G' for the generator bank): "C3/".
std::string ContextoPares(char familia, int n);

// Number of characters (UTF-8 code points) of a text.
std::size_t NumCaracteres(std::string_view texto);
// The text from character n on (counting from 0); empty when shorter.
std::string_view AposCaracteres(std::string_view texto, std::size_t n);

// ---- Errors ----------------------------------------------------------------

// A value that must convert and does not. It stops the load and names the
// file, the 1-based line number and the text found.
class ErroLeitura : public std::runtime_error {
public:
    enum class Tipo { Inteiro, Cor };
    // alemDoFim: the line lies past the end of the file.
    ErroLeitura(std::string arquivo, int linha, std::string texto, Tipo tipo, bool alemDoFim);

    const std::string& arquivo() const { return arquivo_; }
    int linha() const { return linha_; }
    const std::string& texto() const { return texto_; }
    Tipo tipo() const { return tipo_; }
    bool alemDoFim() const { return alemDoFim_; }
    // The message in the interface language; what() holds the English one.
    std::string Mensagem(bool ingles) const;

private:
    std::string arquivo_;
    int linha_;
    std::string texto_;
    Tipo tipo_;
    bool alemDoFim_;
};

// ---- Writer ----------------------------------------------------------------

class EscritorLinhas {
public:
    void Texto(std::string_view linha) { linhas_.emplace_back(linha); }
    void FlagMaiusculo(bool v) { linhas_.push_back(TextoFlagMaiusculo(v)); }
    void FlagMisto(bool v) { linhas_.push_back(TextoFlagMisto(v)); }
    // The 23-character scientific real.
    void Real(double x);
    // Str(x:w:d).
    void Fixo(double x, int w, int d);
    void Inteiro(long long n) { linhas_.push_back(std::to_string(n)); }
    void Cor(std::uint32_t cor) { linhas_.push_back(TextoCor(cor)); }
    // A language pair kept under chave (see ParesIdioma).
    void Par(std::string_view chave, std::string_view atual) { Texto(ValorPar(chave, atual)); }

    // The pairs kept at the load, and the language the texts are shown in.
    void UsaPares(const ParesIdioma* pares, bool ingles) {
        pares_ = pares;
        ingles_ = ingles;
    }
    std::string ValorPar(std::string_view chave, std::string_view atual) const {
        return pares_ ? pares_->Valor(chave, atual, ingles_) : std::string(atual);
    }

    const std::vector<std::string>& linhas() const { return linhas_; }

private:
    std::vector<std::string> linhas_;
    const ParesIdioma* pares_ = nullptr;
    bool ingles_ = false;
};

// ---- Reader ----------------------------------------------------------------

// Reads lines strictly by position. Past the last line it yields empty lines,
// so a truncated file reads as one whose remaining lines are empty. Every
// typed read takes the next line and may skip its first characters (the
// prefix and key of a record line).
class LeitorLinhas {
public:
    LeitorLinhas(std::vector<std::string> linhas, std::string arquivo, bool ingles);

    std::string Proxima();
    // 1-based number of the line read last (0 before the first read); keeps
    // counting past the end.
    int linha() const { return linha_; }
    // The line read last lay past the end of the file.
    bool AlemDoFim() const { return static_cast<std::size_t>(linha_) > linhas_.size(); }
    // Number of lines the file holds.
    std::size_t numLinhas() const { return linhas_.size(); }
    bool ingles() const { return ingles_; }
    const std::string& arquivo() const { return arquivo_; }

    std::string Texto(std::size_t pular = 0);
    // The text of the interface language; the whole pair is kept under chave
    // when pairs are kept.
    std::string Par(std::size_t pular = 0, std::string_view chave = {});
    void GuardaPares(ParesIdioma* pares) { pares_ = pares; }
    bool FlagMaiusculo(std::size_t pular = 0);
    bool FlagMisto(std::size_t pular = 0);
    // Standard conversion; a malformed number is not reported.
    double Real(std::size_t pular = 0);
    // Throws ErroLeitura on anything but an integer that fits in int.
    int InteiroEstrito(std::size_t pular = 0);
    // Leading blanks skipped, the digits up to the first other character
    // count, nothing well-formed reads 0; the result is bounded to int.
    int InteiroLeniente(std::size_t pular = 0);
    // List indexes are strict integers.
    int IndiceLista(std::size_t pular = 0) { return InteiroEstrito(pular); }
    // Throws ErroLeitura on a text that is not a colour.
    std::uint32_t Cor(std::size_t pular = 0);

    // Raises the conversion error for the line read last.
    [[noreturn]] void Falha(std::string_view texto, ErroLeitura::Tipo tipo) const;

private:
    std::vector<std::string> linhas_;
    std::string arquivo_;
    bool ingles_;
    int linha_ = 0;
    ParesIdioma* pares_ = nullptr;
};

// ---- Record lines ----------------------------------------------------------

// The key of the language pair on line kk of a record: the line number tells
// apart the fields that share a key (the generator bank's "").
std::string ChavePar(std::string_view contexto, int kk, std::string_view chave);

// Writes the numbered key lines of one record: prefix + kk + "} " + key +
// value, kk counting from 01. The prefix is everything up to the line number,
// such as "{C01/" or "{R/".
class EscritorRegistro {
public:
    // contexto: the key prefix of the record's language pairs
    // (ContextoPares).
    EscritorRegistro(EscritorLinhas& w, std::string prefixo, std::string contexto = {})
        : w_(w), prefixo_(std::move(prefixo)), contexto_(std::move(contexto)) {}

    void Texto(std::string_view chave, std::string_view valor);
    void Par(std::string_view chave, std::string_view atual);
    void FlagMisto(std::string_view chave, bool v) { Texto(chave, TextoFlagMisto(v)); }
    void Inteiro(std::string_view chave, long long n) { Texto(chave, std::to_string(n)); }
    // The 4:2 real of the dynamic state.
    void Fixo42(std::string_view chave, double x);

private:
    EscritorLinhas& w_;
    std::string prefixo_;
    std::string contexto_;
    int kk_ = 0;
};

// Reads the key lines of one record by position: the value starts after the
// prefix (of a fixed number of characters), one blank and the key, none of
// which are compared.
class LeitorRegistro {
public:
    LeitorRegistro(LeitorLinhas& r, std::size_t tamPrefixo, std::string contexto = {})
        : r_(r), tam_(tamPrefixo), contexto_(std::move(contexto)) {}

    std::string Texto(std::string_view chave) { return r_.Texto(Pula(chave)); }
    std::string Par(std::string_view chave) {
        const std::size_t pular = Pula(chave);
        return r_.Par(pular, ChavePar(contexto_, kk_, chave));
    }
    bool FlagMisto(std::string_view chave) { return r_.FlagMisto(Pula(chave)); }
    double Real(std::string_view chave) { return r_.Real(Pula(chave)); }
    int Estrito(std::string_view chave) { return r_.InteiroEstrito(Pula(chave)); }
    int Leniente(std::string_view chave) { return r_.InteiroLeniente(Pula(chave)); }

private:
    std::size_t Pula(std::string_view chave) {
        ++kk_;
        return tam_ + 1 + NumCaracteres(chave);
    }
    LeitorLinhas& r_;
    std::size_t tam_;
    std::string contexto_;
    int kk_ = 0;  // the record's line read last, from 1
};

// A list or radio-group index as the model keeps it: an index outside the
// list's items selects nothing (-1).
constexpr int IndiceNaLista(int indice, int numItens) { return indice >= 0 && indice < numItens ? indice : -1; }

// Two digits with a leading zero below 10 ("01", "10"); larger numbers as they
// are.
std::string DoisDigitos(int n);

}  // namespace kivo
