// The calculation block window: fields round-trip to the model, the apply's
// messages, labels and buttons, English captions.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "Auxiliares.h"
#include "ui/objects/JanelaBloco.h"
#include "ui/project/CicloProjeto.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::teste;

class JanelaBlocoTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        amb_ = std::make_unique<Ambiente>();
        amb_->janela->ciclo().Novo();
        b_ = &amb_->app->projeto().CriaBloco(21);  // writes M75
        w_ = qobject_cast<JanelaBloco*>(amb_->janela->janelas().Abre(Familia::Bloco, 21));
        QVERIFY(w_);
    }
    void cleanup() { amb_.reset(); }

    void opensWithDefaultsAndItsOutputLabel() {
        QCOMPARE(w_->windowTitle(), QString("Bloco de Cálculo"));
        QCOMPARE(Campo("LimSupText")->text(), QString("105"));
        QCOMPARE(Campo("LimInfText")->text(), QString("-5"));
        QVERIFY(!w_->findChild<QCheckBox*>("LimSupCheck")->isChecked());
        QCOMPARE(Rotulo("RotuloSaida")->text(), QString("M75="));
        QCOMPARE(Campo("FuncaoTr")->toolTip(), QString("Expressão matemática do cálculo"));
        QCOMPARE(Campo("FuncaoTr")->accessibleName(), QString("Função"));
        QCOMPARE(ControlesSemNomeAcessivel(w_), QStringList{});
    }

    void fieldsRoundTripAndApplyComputes() {
        QTest::keyClicks(Campo("FuncaoTr"), "M21*0,5+10");
        QTest::keyClicks(Campo("TagText"), "FY-1");
        Campo("LimSupText")->clear();
        QTest::keyClicks(Campo("LimSupText"), "20");
        w_->findChild<QCheckBox*>("LimSupCheck")->click();
        QCOMPARE(b_->FuncaoTr, std::string("M21*0,5+10"));
        QCOMPARE(b_->TagText, std::string("FY-1"));
        QCOMPARE(b_->LimSupText, std::string("20"));
        QVERIFY(b_->LimSupCheck);
        QVERIFY(Botao("btnatualiza")->isEnabled());
        QVERIFY(!Botao("SairButton")->isEnabled());
        QVERIFY(w_->Atualiza());
        amb_->app->sim().mem[21] = 40;
        amb_->app->Tick();
        QCOMPARE(amb_->app->sim().mem[75], 20.0);  // 30 limited to 20
        // The limit enable acts at once, without an apply.
        w_->findChild<QCheckBox*>("LimSupCheck")->click();
        amb_->app->Tick();
        QCOMPARE(amb_->app->sim().mem[75], 30.0);

        amb_->janela->janelas().Fecha(Familia::Bloco, 21);
        w_ = qobject_cast<JanelaBloco*>(amb_->janela->janelas().Abre(Familia::Bloco, 21));
        QCOMPARE(Campo("FuncaoTr")->text(), QString("M21*0,5+10"));
        QCOMPARE(Campo("LimSupText")->text(), QString("20"));
        QCOMPARE(Campo("TagText")->text(), QString("FY-1"));
    }

    void invalidFieldsGiveTheirMessagesInOrder_data() {
        QTest::addColumn<QString>("funcao");
        QTest::addColumn<bool>("sup");
        QTest::addColumn<QString>("limSup");
        QTest::addColumn<bool>("inf");
        QTest::addColumn<QString>("limInf");
        QTest::addColumn<QStringList>("mensagens");
        QTest::newRow("function") << "M21*x" << false << "105" << false << "-5"
                                  << QStringList{"Bloco 75: Função inválida"};
        QTest::newRow("right side") << "M21>M22<M23" << false << "105" << false << "-5"
                                    << QStringList{"Bloco 75: Função inválida"};
        QTest::newRow("disabled limits unchecked") << "M21" << false << "x" << false << "x" << QStringList{};
        QTest::newRow("upper") << "M21" << true << "x" << false << "-5"
                               << QStringList{"Bloco 75: Limite Superior inválido"};
        QTest::newRow("all three") << "x" << true << "x" << true << "x"
                                   << QStringList{"Bloco 75: Função inválida", "Bloco 75: Limite Superior inválido",
                                                  "Bloco 75: Limite Inferior inválido"};
    }
    void invalidFieldsGiveTheirMessagesInOrder() {
        QFETCH(QString, funcao);
        QFETCH(bool, sup);
        QFETCH(QString, limSup);
        QFETCH(bool, inf);
        QFETCH(QString, limInf);
        QFETCH(QStringList, mensagens);
        Campo("FuncaoTr")->setText(funcao);
        Campo("LimSupText")->setText(limSup);
        Campo("LimInfText")->setText(limInf);
        w_->findChild<QCheckBox*>("LimSupCheck")->setChecked(sup);
        w_->findChild<QCheckBox*>("LimInfCheck")->setChecked(inf);
        Botao("btnatualiza")->click();
        QCOMPARE(amb_->roteiro->informacoes, mensagens);
        QCOMPARE(Botao("btnatualiza")->isEnabled(), !mensagens.isEmpty());
        // The texts are stored even when refused.
        QCOMPARE(QString::fromStdString(b_->funcaoAplicada()), funcao);
    }

    void enterInAFieldApplies() {
        w_->show();
        Campo("FuncaoTr")->setText("M21*2");
        QTest::keyClick(Campo("FuncaoTr"), Qt::Key_Return);
        QVERIFY(!Botao("btnatualiza")->isEnabled());
        QCOMPARE(b_->funcaoAplicada(), std::string("M21*2"));
        QVERIFY(!amb_->app->salvo());
    }

    void applySetsDescriptionHeaderAndMarksModified() {
        w_->show();
        Campo("FuncaoTr")->setText("M21");
        Campo("DescricaoText")->setText("Razão ar/gás");
        Botao("btnatualiza")->click();
        QCOMPARE(Rotulo("Cabecalho")->text(), QString("Razão ar/gás"));
        QCOMPARE(QString::fromStdString(amb_->app->sim().mem.entrada(75).descricao), QString("Razão ar/gás"));
        QVERIFY(!amb_->app->salvo());
        QVERIFY(Botao("SairButton")->isEnabled());
        amb_->app->sim().mem[21] = 12.5;
        for (int i = 0; i < 6; ++i) amb_->app->Tick();
        QCOMPARE(Rotulo("SaidaValor")->text(), QString("12.50"));
        Botao("SairButton")->click();
        QVERIFY(!w_->isVisible());
    }

    void englishCaptionsAndHints() {
        amb_->janela->janelas().Fecha(Familia::Bloco, 21);
        amb_->app->DefineIngles();
        w_ = qobject_cast<JanelaBloco*>(amb_->janela->janelas().Abre(Familia::Bloco, 21));
        QCOMPARE(w_->windowTitle(), QString("Calculations Block"));
        QCOMPARE(Rotulo("LabelFuncao")->text(), QString("Function"));
        QCOMPARE(w_->findChild<QWidget*>("GroupBox1")->accessibleName(), QString("Limits"));
        QCOMPARE(Campo("LimSupText")->toolTip(), QString("Output Upper Limit"));
        QCOMPARE(Campo("LimInfText")->toolTip(), QString("Output Lower Limit"));
        QCOMPARE(Botao("btnatualiza")->text(), QString("Refresh"));
        QCOMPARE(w_->findChild<QWidget*>("SpeedButton1")->accessibleName(), QString("Help"));
        QCOMPARE(ControlesSemNomeAcessivel(w_), QStringList{});
    }

private:
    QLineEdit* Campo(const QString& n) const { return w_->findChild<QLineEdit*>(n); }
    QLabel* Rotulo(const QString& n) const { return w_->findChild<QLabel*>(n); }
    QPushButton* Botao(const QString& n) const { return w_->findChild<QPushButton*>(n); }

    std::unique_ptr<Ambiente> amb_;
    kivo::TBloco* b_ = nullptr;
    JanelaBloco* w_ = nullptr;
};

QTEST_MAIN(JanelaBlocoTest)
#include "JanelaBlocoTest.moc"
