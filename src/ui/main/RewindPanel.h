#pragma once
// The rewind panel under the diagram: a slider over the automatic snapshots
// of the last 30 min and "Voltar", which pauses the plant and puts it back
// there (the trends then show that moment); "Fotografia" takes a named
// snapshot, and the list restores or deletes one of them.
#include <QFrame>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace kivo::ui {

class AppContext;

class RewindPanel : public QFrame {
    Q_OBJECT
public:
    explicit RewindPanel(AppContext& app, QWidget* parent = nullptr);

    void SetLanguage(bool english);
    // Goes back to the automatic snapshot at the slider, or to named snapshot i.
    void RewindToSlider();
    void RestoreNamed(int i);
    // Takes a named snapshot with the name field's text (a numbered name when
    // it is empty).
    void TakeNamed();
    // Deletes the named snapshot chosen in the list, once the user agrees.
    void DeleteNamed();

    QSlider* slider() const { return slider_; }
    QComboBox* namedList() const { return named_; }
    QLineEdit* nameField() const { return name_; }

private:
    // Follows the ring and the named list; the slider stays on the newest
    // snapshot unless the user moved it back.
    void Refill();
    void ShowTime();

    AppContext& app_;
    QSlider* slider_ = nullptr;
    QLabel* time_ = nullptr;
    QPushButton* rewind_ = nullptr;
    QLineEdit* name_ = nullptr;
    QPushButton* take_ = nullptr;
    QComboBox* named_ = nullptr;
    QPushButton* restore_ = nullptr;
    QPushButton* delete_ = nullptr;
};

}  // namespace kivo::ui
