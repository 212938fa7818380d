#include "ui/objects/Formulario.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolButton>

#include "ui/i18n/Dicas.h"

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

QLabel* Cabecalho(QWidget* pai) {
    auto* l = new QLabel(pai);
    l->setObjectName(QStringLiteral("Cabecalho"));
    QFont negrito = l->font();
    negrito.setBold(true);
    negrito.setPointSizeF(negrito.pointSizeF() * 1.2);
    l->setFont(negrito);
    return l;
}

QToolButton* RodapeBotoes(QWidget* pai, QBoxLayout* coluna, const char* nomeAjuda,
                          std::initializer_list<QAbstractButton*> direita) {
    auto* linha = new QHBoxLayout;
    auto* ajuda = BotaoLegendado<QToolButton>(pai, nomeAjuda, "?");
    NomeiaPelaDica(ajuda);
    linha->addWidget(ajuda);
    linha->addStretch(1);
    for (QAbstractButton* b : direita) linha->addWidget(b);
    coluna->addLayout(linha);
    return ajuda;
}

void MostraTexto(QLineEdit* campo, const std::string& texto) {
    const QSignalBlocker calado(campo);
    campo->setText(QString::fromStdString(texto));
    campo->setCursorPosition(0);
}

void AtualizaItens(QComboBox* lista, const QStringList& itens) {
    if (lista->count() == itens.size()) {
        for (int i = 0; i < itens.size(); ++i)
            if (lista->itemText(i) != itens[i]) lista->setItemText(i, itens[i]);
        return;
    }
    const int atual = lista->currentIndex();
    lista->clear();
    lista->addItems(itens);
    if (atual < itens.size()) lista->setCurrentIndex(atual);
}

QString DuasCasas(double v) { return QString::number(v, 'f', 2); }

}  // namespace kivo::ui
