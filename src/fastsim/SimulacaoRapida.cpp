#include "fastsim/SimulacaoRapida.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "core/Ciclo.h"
#include "core/NumberText.h"
#include "fastsim/Progresso.h"
#include "objects/Controller.h"

namespace kivo {

SinalTeste SinalDoItem(int item) {
    switch (item) {
        case 2:
            return SinalTeste::DegrauSP;
        case 3:
            return SinalTeste::DegrauCarga;
        default:
            return SinalTeste::Nenhum;
    }
}

bool LeAmplitude(std::string_view texto, int& amplitude) { return ConverteInteiroEstrito(texto, amplitude); }

std::string_view TextoDadosSalvos(bool ingles) { return ingles ? "Data saved on file" : "Dados salvos no arquivo"; }

namespace {

void AplicaDegrau(Simulacao& sim, SinalTeste sinal, int amplitude) {
    for (int n = 1; n <= kMalhas; ++n) {
        auto* c = sim.controladores.ativo(n) ? sim.controladores.como<TControlador>(n) : nullptr;
        if (!c) continue;
        if (sinal == SinalTeste::DegrauSP)
            c->estado.SP += amplitude;
        else
            c->estado.b += amplitude;
    }
}

// The flag is cleared however the run ends.
struct LimpaModoRapido {
    EstadoCiclo& estado;
    ~LimpaModoRapido() { estado.modoRapido = false; }
};

}  // namespace

ResultadoRapida ExecutaRapida(Simulacao& sim, const OpcoesRapida& op, ObservadorProgresso* obs) {
    if (!(op.janela > 0) || !(op.T > 0)) throw std::invalid_argument("fast run: window and step must be positive");
    ResultadoRapida r;

    // The archive comes first, so that a file that cannot be created stops
    // the run before the plant has moved.
    std::unique_ptr<EscritorTxd> escritor;
    if (op.arquivar) {
        try {
            escritor = std::make_unique<EscritorTxd>(op.pasta, op.prefixo, sim.mem, op.T, op.janela);
        } catch (const ErroTxd& e) {
            r.erroArquivo = e;
            return r;
        }
    }

    const auto N = static_cast<long long>(Arredonda(op.janela / op.T));
    // Steps above 2 s would round to no sample at all; they sample every cycle.
    const auto porSegundo = std::max(1LL, static_cast<long long>(Arredonda(1 / op.T)));
    ColetaMalhas coleta(sim, op.normaliza, static_cast<std::size_t>(N / porSegundo));
    Progresso progresso(obs);
    bool degrauPendente = op.sinal != SinalTeste::Nenhum;

    LimpaModoRapido limpa{sim.estado};
    sim.ExecutaSemDisplay(
        N, op.T,
        [&](long long h) {
            const int p = static_cast<int>(Arredonda(100.0 * static_cast<double>(h) / static_cast<double>(N)));
            progresso.Informa(p);
            if (degrauPendente && p > 10) {
                degrauPendente = false;
                AplicaDegrau(sim, op.sinal, op.amplitude);
            }
        },
        [&](long long h) {
            if ((h + 1) % porSegundo == 0) {
                if (escritor) escritor->Linha(sim.mem);
                coleta.Amostra(sim.mem.dados());
            }
            return true;
        });

    r.executou = true;
    r.ciclos = N;
    r.linha = coleta.Conclui();
    if (escritor) {
        try {
            escritor->Conclui();
            r.arquivo = escritor->caminho();
        } catch (const ErroTxd& e) {
            r.erroArquivo = e;
        }
    }
    return r;
}

}  // namespace kivo
