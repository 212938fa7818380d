#include "ui/widgets/Icons.h"

#include <QPainter>
#include <QPainterPath>

namespace kivo::ui {
namespace {

// Every picture is drawn in a 32 x 32 box; the painter scales it.
void PidController(QPainter& p) {
    p.setPen(QPen(QColor(30, 60, 140), 2));
    p.setBrush(QColor(220, 232, 250));
    p.drawEllipse(QRectF(3, 3, 26, 26));
    p.drawLine(QPointF(3, 16), QPointF(29, 16));
    QFont f = p.font();
    f.setPixelSize(9);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(3, 4, 26, 12), Qt::AlignCenter, QStringLiteral("PID"));
}

void ProcessBlock(QPainter& p) {
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.setBrush(QColor(200, 230, 200));
    p.drawRoundedRect(QRectF(4, 6, 24, 20), 3, 3);
    QPainterPath curve;
    curve.moveTo(7, 22);
    curve.cubicTo(13, 22, 14, 10, 25, 10);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(20, 110, 20), 2));
    p.drawPath(curve);
}

void CalculationBlock(QPainter& p) {
    p.setPen(QPen(QColor(110, 60, 10), 2));
    p.setBrush(QColor(250, 232, 200));
    p.drawRect(QRectF(4, 5, 24, 22));
    QFont f = p.font();
    f.setPixelSize(15);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(4, 5, 24, 22), Qt::AlignCenter, QStringLiteral("f"));
}

void Recorder(QPainter& p) {
    p.setPen(QPen(QColor(50, 50, 50), 2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3, 4, 26, 24));
    p.setPen(QPen(QColor(200, 30, 30), 2));
    p.drawPolyline(QPolygonF({{5, 20}, {10, 14}, {15, 18}, {20, 9}, {27, 12}}));
    p.setPen(QPen(QColor(30, 30, 200), 2));
    p.drawPolyline(QPolygonF({{5, 24}, {12, 22}, {18, 24}, {27, 20}}));
}

void Floppy(QPainter& p, const QColor& body) {
    p.setPen(QPen(QColor(30, 30, 30), 1.5));
    p.setBrush(body);
    QPainterPath d;
    d.moveTo(4, 4);
    d.lineTo(24, 4);
    d.lineTo(28, 8);
    d.lineTo(28, 28);
    d.lineTo(4, 28);
    d.closeSubpath();
    p.drawPath(d);
    p.setBrush(QColor(235, 235, 235));
    p.drawRect(QRectF(9, 4, 14, 8));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8, 17, 16, 11));
}

void Saved(QPainter& p) {
    Floppy(p, QColor(60, 130, 200));
    p.setPen(QPen(QColor(0, 140, 0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({{11, 22}, {15, 26}, {22, 18}}));
}

void Modified(QPainter& p) {
    Floppy(p, QColor(220, 120, 40));
    p.setPen(QPen(QColor(200, 0, 0), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 18), QPointF(16, 23));
    p.drawPoint(QPointF(16, 26.5));
}

void Program(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 70, 140));
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    p.setPen(QPen(QColor(255, 255, 255, 110), 1));
    for (int y = 8; y < 30; y += 6) p.drawLine(QPointF(4, y), QPointF(28, y));
    p.setPen(QPen(QColor(140, 230, 140), 1, Qt::DashLine));
    p.drawLine(QPointF(4, 13), QPointF(28, 13));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 200, 40), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath response;
    response.moveTo(4, 25);
    response.cubicTo(10, 25, 10, 6, 16, 8);
    response.cubicTo(21, 10, 20, 14, 28, 13);
    p.drawPath(response);
}

}  // namespace

QPixmap DrawIcon(Icon icon, int side, qreal dpr) {
    QPixmap pm(QSize(side, side) * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(side / 32.0, side / 32.0);
    switch (icon) {
        case Icon::PidController: PidController(p); break;
        case Icon::ProcessBlock: ProcessBlock(p); break;
        case Icon::CalculationBlock: CalculationBlock(p); break;
        case Icon::Recorder: Recorder(p); break;
        case Icon::Saved: Saved(p); break;
        case Icon::Modified: Modified(p); break;
        case Icon::Program: Program(p); break;
    }
    return pm;
}

QPixmap DrawSwitch(int orientation, bool on, int side, qreal dpr) {
    QPixmap pm(QSize(side, side) * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 32.0, side / 32.0);
    // Drawn pointing right, then turned to the orientation.
    p.translate(16, 16);
    p.rotate(orientation == 0 ? 180 : orientation == 1 ? -90 : orientation == 3 ? 90 : 0);
    p.translate(-16, -16);
    p.setBrush(QColor(240, 240, 240));
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 4, 4);
    p.setPen(QPen(QColor(40, 40, 40), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3, 16), QPointF(9, 16));
    p.drawLine(QPointF(24, 9), QPointF(29, 9));
    p.drawLine(QPointF(24, 23), QPointF(29, 23));
    p.setBrush(QColor(40, 40, 40));
    for (QPointF c : {QPointF(9, 16), QPointF(24, 9), QPointF(24, 23)}) p.drawEllipse(c, 1.8, 1.8);
    p.setPen(QPen(on ? QColor(0, 140, 0) : QColor(190, 0, 0), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9, 16), on ? QPointF(23, 22) : QPointF(23, 10));
    return pm;
}

QPixmap DrawLamp(bool pressed, int side, qreal dpr) {
    QPixmap pm(QSize(side, side) * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 32.0, side / 32.0);
    const QColor colour = pressed ? QColor(40, 190, 60) : QColor(245, 170, 20);
    QRadialGradient glow(QPointF(12, 11), 16);
    glow.setColorAt(0, colour.lighter(160));
    glow.setColorAt(1, colour.darker(115));
    p.setPen(QPen(QColor(70, 70, 70), 2));
    p.setBrush(QColor(200, 200, 200));
    p.drawEllipse(QRectF(1, 1, 30, 30));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QRectF(5, 5, 22, 22));
    return pm;
}

QIcon MakeIcon(Icon icon) {
    QIcon i;
    // The engine picks by device pixels, so plain pictures at many sizes
    // serve every scaling.
    for (int side : {16, 20, 22, 24, 32, 40, 44, 48, 64, 96, 128, 192}) i.addPixmap(DrawIcon(icon, side, 1.0));
    return i;
}

}  // namespace kivo::ui
