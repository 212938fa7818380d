#pragma once
// A starting exercise written from a project, so a teacher begins from the
// plant's own numbers: every active loop may have its Kc, Ti and Td changed,
// gets a 10 % setpoint step a minute into a 30-minute run, and targets set
// from what the project's current settings achieve in that run, with slack.
#include <filesystem>
#include <string>

namespace kivo::exercises {

// The slack the suggested targets leave over the plant's own result.
inline constexpr double kTargetSlack = 1.25;

// The exercise's text (TOML, commented). plant is the project file; exercise
// is where the text will be saved, so the plant is named relative to it.
// Throws std::runtime_error (an ExerciseError when the project loads but has
// no active loop); the message names the file.
std::string NewExerciseText(const std::filesystem::path& plant, const std::filesystem::path& exercise);

}  // namespace kivo::exercises
