#include "exercises/NewExercise.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <vector>

#include "core/Cycle.h"
#include "exercises/ScenarioRun.h"
#include "exercises/Submission.h"
#include "project/ProjectFile.h"
#include "project/TextFile.h"

namespace kivo::exercises {
namespace {

constexpr double kFirstStep = 60;     // s into the run
constexpr double kStepSpacing = 300;  // s between the loops' steps
constexpr double kAfterLastStep = 600;

// A number as the file shows it: three significant decimals are plenty for a
// limit a teacher will round anyway.
std::string Limit(double v) {
    std::ostringstream s;
    s.precision(3);
    s << std::fixed << v;
    std::string t = s.str();
    while (t.back() == '0') t.pop_back();
    if (t.back() == '.') t.pop_back();
    return t;
}

// A text in TOML's basic string, with its quotes and backslashes escaped.
std::string Quoted(const std::string& s) {
    std::string q = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\') q += '\\';
        q += c;
    }
    return q + "\"";
}

}  // namespace

std::string NewExerciseText(const std::filesystem::path& plant, const std::filesystem::path& exercise) {
    std::string bytes;
    try {
        bytes = ReadBytes(plant);
    } catch (const FileError& e) {
        throw std::runtime_error(e.Message(true));  // the message names the file already
    }
    Project p(true);
    const LoadResult loaded = ReadProjectBytes(p, bytes, plant.string());
    if (!loaded.ok) throw ExerciseError(plant, 0, "", loaded.error);
    std::vector<int> loops;
    for (int n = 1; n <= kLoops; ++n)
        if (p.sim.controllers.active(n)) loops.push_back(n);
    if (loops.empty()) throw ExerciseError(plant, 0, "", "the project has no active controller to grade");

    Scenario s;
    s.window = std::min(4.0 * 3600, std::max(1800.0, kFirstStep + kStepSpacing * static_cast<double>(loops.size() - 1) +
                                                         kAfterLastStep));
    for (std::size_t i = 0; i < loops.size(); ++i) {
        Event step;
        step.time = kFirstStep + kStepSpacing * static_cast<double>(i);
        step.controller = loops[i];
        step.value = 10;
        s.events.push_back(step);
    }
    const PerformanceRow run = RunScenario(p.sim, s, s.seed);

    const std::filesystem::path folder = exercise.parent_path().empty() ? "." : exercise.parent_path();
    std::ostringstream t;
    t << "# Exercise written from " << plant.filename().string() << ". Edit the texts, the allowed settings and\n"
      << "# the targets; the targets were set from what the project's own settings\n"
      << "# achieve in this scenario, with " << Limit((kTargetSlack - 1) * 100) << " % slack.\n\n"
      << "[title]\npt = " << Quoted(p.title) << "\nen = " << Quoted(p.title) << "\n\n"
      << "[task]\npt = \"Sintonize as malhas para que sigam um degrau de 10 % no SP.\"\n"
      << "en = \"Tune the loops so that they follow a 10 % setpoint step.\"\n\n"
      << "[plant]\nproject = " << Quoted(std::filesystem::relative(std::filesystem::absolute(plant), std::filesystem::absolute(folder)).generic_string())
      << "\nfingerprint = " << Quoted(Fingerprint(bytes)) << "\n\n[allowed]\n";
    for (int n : loops) t << "\"controller " << n << "\" = [\"kc\", \"ti\", \"td\"]\n";
    t << "\n[scenario]\nwindow = " << Limit(s.window) << "     # s of plant time\nsample = 0.1\nseed = " << s.seed
      << "\nrepeats = 1\n";
    for (const Event& e : s.events)
        t << "\n[[scenario.event]]\ntime = " << Limit(e.time) << "\nkind = \"setpoint\"\ncontroller = " << e.controller
          << "\nstep = 10\n";
    for (std::size_t i = 0; i < loops.size(); ++i) {
        const int n = loops[i];
        const auto add = [&](Measure m, double limit, bool afterEvent) {
            t << "\n[[target]]\nloop = " << n << "\nmeasure = \"" << MeasureName(m) << "\"\nmax = " << Limit(limit)
              << "\npoints = 1\n";
            if (afterEvent) t << "event = " << i + 1 << "\n";
        };
        Target probe;
        probe.loop = n;
        probe.event = static_cast<int>(i + 1);
        for (Measure m : {Measure::MeanAbsError, Measure::Overshoot, Measure::SettlingTime}) {
            probe.measure = m;
            const auto v = MeasureOf(run, s, probe);
            if (!v) continue;  // the plant itself has no value: no target to suggest
            add(m, std::max(*v * kTargetSlack, *v + (m == Measure::SettlingTime ? 5.0 : 1.0)), IsEventMeasure(m));
        }
    }
    return t.str();
}

}  // namespace kivo::exercises
