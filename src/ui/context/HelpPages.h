#pragma once
// Opening a help page through the program's interaction, so a test can
// answer in the desktop's stead.
#include <QUrl>

#include "help/HelpLinks.h"

namespace kivo::ui {

class Interaction;

// Opens the entry's page. Where the table asks for it, the connectivity
// test comes first and a failed test shows "É requerida conexão com
// internet" instead; a local base needs no connection, so the test is
// skipped for it.
void OpenHelp(Interaction& interaction, const QUrl& base, help::Entry e);

}  // namespace kivo::ui
