#include "ui/app/OperacaoLonga.h"

#include <QCoreApplication>
#include <QEvent>
#include <QProgressBar>
#include <QTimer>

namespace kivo::ui {
namespace {

// About 25 screen updates a second cost little beside the run itself.
constexpr int kIntervaloMs = 40;

}  // namespace

TimerSuspenso::TimerSuspenso(QTimer& t) : t_(t), ativo_(t.isActive()) { t_.stop(); }

TimerSuspenso::~TimerSuspenso() {
    if (ativo_) t_.start();
}

ProgressoBarra::ProgressoBarra(QProgressBar& barra) : barra_(barra) {
    relogio_.start();
    QCoreApplication::instance()->installEventFilter(this);
}

ProgressoBarra::~ProgressoBarra() { QCoreApplication::instance()->removeEventFilter(this); }

void ProgressoBarra::AoProgresso(int percent) {
    barra_.setValue(percent);
    if (relogio_.elapsed() >= kIntervaloMs) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        relogio_.restart();
    }
}

bool ProgressoBarra::eventFilter(QObject*, QEvent* e) { return e->type() == QEvent::Close; }

}  // namespace kivo::ui
