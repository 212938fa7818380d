#pragma once
// The Portuguese/English texts of the object windows: process, calculation
// block, signal generators and variable list. Windows are built with the
// Portuguese texts and apply the English ones on first activation.
#include <span>

#include <QStringList>

#include "ui/i18n/Translations.h"

namespace kivo::ui {

std::span<const Translation> ProcessTexts();
std::span<const Translation> ProcessTooltips();
QStringList TransferFunctionKindItems(bool english);
QStringList ValveCurveItems(bool english);
QString ProcessTitle(bool english);

std::span<const Translation> BlockTexts();
std::span<const Translation> BlockTooltips();
QString BlockTitle(bool english);

std::span<const Translation> GeneratorsTexts();
std::span<const Translation> GeneratorsTooltips();
// The kinds a row offers, by index; rows 86..90 offer 0..6, rows 91..96 0..1.
QStringList GeneratorKindItems(bool english);
QString GeneratorsTitle(bool english);

std::span<const Translation> VariableListTexts();
std::span<const Translation> VariableListTooltips();
QString VariableListTitle(bool english);

}  // namespace kivo::ui
