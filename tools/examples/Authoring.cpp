#include "Authoring.h"

#include <algorithm>
#include <cmath>
#include <fstream>

#include "core/NumberText.h"
#include "project/ProjectFile.h"
#include "project/TextFile.h"
#include "project/FileWriter.h"
#include "core/Record.h"

namespace kivo::examples {
namespace {

// A number as the variable table and the fields hold it: two decimals,
// trailing zeros kept, as the variable list writes them.
std::string Number(double v) { return FormatFixed(v, 1, 2); }

// Marker visible at p.
Marker MarkerAt(Point p) {
    return Marker{"", static_cast<int>(p.x), static_cast<int>(p.y), true};
}

}  // namespace

std::string Ref(int address) { return "M" + TwoDigits(address); }

Author::Author(const Plant& plant) : canvas(kImageWidth, kImageHeight, palette::kBackground) {
    p.title = plant.title;
    p.image = std::filesystem::path(plant.file).replace_extension(".bmp").string();
    p.commentsVisible = true;
    // The authoring collects the messages itself (Apply).
    p.messageSink = nullptr;
}

void Author::Variable(int k, const std::string& unit, double min, double max) {
    Memory& m = p.sim.mem;
    m.setUnit(k, unit);
    m.setEuMin(k, Number(min));
    m.setEuMax(k, Number(max));
    m.setLowAlarm(k, Number(min));
    m.setHighAlarm(k, Number(max));
}

void Author::Bounds(int k, double lowAlarm, double highAlarm) {
    p.sim.mem.setLowAlarm(k, Number(lowAlarm));
    p.sim.mem.setHighAlarm(k, Number(highAlarm));
}

Controller& Author::PidController(int n, const std::string& tag, const std::string& desc, int pv, Point marker) {
    Controller& c = p.CreateController(n);
    c.TagText = tag;
    c.Description = desc;
    c.VariableSelect = pv - 1;
    p.markers.controllers[n - 1] = MarkerAt(marker);
    return c;
}

Process& Author::ProcessBlock(int n, const std::string& tag, const std::string& desc, int entry, Point marker) {
    Process& pr = p.CreateProcess(n);
    pr.TagText = tag;
    pr.DescriptionText = desc;
    pr.InputSelect = entry - 1;
    p.markers.processes[n - 1] = MarkerAt(marker);
    return pr;
}

Block& Author::CalculationBlock(int n, const std::string& tag, const std::string& desc, const std::string& function,
                     Point marker) {
    Block& b = p.CreateBlock(n);
    b.TagText = tag;
    b.DescriptionText = desc;
    b.FunctionText = function;
    p.markers.blocks[n - 1] = MarkerAt(marker);
    return b;
}

TextData& Author::Text(int n, const std::string& desc, int k, int decimals, Point pos) {
    TextData& t = p.CreateText(n);
    const TableEntry& e = p.sim.mem.entry(k);
    t.DescriptionText = desc;
    t.Kind = 0;
    t.VariableSelect = k - 1;
    t.DecimalPlaces = decimals;
    // What the text's apply would take from the variable table.
    t.Unit = e.unit;
    t.RangeMaxText = e.euMax;
    t.RangeMinText = k <= 10 ? "0.00" : e.euMin;
    p.markers.texts[n - 1] = MarkerAt(pos);
    return t;
}

TextData& Author::BinaryText(int n, const std::string& desc, int k, const std::string& texts, Point pos) {
    TextData& t = p.CreateText(n);
    t.DescriptionText = desc;
    t.Kind = 1;
    t.VariableSelect = k - 1;
    t.FunctionText = texts;
    p.markers.texts[n - 1] = MarkerAt(pos);
    return t;
}

RecorderData& Author::Recorder(int n, const std::string& tag, const std::string& desc, int v1, int v2, int v3,
                                     const std::string& names, Point marker, int base) {
    RecorderData& r = p.CreateRecorder(n);
    r.TagText = tag;
    r.DescriptionText = desc;
    // The lists of variables 2 and 3 end with "Nenhum" (none).
    const int none = RecorderData::kVariable23Items - 1;
    r.Variable1Select = v1 - 1;
    r.Variable2Select = v2 > 0 ? v2 - 1 : none;
    r.Variable3Select = v3 > 0 ? v3 - 1 : none;
    // Curve names separated by ";".
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t pos; (pos = names.find(';', start)) != std::string::npos; start = pos + 1)
        parts.push_back(names.substr(start, pos - start));
    parts.push_back(names.substr(start));
    parts.resize(3);
    r.Curve1Name = parts[0];
    r.Curve2Name = parts[1];
    r.Curve3Name = parts[2];
    r.TimeBaseBox = base;
    p.markers.recorders[n - 1] = MarkerAt(marker);
    return r;
}

GeneratorRow& Author::Generator(int g, int kind, const std::string& desc, const std::string& min, const std::string& max,
                             const std::string& value) {
    GeneratorRow& l = p.generators.line(g);
    l.Kind = kind;
    l.Desc = desc;
    if (g <= Generators::kLastDynamic) {
        l.Min = min;
        l.Max = max;
    } else {
        l.Min = l.Max = "/";
    }
    l.Value = value;
    return l;
}

Track& Author::Entry(int n, const std::string& label, const std::string& unit, double min, double max,
                      double value, Point pos) {
    Track& t = p.tracks[n - 1];
    t.enabled = true;
    t.label = label;
    t.left = static_cast<int>(pos.x);
    t.top = static_cast<int>(pos.y);
    t.sliderShown = true;
    Variable(14 + n, unit, min, max);
    p.sim.mem.setDescription(14 + n, label);
    p.sim.mem[14 + n] = (value - min) * 100 / (max - min);
    return t;
}

kivo::Switch& Author::ToggleSwitch(int n, int orientation, double value, Point pos) {
    kivo::Switch& c = p.switches[n - 1];
    c.enabled = true;
    c.orientation = orientation;
    c.left = static_cast<int>(pos.x);
    c.top = static_cast<int>(pos.y);
    p.sim.mem[10 + n] = value;
    return c;
}

kivo::Button& Author::CommandButton(int b, const std::string& desc, const std::string& text0, const std::string& text1,
                                 Point panel) {
    kivo::Button& button = p.buttons[b - 1];
    button.enabled = true;
    button.description = desc;
    button.zeroText = text0;
    button.oneText = text1;
    p.panel = CommandPanel{static_cast<int>(panel.y), static_cast<int>(panel.x)};
    p.sim.mem[96 + b] = 0;
    return button;
}

void Author::Comments(const std::vector<std::string>& pt, const std::vector<std::string>& en) {
    p.comments = pt;
    en_ = en;
}

std::vector<std::string> Author::Apply() {
    std::vector<std::string> msgs;
    auto collector = [&msgs](const std::string& m) { msgs.push_back(m); };
    p.generators.ApplyParameters();
    for (int n = 1; n <= 24; ++n)
        if (Process* pr = p.process(n)) {
            pr->messages = collector;
            pr->ValidateParameters(true);
        }
    for (int n = 1; n <= 24; ++n)
        if (Block* b = p.block(n)) {
            b->messages = collector;
            b->ValidateParameters(true);
        }
    for (int n = 1; n <= 10; ++n)
        if (Controller* c = p.controller(n)) {
            c->messages = collector;
            c->ValidateParameters(true);
        }
    return msgs;
}

void Author::Run(double seconds) {
    const double T = 0.1;
    // The plant is written at the moment it stops, and a file holds one
    // instant: a loop that cycles by design (a sticking valve) must not be
    // caught at a peak, or the PV it is opened with lies away from where it
    // then runs. So the last minute is recorded, and the run goes on, cycle
    // by cycle, until every PV is back at its mean of the last minute. A
    // plant at rest stops at once.
    constexpr long long kMinute = 600;   // cycles
    constexpr double kTolerance = 0.25;  // % of span
    constexpr long long kMaxExtraCycles = 6000;
    std::vector<const Controller*> loops;
    for (int n = 1; n <= 10; ++n)
        if (const Controller* c = p.controller(n)) loops.push_back(c);
    std::vector<std::vector<double>> pv(loops.size());
    auto recordPv = [&](long long) {
        for (std::size_t i = 0; i < loops.size(); ++i) pv[i].push_back(p.sim.mem[loops[i]->pvAddress()]);
        return true;
    };
    auto awayFromMean = [&] {
        for (const std::vector<double>& v : pv) {
            double sum = 0;
            for (std::size_t k = v.size() - kMinute; k < v.size(); ++k) sum += v[k];
            if (std::fabs(v.back() - sum / kMinute) > kTolerance) return true;
        }
        return false;
    };
    const long long cycles = static_cast<long long>(seconds / T + 0.5);
    p.sim.RunWithoutDisplay(
        cycles - kMinute, T, [](long long) {}, [](long long) { return true; });
    p.sim.RunWithoutDisplay(kMinute, T, [](long long) {}, recordPv);
    for (long long extra = 0; extra < kMaxExtraCycles && awayFromMean(); ++extra)
        p.sim.RunWithoutDisplay(1, T, [](long long) {}, recordPv);
}

Controller& Loop(Author& a, int n, const std::string& tag, const std::string& desc, int pv, Point marker,
                 const char* kc, const char* ti, bool reverse, double sp, double mv) {
    Controller& c = a.PidController(n, tag, desc, pv, marker);
    c.KpText = kc;
    c.KiText = ti;
    c.KdText = "0";
    c.ActionGroup = reverse ? 0 : 1;
    c.state.autoMode = true;
    c.state.SP = sp;
    c.state.MV = mv;
    return c;
}

void RemoteSetpoint(Controller& c, int address, bool local) {
    c.CheckSPR = true;
    c.SPRSelect = address - 1;
    c.state.localMode = local;
}

std::string Write(Author& a, const Plant& plant, const std::filesystem::path& dir) {
    namespace fs = std::filesystem;
    const fs::path folder = dir / plant.folder;
    fs::create_directories(folder);

    a.p.UpdateCaptions();
    std::vector<std::string> lines = ProjectLines(a.p);
    // The writer fills the block of the language shown; the English block
    // is filled here.
    const auto english = std::find(lines.begin(), lines.end(), "<BEGIN_COMMENTS>");
    if (english == lines.end()) return "no English comment block";
    lines.insert(english + 1, a.englishComments().begin(), a.englishComments().end());
    std::size_t unrepresentable = 0;
    const std::string bytes = JoinLines(lines, &unrepresentable);
    if (unrepresentable != 0) return std::to_string(unrepresentable) + " characters outside Windows-1252";
    WriteFile(folder / plant.file, bytes);

    const Image img = a.canvas.Final();
    img.WriteBmp(folder / a.p.image);
    const fs::path base = fs::path(plant.file).stem();
    img.Downscaled(kThumbnailWidth, kThumbnailHeight).WriteBmp(folder / (base.string() + "_thumb.bmp"));

    for (bool inEnglish : {false, true}) {
        Project loaded(inEnglish);
        const LoadResult r = ReadProject(loaded, folder / plant.file, LoadOptions{true, nullptr});
        if (!r.ok) return r.error;
        if (!r.messages.empty()) return r.messages.front();
        if (loaded.comments.empty()) return inEnglish ? "English comments missing" : "Portuguese comments missing";
    }
    return {};
}


void WritePreview(const Author& a, const std::filesystem::path& file) {
    Image img = a.canvas.Final();
    Canvas t(img.width, img.height, palette::kBackground, 1);
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) t.Rectangle(x, y, 1, 1, img.Pixel(x, y));
    auto frame = [&t](const Marker& m, double w, double h, Colour c) {
        if (m.shown) t.Frame(m.left, m.top, w, h, 1.5, c);
    };
    const Project& p = a.p;
    for (int n = 1; n <= 10; ++n) {
        if (p.controller(n)) frame(p.markers.controllers[n - 1], kMarkerWidth, kMarkerHeight, {0, 0, 255});
        if (p.recorder(n)) frame(p.markers.recorders[n - 1], kMarkerWidth, kMarkerHeight, {0, 160, 0});
    }
    for (int n = 1; n <= 24; ++n) {
        if (p.process(n)) frame(p.markers.processes[n - 1], kMarkerWidth, kMarkerHeight, {90, 90, 90});
        if (p.block(n)) frame(p.markers.blocks[n - 1], kMarkerWidth, kMarkerHeight, {160, 0, 160});
    }
    for (int n = 1; n <= 20; ++n) {
        const TextData* d = p.text(n);
        if (!d) continue;
        const Marker& m = p.markers.texts[n - 1];
        const std::string desc = std::string(PairText(d->DescriptionText, false));
        t.Frame(m.left, m.top - 13, 7.0 * static_cast<double>(NumCharacters(desc)), 13, 1, {230, 120, 0});
        t.Frame(m.left, m.top, 80, 15, 1.5, {230, 120, 0});
    }
    for (int n = 0; n < Project::kTracks; ++n) {
        const Track& tr = p.tracks[n];
        if (!tr.enabled) continue;
        const std::size_t len = NumCharacters(PairText(tr.label, false));
        t.Frame(tr.left, tr.top, len > 6 ? 75 + 7.0 * static_cast<double>(len) : 117, 60, 1.5, {200, 0, 0});
    }
    for (const kivo::Switch& c : p.switches)
        if (c.enabled) t.Frame(c.left, c.top, 40, 40, 1.5, {200, 0, 0});
    int buttons = 0;
    for (const kivo::Button& b : p.buttons) buttons += b.enabled ? 1 : 0;
    if (buttons > 0) t.Frame(p.panel.left, p.panel.top, 150, 20 + 50.0 * buttons, 1.5, {200, 0, 0});
    t.Final().WriteBmp(file);
}

}  // namespace kivo::examples
