#pragma once
// What the GUI tests share: scripted answers to the program's questions
// and dialogs, and a main window on a temporary start directory.
#include <deque>
#include <memory>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QProgressBar>
#include <QTabWidget>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

#include "ui/context/AppContext.h"
#include "ui/context/Interaction.h"
#include "ui/main/MainWindow.h"

namespace kivo::ui::test {

// Answers taken from queues; an empty queue answers No or Cancel. Every
// box shown is recorded.
class ScriptedInteraction : public Interaction {
public:
    std::deque<bool> answers;
    std::deque<QString> saveNames;
    std::deque<QString> openNames;
    std::deque<QString> exerciseNames;
    std::deque<QString> exerciseSaveNames;
    std::deque<QString> imageNames;
    std::deque<QString> logNames;
    bool connected = false;

    QStringList infoMessages;
    // What each save dialog proposed, and the note it carried.
    QStringList proposedNames;
    QStringList saveNotes;
    QStringList questions;
    QList<QUrl> urls;

    void Inform(QWidget*, const QString& text) override { infoMessages << text; }
    bool Ask(QWidget*, const QString& text) override {
        questions << text;
        return TakeFront(answers, false);
    }
    QString SaveFileName(QWidget*, const QString& defaultName, const QString& note) override {
        proposedNames << defaultName;
        saveNotes << note;
        return TakeFront(saveNames, QString());
    }
    QString OpenFileName(QWidget*) override { return TakeFront(openNames, QString()); }
    QString ExerciseFileName(QWidget*) override { return TakeFront(exerciseNames, QString()); }
    QString ExerciseSaveFileName(QWidget*, const QString&) override { return TakeFront(exerciseSaveNames, QString()); }
    QString ImageFileName(QWidget*) override { return TakeFront(imageNames, QString()); }
    QString LogFileName(QWidget*, const QString&, const QString&) override { return TakeFront(logNames, QString()); }
    void OpenUrl(const QUrl& url) override { urls << url; }
    bool Connected() override { return connected; }

private:
    template <class T>
    static T TakeFront(std::deque<T>& queue, T defaultValue) {
        if (queue.empty()) return defaultValue;
        T v = queue.front();
        queue.pop_front();
        return v;
    }
};

// A main window whose start directory is a fresh temporary folder (with the
// shipped examples reachable through the source tree), its timer stopped so
// that the test ticks the core itself.
struct Fixture {
    QTemporaryDir folder;
    std::unique_ptr<AppContext> app;
    ScriptedInteraction* script = nullptr;
    std::unique_ptr<MainWindow> window;

    Fixture() {
        QDir::setCurrent(folder.path());
        app = std::make_unique<AppContext>(folder.path());
        auto r = std::make_unique<ScriptedInteraction>();
        script = r.get();
        app->setInteraction(std::move(r));
        window = std::make_unique<MainWindow>(*app);
        app->timer().stop();
    }
    ~Fixture() {
        window.reset();
        app.reset();
    }
    QAction* actionItem(const char* name) const { return window->actionItem(QString::fromLatin1(name)); }
    QString path(const QString& name) const { return QDir(folder.path()).filePath(name); }
};

// The named controls under root a user can operate or read that have no
// accessible name (Qt's own inner widgets, which carry no name, aside).
inline QStringList ControlsWithoutAccessibleName(const QWidget* root) {
    QStringList without;
    for (const QWidget* c : root->findChildren<QWidget*>()) {
        if (c->objectName().isEmpty() || c->objectName().startsWith(QLatin1String("qt_"))) continue;
        if (!qobject_cast<const QAbstractButton*>(c) && !qobject_cast<const QComboBox*>(c) &&
            !qobject_cast<const QLineEdit*>(c) && !qobject_cast<const QProgressBar*>(c) &&
            !qobject_cast<const QAbstractSpinBox*>(c) && !qobject_cast<const QAbstractSlider*>(c) &&
            !qobject_cast<const QTabWidget*>(c) && !qobject_cast<const QAbstractItemView*>(c))
            continue;
        if (c->accessibleName().trimmed().isEmpty()) without << c->objectName();
    }
    return without;
}

// The shipped examples, beside the sources.
inline QString ExamplesFolder() { return QStringLiteral(KIVO_SOURCE_DIR "/examples"); }

}  // namespace kivo::ui::test
