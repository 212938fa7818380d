#pragma once
// The Portuguese/English texts of the trend recorder, the XY recorder and
// the animated text window. Captions go through ApplyTexts; hints through
// ApplyTooltips, which also names the controls that have no caption.
#include <span>

#include "ui/i18n/Translations.h"

namespace kivo::ui {

std::span<const Translation> TrendRecorderTexts();
std::span<const Translation> TrendRecorderTooltips();
std::span<const Translation> XYRecorderTexts();
std::span<const Translation> XYRecorderTooltips();
std::span<const Translation> TextWindowTexts();
std::span<const Translation> TextWindowTooltips();

// Sets the tooltip of every control of the table found under root; a
// control without a caption of its own is named by its hint.
void ApplyTooltips(QObject* root, std::span<const Translation> table, bool english);

}  // namespace kivo::ui
