#pragma once
// The configuration area of a controller faceplate: identification, tuning,
// output limits, the three radio groups, the variable selectors with their
// check boxes, feed-forward, the PV scale and "Atualizar". It shows the
// controller's fields as typed and writes them back only when the window
// applies them, so an edit in progress never reaches the running loop.
#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace kivo {
class Memory;
class Controller;
}  // namespace kivo

namespace kivo::ui {

class ControllerSettings : public QWidget {
    Q_OBJECT
public:
    ControllerSettings(const Memory& mem, QWidget* parent = nullptr);

    // Every control from the controller's fields; emits nothing.
    void Load(const kivo::Controller& c);
    // The scale fields only: the apply refills them from the PV variable.
    void LoadScale(const kivo::Controller& c);
    // Every control into the controller's fields.
    void Write(kivo::Controller& c) const;

    QPushButton* updateButton() const { return updateButton_; }

signals:
    // Any edit, check or selection made by the user.
    void edited();

private:
    QLineEdit* Field(const char* name, bool readOnly = false);
    QComboBox* List(const char* name, bool withDescriptions);
    void FillList(QComboBox* list, bool withDescriptions);

    const Memory& mem_;
    QLineEdit* tag_ = nullptr;
    QLineEdit* description_ = nullptr;
    QLineEdit* kp_ = nullptr;
    QLineEdit* ki_ = nullptr;
    QLineEdit* kd_ = nullptr;
    QLineEdit* bias_ = nullptr;
    QLineEdit* a_ = nullptr;
    QLineEdit* tf_ = nullptr;
    QCheckBox* p_ = nullptr;
    QCheckBox* i_ = nullptr;
    QCheckBox* d_ = nullptr;
    QLineEdit* comin_ = nullptr;
    QLineEdit* comax_ = nullptr;
    QButtonGroup* action_ = nullptr;
    QButtonGroup* structure_ = nullptr;
    QButtonGroup* derivative_ = nullptr;
    QComboBox* pv_ = nullptr;
    QCheckBox* checkSPR_ = nullptr;
    QComboBox* spr_ = nullptr;
    QCheckBox* ffw_ = nullptr;
    QLineEdit* equation_ = nullptr;
    QCheckBox* backCheck_ = nullptr;
    QComboBox* back_ = nullptr;
    QLineEdit* start_ = nullptr;
    QLineEdit* end_ = nullptr;
    QLineEdit* unit_ = nullptr;
    QPushButton* updateButton_ = nullptr;
};

}  // namespace kivo::ui
