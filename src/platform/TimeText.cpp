#include "platform/TimeText.h"

#include "platform/CodePage.h"
#include "platform/LocalTime.h"
#include "platform/TimePattern.h"

#include <QLocale>
#include <QRegularExpression>

#include <cstring>
#include <memory>

#include <QTimeZone>

namespace vc {

namespace {

// 3000-12-31 23:59:59 UTC, the last time the Windows runtime converts.
constexpr qint64 kLastConvertibleTime = 32535215999LL;

struct TimeSettings {
    QString format;
    bool utc = false;
    bool formatSet = false;
    unsigned generation = 0; // counts the patterns set
};

TimeSettings& settings() {
    static TimeSettings s;
    return s;
}

// The calendar fields of a time by the Windows runtime's rules (see
// localCalendarTime), in UTC or in local time; false when there are none.
bool calendarFields(qint64 secondsSince1970, bool utc, CalendarFields& out) {
    if (secondsSince1970 < 0 || secondsSince1970 > kLastConvertibleTime)
        return false;
    if (utc) {
        utcCalendarFields(secondsSince1970, out);
        return true;
    }
    if (!localCalendarFields(secondsSince1970, out))
        return false;
    out.second = std::min(out.second, 59);
    return true;
}

bool calendarFields(qint64 secondsSince1970, CalendarFields& out) {
    return calendarFields(secondsSince1970, showsUtc(), out);
}

// The current pattern, read once for as long as the pattern and the code
// page stay the same. Two numbers tell whether they did: comparing texts
// here would cost more than the formatting, and copying the shared pattern
// text from several threads makes them fight over its reference count.
const TimePattern& currentPattern() {
    static std::unique_ptr<TimePattern> pattern;
    static unsigned patternGeneration = 0;
    static unsigned pageGeneration = 0;
    const unsigned page = codePageGeneration();
    if (!pattern || patternGeneration != settings().generation || pageGeneration != page) {
        pattern =
            std::make_unique<TimePattern>(dateTimeFormat(), QLocale::system(), encodeEvidence);
        patternGeneration = settings().generation;
        pageGeneration = page;
    }
    return *pattern;
}

} // namespace

QString defaultDateTimeFormat() {
    const QLocale locale = QLocale::system();
    QString time = locale.timeFormat(QLocale::LongFormat);
    // Drop the time-zone letters and the blanks around them.
    time.remove(QRegularExpression(QStringLiteral("\\s*t+\\s*")));
    return locale.dateFormat(QLocale::ShortFormat) + QLatin1Char(' ') + time.trimmed();
}

QString dateTimeFormat() {
    TimeSettings& s = settings();
    if (!s.formatSet) {
        s.format = defaultDateTimeFormat();
        s.formatSet = true;
    }
    return s.format;
}

void setDateTimeFormat(const QString& format) {
    settings().format = format;
    settings().formatSet = true;
    ++settings().generation;
}

bool showsUtc() {
    return settings().utc;
}
void setShowsUtc(bool utc) {
    settings().utc = utc;
}

QString localTimeZoneName() {
    return QString::fromUtf8(QTimeZone::systemTimeZoneId());
}

std::optional<QDateTime> localCalendarTime(qint64 secondsSince1970) {
    CalendarFields fields;
    if (!calendarFields(secondsSince1970, fields))
        return std::nullopt;
    return QDateTime(QDate(fields.year, fields.month, fields.day),
                     QTime(fields.hour, fields.minute, fields.second), Qt::UTC);
}

QByteArray formatTimeText(qint64 secondsSince1970) {
    QByteArray text;
    appendTimeText(secondsSince1970, text);
    return text;
}

bool timeTextsAreFast() {
    return currentPattern().fast();
}

void appendTimeText(qint64 secondsSince1970, QByteArray& out) {
    const TimeTextWriter writer;
    if (writer.room() > 0) {
        // Written in place and cut to what was written: the array keeps its
        // capacity.
        const qsizetype at = out.size();
        out.resize(at + writer.room());
        char* const start = out.data() + at;
        out.truncate(at + (writer.write(secondsSince1970, start) - start));
        return;
    }
    CalendarFields fields;
    if (!calendarFields(secondsSince1970, fields)) {
        out.append(kUnconvertedTimeText);
        return;
    }
    out.append(currentPattern().reference(fields));
}

TimeTextWriter::TimeTextWriter() : m_utc(showsUtc()) {
    const TimePattern& pattern = currentPattern();
    if (pattern.fast()) {
        m_pattern = &pattern;
        m_room = std::max(pattern.longest(), kUnconvertedTimeText.size());
    }
}

char* TimeTextWriter::write(qint64 secondsSince1970, char* out) const {
    CalendarFields fields;
    if (!calendarFields(secondsSince1970, m_utc, fields)) {
        std::memcpy(out, kUnconvertedTimeText.constData(), size_t(kUnconvertedTimeText.size()));
        return out + kUnconvertedTimeText.size();
    }
    return m_pattern->write(out, fields);
}

bool TimeTextWriter::wallClock(qint64 secondsSince1970, qint64& out) const {
    if (secondsSince1970 < 0 || secondsSince1970 > kLastConvertibleTime)
        return false;
    if (m_utc) {
        out = secondsSince1970;
        return true;
    }
    // A local time before 1970 has no calendar fields by the runtime's rules.
    return steadyLocalSeconds(secondsSince1970, out) && out >= 0;
}

bool timeCalendarFields(qint64 secondsSince1970, bool wallClock, bool beyondYear3000,
                        CalendarFields& out) {
    if (secondsSince1970 < 0)
        return false;
    if (!wallClock && !beyondYear3000)
        return calendarFields(secondsSince1970, out);
    if (!beyondYear3000 && secondsSince1970 > kLastConvertibleTime)
        return false;
    // The last second the calendar of four-digit years holds.
    constexpr qint64 kLastYear9999 = 253402300799LL;
    if (secondsSince1970 > kLastYear9999)
        return false;
    if (wallClock || showsUtc()) {
        utcCalendarFields(secondsSince1970, out);
        return true;
    }
    if (!localCalendarFields(secondsSince1970, out))
        return false;
    out.second = std::min(out.second, 59);
    return true;
}

bool appendCalendarText(qint64 secondsSince1970, bool wallClock, bool beyondYear3000,
                        QByteArray& out) {
    CalendarFields fields;
    if (!timeCalendarFields(secondsSince1970, wallClock, beyondYear3000, fields))
        return false;
    const TimePattern& pattern = currentPattern();
    if (pattern.fast())
        pattern.append(out, fields);
    else
        out.append(pattern.reference(fields));
    return true;
}

std::optional<QDateTime> parseTimeText(const QByteArray& text) {
    QDateTime when = QLocale::system().toDateTime(decodeEvidence(text), dateTimeFormat());
    if (!when.isValid())
        return std::nullopt;
    when.setTimeSpec(Qt::UTC);
    return when;
}

} // namespace vc
