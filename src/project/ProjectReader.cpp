// ReadProject: the project read back in the order of the file's sections.
#include <algorithm>
#include <array>
#include <memory>
#include <new>

#include "core/NumberText.h"
#include "core/Record.h"
#include "project/ProjectFile.h"
#include "project/TextFile.h"

namespace kivo {
namespace {

constexpr std::string_view kTableMarker = "<<<Unidades Engenharia>>>";
constexpr std::string_view kTracksMarker = "<<Tracks>>";

// One pass over the lines into one project. Observer and messages are those
// of the load proper; the checking pass runs without them.
class Load {
public:
    Load(Project& p, LineReader& r, LoadObserver* obs, std::vector<std::string>* messages)
        : p_(p), r_(r), obs_(obs), messages_(messages) {}

    void Run(const std::string& fileName);
    // The file held everything up to its last line, "<END_COMMENTS>".
    bool Complete() const { return complete_; }

private:
    void ReportProgress(int pct) {
        if (obs_) obs_->OnProgress(pct);
    }
    void Header(const std::string& fileName);
    void TableAndTracks();
    void TableRow(int k, std::string_view line);
    void ReadTrack(int n);
    template <int N>
    std::array<bool, N> Flags();
    void Objects();
    template <class T>
    void Validate(T& obj);
    void Coordinates();
    void Widgets();
    void Comments();
    void ComputedOutputs();

    Project& p_;
    LineReader& r_;
    LoadObserver* obs_;
    std::vector<std::string>* messages_;
    std::array<bool, 10> controllers_{};
    std::array<bool, 24> processes_{};
    std::array<bool, 24> blocks_{};
    std::array<bool, 10> recorders_{};
    std::array<bool, 20> texts_{};
    bool complete_ = false;
};

// The file name without folder and extension; both separators count, as
// example paths are written with "\".
std::string FileStem(const std::string& path) {
    const std::size_t bar = path.find_last_of("/\\");
    std::string name = bar == std::string::npos ? path : path.substr(bar + 1);
    const std::size_t point = name.rfind('.');
    if (point != std::string::npos && point > 0) name.erase(point);
    return name;
}

void Load::Header(const std::string& fileName) {
    p_.title = r_.Pair(0, kTitleKey);
    if (p_.title.empty()) p_.title = FileStem(fileName);
    p_.image = r_.Text();
}

// "M" + two digits + ":" and then unit, UE min, UE max, LIE and LSE, each
// ended by ";". A field without its ";" is missing; missing or empty range
// and limit fields take their defaults, the unit may stay empty.
void Load::TableRow(int k, std::string_view line) {
    static constexpr const char* kDefaults[] = {"0.00", "100.00", "0.00", "100.00"};
    std::string_view rest = AfterCharacters(line, 4);
    std::string fields[5];
    for (int i = 0; i < 5; ++i) {
        const std::size_t semicolon = rest.find(';');
        if (semicolon == std::string_view::npos) break;
        fields[i] = std::string(rest.substr(0, semicolon));
        rest.remove_prefix(semicolon + 1);
    }
    for (int i = 1; i < 5; ++i)
        if (fields[i].empty()) fields[i] = kDefaults[i - 1];
    Memory& mem = p_.sim.mem;
    mem.setUnit(k, fields[0]);
    mem.setEuMin(k, fields[1]);
    mem.setEuMax(k, fields[2]);
    mem.setLowAlarm(k, fields[3]);
    mem.setHighAlarm(k, fields[4]);
}

void Load::ReadTrack(int n) {
    Track& t = p_.tracks[n - 1];
    t.enabled = r_.UpperCaseFlag();
    t.label = r_.Pair(0, TrackKey(n));
    t.top = r_.StrictInteger();
    t.left = r_.StrictInteger();
    // The slider and the entry box take 0..100 % only.
    p_.sim.mem[14 + n] = std::clamp(r_.Real(), 0.0, 100.0);
    t.sliderShown = r_.UpperCaseFlag();
    p_.sim.mem.setDescription(14 + n, t.label);
}

// The variable table and the tracks are optional: each is recognised by its
// marker, and a line that is neither marker is the controllers' marker.
void Load::TableAndTracks() {
    std::string line = r_.NextLine();
    if (line == kTableMarker) {
        for (int k = 15; k <= 96; ++k) TableRow(k, r_.NextLine());
        line = r_.NextLine();
    } else {
        Memory& mem = p_.sim.mem;
        for (int k = 15; k <= 96; ++k) {
            mem.setUnit(k, "%");
            mem.setEuMin(k, "0.00");
            mem.setEuMax(k, "100.00");
            mem.setLowAlarm(k, "0.00");
            mem.setHighAlarm(k, "100.00");
        }
    }
    if (obs_) obs_->OnUpdateVariableList();
    if (line == kTracksMarker) {
        for (int n = 1; n <= Project::kTracks; ++n) ReadTrack(n);
        r_.NextLine();  // the controllers' marker
    }
}

template <int N>
std::array<bool, N> Load::Flags() {
    std::array<bool, N> f{};
    for (auto& b : f) b = r_.MixedCaseFlag();
    return f;
}

// Messages of the apply go to the load's list (and the observer) while it
// runs; afterwards the object reports to the project's own sink.
template <class T>
void Load::Validate(T& obj) {
    if (messages_) {
        obj.messages = [this](const std::string& m) {
            messages_->push_back(m);
            if (obs_) obs_->OnMessage(m);
        };
    }
    obj.ValidateParameters(true);
    obj.messages = p_.messageSink;
}

// Only the slots the file flags have records, so only they are read, even
// when the project already holds objects in other slots.
void Load::Objects() {
    controllers_ = Flags<10>();
    for (int n = 1; n <= 10; ++n)
        if (controllers_[n - 1]) p_.CreateController(n);
    for (int n = 1; n <= 10; ++n) {
        if (!controllers_[n - 1]) continue;
        Controller& c = *p_.controller(n);
        c.ReadParameters(r_);
        Validate(c);
    }
    ReportProgress(25);

    r_.NextLine();  // "<Process>"
    processes_ = Flags<24>();
    for (int n = 1; n <= 24; ++n)
        if (processes_[n - 1]) p_.CreateProcess(n);
    for (int n = 1; n <= 24; ++n) {
        if (!processes_[n - 1]) continue;
        Process& pr = *p_.process(n);
        pr.ReadParameters(r_);
        Validate(pr);
    }
    ReportProgress(45);

    r_.NextLine();  // "<Blocs>"
    blocks_ = Flags<24>();
    for (int n = 1; n <= 24; ++n)
        if (blocks_[n - 1]) p_.CreateBlock(n);
    for (int n = 1; n <= 24; ++n) {
        if (!blocks_[n - 1]) continue;
        Block& b = *p_.block(n);
        b.ReadParameters(r_);
        Validate(b);
    }
    ReportProgress(60);

    r_.NextLine();  // "<Registers>"
    recorders_ = Flags<10>();
    for (int n = 1; n <= 10; ++n)
        if (recorders_[n - 1]) p_.CreateRecorder(n);
    for (int n = 1; n <= 10; ++n) {
        if (!recorders_[n - 1]) continue;
        p_.recorder(n)->ReadParameters(r_);
        p_.recorder(n)->UpdateRecorder();
        if (obs_) obs_->OnApplyRecorder(n);
    }
    ReportProgress(70);

    r_.NextLine();  // "<Textos Animados>"
    texts_ = Flags<20>();
    for (int n = 1; n <= 20; ++n)
        if (texts_[n - 1]) p_.CreateText(n);
    for (int n = 1; n <= 20; ++n) {
        if (!texts_[n - 1]) continue;
        p_.text(n)->ReadParameters(r_);
        p_.text(n)->ValidateParameters();
        if (obs_) obs_->OnApplyText(n);
    }
    ReportProgress(85);
}

void Load::Coordinates() {
    Markers& m = p_.markers;
    auto group = [this](Marker& marker, bool topFirst) {
        marker.caption = r_.Text();
        const int a = r_.LenientInteger();
        const int b = r_.LenientInteger();
        marker.top = topFirst ? a : b;
        marker.left = topFirst ? b : a;
        marker.shown = r_.MixedCaseFlag();
    };
    r_.NextLine();  // "=====<<<COORDENADAS>>>====="
    for (int n = 1; n <= 10; ++n)
        if (controllers_[n - 1]) group(m.controllers[n - 1], true);
    for (int n = 1; n <= 24; ++n)
        if (processes_[n - 1]) group(m.processes[n - 1], false);
    for (int n = 1; n <= 10; ++n)
        if (recorders_[n - 1]) group(m.recorders[n - 1], false);
    for (int n = 1; n <= 24; ++n) {
        if (blocks_[n - 1]) group(m.blocks[n - 1], false);
        // Reported at this place whether or not block 9 exists, so that the
        // progress always passes through every step.
        if (n == 9) ReportProgress(90);
    }
    for (int n = 1; n <= 20; ++n) {
        if (!texts_[n - 1]) continue;
        Marker& marker = m.texts[n - 1];
        marker.top = r_.LenientInteger();
        marker.left = r_.LenientInteger();
        marker.shown = r_.MixedCaseFlag();
    }
}

// Switches and buttons hold 0 or 1, and the load shows the picture of 1
// for exactly 1: any other value in a file becomes 0, so that the value
// agrees with the picture.
double OneOrZero(double v) { return v == 1.0 ? 1.0 : 0.0; }

void Load::Widgets() {
    for (Shape& f : p_.shapes) {
        f.baseTop = r_.LenientInteger();
        f.left = r_.LenientInteger();
        f.enabled = r_.UpperCaseFlag();
        f.kind = IndexInList(r_.LenientInteger(), Shape::kKindItems);
        f.variable = IndexInList(r_.LenientInteger(), Shape::kVariableItems);
        // The size selectors run from 0 to 300.
        f.height = std::clamp(r_.LenientInteger(), 0, Shape::kMaxSize);
        f.width = std::clamp(r_.LenientInteger(), 0, Shape::kMaxSize);
        f.colour1 = r_.Colour();
        f.colour2 = r_.Colour();
    }
    for (int c = 0; c < Project::kSwitches; ++c) {
        Switch& ch = p_.switches[c];
        ch.top = r_.LenientInteger();
        ch.left = r_.LenientInteger();
        ch.enabled = r_.UpperCaseFlag();
        ch.orientation = IndexInList(r_.LenientInteger(), Switch::kOrientationItems);
        p_.sim.mem[11 + c] = OneOrZero(r_.Real());
    }
    p_.panel.top = r_.LenientInteger();
    p_.panel.left = r_.LenientInteger();
    for (int b = 0; b < Project::kButtons; ++b) {
        Button& button = p_.buttons[b];
        button.enabled = r_.UpperCaseFlag();
        button.zeroText = r_.Pair(0, ButtonKey(b, "zero"));
        button.oneText = r_.Pair(0, ButtonKey(b, "um"));
        button.description = r_.Pair(0, ButtonKey(b, "descricao"));
        p_.sim.mem[97 + b] = OneOrZero(r_.Real());
        if (b == 1) ReportProgress(100);
    }
}

// The markers are not compared; a block ends at its closing marker or at
// the end of the file, whichever comes first. The block of the interface
// language reaches the panel; the other is kept for the save.
void Load::Comments() {
    const bool english = p_.english;
    r_.NextLine();  // "<INICIO_COMENTARIOS>"
    for (std::string l = r_.NextLine(); l != "<FIM_COMENTARIOS>" && !r_.PastEnd(); l = r_.NextLine())
        (english ? p_.otherLanguageComments : p_.comments).push_back(l);
    r_.NextLine();  // "<BEGIN_COMMENTS>"
    for (std::string l = r_.NextLine(); l != "<END_COMMENTS>" && !r_.PastEnd(); l = r_.NextLine())
        (english ? p_.comments : p_.otherLanguageComments).push_back(l);
    complete_ = !r_.PastEnd();
}

// The blocks and the linearizer hold no state: at rest their outputs are
// what their formulas give from the memory. Computed here from the loaded
// memory, in the order of the cycle, they are in the memory before the first
// tick, when the processes read them. In the cycle a block that reads a later
// block or the linearizer sees that output one tick old, which at rest is
// the same value; so the passes repeat while an output still changes, which
// settles any chain of them. Nothing else is stepped: the generators, the
// processes and the controllers keep the state the file gave them. A loop
// through the outputs themselves (a filter or an integral typed as a formula)
// is a state the file does not hold: the passes stop at a bound, taking a
// filter that many steps toward its rest, and the loop goes on from there.
void Load::ComputedOutputs() {
    Simulation& sim = p_.sim;
    // The longest chain (24 blocks and the linearizer), and a pass that
    // finds nothing changed.
    constexpr int kSteps = 24 + 1 + 1;
    std::array<double, kNumVariables + 1> before{};
    for (int oneStep = 0; oneStep < kSteps; ++oneStep) {
        for (int k = 1; k <= kNumVariables; ++k) before[static_cast<std::size_t>(k)] = sim.mem[k];
        sim.blocks.StepActive();
        if (sim.linearizerActive && sim.linearizer) sim.linearizer->ComputeCycle();
        bool changed = false;
        for (int k = 1; k <= kNumVariables && !changed; ++k) changed = !(sim.mem[k] == before[static_cast<std::size_t>(k)]);
        if (!changed) return;
    }
}

void Load::Run(const std::string& fileName) {
    ReportProgress(5);
    Header(fileName);
    TableAndTracks();
    ReportProgress(10);
    Objects();
    Coordinates();
    for (int i = 0; i < 19 + 3; ++i) r_.NextLine();  // the XY block and the three "vago"
    ReportProgress(95);
    p_.generators.ReadParameters(r_);
    Widgets();
    p_.linearizer.ReadParameters(r_);
    p_.commentsVisible = r_.UpperCaseFlag();
    Comments();
    ComputedOutputs();
    p_.UpdateCaptions();
}

LoadWarning EarlyEndWarning(const std::string& fileName, std::size_t lines, bool english) {
    const std::string n = std::to_string(lines);
    const std::string name = "\"" + fileName + "\"";
    LoadWarning a;
    a.line = static_cast<int>(lines);
    a.text = english ? name + " ends at line " + n +
                           ", before the end of the project: what is missing was read as empty. Saving the "
                           "project would replace the file with what was read."
                     : name + " termina na linha " + n +
                           ", antes do fim do projeto: o que falta foi lido como vazio. Salvar o projeto "
                           "substituiria o arquivo pelo que foi lido.";
    return a;
}

std::filesystem::path ImagePath(const Project& p, const std::string& fileName, bool example) {
    if (!example) return std::filesystem::path(p.image);
    return std::filesystem::path(fileName).parent_path() / p.image;
}

}  // namespace

LoadResult ReadProjectBytes(Project& project, std::string_view bytes, const std::string& fileName,
                              const LoadOptions& options) {
    LoadResult res;
    LoadObserver* obs = options.observer;
    if (obs) obs->OnStart();
    try {
        const std::vector<std::string> lines = SplitLines(bytes);
        // The checking pass: a malformed value stops the load here, before
        // anything of the project has changed.
        {
            auto scratch = std::make_unique<Project>(project.english);
            LineReader r(lines, fileName, project.english);
            Load(*scratch, r, nullptr, nullptr).Run(fileName);
        }
        LineReader r(lines, fileName, project.english);
        r.KeepPairs(&project.pairs);
        Load load(project, r, obs, &res.messages);
        load.Run(fileName);
        // A file that ends early reads as one whose missing lines are empty,
        // as far as no strict value falls among them.
        if (!load.Complete()) {
            res.warnings.push_back(EarlyEndWarning(fileName, r.numLines(), project.english));
            if (obs) obs->OnWarning(res.warnings.back());
        }
        res.imagePath = ImagePath(project, fileName, options.example);
        if (obs) obs->OnUpdateDiagram();
        project.saved = true;
        res.ok = true;
    } catch (const ReadError& e) {
        res.error = e.Message(project.english);
    } catch (const std::bad_alloc&) {
        res.error = project.english ? "Not enough memory to read the project." : "Memória insuficiente para ler o projeto.";
    }
    if (obs) obs->OnFinish(res.ok);
    return res;
}

LoadResult ReadProject(Project& project, const std::filesystem::path& path, const LoadOptions& options) {
    std::string bytes;
    try {
        bytes = ReadBytes(path);
    } catch (const FileError& e) {
        // Nothing has started yet: the timer was never stopped.
        LoadResult res;
        res.error = e.Message(project.english);
        return res;
    }
    return ReadProjectBytes(project, bytes, path.string(), options);
}

}  // namespace kivo
