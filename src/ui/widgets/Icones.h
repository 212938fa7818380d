#pragma once
// The program's own pictures, drawn with QPainter at every size asked for,
// so they stay sharp at any scaling.
#include <QIcon>
#include <QPixmap>

namespace kivo::ui {

enum class Icone {
    Controlador,
    Processo,
    Bloco,
    Registrador,
    Salvo,       // save indicator, project saved
    Modificado,  // save indicator, unsaved changes
    Programa,    // application and about picture
};

// An icon holding the picture from 16 to 192 device pixels.
QIcon CriaIcone(Icone icone);

// The picture at one logical size for the given device pixel ratio.
QPixmap DesenhaIcone(Icone icone, int lado, qreal dpr);

// A two-way switch: the blade points to the orientation (0 left, 1 up,
// 2 right, 3 down) and rests on its first contact, or on the second when
// ligada.
QPixmap DesenhaChave(int orientacao, bool ligada, int lado, qreal dpr);
// A push-button lamp: amber when released, green when pressed.
QPixmap DesenhaLampada(bool pressionada, int lado, qreal dpr);

}  // namespace kivo::ui
