#include "core/Cp1252.h"

#include <cstdint>

namespace kivo {
namespace {

// Code points of bytes 80..9F; the unassigned ones keep their own number.
constexpr char32_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

void AppendUtf8(std::string& s, char32_t c) {
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The byte that holds code point c, or -1.
int ByteOf(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c) return 0x80 + i;
    return -1;
}

// Decodes one UTF-8 character at s[i]; advances i. Returns -1 on a malformed
// sequence (i then moves past its first byte).
long Decode(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i++]);
    if (b0 < 0x80) return b0;
    int extra = 0;
    char32_t c = 0;
    char32_t minimum = 0;
    if ((b0 & 0xE0) == 0xC0) {
        extra = 1, c = b0 & 0x1F, minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2, c = b0 & 0x0F, minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3, c = b0 & 0x07, minimum = 0x10000;
    } else {
        return -1;
    }
    const std::size_t start = i;
    for (int k = 0; k < extra; ++k) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
            i = start;
            return -1;
        }
        c = (c << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return -1;
    return static_cast<long>(c);
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string s;
    s.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            s += ch;
        } else if (b < 0xA0) {
            AppendUtf8(s, kHigh[b - 0x80]);
        } else {
            AppendUtf8(s, b);
        }
    }
    return s;
}

std::string Utf8ToCp1252(std::string_view text, std::size_t* unrepresentable) {
    std::string s;
    s.reserve(text.size());
    std::size_t failures = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const long c = Decode(text, i);
        const int b = c < 0 ? -1 : ByteOf(static_cast<char32_t>(c));
        if (b < 0) {
            s += '?';
            ++failures;
        } else {
            s += static_cast<char>(b);
        }
    }
    if (unrepresentable) *unrepresentable = failures;
    return s;
}

}  // namespace kivo
