// Measures fast runs of the largest example from the fast-simulation window,
// for the closing note: 4 h at 1 s and at 100 ms. Prints per run the time of
// "Simular" (run, indices and series put into the charts), the part spent
// putting the series into the charts, the time to draw the window with its
// charts afterwards, and the core's run alone for comparison:
// ui_measure_fastsim [repetitions].
#include <chrono>
#include <cstdio>

#include <QApplication>
#include <QComboBox>
#include <QPushButton>

#include "Helpers.h"
#include "fastsim/FastSimulation.h"
#include "ui/fastsim/FastSimulationWindow.h"
#include "ui/main/ProjectLifecycle.h"

namespace {

double Ms(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication a(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 3;
    kivo::ui::test::Fixture fixture;
    fixture.window->show();
    fixture.window->cycle().Load(kivo::ui::test::ExamplesFolder() + "/boiler/boiler.smp", true);
    fixture.app->timer().stop();

    int loops = 0;
    for (int n = 1; n <= 10; ++n) loops += fixture.app->sim().controllers.active(n) ? 1 : 0;
    std::printf("boiler: %d active loops\n", loops);

    kivo::ui::FastSimulationWindow w(*fixture.app, nullptr);
    w.setWindowState(Qt::WindowNoState);
    w.resize(1400, 900);
    w.show();
    QApplication::processEvents();
    auto* window = w.findChild<QComboBox*>("JanelaComboBox");
    auto* ta = w.findChild<QComboBox*>("TACombo");
    auto* pts = w.findChild<QComboBox*>("PtsPag");
    for (int item : {3, 0}) {
        window->setCurrentIndex(3);
        ta->setCurrentIndex(item);
        for (int r = 0; r < count; ++r) {
            auto t0 = std::chrono::steady_clock::now();
            w.BTNSimulateClick();
            const double total = Ms(t0);
            t0 = std::chrono::steady_clock::now();
            w.repaint();
            QApplication::processEvents();
            const double drawing = Ms(t0);
            pts->setCurrentIndex(4);  // all 14 400 points on one page
            t0 = std::chrono::steady_clock::now();
            w.repaint();
            QApplication::processEvents();
            const double drawingAll = Ms(t0);
            pts->setCurrentIndex(1);

            kivo::FastSimulationOptions op;
            op.window = kivo::kFastSimulationWindows[3];
            op.T = kivo::kFastSimulationSampleTimes[static_cast<std::size_t>(item)];
            t0 = std::chrono::steady_clock::now();
            kivo::RunFastSimulation(fixture.app->sim(), op);
            const double core = Ms(t0);
            std::printf("4 h at %s: Simular %.0f ms (series into charts %.1f ms), drawing the window %.1f ms "
                        "(all 14400 points on the page %.1f ms); core run alone %.0f ms\n",
                        item == 3 ? "1 s" : "100 ms", total, w.msPlots(), drawing, drawingAll, core);
        }
    }
    return 0;
}
