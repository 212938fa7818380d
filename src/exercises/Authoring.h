#pragma once
// Writing exercises from a plant, so a teacher starts from the plant's own
// numbers rather than a blank page: a starting exercise, limits suggested
// from a run of the plant, and the edits that keep an exercise consistent.
#include <filesystem>
#include <string>
#include <vector>

#include "exercises/Exercise.h"
#include "exercises/Grading.h"

namespace kivo::exercises {

// The slack the suggested targets leave over the plant's own result.
inline constexpr double kTargetSlack = 1.25;

struct Suggestion {
    Exercise exercise;  // the plant named by its absolute path until saved
    Plant plant;
};

// A starting exercise on a project file: every active loop may have its Kc,
// Ti and Td changed and gets a 10 % setpoint step, a minute into the run and
// five minutes apart, with targets on IEMA, overshoot and settling time set
// from what the project's current settings achieve. Throws
// std::runtime_error naming the file (an ExerciseError when the project
// loads but has no active loop).
Suggestion SuggestExercise(const std::filesystem::path& plant);

// Sets every target's limit from what the plant itself achieves in the
// scenario (graded as its own submission, over every repeat), with the
// slack. Returns the indices of the targets the plant gives no value to;
// their limits stay as they were. Throws ExerciseError when the exercise
// does not pass CheckExercise.
std::vector<std::size_t> SuggestLimits(Exercise& exercise, const Plant& plant);

// Removes the event at index. The targets measured after it go with it, and
// those after later events keep following the same events.
void RemoveEvent(Exercise& exercise, std::size_t index);

// The text `kivo-batch exercise new` writes: the suggested exercise, its
// plant named relative to where the exercise will be saved.
std::string NewExerciseText(const std::filesystem::path& plant, const std::filesystem::path& exercise);

}  // namespace kivo::exercises
