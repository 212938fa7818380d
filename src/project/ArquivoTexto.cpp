#include "project/ArquivoTexto.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <system_error>

#include "project/Cp1252.h"

namespace kivo {
namespace {

MotivoFalha MotivoErrno(int e) { return MotivoDoSistema(e); }

struct FechaArquivo {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using Arquivo = std::unique_ptr<std::FILE, FechaArquivo>;

}  // namespace

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
    const std::string nome = caminho.string();
    std::error_code ec;
    if (std::filesystem::is_directory(caminho, ec))
        throw ErroArquivo(ErroArquivo::Operacao::Abrir, nome, {"é uma pasta", "it is a folder"});
    errno = 0;
    Arquivo f(std::fopen(nome.c_str(), "rb"));
    if (!f) throw ErroArquivo(ErroArquivo::Operacao::Abrir, nome, MotivoErrno(errno));
    std::string bytes;
    char buf[1 << 16];
    for (;;) {
        const std::size_t n = std::fread(buf, 1, sizeof buf, f.get());
        bytes.append(buf, n);
        if (bytes.size() > kMaxBytesProjeto)
            throw ErroArquivo(ErroArquivo::Operacao::Tamanho, nome,
                              {"mais de " + std::to_string(kMaxBytesProjeto >> 20) + " MiB",
                               "more than " + std::to_string(kMaxBytesProjeto >> 20) + " MiB"});
        if (n < sizeof buf) break;
    }
    if (std::ferror(f.get())) throw ErroArquivo(ErroArquivo::Operacao::Ler, nome, MotivoErrno(errno));
    return bytes;
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

void GravaAtomico(const std::filesystem::path& destino, std::string_view bytes) {
    namespace fs = std::filesystem;
    const std::string nome = destino.string();
    auto falha = [&](const MotivoFalha& motivo) { throw ErroArquivo(ErroArquivo::Operacao::Gravar, nome, motivo); };

    std::error_code ec;
    if (fs::is_directory(destino, ec)) falha({"é uma pasta", "it is a folder"});

    // A fresh name beside the target, created exclusively so that two saves
    // never share a temporary file.
    fs::path temp;
    Arquivo f;
    for (int n = 0; n < 1000 && !f; ++n) {
        temp = destino;
        temp += ".tmp" + std::to_string(n);
        errno = 0;
        f.reset(std::fopen(temp.string().c_str(), "wbx"));
        if (!f && errno != EEXIST) falha(MotivoErrno(errno));
    }
    if (!f) falha({"não há nome livre para um arquivo temporário", "no free name for a temporary file"});

    auto descarta = [&](const MotivoFalha& motivo) {
        f.reset();
        std::error_code ignorado;
        fs::remove(temp, ignorado);
        falha(motivo);
    };
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), f.get()) != bytes.size()) descarta(MotivoErrno(errno));
    if (std::fflush(f.get()) != 0) descarta(MotivoErrno(errno));
    if (std::fclose(f.release()) != 0) descarta(MotivoErrno(errno));

    // The new file takes the permissions of the one it replaces.
    const auto st = fs::status(destino, ec);
    if (!ec && fs::exists(st)) fs::permissions(temp, st.permissions(), ec);
    fs::rename(temp, destino, ec);
    if (ec) descarta(MotivoErrno(ec.value()));
}

}  // namespace kivo
