// Writes screenshots of the process, calculation block, signal generator
// and variable list windows with an example open, in one language, to look
// at (not to assert): capturas_objetos OUTDIR [en].
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QTableWidget>

#include "Auxiliares.h"
#include "Captura.h"
#include "ui/i18n/Exemplos.h"
#include "ui/objects/JanelaGeradores.h"
#include "ui/project/CicloProjeto.h"
#include "ui/project/TDialogos.h"

using namespace kivo::ui;

namespace {

// The object windows are shown at the size their layouts ask for.
void Grava(QWidget& w, const QString& arquivo) {
    QApplication::processEvents();
    w.adjustSize();
    teste::Grava(w, arquivo);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication a(argc, argv);
    const auto captura = teste::LeCaptura(argc, argv);
    if (!captura) return 2;
    const QString saida = captura->saida;
    const bool ingles = captura->ingles;
    const QString sufixo = captura->sufixo;

    teste::Ambiente amb;
    TForm1& w = *amb.janela;
    w.setWindowState(Qt::WindowNoState);
    w.resize(1000, 700);
    w.show();
    if (ingles) w.TraduzIngles();
    // The example with four processes of different types and a block.
    int indice = 0;
    const auto ex = Exemplos();
    for (int i = 0; i < int(ex.size()); ++i)
        if (QByteArray(ex[i].caminho).contains("4processes")) indice = i;
    w.ciclo().AbreExemplo(indice);
    for (int i = 0; i < 60; ++i) amb.app->Tick();

    for (int n : {1, 2, 5}) {
        QWidget* p = w.janelas().Abre(Familia::Processo, n);
        Grava(*p, QStringLiteral("%1/processo%2%3.png").arg(saida).arg(n).arg(sufixo));
    }
    QWidget* b = w.janelas().Abre(Familia::Bloco, 1);
    Grava(*b, QStringLiteral("%1/bloco%2.png").arg(saida, sufixo));

    amb.acao("Configurao1")->trigger();
    JanelaGeradores& g = w.geradores();
    // One row of each kind, to see every layout.
    const int tipos[] = {0, 1, 3, 5, 7, 2, 4, 6, 1, 0};
    for (int r = 0; r < 10; ++r) g.findChild<QComboBox*>(QStringLiteral("M%1Tipo").arg(81 + r))->setCurrentIndex(tipos[r]);
    g.Aplica();
    for (int i = 0; i < 12; ++i) amb.app->Tick();
    Grava(g, QStringLiteral("%1/geradores%2.png").arg(saida, sufixo));

    amb.acao("Variveis1")->trigger();
    TDialogos& d = w.dialogos();
    d.resize(d.sizeHint().expandedTo(QSize(900, 600)));
    QApplication::processEvents();
    d.grab().save(QStringLiteral("%1/variaveis%2.png").arg(saida, sufixo));
    return 0;
}
