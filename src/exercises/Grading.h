#pragma once
// Grading a student's project: compare it with the plant, run the graded
// project through the exercise's scenario (once per repeat, each with its
// own seed), measure every target and add up the points. Each call works on
// projects of its own, so submissions can be graded on several threads.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "exercises/Exercise.h"

namespace kivo::exercises {

// The plant as the grade needs it, read once for a whole class.
struct Plant {
    std::vector<std::string> lines;  // ProjectLines of the loaded plant
    std::string fingerprint;         // of the plant file's bytes
};

// Reads the exercise's plant. Throws ExerciseError when the file cannot be
// read, is not a project, or does not match the exercise's fingerprint.
Plant ReadPlant(const Exercise& exercise);
// Throws ExerciseError when the exercise names an object (a loop, an
// allowed object, an event's controller or process) the plant lacks.
void CheckObjects(const Exercise& exercise, const Plant& plant);

struct TargetResult {
    const Target* target = nullptr;
    // The mean over the repeats; none when the measure has no value (a loop
    // that is not active, a step the PV never reached, a PV still outside
    // the band when the run or the next event comes).
    std::optional<double> value;
    double spread = 0;  // standard deviation over the repeats (0 for one)
    bool pass = false;
    double points = 0;  // earned
};

struct GradeRow {
    std::filesystem::path file;
    std::string student;        // the file's name without its extension
    bool valid = false;         // loaded, and changes only what is allowed
    std::string message;        // why it was not graded, when it was not
    std::vector<std::string> differences;
    std::vector<TargetResult> targets;
    // The drill's answer found in the project's comments, and what it earned.
    std::optional<int> answer;
    double answerPoints = 0;
    double total = 0;
    double max = 0;
};

// The drill's answer a project's comment lines carry (see kAnswerPrefixPt),
// the last one when there are several; none when there is none.
std::optional<int> AnswerIn(const std::vector<std::string>& commentLines);

GradeRow Grade(const Exercise& exercise, const Plant& plant, const std::filesystem::path& submission);

// The same for a project already loaded (the program's own): its lines
// (ProjectLines) and the drill's answer, if any; name is the row's student.
GradeRow GradeLines(const Exercise& exercise, const Plant& plant, const std::vector<std::string>& lines,
                    std::optional<int> answer, const std::string& name);

// Grades every submission on up to jobs threads; rows in the order given.
std::vector<GradeRow> GradeAll(const Exercise& exercise, const Plant& plant,
                               const std::vector<std::filesystem::path>& submissions, int jobs);

}  // namespace kivo::exercises
