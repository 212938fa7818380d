#pragma once
// The window of a calculation block: its fields are the model's fields,
// written as typed; "Atualizar" runs the model's apply.
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kivo {
class Block;
}

namespace kivo::ui {

class AppContext;
class Shell;

class BlockWindow : public QWidget {
    Q_OBJECT
public:
    BlockWindow(AppContext& app, Shell& shell, int slot);

    void Reload();
    bool Update();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void MakeControls();
    void Edited();
    void ReloadDescription();
    void UpdateLabels();

    AppContext& app_;
    Shell& shell_;
    kivo::Block& b_;
    bool translated_ = false;
    bool filling_ = false;

    QLabel* header_ = nullptr;
    QLabel* outputLabel_ = nullptr;
    QLineEdit* function_ = nullptr;
    QCheckBox* upperLimitCheck_ = nullptr;
    QLineEdit* upperLimit_ = nullptr;
    QCheckBox* lowerLimitCheck_ = nullptr;
    QLineEdit* lowerLimit_ = nullptr;
    QLineEdit* tag_ = nullptr;
    QLineEdit* description_ = nullptr;
    QLabel* value_ = nullptr;
    QPushButton* updateButton_ = nullptr;
    QPushButton* exit_ = nullptr;
};

}  // namespace kivo::ui
