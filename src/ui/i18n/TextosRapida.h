#pragma once
// The Portuguese/English texts of the fast-simulation window: captions,
// hints, the test-signal items and the tab captions. The window is built
// in Portuguese and takes the English texts when it is created in English.
#include <span>

#include <QString>
#include <QStringList>

#include "ui/i18n/Traducoes.h"

namespace kivo::ui {

// Labels, check boxes, buttons and the indices panel's title and headings.
std::span<const Traducao> TextosRapida();
// Tool tips by objectName.
std::span<const Traducao> DicasRapida();
// Sets the tool tip of every control of the table found under raiz; a
// control marked with the property "nomePelaDica" (no caption of its own)
// takes its hint as accessible name.
void AplicaDicasRapida(QObject* raiz, std::span<const Traducao> tabela, bool ingles);

// Accessible names of the controls that have neither caption nor hint.
std::span<const Traducao> NomesRapida();
void AplicaNomes(QObject* raiz, std::span<const Traducao> tabela, bool ingles);

QString TituloRapida(bool ingles);
QStringList ItensSinalTeste(bool ingles);
// "Malha n" / "Loop n" and "Hist n": the tab captions before the tags.
QString AbaMalha(int n, bool ingles);
QString AbaHistorico(int n);
// Before a run: the amplitude field does not hold an integer.
QString AmplitudeInvalida(bool ingles);

}  // namespace kivo::ui
