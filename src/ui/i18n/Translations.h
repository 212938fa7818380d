#pragma once
// The Portuguese/English texts of the main window and of the configuration
// dialog, in one place. Windows are built with the Portuguese texts;
// TranslateToEnglish applies the English ones.
#include <span>

#include <QString>
#include <QStringList>

#include "ui/context/ObjectFamily.h"

class QObject;
class QWidget;

namespace kivo::ui {

// A control found by its objectName and its text in each language.
struct Translation {
    const char* name;
    const char* pt;
    const char* en;
};

// The main menu, the command panel and the help bar label.
std::span<const Translation> MainWindowTexts();
// The labels, check boxes and button of the configuration dialog.
std::span<const Translation> SettingsTexts();

// Sets the text of every control of the table found under root (actions,
// menus, buttons, labels, group boxes, line edits) and its accessible name.
void ApplyTexts(QObject* root, std::span<const Translation> table, bool english);

QString SettingsTitle(bool english);
QStringList SettingsPages(bool english);
QStringList SwitchOrientations(bool english);  // 0 left, 1 up, 2 right, 3 down
QStringList ShapeKinds(bool english);          // 0 circle, 1 rectangle
// The trend time bases: one division is 3 s, 9 s or 1 min.
QStringList TimeBaseItems(bool english);
// Empty slot caption, ending in the slot's ordinal within its family.
QString EmptySlotCaption(Family f, int n, bool english);
// The configuration dialog's Modbus page: the start/stop button, and the
// server's state ("where" is HOST:PORT).
QString ModbusButtonText(bool running, bool english);
QString ModbusStateText(bool running, const QString& where, int clients, bool english);
// Initial texts of command button b (1..3): description, text for 0, for 1.
QString ButtonDescription(bool english);
QString ButtonText(int b, int state, bool english);

}  // namespace kivo::ui
