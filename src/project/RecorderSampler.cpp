#include "project/RecorderSampler.h"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <system_error>

#include "core/Memory.h"
#include "core/NumberText.h"
#include "project/RecorderData.h"

namespace kivo {

namespace {

// Whole text as a number, whatever the process locale; the scale fields
// take nothing less.
bool ReadNumber(const std::string& text, double& value) {
    const auto start = text.find_first_not_of(' ');
    if (start == std::string::npos) return false;
    std::string_view t(text);
    t = t.substr(start, text.find_last_not_of(' ') - start + 1);
    if (t.size() > 1 && t[0] == '+' && t[1] != '-') t.remove_prefix(1);
    // from_chars also reads "inf" and "nan", which no scale is.
    if (t.find_first_of("nN") != std::string_view::npos) return false;
    double v = 0;
    const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (error != std::errc() || end != t.data() + t.size()) return false;
    value = v;
    return true;
}

}  // namespace

int RecorderSampler::Address(int curve) const {
    const int index = curve == Curve1   ? data_.Variable1Select
                       : curve == Curve2 ? data_.Variable2Select
                                         : data_.Variable3Select;
    return index >= 0 && index < kNone ? index + 1 : 0;
}

double RecorderSampler::ToPercent(double eu) const {
    // A variable whose range has no height maps every value to 0 % rather
    // than dividing by zero.
    const double range = euMax_ - euMin_;
    return range == 0 ? 0 : (eu - euMin_) * 100 / range;
}

std::uint8_t RecorderSampler::RangePoint(double value, double top, double base) const {
    const double y = top > base ? Round((value - base) * 100 / (top - base) * 2) : 0;
    return static_cast<std::uint8_t>(std::clamp(y, 0.0, 200.0));
}

void RecorderSampler::RecomputeCurves12(double top, double base) {
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < kSamples; ++i) curves_[c][i] = RangePoint(history_[c][i], top, base);
}

void RecorderSampler::ComputeCycle() {
    ++counter_;
    if (paused) return;
    const int limit = data_.TimeBaseBox == 1 ? 2 : data_.TimeBaseBox == 2 ? 19 : -1;
    if (counter_ <= limit) return;
    counter_ = 0;

    for (int c = 0; c < 3; ++c) {
        const int k = Address(c);
        hasVariable_[c] = k != 0;
        last_[c] = k != 0 ? mem_[k] : 0;
    }
    const auto trend = [this](double r) { return top_ > base_ ? (r - base_) * 100 / (top_ - base_) : 0.0; };
    const double r1 = last_[0];
    const double r2 = last_[1];
    const double r3 = last_[2];

    grade_ = grade_ >= 29 ? 0 : grade_ + 1;
    position_ = position_ >= kSamples ? 1 : position_ + 1;
    const std::size_t i = static_cast<std::size_t>(position_ - 1);
    history_[0][i] = r1;
    history_[1][i] = r2;
    const auto point = [](double v) { return static_cast<std::uint8_t>(Round(2 * std::clamp(v, 0.0, 100.0))); };
    curves_[0][i] = point(hasVariable_[0] ? trend(r1) : 0);
    if (hasVariable_[1]) curves_[1][i] = point(trend(r2));
    if (hasVariable_[2]) curves_[2][i] = point(r3);

    if (log_.isOpen())
        log_.Write(UseEU ? ToEngineering(r1) : r1, UseEU ? ToEngineering(r2) : r2, std::clamp(r3, 0.0, 100.0),
                     UseComma);
    if (observer) observer->OnSample();
}

// Made when asked rather than at every sample: only a shown window reads
// them, and a recorder stepped without one (or by the headless tool) does
// not pay for three number texts per cycle.
std::string RecorderSampler::caption(int curve) const {
    if (!hasVariable_[static_cast<std::size_t>(curve)]) return {};
    const double r = last_[static_cast<std::size_t>(curve)];
    switch (curve) {
        // Variable 2 is shown in variable 1's units: both share the scale.
        case Curve1: return data_.Curve1Name + ": " + FormatFixed(ToEngineering(r), 4, 2) + " " + unit_;
        case Curve2: return data_.Curve2Name + ": " + FormatFixed(ToEngineering(r), 4, 2) + " " + unit_;
        default: return data_.Curve3Name + ": " + FormatFixed(r, 4, 2) + "%";
    }
}

void RecorderSampler::UpdateRecorder() {
    const int k = Address(Curve1) == 0 ? 1 : Address(Curve1);
    euMin_ = mem_.EuMinValue(k);
    euMax_ = mem_.EuMaxValue(k);
    unit_ = k <= kNumEngineering ? mem_.entry(k).unit : std::string();
    double topEU = euMax_;
    double baseEU = euMin_;
    if (AutoScale) {
        double maximum = -1000000;
        double minimum = 1000000;
        for (double v : history_[0]) {
            maximum = std::max(maximum, v);
            minimum = std::min(minimum, v);
        }
        double top = 1.1 * maximum;
        double base = 0.9 * minimum;
        // A flat history (or a negative one, where 1.1 x and 0.9 x cross)
        // leaves no height: the range opens 5 % of the span around it.
        if (!(top > base)) {
            top = maximum + 5;
            base = minimum - 5;
        }
        RecomputeCurves12(top, base);
        topEU = euMin_ + (euMax_ - euMin_) / 100 * top;
        baseEU = euMin_ + (euMax_ - euMin_) / 100 * base;
    } else {
        RecomputeCurves12(100, 0);
    }
    UpdateScale(topEU, baseEU);
}

void RecorderSampler::UpdateScale(double topEU, double baseEU) {
    topEU_ = topEU;
    baseEU_ = baseEU;
    for (int j = 9; j >= 1; --j) labels_[9 - j] = FormatFixed(baseEU + (topEU - baseEU) / 10 * j, 2, 0);
    top_ = ToPercent(topEU);
    base_ = ToPercent(baseEU);
}

bool RecorderSampler::SetManualScale(const std::string& upper, const std::string& inf) {
    AutoScale = false;
    double top = 0;
    double base = 0;
    if (!ReadNumber(upper, top) || !ReadNumber(inf, base) || !(base < top)) return false;
    RecomputeCurves12(ToPercent(top), ToPercent(base));
    UpdateScale(top, base);
    return true;
}

std::string RecorderSampler::Coordinate(int x, int y, const std::string& upper, const std::string& inf) const {
    const double top = ParseReal(upper);
    const double base = ParseReal(inf);
    const double value = base + (top - base) / 100 * ((200 - y) / 2.0);
    const double oneStep = data_.TimeBaseBox == 1 ? 0.3 : data_.TimeBaseBox == 2 ? 2 : 0.1;
    return "Y: " + FormatFixed(value, 4, 1) + " %" + "  T: " + FormatFixed(oneStep * x, 4, 1) + " s";
}

int RecorderSampler::NextCursor() {
    const int current = cursor_;
    cursor_ = cursor_ >= 6 ? 1 : cursor_ + 1;
    return current;
}

bool RecorderSampler::StartLog(const std::filesystem::path& folder) {
    return log_.Open(folder, data_.TagText, data_.TimeBaseBox, data_.Curve1Name, data_.Curve2Name, data_.Curve3Name);
}

std::string RecorderSampler::StopLog() {
    log_.Close();
    return log_.fileName();
}

void RecorderSampler::SaveState(StateWriter& w) const {
    w.I32(position_);
    w.I32(counter_);
    w.I32(grade_);
    w.F64s(last_.data(), last_.size());
    for (bool b : hasVariable_) w.Bool(b);
    for (const auto& h : history_) w.F64s(h.data(), h.size());
    for (const auto& c : curves_)
        for (std::uint8_t p : c) w.U8(p);
}

void RecorderSampler::RestoreState(StateReader& r) {
    position_ = r.Int(0, kSamples);
    counter_ = r.Int(0, 1 << 30);
    grade_ = r.Int(0, 29);
    r.F64s(last_.data(), last_.size());
    for (bool& b : hasVariable_) b = r.Bool();
    for (auto& h : history_) r.F64s(h.data(), h.size());
    for (auto& c : curves_)
        for (std::uint8_t& p : c) p = std::min<std::uint8_t>(r.U8(), 200);
}

}  // namespace kivo
