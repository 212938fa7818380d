#pragma once
// Small builders shared by the object windows: named controls whose
// accessible name follows their caption, the header and the foot row of
// buttons every object window has.
#include <initializer_list>
#include <string>

#include <QString>
#include <QStringList>

#include "ui/i18n/Dicas.h"
#include "ui/i18n/TraducoesObjetos.h"

class QAbstractButton;
class QBoxLayout;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;
class QWidget;

namespace kivo::ui {

// A line edit named nome.
QLineEdit* CampoTexto(QWidget* pai, const char* nome);
// A caption named nome in front of campo: the field takes the caption as
// its accessible name, and the caption becomes the field's buddy label.
QLabel* Legenda(QWidget* pai, const char* nome, const char* texto, QWidget* campo = nullptr);
// After a change of language: every labelled control takes its caption
// (without the trailing colon's blanks) as its accessible name again.
void SincronizaNomesAcessiveis(QWidget* raiz);

// A button of class B named nome, its caption its accessible name.
template <class B>
B* BotaoLegendado(QWidget* pai, const char* nome, const char* texto) {
    auto* b = new B(pai);
    b->setObjectName(QString::fromLatin1(nome));
    b->setText(QString::fromUtf8(texto));
    b->setAccessibleName(b->text());
    return b;
}
// The window's header: the object's tag and description in bold.
QLabel* Cabecalho(QWidget* pai);
// The foot row added to coluna: the help button "?" named nomeAjuda at the
// left, named by its hint, and the window's own buttons at the right.
QToolButton* RodapeBotoes(QWidget* pai, QBoxLayout* coluna, const char* nomeAjuda,
                          std::initializer_list<QAbstractButton*> direita);

// Fills a field from its model without the field's change handlers
// running; a text longer than the field shows its beginning.
void MostraTexto(QLineEdit* campo, const std::string& texto);

// A list's entries made to read itens: texts rewritten in place when the
// count is the same (the choice and an open list stay), rebuilt otherwise
// with the chosen index kept where it still exists.
void AtualizaItens(QComboBox* lista, const QStringList& itens);

// Two decimals, as every readout shows a value.
QString DuasCasas(double v);

}  // namespace kivo::ui
