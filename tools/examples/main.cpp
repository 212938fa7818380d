// kivo-examples: builds the example plants that ship with KIVO.
//
//   kivo-examples DIR [--only FOLDER]... [--preview DIR2]
//       writes every plant (or the named ones) into DIR/<folder>: project
//       file, background picture and thumbnail; with --preview also a copy
//       of each picture with the places of markers and widgets outlined.
//   kivo-examples --trial FILE.smp [--plot OUT.bmp] [--step T] [--zoom S]
//       runs a written example for an hour with a 10 % setpoint step and
//       prints what every loop did; --zoom plots S seconds after the step.
#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "Autoria.h"
#include "Ensaio.h"
#include "core/NumberText.h"

namespace ex = kivo::exemplos;

namespace {

int Uso() {
    std::cerr << "usage: kivo-examples DIR [--only FOLDER]... [--preview DIR2]\n"
                 "       kivo-examples --trial FILE.smp [--plot OUT.bmp] [--step T] [--zoom S]\n";
    return 2;
}

// Settling time of a plant before it is written, in simulated seconds.
constexpr double kAssentamento = 4 * 3600;

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return Uso();

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
        std::cout << planta.pasta << "/" << planta.arquivo << "\n";
    }
    return falhas == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
