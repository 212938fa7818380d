#pragma once
// Pieces of the expression language shared by the rewriting evaluator and
// the compiled one, so that both compute with the very same operations.
#include <cmath>

namespace kivo::detail {

inline bool IsAllowedCharacter(char c) {
    return (c >= '0' && c <= '9') || c == '.' || c == 'E' || c == ' ' || c == '+' || c == '-' || c == '(' ||
           c == ')' || c == '/' || c == '*' || c == '^';
}

// Characters that may belong to a number, apart from a sign after "E".
inline bool IsNumberCharacter(char c) { return (c >= '0' && c <= '9') || c == ' ' || c == '.' || c == 'E'; }

inline double Operate(char op, double a, double b) {
    switch (op) {
        case '*':
            return a * b;
        case '/':
            return b == 0 ? 9999.0 : a / b;
        default:  // '^'
            if (b == 0) return 1.0;
            // The left operand never carries a sign, so a <= 0 means a = 0.
            if (a > 0) return std::exp(b * std::log(a));
            return 0.0;
    }
}

}  // namespace kivo::detail
