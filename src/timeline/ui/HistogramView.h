#pragma once

#include "app/WindowLayer.h"

#include "timeline/TimelineHistogram.h"

#include <QWidget>

namespace vc {

// The histogram above the timeline's table, painted by the window: one bar
// per hour, day, month or year of the span shown, the busiest as high as
// the box. Dragging across it chooses a span of whole bars; a click
// without dragging asks for every event again.
class HistogramView : public QWidget {
    Q_OBJECT
public:
    explicit HistogramView(QWidget* parent = nullptr);

    void setHistogram(TimelineHistogram histogram);
    const TimelineHistogram& histogram() const { return m_histogram; }
    // The caption of the unit ("Events per day") and a bar's start as the
    // axis writes it.
    QString unitCaption() const;
    QString barText(size_t bar) const;
    // The bar under a point of the widget; -1 when there is none.
    int barAt(int x) const;
    QSize sizeHint() const override { return {640, 160}; }
    QSize minimumSizeHint() const override { return {200, 120}; }

Q_SIGNALS:
    // A span of bars was chosen: from the first one's start to the last
    // one's end, in microseconds since 1970 UTC.
    void spanChosen(qint64 from, qint64 to);
    void spanCleared();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRect plotArea() const;

    TimelineHistogram m_histogram;
    int m_pressX = -1;
    int m_dragX = -1;
};

} // namespace vc
