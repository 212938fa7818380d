#include "exercises/Grading.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>

#include "exercises/ScenarioRun.h"
#include "exercises/Submission.h"
#include "project/ProjectFile.h"
#include "project/TextFile.h"

namespace kivo::exercises {
namespace {


// Loads a project from bytes in English, so messages are English; returns
// the load's error, empty when it loaded.
std::string LoadBytes(Project& p, const std::string& bytes, const std::string& name) {
    const LoadResult r = ReadProjectBytes(p, bytes, name);
    return r.ok ? std::string() : r.error;
}

double Mean(const std::vector<double>& v) {
    double s = 0;
    for (double x : v) s += x;
    return s / static_cast<double>(v.size());
}

double Spread(const std::vector<double>& v, double mean) {
    if (v.size() < 2) return 0;
    double s = 0;
    for (double x : v) s += (x - mean) * (x - mean);
    return std::sqrt(s / static_cast<double>(v.size() - 1));
}

}  // namespace

std::optional<int> AnswerIn(const std::vector<std::string>& commentLines) {
    std::optional<int> answer;
    for (const std::string& line : commentLines)
        for (const std::string prefix : {kAnswerPrefixPt, kAnswerPrefixEn})
            if (line.rfind(prefix, 0) == 0) {
                try {
                    std::size_t used = 0;
                    const std::string rest = line.substr(prefix.size());
                    const int n = std::stoi(rest, &used);
                    if (rest.find_first_not_of(" \t", used) == std::string::npos) answer = n;
                } catch (const std::exception&) {
                    // not a number: the line is no answer
                }
            }
    return answer;
}

Plant ReadPlant(const Exercise& exercise) {
    const std::filesystem::path path = exercise.PlantPath();
    std::string bytes;
    try {
        bytes = ReadBytes(path);
    } catch (const FileError& e) {
        throw ExerciseError(exercise.file, 0, "plant.project", e.Message(true));
    }
    Plant plant;
    plant.fingerprint = Fingerprint(bytes);
    if (!exercise.fingerprint.empty() && exercise.fingerprint != plant.fingerprint)
        throw ExerciseError(exercise.file, 0, "plant.fingerprint",
                            path.string() + " has fingerprint " + plant.fingerprint + ", not the exercise's " +
                                exercise.fingerprint + ": the plant file was changed after the exercise was written");
    Project p(true);
    const std::string error = LoadBytes(p, bytes, path.string());
    if (!error.empty()) throw ExerciseError(exercise.file, 0, "plant.project", error);
    plant.lines = ProjectLines(p);
    CheckObjects(exercise, plant);
    return plant;
}

void CheckObjects(const Exercise& exercise, const Plant& plant) {
    // What the exercise names must be in the plant: a target or an event on
    // a slot the plant leaves empty would grade nothing.
    const std::set<ObjectRef> objects = ObjectsIn(plant.lines);
    const std::filesystem::path path = exercise.PlantPath();
    const auto missing = [&](const ObjectRef& o, int line, const std::string& key) {
        if (!objects.count(o))
            throw ExerciseError(exercise.file, line, key, ObjectName(o) + " is not in the plant " + path.filename().string());
    };
    for (const auto& [o, fields] : exercise.allowed) missing(o, 0, "allowed.\"" + ObjectName(o) + "\"");
    for (std::size_t i = 0; i < exercise.targets.size(); ++i)
        missing({ObjectKind::Controller, exercise.targets[i].loop}, exercise.targets[i].line,
                "target[" + std::to_string(i + 1) + "].loop");
    for (std::size_t i = 0; i < exercise.scenario.events.size(); ++i) {
        const Event& e = exercise.scenario.events[i];
        const std::string key = "scenario.event[" + std::to_string(i + 1) + "]";
        if (e.kind == EventKind::Process)
            missing({ObjectKind::Process, e.process}, e.line, key + ".process");
        else if (e.kind != EventKind::Memory)
            missing({ObjectKind::Controller, e.controller}, e.line, key + ".controller");
    }
}

GradeRow Grade(const Exercise& exercise, const Plant& plant, const std::filesystem::path& submission) {
    GradeRow row;
    row.file = submission;
    row.student = submission.stem().string();
    row.max = exercise.MaxPoints();
    std::string bytes;
    try {
        bytes = ReadBytes(submission);
    } catch (const FileError& e) {
        row.message = e.Message(true);
        return row;
    }
    Project p(true);
    row.message = LoadBytes(p, bytes, submission.string());
    if (!row.message.empty()) return row;
    std::vector<std::string> comments = p.comments;
    comments.insert(comments.end(), p.otherLanguageComments.begin(), p.otherLanguageComments.end());
    GradeRow graded = GradeLines(exercise, plant, ProjectLines(p), AnswerIn(comments), row.student);
    graded.file = submission;
    return graded;
}

GradeRow GradeLines(const Exercise& exercise, const Plant& plant, const std::vector<std::string>& lines,
                    std::optional<int> answer, const std::string& name) {
    GradeRow row;
    row.student = name;
    row.max = exercise.MaxPoints();
    row.answer = answer;
    Comparison c = Compare(exercise, plant.lines, lines);
    row.differences = std::move(c.differences);
    if (!row.differences.empty()) {
        row.message = "changes what the exercise does not allow";
        return row;
    }
    const std::string graded = JoinLines(c.gradedLines);
    std::vector<std::vector<double>> values(exercise.targets.size());
    std::vector<bool> missing(exercise.targets.size(), false);
    for (int r = 0; r < exercise.scenario.repeats; ++r) {
        Project p(true);
        row.message = LoadBytes(p, graded, name);
        if (!row.message.empty()) return row;
        const PerformanceRow run =
            RunScenario(p.sim, exercise.scenario, exercise.scenario.seed + static_cast<std::uint32_t>(r));
        for (std::size_t i = 0; i < exercise.targets.size(); ++i) {
            const auto v = MeasureOf(run, exercise.scenario, exercise.targets[i]);
            if (v)
                values[i].push_back(*v);
            else
                missing[i] = true;
        }
    }
    row.valid = true;
    if (exercise.drill && row.answer == exercise.drill->answer) {
        row.answerPoints = exercise.drill->points;
        row.total += row.answerPoints;
    }
    for (std::size_t i = 0; i < exercise.targets.size(); ++i) {
        const Target& t = exercise.targets[i];
        TargetResult tr;
        tr.target = &t;
        if (!missing[i]) {
            tr.value = Mean(values[i]);
            tr.spread = Spread(values[i], *tr.value);
            tr.pass = t.atLeast ? *tr.value >= t.limit : *tr.value <= t.limit;
        }
        tr.points = tr.pass ? t.points : 0;
        row.total += tr.points;
        row.targets.push_back(tr);
    }
    return row;
}

std::vector<GradeRow> GradeAll(const Exercise& exercise, const Plant& plant,
                               const std::vector<std::filesystem::path>& submissions, int jobs) {
    std::vector<GradeRow> rows(submissions.size());
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i = next++; i < submissions.size(); i = next++) {
            // One submission's failure is its row's message, never the class's.
            try {
                rows[i] = Grade(exercise, plant, submissions[i]);
            } catch (const std::exception& e) {
                rows[i] = GradeRow{};
                rows[i].file = submissions[i];
                rows[i].student = submissions[i].stem().string();
                rows[i].max = exercise.MaxPoints();
                rows[i].message = e.what();
            }
        }
    };
    const int n = std::clamp(jobs, 1, static_cast<int>(std::max<std::size_t>(1, submissions.size())));
    std::vector<std::thread> threads;
    for (int k = 1; k < n; ++k) threads.emplace_back(work);
    work();
    for (std::thread& t : threads) t.join();
    return rows;
}

}  // namespace kivo::exercises
