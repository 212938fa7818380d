#include "project/ArquivoTexto.h"

#include "core/Cp1252.h"
#include "core/RegularFile.h"

namespace kivo {
namespace {

std::string MontaMensagem(ErroArquivo::Operacao op, const std::string& arquivo, const MotivoFalha& motivos,
                          bool ingles) {
    const std::string nome = "\"" + arquivo + "\"";
    const std::string& motivo = ingles ? motivos.en : motivos.pt;
    switch (op) {
        case ErroArquivo::Operacao::Abrir:
            return (ingles ? "Cannot open " : "Não foi possível abrir ") + nome + ": " + motivo;
        case ErroArquivo::Operacao::Ler:
            return (ingles ? "Cannot read " : "Não foi possível ler ") + nome + ": " + motivo;
        case ErroArquivo::Operacao::Gravar:
            return (ingles ? "Cannot save " : "Não foi possível salvar ") + nome + ": " + motivo;
        case ErroArquivo::Operacao::Tamanho:
            return ingles ? nome + " is too large to be a project file (" + motivo + ")."
                          : nome + " é grande demais para ser um arquivo de projeto (" + motivo + ").";
    }
    return motivo;
}

}  // namespace

ErroArquivo::ErroArquivo(Operacao op, std::string arquivo, MotivoFalha motivo)
    : std::runtime_error(MontaMensagem(op, arquivo, motivo, true)),
      op_(op),
      arquivo_(std::move(arquivo)),
      motivo_(std::move(motivo)) {}

std::string ErroArquivo::Mensagem(bool ingles) const { return MontaMensagem(op_, arquivo_, motivo_, ingles); }

std::vector<std::string> DivideLinhas(std::string_view bytes) {
    const std::size_t fim = bytes.find('\x1A');
    if (fim != std::string_view::npos) bytes = bytes.substr(0, fim);
    std::vector<std::string> linhas;
    std::string atual;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\n') {
            linhas.push_back(Cp1252ParaUtf8(atual));
            atual.clear();
        } else if (c == '\r') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                linhas.push_back(Cp1252ParaUtf8(atual));
                atual.clear();
                ++i;
            }
        } else {
            atual += c;
        }
    }
    if (!atual.empty()) linhas.push_back(Cp1252ParaUtf8(atual));
    return linhas;
}

std::string LeBytes(const std::filesystem::path& caminho) {
    FileRefusal recusa;
    if (auto bytes = ReadRegularFile(caminho, kMaxBytesProjeto, recusa)) return std::move(*bytes);
    using Op = ErroArquivo::Operacao;
    const Op op = recusa.kind == FileRefusal::Kind::TooLarge ? Op::Tamanho
                  : recusa.kind == FileRefusal::Kind::Read   ? Op::Ler
                                                             : Op::Abrir;
    throw ErroArquivo(op, caminho.string(), recusa.reason);
}

std::string JuntaLinhas(const std::vector<std::string>& linhas, std::size_t* naoRepresentaveis) {
    std::string bytes;
    std::size_t total = 0;
    for (const auto& l : linhas) {
        std::size_t n = 0;
        std::string linha = Utf8ParaCp1252(l, &n);
        total += n;
        for (char& c : linha)
            if (c == '\r' || c == '\n' || c == '\x1A') c = ' ';
        bytes += linha;
        bytes += "\r\n";
    }
    if (naoRepresentaveis) *naoRepresentaveis = total;
    return bytes;
}


}  // namespace kivo
