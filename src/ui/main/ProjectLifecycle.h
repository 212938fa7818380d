#pragma once
// The project life cycle: New, Open, Save, Save as, Examples, opening an
// example and closing, with their questions; and the project reset.
#include <filesystem>
#include <optional>
#include <utility>

#include <QString>

#include "core/FailureReason.h"
#include "exercises/Authoring.h"
#include "exercises/Grading.h"

namespace kivo::ui {

class AppContext;
class MainWindow;

class ProjectLifecycle {
public:
    ProjectLifecycle(AppContext& app, MainWindow& window) : app_(app), w_(window) {}

    void New();
    void Open();
    void Save();
    void SaveAs();
    void Examples();
    void OpenExample(int index);
    // The close event: offers to save unsaved changes; never cancels.
    void OnClose();

    // Reads a project file into the project (the caller resets it first
    // when it wants a clean load). A failed load shows the core's message
    // and leaves the project as it was. Returns whether it loaded.
    bool Load(const QString& path, bool example);
    // A file named on the command line: a clean load, as Open does.
    bool OpenFile(const QString& path);
    // Asks for an exercise, reads it and its plant and loads the plant as an
    // example is loaded (Save never writes over it). The exercise and its
    // plant, or none when cancelled or refused (the message was shown).
    std::optional<std::pair<exercises::Exercise, exercises::Plant>> OpenExercise();
    // A starting exercise on the open project as it is saved, for the
    // teacher's editor; none when the project has unsaved changes or was
    // never saved, or cannot be a plant (the message was shown).
    std::optional<exercises::Suggestion> NewExercise();
    // Asks for an exercise file and reads it and its plant (for the editor,
    // and before OpenExercise loads the plant); the project on screen stays
    // as it is.
    std::optional<std::pair<exercises::Exercise, exercises::Plant>> ExerciseToEdit();

    // The reset of every object and setting to its default.
    void ClearProject();

private:
    // Asks to save first when there are unsaved changes (New, Open,
    // Examples).
    void AskToSave();
    // Writes the project to the current path; false after a failure, whose
    // message has been shown.
    bool Write();
    // The named snapshots beside the project file (NAME.kss): written after
    // the project, read after a load; a failure is shown, and never stops
    // the project's own save or load.
    void WriteSnapshots();
    void ReadSnapshots();
    // The named snapshots' file could not be read or written, and why.
    void InformSnapshotFile(bool reading, const std::filesystem::path& file, const FailureReason& why);
    // The save dialog's answer, proposing where the file should go.
    QString AskSaveName();
    // Steps a to c of Save: path, title, extension.
    void AdoptName(const QString& name);

    AppContext& app_;
    MainWindow& w_;
    // The open project is an example (or an exercise's plant): Save never
    // writes over it.
    bool exampleOpen_ = false;
};

}  // namespace kivo::ui
