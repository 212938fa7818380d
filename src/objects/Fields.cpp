#include "objects/Fields.h"

#include <charconv>
#include <cmath>

#include "core/NumberText.h"

namespace kivo {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Digits with an optional "." part (at least one digit in all) and an
// optional exponent, covering the whole text.
bool IsCompleteNumber(std::string_view s) {
    std::size_t i = 0;
    std::size_t decimalDigits = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++decimalDigits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) ++i, ++decimalDigits;
    }
    if (decimalDigits == 0) return false;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        const std::size_t start = i;
        while (i < s.size() && IsDigit(s[i])) ++i;
        if (i == start) return false;
    }
    return i == s.size();
}

}  // namespace

bool ReadNumberField(std::string_view text, double& value) {
    std::string s(text);
    for (char& c : s)
        if (c == ',') c = '.';
    value = ParseReal(s);
    std::string_view v(s);
    while (!v.empty() && v.front() == ' ') v.remove_prefix(1);
    while (!v.empty() && v.back() == ' ') v.remove_suffix(1);
    if (!v.empty() && (v.front() == '+' || v.front() == '-')) v.remove_prefix(1);
    return IsCompleteNumber(v);
}

int AddressFromList(int index) { return (index >= 0 && index < 99) ? index + 1 : 0; }

void FormatFixedInto(std::string& out, double x, int w, int d) {
    if (!std::isfinite(x)) {
        out = FormatFixed(x, w, d);
        return;
    }
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, d);
    const char* start = buf;
    // A value that rounds to zero is written without a sign, as FormatFixed does.
    if (buf[0] == '-') {
        bool zero = true;
        for (const char* p = buf + 1; p < res.ptr; ++p)
            if (*p != '0' && *p != '.') zero = false;
        if (zero) ++start;
    }
    const auto n = static_cast<std::size_t>(res.ptr - start);
    const std::size_t pad = static_cast<int>(n) < w ? static_cast<std::size_t>(w) - n : 0;
    out.assign(pad, ' ');
    out.append(start, n);
}

}  // namespace kivo
