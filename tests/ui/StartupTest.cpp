// Start-up language from "preferences.cfg" and the language menu.
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTest>

#include <sys/stat.h>

#include "Helpers.h"
#include "ui/app/Startup.h"
#include "ui/context/Preferences.h"
#include "ui/project/ExampleChooser.h"

using namespace kivo::ui;
using namespace kivo::ui::test;

namespace {

void Write(const QString& file, const QByteArray& contents) {
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(contents);
}

QByteArray Read(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void init() { fixture_ = std::make_unique<Fixture>(); }
    void cleanup() { fixture_.reset(); }

    void firstLineChoosesTheLanguage_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("english");
        QTest::newRow("english") << "<language> English" << true;
        QTest::newRow("portuguese") << "<language> Portuguese" << false;
        QTest::newRow("lower case") << "<language> english" << false;
        QTest::newRow("anywhere") << "xxEnglishyy" << true;
        QTest::newRow("empty") << "" << false;
    }
    void firstLineChoosesTheLanguage() {
        QFETCH(QString, line);
        QFETCH(bool, english);
        QCOMPARE(LineChoosesEnglish(line), english);
    }

    // A preferences file that is a FIFO, a device or a huge file is not read
    // at all: the start goes on at once, in Portuguese, without a question.
    void aHostilePreferencesFileNeitherHangsNorFillsMemory_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("fifo") << "fifo";
        QTest::newRow("device") << "device";
        QTest::newRow("huge") << "huge";
    }
    void aHostilePreferencesFileNeitherHangsNorFillsMemory() {
        QFETCH(QString, kind);
        const QString file = fixture_->path("preferences.cfg");
        if (kind == "fifo") QCOMPARE(mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        if (kind == "device") QVERIFY(QFile::link("/dev/zero", file));
        if (kind == "huge") {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.resize(qint64(1) << 30));
        }
        QElapsedTimer stopwatch;
        stopwatch.start();
        SettleLanguage(*fixture_->app, *fixture_->window);
        QVERIFY(stopwatch.elapsed() < 5000);
        QVERIFY(fixture_->script->questions.isEmpty());
        QVERIFY(!fixture_->app->english());
    }

    void englishModeFromThePreferencesFile() {
        Write(fixture_->path("preferences.cfg"), "<language> English\r\n<language> Portuguese\r\n");
        SettleLanguage(*fixture_->app, *fixture_->window);
        QVERIFY(fixture_->script->questions.isEmpty());
        QVERIFY(fixture_->app->english());
        QVERIFY(fixture_->actionItem("English1")->isChecked());
        QCOMPARE(fixture_->actionItem("Novo1")->text(), QString("New"));
        QCOMPARE(fixture_->window->findChild<QLabel*>("Label21")->text(), QString("Click here for additional information"));
        QCOMPARE(fixture_->window->chooser().tabText(0), QString("Flow/Pressure"));
    }

    void portugueseModeLeavesTheTexts() {
        Write(fixture_->path("preferences.cfg"), "<language> Portuguese\r\n");
        SettleLanguage(*fixture_->app, *fixture_->window);
        QVERIFY(!fixture_->app->english());
        QVERIFY(fixture_->actionItem("Portuguese1")->isChecked());
        QCOMPARE(fixture_->actionItem("Novo1")->text(), QString("Novo"));
    }

    void missingFileAsksAndWritesTheAnswer_data() {
        QTest::addColumn<bool>("sim");
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("yes") << true << QByteArray("<language> English\r\n");
        QTest::newRow("no") << false << QByteArray("<language> Portuguese\r\n");
    }
    void missingFileAsksAndWritesTheAnswer() {
        QFETCH(bool, sim);
        QFETCH(QByteArray, file);
        fixture_->script->answers.push_back(sim);
        SettleLanguage(*fixture_->app, *fixture_->window);
        QCOMPARE(fixture_->script->questions,
                 QStringList{"Portuguese is the current language. Do you wish to convert to english? (Converter textos "
                             "inglês?)"});
        QCOMPARE(Read(fixture_->path("preferences.cfg")), file);
        QCOMPARE(fixture_->app->english(), sim);
    }

    void languageMenuWritesForTheNextStart() {
        Write(fixture_->path("preferences.cfg"), "<language> Portuguese\r\n");
        SettleLanguage(*fixture_->app, *fixture_->window);
        fixture_->actionItem("English1")->trigger();
        QCOMPARE(Read(fixture_->path("preferences.cfg")), QByteArray("<language> English\r\n"));
        QCOMPARE(fixture_->script->infoMessages, QStringList{"It is necessary restart application"});
        // The running program keeps its language and check mark.
        QVERIFY(!fixture_->app->english());
        QVERIFY(fixture_->actionItem("Portuguese1")->isChecked());
        QVERIFY(!fixture_->actionItem("English1")->isChecked());
        // Choosing the current language does nothing.
        fixture_->script->infoMessages.clear();
        QFile::remove(fixture_->path("preferences.cfg"));
        fixture_->actionItem("Portuguese1")->trigger();
        QVERIFY(fixture_->script->infoMessages.isEmpty());
        QVERIFY(!QFile::exists(fixture_->path("preferences.cfg")));
    }

    void languageMenuInEnglishMode() {
        Write(fixture_->path("preferences.cfg"), "<language> English\r\n");
        SettleLanguage(*fixture_->app, *fixture_->window);
        fixture_->actionItem("Portuguese1")->trigger();
        QCOMPARE(Read(fixture_->path("preferences.cfg")), QByteArray("<language> Portuguese\r\n"));
        QCOMPARE(fixture_->script->infoMessages, QStringList{"É necessário reiniciar o aplicativo"});
        QVERIFY(fixture_->actionItem("English1")->isChecked());
    }

    void startWindowSettlesThenShowsTheChooser() {
        Write(fixture_->path("preferences.cfg"), "<language> Portuguese\r\n");
        fixture_->window->show();
        Startup startup(*fixture_->app, *fixture_->window);
        startup.Start();
        QVERIFY(fixture_->window->chooser().isHidden());
        QTRY_VERIFY_WITH_TIMEOUT(fixture_->window->chooser().isVisible(), 5000);
    }

    void fileOnTheCommandLineOpensAtOnce() {
        Write(fixture_->path("preferences.cfg"), "<language> English\r\n");
        fixture_->window->show();
        Startup startup(*fixture_->app, *fixture_->window, ExamplesFolder() + "/reactor/reactor.smp");
        startup.Start();
        QVERIFY(fixture_->app->english());
        QVERIFY(fixture_->app->project().sim.controllers.active(1));
        QVERIFY(fixture_->window->chooser().isHidden());
        // The title's English half, and the file it came from.
        QCOMPARE(fixture_->window->windowTitle(), QString::fromStdString(fixture_->app->project().title) + " — reactor.smp");
    }

private:
    std::unique_ptr<Fixture> fixture_;
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
