#include "platform/TimeText.h"

#include "platform/CodePage.h"
#include "platform/TimePattern.h"

#include <QLocale>
#include <QRegularExpression>

#include <ctime>
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

// The calendar fields of whole seconds counted in a zone without leap
// seconds or changes (days since 1970 to year, month and day by the civil
// calendar, as the C library does for UTC, without its locking).
void civilFields(qint64 seconds, CalendarFields& out) {
    qint64 days = seconds / 86400;
    qint64 rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    out.hour = int(rest / 3600);
    out.minute = int(rest % 3600 / 60);
    out.second = int(rest % 60);
    // 1970-01-01 was a Thursday.
    const qint64 weekday = ((days % 7) + 7 + 3) % 7; // 0 = Monday
    out.weekday = int(weekday) + 1;
    // Days to civil date (proleptic Gregorian), counted from 0000-03-01.
    const qint64 z = days + 719468;
    const qint64 era = (z >= 0 ? z : z - 146096) / 146097;
    const qint64 dayOfEra = z - era * 146097;
    const qint64 yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const qint64 dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const qint64 mp = (5 * dayOfYear + 2) / 153;
    out.day = int(dayOfYear - (153 * mp + 2) / 5 + 1);
    out.month = int(mp < 10 ? mp + 3 : mp - 9);
    out.year = int(yearOfEra + era * 400 + (out.month <= 2 ? 1 : 0));
}

// The calendar fields of a time by the Windows runtime's rules (see
// localCalendarTime); false when there are none. UTC needs no zone and is
// worked out here, without the C library's locking.
bool calendarFields(qint64 secondsSince1970, CalendarFields& out) {
    if (secondsSince1970 < 0 || secondsSince1970 > kLastConvertibleTime)
        return false;
    if (showsUtc()) {
        civilFields(secondsSince1970, out);
        return true;
    }
    const time_t t = static_cast<time_t>(secondsSince1970);
    struct tm fields {};
    if (localtime_r(&t, &fields) == nullptr || fields.tm_year < 70)
        return false;
    out.year = fields.tm_year + 1900;
    out.month = fields.tm_mon + 1;
    out.day = fields.tm_mday;
    out.weekday = fields.tm_wday == 0 ? 7 : fields.tm_wday;
    out.hour = fields.tm_hour;
    out.minute = fields.tm_min;
    out.second = std::min(fields.tm_sec, 59);
    return true;
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
    CalendarFields fields;
    if (!calendarFields(secondsSince1970, fields)) {
        out.append(kUnconvertedTimeText);
        return;
    }
    const TimePattern& pattern = currentPattern();
    if (pattern.fast())
        pattern.append(out, fields);
    else
        out.append(pattern.reference(fields));
}

std::optional<QDateTime> parseTimeText(const QByteArray& text) {
    QDateTime when = QLocale::system().toDateTime(decodeEvidence(text), dateTimeFormat());
    if (!when.isValid())
        return std::nullopt;
    when.setTimeSpec(Qt::UTC);
    return when;
}

} // namespace vc
