// The controller faceplate: opening from the marker, modes, SP and MV entry,
// step buttons, the apply with its messages, the trend, the scale, pause and
// cursor, the layouts and the data log.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "Auxiliares.h"
#include "core/NumberText.h"
#include "objects/Controller.h"
#include "ui/main/Diagrama.h"
#include "ui/objects/GraficoTendencia.h"
#include "ui/objects/TControlador.h"
#include "ui/project/CicloProjeto.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::teste;
using Faceplate = kivo::ui::TControlador;

namespace {

void Tecla(QWidget* w, Qt::Key k) { QTest::keyClick(w, k); }

void Digita(QLineEdit* e, const QString& texto) {
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClicks(e, texto);
}

QStringList Linhas(const QString& caminho) {
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QString s = QString::fromLatin1(f.readAll());
    if (s.endsWith("\r\n")) s.chop(2);
    return s.split("\r\n");
}

}  // namespace

class TControladorTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        amb_ = std::make_unique<Ambiente>();
        amb_->janela->show();
        Faceplate::pastaLog().clear();
    }
    void cleanup() { amb_.reset(); }

    // The basic flow loop from its marker: manual to automatic, a typed
    // setpoint, and PV following it.
    void markerOpensTheFaceplateAndTheLoopFollowsATypedSetpoint() {
        amb_->janela->ciclo().Carrega(PastaExemplos() + "/basic flow loop/basic flow loop.smp", true);
        amb_->app->timer().stop();
        amb_->janela->diagrama().marcador(Familia::Controlador, 1)->click();
        auto* f = qobject_cast<Faceplate*>(amb_->janela->janelas().janela(Familia::Controlador, 1));
        QVERIFY(f && f->isVisible());
        QCOMPARE(f->layout(), Faceplate::Layout::Tendencia);
        kivo::TControlador& c = f->modelo();
        if (c.estado.modoAuto) Clica(f, "AutoManualBTN");
        QCOMPARE(Letra(f, "LetraAM"), QString("M"));
        QVERIFY(!Filho<QCheckBox>(f, "SPCheck")->isChecked());

        Clica(f, "AutoManualBTN");
        QVERIFY(c.estado.modoAuto);
        QCOMPARE(Letra(f, "LetraAM"), QString("A"));
        QVERIFY(Filho<QCheckBox>(f, "SPCheck")->isChecked());
        QVERIFY(!Filho<QPushButton>(f, "Button2")->isEnabled());
        QVERIFY(!Filho<QToolButton>(f, "IncrementaSaida")->isEnabled());

        const double alvo = c.inicioEscala() + 0.6 * (c.fimEscala() - c.inicioEscala());
        auto* sp = Filho<QLineEdit>(f, "SPText");
        Digita(sp, QString::number(alvo));
        Tecla(sp, Qt::Key_Return);
        QCOMPARE(c.estado.SP, 60.0);
        for (int i = 0; i < 1200; ++i) amb_->app->Tick();
        QVERIFY2(std::abs(c.estado.PV - 60.0) < 1.0, qPrintable(QString::number(c.estado.PV)));
        // The readouts follow at the display refresh.
        QCOMPARE(Filho<QLineEdit>(f, "PVText")->text(),
                 QString::fromStdString(FormataFixo(c.inicioEscala() + (c.fimEscala() - c.inicioEscala()) * c.estado.PV / 100,
                                                    c.casasDecimais(), c.casasDecimais()))
                     .trimmed());
    }

    void typedSetpointIsTakenWithinTheScaleOnly_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("tecla");
        QTest::addColumn<double>("sp");
        QTest::addColumn<QString>("mostrado");
        QTest::newRow("in range") << "75" << int(Qt::Key_Return) << 12.5 << "75.0";
        QTest::newRow("decimal comma") << "62,5" << int(Qt::Key_Enter) << 6.25 << "62.5";
        QTest::newRow("above the scale") << "350" << int(Qt::Key_Return) << 40.0 << "130.0";
        QTest::newRow("below the scale") << "49" << int(Qt::Key_Return) << 40.0 << "130.0";
        QTest::newRow("not a number") << "abc" << int(Qt::Key_Return) << 40.0 << "130.0";
        QTest::newRow("Esc restores") << "75" << int(Qt::Key_Escape) << 40.0 << "130.0";
    }
    void typedSetpointIsTakenWithinTheScaleOnly() {
        QFETCH(QString, texto);
        QFETCH(int, tecla);
        QFETCH(double, sp);
        QFETCH(QString, mostrado);
        Faceplate* f = Novo(50, 250);
        f->modelo().estado.SP = 40;
        Digita(Filho<QLineEdit>(f, "SPText"), QString::number(0));  // start from a typed field
        Tecla(Filho<QLineEdit>(f, "SPText"), Qt::Key_Escape);
        QCOMPARE(Filho<QLineEdit>(f, "SPText")->text(), QString("130.0"));
        Digita(Filho<QLineEdit>(f, "SPText"), texto);
        Tecla(Filho<QLineEdit>(f, "SPText"), Qt::Key(tecla));
        QCOMPARE(f->modelo().estado.SP, sp);
        QCOMPARE(Filho<QLineEdit>(f, "SPText")->text(), mostrado);
    }

    void typedOutputIsTakenInManualWithinZeroToHundred_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("porEnviar");
        QTest::addColumn<double>("mv");
        QTest::newRow("Enter") << "37,5" << false << 37.5;
        QTest::newRow("Enviar") << "80" << true << 80.0;
        QTest::newRow("above 100") << "100.5" << true << 20.0;
        QTest::newRow("negative") << "-1" << false << 20.0;
    }
    void typedOutputIsTakenInManualWithinZeroToHundred() {
        QFETCH(QString, texto);
        QFETCH(bool, porEnviar);
        QFETCH(double, mv);
        Faceplate* f = Novo(0, 100);
        f->modelo().estado.MV = 20;
        auto* campo = Filho<QLineEdit>(f, "MVText");
        auto* enviar = Filho<QPushButton>(f, "Button2");
        Digita(campo, texto);
        QVERIFY(enviar->isEnabled());
        if (porEnviar)
            enviar->click();
        else
            Tecla(campo, Qt::Key_Return);
        QCOMPARE(f->modelo().estado.MV, mv);
        QCOMPARE(campo->text(), QString::fromStdString(FormataFixo(mv, 1, 2)));
        QVERIFY(!enviar->isEnabled());
    }

    void stepButtonsMoveOnlyWhatTheModeAllows_data() {
        QTest::addColumn<QString>("botao");
        QTest::addColumn<bool>("remoto");
        QTest::addColumn<bool>("automatico");
        QTest::addColumn<double>("sp");
        QTest::addColumn<double>("mv");
        QTest::newRow("SP up, local") << "IncrementaSP" << false << false << 51.0 << 30.0;
        QTest::newRow("SP down, local") << "DecrementaSP" << false << true << 49.0 << 30.0;
        QTest::newRow("SP up, remote") << "IncrementaSP" << true << false << 50.0 << 30.0;
        QTest::newRow("CO up, manual") << "IncrementaSaida" << false << false << 50.0 << 31.0;
        QTest::newRow("CO down, manual") << "DecrementaSaida" << false << false << 50.0 << 29.0;
        QTest::newRow("CO up, automatic") << "IncrementaSaida" << false << true << 50.0 << 30.0;
    }
    void stepButtonsMoveOnlyWhatTheModeAllows() {
        QFETCH(QString, botao);
        QFETCH(bool, remoto);
        QFETCH(bool, automatico);
        QFETCH(double, sp);
        QFETCH(double, mv);
        Faceplate* f = Novo(0, 100);
        kivo::TControlador& c = f->modelo();
        c.estado.SP = 50;
        c.estado.MV = 30;
        // Enable the remote setpoint through the configuration area.
        Clica(f, "ConfigBTN");
        Clica(f, "CheckSPR");
        Clica(f, "btnatualiza");
        QVERIFY(c.CheckSPR);
        Clica(f, "LocalRemotoBTN");  // the model is now what the window shows
        if (!remoto) Clica(f, "LocalRemotoBTN");
        if (automatico) Clica(f, "AutoManualBTN");
        QCOMPARE(c.estado.modoLocal, !remoto);
        QCOMPARE(Letra(f, "LetraLR"), QString(remoto ? "R" : "L"));
        // The disabled buttons are driven by their handlers through a click
        // that Qt would refuse, so the model guards are checked too.
        auto* b = Filho<QToolButton>(f, botao);
        const bool habilitado = b->isEnabled();
        b->setEnabled(true);
        b->click();
        b->setEnabled(habilitado);
        QCOMPARE(c.estado.SP, sp);
        QCOMPARE(c.estado.MV, mv);
        if (botao.contains("Saida")) QVERIFY(!Filho<QPushButton>(f, "Button2")->isEnabled());
    }

    void stepButtonsStopAtTheEndsOfTheSpan() {
        Faceplate* f = Novo(0, 100);
        f->modelo().estado.SP = 99.5;
        f->modelo().estado.MV = 0.4;
        Clica(f, "IncrementaSP");
        Clica(f, "DecrementaSaida");
        QCOMPARE(f->modelo().estado.SP, 100.0);
        QCOMPARE(f->modelo().estado.MV, 0.0);
        QCOMPARE(Filho<QLineEdit>(f, "SPText")->text(), QString("100.0"));
        QCOMPARE(Filho<QLineEdit>(f, "MVText")->text(), QString("0.00"));
    }

    void atualizarShowsOneBoxPerInvalidFieldInOrder_data() {
        QTest::addColumn<QStringList>("campos");
        QTest::addColumn<QStringList>("textos");
        QTest::addColumn<QStringList>("mensagens");
        QTest::newRow("gain") << QStringList{"KpText"} << QStringList{"abc"}
                              << QStringList{"Controlador 1: Kp inválido"};
        QTest::newRow("two fields, in the checking order")
            << QStringList{"COmaxText", "KiText"} << QStringList{"x", "1..2"}
            << QStringList{"Controlador 1: Ti inválido", "Controlador 1: COmax inválido"};
        QTest::newRow("empty tag stops the rest") << QStringList{"TagText", "KpText"} << QStringList{"", "abc"}
                                                  << QStringList{"Controlador 1: TAG não informado"};
        QTest::newRow("feed-forward formula") << QStringList{"FFwEquation"} << QStringList{"sqrt(2)"}
                                              << QStringList{"Controlador 1: Equação do FF inválida"};
    }
    void atualizarShowsOneBoxPerInvalidFieldInOrder() {
        QFETCH(QStringList, campos);
        QFETCH(QStringList, textos);
        QFETCH(QStringList, mensagens);
        Faceplate* f = Novo(0, 100);
        Clica(f, "ConfigBTN");
        QCOMPARE(f->layout(), Faceplate::Layout::Configuracao);
        Filho<QCheckBox>(f, "FFwSelect")->click();
        for (int i = 0; i < campos.size(); ++i) Digita(Filho<QLineEdit>(f, campos[i]), textos[i]);
        auto* atualizar = Filho<QPushButton>(f, "btnatualiza");
        QVERIFY(atualizar->isEnabled());
        QVERIFY(!Filho<QToolButton>(f, "ConfigBTN")->isEnabled());
        atualizar->click();
        QCOMPARE(amb_->roteiro->informacoes, mensagens);
        QVERIFY(atualizar->isEnabled());
        QVERIFY(!Filho<QToolButton>(f, "ConfigBTN")->isEnabled());
    }

    void atualizarAppliesTheTuningAndTheWindowFollows() {
        Faceplate* f = Novo(0, 100);
        amb_->app->MarcaSalvo();
        Clica(f, "ConfigBTN");
        Digita(Filho<QLineEdit>(f, "KpText"), "2,5");
        Digita(Filho<QLineEdit>(f, "TagText"), "FIC-101");
        Digita(Filho<QLineEdit>(f, "Descricao"), "Vazao de agua");
        Filho<QCheckBox>(f, "CheckSPR")->click();
        Clica(f, "btnatualiza");
        QVERIFY(amb_->roteiro->informacoes.isEmpty());
        const kivo::TControlador& c = f->modelo();
        QCOMPARE(c.Kc(), 2.5);
        QCOMPARE(c.KpText, std::string("2,5"));
        QCOMPARE(f->windowTitle(), QString("FIC-101"));
        QCOMPARE(Filho<QLabel>(f, "Cabecalho")->text(), QString("Vazao de agua"));
        QVERIFY(Filho<QToolButton>(f, "LocalRemotoBTN")->isEnabled());
        QVERIFY(!Filho<QPushButton>(f, "btnatualiza")->isEnabled());
        QVERIFY(Filho<QToolButton>(f, "ConfigBTN")->isEnabled());
        QVERIFY(!amb_->app->salvo());
        QCOMPARE(amb_->app->sim().mem.entrada(1).descricao, std::string(" MV FIC-101"));
    }

    // Tab alone reaches every control a user operates, the mode first with
    // the setpoint and output it switches between; each is announced by a
    // name in the language shown.
    void keyboardWalkReachesEveryControlInOrder_data() {
        QTest::addColumn<bool>("ingles");
        QTest::newRow("pt") << false;
        QTest::newRow("en") << true;
    }
    void keyboardWalkReachesEveryControlInOrder() {
        QFETCH(bool, ingles);
        if (ingles) amb_->janela->TraduzIngles();
        Faceplate* f = Novo(0, 100);
        f->show();
        QStringList nomes;
        QWidget* w = f;
        for (int i = 0; i < 200; ++i) {
            w = w->nextInFocusChain();
            if (w == f) break;
            if (!w->isVisible() || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus)) continue;
            nomes << w->objectName();
            QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
            if (ingles)
                QVERIFY2(!w->accessibleName().contains(QRegularExpression("ção|ões|Saída|Sair$|Pausar|Topo|Arquivar")),
                         qPrintable(w->objectName() + ": " + w->accessibleName()));
        }
        const QStringList esperados{"AutoManualBTN", "SPText", "PVText", "MVText", "Button2", "SairBTN", "SintoniaBTN"};
        for (const QString& n : esperados) QVERIFY2(nomes.contains(n), qPrintable(n));
        QVERIFY(nomes.indexOf("AutoManualBTN") < nomes.indexOf("SPText"));
        QVERIFY(nomes.indexOf("SPText") < nomes.indexOf("MVText"));
    }

    void trendDrawsEveryCheckedCurveFromTheSamples() {
        Faceplate* f = Novo(0, 100);
        f->show();
        for (int i = 0; i < 20; ++i) amb_->app->Tick();
        GraficoTendencia& g = f->grafico();
        g.grab();
        // Only the samples taken: a new trend has no line up from zero.
        const int n = f->modelo().tendencia.amostras();
        QCOMPARE(n, 20);
        QCOMPARE(g.pontosDesenhados(), 3 * n);  // PV, SP and CO by default
        Filho<QCheckBox>(f, "COCheck")->click();
        Filho<QCheckBox>(f, "AtuadorCheck")->click();
        g.grab();
        QCOMPARE(g.pontosDesenhados(), 3 * n);
        Filho<QCheckBox>(f, "PVCheck")->click();
        Filho<QCheckBox>(f, "SPCheck")->click();
        g.grab();
        QCOMPARE(g.pontosDesenhados(), n);
        QCOMPARE(f->modelo().tendencia.posicao(), 20);
        QCOMPARE(g.rotulos(), (QStringList{"90", "80", "70", "60", "50", "40", "30", "20", "10"}));
    }

    void pauseStopsSamplingAndTheCursorReadsTheChart() {
        Faceplate* f = Novo(0, 100);
        for (int i = 0; i < 5; ++i) amb_->app->Tick();
        Clica(f, "SpeedButton2");
        QVERIFY(f->findChild<QWidget*>("Coordenadas")->isVisible());
        for (int i = 0; i < 5; ++i) amb_->app->Tick();
        QCOMPARE(f->modelo().tendencia.posicao(), 5);
        GraficoTendencia& g = f->grafico();
        for (int k = 0; k < 7; ++k) QTest::mouseClick(&g, Qt::LeftButton, {}, g.PosicaoNaTela(100.5, 100.5));
        QCOMPARE(Filho<QLabel>(f, "Coordenada1")->text(), QString("Y1: 50.0  T1: 10.0"));
        QCOMPARE(Filho<QLabel>(f, "Coordenada6")->text(), QString("Y1: 50.0  T1: 10.0"));
        Clica(f, "SpeedButton2");
        QVERIFY(!f->findChild<QWidget*>("Coordenadas")->isVisible());
        amb_->app->Tick();
        QCOMPARE(f->modelo().tendencia.posicao(), 6);
        // Leaving the trend and coming back starts the readout afresh.
        Clica(f, "TrendButton");
        Clica(f, "TrendButton");
        QCOMPARE(Filho<QLabel>(f, "Coordenada1")->text(), QString("Coordenadas 1"));
    }

    void manualScaleNeedsBottomBelowTop_data() {
        QTest::addColumn<QString>("topo");
        QTest::addColumn<QString>("base");
        QTest::addColumn<double>("topoPct");
        QTest::addColumn<double>("basePct");
        QTest::newRow("taken") << "150" << "100" << 50.0 << 25.0;
        QTest::newRow("bottom above top") << "100" << "150" << 100.0 << 0.0;
        QTest::newRow("not a number") << "1x0" << "100" << 100.0 << 0.0;
    }
    void manualScaleNeedsBottomBelowTop() {
        QFETCH(QString, topo);
        QFETCH(QString, base);
        QFETCH(double, topoPct);
        QFETCH(double, basePct);
        Faceplate* f = Novo(50, 250);
        Digita(Filho<QLineEdit>(f, "eSupText"), topo);
        Digita(Filho<QLineEdit>(f, "eInfText"), base);
        Tecla(Filho<QLineEdit>(f, "eInfText"), Qt::Key_Return);
        QCOMPARE(f->modelo().tendencia.topo(), topoPct);
        QCOMPARE(f->modelo().tendencia.base(), basePct);
        QVERIFY(!Filho<QCheckBox>(f, "EscalaAuto")->isChecked());
        QCOMPARE(Filho<QLineEdit>(f, "eSupText")->text(),
                 QString::fromStdString(FormataFixo(50 + 2 * topoPct, 4, 1)).trimmed());
    }

    void layoutButtonsCycleNarrowAndWide_data() {
        QTest::addColumn<int>("de");
        QTest::addColumn<QString>("botao");
        QTest::addColumn<int>("para");
        using L = Faceplate::Layout;
        QTest::newRow("config from config") << int(L::Configuracao) << "ConfigBTN" << int(L::Estreito);
        QTest::newRow("config from trend") << int(L::Tendencia) << "ConfigBTN" << int(L::Configuracao);
        QTest::newRow("config from narrow") << int(L::Estreito) << "ConfigBTN" << int(L::Configuracao);
        QTest::newRow("trend from config") << int(L::Configuracao) << "TrendButton" << int(L::Tendencia);
        QTest::newRow("trend from trend") << int(L::Tendencia) << "TrendButton" << int(L::Estreito);
        QTest::newRow("trend from narrow") << int(L::Estreito) << "TrendButton" << int(L::Tendencia);
    }
    void layoutButtonsCycleNarrowAndWide() {
        QFETCH(int, de);
        QFETCH(QString, botao);
        QFETCH(int, para);
        using L = Faceplate::Layout;
        Faceplate* f = Novo(0, 100);
        // Reach the starting layout from the trend the window opens with.
        if (L(de) == L::Configuracao) Clica(f, "ConfigBTN");
        if (L(de) == L::Estreito) Clica(f, "TrendButton");
        QCOMPARE(int(f->layout()), de);
        const int larguraAntes = f->sizeHint().width();
        Clica(f, botao);
        QCOMPARE(int(f->layout()), para);
        QCOMPARE(f->findChild<QWidget*>("Image1")->isVisible(), L(para) == L::Tendencia);
        QCOMPARE(f->findChild<QWidget*>("AreaConfiguracao")->isVisible(), L(para) == L::Configuracao);
        if (L(para) == L::Estreito) QVERIFY(f->sizeHint().width() < larguraAntes / 2);
    }

    void opensOnTheConfigurationWhileTheLoopIsNotSetUp() {
        Projeto& p = amb_->app->projeto();
        kivo::TControlador& c = p.CriaControlador(2);
        c.TagText.clear();
        p.marcadores.controladores[1].exibido = true;
        auto* f = qobject_cast<Faceplate*>(amb_->janela->janelas().Abre(Familia::Controlador, 2));
        QVERIFY(f);
        QCOMPARE(f->layout(), Faceplate::Layout::Configuracao);
        QVERIFY(!Filho<QCheckBox>(f, "CheckBox1")->isEnabled());
    }

    // Two logs of one window: _1 and _2, the exact header, lines in the
    // decimal-comma form, the time column going on from the first log.
    void dataLogsWriteTheirHeaderAndLines() {
        QTemporaryDir pasta;
        Faceplate* f = Novo(0, 200);
        kivo::TControlador& c = f->modelo();
        c.estado.SP = 50;
        c.estado.MV = 45.2;
        amb_->roteiro->nomesLog.push_back(QDir(pasta.path()).filePath("qualquer.txt"));
        auto* arquivar = Filho<QCheckBox>(f, "CheckBox1");
        Filho<QCheckBox>(f, "CheckBox3")->click();
        arquivar->click();
        QVERIFY(f->log().aberto());
        QVERIFY(Filho<QLabel>(f, "LabelArquivando")->isVisible());
        QVERIFY(!Filho<QLineEdit>(f, "eSupText")->isEnabled());
        QVERIFY(!f->findChild<QLineEdit*>("TagText")->isEnabled());
        for (int i = 0; i < 2; ++i) amb_->app->Tick();
        arquivar->click();
        const QString primeiro = QDir(pasta.path()).filePath("PID1_1.txt");
        QCOMPARE(amb_->roteiro->informacoes, QStringList{"Data saved: " + QDir::toNativeSeparators(primeiro)});
        QVERIFY(Filho<QLineEdit>(f, "eSupText")->isEnabled());
        QStringList linhas = Linhas(primeiro);
        QCOMPARE(linhas.size(), 3);
        QCOMPARE(linhas[0], QString("Tempo (0.100 seg);PV;SP;MV"));
        QCOMPARE(linhas[1], QString("0,00;0,00;50,00;45,20"));
        QCOMPARE(linhas[2], QString("0,10;0,00;50,00;45,20"));

        // The second log: next number, no new dialog, engineering units,
        // point decimals, the time base's header and step.
        Filho<QCheckBox>(f, "CheckBox3")->click();
        Filho<QCheckBox>(f, "CheckBox2")->click();
        auto* base = Filho<QComboBox>(f, "BaseTempoBox");
        base->setCurrentIndex(1);
        emit base->activated(1);
        QCOMPARE(Filho<QLabel>(f, "LabelArquivando")->text(), QString("Saving 0.334s sampling"));
        arquivar->click();
        for (int i = 0; i < 6; ++i) amb_->app->Tick();
        arquivar->click();
        linhas = Linhas(QDir(pasta.path()).filePath("PID1_2.txt"));
        QCOMPARE(linhas.size(), 3);
        QCOMPARE(linhas[0], QString("Tempo (0.334 seg);PV;SP;MV"));
        QCOMPARE(linhas[1], QString("0.20;0.00;100.00;45.20"));
        QCOMPARE(linhas[2], QString("0.53;0.00;100.00;45.20"));
        QVERIFY(amb_->roteiro->nomesLog.empty());
    }

    // A folder that is gone by the time the log starts: the box names the
    // file and the reason in the interface language, and the log stays off.
    void logThatCannotBeCreatedSaysWhy() {
        QTemporaryDir pasta;
        const QString sumida = QDir(pasta.path()).filePath("sumida");
        Faceplate::pastaLog() = sumida;
        amb_->app->DefineIngles();
        Faceplate* f = Novo(0, 100);
        auto* arquivar = Filho<QCheckBox>(f, "CheckBox1");
        arquivar->click();
        QVERIFY(!arquivar->isChecked());
        QVERIFY(!f->log().aberto());
        QVERIFY(Filho<QLineEdit>(f, "eSupText")->isEnabled());
        QCOMPARE(amb_->roteiro->informacoes,
                 QStringList{"Could not create the file \"" + sumida + "/PID1_1.txt\": No such file or directory"});
    }

    void cancelledFolderDialogLeavesTheLogOff() {
        Faceplate* f = Novo(0, 100);
        auto* arquivar = Filho<QCheckBox>(f, "CheckBox1");
        arquivar->click();
        QVERIFY(!arquivar->isChecked());
        QVERIFY(!f->log().aberto());
        QVERIFY(Faceplate::pastaLog().isEmpty());
        QVERIFY(amb_->roteiro->informacoes.isEmpty());
    }

    void englishCaptionsAndHints() {
        amb_->app->DefineIngles();
        Faceplate* f = Novo(0, 100);
        QCOMPARE(Filho<QPushButton>(f, "Button2")->text(), QString("Send"));
        QCOMPARE(Filho<QPushButton>(f, "btnatualiza")->text(), QString("Refresh"));
        QCOMPARE(Filho<QCheckBox>(f, "LinhaGrossa")->text(), QString("Strong Line"));
        QCOMPARE(Filho<QToolButton>(f, "SpeedButton2")->toolTip(), QString("Pause Trend"));
        QCOMPARE(Filho<QLineEdit>(f, "KpText")->toolTip(), QString("Proportional Gain (dimensionless)"));
        QCOMPARE(Filho<QToolButton>(f, "TrendButton")->accessibleName(), QString("Show/Hide Trends"));
        for (QWidget* w : f->findChildren<QWidget*>()) {
            const bool controle = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                                  qobject_cast<QComboBox*>(w);
            if (controle && !w->objectName().isEmpty() && !w->objectName().startsWith("qt_"))
                QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
        }
        QCOMPARE(ControlesSemNomeAcessivel(f), QStringList{});
    }

private:
    // Controller 1 on M21 with the scale ini..fim, its faceplate open on
    // the trend.
    Faceplate* Novo(double ini, double fim) {
        Projeto& p = amb_->app->projeto();
        Memorias& mem = p.sim.mem;
        mem.setUeMin(21, QString::number(ini).toStdString());
        mem.setUeMax(21, QString::number(fim).toStdString());
        kivo::TControlador& c = p.CriaControlador(1);
        c.VariavelSelect = 20;
        if (!c.ValidaParametros(true)) qFatal("apply refused: %s", qPrintable(amb_->roteiro->informacoes.join(" / ")));
        p.marcadores.controladores[0].exibido = true;
        return qobject_cast<Faceplate*>(amb_->janela->janelas().Abre(Familia::Controlador, 1));
    }

    template <class W>
    static W* Filho(QWidget* w, const QString& nome) {
        W* f = w->findChild<W*>(nome);
        if (!f) qFatal("no control %s", qPrintable(nome));
        return f;
    }
    static void Clica(QWidget* w, const QString& nome) { Filho<QAbstractButton>(w, nome)->click(); }
    static QString Letra(QWidget* w, const QString& nome) { return Filho<QLabel>(w, nome)->text(); }

    std::unique_ptr<Ambiente> amb_;
};

QTEST_MAIN(TControladorTest)
#include "TControladorTest.moc"
