// Screenshots of the fast-simulation window, to look at (not to assert):
// after a run with a setpoint step and its indices, and after loading the
// run's archive into the lower row: ui_capturasrapida OUTDIR [en] [example].
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>

#include "Auxiliares.h"
#include "Captura.h"
#include "ui/fastsim/TAboutBox.h"
#include "ui/project/CicloProjeto.h"

using namespace kivo::ui;

int main(int argc, char** argv) {
    QApplication a(argc, argv);
    const auto captura = teste::LeCaptura(argc, argv);
    if (!captura) return 2;
    const QString saida = captura->saida;
    const bool ingles = captura->ingles;
    const QString sufixo = captura->sufixo;
    const QString exemplo = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral("combustion/cl");
    // The test signal's item: 1 none, 2 setpoint step (the default), 3 load.
    const int sinal = argc > 4 ? QString::fromLocal8Bit(argv[4]).toInt() : 2;

    teste::Ambiente amb;
    amb.janela->show();
    if (ingles) amb.janela->TraduzIngles();
    amb.janela->ciclo().Carrega(teste::PastaExemplos() + "/" + exemplo + ".smp", true);
    amb.app->timer().stop();

    TAboutBox w(*amb.app, nullptr);
    w.setWindowState(Qt::WindowNoState);
    w.resize(1280, 800);
    w.show();
    w.findChild<QComboBox*>("SinalTesteCombo")->setCurrentIndex(sinal);
    w.findChild<QCheckBox*>("CheckArquivar")->setChecked(true);
    w.BTNSimularClick();
    QApplication::processEvents();
    w.grab().save(QStringLiteral("%1/fastsim_run%2.png").arg(saida, sufixo));

    w.ComboBox1Enter();
    auto* seletor = w.findChild<QComboBox*>("ComboBox1");
    seletor->setCurrentIndex(seletor->count() - 1);
    w.BTNCarregarClick();
    QApplication::processEvents();
    w.grab().save(QStringLiteral("%1/fastsim_loaded%2.png").arg(saida, sufixo));
    return 0;
}
