// The main window: menu, markers, editing modes, dragging, pause, the object
// window registry and the comments file.
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <QToolTip>

#include "Auxiliares.h"
#include "ui/main/Diagrama.h"
#include "ui/i18n/TraducaoAtivacao.h"
#include "ui/main/TextoRtf.h"
#include "ui/project/CicloProjeto.h"
#include "ui/project/TConfigForm.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::teste;

namespace {

void Move(QWidget* w, QPoint p) {
    QMouseEvent e(QEvent::MouseMove, p, w->mapToGlobal(p), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void Clique(QWidget* w, QPoint p) { QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, p); }

// The basic flow loop: controller 1, process 1 and recorder 1.
void AbreFluxo(Ambiente& a) {
    a.janela->ciclo().Carrega(PastaExemplos() + "/basic flow loop/basic flow loop.smp", true);
}

}  // namespace

class TForm1Test : public QObject {
    Q_OBJECT
private slots:
    void init() {
        amb_ = std::make_unique<Ambiente>();
        amb_->janela->show();
    }
    void cleanup() { amb_.reset(); }

    void startsWithItsCaptionAndTheProjectMenusHidden() {
        TForm1& w = *amb_->janela;
        QCOMPARE(w.windowTitle(), QString("KIVO (v 7.71)"));
        QVERIFY(w.windowState() & Qt::WindowMaximized);
        QVERIFY(w.indicador()->isHidden());
        QVERIFY(amb_->acao("Portuguese1")->isChecked());
        QVERIFY(!amb_->acao("English1")->isChecked());
    }

    void menuItemsHaveTheirCaptionsAndVisibility_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("pt");
        QTest::addColumn<QString>("en");
        QTest::addColumn<bool>("visivel");
        QTest::addColumn<bool>("marcavel");
        const auto linha = [](const char* n, const char* pt, const char* en, bool v, bool m = false) {
            QTest::newRow(n) << QString(n) << QString::fromUtf8(pt) << QString::fromUtf8(en) << v << m;
        };
        linha("Arquivo1", "Arquivo", "File", true);
        linha("Novo1", "Novo", "New", true);
        linha("Abrir1", "Abrir", "Open", true);
        linha("SalvarComo1", "Salvar Como...", "Save as...", false);
        linha("Sair1", "Sair", "Exit", true);
        linha("SelectLanguage1", "Select Language", "Select Language", true);
        linha("Portuguese1", "Portuguese", "Portuguese", true, true);
        linha("English1", "English", "English", true, true);
        linha("Exemplos1", "Exemplos", "Examples", false);
        linha("Configurao2", "Configuração", "Configuration", false);
        linha("Configurao1", "Gerador de Sinais", "Signals Generator", false);
        linha("Dese1", "Simulação Rápida", "Fast Simulation", false);
        linha("Variveis1", "Lista de Variáveis", "Variables List", false);
        linha("RegistradorXY1", "Registrador XY", "XY Register", false);
        linha("Opes1", "Opções", "Options", false);
        linha("PausarSimulao2", "Pausar Simulação", "Stop Simulation", true, true);
        linha("MoverObjetos2", "Mover Objetos", "Move Objects", true, true);
        linha("ExcluirObjetos", "Excluir Objetos", "Exclude Objects", true, true);
        linha("Sobre1", "Ajuda", "Help", true);
        linha("Comentrios1", "Exibir comentários", "Show comments", true, true);
        linha("utorial1", "Visitar website", "Online help...", true);
        linha("VdeoAulas1", "Vídeo Aulas", "Video Lessons", true);
        linha("IntroduoControledeProcessos1", "Introdução Controle de Processos", "Introduction to Process Control",
              true);
        linha("Sobre3", "Sobre", "About", true);
    }
    void menuItemsHaveTheirCaptionsAndVisibility() {
        QFETCH(QString, nome);
        QFETCH(QString, pt);
        QFETCH(QString, en);
        QFETCH(bool, visivel);
        QFETCH(bool, marcavel);
        QAction* a = amb_->janela->acao(nome);
        QVERIFY2(a, qPrintable(nome));
        QCOMPARE(a->text(), pt);
        QCOMPARE(a->isVisible(), visivel);
        QCOMPARE(a->isCheckable(), marcavel);
        amb_->janela->TraduzIngles();
        QCOMPARE(a->text(), en);
    }

    void menuOrderAndHints() {
        TForm1& w = *amb_->janela;
        QStringList ordem;
        for (QAction* a : w.menuBar()->actions()) ordem << (a->menu() ? a->menu()->objectName() : a->objectName());
        QCOMPARE(ordem, QStringList({"Arquivo1", "Exemplos1", "Configurao2", "Configurao1", "Dese1", "Variveis1",
                                     "RegistradorXY1", "Opes1", "Sobre1"}));
        QCOMPARE(amb_->acao("Configurao2")->toolTip(), QString("Inclusão de objetos "));
        QCOMPARE(amb_->acao("Configurao1")->toolTip(), QString("Inclusão de sinais aleatórios para simular distúrbios"));
        // The bar shows the hint of the item under the pointer.
        amb_->janela->ciclo().Novo();
        QApplication::processEvents();
        const QPoint sobre = w.menuBar()->actionGeometry(amb_->acao("Configurao1")).center();
        QHelpEvent dica(QEvent::ToolTip, sobre, w.menuBar()->mapToGlobal(sobre));
        QApplication::sendEvent(w.menuBar(), &dica);
        QCOMPARE(QToolTip::text(), QString("Inclusão de sinais aleatórios para simular distúrbios"));
        QToolTip::hideText();
        // The save indicator leads the bar.
        QCOMPARE(w.menuBar()->cornerWidget(Qt::TopLeftCorner), static_cast<QWidget*>(w.indicador()));
        QCOMPARE(w.indicador()->objectName(), QString("Salvar1"));
    }

    // Tab alone walks the main window: the save indicator, the markers, the
    // comments (which Tab leaves again, typing nothing) and the help link,
    // each announced by a name; Enter acts on a marker.
    void keyboardWalkThroughTheMainWindow_data() {
        QTest::addColumn<bool>("ingles");
        QTest::newRow("pt") << false;
        QTest::newRow("en") << true;
    }
    void keyboardWalkThroughTheMainWindow() {
        QFETCH(bool, ingles);
        TForm1& w = *amb_->janela;
        if (ingles) w.TraduzIngles();
        AbreFluxo(*amb_);
        for (int i = 0; i < 6; ++i) amb_->app->Tick();  // the values shown
        w.MostraIndicador(true);
        w.MostraComentarios(true);
        w.activateWindow();
        QStringList nomes;
        QWidget* atual = &w;
        for (int i = 0; i < 400; ++i) {
            atual = atual->nextInFocusChain();
            if (atual == &w) break;
            if (!atual->isVisible() || !atual->isEnabled() || !(atual->focusPolicy() & Qt::TabFocus)) continue;
            nomes << atual->objectName();
            // A value label is announced by the value it shows.
            const auto* rotulo = qobject_cast<QLabel*>(atual);
            QVERIFY2(!atual->accessibleName().isEmpty() || (rotulo && !rotulo->text().isEmpty()),
                     qPrintable(atual->objectName()));
        }
        for (const char* n : {"Salvar1", "Control1", "RichEdit1", "Label21"}) QVERIFY2(nomes.contains(n), n);
        QCOMPARE(w.comentarios()->accessibleName(), ingles ? QString("Comments") : QString("Comentários"));

        // Tab in the comments moves on and types nothing.
        const QString antes = w.comentarios()->toPlainText();
        w.comentarios()->setFocus();
        QTest::keyClick(w.comentarios(), Qt::Key_Tab);
        QCOMPARE(w.comentarios()->toPlainText(), antes);
        QVERIFY(!w.comentarios()->hasFocus());
        QVERIFY(amb_->app->salvo());
        // F2 edits on purpose, which marks the project modified.
        w.comentarios()->setFocus();
        QTest::keyClick(w.comentarios(), Qt::Key_F2);
        QTest::keyClicks(w.comentarios(), "x");
        QVERIFY(!amb_->app->salvo());
        QTest::keyClick(w.comentarios(), Qt::Key_Escape);
        QVERIFY(w.comentarios()->isReadOnly());

        QToolButton* c1 = w.diagrama().marcador(Familia::Controlador, 1);
        c1->setFocus();
        QTest::keyClick(c1, Qt::Key_Return);
        QVERIFY(w.janelas().janela(Familia::Controlador, 1));
    }

    void markersShowTheExampleObjects() {
        AbreFluxo(*amb_);
        Diagrama& d = amb_->janela->diagrama();
        const Projeto& p = amb_->app->projeto();
        QToolButton* c1 = d.marcador(Familia::Controlador, 1);
        QCOMPARE(c1->objectName(), QString("Control1"));
        QVERIFY(c1->isVisible());
        QCOMPARE(c1->text(), QString::fromStdString(p.controlador(1)->TagText));
        QCOMPARE(c1->toolTip(), QString("Saída em M01"));
        QCOMPARE(c1->accessibleName(), "Controlador " + c1->text());
        QCOMPARE(c1->accessibleDescription(), QString("Saída em M01"));
        // A long tag widens its marker instead of being cut.
        amb_->app->projeto().controlador(1)->TagText = "SH-1201Q-AUX";
        amb_->janela->AtualizaDiagrama();
        QCOMPARE(c1->text(), QString("SH-1201Q-AUX"));
        QVERIFY(c1->width() >= c1->sizeHint().width());
        QVERIFY(c1->width() > 79);
        QCOMPARE(c1->pos(), QPoint(p.marcadores.controladores[0].esquerda, p.marcadores.controladores[0].topo));
        QCOMPARE(d.marcador(Familia::Processo, 2)->objectName(), QString("proce2"));
        QCOMPARE(d.marcador(Familia::Processo, 21)->toolTip(), QString("Saída em M71"));
        QCOMPARE(d.marcador(Familia::Bloco, 24)->toolTip(), QString("Saída em M78"));
        QVERIFY(d.imagem()->isVisible());
        // Blue in automatic, red otherwise.
        amb_->app->projeto().controlador(1)->estado.modoAuto = true;
        amb_->janela->AtualizaDiagrama();
        QCOMPARE(c1->palette().color(QPalette::ButtonText), QColor(Qt::blue));
        amb_->app->projeto().controlador(1)->estado.modoAuto = false;
        amb_->janela->AtualizaDiagrama();
        QCOMPARE(c1->palette().color(QPalette::ButtonText), QColor(Qt::red));
    }

    void pauseStopsAndRestartsTheTimer() {
        AbreFluxo(*amb_);
        QAction* pausa = amb_->acao("PausarSimulao2");
        QVERIFY(amb_->app->timer().isActive());
        pausa->trigger();
        QVERIFY(pausa->isChecked());
        QVERIFY(!amb_->app->timer().isActive());
        pausa->trigger();
        QVERIFY(!pausa->isChecked());
        QVERIFY(amb_->app->timer().isActive());
    }

    void movingAMarkerMarksTheProjectModified() {
        AbreFluxo(*amb_);
        Diagrama& d = amb_->janela->diagrama();
        QToolButton* p1 = d.marcador(Familia::Processo, 1);
        amb_->acao("MoverObjetos2")->trigger();
        QCOMPARE(d.cursor().shape(), Qt::CrossCursor);
        p1->click();
        QVERIFY(d.carregando());
        Move(&d, QPoint(300, 200));
        QCOMPARE(p1->pos(), QPoint(300, 200));
        QCOMPARE(amb_->app->projeto().marcadores.processos[0].esquerda, 300);
        QCOMPARE(amb_->app->projeto().marcadores.processos[0].topo, 200);
        QVERIFY(!amb_->app->salvo());
        QCOMPARE(amb_->janela->indicador()->text(), QString("Salve me!"));
        QCOMPARE(amb_->janela->indicador()->property("indiceIcone").toInt(), 1);
        // A second click drops it; the pointer no longer carries it.
        p1->click();
        QVERIFY(!d.carregando());
        Move(&d, QPoint(350, 250));
        QCOMPARE(p1->pos(), QPoint(300, 200));
        // A click on the surface leaves move mode.
        Clique(&d, QPoint(5, 500));
        QVERIFY(!amb_->acao("MoverObjetos2")->isChecked());
        QCOMPARE(d.cursor().shape(), Qt::ArrowCursor);
    }

    void movingATextKeepsItsDescriptionAbove() {
        Projeto& p = amb_->app->projeto();
        amb_->janela->ciclo().Novo();
        p.CriaTexto(2).DescricaoText = "Nível";
        p.marcadores.textos[1].exibido = true;
        amb_->janela->AtualizaDiagrama();
        Diagrama& d = amb_->janela->diagrama();
        amb_->acao("MoverObjetos2")->trigger();
        QTest::mouseClick(d.valorTexto(2), Qt::LeftButton);
        Move(&d, QPoint(120, 140));
        QCOMPARE(d.valorTexto(2)->pos(), QPoint(120, 140));
        QCOMPARE(d.rotuloTexto(2)->pos(), QPoint(120, 127));
    }

    void surfaceClickMarksModifiedOnlyInAMode() {
        AbreFluxo(*amb_);
        Diagrama& d = amb_->janela->diagrama();
        Clique(&d, QPoint(5, 500));
        QVERIFY(amb_->app->salvo());
        amb_->acao("ExcluirObjetos")->trigger();
        Clique(&d, QPoint(5, 500));
        QVERIFY(!amb_->app->salvo());
        QVERIFY(!amb_->acao("ExcluirObjetos")->isChecked());
    }

    void withBothModesAClickSelectsAndDeletesNothing() {
        AbreFluxo(*amb_);
        Diagrama& d = amb_->janela->diagrama();
        amb_->acao("MoverObjetos2")->trigger();
        amb_->acao("ExcluirObjetos")->trigger();
        d.marcador(Familia::Controlador, 1)->click();
        QVERIFY(amb_->app->projeto().sim.controladores.ativo(1));
        QVERIFY(d.carregando());
        QCOMPARE(d.selecionado(), static_cast<QWidget*>(d.marcador(Familia::Controlador, 1)));
    }

    void deleteModeEmptiesTheSlot_data() {
        QTest::addColumn<bool>("ingles");
        QTest::addColumn<int>("familia");
        QTest::addColumn<QString>("caixa");
        QTest::addColumn<QString>("legenda");
        QTest::newRow("process pt") << false << int(Familia::Processo) << "CheckBox23" << "<vago> Processo 3";
        QTest::newRow("process en") << true << int(Familia::Processo) << "CheckBox23" << "<empty> Process 3";
        QTest::newRow("controller en") << true << int(Familia::Controlador) << "CheckBox3" << "<empty> Controller 3";
        QTest::newRow("controller pt") << false << int(Familia::Controlador) << "CheckBox3" << "<vago> Controlador 3";
    }
    void deleteModeEmptiesTheSlot() {
        QFETCH(bool, ingles);
        QFETCH(int, familia);
        QFETCH(QString, caixa);
        QFETCH(QString, legenda);
        const Familia f = Familia(familia);
        if (ingles) amb_->janela->TraduzIngles();
        amb_->janela->ciclo().Novo();
        Projeto& p = amb_->app->projeto();
        if (f == Familia::Processo) {
            p.CriaProcesso(3).TagText = "FT-3";
            p.marcadores.processos[2].exibido = true;
        } else {
            p.CriaControlador(3).TagText = "FIC-3";
            p.marcadores.controladores[2].exibido = true;
        }
        TConfigForm& cfg = amb_->janela->config();
        cfg.Recarrega();
        cfg.AtualizaListaObjetos();
        amb_->janela->AtualizaDiagrama();
        QToolButton* m = amb_->janela->diagrama().marcador(f, 3);
        QVERIFY(m->isVisible());
        amb_->acao("ExcluirObjetos")->trigger();
        m->click();
        QVERIFY(m->isHidden());
        QVERIFY(m->text().isEmpty());
        QVERIFY(f == Familia::Processo ? !p.sim.processos.ativo(3) : !p.sim.controladores.ativo(3));
        auto* box = cfg.findChild<QCheckBox*>(caixa);
        QCOMPARE(box->text(), legenda);
        QVERIFY(!box->isChecked());
        // Delete mode stays on.
        QVERIFY(amb_->acao("ExcluirObjetos")->isChecked());
    }

    void markerClicksGoThroughTheWindowRegistry() {
        QPointer<QWidget> aberta;
        int criadas = 0;
        amb_->janela->janelas().Registra(Familia::Registrador, [&](int slot) {
            ++criadas;
            auto* w = new QWidget;
            w->setObjectName(QString("Registro%1").arg(slot));
            aberta = w;
            return w;
        });
        // Registered before the load: the load's variable table refresh
        // already builds the recorders' windows.
        AbreFluxo(*amb_);
        QToolButton* r1 = amb_->janela->diagrama().marcador(Familia::Registrador, 1);
        QVERIFY(r1->isVisible());
        r1->click();
        QVERIFY(aberta && aberta->isVisible());
        // A recorder's window toggles.
        r1->click();
        QVERIFY(aberta->isHidden());
        r1->click();
        QVERIFY(aberta->isVisible());
        QCOMPARE(criadas, 1);
        // Families without a window type open nothing.
        amb_->janela->diagrama().marcador(Familia::Controlador, 1)->click();
        // Deleting the slot releases its window.
        amb_->acao("ExcluirObjetos")->trigger();
        r1->click();
        QVERIFY(aberta.isNull());
    }

    void menuItemsShowTheirRegisteredWindows() {
        int criadas = 0;
        amb_->janela->RegistraJanelaMenu("Variveis1", [&] {
            ++criadas;
            auto* w = new QWidget(amb_->janela.get(), Qt::Window);
            w->setObjectName("JanelaDeTeste");
            return w;
        });
        amb_->janela->ciclo().Novo();
        amb_->acao("Variveis1")->trigger();
        auto* janela = amb_->janela->findChild<QWidget*>("JanelaDeTeste");
        QVERIFY(janela && janela->isVisible());
        janela->hide();
        amb_->acao("Variveis1")->trigger();
        QVERIFY(janela->isVisible());
        QCOMPARE(criadas, 1);
    }

    void doubleClickReadsTheCommentsFile() {
        amb_->janela->ciclo().Novo();
        QTextEdit* painel = amb_->janela->comentarios();
        painel->setPlainText("typed");
        QFile f(amb_->caminho("descricao.rtf"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 {\\b Tanque} de n\\'edvel\\par segunda linha}");
        f.close();
        QTest::mouseDClick(&amb_->janela->diagrama(), Qt::LeftButton, Qt::NoModifier, QPoint(400, 300));
        QCOMPARE(painel->toPlainText(), QString("Tanque de nível\nsegunda linha"));
        QVERIFY(painel->toHtml().contains("font-weight"));
        // The panel is the project's comments.
        QCOMPARE(amb_->app->projeto().comentarios.front(), std::string("Tanque de nível"));
    }

    void rtfReader_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("html");
        QTest::newRow("plain") << QByteArray("{\\rtf1 a\\par b}") << "a<br>b";
        QTest::newRow("bold off") << QByteArray("{\\rtf1 \\b x\\b0 y}") << "<b>x</b>y";
        QTest::newRow("unicode") << QByteArray("{\\rtf1\\uc1 \\u231?a}") << QString::fromUtf8("ça");
        QTest::newRow("escapes") << QByteArray("{\\rtf1 \\{<\\}}") << "{&lt;}";
        QTest::newRow("skipped destination") << QByteArray("{\\rtf1{\\*\\generator x;}ok}") << "ok";
        QTest::newRow("not rtf") << QByteArray("a<b") << "a&lt;b";
    }
    void rtfReader() {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, html);
        QCOMPARE(HtmlDeRtf(rtf), html);
    }

    void commentsItemShowsThePanel() {
        amb_->janela->ciclo().Novo();
        QAction* item = amb_->acao("Comentrios1");
        QVERIFY(item->isChecked());
        item->trigger();
        QVERIFY(amb_->janela->comentarios()->isHidden());
        QVERIFY(!amb_->app->projeto().comentariosVisiveis);
        item->trigger();
        QVERIFY(amb_->janela->comentarios()->isVisible());
    }

    // The helper object windows use: one translation, on the first
    // activation in English mode.
    void objectWindowsTranslateOnFirstActivation() {
        QWidget janela;
        auto* rotulo = new QLabel("Ganho:", &janela);
        rotulo->setObjectName("Label20");
        int traducoes = 0;
        new TraducaoAtivacao(&janela, *amb_->app, "Label20", "Gain:", [&] {
            ++traducoes;
            rotulo->setText("Gain:");
        });
        QEvent ativa(QEvent::WindowActivate);
        QApplication::sendEvent(&janela, &ativa);
        QCOMPARE(traducoes, 0);
        amb_->app->DefineIngles();
        QApplication::sendEvent(&janela, &ativa);
        QApplication::sendEvent(&janela, &ativa);
        QCOMPARE(traducoes, 1);
        QCOMPARE(rotulo->text(), QString("Gain:"));
    }

private:
    std::unique_ptr<Ambiente> amb_;
};

QTEST_MAIN(TForm1Test)
#include "TForm1Test.moc"
