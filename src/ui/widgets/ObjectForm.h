#pragma once
// Small builders shared by the object windows: named controls whose
// accessible name follows their caption, the header and the foot row of
// buttons every object window has.
#include <initializer_list>
#include <string>

#include <QString>
#include <QStringList>

#include "ui/i18n/Tooltips.h"
#include "ui/i18n/ObjectTranslations.h"

class QAbstractButton;
class QBoxLayout;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;
class QWidget;

namespace kivo::ui {

// A line edit named name.
QLineEdit* TextField(QWidget* parent, const char* name);
// A caption named name in front of field: the field takes the caption as
// its accessible name, and the caption becomes the field's buddy label.
QLabel* Caption(QWidget* parent, const char* name, const char* text, QWidget* field = nullptr);
// After a change of language: every labelled control takes its caption
// (without the trailing colon's blanks) as its accessible name again.
void SyncAccessibleNames(QWidget* root);

// A button of class B named name, its caption its accessible name.
template <class B>
B* CaptionedButton(QWidget* parent, const char* name, const char* text) {
    auto* b = new B(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(QString::fromUtf8(text));
    b->setAccessibleName(b->text());
    return b;
}
// The window's header: the object's tag and description in bold.
QLabel* Header(QWidget* parent);
// The foot row added to column: the help button "?" named helpName at the
// left, named by its hint, and the window's own buttons at the right.
QToolButton* FooterButtons(QWidget* parent, QBoxLayout* column, const char* helpName,
                          std::initializer_list<QAbstractButton*> right);

// Fills a field from its model without the field's change handlers
// running; a text longer than the field shows its beginning.
void ShowText(QLineEdit* field, const std::string& text);

// A list's entries made to read items: texts rewritten in place when the
// count is the same (the choice and an open list stay), rebuilt otherwise
// with the chosen index kept where it still exists.
void UpdateItems(QComboBox* list, const QStringList& items);

// Two decimals, as every readout shows a value.
QString TwoDecimals(double v);

}  // namespace kivo::ui
