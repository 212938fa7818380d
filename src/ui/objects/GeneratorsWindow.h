#pragma once
// The signal generator bank's window: 16 rows M81..M96, each with its kind,
// and the fields the kind uses. Typed texts go into the bank's rows as they
// are typed; the apply (button, Enter, a radio or spin click, closing) runs
// the bank's apply.
#include <array>

#include <QWidget>

class QButtonGroup;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace kivo {
class Generators;
}

namespace kivo::ui {

class AppContext;

// The spin button beside a constant: up and down arrows over a position
// 0..100 in steps of 1.
class KnobButton : public QWidget {
    Q_OBJECT
public:
    explicit KnobButton(QWidget* parent);
    int position() const { return position_; }
    void setPosition(int p);
    QToolButton* up() const { return up_; }
    QToolButton* down() const { return low_; }

signals:
    // A click moved the position (or tried to, at an end of the range).
    void clickedAt(int position);

private:
    int position_ = 0;
    QToolButton* up_ = nullptr;
    QToolButton* low_ = nullptr;
};

class GeneratorsWindow : public QWidget {
    Q_OBJECT
public:
    GeneratorsWindow(AppContext& app, QWidget* principal);

    // Every row from the bank (after a load or a reset).
    void Reload();
    // The apply: rows into the bank's parameters and the variable memory.
    void Apply();

signals:
    // After an apply, which rewrites the descriptions of M81..M96.
    void applied();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    struct Row {
        QLabel* label = nullptr;
        QComboBox* kind = nullptr;
        QLineEdit* min = nullptr;
        QLineEdit* max = nullptr;
        QLineEdit* desc = nullptr;
        QLineEdit* value = nullptr;
        QWidget* digitalValue = nullptr;
        QButtonGroup* digitalGroup = nullptr;
        KnobButton* upDown = nullptr;
    };

    void MakeRow(int g, int gridRow);
    void ReloadRow(int g);
    void LayOutRow(int g);
    void KindChanged(int g, int kind);
    void ApplyAndMarkModified();
    void ShowValues();
    Row& line(int g) { return lines_[static_cast<std::size_t>(g - 81)]; }

    AppContext& app_;
    kivo::Generators& bank_;
    QGridLayout* grade_ = nullptr;
    std::array<Row, 16> lines_{};
    QPushButton* applyButton_ = nullptr;
    bool translated_ = false;
    bool filling_ = false;
};

}  // namespace kivo::ui
