#pragma once
// Trend sampler of a controller: the last 450 samples of PV, SP, CO (limited
// to 0..100) and actuator position, and the four curves as drawn, one byte per
// point on 0..200. It runs at the end of every controller step, in fast runs
// too, so a sample only stores the four values: a point is worked out when
// it is read, from the sample and the range in force then, which is what
// storing it at the sample and redrawing the PV and SP curves at every change
// of range gives. Drawing and the data log belong to the faceplate, which
// hears about each sample through TrendObserver.
//
// Fields: TimeBaseBox (time base index 0..2), AutoScale ("Auto"), paused.
// State: samples, position (1..450, 0 before the first sample), counter,
// grade (0..29), top and base (trend range, % of the PV span).
#include <algorithm>
#include <array>
#include <cstdint>

#include "core/StateBytes.h"

namespace kivo {

class ControllerTrend;

class TrendObserver {
public:
    virtual ~TrendObserver() = default;
    // After each sample: PV and SP (0..100) and MV limited to 0..100, as the
    // data log writes them.
    virtual void OnSample(const ControllerTrend& t, double pv, double sp, double mv) = 0;
};

class ControllerTrend {
public:
    static constexpr int kSamples = 450;
    enum Curve { PVCurve, SPCurve, COCurve, ActuatorCurve };

    // One call per controller step; inline, as it runs at every step.
    void Sample(double pv, double sp, double mv, double actuatorPosition) {
        if (paused) {
            ++counter_;
            return;
        }
        // The usual time base samples at every step and needs no count.
        if (TimeBaseBox != 0) {
            const int counter = counter_ + 1;
            if (!(TimeBaseBox == 1 && counter > 2) && !(TimeBaseBox == 2 && counter > 19)) {
                counter_ = counter;
                return;
            }
        }
        counter_ = 0;

        const double mvClamped = std::clamp(mv, 0.0, 100.0);
        if (position_ < kSamples) {
            ++position_;
        } else {
            position_ = 1;
            full_ = true;
        }
        samples_[static_cast<std::size_t>(position_ - 1)] = {pv, sp, mvClamped, actuatorPosition};
        if (observer) observer->OnSample(*this, pv, sp, mvClamped);
    }

    // The trend range at an apply (and on the faceplate's "Auto"): with
    // AutoScale from the PV history, otherwise the full PV span. PV and SP
    // curves follow the new range.
    void RecalculateScale();
    // A range typed by the operator, in % of the PV span; taken only when
    // base < top. Returns whether it was taken.
    bool SetRange(double base, double top);

    // The samples and the sampling count, for a snapshot; the range and the
    // options are the operator's, not the plant's.
    void SaveState(StateWriter& w) const;
    void RestoreState(StateReader& r);

    // Sample i counted from the oldest (0) to the newest (449), as drawn
    // from left to right.
    double PVHistory(int i) const { return samples_[Index(i)][PVCurve]; }
    double SPHistory(int i) const { return samples_[Index(i)][SPCurve]; }
    std::uint8_t Point(Curve c, int i) const;

    int position() const { return position_; }
    // How many of the 450 positions hold a sample (the rest still hold the
    // zeros of the start), so that a history can be read without them.
    int samples() const { return full_ ? kSamples : position_; }
    // The grid moves one step per sample and has 30 steps; 450 samples make
    // whole turns of it, so it follows from the position.
    int grade() const { return position_ % 30; }
    int counter() const { return counter_; }
    double top() const { return top_; }
    double base() const { return base_; }

    int TimeBaseBox = 0;  // 0 every cycle, 1 every third, 2 every twentieth
    bool AutoScale = false;
    bool paused = false;
    TrendObserver* observer = nullptr;

private:
    // Array index of the sample i counted from the oldest.
    std::size_t Index(int i) const { return static_cast<std::size_t>((position_ + i) % kSamples); }
    std::uint8_t RangePoint(double x) const;

    // Per sample, in the order of Curve.
    std::array<std::array<double, 4>, kSamples> samples_{};
    static_assert(kSamples % 30 == 0);
    int position_ = 0;
    bool full_ = false;  // position_ has gone round once
    int counter_ = 0;
    double top_ = 100;
    double base_ = 0;
};

}  // namespace kivo
