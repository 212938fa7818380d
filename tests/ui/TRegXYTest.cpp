// The XY recorder: runs that fill the chart while the progress bar moves,
// presets per loop, and the chart's scale buttons.
#include <QChartView>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QXYSeries>
#include <QTest>
#include <QToolButton>
#include <QValueAxis>

#include "Auxiliares.h"
#include "ui/main/JanelasObjetos.h"
#include "ui/objects/JanelaGeradores.h"
#include "ui/objects/JanelaProcesso.h"
#include "ui/project/CicloProjeto.h"
#include "ui/project/TDialogos.h"
#include "ui/recorders/CicloRegistros.h"
#include "ui/recorders/TRegXY.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::teste;

class TRegXYTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<Ambiente> amb_;

    TRegXY& xy() { return amb_->janela->registros().regXY(); }
    template <class T>
    T* filho(const char* nome) {
        return xy().findChild<T*>(QString::fromLatin1(nome));
    }
    QXYSeries* serie() { return filho<QChartView>("Chart1")->chart()->findChild<QXYSeries*>(); }
    QValueAxis* eixo(Qt::Orientation o) {
        return qobject_cast<QValueAxis*>(filho<QChartView>("Chart1")->chart()->axes(o).value(0));
    }

private slots:
    void init() {
        amb_ = std::make_unique<Ambiente>();
        amb_->janela->show();
        amb_->janela->ciclo().Novo();
    }
    void cleanup() { amb_.reset(); }

    void menuItemShowsTheWindow() {
        amb_->acao("RegistradorXY1")->trigger();
        QVERIFY(xy().isVisible());
        QCOMPARE(xy().windowTitle(), QString("Registrador XY"));
        QCOMPARE(filho<QComboBox>("Presets")->count(), 21);
        QCOMPARE(filho<QComboBox>("JanelaComboBox")->currentText(), QString("10 min"));
        filho<QPushButton>("SairButton")->click();
        QVERIFY(!xy().isVisible());
    }

    void runsAddOnePointPerStepWhileTheBarMoves() {
        // A loop: controller 1 in automatic on process 1.
        Projeto& p = amb_->app->projeto();
        p.CriaProcesso(1);
        p.CriaControlador(1);
        amb_->app->timer().start();
        xy().show();
        QList<int> passos;
        connect(filho<QProgressBar>("Gauge1"), &QProgressBar::valueChanged, this, [&](int v) { passos << v; });
        filho<QPushButton>("Button1")->click();
        QCOMPARE(xy().pontos(), 6000);
        QCOMPARE(serie()->count(), 6000);
        QVERIFY(passos.size() > 10);
        QVERIFY(std::is_sorted(passos.begin(), passos.end()));
        QCOMPARE(passos.last(), 100);
        // The cycle timer was held during the run and runs again after it.
        QVERIFY(amb_->app->timer().isActive());
        QVERIFY(!xy().executando());
        filho<QPushButton>("Button1")->click();
        QCOMPARE(serie()->count(), 12000);
        filho<QToolButton>("SpeedButton4")->click();
        QCOMPARE(serie()->count(), 0);
        QCOMPARE(xy().pontos(), 0);
    }

    void presetsNeedTheirController() {
        xy().show();
        auto* presets = filho<QComboBox>("Presets");
        auto* x = filho<QComboBox>("ComboX");
        auto* y = filho<QComboBox>("ComboY");
        presets->setCurrentIndex(6);  // "COxMV [Malha 3]"
        QCOMPARE(presets->currentText(), QString("COxMV [Malha 3]"));
        emit presets->activated(6);
        QCOMPARE(x->currentIndex(), 0);
        amb_->app->projeto().CriaControlador(3).VariavelSelect = 22;
        emit presets->activated(6);
        QCOMPARE(x->currentIndex(), 2);    // M3
        QCOMPARE(y->currentIndex(), 102);  // M103
        presets->setCurrentIndex(5);       // "COxPV [Malha 3]"
        emit presets->activated(5);
        QCOMPARE(y->currentIndex(), 22);  // M23, its PV
    }

    void scaleButtons() {
        xy().show();
        mem_(50, 20);
        xy().RegistraXY(600, 1, 2);
        auto* ex = eixo(Qt::Horizontal);
        auto* ey = eixo(Qt::Vertical);
        QVERIFY(ex->min() < 50 && ex->max() > 50);
        QVERIFY(ey->max() < 30);
        filho<QToolButton>("SpeedButton3")->click();
        QCOMPARE(ey->min(), 0.0);
        QCOMPARE(ey->max(), 100.0);
        filho<QToolButton>("SpeedButton1")->click();
        QCOMPARE(filho<QChartView>("Chart1")->rubberBand(), QChartView::RectangleRubberBand);
        filho<QToolButton>("SpeedButton2")->click();
        QVERIFY(ey->max() < 30);
    }

    // The axis lists name the variables by the table's descriptions: an
    // apply, the variable list's refresh and a project load while the
    // window is open reach them, and the chosen entries stay.
    void axisListsFollowTheTableWhileOpen() {
        Projeto& p = amb_->app->projeto();
        p.CriaProcesso(1);
        xy().show();
        auto* x = filho<QComboBox>("ComboX");
        auto* y = filho<QComboBox>("ComboY");
        x->setCurrentIndex(20);  // M21
        y->setCurrentIndex(0);   // M1
        const auto item = [this](int k) { return QString::fromStdString(amb_->app->sim().mem.ListaExibicao()[k - 1]); };

        // An apply from the process window.
        auto* janela = qobject_cast<JanelaProcesso*>(amb_->janela->janelas().Abre(Familia::Processo, 1));
        auto* desc = janela->findChild<QLineEdit*>("DescricaoText");
        desc->setText("Vazão de teste");
        QVERIFY(janela->Atualiza());
        QVERIFY(item(21).endsWith("Vazão de teste"));
        QCOMPARE(x->itemText(20), item(21));
        QCOMPARE(x->currentIndex(), 20);
        QCOMPARE(x->currentText(), item(21));

        // The variable list's refresh.
        amb_->app->sim().mem.setDescricao(1, "Saída FIC");
        amb_->janela->dialogos().Atualiza();
        QCOMPARE(y->itemText(0), item(1));
        QCOMPARE(y->currentText(), item(1));

        // A signal generator's apply writes M81..M96's descriptions.
        amb_->app->projeto().geradores.linha(81).Desc = "Ruído";
        amb_->janela->geradores().Aplica();
        QCOMPARE(x->itemText(80), item(81));

        // Another project, as Examples opens one.
        amb_->janela->ciclo().LimpaProjeto();
        QVERIFY(amb_->janela->ciclo().Carrega(PastaExemplos() + "/basic flow loop/basic flow loop.smp", true));
        QVERIFY(!item(21).endsWith("Vazão de teste"));
        QCOMPARE(x->itemText(20), item(21));
        QCOMPARE(x->currentIndex(), 20);
        QCOMPARE(y->currentIndex(), 0);
        QVERIFY(filho<QPushButton>("Button1")->isEnabled());
    }

    // The points belong to the plant that drew them: another project
    // starts an empty chart.
    // Points accumulate until "Limpar", also across projects: a student
    // compares two variants of a plant on one chart.
    void pointsOutliveAProjectChangeUntilCleared() {
        xy().show();
        xy().RegistraXY(600, 1, 2);
        amb_->acao("Novo1")->trigger();
        QCOMPARE(serie()->count(), 6000);
        xy().RegistraXY(600, 1, 2);
        QCOMPARE(serie()->count(), 12000);
        filho<QToolButton>("SpeedButton4")->click();
        QCOMPARE(xy().pontos(), 0);
        QCOMPARE(serie()->count(), 0);
    }

    void englishCaptions() {
        amb_->janela->TraduzIngles();
        xy().show();
        QCOMPARE(filho<QPushButton>("Button1")->text(), QString("Register"));
        QCOMPARE(filho<QPushButton>("SairButton")->text(), QString("Exit"));
        QCOMPARE(filho<QToolButton>("SpeedButton4")->toolTip(), QString("Clean Graphic"));
        QCOMPARE(filho<QToolButton>("SpeedButton4")->accessibleName(), QString("Clean Graphic"));
        QCOMPARE(xy().windowTitle(), QString("Registrador XY"));
        // A list is named by its caption, in the language shown.
        QCOMPARE(filho<QComboBox>("JanelaComboBox")->accessibleName(), QString("Window"));
        QCOMPARE(filho<QComboBox>("ComboX")->accessibleName(), QString("var X:"));
        QCOMPARE(filho<QProgressBar>("Gauge1")->accessibleName(), QString("Recording progress"));
        QCOMPARE(ControlesSemNomeAcessivel(&xy()), QStringList{});
    }

private:
    void mem_(double m1, double m2) {
        amb_->app->sim().mem[1] = m1;
        amb_->app->sim().mem[2] = m2;
    }
};

QTEST_MAIN(TRegXYTest)
#include "TRegXYTest.moc"
