#pragma once
// The performance indices of a row of loops as kivo-batch prints them: text
// for a reader, or one JSON object for a script.
#include <string>

#include "fastsim/Loops.h"

namespace kivo {
class Project;
}

namespace kivo::cli {

// What the JSON object holds, for the commands' help.
extern const char* const kIndicesJsonHelp;

// Every active loop of the row: as text (captions in the interface language;
// "-" for a loop without indices) or as one JSON object together with the
// archive's file name (null when there is none).
void PrintIndices(const Project& project, const PerformanceRow& line, bool json, bool english,
                    const std::string* file);

}  // namespace kivo::cli
