// kivo-batch eval: the expression chain on the command line.
#include <cstdio>
#include <string>

#include "cli/Commands.h"
#include "core/Equation.h"
#include "core/Memory.h"
#include "core/NumberText.h"
#include "objects/Fields.h"

namespace kivo::cli {

namespace {

// "Mnn=VALUE" with nn in 1..124 and VALUE one well-formed number (a decimal
// comma allowed, as in a window's field): "1e" or "--1" are refused rather
// than read as the longest number they begin with. On failure, returns why.
std::string ReadAssignment(const std::string& s, Memory& mem) {
    const auto eq = s.find('=');
    int k = 0;
    if (eq == std::string::npos || eq < 2 || (s[0] != 'M' && s[0] != 'm') ||
        !ParseStrictInteger(std::string_view(s).substr(1, eq - 1), k) || k < 1 || k > kNumVariables)
        return "expected Mnn=VALUE, nn in 1..124";
    double value = 0;
    if (!ReadNumberField(std::string_view(s).substr(eq + 1), value))
        return "'" + s.substr(eq + 1) + "' is not a number";
    mem[k] = value;
    return {};
}

}  // namespace

int EvalCommand(const Args& args) {
    Memory mem;
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
                return kUsage;
            }
            if (const std::string error = ReadAssignment(args[++i], mem); !error.empty()) {
                std::fprintf(stderr, "kivo-batch eval: invalid assignment '%s': %s\n", args[i].c_str(), error.c_str());
                return kUsage;
            }
            continue;
        }
        if (haveExpr) {
            std::fprintf(stderr, "kivo-batch eval: unexpected argument '%s'\n", a.c_str());
            return kUsage;
        }
        expr = a;
        haveExpr = true;
    }
    if (!haveExpr) {
        std::fprintf(stderr, "kivo-batch eval: missing expression (see kivo-batch eval --help)\n");
        return kUsage;
    }
    const double v = EvaluateText(expr, mem);
    std::printf("%s\n", NumberText(v).c_str());
    if (!EquationError.empty()) {
        std::fprintf(stderr, "%s\n", EquationError.c_str());
        return kInvalidInput;
    }
    return kOk;
}

}  // namespace kivo::cli
