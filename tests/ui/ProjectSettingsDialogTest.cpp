// The configuration dialog: slot boxes creating objects, title, picture,
// panel widget settings, linearizer, English texts.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QToolButton>

#include "Helpers.h"
#include "objects/Controller.h"
#include "ui/shell/Diagram.h"
#include "ui/main/ProjectLifecycle.h"
#include "ui/project/ProjectSettingsDialog.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::test;

class ProjectSettingsDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        fixture_ = std::make_unique<Fixture>();
        fixture_->window->show();
        fixture_->window->cycle().New();
        fixture_->actionItem("Configurao2")->trigger();
        cfg_ = &fixture_->window->config();
    }
    void cleanup() { fixture_.reset(); }

    void opensOnItsFirstPageWithEverySlotBox() {
        QVERIFY(cfg_->isVisible());
        QCOMPARE(cfg_->windowTitle(), QString("Configuração Geral"));
        auto* nb = cfg_->findChild<QTabWidget*>("NoteBook1");
        QCOMPARE(nb->currentIndex(), 0);
        QCOMPARE(nb->count(), 8);
        int boxes = 0;
        for (auto* c : cfg_->findChildren<QCheckBox*>(QRegularExpression("^CheckBox\\d+$"))) {
            ++boxes;
            QVERIFY(c->text().startsWith("<vago>"));
        }
        QCOMPARE(boxes, 88);
        QCOMPARE(cfg_->slotBox(Family::ProcessBlock, 11)->objectName(), QString("CheckBox61"));
        QCOMPARE(cfg_->slotBox(Family::ProcessBlock, 16)->objectName(), QString("CheckBox56"));
        QCOMPARE(cfg_->slotBox(Family::ProcessBlock, 24)->objectName(), QString("CheckBox78"));
        QCOMPARE(cfg_->slotBox(Family::CalculationBlock, 16)->objectName(), QString("CheckBox82"));
        QCOMPARE(cfg_->slotBox(Family::CalculationBlock, 24)->objectName(), QString("CheckBox79"));
        QCOMPARE(cfg_->slotBox(Family::Text, 10)->objectName(), QString("CheckBox66"));
        QCOMPARE(cfg_->slotBox(Family::Text, 20)->text(), QString("<vago>Texto Animado 20"));
        QVERIFY(!cfg_->findChild<QComboBox*>("ComboBox2")->isEnabled());
    }

    void checkingASlotCreatesTheObjectAndItsMarkerAppears() {
        Project& p = fixture_->app->project();
        QCheckBox* frame = cfg_->findChild<QCheckBox*>("CheckBox23");
        frame->click();
        QVERIFY(p.sim.processes.active(3));
        QCOMPARE(p.process(3)->number(), 23);
        p.process(3)->TagText = "FT-23";
        QToolButton* marker = fixture_->window->diagram().marker(Family::ProcessBlock, 3);
        QVERIFY(marker->isHidden());
        cfg_->findChild<QPushButton*>("SairButton")->click();
        QVERIFY(cfg_->isHidden());
        QVERIFY(marker->isVisible());
        QCOMPARE(marker->text(), QString("FT-23"));
        // Unchecking hides the marker at the next refresh; the object runs on.
        fixture_->actionItem("Configurao2")->trigger();
        QCOMPARE(frame->text(), QString("FT-23 "));
        frame->click();
        cfg_->findChild<QPushButton*>("SairButton")->click();
        QVERIFY(marker->isHidden());
        QVERIFY(p.sim.processes.active(3));
        fixture_->app->Tick();
        // Checking again shows it without creating anything.
        Process* same = p.process(3);
        frame->click();
        QCOMPARE(p.process(3), same);
    }

    void titleBecomesTheCaptionAndMarksModified() {
        QLineEdit* title = cfg_->findChild<QLineEdit*>("Titulo");
        QTest::keyClicks(title, "Planta");
        QCOMPARE(fixture_->window->windowTitle(), QString("Planta"));
        QCOMPARE(fixture_->app->project().title, std::string("Planta"));
        QVERIFY(!fixture_->app->saved());
    }

    // Looking through the pages changes nothing; an edit on one does.
    void onlyAnEditMarksModified() {
        auto* nb = cfg_->findChild<QTabWidget*>("NoteBook1");
        QVERIFY(fixture_->app->saved());
        for (int i = 0; i < nb->count(); ++i)
            QTest::mouseClick(nb->tabBar(), Qt::LeftButton, Qt::NoModifier, nb->tabBar()->tabRect(i).center());
        cfg_->Reload();
        QVERIFY(fixture_->app->saved());
        auto* mv = cfg_->findChild<QLineEdit*>("Lin1MV1");
        nb->setCurrentIndex(0);
        QTest::keyClicks(mv, "5");
        QVERIFY(!fixture_->app->saved());
    }

    void pictureKeepsOnlyItsFileName() {
        fixture_->script->imageNames.push_back("/somewhere/else/plant.bmp");
        cfg_->findChild<QToolButton*>("SpeedButton1")->click();
        QCOMPARE(cfg_->findChild<QLineEdit*>("Edit1")->text(), QString("plant.bmp"));
        QCOMPARE(fixture_->app->project().image, std::string("plant.bmp"));
        // No such file in the current directory: nothing is shown.
        QVERIFY(fixture_->window->diagram().image()->isHidden());
    }

    void commandButtonsEnableInChainAndZeroTheirOutputs() {
        Simulation& sim = fixture_->app->sim();
        auto* b1 = cfg_->findChild<QCheckBox*>("Botao1_check");
        auto* b2 = cfg_->findChild<QCheckBox*>("Botao2_check");
        auto* b3 = cfg_->findChild<QCheckBox*>("Botao3_check");
        QVERIFY(!b2->isEnabled());
        QVERIFY(!cfg_->findChild<QLineEdit*>("Edit8")->isEnabled());
        b1->click();
        QVERIFY(b2->isEnabled());
        QVERIFY(cfg_->findChild<QLineEdit*>("Edit8")->isEnabled());
        b2->click();
        b3->click();
        QVERIFY(cfg_->findChild<QLineEdit*>("Edit7")->isEnabled());
        sim.mem[97] = sim.mem[98] = sim.mem[99] = 1;
        b1->click();
        QCOMPARE(sim.mem[97] + sim.mem[98] + sim.mem[99], 0.0);
        QVERIFY(!b2->isEnabled());
        QVERIFY(!b3->isEnabled());
        QVERIFY(b2->isChecked());
        QVERIFY(!cfg_->findChild<QLineEdit*>("Edit10")->isEnabled());
        QCOMPARE(cfg_->findChild<QLineEdit*>("Edit2")->text(), QString("Texto para M97=0"));
        QCOMPARE(cfg_->findChild<QLineEdit*>("Edit8")->maxLength(), 15);
    }

    void trackNameBecomesTheVariableDescription() {
        cfg_->findChild<QCheckBox*>("Ent2Check")->click();
        auto* name = cfg_->findChild<QLineEdit*>("Ent2Label");
        QVERIFY(name->isEnabled());
        QTest::keyClicks(name, "Vazao");
        QCOMPARE(fixture_->app->sim().mem.entry(16).description, std::string("Vazao"));
        QCOMPARE(fixture_->app->project().tracks[1].label, std::string("Vazao"));
        QVERIFY(cfg_->findChild<QCheckBox*>("Ent4label") == nullptr);
        QVERIFY(cfg_->findChild<QLineEdit*>("Ent4label") != nullptr);
    }

    void shapeAndSwitchSettingsReachTheProject() {
        Project& p = fixture_->app->project();
        auto* kind = cfg_->findChild<QComboBox*>("Imagem2Tipo");
        QVERIFY(!kind->isEnabled());
        cfg_->findChild<QCheckBox*>("Imagem2Check")->click();
        QVERIFY(p.shapes[1].enabled);
        QVERIFY(kind->isEnabled());
        cfg_->findChild<QSpinBox*>("Imagem2TamW")->setValue(80);
        QCOMPARE(p.shapes[1].width, 80);
        auto* key = cfg_->findChild<QComboBox*>("Chave1Tipo");
        QVERIFY(!key->isEnabled());
        cfg_->findChild<QCheckBox*>("Chave1Check")->click();
        QVERIFY(key->isEnabled());
        QVERIFY(p.switches[0].enabled);
    }

    void linearizerPanelEditsTheLinearizer() {
        Project& p = fixture_->app->project();
        cfg_->findChild<QCheckBox*>("Lin1Ativar")->click();
        QVERIFY(p.sim.linearizerActive);
        auto* mv3 = cfg_->findChild<QLineEdit*>("Lin1MV3");
        mv3->selectAll();
        QTest::keyClicks(mv3, "45");
        QCOMPARE(p.linearizer.Lin1MV[2], std::string("45"));
        QVERIFY(!cfg_->findChild<QLineEdit*>("Lin1EndSai")->isEnabled());
    }

    void englishTexts() {
        fixture_->window->TranslateToEnglish();
        QCOMPARE(cfg_->windowTitle(), QString("General Configuration"));
        QCOMPARE(cfg_->findChild<QLabel*>("Label3")->text(), QString("Simulation Title:"));
        QCOMPARE(cfg_->findChild<QTabWidget*>("NoteBook1")->tabText(5), QString("Animated Shapes"));
        QCOMPARE(cfg_->findChild<QCheckBox*>("CheckBox1")->text(), QString("<empty> Controller 1"));
        QCOMPARE(cfg_->findChild<QCheckBox*>("CheckBox46")->text(), QString("<empty>Animated Text1"));
        QCOMPARE(cfg_->findChild<QCheckBox*>("Chave2Check")->text(), QString("Switch 2    Type:"));
        QCOMPARE(cfg_->findChild<QComboBox*>("Chave1Tipo")->itemText(3), QString("to down"));
        QCOMPARE(cfg_->findChild<QComboBox*>("Imagem5Tipo")->itemText(0), QString("Cilcle with variable color"));
        QCOMPARE(cfg_->findChild<QLineEdit*>("Edit5")->text(), QString("Text when M98=1"));
        QCOMPARE(cfg_->findChild<QLabel*>("Label19")->text(), QString("Colors:"));
        QCOMPARE(cfg_->findChild<QPushButton*>("SairButton")->text(), QString("Exit"));
        QCOMPARE(cfg_->findChild<QCheckBox*>("Lin1Ativar")->text(), QString("Enable"));
        QCOMPARE(cfg_->findChild<QTabWidget*>("NoteBook1")->tabText(7), QString("Modbus"));
        QCOMPARE(cfg_->findChild<QPushButton*>("ModbusIniciar")->text(), QString("Start server"));
        QCOMPARE(cfg_->findChild<QLabel*>("ModbusEstado")->text(), QString("Stopped."));
        QCOMPARE(cfg_->findChild<QSpinBox*>("ModbusPorta")->accessibleName(), QString("Port:"));
    }

    // Off until started from its page; a client's write then reaches the
    // controller at the next tick; stopped, the port is closed again. None
    // of it is the project's.
    void modbusServerRunsBesideTheCycleFromItsPage() {
        cfg_->findChild<QCheckBox*>("CheckBox1")->click();
        fixture_->app->MarkSaved();
        auto* start = cfg_->findChild<QPushButton*>("ModbusIniciar");
        auto* state = cfg_->findChild<QLabel*>("ModbusEstado");
        QVERIFY(!fixture_->app->modbusServer());
        QCOMPARE(start->text(), QString("Iniciar servidor"));
        QCOMPARE(state->text(), QString("Parado."));
        QTcpServer probe;  // a free port
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        const quint16 port = probe.serverPort();
        probe.close();
        cfg_->findChild<QSpinBox*>("ModbusPorta")->setValue(port);
        start->click();
        QVERIFY(fixture_->app->modbusServer());
        QCOMPARE(start->text(), QString("Parar servidor"));
        QVERIFY(!cfg_->findChild<QLineEdit*>("ModbusEndereco")->isEnabled());
        QCOMPARE(state->text(), QString("Servindo em 127.0.0.1:%1, 0 clientes conectados.").arg(port));

        // Controller 1's setpoint := 25 % (function 6 at 2003), answered
        // once a tick has taken it.
        QTcpSocket client;
        client.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(client.waitForConnected(2000));
        client.write(QByteArray::fromHex("000100000006010607d309c4"));
        for (int i = 0; i < 300 && client.bytesAvailable() < 12; ++i) {
            fixture_->app->Tick();
            client.waitForReadyRead(10);
        }
        QCOMPARE(client.readAll().toHex(), QByteArray("000100000006010607d309c4"));
        QCOMPARE(fixture_->app->project().controller(1)->state.SP, 25.0);
        fixture_->app->Tick();
        cfg_->findChild<QTabWidget*>("NoteBook1")->setCurrentIndex(7);
        fixture_->app->Tick();
        QCOMPARE(state->text(), QString("Servindo em 127.0.0.1:%1, 1 cliente conectado.").arg(port));

        start->click();
        QVERIFY(!fixture_->app->modbusServer());
        QCOMPARE(start->text(), QString("Iniciar servidor"));
        QVERIFY(cfg_->findChild<QLineEdit*>("ModbusEndereco")->isEnabled());
        QTcpSocket late;
        late.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(!late.waitForConnected(2000));
        QVERIFY(fixture_->app->saved());
    }

    void modbusAddressThatIsNotOneIsReported() {
        auto* host = cfg_->findChild<QLineEdit*>("ModbusEndereco");
        host->setText("localhost");
        cfg_->findChild<QPushButton*>("ModbusIniciar")->click();
        QVERIFY(!fixture_->app->modbusServer());
        QCOMPARE(fixture_->script->infoMessages, QStringList{"'localhost' não é um endereço IPv4"});
        QCOMPARE(cfg_->findChild<QLabel*>("ModbusEstado")->text(), QString("Parado."));
    }

    void measuredCycleTimeIsShown() {
        fixture_->app->Tick();
        fixture_->app->Tick();
        QVERIFY(cfg_->findChild<QLabel*>("Label2")->text().endsWith("ms"));
    }

private:
    std::unique_ptr<Fixture> fixture_;
    ProjectSettingsDialog* cfg_ = nullptr;
};

QTEST_MAIN(ProjectSettingsDialogTest)
#include "ProjectSettingsDialogTest.moc"
