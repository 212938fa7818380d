#include "fastsim/Historico.h"

#include "fastsim/ArquivoTxd.h"

namespace kivo {

LinhaDesempenho CarregaHistorico(const Simulacao& sim, const std::filesystem::path& arquivo, bool normaliza,
                                 ObservadorProgresso* obs) {
    const ArquivoTxd dados = LeArquivoTxd(arquivo, obs);
    ColetaMalhas coleta(sim, normaliza, dados.linhas.size());
    for (const auto& linha : dados.linhas) coleta.Amostra(linha.data());
    return coleta.Conclui();
}

}  // namespace kivo
