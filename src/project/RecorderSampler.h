#pragma once
// The running part of a trend recorder: the ring of the last 450 samples,
// the trend range, pause, cursor readout and the data log. It belongs to the
// recorder (RecorderData), whose settings it samples by, and is stepped
// by the cycle with it, so a recorder samples whether or not its window was
// ever built. The options that the project does not keep (scale, "Auto",
// thick line, log options) live here too, beside the samples, so that a
// window holds no setting of its own.
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "core/StateBytes.h"
#include "project/TrendLog.h"

namespace kivo {

class RecorderData;
class Memory;

class RecorderObserver {
public:
    virtual ~RecorderObserver() = default;
    // After each sample: what the window redraws. A log whose line the
    // system refused is closed by then (isLogging() is false).
    virtual void OnSample() = 0;
};

class RecorderSampler {
public:
    static constexpr int kSamples = 450;
    static constexpr int kNone = 124;  // the last entry of the lists of variables 2 and 3
    enum Curve { Curve1, Curve2, Curve3 };

    RecorderSampler(const Memory& mem, const RecorderData& data) : mem_(mem), data_(data) {}
    RecorderSampler(const RecorderSampler&) = delete;
    RecorderSampler& operator=(const RecorderSampler&) = delete;

    // One sampling step, at the end of every real-time cycle.
    void ComputeCycle();

    // The samples and the sampling count, for a snapshot; the scale, the
    // options and the log are the operator's, not the plant's.
    void SaveState(StateWriter& w) const;
    void RestoreState(StateReader& r);

    // Applies the settings and rescales: variable 1's range and unit, the
    // trend range from "Auto" or the full span, curves 1 and 2 recomputed.
    void UpdateRecorder();
    // Takes top and bottom in engineering units; fills the nine scale
    // labels and sets the trend range in % of variable 1's span.
    void UpdateScale(double topEU, double baseEU);
    // Enter in a scale field: "Auto" goes off; the range is taken only when
    // both texts are numbers and bottom < top. Returns whether it was.
    bool SetManualScale(const std::string& upper, const std::string& inf);

    // The readout of a press at (x, y) on the 450 x 200 chart while paused:
    // sup and inf are the scale fields' texts.
    std::string Coordinate(int x, int y, const std::string& upper, const std::string& inf) const;
    // The cursor label to write next (1..6); advances 1..6, 1.
    int NextCursor();

    // Address of each curve's variable (0 for none).
    int Address(int curve) const;

    // The data log: tag + "_" + k + ".txt" in folder for the smallest free k.
    // Returns false (and logs nothing) when the file cannot be created;
    // log().Error says why.
    bool StartLog(const std::filesystem::path& folder);
    // Closes the file; returns its bare name.
    std::string StopLog();
    bool isLogging() const { return log_.isOpen(); }
    const TrendLog& log() const { return log_; }

    // Sample i counted from the oldest (0) to the newest (449).
    std::uint8_t Point(int curve, int i) const { return curves_[curve][Index(i)]; }
    double History1(int i) const { return history_[0][Index(i)]; }
    int grade() const { return grade_; }
    int position() const { return position_; }

    // Trend range in % of variable 1's span, and the scale as shown.
    double top() const { return top_; }
    double base() const { return base_; }
    double topEU() const { return topEU_; }
    double baseEU() const { return baseEU_; }
    // Label2..Label10 (j = 9 down to 1) and Label1.
    const std::array<std::string, 9>& scaleLabels() const { return labels_; }
    const std::string& unit() const { return unit_; }
    // The legend of a curve at the last sample (empty while the curve has no
    // variable).
    std::string caption(int curve) const;
    bool hasCaption(int curve) const { return hasVariable_[static_cast<std::size_t>(curve)]; }

    // Options the project does not keep.
    bool AutoScale = false;
    bool ThickLine = false;  // CheckBox2
    bool UseComma = false;
    bool UseEU = false;
    bool paused = false;

    RecorderObserver* observer = nullptr;

private:
    std::size_t Index(int i) const { return static_cast<std::size_t>((position_ + i) % kSamples); }
    double ToPercent(double eu) const;
    double ToEngineering(double r) const { return euMin_ + (euMax_ - euMin_) * r / 100; }
    std::uint8_t RangePoint(double value, double top, double base) const;
    void RecomputeCurves12(double top, double base);

    const Memory& mem_;
    const RecorderData& data_;

    std::array<std::array<double, kSamples>, 2> history_{};
    std::array<std::array<std::uint8_t, kSamples>, 3> curves_{};
    int position_ = 0;  // 1..450 after the first sample
    int counter_ = 0;
    int grade_ = 0;
    int cursor_ = 1;
    // The three values of the last sample, and which curves had a variable.
    std::array<double, 3> last_{};
    std::array<bool, 3> hasVariable_{};

    double euMin_ = 0;  // variable 1's engineering range
    double euMax_ = 100;
    std::string unit_;
    double top_ = 100;
    double base_ = 0;
    double topEU_ = 100;
    double baseEU_ = 0;
    std::array<std::string, 9> labels_{};

    TrendLog log_;
};

}  // namespace kivo
