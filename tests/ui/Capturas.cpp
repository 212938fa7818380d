// Writes screenshots of the main window with an example open, of the
// example chooser, the configuration dialog and the about box, in one
// language, to look at (not to assert): capturas OUTDIR [en].
#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <QTimer>

#include "Auxiliares.h"
#include "Captura.h"
#include "ui/app/Preferencias.h"
#include "ui/fastsim/TAboutBox.h"
#include "ui/i18n/Exemplos.h"
#include "ui/project/CicloProjeto.h"
#include "ui/project/EscolhaExemplos.h"
#include "ui/project/TConfigForm.h"

using namespace kivo::ui;
using teste::Grava;

namespace {

int ExemploPorFigura(const char* figura) {
    const auto ex = Exemplos();
    for (int i = 0; i < int(ex.size()); ++i)
        if (QByteArray(ex[i].figura) == figura) return i;
    return 0;
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
    EscrevePreferencias(amb.pasta.path(), ingles);
    TForm1& w = *amb.janela;
    w.setWindowState(Qt::WindowNoState);
    w.resize(1100, 760);
    w.show();
    if (ingles) w.TraduzIngles();
    w.MostraEscolha(true);
    for (int p = 0; p < w.escolha().count(); p += 2) {
        w.escolha().setCurrentIndex(p);
        Grava(w, QStringLiteral("%1/chooser%2_page%3.png").arg(saida, sufixo).arg(p));
    }
    w.ciclo().AbreExemplo(ExemploPorFigura(argc > 3 ? argv[3] : "sim1"));
    for (int i = 0; i < 30; ++i) amb.app->Tick();
    w.AtualizaDiagrama();
    w.MostraComentarios(true);
    Grava(w, QStringLiteral("%1/main%2.png").arg(saida, sufixo));

    TConfigForm& c = w.config();
    c.Exibe();
    auto* nb = c.findChild<QTabWidget*>(QStringLiteral("NoteBook1"));
    for (int p : {0, 1, 5, 6}) {
        nb->setCurrentIndex(p);
        Grava(c, QStringLiteral("%1/config%2_page%3.png").arg(saida, sufixo).arg(p));
    }
    TAboutBox sobre;
    sobre.TraduzSobre(ingles);
    sobre.show();
    Grava(sobre, QStringLiteral("%1/about%2.png").arg(saida, sufixo));
    return 0;
}
