// The exercise file: TOML, read with toml++, every value checked with the
// line and key it came from.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include <toml++/toml.h>

#include "core/RegularFile.h"
#include "exercises/Exercise.h"
#include "exercises/Submission.h"

namespace kivo::exercises {
namespace {

// A hand-edited text file has no reason to be larger.
constexpr std::uintmax_t kMaxExerciseBytes = 1 << 20;
constexpr int kMaxRepeats = 100;
constexpr int kMaxEvents = 1000;

struct MeasureEntry {
    Measure value;
    const char* name;
};
constexpr MeasureEntry kMeasureNames[] = {
    {Measure::Variability, "variability"},   {Measure::MeanError, "iem"},
    {Measure::MeanAbsError, "iema"},         {Measure::CoTravel, "co_travel"},
    {Measure::CoDeviation, "co_std"},        {Measure::CoSaturation, "co_saturation"},
    {Measure::PvMin, "pv_min"},              {Measure::PvMax, "pv_max"},
    {Measure::Overshoot, "overshoot"},       {Measure::RiseTime, "rise_time"},
    {Measure::SettlingTime, "settling_time"}, {Measure::MaxDeviation, "max_deviation"},
};

struct EventEntry {
    EventKind value;
    const char* name;
};
constexpr EventEntry kEventNames[] = {
    {EventKind::Setpoint, "setpoint"}, {EventKind::Memory, "memory"}, {EventKind::Manual, "manual"},
    {EventKind::Automatic, "automatic"}, {EventKind::Output, "output"}, {EventKind::Process, "process"},
    {EventKind::Freeze, "freeze"}, {EventKind::Bias, "bias"},
};

// A name for every kind and measure the editor lists.
template <typename Entry, typename Value, std::size_t N, std::size_t M>
constexpr bool NamesEvery(const Entry (&names)[N], const Value (&all)[M]) {
    if (N != M) return false;
    for (std::size_t i = 0; i < N; ++i)
        if (names[i].value != all[i]) return false;
    return true;
}
static_assert(NamesEvery(kMeasureNames, kMeasures));
static_assert(NamesEvery(kEventNames, kEventKinds));

// Reads one file with the line and key of every complaint.
class Reader {
public:
    explicit Reader(std::filesystem::path file) : file_(std::move(file)) {}

    [[noreturn]] void Fail(const toml::node* n, const std::string& key, const std::string& what) const {
        throw ExerciseError(file_, n ? static_cast<int>(n->source().begin.line) : 0, key, what);
    }
    [[noreturn]] void Fail(int line, const std::string& key, const std::string& what) const {
        throw ExerciseError(file_, line, key, what);
    }

    static int Line(const toml::node& n) { return static_cast<int>(n.source().begin.line); }

    const toml::table* Table(const toml::table& t, const std::string& key, const std::string& path, bool required) const {
        const toml::node* n = t.get(key);
        if (!n) {
            if (required) Fail(Line(t), path, "the table [" + path + "] is missing");
            return nullptr;
        }
        if (!n->is_table()) Fail(n, path, "must be a table");
        return n->as_table();
    }

    std::string String(const toml::table& t, const std::string& key, const std::string& path, bool required) const {
        const toml::node* n = t.get(key);
        if (!n) {
            if (required) Fail(Line(t), path, "is missing");
            return {};
        }
        if (!n->is_string()) Fail(n, path, "must be a text in quotes");
        return std::string(n->as_string()->get());
    }

    std::optional<double> Number(const toml::table& t, const std::string& key, const std::string& path) const {
        const toml::node* n = t.get(key);
        if (!n) return std::nullopt;
        double v;
        if (n->is_integer())
            v = static_cast<double>(n->as_integer()->get());
        else if (n->is_floating_point())
            v = n->as_floating_point()->get();
        else
            Fail(n, path, "must be a number");
        if (!std::isfinite(v)) Fail(n, path, "must be a finite number");
        return v;
    }

    double Number(const toml::table& t, const std::string& key, const std::string& path, double min, double max) const {
        const auto v = Number(t, key, path);
        if (!v) Fail(Line(t), path, "is missing");
        if (*v < min || *v > max) Fail(t.get(key), path, "must be from " + Text(min) + " to " + Text(max));
        return *v;
    }

    int Integer(const toml::table& t, const std::string& key, const std::string& path, int min, int max) const {
        const toml::node* n = t.get(key);
        if (!n) Fail(Line(t), path, "is missing");
        if (!n->is_integer()) Fail(n, path, "must be a whole number");
        const auto v = n->as_integer()->get();
        if (v < min || v > max) Fail(n, path, "must be from " + std::to_string(min) + " to " + std::to_string(max));
        return static_cast<int>(v);
    }

    static std::string Text(double v) {
        std::string s = std::to_string(v);
        while (s.size() > 1 && s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
        return s;
    }

    // "controller 1", "process 21", "block 41".
    ObjectRef Object(const toml::node* n, const std::string& name, const std::string& path) const {
        const std::size_t space = name.find(' ');
        const std::string kind = name.substr(0, space);
        int number = 0;
        if (space != std::string::npos) {
            try {
                std::size_t used = 0;
                number = std::stoi(name.substr(space + 1), &used);
                if (used != name.size() - space - 1) number = 0;
            } catch (const std::exception&) {
                number = 0;
            }
        }
        ObjectRef o{ObjectKind::Controller, number};
        if (kind == "process")
            o.kind = ObjectKind::Process;
        else if (kind == "block")
            o.kind = ObjectKind::Block;
        if ((kind != "controller" && kind != "process" && kind != "block") || !IsNameable(o))
            Fail(n, path,
                 "names no object: write \"controller 1\"..\"controller 10\", \"process 21\"..\"process 40\" or "
                 "71..74, \"block 41\"..\"block 60\" or 75..78");
        return o;
    }

private:
    std::filesystem::path file_;
};

void ReadTexts(const Reader& r, const toml::table& root, Exercise& e) {
    for (const char* part : {"title", "task"}) {
        const toml::table* t = r.Table(root, part, part, std::string(part) == "title");
        if (!t) continue;
        std::string& pt = std::string(part) == "title" ? e.titlePt : e.taskPt;
        std::string& en = std::string(part) == "title" ? e.titleEn : e.taskEn;
        pt = r.String(*t, "pt", std::string(part) + ".pt", true);
        en = r.String(*t, "en", std::string(part) + ".en", true);
    }
}

void ReadAllowed(const Reader& r, const toml::table& root, Exercise& e) {
    const toml::table* t = r.Table(root, "allowed", "allowed", false);
    if (!t) return;
    for (const auto& [k, v] : *t) {
        const std::string name(k.str());
        const std::string path = "allowed.\"" + name + "\"";
        const ObjectRef o = r.Object(&v, name, path);
        if (!v.is_array()) r.Fail(&v, path, "must be a list of field names in quotes");
        auto& fields = e.allowed[o];
        for (const toml::node& f : *v.as_array()) {
            if (!f.is_string()) r.Fail(&f, path, "must be a list of field names in quotes");
            const std::string field(f.as_string()->get());
            if (!IsField(o.kind, field)) {
                std::string known;
                for (const FieldKey& fk : FieldKeys())
                    if (fk.kind == o.kind) known += (known.empty() ? "" : ", ") + std::string(fk.name);
                r.Fail(&f, path, "\"" + field + "\" is not a field of a " + name.substr(0, name.find(' ')) + " (" + known + ")");
            }
            fields.insert(field);
        }
    }
}

void ReadScenario(const Reader& r, const toml::table& root, Exercise& e) {
    const toml::table* t = r.Table(root, "scenario", "scenario", true);
    Scenario& s = e.scenario;
    s.window = r.Number(*t, "window", "scenario.window", 60, 4 * 3600);
    if (r.Number(*t, "sample", "scenario.sample")) s.sample = r.Number(*t, "sample", "scenario.sample", 0.01, 1);
    if (t->get("seed")) s.seed = static_cast<std::uint32_t>(r.Integer(*t, "seed", "scenario.seed", 0, 2147483647));
    if (t->get("repeats")) s.repeats = r.Integer(*t, "repeats", "scenario.repeats", 1, kMaxRepeats);
    const toml::node* events = t->get("event");
    if (!events) return;
    if (!events->is_array_of_tables()) r.Fail(events, "scenario.event", "must be written as [[scenario.event]] tables");
    const toml::array& list = *events->as_array();
    if (list.size() > kMaxEvents) r.Fail(events, "scenario.event", "more than " + std::to_string(kMaxEvents) + " events");
    for (std::size_t i = 0; i < list.size(); ++i) {
        const toml::table& ev = *list[i].as_table();
        const std::string path = "scenario.event[" + std::to_string(i + 1) + "]";
        Event v;
        v.line = Reader::Line(ev);
        v.time = r.Number(ev, "time", path + ".time", 0, s.window);
        const std::string kind = r.String(ev, "kind", path + ".kind", true);
        bool known = false;
        for (const EventEntry& k : kEventNames)
            if (kind == k.name) {
                v.kind = k.value;
                known = true;
            }
        if (!known) r.Fail(ev.get("kind"), path + ".kind", "\"" + kind + "\" is not setpoint, memory, manual, automatic, output, process, freeze or bias");
        if (v.kind == EventKind::Process) {
            const toml::node* pn = ev.get("process");
            if (!pn) r.Fail(v.line, path + ".process", "is missing");
            v.process = r.Object(pn, "process " + std::to_string(pn->is_integer() ? pn->as_integer()->get() : 0),
                                 path + ".process").number;
            v.field = r.String(ev, "field", path + ".field", true);
            if (std::none_of(std::begin(kProcessEventFields), std::end(kProcessEventFields),
                             [&](const char* f) { return v.field == f; }))
                r.Fail(ev.get("field"), path + ".field",
                       "\"" + v.field + "\" is not gain, dead_time, backlash, stiction, rate_limit or actuator_tau");
            const toml::node* value = ev.get("value");
            if (!value) r.Fail(v.line, path + ".value", "is missing");
            if (value->is_string())
                v.text = std::string(value->as_string()->get());
            else
                v.text = Reader::Text(*r.Number(ev, "value", path + ".value"));
        } else if (v.kind == EventKind::Memory) {
            v.address = r.Integer(ev, "address", path + ".address", 1, 99);
            v.value = r.Number(ev, "value", path + ".value", -1e6, 1e6);
        } else {
            v.controller = r.Integer(ev, "controller", path + ".controller", 1, 10);
            if (v.kind == EventKind::Setpoint) v.value = r.Number(ev, "step", path + ".step", -100, 100);
            if (v.kind == EventKind::Output) v.value = r.Number(ev, "value", path + ".value", 0, 100);
            if (v.kind == EventKind::Bias) v.value = r.Number(ev, "value", path + ".value", -100, 100);
        }
        if (const toml::node* h = ev.get("hidden")) {
            if (!h->is_boolean()) r.Fail(h, path + ".hidden", "must be true or false");
            v.hidden = h->as_boolean()->get();
        }
        s.events.push_back(v);
    }
}

void ReadDrill(const Reader& r, const toml::table& root, Exercise& e) {
    const toml::table* t = r.Table(root, "drill", "drill", false);
    if (!t) return;
    Drill d;
    const toml::table* q = r.Table(*t, "question", "drill.question", true);
    d.questionPt = r.String(*q, "pt", "drill.question.pt", true);
    d.questionEn = r.String(*q, "en", "drill.question.en", true);
    const toml::node* choices = t->get("choices");
    if (!choices || !choices->is_array_of_tables() || choices->as_array()->size() < 2)
        r.Fail(choices ? choices : t, "drill.choices", "needs at least two choices, each { pt = \"...\", en = \"...\" }");
    int i = 0;
    for (const toml::node& c : *choices->as_array()) {
        const std::string path = "drill.choices[" + std::to_string(++i) + "]";
        d.choices.emplace_back(r.String(*c.as_table(), "pt", path + ".pt", true),
                               r.String(*c.as_table(), "en", path + ".en", true));
    }
    d.answer = r.Integer(*t, "answer", "drill.answer", 1, static_cast<int>(d.choices.size()));
    if (t->get("points")) d.points = r.Number(*t, "points", "drill.points", 0, 1000);
    if (std::none_of(e.scenario.events.begin(), e.scenario.events.end(), [](const Event& v) { return v.hidden; }))
        r.Fail(t, "drill", "asks about a hidden event, and the scenario has none (hidden = true)");
    e.drill = d;
}

void ReadTargets(const Reader& r, const toml::table& root, Exercise& e) {
    const toml::node* targets = root.get("target");
    if (!targets) r.Fail(0, "target", "the exercise has no [[target]]: there is nothing to grade");
    if (!targets->is_array_of_tables()) r.Fail(targets, "target", "must be written as [[target]] tables");
    const toml::array& list = *targets->as_array();
    for (std::size_t i = 0; i < list.size(); ++i) {
        const toml::table& t = *list[i].as_table();
        const std::string path = "target[" + std::to_string(i + 1) + "]";
        Target v;
        v.line = Reader::Line(t);
        v.loop = r.Integer(t, "loop", path + ".loop", 1, 10);
        const std::string name = r.String(t, "measure", path + ".measure", true);
        const auto m = MeasureOfName(name);
        if (!m) {
            std::string known;
            for (const MeasureEntry& k : kMeasureNames) known += (known.empty() ? "" : ", ") + std::string(k.name);
            r.Fail(t.get("measure"), path + ".measure", "\"" + name + "\" is not a measure (" + known + ")");
        }
        v.measure = *m;
        const auto max = r.Number(t, "max", path + ".max");
        const auto min = r.Number(t, "min", path + ".min");
        if (max.has_value() == min.has_value()) r.Fail(v.line, path, "needs either max or min, and not both");
        v.limit = max ? *max : *min;
        v.atLeast = min.has_value();
        if (t.get("points")) v.points = r.Number(t, "points", path + ".points", 0, 1000);
        if (IsEventMeasure(v.measure)) {
            const int n = static_cast<int>(e.scenario.events.size());
            if (n == 0) r.Fail(v.line, path + ".event", "\"" + name + "\" follows an event, and the scenario has none");
            v.event = t.get("event") ? r.Integer(t, "event", path + ".event", 1, n) : 1;
            const Event& ev = e.scenario.events[static_cast<std::size_t>(v.event - 1)];
            if (v.measure != Measure::MaxDeviation && ev.kind != EventKind::Setpoint)
                r.Fail(t.get("event") ? t.get("event") : &t, path + ".event",
                       "\"" + name + "\" needs a setpoint event, and event " + std::to_string(v.event) + " is not one");
            if (t.get("band")) v.band = r.Number(t, "band", path + ".band", 0.01, 50);
        }
        e.targets.push_back(v);
    }
}

}  // namespace

ExerciseError::ExerciseError(std::filesystem::path file, int line, std::string key, const std::string& what)
    : std::runtime_error(file.string() + (line > 0 ? ", line " + std::to_string(line) : std::string()) +
                         (key.empty() ? std::string() : ", " + key) + ": " + what),
      file_(std::move(file)), line_(line), key_(std::move(key)), reason_(what) {}

const char* MeasureName(Measure m) {
    for (const MeasureEntry& k : kMeasureNames)
        if (k.value == m) return k.name;
    return "";
}

std::optional<Measure> MeasureOfName(const std::string& name) {
    for (const MeasureEntry& k : kMeasureNames)
        if (name == k.name) return k.value;
    return std::nullopt;
}

bool IsNameable(const ObjectRef& o) {
    const int n = o.number;
    switch (o.kind) {
        case ObjectKind::Controller: return n >= 1 && n <= 10;
        case ObjectKind::Process: return (n >= 21 && n <= 40) || (n >= 71 && n <= 74);
        case ObjectKind::Block: return (n >= 41 && n <= 60) || (n >= 75 && n <= 78);
    }
    return false;
}

const char* EventKindName(EventKind k) {
    for (const EventEntry& e : kEventNames)
        if (e.value == k) return e.name;
    return "";
}

bool IsEventMeasure(Measure m) {
    return m == Measure::Overshoot || m == Measure::RiseTime || m == Measure::SettlingTime || m == Measure::MaxDeviation;
}

std::filesystem::path Exercise::PlantPath() const {
    return plant.is_absolute() ? plant : file.parent_path() / plant;
}

double Exercise::MaxPoints() const {
    double total = drill ? drill->points : 0;
    for (const Target& t : targets) total += t.points;
    return total;
}

Exercise ReadExercise(const std::filesystem::path& file) {
    FileRefusal refusal;
    const auto bytes = ReadRegularFile(file, kMaxExerciseBytes, refusal);
    if (!bytes) throw ExerciseError(file, 0, "", refusal.reason.en);
    return ParseExercise(*bytes, file);
}

Exercise ParseExercise(const std::string& text, const std::filesystem::path& file) {
    toml::table root;
    try {
        root = toml::parse(text, file.string());
    } catch (const toml::parse_error& err) {
        throw ExerciseError(file, static_cast<int>(err.source().begin.line), "", std::string(err.description()));
    }
    const Reader r(file);
    Exercise e;
    e.file = file;
    ReadTexts(r, root, e);
    const toml::table* plant = r.Table(root, "plant", "plant", true);
    e.plant = r.String(*plant, "project", "plant.project", true);
    e.fingerprint = r.String(*plant, "fingerprint", "plant.fingerprint", false);
    ReadAllowed(r, root, e);
    ReadScenario(r, root, e);
    ReadTargets(r, root, e);
    ReadDrill(r, root, e);
    return e;
}

}  // namespace kivo::exercises
