#pragma once
// Signal generator bank: 16 rows g = 81..96, row g writing M(g). Rows 81..90
// offer constants, fast, medium and slow random noise, a sine and a random
// walk, rows 81..85 also equations, LN() and Exp(); rows 91..96 constants.
//
// Fields per row (GeneratorRow, as typed; the record stores them): Kind (kind
// index 0..9), Desc, Min, Max, Value (texts), DigitalValue (0/1 selector),
// UpDown (spin position 0..100). Parameters set by the apply (rows 81..90):
// min, max, P3, W. State: target and y (medium random), t (sine time), the
// stored equation (rows 81..85). A record's medium-random value goes to y.
#include <array>
#include <string>

#include "core/Cycle.h"
#include "objects/LiveExpression.h"

namespace kivo {

class LineWriter;
class LineReader;

struct GeneratorRow {
    enum Kind {
        Constant = 0,
        Constant01 = 1,
        FastRandom = 2,
        MediumRandom = 3,
        SlowRandom = 4,
        Sine = 5,
        RandomWalk = 6,
        Equation = 7,
        Logarithm = 8,
        Exponential = 9,
    };

    int Kind = Constant;
    std::string Desc = "Descrição";
    std::string Min = "Min.";
    std::string Max = "Máx.";
    std::string Value = "Valor";
    int DigitalValue = 0;
    int UpDown = 0;

    double min = 0;
    double max = 0;
    double P3 = 0;  // tau, band half-width or period, by kind
    double W = 0;   // random walk

    double target = 0;        // medium random target
    double y = 0;             // medium random filter output
    double t = 0;             // sine time, s
    LiveExpression equation;  // stored at apply (kinds 7..9)
    LiveExpression period;    // the Desc text of a sine, read every tick
};

class Generators : public CycleObject {
public:
    static constexpr int kFirst = 81;
    static constexpr int kLast = 96;
    static constexpr int kLastDynamic = 90;   // rows with a step
    static constexpr int kLastEquation = 85;  // rows offering kinds 7..9

    explicit Generators(Simulation& sim);

    GeneratorRow& line(int g) { return lines_[static_cast<std::size_t>(g - kFirst)]; }
    const GeneratorRow& line(int g) const { return lines_[static_cast<std::size_t>(g - kFirst)]; }

    void ComputeCycle() override;
    void SaveState(StateWriter& w) const override;
    void RestoreState(StateReader& r) override;
    // Reads every row into the bank's parameters and the variable memory.
    void ApplyParameters();
    // After a change of row g's kind: placeholder texts (not while loading a
    // project), the description of M(g), and rows 81..90 lose their
    // parameters until the next apply.
    void LayoutRow(int g, bool loading);
    // The project reset recreates the bank, except the sine times and the
    // medium-random targets, which live as long as the program: the reset
    // applies the bank (as closing it does) and then calls this instead of
    // destroying the object.
    void Reset();

    void SaveParameters(LineWriter& w) const;
    void ReadParameters(LineReader& r);

private:
    // Writes a value the step computed, and shows it in the row's Value
    // field; a value that is not a finite number is not written.
    void Write(GeneratorRow& l, int g, double v);
    // The step of row g of a kind that changes its output.
    void StepRow(int g);

    Simulation& sim_;
    std::array<GeneratorRow, kLast - kFirst + 1> lines_;
};

// Seeds the shared random generator from the clock, once at program start.
void SeedFromClock(RandomGenerator& randomGenerator);

}  // namespace kivo
