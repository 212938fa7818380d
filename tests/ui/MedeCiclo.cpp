// Measures the real-time tick with the largest example open and no object
// window shown: the core's step plus the display refresh the timer drives
// (the diagram refresh on every sixth tick). Prints the median and the
// 95th percentile in ms: ui_medeciclo [ticks].
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include <QApplication>

#include "Auxiliares.h"
#include "ui/project/CicloProjeto.h"

int main(int argc, char** argv) {
    QApplication a(argc, argv);
    const int n = argc > 1 ? std::atoi(argv[1]) : 3000;
    kivo::ui::teste::Ambiente amb;
    amb.janela->show();
    amb.janela->ciclo().Carrega(kivo::ui::teste::PastaExemplos() + "/boiler/boiler.smp", true);
    amb.app->timer().stop();
    QObject::connect(amb.app.get(), &kivo::ui::Aplicacao::displayAtualizar, amb.janela.get(),
                     [&] { amb.janela->AtualizaDiagrama(); });
    std::vector<double> ms;
    ms.reserve(n);
    for (int i = 0; i < n; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        amb.app->Tick();
        QApplication::processEvents();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(ms.begin(), ms.end());
    int objetos = 0;
    const kivo::Simulacao& sim = amb.app->sim();
    for (int k = 1; k <= 24; ++k)
        objetos += sim.processos.ativo(k) + sim.blocos.ativo(k) + (k <= 10 && sim.controladores.ativo(k)) +
                   (k <= 10 && sim.registradores.ativo(k)) + (k <= 20 && sim.textos.ativo(k));
    std::printf("objects %d  ticks %d  median %.3f ms  p95 %.3f ms  max %.3f ms\n", objetos, n, ms[n / 2], ms[n * 95 / 100], ms.back());
    return 0;
}
