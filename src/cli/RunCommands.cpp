// kivo-batch run, simulate and indices: the fast simulation with its archive
// and performance indices, the real-time cycle without pacing, and the indices
// of an archive written earlier.
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Argumentos.h"
#include "cli/Commands.h"
#include "cli/IndicesOutput.h"
#include "core/NumberText.h"
#include "core/Registro.h"
#include "fastsim/Historico.h"
#include "fastsim/Progresso.h"
#include "fastsim/SimulacaoRapida.h"
#include "objects/Campos.h"
#include "project/ArquivoProjeto.h"

namespace kivo::cli {

namespace {

// "1e13": the limit of an index, as the help states it.
std::string LimiteIndice() { return "1e" + std::to_string(std::lround(std::log10(kMaxIndice))); }

// Index of texto in the items, or -1.
int Item(const std::string& texto, std::initializer_list<const char*> itens) {
    int i = 0;
    for (const char* item : itens) {
        if (texto == item) return i;
        ++i;
    }
    return -1;
}

// "M21", "m21" or "M021" for the display addresses 1..124.
bool LeVariavel(std::string_view s, int& k) {
    if (s.size() < 2 || (s[0] != 'M' && s[0] != 'm')) return false;
    s.remove_prefix(1);
    const auto r = std::from_chars(s.data(), s.data() + s.size(), k);
    return r.ec == std::errc{} && r.ptr == s.data() + s.size() && k >= 1 && k <= kNumVariaveis;
}

}  // namespace

int ComandoRun(const Args& args) {
    static const std::string kUsoRun =
        "Usage: kivo-batch run PROJECT.smp [--window 30min|1h|2h|4h] [--sample 100ms|200ms|500ms|1s]\n"
        "                      [--test none|sp|load] [--amplitude A] [--archive PREFIX] [--no-normalize]\n"
        "                      [--format text|json] [--english]\n"
        "Loads the project and runs the fast simulation from the state the file holds:\n"
        "the window (default 30min), the time step (default paired with the window:\n"
        "30min 100ms, 1h 200ms, 2h 500ms, 4h 1s), an optional setpoint (sp) or load\n"
        "step of A % (an integer, default 10) on every controller a little after 10 %\n"
        "of the window. Prints the seven performance indices of every active loop,\n"
        "PV and SP in % or, with --no-normalize, in engineering units. --archive\n"
        "writes PREFIX_k.txd in the current folder (k the smallest free number).\n"
        "--english gives captions and messages in English. The random generator\n"
        "starts from the same seed in every run, so that runs repeat.\n"
        "Exit code 2 on bad options, 3 when the project cannot be read, the archive\n"
        "cannot be written or an index is out of range (not finite, or ";
    if (PedeAjuda(args, kUsoRun + LimiteIndice() +
                            " or more):\n"
                            "the loop's values are too large, and it has no indices.\n\n" +
                            kAjudaJsonIndices))
        return kOk;
    Argumentos a;
    if (!Analisa("run", args,
                 {"--window", "--sample", "--test", "--amplitude", "--archive", "--format"},
                 {"--no-normalize", "--english"}, a))
        return kUso;
    if (a.posicionais.size() != 1) return Uso("run", "expected one project file");

    OpcoesRapida op;
    int janela = 0;
    if (const auto* w = a.valor("--window")) {
        janela = Item(*w, {"30min", "1h", "2h", "4h"});
        if (janela < 0) return Uso("run", "--window must be 30min, 1h, 2h or 4h, not '" + *w + "'");
    }
    op.janela = kJanelasRapida[static_cast<std::size_t>(janela)];
    int amostra = janela;
    if (const auto* s = a.valor("--sample")) {
        amostra = Item(*s, {"100ms", "200ms", "500ms", "1s"});
        if (amostra < 0) return Uso("run", "--sample must be 100ms, 200ms, 500ms or 1s, not '" + *s + "'");
    }
    op.T = kAmostragensRapida[static_cast<std::size_t>(amostra)];
    if (const auto* t = a.valor("--test")) {
        const int item = Item(*t, {"none", "sp", "load"});
        if (item < 0) return Uso("run", "--test must be none, sp or load, not '" + *t + "'");
        op.sinal = SinalDoItem(item + 1);
    }
    if (const auto* amp = a.valor("--amplitude"); amp && !LeAmplitude(*amp, op.amplitude))
        return Uso("run", "--amplitude must be an integer, not '" + *amp + "'");
    if (const auto* p = a.valor("--archive")) {
        op.arquivar = true;
        op.prefixo = *p;
    }
    op.normaliza = !a.flags.count("--no-normalize");
    bool json = false;
    if (!Formato("run", a, json)) return kUso;
    const bool ingles = a.flags.count("--english") > 0;

    Projeto projeto(ingles);
    if (!Carrega("run", a.posicionais[0], projeto)) return kEntradaInvalida;
    ResultadoRapida r;
    {
        BarraProgresso barra;
        r = ExecutaRapida(projeto.sim, op, barra.observador());
    }
    if (!r.executou) {
        std::fprintf(stderr, "kivo-batch run: %s\n", r.erroArquivo->Mensagem(ingles).c_str());
        return kEntradaInvalida;
    }
    const std::string nome = r.arquivo.filename().string();
    ImprimeIndices(projeto, r.linha, json, ingles, r.arquivo.empty() ? nullptr : &nome);
    if (!json && !r.arquivo.empty()) std::printf("%s %s\n", std::string(TextoDadosSalvos(ingles)).c_str(), nome.c_str());
    int rc = kOk;
    if (r.erroArquivo) {
        std::fprintf(stderr, "kivo-batch run: %s\n", r.erroArquivo->Mensagem(ingles).c_str());
        rc = kEntradaInvalida;
    }
    for (int n = 1; n <= kMalhas; ++n) {
        const std::string fora = TextoForaDaFaixa(r.linha, n, ingles);
        if (fora.empty()) continue;
        std::fprintf(stderr, "kivo-batch run: %s%s\n", fora.c_str(),
                     ingles ? "; the loop's values are too large." : "; os valores da malha são grandes demais.");
        rc = kEntradaInvalida;
    }
    return rc;
}

int ComandoIndices(const Args& args) {
    static const std::string kUsoIndices =
        "Usage: kivo-batch indices ARCHIVE.txd --project PROJECT.smp [--format text|json]\n"
        "                          [--no-normalize] [--english]\n"
        "Loads a fast-simulation archive with the controllers of the project as it is\n"
        "configured (each loop's PV column from its controller's PV address, active\n"
        "controllers only) and prints the seven performance indices of every loop, as\n"
        "kivo-batch run prints them. Exit code 3 when the project or the archive cannot\n"
        "be read; the message names the file and the line. Only a regular file of at\n"
        "most ";
    if (PedeAjuda(args, kUsoIndices + std::to_string(kMaxBytesTxd >> 20) + " MiB with lines of at most " +
                            std::to_string(kMaxBytesLinhaTxd >> 10) +
                            " KiB is read as an archive, and an\n"
                            "index out of range (not finite, or " +
                            LimiteIndice() + " or more) is an error of the archive.\n\n" + kAjudaJsonIndices))
        return kOk;
    Argumentos a;
    if (!Analisa("indices", args, {"--project", "--format"}, {"--no-normalize", "--english"}, a)) return kUso;
    if (a.posicionais.size() != 1) return Uso("indices", "expected one archive file");
    const std::string* projetoArq = a.valor("--project");
    if (!projetoArq) return Uso("indices", "--project is required");
    bool json = false;
    if (!Formato("indices", a, json)) return kUso;
    const bool ingles = a.flags.count("--english") > 0;

    Projeto projeto(ingles);
    if (!Carrega("indices", *projetoArq, projeto)) return kEntradaInvalida;
    LinhaDesempenho linha;
    try {
        BarraProgresso barra;
        linha = CarregaHistorico(projeto.sim, a.posicionais[0], !a.flags.count("--no-normalize"), barra.observador());
    } catch (const ErroTxd& e) {
        std::fprintf(stderr, "kivo-batch indices: %s\n", e.Mensagem(ingles).c_str());
        return kEntradaInvalida;
    }
    const std::string nome = std::filesystem::path(a.posicionais[0]).filename().string();
    ImprimeIndices(projeto, linha, json, ingles, &nome);
    return kOk;
}

int ComandoSimulate(const Args& args) {
    static const char* kUsoSimulate =
        "Usage: kivo-batch simulate PROJECT.smp --duration SECONDS [--step 0.1] --print M21,M01,...\n"
        "                           [--every N] [--english]\n"
        "Runs the real-time cycle of the project (every tick in full) without waiting,\n"
        "for Nearest(SECONDS / step) ticks, and prints a CSV time series: the header\n"
        "t,M21,M01,... and, after every N ticks (default 1), the time and the values\n"
        "in their shortest exact text. The step is the timer period, a whole number of\n"
        "milliseconds (default 0.1 s).\n";
    if (PedeAjuda(args, kUsoSimulate)) return kOk;
    Argumentos a;
    if (!Analisa("simulate", args, {"--duration", "--step", "--print", "--every"}, {"--english"}, a)) return kUso;
    if (a.posicionais.size() != 1) return Uso("simulate", "expected one project file");

    const std::string* duracaoTexto = a.valor("--duration");
    double duracao = 0;
    if (!duracaoTexto) return Uso("simulate", "--duration is required");
    if (!LeNumeroCampo(*duracaoTexto, duracao) || !(duracao > 0))
        return Uso("simulate", "--duration must be a positive number of seconds, not '" + *duracaoTexto + "'");
    double passo = 0.1;
    if (const auto* s = a.valor("--step"); s && (!LeNumeroCampo(*s, passo) || !(passo > 0)))
        return Uso("simulate", "--step must be a positive number of seconds, not '" + *s + "'");
    const double ms = passo * 1000;
    if (!(Arredonda(ms) >= 1 && Arredonda(ms) < 2147483647.0 && std::abs(ms - Arredonda(ms)) < 1e-6))
        return Uso("simulate", "--step must be a whole number of milliseconds");
    const double ciclos = Arredonda(duracao / passo);
    if (!(ciclos >= 1 && ciclos < 1e15)) return Uso("simulate", "--duration must hold between one and 10^15 steps");
    int cada = 1;
    if (const auto* e = a.valor("--every"); e && (!ConverteInteiroEstrito(*e, cada) || cada < 1))
        return Uso("simulate", "--every must be a positive integer, not '" + *e + "'");
    const std::string* lista = a.valor("--print");
    if (!lista) return Uso("simulate", "--print is required");
    std::vector<int> variaveis;
    for (std::size_t i = 0; i <= lista->size();) {
        const std::size_t fim = std::min(lista->find(',', i), lista->size());
        const std::string nome = lista->substr(i, fim - i);
        int k = 0;
        if (!LeVariavel(nome, k)) return Uso("simulate", "invalid variable '" + nome + "' in --print (M1..M124)");
        variaveis.push_back(k);
        i = fim + 1;
    }

    Projeto projeto(a.flags.count("--english") > 0);
    if (!Carrega("simulate", a.posicionais[0], projeto)) return kEntradaInvalida;
    Simulacao& sim = projeto.sim;
    const int periodo = static_cast<int>(Arredonda(ms));
    sim.estado.periodoTimer = periodo;

    std::string linha = "t";
    for (int k : variaveis) linha += "," + NomeVariavel(k);
    std::printf("%s\n", linha.c_str());
    BarraProgresso barra;
    Progresso progresso(barra.observador());
    const auto n = static_cast<long long>(ciclos);
    for (long long i = 1; i <= n; ++i) {
        progresso.Informa(static_cast<int>(Arredonda(100.0 * static_cast<double>(i - 1) / ciclos)));
        // The clock only feeds the measured cycle time; T comes from the period.
        sim.Tick(static_cast<long double>(i) * periodo);
        if (i % cada != 0) continue;
        linha.clear();
        EscreveValor(linha, static_cast<double>(i) * periodo / 1000.0);
        for (int k : variaveis) {
            linha += ',';
            EscreveValor(linha, sim.mem[k]);
        }
        linha += '\n';
        std::fwrite(linha.data(), 1, linha.size(), stdout);
    }
    return kOk;
}

}  // namespace kivo::cli
