// The panel widgets on the diagram: switches, command buttons, tracks and
// shapes, with their settings from the configuration dialog.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSlider>
#include <QTest>

#include "Auxiliares.h"
#include "ui/main/Diagrama.h"
#include "ui/project/CicloProjeto.h"
#include "ui/project/TConfigForm.h"
#include "ui/recorders/PainelWidgets.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::teste;

class PainelWidgetsTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        amb_ = std::make_unique<Ambiente>();
        amb_->janela->show();
        amb_->janela->ciclo().Novo();
        amb_->acao("Configurao2")->trigger();
        cfg_ = &amb_->janela->config();
        painel_ = &amb_->janela->painel();
    }
    void cleanup() { amb_.reset(); }

    void doubleClickingASwitchTwiceReturnsToItsFirstState() {
        cfg_->findChild<QCheckBox*>("Chave1Check")->click();
        auto* tipo = cfg_->findChild<QComboBox*>("Chave1Tipo");
        tipo->setCurrentIndex(1);
        emit tipo->activated(1);
        QLabel* p3 = painel_->figuraChave(1, 3);
        QLabel* p4 = painel_->figuraChave(1, 4);
        QVERIFY(p3->isVisible());
        QVERIFY(p4->isHidden());
        QCOMPARE(p3->toolTip(), QString("Saída em M11"));
        QTest::mouseDClick(p3, Qt::LeftButton);
        QCOMPARE(amb_->app->sim().mem[11], 1.0);
        QVERIFY(p3->isHidden());
        QVERIFY(p4->isVisible());
        QTest::mouseDClick(p4, Qt::LeftButton);
        QCOMPARE(amb_->app->sim().mem[11], 0.0);
        QVERIFY(p3->isVisible());
        // A new orientation shows the first picture of its pair; M11 stays.
        QTest::mouseDClick(p3, Qt::LeftButton);
        tipo->setCurrentIndex(3);
        emit tipo->activated(3);
        QVERIFY(painel_->figuraChave(1, 7)->isVisible());
        QCOMPARE(amb_->app->sim().mem[11], 1.0);
    }

    void lampButtonsLatchTheirVariable() {
        cfg_->findChild<QCheckBox*>("Botao1_check")->click();
        QGroupBox* painel = painel_->painelComando();
        QVERIFY(painel->isVisible());
        QCOMPARE(painel->height(), 70);
        auto* norm = painel->findChild<QLabel*>("Botao1_norm");
        auto* press = painel->findChild<QLabel*>("botao1_press");
        QTest::mouseClick(norm, Qt::LeftButton);
        QCOMPARE(amb_->app->sim().mem[97], 1.0);
        QVERIFY(press->isVisible());
        amb_->app->projeto().botoes[0].textoUm = "Ligado";
        for (int i = 0; i < 6; ++i) amb_->app->Tick();
        QCOMPARE(painel->findChild<QLabel*>("botao1_texto")->text(), QString("Ligado"));
        QTest::mouseClick(press, Qt::LeftButton);
        QCOMPARE(amb_->app->sim().mem[97], 0.0);
        cfg_->findChild<QCheckBox*>("Botao2_check")->click();
        QCOMPARE(painel->height(), 120);
        cfg_->findChild<QCheckBox*>("Botao1_check")->click();
        QVERIFY(painel->isHidden());
    }

    void trackEntryChecksItsRange() {
        Memorias& mem = amb_->app->sim().mem;
        mem.setUeMin(15, "0");
        mem.setUeMax(15, "500");
        cfg_->findChild<QCheckBox*>("Ent1check")->click();
        QLineEdit* texto = painel_->textoTrack(1);
        QVERIFY(texto->isVisible());
        // Named by the track's caption, or by its variable while it has none.
        QCOMPARE(texto->accessibleName(), QString("Track 1 (M15)"));
        QCOMPARE(painel_->barraTrack(1)->accessibleName(), texto->accessibleName());
        amb_->app->projeto().tracks[0].rotulo = "Vazão";
        painel_->AplicaTrack(1);
        QCOMPARE(texto->accessibleName(), QString("Vazão"));
        QCOMPARE(painel_->barraTrack(1)->accessibleName(), QString("Vazão"));
        texto->setText("250");
        QTest::keyClick(texto, Qt::Key_Return);
        QCOMPARE(mem[15], 50.0);
        QCOMPARE(painel_->barraTrack(1)->value(), 5000);
        QCOMPARE(texto->text(), QString("250.00"));
        texto->setText("600");
        QTest::keyClick(texto, Qt::Key_Return);
        QCOMPARE(texto->text(), QString("250.00"));
        QCOMPARE(mem[15], 50.0);
        painel_->barraTrack(1)->setValue(1000);
        QCOMPARE(mem[15], 10.0);
        QCOMPARE(texto->text(), QString("50.00"));
        // A value between two slider steps: the slider's change takes the
        // variable and the text to its step.
        texto->setText("250.33");
        QTest::keyClick(texto, Qt::Key_Return);
        QCOMPARE(painel_->barraTrack(1)->value(), 5007);
        QCOMPARE(mem[15], 50.07);
        QCOMPARE(texto->text(), QString("250.35"));
        // Esc and a text that is no number bring back the slider's value.
        for (const char* ruim : {"abc", ""}) {
            texto->setText(ruim);
            QTest::keyClick(texto, Qt::Key_Return);
            QCOMPARE(texto->text(), QString("250.35"));
        }
        texto->setText("1");
        QTest::keyClick(texto, Qt::Key_Escape);
        QCOMPARE(texto->text(), QString("250.35"));
    }

    void trackNameMovesTheEntryBox_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<int>("deslocamento");
        QTest::addColumn<int>("fundo");
        QTest::newRow("6 characters") << "abcdef" << 52 << 117;
        QTest::newRow("7 characters") << "abcdefg" << 59 << 124;
        QTest::newRow("10 characters") << "abcdefghij" << 80 << 145;
    }
    void trackNameMovesTheEntryBox() {
        QFETCH(QString, nome);
        QFETCH(int, deslocamento);
        QFETCH(int, fundo);
        cfg_->findChild<QCheckBox*>("Ent3Check")->click();
        QTest::keyClicks(cfg_->findChild<QLineEdit*>("Ent3Label"), nome);
        auto* trackFundo = amb_->janela->diagrama().findChild<QFrame*>("TrackBack3");
        QCOMPARE(trackFundo->width(), fundo);
        // Dragging the track lays its parts out from the name's length.
        amb_->acao("MoverObjetos2")->trigger();
        QTest::mouseClick(trackFundo, Qt::LeftButton);
        QMouseEvent mover(QEvent::MouseMove, QPointF(200, 300), QPointF(200, 300), Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(&amb_->janela->diagrama(), &mover);
        QCOMPARE(trackFundo->pos(), QPoint(200, 300));
        QCOMPARE(painel_->textoTrack(3)->pos(), QPoint(200 + deslocamento, 304));
        QCOMPARE(painel_->barraTrack(3)->pos(), QPoint(204, 322));
        QCOMPARE(amb_->app->projeto().tracks[2].esquerda, 200);
    }

    void rectangleGrowsFromItsBase() {
        Projeto& p = amb_->app->projeto();
        cfg_->findChild<QCheckBox*>("Imagem1Check")->click();
        auto* tipo = cfg_->findChild<QComboBox*>("Imagem1Tipo");
        tipo->setCurrentIndex(1);
        emit tipo->activated(1);
        amb_->janela->AtualizaDiagrama();
        p.sim.mem[1] = 30;
        for (int i = 0; i < 6; ++i) amb_->app->Tick();
        QWidget* forma = painel_->forma(1);
        QCOMPARE(forma->height(), 30);
        QCOMPARE(forma->y(), p.formas[0].topoBase + 70);
    }

    // A redraw (an A/M click, Refresh) shows the lamp as its variable is,
    // paused or not, not in its "off" colour.
    void aRedrawShowsTheLampsCurrentColour() {
        Projeto& p = amb_->app->projeto();
        cfg_->findChild<QCheckBox*>("Imagem1Check")->click();
        p.formas[0].cor1 = kCorVermelho;
        p.formas[0].cor2 = kCorLima;
        for (const double v : {1.0, 0.0}) {
            p.sim.mem[p.formas[0].variavel + 1] = v;
            amb_->janela->AtualizaDiagrama();
            QWidget* lampada = painel_->forma(1);
            const QImage img = lampada->grab().toImage();
            QCOMPARE(img.pixelColor(img.rect().center()), v != 0 ? QColor(Qt::green) : QColor(Qt::red));
        }
    }

private:
    std::unique_ptr<Ambiente> amb_;
    TConfigForm* cfg_ = nullptr;
    PainelWidgets* painel_ = nullptr;
};

QTEST_MAIN(PainelWidgetsTest)
#include "PainelWidgetsTest.moc"
