// The exercise window on a shipped exercise: opened from the menu, run with
// every target marked, the drill answered, and the submission that never
// replaces another student's file.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include "Helpers.h"
#include "objects/Controller.h"
#include "project/ProjectFile.h"
#include "project/TextFile.h"
#include "ui/exercises/ExerciseWindow.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::test;

namespace {

QString Exercise(const char* name) { return QStringLiteral(KIVO_SOURCE_DIR "/examples/exercises/") + name; }

}  // namespace

class ExerciseWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        fixture_ = std::make_unique<Fixture>();
        fixture_->window->show();
    }
    void cleanup() { fixture_.reset(); }

    // The shipped plant misses the overshoot target with the longer dead
    // time; the retuned loop meets every target.
    void runMarksEachTargetGreenOrRed() {
        fixture_->script->exerciseNames.push_back(Exercise("flow-tuning.kex"));
        fixture_->actionItem("AbrirExercicio1")->trigger();
        ExerciseWindow* w = fixture_->window->exerciseWindow();
        QVERIFY(w);
        QCOMPARE(w->objectName(), QString("Exercicio"));
        QCOMPARE(w->windowTitle(), QString("Sintonia da malha de vazão FIC-101"));
        auto* table = w->findChild<QTableWidget*>("MetasTabela");
        QCOMPARE(table->rowCount(), 3);

        w->findChild<QPushButton*>("RodarButton")->click();
        QCOMPARE(table->item(0, 4)->text(), QString("✘ não atingida"));  // overshoot 39 %
        QCOMPARE(table->item(1, 4)->text(), QString("✔ atingida"));
        QCOMPARE(w->findChild<QLabel*>("TotalTexto")->text(), QString("Total: 2.00 / 5.00"));
        QVERIFY(table->item(0, 4)->background().color() != table->item(1, 4)->background().color());

        Controller& c = *fixture_->app->project().controller(1);
        c.KpText = "0.3";
        c.KiText = "4";
        QVERIFY(c.ValidateParameters(false));
        w->Run();
        QCOMPARE(w->lastGrade()->total, 5.0);
        QCOMPARE(table->item(0, 4)->text(), QString("✔ atingida"));
    }

    void aChangeOutsideTheAllowedFieldsIsNamedAndNotGraded() {
        fixture_->script->exerciseNames.push_back(Exercise("flow-tuning.kex"));
        fixture_->actionItem("AbrirExercicio1")->trigger();
        ExerciseWindow* w = fixture_->window->exerciseWindow();
        fixture_->app->project().process(1)->GainText = "2";
        w->Run();
        QVERIFY(!w->lastGrade()->valid);
        auto* differences = w->findChild<QLabel*>("DiferencasTexto");
        QVERIFY(differences->isVisibleTo(w));
        QVERIFY(differences->text().contains("process 21: gain"));
    }

    // The drill's answer goes into the submitted project's comments; a name
    // that exists is refused and the file left as it was.
    void submitWritesTheAnswerAndNeverReplacesAFile() {
        fixture_->app->SetEnglish();
        fixture_->script->exerciseNames.push_back(Exercise("sticking-valve.kex"));
        fixture_->window->OpenExercise();
        ExerciseWindow* w = fixture_->window->exerciseWindow();
        QVERIFY(w->findChild<QRadioButton*>("Escolha2"));
        w->findChild<QRadioButton*>("Escolha2")->click();

        const QString taken = fixture_->path("ana.smp");
        QFile f(taken);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Ana's work");
        f.close();
        fixture_->script->saveNames.push_back(taken);
        w->Submit();
        QVERIFY(fixture_->script->infoMessages.last().contains("already exists"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("Ana's work"));
        f.close();

        const QString mine = fixture_->path("bruno.smp");
        fixture_->script->saveNames.push_back(mine);
        w->Submit();
        QCOMPARE(fixture_->script->infoMessages.last(), QString("Submitted as bruno.smp."));
        const exercises::GradeRow row =
            exercises::Grade(w->exercise(), exercises::ReadPlant(w->exercise()), mine.toStdString());
        QCOMPARE(row.answer, std::optional<int>(2));
        QCOMPARE(row.answerPoints, 2.0);

        // What kivo-batch resave makes of the submission is the same file.
        Project reread(true);
        QVERIFY(ReadProject(reread, mine.toStdString()).ok);
        QFile submitted(mine);
        QVERIFY(submitted.open(QIODevice::ReadOnly));
        QCOMPARE(submitted.readAll(), QByteArray::fromStdString(JoinLines(ProjectLines(reread))));
    }

    // A cancelled dialog leaves the open project and its window alone; Tab
    // alone reaches the drill's choices and the three buttons.
    void cancelAndKeyboard() {
        fixture_->script->exerciseNames.push_back(Exercise("sticking-valve.kex"));
        fixture_->window->OpenExercise();
        ExerciseWindow* w = fixture_->window->exerciseWindow();
        const std::string title = fixture_->app->project().title;
        fixture_->window->OpenExercise();  // no name: cancelled
        QCOMPARE(fixture_->window->exerciseWindow(), w);
        QCOMPARE(fixture_->app->project().title, title);

        QStringList reached;
        QWidget* c = w;
        for (int i = 0; i < 50; ++i) {
            c = c->nextInFocusChain();
            if (c == w) break;
            if (c->isVisibleTo(w) && c->isEnabled() && (c->focusPolicy() & Qt::TabFocus)) reached << c->objectName();
        }
        QCOMPARE(ControlsWithoutAccessibleName(w), QStringList());
        for (const char* name : {"MetasTabela", "Escolha1", "RodarButton", "EntregarButton", "FecharButton"})
            QVERIFY2(reached.contains(name), qPrintable(reached.join(' ')));
    }

    void aMalformedExerciseIsAMessage() {
        const QString bad = fixture_->path("bad.kex");
        QFile f(bad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[scenario]\nwindow = \"long\"\n");
        f.close();
        fixture_->script->exerciseNames.push_back(bad);
        fixture_->window->OpenExercise();
        QVERIFY(!fixture_->window->exerciseWindow());
        QVERIFY(fixture_->script->infoMessages.last().contains("bad.kex"));
    }

private:
    std::unique_ptr<Fixture> fixture_;
};

QTEST_MAIN(ExerciseWindowTest)
#include "ExerciseWindowTest.moc"
