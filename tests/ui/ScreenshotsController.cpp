// Writes screenshots of a controller faceplate with the basic flow loop
// running (narrow, wide with the trend, wide with the configuration), in one
// language, to look at (not to assert): ui_screenshots_controller OUTDIR [en].
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTest>

#include "Helpers.h"
#include "Screenshot.h"
#include "objects/Controller.h"
#include "ui/objects/ControllerFaceplate.h"
#include "ui/main/ProjectLifecycle.h"

using namespace kivo::ui;
using test::Write;

int main(int argc, char** argv) {
    QApplication a(argc, argv);
    const auto screenshot = test::ReadScreenshotArgs(argc, argv);
    if (!screenshot) return 2;
    const QString output = screenshot->output;
    const bool english = screenshot->english;
    const QString suffix = screenshot->suffix;

    test::Fixture fixture;
    if (english) fixture.app->SetEnglish();
    fixture.window->cycle().Load(test::ExamplesFolder() + "/basic flow loop/basic flow loop.smp", true);
    fixture.app->timer().stop();
    auto* f = qobject_cast<ControllerFaceplate*>(fixture.window->windows().Open(Family::PidController, 1));
    if (!f) return 1;
    kivo::Controller& c = f->model();
    // A manual output step, then automatic with a setpoint step, so the
    // trend shows both.
    if (c.state.autoMode) f->findChild<QAbstractButton*>("AutoManualBTN")->click();
    const auto typeText = [&](const char* field, const QString& text) {
        auto* e = f->findChild<QLineEdit*>(field);
        e->setFocus();
        e->selectAll();
        QTest::keyClicks(e, text);
        QTest::keyClick(e, Qt::Key_Return);
    };
    for (int i = 0; i < 100; ++i) fixture.app->Tick();
    typeText("MVText", QString::number(c.state.MV + 15));
    for (int i = 0; i < 150; ++i) fixture.app->Tick();
    f->findChild<QAbstractButton*>("AutoManualBTN")->click();
    typeText("SPText", QStringLiteral("20"));
    for (int i = 0; i < 200; ++i) fixture.app->Tick();
    f->findChild<QAbstractButton*>("LinhaGrossa")->click();
    Write(*f, QStringLiteral("%1/faceplate_trend%2.png").arg(output, suffix));
    f->findChild<QAbstractButton*>("SpeedButton2")->click();
    Write(*f, QStringLiteral("%1/faceplate_trend_paused%2.png").arg(output, suffix));
    f->findChild<QAbstractButton*>("SpeedButton2")->click();
    f->findChild<QAbstractButton*>("ConfigBTN")->click();
    Write(*f, QStringLiteral("%1/faceplate_config%2.png").arg(output, suffix));
    f->findChild<QAbstractButton*>("ConfigBTN")->click();
    Write(*f, QStringLiteral("%1/faceplate_narrow%2.png").arg(output, suffix));

    // New tuning through the configuration area, then a setpoint step up
    // typed into the SP field.
    f->findChild<QAbstractButton*>("ConfigBTN")->click();
    auto* kc = f->findChild<QLineEdit*>("KpText");
    kc->selectAll();
    QTest::keyClicks(kc, "1,2");
    f->findChild<QAbstractButton*>("btnatualiza")->click();
    f->findChild<QAbstractButton*>("TrendButton")->click();
    typeText("SPText", QStringLiteral("35"));
    for (int i = 0; i < 200; ++i) fixture.app->Tick();
    Write(*f, QStringLiteral("%1/faceplate_tuned%2.png").arg(output, suffix));
    return 0;
}
