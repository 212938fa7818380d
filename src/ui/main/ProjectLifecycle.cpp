#include "ui/main/ProjectLifecycle.h"

#include <QDir>
#include <QFileInfo>

#include "project/ProjectFile.h"
#include "snapshots/SnapshotFile.h"
#include "ui/context/AppContext.h"
#include "ui/i18n/RewindTexts.h"
#include "ui/i18n/Translations.h"
#include "ui/shell/Diagram.h"
#include "ui/main/MainWindow.h"
#include "ui/project/ExampleChooser.h"
#include "ui/project/ProjectSettingsDialog.h"
#include "ui/project/VariableListDialog.h"
#include "ui/objects/GeneratorsWindow.h"
#include "ui/shell/WidgetPanel.h"

namespace kivo::ui {
namespace {

std::filesystem::path FilesystemPath(const QString& s) { return std::filesystem::path(s.toStdU16String()); }

}  // namespace

void ProjectLifecycle::AskToSave() {
    if (app_.saved()) return;
    if (!app_.interaction().Ask(&w_, app_.Text(QStringLiteral("Salvar Alterações em Arquivo?"),
                                                   QStringLiteral("Save changes?"))))
        return;
    const QString name = AskSaveName();
    if (name.isEmpty()) return;
    // The chosen name as it is: no extension is added here.
    app_.projectPath = name;
    if (Write()) app_.MarkSaved();
}

bool ProjectLifecycle::Write() {
    const SaveResult r = SaveProject(app_.project(), FilesystemPath(app_.projectPath));
    if (!r.ok) {
        app_.Inform(QString::fromStdString(r.error));
        return false;
    }
    WriteSnapshots();
    return true;
}

// Only the snapshots of the plant as it is now: the others could no longer
// be restored into it. When none is left the file is still written, empty,
// so that it does not keep snapshots deleted or of an older configuration
// (which would be refused each time the project opens).
void ProjectLifecycle::WriteSnapshots() {
    if (!app_.namedSnapshotsHeld()) return;
    const Simulation& sim = app_.sim();
    const std::uint64_t fingerprint = ConfigurationFingerprint(sim);
    std::vector<Snapshot> kept;
    for (const Snapshot& s : app_.namedSnapshots())
        if (s.fingerprint == fingerprint) kept.push_back(s);
    const auto project = FilesystemPath(app_.projectPath);
    const auto file = SnapshotFilePath(project);
    if (const auto error = WriteSnapshotFile(file, project.filename().string(), fingerprint, kept))
        InformSnapshotFile(false, file, *error);
}

void ProjectLifecycle::InformSnapshotFile(bool reading, const std::filesystem::path& file, const FailureReason& why) {
    app_.Inform(SnapshotFileText(reading, QString::fromStdU16String(file.u16string()),
                                 QString::fromStdString(app_.english() ? why.en : why.pt), app_.english()));
}

void ProjectLifecycle::ReadSnapshots() {
    app_.ResetSnapshots();
    const auto project = FilesystemPath(app_.projectPath);
    const auto file = SnapshotFilePath(project);
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) return;
    std::vector<Snapshot> read;
    if (const auto error = ReadSnapshotFile(file, ConfigurationFingerprint(app_.sim()), project.filename().string(), read))
        return InformSnapshotFile(true, file, *error);
    app_.SetNamedSnapshots(std::move(read));
}

void ProjectLifecycle::New() {
    AskToSave();
    ClearProject();
    app_.projectPath.clear();
    exampleOpen_ = false;
    w_.setWindowTitle(QString::fromUtf8(kNewTitle));
    app_.MarkSaved();
    w_.ShowChooser(false);
    w_.ShowComments(true);
    w_.ShowIndicator(true);
    w_.ShowProjectMenus(true);
}

void ProjectLifecycle::Open() {
    AskToSave();
    // The open project stays as it is until another has loaded: a cancelled
    // dialog or a file that cannot be read leaves it on screen, unchanged.
    const QString name = app_.interaction().OpenFileName(&w_);
    if (!name.isEmpty()) OpenFile(name);
}

std::optional<std::pair<exercises::Exercise, exercises::Plant>> ProjectLifecycle::OpenExercise() {
    AskToSave();
    std::optional<std::pair<exercises::Exercise, exercises::Plant>> opened = ExerciseToEdit();
    if (!opened) return std::nullopt;
    const QString plantPath = QString::fromStdU16String(opened->first.PlantPath().u16string());
    ClearProject();
    if (!Load(plantPath, true)) return std::nullopt;
    // As an example: the plant is the teacher's, and "Entregar" or
    // "Salvar Como..." store the student's work under a name of its own.
    app_.projectPath = plantPath;
    w_.ShowIndicator(false);
    return opened;
}

std::optional<exercises::Suggestion> ProjectLifecycle::NewExercise() {
    // The exercise fingerprints the plant's file: what is on screen must be
    // what is on disk.
    if (app_.projectPath.isEmpty() || !app_.saved()) {
        app_.Inform(app_.Text(QStringLiteral("Salve o projeto primeiro: o exercício usa o arquivo do projeto, como está salvo, como planta."),
                              QStringLiteral("Save the project first: the exercise takes the project's file, as saved, as its plant.")));
        return std::nullopt;
    }
    try {
        return exercises::SuggestExercise(FilesystemPath(app_.projectPath));
    } catch (const std::exception& e) {
        app_.Inform(QString::fromStdString(e.what()));
        return std::nullopt;
    }
}

std::optional<std::pair<exercises::Exercise, exercises::Plant>> ProjectLifecycle::ExerciseToEdit() {
    const QString name = app_.interaction().ExerciseFileName(&w_);
    if (name.isEmpty()) return std::nullopt;
    try {
        exercises::Exercise e = exercises::ReadExercise(FilesystemPath(name));
        exercises::Plant plant = exercises::ReadPlant(e);
        return std::pair{std::move(e), std::move(plant)};
    } catch (const exercises::ExerciseError& e) {
        app_.Inform(QString::fromStdString(e.what()));
        return std::nullopt;
    }
}

bool ProjectLifecycle::OpenFile(const QString& path) {
    // The file is read through on a scratch project first, so that one that
    // cannot be read never resets the project on screen.
    {
        Project test(app_.project().english);
        const LoadResult r = ReadProject(test, FilesystemPath(path));
        if (!r.ok) {
            app_.Inform(QString::fromStdString(r.error));
            return false;
        }
    }
    ClearProject();
    if (!Load(path, false)) return false;
    app_.projectPath = path;
    app_.defaultSaveName = path;
    // A project opened by name is the user's own: Save writes to it.
    w_.ShowIndicator(true);
    return true;
}

bool ProjectLifecycle::Load(const QString& path, bool example) {
    // Object windows are views of the objects the load may replace.
    w_.windows().CloseAll();
    LoadOptions options;
    options.example = example;
    options.observer = &w_.loadObserver();
    const LoadResult r = ReadProject(app_.project(), FilesystemPath(path), options);
    if (!r.ok) {
        app_.Inform(QString::fromStdString(r.error));
        return false;
    }
    // The picture of a project that is not an example is looked for in the
    // current directory, which becomes the project's own folder, as after
    // the open dialog.
    if (!example) app_.ChooseFolder(QFileInfo(path).absolutePath());
    exampleOpen_ = example;
    w_.LoadProjectImage(QString::fromStdU16String(r.imagePath.u16string()), path);
    w_.ReloadComments();
    w_.ShowComments(app_.project().commentsVisible);
    w_.config().Reload();
    w_.generators().Reload();
    emit w_.projectChanged();
    w_.variableListDialog().Update();
    if (!app_.project().title.empty()) w_.setWindowTitle(QString::fromStdString(app_.project().title));
    app_.projectPath = path;
    ReadSnapshots();
    w_.UpdateTitle();
    w_.ShowChooser(false);
    w_.ShowProjectMenus(true);
    app_.MarkSaved();
    return true;
}

void ProjectLifecycle::Save() {
    if (exampleOpen_) {
        SaveAs();
        return;
    }
    if (!app_.projectPath.isEmpty()) {
        if (Write()) app_.MarkSaved();
        return;
    }
    const QString name = AskSaveName();
    if (name.isEmpty()) return;
    AdoptName(name);
    w_.ShowIndicator(true);
    if (Write()) app_.MarkSaved();
}

void ProjectLifecycle::SaveAs() {
    const QString name = AskSaveName();
    if (name.isEmpty()) return;
    AdoptName(name);
    if (!Write()) return;
    app_.MarkSaved();
    app_.defaultSaveName = app_.projectPath;
    app_.ChooseFolder(QFileInfo(app_.projectPath).absolutePath());
    exampleOpen_ = false;
    // Saved under a name of the user's, an example becomes the user's file:
    // the indicator shows and Save writes to it from now on.
    w_.ShowIndicator(true);
}

QString ProjectLifecycle::AskSaveName() {
    // An installed example lies in a folder the user cannot write: the
    // dialog proposes the same name in the user's documents folder.
    if (exampleOpen_ && app_.folders().installed()) {
        return app_.interaction().SaveFileName(
            &w_, QDir(app_.folders().DocumentsOrHome()).filePath(QFileInfo(app_.projectPath).fileName()),
            app_.Text(QStringLiteral("os exemplos instalados são só para leitura: salve uma cópia sua"),
                      QStringLiteral("installed examples are read-only: save a copy of your own")));
    }
    return app_.interaction().SaveFileName(&w_, app_.defaultSaveName);
}

void ProjectLifecycle::AdoptName(const QString& name) {
    app_.projectPath = name;
    if (app_.project().title.empty()) {
        // The file name as typed, with or without its extension.
        const QString title = QFileInfo(name).fileName();
        app_.project().title = title.toStdString();
        w_.config().Reload();
        w_.setWindowTitle(title);
    }
    // A dot in the file's own name counts as an extension; one in a
    // folder's name does not.
    if (!QFileInfo(name).fileName().contains('.')) app_.projectPath += QStringLiteral(".smp");
}

void ProjectLifecycle::Examples() {
    AskToSave();
    app_.projectPath.clear();
    exampleOpen_ = false;
    w_.setWindowTitle(QString::fromUtf8(kNewTitle));
    app_.MarkSaved();
    ClearProject();
    w_.ShowComments(false);
    w_.ShowIndicator(false);
    w_.ShowProjectMenus(false);
    w_.ShowChooser(true);
}

void ProjectLifecycle::OpenExample(int index) {
    w_.ShowIndicator(false);
    const QString path = ExampleChooser::ExamplePath(app_.folders(), index);
    if (!QFileInfo::exists(path))
        app_.Inform(app_.Text(QStringLiteral("Arquivo não encontrado"), QStringLiteral("File not found")));
    if (!Load(path, true)) return;
    app_.projectPath = path;
    // An example is never overwritten by Save: the indicator stays hidden
    // and "Salvar Como..." stores it under a new name.
}

void ProjectLifecycle::OnClose() {
    if (app_.saved()) return;
    // The same question in both languages.
    if (!app_.interaction().Ask(&w_, QStringLiteral("Salvar Alterações em Arquivo?"))) return;
    const QString name = AskSaveName();
    if (name.isEmpty()) return;
    app_.projectPath = name;
    if (Write()) app_.MarkSaved();
}

void ProjectLifecycle::ClearProject() {
    // Windows first: they show the objects the reset releases.
    w_.windows().CloseAll();
    app_.project().ClearProject();
    app_.ResetSnapshots();
    // The bank is closed and created anew with the project.
    w_.generators().hide();
    w_.generators().Reload();
    w_.ReloadComments();
    w_.diagram().Reset();
    w_.panel().Reload();
    w_.config().Reload();
    w_.config().CaptionSlots();
    emit w_.projectChanged();
    // An open variable list shows the reset table, not the last project's.
    w_.variableListDialog().Update();
}

}  // namespace kivo::ui
