#pragma once
// Small builders shared by the object windows: named controls whose
// accessible name follows their caption, and the two-language hint tables.
#include <span>

#include <QString>

#include "ui/i18n/TraducoesObjetos.h"

class QLabel;
class QLineEdit;
class QWidget;

namespace kivo::ui {

// A line edit named nome.
QLineEdit* CampoTexto(QWidget* pai, const char* nome);
// A caption named nome in front of campo: the field takes the caption as
// its accessible name, and the caption becomes the field's buddy label.
QLabel* Legenda(QWidget* pai, const char* nome, const char* texto, QWidget* campo = nullptr);
// After a change of language: every labelled control takes its caption
// (without the trailing colon's blanks) as its accessible name again.
void SincronizaNomesAcessiveis(QWidget* raiz);

// Sets the hints of the table's controls in one language.
void AplicaDicas(QWidget* raiz, std::span<const Dica> tabela, bool ingles);

// Two decimals, as every readout shows a value.
QString DuasCasas(double v);

}  // namespace kivo::ui
