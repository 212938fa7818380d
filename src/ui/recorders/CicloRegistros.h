#pragma once
// Hooks the recorders and animated texts into the cycle and the diagram:
// every active recorder slot samples at the end of each tick and every
// active text recomputes at the display refresh, through their windows,
// which are built (hidden) for a slot the first time it is stepped. Also
// registers both window types for the markers, and owns the XY recorder.
#include <QObject>

#include "core/Ciclo.h"

namespace kivo::ui {

class Aplicacao;

class TForm1;
class TForm2;
class TRegistrForm;
class TRegXY;

class CicloRegistros : public QObject, public ObservadorCiclo {
    Q_OBJECT
public:
    explicit CicloRegistros(TForm1& w);
    ~CicloRegistros() override;

    TRegXY& regXY() { return *regXY_; }
    // The window of an active slot, built if needed; nullptr for an empty
    // slot.
    TRegistrForm* registrador(int n);
    TForm2* texto(int n);

    void AoFimDoCiclo() override;
    // After the variable table changed (the variable list's refresh): every
    // recorder rescales and every text applies its settings again.
    void AtualizaTodos();
    // The animated texts' display step, copied to the diagram's labels.
    void AtualizaTextos();

private:
    TForm1& w_;
    // Held apart from the main window, which is already gone when this child
    // is destroyed.
    Aplicacao& app_;
    TRegXY* regXY_ = nullptr;
};

}  // namespace kivo::ui
