// Writes screenshots of the exercise window after a run (the flow tuning, and
// the drill with its question) and of every tab of the editor on the drill,
// in one language, to look at (not to assert): ui_screenshots_exercise
// OUTDIR [en].
#include <QApplication>
#include <QRadioButton>
#include <QTabWidget>

#include "Helpers.h"
#include "Screenshot.h"
#include "ui/exercises/ExerciseEditor.h"
#include "ui/exercises/ExerciseWindow.h"

using namespace kivo::ui;
using test::Write;

int main(int argc, char** argv) {
    QApplication a(argc, argv);
    const auto screenshot = test::ReadScreenshotArgs(argc, argv);
    if (!screenshot) return 2;
    for (const char* name : {"flow-tuning", "sticking-valve"}) {
        test::Fixture fixture;
        if (screenshot->english) fixture.app->SetEnglish();
        fixture.script->exerciseNames.push_back(QStringLiteral(KIVO_SOURCE_DIR "/examples/exercises/") + name +
                                                QStringLiteral(".kex"));
        fixture.window->OpenExercise();
        ExerciseWindow* w = fixture.window->exerciseWindow();
        if (!w) return 1;
        if (auto* choice = w->findChild<QRadioButton*>("Escolha3")) choice->click();
        w->Run();
        Write(*w, screenshot->output + "/exercise_" + name + screenshot->suffix + ".png");
        if (std::string(name) != "sticking-valve") continue;
        fixture.window->EditExercise();
        ExerciseEditor* editor = fixture.window->exerciseEditor();
        auto* tabs = editor->findChild<QTabWidget*>("EditorAbas");
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            Write(*editor, screenshot->output + "/exercise_editor_" + QString::number(i + 1) + screenshot->suffix + ".png");
        }
    }
    return 0;
}
