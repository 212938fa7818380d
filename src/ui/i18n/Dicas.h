#pragma once
// Hint tables applied to a window: one loop for every window whose hints
// come as Traducao rows, each window saying which of its controls have no
// caption of their own.
#include <span>

#include "ui/i18n/Traducoes.h"

namespace kivo::ui {

// Tells the controls that have no caption of their own, which a hint table
// names by their hint.
using SemLegenda = bool (*)(const QWidget* w);

// Sets the tool tip of every control of the table found under raiz; a
// control without a caption takes its hint, trimmed, as accessible name.
void AplicaDicasTabela(QObject* raiz, std::span<const Traducao> tabela, bool ingles, SemLegenda semLegenda);

}  // namespace kivo::ui
