#include "ui/objects/Formulario.h"

#include <QLabel>
#include <QLineEdit>

namespace kivo::ui {

QLineEdit* CampoTexto(QWidget* pai, const char* nome) {
    auto* e = new QLineEdit(pai);
    e->setObjectName(QString::fromLatin1(nome));
    e->setAccessibleName(e->objectName());
    return e;
}

QLabel* Legenda(QWidget* pai, const char* nome, const char* texto, QWidget* campo) {
    auto* l = new QLabel(QString::fromUtf8(texto), pai);
    l->setObjectName(QString::fromLatin1(nome));
    l->setAccessibleName(l->text().trimmed());
    if (campo) {
        l->setBuddy(campo);
        campo->setAccessibleName(l->accessibleName());
    }
    return l;
}

void SincronizaNomesAcessiveis(QWidget* raiz) {
    for (QLabel* l : raiz->findChildren<QLabel*>()) {
        l->setAccessibleName(l->text().trimmed());
        if (l->buddy()) l->buddy()->setAccessibleName(l->accessibleName());
    }
}

void AplicaDicas(QWidget* raiz, std::span<const Dica> tabela, bool ingles) {
    for (const Dica& d : tabela) {
        const QString texto = QString::fromUtf8(ingles ? d.en : d.pt);
        for (QWidget* w : raiz->findChildren<QWidget*>(QString::fromLatin1(d.nome))) {
            w->setToolTip(texto);
            if (d.nomeAcessivel) w->setAccessibleName(texto);
        }
    }
}

QString DuasCasas(double v) { return QString::number(v, 'f', 2); }

}  // namespace kivo::ui
