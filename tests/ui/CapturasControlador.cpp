// Writes screenshots of a controller faceplate with the basic flow loop
// running (narrow, wide with the trend, wide with the configuration), in one
// language, to look at (not to assert): ui_capturas_controlador OUTDIR [en].
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTest>

#include "Auxiliares.h"
#include "Captura.h"
#include "objects/Controller.h"
#include "ui/objects/TControlador.h"
#include "ui/project/CicloProjeto.h"

using namespace kivo::ui;
using teste::Grava;

int main(int argc, char** argv) {
    QApplication a(argc, argv);
    const auto captura = teste::LeCaptura(argc, argv);
    if (!captura) return 2;
    const QString saida = captura->saida;
    const bool ingles = captura->ingles;
    const QString sufixo = captura->sufixo;

    teste::Ambiente amb;
    if (ingles) amb.app->DefineIngles();
    amb.janela->ciclo().Carrega(teste::PastaExemplos() + "/basic flow loop/basic flow loop.smp", true);
    amb.app->timer().stop();
    auto* f = qobject_cast<TControlador*>(amb.janela->janelas().Abre(Familia::Controlador, 1));
    if (!f) return 1;
    kivo::TControlador& c = f->modelo();
    // A manual output step, then automatic with a setpoint step, so the
    // trend shows both.
    if (c.estado.modoAuto) f->findChild<QAbstractButton*>("AutoManualBTN")->click();
    const auto digita = [&](const char* campo, const QString& texto) {
        auto* e = f->findChild<QLineEdit*>(campo);
        e->setFocus();
        e->selectAll();
        QTest::keyClicks(e, texto);
        QTest::keyClick(e, Qt::Key_Return);
    };
    for (int i = 0; i < 100; ++i) amb.app->Tick();
    digita("MVText", QString::number(c.estado.MV + 15));
    for (int i = 0; i < 150; ++i) amb.app->Tick();
    f->findChild<QAbstractButton*>("AutoManualBTN")->click();
    digita("SPText", QStringLiteral("20"));
    for (int i = 0; i < 200; ++i) amb.app->Tick();
    f->findChild<QAbstractButton*>("LinhaGrossa")->click();
    Grava(*f, QStringLiteral("%1/faceplate_trend%2.png").arg(saida, sufixo));
    f->findChild<QAbstractButton*>("SpeedButton2")->click();
    Grava(*f, QStringLiteral("%1/faceplate_trend_paused%2.png").arg(saida, sufixo));
    f->findChild<QAbstractButton*>("SpeedButton2")->click();
    f->findChild<QAbstractButton*>("ConfigBTN")->click();
    Grava(*f, QStringLiteral("%1/faceplate_config%2.png").arg(saida, sufixo));
    f->findChild<QAbstractButton*>("ConfigBTN")->click();
    Grava(*f, QStringLiteral("%1/faceplate_narrow%2.png").arg(saida, sufixo));

    // New tuning through the configuration area, then a setpoint step up
    // typed into the SP field.
    f->findChild<QAbstractButton*>("ConfigBTN")->click();
    auto* kc = f->findChild<QLineEdit*>("KpText");
    kc->selectAll();
    QTest::keyClicks(kc, "1,2");
    f->findChild<QAbstractButton*>("btnatualiza")->click();
    f->findChild<QAbstractButton*>("TrendButton")->click();
    digita("SPText", QStringLiteral("35"));
    for (int i = 0; i < 200; ++i) amb.app->Tick();
    Grava(*f, QStringLiteral("%1/faceplate_tuned%2.png").arg(saida, sufixo));
    return 0;
}
