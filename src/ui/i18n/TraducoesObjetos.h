#pragma once
// The Portuguese/English texts of the object windows: process, calculation
// block, signal generators and variable list. Windows are built with the
// Portuguese texts and apply the English ones on first activation.
#include <span>

#include <QStringList>

#include "ui/i18n/Traducoes.h"

namespace kivo::ui {

std::span<const Traducao> TextosProcesso();
std::span<const Traducao> DicasProcesso();
QStringList ItensTipoFT(bool ingles);
QStringList ItensCurvaValvula(bool ingles);
QString TituloProcesso(bool ingles);

std::span<const Traducao> TextosBloco();
std::span<const Traducao> DicasBloco();
QString TituloBloco(bool ingles);

std::span<const Traducao> TextosGeradores();
std::span<const Traducao> DicasGeradores();
// The kinds a row offers, by index; rows 86..90 offer 0..6, rows 91..96 0..1.
QStringList ItensTipoGerador(bool ingles);
QString TituloGeradores(bool ingles);

std::span<const Traducao> TextosVariaveis();
std::span<const Traducao> DicasVariaveis();
QString TituloVariaveis(bool ingles);

}  // namespace kivo::ui
