// The signal generator window: the rows and their kinds, the layout by kind
// with its placeholders, every apply trigger, readouts, help and English.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "Auxiliares.h"
#include "ui/i18n/Exemplos.h"
#include "ui/objects/JanelaGeradores.h"
#include "ui/project/CicloProjeto.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::teste;

class JanelaGeradoresTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        amb_ = std::make_unique<Ambiente>();
        amb_->janela->ciclo().Novo();
        amb_->acao("Configurao1")->trigger();
        w_ = &amb_->janela->geradores();
        QVERIFY(w_->isVisible());
    }
    void cleanup() { amb_.reset(); }

    void sixteenRowsWithTheKindsTheyOffer() {
        QCOMPARE(w_->windowTitle(), QString("Gerador de Sinais"));
        for (int g = 81; g <= 96; ++g) {
            const int esperado = g <= 85 ? 10 : g <= 90 ? 7 : 2;
            QCOMPARE(Tipo(g)->count(), esperado);
            QCOMPARE(Tipo(g)->currentIndex(), 0);
            QCOMPARE(Campo(g, "Desc")->text(), QString("Descrição"));
            QCOMPARE(Campo(g, "Valor")->text(), QString("Valor"));
            QCOMPARE(Campo(g, "Min") != nullptr, g <= 90);
        }
        QCOMPARE(Campo(81, "Min")->text(), QString("Min."));
        QCOMPARE(Tipo(81)->itemText(5), QString("Sinal Senoidal"));
        QCOMPARE(Tipo(85)->itemText(9), QString("Exp()"));
        QCOMPARE(Campo(86, "Max")->accessibleName(), QString("M86 Máx."));
        QCOMPARE(w_->findChild<QWidget*>("SpeedButton1")->accessibleName(), QString("Ajuda"));
        QCOMPARE(ControlesSemNomeAcessivel(w_), QStringList{});
    }

    void layoutAndPlaceholdersByKind_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QStringList>("visiveis");  // Min Max Desc Valor ValorDig UpDown
        QTest::addColumn<QStringList>("textos");    // Min Max Desc Valor
        QTest::addColumn<bool>("soLeitura");
        QTest::addColumn<QString>("descricao");
        const QStringList sinal{"Min", "Max", "Desc", "Valor"};
        QTest::newRow("constant") << 0 << QStringList{"Desc", "Valor", "UpDown"}
                                  << QStringList{"Min.", "Máx.", "Descrição", "Valor"} << false << "Constante 0-100";
        QTest::newRow("0-1") << 1 << QStringList{"Desc", "ValorDig"} << QStringList{"Min.", "Máx.", "Descrição", "Valor"}
                             << false << "Constante 0-1";
        QTest::newRow("fast") << 2 << sinal << QStringList{"Min", "Máx.", "Descrição", "Valor"} << true << "Aleatório";
        QTest::newRow("medium") << 3 << sinal << QStringList{"Min.", "Máx.", "Tal(seg)", "Valor"} << true
                                << "Aleatório Médio";
        QTest::newRow("slow") << 4 << sinal << QStringList{"Min", "Máx.", "Descrição", "Valor"} << true << "Aleatório";
        QTest::newRow("sine") << 5 << sinal << QStringList{"Min.", "Máx.", "Per (seg)", "Valor"} << true
                              << "Sinal Senoidal";
        QTest::newRow("walk") << 6 << sinal << QStringList{"Inicial", "Ganho", "Faixa", "Valor"} << true
                              << "Random Walk";
        QTest::newRow("equation") << 7 << QStringList{"Desc", "Valor"}
                                  << QStringList{"Min.", "Máx.", "Descrição", "Equação"} << false << "Equação";
        QTest::newRow("ln") << 8 << QStringList{"Desc", "Valor"} << QStringList{"Min.", "Máx.", "Descrição", "Equação"}
                            << false << "LN()";
        QTest::newRow("exp") << 9 << QStringList{"Desc", "Valor"} << QStringList{"Min.", "Máx.", "Descrição", "Equação"}
                             << false << "Exp()";
    }
    void layoutAndPlaceholdersByKind() {
        QFETCH(int, tipo);
        QFETCH(QStringList, visiveis);
        QFETCH(QStringList, textos);
        QFETCH(bool, soLeitura);
        QFETCH(QString, descricao);
        // From another kind, so that the change is a change.
        Tipo(81)->setCurrentIndex(tipo == 6 ? 5 : 6);
        w_->Aplica();
        QVERIFY(!Botao1()->isEnabled());
        Tipo(81)->setCurrentIndex(tipo);
        QVERIFY(Botao1()->isEnabled());
        for (const char* parte : {"Min", "Max", "Desc", "Valor", "ValorDig", "UpDown"})
            QCOMPARE(w_->findChild<QWidget*>(QStringLiteral("M81") + parte)->isVisible(),
                     visiveis.contains(QString::fromLatin1(parte)));
        const char* partes[] = {"Min", "Max", "Desc", "Valor"};
        // Hidden fields keep their texts; the shown ones get the kind's placeholders.
        for (int i = 0; i < 4; ++i)
            if (visiveis.contains(QString::fromLatin1(partes[i]))) QCOMPARE(Campo(81, partes[i])->text(), textos[i]);
        QCOMPARE(Campo(81, "Valor")->isReadOnly(), soLeitura);
        QCOMPARE(QString::fromStdString(amb_->app->sim().mem.entrada(81).descricao), descricao);
        QCOMPARE(amb_->app->projeto().geradores.linha(81).Tipo, tipo);
    }

    void applyTriggers_data() {
        QTest::addColumn<QString>("gatilho");
        QTest::addColumn<bool>("marca");
        QTest::newRow("button") << "button" << true;
        QTest::newRow("enter") << "enter" << false;
        QTest::newRow("close") << "close" << true;
    }
    void applyTriggers() {
        QFETCH(QString, gatilho);
        QFETCH(bool, marca);
        QLineEdit* valor = Campo(83, "Valor");
        valor->clear();
        QTest::keyClicks(valor, "12,5");
        QVERIFY(Botao1()->isEnabled());
        QCOMPARE(amb_->app->projeto().geradores.linha(83).Valor, std::string("12,5"));
        QCOMPARE(amb_->app->sim().mem[83], 0.0);
        if (gatilho == "button")
            Botao1()->click();
        else if (gatilho == "enter")
            QTest::keyClick(valor, Qt::Key_Return);
        else
            w_->findChild<QPushButton*>("SairButton")->click();
        QCOMPARE(amb_->app->sim().mem[83], 12.5);
        QVERIFY(!Botao1()->isEnabled());
        QCOMPARE(!amb_->app->salvo(), marca);
        QCOMPARE(w_->isVisible(), gatilho != "close");
    }

    void radioClickApplies() {
        Tipo(91)->setCurrentIndex(1);
        w_->findChild<QRadioButton*>("M91ValorDig1")->click();
        QCOMPARE(amb_->app->sim().mem[91], 1.0);
        QCOMPARE(amb_->app->projeto().geradores.linha(91).Valor, std::string("1"));
        w_->findChild<QRadioButton*>("M91ValorDig0")->click();
        QCOMPARE(amb_->app->sim().mem[91], 0.0);
    }

    void spinButtonSetsWholeNumbersAndApplies() {
        QLineEdit* valor = Campo(82, "Valor");
        valor->clear();
        QTest::keyClicks(valor, "12,5");
        QTest::keyClick(valor, Qt::Key_Return);
        QCOMPARE(amb_->app->sim().mem[82], 12.5);
        auto* giro = w_->findChild<BotaoGiro*>("M82UpDown");
        QCOMPARE(giro->posicao(), 12);
        giro->cima()->click();
        QCOMPARE(amb_->app->sim().mem[82], 13.0);
        QCOMPARE(valor->text(), QString("13"));
        giro->baixo()->click();
        giro->baixo()->click();
        QCOMPARE(amb_->app->sim().mem[82], 11.0);
    }

    void signalRowsShowTheirValues() {
        Tipo(84)->setCurrentIndex(2);
        for (const auto& [parte, texto] : {std::pair{"Min", "20"}, std::pair{"Max", "80"}}) {
            Campo(84, parte)->clear();
            QTest::keyClicks(Campo(84, parte), texto);
        }
        Botao1()->click();
        QVERIFY(Campo(84, "Valor")->isReadOnly());
        for (int i = 0; i < 6; ++i) amb_->app->Tick();
        // The display refresh comes before the models step in a tick.
        emit amb_->app->displayAtualizar();
        const double v = amb_->app->sim().mem[84];
        QVERIFY(v >= 20 && v < 80);
        QCOMPARE(Campo(84, "Valor")->text(), QString::number(v, 'f', 2));
    }

    void helpOpensTheGeneratorsPage() {
        w_->findChild<QToolButton*>("SpeedButton1")->click();
        QCOMPARE(amb_->roteiro->urls.size(), 1);
        QVERIFY(amb_->roteiro->urls.first().toString().contains("gerador_sinais"));
    }

    void englishKindsKeepTheirLayout() {
        amb_.reset();
        amb_ = std::make_unique<Ambiente>();
        amb_->app->DefineIngles();
        amb_->janela->ciclo().Novo();
        amb_->acao("Configurao1")->trigger();
        w_ = &amb_->janela->geradores();
        QCOMPARE(w_->windowTitle(), QString("Signals Generator"));
        QCOMPARE(Botao1()->text(), QString("Refresh"));
        QCOMPARE(Tipo(81)->itemText(1), QString("Constant 0-1"));
        Tipo(81)->setCurrentIndex(1);
        QVERIFY(w_->findChild<QWidget*>("M81ValorDig")->isVisible());
        QVERIFY(!Campo(81, "Valor")->isVisible());
        QCOMPARE(w_->findChild<QWidget*>("SpeedButton1")->toolTip(), QString("Help"));
        QCOMPARE(ControlesSemNomeAcessivel(w_), QStringList{});
    }

    void loadedProjectShowsItsRows() {
        const auto ex = Exemplos();
        int indice = -1;
        for (int i = 0; i < int(ex.size()); ++i)
            if (QByteArray(ex[i].caminho).contains("frequencyresponse")) indice = i;
        QVERIFY(indice >= 0);
        amb_->janela->ciclo().AbreExemplo(indice);
        const TParmForm& banco = amb_->app->projeto().geradores;
        bool algumTipo = false;
        for (int g = 81; g <= 96; ++g) {
            QCOMPARE(Tipo(g)->currentIndex(), banco.linha(g).Tipo);
            QCOMPARE(Campo(g, "Desc")->text(), QString::fromStdString(banco.linha(g).Desc));
            algumTipo = algumTipo || banco.linha(g).Tipo != 0;
        }
        QVERIFY(algumTipo);
        QVERIFY(!Botao1()->isEnabled());
    }

    void projectResetReloadsTheRows() {
        Tipo(81)->setCurrentIndex(5);
        amb_->janela->ciclo().Exemplos();
        QVERIFY(!w_->isVisible());
        QCOMPARE(Tipo(81)->currentIndex(), 0);
        QCOMPARE(Campo(81, "Desc")->text(), QString("Descrição"));
    }

private:
    QComboBox* Tipo(int g) const { return w_->findChild<QComboBox*>(QStringLiteral("M%1Tipo").arg(g)); }
    QLineEdit* Campo(int g, const char* parte) const {
        return w_->findChild<QLineEdit*>(QStringLiteral("M%1").arg(g) + QLatin1String(parte));
    }
    QPushButton* Botao1() const { return w_->findChild<QPushButton*>("Button1"); }

    std::unique_ptr<Ambiente> amb_;
    JanelaGeradores* w_ = nullptr;
};

QTEST_MAIN(JanelaGeradoresTest)
#include "JanelaGeradoresTest.moc"
