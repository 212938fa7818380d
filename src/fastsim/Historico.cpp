#include "fastsim/Historico.h"

#include "fastsim/ArquivoTxd.h"

namespace kivo {

LinhaDesempenho CarregaHistorico(const Simulacao& sim, const std::filesystem::path& arquivo, bool normaliza,
                                 ObservadorProgresso* obs) {
    // The lines go straight into the series: only the points of the loops
    // are kept, never the whole archive.
    ColetaMalhas coleta(sim, normaliza, 0);
    LeArquivoTxd(arquivo, obs, [&](const LinhaTxd& linha) { coleta.Amostra(linha.data()); });
    LinhaDesempenho r = coleta.Conclui();
    if (const int n = MalhaForaDaFaixa(r))
        throw ErroLeituraTxd(arquivo, TextoForaDaFaixa(r, n, false) + "; os valores lidos são grandes demais.",
                             TextoForaDaFaixa(r, n, true) + "; the values read are too large.");
    return r;
}

}  // namespace kivo
