// The XY recorder: runs that fill the chart while the progress bar moves,
// presets per loop, and the chart's scale buttons.
#include <QChartView>
#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>
#include <QXYSeries>
#include <QTest>
#include <QToolButton>
#include <QValueAxis>

#include "Auxiliares.h"
#include "ui/project/CicloProjeto.h"
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

    void englishCaptions() {
        amb_->janela->TraduzIngles();
        xy().show();
        QCOMPARE(filho<QPushButton>("Button1")->text(), QString("Register"));
        QCOMPARE(filho<QPushButton>("SairButton")->text(), QString("Exit"));
        QCOMPARE(filho<QToolButton>("SpeedButton4")->toolTip(), QString("Clean Graphic"));
        QCOMPARE(filho<QToolButton>("SpeedButton4")->accessibleName(), QString("Clean Graphic"));
        QCOMPARE(xy().windowTitle(), QString("Registrador XY"));
    }

private:
    void mem_(double m1, double m2) {
        amb_->app->sim().mem[1] = m1;
        amb_->app->sim().mem[2] = m2;
    }
};

QTEST_MAIN(TRegXYTest)
#include "TRegXYTest.moc"
