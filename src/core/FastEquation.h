#pragma once
// Compiled expressions: a text is analysed once and then evaluated against
// the current memory as often as needed, giving bit for bit the value and
// the error of SubstituteVariables + ReplaceCommasWithPoints + EvaluateEquation.
//
// The rewriting evaluator's meaning depends on characters (a substituted
// negative value brings its own "-" into the text, a positive one a blank),
// so the compiled form keeps the character sequence, but as items: single
// characters, literal numbers converted once, and number items holding a
// double instead of their 23 characters. Evaluating replays the rewriting
// over these items without formatting or parsing text, and without heap
// allocation once the formula has been evaluated the first time.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Equation.h"
#include "core/Memory.h"

namespace kivo {

class Formula {
public:
    // Compiled from the start, so that Define has only the text to compare.
    Formula() { Compile("", true); }
    // substitute = false skips the variable substitution, as callers do where
    // variables are not allowed.
    explicit Formula(std::string_view text, bool substitute = true) { Compile(text, substitute); }

    // Recompiles only when the text or the mode changes; models call it with
    // their field at every cycle, so the unchanged case stays inline.
    void Define(std::string_view text, bool substitute = true) {
        if (substitute == substitute_ && SameText(text)) return;
        Compile(text, substitute);
    }
    const std::string& text() const { return text_; }

    // Evaluates and sets EquationError, like the reference chain.
    double Evaluate(const Memory& mem) const;
    // Evaluates without touching EquationError; error tells whether it was refused.
    // Inline, as models evaluate constant texts at every cycle.
    double Evaluate(const Memory& mem, bool& error) const {
        error = invalid_;
        if (constant_) return constantValue_;
        return invalid_ ? 0.0 : Run(mem);
    }
    // True when the text is refused whatever the memory holds.
    bool Invalid() const { return invalid_; }
    // Which limit of a typed expression the text exceeds, if any (it is then
    // refused).
    ExpressionExcess Excess() const { return excess_; }

    struct Item {
        enum Kind : std::uint8_t { Character, Number, Literal, Variable };
        Kind kind = Character;
        char c = ' ';             // Character: the character; Number: sign position
        std::uint16_t var = 0;    // Variable: address; Number: register in a trace
        std::uint32_t pos = 0;    // Literal: span in literals_
        std::uint32_t len = 0;
        double v = 0.0;           // Number: value; Literal: converted value
    };

    // A trace is the sequence of arithmetic one rewriting performed. The
    // rewriting's course depends on the memory only through the signs of
    // the numbers it writes back, so a trace replays any evaluation that
    // produces the same signs; each step checks its sign.
    // How an operand reads a recorded number: as it is, its magnitude (the
    // number's "-" stayed in the text), or its magnitude after a "-" that
    // stands before it in the text (which reads a zero as +0).
    struct Operand {
        enum Kind : std::uint8_t { Constant, Register, Modulo, Negated };
        Kind kind = Constant;
        std::uint16_t reg = 0;
        double c = 0.0;
    };
    struct Step {
        enum Kind : std::uint8_t { Load, Operate, Sum };
        Kind kind = Load;
        char op = 0;
        bool negative = false;  // sign the step produced when recorded
        bool constant = false;  // depends on no variable: value is its result
        double value = 0.0;
        std::uint16_t var = 0;
        Operand a, b;
        std::uint32_t firstTerm = 0, terms = 0;
    };
    struct Term {
        Operand o;
        bool negative = false;
    };
    // The replayable form of a trace: steps that read a variable, over one
    // array of values that holds the constants first, then the results.
    struct Instruction {
        Step::Kind kind = Step::Load;
        char op = 0;
        bool negative = false;
        Operand::Kind readingA = Operand::Register, readingB = Operand::Register;
        std::uint32_t a = 0, b = 0;  // Operate: operand slots; Sum: first term and count
        std::uint32_t output = 0;    // slot written
        std::uint16_t var = 0;
    };
    struct CompiledTerm {
        std::uint32_t slot = 0;
        Operand::Kind reading = Operand::Register;
        bool negative = false;
    };
    // What one rewriting recorded, and the scratch space that turns it into
    // a trace.
    struct Recording {
        std::vector<Step> steps;
        std::vector<Term> terms;
        bool valid = true;       // false when a step read a number inside other text
        std::vector<std::uint32_t> stepSlot;
        std::vector<char> constant;
    };
    struct Trace {
        std::vector<Instruction> program;
        std::vector<CompiledTerm> programTerms;
        std::uint32_t result = 0;
        mutable std::vector<double> values;
    };

private:
    // Model texts are short: a plain loop beats a call to the library's
    // comparison.
    bool SameText(std::string_view text) const {
        if (text.size() != text_.size()) return false;
        for (std::size_t i = 0; i < text.size(); ++i)
            if (text[i] != text_[i]) return false;
        return true;
    }
    void Compile(std::string_view text, bool substitute);
    double Run(const Memory& mem) const;
    double Interpret(const Memory& mem, Recording* recording) const;
    bool Replay(const Trace& t, const Memory& mem, double& out) const;
    void PrepareTraces() const;
    static void Compile(Recording& g, Trace& t);

    std::string text_;
    bool substitute_ = true;
    bool invalid_ = false;
    ExpressionExcess excess_ = ExpressionExcess::None;
    bool constant_ = false;
    double constantValue_ = 0.0;
    std::vector<Item> items_;
    std::string literals_;
    // Traces of the sign patterns met so far (the first numTraces_), and
    // scratch space reused by every evaluation. All of it is sized for the
    // largest trace the items allow at the first recording, so that a sign
    // pattern met later is recorded without heap allocation.
    mutable std::vector<Trace> traces_;
    mutable std::size_t numTraces_ = 0;
    mutable Recording recording_;
    mutable std::vector<Item> work_;
    mutable std::string conversion_;
};

}  // namespace kivo
