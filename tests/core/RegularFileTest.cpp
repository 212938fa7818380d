// What is not a regular file of a sane size is refused before it is read:
// at once, without blocking on a FIFO and without memory growing with what a
// device or a huge file would give.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <chrono>
#include <fstream>

#include "../project/TempDir.h"
#include "core/RegularFile.h"

namespace kivo {
namespace {

long PeakKiB() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

TEST(RegularFileTest, HostileFilesAreRefusedQuicklyAndWithoutReadingThem) {
    TempDir dir;
    const auto p = [&](const char* n) { return dir.path() / n; };
    ASSERT_EQ(mkfifo(p("fifo").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", p("zero"));
    std::filesystem::create_directory(p("folder"));
    { std::ofstream(p("huge")); }
    std::filesystem::resize_file(p("huge"), 1ull << 30);
    {
        std::ofstream f(p("small"), std::ios::binary);
        f << std::string(2000, 'x');
    }
    struct Case {
        const char* name;
        FileRefusal::Kind kind;
        const char* reason;
    };
    const Case cases[] = {
        {"fifo", FileRefusal::Kind::NotRegular, "not a regular file"},
        {"zero", FileRefusal::Kind::NotRegular, "not a regular file"},
        {"folder", FileRefusal::Kind::NotRegular, "folder"},
        {"huge", FileRefusal::Kind::TooLarge, "more than 1 MiB"},
        {"small", FileRefusal::Kind::TooLarge, "more than 1 kB"},
        {"missing", FileRefusal::Kind::Open, "No such file"},
    };
    const long before = PeakKiB();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto t0 = std::chrono::steady_clock::now();
        FileRefusal why;
        const std::uintmax_t limit = std::string(c.name) == "small" ? 1u << 10 : 1u << 20;
        EXPECT_FALSE(ReadRegularFile(p(c.name), limit, why));
        EXPECT_EQ(why.kind, c.kind);
        EXPECT_NE(why.reason.en.find(c.reason), std::string::npos) << why.reason.en;
        EXPECT_FALSE(why.reason.pt.empty());
        EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(2));
    }
    EXPECT_LT(PeakKiB() - before, 32 * 1024);

    FileRefusal why;
    const auto bytes = ReadRegularFile(p("small"), 2000, why);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, std::string(2000, 'x'));
}

}  // namespace
}  // namespace kivo
