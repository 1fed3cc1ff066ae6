#include "timeline/ui/HistogramView.h"

#include "language/InterfaceTexts.h"
#include "timeline/CivilTime.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace vc {

namespace {

// Dragging less than this is a click.
constexpr int kDragPixels = 4;

} // namespace

HistogramView::HistogramView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tl_Histogram"));
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    setCursor(Qt::CrossCursor);
}

void HistogramView::setHistogram(TimelineHistogram histogram) {
    m_histogram = std::move(histogram);
    m_pressX = m_dragX = -1;
    update();
}

QString HistogramView::unitCaption() const {
    switch (m_histogram.unit) {
    case HistogramUnit::Hour:
        return tx(TextEventsPerHour);
    case HistogramUnit::Day:
        return tx(TextEventsPerDay);
    case HistogramUnit::Month:
        return tx(TextEventsPerMonth);
    case HistogramUnit::Year:
        return tx(TextEventsPerYear);
    }
    return QString();
}

QString HistogramView::barText(size_t bar) const {
    if (bar >= m_histogram.starts.size())
        return QString();
    const CivilTime c = civilTimeOf(m_histogram.starts[bar]);
    switch (m_histogram.unit) {
    case HistogramUnit::Hour:
        return QString::asprintf("%04d-%02d-%02d %02d:00", c.year, c.month, c.day, c.hour);
    case HistogramUnit::Day:
        return QString::asprintf("%04d-%02d-%02d", c.year, c.month, c.day);
    case HistogramUnit::Month:
        return QString::asprintf("%04d-%02d", c.year, c.month);
    case HistogramUnit::Year:
        return QString::asprintf("%04d", c.year);
    }
    return QString();
}

QRect HistogramView::plotArea() const {
    const int line = fontMetrics().height();
    return rect().adjusted(4, line + 4, -4, -(line + 4));
}

int HistogramView::barAt(int x) const {
    const size_t bars = m_histogram.counts.size();
    const QRect plot = plotArea();
    if (bars == 0 || plot.width() <= 0)
        return -1;
    const int at = int(double(x - plot.left()) * double(bars) / double(plot.width()));
    return std::clamp(at, 0, int(bars) - 1);
}

void HistogramView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const size_t bars = m_histogram.counts.size();
    const QRect plot = plotArea();
    const int line = fontMetrics().height();
    painter.setPen(palette().color(QPalette::Text));
    if (bars == 0 || m_histogram.largest <= 0 || plot.width() <= 0 || plot.height() <= 0) {
        painter.drawText(rect(), Qt::AlignCenter, tx(TextEvents) + QStringLiteral(": 0"));
        return;
    }
    // The caption and the highest count above, the first and last bar's
    // times below.
    const QRect top(plot.left(), 2, plot.width(), line);
    painter.drawText(top, Qt::AlignLeft | Qt::AlignVCenter,
                     unitCaption() + QStringLiteral(" (UTC)"));
    painter.drawText(top, Qt::AlignRight | Qt::AlignVCenter, QString::number(m_histogram.largest));
    const QRect bottom(plot.left(), plot.bottom() + 3, plot.width(), line);
    painter.drawText(bottom, Qt::AlignLeft | Qt::AlignVCenter, barText(0));
    if (bars > 1)
        painter.drawText(bottom, Qt::AlignRight | Qt::AlignVCenter, barText(bars - 1));

    // The span being chosen.
    if (m_pressX >= 0 && m_dragX >= 0 && std::abs(m_dragX - m_pressX) >= kDragPixels) {
        const int a = barAt(std::min(m_pressX, m_dragX));
        const int b = barAt(std::max(m_pressX, m_dragX));
        const double w = double(plot.width()) / double(bars);
        const QRectF chosen(plot.left() + a * w, plot.top(), (b - a + 1) * w, plot.height());
        QColor shade = palette().color(QPalette::Highlight);
        shade.setAlpha(60);
        painter.fillRect(chosen, shade);
    }
    const QColor bar = palette().color(QPalette::Highlight);
    const double w = double(plot.width()) / double(bars);
    for (size_t i = 0; i < bars; ++i) {
        const qint64 count = m_histogram.counts[i];
        if (count == 0)
            continue;
        // At least one pixel for a bar with any event.
        const double h =
            std::max(1.0, double(plot.height()) * double(count) / double(m_histogram.largest));
        const double x = plot.left() + double(i) * w;
        painter.fillRect(QRectF(x, plot.bottom() + 1 - h, std::max(1.0, w - (w > 3 ? 1 : 0)), h),
                         bar);
    }
}

void HistogramView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_pressX = m_dragX = int(event->position().x());
    update();
}

void HistogramView::mouseMoveEvent(QMouseEvent* event) {
    const int x = int(event->position().x());
    if (m_pressX >= 0) {
        m_dragX = x;
        update();
    }
    const int bar = barAt(x);
    if (bar >= 0)
        QToolTip::showText(event->globalPosition().toPoint(),
                           barText(size_t(bar)) + QStringLiteral(": ") +
                               QString::number(m_histogram.counts[size_t(bar)]) +
                               QLatin1Char('\n') + tx(TextHistogramHint),
                           this);
}

void HistogramView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_pressX < 0)
        return;
    const int from = m_pressX;
    const int to = int(event->position().x());
    m_pressX = m_dragX = -1;
    update();
    if (std::abs(to - from) < kDragPixels) {
        Q_EMIT spanCleared();
        return;
    }
    const int a = barAt(std::min(from, to));
    const int b = barAt(std::max(from, to));
    if (a < 0 || b < 0)
        return;
    Q_EMIT spanChosen(m_histogram.starts[size_t(a)], m_histogram.starts[size_t(b) + 1]);
}

} // namespace vc
