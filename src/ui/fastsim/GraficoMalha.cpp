#include "ui/fastsim/GraficoMalha.h"

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

QLineSeries* Serie(QChart* c, const char* nome, QColor cor) {
    auto* s = new QLineSeries(c);
    s->setName(QString::fromLatin1(nome));
    QPen caneta(cor);
    caneta.setWidth(1);
    s->setPen(caneta);
    c->addSeries(s);
    return s;
}

QList<QPointF> Pontos(const std::vector<double>& y) {
    QList<QPointF> p;
    p.reserve(static_cast<qsizetype>(y.size()));
    for (std::size_t i = 0; i < y.size(); ++i) p.append(QPointF(static_cast<double>(i), y[i]));
    return p;
}

}  // namespace

GraficoMalha::GraficoMalha(QWidget* parent) : QChartView(parent) {
    auto* c = new QChart;
    c->setMargins(QMargins(2, 2, 2, 2));
    c->legend()->setAlignment(Qt::AlignRight);
    pv_ = Serie(c, "PV", QColor(0xD0, 0x00, 0x00));
    sp_ = Serie(c, "SP", QColor(0x00, 0x00, 0xD0));
    co_ = Serie(c, "CO", QColor(0x00, 0x80, 0x00));
    eixoX_ = new QValueAxis(c);
    eixoX_->setLabelFormat(QStringLiteral("%d"));
    eixoY_ = new QValueAxis(c);
    eixoY_->setLabelFormat(QStringLiteral("%.1f"));
    c->addAxis(eixoX_, Qt::AlignBottom);
    c->addAxis(eixoY_, Qt::AlignLeft);
    for (QLineSeries* s : {pv_, sp_, co_}) {
        s->attachAxis(eixoX_);
        s->attachAxis(eixoY_);
    }
    setChart(c);
    setRenderHint(QPainter::Antialiasing, false);
    setRubberBand(QChartView::NoRubberBand);
    EscalaAutomatica();
}

void GraficoMalha::Mostra(const SeriesMalha& s) {
    pv_->replace(Pontos(s.pv));
    sp_->replace(Pontos(s.sp));
    co_->replace(Pontos(s.co));
    co_->setVisible(true);
    pontos_ = static_cast<int>(s.pv.size());
    pagina_ = 1;
    EscalaAutomatica();
}

void GraficoMalha::Limpa() {
    for (QLineSeries* s : {pv_, sp_, co_}) s->clear();
    pontos_ = 0;
    pagina_ = 1;
    EscalaAutomatica();
}

void GraficoMalha::OcultaCO() {
    co_->clear();
    co_->setVisible(false);  // no empty "CO" left in the legend
    if (automatica_) AjustaY();
}

qsizetype GraficoMalha::pontosCO() const { return co_->count(); }

void GraficoMalha::DefinePontosPorPagina(int n) {
    porPagina_ = std::max(1, n);
    pagina_ = std::min(pagina_, paginas());
    if (automatica_) EscalaAutomatica();
}

int GraficoMalha::paginas() const { return std::max(1, (pontos_ + porPagina_ - 1) / porPagina_); }

void GraficoMalha::MostraPagina(int p) {
    pagina_ = std::max(1, p);
    EscalaAutomatica();
}

void GraficoMalha::EscalaAutomatica() {
    automatica_ = true;
    const double inicio = static_cast<double>(pagina_ - 1) * porPagina_;
    eixoX_->setRange(inicio, inicio + porPagina_ - 1);
    AjustaY();
}

void GraficoMalha::AjustaY() {
    const double x0 = eixoX_->min();
    const double x1 = eixoX_->max();
    double menor = std::numeric_limits<double>::infinity();
    double maior = -menor;
    for (const QLineSeries* s : {pv_, sp_, co_}) {
        if (!s->isVisible()) continue;
        const auto n = s->count();
        // Points are one per second from 0, so the page is an index range.
        for (qsizetype i = std::max<qsizetype>(0, qsizetype(std::ceil(x0))); i < n && i <= qsizetype(x1); ++i) {
            const double y = s->at(i).y();
            menor = std::min(menor, y);
            maior = std::max(maior, y);
        }
    }
    if (!(menor <= maior)) {
        menor = 0;
        maior = 100;
    }
    // A flat line sits in the middle of a small span instead of on an edge.
    const double folga = maior > menor ? (maior - menor) * 0.05 : std::max(1.0, std::fabs(maior) * 0.05);
    eixoY_->setRange(menor - folga, maior + folga);
}

void GraficoMalha::Escala0a100() {
    automatica_ = false;
    eixoY_->setRange(0, 100);
}

QPointF GraficoMalha::faixaX() const { return {eixoX_->min(), eixoX_->max()}; }
QPointF GraficoMalha::faixaY() const { return {eixoY_->min(), eixoY_->max()}; }

void GraficoMalha::FixaFaixas(QPointF x, QPointF y) {
    automatica_ = false;
    eixoX_->setRange(x.x(), x.y());
    eixoY_->setRange(y.x(), y.y());
}

void GraficoMalha::PermiteZoom(bool sim) {
    setRubberBand(sim ? QChartView::RectangleRubberBand : QChartView::NoRubberBand);
}

void GraficoMalha::mousePressEvent(QMouseEvent* e) {
    // The right button is the undo gesture, not the chart's own zoom out.
    if (e->button() == Qt::RightButton) {
        e->accept();
        return;
    }
    QChartView::mousePressEvent(e);
}

void GraficoMalha::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::RightButton) {
        e->accept();
        if (!automatica_) {
            EscalaAutomatica();
            emit zoomDesfeito();
        }
        return;
    }
    const QPointF antesX = faixaX();
    const QPointF antesY = faixaY();
    QChartView::mouseReleaseEvent(e);
    // A click without a rectangle zooms nothing and keeps the request open.
    if (faixaX() != antesX || faixaY() != antesY) {
        automatica_ = false;
        emit zoomFeito();
    }
}

}  // namespace kivo::ui
