// The calculation block window: fields round-trip to the model, the apply's
// messages, labels and buttons, English captions.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "Helpers.h"
#include "ui/objects/BlockWindow.h"
#include "ui/main/ProjectLifecycle.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::test;

class BlockWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        fixture_ = std::make_unique<Fixture>();
        fixture_->window->cycle().New();
        b_ = &fixture_->app->project().CreateBlock(21);  // writes M75
        w_ = qobject_cast<BlockWindow*>(fixture_->window->windows().Open(Family::CalculationBlock, 21));
        QVERIFY(w_);
    }
    void cleanup() { fixture_.reset(); }

    void opensWithDefaultsAndItsOutputLabel() {
        QCOMPARE(w_->windowTitle(), QString("Bloco de Cálculo"));
        QCOMPARE(Field("LimSupText")->text(), QString("105"));
        QCOMPARE(Field("LimInfText")->text(), QString("-5"));
        QVERIFY(!w_->findChild<QCheckBox*>("LimSupCheck")->isChecked());
        QCOMPARE(Label("RotuloSaida")->text(), QString("M75="));
        QCOMPARE(Field("FuncaoTr")->toolTip(), QString("Expressão matemática do cálculo"));
        QCOMPARE(Field("FuncaoTr")->accessibleName(), QString("Função"));
        QCOMPARE(ControlsWithoutAccessibleName(w_), QStringList{});
    }

    void fieldsRoundTripAndApplyComputes() {
        QTest::keyClicks(Field("FuncaoTr"), "M21*0,5+10");
        QTest::keyClicks(Field("TagText"), "FY-1");
        Field("LimSupText")->clear();
        QTest::keyClicks(Field("LimSupText"), "20");
        w_->findChild<QCheckBox*>("LimSupCheck")->click();
        QCOMPARE(b_->FunctionText, std::string("M21*0,5+10"));
        QCOMPARE(b_->TagText, std::string("FY-1"));
        QCOMPARE(b_->UpperLimitText, std::string("20"));
        QVERIFY(b_->UpperLimitCheck);
        QVERIFY(Button("btnatualiza")->isEnabled());
        QVERIFY(!Button("SairButton")->isEnabled());
        QVERIFY(w_->Update());
        fixture_->app->sim().mem[21] = 40;
        fixture_->app->Tick();
        QCOMPARE(fixture_->app->sim().mem[75], 20.0);  // 30 limited to 20
        // The limit enable acts at once, without an apply.
        w_->findChild<QCheckBox*>("LimSupCheck")->click();
        fixture_->app->Tick();
        QCOMPARE(fixture_->app->sim().mem[75], 30.0);

        fixture_->window->windows().Close(Family::CalculationBlock, 21);
        w_ = qobject_cast<BlockWindow*>(fixture_->window->windows().Open(Family::CalculationBlock, 21));
        QCOMPARE(Field("FuncaoTr")->text(), QString("M21*0,5+10"));
        QCOMPARE(Field("LimSupText")->text(), QString("20"));
        QCOMPARE(Field("TagText")->text(), QString("FY-1"));
    }

    void invalidFieldsGiveTheirMessagesInOrder_data() {
        QTest::addColumn<QString>("function");
        QTest::addColumn<bool>("upper");
        QTest::addColumn<QString>("upperLimit");
        QTest::addColumn<bool>("inf");
        QTest::addColumn<QString>("lowerLimit");
        QTest::addColumn<QStringList>("messages");
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
        QFETCH(QString, function);
        QFETCH(bool, upper);
        QFETCH(QString, upperLimit);
        QFETCH(bool, inf);
        QFETCH(QString, lowerLimit);
        QFETCH(QStringList, messages);
        Field("FuncaoTr")->setText(function);
        Field("LimSupText")->setText(upperLimit);
        Field("LimInfText")->setText(lowerLimit);
        w_->findChild<QCheckBox*>("LimSupCheck")->setChecked(upper);
        w_->findChild<QCheckBox*>("LimInfCheck")->setChecked(inf);
        Button("btnatualiza")->click();
        QCOMPARE(fixture_->script->infoMessages, messages);
        QCOMPARE(Button("btnatualiza")->isEnabled(), !messages.isEmpty());
        // The texts are stored even when refused.
        QCOMPARE(QString::fromStdString(b_->appliedFunction()), function);
    }

    void enterInAFieldApplies() {
        w_->show();
        Field("FuncaoTr")->setText("M21*2");
        QTest::keyClick(Field("FuncaoTr"), Qt::Key_Return);
        QVERIFY(!Button("btnatualiza")->isEnabled());
        QCOMPARE(b_->appliedFunction(), std::string("M21*2"));
        QVERIFY(!fixture_->app->saved());
    }

    void applySetsDescriptionHeaderAndMarksModified() {
        w_->show();
        Field("FuncaoTr")->setText("M21");
        Field("DescricaoText")->setText("Razão ar/gás");
        Button("btnatualiza")->click();
        QCOMPARE(Label("Cabecalho")->text(), QString("Razão ar/gás"));
        QCOMPARE(QString::fromStdString(fixture_->app->sim().mem.entry(75).description), QString("Razão ar/gás"));
        QVERIFY(!fixture_->app->saved());
        QVERIFY(Button("SairButton")->isEnabled());
        fixture_->app->sim().mem[21] = 12.5;
        for (int i = 0; i < 6; ++i) fixture_->app->Tick();
        QCOMPARE(Label("SaidaValor")->text(), QString("12.50"));
        Button("SairButton")->click();
        QVERIFY(!w_->isVisible());
    }

    void englishCaptionsAndHints() {
        fixture_->window->windows().Close(Family::CalculationBlock, 21);
        fixture_->app->SetEnglish();
        w_ = qobject_cast<BlockWindow*>(fixture_->window->windows().Open(Family::CalculationBlock, 21));
        QCOMPARE(w_->windowTitle(), QString("Calculations Block"));
        QCOMPARE(Label("LabelFuncao")->text(), QString("Function"));
        QCOMPARE(w_->findChild<QWidget*>("GroupBox1")->accessibleName(), QString("Limits"));
        QCOMPARE(Field("LimSupText")->toolTip(), QString("Output Upper Limit"));
        QCOMPARE(Field("LimInfText")->toolTip(), QString("Output Lower Limit"));
        QCOMPARE(Button("btnatualiza")->text(), QString("Refresh"));
        QCOMPARE(w_->findChild<QWidget*>("SpeedButton1")->accessibleName(), QString("Help"));
        QCOMPARE(ControlsWithoutAccessibleName(w_), QStringList{});
    }

private:
    QLineEdit* Field(const QString& n) const { return w_->findChild<QLineEdit*>(n); }
    QLabel* Label(const QString& n) const { return w_->findChild<QLabel*>(n); }
    QPushButton* Button(const QString& n) const { return w_->findChild<QPushButton*>(n); }

    std::unique_ptr<Fixture> fixture_;
    kivo::Block* b_ = nullptr;
    BlockWindow* w_ = nullptr;
};

QTEST_MAIN(BlockWindowTest)
#include "BlockWindowTest.moc"
