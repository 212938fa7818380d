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

#include "Autoria.h"
#include "Ensaio.h"
#include "core/NumberText.h"

namespace ex = kivo::exemplos;

namespace {

int Uso() {
    std::cerr << "usage: kivo-examples DIR [--only FOLDER]... [--preview DIR2]\n"
                 "       kivo-examples --check DIR\n"
                 "       kivo-examples --trial FILE.smp [--plot OUT.bmp] [--step T] [--zoom S]\n";
    return 2;
}

// Settling time of a plant before it is written, in simulated seconds.
constexpr double kAssentamento = 4 * 3600;

// Builds the plants (all, or those named) into dir; returns the number of
// failures, each reported on stderr.
int Constroi(const std::string& dir, const std::vector<std::string>& so, const std::string& previa, bool lista) {
    int falhas = 0;
    for (const ex::Planta& planta : ex::Plantas()) {
        if (!so.empty() && std::find(so.begin(), so.end(), planta.pasta) == so.end()) continue;
        ex::Autor a(planta);
        planta.constroi(a);
        for (const auto& m : a.Aplica()) {
            std::cerr << planta.pasta << ": " << m << "\n";
            ++falhas;
        }
        a.Executa(kAssentamento);
        const std::string erro = ex::Grava(a, planta, dir);
        if (!erro.empty()) {
            std::cerr << planta.pasta << ": " << erro << "\n";
            ++falhas;
        }
        if (!previa.empty()) ex::GravaPrevia(a, previa + "/" + planta.pasta + ".bmp");
        if (lista) std::cout << planta.pasta << "/" << planta.arquivo << "\n";
    }
    return falhas;
}

std::string Bytes(const std::filesystem::path& arquivo) {
    std::ifstream f(arquivo, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

// Every file the plants write must exist in dir with the same bytes.
int Confere(const std::filesystem::path& dir) {
    namespace fs = std::filesystem;
    const fs::path rascunho = fs::temp_directory_path() / ("kivo-examples-" + std::to_string(::getpid()));
    fs::remove_all(rascunho);
    int falhas = Constroi(rascunho.string(), {}, "", false);
    for (const auto& e : fs::recursive_directory_iterator(rascunho)) {
        if (!e.is_regular_file()) continue;
        const fs::path relativo = fs::relative(e.path(), rascunho);
        if (!fs::exists(dir / relativo) || Bytes(dir / relativo) != Bytes(e.path())) {
            std::cerr << relativo.string() << ": differs from what its plant builds; run kivo-examples " << dir.string()
                      << "\n";
            ++falhas;
        }
    }
    fs::remove_all(rascunho);
    return falhas;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return Uso();

    if (args[0] == "--check") {
        if (args.size() != 2) return Uso();
        return Confere(args[1]) == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
    }
    if (args[0] == "--trial") {
        if (args.size() < 2) return Uso();
        std::string grafico;
        double T = 0.1;
        double zoom = 0;
        for (std::size_t i = 2; i + 1 < args.size(); i += 2) {
            if (args[i] == "--plot") grafico = args[i + 1];
            else if (args[i] == "--step") T = kivo::ConverteReal(args[i + 1]);
            else if (args[i] == "--zoom") zoom = kivo::ConverteReal(args[i + 1]);
            else return Uso();
        }
        return ex::Ensaio(args[1], grafico, 3600, T, zoom);
    }

    const std::string dir = args[0];
    std::vector<std::string> so;
    std::string previa;
    for (std::size_t i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == "--only") so.push_back(args[i + 1]);
        else if (args[i] == "--preview") previa = args[i + 1];
        else return Uso();
    }

    const int falhas = Constroi(dir, so, previa, true);
    return falhas == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
