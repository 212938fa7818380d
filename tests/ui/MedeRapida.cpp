// Measures fast runs of the largest example from the fast-simulation window,
// for the closing note: 4 h at 1 s and at 100 ms. Prints per run the time of
// "Simular" (run, indices and series put into the charts), the part spent
// putting the series into the charts, the time to draw the window with its
// charts afterwards, and the core's run alone for comparison:
// ui_mederapida [repetitions].
#include <chrono>
#include <cstdio>

#include <QApplication>
#include <QComboBox>
#include <QPushButton>

#include "Auxiliares.h"
#include "fastsim/SimulacaoRapida.h"
#include "ui/fastsim/TAboutBox.h"
#include "ui/project/CicloProjeto.h"

namespace {

double Ms(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication a(argc, argv);
    const int vezes = argc > 1 ? std::atoi(argv[1]) : 3;
    kivo::ui::teste::Ambiente amb;
    amb.janela->show();
    amb.janela->ciclo().Carrega(kivo::ui::teste::PastaExemplos() + "/boiler/boiler.smp", true);
    amb.app->timer().stop();

    int malhas = 0;
    for (int n = 1; n <= 10; ++n) malhas += amb.app->sim().controladores.ativo(n) ? 1 : 0;
    std::printf("boiler: %d active loops\n", malhas);

    kivo::ui::TAboutBox w(*amb.app, nullptr);
    w.setWindowState(Qt::WindowNoState);
    w.resize(1400, 900);
    w.show();
    QApplication::processEvents();
    auto* janela = w.findChild<QComboBox*>("JanelaComboBox");
    auto* ta = w.findChild<QComboBox*>("TACombo");
    auto* pts = w.findChild<QComboBox*>("PtsPag");
    for (int item : {3, 0}) {
        janela->setCurrentIndex(3);
        ta->setCurrentIndex(item);
        for (int r = 0; r < vezes; ++r) {
            auto t0 = std::chrono::steady_clock::now();
            w.BTNSimularClick();
            const double total = Ms(t0);
            t0 = std::chrono::steady_clock::now();
            w.repaint();
            QApplication::processEvents();
            const double desenho = Ms(t0);
            pts->setCurrentIndex(4);  // all 14 400 points on one page
            t0 = std::chrono::steady_clock::now();
            w.repaint();
            QApplication::processEvents();
            const double desenhoTudo = Ms(t0);
            pts->setCurrentIndex(1);

            kivo::OpcoesRapida op;
            op.janela = kivo::kJanelasRapida[3];
            op.T = kivo::kAmostragensRapida[static_cast<std::size_t>(item)];
            t0 = std::chrono::steady_clock::now();
            kivo::ExecutaRapida(amb.app->sim(), op);
            const double nucleo = Ms(t0);
            std::printf("4 h at %s: Simular %.0f ms (series into charts %.1f ms), drawing the window %.1f ms "
                        "(all 14400 points on the page %.1f ms); core run alone %.0f ms\n",
                        item == 3 ? "1 s" : "100 ms", total, w.msGraficos(), desenho, desenhoTudo, nucleo);
        }
    }
    return 0;
}
