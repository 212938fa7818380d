// LeProjeto: the project read back in the order of the file's sections.
#include <algorithm>
#include <array>
#include <memory>
#include <new>

#include "core/NumberText.h"
#include "core/Registro.h"
#include "project/ArquivoProjeto.h"
#include "project/ArquivoTexto.h"

namespace kivo {
namespace {

constexpr std::string_view kMarcaTabela = "<<<Unidades Engenharia>>>";
constexpr std::string_view kMarcaTracks = "<<Tracks>>";

// One pass over the lines into one project. Observer and messages are those
// of the load proper; the checking pass runs without them.
class Carga {
public:
    Carga(Projeto& p, LeitorLinhas& r, ObservadorCarga* obs, std::vector<std::string>* mensagens)
        : p_(p), r_(r), obs_(obs), mensagens_(mensagens) {}

    void Executa(const std::string& nomeArquivo);
    // The file held everything up to its last line, "<END_COMMENTS>".
    bool Completo() const { return completo_; }

private:
    void Progresso(int pct) {
        if (obs_) obs_->AoProgresso(pct);
    }
    void Cabecalho(const std::string& nomeArquivo);
    void TabelaETracks();
    void LinhaTabela(int k, std::string_view linha);
    void LeTrack(int n);
    template <int N>
    std::array<bool, N> Flags();
    void Objetos();
    template <class T>
    void Valida(T& obj);
    void Coordenadas();
    void Widgets();
    void Comentarios();
    void SaidasCalculadas();

    Projeto& p_;
    LeitorLinhas& r_;
    ObservadorCarga* obs_;
    std::vector<std::string>* mensagens_;
    std::array<bool, 10> controladores_{};
    std::array<bool, 24> processos_{};
    std::array<bool, 24> blocos_{};
    std::array<bool, 10> registradores_{};
    std::array<bool, 20> textos_{};
    bool completo_ = false;
};

// The file name without folder and extension; both separators count, as
// example paths are written with "\".
std::string NomeSemPastaEExtensao(const std::string& caminho) {
    const std::size_t barra = caminho.find_last_of("/\\");
    std::string nome = barra == std::string::npos ? caminho : caminho.substr(barra + 1);
    const std::size_t ponto = nome.rfind('.');
    if (ponto != std::string::npos && ponto > 0) nome.erase(ponto);
    return nome;
}

void Carga::Cabecalho(const std::string& nomeArquivo) {
    p_.titulo = r_.Par(0, kChaveTitulo);
    if (p_.titulo.empty()) p_.titulo = NomeSemPastaEExtensao(nomeArquivo);
    p_.imagem = r_.Texto();
}

// "M" + two digits + ":" and then unit, UE min, UE max, LIE and LSE, each
// ended by ";". A field without its ";" is missing; missing or empty range
// and limit fields take their defaults, the unit may stay empty.
void Carga::LinhaTabela(int k, std::string_view linha) {
    static constexpr const char* kPadrao[] = {"0.00", "100.00", "0.00", "100.00"};
    std::string_view resto = AposCaracteres(linha, 4);
    std::string campos[5];
    for (int i = 0; i < 5; ++i) {
        const std::size_t pv = resto.find(';');
        if (pv == std::string_view::npos) break;
        campos[i] = std::string(resto.substr(0, pv));
        resto.remove_prefix(pv + 1);
    }
    for (int i = 1; i < 5; ++i)
        if (campos[i].empty()) campos[i] = kPadrao[i - 1];
    Memorias& mem = p_.sim.mem;
    mem.setUnidade(k, campos[0]);
    mem.setUeMin(k, campos[1]);
    mem.setUeMax(k, campos[2]);
    mem.setLie(k, campos[3]);
    mem.setLse(k, campos[4]);
}

void Carga::LeTrack(int n) {
    Track& t = p_.tracks[n - 1];
    t.habilitado = r_.FlagMaiusculo();
    t.rotulo = r_.Par(0, ChaveTrack(n));
    t.topo = r_.InteiroEstrito();
    t.esquerda = r_.InteiroEstrito();
    // The slider and the entry box take 0..100 % only.
    p_.sim.mem[14 + n] = std::clamp(r_.Real(), 0.0, 100.0);
    t.deslizante = r_.FlagMaiusculo();
    p_.sim.mem.setDescricao(14 + n, t.rotulo);
}

// The variable table and the tracks are optional: each is recognised by its
// marker, and a line that is neither marker is the controllers' marker.
void Carga::TabelaETracks() {
    std::string linha = r_.Proxima();
    if (linha == kMarcaTabela) {
        for (int k = 15; k <= 96; ++k) LinhaTabela(k, r_.Proxima());
        linha = r_.Proxima();
    } else {
        Memorias& mem = p_.sim.mem;
        for (int k = 15; k <= 96; ++k) {
            mem.setUnidade(k, "%");
            mem.setUeMin(k, "0.00");
            mem.setUeMax(k, "100.00");
            mem.setLie(k, "0.00");
            mem.setLse(k, "100.00");
        }
    }
    if (obs_) obs_->AoAtualizarListaVariaveis();
    if (linha == kMarcaTracks) {
        for (int n = 1; n <= Projeto::kTracks; ++n) LeTrack(n);
        r_.Proxima();  // the controllers' marker
    }
}

template <int N>
std::array<bool, N> Carga::Flags() {
    std::array<bool, N> f{};
    for (auto& b : f) b = r_.FlagMisto();
    return f;
}

// Messages of the apply go to the load's list (and the observer) while it
// runs; afterwards the object reports to the project's own sink.
template <class T>
void Carga::Valida(T& obj) {
    if (mensagens_) {
        obj.mensagens = [this](const std::string& m) {
            mensagens_->push_back(m);
            if (obs_) obs_->AoMensagem(m);
        };
    }
    obj.ValidaParametros(true);
    obj.mensagens = p_.saidaMensagens;
}

// Only the slots the file flags have records, so only they are read, even
// when the project already holds objects in other slots.
void Carga::Objetos() {
    controladores_ = Flags<10>();
    for (int n = 1; n <= 10; ++n)
        if (controladores_[n - 1]) p_.CriaControlador(n);
    for (int n = 1; n <= 10; ++n) {
        if (!controladores_[n - 1]) continue;
        TControlador& c = *p_.controlador(n);
        c.LeParametros(r_);
        Valida(c);
    }
    Progresso(25);

    r_.Proxima();  // "<Process>"
    processos_ = Flags<24>();
    for (int n = 1; n <= 24; ++n)
        if (processos_[n - 1]) p_.CriaProcesso(n);
    for (int n = 1; n <= 24; ++n) {
        if (!processos_[n - 1]) continue;
        TProcesso& pr = *p_.processo(n);
        pr.LeParametros(r_);
        Valida(pr);
    }
    Progresso(45);

    r_.Proxima();  // "<Blocs>"
    blocos_ = Flags<24>();
    for (int n = 1; n <= 24; ++n)
        if (blocos_[n - 1]) p_.CriaBloco(n);
    for (int n = 1; n <= 24; ++n) {
        if (!blocos_[n - 1]) continue;
        TBloco& b = *p_.bloco(n);
        b.LeParametros(r_);
        Valida(b);
    }
    Progresso(60);

    r_.Proxima();  // "<Registers>"
    registradores_ = Flags<10>();
    for (int n = 1; n <= 10; ++n)
        if (registradores_[n - 1]) p_.CriaRegistrador(n);
    for (int n = 1; n <= 10; ++n) {
        if (!registradores_[n - 1]) continue;
        p_.registrador(n)->LeParametros(r_);
        p_.registrador(n)->AtualizaRegistrador();
        if (obs_) obs_->AoAplicarRegistrador(n);
    }
    Progresso(70);

    r_.Proxima();  // "<Textos Animados>"
    textos_ = Flags<20>();
    for (int n = 1; n <= 20; ++n)
        if (textos_[n - 1]) p_.CriaTexto(n);
    for (int n = 1; n <= 20; ++n) {
        if (!textos_[n - 1]) continue;
        p_.texto(n)->LeParametros(r_);
        p_.texto(n)->ValidaParametros();
        if (obs_) obs_->AoAplicarTexto(n);
    }
    Progresso(85);
}

void Carga::Coordenadas() {
    Marcadores& m = p_.marcadores;
    auto grupo = [this](Marcador& mk, bool topoPrimeiro) {
        mk.legenda = r_.Texto();
        const int a = r_.InteiroLeniente();
        const int b = r_.InteiroLeniente();
        mk.topo = topoPrimeiro ? a : b;
        mk.esquerda = topoPrimeiro ? b : a;
        mk.exibido = r_.FlagMisto();
    };
    r_.Proxima();  // "=====<<<COORDENADAS>>>====="
    for (int n = 1; n <= 10; ++n)
        if (controladores_[n - 1]) grupo(m.controladores[n - 1], true);
    for (int n = 1; n <= 24; ++n)
        if (processos_[n - 1]) grupo(m.processos[n - 1], false);
    for (int n = 1; n <= 10; ++n)
        if (registradores_[n - 1]) grupo(m.registradores[n - 1], false);
    for (int n = 1; n <= 24; ++n) {
        if (blocos_[n - 1]) grupo(m.blocos[n - 1], false);
        // Reported at this place whether or not block 9 exists, so that the
        // progress always passes through every step.
        if (n == 9) Progresso(90);
    }
    for (int n = 1; n <= 20; ++n) {
        if (!textos_[n - 1]) continue;
        Marcador& mk = m.textos[n - 1];
        mk.topo = r_.InteiroLeniente();
        mk.esquerda = r_.InteiroLeniente();
        mk.exibido = r_.FlagMisto();
    }
}

// Switches and buttons hold 0 or 1, and the load shows the picture of 1
// for exactly 1: any other value in a file becomes 0, so that the value
// agrees with the picture.
double UmOuZero(double v) { return v == 1.0 ? 1.0 : 0.0; }

void Carga::Widgets() {
    for (Forma& f : p_.formas) {
        f.topoBase = r_.InteiroLeniente();
        f.esquerda = r_.InteiroLeniente();
        f.habilitada = r_.FlagMaiusculo();
        f.tipo = IndiceNaLista(r_.InteiroLeniente(), Forma::kItensTipo);
        f.variavel = IndiceNaLista(r_.InteiroLeniente(), Forma::kItensVariavel);
        // The size selectors run from 0 to 300.
        f.altura = std::clamp(r_.InteiroLeniente(), 0, Forma::kMaxTamanho);
        f.largura = std::clamp(r_.InteiroLeniente(), 0, Forma::kMaxTamanho);
        f.cor1 = r_.Cor();
        f.cor2 = r_.Cor();
    }
    for (int c = 0; c < Projeto::kChaves; ++c) {
        Chave& ch = p_.chaves[c];
        ch.topo = r_.InteiroLeniente();
        ch.esquerda = r_.InteiroLeniente();
        ch.habilitada = r_.FlagMaiusculo();
        ch.orientacao = IndiceNaLista(r_.InteiroLeniente(), Chave::kItensOrientacao);
        p_.sim.mem[11 + c] = UmOuZero(r_.Real());
    }
    p_.painel.topo = r_.InteiroLeniente();
    p_.painel.esquerda = r_.InteiroLeniente();
    for (int b = 0; b < Projeto::kBotoes; ++b) {
        Botao& bt = p_.botoes[b];
        bt.habilitado = r_.FlagMaiusculo();
        bt.textoZero = r_.Par(0, ChaveBotao(b, "zero"));
        bt.textoUm = r_.Par(0, ChaveBotao(b, "um"));
        bt.descricao = r_.Par(0, ChaveBotao(b, "descricao"));
        p_.sim.mem[97 + b] = UmOuZero(r_.Real());
        if (b == 1) Progresso(100);
    }
}

// The markers are not compared; a block ends at its closing marker or at
// the end of the file, whichever comes first. The block of the interface
// language reaches the panel; the other is kept for the save.
void Carga::Comentarios() {
    const bool ingles = p_.ingles;
    r_.Proxima();  // "<INICIO_COMENTARIOS>"
    for (std::string l = r_.Proxima(); l != "<FIM_COMENTARIOS>" && !r_.AlemDoFim(); l = r_.Proxima())
        (ingles ? p_.comentariosOutroIdioma : p_.comentarios).push_back(l);
    r_.Proxima();  // "<BEGIN_COMMENTS>"
    for (std::string l = r_.Proxima(); l != "<END_COMMENTS>" && !r_.AlemDoFim(); l = r_.Proxima())
        (ingles ? p_.comentarios : p_.comentariosOutroIdioma).push_back(l);
    completo_ = !r_.AlemDoFim();
}

// The blocks and the linearizer hold no state: at rest their outputs are
// what their formulas give from the memory. Computed here from the loaded
// memory, in the order of the cycle, they are in the memory before the first
// tick, when the processes read them. In the cycle a block that reads a later
// block or the linearizer sees that output one tick old, which at rest is
// the same value; so the passes repeat while an output still changes, which
// settles any chain of them. Nothing else is stepped: the generators, the
// processes and the controllers keep the state the file gave them. A loop
// through the outputs themselves (a filter or an integral typed as a formula)
// is a state the file does not hold: the passes stop at a bound, taking a
// filter that many steps toward its rest, and the loop goes on from there.
void Carga::SaidasCalculadas() {
    Simulacao& sim = p_.sim;
    // The longest chain (24 blocks and the linearizer), and a pass that
    // finds nothing changed.
    constexpr int kPassos = 24 + 1 + 1;
    std::array<double, kNumVariaveis + 1> antes{};
    for (int passo = 0; passo < kPassos; ++passo) {
        for (int k = 1; k <= kNumVariaveis; ++k) antes[static_cast<std::size_t>(k)] = sim.mem[k];
        sim.blocos.PassoAtivos();
        if (sim.linearizadorAtivo && sim.linearizador) sim.linearizador->CalculaCiclo();
        bool mudou = false;
        for (int k = 1; k <= kNumVariaveis && !mudou; ++k) mudou = !(sim.mem[k] == antes[static_cast<std::size_t>(k)]);
        if (!mudou) return;
    }
}

void Carga::Executa(const std::string& nomeArquivo) {
    Progresso(5);
    Cabecalho(nomeArquivo);
    TabelaETracks();
    Progresso(10);
    Objetos();
    Coordenadas();
    for (int i = 0; i < 19 + 3; ++i) r_.Proxima();  // the XY block and the three "vago"
    Progresso(95);
    p_.geradores.LeParametros(r_);
    Widgets();
    p_.linearizador.LeParametros(r_);
    p_.comentariosVisiveis = r_.FlagMaiusculo();
    Comentarios();
    SaidasCalculadas();
    p_.AtualizaLegendas();
}

AvisoCarga AvisoFimAntecipado(const std::string& nomeArquivo, std::size_t linhas, bool ingles) {
    const std::string n = std::to_string(linhas);
    const std::string nome = "\"" + nomeArquivo + "\"";
    AvisoCarga a;
    a.linha = static_cast<int>(linhas);
    a.texto = ingles ? nome + " ends at line " + n +
                           ", before the end of the project: what is missing was read as empty. Saving the "
                           "project would replace the file with what was read."
                     : nome + " termina na linha " + n +
                           ", antes do fim do projeto: o que falta foi lido como vazio. Salvar o projeto "
                           "substituiria o arquivo pelo que foi lido.";
    return a;
}

std::filesystem::path CaminhoImagem(const Projeto& p, const std::string& nomeArquivo, bool exemplo) {
    if (!exemplo) return std::filesystem::path(p.imagem);
    return std::filesystem::path(nomeArquivo).parent_path() / p.imagem;
}

}  // namespace

ResultadoCarga LeProjetoBytes(Projeto& projeto, std::string_view bytes, const std::string& nomeArquivo,
                              const OpcoesCarga& opcoes) {
    ResultadoCarga res;
    ObservadorCarga* obs = opcoes.observador;
    if (obs) obs->AoIniciar();
    try {
        const std::vector<std::string> linhas = DivideLinhas(bytes);
        // The checking pass: a malformed value stops the load here, before
        // anything of the project has changed.
        {
            auto rascunho = std::make_unique<Projeto>(projeto.ingles);
            LeitorLinhas r(linhas, nomeArquivo, projeto.ingles);
            Carga(*rascunho, r, nullptr, nullptr).Executa(nomeArquivo);
        }
        LeitorLinhas r(linhas, nomeArquivo, projeto.ingles);
        r.GuardaPares(&projeto.pares);
        Carga carga(projeto, r, obs, &res.mensagens);
        carga.Executa(nomeArquivo);
        // A file that ends early reads as one whose missing lines are empty,
        // as far as no strict value falls among them.
        if (!carga.Completo()) {
            res.avisos.push_back(AvisoFimAntecipado(nomeArquivo, r.numLinhas(), projeto.ingles));
            if (obs) obs->AoAviso(res.avisos.back());
        }
        res.caminhoImagem = CaminhoImagem(projeto, nomeArquivo, opcoes.exemplo);
        if (obs) obs->AoAtualizarDiagrama();
        projeto.salvo = true;
        res.ok = true;
    } catch (const ErroLeitura& e) {
        res.erro = e.Mensagem(projeto.ingles);
    } catch (const std::bad_alloc&) {
        res.erro = projeto.ingles ? "Not enough memory to read the project." : "Memória insuficiente para ler o projeto.";
    }
    if (obs) obs->AoTerminar(res.ok);
    return res;
}

ResultadoCarga LeProjeto(Projeto& projeto, const std::filesystem::path& caminho, const OpcoesCarga& opcoes) {
    std::string bytes;
    try {
        bytes = LeBytes(caminho);
    } catch (const ErroArquivo& e) {
        // Nothing has started yet: the timer was never stopped.
        ResultadoCarga res;
        res.erro = e.Mensagem(projeto.ingles);
        return res;
    }
    return LeProjetoBytes(projeto, bytes, caminho.string(), opcoes);
}

}  // namespace kivo
