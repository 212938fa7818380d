// The tuning window from a faceplate: a manual step test on the trend, the
// identified model against the plant, a rule's setting written into the
// configuration area and taken by the loop only on "Atualizar", a step test
// simulated on a copy that leaves the running loop alone, and the library's
// message for data and times it refuses or settings it flags.
#include <QAbstractButton>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>

#include <sys/stat.h>

#include "Helpers.h"
#include "objects/Controller.h"
#include "objects/Process.h"
#include "tuning/RelayTest.h"
#include "ui/fastsim/LoopChart.h"
#include "ui/objects/ControllerFaceplate.h"
#include "ui/main/ProjectLifecycle.h"
#include "ui/tuning/StepChart.h"
#include "ui/tuning/TuningWindow.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::test;
using Faceplate = kivo::ui::ControllerFaceplate;

namespace {

template <class W = QWidget>
W* Child(QWidget* root, const char* name) {
    auto* w = root->findChild<W*>(QString::fromLatin1(name));
    if (!w) qFatal("no control %s", name);
    return w;
}

void Click(QWidget* root, const char* name) { Child<QAbstractButton>(root, name)->click(); }

void TypeText(QLineEdit* e, const QString& text, bool enter = true) {
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClicks(e, text);
    if (enter) QTest::keyClick(e, Qt::Key_Return);
}

// The plant of the fixture: a clean first order plus dead time in place of
// the example's flow process (no valve effects), so that the model found
// can be told against it.
constexpr double kGain = 0.8, kTau = 4, kDeadTime = 1;

}  // namespace

class TuningWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() { fixture_ = std::make_unique<Fixture>(); }
    void cleanup() { fixture_.reset(); }

    void manualStepGivesThePlantAndApplyWaitsForRefresh() {
        Faceplate* f = Open();
        kivo::Controller& c = f->model();
        Ticks(100);
        TypeText(Child<QLineEdit>(f, "MVText"), QString::number(c.state.MV + 10, 'f', 2));
        Ticks(350);

        Click(f, "SintoniaBTN");
        TuningWindow* s = f->tuningWindow();
        QVERIFY(s && s->isVisible());
        Click(s, "LerBTN");
        QVERIFY2(s->identification(), qPrintable(s->message()));
        QVERIFY(s->message().isEmpty());
        const tuning::ProcessModel fo = s->identification()->fit(tuning::ModelKind::Fopdt).model;
        // The trend holds PV as sampled and CO to 0.5 %; the loop adds one
        // cycle to the dead time.
        QVERIFY2(std::abs(fo.K - kGain) < 0.03 * kGain, qPrintable(QString::number(fo.K)));
        QVERIFY2(std::abs(fo.tau1 - kTau) < 0.1 * kTau, qPrintable(QString::number(fo.tau1)));
        QVERIFY2(std::abs(fo.theta - kDeadTime) < 0.25, qPrintable(QString::number(fo.theta)));
        const tuning::Step d = s->identification()->step;
        QCOMPARE(Child<StepChart>(s, "DadosGrafico")->model()->count(), qsizetype(d.last - d.first));
        // Each parameter with its interval, the rule of the choice stated, and
        // no warning on a clean plant.
        QVERIFY(Child<QTableWidget>(s, "ModelosTabela")->item(0, 4)->text().contains(" ± "));
        QVERIFY(Child<QLabel>(s, "LabelCriterio")->text().contains("BIC"));
        QVERIFY2(Child<QLabel>(s, "AvisosModelo")->text().isEmpty(), qPrintable(Child<QLabel>(s, "AvisosModelo")->text()));

        // The same series from a bump-test file: the same model.
        {
            QFile csv(fixture_->path("degrau.csv"));
            QVERIFY(csv.open(QIODevice::WriteOnly));
            const auto& series = s->identification()->series;
            csv.write("t,MV,PV\n");
            for (std::size_t i = 0; i < series.size(); ++i)
                csv.write(QString("%1,%2,%3\n")
                              .arg(series.t[i], 0, 'g', 17)
                              .arg(series.mv[i], 0, 'g', 17)
                              .arg(series.pv[i], 0, 'g', 17)
                              .toLatin1());
        }
        auto* source = Child<QComboBox>(s, "FonteCombo");
        source->setCurrentIndex(TuningWindow::FileSource);
        TypeText(Child<QLineEdit>(s, "ArquivoText"), fixture_->path("degrau.csv"), false);
        Click(s, "LerBTN");
        QVERIFY2(s->identification(), qPrintable(s->message()));
        QCOMPARE(s->identification()->fit(tuning::ModelKind::Fopdt).model.K, fo.K);
        source->setCurrentIndex(TuningWindow::TrendSource);
        Click(s, "LerBTN");

        // The marked stretch shortened by hand: identified again on it.
        auto* end = Child<QDoubleSpinBox>(s, "FimSpin");
        end->setValue(Child<QDoubleSpinBox>(s, "DegrauSpin")->value() + 20);
        Click(s, "IdentificarBTN");
        QVERIFY2(s->identification(), qPrintable(s->message()));
        QVERIFY(s->identification()->step.last < d.last);

        // SIMC PI, chosen in the table: its texts and direction reach the
        // configuration area, the running loop keeps its settings.
        auto* rules = Child<QTableWidget>(s, "RegrasTabela");
        int line = -1;
        for (int r = 0; r < rules->rowCount(); ++r)
            if (rules->item(r, 0)->text() == "SIMC" && rules->item(r, 1)->text() == "PI") line = r;
        QVERIFY(line >= 0);
        // Margins with their worst case beside the indices; no tau_c where the
        // rule has none.
        const QRegularExpression margin(QStringLiteral("^\\d+\\.\\d\\d \\(\\d+\\.\\d\\d\\)$"));
        QVERIFY2(margin.match(rules->item(line, 9)->text()).hasMatch(), qPrintable(rules->item(line, 9)->text()));
        QVERIFY(margin.match(rules->item(line, 11)->text()).hasMatch());
        for (int r = 0; r < rules->rowCount(); ++r)
            QCOMPARE(rules->item(r, 5)->text().isEmpty(),
                     rules->item(r, 0)->text() == "AMIGO" || rules->item(r, 0)->text() == "Ziegler-Nichols");
        rules->selectRow(line);
        const tuning::Proposal& p = s->proposals()[std::size_t(line)];
        QVERIFY(p.prediction.spIndices);
        QCOMPARE(Child<QLabel>(s, "IEMAmalha")->text().toStdString(), p.prediction.spIndices->meanAbsError);
        QCOMPARE(Child<LoopChart>(s, "RespostaSP")->pv()->count(), qsizetype(p.prediction.setpoint.size()));

        const double kc = c.Kc(), ti = c.Ti();
        const std::string kpText = c.KpText;
        Click(s, "AplicarBTN");
        QCOMPARE(Child<QLineEdit>(f, "KpText")->text().toStdString(), p.setting.KpText);
        QCOMPARE(Child<QLineEdit>(f, "KiText")->text().toStdString(), p.setting.KiText);
        QCOMPARE(Child<QLineEdit>(f, "KdText")->text().toStdString(), p.setting.KdText);
        QVERIFY(Child<QRadioButton>(f, "Acaogroup1")->isChecked());
        QVERIFY(Child<QAbstractButton>(f, "btnatualiza")->isEnabled());
        QCOMPARE(f->layout(), Faceplate::Layout::Configuration);
        QCOMPARE(c.Kc(), kc);
        QCOMPARE(c.Ti(), ti);
        QCOMPARE(c.KpText, kpText);
        Ticks(10);
        QCOMPARE(c.Kc(), kc);

        Click(f, "btnatualiza");
        QCOMPARE(c.KpText, p.setting.KpText);
        QVERIFY(std::abs(c.Kc() - p.setting.kp) < 1e-3 * p.setting.kp);
        QVERIFY(std::abs(c.Ti() - p.setting.ti) < 1e-3 * p.setting.ti);
        QCOMPARE(c.ActionGroup, 1);
    }

    // The simulated step test: the plant identified from a copy, while the
    // running loop stays in automatic, its memory and time untouched.
    void simulatedStepTestLeavesThePlantAlone() {
        Faceplate* f = Open(false);
        kivo::Controller& c = f->model();
        Simulation& sim = fixture_->app->sim();
        Ticks(50);
        QVERIFY(c.state.autoMode);
        std::vector<double> memory;
        for (int k = 1; k <= kNumVariables; ++k) memory.push_back(sim.mem[k]);
        const double mv = c.state.MV;
        const long double time = sim.state.previousTick;

        Click(f, "SintoniaBTN");
        TuningWindow* s = f->tuningWindow();
        auto* step = Child<QLineEdit>(s, "DegrauSimText");
        QVERIFY(!step->isEnabled());
        Child<QComboBox>(s, "FonteCombo")->setCurrentIndex(TuningWindow::SimulatedSource);
        QVERIFY(step->isEnabled());
        QVERIFY(Child(s, "DuracaoSimText")->isEnabled());
        QVERIFY(!Child(s, "ArquivoText")->isEnabled());
        TypeText(step, "-10", false);
        Click(s, "LerBTN");
        QVERIFY2(s->identification(), qPrintable(s->message()));
        QVERIFY(s->message().isEmpty());
        const tuning::Identification& id = *s->identification();
        QCOMPARE(id.step.mvAfter - id.step.mvBefore, -10.0);
        // The duration left empty: sized to this fast plant, the shortest,
        // 60 s after the shortest lead-in, 30 s.
        QVERIFY2(std::abs(id.series.t.back() - 90) < 1e-9, qPrintable(QString::number(id.series.t.back())));
        const tuning::ProcessModel fo = id.fit(tuning::ModelKind::Fopdt).model;
        QVERIFY2(std::abs(fo.K - kGain) < 0.03 * kGain, qPrintable(QString::number(fo.K)));
        QVERIFY2(std::abs(fo.tau1 - kTau) < 0.1 * kTau, qPrintable(QString::number(fo.tau1)));
        QVERIFY2(std::abs(fo.theta - kDeadTime) < 0.25, qPrintable(QString::number(fo.theta)));
        QVERIFY(Child<QTableWidget>(s, "RegrasTabela")->rowCount() > 0);
        QVERIFY(Child<QAbstractButton>(s, "AplicarBTN")->isEnabled());

        QVERIFY(c.state.autoMode);
        QCOMPARE(c.state.MV, mv);
        QCOMPARE(sim.state.previousTick, time);
        for (int k = 1; k <= kNumVariables; ++k) QCOMPARE(sim.mem[k], memory[std::size_t(k - 1)]);
    }

    // The relay test on a copy, the loop in automatic: the plant's ultimate
    // point, the closed-loop rule first, and the running loop left alone.
    void simulatedRelayTestLeavesThePlantAlone() {
        Faceplate* f = Open(false);
        kivo::Controller& c = f->model();
        Simulation& sim = fixture_->app->sim();
        Ticks(50);
        const double mv = c.state.MV;
        const long double time = sim.state.previousTick;

        Click(f, "SintoniaBTN");
        TuningWindow* s = f->tuningWindow();
        auto* amplitude = Child<QLineEdit>(s, "AmplitudeReleText");
        QVERIFY(amplitude->isHidden());
        Child<QComboBox>(s, "FonteCombo")->setCurrentIndex(TuningWindow::RelaySource);
        QVERIFY(!amplitude->isHidden());
        QVERIFY(Child(s, "DegrauSimText")->isHidden());
        TypeText(amplitude, "abc", false);
        Click(s, "LerBTN");
        QVERIFY2(s->message().contains("0.5 a 50 %"), qPrintable(s->message()));
        QVERIFY(!s->identification());

        TypeText(amplitude, "", false);
        Click(s, "LerBTN");
        QVERIFY2(s->identification(), qPrintable(s->message()));
        QVERIFY(!Child<QAbstractButton>(s, "IdentificarBTN")->isEnabled());
        // The plant's ultimate point: its first order with the loop's cycle.
        const auto truth = *tuning::Ultimate({tuning::ModelKind::Fopdt, kGain, kTau, 0, kDeadTime + 0.1});
        const auto found = *tuning::Ultimate(s->identification()->bestFit().model);
        QVERIFY2(std::abs(found.gain - truth.gain) < 0.05 * truth.gain, qPrintable(QString::number(found.gain)));
        QVERIFY2(std::abs(found.period - truth.period) < 0.05 * truth.period, qPrintable(QString::number(found.period)));
        QVERIFY(Child<QLabel>(s, "LabelPontoUltimo")->text().contains("Ku"));
        auto* rules = Child<QTableWidget>(s, "RegrasTabela");
        QCOMPARE(rules->item(0, 0)->text(), QString("Ziegler-Nichols Ku"));
        QVERIFY(Child<QAbstractButton>(s, "AplicarBTN")->isEnabled());

        QVERIFY(c.state.autoMode);
        QCOMPARE(c.state.MV, mv);
        QCOMPARE(sim.state.previousTick, time);
        // A step test afterwards: the step test's rules again.
        Child<QComboBox>(s, "FonteCombo")->setCurrentIndex(TuningWindow::SimulatedSource);
        Click(s, "LerBTN");
        QVERIFY2(s->identification(), qPrintable(s->message()));
        QCOMPARE(rules->item(0, 0)->text(), QString("SIMC"));
        QVERIFY(Child<QLabel>(s, "LabelPontoUltimo")->text().isEmpty());
    }

    // An integrator drifts for ever: the test steps anyway, and says so.
    void simulatedStepTestOfAnIntegratorWarns() {
        fixture_->app->SetEnglish();
        Faceplate* f = Open();
        auto& p = *fixture_->app->sim().processes.as<Process>(1);
        // A slow drift from 40 %, which stays inside 0..100 % for the 2 hours.
        p.TransferFunctionKind = 3;
        p.GainText = "0.0001";
        p.InitialValueText = "40";
        p.initialValuePending = true;
        p.ValidateParameters(false);
        Click(f, "SintoniaBTN");
        TuningWindow* s = f->tuningWindow();
        Child<QComboBox>(s, "FonteCombo")->setCurrentIndex(TuningWindow::SimulatedSource);
        TypeText(Child<QLineEdit>(s, "DegrauSimText"), f->model().state.MV > 50 ? "-40" : "40", false);
        TypeText(Child<QLineEdit>(s, "DuracaoSimText"), "600", false);
        Click(s, "LerBTN");
        QVERIFY2(s->message().contains("did not come to rest"), qPrintable(s->message()));
        QVERIFY2(s->identification(), qPrintable(s->message()));
    }

    // Data the library refuses: its message in the window, no model, no
    // settings to apply.
    void refusedDataShowsTheMessage_data() {
        QTest::addColumn<int>("testCase");
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("excerpt");
        QTest::newRow("no step") << 0 << false << "Não há degrau de MV";
        QTest::newRow("too short") << 1 << true << "too short";
        QTest::newRow("loop in automatic") << 2 << false << "automático";
        QTest::newRow("missing file") << 3 << false << "nao_existe.csv";
        QTest::newRow("constant PV") << 4 << false << "A PV não responde";
        QTest::newRow("simulated step beyond 100 %") << 5 << false << "sai de 0..100 %";
        QTest::newRow("simulated duration not a number") << 6 << true << "1 to 86400 seconds";
        // A damaged file: its last time runs off to 1e200 (this aborted the
        // program), or it is a FIFO (this hung it).
        QTest::newRow("time running off") << 7 << true << "spans 1e+200 s";
        QTest::newRow("fifo") << 8 << true << "not a regular file";
    }
    void refusedDataShowsTheMessage() {
        QFETCH(int, testCase);
        QFETCH(bool, english);
        QFETCH(QString, excerpt);
        if (english) fixture_->app->SetEnglish();
        Faceplate* f = Open();
        kivo::Controller& c = f->model();
        if (testCase == 0) Ticks(300);
        if (testCase == 1) Ticks(10);
        if (testCase == 2) {
            Click(f, "AutoManualBTN");
            Ticks(100);
            // Setpoint steps keep the automatic output moving.
            for (int k = 0; k < 4; ++k) {
                c.state.SP += k % 2 ? -5 : 5;
                Ticks(80);
            }
        }
        if (testCase == 4) {
            // A process without gain: MV steps, PV stays.
            auto& p = *fixture_->app->sim().processes.as<Process>(1);
            p.GainText = "0";
            p.ValidateParameters(false);
            Ticks(100);
            TypeText(Child<QLineEdit>(f, "MVText"), QString::number(c.state.MV + 10, 'f', 2));
            Ticks(300);
        }
        Click(f, "SintoniaBTN");
        TuningWindow* s = f->tuningWindow();
        QCOMPARE(Child<QAbstractButton>(s, "AplicarBTN")->text(), english ? QString("Apply") : QString("Aplicar"));
        if (testCase == 3 || testCase >= 7) {
            const QString file = fixture_->path(testCase == 3 ? "nao_existe.csv" : testCase == 7 ? "longe.csv" : "fifo.csv");
            if (testCase == 7) {
                QFile csv(file);
                QVERIFY(csv.open(QIODevice::WriteOnly));
                csv.write("t,MV,PV\n");
                for (int i = 1; i < 100; ++i) csv.write(QString("%1,%2,50\n").arg(i).arg(i < 50 ? 40 : 50).toLatin1());
                csv.write("1e200,50,55\n");
            }
            if (testCase == 8) QCOMPARE(mkfifo(QFile::encodeName(file).constData(), 0600), 0);
            auto* source = Child<QComboBox>(s, "FonteCombo");
            source->setCurrentIndex(TuningWindow::FileSource);
            TypeText(Child<QLineEdit>(s, "ArquivoText"), file, false);
        }
        if (testCase == 5 || testCase == 6) {
            Child<QComboBox>(s, "FonteCombo")->setCurrentIndex(TuningWindow::SimulatedSource);
            if (testCase == 5) TypeText(Child<QLineEdit>(s, "DegrauSimText"), QString::number(101 - c.state.MV), false);
            if (testCase == 6) TypeText(Child<QLineEdit>(s, "DuracaoSimText"), "abc", false);
        }
        Click(s, "LerBTN");
        QVERIFY2(s->message().contains(excerpt), qPrintable(s->message()));
        // Too little data from the trend: the message says what to change.
        QCOMPARE(s->message().contains(english ? "longer time base" : "base de tempo maior"), testCase == 1);
        QVERIFY(!s->identification());
        QCOMPARE(Child<QTableWidget>(s, "RegrasTabela")->rowCount(), 0);
        QCOMPARE(Child<StepChart>(s, "DadosGrafico")->model()->count(), 0);
        QVERIFY(!Child<QAbstractButton>(s, "AplicarBTN")->isEnabled());
    }

    // A PV clamped at 100 % after the step: those samples are left out, and
    // the warning says so beside the model.
    void clampedSamplesAreLeftOutAndSaid() {
        Faceplate* f = Open();
        Click(f, "SintoniaBTN");
        TuningWindow* s = f->tuningWindow();
        {
            QFile csv(fixture_->path("cheio.csv"));
            QVERIFY(csv.open(QIODevice::WriteOnly));
            csv.write("t,MV,PV\n");
            for (int i = 0; i < 300; ++i) {
                const double pv = i < 50 ? 90 : std::min(100.0, 90 + 20 * (1 - std::exp(-(i - 50) / 30.0)));
                csv.write(QString("%1,%2,%3\n").arg(i).arg(i < 50 ? 40 : 60).arg(pv, 0, 'f', 2).toLatin1());
            }
        }
        Child<QComboBox>(s, "FonteCombo")->setCurrentIndex(TuningWindow::FileSource);
        TypeText(Child<QLineEdit>(s, "ArquivoText"), fixture_->path("cheio.csv"), false);
        Click(s, "LerBTN");
        QVERIFY2(s->identification(), qPrintable(s->message()));
        QVERIFY2(Child<QLabel>(s, "AvisosModelo")->text().contains("ficaram fora do ajuste"),
                 qPrintable(Child<QLabel>(s, "AvisosModelo")->text()));
        QVERIFY(Child<QTableWidget>(s, "RegrasTabela")->rowCount() > 0);
    }

    // A closed-loop time constant or lambda that would make the gain
    // infinite is refused with its limits, the model kept; a finite gain no
    // controller can use is listed but flagged.
    void settingsOutOfReachAreRefusedOrFlagged() {
        fixture_->app->SetEnglish();
        Faceplate* f = Open();
        Click(f, "SintoniaBTN");
        TuningWindow* s = f->tuningWindow();
        // A full MV step that moves the PV by 0.15 % in 150 s: an integrator
        // with almost no gain.
        {
            QFile csv(fixture_->path("quase_plano.csv"));
            QVERIFY(csv.open(QIODevice::WriteOnly));
            csv.write("t,MV,PV\n");
            for (int i = 0; i < 200; ++i)
                csv.write(QString("%1,%2,%3\n").arg(i).arg(i < 50 ? 0 : 100).arg(50 + 1e-3 * std::max(0, i - 50)).toLatin1());
        }
        Child<QComboBox>(s, "FonteCombo")->setCurrentIndex(TuningWindow::FileSource);
        TypeText(Child<QLineEdit>(s, "ArquivoText"), fixture_->path("quase_plano.csv"), false);
        Click(s, "LerBTN");
        QVERIFY2(s->identification(), qPrintable(s->message()));
        auto* rules = Child<QTableWidget>(s, "RegrasTabela");
        QVERIFY(rules->rowCount() > 0);
        QVERIFY2(s->message().startsWith("SIMC P/PI, IMC PI, AMIGO PI/PID, Ziegler-Nichols P/PI/PID: Kc") && s->message().contains("lies outside 0.0001 to 10000"),
                 qPrintable(s->message()));
        QVERIFY(rules->item(0, 2)->toolTip().contains("lies outside"));

        for (auto [field, text] : {std::pair{"TcText", "4.9e-324"}, std::pair{"LambdaText", "1e300"}}) {
            TypeText(Child<QLineEdit>(s, field), text);
            QVERIFY2(s->message().contains("between 0.1 and 1000000 s"), qPrintable(s->message()));
            QCOMPARE(rules->rowCount(), 0);
            QCOMPARE(Child<LoopChart>(s, "RespostaSP")->pv()->count(), 0);
            QVERIFY(!Child<QAbstractButton>(s, "AplicarBTN")->isEnabled());
            QVERIFY(s->identification());
            TypeText(Child<QLineEdit>(s, field), "");
        }
        QVERIFY(rules->rowCount() > 0);
    }

    // Every control a student reaches is named and has an accessible name.
    void controlsAreNamed() {
        Faceplate* f = Open();
        QVERIFY(!Child(f, "SintoniaBTN")->accessibleName().isEmpty());
        Click(f, "SintoniaBTN");
        TuningWindow* s = f->tuningWindow();
        for (const char* name :
             {"FonteCombo", "ArquivoText", "ArquivoBTN", "EnderecoMV", "EnderecoPV", "DegrauSimText",
              "DuracaoSimText", "AmplitudeReleText", "HistereseReleText", "LerBTN", "DadosGrafico",
              "InicioSpin", "DegrauSpin", "FimSpin", "IdentificarBTN", "ModeloCombo", "ModelosTabela", "TcText",
              "LambdaText", "RegrasTabela", "PainelIndices", "RespostaAbas", "RespostaSP", "RespostaCarga",
              "Progresso", "MensagemSintonia", "AplicarBTN", "FecharBTN"})
            QVERIFY2(!Child(s, name)->accessibleName().isEmpty(), name);
        QCOMPARE(ControlsWithoutAccessibleName(s), QStringList{});
    }

    // The relay test on the running plant, stepped by the real-time tick:
    // the relay holds the output while the controller waits in manual, the
    // plant's ultimate point is found, and the controller takes the loop
    // back in automatic; a second test is cancelled in the middle.
    void liveRelayTestRunsOnTheTicksAndCancels() {
        Faceplate* f = Open(false);
        kivo::Controller& c = f->model();
        Ticks(50);
        Click(f, "SintoniaBTN");
        TuningWindow* s = f->tuningWindow();
        Child<QComboBox>(s, "FonteCombo")->setCurrentIndex(TuningWindow::LiveRelaySource);
        QVERIFY(!Child(s, "AmplitudeReleText")->isHidden());
        Click(s, "LerBTN");
        QVERIFY2(s->liveRelay(), qPrintable(s->message()));
        QVERIFY(Child(s, "LerBTN")->isHidden());
        QVERIFY(!Child(s, "CancelarReleBTN")->isHidden());
        QCOMPARE(ControlsWithoutAccessibleName(s), QStringList{});
        bool relayHeld = false;
        for (int i = 0; i < 100000 && s->liveRelay(); ++i) {
            Ticks(1);
            if (s->liveRelay() && s->liveRelay()->phase() == tuning::RelayDriver::Phase::Relay)
                relayHeld = relayHeld || !c.state.autoMode;
        }
        QVERIFY(relayHeld);
        QVERIFY(!s->liveRelay());
        QVERIFY(c.state.autoMode);
        QVERIFY2(s->identification(), qPrintable(s->message()));
        const auto truth = *tuning::Ultimate({tuning::ModelKind::Fopdt, kGain, kTau, 0, kDeadTime + 0.1});
        const auto found = *tuning::Ultimate(s->identification()->bestFit().model);
        QVERIFY2(std::abs(found.gain - truth.gain) < 0.05 * truth.gain, qPrintable(QString::number(found.gain)));
        QVERIFY2(std::abs(found.period - truth.period) < 0.05 * truth.period, qPrintable(QString::number(found.period)));
        QCOMPARE(Child<QTableWidget>(s, "RegrasTabela")->item(0, 0)->text(), QString("Ziegler-Nichols Ku"));
        QVERIFY(!Child(s, "LerBTN")->isHidden());

        Click(s, "LerBTN");
        while (s->liveRelay() && s->liveRelay()->phase() != tuning::RelayDriver::Phase::Relay) Ticks(1);
        Ticks(20);
        QVERIFY(!c.state.autoMode);
        Click(s, "CancelarReleBTN");
        QVERIFY(!s->liveRelay());
        QVERIFY(c.state.autoMode);
        QVERIFY2(s->message().contains("cancelado"), qPrintable(s->message()));
        QVERIFY(!s->identification());
        QVERIFY(Child(s, "CancelarReleBTN")->isHidden());

        // Going back to a snapshot in the middle of a test ends the test
        // first: the plant runs on from the snapshot, not from the relay.
        fixture_->app->TakeNamedSnapshot("before");
        const double outputBefore = c.state.MV;
        Click(s, "LerBTN");
        while (s->liveRelay() && s->liveRelay()->phase() != tuning::RelayDriver::Phase::Relay) Ticks(1);
        Ticks(20);
        QVERIFY(!c.state.autoMode);
        QCOMPARE(fixture_->app->Restore(fixture_->app->namedSnapshots().back()), kivo::RestoreOutcome::Restored);
        QVERIFY(!s->liveRelay());
        QVERIFY(c.state.autoMode);
        QCOMPARE(c.state.MV, outputBefore);
        Ticks(5);
        QVERIFY(c.state.autoMode);
    }

private:
    // The example with its flow process made a clean first order plus dead
    // time; the loop put in manual unless told otherwise.
    Faceplate* Open(bool manual = true) {
        fixture_->window->cycle().Load(ExamplesFolder() + "/basic flow loop/basic flow loop.smp", true);
        fixture_->app->timer().stop();
        auto& p = *fixture_->app->sim().processes.as<Process>(1);
        p.ValveCurve = 0;
        p.TransferFunctionKind = 0;
        p.tauAText = p.Hysteresis = p.valveStext = p.ratetext = "0";
        p.GainText = QString::number(kGain).toStdString();
        p.LText = QString::number(kTau).toStdString();
        p.Ctext = "0";
        p.DeadTime = QString::number(kDeadTime).toStdString();
        p.ValidateParameters(false);
        auto* f = qobject_cast<Faceplate*>(fixture_->window->windows().Open(Family::PidController, 1));
        if (manual && f->model().state.autoMode) Click(f, "AutoManualBTN");
        return f;
    }
    void Ticks(int n) {
        for (int i = 0; i < n; ++i) fixture_->app->Tick();
    }

    std::unique_ptr<Fixture> fixture_;
};

QTEST_MAIN(TuningWindowTest)
#include "TuningWindowTest.moc"
