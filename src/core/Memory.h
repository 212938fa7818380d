#pragma once
// Variable memory M1..M124 and its table of units, ranges, limits and
// descriptions.
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kivo {

inline constexpr int kNumVariables = 124;   // M1..M124
inline constexpr int kNumEngineering = 99;  // M1..M99 carry unit, range and limits
inline constexpr std::size_t kMaxTextLength = 255;

// Cuts a UTF-8 text to its first 255 characters (code points, not bytes).
std::string TruncateText(std::string_view text, std::size_t maxChars = kMaxTextLength);

struct TableEntry {
    std::string unit;
    std::string euMin;
    std::string euMax;
    std::string lowAlarm;
    std::string highAlarm;
    std::string description;
};

class Memory {
public:
    Memory() { InitializeAtStartup(); }

    // Plain indexed access, 1-based; index 0 exists but belongs to nobody.
    double& operator[](int k) { return values_[static_cast<std::size_t>(k)]; }
    double operator[](int k) const { return values_[static_cast<std::size_t>(k)]; }
    const double* data() const { return values_.data(); }

    // Texts of the table; setters cut to 255 characters. Engineering fields
    // exist for k = 1..99, descriptions for k = 1..124.
    const TableEntry& entry(int k) const { return table_[static_cast<std::size_t>(k)]; }
    void setUnit(int k, std::string_view t);
    void setEuMin(int k, std::string_view t);
    void setEuMax(int k, std::string_view t);
    void setLowAlarm(int k, std::string_view t);
    void setHighAlarm(int k, std::string_view t);
    void setDescription(int k, std::string_view t);

    // Range of k as numbers; M100..M124 have no range and use 0..100.
    double EuMinValue(int k) const;
    double EuMaxValue(int k) const;
    double ToEngineering(int k, double x) const;
    double FromEngineering(int k, double eu) const;

    // Program start: values zero, start-up texts.
    void InitializeAtStartup();
    // Memory part of the project reset.
    void ClearProject();

    // Variable selectors: item i selects M(i+1).
    std::vector<std::string> InputList() const;    // 99 items "01 desc"
    std::vector<std::string> DisplayList() const;  // 124 items "01   desc"

private:
    void SetFixedDescriptions();
    std::array<double, kNumVariables + 1> values_{};
    std::array<TableEntry, kNumVariables + 1> table_{};
};

// "M" and at least two digits, as written in captions and hints ("M01", "M124").
std::string VariableName(int k);

}  // namespace kivo
