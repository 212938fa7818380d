// The animated text window and its value on the diagram: the three types
// with their layouts, formats and alarm colours.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "Auxiliares.h"
#include "ui/main/Diagrama.h"
#include "ui/project/CicloProjeto.h"
#include "ui/recorders/CicloRegistros.h"
#include "ui/recorders/TForm2.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::teste;

class TForm2Test : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<Ambiente> amb_;
    DadosTexto* dados_ = nullptr;

    Memorias& mem() { return amb_->app->sim().mem; }
    TForm2& janela() { return *amb_->janela->registros().texto(1); }
    template <class T>
    T* filho(const char* nome) {
        return janela().findChild<T*>(QString::fromLatin1(nome));
    }
    // One display refresh (every sixth tick).
    void Display() {
        for (int i = 0; i < 6; ++i) amb_->app->Tick();
    }
    QLabel* valor() { return amb_->janela->diagrama().valorTexto(1); }
    static bool Vermelho(const QLabel* l) { return l->palette().color(QPalette::WindowText) == QColor(Qt::red); }

private slots:
    void init() {
        amb_ = std::make_unique<Ambiente>();
        amb_->janela->show();
        amb_->janela->ciclo().Novo();
        Projeto& p = amb_->app->projeto();
        dados_ = &p.CriaTexto(1);
        p.marcadores.textos[0].exibido = true;
        amb_->janela->AtualizaDiagrama();
    }
    void cleanup() { amb_.reset(); }

    void newTextShowsZeroAndABlank() {
        Display();
        QCOMPARE(valor()->text(), QString("0.00 "));
        QVERIFY(!Vermelho(valor()));
        QCOMPARE(janela().valor()->text(), QString("0.00 "));
    }

    // The value on the diagram comes from the text itself, computed by the
    // cycle; no text window is built for it.
    void diagramLabelUpdatesWithoutTheWindow() {
        dados_->Tipo = 1;
        dados_->ComboBox1 = 10;  // M11, switch 1
        dados_->FuncaoTr = "Parado/Ligado";
        dados_->ValidaParametros();
        mem()[11] = 1;
        Display();
        QCOMPARE(valor()->text(), QString("Ligado"));
        QVERIFY(!Vermelho(valor()));
        mem()[11] = 0;
        Display();
        QCOMPARE(valor()->text(), QString("Parado"));
        QVERIFY(Vermelho(valor()));
        QVERIFY(!amb_->janela->janelas().janela(Familia::Texto, 1));
    }

    void binaryTextShowsItsTwoWords_data() {
        QTest::addColumn<double>("v");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("vermelho");
        QTest::newRow("0") << 0.0 << "Parado" << true;
        QTest::newRow("1") << 1.0 << "Ligado" << false;
        QTest::newRow("negative") << -3.0 << "Ligado" << false;
        QTest::newRow("half") << 0.5 << "Ligado" << false;
    }
    void binaryTextShowsItsTwoWords() {
        QFETCH(double, v);
        QFETCH(QString, texto);
        QFETCH(bool, vermelho);
        dados_->Tipo = 1;
        dados_->ComboBox1 = 10;  // M11, switch 1
        dados_->FuncaoTr = "Parado/Ligado";
        janela().ValidaParametros();
        mem()[11] = v;
        Display();
        QCOMPARE(valor()->text(), texto);
        QCOMPARE(Vermelho(valor()), vermelho);
    }

    void scalarAndFormulaFormats_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("formula");
        QTest::addColumn<double>("m21");
        QTest::addColumn<int>("casas");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("vermelho");
        // M21: 0..200 °C, limits 20 and 150.
        QTest::newRow("scalar in range") << 0 << "" << 50.0 << 1 << "100.0 °C" << false;
        QTest::newRow("scalar above LSE") << 0 << "" << 80.0 << 0 << "160 °C" << true;
        QTest::newRow("scalar below LIE") << 0 << "" << 5.0 << 3 << "10.000 °C" << true;
        QTest::newRow("formula of 50 on 0..200") << 2 << "25*2" << 0.0 << 1 << "100.0 kg" << false;
        QTest::newRow("formula with a comma") << 2 << "M21/2,5" << 50.0 << 2 << "40.00 kg" << false;
    }
    void scalarAndFormulaFormats() {
        QFETCH(int, tipo);
        QFETCH(QString, formula);
        QFETCH(double, m21);
        QFETCH(int, casas);
        QFETCH(QString, texto);
        QFETCH(bool, vermelho);
        mem().setUeMin(21, "0");
        mem().setUeMax(21, "200");
        mem().setLie(21, "20");
        mem().setLse(21, "150");
        mem().setUnidade(21, "°C");
        dados_->Tipo = tipo;
        dados_->ComboBox1 = tipo == 0 ? 20 : -1;
        dados_->FuncaoTr = formula.toStdString();
        dados_->Edit1 = "200";
        dados_->Edit4 = "0";
        dados_->Unidade = "kg";
        dados_->CasasDecimais = casas;
        janela().ValidaParametros();
        mem()[21] = m21;
        Display();
        QCOMPARE(valor()->text(), texto);
        QCOMPARE(Vermelho(valor()), vermelho);
    }

    void variableTableChangesReachTheText() {
        dados_->ComboBox1 = 20;  // M21
        mem().setUeMax(21, "100");
        mem().setUnidade(21, "m");
        janela().ValidaParametros();
        mem().setUeMax(21, "400");
        mem().setUnidade(21, "cm");
        amb_->janela->registros().AtualizaTodos();
        QCOMPARE(dados_->Edit1, std::string("400"));
        mem()[21] = 50;
        Display();
        QCOMPARE(valor()->text(), QString("200.00 cm"));
    }

    void layoutFollowsTheType() {
        janela().show();
        struct Caso {
            int tipo;
            const char* rotulo;
            bool lista, formula, faixa, alarmes;
        };
        for (const Caso& c : {Caso{1, "<Texto>", true, true, false, false}, Caso{2, "Equação", false, true, true, false},
                              Caso{0, "Variável", true, false, true, true}}) {
            filho<QRadioButton>(QString("Tipo%1").arg(c.tipo).toLatin1().constData())->click();
            QCOMPARE(dados_->Tipo, c.tipo);
            QCOMPARE(filho<QLabel>("Label3")->text(), QString::fromUtf8(c.rotulo));
            QCOMPARE(filho<QComboBox>("ComboBox1")->isVisible(), c.lista);
            QCOMPARE(filho<QLineEdit>("FuncaoTr")->isVisible(), c.formula);
            QCOMPARE(filho<QWidget>("Panel1")->isVisible(), c.faixa);
            QCOMPARE(filho<QLineEdit>("Edit2")->isVisible(), c.alarmes);
        }
        QVERIFY(filho<QLineEdit>("Edit1")->isReadOnly());
        QVERIFY(!amb_->app->salvo());
    }

    void choosingAControllerOutputStartsTheRangeAtZero() {
        mem().setUeMin(3, "10");
        mem().setUeMax(3, "90");
        janela().show();
        auto* lista = filho<QComboBox>("ComboBox1");
        lista->setCurrentIndex(2);
        emit lista->activated(2);
        QCOMPARE(filho<QLineEdit>("Edit4")->text(), QString("0.00"));
        QCOMPARE(filho<QLineEdit>("Edit1")->text(), QString("90"));
        QCOMPARE(dados_->ComboBox1, 2);
    }

    void sairAppliesAndRangeCarriesIntoAlarm() {
        janela().show();
        filho<QRadioButton>("Tipo2")->click();
        auto* max = filho<QLineEdit>("Edit1");
        max->setText("");
        QTest::keyClicks(max, "300");
        QCOMPARE(dados_->Edit1, std::string("300"));
        QCOMPARE(filho<QLineEdit>("Edit2")->text(), QString("300"));
        auto* descricao = filho<QLineEdit>("DescricaoText");
        descricao->setText(QString::fromUtf8("Vazão"));
        emit descricao->textEdited(descricao->text());
        filho<QPushButton>("SairButton")->click();
        QVERIFY(!janela().isVisible());
        QCOMPARE(filho<QLabel>("Label4")->text(), QString("Vazão"));
        QCOMPARE(amb_->janela->diagrama().rotuloTexto(1)->text(), QString("Vazão"));
        // Only "Sair" closes.
        janela().show();
        janela().close();
        QVERIFY(janela().isVisible());
    }

    void clickOnTheValueOpensTheWindowInEnglish() {
        amb_->janela->TraduzIngles();
        Display();
        QTest::mouseClick(valor(), Qt::LeftButton);
        QVERIFY(janela().isVisible());
        QCOMPARE(janela().windowTitle(), QString("Animated text"));
        QCOMPARE(filho<QRadioButton>("Tipo1")->text(), QString("Binary"));
        QCOMPARE(filho<QComboBox>("ComboBox1")->toolTip(), QString("Variable to show"));
        QCOMPARE(ControlesSemNomeAcessivel(&janela()), QStringList{});
    }
};

QTEST_MAIN(TForm2Test)
#include "TForm2Test.moc"
