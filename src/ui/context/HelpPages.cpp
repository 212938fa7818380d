#include "ui/context/HelpPages.h"

#include "ui/context/Interaction.h"

namespace kivo::ui {

void OpenHelp(Interaction& interaction, const QUrl& base, help::Entry e) {
    if (help::NeedsConnection(base, e) && !interaction.Connected()) {
        interaction.Inform(nullptr, QString::fromUtf8(help::kConnectionRequired));
        return;
    }
    interaction.OpenUrl(help::UrlOf(base, e));
}

}  // namespace kivo::ui
