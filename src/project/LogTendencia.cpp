#include "project/LogTendencia.h"

#include <array>
#include <cerrno>
#include <limits>
#include <system_error>

#include "core/Cp1252.h"
#include "core/NumberText.h"
#include "core/FileName.h"

namespace kivo {
namespace {

constexpr std::array kPassos{0.1, 0.334, 2.0};
constexpr std::array kCabecalhos{"Tempo (0.100 seg);", "Tempo (0.334 seg);", "Tempo (2 seg);"};

std::size_t Base(int baseTempo) { return static_cast<std::size_t>(baseTempo < 0 || baseTempo > 2 ? 0 : baseTempo); }

// The decimal comma replaces the point of a field.
std::string Campo(double x, bool virgula) {
    std::string s = FormataFixo(x, 3, 2);
    if (virgula)
        if (const auto p = s.find('.'); p != std::string::npos) s[p] = ',';
    return s;
}

std::filesystem::path CaminhoUtf8(const std::string& texto) {
    return std::filesystem::path(std::u8string(texto.begin(), texto.end()));
}

}  // namespace

std::string LogTendencia::NomeArquivo(const std::string& tag, int k) {
    return SemCaracteresProibidos(tag) + "_" + std::to_string(k) + ".txt";
}

std::string LogTendencia::Cabecalho(int baseTempo, const std::string& nome1, const std::string& nome2,
                                    const std::string& nome3) {
    return kCabecalhos[Base(baseTempo)] + nome1 + ";" + nome2 + ";" + nome3;
}

std::string LogTendencia::Linha(double tempo, double v1, double v2, double v3, bool virgula) {
    return Campo(tempo, virgula) + ';' + Campo(v1, virgula) + ';' + Campo(v2, virgula) + ';' + Campo(v3, virgula);
}

std::string LogTendencia::nomeArquivo() const {
    const std::u8string n = caminho_.filename().u8string();
    return std::string(n.begin(), n.end());
}

bool LogTendencia::Abre(const std::filesystem::path& pasta, const std::string& tag, int baseTempo,
                        const std::string& nome1, const std::string& nome2, const std::string& nome3) {
    Fecha();
    falha_ = Falha::Nenhuma;
    // Created exclusively: a name taken meanwhile (or one that is a folder
    // or a dangling link) is skipped like any existing file, and no log ever
    // writes over another.
    for (int k = 1; k < std::numeric_limits<int>::max(); ++k) {
        caminho_ = pasta / CaminhoUtf8(NomeArquivo(tag, k));
        errno = 0;
        arquivo_.reset(std::fopen(caminho_.c_str(), "wbx"));
        if (arquivo_) break;
        if (errno != EEXIST) {
            falha_ = Falha::Criar;
            motivo_ = MotivoDoSistema(errno);
            return false;
        }
    }
    if (!arquivo_) return false;
    if (!Grava(Utf8ParaCp1252(Cabecalho(baseTempo, nome1, nome2, nome3)) + "\r\n", Falha::Criar)) {
        // A file without its header is no log: it goes.
        std::error_code ec;
        std::filesystem::remove(caminho_, ec);
        return false;
    }
    passo_ = kPassos[Base(baseTempo)];
    return true;
}

bool LogTendencia::Escreve(double v1, double v2, double v3, bool virgula) {
    if (!arquivo_ || !Grava(Linha(tempo_, v1, v2, v3, virgula) + "\r\n", Falha::Gravar)) return false;
    tempo_ += passo_;
    return true;
}

bool LogTendencia::Grava(const std::string& bytes, Falha falha) {
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), arquivo_.get()) == bytes.size() && std::fflush(arquivo_.get()) == 0)
        return true;
    falha_ = falha;
    motivo_ = MotivoDoSistema(errno);
    arquivo_.reset();
    return false;
}

void LogTendencia::Fecha() { arquivo_.reset(); }

std::string LogTendencia::Erro(bool ingles) const {
    const std::string nome = "\"" + caminho_.string() + "\"";
    const std::string& motivo = ingles ? motivo_.en : motivo_.pt;
    switch (falha_) {
        case Falha::Criar:
            return (ingles ? "Could not create the file " : "Não foi possível criar o arquivo ") + nome + ": " +
                   motivo;
        case Falha::Gravar:
            return ingles ? "Could not write to the file " + nome + ": " + motivo + ". Logging has stopped."
                          : "Não foi possível gravar no arquivo " + nome + ": " + motivo + ". O registro foi encerrado.";
        case Falha::Nenhuma:
            break;
    }
    return {};
}

}  // namespace kivo
