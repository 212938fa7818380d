// The trend data log: its header and line formats, the file numbering, what
// lands in the file, and the errors of a folder that takes no file and of a
// line the system refuses.
#include "project/TrendLog.h"

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

std::string Contents(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

struct LineCase {
    double time, v1;
    bool comma;
    const char* line;
};

class LogLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(LogLine, FieldsHaveTwoDecimalsAndTheChosenSeparator) {
    const LineCase& c = GetParam();
    EXPECT_EQ(TrendLog::Row(c.time, c.v1, 50, 45.2, c.comma), c.line);
}

INSTANTIATE_TEST_SUITE_P(Formats, LogLine,
                         ::testing::Values(LineCase{0.1, 50, true, "0,10;50,00;50,00;45,20"},
                                           LineCase{12.345, 1234.5, false, "12.35;1234.50;50.00;45.20"},
                                           LineCase{0, -5, false, "0.00;-5.00;50.00;45.20"},
                                           LineCase{0.334, -0.5, true, "0,33;-0,50;50,00;45,20"}));

struct HeaderCase {
    int base;
    const char* header;
    const char* secondLine;  // the log time after one step
};

class LogHeader : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(LogHeader, NamesTheTimeBaseAndStepsByIt) {
    const HeaderCase& c = GetParam();
    TempDir dir;
    TrendLog log;
    ASSERT_TRUE(log.Open(dir.path(), "TIC1", c.base, "PV", "SP", "MV"));
    ASSERT_TRUE(log.Write(1, 2, 3, false));
    ASSERT_TRUE(log.Write(1, 2, 3, false));
    log.Close();
    EXPECT_EQ(Contents(dir.path() / "TIC1_1.txt"), std::string(c.header) + "PV;SP;MV\r\n" +
                                                      "0.00;1.00;2.00;3.00\r\n" + c.secondLine +
                                                      ";1.00;2.00;3.00\r\n");
}

INSTANTIATE_TEST_SUITE_P(TimeBases, LogHeader,
                         ::testing::Values(HeaderCase{0, "Tempo (0.100 seg);", "0.10"},
                                           HeaderCase{1, "Tempo (0.334 seg);", "0.33"},
                                           HeaderCase{2, "Tempo (2 seg);", "2.00"},
                                           // Out of range reads as the first base.
                                           HeaderCase{7, "Tempo (0.100 seg);", "0.10"}));

TEST(TrendLog, TakesTheSmallestFreeNumberAndContinuesTheTime) {
    TempDir dir;
    std::ofstream(dir.path() / "TIC1_1.txt") << "não é meu";
    TrendLog log;
    ASSERT_TRUE(log.Open(dir.path(), "TIC1", 0, "PV", "SP", "MV"));
    EXPECT_EQ(log.fileName(), "TIC1_2.txt");
    EXPECT_EQ(log.path(), dir.path() / "TIC1_2.txt");
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(log.Write(0, 0, 0, false));
    log.Close();
    EXPECT_FALSE(log.isOpen());
    EXPECT_FALSE(log.Write(0, 0, 0, false));

    ASSERT_TRUE(log.Open(dir.path(), "TIC1", 0, "PV", "SP", "MV"));
    EXPECT_EQ(log.fileName(), "TIC1_3.txt");
    ASSERT_TRUE(log.Write(0, 0, 0, false));
    log.Close();
    EXPECT_EQ(Contents(dir.path() / "TIC1_3.txt"), "Tempo (0.100 seg);PV;SP;MV\r\n0.30;0.00;0.00;0.00\r\n");
    EXPECT_EQ(Contents(dir.path() / "TIC1_1.txt"), "não é meu");
}

TEST(TrendLog, TagBecomesASafeFileNameAndNamesAreWindows1252) {
    EXPECT_EQ(TrendLog::FileName("FIC/2", 1), "FIC_2_1.txt");
    EXPECT_EQ(TrendLog::FileName("a\\b:c*?\"<>|\t", 12), "a_b_c________12.txt");
    TempDir dir;
    TrendLog log;
    ASSERT_TRUE(log.Open(dir.path(), "FIC/2", 0, "Vazão", "Pressão", "Nível"));
    log.Close();
    EXPECT_EQ(Contents(dir.path() / "FIC_2_1.txt"), "Tempo (0.100 seg);Vaz\xE3o;Press\xE3o;N\xEDvel\r\n");
}

struct FolderCase {
    const char* name;
    const char* reasonPt;
    const char* reasonEn;
};

class FolderWithoutFile : public ::testing::TestWithParam<FolderCase> {};

TEST_P(FolderWithoutFile, SaysWhichFileAndWhyInEitherLanguage) {
    const FolderCase& c = GetParam();
    TempDir dir;
    std::ofstream(dir.path() / "arquivo") << "x";
    const fs::path folder = dir.path() / c.name;
    TrendLog log;
    EXPECT_FALSE(log.Open(folder, "TIC1", 0, "PV", "SP", "MV"));
    EXPECT_FALSE(log.isOpen());
    const std::string file = "\"" + (folder / "TIC1_1.txt").string() + "\": ";
    EXPECT_EQ(log.Error(false), "Não foi possível criar o arquivo " + file + c.reasonPt);
    EXPECT_EQ(log.Error(true), "Could not create the file " + file + c.reasonEn);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, FolderWithoutFile,
    ::testing::Values(FolderCase{"nada", "arquivo ou pasta inexistente", "No such file or directory"},
                      FolderCase{"arquivo", "parte do caminho não é uma pasta", "Not a directory"}));

TEST(TrendLog, ReadOnlyFolderIsRefused) {
    if (geteuid() == 0) GTEST_SKIP() << "running as root, whom no folder permission stops";
    TempDir dir;
    ASSERT_EQ(chmod(dir.path().c_str(), 0555), 0);
    TrendLog log;
    const bool isOpen = log.Open(dir.path(), "TIC1", 0, "PV", "SP", "MV");
    chmod(dir.path().c_str(), 0755);
    EXPECT_FALSE(isOpen);
    EXPECT_NE(log.Error(true).find(": Permission denied"), std::string::npos) << log.Error(true);
}

// A line the system refuses (here beyond the file size limit, as on a full
// disk) ends the log; the lines before it stay whole.
TEST(TrendLog, RefusedLineEndsTheLogAndSaysWhy) {
    TempDir dir;
    TrendLog log;
    ASSERT_TRUE(log.Open(dir.path(), "TIC1", 0, "PV", "SP", "MV"));
    const std::string header = "Tempo (0.100 seg);PV;SP;MV\r\n";
    const std::string line = "0.00;1.00;2.00;3.00\r\n";
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto signal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = before;
    limit.rlim_cur = header.size() + 2 * line.size();
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    const bool first = log.Write(1, 2, 3, false);
    const bool second = log.Write(1, 2, 3, false);
    const bool third = log.Write(1, 2, 3, false);
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, signal);

    EXPECT_TRUE(first);
    EXPECT_TRUE(second);
    EXPECT_FALSE(third);
    EXPECT_FALSE(log.isOpen());
    const std::string file = "\"" + (dir.path() / "TIC1_1.txt").string() + "\": ";
    EXPECT_EQ(log.Error(false), "Não foi possível gravar no arquivo " + file +
                                   "arquivo grande demais. O registro foi encerrado.");
    EXPECT_EQ(log.Error(true), "Could not write to the file " + file + "File too large. Logging has stopped.");
    EXPECT_EQ(Contents(dir.path() / "TIC1_1.txt"), header + line + "0.10;1.00;2.00;3.00\r\n");
    EXPECT_DOUBLE_EQ(log.time(), 0.2);
}

}  // namespace
}  // namespace kivo
