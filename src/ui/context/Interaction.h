#pragma once
// The program's questions, information boxes, file dialogs and the desktop
// services, in one place so that the windows ask through it and a test can
// answer in their stead.
#include <functional>

#include <QString>
#include <QUrl>

class QWidget;

namespace kivo::ui {

class Interaction {
public:
    virtual ~Interaction() = default;
    // Information box with one OK button.
    virtual void Inform(QWidget* parent, const QString& text);
    // Confirmation box with the question icon, Yes and No; true on Yes.
    virtual bool Ask(QWidget* parent, const QString& text);
    // The project save dialog; empty when cancelled. defaultName fills the
    // file name field; note, when given, is the dialog's title and says why
    // it is asked (an example that cannot be saved where it is).
    virtual QString SaveFileName(QWidget* parent, const QString& defaultName, const QString& note = {});
    // The project open dialog; empty when cancelled.
    virtual QString OpenFileName(QWidget* parent);
    // The exercise open dialog; empty when cancelled.
    virtual QString ExerciseFileName(QWidget* parent);
    // The exercise save dialog; empty when cancelled. defaultName fills the
    // file name field.
    virtual QString ExerciseSaveFileName(QWidget* parent, const QString& defaultName);
    // The picture chooser of the configuration dialog; empty when cancelled.
    virtual QString ImageFileName(QWidget* parent);
    // The save dialog that names a data log (its folder is what counts);
    // empty when cancelled.
    virtual QString LogFileName(QWidget* parent, const QString& title, const QString& defaultName);
    // Hands a URL to the desktop; a failure is not reported.
    virtual void OpenUrl(const QUrl& url);
    // Whether the machine reaches the internet; any failure counts as no.
    virtual bool Connected();

    // The language of the dialogs' own titles and filters.
    bool english = false;
    // The folder the file dialogs open in, asked for when one opens (the
    // documents folder is made on first use); unset: the current directory.
    std::function<QString()> folder;

protected:
    QString StartFolder() const;
};

}  // namespace kivo::ui
