#pragma once
// Helpers shared by the project file tests: the fixture, loading from lines,
// editing a file's lines by content, and looking at what a save left.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "project/ArquivoProjeto.h"
#include "project/ArquivoTexto.h"

namespace kivo::teste {

inline std::string LeFixture(const std::string& nome) {
    std::ifstream f(std::string(KIVO_TEST_DIR) + "/fixtures/" + nome, std::ios::binary);
    EXPECT_TRUE(f.good()) << nome;
    return std::string(std::istreambuf_iterator<char>(f), {});
}

// A file of the example plants, by its path under examples/.
inline std::string LeExemplo(const std::string& caminho) {
    std::ifstream f(std::string(KIVO_EXAMPLES_DIR) + "/" + caminho, std::ios::binary);
    EXPECT_TRUE(f.good()) << caminho;
    return std::string(std::istreambuf_iterator<char>(f), {});
}

inline std::vector<std::string> LinhasFixture(const std::string& nome) { return DivideLinhas(LeFixture(nome)); }

inline ResultadoCarga Carrega(Projeto& p, const std::vector<std::string>& linhas, const std::string& nome = "teste.smp",
                              ObservadorCarga* obs = nullptr) {
    OpcoesCarga op;
    op.observador = obs;
    return LeProjetoBytes(p, JuntaLinhas(linhas), nome, op);
}

// Index of the first line equal to texto, counting from 0.
inline std::size_t Indice(const std::vector<std::string>& linhas, const std::string& texto) {
    const auto it = std::find(linhas.begin(), linhas.end(), texto);
    EXPECT_NE(it, linhas.end()) << texto;
    return static_cast<std::size_t>(it - linhas.begin());
}

// Replaces the first line equal to antes.
inline std::vector<std::string> Troca(std::vector<std::string> linhas, const std::string& antes,
                                      const std::string& depois) {
    linhas[Indice(linhas, antes)] = depois;
    return linhas;
}

inline std::string Conteudo(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

// What the system says of a path itself (a link is not followed).
inline struct stat Estado(const std::filesystem::path& p) {
    struct stat st {};
    EXPECT_EQ(lstat(p.c_str(), &st), 0) << p;
    return st;
}

// Names in the folder that a save uses for its temporary files.
inline std::vector<std::string> Temporarios(const std::filesystem::path& pasta) {
    std::vector<std::string> nomes;
    for (const auto& e : std::filesystem::directory_iterator(pasta)) {
        const std::string nome = e.path().filename().string();
        if (nome.find(".kivo-save-") != std::string::npos) nomes.push_back(nome);
    }
    std::sort(nomes.begin(), nomes.end());
    return nomes;
}

}  // namespace kivo::teste
