#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "../project/TempDir.h"
#include "Helpers.h"
#include "core/Memory.h"
#include "fastsim/TxdArchive.h"
#include "fastsim/Progress.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;
using test::WriteAll;
using test::ReadAll;

// An archive of n data lines written through the writer, M(k) = k + j / 100
// in data line j.
fs::path Write(const fs::path& folder, int n, const std::string& prefix = "t") {
    Memory mem;
    TxdWriter w(folder, prefix, mem, 1.0, n);
    for (int j = 1; j <= n; ++j) {
        for (int k = 1; k <= 99; ++k) mem[k] = k + j / 100.0;
        w.Row(mem);
    }
    w.Finish();
    return w.path();
}

std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> r;
    std::size_t i = 0;
    for (std::size_t f; (f = bytes.find("\r\n", i)) != std::string::npos; i = f + 2) r.push_back(bytes.substr(i, f - i));
    EXPECT_EQ(i, bytes.size()) << "every line ends with CR LF";
    return r;
}

TEST(TxdWriterTest, HeaderAndDataLinesByteForByte) {
    TempDir dir;
    Memory mem;
    mem.setDescription(1, "Saída; válvula");
    mem.setDescription(21, "Vazão");
    mem[1] = 12.345;
    mem[2] = -0.004;
    mem[21] = 100;
    mem[99] = 1234.5;
    fs::path file;
    {
        TxdWriter w(dir.path(), "Planta", mem, 0.5, 7200);
        w.Row(mem);
        w.Finish();
        file = w.path();
    }
    EXPECT_EQ(file, dir.path() / "Planta_1.txd");
    const auto lines = Lines(ReadAll(file));
    ASSERT_EQ(lines.size(), 2u);

    const std::string& h = lines[0];
    // Windows-1252: "í" is one byte; the ";" of the description became ",".
    EXPECT_EQ(h.substr(0, 21), "01 Sa\xED" "da, v\xE1lvula;02 ");
    EXPECT_NE(h.find(";21 Vaz\xE3o;22 "), std::string::npos);
    EXPECT_EQ(h.substr(h.size() - 10), ";0.5;7200;");
    EXPECT_EQ(std::count(h.begin(), h.end(), ';'), 101);

    const std::string& d = lines[1];
    EXPECT_EQ(d.substr(0, 12), "12.35; 0.00;") << "two decimals, width 5, no negative zero";
    EXPECT_NE(d.find(";100.00;"), std::string::npos);
    EXPECT_EQ(d.substr(d.size() - 9), ";1234.50;");
    EXPECT_EQ(std::count(d.begin(), d.end(), ';'), 99);
}

TEST(TxdWriterTest, SampleTimeHasOneDecimal) {
    Memory mem;
    for (const auto& [T, text] : {std::pair{0.1, ";0.1;"}, {0.2, ";0.2;"}, {0.5, ";0.5;"}, {1.0, ";1.0;"}}) {
        const std::string h = TxdHeader(mem, T, 1800);
        EXPECT_EQ(h.substr(h.size() - 10), std::string(text) + "1800;") << T;
    }
}

TEST(TxdWriterTest, TakesTheSmallestFreeNumberAndNeverReplacesAFile) {
    TempDir dir;
    EXPECT_EQ(Write(dir.path(), 2).filename(), "t_1.txd");
    EXPECT_EQ(Write(dir.path(), 2).filename(), "t_2.txd");
    WriteAll(dir.path() / "t_4.txd", "mine");
    fs::remove(dir.path() / "t_1.txd");
    EXPECT_EQ(Write(dir.path(), 2).filename(), "t_1.txd");
    EXPECT_EQ(Write(dir.path(), 2).filename(), "t_3.txd");
    EXPECT_EQ(Write(dir.path(), 2).filename(), "t_5.txd");
    EXPECT_EQ(ReadAll(dir.path() / "t_4.txd"), "mine");
}

TEST(TxdWriterTest, AFileThatCannotBeCreatedIsReportedWithItsName) {
    TempDir dir;
    Memory mem;
    try {
        TxdWriter w(dir.path() / "falta", "x", mem, 0.1, 1800);
        FAIL() << "created in a missing folder";
    } catch (const TxdError& e) {
        EXPECT_NE(e.Message(false).find("Não foi possível criar o arquivo \"" + (dir.path() / "falta" / "x_1.txd").string() + "\""),
                  std::string::npos)
            << e.Message(false);
        EXPECT_NE(std::string(e.what()).find("Cannot create"), std::string::npos);
    }
    try {
        TxdWriter w(dir.path(), "../x", mem, 0.1, 1800);
        FAIL() << "a prefix with a folder part";
    } catch (const TxdError& e) {
        EXPECT_NE(std::string(e.what()).find("cannot contain"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(TxdWriterTest, AnUnfinishedArchiveIsRemoved) {
    TempDir dir;
    Memory mem;
    {
        TxdWriter w(dir.path(), "x", mem, 0.1, 1800);
        w.Row(mem);
    }
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(TxdWriterTest, AFailedWriteRemovesTheFileAndSaysSo) {
    TempDir dir;
    std::optional<TxdError> error;
    {
        const test::FileSizeLimit limit(4096);
        Memory mem;
        TxdWriter w(dir.path(), "x", mem, 0.1, 1800);
        for (int j = 0; j < 50; ++j) w.Row(mem);
        try {
            w.Finish();
        } catch (const TxdError& e) {
            error = e;
        }
    }
    ASSERT_TRUE(error) << "a write beyond the limit reported as success";
    const std::string name = "\"" + (dir.path() / "x_1.txd").string() + "\"";
    EXPECT_EQ(std::string(error->what()).find("Cannot write " + name), 0u) << error->what();
    EXPECT_NE(std::string(error->what()).find("The incomplete file was removed."), std::string::npos);
    EXPECT_EQ(error->Message(false).find("Não foi possível gravar o arquivo " + name), 0u);
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(ReadTxdArchiveTest, ReadsWhatTheWriterWrote) {
    TempDir dir;
    const fs::path p = Write(dir.path(), 3);
    const TxdArchive a = ReadTxdArchive(p);
    EXPECT_DOUBLE_EQ(a.T, 1.0);
    EXPECT_DOUBLE_EQ(a.W, 3);
    ASSERT_EQ(a.lines.size(), 3u);
    EXPECT_DOUBLE_EQ(a.lines[0][0], 0) << "M0 reads 0";
    EXPECT_DOUBLE_EQ(a.lines[0][1], 1.01);
    EXPECT_DOUBLE_EQ(a.lines[2][99], 99.03);
}

TEST(ReadTxdArchiveTest, ReadsExactlyTheAnnouncedLinesWhateverTheLineEnds) {
    TempDir dir;
    std::string bytes = ReadAll(Write(dir.path(), 4));
    // The header announces 2.4 seconds: Nearest gives 2 lines; the rest is ignored.
    bytes.replace(bytes.find(";4;\r\n"), 5, ";2.4;\r\n");
    std::string lf;
    for (char c : bytes)
        if (c != '\r') lf += c;
    WriteAll(dir.path() / "lf.txd", lf);
    const TxdArchive a = ReadTxdArchive(dir.path() / "lf.txd");
    ASSERT_EQ(a.lines.size(), 2u);
    EXPECT_DOUBLE_EQ(a.lines[1][5], 5.02);
}

TEST(ReadTxdArchiveTest, BadFilesNameTheFileAndTheLine) {
    TempDir dir;
    const std::string bom = ReadAll(Write(dir.path(), 3));
    const std::size_t headerEnd = bom.find("\r\n") + 2;
    const std::size_t line2End = bom.find("\r\n", headerEnd) + 2;
    auto replaceFirst = [&](std::string s, const std::string& before, const std::string& after, std::size_t from = 0) {
        s.replace(s.find(before, from), before.size(), after);
        return s;
    };
    const struct {
        const char* name;
        std::string bytes;
        int line;
        const char* message;  // English
    } cases[] = {
        {"vazio", "", 1, "the file is empty; the header is missing."},
        {"cabecalho_curto", replaceFirst(bom, ";1.0;3;", ";1.0;3"), 1, "line 1: the header holds 100 fields instead of 101."},
        {"janela_texto", replaceFirst(bom, ";1.0;3;", ";1.0;tres;"), 1, "line 1, field 101: \"tres\" is not a number."},
        {"passo_virgula", replaceFirst(bom, ";1.0;3;", ";1,0;3;"), 1, "line 1, field 100: \"1,0\" is not a number."},
        {"um_ponto", replaceFirst(bom, ";1.0;3;", ";1.0;1;"), 1,
         "line 1: the header announces 1 data lines; the indices need at least two."},
        {"curto", bom.substr(0, line2End), 3, "the file ends before line 3; the header announces 3 data lines."},
        {"campo_texto", replaceFirst(bom, "21.02;", "abc;", line2End), 3, "line 3, field 21: \"abc\" is not a number."},
        {"campo_vazio", replaceFirst(bom, "21.01;", ";", headerEnd), 2, "line 2, field 21: \"\" is not a number."},
        {"campo_nan", replaceFirst(bom, "21.01;", "nan;", headerEnd), 2, "line 2, field 21: \"nan\" is not a number."},
        {"campos_faltam", replaceFirst(bom, "99.01;", "", headerEnd), 2, "line 2: the line holds 98 fields instead of 99."},
        {"campo_fora", replaceFirst(bom, "21.01;", "1e400;", headerEnd), 2,
         "line 2, field 21: \"1e400\" is out of the range of numbers."},
        {"campo_menor", replaceFirst(bom, "21.01;", "-1e-400;", headerEnd), 2,
         "line 2, field 21: \"-1e-400\" is out of the range of numbers."},
        // Blanks around a field are allowed, but not without end.
        {"linha_longa", replaceFirst(bom, "21.01;", std::string(kMaxTxdLineBytes, ' ') + "21.01;", headerEnd), 2,
         "line 2: the line exceeds 64 KiB, which no archive line reaches."},
        {"sem_fim_de_linha", bom.substr(0, headerEnd) + std::string(kMaxTxdLineBytes + 2, '1'), 2,
         "line 2: the line exceeds 64 KiB"},
    };
    for (const auto& c : cases) {
        const fs::path p = dir.path() / (std::string(c.name) + ".txd");
        WriteAll(p, c.bytes);
        try {
            ReadTxdArchive(p);
            ADD_FAILURE() << c.name << ": read without error";
        } catch (const TxdError& e) {
            EXPECT_EQ(e.line(), c.line) << c.name;
            const std::string en = e.what();
            EXPECT_EQ(en.find("Read error in \"" + p.string() + "\""), 0u) << en;
            EXPECT_NE(en.find(c.message), std::string::npos) << c.name << ": " << en;
            EXPECT_EQ(e.Message(false).find("Erro de leitura em \"" + p.string() + "\""), 0u) << e.Message(false);
        }
    }
}

TEST(ReadTxdArchiveTest, ALineUpToTheCapIsRead) {
    TempDir dir;
    std::string bytes = ReadAll(Write(dir.path(), 2));
    const std::size_t start = bytes.find("\r\n") + 2;
    const std::size_t length = bytes.find("\r\n", start) - start;
    bytes.insert(start, kMaxTxdLineBytes - length, ' ');
    WriteAll(dir.path() / "longa.txd", bytes);
    const TxdArchive a = ReadTxdArchive(dir.path() / "longa.txd");
    ASSERT_EQ(a.lines.size(), 2u);
    EXPECT_DOUBLE_EQ(a.lines[0][1], 1.01);
}

// What cannot be read is named, with the reason in the message's language.
TEST(ReadTxdArchiveTest, WhatIsNoArchiveFileIsRefusedBeforeItIsRead) {
    TempDir dir;
    const fs::path fifo = dir.path() / "fifo.txd";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const fs::path large = dir.path() / "grande.txd";
    WriteAll(large, ReadAll(Write(dir.path(), 2)));
    fs::resize_file(large, kMaxBytesTxd + 1);  // sparse: no disk space taken
    const struct {
        fs::path file;
        const char* pt;
        const char* en;
    } cases[] = {
        {dir.path() / "falta.txd", "Não foi possível abrir \"%\": arquivo ou pasta inexistente.",
         "Cannot open \"%\": No such file or directory."},
        {dir.path(), "Não foi possível abrir \"%\": é uma pasta.", "Cannot open \"%\": it is a folder."},
        // A device or a pipe could be endless, and a pipe would block at open.
        {"/dev/zero", "Não foi possível abrir \"%\": não é um arquivo comum.",
         "Cannot open \"%\": it is not a regular file."},
        {fifo, "Não foi possível abrir \"%\": não é um arquivo comum.",
         "Cannot open \"%\": it is not a regular file."},
        {large, "Não foi possível ler \"%\": o arquivo passa de 64 MiB, o que nenhum arquivo de dados atinge.",
         "Cannot read \"%\": the file exceeds 64 MiB, which no archive reaches."},
    };
    auto with = [](std::string text, const fs::path& p) { return text.replace(text.find('%'), 1, p.string()); };
    for (const auto& c : cases) {
        try {
            ReadTxdArchive(c.file);
            ADD_FAILURE() << c.file << ": read without error";
        } catch (const TxdError& e) {
            EXPECT_EQ(e.Message(false), with(c.pt, c.file));
            EXPECT_EQ(std::string(e.what()), with(c.en, c.file));
        }
    }
}

TEST(ReadTxdArchiveTest, LinesCanBeTakenOneByOne) {
    TempDir dir;
    std::vector<double> m5;
    const TxdArchive a =
        ReadTxdArchive(Write(dir.path(), 3), nullptr, [&](const TxdRow& line) { m5.push_back(line[5]); });
    EXPECT_TRUE(a.lines.empty()) << "the lines went to the caller only";
    EXPECT_DOUBLE_EQ(a.W, 3);
    EXPECT_EQ(m5, (std::vector<double>{5.01, 5.02, 5.03}));
}

TEST(ReadTxdArchiveTest, ReportsProgressBeforeEachLine) {
    struct EventLog : ProgressObserver {
        std::vector<int> values;
        void OnProgress(int p) override { values.push_back(p); }
    } obs;
    TempDir dir;
    ReadTxdArchive(Write(dir.path(), 4), &obs);
    EXPECT_EQ(obs.values, (std::vector<int>{0, 25, 50, 75}));
}

TEST(ListTxdArchivesTest, NamesWithoutTheExtensionSorted) {
    TempDir dir;
    for (const char* n : {"b_1.txd", "a_2.txd", "a_1.txd", "nota.txt", "B.TXD"}) WriteAll(dir.path() / n, "");
    fs::create_directory(dir.path() / "pasta.txd");
    EXPECT_EQ(ListTxdArchives(dir.path()), (std::vector<std::string>{"a_1", "a_2", "b_1"}));
    EXPECT_TRUE(ListTxdArchives(dir.path() / "falta").empty());
}

}  // namespace
}  // namespace kivo
