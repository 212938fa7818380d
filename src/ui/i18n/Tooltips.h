#pragma once
// Hint tables applied to a window: one loop for every window whose hints
// come as Translation rows, each window saying which of its controls have no
// caption of their own.
#include <span>

#include "ui/i18n/Translations.h"

namespace kivo::ui {

// Tells the controls that have no caption of their own, which a hint table
// names by their hint.
using Uncaptioned = bool (*)(const QWidget* w);

// Sets the tool tip of every control of the table found under root; a
// control without a caption takes its hint, trimmed, as accessible name.
void ApplyTooltipTable(QObject* root, std::span<const Translation> table, bool english, Uncaptioned uncaptioned);

// Marks a control that has no caption of its own (a glyph button, a field
// without a label) to be named by its hint.
void NameByTooltip(QWidget* w);
// The Uncaptioned of windows that mark their controls with NameByTooltip.
bool MarkedUncaptioned(const QWidget* w);

}  // namespace kivo::ui
