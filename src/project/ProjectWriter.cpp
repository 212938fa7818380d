// SaveProject: the project written in the order of the file's sections.
#include <new>

#include "core/NumberText.h"
#include "core/Record.h"
#include "project/ProjectFile.h"
#include "project/TextFile.h"
#include "project/FileWriter.h"

namespace kivo {
namespace {

void VariableTable(const Memory& mem, LineWriter& w) {
    w.Text("<<<Unidades Engenharia>>>");
    for (int k = 15; k <= 96; ++k) {
        const TableEntry& e = mem.entry(k);
        w.Text("M" + std::to_string(k) + ":" + e.unit + ";" + e.euMin + ";" + e.euMax + ";" + e.lowAlarm + ";" + e.highAlarm +
                ";");
    }
}

void Tracks(const Project& p, LineWriter& w) {
    w.Text("<<Tracks>>");
    for (int n = 1; n <= Project::kTracks; ++n) {
        const Track& t = p.tracks[n - 1];
        w.UpperCaseFlag(t.enabled);
        w.Pair(TrackKey(n), t.label);
        w.Integer(t.top);
        w.Integer(t.left);
        w.Real(p.sim.mem[14 + n]);
        w.UpperCaseFlag(t.sliderShown);
    }
}

// A family's marker, the flag of every slot, then the record of every
// active slot.
template <class T, int N>
void WriteFamily(const char* marker, const Pool<N>& pool, LineWriter& w) {
    w.Text(marker);
    for (int n = 1; n <= N; ++n) w.MixedCaseFlag(pool.active(n));
    for (int n = 1; n <= N; ++n)
        if (pool.active(n)) pool.template as<T>(n)->SaveParameters(w);
}

// Controllers give their top before their left; the other object markers
// their left first.
void Coordinate(const Marker& m, bool topFirst, LineWriter& w) {
    w.Text(m.caption);
    w.Integer(topFirst ? m.top : m.left);
    w.Integer(topFirst ? m.left : m.top);
    w.MixedCaseFlag(m.shown);
}

void Coordinates(const Project& p, LineWriter& w) {
    const Simulation& s = p.sim;
    const Markers& m = p.markers;
    w.Text("=====<<<COORDENADAS>>>=====");
    for (int n = 1; n <= 10; ++n)
        if (s.controllers.active(n)) Coordinate(m.controllers[n - 1], true, w);
    for (int n = 1; n <= 24; ++n)
        if (s.processes.active(n)) Coordinate(m.processes[n - 1], false, w);
    for (int n = 1; n <= 10; ++n)
        if (s.recorders.active(n)) Coordinate(m.recorders[n - 1], false, w);
    for (int n = 1; n <= 24; ++n)
        if (s.blocks.active(n)) Coordinate(m.blocks[n - 1], false, w);
    for (int n = 1; n <= 20; ++n) {
        if (!s.texts.active(n)) continue;
        w.Integer(m.texts[n - 1].top);
        w.Integer(m.texts[n - 1].left);
        w.MixedCaseFlag(m.texts[n - 1].shown);
    }
}

// The XY recorder keeps nothing in the project: its block is a header and
// 18 empty key lines.
void XYRecorderSection(LineWriter& w) {
    w.Text("=====<<<REGISTRADOR XY>>>=====");
    for (int kk = 1; kk <= 18; ++kk) w.Text("{X/" + TwoDigits(kk) + "} ");
}

void Widgets(const Project& p, LineWriter& w) {
    for (const Shape& f : p.shapes) {
        w.Integer(f.baseTop);
        w.Integer(f.left);
        w.UpperCaseFlag(f.enabled);
        w.Integer(f.kind);
        w.Integer(f.variable);
        w.Integer(f.height);
        w.Integer(f.width);
        w.Colour(f.colour1);
        w.Colour(f.colour2);
    }
    for (int c = 0; c < Project::kSwitches; ++c) {
        const Switch& ch = p.switches[c];
        w.Integer(ch.top);
        w.Integer(ch.left);
        w.UpperCaseFlag(ch.enabled);
        w.Integer(ch.orientation);
        w.Fixed(p.sim.mem[11 + c], 1, 0);
    }
    w.Integer(p.panel.top);
    w.Integer(p.panel.left);
    for (int b = 0; b < Project::kButtons; ++b) {
        const Button& button = p.buttons[b];
        w.UpperCaseFlag(button.enabled);
        w.Pair(ButtonKey(b, "zero"), button.zeroText);
        w.Pair(ButtonKey(b, "um"), button.oneText);
        w.Pair(ButtonKey(b, "descricao"), button.description);
        w.Fixed(p.sim.mem[97 + b], 1, 0);
    }
}

// The panel's lines go to the block of the language shown; the other block
// keeps what the file held.
void Comments(const Project& p, LineWriter& w) {
    w.UpperCaseFlag(p.commentsVisible);
    const auto& pt = p.english ? p.otherLanguageComments : p.comments;
    const auto& en = p.english ? p.comments : p.otherLanguageComments;
    w.Text("<INICIO_COMENTARIOS>");
    for (const auto& l : pt) w.Text(l);
    w.Text("<FIM_COMENTARIOS>");
    w.Text("<BEGIN_COMMENTS>");
    for (const auto& l : en) w.Text(l);
    w.Text("<END_COMMENTS>");
}

}  // namespace

std::vector<std::string> ProjectLines(const Project& p) {
    LineWriter w;
    w.UsePairs(&p.pairs, p.english);
    w.Pair(kTitleKey, p.title);
    w.Text(p.image);
    VariableTable(p.sim.mem, w);
    Tracks(p, w);
    WriteFamily<Controller>("<Controls>", p.sim.controllers, w);
    WriteFamily<Process>("<Process>", p.sim.processes, w);
    WriteFamily<Block>("<Blocs>", p.sim.blocks, w);
    WriteFamily<RecorderData>("<Registers>", p.sim.recorders, w);
    WriteFamily<TextData>("<Textos Animados>", p.sim.texts, w);
    Coordinates(p, w);
    XYRecorderSection(w);
    for (int i = 0; i < 3; ++i) w.Text("vago");
    p.generators.SaveParameters(w);
    Widgets(p, w);
    p.linearizer.SaveParameters(w);
    Comments(p, w);
    return w.lines();
}

SaveResult SaveProject(const Project& project, const std::filesystem::path& path) {
    SaveResult res;
    try {
        const std::string bytes = JoinLines(ProjectLines(project), &res.unrepresentable);
        WriteFile(path, bytes);
        res.ok = true;
    } catch (const FileError& e) {
        res.error = e.Message(project.english);
    } catch (const std::bad_alloc&) {
        res.error = project.english ? "Not enough memory to save the project." : "Memória insuficiente para salvar o projeto.";
    }
    return res;
}

}  // namespace kivo
