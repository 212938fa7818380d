// kivo-batch eval: the expression chain on the command line.
#include <cstdio>
#include <string>

#include "cli/Commands.h"
#include "core/Equation.h"
#include "core/Memorias.h"
#include "core/NumberText.h"

namespace kivo::cli {

namespace {

// "Mnn=VALUE" with nn in 1..124 and a well-formed number.
bool LeAtribuicao(const std::string& s, Memorias& mem) {
    const auto eq = s.find('=');
    if (eq == std::string::npos || eq < 2 || (s[0] != 'M' && s[0] != 'm')) return false;
    int k = 0;
    if (!ConverteInteiroEstrito(std::string_view(s).substr(1, eq - 1), k) || k < 1 || k > kNumVariaveis) return false;
    const std::string value = TrocaVirgulaPorPonto(s.substr(eq + 1));
    const std::size_t b = value.find_first_not_of(' ');
    if (b == std::string::npos) return false;
    // Refuse trailing garbage: the value must be a number and nothing else.
    const std::string trimmed = value.substr(b, value.find_last_not_of(' ') - b + 1);
    if (trimmed.find_first_not_of("0123456789.eE+-") != std::string::npos) return false;
    if (trimmed.find_first_of("0123456789") == std::string::npos) return false;
    mem[k] = ConverteReal(trimmed);
    return true;
}

}  // namespace

int ComandoEval(const Args& args) {
    Memorias mem;
    std::string expr;
    bool haveExpr = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help") {
            std::printf(
                "Usage: kivo-batch eval EXPR [--set Mnn=VALUE ...]\n"
                "Sets the variables, substitutes them into EXPR, evaluates it and prints the\n"
                "result as a 23-character number text. Exit code 3 when the expression is refused.\n");
            return kOk;
        }
        if (a == "--set") {
            if (i + 1 >= args.size()) {
                std::fprintf(stderr, "kivo-batch eval: --set needs Mnn=VALUE\n");
                return kUso;
            }
            if (!LeAtribuicao(args[++i], mem)) {
                std::fprintf(stderr, "kivo-batch eval: invalid assignment '%s' (expected Mnn=VALUE, nn in 1..124)\n",
                             args[i].c_str());
                return kUso;
            }
            continue;
        }
        if (haveExpr) {
            std::fprintf(stderr, "kivo-batch eval: unexpected argument '%s'\n", a.c_str());
            return kUso;
        }
        expr = a;
        haveExpr = true;
    }
    if (!haveExpr) {
        std::fprintf(stderr, "kivo-batch eval: missing expression (see kivo-batch eval --help)\n");
        return kUso;
    }
    const double v = AvaliaTexto(expr, mem);
    std::printf("%s\n", TextoNumero(v).c_str());
    if (!ErroEquacao.empty()) {
        std::fprintf(stderr, "%s\n", ErroEquacao.c_str());
        return kEntradaInvalida;
    }
    return kOk;
}

}  // namespace kivo::cli
