// The animated text window and its value on the diagram: the three types
// with their layouts, formats and alarm colours.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "Helpers.h"
#include "ui/shell/Diagram.h"
#include "ui/main/ProjectLifecycle.h"
#include "ui/recorders/RecorderCycle.h"
#include "ui/recorders/AnimatedTextWindow.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::test;

class AnimatedTextWindowTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<Fixture> fixture_;
    TextData* data_ = nullptr;

    Memory& mem() { return fixture_->app->sim().mem; }
    AnimatedTextWindow& window() { return *fixture_->window->recorderCycle().text(1); }
    template <class T>
    T* child(const char* name) {
        return window().findChild<T*>(QString::fromLatin1(name));
    }
    // One display refresh (every sixth tick).
    void Display() {
        for (int i = 0; i < 6; ++i) fixture_->app->Tick();
    }
    QLabel* value() { return fixture_->window->diagram().textValue(1); }
    static bool IsRed(const QLabel* l) { return l->palette().color(QPalette::WindowText) == QColor(Qt::red); }

private slots:
    void init() {
        fixture_ = std::make_unique<Fixture>();
        fixture_->window->show();
        fixture_->window->cycle().New();
        Project& p = fixture_->app->project();
        data_ = &p.CreateText(1);
        p.markers.texts[0].shown = true;
        fixture_->window->UpdateDiagram();
    }
    void cleanup() { fixture_.reset(); }

    void newTextShowsZeroAndABlank() {
        Display();
        QCOMPARE(value()->text(), QString("0.00 "));
        QVERIFY(!IsRed(value()));
        QCOMPARE(window().value()->text(), QString("0.00 "));
    }

    // The value on the diagram comes from the text itself, computed by the
    // cycle; no text window is built for it.
    void diagramLabelUpdatesWithoutTheWindow() {
        data_->Kind = 1;
        data_->VariableSelect = 10;  // M11, switch 1
        data_->FunctionText = "Parado/Ligado";
        data_->ValidateParameters();
        mem()[11] = 1;
        Display();
        QCOMPARE(value()->text(), QString("Ligado"));
        QVERIFY(!IsRed(value()));
        mem()[11] = 0;
        Display();
        QCOMPARE(value()->text(), QString("Parado"));
        QVERIFY(IsRed(value()));
        QVERIFY(!fixture_->window->windows().window(Family::Text, 1));
    }

    void binaryTextShowsItsTwoWords_data() {
        QTest::addColumn<double>("v");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("red");
        QTest::newRow("0") << 0.0 << "Parado" << true;
        QTest::newRow("1") << 1.0 << "Ligado" << false;
        QTest::newRow("negative") << -3.0 << "Ligado" << false;
        QTest::newRow("half") << 0.5 << "Ligado" << false;
    }
    void binaryTextShowsItsTwoWords() {
        QFETCH(double, v);
        QFETCH(QString, text);
        QFETCH(bool, red);
        data_->Kind = 1;
        data_->VariableSelect = 10;  // M11, switch 1
        data_->FunctionText = "Parado/Ligado";
        window().ValidateParameters();
        mem()[11] = v;
        Display();
        QCOMPARE(value()->text(), text);
        QCOMPARE(IsRed(value()), red);
    }

    void scalarAndFormulaFormats_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("formula");
        QTest::addColumn<double>("m21");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("red");
        // M21: 0..200 °C, limits 20 and 150.
        QTest::newRow("scalar in range") << 0 << "" << 50.0 << 1 << "100.0 °C" << false;
        QTest::newRow("scalar above LSE") << 0 << "" << 80.0 << 0 << "160 °C" << true;
        QTest::newRow("scalar below LIE") << 0 << "" << 5.0 << 3 << "10.000 °C" << true;
        QTest::newRow("formula of 50 on 0..200") << 2 << "25*2" << 0.0 << 1 << "100.0 kg" << false;
        QTest::newRow("formula with a comma") << 2 << "M21/2,5" << 50.0 << 2 << "40.00 kg" << false;
    }
    void scalarAndFormulaFormats() {
        QFETCH(int, kind);
        QFETCH(QString, formula);
        QFETCH(double, m21);
        QFETCH(int, decimals);
        QFETCH(QString, text);
        QFETCH(bool, red);
        mem().setEuMin(21, "0");
        mem().setEuMax(21, "200");
        mem().setLowAlarm(21, "20");
        mem().setHighAlarm(21, "150");
        mem().setUnit(21, "°C");
        data_->Kind = kind;
        data_->VariableSelect = kind == 0 ? 20 : -1;
        data_->FunctionText = formula.toStdString();
        data_->RangeMaxText = "200";
        data_->RangeMinText = "0";
        data_->Unit = "kg";
        data_->DecimalPlaces = decimals;
        window().ValidateParameters();
        mem()[21] = m21;
        Display();
        QCOMPARE(value()->text(), text);
        QCOMPARE(IsRed(value()), red);
    }

    void variableTableChangesReachTheText() {
        data_->VariableSelect = 20;  // M21
        mem().setEuMax(21, "100");
        mem().setUnit(21, "m");
        window().ValidateParameters();
        mem().setEuMax(21, "400");
        mem().setUnit(21, "cm");
        fixture_->window->recorderCycle().UpdateAll();
        QCOMPARE(data_->RangeMaxText, std::string("400"));
        mem()[21] = 50;
        Display();
        QCOMPARE(value()->text(), QString("200.00 cm"));
    }

    void layoutFollowsTheType() {
        window().show();
        struct Case {
            int kind;
            const char* label;
            bool list, formula, range, alarms;
        };
        for (const Case& c : {Case{1, "<Texto>", true, true, false, false}, Case{2, "Equação", false, true, true, false},
                              Case{0, "Variável", true, false, true, true}}) {
            child<QRadioButton>(QString("Tipo%1").arg(c.kind).toLatin1().constData())->click();
            QCOMPARE(data_->Kind, c.kind);
            QCOMPARE(child<QLabel>("Label3")->text(), QString::fromUtf8(c.label));
            QCOMPARE(child<QComboBox>("ComboBox1")->isVisible(), c.list);
            QCOMPARE(child<QLineEdit>("FuncaoTr")->isVisible(), c.formula);
            QCOMPARE(child<QWidget>("Panel1")->isVisible(), c.range);
            QCOMPARE(child<QLineEdit>("Edit2")->isVisible(), c.alarms);
        }
        QVERIFY(child<QLineEdit>("Edit1")->isReadOnly());
        QVERIFY(!fixture_->app->saved());
    }

    void choosingAControllerOutputStartsTheRangeAtZero() {
        mem().setEuMin(3, "10");
        mem().setEuMax(3, "90");
        window().show();
        auto* list = child<QComboBox>("ComboBox1");
        list->setCurrentIndex(2);
        emit list->activated(2);
        QCOMPARE(child<QLineEdit>("Edit4")->text(), QString("0.00"));
        QCOMPARE(child<QLineEdit>("Edit1")->text(), QString("90"));
        QCOMPARE(data_->VariableSelect, 2);
    }

    void exitAppliesAndRangeCarriesIntoAlarm() {
        window().show();
        child<QRadioButton>("Tipo2")->click();
        auto* max = child<QLineEdit>("Edit1");
        max->setText("");
        QTest::keyClicks(max, "300");
        QCOMPARE(data_->RangeMaxText, std::string("300"));
        QCOMPARE(child<QLineEdit>("Edit2")->text(), QString("300"));
        auto* description = child<QLineEdit>("DescricaoText");
        description->setText(QString::fromUtf8("Vazão"));
        emit description->textEdited(description->text());
        child<QPushButton>("SairButton")->click();
        QVERIFY(!window().isVisible());
        QCOMPARE(child<QLabel>("Label4")->text(), QString("Vazão"));
        QCOMPARE(fixture_->window->diagram().textLabel(1)->text(), QString("Vazão"));
        // Only "Sair" closes.
        window().show();
        window().close();
        QVERIFY(window().isVisible());
    }

    void clickOnTheValueOpensTheWindowInEnglish() {
        fixture_->window->TranslateToEnglish();
        Display();
        QTest::mouseClick(value(), Qt::LeftButton);
        QVERIFY(window().isVisible());
        QCOMPARE(window().windowTitle(), QString("Animated text"));
        QCOMPARE(child<QRadioButton>("Tipo1")->text(), QString("Binary"));
        QCOMPARE(child<QComboBox>("ComboBox1")->toolTip(), QString("Variable to show"));
        QCOMPARE(ControlsWithoutAccessibleName(&window()), QStringList{});
    }
};

QTEST_MAIN(AnimatedTextWindowTest)
#include "AnimatedTextWindowTest.moc"
