// The signal generator window: the rows and their kinds, the layout by kind
// with its placeholders, every apply trigger, readouts, help and English.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "Helpers.h"
#include "ui/i18n/Examples.h"
#include "ui/objects/GeneratorsWindow.h"
#include "ui/main/ProjectLifecycle.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::test;

class GeneratorsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        fixture_ = std::make_unique<Fixture>();
        fixture_->window->cycle().New();
        fixture_->actionItem("Configurao1")->trigger();
        w_ = &fixture_->window->generators();
        QVERIFY(w_->isVisible());
    }
    void cleanup() { fixture_.reset(); }

    void sixteenRowsWithTheKindsTheyOffer() {
        QCOMPARE(w_->windowTitle(), QString("Gerador de Sinais"));
        for (int g = 81; g <= 96; ++g) {
            const int expected = g <= 85 ? 10 : g <= 90 ? 7 : 2;
            QCOMPARE(Kind(g)->count(), expected);
            QCOMPARE(Kind(g)->currentIndex(), 0);
            QCOMPARE(Field(g, "Desc")->text(), QString("Descrição"));
            QCOMPARE(Field(g, "Valor")->text(), QString("Valor"));
            QCOMPARE(Field(g, "Min") != nullptr, g <= 90);
        }
        QCOMPARE(Field(81, "Min")->text(), QString("Min."));
        QCOMPARE(Kind(81)->itemText(5), QString("Sinal Senoidal"));
        QCOMPARE(Kind(85)->itemText(9), QString("Exp()"));
        QCOMPARE(Field(86, "Max")->accessibleName(), QString("M86 Máx."));
        QCOMPARE(w_->findChild<QWidget*>("SpeedButton1")->accessibleName(), QString("Ajuda"));
        QCOMPARE(ControlsWithoutAccessibleName(w_), QStringList{});
    }

    void layoutAndPlaceholdersByKind_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("visible");  // Min Max Desc Valor DigitalValue UpDown
        QTest::addColumn<QStringList>("texts");    // Min Max Desc Valor
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("description");
        const QStringList signal{"Min", "Max", "Desc", "Valor"};
        QTest::newRow("constant") << 0 << QStringList{"Desc", "Valor", "UpDown"}
                                  << QStringList{"Min.", "Máx.", "Descrição", "Valor"} << false << "Constante 0-100";
        QTest::newRow("0-1") << 1 << QStringList{"Desc", "ValorDig"} << QStringList{"Min.", "Máx.", "Descrição", "Valor"}
                             << false << "Constante 0-1";
        QTest::newRow("fast") << 2 << signal << QStringList{"Min", "Máx.", "Descrição", "Valor"} << true << "Aleatório";
        QTest::newRow("medium") << 3 << signal << QStringList{"Min.", "Máx.", "Tal(seg)", "Valor"} << true
                                << "Aleatório Médio";
        QTest::newRow("slow") << 4 << signal << QStringList{"Min", "Máx.", "Descrição", "Valor"} << true << "Aleatório";
        QTest::newRow("sine") << 5 << signal << QStringList{"Min.", "Máx.", "Per (seg)", "Valor"} << true
                              << "Sinal Senoidal";
        QTest::newRow("walk") << 6 << signal << QStringList{"Inicial", "Ganho", "Faixa", "Valor"} << true
                              << "Random Walk";
        QTest::newRow("equation") << 7 << QStringList{"Desc", "Valor"}
                                  << QStringList{"Min.", "Máx.", "Descrição", "Equação"} << false << "Equação";
        QTest::newRow("ln") << 8 << QStringList{"Desc", "Valor"} << QStringList{"Min.", "Máx.", "Descrição", "Equação"}
                            << false << "LN()";
        QTest::newRow("exp") << 9 << QStringList{"Desc", "Valor"} << QStringList{"Min.", "Máx.", "Descrição", "Equação"}
                             << false << "Exp()";
    }
    void layoutAndPlaceholdersByKind() {
        QFETCH(int, kind);
        QFETCH(QStringList, visible);
        QFETCH(QStringList, texts);
        QFETCH(bool, readOnly);
        QFETCH(QString, description);
        // From another kind, so that the change is a change.
        Kind(81)->setCurrentIndex(kind == 6 ? 5 : 6);
        w_->Apply();
        QVERIFY(!ApplyButton()->isEnabled());
        Kind(81)->setCurrentIndex(kind);
        QVERIFY(ApplyButton()->isEnabled());
        for (const char* part : {"Min", "Max", "Desc", "Valor", "ValorDig", "UpDown"})
            QCOMPARE(w_->findChild<QWidget*>(QStringLiteral("M81") + part)->isVisible(),
                     visible.contains(QString::fromLatin1(part)));
        const char* parts[] = {"Min", "Max", "Desc", "Valor"};
        // Hidden fields keep their texts; the shown ones get the kind's placeholders.
        for (int i = 0; i < 4; ++i)
            if (visible.contains(QString::fromLatin1(parts[i]))) QCOMPARE(Field(81, parts[i])->text(), texts[i]);
        QCOMPARE(Field(81, "Valor")->isReadOnly(), readOnly);
        QCOMPARE(QString::fromStdString(fixture_->app->sim().mem.entry(81).description), description);
        QCOMPARE(fixture_->app->project().generators.line(81).Kind, kind);
    }

    void applyTriggers_data() {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<bool>("mark");
        QTest::newRow("button") << "button" << true;
        QTest::newRow("enter") << "enter" << false;
        QTest::newRow("close") << "close" << true;
    }
    void applyTriggers() {
        QFETCH(QString, trigger);
        QFETCH(bool, mark);
        QLineEdit* value = Field(83, "Valor");
        value->clear();
        QTest::keyClicks(value, "12,5");
        QVERIFY(ApplyButton()->isEnabled());
        QCOMPARE(fixture_->app->project().generators.line(83).Value, std::string("12,5"));
        QCOMPARE(fixture_->app->sim().mem[83], 0.0);
        if (trigger == "button")
            ApplyButton()->click();
        else if (trigger == "enter")
            QTest::keyClick(value, Qt::Key_Return);
        else
            w_->findChild<QPushButton*>("SairButton")->click();
        QCOMPARE(fixture_->app->sim().mem[83], 12.5);
        QVERIFY(!ApplyButton()->isEnabled());
        QCOMPARE(!fixture_->app->saved(), mark);
        QCOMPARE(w_->isVisible(), trigger != "close");
    }

    void radioClickApplies() {
        Kind(91)->setCurrentIndex(1);
        w_->findChild<QRadioButton*>("M91ValorDig1")->click();
        QCOMPARE(fixture_->app->sim().mem[91], 1.0);
        QCOMPARE(fixture_->app->project().generators.line(91).Value, std::string("1"));
        w_->findChild<QRadioButton*>("M91ValorDig0")->click();
        QCOMPARE(fixture_->app->sim().mem[91], 0.0);
    }

    void spinButtonSetsWholeNumbersAndApplies() {
        QLineEdit* value = Field(82, "Valor");
        value->clear();
        QTest::keyClicks(value, "12,5");
        QTest::keyClick(value, Qt::Key_Return);
        QCOMPARE(fixture_->app->sim().mem[82], 12.5);
        auto* knob = w_->findChild<KnobButton*>("M82UpDown");
        QCOMPARE(knob->position(), 12);
        knob->up()->click();
        QCOMPARE(fixture_->app->sim().mem[82], 13.0);
        QCOMPARE(value->text(), QString("13"));
        knob->down()->click();
        knob->down()->click();
        QCOMPARE(fixture_->app->sim().mem[82], 11.0);
    }

    void signalRowsShowTheirValues() {
        Kind(84)->setCurrentIndex(2);
        for (const auto& [part, text] : {std::pair{"Min", "20"}, std::pair{"Max", "80"}}) {
            Field(84, part)->clear();
            QTest::keyClicks(Field(84, part), text);
        }
        ApplyButton()->click();
        QVERIFY(Field(84, "Valor")->isReadOnly());
        for (int i = 0; i < 6; ++i) fixture_->app->Tick();
        // The display refresh comes before the models step in a tick.
        emit fixture_->app->displayRefresh();
        const double v = fixture_->app->sim().mem[84];
        QVERIFY(v >= 20 && v < 80);
        QCOMPARE(Field(84, "Valor")->text(), QString::number(v, 'f', 2));
    }

    void helpOpensTheGeneratorsPage() {
        w_->findChild<QToolButton*>("SpeedButton1")->click();
        QCOMPARE(fixture_->script->urls.size(), 1);
        QVERIFY(fixture_->script->urls.first().toString().contains("gerador_sinais"));
    }

    void englishKindsKeepTheirLayout() {
        fixture_.reset();
        fixture_ = std::make_unique<Fixture>();
        fixture_->app->SetEnglish();
        fixture_->window->cycle().New();
        fixture_->actionItem("Configurao1")->trigger();
        w_ = &fixture_->window->generators();
        QCOMPARE(w_->windowTitle(), QString("Signals Generator"));
        QCOMPARE(ApplyButton()->text(), QString("Refresh"));
        QCOMPARE(Kind(81)->itemText(1), QString("Constant 0-1"));
        Kind(81)->setCurrentIndex(1);
        QVERIFY(w_->findChild<QWidget*>("M81ValorDig")->isVisible());
        QVERIFY(!Field(81, "Valor")->isVisible());
        QCOMPARE(w_->findChild<QWidget*>("SpeedButton1")->toolTip(), QString("Help"));
        QCOMPARE(ControlsWithoutAccessibleName(w_), QStringList{});
    }

    void loadedProjectShowsItsRows() {
        const auto ex = Examples();
        int index = -1;
        for (int i = 0; i < int(ex.size()); ++i)
            if (QByteArray(ex[i].path).contains("frequencyresponse")) index = i;
        QVERIFY(index >= 0);
        fixture_->window->cycle().OpenExample(index);
        const Generators& generators = fixture_->app->project().generators;
        bool anyKind = false;
        for (int g = 81; g <= 96; ++g) {
            QCOMPARE(Kind(g)->currentIndex(), generators.line(g).Kind);
            QCOMPARE(Field(g, "Desc")->text(), QString::fromStdString(generators.line(g).Desc));
            anyKind = anyKind || generators.line(g).Kind != 0;
        }
        QVERIFY(anyKind);
        QVERIFY(!ApplyButton()->isEnabled());
    }

    void projectResetReloadsTheRows() {
        Kind(81)->setCurrentIndex(5);
        fixture_->window->cycle().Examples();
        QVERIFY(!w_->isVisible());
        QCOMPARE(Kind(81)->currentIndex(), 0);
        QCOMPARE(Field(81, "Desc")->text(), QString("Descrição"));
    }

private:
    QComboBox* Kind(int g) const { return w_->findChild<QComboBox*>(QStringLiteral("M%1Tipo").arg(g)); }
    QLineEdit* Field(int g, const char* part) const {
        return w_->findChild<QLineEdit*>(QStringLiteral("M%1").arg(g) + QLatin1String(part));
    }
    QPushButton* ApplyButton() const { return w_->findChild<QPushButton*>("Button1"); }

    std::unique_ptr<Fixture> fixture_;
    GeneratorsWindow* w_ = nullptr;
};

QTEST_MAIN(GeneratorsWindowTest)
#include "GeneratorsWindowTest.moc"
