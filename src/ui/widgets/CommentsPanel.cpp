#include "ui/widgets/CommentsPanel.h"

#include <QKeyEvent>

namespace kivo::ui {

CommentsPanel::CommentsPanel(QWidget* parent) : QTextEdit(parent) {
    setTabChangesFocus(true);
    setReadOnly(true);
    // Read-only text still takes the keyboard focus, so that a screen reader
    // can read it and Tab passes through it.
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    SetLanguage(false);
}

void CommentsPanel::SetLanguage(bool english) {
    setAccessibleName(english ? QStringLiteral("Comments") : QStringLiteral("Comentários"));
    const QString hint = english ? QStringLiteral("Read-only: double-click or press F2 to edit, Esc to stop editing.")
                                 : QStringLiteral("Somente leitura: clique duas vezes ou tecle F2 para editar, Esc para "
                                                  "terminar.");
    setToolTip(hint);
    setAccessibleDescription(hint);
}

void CommentsPanel::SetEditing(bool on) {
    setReadOnly(!on);
    setTextInteractionFlags(on ? Qt::TextEditorInteraction
                               : Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void CommentsPanel::mouseDoubleClickEvent(QMouseEvent* e) {
    if (!editing()) SetEditing(true);
    QTextEdit::mouseDoubleClickEvent(e);
}

void CommentsPanel::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_F2 && !editing()) {
        SetEditing(true);
        return;
    }
    if (e->key() == Qt::Key_Escape && editing()) {
        SetEditing(false);
        return;
    }
    QTextEdit::keyPressEvent(e);
}

void CommentsPanel::focusOutEvent(QFocusEvent* e) {
    // A context menu or a dialog of the panel's own keeps the edit going.
    if (e->reason() != Qt::PopupFocusReason && e->reason() != Qt::ActiveWindowFocusReason) SetEditing(false);
    QTextEdit::focusOutEvent(e);
}

}  // namespace kivo::ui
