#include "ui/i18n/Dicas.h"

#include <QWidget>

namespace kivo::ui {

void AplicaDicasTabela(QObject* raiz, std::span<const Traducao> tabela, bool ingles, SemLegenda semLegenda) {
    for (const Traducao& t : tabela) {
        const QString dica = QString::fromUtf8(ingles ? t.en : t.pt);
        for (QWidget* w : raiz->findChildren<QWidget*>(QString::fromLatin1(t.nome))) {
            w->setToolTip(dica);
            if (semLegenda(w)) w->setAccessibleName(dica.trimmed());
        }
    }
}

void NomeiaPelaDica(QWidget* w) { w->setProperty("nomePelaDica", true); }

bool MarcadoSemLegenda(const QWidget* w) { return w->property("nomePelaDica").toBool(); }

}  // namespace kivo::ui
