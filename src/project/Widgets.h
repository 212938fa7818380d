#pragma once
// Settings of the markers and panel widgets of the plant diagram as the
// project holds them: plain data that the windows show and edit. The values
// the widgets write (M11, M12, M15..M20, M97..M99) live in the variable
// memory, not here.
#include <cstdint>
#include <string>

#include "core/Registro.h"

namespace kivo {

// An object's marker: caption, place and the slot's "shown" box.
struct Marcador {
    std::string legenda;
    int esquerda = 0;
    int topo = 0;
    bool exibido = false;
};

// Data-entry track n (1..6) writing M(14+n).
struct Track {
    bool habilitado = false;   // Ent<n>Check
    std::string rotulo;        // Ent<n>Label, also the description of M(14+n)
    int topo = 0;              // TrackBack<n>
    int esquerda = 0;
    bool deslizante = true;    // Ent<n>Track: slider shown
};

// Animated shape 1..5.
struct Forma {
    static constexpr int kMaxTamanho = 300;
    static constexpr int kItensTipo = 2;
    static constexpr int kItensVariavel = 99;

    int topoBase = 0;
    int esquerda = 0;
    bool habilitada = false;          // Imagem<n>Check
    int tipo = 0;                     // Imagem<n>Tipo: 0 circle, 1 rectangle
    int variavel = 0;                 // Imagem<n>Var: list index, item i = M(i+1)
    int altura = 50;                  // Imagem<n>Tam
    int largura = 50;                 // Imagem<n>TamW
    std::uint32_t cor1 = kCorVermelho;  // Imagem<n>Cor1
    std::uint32_t cor2 = kCorLima;      // Imagem<n>Cor2
};

// Switch 1 (M11) or 2 (M12).
struct Chave {
    static constexpr int kItensOrientacao = 4;

    int topo = 0;
    int esquerda = 0;
    bool habilitada = false;  // Chave<n>Check
    int orientacao = 0;       // Chave<n>Tipo: 0 left, 1 up, 2 right, 3 down
};

// Command button b (1..3) writing M(96+b).
struct Botao {
    bool habilitado = false;  // Botao<b>_check
    std::string textoZero;    // Edit2, Edit4, Edit6
    std::string textoUm;      // Edit3, Edit5, Edit7
    std::string descricao;    // Edit8, Edit9, Edit10
};

// The command panel holding the buttons.
struct PainelComando {
    int topo = 0;
    int esquerda = 0;
};

}  // namespace kivo
