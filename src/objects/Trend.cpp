#include "objects/Trend.h"

#include <algorithm>

#include "core/NumberText.h"

namespace kivo {
namespace {

// Nearest(2 v) with v limited to 0..100 first: 0.5 % per step.
std::uint8_t CurvePoint(double v) { return static_cast<std::uint8_t>(Round(2 * std::clamp(v, 0.0, 100.0))); }

}  // namespace

std::uint8_t ControllerTrend::RangePoint(double x) const { return CurvePoint((x - base_) * 100 / (top_ - base_)); }

std::uint8_t ControllerTrend::Point(Curve c, int i) const {
    const double v = samples_[Index(i)][c];
    return c == PVCurve || c == SPCurve ? RangePoint(v) : CurvePoint(v);
}

void ControllerTrend::RecalculateScale() {
    if (AutoScale) {
        double maximum = -1000000;
        double minimum = 1000000;
        for (const auto& a : samples_) {
            maximum = std::max(maximum, a[PVCurve]);
            minimum = std::min(minimum, a[PVCurve]);
        }
        top_ = 1.1 * maximum;
        base_ = 0.9 * minimum;
        // PV samples lie in 0..100, so the range only collapses when every
        // sample is 0; the trend then shows the full span rather than divide
        // by a zero height.
        if (!(top_ > base_)) {
            base_ = 0;
            top_ = 100;
        }
    } else {
        // The full PV span, so the curves are plain percentages.
        base_ = 0;
        top_ = 100;
    }
}

bool ControllerTrend::SetRange(double base, double top) {
    if (!(base < top)) return false;
    base_ = base;
    top_ = top;
    return true;
}

}  // namespace kivo
