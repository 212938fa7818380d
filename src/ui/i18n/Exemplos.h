#pragma once
// The shipped examples as the chooser shows them: page, picture, titles,
// descriptions and hints in both languages, and the path under the start
// directory.
#include <span>

#include <QString>
#include <QStringList>

namespace kivo::ui {

struct Exemplo {
    int pagina;            // 0..5
    const char* figura;    // objectName of the picture, "sim18"
    const char* tituloPt;
    const char* tituloEn;
    const char* caminho;   // "\examples\...\name.smp", as the table writes it
    const char* descricaoPt;
    const char* descricaoEn;
    const char* dica;      // picture hint, "" for none
};

std::span<const Exemplo> Exemplos();
QStringList PaginasExemplos(bool ingles);

}  // namespace kivo::ui
