#include <QApplication>

#include "ui/MainWindow.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("KIVO");
    QApplication::setApplicationVersion(KIVO_VERSION);
    kivo::ui::TForm1 w;
    w.show();
    return QApplication::exec();
}
