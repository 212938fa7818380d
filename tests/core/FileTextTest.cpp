// The byte-level helpers of file texts: the Windows-1252 code page and the
// system's reasons for a failed file operation.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "core/Cp1252.h"
#include "core/FailureReason.h"

namespace kivo {
namespace {

TEST(Cp1252, EveryByteSurvivesTheRoundTrip) {
    std::string allBytes;
    for (int b = 1; b < 256; ++b) allBytes += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(allBytes)), allBytes);
}

TEST(Cp1252, MapsTheUpperHalfAndTheGapsOfTheCodePage) {
    struct Case {
        const char* byte;
        const char* utf8;
    } cases[] = {
        {"\x80", "€"}, {"\x8A", "Š"}, {"\x93", "“"}, {"\x96", "–"}, {"\x9F", "Ÿ"}, {"\xB4", "´"},
        {"\xB3", "³"}, {"\xE7", "ç"}, {"\xE3", "ã"}, {"\xFF", "ÿ"}, {"\x81", "\u0081"}, {"\x9D", "\u009D"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Cp1252ToUtf8(c.byte), c.utf8);
        EXPECT_EQ(Utf8ToCp1252(c.utf8), c.byte);
    }
}

TEST(Cp1252, CharactersOutsideTheCodePageAndBrokenUtf8BecomeQuestionMarks) {
    std::size_t n = 0;
    EXPECT_EQ(Utf8ToCp1252("a日b😀c", &n), "a?b?c");
    EXPECT_EQ(n, 2u);
    EXPECT_EQ(Utf8ToCp1252("x\xC3", &n), "x?");
    EXPECT_EQ(Utf8ToCp1252("\xC3(\xED\xA0\x80", &n), "?(?");
    EXPECT_EQ(Utf8ToCp1252("\xC0\xAF", &n), "?");
}

TEST(FailureReason, SystemReasonsHaveTextsInBothLanguages) {
    for (const int code : {0, ENOENT, EACCES, EPERM, EROFS, ENOSPC, EISDIR, 9999}) {
        const FailureReason m = SystemFailureReason(code);
        EXPECT_FALSE(m.pt.empty() || m.en.empty()) << code;
        EXPECT_NE(m.pt, m.en) << code;
    }
    EXPECT_EQ(SystemFailureReason(EACCES).pt, "permissão negada");
    EXPECT_EQ(SystemFailureReason(9999).pt, "erro do sistema 9999");
    EXPECT_EQ(SystemFailureReason(9999).en, "system error 9999");
}

}  // namespace
}  // namespace kivo
