// The windows together, as a student uses them: every marker's window and
// every menu window open on an example while the plant runs, another example
// or a new project loaded over them, objects deleted under their windows.
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QToolButton>

#include "Helpers.h"
#include "ui/shell/Diagram.h"
#include "ui/main/ProjectLifecycle.h"
#include "ui/recorders/RecorderCycle.h"
#include "ui/project/VariableListDialog.h"
#include "ui/recorders/AnimatedTextWindow.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::test;

namespace {

const char* const kExamples[] = {"boiler/boiler.smp", "basic flow loop/basic flow loop.smp", "reactor/reactor.smp"};

bool IsActive(AppContext& app, Family f, int n) {
    Simulation& sim = app.sim();
    switch (f) {
        case Family::PidController: return sim.controllers.active(n);
        case Family::ProcessBlock: return sim.processes.active(n);
        case Family::CalculationBlock: return sim.blocks.active(n);
        case Family::Recorder: return sim.recorders.active(n);
        case Family::Text: return sim.texts.active(n);
    }
    return false;
}

// A click on the slot's marker, or on a text's value label.
void Click(Diagram& d, Family f, int n) {
    if (f == Family::Text)
        QTest::mouseClick(d.textValue(n), Qt::LeftButton);
    else
        d.marker(f, n)->click();
}

}  // namespace

class IntegrationTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        fixture_ = std::make_unique<Fixture>();
        fixture_->window->show();
    }
    void cleanup() { fixture_.reset(); }

    void everyWindowOpenWhileExamplesFollowOneAnother() {
        for (const char* example : kExamples) {
            QVERIFY(fixture_->window->cycle().Load(ExamplesFolder() + "/" + example, true));
            QVector<QPointer<QWidget>> openWindows = OpenEverything();
            fixture_->window->variableListDialog().Update();
            RunTicks(30);
            for (const auto& w : openWindows) QVERIFY(w);
        }
        // The object windows closed with the project they showed.
        fixture_->window->cycle().New();
        for (Family f : kFamilies)
            for (int n = 1; n <= Diagram::FamilySize(f); ++n) QVERIFY(!fixture_->window->windows().window(f, n));
        // The open variable list shows the reset table, not the reactor's.
        VariableListDialog& list = fixture_->window->variableListDialog();
        QCOMPARE(list.cell(list.varList(), 1, 7),
                 QString::fromStdString(fixture_->app->sim().mem.entry(21).description));
        RunTicks(12);
        fixture_->window->cycle().Examples();
        RunTicks(6);
    }

    void everyWindowOpensInEnglish() {
        fixture_->window->TranslateToEnglish();
        QVERIFY(fixture_->window->cycle().Load(ExamplesFolder() + "/reactor/reactor.smp", true));
        const QVector<QPointer<QWidget>> openWindows = OpenEverything();
        QVERIFY(!openWindows.isEmpty());
        RunTicks(12);
        for (const auto& w : openWindows) QVERIFY(w && !w->windowTitle().contains(QStringLiteral("Controlador")));
        // No caption, hint or accessible name of any open window is left in
        // Portuguese (the plant's own texts, in the file, are the plant's).
        const QRegularExpression portuguese(QStringLiteral("ção|ções|ões|Saída|segundos|minuto\\b|Histerese|Vídeo|Arquivo|Salvar|Abrir|Sobre$"));
        QStringList findings;
        QList<QWidget*> all{static_cast<QWidget*>(fixture_->window.get())};
        for (const auto& w : openWindows) all << w.data();
        for (QWidget* root : all)
            for (QWidget* c : root->findChildren<QWidget*>()) {
                if (!c->isVisibleTo(root)) continue;  // nothing announces a hidden control
                QStringList texts{c->toolTip(), c->accessibleName(), c->accessibleDescription()};
                if (auto* l = qobject_cast<QLabel*>(c)) texts << l->text();
                if (auto* b = qobject_cast<QAbstractButton*>(c)) texts << b->text();
                if (auto* cb = qobject_cast<QComboBox*>(c))
                    for (int i = 0; i < cb->count(); ++i) texts << cb->itemText(i);
                // Variable lists show the variables' descriptions: the plant's
                // data, whatever language it was written in.
                const QRegularExpression variable(QStringLiteral("^ *M?\\d+ "));
                for (const QString& t : texts)
                    if (t.contains(portuguese) && !t.contains(variable)) findings << c->objectName() + ": " + t;
            }
        findings.removeDuplicates();
        QVERIFY2(findings.isEmpty(), qPrintable(findings.join(QStringLiteral("\n"))));
    }

    void deletingObjectsUnderTheirOpenWindows() {
        QVERIFY(fixture_->window->cycle().Load(ExamplesFolder() + "/boiler/boiler.smp", true));
        OpenEverything();
        RunTicks(12);
        Diagram& d = fixture_->window->diagram();
        fixture_->actionItem("ExcluirObjetos")->trigger();
        for (Family f : kFamilies)
            for (int n = 1; n <= Diagram::FamilySize(f); ++n) {
                if (!IsActive(*fixture_->app, f, n)) continue;
                QPointer<QWidget> window = fixture_->window->windows().window(f, n);
                QVERIFY(window);
                Click(d, f, n);
                QVERIFY(window.isNull());
                QVERIFY(!IsActive(*fixture_->app, f, n));
                RunTicks(7);
            }
    }

    // A range changed in the variable list reaches the animated texts and
    // recorders that show the variable.
    void variableListRefreshReachesTextsAndRecorders() {
        fixture_->window->cycle().New();
        Project& p = fixture_->app->project();
        TextData& text = p.CreateText(1);
        text.VariableSelect = 20;  // M21
        Memory& mem = fixture_->app->sim().mem;
        mem.setEuMax(21, "100");
        fixture_->window->recorderCycle().text(1)->ValidateParameters();
        mem.setEuMax(21, "400");
        fixture_->window->variableListDialog().Update();
        QCOMPARE(text.RangeMaxText, std::string("400"));
    }

private:
    // Every active slot's window through its marker, then every menu window.
    QVector<QPointer<QWidget>> OpenEverything() {
        QVector<QPointer<QWidget>> openWindows;
        Diagram& d = fixture_->window->diagram();
        for (Family f : kFamilies)
            for (int n = 1; n <= Diagram::FamilySize(f); ++n) {
                if (!IsActive(*fixture_->app, f, n)) continue;
                Click(d, f, n);
                QWidget* w = fixture_->window->windows().window(f, n);
                if (f != Family::Recorder || (w && w->isHidden())) Click(d, f, n);
                w = fixture_->window->windows().window(f, n);
                if (!w) qWarning("no window for family %d slot %d", static_cast<int>(f), n);
                else openWindows << w;
            }
        for (const char* item : {"Configurao1", "Dese1", "Variveis1", "RegistradorXY1", "Configurao2", "Sobre3"})
            fixture_->actionItem(item)->trigger();
        QCoreApplication::processEvents();
        return openWindows;
    }
    void RunTicks(int ticks) {
        for (int i = 0; i < ticks; ++i) fixture_->app->Tick();
        QCoreApplication::processEvents();
    }

    std::unique_ptr<Fixture> fixture_;
};

QTEST_MAIN(IntegrationTest)
#include "IntegrationTest.moc"
