// The controller faceplate: opening from the marker, modes, SP and MV entry,
// step buttons, the apply with its messages, the trend, the scale, pause and
// cursor, the layouts and the data log.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "Helpers.h"
#include "core/NumberText.h"
#include "objects/Controller.h"
#include "ui/shell/Diagram.h"
#include "ui/objects/TrendChart.h"
#include "ui/objects/ControllerFaceplate.h"
#include "ui/main/ProjectLifecycle.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::test;
using Faceplate = kivo::ui::ControllerFaceplate;

namespace {

void PressKey(QWidget* w, Qt::Key k) { QTest::keyClick(w, k); }

void TypeText(QLineEdit* e, const QString& text) {
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClicks(e, text);
}

QStringList Lines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QString s = QString::fromLatin1(f.readAll());
    if (s.endsWith("\r\n")) s.chop(2);
    return s.split("\r\n");
}

}  // namespace

class ControllerFaceplateTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        fixture_ = std::make_unique<Fixture>();
        fixture_->window->show();
        Faceplate::logFolder().clear();
    }
    void cleanup() { fixture_.reset(); }

    // The basic flow loop from its marker: manual to automatic, a typed
    // setpoint, and PV following it.
    void markerOpensTheFaceplateAndTheLoopFollowsATypedSetpoint() {
        fixture_->window->cycle().Load(ExamplesFolder() + "/basic flow loop/basic flow loop.smp", true);
        fixture_->app->timer().stop();
        fixture_->window->diagram().marker(Family::PidController, 1)->click();
        auto* f = qobject_cast<Faceplate*>(fixture_->window->windows().window(Family::PidController, 1));
        QVERIFY(f && f->isVisible());
        QCOMPARE(f->layout(), Faceplate::Layout::Trend);
        kivo::Controller& c = f->model();
        if (c.state.autoMode) Click(f, "AutoManualBTN");
        QCOMPARE(Letter(f, "LetraAM"), QString("M"));
        QVERIFY(!Child<QCheckBox>(f, "SPCheck")->isChecked());

        Click(f, "AutoManualBTN");
        QVERIFY(c.state.autoMode);
        QCOMPARE(Letter(f, "LetraAM"), QString("A"));
        QVERIFY(Child<QCheckBox>(f, "SPCheck")->isChecked());
        QVERIFY(!Child<QPushButton>(f, "Button2")->isEnabled());
        QVERIFY(!Child<QToolButton>(f, "IncrementaSaida")->isEnabled());

        const double target = c.scaleStart() + 0.6 * (c.scaleEnd() - c.scaleStart());
        auto* sp = Child<QLineEdit>(f, "SPText");
        TypeText(sp, QString::number(target));
        PressKey(sp, Qt::Key_Return);
        QCOMPARE(c.state.SP, 60.0);
        for (int i = 0; i < 1200; ++i) fixture_->app->Tick();
        QVERIFY2(std::abs(c.state.PV - 60.0) < 1.0, qPrintable(QString::number(c.state.PV)));
        // The readouts follow at the display refresh.
        QCOMPARE(Child<QLineEdit>(f, "PVText")->text(),
                 QString::fromStdString(FormatFixed(c.scaleStart() + (c.scaleEnd() - c.scaleStart()) * c.state.PV / 100,
                                                    c.decimalPlaces(), c.decimalPlaces()))
                     .trimmed());
    }

    void typedSetpointIsTakenWithinTheScaleOnly_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("key");
        QTest::addColumn<double>("sp");
        QTest::addColumn<QString>("shown");
        QTest::newRow("in range") << "75" << int(Qt::Key_Return) << 12.5 << "75.0";
        QTest::newRow("decimal comma") << "62,5" << int(Qt::Key_Enter) << 6.25 << "62.5";
        QTest::newRow("above the scale") << "350" << int(Qt::Key_Return) << 40.0 << "130.0";
        QTest::newRow("below the scale") << "49" << int(Qt::Key_Return) << 40.0 << "130.0";
        QTest::newRow("not a number") << "abc" << int(Qt::Key_Return) << 40.0 << "130.0";
        QTest::newRow("Esc restores") << "75" << int(Qt::Key_Escape) << 40.0 << "130.0";
    }
    void typedSetpointIsTakenWithinTheScaleOnly() {
        QFETCH(QString, text);
        QFETCH(int, key);
        QFETCH(double, sp);
        QFETCH(QString, shown);
        Faceplate* f = New(50, 250);
        f->model().state.SP = 40;
        TypeText(Child<QLineEdit>(f, "SPText"), QString::number(0));  // start from a typed field
        PressKey(Child<QLineEdit>(f, "SPText"), Qt::Key_Escape);
        QCOMPARE(Child<QLineEdit>(f, "SPText")->text(), QString("130.0"));
        TypeText(Child<QLineEdit>(f, "SPText"), text);
        PressKey(Child<QLineEdit>(f, "SPText"), Qt::Key(key));
        QCOMPARE(f->model().state.SP, sp);
        QCOMPARE(Child<QLineEdit>(f, "SPText")->text(), shown);
    }

    void typedOutputIsTakenInManualWithinZeroToHundred_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("unsent");
        QTest::addColumn<double>("mv");
        QTest::newRow("Enter") << "37,5" << false << 37.5;
        QTest::newRow("Enviar") << "80" << true << 80.0;
        QTest::newRow("above 100") << "100.5" << true << 20.0;
        QTest::newRow("negative") << "-1" << false << 20.0;
    }
    void typedOutputIsTakenInManualWithinZeroToHundred() {
        QFETCH(QString, text);
        QFETCH(bool, unsent);
        QFETCH(double, mv);
        Faceplate* f = New(0, 100);
        f->model().state.MV = 20;
        auto* field = Child<QLineEdit>(f, "MVText");
        auto* sendButton = Child<QPushButton>(f, "Button2");
        TypeText(field, text);
        QVERIFY(sendButton->isEnabled());
        if (unsent)
            sendButton->click();
        else
            PressKey(field, Qt::Key_Return);
        QCOMPARE(f->model().state.MV, mv);
        QCOMPARE(field->text(), QString::fromStdString(FormatFixed(mv, 1, 2)));
        QVERIFY(!sendButton->isEnabled());
    }

    void stepButtonsMoveOnlyWhatTheModeAllows_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("remote");
        QTest::addColumn<bool>("automatic");
        QTest::addColumn<double>("sp");
        QTest::addColumn<double>("mv");
        QTest::newRow("SP up, local") << "IncrementaSP" << false << false << 51.0 << 30.0;
        QTest::newRow("SP down, local") << "DecrementaSP" << false << true << 49.0 << 30.0;
        QTest::newRow("SP up, remote") << "IncrementaSP" << true << false << 50.0 << 30.0;
        QTest::newRow("CO up, manual") << "IncrementaSaida" << false << false << 50.0 << 31.0;
        QTest::newRow("CO down, manual") << "DecrementaSaida" << false << false << 50.0 << 29.0;
        QTest::newRow("CO up, automatic") << "IncrementaSaida" << false << true << 50.0 << 30.0;
    }
    void stepButtonsMoveOnlyWhatTheModeAllows() {
        QFETCH(QString, button);
        QFETCH(bool, remote);
        QFETCH(bool, automatic);
        QFETCH(double, sp);
        QFETCH(double, mv);
        Faceplate* f = New(0, 100);
        kivo::Controller& c = f->model();
        c.state.SP = 50;
        c.state.MV = 30;
        // Enable the remote setpoint through the configuration area.
        Click(f, "ConfigBTN");
        Click(f, "CheckSPR");
        Click(f, "btnatualiza");
        QVERIFY(c.CheckSPR);
        Click(f, "LocalRemotoBTN");  // the model is now what the window shows
        if (!remote) Click(f, "LocalRemotoBTN");
        if (automatic) Click(f, "AutoManualBTN");
        QCOMPARE(c.state.localMode, !remote);
        QCOMPARE(Letter(f, "LetraLR"), QString(remote ? "R" : "L"));
        // The disabled buttons are driven by their handlers through a click
        // that Qt would refuse, so the model guards are checked too.
        auto* b = Child<QToolButton>(f, button);
        const bool enabled = b->isEnabled();
        b->setEnabled(true);
        b->click();
        b->setEnabled(enabled);
        QCOMPARE(c.state.SP, sp);
        QCOMPARE(c.state.MV, mv);
        if (button.contains("Saida")) QVERIFY(!Child<QPushButton>(f, "Button2")->isEnabled());
    }

    // A Modbus client switches the modes: the letters and the output's
    // controls follow at the display refresh.
    void modesSwitchedFromOutsideShowAtTheRefresh() {
        Faceplate* f = New(0, 100);
        kivo::Controller& c = f->model();
        QCOMPARE(Letter(f, "LetraAM"), QString("M"));
        c.state.autoMode = true;
        for (int i = 0; i < 6; ++i) fixture_->app->Tick();
        QCOMPARE(Letter(f, "LetraAM"), QString("A"));
        QVERIFY(!Child<QToolButton>(f, "IncrementaSaida")->isEnabled());
        QVERIFY(Child<QLineEdit>(f, "MVText")->isReadOnly());
    }

    void stepButtonsStopAtTheEndsOfTheSpan() {
        Faceplate* f = New(0, 100);
        f->model().state.SP = 99.5;
        f->model().state.MV = 0.4;
        Click(f, "IncrementaSP");
        Click(f, "DecrementaSaida");
        QCOMPARE(f->model().state.SP, 100.0);
        QCOMPARE(f->model().state.MV, 0.0);
        QCOMPARE(Child<QLineEdit>(f, "SPText")->text(), QString("100.0"));
        QCOMPARE(Child<QLineEdit>(f, "MVText")->text(), QString("0.00"));
    }

    void refreshShowsOneBoxPerInvalidFieldInOrder_data() {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("gain") << QStringList{"KpText"} << QStringList{"abc"}
                              << QStringList{"Controlador 1: Kp inválido"};
        QTest::newRow("two fields, in the checking order")
            << QStringList{"COmaxText", "KiText"} << QStringList{"x", "1..2"}
            << QStringList{"Controlador 1: Ti inválido", "Controlador 1: COmax inválido"};
        QTest::newRow("empty tag stops the rest") << QStringList{"TagText", "KpText"} << QStringList{"", "abc"}
                                                  << QStringList{"Controlador 1: TAG não informado"};
        QTest::newRow("feed-forward formula") << QStringList{"FFwEquation"} << QStringList{"sqrt(2)"}
                                              << QStringList{"Controlador 1: Equação do FF inválida"};
    }
    void refreshShowsOneBoxPerInvalidFieldInOrder() {
        QFETCH(QStringList, fields);
        QFETCH(QStringList, texts);
        QFETCH(QStringList, messages);
        Faceplate* f = New(0, 100);
        Click(f, "ConfigBTN");
        QCOMPARE(f->layout(), Faceplate::Layout::Configuration);
        Child<QCheckBox>(f, "FFwSelect")->click();
        for (int i = 0; i < fields.size(); ++i) TypeText(Child<QLineEdit>(f, fields[i]), texts[i]);
        auto* updateButton = Child<QPushButton>(f, "btnatualiza");
        QVERIFY(updateButton->isEnabled());
        QVERIFY(!Child<QToolButton>(f, "ConfigBTN")->isEnabled());
        updateButton->click();
        QCOMPARE(fixture_->script->infoMessages, messages);
        QVERIFY(updateButton->isEnabled());
        QVERIFY(!Child<QToolButton>(f, "ConfigBTN")->isEnabled());
    }

    void refreshAppliesTheTuningAndTheWindowFollows() {
        Faceplate* f = New(0, 100);
        fixture_->app->MarkSaved();
        Click(f, "ConfigBTN");
        TypeText(Child<QLineEdit>(f, "KpText"), "2,5");
        TypeText(Child<QLineEdit>(f, "TagText"), "FIC-101");
        TypeText(Child<QLineEdit>(f, "Descricao"), "Vazao de agua");
        Child<QCheckBox>(f, "CheckSPR")->click();
        Click(f, "btnatualiza");
        QVERIFY(fixture_->script->infoMessages.isEmpty());
        const kivo::Controller& c = f->model();
        QCOMPARE(c.Kc(), 2.5);
        QCOMPARE(c.KpText, std::string("2,5"));
        QCOMPARE(f->windowTitle(), QString("FIC-101"));
        QCOMPARE(Child<QLabel>(f, "Cabecalho")->text(), QString("Vazao de agua"));
        QVERIFY(Child<QToolButton>(f, "LocalRemotoBTN")->isEnabled());
        QVERIFY(!Child<QPushButton>(f, "btnatualiza")->isEnabled());
        QVERIFY(Child<QToolButton>(f, "ConfigBTN")->isEnabled());
        QVERIFY(!fixture_->app->saved());
        QCOMPARE(fixture_->app->sim().mem.entry(1).description, std::string(" MV FIC-101"));
    }

    // Tab alone reaches every control a user operates, the mode first with
    // the setpoint and output it switches between; each is announced by a
    // name in the language shown.
    void keyboardWalkReachesEveryControlInOrder_data() {
        QTest::addColumn<bool>("english");
        QTest::newRow("pt") << false;
        QTest::newRow("en") << true;
    }
    void keyboardWalkReachesEveryControlInOrder() {
        QFETCH(bool, english);
        if (english) fixture_->window->TranslateToEnglish();
        Faceplate* f = New(0, 100);
        f->show();
        QStringList names;
        QWidget* w = f;
        for (int i = 0; i < 200; ++i) {
            w = w->nextInFocusChain();
            if (w == f) break;
            if (!w->isVisible() || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus)) continue;
            names << w->objectName();
            QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
            if (english)
                QVERIFY2(!w->accessibleName().contains(QRegularExpression("ção|ões|Saída|Sair$|Pausar|Topo|Arquivar")),
                         qPrintable(w->objectName() + ": " + w->accessibleName()));
        }
        const QStringList expected{"AutoManualBTN", "SPText", "PVText", "MVText", "Button2", "SairBTN", "SintoniaBTN"};
        for (const QString& n : expected) QVERIFY2(names.contains(n), qPrintable(n));
        QVERIFY(names.indexOf("AutoManualBTN") < names.indexOf("SPText"));
        QVERIFY(names.indexOf("SPText") < names.indexOf("MVText"));
    }

    void trendDrawsEveryCheckedCurveFromTheSamples() {
        Faceplate* f = New(0, 100);
        f->show();
        for (int i = 0; i < 20; ++i) fixture_->app->Tick();
        TrendChart& g = f->plot();
        g.grab();
        // Only the samples taken: a new trend has no line up from zero.
        const int n = f->model().trend.samples();
        QCOMPARE(n, 20);
        QCOMPARE(g.pointsDrawn(), 3 * n);  // PV, SP and CO by default
        Child<QCheckBox>(f, "COCheck")->click();
        Child<QCheckBox>(f, "AtuadorCheck")->click();
        g.grab();
        QCOMPARE(g.pointsDrawn(), 3 * n);
        Child<QCheckBox>(f, "PVCheck")->click();
        Child<QCheckBox>(f, "SPCheck")->click();
        g.grab();
        QCOMPARE(g.pointsDrawn(), n);
        QCOMPARE(f->model().trend.position(), 20);
        QCOMPARE(g.labels(), (QStringList{"90", "80", "70", "60", "50", "40", "30", "20", "10"}));
    }

    void pauseStopsSamplingAndTheCursorReadsTheChart() {
        Faceplate* f = New(0, 100);
        for (int i = 0; i < 5; ++i) fixture_->app->Tick();
        Click(f, "SpeedButton2");
        QVERIFY(f->findChild<QWidget*>("Coordenadas")->isVisible());
        for (int i = 0; i < 5; ++i) fixture_->app->Tick();
        QCOMPARE(f->model().trend.position(), 5);
        TrendChart& g = f->plot();
        for (int k = 0; k < 7; ++k) QTest::mouseClick(&g, Qt::LeftButton, {}, g.WidgetPosition(100.5, 100.5));
        QCOMPARE(Child<QLabel>(f, "Coordenada1")->text(), QString("Y1: 50.0  T1: 10.0"));
        QCOMPARE(Child<QLabel>(f, "Coordenada6")->text(), QString("Y1: 50.0  T1: 10.0"));
        Click(f, "SpeedButton2");
        QVERIFY(!f->findChild<QWidget*>("Coordenadas")->isVisible());
        fixture_->app->Tick();
        QCOMPARE(f->model().trend.position(), 6);
        // Leaving the trend and coming back starts the readout afresh.
        Click(f, "TrendButton");
        Click(f, "TrendButton");
        QCOMPARE(Child<QLabel>(f, "Coordenada1")->text(), QString("Coordenadas 1"));
    }

    void manualScaleNeedsBottomBelowTop_data() {
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("base");
        QTest::addColumn<double>("topPct");
        QTest::addColumn<double>("basePct");
        QTest::newRow("taken") << "150" << "100" << 50.0 << 25.0;
        QTest::newRow("bottom above top") << "100" << "150" << 100.0 << 0.0;
        QTest::newRow("not a number") << "1x0" << "100" << 100.0 << 0.0;
    }
    void manualScaleNeedsBottomBelowTop() {
        QFETCH(QString, top);
        QFETCH(QString, base);
        QFETCH(double, topPct);
        QFETCH(double, basePct);
        Faceplate* f = New(50, 250);
        TypeText(Child<QLineEdit>(f, "eSupText"), top);
        TypeText(Child<QLineEdit>(f, "eInfText"), base);
        PressKey(Child<QLineEdit>(f, "eInfText"), Qt::Key_Return);
        QCOMPARE(f->model().trend.top(), topPct);
        QCOMPARE(f->model().trend.base(), basePct);
        QVERIFY(!Child<QCheckBox>(f, "EscalaAuto")->isChecked());
        QCOMPARE(Child<QLineEdit>(f, "eSupText")->text(),
                 QString::fromStdString(FormatFixed(50 + 2 * topPct, 4, 1)).trimmed());
    }

    void layoutButtonsCycleNarrowAndWide_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("target");
        using L = Faceplate::Layout;
        QTest::newRow("config from config") << int(L::Configuration) << "ConfigBTN" << int(L::Narrow);
        QTest::newRow("config from trend") << int(L::Trend) << "ConfigBTN" << int(L::Configuration);
        QTest::newRow("config from narrow") << int(L::Narrow) << "ConfigBTN" << int(L::Configuration);
        QTest::newRow("trend from config") << int(L::Configuration) << "TrendButton" << int(L::Trend);
        QTest::newRow("trend from trend") << int(L::Trend) << "TrendButton" << int(L::Narrow);
        QTest::newRow("trend from narrow") << int(L::Narrow) << "TrendButton" << int(L::Trend);
    }
    void layoutButtonsCycleNarrowAndWide() {
        QFETCH(int, from);
        QFETCH(QString, button);
        QFETCH(int, target);
        using L = Faceplate::Layout;
        Faceplate* f = New(0, 100);
        // Reach the starting layout from the trend the window opens with.
        if (L(from) == L::Configuration) Click(f, "ConfigBTN");
        if (L(from) == L::Narrow) Click(f, "TrendButton");
        QCOMPARE(int(f->layout()), from);
        const int widthBefore = f->sizeHint().width();
        Click(f, button);
        QCOMPARE(int(f->layout()), target);
        QCOMPARE(f->findChild<QWidget*>("Image1")->isVisible(), L(target) == L::Trend);
        QCOMPARE(f->findChild<QWidget*>("AreaConfiguracao")->isVisible(), L(target) == L::Configuration);
        if (L(target) == L::Narrow) QVERIFY(f->sizeHint().width() < widthBefore / 2);
    }

    void opensOnTheConfigurationWhileTheLoopIsNotSetUp() {
        Project& p = fixture_->app->project();
        kivo::Controller& c = p.CreateController(2);
        c.TagText.clear();
        p.markers.controllers[1].shown = true;
        auto* f = qobject_cast<Faceplate*>(fixture_->window->windows().Open(Family::PidController, 2));
        QVERIFY(f);
        QCOMPARE(f->layout(), Faceplate::Layout::Configuration);
        QVERIFY(!Child<QCheckBox>(f, "CheckBox1")->isEnabled());
    }

    // Two logs of one window: _1 and _2, the exact header, lines in the
    // decimal-comma form, the time column going on from the first log.
    void dataLogsWriteTheirHeaderAndLines() {
        QTemporaryDir folder;
        Faceplate* f = New(0, 200);
        kivo::Controller& c = f->model();
        c.state.SP = 50;
        c.state.MV = 45.2;
        fixture_->script->logNames.push_back(QDir(folder.path()).filePath("qualquer.txt"));
        auto* writeArchive = Child<QCheckBox>(f, "CheckBox1");
        Child<QCheckBox>(f, "CheckBox3")->click();
        writeArchive->click();
        QVERIFY(f->log().isOpen());
        QVERIFY(Child<QLabel>(f, "LabelArquivando")->isVisible());
        QVERIFY(!Child<QLineEdit>(f, "eSupText")->isEnabled());
        QVERIFY(!f->findChild<QLineEdit*>("TagText")->isEnabled());
        for (int i = 0; i < 2; ++i) fixture_->app->Tick();
        writeArchive->click();
        const QString first = QDir(folder.path()).filePath("PID1_1.txt");
        QCOMPARE(fixture_->script->infoMessages, QStringList{"Data saved: " + QDir::toNativeSeparators(first)});
        QVERIFY(Child<QLineEdit>(f, "eSupText")->isEnabled());
        QStringList lines = Lines(first);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], QString("Tempo (0.100 seg);PV;SP;MV"));
        QCOMPARE(lines[1], QString("0,00;0,00;50,00;45,20"));
        QCOMPARE(lines[2], QString("0,10;0,00;50,00;45,20"));

        // The second log: next number, no new dialog, engineering units,
        // point decimals, the time base's header and step.
        Child<QCheckBox>(f, "CheckBox3")->click();
        Child<QCheckBox>(f, "CheckBox2")->click();
        auto* base = Child<QComboBox>(f, "BaseTempoBox");
        base->setCurrentIndex(1);
        emit base->activated(1);
        QCOMPARE(Child<QLabel>(f, "LabelArquivando")->text(), QString("Saving 0.334s sampling"));
        writeArchive->click();
        for (int i = 0; i < 6; ++i) fixture_->app->Tick();
        writeArchive->click();
        lines = Lines(QDir(folder.path()).filePath("PID1_2.txt"));
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], QString("Tempo (0.334 seg);PV;SP;MV"));
        QCOMPARE(lines[1], QString("0.20;0.00;100.00;45.20"));
        QCOMPARE(lines[2], QString("0.53;0.00;100.00;45.20"));
        QVERIFY(fixture_->script->logNames.empty());
    }

    // A folder that is gone by the time the log starts: the box names the
    // file and the reason in the interface language, and the log stays off.
    void logThatCannotBeCreatedSaysWhy() {
        QTemporaryDir folder;
        const QString missing = QDir(folder.path()).filePath("sumida");
        Faceplate::logFolder() = missing;
        fixture_->app->SetEnglish();
        Faceplate* f = New(0, 100);
        auto* writeArchive = Child<QCheckBox>(f, "CheckBox1");
        writeArchive->click();
        QVERIFY(!writeArchive->isChecked());
        QVERIFY(!f->log().isOpen());
        QVERIFY(Child<QLineEdit>(f, "eSupText")->isEnabled());
        QCOMPARE(fixture_->script->infoMessages,
                 QStringList{"Could not create the file \"" + missing + "/PID1_1.txt\": No such file or directory"});
    }

    void cancelledFolderDialogLeavesTheLogOff() {
        Faceplate* f = New(0, 100);
        auto* writeArchive = Child<QCheckBox>(f, "CheckBox1");
        writeArchive->click();
        QVERIFY(!writeArchive->isChecked());
        QVERIFY(!f->log().isOpen());
        QVERIFY(Faceplate::logFolder().isEmpty());
        QVERIFY(fixture_->script->infoMessages.isEmpty());
    }

    void englishCaptionsAndHints() {
        fixture_->app->SetEnglish();
        Faceplate* f = New(0, 100);
        QCOMPARE(Child<QPushButton>(f, "Button2")->text(), QString("Send"));
        QCOMPARE(Child<QPushButton>(f, "btnatualiza")->text(), QString("Refresh"));
        QCOMPARE(Child<QCheckBox>(f, "LinhaGrossa")->text(), QString("Strong Line"));
        QCOMPARE(Child<QToolButton>(f, "SpeedButton2")->toolTip(), QString("Pause Trend"));
        QCOMPARE(Child<QLineEdit>(f, "KpText")->toolTip(), QString("Proportional Gain (dimensionless)"));
        QCOMPARE(Child<QToolButton>(f, "TrendButton")->accessibleName(), QString("Show/Hide Trends"));
        for (QWidget* w : f->findChildren<QWidget*>()) {
            const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                                  qobject_cast<QComboBox*>(w);
            if (control && !w->objectName().isEmpty() && !w->objectName().startsWith("qt_"))
                QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
        }
        QCOMPARE(ControlsWithoutAccessibleName(f), QStringList{});
    }

private:
    // Controller 1 on M21 with the scale start..end, its faceplate open on
    // the trend.
    Faceplate* New(double start, double end) {
        Project& p = fixture_->app->project();
        Memory& mem = p.sim.mem;
        mem.setEuMin(21, QString::number(start).toStdString());
        mem.setEuMax(21, QString::number(end).toStdString());
        kivo::Controller& c = p.CreateController(1);
        c.VariableSelect = 20;
        if (!c.ValidateParameters(true)) qFatal("apply refused: %s", qPrintable(fixture_->script->infoMessages.join(" / ")));
        p.markers.controllers[0].shown = true;
        return qobject_cast<Faceplate*>(fixture_->window->windows().Open(Family::PidController, 1));
    }

    template <class W>
    static W* Child(QWidget* w, const QString& name) {
        W* f = w->findChild<W*>(name);
        if (!f) qFatal("no control %s", qPrintable(name));
        return f;
    }
    static void Click(QWidget* w, const QString& name) { Child<QAbstractButton>(w, name)->click(); }
    static QString Letter(QWidget* w, const QString& name) { return Child<QLabel>(w, name)->text(); }

    std::unique_ptr<Fixture> fixture_;
};

QTEST_MAIN(ControllerFaceplateTest)
#include "ControllerFaceplateTest.moc"
