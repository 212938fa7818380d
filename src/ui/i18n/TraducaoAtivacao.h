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

class Aplicacao;

class TraducaoAtivacao : public QObject {
    Q_OBJECT
public:
    // controle: the objectName of the control tested; textoIngles: its
    // English text; traduz: sets every English text of the window.
    TraducaoAtivacao(QWidget* janela, const Aplicacao& app, QString controle, QString textoIngles,
                     std::function<void()> traduz);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    bool Traduzida() const;

    QWidget* janela_;
    const Aplicacao& app_;
    QString controle_;
    QString textoIngles_;
    std::function<void()> traduz_;
};

}  // namespace kivo::ui
