#include "timeline/TimelineHistogram.h"

#include "timeline/CivilTime.h"
#include "timeline/TimelineRows.h"

#include <algorithm>
#include <limits>

namespace vc {

namespace {

constexpr qint64 kHour = 3600LL * 1000000;
constexpr qint64 kDay = 24 * kHour;

qint64 startOfMonth(int year, int month) {
    return daysOfCivil(year, month, 1) * kDay;
}

} // namespace

HistogramUnit histogramUnitFor(qint64 first, qint64 last) {
    const qint64 span = last - first;
    if (span <= 3 * kDay)
        return HistogramUnit::Hour;
    if (span <= 366 * kDay)
        return HistogramUnit::Day;
    if (span <= 30 * 366 * kDay)
        return HistogramUnit::Month;
    return HistogramUnit::Year;
}

qint64 histogramBarStart(HistogramUnit unit, qint64 time) {
    switch (unit) {
    case HistogramUnit::Hour:
        return floorDivide(time, kHour) * kHour;
    case HistogramUnit::Day:
        return floorDivide(time, kDay) * kDay;
    case HistogramUnit::Month: {
        const CivilTime c = civilTimeOf(time);
        return startOfMonth(c.year, c.month);
    }
    case HistogramUnit::Year:
        return startOfMonth(civilTimeOf(time).year, 1);
    }
    return time;
}

qint64 histogramNextBar(HistogramUnit unit, qint64 start) {
    switch (unit) {
    case HistogramUnit::Hour:
        return start + kHour;
    case HistogramUnit::Day:
        return start + kDay;
    case HistogramUnit::Month: {
        const CivilTime c = civilTimeOf(start);
        return c.month == 12 ? startOfMonth(c.year + 1, 1) : startOfMonth(c.year, c.month + 1);
    }
    case HistogramUnit::Year:
        return startOfMonth(civilTimeOf(start).year + 1, 1);
    }
    return start + kDay;
}

TimelineHistogram timelineHistogram(const TableModel& table, bool withExpiry) {
    TimelineHistogram histogram;
    const auto* source = dynamic_cast<const TimelineRows*>(table.rowSource());
    if (!source)
        return histogram;
    const Timeline& timeline = source->timeline();
    const int rows = table.rows();
    auto eventOf = [&](int row) -> const TimelineEvent& {
        return timeline.event(source->eventIndex(table.sourceRowOf(table.storedRow(row))));
    };
    auto counted = [withExpiry](const TimelineEvent& e) {
        return withExpiry || !(e.flags & TimelineEvent::kExpiry);
    };
    qint64 first = std::numeric_limits<qint64>::max();
    qint64 last = std::numeric_limits<qint64>::min();
    for (int r = 0; r < rows; ++r) {
        const TimelineEvent& e = eventOf(r);
        if (!counted(e))
            continue;
        first = std::min(first, e.time);
        last = std::max(last, e.time);
    }
    if (first > last)
        return histogram;
    histogram.unit = histogramUnitFor(first, last);
    for (qint64 at = histogramBarStart(histogram.unit, first); at <= last;
         at = histogramNextBar(histogram.unit, at))
        histogram.starts.push_back(at);
    histogram.starts.push_back(histogramNextBar(histogram.unit, histogram.starts.back()));
    histogram.counts.assign(histogram.starts.size() - 1, 0);
    for (int r = 0; r < rows; ++r) {
        const TimelineEvent& e = eventOf(r);
        if (!counted(e))
            continue;
        const auto bar = std::upper_bound(histogram.starts.begin(), histogram.starts.end(), e.time);
        ++histogram.counts[size_t(bar - histogram.starts.begin() - 1)];
        ++histogram.events;
    }
    histogram.largest = *std::max_element(histogram.counts.begin(), histogram.counts.end());
    return histogram;
}

} // namespace vc
