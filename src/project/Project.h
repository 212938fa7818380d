#pragma once
// The project: everything a project file holds, as plain data the windows
// observe and edit, together with the simulation it drives. Objects are
// created in their slots through the Create* operations, which give them their
// numbers and the project's message sink.
#include <array>
#include <string>
#include <vector>

#include "core/Cycle.h"
#include "core/Record.h"
#include "objects/Blocks.h"
#include "objects/Controller.h"
#include "objects/Linearizer.h"
#include "objects/Messages.h"
#include "objects/Generators.h"
#include "objects/Process.h"
#include "project/RecorderData.h"
#include "project/TextData.h"
#include "project/Widgets.h"

namespace kivo {

// Keys of the language pairs that stand outside the object records.
inline constexpr std::string_view kTitleKey = "titulo";
inline std::string TrackKey(int n) { return "track" + std::to_string(n); }
inline std::string ButtonKey(int b, const char* field) { return "botao" + std::to_string(b) + "/" + field; }

struct Markers {
    std::array<Marker, 10> controllers;
    std::array<Marker, 24> processes;
    std::array<Marker, 24> blocks;
    std::array<Marker, 10> recorders;
    std::array<Marker, 20> texts;  // place of the value label
};

class Project {
public:
    static constexpr int kTracks = 6;
    static constexpr int kShapes = 5;
    static constexpr int kSwitches = 2;
    static constexpr int kButtons = 3;

    // english: the interface language flag, which decides the language pairs
    // read and the comment block written.
    explicit Project(bool english = false);
    Project(const Project&) = delete;
    Project& operator=(const Project&) = delete;

    Simulation sim;
    Generators generators;
    Linearizer linearizer;

    bool english;
    std::string title;
    std::string image;  // background picture, bare file name
    std::array<Track, kTracks> tracks;
    std::array<Shape, kShapes> shapes;
    std::array<Switch, kSwitches> switches;
    CommandPanel panel;
    std::array<Button, kButtons> buttons;
    Markers markers;
    bool commentsVisible = false;
    std::vector<std::string> comments;               // panel lines, current language
    std::vector<std::string> otherLanguageComments;  // the other block, kept
    // Both languages of every language pair the file held (see LanguagePairs).
    LanguagePairs pairs;
    bool saved = true;
    // Where the objects' validation messages go outside a load.
    MessageSink messageSink;

    // Fill slot n (creating the object anew when the slot is already filled),
    // set its active flag and give the object its number.
    Controller& CreateController(int n);
    Process& CreateProcess(int n);
    Block& CreateBlock(int n);
    RecorderData& CreateRecorder(int n);
    TextData& CreateText(int n);

    // The object in slot n, or nullptr when the slot is empty.
    Controller* controller(int n) const { return sim.controllers.as<Controller>(n); }
    Process* process(int n) const { return sim.processes.as<Process>(n); }
    Block* block(int n) const { return sim.blocks.as<Block>(n); }
    RecorderData* recorder(int n) const { return sim.recorders.as<RecorderData>(n); }
    TextData* text(int n) const { return sim.texts.as<TextData>(n); }

    // The project reset, as far as the project's data goes: comments,
    // variable memory and table, generator bank, every slot, the widgets and
    // markers back to their places, title, picture and linearizer settings.
    void ClearProject();

    // The markers' captions become their objects' tags, as the diagram
    // refresh shows them.
    void UpdateCaptions();

private:
    void SetWidgetDefaults();
};

}  // namespace kivo
