// kivo-batch: the headless companion of the simulator.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "version/Version.h"

namespace {

struct Command {
    const char* name;
    int (*run)(const kivo::cli::Args&);
    const char* usage;
};

const Command kCommands[] = {
    {"eval", kivo::cli::EvalCommand, "eval EXPR [--set Mnn=VALUE ...]   evaluate an expression"},
    {"check", kivo::cli::CheckCommand, "check FILE.smp [--english]         load a project, list its messages and objects"},
    {"resave", kivo::cli::ResaveCommand, "resave IN.smp OUT.smp [--english]  load a project and write it back"},
    {"run", kivo::cli::RunCommand, "run PROJECT.smp [OPTIONS]          fast simulation: performance indices, archive"},
    {"simulate", kivo::cli::SimulateCommand,
     "simulate PROJECT.smp --duration S --print M21,...  real-time cycle without pacing, CSV"},
    {"indices", kivo::cli::IndicesCommand, "indices ARCHIVE.txd --project P.smp  performance indices of an archive"},
    {"bumptest", kivo::cli::BumptestCommand,
     "bumptest PROJECT.smp --loop N --step P --duration S  step test of a loop in manual, CSV"},
    {"tune", kivo::cli::TuneCommand, "tune SERIES --loop N [OPTIONS]      identify the process and propose settings"},
    {"relaytest", kivo::cli::RelaytestCommand,
     "relaytest PROJECT.smp --loop N [OPTIONS]  relay test in automatic, ultimate point and settings"},
    {"grade", kivo::cli::GradeCommand, "grade EXERCISE.kex SUBMISSION.smp... [OPTIONS]  grade a class's projects"},
    {"exercise", kivo::cli::ExerciseCommand, "exercise new PROJECT.smp EXERCISE.kex  write a starting exercise"},
    {"serve", kivo::cli::ServeCommand,
     "serve PROJECT.smp [--modbus HOST:PORT] [--duration S]  real-time cycle served over Modbus TCP"},
};

void PrintHelp(std::FILE* out) {
    std::fprintf(out, "Usage: kivo-batch COMMAND [ARGS...]\n\nCommands:\n");
    for (const auto& c : kCommands) std::fprintf(out, "  %s\n", c.usage);
    std::fprintf(out,
                 "\nOptions:\n  --help       show this help\n  --version    show the version\n"
                 "\nExit codes: 0 ok, 2 usage error, 3 bad input.\n");
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        PrintHelp(stderr);
        return kivo::cli::kUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintHelp(stdout);
        return kivo::cli::kOk;
    }
    if (args[0] == "--version") {
        std::printf("kivo-batch %s\n", KIVO_VERSION);
        return kivo::cli::kOk;
    }
    for (const auto& c : kCommands) {
        if (args[0] != c.name) continue;
        // The commands report what they refuse themselves; whatever still
        // escapes one (memory exhausted, say) is a message too, not an abort.
        try {
            return c.run(kivo::cli::Args(args.begin() + 1, args.end()));
        } catch (const std::exception& e) {
            std::fprintf(stderr, "kivo-batch %s: %s\n", c.name, e.what());
            return kivo::cli::kInvalidInput;
        }
    }
    std::fprintf(stderr, "kivo-batch: unknown command '%s' (see kivo-batch --help)\n", args[0].c_str());
    return kivo::cli::kUsage;
}
