#pragma once
// The project's comments beside the diagram: the lesson a student reads, so
// read-only until edited on purpose (a double click or F2; Esc or leaving it
// ends the edit). Tab moves on to the next control instead of typing a tab.
#include <QTextEdit>

namespace kivo::ui {

class CommentsPanel : public QTextEdit {
    Q_OBJECT
public:
    explicit CommentsPanel(QWidget* parent = nullptr);

    // The accessible name and the hint that tells how to edit, in the
    // language shown.
    void SetLanguage(bool english);
    bool editing() const { return !isReadOnly(); }

protected:
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void SetEditing(bool on);
};

}  // namespace kivo::ui
