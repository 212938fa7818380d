#include "ui/widgets/VerticalBar.h"

#include <algorithm>

#include <QPainter>

namespace kivo::ui {

VerticalBar::VerticalBar(QColor colour, int maximum, QWidget* parent) : QWidget(parent), colour_(colour), max_(maximum) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void VerticalBar::setValue(int v) {
    v = std::clamp(v, 0, max_);
    if (v == value_) return;
    value_ = v;
    update();
}

// Sized from the font, so the bar keeps its proportions at any scaling.
QSize VerticalBar::sizeHint() const {
    const int em = fontMetrics().height();
    return {em, 7 * em};
}

QSize VerticalBar::minimumSizeHint() const {
    const int em = fontMetrics().height();
    return {em / 3, 3 * em};
}

void VerticalBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.fillRect(rect(), Qt::white);
    const double height = r.height() * value_ / max_;
    p.fillRect(QRectF(r.left(), r.bottom() - height, r.width(), height), colour_);
    p.setPen(QPen(palette().color(QPalette::Mid), 1));
    p.drawRect(r);
}

}  // namespace kivo::ui
