#pragma once
// The Portuguese/English texts of the main window and of the configuration
// dialog, in one place. Windows are built with the Portuguese texts;
// TraduzIngles applies the English ones.
#include <span>

#include <QString>
#include <QStringList>

#include "ui/main/JanelasObjetos.h"

class QObject;
class QWidget;

namespace kivo::ui {

// A control found by its objectName and its text in each language.
struct Traducao {
    const char* nome;
    const char* pt;
    const char* en;
};

// The main menu, the command panel and the help bar label.
std::span<const Traducao> TextosJanelaPrincipal();
// The labels, check boxes and button of the configuration dialog.
std::span<const Traducao> TextosConfiguracao();

// Sets the text of every control of the table found under raiz (actions,
// menus, buttons, labels, group boxes, line edits) and its accessible name.
void AplicaTextos(QObject* raiz, std::span<const Traducao> tabela, bool ingles);

QString TituloConfiguracao(bool ingles);
QStringList PaginasConfiguracao(bool ingles);
QStringList OrientacoesChave(bool ingles);  // 0 left, 1 up, 2 right, 3 down
QStringList TiposForma(bool ingles);        // 0 circle, 1 rectangle
// The trend time bases: one division is 3 s, 9 s or 1 min.
QStringList ItensBaseTempo(bool ingles);
// Empty slot caption, ending in the slot's ordinal within its family.
QString LegendaVaga(Familia f, int n, bool ingles);
// Initial texts of command button b (1..3): description, text for 0, for 1.
QString DescricaoBotao(bool ingles);
QString TextoBotao(int b, int estado, bool ingles);

}  // namespace kivo::ui
