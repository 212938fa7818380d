#include "core/FastEquation.h"

#include <cmath>
#include <utility>

#include "core/Equation.h"
#include "core/EquationOps.h"
#include "core/NumberText.h"

namespace kivo {
namespace {

using Item = Formula::Item;
using Operand = Formula::Operand;
using Step = Formula::Step;
using Trace = Formula::Trace;
using Recording = Formula::Recording;

// More sign patterns than this are evaluated by rewriting every time.
constexpr std::size_t kMaxTraces = 8;
constexpr std::size_t kMaxSteps = 0xFFFF;

bool IsSign(char c) { return c == '+' || c == '-'; }

// The value an operand reads from a recorded number x. A negated number is
// never negative itself (its sign is part of the trace), and the text "-"
// followed by a zero reads +0.
double Read(Operand::Kind kind, double x) {
    switch (kind) {
        case Operand::Modulo:
            return std::fabs(x);
        case Operand::Negated:
            return x == 0 ? 0.0 : -x;
        default:
            return x;
    }
}

Item Character(char c) {
    Item it;
    it.kind = Item::Character;
    it.c = c;
    return it;
}

Item Number(double v) {
    Item it;
    it.kind = Item::Number;
    it.v = v;
    it.c = v < 0 ? '-' : ' ';
    return it;
}

// Replays the rewriting over a sequence of items. A number item stands for
// its 23 characters: the sign position (blank or "-") followed by a body made
// only of characters that belong to a number.
class Rewriter {
public:
    Rewriter(std::vector<Item>& items, const std::string& literals, std::string& conversion, Recording* recording)
        : it_(items), lit_(literals), conv_(conversion), rec_(recording) {}

    double Run() {
        double last = 0.0;
        for (;;) {
            std::size_t p = it_.size();
            for (std::size_t i = it_.size(); i-- > 0;) {
                if (IsChar(i, '(')) {
                    p = i;
                    break;
                }
            }
            if (p == it_.size()) break;
            std::size_t q = p + 1;
            while (q < it_.size() && !IsChar(q, ')')) ++q;
            if (q == it_.size()) break;
            last = ReduceGroup(p, q);
        }
        return last;
    }

private:
    bool IsChar(std::size_t i, char c) const { return it_[i].kind == Item::Character && it_[i].c == c; }

    // The character just before item i.
    char CharacterBefore(std::size_t i) const {
        if (i == 0) return '\0';
        const Item& a = it_[i - 1];
        switch (a.kind) {
            case Item::Character:
                return a.c;
            case Item::Literal:
                return lit_[a.pos + a.len - 1];
            default:
                return '0';  // a number text ends with a digit
        }
    }

    // Whether the whole of item i belongs to an operand where it stands.
    bool IsOperand(std::size_t i) const {
        const Item& a = it_[i];
        switch (a.kind) {
            case Item::Character:
                if (detail::IsNumberCharacter(a.c)) return true;
                return IsSign(a.c) && CharacterBefore(i) == 'E';
            case Item::Literal:
                return true;
            default:
                return a.c == ' ' || CharacterBefore(i) == 'E';
        }
    }

    // Value of the operand made of items [a, b); partial means that item a is
    // a number item whose sign position is not part of the operand.
    double Convert(std::size_t a, std::size_t b, bool partial, Operand& o) {
        if (!partial) {
            while (a < b && IsChar(a, ' ')) ++a;
        }
        while (b > a && IsChar(b - 1, ' ')) --b;
        o = Operand{};
        if (a == b) return 0.0;
        if (b - a == 1) {
            const Item& x = it_[a];
            if (x.kind == Item::Number) {
                o.reg = x.var;
                o.kind = partial ? Operand::Modulo : Operand::Register;
                return partial && x.v < 0 ? -x.v : x.v;
            }
            if (x.kind == Item::Literal) {
                o.c = x.v;
                return x.v;
            }
        }
        // A "-" before a number without its own sign: the "-" left behind
        // when a negative number was an earlier step's left operand, now read
        // as a right operand ("A*-B"). Its body is the number's 15 digits.
        if (b - a == 2 && !partial && IsChar(a, '-') && it_[a + 1].kind == Item::Number && it_[a + 1].c == ' ') {
            o.reg = it_[a + 1].var;
            o.kind = Operand::Negated;
            return Read(Operand::Negated, it_[a + 1].v);
        }
        // Other mixed texts are read as text. Characters and literals alone
        // read the same at every replay; a number inside other text does not.
        bool hasNumber = false;
        for (std::size_t i = a; i < b; ++i) hasNumber = hasNumber || it_[i].kind == Item::Number;
        if (rec_ && hasNumber) rec_->valid = false;
        conv_.clear();
        for (std::size_t i = a; i < b; ++i) {
            const Item& x = it_[i];
            if (x.kind == Item::Character) {
                conv_.push_back(x.c);
            } else if (x.kind == Item::Literal) {
                conv_.append(lit_, x.pos, x.len);
            } else {
                char buf[kNumberTextSize];
                WriteNumberText(x.v, buf);
                const std::size_t skip = (i == a && partial) ? 1 : 0;
                conv_.append(buf + skip, kNumberTextSize - skip);
            }
        }
        const double v = ParseReal(conv_);
        o.c = v;
        return v;
    }

    std::size_t OperandEnd(std::size_t j) const {
        while (j < it_.size() && IsOperand(j)) ++j;
        return j;
    }

    double ReduceGroup(std::size_t p, std::size_t q) {
        for (;;) {
            std::size_t k = 0;
            for (const char op : {'^', '/', '*'}) {
                for (std::size_t i = p + 1; i < q; ++i) {
                    if (IsChar(i, op)) {
                        k = i;
                        break;
                    }
                }
                if (k) break;
            }
            if (!k) break;

            // Left operand: back over operand characters. A negative number
            // item contributes its body but keeps its "-" in the text.
            std::size_t s = k;
            bool partial = false;
            while (s - 1 > p) {
                const std::size_t i = s - 1;
                if (IsOperand(i)) {
                    s = i;
                    continue;
                }
                if (it_[i].kind == Item::Number) {
                    s = i;
                    partial = true;
                }
                break;
            }
            // Right operand: an optional "-" right after the operator, then
            // operand characters.
            std::size_t r = k + 1;
            if (IsChar(r, '-') || (it_[r].kind == Item::Number && it_[r].c == '-')) ++r;
            r = OperandEnd(r);

            Step oneStep;
            oneStep.kind = Step::Operate;
            oneStep.op = it_[k].c;
            const double a = Convert(s, k, partial, oneStep.a);
            const double b = Convert(k + 1, r, false, oneStep.b);
            const Item n = Register(oneStep, Round15(detail::Operate(it_[k].c, a, b)));
            std::size_t from = s;
            if (partial) {
                it_[s] = Character('-');
                from = s + 1;
            }
            it_[from] = n;
            it_.erase(it_.begin() + static_cast<std::ptrdiff_t>(from + 1), it_.begin() + static_cast<std::ptrdiff_t>(r));
            q -= r - from - 1;
        }

        double sum = 0.0;
        Step oneStep;
        oneStep.kind = Step::Sum;
        if (rec_) oneStep.firstTerm = static_cast<std::uint32_t>(rec_->terms.size());
        std::size_t i = p + 1;
        while (i < q) {
            bool negative = false;
            bool partial = false;
            while (i < q) {
                const Item& x = it_[i];
                if (x.kind == Item::Character && (IsSign(x.c) || x.c == ' ')) {
                    if (x.c == '-') negative = !negative;
                    ++i;
                    continue;
                }
                if (x.kind == Item::Number) {
                    // Its sign position belongs to the sign run.
                    if (x.c == '-') negative = !negative;
                    partial = true;
                }
                break;
            }
            if (i >= q) break;
            const std::size_t end = partial ? OperandEnd(i + 1) : OperandEnd(i);
            if (end == i) break;
            Formula::Term t;
            t.negative = negative;
            const double term = Convert(i, end, partial, t.o);
            if (rec_) rec_->terms.push_back(t);
            sum += negative ? -term : term;
            i = end;
        }
        if (rec_) oneStep.terms = static_cast<std::uint32_t>(rec_->terms.size()) - oneStep.firstTerm;
        const Item n = Register(oneStep, Round15(sum));
        it_[p] = n;
        it_.erase(it_.begin() + static_cast<std::ptrdiff_t>(p + 1), it_.begin() + static_cast<std::ptrdiff_t>(q + 1));
        return n.v;
    }

public:
    // The number item of a value a step produced, recorded in the trace.
    Item Register(Step& oneStep, double v) {
        Item n = Number(v);
        if (rec_) {
            if (rec_->steps.size() >= kMaxSteps) rec_->valid = false;
            oneStep.negative = v < 0;
            oneStep.value = v;
            n.var = static_cast<std::uint16_t>(rec_->steps.size());
            rec_->steps.push_back(oneStep);
        }
        return n;
    }

private:

    std::vector<Item>& it_;
    const std::string& lit_;
    std::string& conv_;
    Recording* rec_;
};



}  // namespace

void Formula::Compile(std::string_view text, bool substitute) {
    text_.assign(text);
    substitute_ = substitute;
    invalid_ = false;
    items_.clear();
    literals_.clear();
    traces_.clear();
    numTraces_ = 0;
    constant_ = false;
    // A text beyond the limits is refused before any work on it.
    excess_ = ExpressionExcessOf(text);
    if (excess_ != ExpressionExcess::None) {
        invalid_ = true;
        return;
    }

    // Variable substitution, symbolically: references become variable items.
    std::vector<Item> rawItems;
    rawItems.push_back(Character('('));
    std::string s(text);
    if (substitute) {
        for (char& c : s)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (substitute && c == 'M') {
            if (s.size() - i - 1 < 2) {
                rawItems.resize(1);
                rawItems.push_back(Character('0'));
                break;
            }
            const long long n = ParseLenientInteger(std::string_view(s).substr(i + 1, 2));
            if (n >= 1 && n <= 110) {
                Item v;
                v.kind = Item::Variable;
                v.var = static_cast<std::uint16_t>(n);
                rawItems.push_back(v);
            } else {
                rawItems.push_back(Character('0'));
            }
            i += 2;
            continue;
        }
        rawItems.push_back(Character(c == ',' ? '.' : c));
    }
    rawItems.push_back(Character(')'));

    for (const Item& b : rawItems) {
        if (b.kind == Item::Character && !detail::IsAllowedCharacter(b.c)) {
            invalid_ = true;
            break;
        }
    }

    // Runs of number characters become literals converted once.
    for (std::size_t i = 0; i < rawItems.size();) {
        const Item& b = rawItems[i];
        const bool start = b.kind == Item::Character && b.c != ' ' && detail::IsNumberCharacter(b.c);
        if (!start) {
            items_.push_back(b);
            ++i;
            continue;
        }
        const std::size_t pos = literals_.size();
        while (i < rawItems.size() && rawItems[i].kind == Item::Character) {
            const char c = rawItems[i].c;
            const bool continues = (c != ' ' && detail::IsNumberCharacter(c)) ||
                                  (IsSign(c) && literals_.size() > pos && literals_.back() == 'E');
            if (!continues) break;
            literals_.push_back(c);
            ++i;
        }
        Item lit;
        lit.kind = Item::Literal;
        lit.pos = static_cast<std::uint32_t>(pos);
        lit.len = static_cast<std::uint32_t>(literals_.size() - pos);
        lit.v = ParseReal(std::string_view(literals_).substr(pos, lit.len));
        items_.push_back(lit);
    }
    work_.reserve(items_.size());
    // A text without variables has one value for good.
    if (!invalid_) {
        bool noVariables = true;
        for (const Item& x : items_) noVariables = noVariables && x.kind != Item::Variable;
        if (noVariables) {
            constantValue_ = Interpret(Memory{}, nullptr);
            constant_ = true;
        }
    }
}

double Formula::Interpret(const Memory& mem, Recording* recording) const {
    work_.assign(items_.begin(), items_.end());
    Rewriter r(work_, literals_, conversion_, recording);
    for (Item& x : work_) {
        if (x.kind != Item::Variable) continue;
        Step oneStep;
        oneStep.var = x.var;
        x = r.Register(oneStep, Round15(mem[x.var]));
    }
    return r.Run();
}

bool Formula::Replay(const Trace& t, const Memory& mem, double& out) const {
    double* v = t.values.data();
    const CompiledTerm* terms = t.programTerms.data();
    for (const Instruction& in : t.program) {
        double r;
        switch (in.kind) {
            case Step::Load:
                r = Round15(mem[in.var]);
                break;
            case Step::Operate: {
                const double a = Read(in.readingA, v[in.a]);
                const double b = Read(in.readingB, v[in.b]);
                r = Round15(detail::Operate(in.op, a, b));
                break;
            }
            default: {
                double sum = 0.0;
                for (std::uint32_t j = in.a; j < in.a + in.b; ++j) {
                    const double x = Read(terms[j].reading, v[terms[j].slot]);
                    sum += terms[j].negative ? -x : x;
                }
                r = Round15(sum);
            }
        }
        if ((r < 0) != in.negative) return false;
        v[in.output] = r;
    }
    out = v[t.result];
    return true;
}

// Steps that read no variable give the same value at every replay: they
// become constants, and only the others remain as instructions.
void Formula::Compile(Recording& g, Trace& t) {
    // Everything here fits the space PrepareTraces reserved.
    std::vector<double>& constants = t.values;
    constants.clear();
    t.program.clear();
    t.programTerms.clear();
    std::vector<std::uint32_t>& stepSlot = g.stepSlot;
    stepSlot.assign(g.steps.size(), 0);
    std::vector<char>& constant = g.constant;
    constant.assign(g.steps.size(), 0);
    // Slots of results are numbered after the constants once these are known,
    // so they are first marked with the high bit.
    constexpr std::uint32_t kResult = 0x80000000u;
    auto slot = [&](const Operand& o, Operand::Kind& reading) -> std::uint32_t {
        reading = Operand::Register;
        if (o.kind == Operand::Constant) {
            constants.push_back(o.c);
            return static_cast<std::uint32_t>(constants.size() - 1);
        }
        if (constant[o.reg]) {
            const double c = g.steps[o.reg].value;
            constants.push_back(Read(o.kind, c));
            return static_cast<std::uint32_t>(constants.size() - 1);
        }
        reading = o.kind;
        return stepSlot[o.reg] | kResult;
    };
    std::uint32_t results = 0;
    for (std::size_t i = 0; i < g.steps.size(); ++i) {
        const Step& p = g.steps[i];
        Instruction in;
        in.kind = p.kind;
        in.op = p.op;
        in.negative = p.negative;
        in.var = p.var;
        bool variable = p.kind == Step::Load;
        if (p.kind == Step::Operate) {
            variable = (p.a.kind != Operand::Constant && !constant[p.a.reg]) ||
                       (p.b.kind != Operand::Constant && !constant[p.b.reg]);
            if (variable) {
                in.a = slot(p.a, in.readingA);
                in.b = slot(p.b, in.readingB);
            }
        } else if (p.kind == Step::Sum) {
            for (std::uint32_t j = 0; j < p.terms; ++j) {
                const Operand& o = g.terms[p.firstTerm + j].o;
                if (o.kind != Operand::Constant && !constant[o.reg]) variable = true;
            }
            if (variable) {
                in.a = static_cast<std::uint32_t>(t.programTerms.size());
                in.b = p.terms;
                for (std::uint32_t j = 0; j < p.terms; ++j) {
                    const Term& term = g.terms[p.firstTerm + j];
                    CompiledTerm tc;
                    tc.negative = term.negative;
                    tc.slot = slot(term.o, tc.reading);
                    t.programTerms.push_back(tc);
                }
            }
        }
        constant[i] = !variable;
        // A sum of one term that gives a result back with its own sign (a
        // number whose "-" became the sign run, or a positive one) leaves it
        // unchanged, as it already has 15 digits: reuse its slot.
        if (variable && p.kind == Step::Sum && p.terms == 1) {
            const Term& single = g.terms[p.firstTerm];
            const bool sameValue =
                (single.o.kind == Operand::Register && !single.negative) ||
                (single.o.kind == Operand::Modulo && single.negative == g.steps[single.o.reg].negative);
            if (sameValue) {
                t.programTerms.pop_back();
                stepSlot[i] = stepSlot[single.o.reg];
                continue;
            }
        }
        if (variable) {
            stepSlot[i] = results++;
            in.output = stepSlot[i] | kResult;
            t.program.push_back(in);
        }
    }
    const std::size_t last = g.steps.size() - 1;
    if (constant[last]) constants.push_back(g.steps[last].value);
    const auto base = static_cast<std::uint32_t>(constants.size());
    t.result = constant[last] ? base - 1 : stepSlot[last] + base;
    auto fixed = [base](std::uint32_t& s) {
        if (s & kResult) s = (s & ~kResult) + base;
    };
    for (Instruction& in : t.program) {
        if (in.kind == Step::Operate) {
            fixed(in.a);
            fixed(in.b);
        }
        fixed(in.output);
    }
    for (CompiledTerm& tc : t.programTerms) fixed(tc.slot);
    t.values.resize(base + results);
}

// The bounds follow from the items: each step consumes a variable, an
// operator or a "(" of the text, each term at least one item of its group,
// and the values are the constants read (at most two per operation, one per
// term and the result) and one result per step.
void Formula::PrepareTraces() const {
    const std::size_t n = items_.size() + 1;
    recording_.steps.reserve(n);
    recording_.terms.reserve(n);
    recording_.stepSlot.reserve(n);
    recording_.constant.reserve(n);
    traces_.resize(kMaxTraces);
    for (Trace& t : traces_) {
        t.program.reserve(n);
        t.programTerms.reserve(n);
        t.values.reserve(4 * n);
    }
}

double Formula::Run(const Memory& mem) const {
    double out = 0.0;
    for (std::size_t i = 0; i < numTraces_; ++i) {
        if (!Replay(traces_[i], mem, out)) continue;
        // Signs change seldom: the trace that fitted is tried first next time.
        if (i != 0) std::swap(traces_[0], traces_[i]);
        return out;
    }
    if (numTraces_ >= kMaxTraces) return Interpret(mem, nullptr);
    if (traces_.empty()) PrepareTraces();
    Recording& g = recording_;
    g.steps.clear();
    g.terms.clear();
    g.valid = true;
    out = Interpret(mem, &g);
    if (g.valid) Compile(g, traces_[numTraces_++]);
    return out;
}

double Formula::Evaluate(const Memory& mem) const {
    bool error = false;
    const double v = Evaluate(mem, error);
    if (error)
        EquationError.assign(kEquationErrorText);
    else
        EquationError.clear();
    return v;
}

}  // namespace kivo
