// Walks the tuning assistant as a student would on three shipped examples
// (a flow, a level and a temperature loop) and writes screenshots to look
// at, not to assert: the faceplate with its "Sintonia" button, the tuning
// window after the fit, the configuration area after "Aplicar". Prints the
// setting applied and the fast simulation's seven indices for a setpoint
// step with the shipped setting and with the applied one:
// ui_capturas_sintonia OUTDIR [en].
#include <cstdio>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTest>

#include "Auxiliares.h"
#include "Captura.h"
#include "fastsim/SimulacaoRapida.h"
#include "objects/Controller.h"
#include "ui/objects/TControlador.h"
#include "ui/project/CicloProjeto.h"
#include "ui/tuning/TSintonia.h"

using namespace kivo::ui;
using teste::Grava;

namespace {

struct Exemplo {
    const char* nome;
    const char* projeto;
    int baseTempo;  // the faceplate's time base: 450 samples must hold the response
    int amostrasAntes, amostrasDepois;
};

constexpr Exemplo kExemplos[] = {
    {"flow", "basic flow loop/basic flow loop.smp", 0, 100, 350},
    {"level", "regulatory level/regulatory level.smp", 1, 100, 350},
    {"heatexchanger", "heat exchanger/heatexchanger.smp", 2, 100, 350},
};

// The seven indices of loop 1 for a setpoint step of 10 % in the fast
// simulation's default window, from the project as loaded.
void Indices(teste::Ambiente& amb, const char* rotulo) {
    kivo::OpcoesRapida o;
    o.sinal = kivo::SinalTeste::DegrauSP;
    const kivo::ResultadoRapida r = kivo::ExecutaRapida(amb.app->sim(), o);
    const auto& m = r.linha.malha(1);
    std::printf("  %-7s", rotulo);
    if (!m.indices) {
        std::printf(" no indices\n");
        return;
    }
    for (auto t : kivo::TextosIndices(*m.indices)) std::printf(" | %s", std::string(t).c_str());
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication a(argc, argv);
    const auto captura = teste::LeCaptura(argc, argv);
    if (!captura) return 2;
    const QString saida = captura->saida;
    const bool ingles = captura->ingles;
    const QString sufixo = captura->sufixo;

    for (const Exemplo& e : kExemplos) {
        teste::Ambiente amb;
        if (ingles) amb.app->DefineIngles();
        const QString projeto = teste::PastaExemplos() + "/" + QString::fromUtf8(e.projeto);
        amb.janela->ciclo().Carrega(projeto, true);
        amb.app->timer().stop();
        auto* f = qobject_cast<TControlador*>(amb.janela->janelas().Abre(Familia::Controlador, 1));
        if (!f) return 1;
        kivo::TControlador& c = f->modelo();
        auto* base = f->findChild<QComboBox*>("BaseTempoBox");
        base->setCurrentIndex(e.baseTempo);
        emit base->activated(e.baseTempo);
        const int ciclos = e.baseTempo == 0 ? 1 : e.baseTempo == 1 ? 3 : 20;

        // Manual at the output in use, a while at rest, a step of 10 %.
        if (c.estado.modoAuto) f->findChild<QAbstractButton*>("AutoManualBTN")->click();
        for (int i = 0; i < e.amostrasAntes * ciclos; ++i) amb.app->Tick();
        const double passo = c.estado.MV + 10 <= 100 ? 10 : -10;
        auto* mv = f->findChild<QLineEdit*>("MVText");
        mv->setFocus();
        mv->selectAll();
        QTest::keyClicks(mv, QString::number(c.estado.MV + passo, 'f', 2));
        QTest::keyClick(mv, Qt::Key_Return);
        for (int i = 0; i < e.amostrasDepois * ciclos; ++i) amb.app->Tick();
        if (e.nome == kExemplos[0].nome) Grava(*f, QStringLiteral("%1/faceplate_button%2.png").arg(saida, sufixo));

        f->findChild<QAbstractButton*>("SintoniaBTN")->click();
        TSintonia* s = f->sintonia();
        s->findChild<QAbstractButton*>("LerBTN")->click();
        s->adjustSize();
        Grava(*s, QStringLiteral("%1/tuning_%2%3.png").arg(saida, QString::fromLatin1(e.nome), sufixo));

        const double kcAntes = c.Kc();
        const std::string tiAntes = c.KiText, tdAntes = c.KdText;
        s->findChild<QAbstractButton*>("AplicarBTN")->click();
        const QString kp = f->findChild<QLineEdit*>("KpText")->text();
        const QString ti = f->findChild<QLineEdit*>("KiText")->text();
        const QString td = f->findChild<QLineEdit*>("KdText")->text();
        Grava(*f, QStringLiteral("%1/faceplate_applied_%2%3.png").arg(saida, QString::fromLatin1(e.nome), sufixo));
        const double kcAplicado = c.Kc();
        f->findChild<QAbstractButton*>("btnatualiza")->click();
        std::printf("%s: %s | shipped Ti %s Td %s | Kc %s Ti %s Td %s | running Kc %g, after Aplicar %g, after "
                    "Atualizar %g\n",
                    e.nome, qPrintable(s->mensagem()), tiAntes.c_str(), tdAntes.c_str(), qPrintable(kp), qPrintable(ti),
                    qPrintable(td), kcAntes, kcAplicado, c.Kc());
        const int acao = c.Acaogroup;
        std::fflush(stdout);

        // The setpoint test of the fast simulation from the shipped state,
        // with the shipped setting and with the applied one.
        amb.janela->ciclo().Carrega(projeto, true);
        Indices(amb, "shipped");
        amb.janela->ciclo().Carrega(projeto, true);
        auto* c2 = amb.app->sim().controladores.como<kivo::TControlador>(1);
        c2->KpText = kp.toStdString();
        c2->KiText = ti.toStdString();
        c2->KdText = td.toStdString();
        c2->Acaogroup = acao;
        c2->ValidaParametros(false);
        Indices(amb, "SIMC PI");
        std::fflush(stdout);
    }

    // The simulated step test on the slow loop and on the fast one, both
    // running in automatic: no wait, no manual mode.
    for (const Exemplo* e : {&kExemplos[2], &kExemplos[0]}) {
        teste::Ambiente amb;
        if (ingles) amb.app->DefineIngles();
        amb.janela->ciclo().Carrega(teste::PastaExemplos() + "/" + QString::fromUtf8(e->projeto), true);
        amb.app->timer().stop();
        auto* f = qobject_cast<TControlador*>(amb.janela->janelas().Abre(Familia::Controlador, 1));
        if (!f) return 1;
        f->findChild<QAbstractButton*>("SintoniaBTN")->click();
        TSintonia* s = f->sintonia();
        s->findChild<QComboBox*>("FonteCombo")->setCurrentIndex(TSintonia::FonteSimulado);
        s->findChild<QAbstractButton*>("LerBTN")->click();
        s->adjustSize();
        Grava(*s, QStringLiteral("%1/tuning_simulated_%2%3.png").arg(saida, QString::fromLatin1(e->nome), sufixo));
        const auto& id = s->identificacao();
        std::printf("simulated %s: %s | best %s, loop 1 still %s\n", e->nome, qPrintable(s->mensagem()),
                    id ? kivo::tuning::KindName(id->best) : "none", f->modelo().estado.modoAuto ? "auto" : "manual");
    }
    return 0;
}
