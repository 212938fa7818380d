#include "exercises/ExerciseWriter.h"

#include <charconv>
#include <cstdio>
#include <sstream>

#include "exercises/Grading.h"
#include "exercises/Submission.h"
#include "project/FileWriter.h"
#include "project/TextFile.h"

namespace kivo::exercises {
namespace {

// The shortest text that reads back as the same double.
std::string Number(double v) {
    char buffer[32];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, r.ptr);
}

// A TOML basic string. Texts with line breaks become multi-line strings,
// which a teacher can edit as they read.
std::string Quoted(const std::string& s) {
    const bool multiline = s.find('\n') != std::string::npos;
    std::string q = multiline ? "\"\"\"\n" : "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\')
            q += '\\', q += static_cast<char>(c);
        else if (c == '\n' && multiline)
            q += '\n';
        else if (c == '\t')
            q += "\\t";
        else if (c < 0x20 || c == 0x7f) {
            char code[8];
            std::snprintf(code, sizeof code, "\\u%04X", c);
            q += code;
        } else
            q += static_cast<char>(c);
    }
    return q + (multiline ? "\"\"\"" : "\"");
}

void WriteTexts(std::ostream& t, const char* table, const std::string& pt, const std::string& en) {
    t << "[" << table << "]\npt = " << Quoted(pt) << "\nen = " << Quoted(en) << "\n\n";
}

void WriteEvent(std::ostream& t, const Event& e, std::size_t number) {
    t << "\n[[scenario.event]]   # " << number << "\ntime = " << Number(e.time) << "\nkind = \"" << EventKindName(e.kind)
      << "\"\n";
    switch (e.kind) {
        case EventKind::Process:
            t << "process = " << e.process << "\nfield = " << Quoted(e.field) << "\nvalue = " << Quoted(e.text) << "\n";
            break;
        case EventKind::Memory: t << "address = " << e.address << "\nvalue = " << Number(e.value) << "\n"; break;
        case EventKind::Setpoint: t << "controller = " << e.controller << "\nstep = " << Number(e.value) << "\n"; break;
        case EventKind::Output:
        case EventKind::Bias: t << "controller = " << e.controller << "\nvalue = " << Number(e.value) << "\n"; break;
        case EventKind::Manual:
        case EventKind::Automatic:
        case EventKind::Freeze: t << "controller = " << e.controller << "\n"; break;
    }
    if (e.hidden) t << "hidden = true\n";
}

void WriteTarget(std::ostream& t, const Target& g) {
    t << "\n[[target]]\nloop = " << g.loop << "\nmeasure = \"" << MeasureName(g.measure) << "\"\n"
      << (g.atLeast ? "min = " : "max = ") << Number(g.limit) << "\npoints = " << Number(g.points) << "\n";
    if (IsEventMeasure(g.measure)) t << "event = " << g.event << "\n";
    if (g.measure == Measure::SettlingTime) t << "band = " << Number(g.band) << "\n";
}

void WriteDrill(std::ostream& t, const Drill& d) {
    t << "\n[drill]\nquestion = { pt = " << Quoted(d.questionPt) << ", en = " << Quoted(d.questionEn)
      << " }\nchoices = [\n";
    for (const auto& [pt, en] : d.choices) t << "  { pt = " << Quoted(pt) << ", en = " << Quoted(en) << " },\n";
    t << "]\nanswer = " << d.answer << "\npoints = " << Number(d.points) << "\n";
}

}  // namespace

std::string ExerciseText(const Exercise& e, const std::string& header) {
    std::ostringstream t;
    if (!header.empty()) {
        std::istringstream lines(header);
        for (std::string line; std::getline(lines, line);) t << (line.empty() ? "#" : "# " + line) << "\n";
        t << "\n";
    }
    WriteTexts(t, "title", e.titlePt, e.titleEn);
    WriteTexts(t, "task", e.taskPt, e.taskEn);
    t << "[plant]\nproject = " << Quoted(e.plant.generic_string()) << "\n";
    if (!e.fingerprint.empty()) t << "fingerprint = " << Quoted(e.fingerprint) << "\n";
    t << "\n[allowed]\n";
    for (const auto& [o, fields] : e.allowed) {
        t << "\"" << ObjectName(o) << "\" = [";
        // In the order of the fields' table, which follows the object's window.
        bool first = true;
        for (const FieldKey& k : FieldKeys())
            if (k.kind == o.kind && fields.count(k.name)) {
                t << (first ? "" : ", ") << "\"" << k.name << "\"";
                first = false;
            }
        t << "]\n";
    }
    const Scenario& s = e.scenario;
    t << "\n[scenario]\nwindow = " << Number(s.window) << "     # s of plant time\nsample = " << Number(s.sample)
      << "\nseed = " << s.seed << "\nrepeats = " << s.repeats << "\n";
    for (std::size_t i = 0; i < s.events.size(); ++i) WriteEvent(t, s.events[i], i + 1);
    for (const Target& g : e.targets) WriteTarget(t, g);
    if (e.drill) WriteDrill(t, *e.drill);
    return t.str();
}

std::filesystem::path PlantNameFor(const std::filesystem::path& plant, const std::filesystem::path& exerciseFile) {
    const std::filesystem::path absolute = std::filesystem::absolute(plant).lexically_normal();
    const std::filesystem::path relative =
        absolute.lexically_relative(std::filesystem::absolute(exerciseFile).parent_path());
    return relative.empty() ? absolute : relative;
}

void CheckExercise(const Exercise& exercise, const Plant& plant) {
    CheckObjects(ParseExercise(ExerciseText(exercise), exercise.file), plant);
}

void SaveExercise(Exercise& exercise, const std::filesystem::path& file, const std::string& header) {
    Exercise saved = exercise;
    const std::filesystem::path plant = std::filesystem::absolute(exercise.PlantPath()).lexically_normal();
    saved.file = file;
    saved.plant = PlantNameFor(plant, file);
    try {
        saved.fingerprint = Fingerprint(ReadBytes(plant));
    } catch (const FileError& e) {
        throw ExerciseError(file, 0, "plant.project", e.Message(true));
    }
    const std::string text = ExerciseText(saved, header);
    // What is written must open: the same checks as a teacher's hand-edited
    // file gets, and the plant's, before the old file is touched.
    Exercise reread = ParseExercise(text, file);
    ReadPlant(reread);  // and the plant as it is on disk
    try {
        WriteFile(file, text);
    } catch (const FileError& e) {
        throw ExerciseError(file, 0, "", e.Message(true));
    }
    exercise = std::move(reread);
}

}  // namespace kivo::exercises
