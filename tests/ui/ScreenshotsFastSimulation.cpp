// Screenshots of the fast-simulation window, to look at (not to assert):
// after a run with a setpoint step and its indices, and after loading the
// run's archive into the lower row: ui_screenshots_fastsim OUTDIR [en] [example].
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>

#include "Helpers.h"
#include "Screenshot.h"
#include "ui/fastsim/FastSimulationWindow.h"
#include "ui/main/ProjectLifecycle.h"

using namespace kivo::ui;

int main(int argc, char** argv) {
    QApplication a(argc, argv);
    const auto screenshot = test::ReadScreenshotArgs(argc, argv);
    if (!screenshot) return 2;
    const QString output = screenshot->output;
    const bool english = screenshot->english;
    const QString suffix = screenshot->suffix;
    const QString example = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral("combustion/cl");
    // The test signal's item: 1 none, 2 setpoint step (the default), 3 load.
    const int signal = argc > 4 ? QString::fromLocal8Bit(argv[4]).toInt() : 2;

    test::Fixture fixture;
    fixture.window->show();
    if (english) fixture.window->TranslateToEnglish();
    fixture.window->cycle().Load(test::ExamplesFolder() + "/" + example + ".smp", true);
    fixture.app->timer().stop();

    FastSimulationWindow w(*fixture.app, nullptr);
    w.setWindowState(Qt::WindowNoState);
    w.resize(1280, 800);
    w.show();
    w.findChild<QComboBox*>("SinalTesteCombo")->setCurrentIndex(signal);
    w.findChild<QCheckBox*>("CheckArquivar")->setChecked(true);
    w.BTNSimulateClick();
    QApplication::processEvents();
    w.grab().save(QStringLiteral("%1/fastsim_run%2.png").arg(output, suffix));

    w.FillLowerSelector();
    auto* selector = w.findChild<QComboBox*>("ComboBox1");
    selector->setCurrentIndex(selector->count() - 1);
    w.LoadLowerRow();
    QApplication::processEvents();
    w.grab().save(QStringLiteral("%1/fastsim_loaded%2.png").arg(output, suffix));
    return 0;
}
