// kivo-batch grade: every student's project of a class against an exercise.
#include <cstdio>
#include <string>
#include <thread>

#include "cli/Arguments.h"
#include "exercises/Grading.h"
#include "exercises/Authoring.h"
#include "project/FileWriter.h"

namespace kivo::cli {
namespace {

using namespace kivo::exercises;

const std::string kGradeUsage =
    "Usage: kivo-batch grade EXERCISE.kex SUBMISSION.smp... [--jobs N] [--format text|csv|json]\n"
    "Grades each student's project against the exercise: checks that it changes\n"
    "only the settings the exercise allows (any other change is listed, and the\n"
    "project is not graded), runs the exercise's scenario on the plant with the\n"
    "student's allowed settings (once per repeat, each repeat with the next\n"
    "seed) and scores every target. A project that cannot be read is a row with\n"
    "its message; the others are still graded. A drill's answer is the line\n"
    "\"Resposta do exercício: N\" (or \"Exercise answer: N\") of the project's\n"
    "comments. --jobs grades on N threads (default: the machine's cores); rows\n"
    "stay in the order of the files.\n"
    "JSON: {\"exercise\", \"rows\":[{\"file\",\"student\",\"valid\",\"message\"(text or\n"
    "null),\"differences\":[text],\"targets\":[{\"loop\",\"measure\",\"value\"(mean over\n"
    "the repeats, null when none),\"spread\"(standard deviation),\"limit\",\"at_least\",\n"
    "\"pass\",\"points\"}],\"answer\"(the drill's, or null),\"answer_points\",\"total\",\"max\"}]}.\n"
    "CSV: one line per target of each project: file;student;valid;loop;measure;\n"
    "value;spread;limit;pass;points;total;max;answer;answer_points;message.\n"
    "Exit code 2 on bad options, 3 when the exercise or its plant cannot be read\n"
    "(a submission that cannot be read is a row, not an error).\n";

std::string Number(const std::optional<double>& v) {
    if (!v) return "-";
    std::string s;
    WriteValue(s, *v);
    return s;
}

// Two decimals, as the program's windows show indices; the CSV and the
// JSON keep every digit.
std::string Rounded(const std::optional<double>& v) {
    if (!v) return "-";
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", *v);
    return text;
}

void PrintText(const Exercise& e, const std::vector<GradeRow>& rows) {
    std::printf("%s\n", e.titleEn.c_str());
    for (const GradeRow& r : rows) {
        std::string head = r.student + ": ";
        if (r.valid) {
            std::string total, max;
            WriteValue(total, r.total);
            WriteValue(max, r.max);
            head += total + " / " + max;
        } else {
            head += "not graded: " + r.message;
        }
        std::printf("%s\n", head.c_str());
        for (const std::string& d : r.differences) std::printf("  %s\n", d.c_str());
        for (const TargetResult& t : r.targets) {
            std::string line = "  loop " + std::to_string(t.target->loop) + " " + MeasureName(t.target->measure) + " " +
                               Rounded(t.value);
            if (t.value && e.scenario.repeats > 1) line += " ± " + Rounded(t.spread);
            line += std::string(t.target->atLeast ? " >= " : " <= ") + Number(t.target->limit);
            line += t.pass ? "  pass " : "  fail ";
            line += Number(t.points);
            std::printf("%s\n", line.c_str());
        }
        if (e.drill && r.valid)
            std::printf("  drill answer %s  %s %s\n", r.answer ? std::to_string(*r.answer).c_str() : "-",
                        r.answerPoints > 0 ? "right" : "wrong", Number(r.answerPoints).c_str());
    }
}

std::string CsvField(const std::string& s) {
    if (s.find_first_of(";\"\n") == std::string::npos) return s;
    std::string q = "\"";
    for (char c : s) q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
}

void PrintCsv(const std::vector<GradeRow>& rows) {
    std::printf("file;student;valid;loop;measure;value;spread;limit;pass;points;total;max;answer;answer_points;message\n");
    for (const GradeRow& r : rows) {
        const std::string tail = ";" + Number(r.total) + ";" + Number(r.max) + ";" +
                                 (r.answer ? std::to_string(*r.answer) : std::string()) + ";" + Number(r.answerPoints) +
                                 ";" + CsvField(r.message);
        const std::string head = CsvField(r.file.string()) + ";" + CsvField(r.student) + ";" + (r.valid ? "1" : "0");
        if (r.targets.empty()) std::printf("%s;;;;;;;%s\n", head.c_str(), tail.c_str());
        for (const TargetResult& t : r.targets)
            std::printf("%s;%d;%s;%s;%s;%s;%d;%s%s\n", head.c_str(), t.target->loop, MeasureName(t.target->measure),
                        t.value ? Number(t.value).c_str() : "", Number(t.spread).c_str(), Number(t.target->limit).c_str(),
                        t.pass ? 1 : 0, Number(t.points).c_str(), tail.c_str());
    }
}

void PrintJson(const Exercise& e, const std::vector<GradeRow>& rows) {
    std::string out = "{\"exercise\": " + Json(e.file.string()) + ", \"rows\": [";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const GradeRow& r = rows[i];
        out += i ? ",\n  " : "\n  ";
        out += "{\"file\": " + Json(r.file.string()) + ", \"student\": " + Json(r.student) +
               ", \"valid\": " + (r.valid ? "true" : "false") +
               ", \"message\": " + (r.message.empty() ? std::string("null") : Json(r.message)) + ", \"differences\": [";
        for (std::size_t k = 0; k < r.differences.size(); ++k) out += (k ? ", " : "") + Json(r.differences[k]);
        out += "], \"targets\": [";
        for (std::size_t k = 0; k < r.targets.size(); ++k) {
            const TargetResult& t = r.targets[k];
            out += std::string(k ? ", " : "") + "{\"loop\": " + std::to_string(t.target->loop) +
                   ", \"measure\": " + Json(MeasureName(t.target->measure)) +
                   ", \"value\": " + (t.value ? JsonNumber(*t.value) : std::string("null")) +
                   ", \"spread\": " + JsonNumber(t.spread) + ", \"limit\": " + JsonNumber(t.target->limit) +
                   ", \"at_least\": " + (t.target->atLeast ? "true" : "false") +
                   ", \"pass\": " + (t.pass ? "true" : "false") + ", \"points\": " + JsonNumber(t.points) + "}";
        }
        out += "], \"answer\": " + (r.answer ? std::to_string(*r.answer) : std::string("null")) +
               ", \"answer_points\": " + JsonNumber(r.answerPoints) + ", \"total\": " + JsonNumber(r.total) + ", \"max\": " + JsonNumber(r.max) + "}";
    }
    out += "\n]}\n";
    std::fputs(out.c_str(), stdout);
}

}  // namespace

int GradeCommand(const Args& args) {
    if (AsksForHelp(args, kGradeUsage)) return kOk;
    Arguments a;
    if (!ParseArguments("grade", args, {"--jobs", "--format"}, {}, a)) return kUsage;
    if (a.positionals.size() < 2) return UsageError("grade", "give an exercise file and at least one submission");
    int jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    if (const auto* j = a.value("--jobs")) {
        try {
            std::size_t used = 0;
            jobs = std::stoi(*j, &used);
            if (used != j->size() || jobs < 1 || jobs > 256) throw std::invalid_argument("jobs");
        } catch (const std::exception&) {
            return UsageError("grade", "--jobs must be a whole number from 1 to 256, not '" + *j + "'");
        }
    }
    const std::string format = a.value("--format") ? *a.value("--format") : "text";
    if (format != "text" && format != "csv" && format != "json")
        return UsageError("grade", "--format must be text, csv or json, not '" + format + "'");
    Exercise exercise;
    Plant plant;
    try {
        exercise = ReadExercise(a.positionals[0]);
        plant = ReadPlant(exercise);
    } catch (const ExerciseError& e) {
        std::fprintf(stderr, "kivo-batch grade: %s\n", e.what());
        return kInvalidInput;
    }
    const std::vector<std::filesystem::path> files(a.positionals.begin() + 1, a.positionals.end());
    const std::vector<GradeRow> rows = GradeAll(exercise, plant, files, jobs);
    if (format == "json")
        PrintJson(exercise, rows);
    else if (format == "csv")
        PrintCsv(rows);
    else
        PrintText(exercise, rows);
    return kOk;
}

int ExerciseCommand(const Args& args) {
    static const std::string kExerciseUsage =
        "Usage: kivo-batch exercise new PROJECT.smp EXERCISE.kex\n"
        "Writes a starting exercise on the project: every active loop may have its Kc,\n"
        "Ti and Td changed and gets a 10 % setpoint step (a minute into the run, the\n"
        "loops five minutes apart), and the targets (iema, overshoot, settling time)\n"
        "are what the project's own settings achieve in that run, with 25 % slack.\n"
        "Edit the texts and targets with any text editor. An existing EXERCISE.kex is\n"
        "not replaced.\n"
        "Exit code 2 on bad options, 3 when the project cannot be read or the\n"
        "exercise cannot be written.\n";
    if (AsksForHelp(args, kExerciseUsage)) return kOk;
    Arguments a;
    if (!ParseArguments("exercise", args, {}, {}, a)) return kUsage;
    if (a.positionals.size() != 3 || a.positionals[0] != "new")
        return UsageError("exercise", "write: kivo-batch exercise new PROJECT.smp EXERCISE.kex");
    const std::filesystem::path out = a.positionals[2];
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::symlink_status(out, ec))) {
        std::fprintf(stderr, "kivo-batch exercise: %s already exists; choose another name\n", out.string().c_str());
        return kInvalidInput;
    }
    try {
        WriteFile(out, NewExerciseText(a.positionals[1], out));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kivo-batch exercise: %s\n", e.what());
        return kInvalidInput;
    }
    return kOk;
}

}  // namespace kivo::cli
