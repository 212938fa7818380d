#include <QSignalSpy>
#include <QTest>

#include "ui/MainWindow.h"

// The window's timer drives the simulation cycle at 100 ms.
class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void timerDrivesTheCycle() {
        kivo::ui::TForm1 w;
        struct Contador : kivo::ObjetoCiclo {
            int passos = 0;
            void CalculaCiclo() override { ++passos; }
        } gen;
        w.simulacao().geradores = &gen;
        QTRY_VERIFY_WITH_TIMEOUT(gen.passos >= 3, 2000);
        QCOMPARE(w.simulacao().estado.T, 0.1);
        w.simulacao().geradores = nullptr;
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
