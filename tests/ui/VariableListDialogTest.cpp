// The variable list: rows, columns and initial texts of both grids, the
// editing rules with the old text coming back, and the refresh with its
// effects on tags, values and track hints.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include "Helpers.h"
#include "ui/main/ProjectLifecycle.h"
#include "ui/project/VariableListDialog.h"
#include "ui/recorders/RecorderCycle.h"
#include "ui/recorders/XYRecorderWindow.h"
#include "ui/shell/WidgetPanel.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::test;

class VariableListDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        fixture_ = std::make_unique<Fixture>();
        fixture_->window->cycle().New();
        fixture_->actionItem("Variveis1")->trigger();
        d_ = &fixture_->window->variableListDialog();
        QVERIFY(d_->isVisible());
    }
    void cleanup() { fixture_.reset(); }

    void gridsHaveTheirRowsColumnsAndInitialTexts_data() {
        QTest::addColumn<int>("grade");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::newRow("header type") << 0 << 0 << 1 << "Tipo";
        QTest::newRow("header unit") << 1 << 0 << 2 << "Unid. Eng";
        QTest::newRow("header value") << 0 << 0 << 8 << "Valor";
        QTest::newRow("M21") << 0 << 1 << 0 << "M21";
        QTest::newRow("M41") << 0 << 21 << 0 << "M41";
        QTest::newRow("M71") << 0 << 41 << 0 << "M71";
        QTest::newRow("M78") << 0 << 48 << 0 << "M78";
        QTest::newRow("pv type") << 0 << 30 << 1 << "Variável de Processo";
        QTest::newRow("M15") << 1 << 1 << 0 << "M15";
        QTest::newRow("track type") << 1 << 6 << 1 << "Entrada de Dados 6";
        QTest::newRow("M61") << 1 << 7 << 0 << "M61";
        QTest::newRow("M01") << 1 << 17 << 0 << "M01";
        QTest::newRow("MV type") << 1 << 26 << 1 << "Variável Manipulada";
        QTest::newRow("button 2") << 1 << 28 << 1 << "Comando Botão 2";
        QTest::newRow("switch 2") << 1 << 31 << 0 << "M12";
        QTest::newRow("linearizer") << 1 << 32 << 1 << "Saída Linearizador";
        QTest::newRow("reserved") << 1 << 34 << 0 << "M79";
        QTest::newRow("generators") << 1 << 36 << 0 << "M81";
        QTest::newRow("generators type") << 1 << 51 << 1 << "Gerador de Sinais";
        QTest::newRow("positions") << 1 << 52 << 0 << "M101";
        QTest::newRow("positions type") << 1 << 75 << 1 << "Var.Manip.(posição real)";
        QTest::newRow("positions range") << 1 << 52 << 3 << "0.0";
        QTest::newRow("positions LSE") << 1 << 60 << 6 << "100.0";
        QTest::newRow("button value") << 1 << 27 << 8 << "0.00";
    }
    void gridsHaveTheirRowsColumnsAndInitialTexts() {
        QFETCH(int, grade);
        QFETCH(int, line);
        QFETCH(int, column);
        QFETCH(QString, text);
        QTableWidget* t = grade == 0 ? d_->varList() : d_->varList2();
        QCOMPARE(t->rowCount(), grade == 0 ? 48 : 75);
        QCOMPARE(d_->cell(t, line, column), text);
    }

    void typeAndValueColumnsCannotBeSelected() {
        for (QTableWidget* t : {d_->varList(), d_->varList2()}) {
            QVERIFY(!(t->item(0, 0)->flags() & Qt::ItemIsSelectable));
            QVERIFY(!(t->item(0, 7)->flags() & Qt::ItemIsSelectable));
            QVERIFY(t->item(0, 1)->flags() & Qt::ItemIsSelectable);
        }
    }

    void enterStoresByRowAndColumn_data() {
        QTest::addColumn<int>("grade");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("cell");        // what the cell shows afterwards
        QTest::addColumn<int>("address");
        QTest::addColumn<QStringList>("table");     // unit, UE min, UE max, LIE, LSE, description
        QTest::newRow("unit") << 0 << 1 << 2 << "m3/h" << "m3/h" << 21
                              << QStringList{"m3/h", "0", "100", "0", "100", ""};
        QTest::newRow("UE min above UE max refused") << 0 << 1 << 3 << "150" << "0" << 21
                                                     << QStringList{"%", "0", "100", "0", "100", ""};
        QTest::newRow("UE min equal to UE max") << 0 << 1 << 3 << "100" << "100" << 21
                                                << QStringList{"%", "100", "100", "100", "100", ""};
        QTest::newRow("UE max below UE min refused") << 0 << 1 << 4 << "-1" << "100" << 21
                                                     << QStringList{"%", "0", "100", "0", "100", ""};
        QTest::newRow("UE max") << 0 << 21 << 4 << "250" << "250" << 41
                                << QStringList{"%", "0", "250", "0", "250", ""};
        QTest::newRow("LIE") << 0 << 1 << 5 << "10" << "10" << 21 << QStringList{"%", "0", "100", "10", "100", ""};
        QTest::newRow("LSE") << 0 << 48 << 6 << "90" << "90" << 78 << QStringList{"%", "0", "100", "0", "90", ""};
        QTest::newRow("description") << 0 << 2 << 7 << "Vazão" << "Vazão" << 22
                                     << QStringList{"%", "0", "100", "0", "100", "Vazão"};
        QTest::newRow("track unit") << 1 << 1 << 2 << "kg/h" << "kg/h" << 15
                                    << QStringList{"kg/h", "0", "100", "0", "100", ""};
        QTest::newRow("generator description") << 1 << 36 << 7 << "Ruído" << "Ruído" << 81
                                               << QStringList{"%", "0", "100", "0", "100", "Ruído"};
    }
    void enterStoresByRowAndColumn() {
        QFETCH(int, grade);
        QFETCH(int, line);
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, cell);
        QFETCH(int, address);
        QFETCH(QStringList, table);
        Memory& mem = fixture_->app->sim().mem;
        // A known starting point for the address.
        mem.setUnit(address, "%");
        mem.setEuMin(address, "0");
        mem.setEuMax(address, "100");
        mem.setLowAlarm(address, "0");
        mem.setHighAlarm(address, "100");
        mem.setDescription(address, "");
        d_->Update();
        QTableWidget* t = grade == 0 ? d_->varList() : d_->varList2();
        EditCell(t, line, column, text, Qt::Key_Return);
        QCOMPARE(d_->cell(t, line, column), cell);
        const TableEntry& e = mem.entry(address);
        QCOMPARE((QStringList{QString::fromStdString(e.unit), QString::fromStdString(e.euMin),
                              QString::fromStdString(e.euMax), QString::fromStdString(e.lowAlarm),
                              QString::fromStdString(e.highAlarm), QString::fromStdString(e.description)}),
                 table);
    }

    void refusedEuMinPutsTheOldTextBack() {
        Memory& mem = fixture_->app->sim().mem;
        mem.setEuMax(21, "40");
        d_->Update();
        QTableWidget* t = d_->varList();
        const QString before = d_->cell(t, 1, 3);
        EditCell(t, 1, 3, "50", Qt::Key_Return);
        QCOMPARE(d_->cell(t, 1, 3), before);
        QCOMPARE(mem.entry(21).euMin, before.toStdString());
        EditCell(t, 1, 3, "40", Qt::Key_Return);
        QCOMPARE(d_->cell(t, 1, 3), QString("40"));
        QCOMPARE(mem.entry(21).lowAlarm, std::string("40"));
        QVERIFY(!fixture_->app->saved());
    }

    void rowsThatStoreNothingAreNotEditable() {
        QTableWidget* t = d_->varList2();
        for (int r : {17, 20, 26, 27, 32, 35, 52, 75})
            for (int c = 2; c <= 7; ++c) QVERIFY(!(t->item(r - 1, c - 1)->flags() & Qt::ItemIsEditable));
        QVERIFY(!(t->item(0, 6)->flags() & Qt::ItemIsEditable));  // track row: columns 2..6 only
        QVERIFY(t->item(35, 6)->flags() & Qt::ItemIsEditable);
    }

    void escapeAndLeavingTheCellPutTheOldTextBack() {
        QTableWidget* t = d_->varList();
        const QString before = d_->cell(t, 3, 2);
        EditCell(t, 3, 2, "bar", Qt::Key_Escape);
        QCOMPARE(d_->cell(t, 3, 2), before);
        EditCell(t, 3, 2, "bar", Qt::Key_Tab);
        QCOMPARE(d_->cell(t, 3, 2), before);
        QCOMPARE(QString::fromStdString(fixture_->app->sim().mem.entry(23).unit), before);
    }

    void refreshShowsValuesTagsAndTrackHints() {
        Project& p = fixture_->app->project();
        p.CreateProcess(3).TagText = "FIC-101";
        p.CreateBlock(22).TagText = "FY-22";
        p.sim.mem[23] = 12.5;
        p.sim.mem[98] = 1;
        p.sim.mem[17] = -3.1;
        p.sim.mem.setUnit(15, "m3/h");
        p.tracks[0].enabled = true;
        fixture_->window->panel().ApplyTrack(1);
        d_->findChild<QToolButton*>("SpeedButton1")->click();
        QCOMPARE(d_->cell(d_->varList(), 3, 1), QString("FIC-101"));
        QCOMPARE(d_->cell(d_->varList(), 46, 1), QString("FY-22"));
        QCOMPARE(d_->cell(d_->varList(), 3, 8), QString("12.50"));
        QCOMPARE(d_->cell(d_->varList2(), 28, 8), QString("1.00"));
        QCOMPARE(d_->cell(d_->varList2(), 3, 8), QString("-3.10"));
        QCOMPARE(d_->cell(d_->varList(), 4, 8), QString("0.00"));
        auto* background = fixture_->window->findChild<QWidget*>("TrackBack1");
        const QString range = "Faixa: de " + d_->cell(d_->varList2(), 1, 3) + " a " +
                              d_->cell(d_->varList2(), 1, 4) + " m3/h";
        QCOMPARE(background->toolTip(), range);
        QCOMPARE(fixture_->window->findChild<QWidget*>("TrackLabel1")->toolTip(), range);
        // Rows of empty slots keep what they showed.
        QCOMPARE(d_->cell(d_->varList(), 4, 1), QString("Variável de Processo"));
    }

    // The "Tipo" column names the objects of the project on screen, not the
    // tags of the one before it.
    void anotherProjectForgetsTheLastProjectsTags() {
        fixture_->app->project().CreateProcess(3).TagText = "FIC-101";
        d_->Update();
        QCOMPARE(d_->cell(d_->varList(), 3, 1), QString("FIC-101"));
        fixture_->actionItem("Novo1")->trigger();
        QCOMPARE(d_->cell(d_->varList(), 3, 1), QString("Variável de Processo"));
        QVERIFY(fixture_->window->cycle().Load(ExamplesFolder() + "/basic flow loop/basic flow loop.smp", true));
        const auto* proc = fixture_->app->project().process(1);
        QVERIFY(proc);
        QCOMPARE(d_->cell(d_->varList(), 1, 1), QString::fromStdString(proc->TagText));
        QCOMPARE(d_->cell(d_->varList(), 3, 1), QString("Variável de Processo"));
    }

    // A description stored here reaches the XY recorder's axis lists.
    void aStoredDescriptionReachesTheXYLists() {
        EditCell(d_->varList(), 2, 7, "Vazao", Qt::Key_Return);
        auto* x = fixture_->window->recorderCycle().xyRecorder().findChild<QComboBox*>("ComboX");
        QVERIFY(x->itemText(21).endsWith("Vazao"));
    }

    void valuesFollowTheVariablesWhileOpen() {
        fixture_->app->sim().mem[21] = 33.333;
        fixture_->app->sim().mem[81] = 7;
        emit fixture_->app->displayRefresh();
        QCOMPARE(d_->cell(d_->varList(), 1, 8), QString("33.33"));
        QCOMPARE(d_->cell(d_->varList2(), 36, 8), QString("7.00"));
    }

    void refreshTellsTheWindowsThatShowTheTable() {
        int count = 0;
        connect(d_, &VariableListDialog::tableReloaded, this, [&] { ++count; });
        d_->findChild<QToolButton*>("SpeedButton2")->click();
        QCOMPARE(count, 1);
        QVERIFY(!d_->isVisible());
    }

    void everyControlIsNamed() {
        QCOMPARE(ControlsWithoutAccessibleName(d_), QStringList{});
        QCOMPARE(d_->findChild<QWidget*>("SpeedButton3")->accessibleName(), QString("Ajuda"));
    }

    void helpOpensTheVariableMapPage() {
        d_->findChild<QToolButton*>("SpeedButton3")->click();
        QCOMPARE(fixture_->script->urls.size(), 1);
        QVERIFY(fixture_->script->urls.first().toString().contains("mapa_variaveis"));
    }

private:
    // Selects the cell, types into its editor and ends with the key.
    void EditCell(QTableWidget* t, int line, int column, const QString& text, Qt::Key key) {
        t->setCurrentCell(line - 1, column - 1);
        t->editItem(t->item(line - 1, column - 1));
        auto* editor = t->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->selectAll();
        if (text.toLatin1() == text.toUtf8())
            QTest::keyClicks(editor, text);
        else
            editor->insert(text);
        QTest::keyClick(editor, key);
        // The delegate commits through a queued call.
        QApplication::processEvents();
        // The closed editor goes now, so that the next edit finds its own.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    std::unique_ptr<Fixture> fixture_;
    VariableListDialog* d_ = nullptr;
};

QTEST_MAIN(VariableListDialogTest)
#include "VariableListDialogTest.moc"
