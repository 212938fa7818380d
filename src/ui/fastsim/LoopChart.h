#pragma once
// One loop chart of the fast-simulation window: PV, SP and CO against the
// simulated second, shown one page of points at a time: the chart's series
// hold the page alone (each replaced in one call), so that a 4-hour run
// costs the chart no more than a page does. The left axis
// follows the visible points unless a zoom or the 0-100 % scale fixed it.
// Zooming is a rubber band, allowed once per request; the right button
// undoes a zoom.
#include <array>
#include <vector>

#include <QChartView>
#include <QPointF>

class QLineSeries;
class QValueAxis;

namespace kivo {
struct LoopSeries;
}

namespace kivo::ui {

class LoopChart : public QChartView {
    Q_OBJECT
public:
    explicit LoopChart(QWidget* parent = nullptr);

    // Keeps the three series and turns to page 1 with automatic axes. CO
    // comes back even after it was hidden.
    void Show(const LoopSeries& s);
    void Clear();
    // Deletes the CO series' points.
    void HideCO();

    int points() const { return points_; }
    qsizetype coPoints() const;
    int pointsPerPage() const { return perPage_; }
    void SetPointsPerPage(int n);
    int page() const { return page_; }  // 1-based
    int pages() const;                  // at least 1
    // Turns to page p (from 1) with automatic axes.
    void ShowPage(int p);

    // Axes back to automatic: the page's horizontal span, the visible
    // points' vertical span.
    void AutoScale();
    void Scale0to100();
    bool automatic() const { return automatic_; }
    // The bottom and left axis ranges, and fixing them (automatic off).
    QPointF xRange() const;
    QPointF yRange() const;
    void FixRanges(QPointF x, QPointF y);

    // Allows (or withdraws) one zoom rectangle.
    void AllowZoom(bool allow);

    QLineSeries* pv() const { return pv_; }
    QLineSeries* sp() const { return sp_; }
    QLineSeries* co() const { return co_; }

signals:
    void zoomDone();
    void zoomUndone();

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    void FitY();

    std::array<std::vector<double>, 3> data_;  // PV, SP, CO of the whole run
    QLineSeries* pv_;
    QLineSeries* sp_;
    QLineSeries* co_;
    QValueAxis* xAxis_;
    QValueAxis* yAxis_;
    int points_ = 0;
    int perPage_ = 1800;
    int page_ = 1;
    bool automatic_ = true;
};

}  // namespace kivo::ui
