// The fast-simulation window: settings, runs with their charts, indices and
// progress, archives loaded into either row, the chart tools, and the
// about-box form.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "Helpers.h"
#include "fastsim/Indices.h"
#include "ui/fastsim/LoopChart.h"
#include "ui/fastsim/IndicesPanel.h"
#include "ui/fastsim/FastSimulationWindow.h"
#include "ui/main/ProjectLifecycle.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::test;

namespace {

constexpr std::array<const char*, 7> kSuperior = {"varPVmalha", "IEMmalha",   "IEMAmalha",    "ExcMVmalha",
                                                  "DevMVmalha", "satMVmalha", "PVminmaxMalha"};
constexpr std::array<const char*, 7> kInferior = {"varPVhist", "IEMhist",   "IEMAhist",    "ExcMVhist",
                                                  "DevMVhist", "SatMVhist", "PVminmaxHist"};

template <class W>
W* Child(QWidget* w, const char* name) {
    W* f = w->findChild<W*>(QString::fromLatin1(name));
    if (!f) qFatal("no control %s", name);
    return f;
}

QString Text(QWidget* w, const char* name) { return Child<QLabel>(w, name)->text(); }

// The basic flow loop: controller 1 ("FIC-100") on process 1.
void OpenFlowLoop(Fixture& a) {
    QVERIFY(a.window->cycle().Load(ExamplesFolder() + "/basic flow loop/basic flow loop.smp", true));
}

}  // namespace

class FastSimulationWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        fixture_ = std::make_unique<Fixture>();
        fixture_->window->show();
    }
    void cleanup() { fixture_.reset(); }

    void defaultPrefixIsAFileName_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("prefix");
        QTest::newRow("empty") << "" << "DadosDesempenho";
        QTest::newRow("separator") << "Razão Ar/Gás com Limites Cruzados" << "Razão Ar_Gás com Limites Cruzados";
        QTest::newRow("refused characters") << "a\\b:c*d?e\"f<g>h|i\tj" << "a_b_c_d_e_f_g_h_i_j";
        QTest::newRow("dots and blanks at the ends") << " ..Caldeira. " << "Caldeira";
        QTest::newRow("nothing left") << " . " << "DadosDesempenho";
        QTest::newRow("plain") << "Controle de Nível" << "Controle de Nível";
    }
    void defaultPrefixIsAFileName() {
        QFETCH(QString, title);
        QFETCH(QString, prefix);
        QCOMPARE(ArchivePrefix(title.toStdString()), prefix);
    }

    void aLongTitleGivesAPrefixThatFitsAFileName() {
        const QString p = ArchivePrefix(QString(300, QChar(0xE9)).toStdString());
        QVERIFY(p.toUtf8().size() <= 200);
        QVERIFY(!p.isEmpty());
    }

    // The default never fails: a title with a "/" archives under the window's prefix.
    void aTitleWithASlashArchivesUnderTheDefaultPrefix() {
        OpenFlowLoop(*fixture_);
        fixture_->app->project().title = "Razão Ar/Gás com Limites Cruzados";
        auto w = Open();
        QCOMPARE(Child<QLineEdit>(w.get(), "Edit2")->text(), QString("Razão Ar_Gás com Limites Cruzados"));
        Child<QCheckBox>(w.get(), "CheckArquivar")->setChecked(true);
        Child<QPushButton>(w.get(), "BTNSimular")->click();
        QVERIFY(fixture_->script->infoMessages.isEmpty());
        QVERIFY(QFile::exists(fixture_->path("Razão Ar_Gás com Limites Cruzados_1.txd")));
        QCOMPARE(Text(w.get(), "Mensagem"), QString("Dados salvos no arquivo"));
        QCOMPARE(Child<QComboBox>(w.get(), "ComboBox2")->currentText(), QString("Razão Ar_Gás com Limites Cruzados_1"));
    }

    void opensFromItsMenuItemMaximizedWithTheTagsOnTheTabs() {
        OpenFlowLoop(*fixture_);
        fixture_->actionItem("Dese1")->trigger();
        auto* w = fixture_->window->findChild<FastSimulationWindow*>();
        QVERIFY(w);
        QVERIFY(w->isVisible());
        QVERIFY(w->windowState() & Qt::WindowMaximized);
        QCOMPARE(w->windowTitle(), QString("Simulação Rápida"));
        QVERIFY(!w->findChild<QPushButton*>("OKButton"));
        const auto* up = Child<QTabWidget>(w, "TabbedNotebook1");
        const auto* down = Child<QTabWidget>(w, "TabbedNotebook2");
        const QString tag = QString::fromStdString(fixture_->app->project().controller(1)->TagText);
        QCOMPARE(up->tabText(0), tag);
        QCOMPARE(down->tabText(0), tag + "(hist)");
        QCOMPARE(up->tabText(1), QString("Malha 2"));
        QCOMPARE(down->tabText(1), QString("Hist 2"));
        QCOMPARE(up->count(), 10);
        QCOMPARE(up->currentIndex(), 0);
        w->close();
    }

    void settingsPairAndTheAmplitudeShowsForSteps() {
        OpenFlowLoop(*fixture_);
        auto w = Open();
        auto* window = Child<QComboBox>(w.get(), "JanelaComboBox");
        auto* ta = Child<QComboBox>(w.get(), "TACombo");
        QCOMPARE(window->currentText(), QString("30 min"));
        QCOMPARE(ta->currentText(), QString("100 ms"));
        window->setCurrentIndex(2);
        QCOMPARE(ta->currentText(), QString("500 ms"));
        ta->setCurrentIndex(3);
        QCOMPARE(window->currentText(), QString("2 horas"));
        auto* signal = Child<QComboBox>(w.get(), "SinalTesteCombo");
        auto* amplitude = Child<QLineEdit>(w.get(), "SinalTesteValor");
        QCOMPARE(amplitude->text(), QString("10"));
        for (int item : {0, 1, 2, 3}) {
            signal->setCurrentIndex(item);
            QCOMPARE(amplitude->isVisibleTo(w.get()), item >= 2);
            QCOMPARE(Child<QLabel>(w.get(), "SinalTesteLabel")->isVisibleTo(w.get()), item >= 2);
        }
        QVERIFY(Child<QCheckBox>(w.get(), "Normaliza")->isChecked());
        QVERIFY(!Child<QCheckBox>(w.get(), "CheckArquivar")->isChecked());
    }

    void anAmplitudeThatIsNotAnIntegerStopsTheRunBeforeItStarts() {
        OpenFlowLoop(*fixture_);
        auto w = Open();
        Child<QComboBox>(w.get(), "SinalTesteCombo")->setCurrentIndex(2);
        Child<QLineEdit>(w.get(), "SinalTesteValor")->setText("1O");
        const double sp = fixture_->app->project().controller(1)->state.SP;
        Child<QPushButton>(w.get(), "BTNSimular")->click();
        QCOMPARE(fixture_->script->infoMessages.size(), 1);
        QCOMPARE(fixture_->app->project().controller(1)->state.SP, sp);
        QCOMPARE(w->plot(FastSimulationWindow::Superior, 1)->points(), 0);
    }

    // 30 min at 100 ms: 1800 points per series and the indices in their formats.
    void aRunFillsTheChartsAndTheIndices_data() {
        QTest::addColumn<bool>("normalise");
        QTest::newRow("normalised") << true;
        QTest::newRow("engineering units") << false;
    }
    void aRunFillsTheChartsAndTheIndices() {
        QFETCH(bool, normalise);
        OpenFlowLoop(*fixture_);
        auto w = Open();
        Child<QComboBox>(w.get(), "SinalTesteCombo")->setCurrentIndex(2);
        Child<QCheckBox>(w.get(), "Normaliza")->setChecked(normalise);
        Child<QPushButton>(w.get(), "BTNSimular")->click();

        LoopChart* g = w->plot(FastSimulationWindow::Superior, 1);
        QCOMPARE(g->pv()->count(), 1800);
        QCOMPARE(g->sp()->count(), 1800);
        QCOMPARE(g->co()->count(), 1800);
        QCOMPARE(w->plot(FastSimulationWindow::Superior, 2)->points(), 0);
        const LoopPerformance& m = w->line(FastSimulationWindow::Superior).loop(1);
        QCOMPARE(g->pv()->at(1799).y(), m.series.pv[1799]);
        QVERIFY(m.indices);

        const std::string unit = fixture_->app->sim().mem.entry(m.pvAddress).unit;
        const QString suffix = normalise ? QString(" %") : " " + QString::fromStdString(unit);
        const auto expected = IndexTexts(*m.indices);
        const QRegularExpression number("^ *-?\\d+\\.\\d\\d$");
        for (std::size_t k = 0; k < 7; ++k) {
            const QString t = Text(w.get(), kSuperior[k]);
            QCOMPARE(t, QString::fromStdString(std::string(expected[k])));
            QCOMPARE(Text(w.get(), kInferior[k]), QString());
            if (k == 6) {
                QVERIFY2(QRegularExpression("^ *-?\\d+\\.\\d/ *-?\\d+\\.\\d$").match(t).hasMatch(), qPrintable(t));
                QVERIFY(t.indexOf('/') >= 5);
                continue;
            }
            const QString suf = k < 3 ? suffix : QString(" %");
            QVERIFY2(t.endsWith(suf), qPrintable(t));
            const QString n = t.left(t.size() - suf.size());
            QVERIFY2(n.size() >= 5 && number.match(n).hasMatch(), qPrintable(t));
        }
        QCOMPARE(Child<QProgressBar>(w.get(), "ProgressBar1")->value(), 100);
        QCOMPARE(Child<QTabWidget>(w.get(), "TabbedNotebook1")->currentIndex(), 0);
    }

    // Without a test signal the plant stays at rest (its PV wanders only by
    // rounding errors): the chart's scale stays readable, so the flat lines
    // are drawn where the run has them, as the indices say.
    void aRunWithoutTestSignalShowsThePlantAtRest() {
        OpenFlowLoop(*fixture_);
        auto w = Open();
        Child<QComboBox>(w.get(), "SinalTesteCombo")->setCurrentIndex(1);
        Child<QPushButton>(w.get(), "BTNSimular")->click();
        LoopChart* g = w->plot(FastSimulationWindow::Superior, 1);
        QCOMPARE(Text(w.get(), kSuperior[6]), QString(" 60.0/ 60.0"));
        const QPointF y = g->yRange();
        QVERIFY2(y.y() - y.x() >= 1 && y.x() < 60 && y.y() > 60, qPrintable(QStringLiteral("%1..%2").arg(y.x()).arg(y.y())));
        QApplication::processEvents();
        const QRectF area = g->chart()->plotArea();
        for (QLineSeries* s : {g->pv(), g->sp(), g->co()}) {
            const QPointF p = g->chart()->mapToPosition(s->at(900), s);
            QVERIFY(area.contains(p));
            QVERIFY(qAbs(s->at(900).y() - 60) < 1e-9);
        }
    }

    // The bar moves during the run, the timer stays stopped, and a second
    // run cannot start from inside the first.
    void theProgressBarMovesWhileNothingElseRuns() {
        OpenFlowLoop(*fixture_);
        fixture_->app->timer().start();
        auto w = Open();
        auto* bar = Child<QProgressBar>(w.get(), "ProgressBar1");
        QList<int> values;
        bool timerStopped = true;
        bool refused = false;
        connect(bar, &QProgressBar::valueChanged, this, [&](int v) {
            values << v;
            timerStopped = timerStopped && !fixture_->app->timer().isActive();
            if (v == 50) {
                const long long before = w->plot(FastSimulationWindow::Superior, 1)->points();
                w->BTNSimulateClick();
                refused = w->running() && w->plot(FastSimulationWindow::Superior, 1)->points() == before;
            }
        });
        Child<QComboBox>(w.get(), "JanelaComboBox")->setCurrentIndex(3);
        Child<QComboBox>(w.get(), "TACombo")->setCurrentIndex(0);
        Child<QPushButton>(w.get(), "BTNSimular")->click();
        QVERIFY2(values.size() > 50, qPrintable(QString::number(values.size())));
        QVERIFY(std::is_sorted(values.begin() + 1, values.end()));
        QCOMPARE(values.back(), 100);
        QVERIFY(timerStopped);
        QVERIFY(refused);
        QVERIFY(fixture_->app->timer().isActive());
        QCOMPARE(w->plot(FastSimulationWindow::Superior, 1)->points(), 14400);
        fixture_->app->timer().stop();
    }

    void aPausedSimulationStaysPausedAfterARun() {
        OpenFlowLoop(*fixture_);
        fixture_->app->timer().stop();
        auto w = Open();
        Child<QPushButton>(w.get(), "BTNSimular")->click();
        QVERIFY(!fixture_->app->timer().isActive());
        QVERIFY(Child<QPushButton>(w.get(), "BTNSimular")->isEnabled());
    }

    void anArchiveThatCannotBeCreatedIsReportedAndTheWindowRecovers() {
        OpenFlowLoop(*fixture_);
        auto w = Open();
        Child<QCheckBox>(w.get(), "CheckArquivar")->setChecked(true);
        Child<QLineEdit>(w.get(), "Edit2")->setText("pasta/inexistente");
        Child<QPushButton>(w.get(), "BTNSimular")->click();
        QCOMPARE(fixture_->script->infoMessages.size(), 1);
        QCOMPARE(w->plot(FastSimulationWindow::Superior, 1)->points(), 0);
        for (const char* name : {"BTNSimular", "CheckArquivar", "Edit2", "JanelaComboBox"})
            QVERIFY(Child<QWidget>(w.get(), name)->isEnabled());
        QCOMPARE(Text(w.get(), "Mensagem"), QString());
    }

    // An archive written by a run, loaded into the lower row, gives the same
    // points and (to the archive's two decimals) the same indices.
    void anArchiveLoadsIntoTheLowerRow() {
        OpenFlowLoop(*fixture_);
        auto w = Open();
        Child<QCheckBox>(w.get(), "CheckArquivar")->setChecked(true);
        Child<QLineEdit>(w.get(), "Edit2")->setText("ensaio");
        Child<QPushButton>(w.get(), "BTNSimular")->click();
        QVERIFY(QFile::exists(fixture_->path("ensaio_1.txd")));

        auto* selector = Child<QComboBox>(w.get(), "ComboBox1");
        QFile::copy(fixture_->path("ensaio_1.txd"), fixture_->path("outro_1.txd"));
        w->FillLowerSelector();
        QCOMPARE(selector->count(), 2);
        QCOMPARE(selector->currentIndex(), -1);
        Child<QPushButton>(w.get(), "BTNCarregar")->click();  // nothing selected: nothing happens
        QCOMPARE(w->plot(FastSimulationWindow::Inferior, 1)->points(), 0);

        selector->setCurrentIndex(selector->findText("ensaio_1"));
        Child<QPushButton>(w.get(), "BTNCarregar")->click();
        LoopChart* down = w->plot(FastSimulationWindow::Inferior, 1);
        LoopChart* up = w->plot(FastSimulationWindow::Superior, 1);
        QCOMPARE(down->pv()->count(), 1800);
        QCOMPARE(down->co()->count(), 1800);
        QCOMPARE(Child<QProgressBar>(w.get(), "ProgressBar3")->value(), 100);
        for (int i : {0, 900, 1799}) QCOMPARE(std::round(up->pv()->at(i).y() * 100) / 100, down->pv()->at(i).y());
        for (std::size_t k = 0; k < 6; ++k) {
            const QString a = Text(w.get(), kSuperior[k]);
            const QString b = Text(w.get(), kInferior[k]);
            QVERIFY2(!b.isEmpty(), kInferior[k]);
            QVERIFY2(std::fabs(a.split(' ', Qt::SkipEmptyParts)[0].toDouble() -
                               b.split(' ', Qt::SkipEmptyParts)[0].toDouble()) <= 0.02,
                     qPrintable(a + " | " + b));
        }
        QCOMPARE(Text(w.get(), "PVminmaxHist"), Text(w.get(), "PVminmaxMalha"));

        // A tab of the upper row turns the lower row with it.
        Child<QTabWidget>(w.get(), "TabbedNotebook1")->setCurrentIndex(3);
        QCOMPARE(Child<QTabWidget>(w.get(), "TabbedNotebook2")->currentIndex(), 3);
        QCOMPARE(Text(w.get(), "varPVhist"), QString());
        QCOMPARE(Text(w.get(), "varPVmalha"), QString());
        Child<QTabWidget>(w.get(), "TabbedNotebook2")->setCurrentIndex(0);
        QVERIFY(!Text(w.get(), "varPVhist").isEmpty());
        QCOMPARE(Text(w.get(), "varPVmalha"), QString());
    }

    void aBrokenArchiveIsReportedAndTheRowStays() {
        OpenFlowLoop(*fixture_);
        auto w = Open();
        QFile f(fixture_->path("ruim_1.txd"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("cabecalho;sem;numeros\r\n");
        f.close();
        w->FillUpperSelector();
        auto* selector = Child<QComboBox>(w.get(), "ComboBox2");
        selector->setCurrentIndex(selector->findText("ruim_1"));
        Child<QPushButton>(w.get(), "Button1")->click();
        QCOMPARE(fixture_->script->infoMessages.size(), 1);
        QVERIFY(fixture_->script->infoMessages[0].contains("ruim_1.txd"));
        QVERIFY(!w->line(FastSimulationWindow::Superior).hasIndices);
    }

    void pagingMovesThePairOfTheCurrentTab() {
        OpenFlowLoop(*fixture_);
        auto w = Open();
        Child<QPushButton>(w.get(), "BTNSimular")->click();
        auto* pts = Child<QComboBox>(w.get(), "PtsPag");
        auto* page = Child<QSpinBox>(w.get(), "SelPage");
        QCOMPARE(pts->currentText(), QString("30 min"));
        QCOMPARE(page->maximum(), 1);
        pts->setCurrentIndex(0);  // 900 points a page
        for (const auto l : {FastSimulationWindow::Superior, FastSimulationWindow::Inferior})
            for (int n = 1; n <= 10; ++n) QCOMPARE(w->plot(l, n)->pointsPerPage(), 900);
        QCOMPARE(page->maximum(), 2);
        page->setValue(2);
        QCOMPARE(w->plot(FastSimulationWindow::Superior, 1)->page(), 2);
        QCOMPARE(w->plot(FastSimulationWindow::Inferior, 1)->page(), 2);
        QCOMPARE(w->plot(FastSimulationWindow::Superior, 1)->xRange(), QPointF(900, 1800));
        QCOMPARE(w->plot(FastSimulationWindow::Superior, 2)->page(), 1);
        page->setValue(3);  // beyond the last page of loop 1
        QCOMPARE(w->plot(FastSimulationWindow::Superior, 1)->page(), 2);
        page->setValue(1);
        QCOMPARE(w->plot(FastSimulationWindow::Superior, 1)->xRange(), QPointF(0, 900));
        Child<QTabWidget>(w.get(), "TabbedNotebook1")->setCurrentIndex(1);
        QCOMPARE(page->maximum(), 10);
        pts->setCurrentIndex(4);
        QCOMPARE(w->plot(FastSimulationWindow::Superior, 1)->pointsPerPage(), 14400);
    }

    void hidingCOsDeletesThemUntilTheNextRun() {
        OpenFlowLoop(*fixture_);
        auto w = Open();
        Child<QPushButton>(w.get(), "BTNSimular")->click();
        auto* hideBox = Child<QCheckBox>(w.get(), "CheckBox1");
        QCOMPARE(hideBox->text(), QString("Ocultar COs"));
        hideBox->setChecked(true);
        for (const auto l : {FastSimulationWindow::Superior, FastSimulationWindow::Inferior})
            for (int n = 1; n <= 10; ++n) QCOMPARE(w->plot(l, n)->coPoints(), 0);
        QCOMPARE(w->plot(FastSimulationWindow::Superior, 1)->pv()->count(), 1800);
        hideBox->setChecked(false);
        QCOMPARE(w->plot(FastSimulationWindow::Superior, 1)->coPoints(), 0);
        Child<QPushButton>(w.get(), "BTNSimular")->click();
        QCOMPARE(w->plot(FastSimulationWindow::Superior, 1)->coPoints(), 1800);
    }

    void scaleZoomReplicationAndUndo() {
        OpenFlowLoop(*fixture_);
        auto w = Open();
        w->resize(1200, 800);
        Child<QPushButton>(w.get(), "BTNSimular")->click();
        LoopChart* up = w->plot(FastSimulationWindow::Superior, 1);
        LoopChart* down = w->plot(FastSimulationWindow::Inferior, 1);
        Child<QToolButton>(w.get(), "SpeedButton3")->click();
        QCOMPARE(up->yRange(), QPointF(0, 100));
        QCOMPARE(down->yRange(), QPointF(0, 100));
        Child<QToolButton>(w.get(), "SpeedButton2")->click();
        QVERIFY(up->automatic() && down->automatic());

        // One rectangle on the upper chart, replicated below.
        auto* zoom = Child<QToolButton>(w.get(), "SpeedButton1");
        zoom->click();
        QVERIFY(!zoom->isEnabled());
        QWidget* vp = up->viewport();
        const QRect area = up->chart()->plotArea().toRect();
        QTest::mousePress(vp, Qt::LeftButton, {}, area.topLeft() + QPoint(20, 20));
        QTest::mouseMove(vp, area.center());
        QTest::mouseRelease(vp, Qt::LeftButton, {}, area.center());
        QVERIFY(zoom->isEnabled());
        QVERIFY(!up->automatic());
        QVERIFY(up->xRange().y() < 1800);
        QCOMPARE(down->xRange(), up->xRange());
        QCOMPARE(down->yRange(), up->yRange());
        QCOMPARE(up->rubberBand(), QChartView::NoRubberBand);
        // The right button undoes the zoom on both.
        QTest::mouseClick(vp, Qt::RightButton, {}, area.center());
        QVERIFY(up->automatic() && down->automatic());
    }

    void englishWindowTakesTheEnglishTexts() {
        OpenFlowLoop(*fixture_);
        fixture_->window->TranslateToEnglish();
        auto w = Open();
        QCOMPARE(w->windowTitle(), QString("Fast Simulation"));
        QCOMPARE(Child<QPushButton>(w.get(), "BTNSimular")->text(), QString("Simulate"));
        QCOMPARE(Child<QPushButton>(w.get(), "BTNCarregar")->text(), QString("Load Archive"));
        QCOMPARE(Child<QCheckBox>(w.get(), "CheckBox1")->toolTip(), QString("Hide the controller output signal"));
        QCOMPARE(Child<QToolButton>(w.get(), "SpeedButton1")->accessibleName(),
                 QString("Zoom window: click and drag down and to the right"));
        // The help button keeps its hint; assistive tools hear what it opens.
        QCOMPARE(Child<QToolButton>(w.get(), "SpeedButton4")->toolTip(), QString("Apply 0-100% scale"));
        QCOMPARE(Child<QToolButton>(w.get(), "SpeedButton4")->accessibleName(), QString("Help"));
        QCOMPARE(Child<QComboBox>(w.get(), "SinalTesteCombo")->itemText(2), QString("SP step change"));
        QCOMPARE(Text(w.get(), "VariabilidadeLabel"), QString("Variability"));
        QCOMPARE(Text(w.get(), "CabecalhoIndices1"), QString(" Upper         Lower"));
        QCOMPARE(Child<QTabWidget>(w.get(), "TabbedNotebook1")->tabText(1), QString("Loop 2"));
        Child<QCheckBox>(w.get(), "CheckArquivar")->setChecked(true);
        Child<QPushButton>(w.get(), "BTNSimular")->click();
        QCOMPARE(Text(w.get(), "Mensagem"), QString("Data saved on file"));
    }

    // A window left open across New and Open takes the new tags and the
    // archives of the directory that is current now, and keeps the last run
    // and its indices for comparison.
    void anOpenWindowFollowsTheProject() {
        OpenFlowLoop(*fixture_);
        fixture_->actionItem("Dese1")->trigger();
        auto* w = fixture_->window->findChild<FastSimulationWindow*>();
        QVERIFY(w);
        Child<QCheckBox>(w, "CheckArquivar")->setChecked(true);
        Child<QLineEdit>(w, "Edit2")->setText("ensaio");
        Child<QPushButton>(w, "BTNSimular")->click();
        auto* up = Child<QComboBox>(w, "ComboBox2");
        QCOMPARE(up->currentText(), QString("ensaio_1"));
        QVERIFY(!Text(w, "varPVmalha").isEmpty());
        const int points = w->plot(FastSimulationWindow::Superior, 1)->points();
        QVERIFY(points > 0);
        const QString variability = Text(w, kSuperior[0]);

        // Another folder becomes current with the next project.
        QDir(fixture_->folder.path()).mkdir("outra");
        const QString otherFolder = fixture_->path("outra");
        QFile::copy(ExamplesFolder() + "/regulatory level/regulatory level.smp", otherFolder + "/nivel.smp");
        QFile file(otherFolder + "/antigo_1.txd");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        fixture_->script->openNames.push_back(otherFolder + "/nivel.smp");
        fixture_->actionItem("Abrir1")->trigger();
        QCOMPARE(QDir::currentPath(), QDir(otherFolder).canonicalPath());

        const auto* tabs = Child<QTabWidget>(w, "TabbedNotebook1");
        const auto* c1 = fixture_->app->project().controller(1);
        QVERIFY(c1);
        QCOMPARE(tabs->tabText(0), QString::fromStdString(c1->TagText));
        QCOMPARE(Child<QTabWidget>(w, "TabbedNotebook2")->tabText(0), QString::fromStdString(c1->TagText) + "(hist)");
        // The run stays for comparison with the next plant.
        QVERIFY(w->line(FastSimulationWindow::Superior).hasIndices);
        QCOMPARE(w->plot(FastSimulationWindow::Superior, 1)->points(), points);
        QCOMPARE(Text(w, kSuperior[0]), variability);
        for (const char* name : {"ComboBox1", "ComboBox2"}) {
            auto* c = Child<QComboBox>(w, name);
            QCOMPARE(c->count(), 1);
            QCOMPARE(c->itemText(0), QString("antigo_1"));
            QCOMPARE(c->currentIndex(), -1);
        }
        QCOMPARE(Text(w, "Mensagem"), QString());
        QCOMPARE(Child<QLineEdit>(w, "Edit2")->text(),
                 ArchivePrefix(fixture_->app->project().title));

        // New: no controller, the tabs take their numbered captions back.
        fixture_->actionItem("Novo1")->trigger();
        QCOMPARE(tabs->tabText(0), QString("Malha 1"));
        QCOMPARE(Child<QLineEdit>(w, "Edit2")->text(), QString("DadosDesempenho"));
        w->close();
    }

    // A tag changed while the window is open reaches its tab.
    void aTagAppliedWhileOpenRenamesTheTab() {
        OpenFlowLoop(*fixture_);
        fixture_->actionItem("Dese1")->trigger();
        auto* w = fixture_->window->findChild<FastSimulationWindow*>();
        fixture_->app->project().controller(1)->TagText = "FIC-999";
        fixture_->window->UpdateDiagram();  // where every apply ends
        QCOMPARE(Child<QTabWidget>(w, "TabbedNotebook1")->tabText(0), QString("FIC-999"));
        QCOMPARE(w->plot(FastSimulationWindow::Inferior, 1)->accessibleName(), QString("FIC-999(hist)"));
        w->close();
    }

    void everyControlHasAnAccessibleName() {
        OpenFlowLoop(*fixture_);
        auto w = Open();
        for (QWidget* c : w->findChildren<QWidget*>()) {
            if (c->objectName().isEmpty() || c->objectName().startsWith("qt_")) continue;
            if (!qobject_cast<QAbstractButton*>(c) && !qobject_cast<QComboBox*>(c) && !qobject_cast<QLineEdit*>(c) &&
                !qobject_cast<QProgressBar*>(c) && !qobject_cast<QSpinBox*>(c) && !qobject_cast<QTabWidget*>(c))
                continue;
            QVERIFY2(!c->accessibleName().isEmpty(), qPrintable(c->objectName()));
        }
    }

    void theAboutFormKeepsItsPictureAndCloseButton() {
        fixture_->actionItem("Sobre3")->trigger();
        auto* about = fixture_->window->findChild<FastSimulationWindow*>();
        QVERIFY(about);
        QCOMPARE(about->windowTitle(), QString("Sobre"));
        QCOMPARE(about->size(), QSize(602, 452));
        QVERIFY(about->findChild<QLabel*>("ProgramIcon"));
        QVERIFY(!about->findChild<QPushButton*>("BTNSimular"));
        auto* closeButton = Child<QPushButton>(about, "OKButton");
        QCOMPARE(closeButton->text(), QString("Fechar"));
        closeButton->click();
        QVERIFY(!about->isVisible());
    }

private:
    std::unique_ptr<FastSimulationWindow> Open() {
        auto w = std::make_unique<FastSimulationWindow>(*fixture_->app, nullptr);
        w->show();
        return w;
    }

    std::unique_ptr<Fixture> fixture_;
};

QTEST_MAIN(FastSimulationWindowTest)
#include "FastSimulationWindowTest.moc"
