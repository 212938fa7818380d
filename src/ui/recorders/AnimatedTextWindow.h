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
    QLabel* value() const { return value_; }
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

    QLabel* heading_ = nullptr;
    QLabel* value_ = nullptr;
    QLabel* variableCaption_ = nullptr;
    QLineEdit* description_ = nullptr;
    std::array<QRadioButton*, 3> kinds_{};
    QComboBox* variable_ = nullptr;
    QLineEdit* function_ = nullptr;
    QGroupBox* range_ = nullptr;
    QLineEdit* rangeMax_ = nullptr;
    QLineEdit* rangeMin_ = nullptr;
    QLineEdit* highAlarm_ = nullptr;
    QLineEdit* lowAlarm_ = nullptr;
    QLineEdit* unit_ = nullptr;
    std::array<QLabel*, 2> alarmLabels_{};
    QSpinBox* decimals_ = nullptr;
};

}  // namespace kivo::ui
