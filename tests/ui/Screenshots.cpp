// Writes screenshots of the main window with an example open, of the
// example chooser, the configuration dialog and the about box, in one
// language, to look at (not to assert): capturas OUTDIR [en].
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTcpServer>
#include <QTimer>

#include "Helpers.h"
#include "Screenshot.h"
#include "ui/context/Preferences.h"
#include "ui/fastsim/FastSimulationWindow.h"
#include "ui/i18n/Examples.h"
#include "ui/main/ProjectLifecycle.h"
#include "ui/project/ExampleChooser.h"
#include "ui/project/ProjectSettingsDialog.h"
#include "ui/main/RewindPanel.h"

using namespace kivo::ui;
using test::Write;

namespace {

int ExampleByPicture(const char* picture) {
    const auto ex = Examples();
    for (int i = 0; i < int(ex.size()); ++i)
        if (QByteArray(ex[i].picture) == picture) return i;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication a(argc, argv);
    const auto screenshot = test::ReadScreenshotArgs(argc, argv);
    if (!screenshot) return 2;
    const QString output = screenshot->output;
    const bool english = screenshot->english;
    const QString suffix = screenshot->suffix;

    test::Fixture fixture;
    WritePreferences(fixture.folder.path(), english);
    MainWindow& w = *fixture.window;
    w.setWindowState(Qt::WindowNoState);
    w.resize(1100, 760);
    w.show();
    if (english) w.TranslateToEnglish();
    w.ShowChooser(true);
    for (int p = 0; p < w.chooser().count(); p += 2) {
        w.chooser().setCurrentIndex(p);
        Write(w, QStringLiteral("%1/chooser%2_page%3.png").arg(output, suffix).arg(p));
    }
    w.cycle().OpenExample(ExampleByPicture(argc > 3 ? argv[3] : "sim1"));
    for (int i = 0; i < 30; ++i) fixture.app->Tick();
    w.UpdateDiagram();
    w.ShowComments(true);
    Write(w, QStringLiteral("%1/main%2.png").arg(output, suffix));

    // The rewind panel with a minute of automatic snapshots, one named, and
    // the slider moved back.
    for (int i = 0; i < 700; ++i) fixture.app->Tick();
    w.rewind()->nameField()->setText(english ? QStringLiteral("Before the step") : QStringLiteral("Antes do degrau"));
    w.rewind()->TakeNamed();
    w.rewind()->slider()->setValue(3);
    Write(w, QStringLiteral("%1/rewind%2.png").arg(output, suffix));

    ProjectSettingsDialog& c = w.config();
    c.ShowDialog();
    auto* nb = c.findChild<QTabWidget*>(QStringLiteral("NoteBook1"));
    for (int p : {0, 1, 5, 6, 7}) {
        nb->setCurrentIndex(p);
        Write(c, QStringLiteral("%1/config%2_page%3.png").arg(output, suffix).arg(p));
    }
    // The Modbus page with its server running, on a free port.
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    c.findChild<QSpinBox*>(QStringLiteral("ModbusPorta"))->setValue(probe.serverPort());
    probe.close();
    auto* start = c.findChild<QPushButton*>(QStringLiteral("ModbusIniciar"));
    start->click();
    Write(c, QStringLiteral("%1/config%2_page7_running.png").arg(output, suffix));
    start->click();
    FastSimulationWindow about;
    about.TranslateAbout(english);
    about.show();
    Write(about, QStringLiteral("%1/about%2.png").arg(output, suffix));
    return 0;
}
