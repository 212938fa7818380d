#pragma once
// Object windows carry Portuguese texts and translate themselves: each time
// such a window becomes the active window in English mode, if its chosen
// control does not yet show its English text, the window applies all its
// English texts, so each instance is translated once, on its first
// activation.
#include <functional>

#include <QObject>
#include <QString>

class QWidget;

namespace kivo::ui {

class AppContext;

class TranslationActivation : public QObject {
    Q_OBJECT
public:
    // control: the objectName of the control tested; englishText: its
    // English text; translate: sets every English text of the window.
    TranslationActivation(QWidget* window, const AppContext& app, QString control, QString englishText,
                     std::function<void()> translate);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    bool IsTranslated() const;

    QWidget* window_;
    const AppContext& app_;
    QString control_;
    QString englishText_;
    std::function<void()> translate_;
};

}  // namespace kivo::ui
