#pragma once
// The main window: owns the plant and drives its cycle from a 100 ms timer.
#include <QMainWindow>
#include <QTimer>

#include "core/Ciclo.h"

namespace kivo::ui {

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    Simulacao& simulacao() { return sim_; }

private:
    void AoTick();

    Simulacao sim_;
    QTimer timer_;
};

}  // namespace kivo::ui
