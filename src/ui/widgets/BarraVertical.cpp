#include "ui/widgets/BarraVertical.h"

#include <algorithm>

#include <QPainter>

namespace kivo::ui {

BarraVertical::BarraVertical(QColor cor, int maximo, QWidget* parent) : QWidget(parent), cor_(cor), maximo_(maximo) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BarraVertical::setValor(int v) {
    v = std::clamp(v, 0, maximo_);
    if (v == valor_) return;
    valor_ = v;
    update();
}

// Sized from the font, so the bar keeps its proportions at any scaling.
QSize BarraVertical::sizeHint() const {
    const int em = fontMetrics().height();
    return {em, 7 * em};
}

QSize BarraVertical::minimumSizeHint() const {
    const int em = fontMetrics().height();
    return {em / 3, 3 * em};
}

void BarraVertical::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.fillRect(rect(), Qt::white);
    const double altura = r.height() * valor_ / maximo_;
    p.fillRect(QRectF(r.left(), r.bottom() - altura, r.width(), altura), cor_);
    p.setPen(QPen(palette().color(QPalette::Mid), 1));
    p.drawRect(r);
}

}  // namespace kivo::ui
