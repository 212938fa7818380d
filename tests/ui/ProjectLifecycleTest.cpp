// The project life cycle: the chooser, New, Open, Save, Save as, Examples,
// closing, and refused loads.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>

#include <sys/stat.h>
#include <QToolButton>

#include "Helpers.h"
#include "project/ProjectFile.h"
#include "ui/shell/Diagram.h"
#include "ui/main/ProjectLifecycle.h"
#include "ui/project/ExampleChooser.h"
#include "ui/project/ProjectSettingsDialog.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::test;

class ProjectLifecycleTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        fixture_ = std::make_unique<Fixture>();
        fixture_->window->show();
    }
    void cleanup() { fixture_.reset(); }

    void chooserHasItsPagesPicturesAndTexts() {
        ExampleChooser& e = fixture_->window->chooser();
        QCOMPARE(e.objectName(), QString("TabbedNotebook1"));
        QCOMPARE(e.count(), 6);
        QCOMPARE(e.tabText(0), QString("Vazão/Pressão"));
        QCOMPARE(e.tabText(5), QString("Outros"));
        QCOMPARE(e.findChildren<QToolButton*>(QRegularExpression("^sim")).size(), 22);
        auto* sim18 = e.findChild<QToolButton*>("sim18");
        QCOMPARE(sim18->toolTip(),
                 QString("Resposta de malha de controle de vazão a variação em SP e variação de carga."));
        fixture_->window->ShowChooser(true);
        QVERIFY(!sim18->icon().isNull());
        QCOMPARE(e.findChild<QPlainTextEdit*>("Descricao_sim18")->toPlainText(),
                 QString("Controle retroalimentado\n\nResposta a variação no SP e variação de carga."));
        fixture_->window->TranslateToEnglish();
        QCOMPARE(e.tabText(1), QString("Level Control"));
        QCOMPARE(e.findChild<QLabel*>("Titulo_sim13")->text(), QString("Furnace Temperature(Master-Slave)"));
        QCOMPARE(e.findChild<QPlainTextEdit*>("Descricao_sim17")->toPlainText(),
                 QString("Course-Fine Control\n\nResolution and rangeability improvement in flow loop with "
                         "course-valve and fine-valve manipulation"));
    }

    // An example opened in the window (its objects applied as the windows
    // apply them) and saved under a new name, in either language, is the
    // example's file byte for byte: both languages of every text and every
    // comment line.
    void everyExampleSavedAsIsTheSameFile_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("english");
        for (int i = 0; i < 22; ++i)
            for (bool english : {false, true})
                QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(i).arg(english ? "en" : "pt"))) << i << english;
    }
    void everyExampleSavedAsIsTheSameFile() {
        QFETCH(int, index);
        QFETCH(bool, english);
        MainWindow& w = *fixture_->window;
        if (english) w.TranslateToEnglish();
        const QString example = ExampleChooser::ExamplePath(fixture_->app->folders(), index);
        w.cycle().OpenExample(index);
        fixture_->script->saveNames.push_back(fixture_->path("copia.smp"));
        fixture_->actionItem("SalvarComo1")->trigger();
        QFile a(example), b(fixture_->path("copia.smp"));
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QVERIFY(a.readAll() == b.readAll());
    }

    void everyExampleOfTheChooserExists() {
        for (int i = 0; i < 22; ++i)
            QVERIFY2(QFile::exists(ExampleChooser::ExamplePath(fixture_->app->folders(), i)),
                     qPrintable(ExampleChooser::ExamplePath(fixture_->app->folders(), i)));
    }

    void openingAnExampleFromTheChooser() {
        MainWindow& w = *fixture_->window;
        w.cycle().Examples();
        QVERIFY(w.chooser().isVisible());
        QVERIFY(!fixture_->actionItem("Configurao2")->isVisible());
        w.chooser().setCurrentIndex(3);
        QTest::mouseClick(w.chooser().findChild<QToolButton*>("sim1"), Qt::LeftButton);
        QVERIFY(fixture_->script->infoMessages.isEmpty());
        QVERIFY(w.chooser().isHidden());
        QVERIFY(fixture_->app->project().sim.controllers.active(1));
        QCOMPARE(w.windowTitle(), QString("Caldeira industrial"));
        // The indicator stays hidden: an example is never overwritten.
        QVERIFY(w.indicator()->isHidden());
        QVERIFY(fixture_->app->saved());
        for (const char* item : {"SalvarComo1", "Exemplos1", "Configurao2", "Configurao1", "Opes1", "Variveis1",
                                 "Dese1", "RegistradorXY1"})
            QVERIFY2(fixture_->actionItem(item)->isVisible(), item);
        QVERIFY(w.diagram().marker(Family::PidController, 1)->isVisible());
        QVERIFY(fixture_->app->timer().isActive());
    }

    void missingExampleIsReportedAndNothingLoads() {
        QDir(fixture_->folder.path()).mkpath("examples");
        fixture_->window->cycle().OpenExample(0);
        QCOMPARE(fixture_->script->infoMessages.size(), 2);
        QCOMPARE(fixture_->script->infoMessages[0], QString("Arquivo não encontrado"));
        QVERIFY(fixture_->script->infoMessages[1].contains("basic flow loop.smp"));
        QVERIFY(!fixture_->app->project().sim.controllers.active(1));
    }

    void newWithUnsavedChangesAnsweringNo() {
        MainWindow& w = *fixture_->window;
        w.TranslateToEnglish();
        w.cycle().Load(ExamplesFolder() + "/basic flow loop/basic flow loop.smp", true);
        fixture_->app->MarkModified();
        fixture_->actionItem("Novo1")->trigger();
        QCOMPARE(fixture_->script->questions, QStringList{"Save changes?"});
        QVERIFY(!fixture_->app->project().sim.controllers.active(1));
        QVERIFY(w.diagram().marker(Family::PidController, 1)->isHidden());
        QCOMPARE(w.windowTitle(), QString("KIVO v 7.71"));
        QVERIFY(w.indicator()->isVisible());
        QCOMPARE(w.indicator()->text(), QString("I´m saved!"));
        QVERIFY(w.comments()->isVisible());
        QVERIFY(fixture_->app->projectPath.isEmpty());
        // The reset dialog speaks English again.
        QCOMPARE(w.config().findChild<QCheckBox*>("CheckBox21")->text(), QString("<empty> Process 1"));
    }

    void savingThroughTheIndicator_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("title");
        QTest::newRow("no extension") << "plant" << "plant.smp" << "plant";
        QTest::newRow("with extension") << "plant.smp" << "plant.smp" << "plant.smp";
        // A dot in a folder's name is no extension.
        QTest::newRow("dotted folder") << "a.b/plant" << "a.b/plant.smp" << "plant";
    }
    void savingThroughTheIndicator() {
        QFETCH(QString, name);
        QFETCH(QString, path);
        QFETCH(QString, title);
        QDir(fixture_->folder.path()).mkpath("a.b");
        MainWindow& w = *fixture_->window;
        w.cycle().New();
        fixture_->app->project().CreateProcess(1).TagText = "FT-1";
        fixture_->app->MarkModified();
        QCOMPARE(w.indicator()->text(), QString("Salve me!"));
        fixture_->script->saveNames.push_back(fixture_->path(name));
        QTest::mouseClick(w.indicator(), Qt::LeftButton);
        QCOMPARE(fixture_->app->projectPath, fixture_->path(path));
        QCOMPARE(w.windowTitle(), title);
        QCOMPARE(QString::fromStdString(fixture_->app->project().title), title);
        QVERIFY(QFile::exists(fixture_->path(path)));
        QCOMPARE(w.indicator()->text(), QString("To salvo!"));
        QCOMPARE(w.indicator()->property("indiceIcone").toInt(), 0);
        // The next Save writes to the same file without asking.
        fixture_->app->MarkModified();
        QTest::mouseClick(w.indicator(), Qt::LeftButton);
        QVERIFY(fixture_->app->saved());
        QVERIFY(fixture_->script->saveNames.empty());
    }

    void failedSaveKeepsTheIndicator() {
        MainWindow& w = *fixture_->window;
        w.cycle().New();
        fixture_->app->MarkModified();
        fixture_->script->saveNames.push_back(fixture_->path("missing-folder/plant.smp"));
        w.cycle().Save();
        QCOMPARE(fixture_->script->infoMessages.size(), 1);
        QVERIFY(!fixture_->app->saved());
        QCOMPARE(w.indicator()->text(), QString("Salve me!"));
    }

    void malformedFileIsRefusedAndTheProjectStays() {
        MainWindow& w = *fixture_->window;
        w.cycle().New();
        Project& p = fixture_->app->project();
        p.CreateProcess(3).TagText = "FT-3";
        p.markers.processes[2].shown = true;
        w.UpdateDiagram();
        // A copy of an example with a non-numeric transfer-function type.
        QFile origin(ExamplesFolder() + "/basic flow loop/basic flow loop.smp");
        QVERIFY(origin.open(QIODevice::ReadOnly));
        QByteArray bytes = origin.readAll();
        bytes.replace("Tipo FT:0", "Tipo FT:um");
        const QString bad = fixture_->path("bad.smp");
        QFile f(bad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        Project scratch;
        const LoadResult expected = ReadProject(scratch, bad.toStdString());
        QVERIFY(!expected.ok);

        const bool running = fixture_->app->timer().isActive();
        fixture_->script->openNames.push_back(bad);
        fixture_->actionItem("Abrir1")->trigger();
        QCOMPARE(fixture_->script->infoMessages, QStringList{QString::fromStdString(expected.error)});
        QVERIFY(p.sim.processes.active(3));
        QVERIFY(!p.sim.controllers.active(1));
        QVERIFY(w.diagram().marker(Family::ProcessBlock, 3)->isVisible());
        QVERIFY(fixture_->app->projectPath.isEmpty());
        QCOMPARE(fixture_->app->timer().isActive(), running);
    }

    // A cancelled Open, or one of a file that cannot be read, leaves the
    // open plant on screen as it was: objects, title, file and state.
    void openCancelledOrFailedKeepsThePlant_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("cancelled") << QString();
        QTest::newRow("missing file") << "none.smp";
        QTest::newRow("folder") << ".";
        QTest::newRow("fifo") << "fifo.smp";
        QTest::newRow("device") << "zero.smp";
    }
    void openCancelledOrFailedKeepsThePlant() {
        QFETCH(QString, file);
        MainWindow& w = *fixture_->window;
        // Neither blocks the open nor is read.
        mkfifo(QFile::encodeName(fixture_->path("fifo.smp")).constData(), 0600);
        QFile::link("/dev/zero", fixture_->path("zero.smp"));
        fixture_->script->openNames.push_back(ExamplesFolder() + "/surge tank/surge tank.smp");
        fixture_->actionItem("Abrir1")->trigger();
        fixture_->app->MarkModified();
        const QString title = w.windowTitle(), path = fixture_->app->projectPath;
        fixture_->script->openNames.push_back(file.isEmpty() ? QString() : fixture_->path(file));
        fixture_->actionItem("Abrir1")->trigger();
        QCOMPARE(fixture_->script->infoMessages.size(), file.isEmpty() ? 0 : 1);
        QVERIFY(fixture_->app->project().sim.controllers.active(1));
        QVERIFY(w.diagram().marker(Family::PidController, 1)->isVisible());
        QCOMPARE(w.windowTitle(), title);
        QCOMPARE(fixture_->app->projectPath, path);
        QVERIFY(!fixture_->app->saved());
        QVERIFY(w.indicator()->isVisible());
    }

    void openingAFileAndSavingItAs() {
        MainWindow& w = *fixture_->window;
        w.cycle().New();
        fixture_->script->openNames.push_back(ExamplesFolder() + "/surge tank/surge tank.smp");
        fixture_->actionItem("Abrir1")->trigger();
        QVERIFY(fixture_->script->infoMessages.isEmpty());
        QCOMPARE(fixture_->app->projectPath, ExamplesFolder() + "/surge tank/surge tank.smp");
        QVERIFY(w.diagram().image()->isVisible());
        fixture_->script->saveNames.push_back(fixture_->path("copy"));
        fixture_->actionItem("SalvarComo1")->trigger();
        QCOMPARE(fixture_->app->projectPath, fixture_->path("copy.smp"));
        QVERIFY(QFile::exists(fixture_->path("copy.smp")));
        // The title came with the file and stays; the caption names the copy.
        QCOMPARE(w.windowTitle(), QString::fromStdString(fixture_->app->project().title) + " — copy.smp");
        QVERIFY(w.indicator()->isVisible());
        QVERIFY(fixture_->app->saved());
    }

    void openingAFileByName() {
        QVERIFY(fixture_->window->cycle().OpenFile(ExamplesFolder() + "/furnace/furnace.smp"));
        QVERIFY(fixture_->window->indicator()->isVisible());
        QVERIFY(fixture_->actionItem("Configurao2")->isVisible());
        QVERIFY(!fixture_->window->cycle().OpenFile(fixture_->path("none.smp")));
        QCOMPARE(fixture_->script->infoMessages.size(), 1);
    }

    void closingAsksInPortugueseInBothLanguages() {
        MainWindow& w = *fixture_->window;
        w.TranslateToEnglish();
        w.cycle().New();
        fixture_->app->MarkModified();
        QVERIFY(w.close());
        QCOMPARE(fixture_->script->questions, QStringList{"Salvar Alterações em Arquivo?"});
        QVERIFY(fixture_->folder.path().size() > 0);
        QCOMPARE(QDir(fixture_->folder.path()).entryList({"*.smp"}).size(), 0);
    }

    void examplesMenuReturnsToTheChooser() {
        MainWindow& w = *fixture_->window;
        w.cycle().Load(ExamplesFolder() + "/basic flow loop/basic flow loop.smp", true);
        fixture_->actionItem("Exemplos1")->trigger();
        QVERIFY(w.chooser().isVisible());
        QVERIFY(!fixture_->app->project().sim.controllers.active(1));
        for (int n = 1; n <= 24; ++n) QVERIFY(!fixture_->app->project().sim.processes.active(n));
        QVERIFY(w.diagram().marker(Family::ProcessBlock, 24)->isHidden());
        QVERIFY(w.comments()->isHidden());
        QVERIFY(!fixture_->actionItem("Opes1")->isVisible());
        QCOMPARE(w.windowTitle(), QString("KIVO v 7.71"));
    }

private:
    std::unique_ptr<Fixture> fixture_;
};

QTEST_MAIN(ProjectLifecycleTest)
#include "ProjectLifecycleTest.moc"
