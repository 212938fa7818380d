#pragma once
// An exercise: a plant (a project file and its fingerprint), what a student
// may change in it, a scenario run as a fast simulation with a timeline of
// events, and targets per loop with points. Read from a hand-edited TOML
// file (".kex"); see the help page for the format.
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace kivo::exercises {

// A malformed exercise file: which file, line (0 when the whole file) and
// key, and what is wrong, in English.
class ExerciseError : public std::runtime_error {
public:
    ExerciseError(std::filesystem::path file, int line, std::string key, const std::string& what);
    const std::filesystem::path& file() const { return file_; }
    int line() const { return line_; }
    const std::string& key() const { return key_; }
    // What is wrong, without the file, line and key.
    const std::string& reason() const { return reason_; }

private:
    std::filesystem::path file_;
    int line_;
    std::string key_;
    std::string reason_;
};

enum class ObjectKind { Controller, Process, Block };

// One object of the plant, as the exercise names it ("controller 1").
struct ObjectRef {
    ObjectKind kind = ObjectKind::Controller;
    int number = 0;
    auto operator<=>(const ObjectRef&) const = default;
};

// Whether an exercise can name the object: controllers 1..10, processes
// 21..40 and 71..74, blocks 41..60 and 75..78.
bool IsNameable(const ObjectRef& o);

// Freeze and Bias are measurement faults: from the event on, the controller
// reads its PV held at the event's value, or shifted by value % of span.
enum class EventKind { Setpoint, Memory, Manual, Automatic, Output, Process, Freeze, Bias };
// Every kind, in the order the editor lists them.
inline constexpr EventKind kEventKinds[] = {EventKind::Setpoint, EventKind::Memory, EventKind::Manual,
                                            EventKind::Automatic, EventKind::Output, EventKind::Process,
                                            EventKind::Freeze, EventKind::Bias};

// Something that happens to the plant at a given plant time of the run.
struct Event {
    double time = 0;  // s from the start of the run
    EventKind kind = EventKind::Setpoint;
    int controller = 0;    // setpoint, manual, automatic, output
    int address = 0;       // memory: M(address)
    double value = 0;      // setpoint: step in % of span; memory: value in %; output: MV in %; bias: % of span
    int line = 0;          // in the exercise file, for messages
    int process = 0;       // process: the process (21..40, 71..74)
    std::string field;     // process: the setting (ProcessEventFields), as the exercise names it
    std::string text;      // process: its new text, applied as the process window applies it
    bool hidden = false;   // a drill's fault: the student sees its effect, not the event
    bool operator==(const Event&) const = default;
};

// The name of an event's kind in the exercise file ("setpoint").
const char* EventKindName(EventKind k);

// The settings of a process an event may change while the plant runs: a
// valve that starts to stick, a backlash that grows, a slower actuator.
inline constexpr const char* kProcessEventFields[] = {"gain", "dead_time", "backlash", "stiction", "rate_limit",
                                                      "actuator_tau"};

enum class Measure {
    Variability,
    MeanError,
    MeanAbsError,
    CoTravel,
    CoDeviation,
    CoSaturation,
    PvMin,
    PvMax,
    Overshoot,      // % of the setpoint step
    RiseTime,       // s, from 10 % to 90 % of the setpoint step
    SettlingTime,   // s, until PV stays within the band around SP
    MaxDeviation,   // largest |SP - PV| after the event, % of span
};
// Every measure, in the order the editor lists them.
inline constexpr Measure kMeasures[] = {Measure::Variability,  Measure::MeanError,    Measure::MeanAbsError,
                                        Measure::CoTravel,     Measure::CoDeviation,  Measure::CoSaturation,
                                        Measure::PvMin,        Measure::PvMax,        Measure::Overshoot,
                                        Measure::RiseTime,     Measure::SettlingTime, Measure::MaxDeviation};

// The name of a measure in the exercise file and in the grade's output.
const char* MeasureName(Measure m);
std::optional<Measure> MeasureOfName(const std::string& name);
// Whether the measure is taken after an event rather than over the whole run.
bool IsEventMeasure(Measure m);

struct Target {
    int loop = 0;
    Measure measure = Measure::MeanAbsError;
    // The value passes when it is at most (or, with atLeast, at least) limit.
    double limit = 0;
    bool atLeast = false;
    double points = 1;
    int event = 0;        // event measures: the event (1-based) they follow
    double band = 2;      // settling time: half-width of the band, % of span
    int line = 0;
    bool operator==(const Target&) const = default;
};

struct Scenario {
    double window = 3600;   // s
    double sample = 0.1;    // s, the step of every cycle
    std::uint32_t seed = 1;
    int repeats = 1;        // seeds seed, seed + 1, ...
    std::vector<Event> events;
    bool operator==(const Scenario&) const = default;
};

// A drill: the student watches the trends of a hidden event and answers
// which fault it was. The exercise file holds the answer in plain text.
struct Drill {
    std::string questionPt, questionEn;
    std::vector<std::pair<std::string, std::string>> choices;  // pt, en
    int answer = 0;     // 1-based
    double points = 1;
    bool operator==(const Drill&) const = default;
};

// The line of the project's comments that carries a drill's answer, in either
// language: "Resposta do exercício: 2" or "Exercise answer: 2".
inline constexpr const char* kAnswerPrefixPt = "Resposta do exercício:";
inline constexpr const char* kAnswerPrefixEn = "Exercise answer:";

struct Exercise {
    std::filesystem::path file;          // the exercise file itself
    std::string titlePt, titleEn;
    std::string taskPt, taskEn;
    std::filesystem::path plant;         // absolute, or relative to the exercise's folder
    std::string fingerprint;             // of the plant file; empty: not checked
    std::map<ObjectRef, std::set<std::string>> allowed;  // field names of FieldKeys
    Scenario scenario;
    std::vector<Target> targets;
    std::optional<Drill> drill;

    // The plant file, resolved against the exercise's folder.
    std::filesystem::path PlantPath() const;
    double MaxPoints() const;
    bool operator==(const Exercise&) const = default;
};

// Reads and checks an exercise file. Throws ExerciseError.
Exercise ReadExercise(const std::filesystem::path& file);
// The same for the text of one: file is the exercise's own name, for the
// messages and the plant's folder.
Exercise ParseExercise(const std::string& text, const std::filesystem::path& file);

}  // namespace kivo::exercises
