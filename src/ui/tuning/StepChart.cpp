#include "ui/tuning/StepChart.h"

#include <algorithm>
#include <cmath>

#include <QLineSeries>
#include <QValueAxis>

#include "tuning/StepSeries.h"
#include "ui/i18n/TuningTexts.h"

namespace kivo::ui {
namespace {

QLineSeries* Series(QChart* c, const QString& name, QColor colour, Qt::PenStyle penStyle, qreal width) {
    auto* s = new QLineSeries(c);
    s->setName(name);
    QPen pen(colour);
    pen.setStyle(penStyle);
    pen.setWidthF(width);
    s->setPen(pen);
    c->addSeries(s);
    return s;
}

// A range around [smallest, largest] with a margin, never of zero height.
void SetAxisRange(QValueAxis* axis, double smallest, double largest) {
    if (!(smallest <= largest)) {
        smallest = 0;
        largest = 100;
    }
    const double margin = std::max(0.05 * (largest - smallest), 0.5);
    axis->setRange(smallest - margin, largest + margin);
    axis->applyNiceNumbers();
}

}  // namespace

StepChart::StepChart(bool english, QWidget* parent) : QChartView(new QChart, parent) {
    // Made with its chart: a view made empty makes a default chart that
    // setChart would leave behind.
    QChart* c = chart();
    c->setMargins(QMargins(2, 2, 2, 2));
    c->legend()->setAlignment(Qt::AlignBottom);
    pv_ = Series(c, QStringLiteral("PV"), QColor(0xD0, 0x00, 0x00), Qt::SolidLine, 1.5);
    model_ = Series(c, ModelLegend(english), Qt::black, Qt::DashLine, 2);
    mv_ = Series(c, QStringLiteral("MV"), QColor(0x00, 0x80, 0x00), Qt::SolidLine, 1.5);
    // One series for the three marks: vertical segments joined along the
    // bottom of the chart, which the axis range keeps out of sight.
    marks_ = Series(c, StepLegend(english), QColor(0x30, 0x60, 0xC0), Qt::DotLine, 1);
    tAxis_ = new QValueAxis(c);
    tAxis_->setLabelFormat(QStringLiteral("%g"));
    tAxis_->setTitleText(QStringLiteral("t (s)"));
    pvAxis_ = new QValueAxis(c);
    pvAxis_->setLabelFormat(QStringLiteral("%.1f"));
    pvAxis_->setTitleText(QStringLiteral("PV (%)"));
    mvAxis_ = new QValueAxis(c);
    mvAxis_->setLabelFormat(QStringLiteral("%.1f"));
    mvAxis_->setTitleText(QStringLiteral("MV (%)"));
    c->addAxis(tAxis_, Qt::AlignBottom);
    c->addAxis(pvAxis_, Qt::AlignLeft);
    c->addAxis(mvAxis_, Qt::AlignRight);
    for (QLineSeries* s : {pv_, model_, marks_}) {
        s->attachAxis(tAxis_);
        s->attachAxis(pvAxis_);
    }
    mv_->attachAxis(tAxis_);
    mv_->attachAxis(mvAxis_);
    setRenderHint(QPainter::Antialiasing, true);
    Clear();
}

void StepChart::Clear() {
    for (QLineSeries* s : {pv_, mv_, model_, marks_}) s->clear();
    tAxis_->setRange(0, 1);
    SetAxisRange(pvAxis_, 0, 100);
    SetAxisRange(mvAxis_, 0, 100);
}

void StepChart::FitAxes(const tuning::StepSeries& s) {
    if (s.size() == 0) return;
    tAxis_->setRange(s.t.front(), std::max(s.t.back(), s.t.front() + 1e-3));
    tAxis_->applyNiceNumbers();
    const auto [pvMin, pvMax] = std::minmax_element(s.pv.begin(), s.pv.end());
    const auto [mvMin, mvMax] = std::minmax_element(s.mv.begin(), s.mv.end());
    SetAxisRange(pvAxis_, *pvMin, *pvMax);
    SetAxisRange(mvAxis_, *mvMin, *mvMax);
}

void StepChart::Show(const tuning::StepSeries& s) {
    QList<QPointF> pv, mv;
    pv.reserve(qsizetype(s.size()));
    mv.reserve(qsizetype(s.size()));
    for (std::size_t i = 0; i < s.size(); ++i) {
        pv.append(QPointF(s.t[i], s.pv[i]));
        mv.append(QPointF(s.t[i], s.mv[i]));
    }
    pv_->replace(pv);
    mv_->replace(mv);
    model_->clear();
    marks_->clear();
    FitAxes(s);
}

void StepChart::MarkStep(const tuning::StepSeries& s, const tuning::Step& d, const std::vector<double>& model) {
    QList<QPointF> m;
    m.reserve(qsizetype(model.size()));
    for (std::size_t i = 0; i < model.size() && d.first + i < s.size(); ++i)
        m.append(QPointF(s.t[d.first + i], model[i]));
    model_->replace(m);
    // The marks run from far below to far above the PV range, so they cross
    // the whole plot whatever the axis shows.
    const double down = pvAxis_->min() - 1e6, high = pvAxis_->max() + 1e6;
    QList<QPointF> marks;
    bool rising = true;
    for (std::size_t i : {d.first, d.index, d.last - 1}) {
        const double t = s.t[std::min(i, s.size() - 1)];
        marks.append(QPointF(t, rising ? down : high));
        marks.append(QPointF(t, rising ? high : down));
        rising = !rising;
    }
    marks_->replace(marks);
}

}  // namespace kivo::ui
