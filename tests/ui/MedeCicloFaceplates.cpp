// Measures the real-time tick with the largest example open and all ten
// controller faceplates shown on their trends: the core's step, the trend
// redraws after each sample and the display refresh of every sixth tick
// (readouts and diagram). Empty controller slots get a controller of their
// own so that ten trends are drawn. Prints the median and the 95th
// percentile in ms: ui_medeciclo_faceplates [ticks].
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include <QApplication>

#include "Auxiliares.h"
#include "objects/Controller.h"
#include "ui/objects/TControlador.h"
#include "ui/project/CicloProjeto.h"

int main(int argc, char** argv) {
    QApplication a(argc, argv);
    const int n = argc > 1 ? std::atoi(argv[1]) : 3000;
    kivo::ui::teste::Ambiente amb;
    amb.janela->show();
    amb.janela->ciclo().Carrega(kivo::ui::teste::PastaExemplos() + "/boiler/boiler.smp", true);
    amb.app->timer().stop();
    QObject::connect(amb.app.get(), &kivo::ui::Aplicacao::displayAtualizar, amb.janela.get(),
                     [&] { amb.janela->AtualizaDiagrama(); });
    kivo::Projeto& p = amb.app->projeto();
    int doExemplo = 0;
    for (int k = 1; k <= 10; ++k) {
        if (p.controlador(k)) {
            ++doExemplo;
            continue;
        }
        kivo::TControlador& c = p.CriaControlador(k);
        c.VariavelSelect = 20 + k;  // a process output, so the curves move
        c.ValidaParametros(false);
    }
    for (int k = 1; k <= 10; ++k) {
        QWidget* f = amb.janela->janelas().Abre(kivo::ui::Familia::Controlador, k);
        f->move(40 * k, 30 * k);
    }
    QApplication::processEvents();

    // Whole tick, and the part of it spent painting and flushing.
    std::vector<double> ms;
    std::vector<double> pintura;
    ms.reserve(n);
    pintura.reserve(n);
    using Relogio = std::chrono::steady_clock;
    const auto dt = [](Relogio::time_point a, Relogio::time_point b) {
        return std::chrono::duration<double, std::milli>(b - a).count();
    };
    for (int i = 0; i < n; ++i) {
        const auto t0 = Relogio::now();
        amb.app->Tick();
        const auto t1 = Relogio::now();
        QApplication::processEvents();
        const auto t2 = Relogio::now();
        ms.push_back(dt(t0, t2));
        pintura.push_back(dt(t1, t2));
    }
    std::sort(ms.begin(), ms.end());
    std::sort(pintura.begin(), pintura.end());
    std::printf("faceplates 10 (%d from the example)  ticks %d  median %.3f ms (painting %.3f)  p95 %.3f ms  max %.3f ms\n",
                doExemplo, n, ms[n / 2], pintura[n / 2], ms[n * 95 / 100], ms.back());
    return 0;
}
