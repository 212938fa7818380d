#pragma once
// Start-up: the start window for three seconds, then the interface language
// from "preferences.cfg" and the example chooser; or, with a project file
// named on the command line, the language and that project at once.
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

namespace kivo::ui {

class AppContext;
class FastSimulationWindow;
class MainWindow;

// Settles the language from the preferences file in the start directory,
// asking (and writing the file) when there is none.
void SettleLanguage(AppContext& app, MainWindow& window);

class Startup : public QObject {
    Q_OBJECT
public:
    Startup(AppContext& app, MainWindow& window, QString file = {});
    void Start();
    // What the start window's timer runs.
    void Finish();

private:
    AppContext& app_;
    MainWindow& w_;
    QString file_;
    QPointer<FastSimulationWindow> start_;
    QTimer timer_;
};

}  // namespace kivo::ui
