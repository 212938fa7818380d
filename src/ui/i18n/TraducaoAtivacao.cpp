#include "ui/i18n/TraducaoAtivacao.h"

#include <QAbstractButton>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

#include "ui/app/Aplicacao.h"

namespace kivo::ui {

TraducaoAtivacao::TraducaoAtivacao(QWidget* janela, const Aplicacao& app, QString controle, QString textoIngles,
                                   std::function<void()> traduz)
    : QObject(janela),
      janela_(janela),
      app_(app),
      controle_(std::move(controle)),
      textoIngles_(std::move(textoIngles)),
      traduz_(std::move(traduz)) {
    janela_->installEventFilter(this);
}

bool TraducaoAtivacao::Traduzida() const {
    QObject* c = janela_->findChild<QObject*>(controle_);
    if (auto* l = qobject_cast<QLabel*>(c)) return l->text() == textoIngles_;
    if (auto* b = qobject_cast<QAbstractButton*>(c)) return b->text() == textoIngles_;
    if (auto* g = qobject_cast<QGroupBox*>(c)) return g->title() == textoIngles_;
    return true;  // nothing to test: leave the window as it is
}

bool TraducaoAtivacao::eventFilter(QObject* o, QEvent* e) {
    if (o == janela_ && e->type() == QEvent::WindowActivate && app_.ingles() && !Traduzida()) traduz_();
    return QObject::eventFilter(o, e);
}

}  // namespace kivo::ui
