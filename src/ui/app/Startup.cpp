#include "ui/app/Startup.h"

#include "ui/context/AppContext.h"
#include "ui/fastsim/FastSimulationWindow.h"
#include "ui/main/MainWindow.h"
#include "ui/main/ProjectLifecycle.h"

#include <QAction>

namespace kivo::ui {

void SettleLanguage(AppContext& app, MainWindow& window) {
    const std::optional<bool> preference = app.folders().Language();
    bool english = preference.value_or(false);
    if (!preference) {
        english = app.interaction().Ask(
            &window, QStringLiteral("Portuguese is the current language. Do you wish to convert to english? "
                                    "(Converter textos inglês?)"));
        // A folder where the file cannot be written still gets the chosen
        // language for this run; the error is shown and the question comes
        // again at the next start.
        const QString error = app.folders().SetLanguage(english);
        if (!error.isEmpty()) app.Inform(error);
    }
    if (english)
        window.TranslateToEnglish();
    else
        window.actionItem(QStringLiteral("Portuguese1"))->setChecked(true);
}

Startup::Startup(AppContext& app, MainWindow& window, QString file)
    : app_(app), w_(window), file_(std::move(file)) {
    timer_.setSingleShot(true);
    timer_.setInterval(3000);
    connect(&timer_, &QTimer::timeout, this, &Startup::Finish);
}

void Startup::Start() {
    // A project named on the command line (a desktop file association)
    // opens without the start window's wait.
    if (!file_.isEmpty()) {
        Finish();
        return;
    }
    start_ = new FastSimulationWindow(&w_);
    // The start window speaks the language chosen before, when there is one.
    start_->TranslateAbout(app_.folders().Language().value_or(false));
    start_->setAttribute(Qt::WA_DeleteOnClose);
    start_->show();
    timer_.start();
}

void Startup::Finish() {
    timer_.stop();
    SettleLanguage(app_, w_);
    if (file_.isEmpty() || !w_.cycle().OpenFile(file_)) w_.ShowChooser(true);
    if (start_) start_->close();
}

}  // namespace kivo::ui
