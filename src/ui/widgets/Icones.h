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

}  // namespace kivo::ui
