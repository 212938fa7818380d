// The teacher's exercise editor: a new exercise from the open project with
// limits the plant meets, typed values refused or taken, the open exercise
// edited and saved (and shown at once in its window), and a save that the
// checks refuse leaving the file as it was.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include "Helpers.h"
#include "exercises/ExerciseWriter.h"
#include "ui/exercises/ExerciseEditor.h"
#include "ui/exercises/ExerciseWindow.h"
#include "ui/main/ProjectLifecycle.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::test;

namespace {

QString Example(const char* path) { return ExamplesFolder() + QStringLiteral("/") + QString::fromUtf8(path); }

QByteArray Bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Types text into a table's cell as a user's edit would end.
void Type(QTableWidget* table, int row, int column, const QString& text) { table->item(row, column)->setText(text); }

}  // namespace

class ExerciseEditorTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        fixture_ = std::make_unique<Fixture>();
        fixture_->window->show();
    }
    void cleanup() { fixture_.reset(); }

    void aNewExerciseFromTheOpenProjectIsSavedAndMetByThePlant() {
        QVERIFY(fixture_->window->cycle().OpenFile(Example("basic flow loop/basic flow loop.smp")));
        fixture_->actionItem("NovoExercicio1")->trigger();
        ExerciseEditor* editor = fixture_->window->exerciseEditor();
        QVERIFY(editor);
        QVERIFY(editor->windowTitle().startsWith("Editor de exercício - novo"));
        auto* targets = editor->findChild<QTableWidget*>("MetasTabela");
        QCOMPARE(targets->rowCount(), 3);

        // A text that is no number is refused and said; a decimal comma is a number.
        auto* events = editor->findChild<QTableWidget*>("EventosTabela");
        Type(events, 0, 0, "soon");
        QCOMPARE(editor->exercise().scenario.events[0].time, 60.0);
        QCOMPARE(events->item(0, 0)->text(), QString("60"));
        QVERIFY(editor->findChild<QLabel*>("EditorMensagem")->text().contains("«soon» não é um número"));
        Type(events, 0, 0, "90,5");
        QCOMPARE(editor->exercise().scenario.events[0].time, 90.5);
        editor->findChild<QLineEdit*>("TituloEn")->setText("Flow");
        QTest::keyClicks(editor->findChild<QLineEdit*>("TituloEn"), "X");
        QCOMPARE(editor->exercise().titleEn, std::string("FlowX"));
        QVERIFY(editor->modified());

        // Allowing the filter of controller 1 is a tick in the tree.
        auto* tree = editor->findChild<QTreeWidget*>("PermitidoArvore");
        QTreeWidgetItem* controller = tree->topLevelItem(0);
        QVERIFY(controller->text(0).startsWith("controlador 1 · FIC-101"));
        for (int i = 0; i < controller->childCount(); ++i)
            if (controller->child(i)->text(0).startsWith("filter")) controller->child(i)->setCheckState(0, Qt::Checked);
        QVERIFY(editor->exercise().allowed.at({exercises::ObjectKind::Controller, 1}).count("filter"));

        editor->findChild<QPushButton*>("SugerirLimitesButton")->click();
        const QString file = fixture_->path("flow.kex");
        fixture_->script->exerciseSaveNames.push_back(fixture_->path("flow"));  // the extension is added
        editor->findChild<QPushButton*>("SalvarButton")->click();
        QVERIFY2(QFile::exists(file), qPrintable(editor->findChild<QLabel*>("EditorMensagem")->text()));
        QVERIFY(!editor->modified());
        QCOMPARE(editor->file(), file);

        // Opened as a student opens it, the plant's own settings meet every target.
        fixture_->script->exerciseNames.push_back(file);
        fixture_->window->OpenExercise();
        ExerciseWindow* w = fixture_->window->exerciseWindow();
        QVERIFY(w);
        QCOMPARE(w->exercise().titleEn, std::string("FlowX"));
        w->Run();
        QVERIFY(w->lastGrade()->valid);
        QCOMPARE(w->lastGrade()->total, w->lastGrade()->max);
    }

    void aProjectNotSavedAsItIsCannotBeAPlant() {
        fixture_->window->cycle().New();
        fixture_->actionItem("NovoExercicio1")->trigger();
        QVERIFY(!fixture_->window->exerciseEditor());
        QVERIFY(fixture_->script->infoMessages.last().startsWith("Salve o projeto primeiro"));
    }

    // Removing the first event takes its target along; the save that a
    // check refuses names the target and leaves the file as it was.
    void theOpenExerciseIsEditedAndShownAsSaved() {
        fixture_->app->SetEnglish();
        const QString file = fixture_->path("valve.kex");
        exercises::Exercise shipped = exercises::ReadExercise(Example("exercises/sticking-valve.kex").toStdString());
        exercises::SaveExercise(shipped, file.toStdString());
        fixture_->script->exerciseNames.push_back(file);
        fixture_->actionItem("AbrirExercicio1")->trigger();
        fixture_->actionItem("EditarExercicio1")->trigger();
        ExerciseEditor* editor = fixture_->window->exerciseEditor();
        QVERIFY(editor);
        QCOMPARE(editor->file(), file);
        QVERIFY(editor->findChild<QCheckBox*>("PerguntaCheck")->isChecked());
        QCOMPARE(editor->findChild<QTableWidget*>("EscolhasTabela")->rowCount(), 4);
        QCOMPARE(ControlsWithoutAccessibleName(editor), QStringList());

        auto* events = editor->findChild<QTableWidget*>("EventosTabela");
        events->setCurrentCell(0, 0);
        editor->findChild<QPushButton*>("ExcluirEventoButton")->click();
        QCOMPARE(events->rowCount(), 3);
        auto* targets = editor->findChild<QTableWidget*>("MetasTabela");
        QCOMPARE(targets->rowCount(), 1);  // the settling time after event 1 went with it

        const QByteArray before = Bytes(file);
        Type(targets, 0, 0, "9");
        editor->Save();
        QCOMPARE(editor->findChild<QLabel*>("EditorMensagem")->text(), QString("Target 1, loop: controller 9 is not in the plant basic flow loop.smp"));
        QCOMPARE(Bytes(file), before);

        Type(targets, 0, 0, "1");
        QVERIFY(editor->Save());
        QCOMPARE(exercises::ReadExercise(file.toStdString()).scenario.events.size(), 3u);
        QCOMPARE(fixture_->window->exerciseWindow()->findChild<QTableWidget*>("MetasTabela")->rowCount(), 1);

        // Closing with changes asks; No closes and writes nothing.
        Type(targets, 0, 6, "4");
        const QByteArray saved = Bytes(file);
        QVERIFY(editor->close());
        QVERIFY(fixture_->script->questions.last().contains("Save the changes"));
        QCOMPARE(Bytes(file), saved);
    }

    // Choosing a kind of event changes the cells that apply to it.
    void theEventsKindDecidesItsCells() {
        QVERIFY(fixture_->window->cycle().OpenFile(Example("basic flow loop/basic flow loop.smp")));
        fixture_->window->NewExercise();
        ExerciseEditor* editor = fixture_->window->exerciseEditor();
        auto* events = editor->findChild<QTableWidget*>("EventosTabela");
        auto* kind = qobject_cast<QComboBox*>(events->cellWidget(0, 1));
        QVERIFY(kind);
        kind->setCurrentIndex(5);  // a process setting
        emit kind->activated(5);
        const exercises::Event& e = editor->exercise().scenario.events[0];
        QCOMPARE(e.kind, exercises::EventKind::Process);
        QCOMPARE(e.process, 21);
        QVERIFY(events->cellWidget(0, 3)->isEnabled());
        Type(events, 0, 4, "2.5");
        QCOMPARE(editor->exercise().scenario.events[0].text, std::string("2.5"));
        kind->setCurrentIndex(2);  // manual: no value
        emit kind->activated(2);
        QVERIFY(!(events->item(0, 4)->flags() & Qt::ItemIsEditable));
        QVERIFY(!events->cellWidget(0, 3)->isEnabled());
    }

private:
    std::unique_ptr<Fixture> fixture_;
};

QTEST_MAIN(ExerciseEditorTest)
#include "ExerciseEditorTest.moc"
