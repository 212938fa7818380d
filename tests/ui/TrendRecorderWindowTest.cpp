// The trend recorder window: sampling in the cycle, legends, "Nenhum", the
// scale, the third-variable link, pause with cursor, the data log and the
// two widths of the window.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "Helpers.h"
#include "core/Cp1252.h"
#include "ui/shell/Diagram.h"
#include "ui/main/ProjectLifecycle.h"
#include "ui/recorders/RecorderCycle.h"
#include "ui/recorders/TrendRecorderWindow.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::test;

class TrendRecorderWindowTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<Fixture> fixture_;
    RecorderData* data_ = nullptr;

    Memory& mem() { return fixture_->app->sim().mem; }
    TrendRecorderWindow& window() { return *fixture_->window->recorderCycle().recorder(1); }
    template <class T>
    T* child(const char* name) {
        return window().findChild<T*>(QString::fromLatin1(name));
    }
    void Ticks(int n) {
        for (int i = 0; i < n; ++i) fixture_->app->Tick();
    }
    // Enter in a line edit.
    void Confirm(QLineEdit* e, const QString& text) {
        e->setText(text);
        QTest::keyClick(e, Qt::Key_Return);
    }
    QStringList Lines(const QString& name) {
        QFile f(fixture_->path(name));
        if (!f.open(QIODevice::ReadOnly)) return {};
        return QString::fromStdString(Cp1252ToUtf8(f.readAll().toStdString())).split("\r\n", Qt::SkipEmptyParts);
    }

private slots:
    void init() {
        fixture_ = std::make_unique<Fixture>();
        fixture_->window->show();
        fixture_->window->cycle().New();
        Project& p = fixture_->app->project();
        data_ = &p.CreateRecorder(1);
        data_->TagText = "TIC1";
        data_->Variable1Select = 20;  // M21
        mem().setEuMin(21, "0");
        mem().setEuMax(21, "200");
        mem().setUnit(21, "°C");
        window().UpdateRecorder();
    }
    void cleanup() { fixture_.reset(); }

    void markerTogglesTheWindow() {
        Diagram& d = fixture_->window->diagram();
        fixture_->window->UpdateDiagram();
        d.marker(Family::Recorder, 1)->click();
        QVERIFY(window().isVisible());
        // A tagged recorder opens with its chart only, ready to leave.
        QVERIFY(!window().configurationVisible());
        QVERIFY(child<QToolButton>("SairBTN")->isEnabled());
        child<QToolButton>("ConfBTN")->click();
        QVERIFY(window().configurationVisible());
        QVERIFY(!child<QToolButton>("SairBTN")->isEnabled());
        d.marker(Family::Recorder, 1)->click();
        QVERIFY(!window().isVisible());
        QCOMPARE(window().windowTitle(), QString("TIC1 - "));
    }

    void samplingFollowsTheTimeBase_data() {
        QTest::addColumn<int>("base");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("samples");
        QTest::newRow("3 s per division, every cycle") << 0 << 10 << 10;
        QTest::newRow("9 s per division, every third") << 1 << 10 << 3;
        QTest::newRow("1 min per division, every twentieth") << 2 << 45 << 2;
    }
    void samplingFollowsTheTimeBase() {
        QFETCH(int, base);
        QFETCH(int, ticks);
        QFETCH(int, samples);
        data_->TimeBaseBox = base;
        Ticks(ticks);
        QCOMPARE(window().sampler().position(), samples);
    }

    // The recorder is the project's: it samples in the cycle though its
    // window was never built, and the window opened later shows what it
    // holds.
    void samplesWithoutItsWindow() {
        Project& p = fixture_->app->project();
        RecorderData& r = p.CreateRecorder(2);
        r.Variable1Select = 20;  // M21, 0..200 °C
        r.UpdateRecorder();
        mem()[21] = 25;
        Ticks(7);
        QVERIFY(!fixture_->window->windows().window(Family::Recorder, 2));
        QCOMPARE(r.sampler().position(), 7);
        QCOMPARE(r.sampler().Point(RecorderSampler::Curve1, 449), std::uint8_t(50));
        fixture_->window->UpdateDiagram();
        fixture_->window->diagram().marker(Family::Recorder, 2)->click();
        auto* window = qobject_cast<TrendRecorderWindow*>(fixture_->window->windows().window(Family::Recorder, 2));
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->findChild<QLabel*>("VermelhoLabel")->text(), QString("PV: 50.00 °C"));
        QCOMPARE(window->findChild<QLineEdit*>("eSupText")->text(), QString("200.0"));
    }

    void legendsUseVariableOnesRangeAndNoneRemovesCurves() {
        data_->Variable2Select = 21;  // M22, a 0..10 bar variable
        data_->Variable3Select = 0;   // M1
        mem().setEuMax(22, "10");
        mem().setUnit(22, "bar");
        mem()[21] = 50;
        mem()[22] = 25;
        mem()[1] = 12.5;
        window().UpdateRecorder();
        window().show();
        Ticks(1);
        QCOMPARE(child<QLabel>("VermelhoLabel")->text(), QString("PV: 100.00 °C"));
        QCOMPARE(child<QLabel>("AzulLabel")->text(), QString("SP: 50.00 °C"));
        QCOMPARE(child<QLabel>("VerdeLabel")->text(), QString("MV: 12.50%"));
        const RecorderSampler& a = window().sampler();
        QCOMPARE(a.Point(RecorderSampler::Curve1, 449), std::uint8_t(100));
        QCOMPARE(a.Point(RecorderSampler::Curve3, 449), std::uint8_t(25));

        auto* var3 = child<QComboBox>("Variavel3Select");
        QCOMPARE(var3->count(), 125);
        QCOMPARE(var3->itemText(124), QString("Nenhum"));
        var3->setCurrentIndex(124);
        emit var3->activated(124);
        QCOMPARE(data_->Variable3Select, 124);
        QVERIFY(!fixture_->app->saved());
        Ticks(1);
        QCOMPARE(child<QLabel>("VerdeLabel")->text(), QString());
        QVERIFY(a.caption(RecorderSampler::Curve3).empty());
    }

    void scaleIsAutomaticOrTyped() {
        auto* upper = child<QLineEdit>("eSupText");
        auto* inf = child<QLineEdit>("eInfText");
        QCOMPARE(upper->text(), QString("200.0"));
        QCOMPARE(inf->text(), QString(" 0.0"));
        QCOMPARE(child<QLabel>("Label2")->text(), QString("180"));
        QCOMPARE(child<QLabel>("Label10")->text(), QString("20"));
        QCOMPARE(child<QLabel>("Label1")->text(), QString("°C"));

        // "Auto" spans 0.9 x minimum .. 1.1 x maximum of the history.
        for (double v : {40.0, 60.0}) {
            mem()[21] = v;
            Ticks(225);
        }
        child<QCheckBox>("EscalaAuto")->click();
        QCOMPARE(upper->text(), QString("132.0"));  // 66 % of 0..200
        QCOMPARE(inf->text(), QString("72.0"));     // 36 %

        // A typed range turns "Auto" off; a refused one leaves the range.
        Confirm(upper, "150");
        QVERIFY(!child<QCheckBox>("EscalaAuto")->isChecked());
        QCOMPARE(window().sampler().top(), 75.0);
        QCOMPARE(window().sampler().base(), 36.0);
        for (const char* bad : {"abc", "50"}) {
            Confirm(upper, bad);
            QCOMPARE(window().sampler().top(), 75.0);
        }
        // A flat history still gets a range with height.
        RecorderSampler other(mem(), *data_);
        other.AutoScale = true;
        other.UpdateRecorder();
        QVERIFY(other.top() > other.base());
    }

    void thirdVariableLinksToTheController() {
        Project& p = fixture_->app->project();
        p.CreateController(4).VariableSelect = 26;  // PV from M27
        auto* var3 = child<QComboBox>("Variavel3Select");
        var3->setCurrentIndex(3);
        emit var3->activated(3);
        QCOMPARE(data_->Variable2Select, 63);  // M64
        QCOMPARE(data_->Variable1Select, 26);  // M27
        QCOMPARE(child<QComboBox>("Variavel1Select")->currentIndex(), 26);
    }

    void pausedCursorReadsTheChart() {
        window().show();
        auto* pause = child<QToolButton>("SpeedButton1");
        pause->click();
        QVERIFY(child<QWidget>("Panel3")->isVisible());
        const int before = window().sampler().position();
        Ticks(3);
        QCOMPARE(window().sampler().position(), before);
        QWidget* plot = child<QWidget>("Image1");
        Confirm(child<QLineEdit>("eSupText"), "100");
        Confirm(child<QLineEdit>("eInfText"), "0");
        QTest::mouseClick(plot, Qt::LeftButton, {}, QPoint(150, 100));
        QCOMPARE(child<QLabel>("CoodsText1")->text(), QString("Y: 50.0 %  T: 15.0 s"));
        QTest::mouseClick(plot, Qt::LeftButton, {}, QPoint(10, 2));
        QCOMPARE(child<QLabel>("CoodsText2")->text(), QString("Y: 99.0 %  T:  1.0 s"));
        // Closing ends the pause.
        child<QToolButton>("SairBTN")->click();
        QVERIFY(!window().isVisible());
        QVERIFY(!window().sampler().paused);
    }

    void logWritesNumberedFilesInTheCurrentFolder_data() {
        QTest::addColumn<int>("base");
        QTest::addColumn<bool>("comma");
        QTest::addColumn<bool>("engineeringUnits");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("line1");
        QTest::addColumn<QString>("line2");
        QTest::newRow("0.1 s, raw %") << 0 << false << false << "Tempo (0.100 seg);PV;SP;MV"
                                      << "0.00;25.00;0.00;0.00" << "0.10;25.00;0.00;0.00";
        QTest::newRow("1/3 s, comma") << 1 << true << false << "Tempo (0.334 seg);PV;SP;MV"
                                      << "0,00;25,00;0,00;0,00" << "0,33;25,00;0,00;0,00";
        QTest::newRow("2 s, engineering units") << 2 << false << true << "Tempo (2 seg);PV;SP;MV"
                                                << "0.00;50.00;0.00;0.00" << "2.00;50.00;0.00;0.00";
    }
    void logWritesNumberedFilesInTheCurrentFolder() {
        QFETCH(int, base);
        QFETCH(bool, comma);
        QFETCH(bool, engineeringUnits);
        QFETCH(QString, header);
        QFETCH(QString, line1);
        QFETCH(QString, line2);
        data_->TimeBaseBox = base;
        mem()[21] = 25;
        QFile(fixture_->path("TIC1_1.txt")).open(QIODevice::WriteOnly);
        window().show();
        child<QToolButton>("ConfBTN")->click();
        if (comma) child<QCheckBox>("UsarVirgula")->click();
        if (engineeringUnits) child<QCheckBox>("UsarUE")->click();
        auto* writeArchive = child<QCheckBox>("CheckBox1");
        QVERIFY(writeArchive->isEnabled());
        writeArchive->click();
        QVERIFY(!child<QLineEdit>("TagText")->isEnabled());
        QVERIFY(!child<QComboBox>("BaseTempoBox")->isEnabled());
        Ticks(40);
        writeArchive->click();
        QCOMPARE(fixture_->script->infoMessages.last(), QString("Data saved: TIC1_2.txt"));
        QVERIFY(child<QLineEdit>("TagText")->isEnabled());
        const QStringList lines = Lines("TIC1_2.txt");
        QCOMPARE(lines.value(0), header);
        QCOMPARE(lines.value(1), line1);
        QCOMPARE(lines.value(2), line2);

        // A second log takes the next number and goes on with the time.
        writeArchive->click();
        Ticks(20);
        writeArchive->click();
        QCOMPARE(fixture_->script->infoMessages.last(), QString("Data saved: TIC1_3.txt"));
        const QStringList second = Lines("TIC1_3.txt");
        QVERIFY(second.size() > 1);
        QVERIFY(second.value(1).section(';', 0, 0) != QString(comma ? "0,00" : "0.00"));
    }

    // The log is the recorder's: it goes on while no window exists, and a
    // window built again shows it running and can end it.
    void logOutlivesItsWindow() {
        mem()[21] = 25;
        child<QCheckBox>("CheckBox1")->click();
        fixture_->window->windows().Close(Family::Recorder, 1);
        Ticks(3);
        QVERIFY(window().sampler().isLogging());
        QVERIFY(child<QCheckBox>("CheckBox1")->isChecked());
        QVERIFY(!child<QLineEdit>("TagText")->isEnabled());
        child<QCheckBox>("CheckBox1")->click();
        QCOMPARE(fixture_->script->infoMessages.last(), QString("Data saved: TIC1_1.txt"));
        QVERIFY(child<QLineEdit>("TagText")->isEnabled());
        QCOMPARE(Lines("TIC1_1.txt").size(), 4);
    }

    void logNeedsATagAndASafeFileName() {
        data_->TagText.clear();
        window().UpdateRecorder();
        QVERIFY(!child<QCheckBox>("CheckBox1")->isEnabled());
        // A tag with a path separator still logs into the current folder.
        data_->TagText = "FIC/2";
        window().UpdateRecorder();
        child<QCheckBox>("CheckBox1")->click();
        Ticks(2);
        child<QCheckBox>("CheckBox1")->click();
        QCOMPARE(fixture_->script->infoMessages.last(), QString("Data saved: FIC_2_1.txt"));
        QVERIFY(QFile::exists(fixture_->path("FIC_2_1.txt")));
    }

    void englishCaptions() {
        fixture_->window->TranslateToEnglish();
        window().show();
        QCOMPARE(child<QCheckBox>("CheckBox1")->text(), QString("Archive"));
        QCOMPARE(child<QCheckBox>("CheckBox2")->text(), QString("Strong Line"));
        QCOMPARE(child<QLabel>("BaseTempoLabel")->text(), QString("1 division time="));
        QCOMPARE(child<QToolButton>("SpeedButton1")->toolTip(), QString("Pause Trend"));
        QCOMPARE(child<QToolButton>("SairBTN")->accessibleName(), QString("Exit"));
        QCOMPARE(child<QComboBox>("BaseTempoBox")->itemText(2), QString("1 minuto"));
        QCOMPARE(ControlsWithoutAccessibleName(&window()), QStringList{});
    }
};

QTEST_MAIN(TrendRecorderWindowTest)
#include "TrendRecorderWindowTest.moc"
