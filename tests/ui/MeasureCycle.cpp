// Measures the real-time tick with the largest example open and no object
// window shown: the core's step plus the display refresh the timer drives
// (the diagram refresh on every sixth tick). Prints the median and the
// 95th percentile in ms: ui_measure_cycle [ticks].
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include <QApplication>

#include "Helpers.h"
#include "ui/main/ProjectLifecycle.h"

int main(int argc, char** argv) {
    QApplication a(argc, argv);
    const int n = argc > 1 ? std::atoi(argv[1]) : 3000;
    kivo::ui::test::Fixture fixture;
    fixture.window->show();
    fixture.window->cycle().Load(kivo::ui::test::ExamplesFolder() + "/boiler/boiler.smp", true);
    fixture.app->timer().stop();
    QObject::connect(fixture.app.get(), &kivo::ui::AppContext::displayRefresh, fixture.window.get(),
                     [&] { fixture.window->UpdateDiagram(); });
    std::vector<double> ms;
    ms.reserve(n);
    for (int i = 0; i < n; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        fixture.app->Tick();
        QApplication::processEvents();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(ms.begin(), ms.end());
    int objects = 0;
    const kivo::Simulation& sim = fixture.app->sim();
    for (int k = 1; k <= 24; ++k)
        objects += sim.processes.active(k) + sim.blocks.active(k) + (k <= 10 && sim.controllers.active(k)) +
                   (k <= 10 && sim.recorders.active(k)) + (k <= 20 && sim.texts.active(k));
    std::printf("objects %d  ticks %d  median %.3f ms  p95 %.3f ms  max %.3f ms\n", objects, n, ms[n / 2], ms[n * 95 / 100], ms.back());
    return 0;
}
