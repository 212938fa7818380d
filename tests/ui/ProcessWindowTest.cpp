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

#include "Helpers.h"
#include "ui/objects/ProcessWindow.h"
#include "ui/main/ProjectLifecycle.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::test;

using ProcessField = std::string kivo::Process::*;
Q_DECLARE_METATYPE(ProcessField)

class ProcessWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        fixture_ = std::make_unique<Fixture>();
        fixture_->window->cycle().New();
        p_ = &fixture_->app->project().CreateProcess(1);
        w_ = qobject_cast<ProcessWindow*>(fixture_->window->windows().Open(Family::ProcessBlock, 1));
        QVERIFY(w_);
    }
    void cleanup() { fixture_.reset(); }

    void markerRegistryOpensTheProcessWindowWithDefaults() {
        QCOMPARE(w_->objectName(), QString("TProcesso"));
        QCOMPARE(Field("GanhoText")->text(), QString("1"));
        QCOMPARE(Field("LText")->text(), QString("10"));
        QCOMPARE(Field("PeriodoText")->text(), QString("10"));
        QCOMPARE(Combo("EntradaSelect")->count(), 99);
        QCOMPARE(Combo("EntradaSelect")->currentIndex(), 0);
        QCOMPARE(Combo("ComboBox2")->count(), 4);
        QCOMPARE(Combo("ComboBox1")->itemText(2), QString("Curva Igual Porcentagem"));
        QCOMPARE(Label("RotuloAtuador")->text(), QString("(M101)"));
        QCOMPARE(Label("RotuloSaida")->text(), QString("(M21)"));
        QCOMPARE(Field("GanhoText")->accessibleName(), QString("Ganho:"));
        QCOMPARE(Field("GanhoText")->toolTip(), QString("Ganho estático do processo"));
        QCOMPARE(w_->findChild<QWidget*>("SpeedButton1")->accessibleName(), QString("Ajuda"));
        QCOMPARE(ControlsWithoutAccessibleName(w_), QStringList{});
    }

    void typedFieldsAreTheModelsFields_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<ProcessField>("member");
        QTest::addColumn<QString>("text");
        QTest::newRow("tag") << "TagText" << &kivo::Process::TagText << "FIC-101";
        QTest::newRow("desc") << "DescricaoText" << &kivo::Process::DescriptionText << "Vazão de água";
        QTest::newRow("gain") << "GanhoText" << &kivo::Process::GainText << "M22*0,5";
        QTest::newRow("dead time") << "TempoMorto" << &kivo::Process::DeadTime << "2,5";
        QTest::newRow("tau1") << "LText" << &kivo::Process::LText << "12";
        QTest::newRow("tau2") << "Ctext" << &kivo::Process::Ctext << "3";
        QTest::newRow("N") << "NCText" << &kivo::Process::NCText << "2";
        QTest::newRow("P") << "PeriodoText" << &kivo::Process::PeriodText << "30";
        QTest::newRow("lead") << "LEAD" << &kivo::Process::LEAD << "4";
        QTest::newRow("lag") << "LAG" << &kivo::Process::LAG << "8";
        QTest::newRow("initial") << "ValorInicialText" << &kivo::Process::InitialValueText << "40";
        QTest::newRow("backlash") << "Histerese" << &kivo::Process::Hysteresis << "1,5";
        QTest::newRow("stiction") << "valveStext" << &kivo::Process::valveStext << "2";
        QTest::newRow("actuator lag") << "tal" << &kivo::Process::tauAText << "0.5";
        QTest::newRow("rate") << "ratetext" << &kivo::Process::ratetext << "M23";
    }
    void typedFieldsAreTheModelsFields() {
        QFETCH(QString, name);
        QFETCH(ProcessField, member);
        QFETCH(QString, text);
        QLineEdit* e = Field(name);
        e->clear();
        // Typed key by key where the test library has the keys, else inserted.
        if (text.toLatin1() == text.toUtf8())
            QTest::keyClicks(e, text);
        else
            e->insert(text);
        QCOMPARE(QString::fromStdString(p_->*member), text);
        // A window built anew shows what the model holds.
        fixture_->window->windows().Close(Family::ProcessBlock, 1);
        w_ = qobject_cast<ProcessWindow*>(fixture_->window->windows().Open(Family::ProcessBlock, 1));
        if (name != "DescricaoText") QCOMPARE(Field(name)->text(), text);
    }

    void choicesAreTheModelsFields() {
        Combo("EntradaSelect")->setCurrentIndex(4);
        Combo("ComboBox2")->setCurrentIndex(2);
        Combo("ComboBox1")->setCurrentIndex(3);
        w_->findChild<QCheckBox*>("CheckBox1")->click();
        QCOMPARE(p_->InputSelect, 4);
        QCOMPARE(p_->TransferFunctionKind, 2);
        QCOMPARE(p_->ValveCurve, 3);
        QVERIFY(p_->SaturatorDisabled);
        QVERIFY(Button("btnatualiza")->isEnabled());
        QVERIFY(!Button("SairButton")->isEnabled());
        Button("btnatualiza")->click();
        QCOMPARE(p_->inputAddress(), 5);
        QCOMPARE(p_->kind(), 2);
        QCOMPARE(p_->curve(), 3);
    }

    void transferFunctionTypeShowsItsGroup_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("group");
        QTest::newRow("two lags") << 0 << "GroupPVC";
        QTest::newRow("underdamped") << 1 << "GroupOrdem2";
        QTest::newRow("lead-lag") << 2 << "GroupLEADLAG";
        QTest::newRow("integrator") << 3 << "GroupBox2";
    }
    void transferFunctionTypeShowsItsGroup() {
        QFETCH(int, kind);
        QFETCH(QString, group);
        w_->show();
        Combo("ComboBox2")->setCurrentIndex(kind);
        for (const char* g : {"GroupPVC", "GroupOrdem2", "GroupLEADLAG", "GroupBox2"})
            QCOMPARE(w_->findChild<QGroupBox*>(g)->isVisible(), group == g);
        QCOMPARE(Field("ValorInicialText")->isVisible(), kind == 3);
    }

    void invalidFieldsGiveTheirMessages_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
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
        QFETCH(int, kind);
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, message);
        Combo("ComboBox2")->setCurrentIndex(kind);
        Field(name)->setText(text);
        Button("btnatualiza")->click();
        QCOMPARE(fixture_->script->infoMessages, QStringList{message});
        // Refused: nothing counts as applied.
        QVERIFY(Button("btnatualiza")->isEnabled());
        QVERIFY(fixture_->app->saved());
    }

    void severalInvalidFieldsGiveOneBoxEachInOrder() {
        Field("GanhoText")->setText("x");
        Field("tal")->setText("x");
        Field("Histerese")->setText("y");
        Button("btnatualiza")->click();
        QCOMPARE(fixture_->script->infoMessages,
                 (QStringList{"Processo 21: Ganho inválido", "Processo 21: Histerese inválida",
                              "Processo 21: Constante de tempo inválido"}));
    }

    void missingInputIsTheOnlyMessage() {
        Combo("EntradaSelect")->setCurrentIndex(-1);
        Field("GanhoText")->setText("x");
        Button("btnatualiza")->click();
        QCOMPARE(fixture_->script->infoMessages, QStringList{"Processo 21: Variável de entrada não informada"});
    }

    // Enter in a field applies like "Atualizar", and only when there is
    // something to apply.
    void enterInAFieldApplies() {
        w_->show();
        QTest::keyClick(Field("GanhoText"), Qt::Key_Return);
        QVERIFY(fixture_->app->saved());
        Field("GanhoText")->selectAll();
        QTest::keyClicks(Field("GanhoText"), "x");
        QTest::keyClick(Field("GanhoText"), Qt::Key_Return);
        QCOMPARE(fixture_->script->infoMessages, QStringList{"Processo 21: Ganho inválido"});
        QVERIFY(Button("btnatualiza")->isEnabled());
        Field("GanhoText")->selectAll();
        QTest::keyClicks(Field("GanhoText"), "1,5");
        QTest::keyClick(Field("GanhoText"), Qt::Key_Return);
        QCOMPARE(fixture_->script->infoMessages.size(), 1);
        QVERIFY(!Button("btnatualiza")->isEnabled());
        QVERIFY(Button("SairButton")->isEnabled());
        QVERIFY(!fixture_->app->saved());
    }

    void successfulApplyUpdatesLabelsButtonsAndProject() {
        w_->show();
        Field("TagText")->setText("LIC-7");
        Field("DescricaoText")->setText("Nível do tanque");
        QVERIFY(!Button("SairButton")->isEnabled());
        Button("btnatualiza")->click();
        QVERIFY(fixture_->script->infoMessages.isEmpty());
        QVERIFY(!Button("btnatualiza")->isEnabled());
        QVERIFY(Button("SairButton")->isEnabled());
        QCOMPARE(Label("Cabecalho")->text(), QString("LIC-7 Nível do tanque"));
        QCOMPARE(w_->windowTitle(), QString("Nível do tanque"));
        QCOMPARE(QString::fromStdString(fixture_->app->sim().mem.entry(21).description), QString("Nível do tanque"));
        QVERIFY(!fixture_->app->saved());
        Button("SairButton")->click();
        QVERIFY(!w_->isVisible());
    }

    void initialValueIsTakenOnlyWhenEdited() {
        Combo("ComboBox2")->setCurrentIndex(3);
        Button("btnatualiza")->click();
        p_->state.Y1old = 12;
        Button("btnatualiza")->click();
        QCOMPARE(p_->state.Y1old, 12.0);  // not edited: the integrator keeps its state
        Field("ValorInicialText")->setText("40");
        QVERIFY(Button("btnatualiza")->isEnabled());
        Button("btnatualiza")->click();
        QCOMPARE(p_->state.Y1old, 40.0);
    }

    void liveFieldsActWithoutApply() {
        // The rate limit is read from the field at every cycle.
        Field("ratetext")->setText("10");
        fixture_->app->sim().mem[1] = 50;
        fixture_->app->Tick();
        QVERIFY(p_->state.a > 0.9 && p_->state.a < 1.1);
    }

    void readoutsFollowTheModel() {
        w_->show();
        fixture_->app->sim().mem[1] = 50;
        for (int i = 0; i < 6; ++i) fixture_->app->Tick();
        QCOMPARE(Label("EntradaValor")->text(), QString("50.00"));
        QVERIFY(Label("SaidaValor")->text() != "0.00");
        // The display refresh comes before the models step in a tick.
        emit fixture_->app->displayRefresh();
        QCOMPARE(Label("AtuadorValor")->text(), QString("50.00"));
        QCOMPARE(Label("SaidaValor")->text(), QString::number(p_->state.Y2, 'f', 2));
    }

    void inputListShowsTheTablesDescriptions() {
        fixture_->app->sim().mem.setDescription(5, "Vazão de ar");
        w_->show();
        QFocusEvent focusIn(QEvent::FocusIn);
        QApplication::sendEvent(Combo("EntradaSelect"), &focusIn);
        QCOMPARE(Combo("EntradaSelect")->itemText(4), QString("05 Vazão de ar"));
        QCOMPARE(Combo("EntradaSelect")->currentIndex(), 0);
    }

    // A description another window applies reaches the open list, and the
    // input chosen stays.
    void inputListFollowsTheTableWhileOpen() {
        w_->show();
        Combo("EntradaSelect")->setCurrentIndex(2);
        fixture_->app->sim().mem.setDescription(3, "MV TIC-3");
        fixture_->window->UpdateDiagram();  // where every apply ends
        QCOMPARE(Combo("EntradaSelect")->currentText(), QString("03 MV TIC-3"));
        QCOMPARE(Combo("EntradaSelect")->currentIndex(), 2);
        QCOMPARE(p_->InputSelect, 2);
    }

    void englishCaptionsOnFirstActivation() {
        fixture_->window->windows().Close(Family::ProcessBlock, 1);
        fixture_->app->SetEnglish();
        w_ = qobject_cast<ProcessWindow*>(fixture_->window->windows().Open(Family::ProcessBlock, 1));
        QCOMPARE(w_->windowTitle(), QString("Process"));
        QCOMPARE(Label("LabelGanho")->text(), QString("Gain:"));
        QCOMPARE(Label("LabelTM")->text(), QString("DT(seg):"));
        QCOMPARE(Label("LabelAtuadorPct")->text(), QString("Actuator Position(%):"));
        QCOMPARE(Label("LabelSaidaPct")->text(), QString("Output(%):"));
        QCOMPARE(Label("LabelHisterese")->text(), QString("Hysteresis:"));
        QCOMPARE(Label("LabelTal1")->text(), QString("Tal1(seg):"));
        QCOMPARE(w_->findChild<QGroupBox*>("GroupBox2")->title(), QString("Integrator process"));
        QCOMPARE(w_->findChild<QGroupBox*>("GroupNaoLinear")->title(), QString("Nonlinearities characteristics"));
        QCOMPARE(w_->findChild<QCheckBox*>("CheckBox1")->text(), QString("Disable Saturator"));
        QCOMPARE(Button("btnatualiza")->text(), QString("Refresh"));
        QCOMPARE(Combo("ComboBox2")->itemText(1), QString("2nd order (underdumped)"));
        QCOMPARE(Combo("ComboBox1")->itemText(1), QString("Quick Open Curve"));
        QCOMPARE(Field("TempoMorto")->toolTip(), QString("Dead Time(seconds)"));
        QCOMPARE(Field("GanhoText")->accessibleName(), QString("Gain:"));
        QCOMPARE(w_->findChild<QWidget*>("SpeedButton1")->accessibleName(), QString("Help"));
        QCOMPARE(ControlsWithoutAccessibleName(w_), QStringList{});
        // Validation messages stay Portuguese.
        Field("GanhoText")->setText("x");
        Button("btnatualiza")->click();
        QCOMPARE(fixture_->script->infoMessages, QStringList{"Processo 21: Ganho inválido"});
    }

private:
    QLineEdit* Field(const QString& n) const { return w_->findChild<QLineEdit*>(n); }
    QComboBox* Combo(const QString& n) const { return w_->findChild<QComboBox*>(n); }
    QLabel* Label(const QString& n) const { return w_->findChild<QLabel*>(n); }
    QPushButton* Button(const QString& n) const { return w_->findChild<QPushButton*>(n); }

    std::unique_ptr<Fixture> fixture_;
    kivo::Process* p_ = nullptr;
    ProcessWindow* w_ = nullptr;
};

QTEST_MAIN(ProcessWindowTest)
#include "ProcessWindowTest.moc"
