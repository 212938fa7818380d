// Line reader and writer of the project records.
#include "core/Registro.h"

#include <algorithm>
#include <charconv>
#include <climits>

#include "core/NumberText.h"

namespace kivo {
namespace {

struct CorNomeada {
    const char* nome;
    std::uint32_t valor;
};

// The named colours; a value is written under the first name that has it.
constexpr CorNomeada kCores[] = {
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
    {"clNone", kCorNenhuma},
    {"clDefault", kCorPadrao},
};

char Minuscula(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool IguaisSemCaixa(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Minuscula(a[i]) != Minuscula(b[i])) return false;
    return true;
}

std::string_view SemBrancos(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// The text as a message shows it: a long line by its beginning only, control
// characters as "?".
std::string Resumo(std::string_view texto) {
    constexpr std::size_t kMax = 60;
    std::string s(texto);
    if (NumCaracteres(texto) > kMax) s = std::string(texto.substr(0, texto.size() - AposCaracteres(texto, kMax).size())) + "...";
    for (char& c : s)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return s;
}

}  // namespace

std::string TextoFlagMaiusculo(bool v) { return v ? "TRUE" : "FALSE"; }
std::string TextoFlagMisto(bool v) { return v ? "True" : "False"; }
bool LeFlagMaiusculo(std::string_view linha) { return linha == "TRUE"; }
bool LeFlagMisto(std::string_view linha) { return linha == "True"; }

std::string TextoCor(std::uint32_t cor) {
    for (const auto& c : kCores)
        if (c.valor == cor) return c.nome;
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string s = "$";
    for (int i = 7; i >= 0; --i) s += kHex[(cor >> (4 * i)) & 0xF];
    return s;
}

bool ConverteCor(std::string_view texto, std::uint32_t& cor) {
    const std::string_view s = SemBrancos(texto);
    if (s.empty()) return false;
    for (const auto& c : kCores) {
        if (IguaisSemCaixa(s, c.nome)) {
            cor = c.valor;
            return true;
        }
    }
    const char* fim = s.data() + s.size();
    if (s[0] == '$') {
        if (s.size() < 2 || s.size() > 9) return false;
        std::uint32_t v = 0;
        const auto res = std::from_chars(s.data() + 1, fim, v, 16);
        if (res.ec != std::errc{} || res.ptr != fim) return false;
        cor = v;
        return true;
    }
    long long v = 0;
    const auto res = std::from_chars(s.data(), fim, v);
    if (res.ec != std::errc{} || res.ptr != fim) return false;
    if (v < INT32_MIN || v > static_cast<long long>(UINT32_MAX)) return false;
    cor = static_cast<std::uint32_t>(v);
    return true;
}

std::string_view ParIdioma(std::string_view linha, bool ingles) {
    const std::size_t p = linha.find('|');
    if (p == std::string_view::npos) return linha;
    return ingles ? linha.substr(p + 1) : linha.substr(0, p);
}

std::size_t NumCaracteres(std::string_view texto) {
    std::size_t n = 0;
    for (const char c : texto)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

std::string_view AposCaracteres(std::string_view texto, std::size_t n) {
    std::size_t i = 0;
    while (n > 0 && i < texto.size()) {
        ++i;
        while (i < texto.size() && (static_cast<unsigned char>(texto[i]) & 0xC0) == 0x80) ++i;
        --n;
    }
    return texto.substr(i);
}

std::string DoisDigitos(int n) { return (n >= 0 && n < 10 ? "0" : "") + std::to_string(n); }

// ---- Errors ----------------------------------------------------------------

namespace {

std::string MontaMensagem(const std::string& arquivo, int linha, const std::string& texto,
                          ErroLeitura::Tipo tipo, bool alemDoFim, bool ingles) {
    const std::string n = std::to_string(linha);
    const bool inteiro = tipo == ErroLeitura::Tipo::Inteiro;
    if (ingles) {
        const std::string onde = "Read error in \"" + arquivo + "\"";
        if (alemDoFim)
            return onde + ": the file ends before line " + n + ", which must hold " +
                   (inteiro ? "an integer." : "a colour.");
        return onde + ", line " + n + ": \"" + texto + "\" is not a valid " + (inteiro ? "integer." : "colour.");
    }
    const std::string onde = "Erro de leitura em \"" + arquivo + "\"";
    if (alemDoFim)
        return onde + ": o arquivo termina antes da linha " + n + ", que deve conter " +
               (inteiro ? "um número inteiro." : "uma cor.");
    return onde + ", linha " + n + ": \"" + texto + "\" não é " +
           (inteiro ? "um número inteiro válido." : "uma cor válida.");
}

}  // namespace

ErroLeitura::ErroLeitura(std::string arquivo, int linha, std::string texto, Tipo tipo, bool alemDoFim)
    : std::runtime_error(MontaMensagem(arquivo, linha, Resumo(texto), tipo, alemDoFim, true)),
      arquivo_(std::move(arquivo)),
      linha_(linha),
      texto_(Resumo(texto)),
      tipo_(tipo),
      alemDoFim_(alemDoFim) {}

std::string ErroLeitura::Mensagem(bool ingles) const {
    return MontaMensagem(arquivo_, linha_, texto_, tipo_, alemDoFim_, ingles);
}

// ---- Writer ----------------------------------------------------------------

void EscritorLinhas::Real(double x) { linhas_.push_back(TextoNumero(x)); }
void EscritorLinhas::Fixo(double x, int w, int d) { linhas_.push_back(FormataFixo(x, w, d)); }

void EscritorRegistro::Texto(std::string_view chave, std::string_view valor) {
    ++kk_;
    std::string linha = prefixo_;
    linha += DoisDigitos(kk_);
    linha += "} ";
    linha += chave;
    linha += valor;
    w_.Texto(linha);
}

void EscritorRegistro::Par(std::string_view chave, std::string_view atual) {
    Texto(chave, w_.ValorPar(ChavePar(contexto_, kk_ + 1, chave), atual));
}

void EscritorRegistro::Fixo42(std::string_view chave, double x) { Texto(chave, FormataFixo(x, 4, 2)); }

// ---- Reader ----------------------------------------------------------------

LeitorLinhas::LeitorLinhas(std::vector<std::string> linhas, std::string arquivo, bool ingles)
    : linhas_(std::move(linhas)), arquivo_(std::move(arquivo)), ingles_(ingles) {}

std::string LeitorLinhas::Proxima() {
    const auto i = static_cast<std::size_t>(linha_);
    if (linha_ < INT_MAX) ++linha_;
    return i < linhas_.size() ? linhas_[i] : std::string();
}

std::string LeitorLinhas::Texto(std::size_t pular) {
    const std::string linha = Proxima();
    return std::string(AposCaracteres(linha, pular));
}

std::string LeitorLinhas::Par(std::size_t pular, std::string_view chave) {
    std::string bruto = Texto(pular);
    std::string texto(ParIdioma(bruto, ingles_));
    if (pares_ && !chave.empty()) pares_->Guarda(std::string(chave), std::move(bruto));
    return texto;
}

// ---- Language pairs ----------------------------------------------------------

std::string JuntaPar(std::string_view bruto, std::string_view atual, bool ingles) {
    // An empty line held no text to keep (a title is then the file's name).
    if (bruto.empty()) return std::string(atual);
    if (ParIdioma(bruto, ingles) == atual) return std::string(bruto);
    std::string pt(ParIdioma(bruto, false)), en(ParIdioma(bruto, true));
    (ingles ? en : pt) = atual;
    return pt == en ? pt : pt + "|" + en;
}

std::string ParesIdioma::Valor(std::string_view chave, std::string_view atual, bool ingles) const {
    const auto it = brutos_.find(chave);
    return it == brutos_.end() ? std::string(atual) : JuntaPar(it->second, atual, ingles);
}

void ParesIdioma::Esquece(std::string_view prefixo) {
    auto it = brutos_.lower_bound(prefixo);
    while (it != brutos_.end() && it->first.compare(0, prefixo.size(), prefixo) == 0) it = brutos_.erase(it);
}

std::string ContextoPares(char familia, int n) { return std::string(1, familia) + std::to_string(n) + "/"; }

std::string ChavePar(std::string_view contexto, int kk, std::string_view chave) {
    return std::string(contexto) + DoisDigitos(kk) + std::string(chave);
}
bool LeitorLinhas::FlagMaiusculo(std::size_t pular) { return LeFlagMaiusculo(Texto(pular)); }
bool LeitorLinhas::FlagMisto(std::size_t pular) { return LeFlagMisto(Texto(pular)); }
double LeitorLinhas::Real(std::size_t pular) { return ConverteReal(Texto(pular)); }

int LeitorLinhas::InteiroEstrito(std::size_t pular) {
    const std::string t = Texto(pular);
    int v = 0;
    if (!ConverteInteiroEstrito(t, v)) Falha(t, ErroLeitura::Tipo::Inteiro);
    return v;
}

int LeitorLinhas::InteiroLeniente(std::size_t pular) {
    const long long v = ConverteInteiroLeniente(Texto(pular));
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

std::uint32_t LeitorLinhas::Cor(std::size_t pular) {
    const std::string t = Texto(pular);
    std::uint32_t c = 0;
    if (!ConverteCor(t, c)) Falha(t, ErroLeitura::Tipo::Cor);
    return c;
}

void LeitorLinhas::Falha(std::string_view texto, ErroLeitura::Tipo tipo) const {
    throw ErroLeitura(arquivo_, linha_, std::string(texto), tipo, AlemDoFim());
}

}  // namespace kivo
