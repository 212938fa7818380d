// The variable list: rows, columns and initial texts of both grids, the
// editing rules with the old text coming back, and the refresh with its
// effects on tags, values and track hints.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include "Auxiliares.h"
#include "ui/project/CicloProjeto.h"
#include "ui/project/TDialogos.h"
#include "ui/recorders/CicloRegistros.h"
#include "ui/recorders/TRegXY.h"
#include "ui/recorders/PainelWidgets.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::teste;

class TDialogosTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        amb_ = std::make_unique<Ambiente>();
        amb_->janela->ciclo().Novo();
        amb_->acao("Variveis1")->trigger();
        d_ = &amb_->janela->dialogos();
        QVERIFY(d_->isVisible());
    }
    void cleanup() { amb_.reset(); }

    void gridsHaveTheirRowsColumnsAndInitialTexts_data() {
        QTest::addColumn<int>("grade");
        QTest::addColumn<int>("linha");
        QTest::addColumn<int>("coluna");
        QTest::addColumn<QString>("texto");
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
        QFETCH(int, linha);
        QFETCH(int, coluna);
        QFETCH(QString, texto);
        QTableWidget* t = grade == 0 ? d_->listaVar() : d_->listaVar2();
        QCOMPARE(t->rowCount(), grade == 0 ? 48 : 75);
        QCOMPARE(d_->celula(t, linha, coluna), texto);
    }

    void typeAndValueColumnsCannotBeSelected() {
        for (QTableWidget* t : {d_->listaVar(), d_->listaVar2()}) {
            QVERIFY(!(t->item(0, 0)->flags() & Qt::ItemIsSelectable));
            QVERIFY(!(t->item(0, 7)->flags() & Qt::ItemIsSelectable));
            QVERIFY(t->item(0, 1)->flags() & Qt::ItemIsSelectable);
        }
    }

    void enterStoresByRowAndColumn_data() {
        QTest::addColumn<int>("grade");
        QTest::addColumn<int>("linha");
        QTest::addColumn<int>("coluna");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("celula");        // what the cell shows afterwards
        QTest::addColumn<int>("endereco");
        QTest::addColumn<QStringList>("tabela");     // unit, UE min, UE max, LIE, LSE, description
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
        QFETCH(int, linha);
        QFETCH(int, coluna);
        QFETCH(QString, texto);
        QFETCH(QString, celula);
        QFETCH(int, endereco);
        QFETCH(QStringList, tabela);
        Memorias& mem = amb_->app->sim().mem;
        // A known starting point for the address.
        mem.setUnidade(endereco, "%");
        mem.setUeMin(endereco, "0");
        mem.setUeMax(endereco, "100");
        mem.setLie(endereco, "0");
        mem.setLse(endereco, "100");
        mem.setDescricao(endereco, "");
        d_->Atualiza();
        QTableWidget* t = grade == 0 ? d_->listaVar() : d_->listaVar2();
        Edita(t, linha, coluna, texto, Qt::Key_Return);
        QCOMPARE(d_->celula(t, linha, coluna), celula);
        const EntradaTabela& e = mem.entrada(endereco);
        QCOMPARE((QStringList{QString::fromStdString(e.unidade), QString::fromStdString(e.ueMin),
                              QString::fromStdString(e.ueMax), QString::fromStdString(e.lie),
                              QString::fromStdString(e.lse), QString::fromStdString(e.descricao)}),
                 tabela);
    }

    void refusedUeMinPutsTheOldTextBack() {
        Memorias& mem = amb_->app->sim().mem;
        mem.setUeMax(21, "40");
        d_->Atualiza();
        QTableWidget* t = d_->listaVar();
        const QString antes = d_->celula(t, 1, 3);
        Edita(t, 1, 3, "50", Qt::Key_Return);
        QCOMPARE(d_->celula(t, 1, 3), antes);
        QCOMPARE(mem.entrada(21).ueMin, antes.toStdString());
        Edita(t, 1, 3, "40", Qt::Key_Return);
        QCOMPARE(d_->celula(t, 1, 3), QString("40"));
        QCOMPARE(mem.entrada(21).lie, std::string("40"));
        QVERIFY(!amb_->app->salvo());
    }

    void rowsThatStoreNothingAreNotEditable() {
        QTableWidget* t = d_->listaVar2();
        for (int r : {17, 20, 26, 27, 32, 35, 52, 75})
            for (int c = 2; c <= 7; ++c) QVERIFY(!(t->item(r - 1, c - 1)->flags() & Qt::ItemIsEditable));
        QVERIFY(!(t->item(0, 6)->flags() & Qt::ItemIsEditable));  // track row: columns 2..6 only
        QVERIFY(t->item(35, 6)->flags() & Qt::ItemIsEditable);
    }

    void escapeAndLeavingTheCellPutTheOldTextBack() {
        QTableWidget* t = d_->listaVar();
        const QString antes = d_->celula(t, 3, 2);
        Edita(t, 3, 2, "bar", Qt::Key_Escape);
        QCOMPARE(d_->celula(t, 3, 2), antes);
        Edita(t, 3, 2, "bar", Qt::Key_Tab);
        QCOMPARE(d_->celula(t, 3, 2), antes);
        QCOMPARE(QString::fromStdString(amb_->app->sim().mem.entrada(23).unidade), antes);
    }

    void refreshShowsValuesTagsAndTrackHints() {
        Projeto& p = amb_->app->projeto();
        p.CriaProcesso(3).TagText = "FIC-101";
        p.CriaBloco(22).TagText = "FY-22";
        p.sim.mem[23] = 12.5;
        p.sim.mem[98] = 1;
        p.sim.mem[17] = -3.1;
        p.sim.mem.setUnidade(15, "m3/h");
        p.tracks[0].habilitado = true;
        amb_->janela->painel().AplicaTrack(1);
        d_->findChild<QToolButton*>("SpeedButton1")->click();
        QCOMPARE(d_->celula(d_->listaVar(), 3, 1), QString("FIC-101"));
        QCOMPARE(d_->celula(d_->listaVar(), 46, 1), QString("FY-22"));
        QCOMPARE(d_->celula(d_->listaVar(), 3, 8), QString("12.50"));
        QCOMPARE(d_->celula(d_->listaVar2(), 28, 8), QString("1.00"));
        QCOMPARE(d_->celula(d_->listaVar2(), 3, 8), QString("-3.10"));
        QCOMPARE(d_->celula(d_->listaVar(), 4, 8), QString("0.00"));
        auto* fundo = amb_->janela->findChild<QWidget*>("TrackBack1");
        const QString faixa = "Faixa: de " + d_->celula(d_->listaVar2(), 1, 3) + " a " +
                              d_->celula(d_->listaVar2(), 1, 4) + " m3/h";
        QCOMPARE(fundo->toolTip(), faixa);
        QCOMPARE(amb_->janela->findChild<QWidget*>("TrackLabel1")->toolTip(), faixa);
        // Rows of empty slots keep what they showed.
        QCOMPARE(d_->celula(d_->listaVar(), 4, 1), QString("Variável de Processo"));
    }

    // The "Tipo" column names the objects of the project on screen, not the
    // tags of the one before it.
    void anotherProjectForgetsTheLastProjectsTags() {
        amb_->app->projeto().CriaProcesso(3).TagText = "FIC-101";
        d_->Atualiza();
        QCOMPARE(d_->celula(d_->listaVar(), 3, 1), QString("FIC-101"));
        amb_->acao("Novo1")->trigger();
        QCOMPARE(d_->celula(d_->listaVar(), 3, 1), QString("Variável de Processo"));
        QVERIFY(amb_->janela->ciclo().Carrega(PastaExemplos() + "/basic flow loop/basic flow loop.smp", true));
        const auto* proc = amb_->app->projeto().processo(1);
        QVERIFY(proc);
        QCOMPARE(d_->celula(d_->listaVar(), 1, 1), QString::fromStdString(proc->TagText));
        QCOMPARE(d_->celula(d_->listaVar(), 3, 1), QString("Variável de Processo"));
    }

    // A description stored here reaches the XY recorder's axis lists.
    void aStoredDescriptionReachesTheXYLists() {
        Edita(d_->listaVar(), 2, 7, "Vazao", Qt::Key_Return);
        auto* x = amb_->janela->registros().regXY().findChild<QComboBox*>("ComboX");
        QVERIFY(x->itemText(21).endsWith("Vazao"));
    }

    void valuesFollowTheVariablesWhileOpen() {
        amb_->app->sim().mem[21] = 33.333;
        amb_->app->sim().mem[81] = 7;
        emit amb_->app->displayAtualizar();
        QCOMPARE(d_->celula(d_->listaVar(), 1, 8), QString("33.33"));
        QCOMPARE(d_->celula(d_->listaVar2(), 36, 8), QString("7.00"));
    }

    void refreshTellsTheWindowsThatShowTheTable() {
        int vezes = 0;
        connect(d_, &TDialogos::tabelaRelida, this, [&] { ++vezes; });
        d_->findChild<QToolButton*>("SpeedButton2")->click();
        QCOMPARE(vezes, 1);
        QVERIFY(!d_->isVisible());
    }

    void everyControlIsNamed() {
        QCOMPARE(ControlesSemNomeAcessivel(d_), QStringList{});
        QCOMPARE(d_->findChild<QWidget*>("SpeedButton3")->accessibleName(), QString("Ajuda"));
    }

    void helpOpensTheVariableMapPage() {
        d_->findChild<QToolButton*>("SpeedButton3")->click();
        QCOMPARE(amb_->roteiro->urls.size(), 1);
        QVERIFY(amb_->roteiro->urls.first().toString().contains("mapa_variaveis"));
    }

private:
    // Selects the cell, types into its editor and ends with the key.
    void Edita(QTableWidget* t, int linha, int coluna, const QString& texto, Qt::Key tecla) {
        t->setCurrentCell(linha - 1, coluna - 1);
        t->editItem(t->item(linha - 1, coluna - 1));
        auto* editor = t->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->selectAll();
        if (texto.toLatin1() == texto.toUtf8())
            QTest::keyClicks(editor, texto);
        else
            editor->insert(texto);
        QTest::keyClick(editor, tecla);
        // The delegate commits through a queued call.
        QApplication::processEvents();
        // The closed editor goes now, so that the next edit finds its own.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    std::unique_ptr<Ambiente> amb_;
    TDialogos* d_ = nullptr;
};

QTEST_MAIN(TDialogosTest)
#include "TDialogosTest.moc"
