#include "exercises/Authoring.h"

#include <algorithm>
#include <cmath>

#include "exercises/ExerciseWriter.h"
#include "exercises/ScenarioRun.h"
#include "exercises/Submission.h"
#include "project/ProjectFile.h"
#include "project/TextFile.h"

namespace kivo::exercises {
namespace {

constexpr double kFirstStep = 60;     // s into the run
constexpr double kStepSpacing = 300;  // s between the loops' steps
constexpr double kAfterLastStep = 600;

// A limit a little worse than the plant's own value: a quarter, and at least
// a second of time or a point of percentage, so a value of zero leaves room.
double Slackened(const Target& t, double value) {
    const double margin = t.measure == Measure::SettlingTime || t.measure == Measure::RiseTime ? 5.0 : 1.0;
    return t.atLeast ? std::min(value / kTargetSlack, value - margin) : std::max(value * kTargetSlack, value + margin);
}

// Three decimals are plenty for a limit a teacher will round anyway.
double Rounded(double v) { return std::round(v * 1000) / 1000; }

}  // namespace

Suggestion SuggestExercise(const std::filesystem::path& plantFile) {
    std::string bytes;
    try {
        bytes = ReadBytes(plantFile);
    } catch (const FileError& e) {
        throw std::runtime_error(e.Message(true));  // the message names the file already
    }
    Project p(true);
    const LoadResult loaded = ReadProjectBytes(p, bytes, plantFile.string());
    if (!loaded.ok) throw ExerciseError(plantFile, 0, "", loaded.error);
    std::vector<int> loops;
    for (int n = 1; n <= kLoops; ++n)
        if (p.sim.controllers.active(n)) loops.push_back(n);
    if (loops.empty()) throw ExerciseError(plantFile, 0, "", "the project has no active controller to grade");

    Suggestion s;
    Exercise& e = s.exercise;
    e.plant = std::filesystem::absolute(plantFile).lexically_normal();
    e.file = e.plant.parent_path() / "exercise.kex";
    e.fingerprint = Fingerprint(bytes);
    e.titlePt = e.titleEn = p.title;
    e.taskPt = "Sintonize as malhas para que sigam um degrau de 10 % no SP.";
    e.taskEn = "Tune the loops so that they follow a 10 % setpoint step.";
    Scenario& sc = e.scenario;
    sc.window = std::min(4.0 * 3600, std::max(1800.0, kFirstStep + kStepSpacing * static_cast<double>(loops.size() - 1) +
                                                          kAfterLastStep));
    for (std::size_t i = 0; i < loops.size(); ++i) {
        e.allowed[{ObjectKind::Controller, loops[i]}] = {"kc", "ti", "td"};
        Event step;
        step.time = kFirstStep + kStepSpacing * static_cast<double>(i);
        step.controller = loops[i];
        step.value = 10;
        sc.events.push_back(step);
        for (Measure m : {Measure::MeanAbsError, Measure::Overshoot, Measure::SettlingTime}) {
            Target t;
            t.loop = loops[i];
            t.measure = m;
            if (IsEventMeasure(m)) t.event = static_cast<int>(i + 1);
            e.targets.push_back(t);
        }
    }
    s.plant.lines = ProjectLines(p);
    s.plant.fingerprint = e.fingerprint;
    // A target the plant itself gives no value (a step it never settles
    // from) is no target to suggest.
    const std::vector<std::size_t> none = SuggestLimits(e, s.plant);
    for (auto i = none.rbegin(); i != none.rend(); ++i) e.targets.erase(e.targets.begin() + static_cast<std::ptrdiff_t>(*i));
    return s;
}

std::vector<std::size_t> SuggestLimits(Exercise& exercise, const Plant& plant) {
    // A run measures only what a file could hold: an event a target follows,
    // a loop the plant has.
    CheckExercise(exercise, plant);
    const GradeRow row = GradeLines(exercise, plant, plant.lines, std::nullopt, "plant");
    std::vector<std::size_t> none;
    for (std::size_t i = 0; i < exercise.targets.size(); ++i) {
        const auto& value = i < row.targets.size() ? row.targets[i].value : std::nullopt;
        if (value)
            exercise.targets[i].limit = Rounded(Slackened(exercise.targets[i], *value));
        else
            none.push_back(i);
    }
    return none;
}

void RemoveEvent(Exercise& exercise, std::size_t index) {
    auto& events = exercise.scenario.events;
    if (index >= events.size()) return;
    events.erase(events.begin() + static_cast<std::ptrdiff_t>(index));
    const int removed = static_cast<int>(index) + 1;
    std::erase_if(exercise.targets, [&](const Target& t) { return IsEventMeasure(t.measure) && t.event == removed; });
    for (Target& t : exercise.targets)
        if (IsEventMeasure(t.measure) && t.event > removed) --t.event;
}

std::string NewExerciseText(const std::filesystem::path& plant, const std::filesystem::path& exercise) {
    Exercise e = SuggestExercise(plant).exercise;
    e.plant = PlantNameFor(e.plant, exercise);
    return ExerciseText(e, "Exercise written from " + plant.filename().string() +
                               ". Edit the texts, the allowed settings and\n"
                               "the targets; the targets were set from what the project's own settings\n"
                               "achieve in this scenario, with " +
                               std::to_string(static_cast<int>(std::lround((kTargetSlack - 1) * 100))) + " % slack.");
}

}  // namespace kivo::exercises
