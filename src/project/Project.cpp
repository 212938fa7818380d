#include "project/Project.h"

namespace kivo {
namespace {

template <class T, int N, class... Args>
T& Fill(Pool<N>& pool, int n, const MessageSink& output, Args&&... args) {
    auto obj = std::make_unique<T>(std::forward<Args>(args)...);
    T& ref = *obj;
    if constexpr (requires { ref.messages; }) ref.messages = output;
    pool.Create(n, std::move(obj));
    return ref;
}

}  // namespace

Project::Project(bool english_) : generators(sim), linearizer(sim), english(english_) {
    sim.generators = &generators;
    sim.linearizer = &linearizer;
    SetWidgetDefaults();
}

// A slot filled anew holds a new object: the texts its predecessor read
// from the file are not its own.
Controller& Project::CreateController(int n) {
    pairs.Forget(PairContext('C', n));
    return Fill<Controller>(sim.controllers, n, messageSink, sim, n);
}
Process& Project::CreateProcess(int n) {
    pairs.Forget(PairContext('P', n));
    return Fill<Process>(sim.processes, n, messageSink, sim, n);
}
Block& Project::CreateBlock(int n) {
    pairs.Forget(PairContext('B', n));
    return Fill<Block>(sim.blocks, n, messageSink, sim, n);
}
RecorderData& Project::CreateRecorder(int n) {
    pairs.Forget(PairContext('R', n));
    return Fill<RecorderData>(sim.recorders, n, messageSink, sim.mem, n);
}
TextData& Project::CreateText(int n) {
    pairs.Forget(PairContext('T', n));
    return Fill<TextData>(sim.texts, n, messageSink, sim.mem, n);
}

// The initial places of the diagram. The object rows follow the markers'
// default places; the widgets sit in a free band below them.
void Project::SetWidgetDefaults() {
    for (int n = 1; n <= 10; ++n) {
        markers.controllers[n - 1] = Marker{"", 3 + 40 * (n - 1), 3, false};
        markers.recorders[n - 1] = Marker{"", 515 + 40 * (n - 1), 3, false};
    }
    for (int n = 1; n <= 24; ++n) {
        markers.processes[n - 1] = Marker{"", 3 + 40 * (n - 1), 39, false};
        markers.blocks[n - 1] = Marker{"", 3 + 40 * (n - 1), 63, false};
    }
    for (auto& m : markers.texts) m = Marker{"", 460, 24, false};

    for (int k = 0; k < kShapes; ++k) {
        shapes[k] = Shape{};
        shapes[k].left = 600 + 60 * k;
        shapes[k].baseTop = 120;
    }
    for (int c = 0; c < kSwitches; ++c) {
        switches[c] = Switch{};
        switches[c].left = 10 + 60 * c;
        switches[c].top = 200;
    }
    panel = CommandPanel{260, 10};
    for (int b = 0; b < kButtons; ++b) {
        const std::string m = "M" + std::to_string(97 + b);
        buttons[b] = english ? Button{false, "Text when " + m + "=0", "Text when " + m + "=1", "Description"}
                           : Button{false, "Texto para " + m + "=0", "Texto para " + m + "=1", "Descrição"};
    }
    for (int n = 0; n < kTracks; ++n) {
        tracks[n] = Track{};
        tracks[n].left = 10 + 125 * n;
        tracks[n].top = 400;
    }
}

void Project::ClearProject() {
    comments.clear();
    otherLanguageComments.clear();
    pairs.Clear();
    sim.mem.ClearProject();
    // The bank is applied (as closing its window does) and starts afresh.
    generators.ApplyParameters();
    generators.Reset();
    sim.controllers.EraseAll();
    sim.recorders.EraseAll();
    sim.processes.EraseAll();
    sim.blocks.EraseAll();
    sim.texts.EraseAll();
    SetWidgetDefaults();
    title.clear();
    // The picture name is forgotten with the picture, so that a new project
    // does not save the previous one's background.
    image.clear();
    // The linearizer's settings go back to their initial texts; its working
    // values stay until its next step recomputes them.
    const Linearizer defaultValue(sim);
    linearizer.Lin1InputAddress = defaultValue.Lin1InputAddress;
    linearizer.Lin1OutputAddress = defaultValue.Lin1OutputAddress;
    linearizer.Lin1MV = defaultValue.Lin1MV;
    linearizer.Lin1PV = defaultValue.Lin1PV;
    linearizer.SetLin1Enabled(false);
}

void Project::UpdateCaptions() {
    for (int n = 1; n <= 10; ++n) {
        if (const auto* c = controller(n)) markers.controllers[n - 1].caption = c->TagText;
        if (const auto* r = recorder(n)) markers.recorders[n - 1].caption = r->TagText;
    }
    for (int n = 1; n <= 24; ++n) {
        if (const auto* p = process(n)) markers.processes[n - 1].caption = p->TagText;
        if (const auto* b = block(n)) markers.blocks[n - 1].caption = b->TagText;
    }
}

}  // namespace kivo
