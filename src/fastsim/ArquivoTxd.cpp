#include "fastsim/ArquivoTxd.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <system_error>

#include "core/Memorias.h"
#include "core/NumberText.h"
#include "fastsim/Progresso.h"
#include "objects/Campos.h"
#include "project/Cp1252.h"

namespace kivo {

namespace fs = std::filesystem;

namespace {

std::string Motivo(int e) { return e != 0 ? std::generic_category().message(e) : std::string("unknown error"); }

std::string Aspas(const fs::path& p) { return "\"" + p.string() + "\""; }

// What a message quotes from the file: UTF-8, and short enough to read.
std::string Trecho(std::string_view bytes) {
    const std::string u = Cp1252ParaUtf8(bytes);
    const std::string t = CortaTexto(u, 40);
    return "\"" + t + (t.size() < u.size() ? "...\"" : "\"");
}

// The prefix names a file in the chosen folder, never another folder.
void VerificaPrefixo(std::string_view prefixo) {
    if (prefixo.find_first_of("/\\") == std::string_view::npos) return;
    const std::string p(prefixo);
    throw ErroTxd("O prefixo do arquivo \"" + p + "\" não pode conter \"/\" nem \"\\\".",
                  "The file name prefix \"" + p + "\" cannot contain \"/\" or \"\\\".");
}

// A plain number: outer blanks, an optional sign, digits with an optional
// "." part and an optional exponent, nothing else.
bool ConverteCampo(std::string_view s, double& valor) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    const std::size_t inicio = !s.empty() && s.front() == '-' ? 1 : 0;
    if (s.size() <= inicio || !(s[inicio] == '.' || (s[inicio] >= '0' && s[inicio] <= '9'))) return false;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), valor, std::chars_format::general);
    return r.ec == std::errc{} && r.ptr == s.data() + s.size();
}

// The fields of a line: field k is the text before the k-th ";". Text after
// the last ";" is no field.
std::size_t DivideCampos(std::string_view linha, std::vector<std::string_view>& campos) {
    campos.clear();
    std::size_t inicio = 0;
    for (std::size_t fim; (fim = linha.find(';', inicio)) != std::string_view::npos; inicio = fim + 1)
        campos.push_back(linha.substr(inicio, fim - inicio));
    return campos.size();
}

// Lines of a file read in large blocks; CR LF or LF end a line.
class LeitorArquivo {
public:
    explicit LeitorArquivo(const fs::path& arquivo) : arquivo_(arquivo) {
        std::error_code ec;
        if (fs::is_directory(arquivo, ec)) Falha("é uma pasta", "it is a folder");
        errno = 0;
        f_ = std::fopen(arquivo.c_str(), "rb");
        if (!f_) Falha(Motivo(errno), Motivo(errno));
    }
    ~LeitorArquivo() {
        if (f_) std::fclose(f_);
    }
    LeitorArquivo(const LeitorArquivo&) = delete;
    LeitorArquivo& operator=(const LeitorArquivo&) = delete;

    // The next line without its end; false at the end of the file.
    bool Proxima(std::string& linha) {
        linha.clear();
        for (;;) {
            const auto fim = std::find(buf_.begin() + static_cast<std::ptrdiff_t>(pos_),
                                       buf_.begin() + static_cast<std::ptrdiff_t>(tam_), '\n');
            const auto n = static_cast<std::size_t>(fim - buf_.begin()) - pos_;
            linha.append(buf_.data() + pos_, n);
            pos_ += n;
            if (pos_ < tam_) {
                ++pos_;  // the '\n'
                break;
            }
            tam_ = std::fread(buf_.data(), 1, buf_.size(), f_);
            pos_ = 0;
            if (tam_ == 0) {
                if (std::ferror(f_)) Falha(Motivo(errno), Motivo(errno), "ler", "read");
                if (linha.empty()) return false;
                break;
            }
        }
        if (!linha.empty() && linha.back() == '\r') linha.pop_back();
        return true;
    }

private:
    [[noreturn]] void Falha(const std::string& pt, const std::string& en, const char* verboPt = "abrir",
                            const char* verboEn = "open") {
        throw ErroTxd(std::string("Não foi possível ") + verboPt + " " + Aspas(arquivo_) + ": " + pt,
                      std::string("Cannot ") + verboEn + " " + Aspas(arquivo_) + ": " + en);
    }

    fs::path arquivo_;
    std::FILE* f_ = nullptr;
    std::array<char, 1 << 16> buf_{};
    std::size_t pos_ = 0;
    std::size_t tam_ = 0;
};

// Errors of the content, named by file, line and (where one) field.
class ErrosConteudo {
public:
    explicit ErrosConteudo(const fs::path& arquivo) : onde_(Aspas(arquivo)) {}

    [[noreturn]] void Linha(int linha, const std::string& pt, const std::string& en) const {
        const std::string n = std::to_string(linha);
        throw ErroTxd("Erro de leitura em " + onde_ + ", linha " + n + ": " + pt,
                      "Read error in " + onde_ + ", line " + n + ": " + en, linha);
    }
    [[noreturn]] void Campo(int linha, std::size_t campo, std::string_view texto) const {
        const std::string n = std::to_string(linha);
        const std::string k = std::to_string(campo);
        const std::string t = Trecho(texto);
        throw ErroTxd("Erro de leitura em " + onde_ + ", linha " + n + ", campo " + k + ": " + t +
                          " não é um número.",
                      "Read error in " + onde_ + ", line " + n + ", field " + k + ": " + t + " is not a number.",
                      linha);
    }
    [[noreturn]] void Fim(int linha, const std::string& pt, const std::string& en) const {
        throw ErroTxd("Erro de leitura em " + onde_ + ": " + pt, "Read error in " + onde_ + ": " + en, linha);
    }

private:
    std::string onde_;
};

}  // namespace

ErroTxd::ErroTxd(std::string portugues, std::string ingles, int linha)
    : std::runtime_error(std::move(ingles)), portugues_(std::move(portugues)), linha_(linha) {}

// ---- Writer -----------------------------------------------------------------

std::string CabecalhoTxd(const Memorias& mem, double T, double W) {
    std::string h;
    for (int k = 1; k <= kVariaveisTxd; ++k) {
        std::string desc = mem.entrada(k).descricao;
        std::replace(desc.begin(), desc.end(), ';', ',');
        h += (k < 10 ? "0" : "") + std::to_string(k) + " " + desc + ";";
    }
    return h + FormataFixo(T, 1, 1) + ";" + FormataFixo(W, 0, 0) + ";";
}

EscritorTxd::EscritorTxd(const fs::path& pasta, std::string_view prefixo, const Memorias& mem, double T, double W) {
    VerificaPrefixo(prefixo);
    for (long long k = 1; !f_; ++k) {
        caminho_ = pasta / (std::string(prefixo) + "_" + std::to_string(k) + ".txd");
        std::error_code ec;
        if (fs::exists(caminho_, ec) || fs::is_symlink(caminho_, ec)) continue;
        // Created exclusively: a file that appeared since the test is skipped,
        // never replaced.
        errno = 0;
        f_ = std::fopen(caminho_.c_str(), "wbx");
        if (!f_ && errno != EEXIST) {
            const std::string m = Motivo(errno);
            throw ErroTxd("Não foi possível criar o arquivo " + Aspas(caminho_) + ": " + m,
                          "Cannot create " + Aspas(caminho_) + ": " + m);
        }
    }
    std::setvbuf(f_, nullptr, _IOFBF, 1 << 16);
    std::string cabecalho = Utf8ParaCp1252(CabecalhoTxd(mem, T, W));
    std::replace_if(cabecalho.begin(), cabecalho.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    Grava(cabecalho + "\r\n");
}

EscritorTxd::~EscritorTxd() {
    if (f_) Descarta();
}

void EscritorTxd::Linha(const Memorias& mem) {
    linha_.clear();
    for (int k = 1; k <= kVariaveisTxd; ++k) {
        FormataFixoEm(campo_, mem[k], 5, 2);
        linha_ += campo_;
        linha_ += ';';
    }
    linha_ += "\r\n";
    Grava(linha_);
}

void EscritorTxd::Grava(std::string_view bytes) {
    if (erro_ != 0) return;
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), f_) != bytes.size()) erro_ = errno != 0 ? errno : EIO;
}

void EscritorTxd::Conclui() {
    errno = 0;
    if (std::fflush(f_) != 0 && erro_ == 0) erro_ = errno != 0 ? errno : EIO;
    if (erro_ == 0) {
        const int r = std::fclose(f_);
        f_ = nullptr;
        if (r == 0) return;
        erro_ = errno != 0 ? errno : EIO;
    }
    Descarta();
    const std::string m = Motivo(erro_);
    throw ErroTxd("Não foi possível gravar o arquivo " + Aspas(caminho_) + ": " + m +
                      ". O arquivo incompleto foi removido.",
                  "Cannot write " + Aspas(caminho_) + ": " + m + ". The incomplete file was removed.");
}

void EscritorTxd::Descarta() {
    if (f_) std::fclose(f_);
    f_ = nullptr;
    std::error_code ec;
    fs::remove(caminho_, ec);
}

// ---- Reader -----------------------------------------------------------------

ArquivoTxd LeArquivoTxd(const fs::path& arquivo, ObservadorProgresso* obs) {
    LeitorArquivo leitor(arquivo);
    const ErrosConteudo erro(arquivo);
    ArquivoTxd r;
    std::string linha;
    std::vector<std::string_view> campos;

    if (!leitor.Proxima(linha))
        erro.Fim(1, "o arquivo está vazio; falta o cabeçalho.", "the file is empty; the header is missing.");
    const std::size_t nCab = DivideCampos(linha, campos);
    if (nCab < kVariaveisTxd + 2)
        erro.Linha(1, "o cabeçalho tem " + std::to_string(nCab) + " campos, e não 101.",
                   "the header holds " + std::to_string(nCab) + " fields instead of 101.");
    if (!ConverteCampo(campos[99], r.T)) erro.Campo(1, 100, campos[99]);
    if (!ConverteCampo(campos[100], r.W)) erro.Campo(1, 101, campos[100]);

    const double nLinhas = Arredonda(r.W);
    const std::string anuncio = FormataFixo(nLinhas, 0, 0);
    if (nLinhas < 2)
        erro.Linha(1, "o cabeçalho anuncia " + anuncio + " linhas de dados; os índices precisam de pelo menos duas.",
                   "the header announces " + anuncio + " data lines; the indices need at least two.");

    Progresso progresso(obs);
    r.linhas.reserve(static_cast<std::size_t>(std::min(nLinhas, 100000.0)));
    for (long long j = 1; static_cast<double>(j) <= nLinhas; ++j) {
        progresso.Informa(static_cast<int>(Arredonda(100.0 * static_cast<double>(j - 1) / r.W)));
        const int numLinha = static_cast<int>(std::min<long long>(j + 1, 2147483647));
        if (!leitor.Proxima(linha))
            erro.Fim(numLinha, "o arquivo termina antes da linha " + std::to_string(numLinha) +
                                   "; o cabeçalho anuncia " + anuncio + " linhas de dados.",
                     "the file ends before line " + std::to_string(numLinha) + "; the header announces " + anuncio +
                         " data lines.");
        const std::size_t n = DivideCampos(linha, campos);
        if (n < kVariaveisTxd)
            erro.Linha(numLinha, "a linha tem " + std::to_string(n) + " campos, e não 99.",
                       "the line holds " + std::to_string(n) + " fields instead of 99.");
        auto& valores = r.linhas.emplace_back();
        valores[0] = 0;
        for (std::size_t k = 1; k <= kVariaveisTxd; ++k)
            if (!ConverteCampo(campos[k - 1], valores[k])) erro.Campo(numLinha, k, campos[k - 1]);
    }
    return r;
}

std::vector<std::string> ListaArquivosTxd(const fs::path& pasta) {
    std::vector<std::string> nomes;
    std::error_code ec;
    for (fs::directory_iterator it(pasta, ec), fim; !ec && it != fim; it.increment(ec)) {
        const fs::path& p = it->path();
        std::error_code ec2;
        if (p.extension() == ".txd" && it->is_regular_file(ec2)) nomes.push_back(p.stem().string());
    }
    std::sort(nomes.begin(), nomes.end());
    return nomes;
}

}  // namespace kivo
