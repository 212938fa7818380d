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

}  // namespace

GraficoMalha::GraficoMalha(QWidget* parent) : QChartView(new QChart, parent) {
    // Made with its chart: a view made empty makes a default chart that
    // setChart would leave behind.
    QChart* c = chart();
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
    setRenderHint(QPainter::Antialiasing, false);
    setRubberBand(QChartView::NoRubberBand);
    EscalaAutomatica();
}

void GraficoMalha::Mostra(const SeriesMalha& s) {
    dados_ = {s.pv, s.sp, s.co};
    pontos_ = static_cast<int>(s.pv.size());
    co_->setVisible(true);
    pagina_ = 1;
    MostraPagina(1);
}

void GraficoMalha::Limpa() {
    for (auto& d : dados_) d.clear();
    pontos_ = 0;
    MostraPagina(1);
}

void GraficoMalha::OcultaCO() {
    dados_[2].clear();
    co_->clear();
    co_->setVisible(false);  // no empty "CO" left in the legend
    if (automatica_) AjustaY();
}

qsizetype GraficoMalha::pontosCO() const { return co_->count(); }

void GraficoMalha::DefinePontosPorPagina(int n) {
    porPagina_ = std::max(1, n);
    MostraPagina(std::min(pagina_, paginas()));
}

int GraficoMalha::paginas() const { return std::max(1, (pontos_ + porPagina_ - 1) / porPagina_); }

void GraficoMalha::MostraPagina(int p) {
    pagina_ = std::max(1, p);
    // The axes first: moving them re-maps the points the chart holds, which
    // are still the old page's, not the whole run.
    EscalaAutomatica();
    const std::size_t inicio = static_cast<std::size_t>(pagina_ - 1) * static_cast<std::size_t>(porPagina_);
    const std::array<QLineSeries*, 3> series = {pv_, sp_, co_};
    for (std::size_t k = 0; k < 3; ++k) {
        const std::vector<double>& y = dados_[k];
        const std::size_t fim = std::min(y.size(), inicio + static_cast<std::size_t>(porPagina_) + 1);
        QList<QPointF> pontos;
        pontos.reserve(static_cast<qsizetype>(fim > inicio ? fim - inicio : 0));
        for (std::size_t i = inicio; i < fim; ++i) pontos.append(QPointF(static_cast<double>(i), y[i]));
        series[k]->replace(pontos);
    }
}

void GraficoMalha::EscalaAutomatica() {
    automatica_ = true;
    const double inicio = static_cast<double>(pagina_ - 1) * porPagina_;
    // The page's span ends where the next page begins, so the ticks fall
    // on round seconds.
    eixoX_->setRange(inicio, inicio + porPagina_);
    AjustaY();
}

void GraficoMalha::AjustaY() {
    const auto inicio = static_cast<std::size_t>(std::max(0.0, std::ceil(eixoX_->min())));
    const auto fim = static_cast<std::size_t>(std::max(0.0, std::floor(eixoX_->max())) + 1);
    double menor = std::numeric_limits<double>::infinity();
    double maior = -menor;
    for (const std::vector<double>& y : dados_)
        for (std::size_t i = inicio; i < std::min(fim, y.size()); ++i) {
            menor = std::min(menor, y[i]);
            maior = std::max(maior, y[i]);
        }
    if (!(menor <= maior)) {
        eixoY_->setRange(0, 100);
        return;
    }
    // A flat line sits in the middle of a small span instead of on an edge.
    // A line at rest wanders by rounding errors only (60 and
    // 60.00000000000009): that is flat too, and a span that thin would
    // collapse to nothing once rounded to nice numbers.
    const double escala = std::max(1.0, std::fabs(maior));
    const bool plana = maior - menor <= 1e-6 * escala;
    const double folga = plana ? std::max(1.0, std::fabs(maior) * 0.05) : (maior - menor) * 0.05;
    eixoY_->setRange(menor - folga, maior + folga);
    eixoY_->applyNiceNumbers();
    if (!(eixoY_->min() < eixoY_->max())) eixoY_->setRange(menor - folga, maior + folga);
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
