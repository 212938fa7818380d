#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include "ui/app/CommandLine.h"
#include "ui/app/Startup.h"
#include "ui/context/AppContext.h"
#include "ui/main/MainWindow.h"
#include "version/Version.h"

int main(int argc, char** argv) {
    if (const int answered = kivo::ui::AnswerInfoOptions(argc, argv); answered >= 0) return answered;
    QApplication a(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KIVO"));
    QApplication::setApplicationVersion(QStringLiteral(KIVO_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("kivo"));

    // "kivo FILE.smp" opens that project.
    const QStringList args = QApplication::arguments();
    const QString file = args.size() > 1 ? QFileInfo(args[1]).absoluteFilePath() : QString();

    kivo::ui::AppContext app(QDir::currentPath());
    kivo::ui::MainWindow w(app);
    w.show();
    kivo::ui::Startup startup(app, w, file);
    startup.Start();
    return QApplication::exec();
}
