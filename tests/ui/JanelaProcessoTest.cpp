// The process window: fields round-trip to the model, the apply's messages,
// the groups of the transfer-function types, labels, readouts and English.
#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "Auxiliares.h"
#include "ui/objects/JanelaProcesso.h"
#include "ui/project/CicloProjeto.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::teste;

using CampoProcesso = std::string kivo::TProcesso::*;
Q_DECLARE_METATYPE(CampoProcesso)

class JanelaProcessoTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        amb_ = std::make_unique<Ambiente>();
        amb_->janela->ciclo().Novo();
        p_ = &amb_->app->projeto().CriaProcesso(1);
        w_ = qobject_cast<JanelaProcesso*>(amb_->janela->janelas().Abre(Familia::Processo, 1));
        QVERIFY(w_);
    }
    void cleanup() { amb_.reset(); }

    void markerRegistryOpensTheProcessWindowWithDefaults() {
        QCOMPARE(w_->objectName(), QString("TProcesso"));
        QCOMPARE(Campo("GanhoText")->text(), QString("1"));
        QCOMPARE(Campo("LText")->text(), QString("10"));
        QCOMPARE(Campo("PeriodoText")->text(), QString("10"));
        QCOMPARE(Combo("EntradaSelect")->count(), 99);
        QCOMPARE(Combo("EntradaSelect")->currentIndex(), 0);
        QCOMPARE(Combo("ComboBox2")->count(), 4);
        QCOMPARE(Combo("ComboBox1")->itemText(2), QString("Curva Igual Porcentagem"));
        QCOMPARE(Rotulo("RotuloAtuador")->text(), QString("(M101)"));
        QCOMPARE(Rotulo("RotuloSaida")->text(), QString("(M21)"));
        QCOMPARE(Campo("GanhoText")->accessibleName(), QString("Ganho:"));
        QCOMPARE(Campo("GanhoText")->toolTip(), QString("Ganho estático do processo"));
        QCOMPARE(w_->findChild<QWidget*>("SpeedButton1")->accessibleName(), QString("Ajuda"));
        QCOMPARE(ControlesSemNomeAcessivel(w_), QStringList{});
    }

    void typedFieldsAreTheModelsFields_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<CampoProcesso>("membro");
        QTest::addColumn<QString>("texto");
        QTest::newRow("tag") << "TagText" << &kivo::TProcesso::TagText << "FIC-101";
        QTest::newRow("desc") << "DescricaoText" << &kivo::TProcesso::DescricaoText << "Vazão de água";
        QTest::newRow("gain") << "GanhoText" << &kivo::TProcesso::GanhoText << "M22*0,5";
        QTest::newRow("dead time") << "TempoMorto" << &kivo::TProcesso::TempoMorto << "2,5";
        QTest::newRow("tau1") << "LText" << &kivo::TProcesso::LText << "12";
        QTest::newRow("tau2") << "Ctext" << &kivo::TProcesso::Ctext << "3";
        QTest::newRow("N") << "NCText" << &kivo::TProcesso::NCText << "2";
        QTest::newRow("P") << "PeriodoText" << &kivo::TProcesso::PeriodoText << "30";
        QTest::newRow("lead") << "LEAD" << &kivo::TProcesso::LEAD << "4";
        QTest::newRow("lag") << "LAG" << &kivo::TProcesso::LAG << "8";
        QTest::newRow("initial") << "ValorInicialText" << &kivo::TProcesso::ValorInicialText << "40";
        QTest::newRow("backlash") << "Histerese" << &kivo::TProcesso::Histerese << "1,5";
        QTest::newRow("stiction") << "valveStext" << &kivo::TProcesso::valveStext << "2";
        QTest::newRow("actuator lag") << "tal" << &kivo::TProcesso::tal << "0.5";
        QTest::newRow("rate") << "ratetext" << &kivo::TProcesso::ratetext << "M23";
    }
    void typedFieldsAreTheModelsFields() {
        QFETCH(QString, nome);
        QFETCH(CampoProcesso, membro);
        QFETCH(QString, texto);
        QLineEdit* e = Campo(nome);
        e->clear();
        // Typed key by key where the test library has the keys, else inserted.
        if (texto.toLatin1() == texto.toUtf8())
            QTest::keyClicks(e, texto);
        else
            e->insert(texto);
        QCOMPARE(QString::fromStdString(p_->*membro), texto);
        // A window built anew shows what the model holds.
        amb_->janela->janelas().Fecha(Familia::Processo, 1);
        w_ = qobject_cast<JanelaProcesso*>(amb_->janela->janelas().Abre(Familia::Processo, 1));
        if (nome != "DescricaoText") QCOMPARE(Campo(nome)->text(), texto);
    }

    void choicesAreTheModelsFields() {
        Combo("EntradaSelect")->setCurrentIndex(4);
        Combo("ComboBox2")->setCurrentIndex(2);
        Combo("ComboBox1")->setCurrentIndex(3);
        w_->findChild<QCheckBox*>("CheckBox1")->click();
        QCOMPARE(p_->EntradaSelect, 4);
        QCOMPARE(p_->ComboBox2, 2);
        QCOMPARE(p_->ComboBox1, 3);
        QVERIFY(p_->CheckBox1);
        QVERIFY(Botao("btnatualiza")->isEnabled());
        QVERIFY(!Botao("SairButton")->isEnabled());
        Botao("btnatualiza")->click();
        QCOMPARE(p_->enderecoEntrada(), 5);
        QCOMPARE(p_->tipo(), 2);
        QCOMPARE(p_->curva(), 3);
    }

    void transferFunctionTypeShowsItsGroup_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("grupo");
        QTest::newRow("two lags") << 0 << "GroupPVC";
        QTest::newRow("underdamped") << 1 << "GroupOrdem2";
        QTest::newRow("lead-lag") << 2 << "GroupLEADLAG";
        QTest::newRow("integrator") << 3 << "GroupBox2";
    }
    void transferFunctionTypeShowsItsGroup() {
        QFETCH(int, tipo);
        QFETCH(QString, grupo);
        w_->show();
        Combo("ComboBox2")->setCurrentIndex(tipo);
        for (const char* g : {"GroupPVC", "GroupOrdem2", "GroupLEADLAG", "GroupBox2"})
            QCOMPARE(w_->findChild<QGroupBox*>(g)->isVisible(), grupo == g);
        QCOMPARE(Campo("ValorInicialText")->isVisible(), tipo == 3);
    }

    void invalidFieldsGiveTheirMessages_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("mensagem");
        QTest::newRow("gain") << 0 << "GanhoText" << "2*x" << "Processo 21: Ganho inválido";
        QTest::newRow("dead time") << 0 << "TempoMorto" << "-1" << "Processo 21: Tempo Morto inválido";
        QTest::newRow("tau1") << 0 << "LText" << "x" << "Processo 21: Tal1 inválido";
        QTest::newRow("tau2") << 0 << "Ctext" << "x" << "Processo 21: Tal2 inválido";
        QTest::newRow("lag") << 2 << "LAG" << "x" << "Processo 21: LAG inválido";
        QTest::newRow("lead") << 2 << "LEAD" << "x" << "Processo 21: LEAD inválido";
        QTest::newRow("N zero") << 1 << "NCText" << "0" << "Processo 21: NCn inválido";
        QTest::newRow("N text") << 1 << "NCText" << "abc" << "Processo 21: NCn inválido";
        QTest::newRow("P") << 1 << "PeriodoText" << "x" << "Processo 21: Periodo inválido";
        QTest::newRow("backlash") << 0 << "Histerese" << "x" << "Processo 21: Histerese inválida";
        QTest::newRow("rate") << 0 << "ratetext" << "x" << "Processo 21: Rate inválido";
        QTest::newRow("stiction") << 0 << "valveStext" << "x" << "Processo 21: Agarramento inválido";
        QTest::newRow("actuator") << 0 << "tal" << "x" << "Processo 21: Constante de tempo inválido";
    }
    void invalidFieldsGiveTheirMessages() {
        QFETCH(int, tipo);
        QFETCH(QString, nome);
        QFETCH(QString, texto);
        QFETCH(QString, mensagem);
        Combo("ComboBox2")->setCurrentIndex(tipo);
        Campo(nome)->setText(texto);
        Botao("btnatualiza")->click();
        QCOMPARE(amb_->roteiro->informacoes, QStringList{mensagem});
        // Refused: nothing counts as applied.
        QVERIFY(Botao("btnatualiza")->isEnabled());
        QVERIFY(amb_->app->salvo());
    }

    void severalInvalidFieldsGiveOneBoxEachInOrder() {
        Campo("GanhoText")->setText("x");
        Campo("tal")->setText("x");
        Campo("Histerese")->setText("y");
        Botao("btnatualiza")->click();
        QCOMPARE(amb_->roteiro->informacoes,
                 (QStringList{"Processo 21: Ganho inválido", "Processo 21: Histerese inválida",
                              "Processo 21: Constante de tempo inválido"}));
    }

    void missingInputIsTheOnlyMessage() {
        Combo("EntradaSelect")->setCurrentIndex(-1);
        Campo("GanhoText")->setText("x");
        Botao("btnatualiza")->click();
        QCOMPARE(amb_->roteiro->informacoes, QStringList{"Processo 21: Variável de entrada não informada"});
    }

    // Enter in a field applies like "Atualizar", and only when there is
    // something to apply.
    void enterInAFieldApplies() {
        w_->show();
        QTest::keyClick(Campo("GanhoText"), Qt::Key_Return);
        QVERIFY(amb_->app->salvo());
        Campo("GanhoText")->selectAll();
        QTest::keyClicks(Campo("GanhoText"), "x");
        QTest::keyClick(Campo("GanhoText"), Qt::Key_Return);
        QCOMPARE(amb_->roteiro->informacoes, QStringList{"Processo 21: Ganho inválido"});
        QVERIFY(Botao("btnatualiza")->isEnabled());
        Campo("GanhoText")->selectAll();
        QTest::keyClicks(Campo("GanhoText"), "1,5");
        QTest::keyClick(Campo("GanhoText"), Qt::Key_Return);
        QCOMPARE(amb_->roteiro->informacoes.size(), 1);
        QVERIFY(!Botao("btnatualiza")->isEnabled());
        QVERIFY(Botao("SairButton")->isEnabled());
        QVERIFY(!amb_->app->salvo());
    }

    void successfulApplyUpdatesLabelsButtonsAndProject() {
        w_->show();
        Campo("TagText")->setText("LIC-7");
        Campo("DescricaoText")->setText("Nível do tanque");
        QVERIFY(!Botao("SairButton")->isEnabled());
        Botao("btnatualiza")->click();
        QVERIFY(amb_->roteiro->informacoes.isEmpty());
        QVERIFY(!Botao("btnatualiza")->isEnabled());
        QVERIFY(Botao("SairButton")->isEnabled());
        QCOMPARE(Rotulo("Cabecalho")->text(), QString("LIC-7 Nível do tanque"));
        QCOMPARE(w_->windowTitle(), QString("Nível do tanque"));
        QCOMPARE(QString::fromStdString(amb_->app->sim().mem.entrada(21).descricao), QString("Nível do tanque"));
        QVERIFY(!amb_->app->salvo());
        Botao("SairButton")->click();
        QVERIFY(!w_->isVisible());
    }

    void initialValueIsTakenOnlyWhenEdited() {
        Combo("ComboBox2")->setCurrentIndex(3);
        Botao("btnatualiza")->click();
        p_->estado.Y1old = 12;
        Botao("btnatualiza")->click();
        QCOMPARE(p_->estado.Y1old, 12.0);  // not edited: the integrator keeps its state
        Campo("ValorInicialText")->setText("40");
        QVERIFY(Botao("btnatualiza")->isEnabled());
        Botao("btnatualiza")->click();
        QCOMPARE(p_->estado.Y1old, 40.0);
    }

    void liveFieldsActWithoutApply() {
        // The rate limit is read from the field at every cycle.
        Campo("ratetext")->setText("10");
        amb_->app->sim().mem[1] = 50;
        amb_->app->Tick();
        QVERIFY(p_->estado.a > 0.9 && p_->estado.a < 1.1);
    }

    void readoutsFollowTheModel() {
        w_->show();
        amb_->app->sim().mem[1] = 50;
        for (int i = 0; i < 6; ++i) amb_->app->Tick();
        QCOMPARE(Rotulo("EntradaValor")->text(), QString("50.00"));
        QVERIFY(Rotulo("SaidaValor")->text() != "0.00");
        // The display refresh comes before the models step in a tick.
        emit amb_->app->displayAtualizar();
        QCOMPARE(Rotulo("AtuadorValor")->text(), QString("50.00"));
        QCOMPARE(Rotulo("SaidaValor")->text(), QString::number(p_->estado.Y2, 'f', 2));
    }

    void inputListShowsTheTablesDescriptions() {
        amb_->app->sim().mem.setDescricao(5, "Vazão de ar");
        w_->show();
        QFocusEvent foco(QEvent::FocusIn);
        QApplication::sendEvent(Combo("EntradaSelect"), &foco);
        QCOMPARE(Combo("EntradaSelect")->itemText(4), QString("05 Vazão de ar"));
        QCOMPARE(Combo("EntradaSelect")->currentIndex(), 0);
    }

    // A description another window applies reaches the open list, and the
    // input chosen stays.
    void inputListFollowsTheTableWhileOpen() {
        w_->show();
        Combo("EntradaSelect")->setCurrentIndex(2);
        amb_->app->sim().mem.setDescricao(3, "MV TIC-3");
        amb_->janela->AtualizaDiagrama();  // where every apply ends
        QCOMPARE(Combo("EntradaSelect")->currentText(), QString("03 MV TIC-3"));
        QCOMPARE(Combo("EntradaSelect")->currentIndex(), 2);
        QCOMPARE(p_->EntradaSelect, 2);
    }

    void englishCaptionsOnFirstActivation() {
        amb_->janela->janelas().Fecha(Familia::Processo, 1);
        amb_->app->DefineIngles();
        w_ = qobject_cast<JanelaProcesso*>(amb_->janela->janelas().Abre(Familia::Processo, 1));
        QCOMPARE(w_->windowTitle(), QString("Process"));
        QCOMPARE(Rotulo("LabelGanho")->text(), QString("Gain:"));
        QCOMPARE(Rotulo("LabelTM")->text(), QString("DT(seg):"));
        QCOMPARE(Rotulo("LabelAtuadorPct")->text(), QString("Actuator Position(%):"));
        QCOMPARE(Rotulo("LabelSaidaPct")->text(), QString("Output(%):"));
        QCOMPARE(Rotulo("LabelHisterese")->text(), QString("Hysteresis:"));
        QCOMPARE(Rotulo("LabelTal1")->text(), QString("Tal1(seg):"));
        QCOMPARE(w_->findChild<QGroupBox*>("GroupBox2")->title(), QString("Integrator process"));
        QCOMPARE(w_->findChild<QGroupBox*>("GroupNaoLinear")->title(), QString("Nonlinearities characteristics"));
        QCOMPARE(w_->findChild<QCheckBox*>("CheckBox1")->text(), QString("Disable Saturator"));
        QCOMPARE(Botao("btnatualiza")->text(), QString("Refresh"));
        QCOMPARE(Combo("ComboBox2")->itemText(1), QString("2nd order (underdumped)"));
        QCOMPARE(Combo("ComboBox1")->itemText(1), QString("Quick Open Curve"));
        QCOMPARE(Campo("TempoMorto")->toolTip(), QString("Dead Time(seconds)"));
        QCOMPARE(Campo("GanhoText")->accessibleName(), QString("Gain:"));
        QCOMPARE(w_->findChild<QWidget*>("SpeedButton1")->accessibleName(), QString("Help"));
        QCOMPARE(ControlesSemNomeAcessivel(w_), QStringList{});
        // Validation messages stay Portuguese.
        Campo("GanhoText")->setText("x");
        Botao("btnatualiza")->click();
        QCOMPARE(amb_->roteiro->informacoes, QStringList{"Processo 21: Ganho inválido"});
    }

private:
    QLineEdit* Campo(const QString& n) const { return w_->findChild<QLineEdit*>(n); }
    QComboBox* Combo(const QString& n) const { return w_->findChild<QComboBox*>(n); }
    QLabel* Rotulo(const QString& n) const { return w_->findChild<QLabel*>(n); }
    QPushButton* Botao(const QString& n) const { return w_->findChild<QPushButton*>(n); }

    std::unique_ptr<Ambiente> amb_;
    kivo::TProcesso* p_ = nullptr;
    JanelaProcesso* w_ = nullptr;
};

QTEST_MAIN(JanelaProcessoTest)
#include "JanelaProcessoTest.moc"
