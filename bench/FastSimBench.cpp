// The fast simulation of the largest example plant (most processes, blocks
// and controllers) for 4 h at 100 ms with the archive written: 144 000 cycles
// and 14 400 archive lines per iteration.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "ContaAlocacoes.h"
#include "fastsim/SimulacaoRapida.h"
#include "project/ArquivoProjeto.h"

namespace {

using namespace kivo;
namespace fs = std::filesystem;

int Objetos(const Projeto& p) {
    int n = 0;
    for (int i = 1; i <= 10; ++i) n += p.sim.controladores.ativo(i);
    for (int i = 1; i <= 24; ++i) n += p.sim.processos.ativo(i) + p.sim.blocos.ativo(i);
    return n;
}

// The example with the most objects; ties go to the first by path.
fs::path MaiorExemplo() {
    fs::path maior;
    int objetos = -1;
    for (const auto& e : fs::recursive_directory_iterator(KIVO_EXAMPLES_DIR)) {
        if (e.path().extension() != ".smp") continue;
        Projeto p;
        if (!LeProjeto(p, e.path(), OpcoesCarga{true, nullptr}).ok) continue;
        const int n = Objetos(p);
        if (n > objetos || (n == objetos && e.path() < maior)) {
            objetos = n;
            maior = e.path();
        }
    }
    return maior;
}

void BM_FastSimLargestExample4h(benchmark::State& state) {
    static const fs::path exemplo = MaiorExemplo();
    if (exemplo.empty()) {
        state.SkipWithError("no example plant found");
        return;
    }
    const fs::path pasta = fs::temp_directory_path() / ("kivo-fastsim-bench-" + std::to_string(getpid()));
    fs::create_directories(pasta);
    OpcoesRapida op;
    op.janela = 14400;
    op.T = 0.1;
    op.sinal = SinalTeste::DegrauSP;
    op.arquivar = true;
    op.prefixo = "bench";
    op.pasta = pasta;

    std::uint64_t alocacoes = 0;
    int objetos = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto p = std::make_unique<Projeto>();
        LeProjeto(*p, exemplo, OpcoesCarga{true, nullptr});
        objetos = Objetos(*p);
        const std::uint64_t antes = kivo::testing::Alocacoes();
        state.ResumeTiming();

        const ResultadoRapida r = ExecutaRapida(p->sim, op);

        state.PauseTiming();
        alocacoes += kivo::testing::Alocacoes() - antes;
        if (!r.executou || r.erroArquivo || r.ciclos != 144000) state.SkipWithError("the run failed");
        fs::remove(r.arquivo);
        state.ResumeTiming();
    }
    fs::remove_all(pasta);
    state.SetLabel(exemplo.filename().string());
    state.counters["objects"] = objetos;
    state.counters["allocs_per_run"] = static_cast<double>(alocacoes) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_FastSimLargestExample4h)->Unit(benchmark::kMillisecond);

}  // namespace
