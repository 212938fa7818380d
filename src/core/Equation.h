#pragma once
// Expression evaluator. The reference chain rewrites the text exactly as the
// expression language defines it; Formula (FastEquation.h) gives the same
// results without rewriting strings.
#include <string>
#include <string_view>

#include "core/Memorias.h"

namespace kivo {

// Shared error text: "Inconsistência na Equação!" after a refused text, empty
// after an accepted one. Valid until the next evaluation.
extern std::string ErroEquacao;
inline constexpr std::string_view kTextoErroEquacao = "Inconsistência na Equação!";

// Upper-cases the text and replaces every "M" + two characters by the number
// text of that variable (1..110), or by "0"; a "M" with fewer than two
// characters after it turns the whole text into "0".
std::string SubstituiMemorias(std::string_view text, const Memorias& mem);

// Every "," becomes ".".
std::string TrocaVirgulaPorPonto(std::string_view text);

// Evaluates a text of numbers, operators and parentheses by rewriting its
// innermost groups; sets ErroEquacao.
double AvaliaEquacao(std::string_view text);

// The three steps in order, as most callers use them.
double AvaliaTexto(std::string_view text, const Memorias& mem);

}  // namespace kivo
