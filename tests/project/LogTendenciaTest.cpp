// The trend data log: its header and line formats, the file numbering, what
// lands in the file, and the errors of a folder that takes no file and of a
// line the system refuses.
#include "project/LogTendencia.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <string>

#include "TempDir.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;

std::string Conteudo(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

struct CasoLinha {
    double tempo, v1;
    bool virgula;
    const char* linha;
};

class LinhaLog : public ::testing::TestWithParam<CasoLinha> {};

TEST_P(LinhaLog, FieldsHaveTwoDecimalsAndTheChosenSeparator) {
    const CasoLinha& c = GetParam();
    EXPECT_EQ(LogTendencia::Linha(c.tempo, c.v1, 50, 45.2, c.virgula), c.linha);
}

INSTANTIATE_TEST_SUITE_P(Formatos, LinhaLog,
                         ::testing::Values(CasoLinha{0.1, 50, true, "0,10;50,00;50,00;45,20"},
                                           CasoLinha{12.345, 1234.5, false, "12.35;1234.50;50.00;45.20"},
                                           CasoLinha{0, -5, false, "0.00;-5.00;50.00;45.20"},
                                           CasoLinha{0.334, -0.5, true, "0,33;-0,50;50,00;45,20"}));

struct CasoCabecalho {
    int base;
    const char* cabecalho;
    const char* segundaLinha;  // the log time after one step
};

class CabecalhoLog : public ::testing::TestWithParam<CasoCabecalho> {};

TEST_P(CabecalhoLog, NamesTheTimeBaseAndStepsByIt) {
    const CasoCabecalho& c = GetParam();
    TempDir dir;
    LogTendencia log;
    ASSERT_TRUE(log.Abre(dir.path(), "TIC1", c.base, "PV", "SP", "MV"));
    ASSERT_TRUE(log.Escreve(1, 2, 3, false));
    ASSERT_TRUE(log.Escreve(1, 2, 3, false));
    log.Fecha();
    EXPECT_EQ(Conteudo(dir.path() / "TIC1_1.txt"), std::string(c.cabecalho) + "PV;SP;MV\r\n" +
                                                      "0.00;1.00;2.00;3.00\r\n" + c.segundaLinha +
                                                      ";1.00;2.00;3.00\r\n");
}

INSTANTIATE_TEST_SUITE_P(BasesDeTempo, CabecalhoLog,
                         ::testing::Values(CasoCabecalho{0, "Tempo (0.100 seg);", "0.10"},
                                           CasoCabecalho{1, "Tempo (0.334 seg);", "0.33"},
                                           CasoCabecalho{2, "Tempo (2 seg);", "2.00"},
                                           // Out of range reads as the first base.
                                           CasoCabecalho{7, "Tempo (0.100 seg);", "0.10"}));

TEST(LogTendencia, TakesTheSmallestFreeNumberAndContinuesTheTime) {
    TempDir dir;
    std::ofstream(dir.path() / "TIC1_1.txt") << "não é meu";
    LogTendencia log;
    ASSERT_TRUE(log.Abre(dir.path(), "TIC1", 0, "PV", "SP", "MV"));
    EXPECT_EQ(log.nomeArquivo(), "TIC1_2.txt");
    EXPECT_EQ(log.caminho(), dir.path() / "TIC1_2.txt");
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(log.Escreve(0, 0, 0, false));
    log.Fecha();
    EXPECT_FALSE(log.aberto());
    EXPECT_FALSE(log.Escreve(0, 0, 0, false));

    ASSERT_TRUE(log.Abre(dir.path(), "TIC1", 0, "PV", "SP", "MV"));
    EXPECT_EQ(log.nomeArquivo(), "TIC1_3.txt");
    ASSERT_TRUE(log.Escreve(0, 0, 0, false));
    log.Fecha();
    EXPECT_EQ(Conteudo(dir.path() / "TIC1_3.txt"), "Tempo (0.100 seg);PV;SP;MV\r\n0.30;0.00;0.00;0.00\r\n");
    EXPECT_EQ(Conteudo(dir.path() / "TIC1_1.txt"), "não é meu");
}

TEST(LogTendencia, TagBecomesASafeFileNameAndNamesAreWindows1252) {
    EXPECT_EQ(LogTendencia::NomeArquivo("FIC/2", 1), "FIC_2_1.txt");
    EXPECT_EQ(LogTendencia::NomeArquivo("a\\b:c*?\"<>|\t", 12), "a_b_c________12.txt");
    TempDir dir;
    LogTendencia log;
    ASSERT_TRUE(log.Abre(dir.path(), "FIC/2", 0, "Vazão", "Pressão", "Nível"));
    log.Fecha();
    EXPECT_EQ(Conteudo(dir.path() / "FIC_2_1.txt"), "Tempo (0.100 seg);Vaz\xE3o;Press\xE3o;N\xEDvel\r\n");
}

struct CasoPasta {
    const char* nome;
    const char* motivoPt;
    const char* motivoEn;
};

class PastaSemArquivo : public ::testing::TestWithParam<CasoPasta> {};

TEST_P(PastaSemArquivo, SaysWhichFileAndWhyInEitherLanguage) {
    const CasoPasta& c = GetParam();
    TempDir dir;
    std::ofstream(dir.path() / "arquivo") << "x";
    const fs::path pasta = dir.path() / c.nome;
    LogTendencia log;
    EXPECT_FALSE(log.Abre(pasta, "TIC1", 0, "PV", "SP", "MV"));
    EXPECT_FALSE(log.aberto());
    const std::string arquivo = "\"" + (pasta / "TIC1_1.txt").string() + "\": ";
    EXPECT_EQ(log.Erro(false), "Não foi possível criar o arquivo " + arquivo + c.motivoPt);
    EXPECT_EQ(log.Erro(true), "Could not create the file " + arquivo + c.motivoEn);
}

INSTANTIATE_TEST_SUITE_P(
    Pastas, PastaSemArquivo,
    ::testing::Values(CasoPasta{"nada", "arquivo ou pasta inexistente", "No such file or directory"},
                      CasoPasta{"arquivo", "parte do caminho não é uma pasta", "Not a directory"}));

TEST(LogTendencia, ReadOnlyFolderIsRefused) {
    if (geteuid() == 0) GTEST_SKIP() << "running as root, whom no folder permission stops";
    TempDir dir;
    ASSERT_EQ(chmod(dir.path().c_str(), 0555), 0);
    LogTendencia log;
    const bool aberto = log.Abre(dir.path(), "TIC1", 0, "PV", "SP", "MV");
    chmod(dir.path().c_str(), 0755);
    EXPECT_FALSE(aberto);
    EXPECT_NE(log.Erro(true).find(": Permission denied"), std::string::npos) << log.Erro(true);
}

// A line the system refuses (here beyond the file size limit, as on a full
// disk) ends the log; the lines before it stay whole.
TEST(LogTendencia, RefusedLineEndsTheLogAndSaysWhy) {
    TempDir dir;
    LogTendencia log;
    ASSERT_TRUE(log.Abre(dir.path(), "TIC1", 0, "PV", "SP", "MV"));
    const std::string cabecalho = "Tempo (0.100 seg);PV;SP;MV\r\n";
    const std::string linha = "0.00;1.00;2.00;3.00\r\n";
    rlimit antes{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &antes), 0);
    const auto sinal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limite = antes;
    limite.rlim_cur = cabecalho.size() + 2 * linha.size();
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
    const bool primeira = log.Escreve(1, 2, 3, false);
    const bool segunda = log.Escreve(1, 2, 3, false);
    const bool terceira = log.Escreve(1, 2, 3, false);
    setrlimit(RLIMIT_FSIZE, &antes);
    std::signal(SIGXFSZ, sinal);

    EXPECT_TRUE(primeira);
    EXPECT_TRUE(segunda);
    EXPECT_FALSE(terceira);
    EXPECT_FALSE(log.aberto());
    const std::string arquivo = "\"" + (dir.path() / "TIC1_1.txt").string() + "\": ";
    EXPECT_EQ(log.Erro(false), "Não foi possível gravar no arquivo " + arquivo +
                                   "arquivo grande demais. O registro foi encerrado.");
    EXPECT_EQ(log.Erro(true), "Could not write to the file " + arquivo + "File too large. Logging has stopped.");
    EXPECT_EQ(Conteudo(dir.path() / "TIC1_1.txt"), cabecalho + linha + "0.10;1.00;2.00;3.00\r\n");
    EXPECT_DOUBLE_EQ(log.tempo(), 0.2);
}

}  // namespace
}  // namespace kivo
