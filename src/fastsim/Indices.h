#pragma once
// Closed-loop performance indices of one loop, computed from its PV, SP and
// CO series (one point per simulated second) and kept as the texts the
// indices panel shows.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kivo {

// PV and SP in % or in engineering units, CO always in %; the three series
// grow together, one point each per simulated second.
struct LoopSeries {
    std::vector<double> pv;
    std::vector<double> sp;
    std::vector<double> co;

    std::size_t size() const { return pv.size(); }
    void Add(double vPV, double vSP, double vCO) {
        pv.push_back(vPV);
        sp.push_back(vSP);
        co.push_back(vCO);
    }
};

// The seven indices as numbers: variability, IEM, IEMA and the PV range in
// the unit of the PV series (% or engineering units), the CO indices in %.
struct IndexValues {
    double variability = 0;
    double meanError = 0;
    double meanAbsError = 0;
    double coTravel = 0;
    double coDeviation = 0;
    double coSaturation = 0;
    double pvMin = 0;
    double pvMax = 0;
};

struct PerformanceIndices {
    IndexValues values;
    std::string variability;   // 3 sigma(PV) + unit suffix
    std::string meanError;     // mean of SP - PV + unit suffix
    std::string meanAbsError;  // mean of |SP - PV| + unit suffix
    std::string coTravel;      // sum of |dCO| / 100, " %"
    std::string coDeviation;   // 3 sigma(CO), " %"
    std::string coSaturation;  // % of points with CO >= 98 or <= 2, " %"
    std::string pvMinMax;      // min(PV)/max(PV), one decimal each
};

// " %" for normalised series, else one space and the PV unit of the loop.
std::string UnitSuffix(bool normalise, std::string_view unit);

// Magnitude from which an index is out of range. Beyond about 9e13
// (2^53 / 100) a double no longer holds the hundredths that the text shows,
// and no loop in percent of span or in engineering units comes near: such an
// index only arises from values out of range (a diverging plant, or a file
// holding numbers such as 1e300), and is no measure of the loop.
inline constexpr double kMaxIndexValue = 1e13;

// The seven texts and their numbers. The standard deviations divide by count - 1 and the means
// by count, so fewer than two points give no indices (nullopt): the panel then
// leaves the loop's fields empty rather than show a division by zero.
std::optional<PerformanceIndices> ComputeIndices(const LoopSeries& s, std::string_view suffix);

// The position (in the order of IndexCaptions, the PV range last) of the
// first index that is not finite or reaches kMaxIndexValue; -1 when none.
int IndexOutOfRange(const IndexValues& v);

// The captions of the seven indices, in the order of PerformanceIndices.
const std::array<std::string_view, 7>& IndexCaptions(bool english);
// The seven texts in the same order.
std::array<std::string_view, 7> IndexTexts(const PerformanceIndices& i);

}  // namespace kivo
