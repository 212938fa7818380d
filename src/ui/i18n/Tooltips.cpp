#include "ui/i18n/Tooltips.h"

#include <QWidget>

namespace kivo::ui {

void ApplyTooltipTable(QObject* root, std::span<const Translation> table, bool english, Uncaptioned uncaptioned) {
    for (const Translation& t : table) {
        const QString tooltip = QString::fromUtf8(english ? t.en : t.pt);
        for (QWidget* w : root->findChildren<QWidget*>(QString::fromLatin1(t.name))) {
            w->setToolTip(tooltip);
            if (uncaptioned(w)) w->setAccessibleName(tooltip.trimmed());
        }
    }
}

void NameByTooltip(QWidget* w) { w->setProperty("nomePelaDica", true); }

bool MarkedUncaptioned(const QWidget* w) { return w->property("nomePelaDica").toBool(); }

}  // namespace kivo::ui
