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
struct SeriesMalha {
    std::vector<double> pv;
    std::vector<double> sp;
    std::vector<double> co;

    std::size_t tamanho() const { return pv.size(); }
    void Adiciona(double vPV, double vSP, double vCO) {
        pv.push_back(vPV);
        sp.push_back(vSP);
        co.push_back(vCO);
    }
};

// The seven indices as numbers: variability, IEM, IEMA and the PV range in
// the unit of the PV series (% or engineering units), the CO indices in %.
struct ValoresIndices {
    double variabilidade = 0;
    double iem = 0;
    double iema = 0;
    double excursaoCO = 0;
    double desvioCO = 0;
    double saturacaoCO = 0;
    double pvMin = 0;
    double pvMax = 0;
};

struct IndicesDesempenho {
    ValoresIndices valores;
    std::string variabilidade;  // 3 sigma(PV) + unit suffix
    std::string iem;            // mean of SP - PV + unit suffix
    std::string iema;           // mean of |SP - PV| + unit suffix
    std::string excursaoCO;     // sum of |dCO| / 100, " %"
    std::string desvioCO;       // 3 sigma(CO), " %"
    std::string saturacaoCO;    // % of points with CO >= 98 or <= 2, " %"
    std::string pvMinMax;       // min(PV)/max(PV), one decimal each
};

// " %" for normalised series, else one space and the PV unit of the loop.
std::string SufixoUnidade(bool normaliza, std::string_view unidade);

// Magnitude from which an index is out of range. Beyond about 9e13
// (2^53 / 100) a double no longer holds the hundredths that the text shows,
// and no loop in percent of span or in engineering units comes near: such an
// index only arises from values out of range (a diverging plant, or a file
// holding numbers such as 1e300), and is no measure of the loop.
inline constexpr double kMaxIndice = 1e13;

// The seven texts and their numbers. The standard deviations divide by count - 1 and the means
// by count, so fewer than two points give no indices (nullopt): the panel then
// leaves the loop's fields empty rather than show a division by zero.
std::optional<IndicesDesempenho> CalculaIndices(const SeriesMalha& s, std::string_view sufixo);

// The position (in the order of RotulosIndices, the PV range last) of the
// first index that is not finite or reaches kMaxIndice; -1 when none.
int IndiceForaDaFaixa(const ValoresIndices& v);

// The captions of the seven indices, in the order of IndicesDesempenho.
const std::array<std::string_view, 7>& RotulosIndices(bool ingles);
// The seven texts in the same order.
std::array<std::string_view, 7> TextosIndices(const IndicesDesempenho& i);

}  // namespace kivo
