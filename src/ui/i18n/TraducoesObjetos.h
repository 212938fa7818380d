#pragma once
// The Portuguese/English texts of the object windows: process, calculation
// block, signal generators and variable list. Windows are built with the
// Portuguese texts and apply the English ones on first activation.
#include <span>

#include <QStringList>

#include "ui/i18n/Traducoes.h"

namespace kivo::ui {

// A hint of a control found by its objectName, in each language. A control
// without a caption takes its hint as its accessible name.
struct Dica {
    const char* nome;
    const char* pt;
    const char* en;
    bool nomeAcessivel = false;
};

std::span<const Traducao> TextosProcesso();
std::span<const Dica> DicasProcesso();
QStringList ItensTipoFT(bool ingles);
QStringList ItensCurvaValvula(bool ingles);
QString TituloProcesso(bool ingles);

std::span<const Traducao> TextosBloco();
std::span<const Dica> DicasBloco();
QString TituloBloco(bool ingles);

std::span<const Traducao> TextosGeradores();
// The kinds a row offers, by index; rows 86..90 offer 0..6, rows 91..96 0..1.
QStringList ItensTipoGerador(bool ingles);
QString TituloGeradores(bool ingles);

std::span<const Traducao> TextosVariaveis();
QString TituloVariaveis(bool ingles);

}  // namespace kivo::ui
