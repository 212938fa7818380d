#pragma once
// A student's project against the exercise's plant: which settings differ
// outside what the exercise allows, and the project the grade runs, which is
// the plant (its state, generators, table and everything else) with the
// student's allowed settings put in.
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "exercises/Exercise.h"

namespace kivo::exercises {

// The settings of the objects an exercise can name, by the names it uses
// for them ("kc", "gain", "formula") and their keys in the project file.
// This table is the one place where the exercise's field names meet the
// file's Portuguese keys.
struct FieldKey {
    ObjectKind kind;
    const char* name;  // in the exercise file and in messages
    const char* key;   // the project file's key, with its ":"
};
const std::vector<FieldKey>& FieldKeys();
// Whether the exercise may name this field for this kind of object.
bool IsField(ObjectKind kind, std::string_view name);

// "controller 1", "process 21", "block 41".
std::string ObjectName(const ObjectRef& o);

// The fingerprint of a plant file's bytes (64-bit FNV-1a, "fnv1a64:" and 16
// hexadecimal digits): changes with any byte of the file.
std::string Fingerprint(std::string_view bytes);

// The controllers, processes and blocks a project's lines hold.
std::set<ObjectRef> ObjectsIn(const std::vector<std::string>& lines);
// Their tags ("FIC-101"), for the objects that have one.
std::map<ObjectRef, std::string> ObjectTags(const std::vector<std::string>& lines);

struct Comparison {
    // "process 21: gain 1.5 → 1.2", "controller 2: added"; empty when the
    // submission changes only what the exercise allows.
    std::vector<std::string> differences;
    // The plant's lines with the allowed settings of the submission (UTF-8).
    std::vector<std::string> gradedLines;
};

// Compares the lines of the plant and of the submission (ProjectLines).
// State (integrals, previous values, modes) and the objects' tag and
// description never count as differences: the run takes the state from the
// plant, and the texts change nothing.
Comparison Compare(const Exercise& exercise, const std::vector<std::string>& plant,
                   const std::vector<std::string>& submission);

}  // namespace kivo::exercises
