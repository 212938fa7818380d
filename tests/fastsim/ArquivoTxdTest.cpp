#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "../project/TempDir.h"
#include "Auxiliares.h"
#include "core/Memorias.h"
#include "fastsim/ArquivoTxd.h"
#include "fastsim/Progresso.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;
using teste::GravaTudo;
using teste::LeTudo;

// An archive of n data lines written through the writer, M(k) = k + j / 100
// in data line j.
fs::path Escreve(const fs::path& pasta, int n, const std::string& prefixo = "t") {
    Memorias mem;
    EscritorTxd w(pasta, prefixo, mem, 1.0, n);
    for (int j = 1; j <= n; ++j) {
        for (int k = 1; k <= 99; ++k) mem[k] = k + j / 100.0;
        w.Linha(mem);
    }
    w.Conclui();
    return w.caminho();
}

std::vector<std::string> Linhas(const std::string& bytes) {
    std::vector<std::string> r;
    std::size_t i = 0;
    for (std::size_t f; (f = bytes.find("\r\n", i)) != std::string::npos; i = f + 2) r.push_back(bytes.substr(i, f - i));
    EXPECT_EQ(i, bytes.size()) << "every line ends with CR LF";
    return r;
}

TEST(EscritorTxdTest, HeaderAndDataLinesByteForByte) {
    TempDir dir;
    Memorias mem;
    mem.setDescricao(1, "Saída; válvula");
    mem.setDescricao(21, "Vazão");
    mem[1] = 12.345;
    mem[2] = -0.004;
    mem[21] = 100;
    mem[99] = 1234.5;
    fs::path arquivo;
    {
        EscritorTxd w(dir.path(), "Planta", mem, 0.5, 7200);
        w.Linha(mem);
        w.Conclui();
        arquivo = w.caminho();
    }
    EXPECT_EQ(arquivo, dir.path() / "Planta_1.txd");
    const auto linhas = Linhas(LeTudo(arquivo));
    ASSERT_EQ(linhas.size(), 2u);

    const std::string& h = linhas[0];
    // Windows-1252: "í" is one byte; the ";" of the description became ",".
    EXPECT_EQ(h.substr(0, 21), "01 Sa\xED" "da, v\xE1lvula;02 ");
    EXPECT_NE(h.find(";21 Vaz\xE3o;22 "), std::string::npos);
    EXPECT_EQ(h.substr(h.size() - 10), ";0.5;7200;");
    EXPECT_EQ(std::count(h.begin(), h.end(), ';'), 101);

    const std::string& d = linhas[1];
    EXPECT_EQ(d.substr(0, 12), "12.35; 0.00;") << "two decimals, width 5, no negative zero";
    EXPECT_NE(d.find(";100.00;"), std::string::npos);
    EXPECT_EQ(d.substr(d.size() - 9), ";1234.50;");
    EXPECT_EQ(std::count(d.begin(), d.end(), ';'), 99);
}

TEST(EscritorTxdTest, SampleTimeHasOneDecimal) {
    Memorias mem;
    for (const auto& [T, texto] : {std::pair{0.1, ";0.1;"}, {0.2, ";0.2;"}, {0.5, ";0.5;"}, {1.0, ";1.0;"}}) {
        const std::string h = CabecalhoTxd(mem, T, 1800);
        EXPECT_EQ(h.substr(h.size() - 10), std::string(texto) + "1800;") << T;
    }
}

TEST(EscritorTxdTest, TakesTheSmallestFreeNumberAndNeverReplacesAFile) {
    TempDir dir;
    EXPECT_EQ(Escreve(dir.path(), 2).filename(), "t_1.txd");
    EXPECT_EQ(Escreve(dir.path(), 2).filename(), "t_2.txd");
    GravaTudo(dir.path() / "t_4.txd", "mine");
    fs::remove(dir.path() / "t_1.txd");
    EXPECT_EQ(Escreve(dir.path(), 2).filename(), "t_1.txd");
    EXPECT_EQ(Escreve(dir.path(), 2).filename(), "t_3.txd");
    EXPECT_EQ(Escreve(dir.path(), 2).filename(), "t_5.txd");
    EXPECT_EQ(LeTudo(dir.path() / "t_4.txd"), "mine");
}

TEST(EscritorTxdTest, AFileThatCannotBeCreatedIsReportedWithItsName) {
    TempDir dir;
    Memorias mem;
    try {
        EscritorTxd w(dir.path() / "falta", "x", mem, 0.1, 1800);
        FAIL() << "created in a missing folder";
    } catch (const ErroTxd& e) {
        EXPECT_NE(e.Mensagem(false).find("Não foi possível criar o arquivo \"" + (dir.path() / "falta" / "x_1.txd").string() + "\""),
                  std::string::npos)
            << e.Mensagem(false);
        EXPECT_NE(std::string(e.what()).find("Cannot create"), std::string::npos);
    }
    try {
        EscritorTxd w(dir.path(), "../x", mem, 0.1, 1800);
        FAIL() << "a prefix with a folder part";
    } catch (const ErroTxd& e) {
        EXPECT_NE(std::string(e.what()).find("cannot contain"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(EscritorTxdTest, AnUnfinishedArchiveIsRemoved) {
    TempDir dir;
    Memorias mem;
    {
        EscritorTxd w(dir.path(), "x", mem, 0.1, 1800);
        w.Linha(mem);
    }
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(EscritorTxdTest, AFailedWriteRemovesTheFileAndSaysSo) {
    TempDir dir;
    std::optional<ErroTxd> erro;
    {
        const teste::LimiteTamanhoArquivo limite(4096);
        Memorias mem;
        EscritorTxd w(dir.path(), "x", mem, 0.1, 1800);
        for (int j = 0; j < 50; ++j) w.Linha(mem);
        try {
            w.Conclui();
        } catch (const ErroTxd& e) {
            erro = e;
        }
    }
    ASSERT_TRUE(erro) << "a write beyond the limit reported as success";
    const std::string nome = "\"" + (dir.path() / "x_1.txd").string() + "\"";
    EXPECT_EQ(std::string(erro->what()).find("Cannot write " + nome), 0u) << erro->what();
    EXPECT_NE(std::string(erro->what()).find("The incomplete file was removed."), std::string::npos);
    EXPECT_EQ(erro->Mensagem(false).find("Não foi possível gravar o arquivo " + nome), 0u);
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(LeArquivoTxdTest, ReadsWhatTheWriterWrote) {
    TempDir dir;
    const fs::path p = Escreve(dir.path(), 3);
    const ArquivoTxd a = LeArquivoTxd(p);
    EXPECT_DOUBLE_EQ(a.T, 1.0);
    EXPECT_DOUBLE_EQ(a.W, 3);
    ASSERT_EQ(a.linhas.size(), 3u);
    EXPECT_DOUBLE_EQ(a.linhas[0][0], 0) << "M0 reads 0";
    EXPECT_DOUBLE_EQ(a.linhas[0][1], 1.01);
    EXPECT_DOUBLE_EQ(a.linhas[2][99], 99.03);
}

TEST(LeArquivoTxdTest, ReadsExactlyTheAnnouncedLinesWhateverTheLineEnds) {
    TempDir dir;
    std::string bytes = LeTudo(Escreve(dir.path(), 4));
    // The header announces 2.4 seconds: Nearest gives 2 lines; the rest is ignored.
    bytes.replace(bytes.find(";4;\r\n"), 5, ";2.4;\r\n");
    std::string lf;
    for (char c : bytes)
        if (c != '\r') lf += c;
    GravaTudo(dir.path() / "lf.txd", lf);
    const ArquivoTxd a = LeArquivoTxd(dir.path() / "lf.txd");
    ASSERT_EQ(a.linhas.size(), 2u);
    EXPECT_DOUBLE_EQ(a.linhas[1][5], 5.02);
}

TEST(LeArquivoTxdTest, BadFilesNameTheFileAndTheLine) {
    TempDir dir;
    const std::string bom = LeTudo(Escreve(dir.path(), 3));
    const std::size_t fimCabecalho = bom.find("\r\n") + 2;
    const std::size_t fimLinha2 = bom.find("\r\n", fimCabecalho) + 2;
    auto trocaPrimeiro = [&](std::string s, const std::string& antes, const std::string& depois, std::size_t de = 0) {
        s.replace(s.find(antes, de), antes.size(), depois);
        return s;
    };
    const struct {
        const char* nome;
        std::string bytes;
        int linha;
        const char* mensagem;  // English
    } casos[] = {
        {"vazio", "", 1, "the file is empty; the header is missing."},
        {"cabecalho_curto", trocaPrimeiro(bom, ";1.0;3;", ";1.0;3"), 1, "line 1: the header holds 100 fields instead of 101."},
        {"janela_texto", trocaPrimeiro(bom, ";1.0;3;", ";1.0;tres;"), 1, "line 1, field 101: \"tres\" is not a number."},
        {"passo_virgula", trocaPrimeiro(bom, ";1.0;3;", ";1,0;3;"), 1, "line 1, field 100: \"1,0\" is not a number."},
        {"um_ponto", trocaPrimeiro(bom, ";1.0;3;", ";1.0;1;"), 1,
         "line 1: the header announces 1 data lines; the indices need at least two."},
        {"curto", bom.substr(0, fimLinha2), 3, "the file ends before line 3; the header announces 3 data lines."},
        {"campo_texto", trocaPrimeiro(bom, "21.02;", "abc;", fimLinha2), 3, "line 3, field 21: \"abc\" is not a number."},
        {"campo_vazio", trocaPrimeiro(bom, "21.01;", ";", fimCabecalho), 2, "line 2, field 21: \"\" is not a number."},
        {"campo_nan", trocaPrimeiro(bom, "21.01;", "nan;", fimCabecalho), 2, "line 2, field 21: \"nan\" is not a number."},
        {"campos_faltam", trocaPrimeiro(bom, "99.01;", "", fimCabecalho), 2, "line 2: the line holds 98 fields instead of 99."},
        {"campo_fora", trocaPrimeiro(bom, "21.01;", "1e400;", fimCabecalho), 2,
         "line 2, field 21: \"1e400\" is out of the range of numbers."},
        {"campo_menor", trocaPrimeiro(bom, "21.01;", "-1e-400;", fimCabecalho), 2,
         "line 2, field 21: \"-1e-400\" is out of the range of numbers."},
        // Blanks around a field are allowed, but not without end.
        {"linha_longa", trocaPrimeiro(bom, "21.01;", std::string(kMaxBytesLinhaTxd, ' ') + "21.01;", fimCabecalho), 2,
         "line 2: the line exceeds 64 KiB, which no archive line reaches."},
        {"sem_fim_de_linha", bom.substr(0, fimCabecalho) + std::string(kMaxBytesLinhaTxd + 2, '1'), 2,
         "line 2: the line exceeds 64 KiB"},
    };
    for (const auto& c : casos) {
        const fs::path p = dir.path() / (std::string(c.nome) + ".txd");
        GravaTudo(p, c.bytes);
        try {
            LeArquivoTxd(p);
            ADD_FAILURE() << c.nome << ": read without error";
        } catch (const ErroTxd& e) {
            EXPECT_EQ(e.linha(), c.linha) << c.nome;
            const std::string en = e.what();
            EXPECT_EQ(en.find("Read error in \"" + p.string() + "\""), 0u) << en;
            EXPECT_NE(en.find(c.mensagem), std::string::npos) << c.nome << ": " << en;
            EXPECT_EQ(e.Mensagem(false).find("Erro de leitura em \"" + p.string() + "\""), 0u) << e.Mensagem(false);
        }
    }
}

TEST(LeArquivoTxdTest, ALineUpToTheCapIsRead) {
    TempDir dir;
    std::string bytes = LeTudo(Escreve(dir.path(), 2));
    const std::size_t inicio = bytes.find("\r\n") + 2;
    const std::size_t tam = bytes.find("\r\n", inicio) - inicio;
    bytes.insert(inicio, kMaxBytesLinhaTxd - tam, ' ');
    GravaTudo(dir.path() / "longa.txd", bytes);
    const ArquivoTxd a = LeArquivoTxd(dir.path() / "longa.txd");
    ASSERT_EQ(a.linhas.size(), 2u);
    EXPECT_DOUBLE_EQ(a.linhas[0][1], 1.01);
}

// What cannot be read is named, with the reason in the message's language.
TEST(LeArquivoTxdTest, WhatIsNoArchiveFileIsRefusedBeforeItIsRead) {
    TempDir dir;
    const fs::path fifo = dir.path() / "fifo.txd";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const fs::path grande = dir.path() / "grande.txd";
    GravaTudo(grande, LeTudo(Escreve(dir.path(), 2)));
    fs::resize_file(grande, kMaxBytesTxd + 1);  // sparse: no disk space taken
    const struct {
        fs::path arquivo;
        const char* pt;
        const char* en;
    } casos[] = {
        {dir.path() / "falta.txd", "Não foi possível abrir \"%\": arquivo ou pasta inexistente.",
         "Cannot open \"%\": No such file or directory."},
        {dir.path(), "Não foi possível abrir \"%\": é uma pasta.", "Cannot open \"%\": it is a folder."},
        // A device or a pipe could be endless, and a pipe would block at open.
        {"/dev/zero", "Não foi possível abrir \"%\": não é um arquivo comum.",
         "Cannot open \"%\": it is not a regular file."},
        {fifo, "Não foi possível abrir \"%\": não é um arquivo comum.",
         "Cannot open \"%\": it is not a regular file."},
        {grande, "Não foi possível ler \"%\": o arquivo passa de 64 MiB, o que nenhum arquivo de dados atinge.",
         "Cannot read \"%\": the file exceeds 64 MiB, which no archive reaches."},
    };
    auto com = [](std::string texto, const fs::path& p) { return texto.replace(texto.find('%'), 1, p.string()); };
    for (const auto& c : casos) {
        try {
            LeArquivoTxd(c.arquivo);
            ADD_FAILURE() << c.arquivo << ": read without error";
        } catch (const ErroTxd& e) {
            EXPECT_EQ(e.Mensagem(false), com(c.pt, c.arquivo));
            EXPECT_EQ(std::string(e.what()), com(c.en, c.arquivo));
        }
    }
}

TEST(LeArquivoTxdTest, LinesCanBeTakenOneByOne) {
    TempDir dir;
    std::vector<double> m5;
    const ArquivoTxd a =
        LeArquivoTxd(Escreve(dir.path(), 3), nullptr, [&](const LinhaTxd& linha) { m5.push_back(linha[5]); });
    EXPECT_TRUE(a.linhas.empty()) << "the lines went to the caller only";
    EXPECT_DOUBLE_EQ(a.W, 3);
    EXPECT_EQ(m5, (std::vector<double>{5.01, 5.02, 5.03}));
}

TEST(LeArquivoTxdTest, ReportsProgressBeforeEachLine) {
    struct Registro : ObservadorProgresso {
        std::vector<int> valores;
        void AoProgresso(int p) override { valores.push_back(p); }
    } obs;
    TempDir dir;
    LeArquivoTxd(Escreve(dir.path(), 4), &obs);
    EXPECT_EQ(obs.valores, (std::vector<int>{0, 25, 50, 75}));
}

TEST(ListaArquivosTxdTest, NamesWithoutTheExtensionSorted) {
    TempDir dir;
    for (const char* n : {"b_1.txd", "a_2.txd", "a_1.txd", "nota.txt", "B.TXD"}) GravaTudo(dir.path() / n, "");
    fs::create_directory(dir.path() / "pasta.txd");
    EXPECT_EQ(ListaArquivosTxd(dir.path()), (std::vector<std::string>{"a_1", "a_2", "b_1"}));
    EXPECT_TRUE(ListaArquivosTxd(dir.path() / "falta").empty());
}

}  // namespace
}  // namespace kivo
