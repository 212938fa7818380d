#include "ui/objects/TrendChart.h"

#include <algorithm>
#include <cmath>

#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>

#include "core/NumberText.h"

namespace kivo::ui {
namespace {

constexpr int kDivisionH = 20;  // chart pixels between horizontal grid lines
constexpr int kDivisionV = 30;  // samples per vertical division

const std::array<QColor, 4> kCores{QColor(Qt::red), QColor(Qt::blue), QColor(0, 128, 0), QColor(Qt::black)};

}  // namespace

TrendChart::TrendChart(const ControllerTrend& trend, QWidget* parent)
    : QWidget(parent), trend_(trend) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setEUScale(0, 100);
}

void TrendChart::setCurveVisible(ControllerTrend::Curve c, bool visible) {
    if (visible_[c] == visible) return;
    visible_[c] = visible;
    update();
}

void TrendChart::setThickLine(bool thick) {
    if (thick_ == thick) return;
    thick_ = thick;
    update();
}

void TrendChart::setEUScale(double base, double top) {
    QStringList r;
    for (int k = 9; k >= 1; --k) r << QString::fromStdString(FormatFixed(base + (top - base) * k / 10, 2, 0));
    if (r == labels_) return;
    const int before = labels_.isEmpty() ? -1 : Margin();
    labels_ = r;
    if (Margin() != before) updateGeometry();
    update();
}

int TrendChart::Margin() const {
    int width = 0;
    for (const QString& s : labels_) width = std::max(width, fontMetrics().horizontalAdvance(s.trimmed()));
    return width + fontMetrics().averageCharWidth();
}

QSize TrendChart::sizeHint() const { return {Margin() + kWidth + 2, kHeight + 2}; }
QSize TrendChart::minimumSizeHint() const { return sizeHint(); }

QRectF TrendChart::ChartArea() const {
    const int m = Margin();
    return {double(m), 1.0, double(width() - m - 1), double(height() - 2)};
}

QPoint TrendChart::WidgetPosition(double x, double y) const {
    const QRectF a = ChartArea();
    return QPointF(a.left() + x * a.width() / kWidth, a.top() + y * a.height() / kHeight).toPoint();
}

void TrendChart::UpdateCurves() { update(ChartArea().toAlignedRect()); }

void TrendChart::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    const QRectF a = ChartArea();
    // A new sample repaints the chart alone; the labels only when the
    // scale or the size changes.
    const bool withLabels = e->rect().left() < a.left();
    if (withLabels) p.fillRect(QRectF(0, 0, a.left(), height()), palette().color(QPalette::Window));
    const double sx = a.width() / kWidth;
    const double sy = a.height() / kHeight;
    const auto X = [&](double x) { return a.left() + x * sx; };
    const auto Y = [&](double y) { return a.top() + y * sy; };
    p.fillRect(a, Qt::white);

    // Grid lines are filled, not stroked (a solid fill is far cheaper, and
    // ten trends redraw at every tick), each one whole logical pixel so that
    // all look the same whatever the chart's stretch.
    const QColor silver(0xC0, 0xC0, 0xC0);
    const QRect aligned = a.toAlignedRect();
    for (int j = 0; j <= kHeight / kDivisionH; ++j) {
        const int y = std::min(static_cast<int>(std::floor(Y(j * kDivisionH))), aligned.bottom());
        p.fillRect(QRect(aligned.left(), y, aligned.width(), 1), silver);
    }
    for (int k = 1; k <= kWidth / kDivisionV; ++k) {
        const int x = std::min(static_cast<int>(std::floor(X(k * kDivisionV - trend_.grade()))), aligned.right());
        p.fillRect(QRect(x, aligned.top(), 1, aligned.height()), silver);
    }

    p.setPen(palette().color(QPalette::WindowText));
    const int textHeight = fontMetrics().height();
    for (int i = 0; withLabels && i < labels_.size(); ++i) {
        const double y = Y((i + 1) * kDivisionH);
        p.drawText(QRectF(0, y - textHeight / 2.0, a.left() - 2, textHeight), Qt::AlignRight | Qt::AlignVCenter,
                   labels_[i].trimmed());
    }

    // Oldest sample at the left, newest at the right end.
    p.setClipRect(a);
    pointsDrawn_ = 0;
    // Only the positions that hold a sample: a trend just started draws from
    // its first sample, not a line up from the zeros before it.
    const int first = kWidth - trend_.samples();
    QPolygonF line(kWidth - first);
    for (int c = ControllerTrend::ActuatorCurve; c >= ControllerTrend::PVCurve; --c) {
        if (!visible_[c] || line.isEmpty()) continue;
        const auto curve = static_cast<ControllerTrend::Curve>(c);
        for (int i = first; i < kWidth; ++i)
            line[i - first] = QPointF(X(i + 0.5), Y(kHeight - trend_.Point(curve, i) + 0.5));
        const bool thick = thick_ && curve != ControllerTrend::ActuatorCurve;
        p.setPen(QPen(kCores[c], thick ? 2 : 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(line);
        pointsDrawn_ += static_cast<int>(line.size());
    }
    p.setClipping(false);
    QPen framePen(palette().color(QPalette::Mid), 0);  // cosmetic: one device pixel, the fast path
    p.setPen(framePen);
    p.drawRect(a.adjusted(-0.5, -0.5, 0.5, 0.5));
}

void TrendChart::mousePressEvent(QMouseEvent* e) {
    const QRectF a = ChartArea();
    const QPointF q = e->position();
    if (!a.contains(q)) return;
    emit clickedAt(static_cast<int>((q.x() - a.left()) * kWidth / a.width()),
                 static_cast<int>((q.y() - a.top()) * kHeight / a.height()));
}

void TrendChart::mouseDoubleClickEvent(QMouseEvent*) { emit doubleClicked(); }

}  // namespace kivo::ui
