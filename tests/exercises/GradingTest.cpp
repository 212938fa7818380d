// Grading a class: a generated set of submissions graded to the expected
// table, the same grade on one thread and on two, repeats that reproduce.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "exercises/Grading.h"
#include "exercises/ScenarioRun.h"
#include "project/ProjectFile.h"

namespace kivo::exercises {
namespace {

namespace fs = std::filesystem;

const fs::path kExercise = fs::path(KIVO_SOURCE_DIR) / "examples/exercises/flow-tuning.kex";

std::string ReadBytes(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

// The plant with some of its lines replaced ("{C01/03} Kc:0.5" → "... Kc:1.2").
std::string Edited(std::string text, const std::vector<std::pair<std::string, std::string>>& edits) {
    for (const auto& [from, to] : edits) {
        const auto at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos) text.replace(at, from.size(), to);
    }
    return text;
}

class Class : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("kivo_grading_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        exercise_ = ReadExercise(kExercise);
        plant_ = ReadPlant(exercise_);
        plantText_ = ReadBytes(exercise_.PlantPath());
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path Submit(const std::string& name, const std::string& bytes) {
        const fs::path p = dir_ / (name + ".smp");
        std::ofstream(p, std::ios::binary) << bytes;
        return p;
    }

    fs::path dir_;
    Exercise exercise_;
    Plant plant_;
    std::string plantText_;
};

TEST_F(Class, IsGradedToTheExpectedTable) {
    struct Case {
        const char* student;
        std::string bytes;
        bool valid;
        double total;
        const char* difference;  // the one expected, or empty
    };
    const Case cases[] = {
        {"unchanged", plantText_, true, 2, ""},                                        // overshoots 39 %, travels
        {"sluggish", Edited(plantText_, {{"Kc:0.5\r", "Kc:0.05\r"}}), true, 3, ""},  // settles in 62 s
        {"aggressive", Edited(plantText_, {{"Kc:0.5\r", "Kc:1.2\r"}}), true, 0, ""},  // unstable: never settles
        {"retuned", Edited(plantText_, {{"Kc:0.5\r", "Kc:0.3\r"}, {"Ti:2\r", "Ti:4\r"}}), true, 5, ""},
        {"state and tag", Edited(plantText_, {{"Iant:10.00", "Iant:33.00"}, {"Tag:FIC-101", "Tag:MY-LOOP"}}), true, 2, ""},
        {"tampered", Edited(plantText_, {{"Tempo Morto:1\r", "Tempo Morto:0.2\r"}}), false, 0,
         "process 21: dead_time 1 → 0.2"},
        {"not a project", "garbage\r\n", false, 0, ""},
    };
    std::vector<fs::path> files;
    for (const Case& c : cases) files.push_back(Submit(c.student, c.bytes));
    files.push_back(dir_ / "never-handed-in.smp");

    const std::vector<GradeRow> rows = GradeAll(exercise_, plant_, files, 2);
    ASSERT_EQ(rows.size(), files.size());
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.student);
        EXPECT_EQ(rows[i].student, c.student);
        EXPECT_EQ(rows[i].valid, c.valid) << rows[i].message;
        EXPECT_EQ(rows[i].total, c.total);
        EXPECT_EQ(rows[i].max, 5);
        if (*c.difference) {
            EXPECT_EQ(rows[i].differences, std::vector<std::string>{c.difference});
        }
        if (c.valid) {
            EXPECT_EQ(rows[i].targets.size(), exercise_.targets.size());
        } else {
            EXPECT_FALSE(rows[i].message.empty());
        }
    }
    EXPECT_FALSE(rows.back().valid);
    EXPECT_NE(rows.back().message.find("never-handed-in.smp"), std::string::npos);
}

TEST_F(Class, OneThreadAndTwoGiveTheSameGradeAndRepeatsReproduce) {
    exercise_.scenario.repeats = 3;
    std::vector<fs::path> files;
    for (const char* kc : {"0.2", "0.5", "0.8", "1.1"})
        files.push_back(Submit(std::string("kc") + kc, Edited(plantText_, {{"Kc:0.5\r", std::string("Kc:") + kc + "\r"}})));
    const auto one = GradeAll(exercise_, plant_, files, 1);
    const auto two = GradeAll(exercise_, plant_, files, 2);
    const auto again = GradeAll(exercise_, plant_, files, 2);
    for (std::size_t i = 0; i < files.size(); ++i)
        for (std::size_t k = 0; k < exercise_.targets.size(); ++k) {
            SCOPED_TRACE(files[i].stem().string() + " target " + std::to_string(k + 1));
            EXPECT_EQ(one[i].targets[k].value, two[i].targets[k].value);  // bit for bit, or both none
            EXPECT_EQ(one[i].targets[k].value, again[i].targets[k].value);
            EXPECT_EQ(one[i].targets[k].spread, again[i].targets[k].spread);
        }
}

TEST_F(Class, AProcessEventChangesTheRunFromItsTimeOn) {
    const fs::path student = Submit("student", plantText_);
    Target travel;
    travel.loop = 1;
    travel.measure = Measure::CoTravel;
    travel.limit = 100;
    exercise_.targets = {travel};
    Event down;  // a step back, for the valve to move after the event
    down.time = 900;
    down.controller = 1;
    down.value = -10;
    exercise_.scenario.events.push_back(down);
    const double smooth = *Grade(exercise_, plant_, student).targets[0].value;

    // The valve starts to stick ten minutes in: the controller has to push
    // it in jumps, and its output travels further.
    Event sticking;
    sticking.time = 600;
    sticking.kind = EventKind::Process;
    sticking.process = 21;
    sticking.field = "stiction";
    sticking.text = "3";
    exercise_.scenario.events.push_back(sticking);
    const double stuck = *Grade(exercise_, plant_, student).targets[0].value;
    EXPECT_GT(stuck, smooth * 1.5) << smooth << " → " << stuck;

    // A text the process refuses leaves the valve as it was.
    exercise_.scenario.events.back().text = "x";
    EXPECT_EQ(*Grade(exercise_, plant_, student).targets[0].value, smooth);
}

TEST_F(Class, TheDrillsAnswerIsGradedWithTheRest) {
    const Exercise drill = ReadExercise(fs::path(KIVO_SOURCE_DIR) / "examples/exercises/sticking-valve.kex");
    const Plant plant = ReadPlant(drill);
    const std::string tuned = Edited(plantText_, {{"Kc:0.5\r", "Kc:0.2\r"}, {"Ti:2\r", "Ti:6\r"}});
    const auto answering = [&](const std::string& line) {
        return Edited(tuned, {{"<BEGIN_COMMENTS>\r\n", "<BEGIN_COMMENTS>\r\n" + line + "\r\n"}});
    };
    struct Case {
        const char* student;
        std::string bytes;
        std::optional<int> answer;
        double total;
    };
    const Case cases[] = {
        {"right", answering("Exercise answer: 2"), 2, 6},
        {"right in Portuguese", answering("Resposta do exerc\xED" "cio: 2"), 2, 6},  // the file's code page
        {"wrong", answering("Exercise answer: 3"), 3, 4},
        {"not a number", answering("Exercise answer: the valve"), std::nullopt, 4},
        {"no answer", tuned, std::nullopt, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.student);
        const GradeRow row = Grade(drill, plant, Submit("student", c.bytes));
        EXPECT_TRUE(row.valid) << row.message;
        EXPECT_EQ(row.answer, c.answer);
        EXPECT_EQ(row.total, c.total);
        EXPECT_EQ(row.max, 6);
    }
}

TEST_F(Class, WhatTheExerciseNamesMustBeInThePlant) {
    struct Case {
        const char* name;
        std::function<void(Exercise&)> change;
        const char* key;
    };
    const Case cases[] = {
        {"allowed", [](Exercise& e) { e.allowed[{ObjectKind::Block, 42}] = {"formula"}; }, "allowed.\"block 42\""},
        {"target", [](Exercise& e) { e.targets[0].loop = 5; }, "target[1].loop"},
        {"event", [](Exercise& e) { e.scenario.events[1].controller = 7; }, "scenario.event[2].controller"},
        {"process event", [](Exercise& e) { e.scenario.events[0].process = 22; }, "scenario.event[1].process"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Exercise e = exercise_;
        c.change(e);
        try {
            ReadPlant(e);
            ADD_FAILURE() << "accepted";
        } catch (const ExerciseError& error) {
            EXPECT_EQ(error.key(), c.key);
            EXPECT_NE(std::string(error.what()).find("is not in the plant"), std::string::npos) << error.what();
        }
    }
}

// A frozen or biased measurement is what the controller and the trends see
// from the event on; the plant behind it runs on.
TEST_F(Class, MeasurementFaultsShowOnThePvFromTheirEventOn) {
    struct Case {
        EventKind kind;
        double value;
    };
    for (const Case& c : {Case{EventKind::Freeze, 0}, Case{EventKind::Bias, 5}}) {
        SCOPED_TRACE(c.kind == EventKind::Freeze ? "freeze" : "bias");
        Scenario s = exercise_.scenario;
        Event fault;
        fault.time = 600;
        fault.kind = c.kind;
        fault.controller = 1;
        fault.value = c.value;
        s.events.push_back(fault);
        Event later;  // a step the frozen loop cannot follow
        later.time = 900;
        later.controller = 1;
        later.value = -10;
        s.events.push_back(later);
        Project p(true);
        ASSERT_TRUE(ReadProjectBytes(p, plantText_, "plant.smp").ok);
        const PerformanceRow row = RunScenario(p.sim, s, 1);
        const LoopSeries& x = row.loop(1).series;
        if (c.kind == EventKind::Freeze) {
            for (std::size_t k = 600; k < x.size(); ++k) ASSERT_EQ(x.pv[k], x.pv[599]) << k;
        } else {
            EXPECT_NEAR(x.pv[600] - x.pv[598], 5, 0.5);  // the jump, before the controller answers
            EXPECT_NEAR(x.pv[899], x.sp[899], 0.5);        // which brings the reading back to SP
        }
    }
}

TEST_F(Class, APlantThatChangedAfterTheExerciseIsRefused) {
    exercise_.fingerprint = "fnv1a64:0000000000000000";
    try {
        ReadPlant(exercise_);
        ADD_FAILURE() << "accepted";
    } catch (const ExerciseError& e) {
        EXPECT_EQ(e.key(), "plant.fingerprint");
        EXPECT_NE(std::string(e.what()).find("was changed"), std::string::npos);
    }
}

}  // namespace
}  // namespace kivo::exercises
