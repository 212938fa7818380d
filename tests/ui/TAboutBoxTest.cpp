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

#include "Auxiliares.h"
#include "fastsim/Indices.h"
#include "ui/fastsim/GraficoMalha.h"
#include "ui/fastsim/PainelIndices.h"
#include "ui/fastsim/TAboutBox.h"
#include "ui/project/CicloProjeto.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::teste;

namespace {

constexpr std::array<const char*, 7> kSuperior = {"varPVmalha", "IEMmalha",   "IEMAmalha",    "ExcMVmalha",
                                                  "DevMVmalha", "satMVmalha", "PVminmaxMalha"};
constexpr std::array<const char*, 7> kInferior = {"varPVhist", "IEMhist",   "IEMAhist",    "ExcMVhist",
                                                  "DevMVhist", "SatMVhist", "PVminmaxHist"};

template <class W>
W* Filho(QWidget* w, const char* nome) {
    W* f = w->findChild<W*>(QString::fromLatin1(nome));
    if (!f) qFatal("no control %s", nome);
    return f;
}

QString Texto(QWidget* w, const char* nome) { return Filho<QLabel>(w, nome)->text(); }

// The basic flow loop: controller 1 ("FIC-100") on process 1.
void AbreFluxo(Ambiente& a) {
    QVERIFY(a.janela->ciclo().Carrega(PastaExemplos() + "/basic flow loop/basic flow loop.smp", true));
}

}  // namespace

class TAboutBoxTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        amb_ = std::make_unique<Ambiente>();
        amb_->janela->show();
    }
    void cleanup() { amb_.reset(); }

    void defaultPrefixIsAFileName_data() {
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QString>("prefixo");
        QTest::newRow("empty") << "" << "DadosDesempenho";
        QTest::newRow("separator") << "Razão Ar/Gás com Limites Cruzados" << "Razão Ar_Gás com Limites Cruzados";
        QTest::newRow("refused characters") << "a\\b:c*d?e\"f<g>h|i\tj" << "a_b_c_d_e_f_g_h_i_j";
        QTest::newRow("dots and blanks at the ends") << " ..Caldeira. " << "Caldeira";
        QTest::newRow("nothing left") << " . " << "DadosDesempenho";
        QTest::newRow("plain") << "Controle de Nível" << "Controle de Nível";
    }
    void defaultPrefixIsAFileName() {
        QFETCH(QString, titulo);
        QFETCH(QString, prefixo);
        QCOMPARE(PrefixoArquivo(titulo.toStdString()), prefixo);
    }

    void aLongTitleGivesAPrefixThatFitsAFileName() {
        const QString p = PrefixoArquivo(QString(300, QChar(0xE9)).toStdString());
        QVERIFY(p.toUtf8().size() <= 200);
        QVERIFY(!p.isEmpty());
    }

    // The default never fails: a title with a "/" archives under the window's prefix.
    void aTitleWithASlashArchivesUnderTheDefaultPrefix() {
        AbreFluxo(*amb_);
        amb_->app->projeto().titulo = "Razão Ar/Gás com Limites Cruzados";
        auto w = Abre();
        QCOMPARE(Filho<QLineEdit>(w.get(), "Edit2")->text(), QString("Razão Ar_Gás com Limites Cruzados"));
        Filho<QCheckBox>(w.get(), "CheckArquivar")->setChecked(true);
        Filho<QPushButton>(w.get(), "BTNSimular")->click();
        QVERIFY(amb_->roteiro->informacoes.isEmpty());
        QVERIFY(QFile::exists(amb_->caminho("Razão Ar_Gás com Limites Cruzados_1.txd")));
        QCOMPARE(Texto(w.get(), "Mensagem"), QString("Dados salvos no arquivo"));
        QCOMPARE(Filho<QComboBox>(w.get(), "ComboBox2")->currentText(), QString("Razão Ar_Gás com Limites Cruzados_1"));
    }

    void opensFromItsMenuItemMaximizedWithTheTagsOnTheTabs() {
        AbreFluxo(*amb_);
        amb_->acao("Dese1")->trigger();
        auto* w = amb_->janela->findChild<TAboutBox*>();
        QVERIFY(w);
        QVERIFY(w->isVisible());
        QVERIFY(w->windowState() & Qt::WindowMaximized);
        QCOMPARE(w->windowTitle(), QString("Simulação Rápida"));
        QVERIFY(!w->findChild<QPushButton*>("OKButton"));
        const auto* cima = Filho<QTabWidget>(w, "TabbedNotebook1");
        const auto* baixo = Filho<QTabWidget>(w, "TabbedNotebook2");
        const QString tag = QString::fromStdString(amb_->app->projeto().controlador(1)->TagText);
        QCOMPARE(cima->tabText(0), tag);
        QCOMPARE(baixo->tabText(0), tag + "(hist)");
        QCOMPARE(cima->tabText(1), QString("Malha 2"));
        QCOMPARE(baixo->tabText(1), QString("Hist 2"));
        QCOMPARE(cima->count(), 10);
        QCOMPARE(cima->currentIndex(), 0);
        w->close();
    }

    void settingsPairAndTheAmplitudeShowsForSteps() {
        AbreFluxo(*amb_);
        auto w = Abre();
        auto* janela = Filho<QComboBox>(w.get(), "JanelaComboBox");
        auto* ta = Filho<QComboBox>(w.get(), "TACombo");
        QCOMPARE(janela->currentText(), QString("30 min"));
        QCOMPARE(ta->currentText(), QString("100 ms"));
        janela->setCurrentIndex(2);
        QCOMPARE(ta->currentText(), QString("500 ms"));
        ta->setCurrentIndex(3);
        QCOMPARE(janela->currentText(), QString("2 horas"));
        auto* sinal = Filho<QComboBox>(w.get(), "SinalTesteCombo");
        auto* amplitude = Filho<QLineEdit>(w.get(), "SinalTesteValor");
        QCOMPARE(amplitude->text(), QString("10"));
        for (int item : {0, 1, 2, 3}) {
            sinal->setCurrentIndex(item);
            QCOMPARE(amplitude->isVisibleTo(w.get()), item >= 2);
            QCOMPARE(Filho<QLabel>(w.get(), "SinalTesteLabel")->isVisibleTo(w.get()), item >= 2);
        }
        QVERIFY(Filho<QCheckBox>(w.get(), "Normaliza")->isChecked());
        QVERIFY(!Filho<QCheckBox>(w.get(), "CheckArquivar")->isChecked());
    }

    void anAmplitudeThatIsNotAnIntegerStopsTheRunBeforeItStarts() {
        AbreFluxo(*amb_);
        auto w = Abre();
        Filho<QComboBox>(w.get(), "SinalTesteCombo")->setCurrentIndex(2);
        Filho<QLineEdit>(w.get(), "SinalTesteValor")->setText("1O");
        const double sp = amb_->app->projeto().controlador(1)->estado.SP;
        Filho<QPushButton>(w.get(), "BTNSimular")->click();
        QCOMPARE(amb_->roteiro->informacoes.size(), 1);
        QCOMPARE(amb_->app->projeto().controlador(1)->estado.SP, sp);
        QCOMPARE(w->grafico(TAboutBox::Superior, 1)->pontos(), 0);
    }

    // 30 min at 100 ms: 1800 points per series and the indices in their formats.
    void aRunFillsTheChartsAndTheIndices_data() {
        QTest::addColumn<bool>("normaliza");
        QTest::newRow("normalised") << true;
        QTest::newRow("engineering units") << false;
    }
    void aRunFillsTheChartsAndTheIndices() {
        QFETCH(bool, normaliza);
        AbreFluxo(*amb_);
        auto w = Abre();
        Filho<QComboBox>(w.get(), "SinalTesteCombo")->setCurrentIndex(2);
        Filho<QCheckBox>(w.get(), "Normaliza")->setChecked(normaliza);
        Filho<QPushButton>(w.get(), "BTNSimular")->click();

        GraficoMalha* g = w->grafico(TAboutBox::Superior, 1);
        QCOMPARE(g->pv()->count(), 1800);
        QCOMPARE(g->sp()->count(), 1800);
        QCOMPARE(g->co()->count(), 1800);
        QCOMPARE(w->grafico(TAboutBox::Superior, 2)->pontos(), 0);
        const MalhaDesempenho& m = w->linha(TAboutBox::Superior).malha(1);
        QCOMPARE(g->pv()->at(1799).y(), m.series.pv[1799]);
        QVERIFY(m.indices);

        const std::string unidade = amb_->app->sim().mem.entrada(m.enderecoPV).unidade;
        const QString sufixo = normaliza ? QString(" %") : " " + QString::fromStdString(unidade);
        const auto esperado = TextosIndices(*m.indices);
        const QRegularExpression numero("^ *-?\\d+\\.\\d\\d$");
        for (std::size_t k = 0; k < 7; ++k) {
            const QString t = Texto(w.get(), kSuperior[k]);
            QCOMPARE(t, QString::fromStdString(std::string(esperado[k])));
            QCOMPARE(Texto(w.get(), kInferior[k]), QString());
            if (k == 6) {
                QVERIFY2(QRegularExpression("^ *-?\\d+\\.\\d/ *-?\\d+\\.\\d$").match(t).hasMatch(), qPrintable(t));
                QVERIFY(t.indexOf('/') >= 5);
                continue;
            }
            const QString suf = k < 3 ? sufixo : QString(" %");
            QVERIFY2(t.endsWith(suf), qPrintable(t));
            const QString n = t.left(t.size() - suf.size());
            QVERIFY2(n.size() >= 5 && numero.match(n).hasMatch(), qPrintable(t));
        }
        QCOMPARE(Filho<QProgressBar>(w.get(), "ProgressBar1")->value(), 100);
        QCOMPARE(Filho<QTabWidget>(w.get(), "TabbedNotebook1")->currentIndex(), 0);
    }

    // Without a test signal the plant stays at rest (its PV wanders only by
    // rounding errors): the chart's scale stays readable, so the flat lines
    // are drawn where the run has them, as the indices say.
    void aRunWithoutTestSignalShowsThePlantAtRest() {
        AbreFluxo(*amb_);
        auto w = Abre();
        Filho<QComboBox>(w.get(), "SinalTesteCombo")->setCurrentIndex(1);
        Filho<QPushButton>(w.get(), "BTNSimular")->click();
        GraficoMalha* g = w->grafico(TAboutBox::Superior, 1);
        QCOMPARE(Texto(w.get(), kSuperior[6]), QString(" 60.0/ 60.0"));
        const QPointF y = g->faixaY();
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
        AbreFluxo(*amb_);
        amb_->app->timer().start();
        auto w = Abre();
        auto* barra = Filho<QProgressBar>(w.get(), "ProgressBar1");
        QList<int> valores;
        bool timerParado = true;
        bool recusou = false;
        connect(barra, &QProgressBar::valueChanged, this, [&](int v) {
            valores << v;
            timerParado = timerParado && !amb_->app->timer().isActive();
            if (v == 50) {
                const long long antes = w->grafico(TAboutBox::Superior, 1)->pontos();
                w->BTNSimularClick();
                recusou = w->executando() && w->grafico(TAboutBox::Superior, 1)->pontos() == antes;
            }
        });
        Filho<QComboBox>(w.get(), "JanelaComboBox")->setCurrentIndex(3);
        Filho<QComboBox>(w.get(), "TACombo")->setCurrentIndex(0);
        Filho<QPushButton>(w.get(), "BTNSimular")->click();
        QVERIFY2(valores.size() > 50, qPrintable(QString::number(valores.size())));
        QVERIFY(std::is_sorted(valores.begin() + 1, valores.end()));
        QCOMPARE(valores.back(), 100);
        QVERIFY(timerParado);
        QVERIFY(recusou);
        QVERIFY(amb_->app->timer().isActive());
        QCOMPARE(w->grafico(TAboutBox::Superior, 1)->pontos(), 14400);
        amb_->app->timer().stop();
    }

    void aPausedSimulationStaysPausedAfterARun() {
        AbreFluxo(*amb_);
        amb_->app->timer().stop();
        auto w = Abre();
        Filho<QPushButton>(w.get(), "BTNSimular")->click();
        QVERIFY(!amb_->app->timer().isActive());
        QVERIFY(Filho<QPushButton>(w.get(), "BTNSimular")->isEnabled());
    }

    void anArchiveThatCannotBeCreatedIsReportedAndTheWindowRecovers() {
        AbreFluxo(*amb_);
        auto w = Abre();
        Filho<QCheckBox>(w.get(), "CheckArquivar")->setChecked(true);
        Filho<QLineEdit>(w.get(), "Edit2")->setText("pasta/inexistente");
        Filho<QPushButton>(w.get(), "BTNSimular")->click();
        QCOMPARE(amb_->roteiro->informacoes.size(), 1);
        QCOMPARE(w->grafico(TAboutBox::Superior, 1)->pontos(), 0);
        for (const char* nome : {"BTNSimular", "CheckArquivar", "Edit2", "JanelaComboBox"})
            QVERIFY(Filho<QWidget>(w.get(), nome)->isEnabled());
        QCOMPARE(Texto(w.get(), "Mensagem"), QString());
    }

    // An archive written by a run, loaded into the lower row, gives the same
    // points and (to the archive's two decimals) the same indices.
    void anArchiveLoadsIntoTheLowerRow() {
        AbreFluxo(*amb_);
        auto w = Abre();
        Filho<QCheckBox>(w.get(), "CheckArquivar")->setChecked(true);
        Filho<QLineEdit>(w.get(), "Edit2")->setText("ensaio");
        Filho<QPushButton>(w.get(), "BTNSimular")->click();
        QVERIFY(QFile::exists(amb_->caminho("ensaio_1.txd")));

        auto* seletor = Filho<QComboBox>(w.get(), "ComboBox1");
        QFile::copy(amb_->caminho("ensaio_1.txd"), amb_->caminho("outro_1.txd"));
        w->ComboBox1Enter();
        QCOMPARE(seletor->count(), 2);
        QCOMPARE(seletor->currentIndex(), -1);
        Filho<QPushButton>(w.get(), "BTNCarregar")->click();  // nothing selected: nothing happens
        QCOMPARE(w->grafico(TAboutBox::Inferior, 1)->pontos(), 0);

        seletor->setCurrentIndex(seletor->findText("ensaio_1"));
        Filho<QPushButton>(w.get(), "BTNCarregar")->click();
        GraficoMalha* baixo = w->grafico(TAboutBox::Inferior, 1);
        GraficoMalha* cima = w->grafico(TAboutBox::Superior, 1);
        QCOMPARE(baixo->pv()->count(), 1800);
        QCOMPARE(baixo->co()->count(), 1800);
        QCOMPARE(Filho<QProgressBar>(w.get(), "ProgressBar3")->value(), 100);
        for (int i : {0, 900, 1799}) QCOMPARE(std::round(cima->pv()->at(i).y() * 100) / 100, baixo->pv()->at(i).y());
        for (std::size_t k = 0; k < 6; ++k) {
            const QString a = Texto(w.get(), kSuperior[k]);
            const QString b = Texto(w.get(), kInferior[k]);
            QVERIFY2(!b.isEmpty(), kInferior[k]);
            QVERIFY2(std::fabs(a.split(' ', Qt::SkipEmptyParts)[0].toDouble() -
                               b.split(' ', Qt::SkipEmptyParts)[0].toDouble()) <= 0.02,
                     qPrintable(a + " | " + b));
        }
        QCOMPARE(Texto(w.get(), "PVminmaxHist"), Texto(w.get(), "PVminmaxMalha"));

        // A tab of the upper row turns the lower row with it.
        Filho<QTabWidget>(w.get(), "TabbedNotebook1")->setCurrentIndex(3);
        QCOMPARE(Filho<QTabWidget>(w.get(), "TabbedNotebook2")->currentIndex(), 3);
        QCOMPARE(Texto(w.get(), "varPVhist"), QString());
        QCOMPARE(Texto(w.get(), "varPVmalha"), QString());
        Filho<QTabWidget>(w.get(), "TabbedNotebook2")->setCurrentIndex(0);
        QVERIFY(!Texto(w.get(), "varPVhist").isEmpty());
        QCOMPARE(Texto(w.get(), "varPVmalha"), QString());
    }

    void aBrokenArchiveIsReportedAndTheRowStays() {
        AbreFluxo(*amb_);
        auto w = Abre();
        QFile f(amb_->caminho("ruim_1.txd"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("cabecalho;sem;numeros\r\n");
        f.close();
        w->ComboBox2Enter();
        auto* seletor = Filho<QComboBox>(w.get(), "ComboBox2");
        seletor->setCurrentIndex(seletor->findText("ruim_1"));
        Filho<QPushButton>(w.get(), "Button1")->click();
        QCOMPARE(amb_->roteiro->informacoes.size(), 1);
        QVERIFY(amb_->roteiro->informacoes[0].contains("ruim_1.txd"));
        QVERIFY(!w->linha(TAboutBox::Superior).temIndices);
    }

    void pagingMovesThePairOfTheCurrentTab() {
        AbreFluxo(*amb_);
        auto w = Abre();
        Filho<QPushButton>(w.get(), "BTNSimular")->click();
        auto* pts = Filho<QComboBox>(w.get(), "PtsPag");
        auto* pagina = Filho<QSpinBox>(w.get(), "SelPage");
        QCOMPARE(pts->currentText(), QString("30 min"));
        QCOMPARE(pagina->maximum(), 1);
        pts->setCurrentIndex(0);  // 900 points a page
        for (const auto l : {TAboutBox::Superior, TAboutBox::Inferior})
            for (int n = 1; n <= 10; ++n) QCOMPARE(w->grafico(l, n)->pontosPorPagina(), 900);
        QCOMPARE(pagina->maximum(), 2);
        pagina->setValue(2);
        QCOMPARE(w->grafico(TAboutBox::Superior, 1)->pagina(), 2);
        QCOMPARE(w->grafico(TAboutBox::Inferior, 1)->pagina(), 2);
        QCOMPARE(w->grafico(TAboutBox::Superior, 1)->faixaX(), QPointF(900, 1800));
        QCOMPARE(w->grafico(TAboutBox::Superior, 2)->pagina(), 1);
        pagina->setValue(3);  // beyond the last page of loop 1
        QCOMPARE(w->grafico(TAboutBox::Superior, 1)->pagina(), 2);
        pagina->setValue(1);
        QCOMPARE(w->grafico(TAboutBox::Superior, 1)->faixaX(), QPointF(0, 900));
        Filho<QTabWidget>(w.get(), "TabbedNotebook1")->setCurrentIndex(1);
        QCOMPARE(pagina->maximum(), 10);
        pts->setCurrentIndex(4);
        QCOMPARE(w->grafico(TAboutBox::Superior, 1)->pontosPorPagina(), 14400);
    }

    void hidingCOsDeletesThemUntilTheNextRun() {
        AbreFluxo(*amb_);
        auto w = Abre();
        Filho<QPushButton>(w.get(), "BTNSimular")->click();
        auto* oculta = Filho<QCheckBox>(w.get(), "CheckBox1");
        QCOMPARE(oculta->text(), QString("Ocultar COs"));
        oculta->setChecked(true);
        for (const auto l : {TAboutBox::Superior, TAboutBox::Inferior})
            for (int n = 1; n <= 10; ++n) QCOMPARE(w->grafico(l, n)->pontosCO(), 0);
        QCOMPARE(w->grafico(TAboutBox::Superior, 1)->pv()->count(), 1800);
        oculta->setChecked(false);
        QCOMPARE(w->grafico(TAboutBox::Superior, 1)->pontosCO(), 0);
        Filho<QPushButton>(w.get(), "BTNSimular")->click();
        QCOMPARE(w->grafico(TAboutBox::Superior, 1)->pontosCO(), 1800);
    }

    void scaleZoomReplicationAndUndo() {
        AbreFluxo(*amb_);
        auto w = Abre();
        w->resize(1200, 800);
        Filho<QPushButton>(w.get(), "BTNSimular")->click();
        GraficoMalha* cima = w->grafico(TAboutBox::Superior, 1);
        GraficoMalha* baixo = w->grafico(TAboutBox::Inferior, 1);
        Filho<QToolButton>(w.get(), "SpeedButton3")->click();
        QCOMPARE(cima->faixaY(), QPointF(0, 100));
        QCOMPARE(baixo->faixaY(), QPointF(0, 100));
        Filho<QToolButton>(w.get(), "SpeedButton2")->click();
        QVERIFY(cima->automatica() && baixo->automatica());

        // One rectangle on the upper chart, replicated below.
        auto* zoom = Filho<QToolButton>(w.get(), "SpeedButton1");
        zoom->click();
        QVERIFY(!zoom->isEnabled());
        QWidget* vp = cima->viewport();
        const QRect area = cima->chart()->plotArea().toRect();
        QTest::mousePress(vp, Qt::LeftButton, {}, area.topLeft() + QPoint(20, 20));
        QTest::mouseMove(vp, area.center());
        QTest::mouseRelease(vp, Qt::LeftButton, {}, area.center());
        QVERIFY(zoom->isEnabled());
        QVERIFY(!cima->automatica());
        QVERIFY(cima->faixaX().y() < 1800);
        QCOMPARE(baixo->faixaX(), cima->faixaX());
        QCOMPARE(baixo->faixaY(), cima->faixaY());
        QCOMPARE(cima->rubberBand(), QChartView::NoRubberBand);
        // The right button undoes the zoom on both.
        QTest::mouseClick(vp, Qt::RightButton, {}, area.center());
        QVERIFY(cima->automatica() && baixo->automatica());
    }

    void englishWindowTakesTheEnglishTexts() {
        AbreFluxo(*amb_);
        amb_->janela->TraduzIngles();
        auto w = Abre();
        QCOMPARE(w->windowTitle(), QString("Fast Simulation"));
        QCOMPARE(Filho<QPushButton>(w.get(), "BTNSimular")->text(), QString("Simulate"));
        QCOMPARE(Filho<QPushButton>(w.get(), "BTNCarregar")->text(), QString("Load Archive"));
        QCOMPARE(Filho<QCheckBox>(w.get(), "CheckBox1")->toolTip(), QString("Hide the controller output signal"));
        QCOMPARE(Filho<QToolButton>(w.get(), "SpeedButton1")->accessibleName(),
                 QString("Zoom window: click and drag down and to the right"));
        // The help button keeps its hint; assistive tools hear what it opens.
        QCOMPARE(Filho<QToolButton>(w.get(), "SpeedButton4")->toolTip(), QString("Apply 0-100% scale"));
        QCOMPARE(Filho<QToolButton>(w.get(), "SpeedButton4")->accessibleName(), QString("Help"));
        QCOMPARE(Filho<QComboBox>(w.get(), "SinalTesteCombo")->itemText(2), QString("SP step change"));
        QCOMPARE(Texto(w.get(), "VariabilidadeLabel"), QString("Variability"));
        QCOMPARE(Texto(w.get(), "CabecalhoIndices1"), QString(" Upper         Lower"));
        QCOMPARE(Filho<QTabWidget>(w.get(), "TabbedNotebook1")->tabText(1), QString("Loop 2"));
        Filho<QCheckBox>(w.get(), "CheckArquivar")->setChecked(true);
        Filho<QPushButton>(w.get(), "BTNSimular")->click();
        QCOMPARE(Texto(w.get(), "Mensagem"), QString("Data saved on file"));
    }

    // A window left open across New and Open takes the new tags and the
    // archives of the directory that is current now, and keeps the last run
    // and its indices for comparison.
    void anOpenWindowFollowsTheProject() {
        AbreFluxo(*amb_);
        amb_->acao("Dese1")->trigger();
        auto* w = amb_->janela->findChild<TAboutBox*>();
        QVERIFY(w);
        Filho<QCheckBox>(w, "CheckArquivar")->setChecked(true);
        Filho<QLineEdit>(w, "Edit2")->setText("ensaio");
        Filho<QPushButton>(w, "BTNSimular")->click();
        auto* cima = Filho<QComboBox>(w, "ComboBox2");
        QCOMPARE(cima->currentText(), QString("ensaio_1"));
        QVERIFY(!Texto(w, "varPVmalha").isEmpty());
        const int pontos = w->grafico(TAboutBox::Superior, 1)->pontos();
        QVERIFY(pontos > 0);
        const QString variabilidade = Texto(w, kSuperior[0]);

        // Another folder becomes current with the next project.
        QDir(amb_->pasta.path()).mkdir("outra");
        const QString outra = amb_->caminho("outra");
        QFile::copy(PastaExemplos() + "/regulatory level/regulatory level.smp", outra + "/nivel.smp");
        QFile arquivo(outra + "/antigo_1.txd");
        QVERIFY(arquivo.open(QIODevice::WriteOnly));
        arquivo.close();
        amb_->roteiro->nomesAbrir.push_back(outra + "/nivel.smp");
        amb_->acao("Abrir1")->trigger();
        QCOMPARE(QDir::currentPath(), QDir(outra).canonicalPath());

        const auto* abas = Filho<QTabWidget>(w, "TabbedNotebook1");
        const auto* c1 = amb_->app->projeto().controlador(1);
        QVERIFY(c1);
        QCOMPARE(abas->tabText(0), QString::fromStdString(c1->TagText));
        QCOMPARE(Filho<QTabWidget>(w, "TabbedNotebook2")->tabText(0), QString::fromStdString(c1->TagText) + "(hist)");
        // The run stays for comparison with the next plant.
        QVERIFY(w->linha(TAboutBox::Superior).temIndices);
        QCOMPARE(w->grafico(TAboutBox::Superior, 1)->pontos(), pontos);
        QCOMPARE(Texto(w, kSuperior[0]), variabilidade);
        for (const char* nome : {"ComboBox1", "ComboBox2"}) {
            auto* c = Filho<QComboBox>(w, nome);
            QCOMPARE(c->count(), 1);
            QCOMPARE(c->itemText(0), QString("antigo_1"));
            QCOMPARE(c->currentIndex(), -1);
        }
        QCOMPARE(Texto(w, "Mensagem"), QString());
        QCOMPARE(Filho<QLineEdit>(w, "Edit2")->text(),
                 PrefixoArquivo(amb_->app->projeto().titulo));

        // New: no controller, the tabs take their numbered captions back.
        amb_->acao("Novo1")->trigger();
        QCOMPARE(abas->tabText(0), QString("Malha 1"));
        QCOMPARE(Filho<QLineEdit>(w, "Edit2")->text(), QString("DadosDesempenho"));
        w->close();
    }

    // A tag changed while the window is open reaches its tab.
    void aTagAppliedWhileOpenRenamesTheTab() {
        AbreFluxo(*amb_);
        amb_->acao("Dese1")->trigger();
        auto* w = amb_->janela->findChild<TAboutBox*>();
        amb_->app->projeto().controlador(1)->TagText = "FIC-999";
        amb_->janela->AtualizaDiagrama();  // where every apply ends
        QCOMPARE(Filho<QTabWidget>(w, "TabbedNotebook1")->tabText(0), QString("FIC-999"));
        QCOMPARE(w->grafico(TAboutBox::Inferior, 1)->accessibleName(), QString("FIC-999(hist)"));
        w->close();
    }

    void everyControlHasAnAccessibleName() {
        AbreFluxo(*amb_);
        auto w = Abre();
        for (QWidget* c : w->findChildren<QWidget*>()) {
            if (c->objectName().isEmpty() || c->objectName().startsWith("qt_")) continue;
            if (!qobject_cast<QAbstractButton*>(c) && !qobject_cast<QComboBox*>(c) && !qobject_cast<QLineEdit*>(c) &&
                !qobject_cast<QProgressBar*>(c) && !qobject_cast<QSpinBox*>(c) && !qobject_cast<QTabWidget*>(c))
                continue;
            QVERIFY2(!c->accessibleName().isEmpty(), qPrintable(c->objectName()));
        }
    }

    void theAboutFormKeepsItsPictureAndCloseButton() {
        amb_->acao("Sobre3")->trigger();
        auto* sobre = amb_->janela->findChild<TAboutBox*>();
        QVERIFY(sobre);
        QCOMPARE(sobre->windowTitle(), QString("Sobre"));
        QCOMPARE(sobre->size(), QSize(602, 452));
        QVERIFY(sobre->findChild<QLabel*>("ProgramIcon"));
        QVERIFY(!sobre->findChild<QPushButton*>("BTNSimular"));
        auto* fechar = Filho<QPushButton>(sobre, "OKButton");
        QCOMPARE(fechar->text(), QString("Fechar"));
        fechar->click();
        QVERIFY(!sobre->isVisible());
    }

private:
    std::unique_ptr<TAboutBox> Abre() {
        auto w = std::make_unique<TAboutBox>(*amb_->app, nullptr);
        w->show();
        return w;
    }

    std::unique_ptr<Ambiente> amb_;
};

QTEST_MAIN(TAboutBoxTest)
#include "TAboutBoxTest.moc"
