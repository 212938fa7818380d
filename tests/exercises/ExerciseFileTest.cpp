// The exercise file: a malformed file names its line and key and says what
// is wrong; the shipped exercises read.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "exercises/Exercise.h"

namespace kivo::exercises {
namespace {

namespace fs = std::filesystem;

// A minimal valid exercise; each case below replaces one part of it.
const std::string kValid = R"(title = { pt = "T", en = "T" }
[plant]
project = "p.smp"
[allowed]
"controller 1" = ["kc", "ti"]
[scenario]
window = 600
[[scenario.event]]
time = 60
kind = "setpoint"
controller = 1
step = 10
[[target]]
loop = 1
measure = "overshoot"
max = 10
)";

fs::path Write(const std::string& text) {
    const fs::path p = fs::temp_directory_path() / ("kivo_exercise_" + std::to_string(::getpid()) + ".kex");
    std::ofstream(p, std::ios::binary) << text;
    return p;
}

std::string Replace(std::string s, const std::string& from, const std::string& to) {
    const auto at = s.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return s.replace(at, from.size(), to);
}

struct BadCase {
    const char* name;
    std::string text;
    int line;
    const char* key;
    const char* says;
};

TEST(ExerciseFile, AMalformedFileNamesItsLineAndKey) {
    const BadCase cases[] = {
        {"toml syntax", Replace(kValid, "window = 600", "window = = 600"), 7, "", ""},
        {"missing window", Replace(kValid, "[scenario]\nwindow = 600\n", ""), 0, "scenario.window", "is missing"},
        {"text for a number", Replace(kValid, "window = 600", "window = \"long\""), 7, "scenario.window", "number"},
        {"window out of range", Replace(kValid, "window = 600", "window = 99999"), 7, "scenario.window", "from 60"},
        {"unknown object", Replace(kValid, "\"controller 1\"", "\"valve 1\""), 5, "allowed.\"valve 1\"", "names no object"},
        {"controller 11", Replace(kValid, "\"controller 1\"", "\"controller 11\""), 5, "allowed.\"controller 11\"",
         "names no object"},
        {"unknown field", Replace(kValid, "[\"kc\", \"ti\"]", "[\"kc\", \"gain\"]"), 5, "allowed.\"controller 1\"",
         "\"gain\" is not a field of a controller"},
        {"event beyond the window", Replace(kValid, "time = 60", "time = 700"), 9, "scenario.event[1].time", "from 0 to 600"},
        {"unknown event", Replace(kValid, "kind = \"setpoint\"", "kind = \"explode\""), 10, "scenario.event[1].kind",
         "not setpoint"},
        {"unknown process field", Replace(kValid, "kind = \"setpoint\"\ncontroller = 1\nstep = 10",
                                          "kind = \"process\"\nprocess = 21\nfield = \"colour\"\nvalue = 3"),
         12, "scenario.event[1].field", "\"colour\" is not gain"},
        {"process that does not exist", Replace(kValid, "kind = \"setpoint\"\ncontroller = 1\nstep = 10",
                                                "kind = \"process\"\nprocess = 5\nfield = \"gain\"\nvalue = 3"),
         11, "scenario.event[1].process", "names no object"},
        {"unknown measure", Replace(kValid, "\"overshoot\"", "\"happiness\""), 15, "target[1].measure",
         "\"happiness\" is not a measure"},
        {"loop 0", Replace(kValid, "loop = 1", "loop = 0"), 14, "target[1].loop", "from 1 to 10"},
        {"both limits", Replace(kValid, "max = 10", "max = 10\nmin = 1"), 13, "target[1]", "either max or min"},
        {"event measure without an event", Replace(kValid, "[[scenario.event]]\ntime = 60\nkind = \"setpoint\"\ncontroller = 1\nstep = 10\n", ""),
         8, "target[1].event", "has none"},
        {"drill without a hidden event",
         kValid + "[drill]\nquestion = { pt = \"Q\", en = \"Q\" }\nchoices = [{ pt = \"a\", en = \"a\" }, { pt = \"b\", en = \"b\" }]\nanswer = 1\n",
         17, "drill", "the scenario has none"},
        {"drill answer beyond the choices",
         Replace(kValid, "step = 10", "step = 10\nhidden = true") +
             "[drill]\nquestion = { pt = \"Q\", en = \"Q\" }\nchoices = [{ pt = \"a\", en = \"a\" }, { pt = \"b\", en = \"b\" }]\nanswer = 3\n",
         21, "drill.answer", "from 1 to 2"},
        {"no target", kValid.substr(0, kValid.find("[[target]]")), 0, "target", "nothing to grade"},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path p = Write(c.text);
        try {
            ReadExercise(p);
            ADD_FAILURE() << "read without complaint";
        } catch (const ExerciseError& e) {
            EXPECT_EQ(e.file(), p);
            if (c.line) {
                EXPECT_EQ(e.line(), c.line) << e.what();
            }
            EXPECT_EQ(e.key(), c.key) << e.what();
            EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
            EXPECT_EQ(std::string(e.what()).rfind(p.string(), 0), 0u) << e.what();
        }
        fs::remove(p);
    }
}

TEST(ExerciseFile, AMissingOrUnreadableFileIsAnError) {
    EXPECT_THROW(ReadExercise("/nonexistent/x.kex"), ExerciseError);
    EXPECT_THROW(ReadExercise(fs::temp_directory_path()), ExerciseError);
}

TEST(ExerciseFile, TheShippedExercisesRead) {
    for (const auto& entry : fs::directory_iterator(fs::path(KIVO_SOURCE_DIR) / "examples/exercises")) {
        if (entry.path().extension() != ".kex") continue;
        SCOPED_TRACE(entry.path().string());
        const Exercise e = ReadExercise(entry.path());
        EXPECT_FALSE(e.titlePt.empty());
        EXPECT_FALSE(e.taskEn.empty());
        EXPECT_TRUE(fs::exists(e.PlantPath()));
        EXPECT_GT(e.MaxPoints(), 0);
    }
}

}  // namespace
}  // namespace kivo::exercises
