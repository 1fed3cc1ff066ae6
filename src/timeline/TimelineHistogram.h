#pragma once

#include "tables/TableModel.h"
#include "timeline/Timeline.h"

#include <vector>

namespace vc {

// The length of a bar of the histogram, by the span shown: hours up to
// three days, days up to a year, months up to thirty years, else years.
enum class HistogramUnit { Hour, Day, Month, Year };

// The events over time, in bars of one unit each (in UTC).
struct TimelineHistogram {
    HistogramUnit unit = HistogramUnit::Day;
    // Where each bar begins, in microseconds since 1970 UTC, and after the
    // last one where it ends: one more than the counts.
    std::vector<qint64> starts;
    std::vector<qint64> counts;
    qint64 largest = 0; // the highest count
    qint64 events = 0;  // the events counted
};

HistogramUnit histogramUnitFor(qint64 first, qint64 last);
// The start of the bar of that unit that holds a time, and of the next one.
qint64 histogramBarStart(HistogramUnit unit, qint64 time);
qint64 histogramNextBar(HistogramUnit unit, qint64 start);

// The histogram of the events a timeline's table shows (its filter and
// span applied), expiries left out unless withExpiry. Empty when the table
// shows no timeline or no event.
TimelineHistogram timelineHistogram(const TableModel& table, bool withExpiry);

} // namespace vc
