// kivo-batch eval: the expression chain on the command line.
#include <cstdio>
#include <string>

#include "cli/Commands.h"
#include "core/Equation.h"
#include "core/Memorias.h"
#include "core/NumberText.h"
#include "objects/Campos.h"

namespace kivo::cli {

namespace {

// "Mnn=VALUE" with nn in 1..124 and VALUE one well-formed number (a decimal
// comma allowed, as in a window's field): "1e" or "--1" are refused rather
// than read as the longest number they begin with. On failure, returns why.
std::string LeAtribuicao(const std::string& s, Memorias& mem) {
    const auto eq = s.find('=');
    int k = 0;
    if (eq == std::string::npos || eq < 2 || (s[0] != 'M' && s[0] != 'm') ||
        !ConverteInteiroEstrito(std::string_view(s).substr(1, eq - 1), k) || k < 1 || k > kNumVariaveis)
        return "expected Mnn=VALUE, nn in 1..124";
    double valor = 0;
    if (!LeNumeroCampo(std::string_view(s).substr(eq + 1), valor))
        return "'" + s.substr(eq + 1) + "' is not a number";
    mem[k] = valor;
    return {};
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
                "result as a 23-character number text. VALUE is one number, with a decimal\n"
                "point or comma. Exit code 2 on bad arguments, 3 when the expression is refused.\n");
            return kOk;
        }
        if (a == "--set") {
            if (i + 1 >= args.size()) {
                std::fprintf(stderr, "kivo-batch eval: --set needs Mnn=VALUE\n");
                return kUso;
            }
            if (const std::string erro = LeAtribuicao(args[++i], mem); !erro.empty()) {
                std::fprintf(stderr, "kivo-batch eval: invalid assignment '%s': %s\n", args[i].c_str(), erro.c_str());
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
