#pragma once
// The application object: owns the project (and with it the simulation),
// the 100 ms cycle timer, the project's path and the language flag. Windows
// hold a reference to it and never keep a copy of what it owns.
#include <memory>

#include <QObject>
#include <QString>
#include <QTimer>

#include <vector>

#include "modbus/ServerOptions.h"
#include "project/Project.h"
#include "snapshots/SnapshotRing.h"
#include "ui/context/Interaction.h"
#include "ui/context/UserFolders.h"

class QWidget;

namespace kivo::modbus {
class Server;
}

namespace kivo::ui {

class AppContext : public QObject {
    Q_OBJECT
public:
    // startDirectory: the start directory; programDirectory: the running
    // program's folder (empty: the application's). Together they tell where
    // the examples and the user's files are (UserFolders).
    explicit AppContext(QString startDirectory, QString programDirectory = {}, QObject* parent = nullptr);
    ~AppContext() override;

    Project& project() { return *project_; }
    Simulation& sim() { return project_->sim; }
    QTimer& timer() { return timer_; }
    const QString& startDirectory() const { return startDirectory_; }
    const UserFolders& folders() const { return folders_; }
    // The folder the program's own files (fast-simulation archives, the
    // recorder's log) go to and its file dialogs open in: the folder of the
    // project the user opened or saved last; before any, the documents
    // folder of an installed program, and the start folder of one run from
    // its build tree, as it always was.
    QString WorkFolder() const;
    // The user opened or saved a project in folder: it is the work folder.
    void ChooseFolder(const QString& folder);

    Interaction& interaction() { return *interaction_; }
    void setInteraction(std::unique_ptr<Interaction> i);
    // The parent of the boxes the application shows.
    void setMainWindow(QWidget* w) { mainWindow_ = w; }
    QWidget* mainWindow() const { return mainWindow_; }

    // The language flag: false (Portuguese) until the start-up step sets it.
    bool english() const { return project_->english; }
    void SetEnglish() {
        project_->english = true;
        interaction_->english = true;
    }
    // The text of a two-language message by the flag.
    QString Text(const QString& pt, const QString& en) const { return english() ? en : pt; }
    void Inform(const QString& text);

    // The file Save writes to; empty for a project never saved.
    QString projectPath;
    // The save dialog's file name field.
    QString defaultSaveName;

    bool saved() const { return project_->saved; }
    void MarkModified();
    void MarkSaved();

    bool paused() const { return !timer_.isActive(); }
    // Starts or stops the cycle timer.
    void TogglePause();
    // One real-time tick now: what the timer calls.
    void Tick();
    // The automatic snapshots, taken after the ticks, and the named ones the
    // user took, which are saved beside the project.
    const SnapshotRing& ring() const { return ring_; }
    const std::vector<Snapshot>& namedSnapshots() const { return named_; }
    // True once the project's named snapshots are its own to save: read from
    // its file, taken or deleted. A file that could not be read (another
    // version's) is then left alone by a save that has none to keep.
    bool namedSnapshotsHeld() const { return namedHeld_; }
    // A project was reset or loaded: its plant time starts at 0, without
    // snapshots.
    void ResetSnapshots();
    // The named snapshots read from the project's file.
    void SetNamedSnapshots(std::vector<Snapshot> snapshots);
    // A named snapshot of the plant as it is now.
    void TakeNamedSnapshot(const QString& name);
    void DeleteNamedSnapshot(std::size_t i);
    // Pauses the cycle and puts the plant back as the snapshot holds it; the
    // automatic snapshots after it are dropped, as that run will not come.
    RestoreOutcome Restore(const Snapshot& s);
    // The cycle time of the last tick, in ms.
    double measuredCycle() const { return static_cast<double>(project_->sim.state.measuredCycle); }

    // The Modbus TCP server of the plant: off until the user starts it. It
    // serves on a thread of its own; after every tick the cycle applies the
    // clients' writes and publishes the plant's values (so while the cycle
    // is paused, writes are answered "busy"). Its settings last for the
    // session, outside the project.
    modbus::ServerOptions modbusOptions;
    // Starts it with modbusOptions; false with the reason, in the
    // interface's language.
    bool StartModbus(QString& error);
    void StopModbus();
    const modbus::Server* modbusServer() const { return modbus_.get(); }

signals:
    void savedStateChanged(bool saved);
    void measuredCycleChanged(double ms);
    // Every sixth tick: open windows pull their readouts.
    void displayRefresh();
    // After each real-time tick (Tick), the plant stepped: a test on the
    // live plant takes its sample and sets the next output here.
    void ticked();
    // The variable table's texts may have changed (an apply, a load, the
    // list's refresh or a stored cell): windows that list variables follow.
    void tableChanged();
    // The automatic or the named snapshots changed.
    void snapshotsChanged();
    // The plant is about to go back to a snapshot: a test driving the live
    // plant ends here, so that the snapshot's state is what runs on.
    void restoring();
    // The plant went back to a snapshot: windows redraw their trends.
    void plantRestored();

private:
    class Observer;

    QString startDirectory_;
    UserFolders folders_;
    bool folderChosen_ = false;
    std::unique_ptr<Project> project_;
    std::unique_ptr<Observer> observer_;
    std::unique_ptr<Interaction> interaction_;
    QWidget* mainWindow_ = nullptr;
    QTimer timer_;
    SnapshotRing ring_;
    std::vector<Snapshot> named_;
    bool namedHeld_ = false;
    std::unique_ptr<modbus::Server> modbus_;
};

}  // namespace kivo::ui
