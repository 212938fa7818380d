// The rewind panel: going back to an automatic snapshot pauses the plant and
// puts it back bit for bit; named snapshots are saved beside the project and
// read back with it, and a file of another project is refused with its
// reason.
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include "Helpers.h"
#include "snapshots/Snapshot.h"
#include "ui/main/ProjectLifecycle.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::test;

class RewindPanelTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        fixture_ = std::make_unique<Fixture>();
        fixture_->window->show();
    }
    void cleanup() { fixture_.reset(); }

    void rewindPausesAndPutsThePlantBack() {
        Open("basic flow loop/basic flow loop.smp");
        Ticks(650);
        RewindPanel& panel = *fixture_->window->rewind();
        QCOMPARE(panel.slider()->maximum(), 6);  // 0.1 s, then every 10 s up to 60 s
        QCOMPARE(panel.slider()->value(), 6);
        const Snapshot at20 = app().ring().snapshots()[2];

        panel.slider()->setValue(2);
        QVERIFY(panel.findChild<QLabel*>("VoltarTempo")->text().startsWith("t = 0:00:20 (há 0:00:4"));
        app().timer().start();
        QTest::mouseClick(Button("VoltarBTN"), Qt::LeftButton);
        QVERIFY(app().paused());
        QVERIFY(fixture_->actionItem("PausarSimulao2")->isChecked());
        QCOMPARE(app().sim().state.time, at20.time);
        QVERIFY(TakeSnapshot(app().sim()).state == at20.state);
        QCOMPARE(panel.slider()->maximum(), 2);
        QVERIFY(fixture_->script->infoMessages.isEmpty());
    }

    void namedSnapshotsTravelWithTheProject() {
        Open("basic flow loop/basic flow loop.smp");
        Ticks(20);
        auto* name = fixture_->window->rewind()->nameField();
        name->setText("antes do degrau");
        QTest::mouseClick(Button("FotografiaBTN"), Qt::LeftButton);
        QTest::mouseClick(Button("FotografiaBTN"), Qt::LeftButton);
        QComboBox* list = fixture_->window->rewind()->namedList();
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->itemText(0), QString("antes do degrau (t = 0:00:02)"));
        QCOMPARE(list->itemText(1), QString("Fotografia 2 (t = 0:00:02)"));
        const Snapshot taken = app().namedSnapshots()[0];

        fixture_->script->saveNames.push_back(fixture_->path("plant.smp"));
        fixture_->window->cycle().SaveAs();
        QVERIFY(QFile::exists(fixture_->path("plant.kss")));

        fixture_->window->cycle().New();
        QCOMPARE(list->count(), 0);
        QVERIFY(fixture_->window->cycle().Load(fixture_->path("plant.smp"), false));
        QCOMPARE(list->count(), 2);
        Ticks(30);
        list->setCurrentIndex(0);
        QTest::mouseClick(Button("RestaurarBTN"), Qt::LeftButton);
        QVERIFY(TakeSnapshot(app().sim()).state == taken.state);
        QVERIFY(fixture_->script->infoMessages.isEmpty());
    }

    void aSnapshotFileOfAnotherProjectIsRefused() {
        Open("basic flow loop/basic flow loop.smp");
        Ticks(5);
        QTest::mouseClick(Button("FotografiaBTN"), Qt::LeftButton);
        fixture_->script->saveNames.push_back(fixture_->path("flow.smp"));
        fixture_->window->cycle().SaveAs();
        Open("boiler/boiler.smp");
        fixture_->script->saveNames.push_back(fixture_->path("boiler.smp"));
        fixture_->window->cycle().SaveAs();
        QVERIFY(QFile::copy(fixture_->path("flow.kss"), fixture_->path("boiler.kss")));

        fixture_->window->cycle().ClearProject();
        QVERIFY(fixture_->window->cycle().Load(fixture_->path("boiler.smp"), false));
        QCOMPARE(fixture_->script->infoMessages.size(), 1);
        const QString message = fixture_->script->infoMessages[0];
        QVERIFY2(message.contains("não foram carregadas") && message.contains("outro projeto (\"flow.smp\")"),
                 qPrintable(message));
        QCOMPARE(fixture_->window->rewind()->namedList()->count(), 0);
    }

    // Saved after the plant changed, the snapshots of its older configuration
    // are dropped from the file instead of being refused at every opening.
    void aSaveAfterTheConfigurationChangedDropsTheOldSnapshots() {
        Open("basic flow loop/basic flow loop.smp");
        Ticks(5);
        QTest::mouseClick(Button("FotografiaBTN"), Qt::LeftButton);
        fixture_->script->saveNames.push_back(fixture_->path("plant.smp"));
        fixture_->window->cycle().SaveAs();
        app().project().CreateBlock(24);
        fixture_->window->cycle().Save();

        fixture_->window->cycle().ClearProject();
        QVERIFY(fixture_->window->cycle().Load(fixture_->path("plant.smp"), false));
        QVERIFY2(fixture_->script->infoMessages.isEmpty(), qPrintable(fixture_->script->infoMessages.join('\n')));
        QCOMPARE(fixture_->window->rewind()->namedList()->count(), 0);
    }

    // Deleting asks first; deleting them all and saving leaves none in the
    // file, rather than the file as it was.
    void namedSnapshotsAreDeletedAfterTheQuestion() {
        Open("basic flow loop/basic flow loop.smp");
        Ticks(5);
        QTest::mouseClick(Button("FotografiaBTN"), Qt::LeftButton);
        fixture_->script->saveNames.push_back(fixture_->path("plant.smp"));
        fixture_->window->cycle().SaveAs();
        fixture_->window->cycle().ClearProject();
        QVERIFY(fixture_->window->cycle().Load(fixture_->path("plant.smp"), false));
        QComboBox* list = fixture_->window->rewind()->namedList();
        QCOMPARE(list->count(), 1);

        fixture_->script->answers.push_back(false);
        QTest::mouseClick(Button("ExcluirFotografiaBTN"), Qt::LeftButton);
        QCOMPARE(list->count(), 1);
        QVERIFY(fixture_->script->questions.last().startsWith("Excluir a fotografia \"Fotografia 1 (t = 0:00:0"));
        fixture_->script->answers.push_back(true);
        QTest::mouseClick(Button("ExcluirFotografiaBTN"), Qt::LeftButton);
        QCOMPARE(list->count(), 0);
        QVERIFY(!Button("ExcluirFotografiaBTN")->isEnabled());
        QVERIFY(!app().saved());
        fixture_->window->cycle().Save();

        fixture_->window->cycle().ClearProject();
        QVERIFY(fixture_->window->cycle().Load(fixture_->path("plant.smp"), false));
        QCOMPARE(list->count(), 0);
        QVERIFY(fixture_->script->infoMessages.isEmpty());
    }

    void bothLanguagesAndAccessibleNames() {
        RewindPanel& panel = *fixture_->window->rewind();
        QCOMPARE(Button("VoltarBTN")->text(), QString("Voltar"));
        QCOMPARE(Button("FotografiaBTN")->text(), QString("Fotografia"));
        fixture_->window->TranslateToEnglish();
        QCOMPARE(Button("VoltarBTN")->text(), QString("Rewind"));
        QCOMPARE(Button("FotografiaBTN")->text(), QString("Snapshot"));
        QCOMPARE(Button("RestaurarBTN")->accessibleName(), QString("Restore"));
        QCOMPARE(panel.findChild<QLabel*>("VoltarTempo")->text(), QString("no snapshot yet"));
        QCOMPARE(ControlsWithoutAccessibleName(&panel), QStringList());
    }

private:
    AppContext& app() { return *fixture_->app; }
    QPushButton* Button(const char* name) { return fixture_->window->rewind()->findChild<QPushButton*>(name); }
    // A clean load, as the menu's Open makes.
    void Open(const QString& example) {
        fixture_->window->cycle().ClearProject();
        QVERIFY(fixture_->window->cycle().Load(ExamplesFolder() + "/" + example, true));
    }
    void Ticks(int n) {
        for (int i = 0; i < n; ++i) app().Tick();
    }

    std::unique_ptr<Fixture> fixture_;
};

QTEST_MAIN(RewindPanelTest)
#include "RewindPanelTest.moc"
