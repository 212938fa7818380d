#pragma once
// The window of a process block: its fields are the model's fields. Texts
// are written into the model as they are typed (the step reads some of them
// live, and the apply reads them all); "Atualizar" runs the model's apply.
#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace kivo {
class Process;
}

namespace kivo::ui {

class AppContext;
class Shell;

class ProcessWindow : public QWidget {
    Q_OBJECT
public:
    ProcessWindow(AppContext& app, Shell& shell, int slot);

    // Every control from the model, without writing anything back.
    void Reload();
    // "Atualizar": the apply with its messages; true when nothing was refused.
    bool Update();

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void MakeControls();
    void Translate();
    void ComboChange();
    void Edited();
    void ReloadDescription();
    void UpdateLabels();
    void UpdateReadouts();
    void ReloadInputs();

    AppContext& app_;
    Shell& shell_;
    kivo::Process& p_;
    bool translated_ = false;
    // Stops the controls filled from the model from writing back.
    bool filling_ = false;

    QLabel* header_ = nullptr;
    QLineEdit* tag_ = nullptr;
    QLineEdit* description_ = nullptr;
    QComboBox* input_ = nullptr;
    QLineEdit* gain_ = nullptr;
    QLineEdit* deadTime_ = nullptr;
    QComboBox* kind_ = nullptr;
    QGroupBox* pvcGroup_ = nullptr;
    QGroupBox* secondOrderGroup_ = nullptr;
    QGroupBox* leadLagGroup_ = nullptr;
    QGroupBox* integratorGroup_ = nullptr;
    QLineEdit* tau1_ = nullptr;
    QLineEdit* tau2_ = nullptr;
    QLineEdit* cycles_ = nullptr;
    QLineEdit* period_ = nullptr;
    QLineEdit* lead_ = nullptr;
    QLineEdit* lag_ = nullptr;
    QLineEdit* initialValue_ = nullptr;
    QComboBox* curve_ = nullptr;
    QLineEdit* hysteresis_ = nullptr;
    QLineEdit* stiction_ = nullptr;
    QLineEdit* actuatorTau_ = nullptr;
    QLineEdit* rate_ = nullptr;
    QCheckBox* saturator_ = nullptr;
    QLabel* inputValue_ = nullptr;
    QLabel* actuatorValue_ = nullptr;
    QLabel* outputValue_ = nullptr;
    QLabel* actuatorLabel_ = nullptr;
    QLabel* outputLabel_ = nullptr;
    QPushButton* updateButton_ = nullptr;
    QPushButton* exit_ = nullptr;
    QToolButton* help_ = nullptr;
};

}  // namespace kivo::ui
