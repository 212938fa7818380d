#include "objects/Blocks.h"

#include <vector>

namespace kivo {
namespace {

struct Division {
    char op = 0;
    std::size_t pos = std::string::npos;
};

// Where the substituted text would hold its selector. The substitution takes
// every "M" (either case) with the two characters after it, so a ">" or "<"
// right after "M" or "M" and one digit is consumed by the reference and
// splits nothing; a "M" with fewer than two characters after it turns the
// whole text into "0", which holds no selector.
Division FindSelector(std::string_view t) {
    std::size_t largest = std::string::npos;
    std::size_t smallest = std::string::npos;
    for (std::size_t i = 0; i < t.size();) {
        const char c = t[i];
        if (c == 'M' || c == 'm') {
            if (t.size() - i - 1 < 2) return {};
            i += 3;
            continue;
        }
        if (c == '>' && largest == std::string::npos) largest = i;
        if (c == '<' && smallest == std::string::npos) smallest = i;
        ++i;
    }
    if (largest != std::string::npos) return {'>', largest};
    if (smallest != std::string::npos) return {'<', smallest};
    return {};
}

}  // namespace

Block::Block(Simulation& sim, int slot) : sim_(sim), slot_(slot), n_(BlockAddress(slot)) {
    upperLimit_.Define(UpperLimitText);
    lowerLimit_.Define(LowerLimitText);
}

double Block::Function(bool& failed) const {
    const Memory& mem = sim_.mem;
    bool leftError = false;
    const double L = left_.Evaluate(mem, leftError);
    if (selector_ == 0) {
        failed = leftError;
        return L;
    }
    bool rightError = false;
    const double R = right_.Evaluate(mem, rightError);
    failed = leftError || rightError;
    if (selector_ == '>') return L > R ? L : R;
    return L < R ? L : R;
}

void Block::ComputeCycle() {
    const Memory& mem = sim_.mem;
    bool failed = false;
    double y = Function(failed);
    if (UpperLimitCheck) {
        const double hi = upperLimit_.Evaluate(mem);
        if (y > hi) y = hi;
    }
    // The lower limit comes last, so it wins when it lies above the upper one.
    if (LowerLimitCheck) {
        const double lo = lowerLimit_.Evaluate(mem);
        if (y < lo) y = lo;
    }
    y_ = y;
    sim_.mem[n_] = y;
}

bool Block::ValidateParameters(bool showMessages) {
    Memory& mem = sim_.mem;
    mem.setDescription(n_, DescriptionText);

    // The texts are stored before any check; the step uses them from the
    // next cycle on, valid or not.
    function_ = FunctionText;
    // A function beyond the limits of an expression is refused whole (it
    // stays one side, which the evaluator refuses), even where each side of
    // its selector would be within them.
    const ExpressionExcess excess = ExpressionExcessOf(function_);
    const Division d = excess == ExpressionExcess::None ? FindSelector(function_) : Division{};
    selector_ = d.op;
    if (d.op == 0) {
        left_.Define(function_);
        right_.Define("");
    } else {
        left_.Define(std::string_view(function_).substr(0, d.pos));
        right_.Define(std::string_view(function_).substr(d.pos + 1));
    }
    upperLimit_.Define(UpperLimitText);
    lowerLimit_.Define(LowerLimitText);

    std::vector<std::string> errors;
    auto error = [&](const std::string& text) { errors.push_back("Bloco " + std::to_string(n_) + text); };
    bool failed = false;
    Function(failed);
    if (failed) error(": Função inválida" + ExcessReason(excess));
    if (UpperLimitCheck) {
        upperLimit_.Evaluate(mem, failed);
        if (failed) error(": Limite Superior inválido" + ExcessReason(upperLimit_.excess()));
    }
    if (LowerLimitCheck) {
        lowerLimit_.Evaluate(mem, failed);
        if (failed) error(": Limite Inferior inválido" + ExcessReason(lowerLimit_.excess()));
    }

    if (showMessages && messages)
        for (const auto& m : errors) messages(m);
    return errors.empty();
}

}  // namespace kivo
