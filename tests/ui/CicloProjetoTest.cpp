// The project life cycle: the chooser, New, Open, Save, Save as, Examples,
// closing, and refused loads.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>

#include <sys/stat.h>
#include <QToolButton>

#include "Auxiliares.h"
#include "project/ArquivoProjeto.h"
#include "ui/main/Diagrama.h"
#include "ui/project/CicloProjeto.h"
#include "ui/project/EscolhaExemplos.h"
#include "ui/project/TConfigForm.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::teste;

class CicloProjetoTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        amb_ = std::make_unique<Ambiente>();
        amb_->janela->show();
    }
    void cleanup() { amb_.reset(); }

    void chooserHasItsPagesPicturesAndTexts() {
        EscolhaExemplos& e = amb_->janela->escolha();
        QCOMPARE(e.objectName(), QString("TabbedNotebook1"));
        QCOMPARE(e.count(), 6);
        QCOMPARE(e.tabText(0), QString("Vazão/Pressão"));
        QCOMPARE(e.tabText(5), QString("Outros"));
        QCOMPARE(e.findChildren<QToolButton*>(QRegularExpression("^sim")).size(), 22);
        auto* sim18 = e.findChild<QToolButton*>("sim18");
        QCOMPARE(sim18->toolTip(),
                 QString("Resposta de malha de controle de vazão a variação em SP e variação de carga."));
        amb_->janela->MostraEscolha(true);
        QVERIFY(!sim18->icon().isNull());
        QCOMPARE(e.findChild<QPlainTextEdit*>("Descricao_sim18")->toPlainText(),
                 QString("Controle retroalimentado\n\nResposta a variação no SP e variação de carga."));
        amb_->janela->TraduzIngles();
        QCOMPARE(e.tabText(1), QString("Level Control"));
        QCOMPARE(e.findChild<QLabel*>("Titulo_sim13")->text(), QString("Furnace Temperature(Master-Slave)"));
        QCOMPARE(e.findChild<QPlainTextEdit*>("Descricao_sim17")->toPlainText(),
                 QString("Course-Fine Control\n\nResolution and rangeability improvement in flow loop with "
                         "course-valve and fine-valve manipulation"));
    }

    // An example opened in the window (its objects applied as the windows
    // apply them) and saved under a new name, in either language, is the
    // example's file byte for byte: both languages of every text and every
    // comment line.
    void everyExampleSavedAsIsTheSameFile_data() {
        QTest::addColumn<int>("indice");
        QTest::addColumn<bool>("ingles");
        for (int i = 0; i < 22; ++i)
            for (bool ingles : {false, true})
                QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(i).arg(ingles ? "en" : "pt"))) << i << ingles;
    }
    void everyExampleSavedAsIsTheSameFile() {
        QFETCH(int, indice);
        QFETCH(bool, ingles);
        TForm1& w = *amb_->janela;
        if (ingles) w.TraduzIngles();
        const QString exemplo = EscolhaExemplos::CaminhoExemplo(amb_->pasta.path(), indice);
        w.ciclo().AbreExemplo(indice);
        amb_->roteiro->nomesSalvar.push_back(amb_->caminho("copia.smp"));
        amb_->acao("SalvarComo1")->trigger();
        QFile a(exemplo), b(amb_->caminho("copia.smp"));
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QVERIFY(a.readAll() == b.readAll());
    }

    void everyExampleOfTheChooserExists() {
        for (int i = 0; i < 22; ++i)
            QVERIFY2(QFile::exists(EscolhaExemplos::CaminhoExemplo(amb_->pasta.path(), i)),
                     qPrintable(EscolhaExemplos::CaminhoExemplo(amb_->pasta.path(), i)));
    }

    void openingAnExampleFromTheChooser() {
        TForm1& w = *amb_->janela;
        w.ciclo().Exemplos();
        QVERIFY(w.escolha().isVisible());
        QVERIFY(!amb_->acao("Configurao2")->isVisible());
        w.escolha().setCurrentIndex(3);
        QTest::mouseClick(w.escolha().findChild<QToolButton*>("sim1"), Qt::LeftButton);
        QVERIFY(amb_->roteiro->informacoes.isEmpty());
        QVERIFY(w.escolha().isHidden());
        QVERIFY(amb_->app->projeto().sim.controladores.ativo(1));
        QCOMPARE(w.windowTitle(), QString("Caldeira industrial"));
        // The indicator stays hidden: an example is never overwritten.
        QVERIFY(w.indicador()->isHidden());
        QVERIFY(amb_->app->salvo());
        for (const char* item : {"SalvarComo1", "Exemplos1", "Configurao2", "Configurao1", "Opes1", "Variveis1",
                                 "Dese1", "RegistradorXY1"})
            QVERIFY2(amb_->acao(item)->isVisible(), item);
        QVERIFY(w.diagrama().marcador(Familia::Controlador, 1)->isVisible());
        QVERIFY(amb_->app->timer().isActive());
    }

    void missingExampleIsReportedAndNothingLoads() {
        QDir(amb_->pasta.path()).mkpath("examples");
        amb_->janela->ciclo().AbreExemplo(0);
        QCOMPARE(amb_->roteiro->informacoes.size(), 2);
        QCOMPARE(amb_->roteiro->informacoes[0], QString("Arquivo não encontrado"));
        QVERIFY(amb_->roteiro->informacoes[1].contains("basic flow loop.smp"));
        QVERIFY(!amb_->app->projeto().sim.controladores.ativo(1));
    }

    void newWithUnsavedChangesAnsweringNo() {
        TForm1& w = *amb_->janela;
        w.TraduzIngles();
        w.ciclo().Carrega(PastaExemplos() + "/basic flow loop/basic flow loop.smp", true);
        amb_->app->MarcaModificado();
        amb_->acao("Novo1")->trigger();
        QCOMPARE(amb_->roteiro->perguntas, QStringList{"Save changes?"});
        QVERIFY(!amb_->app->projeto().sim.controladores.ativo(1));
        QVERIFY(w.diagrama().marcador(Familia::Controlador, 1)->isHidden());
        QCOMPARE(w.windowTitle(), QString("KIVO v 7.71"));
        QVERIFY(w.indicador()->isVisible());
        QCOMPARE(w.indicador()->text(), QString("I´m saved!"));
        QVERIFY(w.comentarios()->isVisible());
        QVERIFY(amb_->app->caminhoProjeto.isEmpty());
        // The reset dialog speaks English again.
        QCOMPARE(w.config().findChild<QCheckBox*>("CheckBox21")->text(), QString("<empty> Process 1"));
    }

    void savingThroughTheIndicator_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("caminho");
        QTest::addColumn<QString>("titulo");
        QTest::newRow("no extension") << "plant" << "plant.smp" << "plant";
        QTest::newRow("with extension") << "plant.smp" << "plant.smp" << "plant.smp";
        // A dot in a folder's name is no extension.
        QTest::newRow("dotted folder") << "a.b/plant" << "a.b/plant.smp" << "plant";
    }
    void savingThroughTheIndicator() {
        QFETCH(QString, nome);
        QFETCH(QString, caminho);
        QFETCH(QString, titulo);
        QDir(amb_->pasta.path()).mkpath("a.b");
        TForm1& w = *amb_->janela;
        w.ciclo().Novo();
        amb_->app->projeto().CriaProcesso(1).TagText = "FT-1";
        amb_->app->MarcaModificado();
        QCOMPARE(w.indicador()->text(), QString("Salve me!"));
        amb_->roteiro->nomesSalvar.push_back(amb_->caminho(nome));
        QTest::mouseClick(w.indicador(), Qt::LeftButton);
        QCOMPARE(amb_->app->caminhoProjeto, amb_->caminho(caminho));
        QCOMPARE(w.windowTitle(), titulo);
        QCOMPARE(QString::fromStdString(amb_->app->projeto().titulo), titulo);
        QVERIFY(QFile::exists(amb_->caminho(caminho)));
        QCOMPARE(w.indicador()->text(), QString("To salvo!"));
        QCOMPARE(w.indicador()->property("indiceIcone").toInt(), 0);
        // The next Save writes to the same file without asking.
        amb_->app->MarcaModificado();
        QTest::mouseClick(w.indicador(), Qt::LeftButton);
        QVERIFY(amb_->app->salvo());
        QVERIFY(amb_->roteiro->nomesSalvar.empty());
    }

    void failedSaveKeepsTheIndicator() {
        TForm1& w = *amb_->janela;
        w.ciclo().Novo();
        amb_->app->MarcaModificado();
        amb_->roteiro->nomesSalvar.push_back(amb_->caminho("missing-folder/plant.smp"));
        w.ciclo().Salvar();
        QCOMPARE(amb_->roteiro->informacoes.size(), 1);
        QVERIFY(!amb_->app->salvo());
        QCOMPARE(w.indicador()->text(), QString("Salve me!"));
    }

    void malformedFileIsRefusedAndTheProjectStays() {
        TForm1& w = *amb_->janela;
        w.ciclo().Novo();
        Projeto& p = amb_->app->projeto();
        p.CriaProcesso(3).TagText = "FT-3";
        p.marcadores.processos[2].exibido = true;
        w.AtualizaDiagrama();
        // A copy of an example with a non-numeric transfer-function type.
        QFile origem(PastaExemplos() + "/basic flow loop/basic flow loop.smp");
        QVERIFY(origem.open(QIODevice::ReadOnly));
        QByteArray bytes = origem.readAll();
        bytes.replace("Tipo FT:0", "Tipo FT:um");
        const QString ruim = amb_->caminho("bad.smp");
        QFile f(ruim);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        Projeto rascunho;
        const ResultadoCarga esperado = LeProjeto(rascunho, ruim.toStdString());
        QVERIFY(!esperado.ok);

        const bool rodando = amb_->app->timer().isActive();
        amb_->roteiro->nomesAbrir.push_back(ruim);
        amb_->acao("Abrir1")->trigger();
        QCOMPARE(amb_->roteiro->informacoes, QStringList{QString::fromStdString(esperado.erro)});
        QVERIFY(p.sim.processos.ativo(3));
        QVERIFY(!p.sim.controladores.ativo(1));
        QVERIFY(w.diagrama().marcador(Familia::Processo, 3)->isVisible());
        QVERIFY(amb_->app->caminhoProjeto.isEmpty());
        QCOMPARE(amb_->app->timer().isActive(), rodando);
    }

    // A cancelled Open, or one of a file that cannot be read, leaves the
    // open plant on screen as it was: objects, title, file and state.
    void openCancelledOrFailedKeepsThePlant_data() {
        QTest::addColumn<QString>("arquivo");
        QTest::newRow("cancelled") << QString();
        QTest::newRow("missing file") << "none.smp";
        QTest::newRow("folder") << ".";
        QTest::newRow("fifo") << "fifo.smp";
        QTest::newRow("device") << "zero.smp";
    }
    void openCancelledOrFailedKeepsThePlant() {
        QFETCH(QString, arquivo);
        TForm1& w = *amb_->janela;
        // Neither blocks the open nor is read.
        mkfifo(QFile::encodeName(amb_->caminho("fifo.smp")).constData(), 0600);
        QFile::link("/dev/zero", amb_->caminho("zero.smp"));
        amb_->roteiro->nomesAbrir.push_back(PastaExemplos() + "/surge tank/surge tank.smp");
        amb_->acao("Abrir1")->trigger();
        amb_->app->MarcaModificado();
        const QString titulo = w.windowTitle(), caminho = amb_->app->caminhoProjeto;
        amb_->roteiro->nomesAbrir.push_back(arquivo.isEmpty() ? QString() : amb_->caminho(arquivo));
        amb_->acao("Abrir1")->trigger();
        QCOMPARE(amb_->roteiro->informacoes.size(), arquivo.isEmpty() ? 0 : 1);
        QVERIFY(amb_->app->projeto().sim.controladores.ativo(1));
        QVERIFY(w.diagrama().marcador(Familia::Controlador, 1)->isVisible());
        QCOMPARE(w.windowTitle(), titulo);
        QCOMPARE(amb_->app->caminhoProjeto, caminho);
        QVERIFY(!amb_->app->salvo());
        QVERIFY(w.indicador()->isVisible());
    }

    void openingAFileAndSavingItAs() {
        TForm1& w = *amb_->janela;
        w.ciclo().Novo();
        amb_->roteiro->nomesAbrir.push_back(PastaExemplos() + "/surge tank/surge tank.smp");
        amb_->acao("Abrir1")->trigger();
        QVERIFY(amb_->roteiro->informacoes.isEmpty());
        QCOMPARE(amb_->app->caminhoProjeto, PastaExemplos() + "/surge tank/surge tank.smp");
        QVERIFY(w.diagrama().imagem()->isVisible());
        amb_->roteiro->nomesSalvar.push_back(amb_->caminho("copy"));
        amb_->acao("SalvarComo1")->trigger();
        QCOMPARE(amb_->app->caminhoProjeto, amb_->caminho("copy.smp"));
        QVERIFY(QFile::exists(amb_->caminho("copy.smp")));
        // The title came with the file and stays; the caption names the copy.
        QCOMPARE(w.windowTitle(), QString::fromStdString(amb_->app->projeto().titulo) + " — copy.smp");
        QVERIFY(w.indicador()->isVisible());
        QVERIFY(amb_->app->salvo());
    }

    void openingAFileByName() {
        QVERIFY(amb_->janela->ciclo().AbreArquivo(PastaExemplos() + "/furnace/furnace.smp"));
        QVERIFY(amb_->janela->indicador()->isVisible());
        QVERIFY(amb_->acao("Configurao2")->isVisible());
        QVERIFY(!amb_->janela->ciclo().AbreArquivo(amb_->caminho("none.smp")));
        QCOMPARE(amb_->roteiro->informacoes.size(), 1);
    }

    void closingAsksInPortugueseInBothLanguages() {
        TForm1& w = *amb_->janela;
        w.TraduzIngles();
        w.ciclo().Novo();
        amb_->app->MarcaModificado();
        QVERIFY(w.close());
        QCOMPARE(amb_->roteiro->perguntas, QStringList{"Salvar Alterações em Arquivo?"});
        QVERIFY(amb_->pasta.path().size() > 0);
        QCOMPARE(QDir(amb_->pasta.path()).entryList({"*.smp"}).size(), 0);
    }

    void examplesMenuReturnsToTheChooser() {
        TForm1& w = *amb_->janela;
        w.ciclo().Carrega(PastaExemplos() + "/basic flow loop/basic flow loop.smp", true);
        amb_->acao("Exemplos1")->trigger();
        QVERIFY(w.escolha().isVisible());
        QVERIFY(!amb_->app->projeto().sim.controladores.ativo(1));
        for (int n = 1; n <= 24; ++n) QVERIFY(!amb_->app->projeto().sim.processos.ativo(n));
        QVERIFY(w.diagrama().marcador(Familia::Processo, 24)->isHidden());
        QVERIFY(w.comentarios()->isHidden());
        QVERIFY(!amb_->acao("Opes1")->isVisible());
        QCOMPARE(w.windowTitle(), QString("KIVO v 7.71"));
    }

private:
    std::unique_ptr<Ambiente> amb_;
};

QTEST_MAIN(CicloProjetoTest)
#include "CicloProjetoTest.moc"
