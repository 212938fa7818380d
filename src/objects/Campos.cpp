#include "objects/Campos.h"

#include <charconv>
#include <cmath>

#include "core/NumberText.h"

namespace kivo {
namespace {

bool EhDigito(char c) { return c >= '0' && c <= '9'; }

// Digits with an optional "." part (at least one digit in all) and an
// optional exponent, covering the whole text.
bool NumeroCompleto(std::string_view s) {
    std::size_t i = 0;
    std::size_t digitos = 0;
    while (i < s.size() && EhDigito(s[i])) ++i, ++digitos;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && EhDigito(s[i])) ++i, ++digitos;
    }
    if (digitos == 0) return false;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        const std::size_t inicio = i;
        while (i < s.size() && EhDigito(s[i])) ++i;
        if (i == inicio) return false;
    }
    return i == s.size();
}

}  // namespace

bool LeNumeroCampo(std::string_view texto, double& valor) {
    std::string s(texto);
    for (char& c : s)
        if (c == ',') c = '.';
    valor = ConverteReal(s);
    std::string_view v(s);
    while (!v.empty() && v.front() == ' ') v.remove_prefix(1);
    while (!v.empty() && v.back() == ' ') v.remove_suffix(1);
    if (!v.empty() && (v.front() == '+' || v.front() == '-')) v.remove_prefix(1);
    return NumeroCompleto(v);
}

int EnderecoDaLista(int indice) { return (indice >= 0 && indice < 99) ? indice + 1 : 0; }

void FormataFixoEm(std::string& out, double x, int w, int d) {
    if (!std::isfinite(x)) {
        out = FormataFixo(x, w, d);
        return;
    }
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, d);
    const char* ini = buf;
    // A value that rounds to zero is written without a sign, as FormataFixo does.
    if (buf[0] == '-') {
        bool zero = true;
        for (const char* p = buf + 1; p < res.ptr; ++p)
            if (*p != '0' && *p != '.') zero = false;
        if (zero) ++ini;
    }
    const auto n = static_cast<std::size_t>(res.ptr - ini);
    const std::size_t pad = static_cast<int>(n) < w ? static_cast<std::size_t>(w) - n : 0;
    out.assign(pad, ' ');
    out.append(ini, n);
}

}  // namespace kivo
