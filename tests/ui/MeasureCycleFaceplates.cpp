// Measures the real-time tick with the largest example open and all ten
// controller faceplates shown on their trends: the core's step, the trend
// redraws after each sample and the display refresh of every sixth tick
// (readouts and diagram). Empty controller slots get a controller of their
// own so that ten trends are drawn. Prints the median and the 95th
// percentile in ms: ui_measure_cycle_faceplates [ticks].
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include <QApplication>

#include "Helpers.h"
#include "objects/Controller.h"
#include "ui/objects/ControllerFaceplate.h"
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
    kivo::Project& p = fixture.app->project();
    int fromExample = 0;
    for (int k = 1; k <= 10; ++k) {
        if (p.controller(k)) {
            ++fromExample;
            continue;
        }
        kivo::Controller& c = p.CreateController(k);
        c.VariableSelect = 20 + k;  // a process output, so the curves move
        c.ValidateParameters(false);
    }
    for (int k = 1; k <= 10; ++k) {
        QWidget* f = fixture.window->windows().Open(kivo::ui::Family::PidController, k);
        f->move(40 * k, 30 * k);
    }
    QApplication::processEvents();

    // Whole tick, and the part of it spent painting and flushing.
    std::vector<double> ms;
    std::vector<double> painting;
    ms.reserve(n);
    painting.reserve(n);
    using Clock = std::chrono::steady_clock;
    const auto dt = [](Clock::time_point a, Clock::time_point b) {
        return std::chrono::duration<double, std::milli>(b - a).count();
    };
    for (int i = 0; i < n; ++i) {
        const auto t0 = Clock::now();
        fixture.app->Tick();
        const auto t1 = Clock::now();
        QApplication::processEvents();
        const auto t2 = Clock::now();
        ms.push_back(dt(t0, t2));
        painting.push_back(dt(t1, t2));
    }
    std::sort(ms.begin(), ms.end());
    std::sort(painting.begin(), painting.end());
    std::printf("faceplates 10 (%d from the example)  ticks %d  median %.3f ms (painting %.3f)  p95 %.3f ms  max %.3f ms\n",
                fromExample, n, ms[n / 2], painting[n / 2], ms[n * 95 / 100], ms.back());
    return 0;
}
