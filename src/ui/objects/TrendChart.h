#pragma once
// The faceplate's trend chart, drawn with QPainter straight from the
// controller's sampler: a white field of 450 x 200 chart pixels (one pixel
// per sample, two per percent), a silver grid whose vertical lines scroll
// with the samples, up to four curves, and nine scale labels in a margin on
// the left. It scales with the widget and the device pixel ratio, so it
// stays crisp at 200 %.
#include <array>

#include <QStringList>
#include <QWidget>

#include "objects/Trend.h"

namespace kivo::ui {

class TrendChart : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = ControllerTrend::kSamples;  // chart pixels
    static constexpr int kHeight = 200;

    explicit TrendChart(const ControllerTrend& trend, QWidget* parent = nullptr);

    // Which curves are drawn (PV, SP, CO, actuator position) and whether PV,
    // SP and CO use the 2-pixel pen.
    void setCurveVisible(ControllerTrend::Curve c, bool visible);
    bool curveVisible(ControllerTrend::Curve c) const { return visible_[c]; }
    void setThickLine(bool thick);

    // The trend range in engineering units, for the nine labels.
    void setEUScale(double base, double top);
    const QStringList& labels() const { return labels_; }

    // Repaints the chart area after a sample.
    void UpdateCurves();

    // Points drawn by the last paint, all curves together.
    int pointsDrawn() const { return pointsDrawn_; }

    // Where chart pixel (x, y) lies on the widget.
    QPoint WidgetPosition(double x, double y) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // A press on the chart at chart pixel (X, Y): X 0..450, Y 0..200.
    void clickedAt(int x, int y);
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    int Margin() const;
    QRectF ChartArea() const;

    const ControllerTrend& trend_;
    std::array<bool, 4> visible_{true, true, true, false};
    bool thick_ = false;
    QStringList labels_;  // k = 9..1, top to bottom
    int pointsDrawn_ = 0;
};

}  // namespace kivo::ui
