#pragma once
// The evaluator's reference cases, shared by the rewriting and the compiled
// evaluator tests.
#include <vector>

#include "core/Memory.h"

namespace kivo::testing {

struct EquationCase {
    const char* text;
    double value;
    bool error;
};

// Variable values the cases assume.
inline void PrepareMemory(Memory& mem) {
    mem[1] = 7.25;
    mem[5] = -3;
    mem[21] = 40;
}

inline const std::vector<EquationCase>& EquationCases() {
    static const std::vector<EquationCase> cases = {
        {"", 0, false},
        {"  ", 0, false},
        {"2+3*4", 14, false},
        {"(2+3)*4", 20, false},
        {"2^3^2", 64, false},
        {"-2^2", -4, false},
        {"2^-1", 0.5, false},
        {"6*-2", -12, false},
        {"6*2/0", 6 * 9999.0, false},
        {"1/0", 9999, false},
        {"0^0", 1, false},
        {"0^2", 0, false},
        {"1/3*3", 0.999999999999999, false},
        {"1,5*2", 3, false},
        {"1.5E+2", 150, false},
        {"1.5e2", 150, false},
        {"M05^2", -9, false},
        {"2*M05", -6, false},
        {"1-M05", 4, false},
        {"M21/2+1", 21, false},
        {"LN(2)", 0, true},
        {"M5", 0, false},
        {"M00", 0, false},
        {"M1A", 7.25, false},
        {"2*(3", 3, false},
        {"2)*3", 2, false},
        {"(((4))))", 4, false},
        {"(((4)))", 4, false},
        {"2*+3", 3, false},
        {"2 * 3", 6, false},
        {"1.5 * 2", 3, false},
        {"M21 + 10", 50, false},
        {"(0-3)^2", -9, false},
        {"m21*0,5+10", 30, false},
        {"10%", 0, true},
        // A sign and a blank before the digits read as a signed number.
        {"2*-3^2", -18, false},
        // A blank between digits: the number ends at the blank.
        {"2 3+1", 3, false},
        // Overflow saturates instead of becoming infinite.
        {"10^400", 1.79769313486231e308, false},
        {"10^400*10", 1.79769313486231e308, false},
        {"0-10^400*10", -1.79769313486231e308, false},
        {"M99", 0, false},
        {"M-1", 0, false},
    };
    return cases;
}

}  // namespace kivo::testing
