// Writes screenshots of the process, calculation block, signal generator
// and variable list windows with an example open, in one language, to look
// at (not to assert): capturas_objetos OUTDIR [en].
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QTableWidget>

#include "Helpers.h"
#include "Screenshot.h"
#include "ui/i18n/Examples.h"
#include "ui/objects/GeneratorsWindow.h"
#include "ui/main/ProjectLifecycle.h"
#include "ui/project/VariableListDialog.h"

using namespace kivo::ui;

namespace {

// The object windows are shown at the size their layouts ask for.
void Write(QWidget& w, const QString& file) {
    QApplication::processEvents();
    w.adjustSize();
    test::Write(w, file);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication a(argc, argv);
    const auto screenshot = test::ReadScreenshotArgs(argc, argv);
    if (!screenshot) return 2;
    const QString output = screenshot->output;
    const bool english = screenshot->english;
    const QString suffix = screenshot->suffix;

    test::Fixture fixture;
    MainWindow& w = *fixture.window;
    w.setWindowState(Qt::WindowNoState);
    w.resize(1000, 700);
    w.show();
    if (english) w.TranslateToEnglish();
    // The example with four processes of different types and a block.
    int index = 0;
    const auto ex = Examples();
    for (int i = 0; i < int(ex.size()); ++i)
        if (QByteArray(ex[i].path).contains("4processes")) index = i;
    w.cycle().OpenExample(index);
    for (int i = 0; i < 60; ++i) fixture.app->Tick();

    for (int n : {1, 2, 5}) {
        QWidget* p = w.windows().Open(Family::ProcessBlock, n);
        Write(*p, QStringLiteral("%1/processo%2%3.png").arg(output).arg(n).arg(suffix));
    }
    QWidget* b = w.windows().Open(Family::CalculationBlock, 1);
    Write(*b, QStringLiteral("%1/bloco%2.png").arg(output, suffix));

    fixture.actionItem("Configurao1")->trigger();
    GeneratorsWindow& g = w.generators();
    // One row of each kind, to see every layout.
    const int kinds[] = {0, 1, 3, 5, 7, 2, 4, 6, 1, 0};
    for (int r = 0; r < 10; ++r) g.findChild<QComboBox*>(QStringLiteral("M%1Tipo").arg(81 + r))->setCurrentIndex(kinds[r]);
    g.Apply();
    for (int i = 0; i < 12; ++i) fixture.app->Tick();
    Write(g, QStringLiteral("%1/geradores%2.png").arg(output, suffix));

    fixture.actionItem("Variveis1")->trigger();
    VariableListDialog& d = w.variableListDialog();
    d.resize(d.sizeHint().expandedTo(QSize(900, 600)));
    QApplication::processEvents();
    d.grab().save(QStringLiteral("%1/variaveis%2.png").arg(output, suffix));
    return 0;
}
