#include "fastsim/Malhas.h"

#include <cmath>
#include <string>
#include <utility>

#include "core/Ciclo.h"
#include "objects/Campos.h"
#include "objects/Controller.h"

namespace kivo {

ColetaMalhas::ColetaMalhas(const Simulacao& sim, bool normaliza, std::size_t pontos) {
    linha_.normalizada = normaliza;
    for (int n = 1; n <= kMalhas; ++n) {
        const auto* c = sim.controladores.ativo(n) ? sim.controladores.como<TControlador>(n) : nullptr;
        if (!c) continue;
        const auto i = static_cast<std::size_t>(n - 1);
        MalhaDesempenho& m = linha_.malhas[i];
        m.ativa = true;
        m.enderecoPV = EnderecoDaLista(c->VariavelSelect);
        m.unidade = sim.mem.entrada(m.enderecoPV).unidade;
        ueMin_[i] = sim.mem.UeMinNum(m.enderecoPV);
        ueFaixa_[i] = sim.mem.UeMaxNum(m.enderecoPV) - ueMin_[i];
        m.series.pv.reserve(pontos);
        m.series.sp.reserve(pontos);
        m.series.co.reserve(pontos);
    }
}

void ColetaMalhas::Amostra(const double* m) {
    for (int n = 1; n <= kMalhas; ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        MalhaDesempenho& malha = linha_.malhas[i];
        if (!malha.ativa) continue;
        double pv = m[malha.enderecoPV];
        double sp = m[60 + n];
        if (!linha_.normalizada) {
            pv = ueMin_[i] + ueFaixa_[i] * pv / 100;
            sp = ueMin_[i] + ueFaixa_[i] * sp / 100;
        }
        malha.series.Adiciona(pv, sp, m[n]);
    }
}

int MalhaForaDaFaixa(const LinhaDesempenho& linha) {
    for (int n = 1; n <= kMalhas; ++n)
        if (linha.malha(n).ativa && linha.malha(n).indiceForaDaFaixa >= 0) return n;
    return 0;
}

std::string TextoForaDaFaixa(const LinhaDesempenho& linha, int n, bool ingles) {
    const int i = linha.malha(n).indiceForaDaFaixa;
    if (i < 0) return {};
    std::string rotulo(RotulosIndices(ingles)[static_cast<std::size_t>(i)]);
    if (!rotulo.empty() && rotulo.back() == ':') rotulo.pop_back();
    const std::string limite = "1e" + std::to_string(std::lround(std::log10(kMaxIndice)));
    return ingles ? "the index \"" + rotulo + "\" of loop " + std::to_string(n) + " is out of range (not finite, or " +
                        limite + " or more)"
                  : "o índice \"" + rotulo + "\" da malha " + std::to_string(n) +
                        " está fora da faixa (não é finito, ou chega a " + limite + ")";
}

LinhaDesempenho ColetaMalhas::Conclui() {
    for (auto& m : linha_.malhas) {
        if (!m.ativa) continue;
        m.indices = CalculaIndices(m.series, SufixoUnidade(linha_.normalizada, m.unidade));
        if (m.indices) m.indiceForaDaFaixa = IndiceForaDaFaixa(m.indices->valores);
        if (m.indiceForaDaFaixa >= 0) m.indices.reset();
    }
    linha_.temIndices = true;
    return std::move(linha_);
}

}  // namespace kivo
