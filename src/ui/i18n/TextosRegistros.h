#pragma once
// The Portuguese/English texts of the trend recorder, the XY recorder and
// the animated text window. Captions go through AplicaTextos; hints through
// AplicaDicas, which also names the controls that have no caption.
#include <span>

#include "ui/i18n/Traducoes.h"

namespace kivo::ui {

std::span<const Traducao> TextosRegistrador();
std::span<const Traducao> DicasRegistrador();
std::span<const Traducao> TextosRegXY();
std::span<const Traducao> DicasRegXY();
std::span<const Traducao> TextosTexto();
std::span<const Traducao> DicasTexto();

// Sets the tooltip of every control of the table found under raiz; a
// control without a caption of its own is named by its hint.
void AplicaDicas(QObject* raiz, std::span<const Traducao> tabela, bool ingles);

}  // namespace kivo::ui
