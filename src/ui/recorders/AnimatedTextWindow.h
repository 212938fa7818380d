#pragma once
// The settings window of an animated text ("TEXTO"): type, description,
// variable or formula, range, alarms, unit and decimals, with the value as
// the diagram shows it. Closed only with "Sair", which applies. A view of
// the text's model: the value is computed there by the cycle, whether or
// not this window was ever built.
#include <array>
#include <functional>

#include <QDialog>

#include "project/TextData.h"

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace kivo::ui {

class AppContext;

class AnimatedTextWindow : public QDialog {
    Q_OBJECT
public:
    AnimatedTextWindow(AppContext& app, int slot, std::function<void()> updateDiagram, QWidget* parent = nullptr);

    ValueDisplay& display() { return d_.display(); }
    // Label1's text and colour from the text's last display step.
    void ShowValue();
    QLabel* value() const { return label1_; }
    // The apply step, then the fields and the diagram show its result.
    void ValidateParameters();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void KindClick(int kind);
    void Fill();
    void ApplyLayout();
    void ExitButtonClick();
    void Modified();

    AppContext& app_;
    std::function<void()> updateDiagram_;
    TextData& d_;
    bool filling_ = false;
    bool exiting_ = false;

    QLabel* label4_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label3_ = nullptr;
    QLineEdit* description_ = nullptr;
    std::array<QRadioButton*, 3> kinds_{};
    QComboBox* variable_ = nullptr;
    QLineEdit* function_ = nullptr;
    QGroupBox* range_ = nullptr;
    QLineEdit* edit1_ = nullptr;  // range max
    QLineEdit* edit4_ = nullptr;  // range min
    QLineEdit* edit2_ = nullptr;  // high alarm
    QLineEdit* edit3_ = nullptr;  // low alarm
    QLineEdit* unit_ = nullptr;
    std::array<QLabel*, 2> alarmLabels_{};
    QSpinBox* decimals_ = nullptr;
};

}  // namespace kivo::ui
