#include "fastsim/Indices.h"

#include <algorithm>
#include <cmath>

#include "core/NumberText.h"

namespace kivo {
namespace {

double Media(const std::vector<double>& x) {
    double sum = 0;
    for (double v : x) sum += v;
    return sum / static_cast<double>(x.size());
}

// Sample standard deviation. The mean is taken first, so that a constant
// series gives exactly zero.
double StandardDeviation(const std::vector<double>& x) {
    const double m = Media(x);
    double sum = 0;
    for (double v : x) sum += (v - m) * (v - m);
    return std::sqrt(sum / static_cast<double>(x.size() - 1));
}

}  // namespace

std::string UnitSuffix(bool normalise, std::string_view unit) {
    return normalise ? std::string(" %") : " " + std::string(unit);
}

std::optional<PerformanceIndices> ComputeIndices(const LoopSeries& s, std::string_view suffix) {
    const std::size_t n = s.pv.size();
    if (n < 2 || s.sp.size() != n || s.co.size() != n) return std::nullopt;
    const double dn = static_cast<double>(n);

    double error = 0;
    double absError = 0;
    double saturated = 0;
    double travel = 0;
    for (std::size_t i = 0; i < n; ++i) {
        error += s.sp[i] - s.pv[i];
        absError += std::fabs(s.sp[i] - s.pv[i]);
        if (s.co[i] >= 98 || s.co[i] <= 2) saturated += 1;
        if (i > 0) travel += std::fabs(s.co[i] - s.co[i - 1]);
    }
    const auto [smallest, largest] = std::minmax_element(s.pv.begin(), s.pv.end());

    const std::string suf(suffix);
    PerformanceIndices r;
    IndexValues& v = r.values;
    v.variability = 3 * StandardDeviation(s.pv);
    v.meanError = error / dn;
    v.meanAbsError = absError / dn;
    v.coTravel = travel / 100;
    v.coDeviation = 3 * StandardDeviation(s.co);
    v.coSaturation = 100 * saturated / dn;
    v.pvMin = *smallest;
    v.pvMax = *largest;
    r.variability = FormatFixed(v.variability, 5, 2) + suf;
    r.meanError = FormatFixed(v.meanError, 5, 2) + suf;
    r.meanAbsError = FormatFixed(v.meanAbsError, 5, 2) + suf;
    r.coTravel = FormatFixed(v.coTravel, 5, 2) + " %";
    r.coDeviation = FormatFixed(v.coDeviation, 5, 2) + " %";
    r.coSaturation = FormatFixed(v.coSaturation, 5, 2) + " %";
    r.pvMinMax = FormatFixed(v.pvMin, 5, 1) + "/" + FormatFixed(v.pvMax, 5, 1);
    return r;
}

int IndexOutOfRange(const IndexValues& v) {
    const double values[] = {v.variability, v.meanError,         v.meanAbsError,  v.coTravel,
                              v.coDeviation,      v.coSaturation, v.pvMin, v.pvMax};
    for (int i = 0; i < 8; ++i)
        if (!(std::fabs(values[i]) < kMaxIndexValue)) return std::min(i, 6);
    return -1;
}

const std::array<std::string_view, 7>& IndexCaptions(bool english) {
    static const std::array<std::string_view, 7> pt = {
        "Variabilidade:", "Integral Erro Médio(IEM):", "Int. Erro Médio Abs(IEMA):", "Excursão CO:",
        "Desvio Pad. CO:", "Saturação CO:", "PV min/max:"};
    static const std::array<std::string_view, 7> en = {
        "Variability", "Int Average Error", "Int Absolute Average Error", "CO Travel",
        "CO Standard Deviation", "CO Saturation Index", "PV min/max:"};
    return english ? en : pt;
}

std::array<std::string_view, 7> IndexTexts(const PerformanceIndices& i) {
    return {i.variability, i.meanError, i.meanAbsError, i.coTravel, i.coDeviation, i.coSaturation, i.pvMinMax};
}

}  // namespace kivo
