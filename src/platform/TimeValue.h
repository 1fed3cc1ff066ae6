#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

class QTimeZone;

#include <optional>

namespace vc {

// What a stored time counts, and from when. Every source keeps its times as
// the number it read, with its kind, and makes the text when the time is
// shown or written out; so a change of the time zone makes the texts again
// without reading any evidence.
enum class TimeKind : char {
    FileTime = 'F',           // 100-nanosecond steps since 1601-01-01 UTC (Windows)
    UnixSeconds = 'S',        // seconds since 1970-01-01 UTC
    UnixMilliseconds = 'M',   // milliseconds since 1970 UTC
    UnixMicroseconds = 'P',   // microseconds since 1970 UTC (Firefox's PRTime)
    WebKitMicroseconds = 'W', // microseconds since 1601 UTC (Chrome, Edge)
    // A FILETIME the examined machine wrote in its own local time, whose
    // zone is not known: shown as the wall-clock time it holds, in every
    // zone.
    LocalFileTime = 'L',
};

// What a time without a calendar date shows. The sources have always
// differed here, and their texts stay as they were.
enum class TimeRule : char {
    // The Windows C runtime's range: no text for a time before 1970 or after
    // the year 3000; such a time shows kUnconvertedTimeText (one space).
    Runtime = 'r',
    // The same range, but a time outside it shows the empty text (the file
    // times of the folder tables).
    Blank = 'b',
    // Dates after the year 3000 are shown too (the browsers' databases,
    // whose cookies commonly expire in 9999); a time before 1970 shows one
    // space.
    Open = 'o',
};

// One stored time.
struct TimeValue {
    TimeKind kind = TimeKind::FileTime;
    TimeRule rule = TimeRule::Runtime;
    qint64 raw = 0;

    bool operator==(const TimeValue&) const = default;
};

// A table cell that holds a time: the byte 0x01, the kind, the rule and the
// value in hexadecimal. No text of the evidence can look like it (every
// control character of a cell is turned into a space before it is stored),
// and it holds no zero byte, which separates a table's cells.
constexpr char kTimeCellMark = '\x01';
constexpr qsizetype kTimeCellRoom = 3 + 16;

// Writes the cell of a time at out (kTimeCellRoom bytes of room); returns
// its end.
char* writeTimeCell(const TimeValue& time, char* out);
void appendTimeCell(const TimeValue& time, QByteArray& out);
QByteArray timeCell(const TimeValue& time);
// The time a cell holds; nullopt for any other text.
std::optional<TimeValue> readTimeCell(QByteArrayView cell);
inline bool isTimeCell(QByteArrayView cell) {
    return cell.size() > 3 && cell.front() == kTimeCellMark;
}

// Whole seconds since 1970 as the program has always counted them for each
// kind (a FILETIME by the index files' arithmetic, truncated toward zero).
qint64 secondsSince1970(const TimeValue& time);
// Microseconds since 1970 UTC, for the timeline's exports; nullopt for a
// LocalFileTime, whose zone is not known.
std::optional<qint64> microsecondsSince1970(const TimeValue& time);

// The text of a time in the current pattern and zone, by its rule.
void appendTimeValueText(const TimeValue& time, QByteArray& out);
QByteArray timeValueText(const TimeValue& time);
// A cell as shown: the text of the time it holds, or the cell itself when it
// holds none.
QByteArray cellTimeText(QByteArrayView cell);

// A text in which time cells stand (cells joined by a separator): each
// replaced by its time text.
QByteArray expandTimeCells(QByteArrayView text);

// A FILETIME the examined machine wrote in its own local time: in UTC when
// its zone is given (and valid), else a LocalFileTime that shows the
// wall-clock time it holds. nullopt for 0.
std::optional<TimeValue> localFileTimeValue(quint64 localFiletime, const QTimeZone* zone);

// A sort key for a time, in whole seconds of the wall-clock time shown
// (the current zone), or nullopt when the time has no calendar date by its
// rule; equal keys keep their rows' order.
std::optional<qint64> timeSortKey(const TimeValue& time);

// A FILETIME as a value; nullopt where the tables have always written the
// empty cell: no time stored (0), or, by the runtime's rule, a time that
// falls within the first second of 1970.
std::optional<TimeValue> fileTimeValue(quint64 filetime, TimeRule rule = TimeRule::Runtime);

} // namespace vc
