#include "fastsim/Indices.h"

#include <algorithm>
#include <cmath>

#include "core/NumberText.h"

namespace kivo {
namespace {

double Media(const std::vector<double>& x) {
    double soma = 0;
    for (double v : x) soma += v;
    return soma / static_cast<double>(x.size());
}

// Sample standard deviation. The mean is taken first, so that a constant
// series gives exactly zero.
double DesvioPadrao(const std::vector<double>& x) {
    const double m = Media(x);
    double soma = 0;
    for (double v : x) soma += (v - m) * (v - m);
    return std::sqrt(soma / static_cast<double>(x.size() - 1));
}

}  // namespace

std::string SufixoUnidade(bool normaliza, std::string_view unidade) {
    return normaliza ? std::string(" %") : " " + std::string(unidade);
}

std::optional<IndicesDesempenho> CalculaIndices(const SeriesMalha& s, std::string_view sufixo) {
    const std::size_t n = s.pv.size();
    if (n < 2 || s.sp.size() != n || s.co.size() != n) return std::nullopt;
    const double dn = static_cast<double>(n);

    double erro = 0;
    double erroAbs = 0;
    double saturados = 0;
    double excursao = 0;
    for (std::size_t i = 0; i < n; ++i) {
        erro += s.sp[i] - s.pv[i];
        erroAbs += std::fabs(s.sp[i] - s.pv[i]);
        if (s.co[i] >= 98 || s.co[i] <= 2) saturados += 1;
        if (i > 0) excursao += std::fabs(s.co[i] - s.co[i - 1]);
    }
    const auto [menor, maior] = std::minmax_element(s.pv.begin(), s.pv.end());

    const std::string suf(sufixo);
    IndicesDesempenho r;
    ValoresIndices& v = r.valores;
    v.variabilidade = 3 * DesvioPadrao(s.pv);
    v.iem = erro / dn;
    v.iema = erroAbs / dn;
    v.excursaoCO = excursao / 100;
    v.desvioCO = 3 * DesvioPadrao(s.co);
    v.saturacaoCO = 100 * saturados / dn;
    v.pvMin = *menor;
    v.pvMax = *maior;
    r.variabilidade = FormataFixo(v.variabilidade, 5, 2) + suf;
    r.iem = FormataFixo(v.iem, 5, 2) + suf;
    r.iema = FormataFixo(v.iema, 5, 2) + suf;
    r.excursaoCO = FormataFixo(v.excursaoCO, 5, 2) + " %";
    r.desvioCO = FormataFixo(v.desvioCO, 5, 2) + " %";
    r.saturacaoCO = FormataFixo(v.saturacaoCO, 5, 2) + " %";
    r.pvMinMax = FormataFixo(v.pvMin, 5, 1) + "/" + FormataFixo(v.pvMax, 5, 1);
    return r;
}

int IndiceForaDaFaixa(const ValoresIndices& v) {
    const double valores[] = {v.variabilidade, v.iem,         v.iema,  v.excursaoCO,
                              v.desvioCO,      v.saturacaoCO, v.pvMin, v.pvMax};
    for (int i = 0; i < 8; ++i)
        if (!(std::fabs(valores[i]) < kMaxIndice)) return std::min(i, 6);
    return -1;
}

const std::array<std::string_view, 7>& RotulosIndices(bool ingles) {
    static const std::array<std::string_view, 7> pt = {
        "Variabilidade:", "Integral Erro Médio(IEM):", "Int. Erro Médio Abs(IEMA):", "Excursão CO:",
        "Desvio Pad. CO:", "Saturação CO:", "PV min/max:"};
    static const std::array<std::string_view, 7> en = {
        "Variability", "Int Average Error", "Int Absolute Average Error", "CO Travel",
        "CO Standard Deviation", "CO Saturation Index", "PV min/max:"};
    return ingles ? en : pt;
}

std::array<std::string_view, 7> TextosIndices(const IndicesDesempenho& i) {
    return {i.variabilidade, i.iem, i.iema, i.excursaoCO, i.desvioCO, i.saturacaoCO, i.pvMinMax};
}

}  // namespace kivo
