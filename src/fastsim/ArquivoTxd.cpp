#include "fastsim/ArquivoTxd.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <system_error>

#include "core/Cp1252.h"
#include "core/FileName.h"
#include "core/Memorias.h"
#include "core/MotivoFalha.h"
#include "core/NumberText.h"
#include "core/RegularFile.h"
#include "fastsim/Progresso.h"
#include "objects/Campos.h"

namespace kivo {

namespace fs = std::filesystem;

namespace {

// Why the system refused a file operation, in the language of the message it
// completes.
std::string Motivo(int e, bool ingles) {
    MotivoFalha m = MotivoDoSistema(e);
    return ingles ? std::move(m.en) : std::move(m.pt);
}

std::string Aspas(const fs::path& p) { return "\"" + p.string() + "\""; }

// What a message quotes from the file: UTF-8, and short enough to read.
std::string Trecho(std::string_view bytes) {
    const std::string u = Cp1252ParaUtf8(bytes);
    const std::string t = CortaTexto(u, 40);
    return "\"" + t + (t.size() < u.size() ? "...\"" : "\"");
}

// The prefix names a visible file in the chosen folder, never another
// folder, that every system the archive is copied to can hold: a leading "."
// (as in "." or "..") would hide it.
void VerificaPrefixo(std::string_view prefixo) {
    const std::string p(prefixo);
    if (prefixo.empty())
        throw ErroTxd("O prefixo do arquivo não pode ser vazio.", "The file name prefix cannot be empty.");
    if (std::any_of(prefixo.begin(), prefixo.end(), CaractereProibido))
        throw ErroTxd("O prefixo do arquivo \"" + p +
                          "\" não pode conter caracteres de controle nem / \\ : * ? \" < > |.",
                      "The file name prefix \"" + p +
                          "\" cannot contain control characters or / \\ : * ? \" < > |.");
    if (prefixo.front() == '.')
        throw ErroTxd("O prefixo do arquivo \"" + p + "\" não pode começar com \".\": o arquivo ficaria oculto.",
                      "The file name prefix \"" + p + "\" cannot begin with \".\": the file would be hidden.");
}

enum class Campo { Numero, NaoNumero, ForaDaFaixa };

// A plain number: outer blanks, an optional sign, digits with an optional
// "." part and an optional exponent, nothing else. A well-formed number
// beyond the range of a double (1e400, or 1e-400) is told apart, since the
// message differs.
Campo ConverteCampo(std::string_view s, double& valor) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    const std::size_t inicio = !s.empty() && s.front() == '-' ? 1 : 0;
    if (s.size() <= inicio || !(s[inicio] == '.' || (s[inicio] >= '0' && s[inicio] <= '9'))) return Campo::NaoNumero;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), valor, std::chars_format::general);
    if (r.ptr != s.data() + s.size()) return Campo::NaoNumero;
    if (r.ec == std::errc::result_out_of_range) return Campo::ForaDaFaixa;
    return r.ec == std::errc{} ? Campo::Numero : Campo::NaoNumero;
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

// Lines of a file read in large blocks; CR LF or LF end a line. Only a
// regular file is read (a device or a pipe could be endless), and never more
// than the caps: a wrong file is refused instead of filling memory.
class LeitorArquivo {
public:
    explicit LeitorArquivo(const fs::path& arquivo) : arquivo_(arquivo) {
        FileRefusal recusa;
        f_ = OpenRegularFile(arquivo, kMaxBytesTxd, recusa);
        if (!f_ && recusa.kind == FileRefusal::Kind::TooLarge) GrandeDemais();
        if (!f_) Falha(recusa.reason.pt, recusa.reason.en);
    }
    LeitorArquivo(const LeitorArquivo&) = delete;
    LeitorArquivo& operator=(const LeitorArquivo&) = delete;

    // The next line without its end; false at the end of the file.
    bool Proxima(std::string& linha) {
        linha.clear();
        ++numero_;
        for (;;) {
            const auto fim = std::find(buf_.begin() + static_cast<std::ptrdiff_t>(pos_),
                                       buf_.begin() + static_cast<std::ptrdiff_t>(tam_), '\n');
            const auto n = static_cast<std::size_t>(fim - buf_.begin()) - pos_;
            if (linha.size() + n > kMaxBytesLinhaTxd + 1) LongaDemais();  // + 1: the CR of a CR LF
            linha.append(buf_.data() + pos_, n);
            pos_ += n;
            if (pos_ < tam_) {
                ++pos_;  // the '\n'
                break;
            }
            errno = 0;
            tam_ = std::fread(buf_.data(), 1, buf_.size(), f_.get());
            pos_ = 0;
            lidos_ += tam_;
            if (lidos_ > kMaxBytesTxd) GrandeDemais();
            if (tam_ == 0) {
                if (std::ferror(f_.get())) {
                    const int e = errno;
                    Falha(Motivo(e, false), Motivo(e, true), "ler", "read");
                }
                if (linha.empty()) return false;
                break;
            }
        }
        if (!linha.empty() && linha.back() == '\r') linha.pop_back();
        if (linha.size() > kMaxBytesLinhaTxd) LongaDemais();
        return true;
    }

private:
    [[noreturn]] void Falha(const std::string& pt, const std::string& en, const char* verboPt = "abrir",
                            const char* verboEn = "open") {
        throw ErroTxd(std::string("Não foi possível ") + verboPt + " " + Aspas(arquivo_) + ": " + pt + ".",
                      std::string("Cannot ") + verboEn + " " + Aspas(arquivo_) + ": " + en + ".");
    }
    [[noreturn]] void GrandeDemais() {
        const std::string mib = std::to_string(kMaxBytesTxd >> 20);
        Falha("o arquivo passa de " + mib + " MiB, o que nenhum arquivo de dados atinge",
              "the file exceeds " + mib + " MiB, which no archive reaches", "ler", "read");
    }
    [[noreturn]] void LongaDemais() {
        const std::string n = std::to_string(numero_);
        const std::string kib = std::to_string(kMaxBytesLinhaTxd >> 10);
        throw ErroTxd("Erro de leitura em " + Aspas(arquivo_) + ", linha " + n + ": a linha passa de " + kib +
                          " KiB, o que nenhuma linha de um arquivo de dados atinge.",
                      "Read error in " + Aspas(arquivo_) + ", line " + n + ": the line exceeds " + kib +
                          " KiB, which no archive line reaches.",
                      numero_);
    }

    fs::path arquivo_;
    FileHandle f_;
    std::array<char, 1 << 16> buf_{};
    std::size_t pos_ = 0;
    std::size_t tam_ = 0;
    std::uintmax_t lidos_ = 0;
    int numero_ = 0;  // of the line being read, from 1
};

// Errors of the content, named by file, line and (where one) field.
class ErrosConteudo {
public:
    explicit ErrosConteudo(const fs::path& arquivo) : arquivo_(arquivo), onde_(Aspas(arquivo)) {}

    [[noreturn]] void Linha(int linha, const std::string& pt, const std::string& en) const {
        const std::string n = std::to_string(linha);
        throw ErroTxd("Erro de leitura em " + onde_ + ", linha " + n + ": " + pt,
                      "Read error in " + onde_ + ", line " + n + ": " + en, linha);
    }
    // Converts field k (from 1) of a line, or throws.
    double Converte(int linha, std::size_t k, std::string_view texto) const {
        double valor = 0;
        const Campo c = ConverteCampo(texto, valor);
        if (c == Campo::Numero) return valor;
        const std::string n = std::to_string(linha);
        const std::string t = Trecho(texto);
        const bool fora = c == Campo::ForaDaFaixa;
        throw ErroTxd("Erro de leitura em " + onde_ + ", linha " + n + ", campo " + std::to_string(k) + ": " + t +
                          (fora ? " está fora da faixa dos números." : " não é um número."),
                      "Read error in " + onde_ + ", line " + n + ", field " + std::to_string(k) + ": " + t +
                          (fora ? " is out of the range of numbers." : " is not a number."),
                      linha);
    }
    [[noreturn]] void Fim(int linha, const std::string& pt, const std::string& en) const {
        throw ErroLeituraTxd(arquivo_, pt, en, linha);
    }

private:
    fs::path arquivo_;
    std::string onde_;
};

}  // namespace

ErroTxd::ErroTxd(std::string portugues, std::string ingles, int linha)
    : std::runtime_error(std::move(ingles)), portugues_(std::move(portugues)), linha_(linha) {}

ErroTxd ErroLeituraTxd(const fs::path& arquivo, const std::string& pt, const std::string& en, int linha) {
    return ErroTxd("Erro de leitura em " + Aspas(arquivo) + ": " + pt, "Read error in " + Aspas(arquivo) + ": " + en,
                   linha);
}

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
            const int e = errno;
            throw ErroTxd("Não foi possível criar o arquivo " + Aspas(caminho_) + ": " + Motivo(e, false) + ".",
                          "Cannot create " + Aspas(caminho_) + ": " + Motivo(e, true) + ".");
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
    throw ErroTxd("Não foi possível gravar o arquivo " + Aspas(caminho_) + ": " + Motivo(erro_, false) +
                      ". O arquivo incompleto foi removido.",
                  "Cannot write " + Aspas(caminho_) + ": " + Motivo(erro_, true) +
                      ". The incomplete file was removed.");
}

void EscritorTxd::Descarta() {
    if (f_) std::fclose(f_);
    f_ = nullptr;
    std::error_code ec;
    fs::remove(caminho_, ec);
}

// ---- Reader -----------------------------------------------------------------

ArquivoTxd LeArquivoTxd(const fs::path& arquivo, ObservadorProgresso* obs,
                        const std::function<void(const LinhaTxd&)>& porLinha) {
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
    r.T = erro.Converte(1, 100, campos[99]);
    r.W = erro.Converte(1, 101, campos[100]);

    const double nLinhas = Arredonda(r.W);
    const std::string anuncio = FormataFixo(nLinhas, 0, 0);
    if (nLinhas < 2)
        erro.Linha(1, "o cabeçalho anuncia " + anuncio + " linhas de dados; os índices precisam de pelo menos duas.",
                   "the header announces " + anuncio + " data lines; the indices need at least two.");

    Progresso progresso(obs);
    // Room for the longest run (4 h, one line a second); a header may
    // announce any number.
    if (!porLinha) r.linhas.reserve(static_cast<std::size_t>(std::min(nLinhas, 14400.0)));
    LinhaTxd valores{};
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
        for (std::size_t k = 1; k <= kVariaveisTxd; ++k) valores[k] = erro.Converte(numLinha, k, campos[k - 1]);
        if (porLinha)
            porLinha(valores);
        else
            r.linhas.push_back(valores);
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
