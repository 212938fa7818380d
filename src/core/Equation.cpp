#include "core/Equation.h"

#include <algorithm>
#include <cmath>

#include "core/EquationOps.h"
#include "core/NumberText.h"

namespace kivo {

std::string ErroEquacao;

std::string SubstituiMemorias(std::string_view text, const Memorias& mem) {
    std::string s(text);
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    // Replacements never contain "M", so the next "M" is always further on.
    std::size_t from = 0;
    for (;;) {
        const std::size_t p = s.find('M', from);
        if (p == std::string::npos) break;
        if (s.size() - p - 1 < 2) return "0";
        const long long n = ConverteInteiroLeniente(std::string_view(s).substr(p + 1, 2));
        const std::string rep = (n >= 1 && n <= 110) ? TextoNumero(mem[static_cast<int>(n)]) : "0";
        s.replace(p, 3, rep);
        from = p + rep.size();
    }
    return s;
}

ExcessoExpressao ExcessoDaExpressao(std::string_view texto) {
    std::size_t caracteres = 0;
    int nivel = 0;
    int maior = 0;
    for (const char c : texto) {
        // A UTF-8 continuation byte belongs to the character before it.
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++caracteres;
        if (c == '(') {
            maior = std::max(maior, ++nivel);
        } else if (c == ')' && nivel > 0) {
            // A ")" without its "(" closes nothing.
            --nivel;
        }
    }
    if (caracteres > kMaxCaracteresExpressao) return ExcessoExpressao::Comprimento;
    if (maior > kMaxNiveisExpressao) return ExcessoExpressao::Aninhamento;
    return ExcessoExpressao::Nenhum;
}

std::string TrocaVirgulaPorPonto(std::string_view text) {
    std::string s(text);
    for (char& c : s)
        if (c == ',') c = '.';
    return s;
}

namespace {

bool EhOperando(const std::string& g, std::size_t i) {
    const char c = g[i];
    if (detail::EhCaracterNumero(c)) return true;
    return (c == '+' || c == '-') && i > 0 && g[i - 1] == 'E';
}

// Reduces a group "(...)" to its number text.
std::string ReduzGrupo(std::string g) {
    for (;;) {
        std::size_t k = g.find('^');
        if (k == std::string::npos) k = g.find('/');
        if (k == std::string::npos) k = g.find('*');
        if (k == std::string::npos) break;
        std::size_t L = k - 1;
        while (EhOperando(g, L)) --L;
        std::size_t R = k + 1;
        if (g[R] == '-') ++R;
        while (EhOperando(g, R)) ++R;
        const double a = ConverteReal(std::string_view(g).substr(L + 1, k - L - 1));
        const double b = ConverteReal(std::string_view(g).substr(k + 1, R - k - 1));
        g = g.substr(0, L + 1) + TextoNumero(detail::Opera(g[k], a, b)) + g.substr(R);
    }
    double sum = 0.0;
    std::size_t i = 1;
    const std::size_t fim = g.size() - 1;  // the closing ")"
    while (i < fim) {
        bool negative = false;
        while (i < fim && (g[i] == '+' || g[i] == '-' || g[i] == ' ')) {
            if (g[i] == '-') negative = !negative;
            ++i;
        }
        const std::size_t start = i;
        while (i < fim && EhOperando(g, i)) ++i;
        const double term = ConverteReal(std::string_view(g).substr(start, i - start));
        sum += negative ? -term : term;
        if (i == start) break;
    }
    return TextoNumero(sum);
}

double Recusa() {
    ErroEquacao = kTextoErroEquacao;
    return 0.0;
}

// AvaliaEquacao without the limits, for a text already checked as typed.
double Reduz(std::string_view text) {
    std::string s = "(" + TrocaVirgulaPorPonto(text) + ")";
    for (const char c : s)
        if (!detail::EhCaracterPermitido(c)) return Recusa();
    ErroEquacao.clear();
    std::string n;
    for (;;) {
        const std::size_t p = s.rfind('(');
        if (p == std::string::npos) break;
        const std::size_t q = s.find(')', p);
        if (q == std::string::npos) break;
        n = ReduzGrupo(s.substr(p, q - p + 1));
        s = s.substr(0, p) + n + s.substr(q + 1);
    }
    return ConverteReal(n);
}

}  // namespace

double AvaliaEquacao(std::string_view text) {
    if (ExcessoDaExpressao(text) != ExcessoExpressao::Nenhum) return Recusa();
    return Reduz(text);
}

double AvaliaTexto(std::string_view text, const Memorias& mem) {
    if (ExcessoDaExpressao(text) != ExcessoExpressao::Nenhum) return Recusa();
    return Reduz(TrocaVirgulaPorPonto(SubstituiMemorias(text, mem)));
}

}  // namespace kivo
