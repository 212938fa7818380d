// The configuration dialog: slot boxes creating objects, title, picture,
// panel widget settings, linearizer, English texts.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "Auxiliares.h"
#include "ui/main/Diagrama.h"
#include "ui/project/CicloProjeto.h"
#include "ui/project/TConfigForm.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::teste;

class TConfigFormTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        amb_ = std::make_unique<Ambiente>();
        amb_->janela->show();
        amb_->janela->ciclo().Novo();
        amb_->acao("Configurao2")->trigger();
        cfg_ = &amb_->janela->config();
    }
    void cleanup() { amb_.reset(); }

    void opensOnItsFirstPageWithEverySlotBox() {
        QVERIFY(cfg_->isVisible());
        QCOMPARE(cfg_->windowTitle(), QString("Configuração Geral"));
        auto* nb = cfg_->findChild<QTabWidget*>("NoteBook1");
        QCOMPARE(nb->currentIndex(), 0);
        QCOMPARE(nb->count(), 7);
        int caixas = 0;
        for (auto* c : cfg_->findChildren<QCheckBox*>(QRegularExpression("^CheckBox\\d+$"))) {
            ++caixas;
            QVERIFY(c->text().startsWith("<vago>"));
        }
        QCOMPARE(caixas, 88);
        QCOMPARE(cfg_->caixaSlot(Familia::Processo, 11)->objectName(), QString("CheckBox61"));
        QCOMPARE(cfg_->caixaSlot(Familia::Processo, 16)->objectName(), QString("CheckBox56"));
        QCOMPARE(cfg_->caixaSlot(Familia::Processo, 24)->objectName(), QString("CheckBox78"));
        QCOMPARE(cfg_->caixaSlot(Familia::Bloco, 16)->objectName(), QString("CheckBox82"));
        QCOMPARE(cfg_->caixaSlot(Familia::Bloco, 24)->objectName(), QString("CheckBox79"));
        QCOMPARE(cfg_->caixaSlot(Familia::Texto, 10)->objectName(), QString("CheckBox66"));
        QCOMPARE(cfg_->caixaSlot(Familia::Texto, 20)->text(), QString("<vago>Texto Animado 20"));
        QVERIFY(!cfg_->findChild<QComboBox*>("ComboBox2")->isEnabled());
    }

    void checkingASlotCreatesTheObjectAndItsMarkerAppears() {
        Projeto& p = amb_->app->projeto();
        QCheckBox* caixa = cfg_->findChild<QCheckBox*>("CheckBox23");
        caixa->click();
        QVERIFY(p.sim.processos.ativo(3));
        QCOMPARE(p.processo(3)->numero(), 23);
        p.processo(3)->TagText = "FT-23";
        QToolButton* marcador = amb_->janela->diagrama().marcador(Familia::Processo, 3);
        QVERIFY(marcador->isHidden());
        cfg_->findChild<QPushButton*>("SairButton")->click();
        QVERIFY(cfg_->isHidden());
        QVERIFY(marcador->isVisible());
        QCOMPARE(marcador->text(), QString("FT-23"));
        // Unchecking hides the marker at the next refresh; the object runs on.
        amb_->acao("Configurao2")->trigger();
        QCOMPARE(caixa->text(), QString("FT-23 "));
        caixa->click();
        cfg_->findChild<QPushButton*>("SairButton")->click();
        QVERIFY(marcador->isHidden());
        QVERIFY(p.sim.processos.ativo(3));
        amb_->app->Tick();
        // Checking again shows it without creating anything.
        TProcesso* mesmo = p.processo(3);
        caixa->click();
        QCOMPARE(p.processo(3), mesmo);
    }

    void titleBecomesTheCaptionAndMarksModified() {
        QLineEdit* titulo = cfg_->findChild<QLineEdit*>("Titulo");
        QTest::keyClicks(titulo, "Planta");
        QCOMPARE(amb_->janela->windowTitle(), QString("Planta"));
        QCOMPARE(amb_->app->projeto().titulo, std::string("Planta"));
        QVERIFY(!amb_->app->salvo());
    }

    // Looking through the pages changes nothing; an edit on one does.
    void onlyAnEditMarksModified() {
        auto* nb = cfg_->findChild<QTabWidget*>("NoteBook1");
        QVERIFY(amb_->app->salvo());
        for (int i = 0; i < nb->count(); ++i)
            QTest::mouseClick(nb->tabBar(), Qt::LeftButton, Qt::NoModifier, nb->tabBar()->tabRect(i).center());
        cfg_->Recarrega();
        QVERIFY(amb_->app->salvo());
        auto* mv = cfg_->findChild<QLineEdit*>("Lin1MV1");
        nb->setCurrentIndex(0);
        QTest::keyClicks(mv, "5");
        QVERIFY(!amb_->app->salvo());
    }

    void pictureKeepsOnlyItsFileName() {
        amb_->roteiro->nomesImagem.push_back("/somewhere/else/plant.bmp");
        cfg_->findChild<QToolButton*>("SpeedButton1")->click();
        QCOMPARE(cfg_->findChild<QLineEdit*>("Edit1")->text(), QString("plant.bmp"));
        QCOMPARE(amb_->app->projeto().imagem, std::string("plant.bmp"));
        // No such file in the current directory: nothing is shown.
        QVERIFY(amb_->janela->diagrama().imagem()->isHidden());
    }

    void commandButtonsEnableInChainAndZeroTheirOutputs() {
        Simulacao& sim = amb_->app->sim();
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
        auto* nome = cfg_->findChild<QLineEdit*>("Ent2Label");
        QVERIFY(nome->isEnabled());
        QTest::keyClicks(nome, "Vazao");
        QCOMPARE(amb_->app->sim().mem.entrada(16).descricao, std::string("Vazao"));
        QCOMPARE(amb_->app->projeto().tracks[1].rotulo, std::string("Vazao"));
        QVERIFY(cfg_->findChild<QCheckBox*>("Ent4label") == nullptr);
        QVERIFY(cfg_->findChild<QLineEdit*>("Ent4label") != nullptr);
    }

    void shapeAndSwitchSettingsReachTheProject() {
        Projeto& p = amb_->app->projeto();
        auto* tipo = cfg_->findChild<QComboBox*>("Imagem2Tipo");
        QVERIFY(!tipo->isEnabled());
        cfg_->findChild<QCheckBox*>("Imagem2Check")->click();
        QVERIFY(p.formas[1].habilitada);
        QVERIFY(tipo->isEnabled());
        cfg_->findChild<QSpinBox*>("Imagem2TamW")->setValue(80);
        QCOMPARE(p.formas[1].largura, 80);
        auto* chave = cfg_->findChild<QComboBox*>("Chave1Tipo");
        QVERIFY(!chave->isEnabled());
        cfg_->findChild<QCheckBox*>("Chave1Check")->click();
        QVERIFY(chave->isEnabled());
        QVERIFY(p.chaves[0].habilitada);
    }

    void linearizerPanelEditsTheLinearizer() {
        Projeto& p = amb_->app->projeto();
        cfg_->findChild<QCheckBox*>("Lin1Ativar")->click();
        QVERIFY(p.sim.linearizadorAtivo);
        auto* mv3 = cfg_->findChild<QLineEdit*>("Lin1MV3");
        mv3->selectAll();
        QTest::keyClicks(mv3, "45");
        QCOMPARE(p.linearizador.Lin1MV[2], std::string("45"));
        QVERIFY(!cfg_->findChild<QLineEdit*>("Lin1EndSai")->isEnabled());
    }

    void englishTexts() {
        amb_->janela->TraduzIngles();
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
    }

    void measuredCycleTimeIsShown() {
        amb_->app->Tick();
        amb_->app->Tick();
        QVERIFY(cfg_->findChild<QLabel*>("Label2")->text().endsWith("ms"));
    }

private:
    std::unique_ptr<Ambiente> amb_;
    TConfigForm* cfg_ = nullptr;
};

QTEST_MAIN(TConfigFormTest)
#include "TConfigFormTest.moc"
