#include "ui/fastsim/LoopChart.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QLineSeries>
#include <QList>
#include <QMouseEvent>
#include <QValueAxis>

#include "fastsim/Indices.h"

namespace kivo::ui {
namespace {

QLineSeries* Series(QChart* c, const char* name, QColor colour) {
    auto* s = new QLineSeries(c);
    s->setName(QString::fromLatin1(name));
    QPen pen(colour);
    pen.setWidth(1);
    s->setPen(pen);
    c->addSeries(s);
    return s;
}

}  // namespace

LoopChart::LoopChart(QWidget* parent) : QChartView(new QChart, parent) {
    // Made with its chart: a view made empty makes a default chart that
    // setChart would leave behind.
    QChart* c = chart();
    c->setMargins(QMargins(2, 2, 2, 2));
    c->legend()->setAlignment(Qt::AlignRight);
    pv_ = Series(c, "PV", QColor(0xD0, 0x00, 0x00));
    sp_ = Series(c, "SP", QColor(0x00, 0x00, 0xD0));
    co_ = Series(c, "CO", QColor(0x00, 0x80, 0x00));
    xAxis_ = new QValueAxis(c);
    xAxis_->setLabelFormat(QStringLiteral("%d"));
    yAxis_ = new QValueAxis(c);
    yAxis_->setLabelFormat(QStringLiteral("%.1f"));
    c->addAxis(xAxis_, Qt::AlignBottom);
    c->addAxis(yAxis_, Qt::AlignLeft);
    for (QLineSeries* s : {pv_, sp_, co_}) {
        s->attachAxis(xAxis_);
        s->attachAxis(yAxis_);
    }
    setRenderHint(QPainter::Antialiasing, false);
    setRubberBand(QChartView::NoRubberBand);
    AutoScale();
}

void LoopChart::Show(const LoopSeries& s) {
    data_ = {s.pv, s.sp, s.co};
    points_ = static_cast<int>(s.pv.size());
    co_->setVisible(true);
    page_ = 1;
    ShowPage(1);
}

void LoopChart::Clear() {
    for (auto& d : data_) d.clear();
    points_ = 0;
    ShowPage(1);
}

void LoopChart::HideCO() {
    data_[2].clear();
    co_->clear();
    co_->setVisible(false);  // no empty "CO" left in the legend
    if (automatic_) FitY();
}

qsizetype LoopChart::coPoints() const { return co_->count(); }

void LoopChart::SetPointsPerPage(int n) {
    perPage_ = std::max(1, n);
    ShowPage(std::min(page_, pages()));
}

int LoopChart::pages() const { return std::max(1, (points_ + perPage_ - 1) / perPage_); }

void LoopChart::ShowPage(int p) {
    page_ = std::max(1, p);
    // The axes first: moving them re-maps the points the chart holds, which
    // are still the old page's, not the whole run.
    AutoScale();
    const std::size_t start = static_cast<std::size_t>(page_ - 1) * static_cast<std::size_t>(perPage_);
    const std::array<QLineSeries*, 3> series = {pv_, sp_, co_};
    for (std::size_t k = 0; k < 3; ++k) {
        const std::vector<double>& y = data_[k];
        const std::size_t end = std::min(y.size(), start + static_cast<std::size_t>(perPage_) + 1);
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(end > start ? end - start : 0));
        for (std::size_t i = start; i < end; ++i) points.append(QPointF(static_cast<double>(i), y[i]));
        series[k]->replace(points);
    }
}

void LoopChart::AutoScale() {
    automatic_ = true;
    const double start = static_cast<double>(page_ - 1) * perPage_;
    // The page's span ends where the next page begins, so the ticks fall
    // on round seconds.
    xAxis_->setRange(start, start + perPage_);
    FitY();
}

void LoopChart::FitY() {
    const auto start = static_cast<std::size_t>(std::max(0.0, std::ceil(xAxis_->min())));
    const auto end = static_cast<std::size_t>(std::max(0.0, std::floor(xAxis_->max())) + 1);
    double smallest = std::numeric_limits<double>::infinity();
    double largest = -smallest;
    for (const std::vector<double>& y : data_)
        for (std::size_t i = start; i < std::min(end, y.size()); ++i) {
            smallest = std::min(smallest, y[i]);
            largest = std::max(largest, y[i]);
        }
    if (!(smallest <= largest)) {
        yAxis_->setRange(0, 100);
        return;
    }
    // A flat line sits in the middle of a small span instead of on an edge.
    // A line at rest wanders by rounding errors only (60 and
    // 60.00000000000009): that is flat too, and a span that thin would
    // collapse to nothing once rounded to nice numbers.
    const double scale = std::max(1.0, std::fabs(largest));
    const bool flat = largest - smallest <= 1e-6 * scale;
    const double gap = flat ? std::max(1.0, std::fabs(largest) * 0.05) : (largest - smallest) * 0.05;
    yAxis_->setRange(smallest - gap, largest + gap);
    yAxis_->applyNiceNumbers();
    if (!(yAxis_->min() < yAxis_->max())) yAxis_->setRange(smallest - gap, largest + gap);
}

void LoopChart::Scale0to100() {
    automatic_ = false;
    yAxis_->setRange(0, 100);
}

QPointF LoopChart::xRange() const { return {xAxis_->min(), xAxis_->max()}; }
QPointF LoopChart::yRange() const { return {yAxis_->min(), yAxis_->max()}; }

void LoopChart::FixRanges(QPointF x, QPointF y) {
    automatic_ = false;
    xAxis_->setRange(x.x(), x.y());
    yAxis_->setRange(y.x(), y.y());
}

void LoopChart::AllowZoom(bool allow) {
    setRubberBand(allow ? QChartView::RectangleRubberBand : QChartView::NoRubberBand);
}

void LoopChart::mousePressEvent(QMouseEvent* e) {
    // The right button is the undo gesture, not the chart's own zoom out.
    if (e->button() == Qt::RightButton) {
        e->accept();
        return;
    }
    QChartView::mousePressEvent(e);
}

void LoopChart::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::RightButton) {
        e->accept();
        if (!automatic_) {
            AutoScale();
            emit zoomUndone();
        }
        return;
    }
    const QPointF beforeX = xRange();
    const QPointF beforeY = yRange();
    QChartView::mouseReleaseEvent(e);
    // A click without a rectangle zooms nothing and keeps the request open.
    if (xRange() != beforeX || yRange() != beforeY) {
        automatic_ = false;
        emit zoomDone();
    }
}

}  // namespace kivo::ui
