#pragma once
// The panel widgets of the plant diagram: five animated shapes, two
// switches with their eight pictures each, the command panel with three
// lamp buttons, and six tracks. They show and set process variables
// directly; their settings are the project's.
#include <array>

#include <QColor>
#include <QObject>

#include "project/Widgets.h"

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSlider;

namespace kivo::ui {

class AppContext;
class Diagram;
class AnimatedShape;

class WidgetPanel : public QObject {
    Q_OBJECT
public:
    WidgetPanel(AppContext& app, Diagram& diagram);

    // Every widget at the place and with the settings the project holds
    // (after a load or a reset).
    void Reload();
    // Tracks, shapes and the command panel as the diagram refresh shows
    // them.
    void UpdateDiagram();
    // Every sixth tick: shape colours and heights, button state texts.
    void UpdateDisplay();

    // What the configuration dialog's settings change at once.
    void ApplyShape(int k);   // 1..5: shown, brush, size
    void ApplySwitch(int c);  // 1..2: first picture of the chosen pair
    void ApplyButtons();      // panel height and the enabled buttons
    void ApplyButtonDescription(int b);
    void ApplyTrack(int n);        // 1..6: shown, name, widths, slider

    QWidget* shape(int k) const;
    QLabel* switchPicture(int c, int p) const { return switches_[c - 1][p - 1]; }
    QGroupBox* commandPanel() const { return panel_; }
    QLineEdit* trackText(int n) const { return trackText_[n - 1]; }
    QSlider* trackSlider(int n) const { return trackSlider_[n - 1]; }

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    // A round shape is a lamp: its second colour while its variable is not 0.
    static QColor LampColour(const Shape& f, double value);
    void MakeShapes();
    void MakeSwitches();
    void MakePanel();
    void MakeTracks();
    void PlaceShape(int k, int x, int y);
    void PlaceSwitch(int c, int x, int y);
    void PlacePanel(int x, int y);
    void PlaceTrack(int n, int x, int y);
    void FlipSwitch(int c);
    void FlipPicture(int c);
    void SetButtonPressed(int b, bool pressed);
    void SliderChanged(int n, int position);
    void TextConfirmed(int n);
    QString SliderText(int n) const;
    bool PickUp(QWidget* target);

    AppContext& app_;
    Diagram& diagram_;
    std::array<AnimatedShape*, 5> shapes_{};
    std::array<std::array<QLabel*, 8>, 2> switches_{};
    QGroupBox* panel_ = nullptr;
    std::array<QLabel*, 3> normalButton_{};
    std::array<QLabel*, 3> pressedButton_{};
    std::array<QLabel*, 3> buttonLabel_{};
    std::array<QLabel*, 3> buttonText_{};
    std::array<QFrame*, 6> trackBackground_{};
    std::array<QLabel*, 6> trackLabel_{};
    std::array<QLineEdit*, 6> trackText_{};
    std::array<QSlider*, 6> trackSlider_{};
    // Stops a slider moved by the program from writing its variable back.
    bool adjusting_ = false;
};

}  // namespace kivo::ui
