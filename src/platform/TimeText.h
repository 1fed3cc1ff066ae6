#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

namespace vc {

struct CalendarFields;

// Written in place of a time that cannot be turned into a calendar date.
inline const QByteArray kUnconvertedTimeText = QByteArrayLiteral(" ");

// The pattern of every time text: the examiner's short date format, one
// space, the long time format, in Qt's pattern letters and without a
// time-zone letter. A setting (--date-format) may replace it.
QString defaultDateTimeFormat();
QString dateTimeFormat();
void setDateTimeFormat(const QString& format);

// Times are shown in the process's local time zone (TZ is honoured) unless
// UTC display is chosen.
bool showsUtc();
void setShowsUtc(bool utc);
// The local time zone's name ("Europe/Prague"; "UTC" when TZ says so).
QString localTimeZoneName();

// Whole seconds since 1970 as a calendar time, by the rules of the Windows C
// runtime's localtime: no result for a negative time, for a local time before
// 1970-01-01 00:00:00, or for a time after the year 3000. The value carries
// the local wall-clock fields (it is marked as UTC so that nothing shifts it).
std::optional<QDateTime> localCalendarTime(qint64 secondsSince1970);

// The time text of a number of seconds: formatted with dateTimeFormat(), or
// kUnconvertedTimeText when there is no calendar time for it. The empty text
// for 0 is the caller's rule, not this function's.
QByteArray formatTimeText(qint64 secondsSince1970);
// The same text appended to out.
void appendTimeText(qint64 secondsSince1970, QByteArray& out);
// True when the current pattern is written without QLocale, which makes
// appendTimeText safe to call from several threads at once (after one call
// on the thread that set the pattern).
bool timeTextsAreFast();

// The time texts of appendTimeText as the settings stand when it is made,
// for many times in a row: the pattern and the zone are looked up once, not
// for every time. Lives no longer than the pattern it was made with.
class TimePattern;
class TimeTextWriter {
public:
    TimeTextWriter();
    // Room for the longest text write gives; 0 when the texts go through
    // QLocale (appendTimeText gives them then, and write must not be used).
    qsizetype room() const { return m_room; }
    // Writes the text at out, which has room() bytes; returns its end.
    char* write(qint64 secondsSince1970, char* out) const;
    // The wall-clock seconds since 1970 whose calendar fields (as UTC) are
    // those of the time, where that is cheap to know: in UTC, or on a day of
    // one offset of the local zone. False where calendar must be asked.
    bool wallClock(qint64 secondsSince1970, qint64& out) const;
    // The pattern write applies (nullptr where room() is 0).
    const TimePattern* pattern() const { return m_pattern; }

private:
    const TimePattern* m_pattern = nullptr;
    bool m_utc = false;
    qsizetype m_room = 0;
};

// The text of whole seconds since 1970 in the current pattern, appended to
// out, when the time has calendar fields: in the current zone, or as the
// wall-clock time it already is (wallClock); up to the year 3000 unless
// beyondYear3000. False (nothing appended) when it has none.
bool appendCalendarText(qint64 secondsSince1970, bool wallClock, bool beyondYear3000,
                        QByteArray& out);
// The calendar fields the same rules give; false when there are none.
bool timeCalendarFields(qint64 secondsSince1970, bool wallClock, bool beyondYear3000,
                        CalendarFields& out);

// Reads a time text back with the same pattern; nullopt when it does not
// parse. The value carries the wall-clock fields as above.
std::optional<QDateTime> parseTimeText(const QByteArray& text);

} // namespace vc
