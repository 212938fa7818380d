// Writing exercises: the written text reads back to the same exercise, a
// save is checked before it replaces anything, removing an event keeps the
// targets on the events they followed, and the suggested limits are ones the
// plant itself meets.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "exercises/Authoring.h"
#include "exercises/ExerciseWriter.h"

namespace kivo::exercises {
namespace {

namespace fs = std::filesystem;

const fs::path kExamples = fs::path(KIVO_SOURCE_DIR) / "examples";

std::string Bytes(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

// The exercise without the lines it was read from, which a rewrite moves.
Exercise WithoutLines(Exercise e) {
    for (Event& v : e.scenario.events) v.line = 0;
    for (Target& t : e.targets) t.line = 0;
    return e;
}

class Authoring : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("kivo_authoring_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

TEST_F(Authoring, TheWrittenTextReadsBackToTheSameExercise) {
    std::vector<Exercise> cases;
    for (const auto& entry : fs::directory_iterator(kExamples / "exercises"))
        if (entry.path().extension() == ".kex") cases.push_back(ReadExercise(entry.path()));
    ASSERT_EQ(cases.size(), 3u);
    // Texts a teacher may well type: quotes, a backslash, tabs, line breaks,
    // a text starting with one, accents; a minimum target and a band.
    Exercise awkward = cases.front();
    awkward.titlePt = "Malha \"FIC-101\" \\ vazão\tágua";
    awkward.taskEn = "\nFirst line\r\nsecond \"\"\" line\n";
    awkward.targets.front().atLeast = true;
    awkward.targets.front().limit = 1e-5;
    awkward.scenario.events.at(1).value = -0.1;  // the setpoint step
    Event fault;
    fault.kind = EventKind::Process;
    fault.process = 21;
    fault.field = "stiction";
    fault.text = "2,5";
    fault.time = 100.5;
    fault.hidden = true;
    awkward.scenario.events.push_back(fault);
    awkward.drill = Drill{"Qual?", "Which?", {{"a \"b\"", "a"}, {"c", "d"}}, 2, 0.5};
    cases.push_back(awkward);
    for (const Exercise& e : cases) {
        SCOPED_TRACE(e.file.string());
        const std::string text = ExerciseText(e, "written by a test\n\nover two paragraphs");
        const Exercise back = WithoutLines(ParseExercise(text, e.file));
        const Exercise want = WithoutLines(e);
        // Part by part, so that a failure says which.
        EXPECT_EQ(back.titlePt, want.titlePt);
        EXPECT_EQ(back.titleEn, want.titleEn);
        EXPECT_EQ(back.taskPt, want.taskPt);
        EXPECT_EQ(back.taskEn, want.taskEn);
        EXPECT_EQ(back.plant, want.plant);
        EXPECT_EQ(back.fingerprint, want.fingerprint);
        EXPECT_EQ(back.allowed, want.allowed);
        EXPECT_TRUE(back.scenario == want.scenario) << text;
        EXPECT_TRUE(back.targets == want.targets) << text;
        EXPECT_TRUE(back.drill == want.drill) << text;
        EXPECT_TRUE(back == want);
    }
}

TEST_F(Authoring, RemovingAnEventKeepsTheTargetsOnTheEventsTheyFollowed) {
    Exercise e;
    for (int i = 0; i < 3; ++i) {
        Event v;
        v.time = 60.0 * (i + 1);
        v.controller = 1;
        e.scenario.events.push_back(v);
    }
    const auto target = [](Measure m, int event) {
        Target t;
        t.measure = m;
        t.event = event;
        return t;
    };
    e.targets = {target(Measure::Overshoot, 1), target(Measure::SettlingTime, 2), target(Measure::MaxDeviation, 3),
                 target(Measure::MeanAbsError, 0)};
    RemoveEvent(e, 1);
    ASSERT_EQ(e.scenario.events.size(), 2u);
    EXPECT_EQ(e.scenario.events[1].time, 180);
    ASSERT_EQ(e.targets.size(), 3u);
    EXPECT_EQ(e.targets[0].event, 1);
    EXPECT_EQ(e.targets[1].measure, Measure::MaxDeviation);
    EXPECT_EQ(e.targets[1].event, 2);
    EXPECT_EQ(e.targets[2].measure, Measure::MeanAbsError);
    RemoveEvent(e, 7);  // no such event: nothing changes
    EXPECT_EQ(e.targets.size(), 3u);
}

TEST_F(Authoring, ASaveIsCheckedBeforeItReplacesAnything) {
    Exercise e = ReadExercise(kExamples / "exercises/flow-tuning.kex");
    const fs::path file = dir_ / "class 7/flow.kex";
    fs::create_directories(file.parent_path());
    SaveExercise(e, file, "saved by a test");
    // Named from its new folder, and it opens with its plant.
    EXPECT_TRUE(e.plant.is_relative()) << e.plant;
    const Exercise reopened = ReadExercise(file);
    EXPECT_EQ(fs::weakly_canonical(reopened.PlantPath()),
              fs::weakly_canonical(kExamples / "basic flow loop/basic flow loop.smp"));
    EXPECT_NO_THROW(ReadPlant(reopened));

    const std::string before = Bytes(file);
    const Exercise kept = e;
    struct Bad {
        const char* name;
        std::function<void(Exercise&)> edit;
        const char* says;
    };
    const Bad bad[] = {
        {"a loop the plant lacks", [](Exercise& x) { x.targets.front().loop = 9; }, "controller 9 is not in the plant"},
        {"an event beyond the window", [](Exercise& x) { x.scenario.events.front().time = 1e6; }, "must be from 0"},
        {"a plant that is gone", [](Exercise& x) { x.plant = "nowhere.smp"; }, "nowhere.smp"},
    };
    for (const Bad& b : bad) {
        SCOPED_TRACE(b.name);
        Exercise x = e;
        b.edit(x);
        const Exercise asEdited = x;
        try {
            SaveExercise(x, file);
            ADD_FAILURE() << "saved";
        } catch (const ExerciseError& err) {
            EXPECT_NE(std::string(err.what()).find(b.says), std::string::npos) << err.what();
        }
        EXPECT_EQ(x, asEdited);
        EXPECT_EQ(Bytes(file), before);
    }
    EXPECT_EQ(e, kept);
}

TEST_F(Authoring, TheSuggestedLimitsAreOnesThePlantItselfMeets) {
    for (const char* plantFile : {"basic flow loop/basic flow loop.smp", "furnace masterslave/furnace.smp"}) {
        SCOPED_TRACE(plantFile);
        Suggestion s = SuggestExercise(kExamples / plantFile);
        ASSERT_FALSE(s.exercise.targets.empty());
        GradeRow row = GradeLines(s.exercise, s.plant, s.plant.lines, std::nullopt, "plant");
        ASSERT_TRUE(row.valid) << row.message;
        EXPECT_EQ(row.total, row.max);
        // A target edited to a minimum is suggested below the plant's value.
        s.exercise.targets.front().atLeast = true;
        s.exercise.scenario.repeats = 2;
        EXPECT_TRUE(SuggestLimits(s.exercise, s.plant).empty());
        row = GradeLines(s.exercise, s.plant, s.plant.lines, std::nullopt, "plant");
        EXPECT_EQ(row.total, row.max);
        EXPECT_LT(s.exercise.targets.front().limit, *row.targets.front().value);
    }
    EXPECT_THROW(SuggestExercise(kExamples / "no such plant.smp"), std::runtime_error);
}

}  // namespace
}  // namespace kivo::exercises
