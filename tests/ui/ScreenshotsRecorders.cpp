// Screenshots of the trend recorder, the XY recorder and the animated text
// windows on a shipped example, in one language, to look at (not to
// assert): capturas_registros OUTDIR [en] [example path part].
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QRadioButton>
#include <cstdio>
#include <QToolButton>

#include "Helpers.h"
#include "Screenshot.h"
#include "ui/context/Preferences.h"
#include "ui/i18n/Examples.h"
#include "ui/main/ProjectLifecycle.h"
#include "ui/recorders/RecorderCycle.h"
#include "ui/recorders/AnimatedTextWindow.h"
#include "ui/recorders/XYRecorderWindow.h"
#include "ui/recorders/TrendRecorderWindow.h"

using namespace kivo::ui;
using test::Write;

namespace {

int ExampleByPath(const char* part) {
    const auto ex = Examples();
    for (int i = 0; i < int(ex.size()); ++i)
        if (QByteArray(ex[i].path).contains(part)) return i;
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
    w.cycle().OpenExample(ExampleByPath(argc > 3 ? argv[3] : "boiler"));
    kivo::Project& p = fixture.app->project();
    // A setpoint step on the first loop, so that the curves move.
    for (int i = 0; i < 300; ++i) fixture.app->Tick();
    if (auto* c = p.controller(1)) {
        c->state.SP += 10;
    }
    for (int i = 0; i < 450; ++i) fixture.app->Tick();
    w.UpdateDiagram();
    Write(w, QStringLiteral("%1/main%2.png").arg(output, suffix));

    for (int n = 1; n <= 10; ++n) {
        TrendRecorderWindow* r = w.recorderCycle().recorder(n);
        if (!r) continue;
        r->show();
        Write(*r, QStringLiteral("%1/recorder%2_%3.png").arg(output, suffix).arg(n));
        r->findChild<QToolButton*>(QStringLiteral("ConfBTN"))->click();
        r->findChild<QToolButton*>(QStringLiteral("SpeedButton1"))->click();
        Write(*r, QStringLiteral("%1/recorder%2_%3_config.png").arg(output, suffix).arg(n));
        r->hide();
    }
    for (int n = 1; n <= 20; ++n) {
        AnimatedTextWindow* t = w.recorderCycle().text(n);
        if (!t) continue;
        t->show();
        Write(*t, QStringLiteral("%1/text%2_%3.png").arg(output, suffix).arg(n));
        t->hide();
        if (n > 2) break;
    }
    // A new recorder opens untagged, with its configuration area.
    for (int n = 10; n >= 1; --n)
        if (!p.recorder(n)) {
            p.CreateRecorder(n);
            TrendRecorderWindow* r = w.recorderCycle().recorder(n);
            r->show();
            Write(*r, QStringLiteral("%1/recorder%2_new.png").arg(output, suffix));
            r->hide();
            break;
        }
    // The other two text types, on a free slot.
    for (int n = 20; n >= 1; --n)
        if (!p.text(n)) {
            kivo::TextData& d = p.CreateText(n);
            AnimatedTextWindow* t = w.recorderCycle().text(n);
            for (int kind : {1, 2}) {
                d.Kind = kind;
                d.VariableSelect = 10;
                d.FunctionText = kind == 1 ? "Desligado/Ligado" : "M21*2";
                t->ValidateParameters();
                t->show();
                d.ComputeCycle();
                t->ShowValue();
                Write(*t, QStringLiteral("%1/text%2_type%3.png").arg(output, suffix).arg(kind));
                t->hide();
            }
            break;
        }
    XYRecorderWindow& xy = w.recorderCycle().xyRecorder();
    xy.show();
    auto* presets = xy.findChild<QComboBox*>(QStringLiteral("Presets"));
    presets->setCurrentIndex(1);
    emit presets->activated(1);
    auto* x = xy.findChild<QComboBox*>(QStringLiteral("ComboX"));
    auto* y = xy.findChild<QComboBox*>(QStringLiteral("ComboY"));
    xy.RecordXY(600, x->currentIndex() + 1, y->currentIndex() + 1);
    Write(xy, QStringLiteral("%1/xy%2.png").arg(output, suffix));
    // The time of a one-hour run and of drawing its points, for the note.
    QElapsedTimer stopwatch;
    stopwatch.start();
    xy.RecordXY(3600, x->currentIndex() + 1, y->currentIndex() + 1);
    const qint64 run = stopwatch.restart();
    xy.grab();
    std::fprintf(stderr, "XY 1 h run: %lld ms; drawing %d points: %lld ms\n", static_cast<long long>(run),
                 xy.points(), static_cast<long long>(stopwatch.elapsed()));
    // The same hour without the window, to see what the window adds.
    std::vector<kivo::XYPoint> points;
    stopwatch.restart();
    kivo::RecordXY(fixture.app->sim(), 3600, x->currentIndex() + 1, y->currentIndex() + 1, points);
    std::fprintf(stderr, "XY 1 h run without the window: %lld ms\n", static_cast<long long>(stopwatch.elapsed()));
    return 0;
}
