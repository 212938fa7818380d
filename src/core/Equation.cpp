#include "core/Equation.h"

#include <algorithm>
#include <cmath>

#include "core/EquationOps.h"
#include "core/NumberText.h"

namespace kivo {

thread_local std::string EquationError;

std::string SubstituteVariables(std::string_view text, const Memory& mem) {
    std::string s(text);
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    // Replacements never contain "M", so the next "M" is always further on.
    std::size_t from = 0;
    for (;;) {
        const std::size_t p = s.find('M', from);
        if (p == std::string::npos) break;
        if (s.size() - p - 1 < 2) return "0";
        const long long n = ParseLenientInteger(std::string_view(s).substr(p + 1, 2));
        const std::string rep = (n >= 1 && n <= 110) ? NumberText(mem[static_cast<int>(n)]) : "0";
        s.replace(p, 3, rep);
        from = p + rep.size();
    }
    return s;
}

ExpressionExcess ExpressionExcessOf(std::string_view text) {
    std::size_t characters = 0;
    int level = 0;
    int largest = 0;
    for (const char c : text) {
        // A UTF-8 continuation byte belongs to the character before it.
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++characters;
        if (c == '(') {
            largest = std::max(largest, ++level);
        } else if (c == ')' && level > 0) {
            // A ")" without its "(" closes nothing.
            --level;
        }
    }
    if (characters > kMaxExpressionCharacters) return ExpressionExcess::Length;
    if (largest > kMaxExpressionLevels) return ExpressionExcess::Nesting;
    return ExpressionExcess::None;
}

std::string ReplaceCommasWithPoints(std::string_view text) {
    std::string s(text);
    for (char& c : s)
        if (c == ',') c = '.';
    return s;
}

namespace {

bool IsOperand(const std::string& g, std::size_t i) {
    const char c = g[i];
    if (detail::IsNumberCharacter(c)) return true;
    return (c == '+' || c == '-') && i > 0 && g[i - 1] == 'E';
}

// Reduces a group "(...)" to its number text.
std::string ReduceGroup(std::string g) {
    for (;;) {
        std::size_t k = g.find('^');
        if (k == std::string::npos) k = g.find('/');
        if (k == std::string::npos) k = g.find('*');
        if (k == std::string::npos) break;
        std::size_t L = k - 1;
        while (IsOperand(g, L)) --L;
        std::size_t R = k + 1;
        if (g[R] == '-') ++R;
        while (IsOperand(g, R)) ++R;
        const double a = ParseReal(std::string_view(g).substr(L + 1, k - L - 1));
        const double b = ParseReal(std::string_view(g).substr(k + 1, R - k - 1));
        g = g.substr(0, L + 1) + NumberText(detail::Operate(g[k], a, b)) + g.substr(R);
    }
    double sum = 0.0;
    std::size_t i = 1;
    const std::size_t end = g.size() - 1;  // the closing ")"
    while (i < end) {
        bool negative = false;
        while (i < end && (g[i] == '+' || g[i] == '-' || g[i] == ' ')) {
            if (g[i] == '-') negative = !negative;
            ++i;
        }
        const std::size_t start = i;
        while (i < end && IsOperand(g, i)) ++i;
        const double term = ParseReal(std::string_view(g).substr(start, i - start));
        sum += negative ? -term : term;
        if (i == start) break;
    }
    return NumberText(sum);
}

double Refuse() {
    EquationError = kEquationErrorText;
    return 0.0;
}

// EvaluateEquation without the limits, for a text already checked as typed.
double Reduce(std::string_view text) {
    std::string s = "(" + ReplaceCommasWithPoints(text) + ")";
    for (const char c : s)
        if (!detail::IsAllowedCharacter(c)) return Refuse();
    EquationError.clear();
    std::string n;
    for (;;) {
        const std::size_t p = s.rfind('(');
        if (p == std::string::npos) break;
        const std::size_t q = s.find(')', p);
        if (q == std::string::npos) break;
        n = ReduceGroup(s.substr(p, q - p + 1));
        s = s.substr(0, p) + n + s.substr(q + 1);
    }
    return ParseReal(n);
}

}  // namespace

double EvaluateEquation(std::string_view text) {
    if (ExpressionExcessOf(text) != ExpressionExcess::None) return Refuse();
    return Reduce(text);
}

double EvaluateText(std::string_view text, const Memory& mem) {
    if (ExpressionExcessOf(text) != ExpressionExcess::None) return Refuse();
    return Reduce(ReplaceCommasWithPoints(SubstituteVariables(text, mem)));
}

}  // namespace kivo
