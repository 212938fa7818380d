#include "ui/recorders/RecorderChart.h"

#include <QMouseEvent>
#include <QPainter>

#include "project/RecorderSampler.h"

namespace kivo::ui {

namespace {
constexpr int kSpacing = 4;  // between a column and the chart

// The size a label or field takes: its hint within its own limits (a
// field of fixed width is narrower than its hint).
QSize Size(const QWidget* w) { return w->sizeHint().expandedTo(w->minimumSize()).boundedTo(w->maximumSize()); }
}  // namespace

RecorderChart::RecorderChart(const RecorderSampler& a, QWidget* parent) : QWidget(parent), a_(a) {
    setObjectName(QStringLiteral("Image1"));
    setAccessibleName(QStringLiteral("Image1"));
    setFixedSize(sizeHint());
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void RecorderChart::paintEvent(QPaintEvent*) {
    // Drawn in logical pixels: at a device pixel ratio of 2 every line is
    // laid on the device grid at twice the resolution, so it stays crisp.
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(QPen(QColor(0xC0, 0xC0, 0xC0), 0));
    for (int i = 0; i <= 10; ++i) p.drawLine(0, 20 * i, kWidth, 20 * i);
    for (int x = 30 - a_.grade(); x <= kWidth; x += 30)
        if (x >= 0) p.drawLine(x, 0, x, kHeight);

    const qreal width = a_.ThickLine ? 2 : 1;
    const QColor cores[3] = {Qt::red, Qt::blue, QColor(0, 128, 0)};
    QPolygonF line(RecorderSampler::kSamples);
    for (int c = 0; c < 3; ++c) {
        // Curves 2 and 3 are drawn only while they have a variable.
        if (c > 0 && !a_.hasCaption(c)) continue;
        for (int i = 0; i < RecorderSampler::kSamples; ++i) line[i] = QPointF(i, kHeight - a_.Point(c, i));
        p.setPen(QPen(cores[c], width));
        p.drawPolyline(line);
    }
}

void RecorderChart::mousePressEvent(QMouseEvent* e) { emit pressed(e->position().toPoint()); }

void RecorderChart::mouseDoubleClickEvent(QMouseEvent*) { emit doubleClicked(); }

ChartArea::ChartArea(QWidget* plot, QWidget* parent) : QWidget(parent), plot_(plot) {
    plot_->setParent(this);
}

int ChartArea::ColumnWidth(const std::vector<std::pair<QWidget*, int>>& column) const {
    int l = 0;
    for (const auto& [w, y] : column) l = std::max(l, Size(w).width());
    return l;
}

int ChartArea::Margin() const {
    int m = 0;
    for (const auto* column : {&left_, &right_})
        for (const auto& [w, y] : *column) m = std::max(m, Size(w).height() / 2 + 1);
    return m;
}

QSize ChartArea::sizeHint() const {
    const QSize g = plot_->sizeHint();
    return {ColumnWidth(left_) + ColumnWidth(right_) + g.width() + 2 * kSpacing, g.height() + 2 * Margin()};
}

void ChartArea::resizeEvent(QResizeEvent*) { Reposition(); }

void ChartArea::Reposition() {
    updateGeometry();
    const int m = Margin();
    const int read = ColumnWidth(left_);
    plot_->move(read + kSpacing, m);
    const int xd = read + kSpacing + plot_->width() + kSpacing;
    for (const auto& [w, y] : left_) {
        const QSize s = Size(w);
        w->setGeometry(read - s.width(), m + y - s.height() / 2, s.width(), s.height());
    }
    for (const auto& [w, y] : right_) {
        const QSize s = Size(w);
        w->setGeometry(xd, m + y - s.height() / 2, s.width(), s.height());
    }
}

}  // namespace kivo::ui
