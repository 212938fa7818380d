// kivo-examples: builds the example plants that ship with KIVO.
//
//   kivo-examples DIR [--only FOLDER]... [--preview DIR2]
//       writes every plant (or the named ones) into DIR/<folder>: project
//       file, background picture and thumbnail; with --preview also a copy
//       of each picture with the places of markers and widgets outlined.
//   kivo-examples --check DIR
//       writes every plant into a scratch folder and compares the files with
//       those in DIR: the committed examples must be what the plants build.
//   kivo-examples --trial FILE.smp [--plot OUT.bmp] [--step T] [--zoom S]
//       runs a written example for an hour with a 10 % setpoint step and
//       prints what every loop did; --zoom plots S seconds after the step.
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

#include "Authoring.h"
#include "StepTest.h"
#include "core/NumberText.h"

namespace ex = kivo::examples;

namespace {

int UsageError() {
    std::cerr << "usage: kivo-examples DIR [--only FOLDER]... [--preview DIR2]\n"
                 "       kivo-examples --check DIR\n"
                 "       kivo-examples --trial FILE.smp [--plot OUT.bmp] [--step T] [--zoom S]\n";
    return 2;
}

// Settling time of a plant before it is written, in simulated seconds.
constexpr double kSettlingTime = 4 * 3600;

// Builds the plants (all, or those named) into dir; returns the number of
// failures, each reported on stderr.
int Build(const std::string& dir, const std::vector<std::string>& so, const std::string& preview, bool list) {
    int failures = 0;
    for (const ex::Plant& plant : ex::Plants()) {
        if (!so.empty() && std::find(so.begin(), so.end(), plant.folder) == so.end()) continue;
        ex::Author a(plant);
        plant.build(a);
        for (const auto& m : a.Apply()) {
            std::cerr << plant.folder << ": " << m << "\n";
            ++failures;
        }
        a.Run(kSettlingTime);
        const std::string error = ex::Write(a, plant, dir);
        if (!error.empty()) {
            std::cerr << plant.folder << ": " << error << "\n";
            ++failures;
        }
        if (!preview.empty()) ex::WritePreview(a, preview + "/" + plant.folder + ".bmp");
        if (list) std::cout << plant.folder << "/" << plant.file << "\n";
    }
    return failures;
}

std::string Bytes(const std::filesystem::path& file) {
    std::ifstream f(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

// Every file the plants write must exist in dir with the same bytes.
int Check(const std::filesystem::path& dir) {
    namespace fs = std::filesystem;
    const fs::path scratch = fs::temp_directory_path() / ("kivo-examples-" + std::to_string(::getpid()));
    fs::remove_all(scratch);
    int failures = Build(scratch.string(), {}, "", false);
    for (const auto& e : fs::recursive_directory_iterator(scratch)) {
        if (!e.is_regular_file()) continue;
        const fs::path relPath = fs::relative(e.path(), scratch);
        if (!fs::exists(dir / relPath) || Bytes(dir / relPath) != Bytes(e.path())) {
            std::cerr << relPath.string() << ": differs from what its plant builds; run kivo-examples " << dir.string()
                      << "\n";
            ++failures;
        }
    }
    fs::remove_all(scratch);
    return failures;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return UsageError();

    if (args[0] == "--check") {
        if (args.size() != 2) return UsageError();
        return Check(args[1]) == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
    }
    if (args[0] == "--trial") {
        if (args.size() < 2) return UsageError();
        std::string plot;
        double T = 0.1;
        double zoom = 0;
        for (std::size_t i = 2; i + 1 < args.size(); i += 2) {
            if (args[i] == "--plot") plot = args[i + 1];
            else if (args[i] == "--step") T = kivo::ParseReal(args[i + 1]);
            else if (args[i] == "--zoom") zoom = kivo::ParseReal(args[i + 1]);
            else return UsageError();
        }
        return ex::RunStepTest(args[1], plot, 3600, T, zoom);
    }

    const std::string dir = args[0];
    std::vector<std::string> so;
    std::string preview;
    for (std::size_t i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == "--only") so.push_back(args[i + 1]);
        else if (args[i] == "--preview") preview = args[i + 1];
        else return UsageError();
    }

    const int failures = Build(dir, so, preview, true);
    return failures == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
