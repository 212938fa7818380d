// kivo-batch: the headless companion of the simulator.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "cli/Commands.h"

namespace {

struct Comando {
    const char* nome;
    int (*executa)(const kivo::cli::Args&);
    const char* uso;
};

const Comando kComandos[] = {
    {"eval", kivo::cli::ComandoEval, "eval EXPR [--set Mnn=VALUE ...]   evaluate an expression"},
    {"check", kivo::cli::ComandoCheck, "check FILE.smp [--english]         load a project, list its messages and objects"},
    {"resave", kivo::cli::ComandoResave, "resave IN.smp OUT.smp [--english]  load a project and write it back"},
    {"run", kivo::cli::ComandoRun, "run PROJECT.smp [OPTIONS]          fast simulation: performance indices, archive"},
    {"simulate", kivo::cli::ComandoSimulate,
     "simulate PROJECT.smp --duration S --print M21,...  real-time cycle without pacing, CSV"},
    {"indices", kivo::cli::ComandoIndices, "indices ARCHIVE.txd --project P.smp  performance indices of an archive"},
    {"bumptest", kivo::cli::ComandoBumptest,
     "bumptest PROJECT.smp --loop N --step P --duration S  step test of a loop in manual, CSV"},
    {"tune", kivo::cli::ComandoTune, "tune SERIES --loop N [OPTIONS]      identify the process and propose settings"},
};

void Ajuda(std::FILE* out) {
    std::fprintf(out, "Usage: kivo-batch COMMAND [ARGS...]\n\nCommands:\n");
    for (const auto& c : kComandos) std::fprintf(out, "  %s\n", c.uso);
    std::fprintf(out,
                 "\nOptions:\n  --help       show this help\n  --version    show the version\n"
                 "\nExit codes: 0 ok, 2 usage error, 3 bad input.\n");
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        Ajuda(stderr);
        return kivo::cli::kUso;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        Ajuda(stdout);
        return kivo::cli::kOk;
    }
    if (args[0] == "--version") {
        std::printf("kivo-batch %s\n", KIVO_VERSION);
        return kivo::cli::kOk;
    }
    for (const auto& c : kComandos) {
        if (args[0] != c.nome) continue;
        // The commands report what they refuse themselves; whatever still
        // escapes one (memory exhausted, say) is a message too, not an abort.
        try {
            return c.executa(kivo::cli::Args(args.begin() + 1, args.end()));
        } catch (const std::exception& e) {
            std::fprintf(stderr, "kivo-batch %s: %s\n", c.nome, e.what());
            return kivo::cli::kEntradaInvalida;
        }
    }
    std::fprintf(stderr, "kivo-batch: unknown command '%s' (see kivo-batch --help)\n", args[0].c_str());
    return kivo::cli::kUso;
}
