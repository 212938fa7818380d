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

#include "Helpers.h"
#include "ui/shell/Diagram.h"
#include "ui/main/ProjectLifecycle.h"
#include "ui/project/ProjectSettingsDialog.h"
#include "ui/shell/WidgetPanel.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::test;

class WidgetPanelTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        fixture_ = std::make_unique<Fixture>();
        fixture_->window->show();
        fixture_->window->cycle().New();
        fixture_->actionItem("Configurao2")->trigger();
        cfg_ = &fixture_->window->config();
        panel_ = &fixture_->window->panel();
    }
    void cleanup() { fixture_.reset(); }

    void doubleClickingASwitchTwiceReturnsToItsFirstState() {
        cfg_->findChild<QCheckBox*>("Chave1Check")->click();
        auto* kind = cfg_->findChild<QComboBox*>("Chave1Tipo");
        kind->setCurrentIndex(1);
        emit kind->activated(1);
        QLabel* p3 = panel_->switchPicture(1, 3);
        QLabel* p4 = panel_->switchPicture(1, 4);
        QVERIFY(p3->isVisible());
        QVERIFY(p4->isHidden());
        QCOMPARE(p3->toolTip(), QString("Saída em M11"));
        QTest::mouseDClick(p3, Qt::LeftButton);
        QCOMPARE(fixture_->app->sim().mem[11], 1.0);
        QVERIFY(p3->isHidden());
        QVERIFY(p4->isVisible());
        QTest::mouseDClick(p4, Qt::LeftButton);
        QCOMPARE(fixture_->app->sim().mem[11], 0.0);
        QVERIFY(p3->isVisible());
        // A new orientation shows the first picture of its pair; M11 stays.
        QTest::mouseDClick(p3, Qt::LeftButton);
        kind->setCurrentIndex(3);
        emit kind->activated(3);
        QVERIFY(panel_->switchPicture(1, 7)->isVisible());
        QCOMPARE(fixture_->app->sim().mem[11], 1.0);
    }

    void lampButtonsLatchTheirVariable() {
        cfg_->findChild<QCheckBox*>("Botao1_check")->click();
        QGroupBox* panel = panel_->commandPanel();
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->height(), 70);
        auto* norm = panel->findChild<QLabel*>("Botao1_norm");
        auto* press = panel->findChild<QLabel*>("botao1_press");
        QTest::mouseClick(norm, Qt::LeftButton);
        QCOMPARE(fixture_->app->sim().mem[97], 1.0);
        QVERIFY(press->isVisible());
        fixture_->app->project().buttons[0].oneText = "Ligado";
        for (int i = 0; i < 6; ++i) fixture_->app->Tick();
        QCOMPARE(panel->findChild<QLabel*>("botao1_texto")->text(), QString("Ligado"));
        QTest::mouseClick(press, Qt::LeftButton);
        QCOMPARE(fixture_->app->sim().mem[97], 0.0);
        cfg_->findChild<QCheckBox*>("Botao2_check")->click();
        QCOMPARE(panel->height(), 120);
        cfg_->findChild<QCheckBox*>("Botao1_check")->click();
        QVERIFY(panel->isHidden());
    }

    void trackEntryChecksItsRange() {
        Memory& mem = fixture_->app->sim().mem;
        mem.setEuMin(15, "0");
        mem.setEuMax(15, "500");
        cfg_->findChild<QCheckBox*>("Ent1check")->click();
        QLineEdit* text = panel_->trackText(1);
        QVERIFY(text->isVisible());
        // Named by the track's caption, or by its variable while it has none.
        QCOMPARE(text->accessibleName(), QString("Track 1 (M15)"));
        QCOMPARE(panel_->trackSlider(1)->accessibleName(), text->accessibleName());
        fixture_->app->project().tracks[0].label = "Vazão";
        panel_->ApplyTrack(1);
        QCOMPARE(text->accessibleName(), QString("Vazão"));
        QCOMPARE(panel_->trackSlider(1)->accessibleName(), QString("Vazão"));
        text->setText("250");
        QTest::keyClick(text, Qt::Key_Return);
        QCOMPARE(mem[15], 50.0);
        QCOMPARE(panel_->trackSlider(1)->value(), 5000);
        QCOMPARE(text->text(), QString("250.00"));
        text->setText("600");
        QTest::keyClick(text, Qt::Key_Return);
        QCOMPARE(text->text(), QString("250.00"));
        QCOMPARE(mem[15], 50.0);
        panel_->trackSlider(1)->setValue(1000);
        QCOMPARE(mem[15], 10.0);
        QCOMPARE(text->text(), QString("50.00"));
        // A value between two slider steps: the slider's change takes the
        // variable and the text to its step.
        text->setText("250.33");
        QTest::keyClick(text, Qt::Key_Return);
        QCOMPARE(panel_->trackSlider(1)->value(), 5007);
        QCOMPARE(mem[15], 50.07);
        QCOMPARE(text->text(), QString("250.35"));
        // Esc and a text that is no number bring back the slider's value.
        for (const char* bad : {"abc", ""}) {
            text->setText(bad);
            QTest::keyClick(text, Qt::Key_Return);
            QCOMPARE(text->text(), QString("250.35"));
        }
        text->setText("1");
        QTest::keyClick(text, Qt::Key_Escape);
        QCOMPARE(text->text(), QString("250.35"));
    }

    // What a Modbus client wrote to the memory shows at the display refresh.
    void widgetsFollowTheirVariablesWrittenFromOutside() {
        cfg_->findChild<QCheckBox*>("Chave1Check")->click();
        cfg_->findChild<QCheckBox*>("Botao1_check")->click();
        cfg_->findChild<QCheckBox*>("Ent1check")->click();
        Simulation& sim = fixture_->app->sim();
        sim.mem[11] = 1;
        sim.mem[97] = 1;
        sim.mem[15] = 25;
        for (int i = 0; i < 6; ++i) fixture_->app->Tick();
        QVERIFY(panel_->switchPicture(1, 1)->isHidden());
        QVERIFY(panel_->switchPicture(1, 2)->isVisible());
        QVERIFY(panel_->commandPanel()->findChild<QLabel*>("botao1_press")->isVisible());
        QVERIFY(panel_->commandPanel()->findChild<QLabel*>("Botao1_norm")->isHidden());
        QCOMPARE(panel_->trackSlider(1)->value(), 2500);
        QCOMPARE(panel_->trackText(1)->text().trimmed(), QString("25.00"));
        QCOMPARE(sim.mem[15], 25.0);
        sim.mem[11] = 0;
        for (int i = 0; i < 6; ++i) fixture_->app->Tick();
        QVERIFY(panel_->switchPicture(1, 1)->isVisible());
    }

    void trackNameMovesTheEntryBox_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("background");
        QTest::newRow("6 characters") << "abcdef" << 52 << 117;
        QTest::newRow("7 characters") << "abcdefg" << 59 << 124;
        QTest::newRow("10 characters") << "abcdefghij" << 80 << 145;
    }
    void trackNameMovesTheEntryBox() {
        QFETCH(QString, name);
        QFETCH(int, offset);
        QFETCH(int, background);
        cfg_->findChild<QCheckBox*>("Ent3Check")->click();
        QTest::keyClicks(cfg_->findChild<QLineEdit*>("Ent3Label"), name);
        auto* trackBack = fixture_->window->diagram().findChild<QFrame*>("TrackBack3");
        QCOMPARE(trackBack->width(), background);
        // Dragging the track lays its parts out from the name's length.
        fixture_->actionItem("MoverObjetos2")->trigger();
        QTest::mouseClick(trackBack, Qt::LeftButton);
        QMouseEvent moveAction(QEvent::MouseMove, QPointF(200, 300), QPointF(200, 300), Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(&fixture_->window->diagram(), &moveAction);
        QCOMPARE(trackBack->pos(), QPoint(200, 300));
        QCOMPARE(panel_->trackText(3)->pos(), QPoint(200 + offset, 304));
        QCOMPARE(panel_->trackSlider(3)->pos(), QPoint(204, 322));
        QCOMPARE(fixture_->app->project().tracks[2].left, 200);
    }

    void rectangleGrowsFromItsBase() {
        Project& p = fixture_->app->project();
        cfg_->findChild<QCheckBox*>("Imagem1Check")->click();
        auto* kind = cfg_->findChild<QComboBox*>("Imagem1Tipo");
        kind->setCurrentIndex(1);
        emit kind->activated(1);
        fixture_->window->UpdateDiagram();
        p.sim.mem[1] = 30;
        for (int i = 0; i < 6; ++i) fixture_->app->Tick();
        QWidget* shape = panel_->shape(1);
        QCOMPARE(shape->height(), 30);
        QCOMPARE(shape->y(), p.shapes[0].baseTop + 70);
    }

    // A redraw (an A/M click, Refresh) shows the lamp as its variable is,
    // paused or not, not in its "off" colour.
    void aRedrawShowsTheLampsCurrentColour() {
        Project& p = fixture_->app->project();
        cfg_->findChild<QCheckBox*>("Imagem1Check")->click();
        p.shapes[0].colour1 = kColourRed;
        p.shapes[0].colour2 = kColourLime;
        for (const double v : {1.0, 0.0}) {
            p.sim.mem[p.shapes[0].variable + 1] = v;
            fixture_->window->UpdateDiagram();
            QWidget* lamp = panel_->shape(1);
            const QImage img = lamp->grab().toImage();
            QCOMPARE(img.pixelColor(img.rect().center()), v != 0 ? QColor(Qt::green) : QColor(Qt::red));
        }
    }

private:
    std::unique_ptr<Fixture> fixture_;
    ProjectSettingsDialog* cfg_ = nullptr;
    WidgetPanel* panel_ = nullptr;
};

QTEST_MAIN(WidgetPanelTest)
#include "WidgetPanelTest.moc"
