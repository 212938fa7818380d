#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include "ui/app/Aplicacao.h"
#include "ui/app/Partida.h"
#include "ui/main/TForm1.h"

int main(int argc, char** argv) {
    QApplication a(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KIVO"));
    QApplication::setApplicationVersion(QStringLiteral(KIVO_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("kivo"));

    // "kivo FILE.smp" opens that project.
    const QStringList args = QApplication::arguments();
    const QString arquivo = args.size() > 1 ? QFileInfo(args[1]).absoluteFilePath() : QString();

    kivo::ui::Aplicacao app(QDir::currentPath());
    kivo::ui::TForm1 w(app);
    w.show();
    kivo::ui::Partida partida(app, w, arquivo);
    partida.Inicia();
    return QApplication::exec();
}
