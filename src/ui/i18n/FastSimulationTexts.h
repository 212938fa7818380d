#pragma once
// The Portuguese/English texts of the fast-simulation window: captions,
// hints, the test-signal items and the tab captions. The window is built
// in Portuguese and takes the English texts when it is created in English.
#include <span>

#include <QString>
#include <QStringList>

#include "ui/i18n/Translations.h"

namespace kivo::ui {

// Labels, check boxes, buttons and the indices panel's title and headings.
std::span<const Translation> FastSimulationTexts();
// Tool tips by objectName.
std::span<const Translation> FastSimulationTooltips();
// Sets the tool tip of every control of the table found under root; a
// control marked with the property "nomePelaDica" (no caption of its own)
// takes its hint as accessible name.
void ApplyFastSimulationTooltips(QObject* root, std::span<const Translation> table, bool english);

// Accessible names of the controls that have neither caption nor hint.
std::span<const Translation> FastSimulationNames();
void ApplyNames(QObject* root, std::span<const Translation> table, bool english);

QString FastSimulationTitle(bool english);
QStringList TestSignalItems(bool english);
// "Malha n" / "Loop n" and "Hist n": the tab captions before the tags.
QString LoopTab(int n, bool english);
QString HistoryTab(int n);
// Before a run: the amplitude field does not hold an integer.
QString InvalidAmplitude(bool english);

}  // namespace kivo::ui
