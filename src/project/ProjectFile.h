#pragma once
// The project file (".smp"): SaveProject writes the whole project and
// ReadProject reads one into the project, in the fixed order of the file.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "project/Project.h"

namespace kivo {

// Something the load met that did not stop it but that the user must hear
// of before saving over the file: the file ends early, so what should follow
// was read as empty (a save would write the project as it was read).
// Unlike an error, a warning leaves the load successful (ok, project loaded
// and marked as saved); the window shows it as a warning box.
struct LoadWarning {
    int line = 0;      // the file's last line
    std::string text;  // in the project's interface language
};

// What the windows do around a load. Every call has a default that does
// nothing, so a headless caller overrides only what it needs.
class LoadObserver {
public:
    virtual ~LoadObserver() = default;
    // The load begins: show the progress panel and stop the cycle timer.
    virtual void OnStart() {}
    // Progress steps 5, 10, 25, 45, 60, 70, 85, 90, 95, 100.
    virtual void OnProgress(int /*percent*/) {}
    // One validation message of an object's apply, in the order they come.
    virtual void OnMessage(const std::string& /*text*/) {}
    // A warning about the file (see LoadWarning), once the file is read and
    // before the diagram is redrawn.
    virtual void OnWarning(const LoadWarning& /*warning*/) {}
    // The variable table was read or set to its defaults.
    virtual void OnUpdateVariableList() {}
    // Recorder n or animated text n has read its record and applied it.
    virtual void OnApplyRecorder(int /*n*/) {}
    virtual void OnApplyText(int /*n*/) {}
    // The project is complete: redraw the diagram (UpdateDiagram).
    virtual void OnUpdateDiagram() {}
    // The load is over, with or without success: hide the progress panel
    // and restart the cycle timer.
    virtual void OnFinish(bool /*sucesso*/) {}
};

struct LoadOptions {
    // An example: its picture lies in the project file's folder.
    bool example = false;
    LoadObserver* observer = nullptr;
};

struct LoadResult {
    bool ok = false;
    // What stopped the load (file, line and text found), in the project's
    // interface language; empty after a successful load.
    std::string error;
    // Warnings of a successful load; none after a failed one.
    std::vector<LoadWarning> warnings;
    // The objects' validation messages, in order.
    std::vector<std::string> messages;
    // Where the background picture is looked for.
    std::filesystem::path imagePath;
};

// Reads a project file into the project. The whole file is first read into a
// scratch project: a file that cannot be opened or that holds a malformed
// value stops the load there, and the project is left exactly as it was.
// Only a file that reads through is then loaded into the project, which adds
// to what the project holds (the caller resets it first for a clean load)
// and ends marked as saved.
LoadResult ReadProject(Project& project, const std::filesystem::path& path, const LoadOptions& options = {});
// The same from the file's bytes; fileName names it in messages and gives
// the title when the file has none.
LoadResult ReadProjectBytes(Project& project, std::string_view bytes, const std::string& fileName,
                              const LoadOptions& options = {});

struct SaveResult {
    bool ok = false;
    std::string error;  // in the project's interface language
    // Characters the file's code page cannot hold, written as "?".
    std::size_t unrepresentable = 0;
};

// The project's lines, in the file's order (UTF-8).
std::vector<std::string> ProjectLines(const Project& project);
// Writes the project to path as WriteFile writes a file: the whole text
// is made in memory first, and the file keeps its mode, owner and links. On
// failure the previous file is left untouched, except where only an in-place
// rewrite was possible, which the message then says.
SaveResult SaveProject(const Project& project, const std::filesystem::path& path);

}  // namespace kivo
