#include "ui/i18n/TranslationActivation.h"

#include <QAbstractButton>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

#include "ui/context/AppContext.h"

namespace kivo::ui {

TranslationActivation::TranslationActivation(QWidget* window, const AppContext& app, QString control, QString englishText,
                                   std::function<void()> translate)
    : QObject(window),
      window_(window),
      app_(app),
      control_(std::move(control)),
      englishText_(std::move(englishText)),
      translate_(std::move(translate)) {
    window_->installEventFilter(this);
}

bool TranslationActivation::IsTranslated() const {
    QObject* c = window_->findChild<QObject*>(control_);
    if (auto* l = qobject_cast<QLabel*>(c)) return l->text() == englishText_;
    if (auto* b = qobject_cast<QAbstractButton*>(c)) return b->text() == englishText_;
    if (auto* g = qobject_cast<QGroupBox*>(c)) return g->title() == englishText_;
    return true;  // nothing to test: leave the window as it is
}

bool TranslationActivation::eventFilter(QObject* o, QEvent* e) {
    if (o == window_ && e->type() == QEvent::WindowActivate && app_.english() && !IsTranslated()) translate_();
    return QObject::eventFilter(o, e);
}

}  // namespace kivo::ui
