#pragma once
// The general configuration dialog: which slots are filled, the title, the
// background picture, the panel widgets and the linearizer. Its controls
// show and edit the project's fields; the project keeps the settings.
#include <array>

#include <QDialog>

#include "ui/shell/ObjectWindows.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace kivo::ui {

class AppContext;
class Shell;

class ProjectSettingsDialog : public QDialog {
    Q_OBJECT
public:
    ProjectSettingsDialog(AppContext& app, Shell& shell);

    // The main menu entry: slot captions refreshed, shown on page 0.
    void ShowDialog();
    // Every control from the project's fields.
    void Reload();
    // Slot captions: the empty caption for every empty slot in the current
    // language, the object's text for every filled one.
    void CaptionSlots();
    // Rewrites the caption of every filled slot box from its object.
    void UpdateObjectList();
    // Delete mode emptied the slot. Only controllers get the English empty
    // caption here; the other families read Portuguese in both languages.
    void SlotEmptied(Family f, int n);
    // The English texts.
    void Translate();

    QCheckBox* slotBox(Family f, int n) const;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    // Every edit a user makes in the dialog marks the project modified.
    void MarkModifiedOnEdit();
    QWidget* MakeTopArea();
    QWidget* MakeSlotsPage(Family f);
    QWidget* MakeLinearizer();
    QWidget* MakeShapesPage();
    QWidget* MakeCommandsPage();
    QWidget* MakeModbusPage();
    void ToggleModbus();
    // The button's text, the fields locked while the server runs, its state.
    void ShowModbusState();
    void SlotClicked(Family f, int n, bool checked);
    void ChooseImage();
    void ReloadWidgets();
    void UpdateButtonStates();
    void ReloadInputList();
    static QLabel* NumberedLabel(int number, const char* text, QWidget* parent);

    AppContext& app_;
    Shell& shell_;
    QTabWidget* notebook_ = nullptr;
    QLineEdit* title_ = nullptr;
    QLineEdit* imageFile_ = nullptr;
    QLabel* measuredCycle_ = nullptr;
    std::array<QCheckBox*, 10> controllers_{};
    std::array<QCheckBox*, 24> processes_{};
    std::array<QCheckBox*, 24> blocks_{};
    std::array<QCheckBox*, 10> recorders_{};
    std::array<QCheckBox*, 20> texts_{};
    QComboBox* lin1InputAddress_ = nullptr;
    QCheckBox* lin1Enable_ = nullptr;
    std::array<QLineEdit*, 6> lin1MV_{};
    std::array<QLineEdit*, 6> lin1PV_{};
    QLineEdit* modbusHost_ = nullptr;
    QSpinBox* modbusPort_ = nullptr;
    QSpinBox* modbusClients_ = nullptr;
    QPushButton* modbusStart_ = nullptr;
    QLabel* modbusState_ = nullptr;
    // Stops a control filled from the project from writing back.
    bool filling_ = false;
};

}  // namespace kivo::ui
