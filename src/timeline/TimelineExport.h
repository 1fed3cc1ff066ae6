#pragma once

#include "timeline/Timeline.h"

#include <QByteArray>
#include <QIODevice>

#include <vector>

namespace vc {

class Progress;

// The formats the tools of the field import a timeline in. All carry UTC.
enum class TimelineFormat {
    // Timesketch: one JSON object a line, with message, datetime (ISO 8601
    // with its offset), timestamp_desc, timestamp (microseconds since 1970
    // UTC), source, source_long, user, machine and every field of the row.
    Jsonl,
    // Timesketch's CSV: the same fields as columns, every field any of the
    // sources has.
    TimesketchCsv,
    // plaso's l2tcsv: its 17 columns.
    L2tCsv,
};

struct TimelineExportSummary {
    qint64 written = 0;
    // Events left out: their time lies outside the years 1700 to 9999, or
    // is a local time of a zone not known (no UTC to write).
    qint64 leftOut = 0;
};

// Writes the events of a timeline (those of `only`, in its order, when
// given; else every event) in a format. False when the device fails.
bool writeTimeline(const Timeline& timeline, TimelineFormat format, QIODevice& out,
                   TimelineExportSummary* summary = nullptr, Progress* progress = nullptr,
                   const std::vector<qsizetype>* only = nullptr);

// The time an export may carry: microseconds since 1970 UTC within the
// years 1700 to 9999.
bool exportableTime(qint64 microseconds);
// "2012-03-04T05:06:07.123456+00:00"
void appendIsoTime(qint64 microseconds, QByteArray& out);
// A text as a JSON string, quotes included; invalid UTF-8 is replaced.
void appendJsonString(QByteArrayView utf8, QByteArray& out);
// A field of a CSV file, quoted where it must be (RFC 4180).
void appendCsvField(QByteArrayView utf8, QByteArray& out);
// The name of a row's field in the exports: the column's English caption,
// lower case, words joined by "_" ("Visit Count" gives "visit_count").
QByteArray exportFieldName(int captionText);

} // namespace vc
