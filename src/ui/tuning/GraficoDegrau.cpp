#include "ui/tuning/GraficoDegrau.h"

#include <algorithm>
#include <cmath>

#include <QLineSeries>
#include <QValueAxis>

#include "tuning/StepSeries.h"
#include "ui/i18n/TextosSintonia.h"

namespace kivo::ui {
namespace {

QLineSeries* Serie(QChart* c, const QString& nome, QColor cor, Qt::PenStyle estilo, qreal largura) {
    auto* s = new QLineSeries(c);
    s->setName(nome);
    QPen caneta(cor);
    caneta.setStyle(estilo);
    caneta.setWidthF(largura);
    s->setPen(caneta);
    c->addSeries(s);
    return s;
}

// A range around [menor, maior] with a margin, never of zero height.
void Faixa(QValueAxis* eixo, double menor, double maior) {
    if (!(menor <= maior)) {
        menor = 0;
        maior = 100;
    }
    const double margem = std::max(0.05 * (maior - menor), 0.5);
    eixo->setRange(menor - margem, maior + margem);
    eixo->applyNiceNumbers();
}

}  // namespace

GraficoDegrau::GraficoDegrau(bool ingles, QWidget* parent) : QChartView(new QChart, parent) {
    // Made with its chart: a view made empty makes a default chart that
    // setChart would leave behind.
    QChart* c = chart();
    c->setMargins(QMargins(2, 2, 2, 2));
    c->legend()->setAlignment(Qt::AlignBottom);
    pv_ = Serie(c, QStringLiteral("PV"), QColor(0xD0, 0x00, 0x00), Qt::SolidLine, 1.5);
    modelo_ = Serie(c, LegendaModelo(ingles), Qt::black, Qt::DashLine, 2);
    mv_ = Serie(c, QStringLiteral("MV"), QColor(0x00, 0x80, 0x00), Qt::SolidLine, 1.5);
    // One series for the three marks: vertical segments joined along the
    // bottom of the chart, which the axis range keeps out of sight.
    marcas_ = Serie(c, LegendaDegrau(ingles), QColor(0x30, 0x60, 0xC0), Qt::DotLine, 1);
    eixoT_ = new QValueAxis(c);
    eixoT_->setLabelFormat(QStringLiteral("%g"));
    eixoT_->setTitleText(QStringLiteral("t (s)"));
    eixoPV_ = new QValueAxis(c);
    eixoPV_->setLabelFormat(QStringLiteral("%.1f"));
    eixoPV_->setTitleText(QStringLiteral("PV (%)"));
    eixoMV_ = new QValueAxis(c);
    eixoMV_->setLabelFormat(QStringLiteral("%.1f"));
    eixoMV_->setTitleText(QStringLiteral("MV (%)"));
    c->addAxis(eixoT_, Qt::AlignBottom);
    c->addAxis(eixoPV_, Qt::AlignLeft);
    c->addAxis(eixoMV_, Qt::AlignRight);
    for (QLineSeries* s : {pv_, modelo_, marcas_}) {
        s->attachAxis(eixoT_);
        s->attachAxis(eixoPV_);
    }
    mv_->attachAxis(eixoT_);
    mv_->attachAxis(eixoMV_);
    setRenderHint(QPainter::Antialiasing, true);
    Limpa();
}

void GraficoDegrau::Limpa() {
    for (QLineSeries* s : {pv_, mv_, modelo_, marcas_}) s->clear();
    eixoT_->setRange(0, 1);
    Faixa(eixoPV_, 0, 100);
    Faixa(eixoMV_, 0, 100);
}

void GraficoDegrau::Ajusta(const tuning::StepSeries& s) {
    if (s.size() == 0) return;
    eixoT_->setRange(s.t.front(), std::max(s.t.back(), s.t.front() + 1e-3));
    eixoT_->applyNiceNumbers();
    const auto [pvMin, pvMax] = std::minmax_element(s.pv.begin(), s.pv.end());
    const auto [mvMin, mvMax] = std::minmax_element(s.mv.begin(), s.mv.end());
    Faixa(eixoPV_, *pvMin, *pvMax);
    Faixa(eixoMV_, *mvMin, *mvMax);
}

void GraficoDegrau::Mostra(const tuning::StepSeries& s) {
    QList<QPointF> pv, mv;
    pv.reserve(qsizetype(s.size()));
    mv.reserve(qsizetype(s.size()));
    for (std::size_t i = 0; i < s.size(); ++i) {
        pv.append(QPointF(s.t[i], s.pv[i]));
        mv.append(QPointF(s.t[i], s.mv[i]));
    }
    pv_->replace(pv);
    mv_->replace(mv);
    modelo_->clear();
    marcas_->clear();
    Ajusta(s);
}

void GraficoDegrau::MarcaDegrau(const tuning::StepSeries& s, const tuning::Step& d, const std::vector<double>& modelo) {
    QList<QPointF> m;
    m.reserve(qsizetype(modelo.size()));
    for (std::size_t i = 0; i < modelo.size() && d.first + i < s.size(); ++i)
        m.append(QPointF(s.t[d.first + i], modelo[i]));
    modelo_->replace(m);
    // The marks run from far below to far above the PV range, so they cross
    // the whole plot whatever the axis shows.
    const double baixo = eixoPV_->min() - 1e6, alto = eixoPV_->max() + 1e6;
    QList<QPointF> marcas;
    bool sobe = true;
    for (std::size_t i : {d.first, d.index, d.last - 1}) {
        const double t = s.t[std::min(i, s.size() - 1)];
        marcas.append(QPointF(t, sobe ? baixo : alto));
        marcas.append(QPointF(t, sobe ? alto : baixo));
        sobe = !sobe;
    }
    marcas_->replace(marcas);
}

}  // namespace kivo::ui
