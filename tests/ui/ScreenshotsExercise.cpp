// Writes screenshots of the exercise window after a run (the flow tuning, and
// the drill with its question), in one language, to look at (not to
// assert): ui_screenshots_exercise OUTDIR [en].
#include <QApplication>
#include <QRadioButton>

#include "Helpers.h"
#include "Screenshot.h"
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
    }
    return 0;
}
