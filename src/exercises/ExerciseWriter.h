#pragma once
// Writing an exercise file: the model as commented TOML that ReadExercise
// reads back to the same exercise, and the checked save of the editor.
#include <filesystem>
#include <string>

#include "exercises/Exercise.h"
#include "exercises/Grading.h"

namespace kivo::exercises {

// The exercise as the text of its file. header, when given, opens the file
// as comment lines.
std::string ExerciseText(const Exercise& exercise, const std::string& header = {});

// The plant as an exercise file at exerciseFile names it: relative to the
// file's folder when it can be, so that the two travel together.
std::filesystem::path PlantNameFor(const std::filesystem::path& plant, const std::filesystem::path& exerciseFile);

// Checks an exercise being edited as a file of it would be checked when
// read, and against the plant. Throws ExerciseError; its line is the line of
// the exercise's text (ExerciseText), its key the one a file would have.
void CheckExercise(const Exercise& exercise, const Plant& plant);

// Saves the exercise as file: the plant named relative to the file's folder
// and fingerprinted as it is on disk now (the teacher saving is the one who
// owns the plant), the text read back and checked against the plant before
// anything is written, then written whole. On success the exercise is the
// one saved (file, plant, fingerprint); on ExerciseError the file is left as
// it was and the exercise unchanged.
void SaveExercise(Exercise& exercise, const std::filesystem::path& file, const std::string& header = {});

}  // namespace kivo::exercises
