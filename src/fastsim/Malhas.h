#pragma once
// One row of loop charts (the upper row holds the last fast run or an archive
// loaded into it, the lower row an archive for comparison): per controller
// loop its PV address and unit as captured, the PV, SP and CO series and the
// indices. ColetaMalhas fills a row point by point, from the variable memory
// during a run or from the lines of an archive.
#include <array>
#include <optional>
#include <string>

#include "fastsim/Indices.h"

namespace kivo {

class Simulacao;

inline constexpr int kMalhas = 10;

struct MalhaDesempenho {
    bool ativa = false;   // controller n was active when the row was filled
    int enderecoPV = 0;   // its PV list index + 1 (0 when none is selected)
    std::string unidade;  // "Unid. Eng" of the PV variable
    SeriesMalha series;
    // None when there are fewer than two points, or when an index is out of
    // range: a number such as "INF %" would measure nothing.
    std::optional<IndicesDesempenho> indices;
    int indiceForaDaFaixa = -1;  // that index (IndiceForaDaFaixa), or -1
};

struct LinhaDesempenho {
    std::array<MalhaDesempenho, kMalhas> malhas;  // loop n at [n - 1]
    bool temIndices = false;
    bool normalizada = true;

    const MalhaDesempenho& malha(int n) const { return malhas[static_cast<std::size_t>(n - 1)]; }
};

// The first active loop of the row whose indices are out of range, or 0.
int MalhaForaDaFaixa(const LinhaDesempenho& linha);

// Why loop n has no indices, when one is out of range: "o índice
// "Variabilidade" da malha 1 ..." or "the index "Variability" of loop 1 ...",
// without a capital or a full stop, to be completed by the caller.
std::string TextoForaDaFaixa(const LinhaDesempenho& linha, int n, bool ingles);

class ColetaMalhas {
public:
    // Captures, for every active controller, the PV address from its PV list
    // index as it stands now, and the unit text and range of that variable.
    // pontos: the number of points expected per series.
    ColetaMalhas(const Simulacao& sim, bool normaliza, std::size_t pontos);

    // One point per active loop: PV = m[PV address], SP = m[60 + n],
    // CO = m[n], where m[k] is M(k) for k = 0..99 (m[0] reads 0). PV and SP
    // are converted to engineering units unless the row is normalised.
    void Amostra(const double* m);

    // The row, with the indices of every active loop.
    LinhaDesempenho Conclui();

private:
    LinhaDesempenho linha_;
    std::array<double, kMalhas> ueMin_{};
    std::array<double, kMalhas> ueFaixa_{};
};

}  // namespace kivo
