// Screenshots of the trend recorder, the XY recorder and the animated text
// windows on a shipped example, in one language, to look at (not to
// assert): capturas_registros OUTDIR [en] [example path part].
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QRadioButton>
#include <cstdio>
#include <QToolButton>

#include "Auxiliares.h"
#include "Captura.h"
#include "ui/app/Preferencias.h"
#include "ui/i18n/Exemplos.h"
#include "ui/project/CicloProjeto.h"
#include "ui/recorders/CicloRegistros.h"
#include "ui/recorders/TForm2.h"
#include "ui/recorders/TRegXY.h"
#include "ui/recorders/TRegistrForm.h"

using namespace kivo::ui;
using teste::Grava;

namespace {

int ExemploPorCaminho(const char* parte) {
    const auto ex = Exemplos();
    for (int i = 0; i < int(ex.size()); ++i)
        if (QByteArray(ex[i].caminho).contains(parte)) return i;
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
    w.ciclo().AbreExemplo(ExemploPorCaminho(argc > 3 ? argv[3] : "boiler"));
    kivo::Projeto& p = amb.app->projeto();
    // A setpoint step on the first loop, so that the curves move.
    for (int i = 0; i < 300; ++i) amb.app->Tick();
    if (auto* c = p.controlador(1)) {
        c->estado.SP += 10;
    }
    for (int i = 0; i < 450; ++i) amb.app->Tick();
    w.AtualizaDiagrama();
    Grava(w, QStringLiteral("%1/main%2.png").arg(saida, sufixo));

    for (int n = 1; n <= 10; ++n) {
        TRegistrForm* r = w.registros().registrador(n);
        if (!r) continue;
        r->show();
        Grava(*r, QStringLiteral("%1/recorder%2_%3.png").arg(saida, sufixo).arg(n));
        r->findChild<QToolButton*>(QStringLiteral("ConfBTN"))->click();
        r->findChild<QToolButton*>(QStringLiteral("SpeedButton1"))->click();
        Grava(*r, QStringLiteral("%1/recorder%2_%3_config.png").arg(saida, sufixo).arg(n));
        r->hide();
    }
    for (int n = 1; n <= 20; ++n) {
        TForm2* t = w.registros().texto(n);
        if (!t) continue;
        t->show();
        Grava(*t, QStringLiteral("%1/text%2_%3.png").arg(saida, sufixo).arg(n));
        t->hide();
        if (n > 2) break;
    }
    // A new recorder opens untagged, with its configuration area.
    for (int n = 10; n >= 1; --n)
        if (!p.registrador(n)) {
            p.CriaRegistrador(n);
            TRegistrForm* r = w.registros().registrador(n);
            r->show();
            Grava(*r, QStringLiteral("%1/recorder%2_new.png").arg(saida, sufixo));
            r->hide();
            break;
        }
    // The other two text types, on a free slot.
    for (int n = 20; n >= 1; --n)
        if (!p.texto(n)) {
            kivo::DadosTexto& d = p.CriaTexto(n);
            TForm2* t = w.registros().texto(n);
            for (int tipo : {1, 2}) {
                d.Tipo = tipo;
                d.ComboBox1 = 10;
                d.FuncaoTr = tipo == 1 ? "Desligado/Ligado" : "M21*2";
                t->ValidaParametros();
                t->show();
                d.CalculaCiclo();
                t->MostraValor();
                Grava(*t, QStringLiteral("%1/text%2_type%3.png").arg(saida, sufixo).arg(tipo));
                t->hide();
            }
            break;
        }
    TRegXY& xy = w.registros().regXY();
    xy.show();
    auto* presets = xy.findChild<QComboBox*>(QStringLiteral("Presets"));
    presets->setCurrentIndex(1);
    emit presets->activated(1);
    auto* x = xy.findChild<QComboBox*>(QStringLiteral("ComboX"));
    auto* y = xy.findChild<QComboBox*>(QStringLiteral("ComboY"));
    xy.RegistraXY(600, x->currentIndex() + 1, y->currentIndex() + 1);
    Grava(xy, QStringLiteral("%1/xy%2.png").arg(saida, sufixo));
    // The time of a one-hour run and of drawing its points, for the note.
    QElapsedTimer relogio;
    relogio.start();
    xy.RegistraXY(3600, x->currentIndex() + 1, y->currentIndex() + 1);
    const qint64 run = relogio.restart();
    xy.grab();
    std::fprintf(stderr, "XY 1 h run: %lld ms; drawing %d points: %lld ms\n", static_cast<long long>(run),
                 xy.pontos(), static_cast<long long>(relogio.elapsed()));
    // The same hour without the window, to see what the window adds.
    std::vector<kivo::PontoXY> pontos;
    relogio.restart();
    kivo::RegistraXY(amb.app->sim(), 3600, x->currentIndex() + 1, y->currentIndex() + 1, pontos);
    std::fprintf(stderr, "XY 1 h run without the window: %lld ms\n", static_cast<long long>(relogio.elapsed()));
    return 0;
}
