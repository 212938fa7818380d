// Walks the tuning assistant as a student would on three shipped examples
// (a flow, a level and a temperature loop) and writes screenshots to look
// at, not to assert: the faceplate with its "Sintonia" button, the tuning
// window after the fit, the configuration area after "Aplicar", and the
// window on a noisy test whose PV reaches 100 %, with its warnings, and
// after a relay test. Prints the
// setting applied and the fast simulation's seven indices for a setpoint
// step with the shipped setting and with the applied one:
// ui_screenshots_tuning OUTDIR [en].
#include <cmath>
#include <cstdio>
#include <random>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include "Helpers.h"
#include "Screenshot.h"
#include "fastsim/FastSimulation.h"
#include "objects/Controller.h"
#include "ui/objects/ControllerFaceplate.h"
#include "ui/main/ProjectLifecycle.h"
#include "ui/tuning/TuningWindow.h"

using namespace kivo::ui;
using test::Write;

namespace {

struct Example {
    const char* name;
    const char* project;
    int timeBase;  // the faceplate's time base: 450 samples must hold the response
    int samplesBefore, samplesAfter;
};

constexpr Example kExamples[] = {
    {"flow", "basic flow loop/basic flow loop.smp", 0, 100, 350},
    {"level", "regulatory level/regulatory level.smp", 1, 100, 350},
    {"heatexchanger", "heat exchanger/heatexchanger.smp", 2, 100, 350},
};

// The seven indices of loop 1 for a setpoint step of 10 % in the fast
// simulation's default window, from the project as loaded.
void Indices(test::Fixture& fixture, const char* label) {
    kivo::FastSimulationOptions o;
    o.signal = kivo::TestSignal::SetpointStep;
    const kivo::FastSimulationResult r = kivo::RunFastSimulation(fixture.app->sim(), o);
    const auto& m = r.line.loop(1);
    std::printf("  %-7s", label);
    if (!m.indices) {
        std::printf(" no indices\n");
        return;
    }
    for (auto t : kivo::IndexTexts(*m.indices)) std::printf(" | %s", std::string(t).c_str());
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication a(argc, argv);
    const auto screenshot = test::ReadScreenshotArgs(argc, argv);
    if (!screenshot) return 2;
    const QString output = screenshot->output;
    const bool english = screenshot->english;
    const QString suffix = screenshot->suffix;

    for (const Example& e : kExamples) {
        test::Fixture fixture;
        if (english) fixture.app->SetEnglish();
        const QString project = test::ExamplesFolder() + "/" + QString::fromUtf8(e.project);
        fixture.window->cycle().Load(project, true);
        fixture.app->timer().stop();
        auto* f = qobject_cast<ControllerFaceplate*>(fixture.window->windows().Open(Family::PidController, 1));
        if (!f) return 1;
        kivo::Controller& c = f->model();
        auto* base = f->findChild<QComboBox*>("BaseTempoBox");
        base->setCurrentIndex(e.timeBase);
        emit base->activated(e.timeBase);
        const int cycles = e.timeBase == 0 ? 1 : e.timeBase == 1 ? 3 : 20;

        // Manual at the output in use, a while at rest, a step of 10 %.
        if (c.state.autoMode) f->findChild<QAbstractButton*>("AutoManualBTN")->click();
        for (int i = 0; i < e.samplesBefore * cycles; ++i) fixture.app->Tick();
        const double oneStep = c.state.MV + 10 <= 100 ? 10 : -10;
        auto* mv = f->findChild<QLineEdit*>("MVText");
        mv->setFocus();
        mv->selectAll();
        QTest::keyClicks(mv, QString::number(c.state.MV + oneStep, 'f', 2));
        QTest::keyClick(mv, Qt::Key_Return);
        for (int i = 0; i < e.samplesAfter * cycles; ++i) fixture.app->Tick();
        if (e.name == kExamples[0].name) Write(*f, QStringLiteral("%1/faceplate_button%2.png").arg(output, suffix));

        f->findChild<QAbstractButton*>("SintoniaBTN")->click();
        TuningWindow* s = f->tuningWindow();
        s->findChild<QAbstractButton*>("LerBTN")->click();
        s->adjustSize();
        Write(*s, QStringLiteral("%1/tuning_%2%3.png").arg(output, QString::fromLatin1(e.name), suffix));

        const double kcBefore = c.Kc();
        const std::string tiBefore = c.KiText, tdBefore = c.KdText;
        s->findChild<QAbstractButton*>("AplicarBTN")->click();
        const QString kp = f->findChild<QLineEdit*>("KpText")->text();
        const QString ti = f->findChild<QLineEdit*>("KiText")->text();
        const QString td = f->findChild<QLineEdit*>("KdText")->text();
        Write(*f, QStringLiteral("%1/faceplate_applied_%2%3.png").arg(output, QString::fromLatin1(e.name), suffix));
        const double kcApplied = c.Kc();
        f->findChild<QAbstractButton*>("btnatualiza")->click();
        std::printf("%s: %s | shipped Ti %s Td %s | Kc %s Ti %s Td %s | running Kc %g, after Aplicar %g, after "
                    "Atualizar %g\n",
                    e.name, qPrintable(s->message()), tiBefore.c_str(), tdBefore.c_str(), qPrintable(kp), qPrintable(ti),
                    qPrintable(td), kcBefore, kcApplied, c.Kc());
        const int actionItem = c.ActionGroup;
        std::fflush(stdout);

        // The setpoint test of the fast simulation from the shipped state,
        // with the shipped setting and with the applied one.
        fixture.window->cycle().Load(project, true);
        Indices(fixture, "shipped");
        fixture.window->cycle().Load(project, true);
        auto* c2 = fixture.app->sim().controllers.as<kivo::Controller>(1);
        c2->KpText = kp.toStdString();
        c2->KiText = ti.toStdString();
        c2->KdText = td.toStdString();
        c2->ActionGroup = actionItem;
        c2->ValidateParameters(false);
        Indices(fixture, "SIMC PI");
        std::fflush(stdout);
    }

    // The simulated step test on the slow loop and on the fast one, both
    // running in automatic: no wait, no manual mode.
    for (const Example* e : {&kExamples[2], &kExamples[0]}) {
        test::Fixture fixture;
        if (english) fixture.app->SetEnglish();
        fixture.window->cycle().Load(test::ExamplesFolder() + "/" + QString::fromUtf8(e->project), true);
        fixture.app->timer().stop();
        auto* f = qobject_cast<ControllerFaceplate*>(fixture.window->windows().Open(Family::PidController, 1));
        if (!f) return 1;
        f->findChild<QAbstractButton*>("SintoniaBTN")->click();
        TuningWindow* s = f->tuningWindow();
        s->findChild<QComboBox*>("FonteCombo")->setCurrentIndex(TuningWindow::SimulatedSource);
        s->findChild<QAbstractButton*>("LerBTN")->click();
        s->adjustSize();
        Write(*s, QStringLiteral("%1/tuning_simulated_%2%3.png").arg(output, QString::fromLatin1(e->name), suffix));
        const auto& id = s->identification();
        std::printf("simulated %s: %s | best %s, loop 1 still %s\n", e->name, qPrintable(s->message()),
                    id ? kivo::tuning::KindName(id->best) : "none", f->model().state.autoMode ? "auto" : "manual");

        // The relay test on a copy, the loop in automatic.
        s->findChild<QComboBox*>("FonteCombo")->setCurrentIndex(TuningWindow::RelaySource);
        s->findChild<QAbstractButton*>("LerBTN")->click();
        s->adjustSize();
        Write(*s, QStringLiteral("%1/tuning_relay_%2%3.png").arg(output, QString::fromLatin1(e->name), suffix));
        std::printf("relay %s: %s | loop 1 still %s\n", e->name, qPrintable(s->message()),
                    f->model().state.autoMode ? "auto" : "manual");

        // The relay test on the running plant, in its third cycle: the
        // record so far, the status and the cancel button.
        s->findChild<QComboBox*>("FonteCombo")->setCurrentIndex(TuningWindow::LiveRelaySource);
        s->findChild<QAbstractButton*>("LerBTN")->click();
        for (int i = 0; i < 100000 && s->liveRelay() && s->liveRelay()->cyclesDone() < 2; ++i) fixture.app->Tick();
        // Up to the next display refresh, which redraws the window.
        for (int i = 0; i < 6 && s->liveRelay(); ++i) fixture.app->Tick();
        s->adjustSize();
        Write(*s, QStringLiteral("%1/tuning_live_relay_%2%3.png").arg(output, QString::fromLatin1(e->name), suffix));
        std::printf("live relay %s: %s | loop 1 %s\n", e->name, qPrintable(s->message()),
                    f->model().state.autoMode ? "auto" : "manual (the relay's)");
    }
    // A noisy step test (1 % of span) that a small step leaves within the
    // noise's reach and whose PV touches 100 %: the warnings beside the model.
    {
        test::Fixture fixture;
        if (english) fixture.app->SetEnglish();
        fixture.window->cycle().Load(test::ExamplesFolder() + "/" + QString::fromUtf8(kExamples[0].project), true);
        fixture.app->timer().stop();
        auto* f = qobject_cast<ControllerFaceplate*>(fixture.window->windows().Open(Family::PidController, 1));
        if (!f) return 1;
        const QString file = output + "/noisy_step.csv";
        QFile csv(file);
        if (!csv.open(QIODevice::WriteOnly)) return 1;
        std::mt19937 random(21);
        std::normal_distribution<double> noise(0, 1);
        csv.write("t,MV,PV\n");
        for (int i = 0; i <= 720; ++i) {
            const double t = 0.5 * i, s = t - 60 - 12;
            const double pv = 94 + (s > 0 ? 0.8 * 10 * (1 - std::exp(-s / 60)) : 0.0) + noise(random);
            csv.write(QString("%1,%2,%3\n").arg(t).arg(t >= 60 ? 50 : 40).arg(std::min(pv, 100.0), 0, 'f', 2).toLatin1());
        }
        csv.close();
        f->findChild<QAbstractButton*>("SintoniaBTN")->click();
        TuningWindow* s = f->tuningWindow();
        s->findChild<QComboBox*>("FonteCombo")->setCurrentIndex(TuningWindow::FileSource);
        s->findChild<QLineEdit*>("ArquivoText")->setText(file);
        s->findChild<QAbstractButton*>("LerBTN")->click();
        s->adjustSize();
        Write(*s, QStringLiteral("%1/tuning_warnings%2.png").arg(output, suffix));
        std::printf("warnings: %s\n", qPrintable(s->message()));
    }
    return 0;
}
