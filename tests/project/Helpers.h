#pragma once
// Helpers shared by the project file tests: the fixture, loading from lines,
// editing a file's lines by content, and looking at what a save left.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "project/ProjectFile.h"
#include "project/TextFile.h"

namespace kivo::test {

inline std::string ReadFixture(const std::string& name) {
    std::ifstream f(std::string(KIVO_TEST_DIR) + "/fixtures/" + name, std::ios::binary);
    EXPECT_TRUE(f.good()) << name;
    return std::string(std::istreambuf_iterator<char>(f), {});
}

// A file of the example plants, by its path under examples/.
inline std::string ReadExample(const std::string& path) {
    std::ifstream f(std::string(KIVO_EXAMPLES_DIR) + "/" + path, std::ios::binary);
    EXPECT_TRUE(f.good()) << path;
    return std::string(std::istreambuf_iterator<char>(f), {});
}

inline std::vector<std::string> FixtureLines(const std::string& name) { return SplitLines(ReadFixture(name)); }

inline LoadResult Load(Project& p, const std::vector<std::string>& lines, const std::string& name = "teste.smp",
                              LoadObserver* obs = nullptr) {
    LoadOptions op;
    op.observer = obs;
    return ReadProjectBytes(p, JoinLines(lines), name, op);
}

// Index of the first line equal to text, counting from 0.
inline std::size_t Index(const std::vector<std::string>& lines, const std::string& text) {
    const auto it = std::find(lines.begin(), lines.end(), text);
    EXPECT_NE(it, lines.end()) << text;
    return static_cast<std::size_t>(it - lines.begin());
}

// Replaces the first line equal to before.
inline std::vector<std::string> ReplaceLine(std::vector<std::string> lines, const std::string& before,
                                      const std::string& after) {
    lines[Index(lines, before)] = after;
    return lines;
}

inline std::string Contents(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

// What the system says of a path itself (a link is not followed).
inline struct stat State(const std::filesystem::path& p) {
    struct stat st {};
    EXPECT_EQ(lstat(p.c_str(), &st), 0) << p;
    return st;
}

// Names in the folder that a save uses for its temporary files.
inline std::vector<std::string> TemporaryFiles(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) {
        const std::string name = e.path().filename().string();
        if (name.find(".kivo-save-") != std::string::npos) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace kivo::test
