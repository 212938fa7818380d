#include "objects/Linearizer.h"

#include <cmath>
#include <string_view>

#include "core/NumberText.h"

namespace kivo {

Linearizer::Linearizer(Simulation& sim) : sim_(sim) {}

double Linearizer::Field::Read(const std::string& t) {
    if (!loaded || t != text) {
        text = t;
        value = ParseReal(t);
        loaded = true;
    }
    return value;
}

int Linearizer::InputAddress() const {
    // Only the two leading characters count, so an address needs two digits.
    // The integer conversion skips leading blanks but takes nothing after the
    // digits: "1 MV" gives "1 ", which selects nothing.
    const std::string_view text = Lin1InputAddress.size() < 2 ? std::string_view("  ") : std::string_view(Lin1InputAddress).substr(0, 2);
    int n = 0;
    if (text.back() == ' ' || !ParseStrictInteger(text, n) || n < 1 || n > 99) return 0;
    return n;
}

// A segment whose two MV values are equal (or not far enough apart for a
// finite slope) is vertical: every PV along it maps to its MV. A segment whose
// two PV values are equal is flat and has no inverse; it takes no part in the
// output, like a switched-off point. Thus M13 never becomes NaN or infinite
// from the table; an output that still overflows leaves M13 unchanged.
void Linearizer::ComputeCycle() {
    Memory& mem = sim_.mem;
    const int address = InputAddress();
    const double x = address == 0 ? 0.0 : mem[address];

    mv_[0] = mvField_[0].Read(Lin1MV[0]);
    pv_[0] = pvField_[0].Read(Lin1PV[0]);
    for (std::size_t k = 1; k < kPoints; ++k) {
        mv_[k] = mvField_[k].Read(Lin1MV[k]);
        if (mv_[k] == 0) continue;  // point switched off: keeps its last values
        pv_[k] = pvField_[k].Read(Lin1PV[k]);
        const double s = (pv_[k] - pv_[k - 1]) / (mv_[k] - mv_[k - 1]);
        if (!std::isfinite(s)) {
            shape_[k] = Shape::Vertical;
            s_[k] = 0;
            b_[k] = 0;
            e_[k] = pv_[k];
        } else {
            shape_[k] = s == 0 ? Shape::Flat : Shape::Normal;
            s_[k] = s;
            b_[k] = pv_[k] - s * mv_[k];
            e_[k] = s * mv_[k] + b_[k];
        }
    }

    auto usable = [&](std::size_t k) { return mv_[k] != 0 && shape_[k] != Shape::Flat; };
    std::size_t chosen = 0;
    for (std::size_t k = 1; k <= 4 && chosen == 0; ++k)
        if (usable(k) && x < e_[k]) chosen = k;
    if (chosen == 0 && usable(5)) chosen = 5;
    if (chosen == 0) return;  // no segment: M13 keeps its value

    const std::size_t k = chosen;
    const double output = shape_[k] == Shape::Vertical ? mv_[k] : x * (1 / s_[k]) - b_[k] / s_[k];
    if (std::isfinite(output)) mem[kOutput] = output;
}

}  // namespace kivo
