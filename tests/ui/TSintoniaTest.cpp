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
#include <QTableWidget>
#include <QTest>

#include <sys/stat.h>

#include "Auxiliares.h"
#include "objects/Controller.h"
#include "objects/Process.h"
#include "ui/fastsim/GraficoMalha.h"
#include "ui/objects/TControlador.h"
#include "ui/project/CicloProjeto.h"
#include "ui/tuning/GraficoDegrau.h"
#include "ui/tuning/TSintonia.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::teste;
using Faceplate = kivo::ui::TControlador;

namespace {

template <class W = QWidget>
W* Filho(QWidget* raiz, const char* nome) {
    auto* w = raiz->findChild<W*>(QString::fromLatin1(nome));
    if (!w) qFatal("no control %s", nome);
    return w;
}

void Clica(QWidget* raiz, const char* nome) { Filho<QAbstractButton>(raiz, nome)->click(); }

void Digita(QLineEdit* e, const QString& texto, bool enter = true) {
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClicks(e, texto);
    if (enter) QTest::keyClick(e, Qt::Key_Return);
}

// The plant of the fixture: a clean first order plus dead time in place of
// the example's flow process (no valve effects), so that the model found
// can be told against it.
constexpr double kGanho = 0.8, kTau = 4, kTempoMorto = 1;

}  // namespace

class TSintoniaTest : public QObject {
    Q_OBJECT
private slots:
    void init() { amb_ = std::make_unique<Ambiente>(); }
    void cleanup() { amb_.reset(); }

    void manualStepGivesThePlantAndApplyWaitsForAtualizar() {
        Faceplate* f = Abre();
        kivo::TControlador& c = f->modelo();
        Tica(100);
        Digita(Filho<QLineEdit>(f, "MVText"), QString::number(c.estado.MV + 10, 'f', 2));
        Tica(350);

        Clica(f, "SintoniaBTN");
        TSintonia* s = f->sintonia();
        QVERIFY(s && s->isVisible());
        Clica(s, "LerBTN");
        QVERIFY2(s->identificacao(), qPrintable(s->mensagem()));
        QVERIFY(s->mensagem().isEmpty());
        const tuning::ProcessModel fo = s->identificacao()->fit(tuning::ModelKind::Fopdt).model;
        // The trend holds PV as sampled and CO to 0.5 %; the loop adds one
        // cycle to the dead time.
        QVERIFY2(std::abs(fo.K - kGanho) < 0.03 * kGanho, qPrintable(QString::number(fo.K)));
        QVERIFY2(std::abs(fo.tau1 - kTau) < 0.1 * kTau, qPrintable(QString::number(fo.tau1)));
        QVERIFY2(std::abs(fo.theta - kTempoMorto) < 0.25, qPrintable(QString::number(fo.theta)));
        const tuning::Step d = s->identificacao()->step;
        QCOMPARE(Filho<GraficoDegrau>(s, "DadosGrafico")->modelo()->count(), qsizetype(d.last - d.first));

        // The same series from a bump-test file: the same model.
        {
            QFile csv(amb_->caminho("degrau.csv"));
            QVERIFY(csv.open(QIODevice::WriteOnly));
            const auto& serie = s->identificacao()->series;
            csv.write("t,MV,PV\n");
            for (std::size_t i = 0; i < serie.size(); ++i)
                csv.write(QString("%1,%2,%3\n")
                              .arg(serie.t[i], 0, 'g', 17)
                              .arg(serie.mv[i], 0, 'g', 17)
                              .arg(serie.pv[i], 0, 'g', 17)
                              .toLatin1());
        }
        auto* fonte = Filho<QComboBox>(s, "FonteCombo");
        fonte->setCurrentIndex(TSintonia::FonteArquivo);
        Digita(Filho<QLineEdit>(s, "ArquivoText"), amb_->caminho("degrau.csv"), false);
        Clica(s, "LerBTN");
        QVERIFY2(s->identificacao(), qPrintable(s->mensagem()));
        QCOMPARE(s->identificacao()->fit(tuning::ModelKind::Fopdt).model.K, fo.K);
        fonte->setCurrentIndex(TSintonia::FonteTendencia);
        Clica(s, "LerBTN");

        // The marked stretch shortened by hand: identified again on it.
        auto* fim = Filho<QDoubleSpinBox>(s, "FimSpin");
        fim->setValue(Filho<QDoubleSpinBox>(s, "DegrauSpin")->value() + 20);
        Clica(s, "IdentificarBTN");
        QVERIFY2(s->identificacao(), qPrintable(s->mensagem()));
        QVERIFY(s->identificacao()->step.last < d.last);

        // SIMC PI, chosen in the table: its texts and direction reach the
        // configuration area, the running loop keeps its settings.
        auto* regras = Filho<QTableWidget>(s, "RegrasTabela");
        int linha = -1;
        for (int r = 0; r < regras->rowCount(); ++r)
            if (regras->item(r, 0)->text() == "SIMC" && regras->item(r, 1)->text() == "PI") linha = r;
        QVERIFY(linha >= 0);
        regras->selectRow(linha);
        const tuning::Proposal& p = s->propostas()[std::size_t(linha)];
        QVERIFY(p.prediction.spIndices);
        QCOMPARE(Filho<QLabel>(s, "IEMAmalha")->text().toStdString(), p.prediction.spIndices->iema);
        QCOMPARE(Filho<GraficoMalha>(s, "RespostaSP")->pv()->count(), qsizetype(p.prediction.setpoint.tamanho()));

        const double kc = c.Kc(), ti = c.Ti();
        const std::string kpTexto = c.KpText;
        Clica(s, "AplicarBTN");
        QCOMPARE(Filho<QLineEdit>(f, "KpText")->text().toStdString(), p.setting.KpText);
        QCOMPARE(Filho<QLineEdit>(f, "KiText")->text().toStdString(), p.setting.KiText);
        QCOMPARE(Filho<QLineEdit>(f, "KdText")->text().toStdString(), p.setting.KdText);
        QVERIFY(Filho<QRadioButton>(f, "Acaogroup1")->isChecked());
        QVERIFY(Filho<QAbstractButton>(f, "btnatualiza")->isEnabled());
        QCOMPARE(f->layout(), Faceplate::Layout::Configuracao);
        QCOMPARE(c.Kc(), kc);
        QCOMPARE(c.Ti(), ti);
        QCOMPARE(c.KpText, kpTexto);
        Tica(10);
        QCOMPARE(c.Kc(), kc);

        Clica(f, "btnatualiza");
        QCOMPARE(c.KpText, p.setting.KpText);
        QVERIFY(std::abs(c.Kc() - p.setting.kp) < 1e-3 * p.setting.kp);
        QVERIFY(std::abs(c.Ti() - p.setting.ti) < 1e-3 * p.setting.ti);
        QCOMPARE(c.Acaogroup, 1);
    }

    // The simulated step test: the plant identified from a copy, while the
    // running loop stays in automatic, its memory and time untouched.
    void simulatedStepTestLeavesThePlantAlone() {
        Faceplate* f = Abre(false);
        kivo::TControlador& c = f->modelo();
        Simulacao& sim = amb_->app->sim();
        Tica(50);
        QVERIFY(c.estado.modoAuto);
        std::vector<double> memoria;
        for (int k = 1; k <= kNumVariaveis; ++k) memoria.push_back(sim.mem[k]);
        const double mv = c.estado.MV;
        const long double tempo = sim.estado.tickAnterior;

        Clica(f, "SintoniaBTN");
        TSintonia* s = f->sintonia();
        auto* degrau = Filho<QLineEdit>(s, "DegrauSimText");
        QVERIFY(!degrau->isEnabled());
        Filho<QComboBox>(s, "FonteCombo")->setCurrentIndex(TSintonia::FonteSimulado);
        QVERIFY(degrau->isEnabled());
        QVERIFY(Filho(s, "DuracaoSimText")->isEnabled());
        QVERIFY(!Filho(s, "ArquivoText")->isEnabled());
        Digita(degrau, "-10", false);
        Clica(s, "LerBTN");
        QVERIFY2(s->identificacao(), qPrintable(s->mensagem()));
        QVERIFY(s->mensagem().isEmpty());
        const tuning::Identification& id = *s->identificacao();
        QCOMPARE(id.step.mvAfter - id.step.mvBefore, -10.0);
        // The duration left empty: sized to this fast plant, the shortest,
        // 60 s after a lead-in of 10 s.
        QVERIFY2(std::abs(id.series.t.back() - 70) < 1e-9, qPrintable(QString::number(id.series.t.back())));
        const tuning::ProcessModel fo = id.fit(tuning::ModelKind::Fopdt).model;
        QVERIFY2(std::abs(fo.K - kGanho) < 0.03 * kGanho, qPrintable(QString::number(fo.K)));
        QVERIFY2(std::abs(fo.tau1 - kTau) < 0.1 * kTau, qPrintable(QString::number(fo.tau1)));
        QVERIFY2(std::abs(fo.theta - kTempoMorto) < 0.25, qPrintable(QString::number(fo.theta)));
        QVERIFY(Filho<QTableWidget>(s, "RegrasTabela")->rowCount() > 0);
        QVERIFY(Filho<QAbstractButton>(s, "AplicarBTN")->isEnabled());

        QVERIFY(c.estado.modoAuto);
        QCOMPARE(c.estado.MV, mv);
        QCOMPARE(sim.estado.tickAnterior, tempo);
        for (int k = 1; k <= kNumVariaveis; ++k) QCOMPARE(sim.mem[k], memoria[std::size_t(k - 1)]);
    }

    // An integrator drifts for ever: the test steps anyway, and says so.
    void simulatedStepTestOfAnIntegratorWarns() {
        amb_->app->DefineIngles();
        Faceplate* f = Abre();
        auto& p = *amb_->app->sim().processos.como<TProcesso>(1);
        // A slow drift from 40 %, which stays inside 0..100 % for the 2 hours.
        p.ComboBox2 = 3;
        p.GanhoText = "0.0001";
        p.ValorInicialText = "40";
        p.valorInicialPendente = true;
        p.ValidaParametros(false);
        Clica(f, "SintoniaBTN");
        TSintonia* s = f->sintonia();
        Filho<QComboBox>(s, "FonteCombo")->setCurrentIndex(TSintonia::FonteSimulado);
        Digita(Filho<QLineEdit>(s, "DegrauSimText"), f->modelo().estado.MV > 50 ? "-40" : "40", false);
        Digita(Filho<QLineEdit>(s, "DuracaoSimText"), "600", false);
        Clica(s, "LerBTN");
        QVERIFY2(s->mensagem().contains("did not come to rest"), qPrintable(s->mensagem()));
        QVERIFY2(s->identificacao(), qPrintable(s->mensagem()));
    }

    // Data the library refuses: its message in the window, no model, no
    // settings to apply.
    void refusedDataShowsTheMessage_data() {
        QTest::addColumn<int>("caso");
        QTest::addColumn<bool>("ingles");
        QTest::addColumn<QString>("trecho");
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
        QFETCH(int, caso);
        QFETCH(bool, ingles);
        QFETCH(QString, trecho);
        if (ingles) amb_->app->DefineIngles();
        Faceplate* f = Abre();
        kivo::TControlador& c = f->modelo();
        if (caso == 0) Tica(300);
        if (caso == 1) Tica(10);
        if (caso == 2) {
            Clica(f, "AutoManualBTN");
            Tica(100);
            // Setpoint steps keep the automatic output moving.
            for (int k = 0; k < 4; ++k) {
                c.estado.SP += k % 2 ? -5 : 5;
                Tica(80);
            }
        }
        if (caso == 4) {
            // A process without gain: MV steps, PV stays.
            auto& p = *amb_->app->sim().processos.como<TProcesso>(1);
            p.GanhoText = "0";
            p.ValidaParametros(false);
            Tica(100);
            Digita(Filho<QLineEdit>(f, "MVText"), QString::number(c.estado.MV + 10, 'f', 2));
            Tica(300);
        }
        Clica(f, "SintoniaBTN");
        TSintonia* s = f->sintonia();
        QCOMPARE(Filho<QAbstractButton>(s, "AplicarBTN")->text(), ingles ? QString("Apply") : QString("Aplicar"));
        if (caso == 3 || caso >= 7) {
            const QString arquivo = amb_->caminho(caso == 3 ? "nao_existe.csv" : caso == 7 ? "longe.csv" : "fifo.csv");
            if (caso == 7) {
                QFile csv(arquivo);
                QVERIFY(csv.open(QIODevice::WriteOnly));
                csv.write("t,MV,PV\n");
                for (int i = 1; i < 100; ++i) csv.write(QString("%1,%2,50\n").arg(i).arg(i < 50 ? 40 : 50).toLatin1());
                csv.write("1e200,50,55\n");
            }
            if (caso == 8) QCOMPARE(mkfifo(QFile::encodeName(arquivo).constData(), 0600), 0);
            auto* fonte = Filho<QComboBox>(s, "FonteCombo");
            fonte->setCurrentIndex(TSintonia::FonteArquivo);
            Digita(Filho<QLineEdit>(s, "ArquivoText"), arquivo, false);
        }
        if (caso == 5 || caso == 6) {
            Filho<QComboBox>(s, "FonteCombo")->setCurrentIndex(TSintonia::FonteSimulado);
            if (caso == 5) Digita(Filho<QLineEdit>(s, "DegrauSimText"), QString::number(101 - c.estado.MV), false);
            if (caso == 6) Digita(Filho<QLineEdit>(s, "DuracaoSimText"), "abc", false);
        }
        Clica(s, "LerBTN");
        QVERIFY2(s->mensagem().contains(trecho), qPrintable(s->mensagem()));
        // Too little data from the trend: the message says what to change.
        QCOMPARE(s->mensagem().contains(ingles ? "longer time base" : "base de tempo maior"), caso == 1);
        QVERIFY(!s->identificacao());
        QCOMPARE(Filho<QTableWidget>(s, "RegrasTabela")->rowCount(), 0);
        QCOMPARE(Filho<GraficoDegrau>(s, "DadosGrafico")->modelo()->count(), 0);
        QVERIFY(!Filho<QAbstractButton>(s, "AplicarBTN")->isEnabled());
    }

    // A closed-loop time constant or lambda that would make the gain
    // infinite is refused with its limits, the model kept; a finite gain no
    // controller can use is listed but flagged.
    void settingsOutOfReachAreRefusedOrFlagged() {
        amb_->app->DefineIngles();
        Faceplate* f = Abre();
        Clica(f, "SintoniaBTN");
        TSintonia* s = f->sintonia();
        // A full MV step that moves the PV by 0.15 % in 150 s: an integrator
        // with almost no gain.
        {
            QFile csv(amb_->caminho("quase_plano.csv"));
            QVERIFY(csv.open(QIODevice::WriteOnly));
            csv.write("t,MV,PV\n");
            for (int i = 0; i < 200; ++i)
                csv.write(QString("%1,%2,%3\n").arg(i).arg(i < 50 ? 0 : 100).arg(50 + 1e-3 * std::max(0, i - 50)).toLatin1());
        }
        Filho<QComboBox>(s, "FonteCombo")->setCurrentIndex(TSintonia::FonteArquivo);
        Digita(Filho<QLineEdit>(s, "ArquivoText"), amb_->caminho("quase_plano.csv"), false);
        Clica(s, "LerBTN");
        QVERIFY2(s->identificacao(), qPrintable(s->mensagem()));
        auto* regras = Filho<QTableWidget>(s, "RegrasTabela");
        QVERIFY(regras->rowCount() > 0);
        QVERIFY2(s->mensagem().startsWith("SIMC P/PI, IMC PI, AMIGO PI/PID, Ziegler-Nichols P/PI/PID: Kc") && s->mensagem().contains("lies outside 0.0001 to 10000"),
                 qPrintable(s->mensagem()));
        QVERIFY(regras->item(0, 2)->toolTip().contains("lies outside"));

        for (auto [campo, texto] : {std::pair{"TcText", "4.9e-324"}, std::pair{"LambdaText", "1e300"}}) {
            Digita(Filho<QLineEdit>(s, campo), texto);
            QVERIFY2(s->mensagem().contains("between 0.1 and 1000000 s"), qPrintable(s->mensagem()));
            QCOMPARE(regras->rowCount(), 0);
            QCOMPARE(Filho<GraficoMalha>(s, "RespostaSP")->pv()->count(), 0);
            QVERIFY(!Filho<QAbstractButton>(s, "AplicarBTN")->isEnabled());
            QVERIFY(s->identificacao());
            Digita(Filho<QLineEdit>(s, campo), "");
        }
        QVERIFY(regras->rowCount() > 0);
    }

    // Every control a student reaches is named and has an accessible name.
    void controlsAreNamed() {
        Faceplate* f = Abre();
        QVERIFY(!Filho(f, "SintoniaBTN")->accessibleName().isEmpty());
        Clica(f, "SintoniaBTN");
        TSintonia* s = f->sintonia();
        for (const char* nome :
             {"FonteCombo", "ArquivoText", "ArquivoBTN", "EnderecoMV", "EnderecoPV", "DegrauSimText",
              "DuracaoSimText", "LerBTN", "DadosGrafico",
              "InicioSpin", "DegrauSpin", "FimSpin", "IdentificarBTN", "ModeloCombo", "ModelosTabela", "TcText",
              "LambdaText", "RegrasTabela", "PainelIndices", "RespostaAbas", "RespostaSP", "RespostaCarga",
              "Progresso", "MensagemSintonia", "AplicarBTN", "FecharBTN"})
            QVERIFY2(!Filho(s, nome)->accessibleName().isEmpty(), nome);
        QCOMPARE(ControlesSemNomeAcessivel(s), QStringList{});
    }

private:
    // The example with its flow process made a clean first order plus dead
    // time; the loop put in manual unless told otherwise.
    Faceplate* Abre(bool manual = true) {
        amb_->janela->ciclo().Carrega(PastaExemplos() + "/basic flow loop/basic flow loop.smp", true);
        amb_->app->timer().stop();
        auto& p = *amb_->app->sim().processos.como<TProcesso>(1);
        p.ComboBox1 = 0;
        p.ComboBox2 = 0;
        p.tal = p.Histerese = p.valveStext = p.ratetext = "0";
        p.GanhoText = QString::number(kGanho).toStdString();
        p.LText = QString::number(kTau).toStdString();
        p.Ctext = "0";
        p.TempoMorto = QString::number(kTempoMorto).toStdString();
        p.ValidaParametros(false);
        auto* f = qobject_cast<Faceplate*>(amb_->janela->janelas().Abre(Familia::Controlador, 1));
        if (manual && f->modelo().estado.modoAuto) Clica(f, "AutoManualBTN");
        return f;
    }
    void Tica(int n) {
        for (int i = 0; i < n; ++i) amb_->app->Tick();
    }

    std::unique_ptr<Ambiente> amb_;
};

QTEST_MAIN(TSintoniaTest)
#include "TSintoniaTest.moc"
