#pragma once
// Linearizer: a table of six points PV = f(MV); at every step the input
// value is taken as a PV and the MV the curve maps to it, by inverse
// piecewise-linear interpolation, is written to M13.
//
// Fields, as typed (the project file stores them), re-read at every step:
//   Lin1InputAddress       input: its first two characters give the address
//   Lin1OutputAddress       "M13", shown only
//   Lin1MV[0..5]     the fields Lin1MV1..Lin1MV6
//   Lin1PV[0..5]     the fields Lin1PV1..Lin1PV6
//   Lin1Enabled       the cycle's enable flag (held by Simulation)
// Working values (MV, PV, per segment slope, intercept and upper end) live
// as long as the object; a switched-off point keeps them.
#include <array>
#include <string>

#include "core/Cycle.h"

namespace kivo {

class LineWriter;
class LineReader;

class Linearizer : public CycleObject {
public:
    static constexpr int kPoints = 6;
    static constexpr int kOutput = 13;

    explicit Linearizer(Simulation& sim);

    void ComputeCycle() override;
    void SaveState(StateWriter& w) const override;
    void RestoreState(StateReader& r) override;

    bool Lin1Enabled() const { return sim_.linearizerActive; }
    void SetLin1Enabled(bool v) { sim_.linearizerActive = v; }

    void SaveParameters(LineWriter& w) const;
    void ReadParameters(LineReader& r);

    // Address read by the step, 0 when the text selects none.
    int InputAddress() const;

    std::string Lin1InputAddress = "01 MV";
    std::string Lin1OutputAddress = "M13";
    std::array<std::string, kPoints> Lin1MV{"0", "20", "40", "60", "80", "100"};
    std::array<std::string, kPoints> Lin1PV{"0", "20", "40", "60", "80", "100"};

private:
    // A field re-read at every step: converted again only when its text
    // changed since the last step.
    struct Field {
        std::string text;
        double value = 0;
        bool loaded = false;
        double Read(const std::string& t);
    };

    // How a segment inverts.
    enum class Shape : unsigned char { Normal, Vertical, Flat };

    Simulation& sim_;
    std::array<Field, kPoints> mvField_;
    std::array<Field, kPoints> pvField_;
    std::array<double, kPoints> mv_{};
    std::array<double, kPoints> pv_{};
    // Per segment k = 2..6 (index k-1): slope, intercept, upper end, form.
    std::array<double, kPoints> s_{};
    std::array<double, kPoints> b_{};
    std::array<double, kPoints> e_{};
    std::array<Shape, kPoints> shape_{};
};

}  // namespace kivo
