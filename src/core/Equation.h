#pragma once
// Expression evaluator. The reference chain rewrites the text exactly as the
// expression language defines it; Formula (FastEquation.h) gives the same
// results without rewriting strings.
#include <string>
#include <string_view>

#include "core/Memory.h"

namespace kivo {

// Error text: "Inconsistência na Equação!" after a refused text, empty
// after an accepted one. Valid until the next evaluation on the same thread:
// one per thread, since projects run on several threads at once (grading a
// class) and each reads the error of its own last evaluation.
extern thread_local std::string EquationError;
inline constexpr std::string_view kEquationErrorText = "Inconsistência na Equação!";

// Upper-cases the text and replaces every "M" + two characters by the number
// text of that variable (1..110), or by "0"; a "M" with fewer than two
// characters after it turns the whole text into "0".
std::string SubstituteVariables(std::string_view text, const Memory& mem);

// Limits of a text typed as an expression. Formulas are typed into one-line
// fields: the example plants' longest has 41 characters and two levels of
// parentheses. The rewriting evaluation grows with the square of the text, so
// a generated text of a megabyte takes seconds at every evaluation; a text
// beyond either limit is refused like an invalid one, before any work.
inline constexpr std::size_t kMaxExpressionCharacters = 4096;
// A hundred times the nesting any formula of the examples uses, and far more
// than anyone types on one line, yet low enough that a deeply nested text
// (which only a program writes) is refused rather than half accepted.
inline constexpr int kMaxExpressionLevels = 200;

enum class ExpressionExcess { None, Length, Nesting };
// Whether a text, as typed (before the variable substitution, which lengthens
// it), is longer than kMaxExpressionCharacters characters or opens more than
// kMaxExpressionLevels parentheses at once. Characters, not bytes, are counted.
ExpressionExcess ExpressionExcessOf(std::string_view text);

// Every "," becomes ".".
std::string ReplaceCommasWithPoints(std::string_view text);

// Evaluates a text of numbers, operators and parentheses by rewriting its
// innermost groups; sets EquationError. A text beyond the limits above is
// refused. Callers that substitute variables check the typed text instead,
// as EvaluateText does.
double EvaluateEquation(std::string_view text);

// The three steps in order, as most callers use them; the limits apply to the
// text as typed.
double EvaluateText(std::string_view text, const Memory& mem);

}  // namespace kivo
