#include "core/Memory.h"

#include "core/NumberText.h"

namespace kivo {

std::string TruncateText(std::string_view text, std::size_t maxChars) {
    std::size_t chars = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (chars == maxChars) return std::string(text.substr(0, i));
        // Skip the continuation bytes of one UTF-8 character.
        ++i;
        while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
        ++chars;
    }
    return std::string(text);
}

void Memory::setUnit(int k, std::string_view t) { table_[k].unit = TruncateText(t); }
void Memory::setEuMin(int k, std::string_view t) { table_[k].euMin = TruncateText(t); }
void Memory::setEuMax(int k, std::string_view t) { table_[k].euMax = TruncateText(t); }
void Memory::setLowAlarm(int k, std::string_view t) { table_[k].lowAlarm = TruncateText(t); }
void Memory::setHighAlarm(int k, std::string_view t) { table_[k].highAlarm = TruncateText(t); }
void Memory::setDescription(int k, std::string_view t) { table_[k].description = TruncateText(t); }

double Memory::EuMinValue(int k) const {
    return (k >= 1 && k <= kNumEngineering) ? ParseReal(table_[k].euMin) : 0.0;
}

double Memory::EuMaxValue(int k) const {
    return (k >= 1 && k <= kNumEngineering) ? ParseReal(table_[k].euMax) : 100.0;
}

double Memory::ToEngineering(int k, double x) const {
    const double lo = EuMinValue(k);
    return lo + (EuMaxValue(k) - lo) * x / 100.0;
}

double Memory::FromEngineering(int k, double eu) const {
    const double lo = EuMinValue(k);
    return (eu - lo) * 100.0 / (EuMaxValue(k) - lo);
}

void Memory::SetFixedDescriptions() {
    table_[11].description = "Chave_1";
    table_[12].description = "Chave_2";
    table_[13].description = "Saída Linearizador";
    table_[14].description = "Reservado";
    for (int t = 1; t <= 6; ++t) table_[14 + t].description = "Track " + std::to_string(t);
}

void Memory::InitializeAtStartup() {
    values_.fill(0.0);
    for (auto& e : table_) e = TableEntry{};
    for (int k = 1; k <= kNumEngineering; ++k) {
        table_[k] = TableEntry{"%", "0.0", "100.00", "0.00", "100.00", ""};
    }
    SetFixedDescriptions();
    for (int n = 1; n <= 24; ++n) table_[100 + n].description = "Posição Atuador " + std::to_string(n);
}

void Memory::ClearProject() {
    for (int k = 1; k <= kNumEngineering; ++k) {
        values_[k] = 0.0;
        table_[k] = TableEntry{"%", "0.00", "100.00", "0.00", "100.00", ""};
    }
    SetFixedDescriptions();
}

static std::string TwoDigits(int k) {
    return k < 10 ? "0" + std::to_string(k) : std::to_string(k);
}

std::vector<std::string> Memory::InputList() const {
    std::vector<std::string> items;
    items.reserve(kNumEngineering);
    for (int k = 1; k <= kNumEngineering; ++k) items.push_back(TwoDigits(k) + " " + table_[k].description);
    return items;
}

std::vector<std::string> Memory::DisplayList() const {
    std::vector<std::string> items;
    items.reserve(kNumVariables);
    for (int k = 1; k <= kNumVariables; ++k) items.push_back(TwoDigits(k) + "   " + table_[k].description);
    return items;
}

std::string VariableName(int k) { return "M" + TwoDigits(k); }

}  // namespace kivo
