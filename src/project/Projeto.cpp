#include "project/Projeto.h"

namespace kivo {
namespace {

template <class T, int N, class... Args>
T& Preenche(Pool<N>& pool, int n, const SaidaMensagens& saida, Args&&... args) {
    auto obj = std::make_unique<T>(std::forward<Args>(args)...);
    T& ref = *obj;
    if constexpr (requires { ref.mensagens; }) ref.mensagens = saida;
    pool.Cria(n, std::move(obj));
    return ref;
}

}  // namespace

Projeto::Projeto(bool ingles_) : geradores(sim), linearizador(sim), ingles(ingles_) {
    sim.geradores = &geradores;
    sim.linearizador = &linearizador;
    PadroesWidgets();
}

// A slot filled anew holds a new object: the texts its predecessor read
// from the file are not its own.
TControlador& Projeto::CriaControlador(int n) {
    pares.Esquece(ContextoPares('C', n));
    return Preenche<TControlador>(sim.controladores, n, saidaMensagens, sim, n);
}
TProcesso& Projeto::CriaProcesso(int n) {
    pares.Esquece(ContextoPares('P', n));
    return Preenche<TProcesso>(sim.processos, n, saidaMensagens, sim, n);
}
TBloco& Projeto::CriaBloco(int n) {
    pares.Esquece(ContextoPares('B', n));
    return Preenche<TBloco>(sim.blocos, n, saidaMensagens, sim, n);
}
DadosRegistrador& Projeto::CriaRegistrador(int n) {
    pares.Esquece(ContextoPares('R', n));
    return Preenche<DadosRegistrador>(sim.registradores, n, saidaMensagens, sim.mem, n);
}
DadosTexto& Projeto::CriaTexto(int n) {
    pares.Esquece(ContextoPares('T', n));
    return Preenche<DadosTexto>(sim.textos, n, saidaMensagens, sim.mem, n);
}

// The initial places of the diagram. The object rows follow the markers'
// default places; the widgets sit in a free band below them.
void Projeto::PadroesWidgets() {
    for (int n = 1; n <= 10; ++n) {
        marcadores.controladores[n - 1] = Marcador{"", 3 + 40 * (n - 1), 3, false};
        marcadores.registradores[n - 1] = Marcador{"", 515 + 40 * (n - 1), 3, false};
    }
    for (int n = 1; n <= 24; ++n) {
        marcadores.processos[n - 1] = Marcador{"", 3 + 40 * (n - 1), 39, false};
        marcadores.blocos[n - 1] = Marcador{"", 3 + 40 * (n - 1), 63, false};
    }
    for (auto& m : marcadores.textos) m = Marcador{"", 460, 24, false};

    for (int k = 0; k < kFormas; ++k) {
        formas[k] = Forma{};
        formas[k].esquerda = 600 + 60 * k;
        formas[k].topoBase = 120;
    }
    for (int c = 0; c < kChaves; ++c) {
        chaves[c] = Chave{};
        chaves[c].esquerda = 10 + 60 * c;
        chaves[c].topo = 200;
    }
    painel = PainelComando{260, 10};
    for (int b = 0; b < kBotoes; ++b) {
        const std::string m = "M" + std::to_string(97 + b);
        botoes[b] = ingles ? Botao{false, "Text when " + m + "=0", "Text when " + m + "=1", "Description"}
                           : Botao{false, "Texto para " + m + "=0", "Texto para " + m + "=1", "Descrição"};
    }
    for (int n = 0; n < kTracks; ++n) {
        tracks[n] = Track{};
        tracks[n].esquerda = 10 + 125 * n;
        tracks[n].topo = 400;
    }
}

void Projeto::LimpaProjeto() {
    comentarios.clear();
    comentariosOutroIdioma.clear();
    pares.Limpa();
    sim.mem.LimpaProjeto();
    // The bank is applied (as closing its window does) and starts afresh.
    geradores.AplicaParametros();
    geradores.Reinicia();
    sim.controladores.ApagaTodos();
    sim.registradores.ApagaTodos();
    sim.processos.ApagaTodos();
    sim.blocos.ApagaTodos();
    sim.textos.ApagaTodos();
    PadroesWidgets();
    titulo.clear();
    // The picture name is forgotten with the picture, so that a new project
    // does not save the previous one's background.
    imagem.clear();
    // The linearizer's settings go back to their initial texts; its working
    // values stay until its next step recomputes them.
    const TLinearizador padrao(sim);
    linearizador.Lin1EndEnt = padrao.Lin1EndEnt;
    linearizador.Lin1EndSai = padrao.Lin1EndSai;
    linearizador.Lin1MV = padrao.Lin1MV;
    linearizador.Lin1PV = padrao.Lin1PV;
    linearizador.SetLin1Ativar(false);
}

void Projeto::AtualizaLegendas() {
    for (int n = 1; n <= 10; ++n) {
        if (const auto* c = controlador(n)) marcadores.controladores[n - 1].legenda = c->TagText;
        if (const auto* r = registrador(n)) marcadores.registradores[n - 1].legenda = r->TagText;
    }
    for (int n = 1; n <= 24; ++n) {
        if (const auto* p = processo(n)) marcadores.processos[n - 1].legenda = p->TagText;
        if (const auto* b = bloco(n)) marcadores.blocos[n - 1].legenda = b->TagText;
    }
}

}  // namespace kivo
