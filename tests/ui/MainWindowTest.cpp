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

#include "Helpers.h"
#include "ui/shell/Diagram.h"
#include "ui/i18n/TranslationActivation.h"
#include "ui/main/RtfText.h"
#include "ui/main/ProjectLifecycle.h"
#include "ui/project/ProjectSettingsDialog.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::test;

namespace {

void Move(QWidget* w, QPoint p) {
    QMouseEvent e(QEvent::MouseMove, p, w->mapToGlobal(p), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void Clique(QWidget* w, QPoint p) { QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, p); }

// The basic flow loop: controller 1, process 1 and recorder 1.
void OpenFlowLoop(Fixture& a) {
    a.window->cycle().Load(ExamplesFolder() + "/basic flow loop/basic flow loop.smp", true);
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        fixture_ = std::make_unique<Fixture>();
        fixture_->window->show();
    }
    void cleanup() { fixture_.reset(); }

    void startsWithItsCaptionAndTheProjectMenusHidden() {
        MainWindow& w = *fixture_->window;
        QCOMPARE(w.windowTitle(), QString("KIVO (v 7.71)"));
        QVERIFY(w.windowState() & Qt::WindowMaximized);
        QVERIFY(w.indicator()->isHidden());
        QVERIFY(fixture_->actionItem("Portuguese1")->isChecked());
        QVERIFY(!fixture_->actionItem("English1")->isChecked());
    }

    void menuItemsHaveTheirCaptionsAndVisibility_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("pt");
        QTest::addColumn<QString>("en");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<bool>("checkable");
        const auto line = [](const char* n, const char* pt, const char* en, bool v, bool m = false) {
            QTest::newRow(n) << QString(n) << QString::fromUtf8(pt) << QString::fromUtf8(en) << v << m;
        };
        line("Arquivo1", "Arquivo", "File", true);
        line("Novo1", "Novo", "New", true);
        line("Abrir1", "Abrir", "Open", true);
        line("SalvarComo1", "Salvar Como...", "Save as...", false);
        line("Sair1", "Sair", "Exit", true);
        line("SelectLanguage1", "Select Language", "Select Language", true);
        line("Portuguese1", "Portuguese", "Portuguese", true, true);
        line("English1", "English", "English", true, true);
        line("Exemplos1", "Exemplos", "Examples", false);
        line("Configurao2", "Configuração", "Configuration", false);
        line("Configurao1", "Gerador de Sinais", "Signals Generator", false);
        line("Dese1", "Simulação Rápida", "Fast Simulation", false);
        line("Variveis1", "Lista de Variáveis", "Variables List", false);
        line("RegistradorXY1", "Registrador XY", "XY Register", false);
        line("Opes1", "Opções", "Options", false);
        line("PausarSimulao2", "Pausar Simulação", "Stop Simulation", true, true);
        line("MoverObjetos2", "Mover Objetos", "Move Objects", true, true);
        line("ExcluirObjetos", "Excluir Objetos", "Exclude Objects", true, true);
        line("Sobre1", "Ajuda", "Help", true);
        line("Comentrios1", "Exibir comentários", "Show comments", true, true);
        line("utorial1", "Visitar website", "Online help...", true);
        line("VdeoAulas1", "Vídeo Aulas", "Video Lessons", true);
        line("IntroduoControledeProcessos1", "Introdução Controle de Processos", "Introduction to Process Control",
              true);
        line("Sobre3", "Sobre", "About", true);
    }
    void menuItemsHaveTheirCaptionsAndVisibility() {
        QFETCH(QString, name);
        QFETCH(QString, pt);
        QFETCH(QString, en);
        QFETCH(bool, visible);
        QFETCH(bool, checkable);
        QAction* a = fixture_->window->actionItem(name);
        QVERIFY2(a, qPrintable(name));
        QCOMPARE(a->text(), pt);
        QCOMPARE(a->isVisible(), visible);
        QCOMPARE(a->isCheckable(), checkable);
        fixture_->window->TranslateToEnglish();
        QCOMPARE(a->text(), en);
    }

    void menuOrderAndHints() {
        MainWindow& w = *fixture_->window;
        QStringList order;
        for (QAction* a : w.menuBar()->actions()) order << (a->menu() ? a->menu()->objectName() : a->objectName());
        QCOMPARE(order, QStringList({"Arquivo1", "Exemplos1", "Configurao2", "Configurao1", "Dese1", "Variveis1",
                                     "RegistradorXY1", "Exercicio1", "Opes1", "Sobre1"}));
        QCOMPARE(fixture_->actionItem("Configurao2")->toolTip(), QString("Inclusão de objetos "));
        QCOMPARE(fixture_->actionItem("Configurao1")->toolTip(), QString("Inclusão de sinais aleatórios para simular distúrbios"));
        // The bar shows the hint of the item under the pointer.
        fixture_->window->cycle().New();
        QApplication::processEvents();
        const QPoint about = w.menuBar()->actionGeometry(fixture_->actionItem("Configurao1")).center();
        QHelpEvent tooltip(QEvent::ToolTip, about, w.menuBar()->mapToGlobal(about));
        QApplication::sendEvent(w.menuBar(), &tooltip);
        QCOMPARE(QToolTip::text(), QString("Inclusão de sinais aleatórios para simular distúrbios"));
        QToolTip::hideText();
        // The save indicator leads the bar.
        QCOMPARE(w.menuBar()->cornerWidget(Qt::TopLeftCorner), static_cast<QWidget*>(w.indicator()));
        QCOMPARE(w.indicator()->objectName(), QString("Salvar1"));
    }

    // Tab alone walks the main window: the save indicator, the markers, the
    // comments (which Tab leaves again, typing nothing) and the help link,
    // each announced by a name; Enter acts on a marker.
    void keyboardWalkThroughTheMainWindow_data() {
        QTest::addColumn<bool>("english");
        QTest::newRow("pt") << false;
        QTest::newRow("en") << true;
    }
    void keyboardWalkThroughTheMainWindow() {
        QFETCH(bool, english);
        MainWindow& w = *fixture_->window;
        if (english) w.TranslateToEnglish();
        OpenFlowLoop(*fixture_);
        for (int i = 0; i < 6; ++i) fixture_->app->Tick();  // the values shown
        w.ShowIndicator(true);
        w.ShowComments(true);
        w.activateWindow();
        QStringList names;
        QWidget* current = &w;
        for (int i = 0; i < 400; ++i) {
            current = current->nextInFocusChain();
            if (current == &w) break;
            if (!current->isVisible() || !current->isEnabled() || !(current->focusPolicy() & Qt::TabFocus)) continue;
            names << current->objectName();
            // A value label is announced by the value it shows.
            const auto* label = qobject_cast<QLabel*>(current);
            QVERIFY2(!current->accessibleName().isEmpty() || (label && !label->text().isEmpty()),
                     qPrintable(current->objectName()));
        }
        for (const char* n : {"Salvar1", "Control1", "RichEdit1", "Label21", "FotografiaNome", "FotografiaBTN"})
            QVERIFY2(names.contains(n), n);
        QCOMPARE(w.comments()->accessibleName(), english ? QString("Comments") : QString("Comentários"));

        // Tab in the comments moves on and types nothing.
        const QString before = w.comments()->toPlainText();
        w.comments()->setFocus();
        QTest::keyClick(w.comments(), Qt::Key_Tab);
        QCOMPARE(w.comments()->toPlainText(), before);
        QVERIFY(!w.comments()->hasFocus());
        QVERIFY(fixture_->app->saved());
        // F2 edits on purpose, which marks the project modified.
        w.comments()->setFocus();
        QTest::keyClick(w.comments(), Qt::Key_F2);
        QTest::keyClicks(w.comments(), "x");
        QVERIFY(!fixture_->app->saved());
        QTest::keyClick(w.comments(), Qt::Key_Escape);
        QVERIFY(w.comments()->isReadOnly());

        QToolButton* c1 = w.diagram().marker(Family::PidController, 1);
        c1->setFocus();
        QTest::keyClick(c1, Qt::Key_Return);
        QVERIFY(w.windows().window(Family::PidController, 1));
    }

    void markersShowTheExampleObjects() {
        OpenFlowLoop(*fixture_);
        Diagram& d = fixture_->window->diagram();
        const Project& p = fixture_->app->project();
        QToolButton* c1 = d.marker(Family::PidController, 1);
        QCOMPARE(c1->objectName(), QString("Control1"));
        QVERIFY(c1->isVisible());
        QCOMPARE(c1->text(), QString::fromStdString(p.controller(1)->TagText));
        QCOMPARE(c1->toolTip(), QString("Saída em M01"));
        QCOMPARE(c1->accessibleName(), "Controlador " + c1->text());
        QCOMPARE(c1->accessibleDescription(), QString("Saída em M01"));
        // A long tag widens its marker instead of being cut.
        fixture_->app->project().controller(1)->TagText = "SH-1201Q-AUX";
        fixture_->window->UpdateDiagram();
        QCOMPARE(c1->text(), QString("SH-1201Q-AUX"));
        QVERIFY(c1->width() >= c1->sizeHint().width());
        QVERIFY(c1->width() > 79);
        QCOMPARE(c1->pos(), QPoint(p.markers.controllers[0].left, p.markers.controllers[0].top));
        QCOMPARE(d.marker(Family::ProcessBlock, 2)->objectName(), QString("proce2"));
        QCOMPARE(d.marker(Family::ProcessBlock, 21)->toolTip(), QString("Saída em M71"));
        QCOMPARE(d.marker(Family::CalculationBlock, 24)->toolTip(), QString("Saída em M78"));
        QVERIFY(d.image()->isVisible());
        // Blue in automatic, red otherwise.
        fixture_->app->project().controller(1)->state.autoMode = true;
        fixture_->window->UpdateDiagram();
        QCOMPARE(c1->palette().color(QPalette::ButtonText), QColor(Qt::blue));
        fixture_->app->project().controller(1)->state.autoMode = false;
        fixture_->window->UpdateDiagram();
        QCOMPARE(c1->palette().color(QPalette::ButtonText), QColor(Qt::red));
    }

    void pauseStopsAndRestartsTheTimer() {
        OpenFlowLoop(*fixture_);
        QAction* pause = fixture_->actionItem("PausarSimulao2");
        QVERIFY(fixture_->app->timer().isActive());
        pause->trigger();
        QVERIFY(pause->isChecked());
        QVERIFY(!fixture_->app->timer().isActive());
        pause->trigger();
        QVERIFY(!pause->isChecked());
        QVERIFY(fixture_->app->timer().isActive());
    }

    void movingAMarkerMarksTheProjectModified() {
        OpenFlowLoop(*fixture_);
        Diagram& d = fixture_->window->diagram();
        QToolButton* p1 = d.marker(Family::ProcessBlock, 1);
        fixture_->actionItem("MoverObjetos2")->trigger();
        QCOMPARE(d.cursor().shape(), Qt::CrossCursor);
        p1->click();
        QVERIFY(d.loading());
        Move(&d, QPoint(300, 200));
        QCOMPARE(p1->pos(), QPoint(300, 200));
        QCOMPARE(fixture_->app->project().markers.processes[0].left, 300);
        QCOMPARE(fixture_->app->project().markers.processes[0].top, 200);
        QVERIFY(!fixture_->app->saved());
        QCOMPARE(fixture_->window->indicator()->text(), QString("Salve me!"));
        QCOMPARE(fixture_->window->indicator()->property("indiceIcone").toInt(), 1);
        // A second click drops it; the pointer no longer carries it.
        p1->click();
        QVERIFY(!d.loading());
        Move(&d, QPoint(350, 250));
        QCOMPARE(p1->pos(), QPoint(300, 200));
        // A click on the surface leaves move mode.
        Clique(&d, QPoint(5, 500));
        QVERIFY(!fixture_->actionItem("MoverObjetos2")->isChecked());
        QCOMPARE(d.cursor().shape(), Qt::ArrowCursor);
    }

    void movingATextKeepsItsDescriptionAbove() {
        Project& p = fixture_->app->project();
        fixture_->window->cycle().New();
        p.CreateText(2).DescriptionText = "Nível";
        p.markers.texts[1].shown = true;
        fixture_->window->UpdateDiagram();
        Diagram& d = fixture_->window->diagram();
        fixture_->actionItem("MoverObjetos2")->trigger();
        QTest::mouseClick(d.textValue(2), Qt::LeftButton);
        Move(&d, QPoint(120, 140));
        QCOMPARE(d.textValue(2)->pos(), QPoint(120, 140));
        QCOMPARE(d.textLabel(2)->pos(), QPoint(120, 127));
    }

    void surfaceClickMarksModifiedOnlyInAMode() {
        OpenFlowLoop(*fixture_);
        Diagram& d = fixture_->window->diagram();
        Clique(&d, QPoint(5, 500));
        QVERIFY(fixture_->app->saved());
        fixture_->actionItem("ExcluirObjetos")->trigger();
        Clique(&d, QPoint(5, 500));
        QVERIFY(!fixture_->app->saved());
        QVERIFY(!fixture_->actionItem("ExcluirObjetos")->isChecked());
    }

    void withBothModesAClickSelectsAndDeletesNothing() {
        OpenFlowLoop(*fixture_);
        Diagram& d = fixture_->window->diagram();
        fixture_->actionItem("MoverObjetos2")->trigger();
        fixture_->actionItem("ExcluirObjetos")->trigger();
        d.marker(Family::PidController, 1)->click();
        QVERIFY(fixture_->app->project().sim.controllers.active(1));
        QVERIFY(d.loading());
        QCOMPARE(d.selected(), static_cast<QWidget*>(d.marker(Family::PidController, 1)));
    }

    void deleteModeEmptiesTheSlot_data() {
        QTest::addColumn<bool>("english");
        QTest::addColumn<int>("family");
        QTest::addColumn<QString>("frame");
        QTest::addColumn<QString>("caption");
        QTest::newRow("process pt") << false << int(Family::ProcessBlock) << "CheckBox23" << "<vago> Processo 3";
        QTest::newRow("process en") << true << int(Family::ProcessBlock) << "CheckBox23" << "<empty> Process 3";
        QTest::newRow("controller en") << true << int(Family::PidController) << "CheckBox3" << "<empty> Controller 3";
        QTest::newRow("controller pt") << false << int(Family::PidController) << "CheckBox3" << "<vago> Controlador 3";
    }
    void deleteModeEmptiesTheSlot() {
        QFETCH(bool, english);
        QFETCH(int, family);
        QFETCH(QString, frame);
        QFETCH(QString, caption);
        const Family f = Family(family);
        if (english) fixture_->window->TranslateToEnglish();
        fixture_->window->cycle().New();
        Project& p = fixture_->app->project();
        if (f == Family::ProcessBlock) {
            p.CreateProcess(3).TagText = "FT-3";
            p.markers.processes[2].shown = true;
        } else {
            p.CreateController(3).TagText = "FIC-3";
            p.markers.controllers[2].shown = true;
        }
        ProjectSettingsDialog& cfg = fixture_->window->config();
        cfg.Reload();
        cfg.UpdateObjectList();
        fixture_->window->UpdateDiagram();
        QToolButton* m = fixture_->window->diagram().marker(f, 3);
        QVERIFY(m->isVisible());
        fixture_->actionItem("ExcluirObjetos")->trigger();
        m->click();
        QVERIFY(m->isHidden());
        QVERIFY(m->text().isEmpty());
        QVERIFY(f == Family::ProcessBlock ? !p.sim.processes.active(3) : !p.sim.controllers.active(3));
        auto* box = cfg.findChild<QCheckBox*>(frame);
        QCOMPARE(box->text(), caption);
        QVERIFY(!box->isChecked());
        // Delete mode stays on.
        QVERIFY(fixture_->actionItem("ExcluirObjetos")->isChecked());
    }

    void markerClicksGoThroughTheWindowRegistry() {
        QPointer<QWidget> opened;
        int created = 0;
        fixture_->window->windows().Register(Family::Recorder, [&](int slot) {
            ++created;
            auto* w = new QWidget;
            w->setObjectName(QString("Registro%1").arg(slot));
            opened = w;
            return w;
        });
        // Registered before the load: the load's variable table refresh
        // already builds the recorders' windows.
        OpenFlowLoop(*fixture_);
        QToolButton* r1 = fixture_->window->diagram().marker(Family::Recorder, 1);
        QVERIFY(r1->isVisible());
        r1->click();
        QVERIFY(opened && opened->isVisible());
        // A recorder's window toggles.
        r1->click();
        QVERIFY(opened->isHidden());
        r1->click();
        QVERIFY(opened->isVisible());
        QCOMPARE(created, 1);
        // Families without a window type open nothing.
        fixture_->window->diagram().marker(Family::PidController, 1)->click();
        // Deleting the slot releases its window.
        fixture_->actionItem("ExcluirObjetos")->trigger();
        r1->click();
        QVERIFY(opened.isNull());
    }

    void menuItemsShowTheirRegisteredWindows() {
        int created = 0;
        fixture_->window->RegisterMenuWindow("Variveis1", [&] {
            ++created;
            auto* w = new QWidget(fixture_->window.get(), Qt::Window);
            w->setObjectName("JanelaDeTeste");
            return w;
        });
        fixture_->window->cycle().New();
        fixture_->actionItem("Variveis1")->trigger();
        auto* window = fixture_->window->findChild<QWidget*>("JanelaDeTeste");
        QVERIFY(window && window->isVisible());
        window->hide();
        fixture_->actionItem("Variveis1")->trigger();
        QVERIFY(window->isVisible());
        QCOMPARE(created, 1);
    }

    void doubleClickReadsTheCommentsFile() {
        fixture_->window->cycle().New();
        QTextEdit* panel = fixture_->window->comments();
        panel->setPlainText("typed");
        QFile f(fixture_->path("descricao.rtf"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 {\\b Tanque} de n\\'edvel\\par segunda linha}");
        f.close();
        QTest::mouseDClick(&fixture_->window->diagram(), Qt::LeftButton, Qt::NoModifier, QPoint(400, 300));
        QCOMPARE(panel->toPlainText(), QString("Tanque de nível\nsegunda linha"));
        QVERIFY(panel->toHtml().contains("font-weight"));
        // The panel is the project's comments.
        QCOMPARE(fixture_->app->project().comments.front(), std::string("Tanque de nível"));
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
        QCOMPARE(HtmlFromRtf(rtf), html);
    }

    void commentsItemShowsThePanel() {
        fixture_->window->cycle().New();
        QAction* item = fixture_->actionItem("Comentrios1");
        QVERIFY(item->isChecked());
        item->trigger();
        QVERIFY(fixture_->window->comments()->isHidden());
        QVERIFY(!fixture_->app->project().commentsVisible);
        item->trigger();
        QVERIFY(fixture_->window->comments()->isVisible());
    }

    // The helper object windows use: one translation, on the first
    // activation in English mode.
    void objectWindowsTranslateOnFirstActivation() {
        QWidget window;
        auto* label = new QLabel("Ganho:", &window);
        label->setObjectName("Label20");
        int translated = 0;
        new TranslationActivation(&window, *fixture_->app, "Label20", "Gain:", [&] {
            ++translated;
            label->setText("Gain:");
        });
        QEvent active(QEvent::WindowActivate);
        QApplication::sendEvent(&window, &active);
        QCOMPARE(translated, 0);
        fixture_->app->SetEnglish();
        QApplication::sendEvent(&window, &active);
        QApplication::sendEvent(&window, &active);
        QCOMPARE(translated, 1);
        QCOMPARE(label->text(), QString("Gain:"));
    }

private:
    std::unique_ptr<Fixture> fixture_;
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
