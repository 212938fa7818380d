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

#include "Helpers.h"
#include "ui/shell/ObjectWindows.h"
#include "ui/objects/GeneratorsWindow.h"
#include "ui/objects/ProcessWindow.h"
#include "ui/main/ProjectLifecycle.h"
#include "ui/project/VariableListDialog.h"
#include "ui/recorders/RecorderCycle.h"
#include "ui/recorders/XYRecorderWindow.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::test;

class XYRecorderWindowTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<Fixture> fixture_;

    XYRecorderWindow& xy() { return fixture_->window->recorderCycle().xyRecorder(); }
    template <class T>
    T* child(const char* name) {
        return xy().findChild<T*>(QString::fromLatin1(name));
    }
    QXYSeries* series() { return child<QChartView>("Chart1")->chart()->findChild<QXYSeries*>(); }
    QValueAxis* axis(Qt::Orientation o) {
        return qobject_cast<QValueAxis*>(child<QChartView>("Chart1")->chart()->axes(o).value(0));
    }

private slots:
    void init() {
        fixture_ = std::make_unique<Fixture>();
        fixture_->window->show();
        fixture_->window->cycle().New();
    }
    void cleanup() { fixture_.reset(); }

    void menuItemShowsTheWindow() {
        fixture_->actionItem("RegistradorXY1")->trigger();
        QVERIFY(xy().isVisible());
        QCOMPARE(xy().windowTitle(), QString("Registrador XY"));
        QCOMPARE(child<QComboBox>("Presets")->count(), 21);
        QCOMPARE(child<QComboBox>("JanelaComboBox")->currentText(), QString("10 min"));
        child<QPushButton>("SairButton")->click();
        QVERIFY(!xy().isVisible());
    }

    void runsAddOnePointPerStepWhileTheBarMoves() {
        // A loop: controller 1 in automatic on process 1.
        Project& p = fixture_->app->project();
        p.CreateProcess(1);
        p.CreateController(1);
        fixture_->app->timer().start();
        xy().show();
        QList<int> steps;
        connect(child<QProgressBar>("Gauge1"), &QProgressBar::valueChanged, this, [&](int v) { steps << v; });
        child<QPushButton>("Button1")->click();
        QCOMPARE(xy().points(), 6000);
        QCOMPARE(series()->count(), 6000);
        QVERIFY(steps.size() > 10);
        QVERIFY(std::is_sorted(steps.begin(), steps.end()));
        QCOMPARE(steps.last(), 100);
        // The cycle timer was held during the run and runs again after it.
        QVERIFY(fixture_->app->timer().isActive());
        QVERIFY(!xy().running());
        child<QPushButton>("Button1")->click();
        QCOMPARE(series()->count(), 12000);
        child<QToolButton>("SpeedButton4")->click();
        QCOMPARE(series()->count(), 0);
        QCOMPARE(xy().points(), 0);
    }

    void presetsNeedTheirController() {
        xy().show();
        auto* presets = child<QComboBox>("Presets");
        auto* x = child<QComboBox>("ComboX");
        auto* y = child<QComboBox>("ComboY");
        presets->setCurrentIndex(6);  // "COxMV [Malha 3]"
        QCOMPARE(presets->currentText(), QString("COxMV [Malha 3]"));
        emit presets->activated(6);
        QCOMPARE(x->currentIndex(), 0);
        fixture_->app->project().CreateController(3).VariableSelect = 22;
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
        xy().RecordXY(600, 1, 2);
        auto* ex = axis(Qt::Horizontal);
        auto* ey = axis(Qt::Vertical);
        QVERIFY(ex->min() < 50 && ex->max() > 50);
        QVERIFY(ey->max() < 30);
        child<QToolButton>("SpeedButton3")->click();
        QCOMPARE(ey->min(), 0.0);
        QCOMPARE(ey->max(), 100.0);
        child<QToolButton>("SpeedButton1")->click();
        QCOMPARE(child<QChartView>("Chart1")->rubberBand(), QChartView::RectangleRubberBand);
        child<QToolButton>("SpeedButton2")->click();
        QVERIFY(ey->max() < 30);
    }

    // The axis lists name the variables by the table's descriptions: an
    // apply, the variable list's refresh and a project load while the
    // window is open reach them, and the chosen entries stay.
    void axisListsFollowTheTableWhileOpen() {
        Project& p = fixture_->app->project();
        p.CreateProcess(1);
        xy().show();
        auto* x = child<QComboBox>("ComboX");
        auto* y = child<QComboBox>("ComboY");
        x->setCurrentIndex(20);  // M21
        y->setCurrentIndex(0);   // M1
        const auto item = [this](int k) { return QString::fromStdString(fixture_->app->sim().mem.DisplayList()[k - 1]); };

        // An apply from the process window.
        auto* window = qobject_cast<ProcessWindow*>(fixture_->window->windows().Open(Family::ProcessBlock, 1));
        auto* desc = window->findChild<QLineEdit*>("DescricaoText");
        desc->setText("Vazão de teste");
        QVERIFY(window->Update());
        QVERIFY(item(21).endsWith("Vazão de teste"));
        QCOMPARE(x->itemText(20), item(21));
        QCOMPARE(x->currentIndex(), 20);
        QCOMPARE(x->currentText(), item(21));

        // The variable list's refresh.
        fixture_->app->sim().mem.setDescription(1, "Saída FIC");
        fixture_->window->variableListDialog().Update();
        QCOMPARE(y->itemText(0), item(1));
        QCOMPARE(y->currentText(), item(1));

        // A signal generator's apply writes M81..M96's descriptions.
        fixture_->app->project().generators.line(81).Desc = "Ruído";
        fixture_->window->generators().Apply();
        QCOMPARE(x->itemText(80), item(81));

        // Another project, as Examples opens one.
        fixture_->window->cycle().ClearProject();
        QVERIFY(fixture_->window->cycle().Load(ExamplesFolder() + "/basic flow loop/basic flow loop.smp", true));
        QVERIFY(!item(21).endsWith("Vazão de teste"));
        QCOMPARE(x->itemText(20), item(21));
        QCOMPARE(x->currentIndex(), 20);
        QCOMPARE(y->currentIndex(), 0);
        QVERIFY(child<QPushButton>("Button1")->isEnabled());
    }

    // The points belong to the plant that drew them: another project
    // starts an empty chart.
    // Points accumulate until "Limpar", also across projects: a student
    // compares two variants of a plant on one chart.
    void pointsOutliveAProjectChangeUntilCleared() {
        xy().show();
        xy().RecordXY(600, 1, 2);
        fixture_->actionItem("Novo1")->trigger();
        QCOMPARE(series()->count(), 6000);
        xy().RecordXY(600, 1, 2);
        QCOMPARE(series()->count(), 12000);
        child<QToolButton>("SpeedButton4")->click();
        QCOMPARE(xy().points(), 0);
        QCOMPARE(series()->count(), 0);
    }

    void englishCaptions() {
        fixture_->window->TranslateToEnglish();
        xy().show();
        QCOMPARE(child<QPushButton>("Button1")->text(), QString("Register"));
        QCOMPARE(child<QPushButton>("SairButton")->text(), QString("Exit"));
        QCOMPARE(child<QToolButton>("SpeedButton4")->toolTip(), QString("Clean Graphic"));
        QCOMPARE(child<QToolButton>("SpeedButton4")->accessibleName(), QString("Clean Graphic"));
        QCOMPARE(xy().windowTitle(), QString("Registrador XY"));
        // A list is named by its caption, in the language shown.
        QCOMPARE(child<QComboBox>("JanelaComboBox")->accessibleName(), QString("Window"));
        QCOMPARE(child<QComboBox>("ComboX")->accessibleName(), QString("var X:"));
        QCOMPARE(child<QProgressBar>("Gauge1")->accessibleName(), QString("Recording progress"));
        QCOMPARE(ControlsWithoutAccessibleName(&xy()), QStringList{});
    }

private:
    void mem_(double m1, double m2) {
        fixture_->app->sim().mem[1] = m1;
        fixture_->app->sim().mem[2] = m2;
    }
};

QTEST_MAIN(XYRecorderWindowTest)
#include "XYRecorderWindowTest.moc"
