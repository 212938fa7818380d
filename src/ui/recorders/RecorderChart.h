#pragma once
// The drawing surface of a trend recorder (450 x 200 logical pixels, one
// pixel per sample, newest at the right) and the area that hangs the two
// scale columns beside it at the heights of the grid lines.
#include <utility>
#include <vector>

#include <QWidget>

namespace kivo {
class RecorderSampler;
}

namespace kivo::ui {

class RecorderChart : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 450;
    static constexpr int kHeight = 200;

    RecorderChart(const RecorderSampler& a, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {kWidth + 1, kHeight + 1}; }

signals:
    // A press at (x, y), counted from the chart's top-left corner.
    void pressed(QPoint p);
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    const RecorderSampler& a_;
};

// Lays the chart out between two columns of labels; each label is centred
// on the chart height it is given (0 = top, 200 = bottom).
class ChartArea : public QWidget {
public:
    ChartArea(QWidget* plot, QWidget* parent = nullptr);
    void AddLeft(QWidget* w, int y) {
        w->setParent(this);
        left_.emplace_back(w, y);
    }
    void AddRight(QWidget* w, int y) {
        w->setParent(this);
        right_.emplace_back(w, y);
    }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }
    // After a label's text changed: new size, labels placed again.
    void Reposition();

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    int ColumnWidth(const std::vector<std::pair<QWidget*, int>>& column) const;
    int Margin() const;

    QWidget* plot_;
    std::vector<std::pair<QWidget*, int>> left_;
    std::vector<std::pair<QWidget*, int>> right_;
};

}  // namespace kivo::ui
