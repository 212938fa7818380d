#pragma once
// The controller faceplate's captions and hints in both languages. The
// window is built with the Portuguese texts; a program running in English
// applies the English ones once, when the window is created.
#include <span>

#include <QString>

class QWidget;

namespace kivo::ui {

// A control found by its objectName: caption and hint in each language
// (nullptr where the control has none). The accessible name is the
// caption, or the hint where there is no caption.
struct TextoControle {
    const char* nome;
    const char* pt;
    const char* en;
    const char* dicaPt;
    const char* dicaEn;
};

std::span<const TextoControle> TextosFaceplate();

// Sets captions, hints and accessible names of every control of the table
// found under raiz.
void AplicaTextosControle(QWidget* raiz, std::span<const TextoControle> tabela, bool ingles);

// Texts the faceplate composes at run time.
QString TituloPastaLog(bool ingles);          // folder dialog title
QString TextoArquivandoInicial(bool ingles);  // log indicator before any time base
QString TextoCoordenadas(int k);              // cursor label k (1..6) at rest

}  // namespace kivo::ui
