#pragma once
// Settings of the markers and panel widgets of the plant diagram as the
// project holds them: plain data that the windows show and edit. The values
// the widgets write (M11, M12, M15..M20, M97..M99) live in the variable
// memory, not here.
#include <cstdint>
#include <string>

#include "core/Record.h"

namespace kivo {

// An object's marker: caption, place and the slot's "shown" box.
struct Marker {
    std::string caption;
    int left = 0;
    int top = 0;
    bool shown = false;
};

// Data-entry track n (1..6) writing M(14+n).
struct Track {
    bool enabled = false;  // Ent<n>Check
    std::string label;     // Ent<n>Label, also the description of M(14+n)
    int top = 0;           // TrackBack<n>
    int left = 0;
    bool sliderShown = true;    // Ent<n>Track: slider shown
};

// Animated shape 1..5.
struct Shape {
    static constexpr int kMaxSize = 300;
    static constexpr int kKindItems = 2;
    static constexpr int kVariableItems = 99;

    int baseTop = 0;
    int left = 0;
    bool enabled = false;                 // Imagem<n>Check
    int kind = 0;                         // Imagem<n>Tipo: 0 circle, 1 rectangle
    int variable = 0;                     // Imagem<n>Var: list index, item i = M(i+1)
    int height = 50;                      // Imagem<n>Tam
    int width = 50;                       // Imagem<n>TamW
    std::uint32_t colour1 = kColourRed;   // Imagem<n>Cor1
    std::uint32_t colour2 = kColourLime;  // Imagem<n>Cor2
};

// Switch 1 (M11) or 2 (M12).
struct Switch {
    static constexpr int kOrientationItems = 4;

    int top = 0;
    int left = 0;
    bool enabled = false;  // Chave<n>Check
    int orientation = 0;   // Chave<n>Tipo: 0 left, 1 up, 2 right, 3 down
};

// Command button b (1..3) writing M(96+b).
struct Button {
    // After each field, the settings window's widgets that edit it.
    bool enabled = false;     // Botao<b>_check
    std::string zeroText;     // Edit2, Edit4, Edit6: shown while M(96+b) is 0
    std::string oneText;      // Edit3, Edit5, Edit7: shown while it is not 0
    std::string description;  // Edit8, Edit9, Edit10
};

// The command panel holding the buttons.
struct CommandPanel {
    int top = 0;
    int left = 0;
};

}  // namespace kivo
