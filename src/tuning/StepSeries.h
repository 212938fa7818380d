#pragma once
// A step test as a time series of MV and PV (both in % of span), read from
// the files and histories the simulator writes, and the step found in it.
// Identification needs one step of MV with the loop in manual; FindStep
// refuses, with a message saying why, a series from which no honest model
// can be fitted.
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace kivo {
class ControllerTrend;
}

namespace kivo::tuning {

// Bad input for the tuning assistant. Both texts are built at once; what()
// holds the English one.
class TuningError : public std::runtime_error {
public:
    // TooFewSamples: the data stop too soon around the step, which a longer
    // record (a slower trend time base) would mend; callers can say so.
    enum class Kind { Other, TooFewSamples };

    TuningError(std::string portuguese, std::string english, Kind kind = Kind::Other)
        : std::runtime_error(std::move(english)), portuguese_(std::move(portuguese)), kind_(kind) {}
    std::string Message(bool english) const { return english ? what() : portuguese_; }
    Kind kind() const { return kind_; }

private:
    std::string portuguese_;
    Kind kind_;
};

struct StepSeries {
    std::vector<double> t;   // s, increasing
    std::vector<double> mv;  // %
    std::vector<double> pv;  // %
    std::size_t size() const { return t.size(); }
    void Add(double ti, double mvi, double pvi) {
        t.push_back(ti);
        mv.push_back(mvi);
        pv.push_back(pvi);
    }
};

// The kind of file, told from its first line (or, for an archive, its
// extension).
enum class SeriesFormat { Csv, FaceplateLog, RecorderLog, Txd };

// Reads a series:
//  - CSV as kivo-batch bumptest writes it: a header naming the columns "t",
//    "MV" and "PV" (in any order, others ignored), then numbers;
//  - a controller faceplate data log: "Tempo (...);PV;SP;MV", decimal point
//    or comma;
//  - a trend recorder data log: "Tempo (...);name1;name2;name3"; the PV is
//    the column named "PV" (else curve 1), the MV the column named "MV" or
//    "CO" (else curve 3). Values must be in % (a log written in engineering
//    units cannot be told apart and gives a gain in the wrong units);
//  - a fast-simulation archive (".txd"): MV is M(mvAddress), PV M(pvAddress),
//    one line per simulated second.
// Throws TuningError naming the file and the line, also for an MV or PV
// beyond kMaxValue either way, which no log of a plant holds.
StepSeries ReadSeries(const std::filesystem::path& file, int mvAddress = 0, int pvAddress = 0);
// Throws TuningError, as ReadSeries, for a file that cannot be read.
SeriesFormat FormatOf(const std::filesystem::path& file);

// The faceplate trend of a controller: the last samples (at most 450) of PV
// as held and of CO as drawn (0.5 % resolution). sampleTime is the time
// between two samples: the cycle time times 1, 3 or 20 by the time base.
StepSeries SeriesFromTrend(const ControllerTrend& trend, double sampleTime);

// The step used for identification, and the stretch of data around it in
// which MV is constant on both sides.
struct Step {
    std::size_t first = 0;  // first sample of the usable window (before the step)
    std::size_t index = 0;  // first sample holding the new MV
    std::size_t last = 0;   // one past the last sample of the window
    double t0 = 0;          // time of the step: the first sample showing the new MV
    double mvBefore = 0, mvAfter = 0;
    // The PV touches 0 or 100 % in the window: clamped there, it no longer
    // shows the process, and identification leaves those samples out.
    bool clamped = false;
    double dmv() const { return mvAfter - mvBefore; }
};

// Finds the largest MV step with the loop in manual. Refuses (TuningError):
// a series too short, no step of MV (at least kMinStep %), an MV that moves
// all the time (the loop in automatic), too few samples before or after the
// step (samples with the PV at 0 or 100 % not counted), and a PV that does
// not move after it.
Step FindStep(const StepSeries& s);

// A PV held at the end of its span, where the simulator clamps it (values
// beyond come from the plant's memory, unclamped, and are real).
inline bool Clamped(double pv) { return pv == 0 || pv == 100; }

// Refuses (TuningError) a series the models cannot be fitted to honestly:
// times not evenly sampled (a step more than kMaxStepRatio times the
// series' usual one, or less than 1/kMaxStepRatio of it), a sample time
// outside kMinSampleTime..kMaxSampleTime, or a record longer than
// kMaxDuration. Such series come from hand-edited or damaged files and
// would give time constants of any size. FindStep and Identify call it.
void CheckSampling(const StepSeries& s);

// The decimals that show the series' sample interval exactly (0.1 s: one),
// so that its times print on the sample grid: 10.1, not the
// 10.100000000000001 that 101 x 0.1 gives. An interval with no short
// decimal form (1/3 s) gets four significant digits.
int TimeDecimals(const StepSeries& s);
// t rounded to that many decimals.
double OnGrid(double t, int decimals);

inline constexpr double kMinStep = 0.5;            // % of span
inline constexpr std::size_t kMinSamples = 20;     // in the whole series
inline constexpr std::size_t kMinAfterStep = 15;   // samples after the step
inline constexpr double kMaxStepRatio = 3;         // uneven sampling
inline constexpr double kMinSampleTime = 0.001;    // s
inline constexpr double kMaxSampleTime = 3600;     // s
inline constexpr double kMaxDuration = 7 * 86400;  // s, a week of record
inline constexpr double kMaxValue = 1e6;           // %, MV or PV in a file

}  // namespace kivo::tuning
