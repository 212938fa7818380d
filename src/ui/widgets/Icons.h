#pragma once
// The program's own pictures, drawn with QPainter at every size asked for,
// so they stay sharp at any scaling.
#include <QIcon>
#include <QPixmap>

namespace kivo::ui {

enum class Icon {
    PidController,
    ProcessBlock,
    CalculationBlock,
    Recorder,
    Saved,     // save indicator, project saved
    Modified,  // save indicator, unsaved changes
    Program,   // application and about picture
};

// An icon holding the picture from 16 to 192 device pixels.
QIcon MakeIcon(Icon icon);

// The picture at one logical size for the given device pixel ratio.
QPixmap DrawIcon(Icon icon, int side, qreal dpr);

// A two-way switch: the blade points to the orientation (0 left, 1 up,
// 2 right, 3 down) and rests on its first contact, or on the second when
// on.
QPixmap DrawSwitch(int orientation, bool on, int side, qreal dpr);
// A push-button lamp: amber when released, green when pressed.
QPixmap DrawLamp(bool pressed, int side, qreal dpr);

}  // namespace kivo::ui
