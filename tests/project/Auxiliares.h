#pragma once
// Helpers shared by the project file tests: the fixture, loading from lines,
// and editing a file's lines by content.
#include <gtest/gtest.h>

#include <algorithm>
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

}  // namespace kivo::teste
