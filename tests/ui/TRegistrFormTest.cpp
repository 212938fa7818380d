// The trend recorder window: sampling in the cycle, legends, "Nenhum", the
// scale, the third-variable link, pause with cursor, the data log and the
// two widths of the window.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "Auxiliares.h"
#include "core/Cp1252.h"
#include "ui/main/Diagrama.h"
#include "ui/project/CicloProjeto.h"
#include "ui/recorders/CicloRegistros.h"
#include "ui/recorders/TRegistrForm.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::teste;

class TRegistrFormTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<Ambiente> amb_;
    DadosRegistrador* dados_ = nullptr;

    Memorias& mem() { return amb_->app->sim().mem; }
    TRegistrForm& janela() { return *amb_->janela->registros().registrador(1); }
    template <class T>
    T* filho(const char* nome) {
        return janela().findChild<T*>(QString::fromLatin1(nome));
    }
    void Ticks(int n) {
        for (int i = 0; i < n; ++i) amb_->app->Tick();
    }
    // Enter in a line edit.
    void Confirma(QLineEdit* e, const QString& texto) {
        e->setText(texto);
        QTest::keyClick(e, Qt::Key_Return);
    }
    QStringList Linhas(const QString& nome) {
        QFile f(amb_->caminho(nome));
        if (!f.open(QIODevice::ReadOnly)) return {};
        return QString::fromStdString(Cp1252ParaUtf8(f.readAll().toStdString())).split("\r\n", Qt::SkipEmptyParts);
    }

private slots:
    void init() {
        amb_ = std::make_unique<Ambiente>();
        amb_->janela->show();
        amb_->janela->ciclo().Novo();
        Projeto& p = amb_->app->projeto();
        dados_ = &p.CriaRegistrador(1);
        dados_->TagText = "TIC1";
        dados_->Variavel1Select = 20;  // M21
        mem().setUeMin(21, "0");
        mem().setUeMax(21, "200");
        mem().setUnidade(21, "°C");
        janela().AtualizaRegistrador();
    }
    void cleanup() { amb_.reset(); }

    void markerTogglesTheWindow() {
        Diagrama& d = amb_->janela->diagrama();
        amb_->janela->AtualizaDiagrama();
        d.marcador(Familia::Registrador, 1)->click();
        QVERIFY(janela().isVisible());
        // A tagged recorder opens with its chart only, ready to leave.
        QVERIFY(!janela().configuracaoVisivel());
        QVERIFY(filho<QToolButton>("SairBTN")->isEnabled());
        filho<QToolButton>("ConfBTN")->click();
        QVERIFY(janela().configuracaoVisivel());
        QVERIFY(!filho<QToolButton>("SairBTN")->isEnabled());
        d.marcador(Familia::Registrador, 1)->click();
        QVERIFY(!janela().isVisible());
        QCOMPARE(janela().windowTitle(), QString("TIC1 - "));
    }

    void samplingFollowsTheTimeBase_data() {
        QTest::addColumn<int>("base");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("amostras");
        QTest::newRow("3 s per division, every cycle") << 0 << 10 << 10;
        QTest::newRow("9 s per division, every third") << 1 << 10 << 3;
        QTest::newRow("1 min per division, every twentieth") << 2 << 45 << 2;
    }
    void samplingFollowsTheTimeBase() {
        QFETCH(int, base);
        QFETCH(int, ticks);
        QFETCH(int, amostras);
        dados_->BaseTempoBox = base;
        Ticks(ticks);
        QCOMPARE(janela().amostrador().posicao(), amostras);
    }

    // The recorder is the project's: it samples in the cycle though its
    // window was never built, and the window opened later shows what it
    // holds.
    void samplesWithoutItsWindow() {
        Projeto& p = amb_->app->projeto();
        DadosRegistrador& r = p.CriaRegistrador(2);
        r.Variavel1Select = 20;  // M21, 0..200 °C
        r.AtualizaRegistrador();
        mem()[21] = 25;
        Ticks(7);
        QVERIFY(!amb_->janela->janelas().janela(Familia::Registrador, 2));
        QCOMPARE(r.amostrador().posicao(), 7);
        QCOMPARE(r.amostrador().Ponto(AmostradorRegistrador::Curva1, 449), std::uint8_t(50));
        amb_->janela->AtualizaDiagrama();
        amb_->janela->diagrama().marcador(Familia::Registrador, 2)->click();
        auto* janela = qobject_cast<TRegistrForm*>(amb_->janela->janelas().janela(Familia::Registrador, 2));
        QVERIFY(janela && janela->isVisible());
        QCOMPARE(janela->findChild<QLabel*>("VermelhoLabel")->text(), QString("PV: 50.00 °C"));
        QCOMPARE(janela->findChild<QLineEdit*>("eSupText")->text(), QString("200.0"));
    }

    void legendsUseVariableOnesRangeAndNenhumRemovesCurves() {
        dados_->Variavel2Select = 21;  // M22, a 0..10 bar variable
        dados_->Variavel3Select = 0;   // M1
        mem().setUeMax(22, "10");
        mem().setUnidade(22, "bar");
        mem()[21] = 50;
        mem()[22] = 25;
        mem()[1] = 12.5;
        janela().AtualizaRegistrador();
        janela().show();
        Ticks(1);
        QCOMPARE(filho<QLabel>("VermelhoLabel")->text(), QString("PV: 100.00 °C"));
        QCOMPARE(filho<QLabel>("AzulLabel")->text(), QString("SP: 50.00 °C"));
        QCOMPARE(filho<QLabel>("VerdeLabel")->text(), QString("MV: 12.50%"));
        const AmostradorRegistrador& a = janela().amostrador();
        QCOMPARE(a.Ponto(AmostradorRegistrador::Curva1, 449), std::uint8_t(100));
        QCOMPARE(a.Ponto(AmostradorRegistrador::Curva3, 449), std::uint8_t(25));

        auto* var3 = filho<QComboBox>("Variavel3Select");
        QCOMPARE(var3->count(), 125);
        QCOMPARE(var3->itemText(124), QString("Nenhum"));
        var3->setCurrentIndex(124);
        emit var3->activated(124);
        QCOMPARE(dados_->Variavel3Select, 124);
        QVERIFY(!amb_->app->salvo());
        Ticks(1);
        QCOMPARE(filho<QLabel>("VerdeLabel")->text(), QString());
        QVERIFY(a.legenda(AmostradorRegistrador::Curva3).empty());
    }

    void scaleIsAutomaticOrTyped() {
        auto* sup = filho<QLineEdit>("eSupText");
        auto* inf = filho<QLineEdit>("eInfText");
        QCOMPARE(sup->text(), QString("200.0"));
        QCOMPARE(inf->text(), QString(" 0.0"));
        QCOMPARE(filho<QLabel>("Label2")->text(), QString("180"));
        QCOMPARE(filho<QLabel>("Label10")->text(), QString("20"));
        QCOMPARE(filho<QLabel>("Label1")->text(), QString("°C"));

        // "Auto" spans 0.9 x minimum .. 1.1 x maximum of the history.
        for (double v : {40.0, 60.0}) {
            mem()[21] = v;
            Ticks(225);
        }
        filho<QCheckBox>("EscalaAuto")->click();
        QCOMPARE(sup->text(), QString("132.0"));  // 66 % of 0..200
        QCOMPARE(inf->text(), QString("72.0"));   // 36 %

        // A typed range turns "Auto" off; a refused one leaves the range.
        Confirma(sup, "150");
        QVERIFY(!filho<QCheckBox>("EscalaAuto")->isChecked());
        QCOMPARE(janela().amostrador().topo(), 75.0);
        QCOMPARE(janela().amostrador().base(), 36.0);
        for (const char* ruim : {"abc", "50"}) {
            Confirma(sup, ruim);
            QCOMPARE(janela().amostrador().topo(), 75.0);
        }
        // A flat history still gets a range with height.
        AmostradorRegistrador outro(mem(), *dados_);
        outro.EscalaAuto = true;
        outro.AtualizaRegistrador();
        QVERIFY(outro.topo() > outro.base());
    }

    void thirdVariableLinksToTheController() {
        Projeto& p = amb_->app->projeto();
        p.CriaControlador(4).VariavelSelect = 26;  // PV from M27
        auto* var3 = filho<QComboBox>("Variavel3Select");
        var3->setCurrentIndex(3);
        emit var3->activated(3);
        QCOMPARE(dados_->Variavel2Select, 63);  // M64
        QCOMPARE(dados_->Variavel1Select, 26);  // M27
        QCOMPARE(filho<QComboBox>("Variavel1Select")->currentIndex(), 26);
    }

    void pausedCursorReadsTheChart() {
        janela().show();
        auto* pausa = filho<QToolButton>("SpeedButton1");
        pausa->click();
        QVERIFY(filho<QWidget>("Panel3")->isVisible());
        const int antes = janela().amostrador().posicao();
        Ticks(3);
        QCOMPARE(janela().amostrador().posicao(), antes);
        QWidget* grafico = filho<QWidget>("Image1");
        Confirma(filho<QLineEdit>("eSupText"), "100");
        Confirma(filho<QLineEdit>("eInfText"), "0");
        QTest::mouseClick(grafico, Qt::LeftButton, {}, QPoint(150, 100));
        QCOMPARE(filho<QLabel>("CoodsText1")->text(), QString("Y: 50.0 %  T: 15.0 s"));
        QTest::mouseClick(grafico, Qt::LeftButton, {}, QPoint(10, 2));
        QCOMPARE(filho<QLabel>("CoodsText2")->text(), QString("Y: 99.0 %  T:  1.0 s"));
        // Closing ends the pause.
        filho<QToolButton>("SairBTN")->click();
        QVERIFY(!janela().isVisible());
        QVERIFY(!janela().amostrador().pausado);
    }

    void logWritesNumberedFilesInTheCurrentFolder_data() {
        QTest::addColumn<int>("base");
        QTest::addColumn<bool>("virgula");
        QTest::addColumn<bool>("ue");
        QTest::addColumn<QString>("cabecalho");
        QTest::addColumn<QString>("linha1");
        QTest::addColumn<QString>("linha2");
        QTest::newRow("0.1 s, raw %") << 0 << false << false << "Tempo (0.100 seg);PV;SP;MV"
                                      << "0.00;25.00;0.00;0.00" << "0.10;25.00;0.00;0.00";
        QTest::newRow("1/3 s, comma") << 1 << true << false << "Tempo (0.334 seg);PV;SP;MV"
                                      << "0,00;25,00;0,00;0,00" << "0,33;25,00;0,00;0,00";
        QTest::newRow("2 s, engineering units") << 2 << false << true << "Tempo (2 seg);PV;SP;MV"
                                                << "0.00;50.00;0.00;0.00" << "2.00;50.00;0.00;0.00";
    }
    void logWritesNumberedFilesInTheCurrentFolder() {
        QFETCH(int, base);
        QFETCH(bool, virgula);
        QFETCH(bool, ue);
        QFETCH(QString, cabecalho);
        QFETCH(QString, linha1);
        QFETCH(QString, linha2);
        dados_->BaseTempoBox = base;
        mem()[21] = 25;
        QFile(amb_->caminho("TIC1_1.txt")).open(QIODevice::WriteOnly);
        janela().show();
        filho<QToolButton>("ConfBTN")->click();
        if (virgula) filho<QCheckBox>("UsarVirgula")->click();
        if (ue) filho<QCheckBox>("UsarUE")->click();
        auto* arquivar = filho<QCheckBox>("CheckBox1");
        QVERIFY(arquivar->isEnabled());
        arquivar->click();
        QVERIFY(!filho<QLineEdit>("TagText")->isEnabled());
        QVERIFY(!filho<QComboBox>("BaseTempoBox")->isEnabled());
        Ticks(40);
        arquivar->click();
        QCOMPARE(amb_->roteiro->informacoes.last(), QString("Data saved: TIC1_2.txt"));
        QVERIFY(filho<QLineEdit>("TagText")->isEnabled());
        const QStringList linhas = Linhas("TIC1_2.txt");
        QCOMPARE(linhas.value(0), cabecalho);
        QCOMPARE(linhas.value(1), linha1);
        QCOMPARE(linhas.value(2), linha2);

        // A second log takes the next number and goes on with the time.
        arquivar->click();
        Ticks(20);
        arquivar->click();
        QCOMPARE(amb_->roteiro->informacoes.last(), QString("Data saved: TIC1_3.txt"));
        const QStringList segundo = Linhas("TIC1_3.txt");
        QVERIFY(segundo.size() > 1);
        QVERIFY(segundo.value(1).section(';', 0, 0) != QString(virgula ? "0,00" : "0.00"));
    }

    // The log is the recorder's: it goes on while no window exists, and a
    // window built again shows it running and can end it.
    void logOutlivesItsWindow() {
        mem()[21] = 25;
        filho<QCheckBox>("CheckBox1")->click();
        amb_->janela->janelas().Fecha(Familia::Registrador, 1);
        Ticks(3);
        QVERIFY(janela().amostrador().registrando());
        QVERIFY(filho<QCheckBox>("CheckBox1")->isChecked());
        QVERIFY(!filho<QLineEdit>("TagText")->isEnabled());
        filho<QCheckBox>("CheckBox1")->click();
        QCOMPARE(amb_->roteiro->informacoes.last(), QString("Data saved: TIC1_1.txt"));
        QVERIFY(filho<QLineEdit>("TagText")->isEnabled());
        QCOMPARE(Linhas("TIC1_1.txt").size(), 4);
    }

    void logNeedsATagAndASafeFileName() {
        dados_->TagText.clear();
        janela().AtualizaRegistrador();
        QVERIFY(!filho<QCheckBox>("CheckBox1")->isEnabled());
        // A tag with a path separator still logs into the current folder.
        dados_->TagText = "FIC/2";
        janela().AtualizaRegistrador();
        filho<QCheckBox>("CheckBox1")->click();
        Ticks(2);
        filho<QCheckBox>("CheckBox1")->click();
        QCOMPARE(amb_->roteiro->informacoes.last(), QString("Data saved: FIC_2_1.txt"));
        QVERIFY(QFile::exists(amb_->caminho("FIC_2_1.txt")));
    }

    void englishCaptions() {
        amb_->janela->TraduzIngles();
        janela().show();
        QCOMPARE(filho<QCheckBox>("CheckBox1")->text(), QString("Archive"));
        QCOMPARE(filho<QCheckBox>("CheckBox2")->text(), QString("Strong Line"));
        QCOMPARE(filho<QLabel>("BaseTempoLabel")->text(), QString("1 division time="));
        QCOMPARE(filho<QToolButton>("SpeedButton1")->toolTip(), QString("Pause Trend"));
        QCOMPARE(filho<QToolButton>("SairBTN")->accessibleName(), QString("Exit"));
        QCOMPARE(filho<QComboBox>("BaseTempoBox")->itemText(2), QString("1 minuto"));
        QCOMPARE(ControlesSemNomeAcessivel(&janela()), QStringList{});
    }
};

QTEST_MAIN(TRegistrFormTest)
#include "TRegistrFormTest.moc"
