#pragma once
// The project: everything a project file holds, as plain data the windows
// observe and edit, together with the simulation it drives. Objects are
// created in their slots through the Cria* operations, which give them their
// numbers and the project's message sink.
#include <array>
#include <string>
#include <vector>

#include "core/Ciclo.h"
#include "core/Registro.h"
#include "objects/Blocos.h"
#include "objects/Controller.h"
#include "objects/Linearizador.h"
#include "objects/Mensagens.h"
#include "objects/Parametros.h"
#include "objects/Process.h"
#include "project/DadosRegistrador.h"
#include "project/DadosTexto.h"
#include "project/Widgets.h"

namespace kivo {

// Keys of the language pairs that stand outside the object records.
inline constexpr std::string_view kChaveTitulo = "titulo";
inline std::string ChaveTrack(int n) { return "track" + std::to_string(n); }
inline std::string ChaveBotao(int b, const char* campo) { return "botao" + std::to_string(b) + "/" + campo; }

struct Marcadores {
    std::array<Marcador, 10> controladores;
    std::array<Marcador, 24> processos;
    std::array<Marcador, 24> blocos;
    std::array<Marcador, 10> registradores;
    std::array<Marcador, 20> textos;  // place of the value label
};

class Projeto {
public:
    static constexpr int kTracks = 6;
    static constexpr int kFormas = 5;
    static constexpr int kChaves = 2;
    static constexpr int kBotoes = 3;

    // ingles: the interface language flag, which decides the language pairs
    // read and the comment block written.
    explicit Projeto(bool ingles = false);
    Projeto(const Projeto&) = delete;
    Projeto& operator=(const Projeto&) = delete;

    Simulacao sim;
    TParmForm geradores;
    TLinearizador linearizador;

    bool ingles;
    std::string titulo;
    std::string imagem;  // background picture, bare file name
    std::array<Track, kTracks> tracks;
    std::array<Forma, kFormas> formas;
    std::array<Chave, kChaves> chaves;
    PainelComando painel;
    std::array<Botao, kBotoes> botoes;
    Marcadores marcadores;
    bool comentariosVisiveis = false;
    std::vector<std::string> comentarios;  // panel lines, current language
    std::vector<std::string> comentariosOutroIdioma;  // the other block, kept
    // Both languages of every language pair the file held (see ParesIdioma).
    ParesIdioma pares;
    bool salvo = true;
    // Where the objects' validation messages go outside a load.
    SaidaMensagens saidaMensagens;

    // Fill slot n (creating the object anew when the slot is already filled),
    // set its active flag and give the object its number.
    TControlador& CriaControlador(int n);
    TProcesso& CriaProcesso(int n);
    TBloco& CriaBloco(int n);
    DadosRegistrador& CriaRegistrador(int n);
    DadosTexto& CriaTexto(int n);

    // The object in slot n, or nullptr when the slot is empty.
    TControlador* controlador(int n) const { return sim.controladores.como<TControlador>(n); }
    TProcesso* processo(int n) const { return sim.processos.como<TProcesso>(n); }
    TBloco* bloco(int n) const { return sim.blocos.como<TBloco>(n); }
    DadosRegistrador* registrador(int n) const { return sim.registradores.como<DadosRegistrador>(n); }
    DadosTexto* texto(int n) const { return sim.textos.como<DadosTexto>(n); }

    // The project reset, as far as the project's data goes: comments,
    // variable memory and table, generator bank, every slot, the widgets and
    // markers back to their places, title, picture and linearizer settings.
    void LimpaProjeto();

    // The markers' captions become their objects' tags, as the diagram
    // refresh shows them.
    void AtualizaLegendas();

private:
    void PadroesWidgets();
};

}  // namespace kivo
