#include "ui/MainWindow.h"

#include <QLabel>
#include <QTime>

namespace kivo::ui {

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
    setObjectName("Form1");
    setWindowTitle("KIVO");
    auto* label = new QLabel(tr("KIVO — process control training simulator"), this);
    label->setAlignment(Qt::AlignCenter);
    setCentralWidget(label);
    resize(800, 600);

    sim_.aleatorio.Semeia(static_cast<std::uint32_t>(QTime::currentTime().msecsSinceStartOfDay()));
    timer_.setInterval(sim_.estado.periodoTimer);
    connect(&timer_, &QTimer::timeout, this, &TForm1::AoTick);
    timer_.start();
}

void TForm1::AoTick() { sim_.Tick(QTime::currentTime().msecsSinceStartOfDay()); }

}  // namespace kivo::ui
