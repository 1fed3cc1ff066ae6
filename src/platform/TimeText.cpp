#include "platform/TimeText.h"

#include "platform/CodePage.h"

#include <QLocale>
#include <QRegularExpression>

#include <ctime>

namespace vc {

namespace {

// 3000-12-31 23:59:59 UTC, the last time the Windows runtime converts.
constexpr qint64 kLastConvertibleTime = 32535215999LL;

struct TimeSettings {
    QString format;
    bool utc = false;
    bool formatSet = false;
};

TimeSettings& settings() {
    static TimeSettings s;
    return s;
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
}

bool showsUtc() { return settings().utc; }
void setShowsUtc(bool utc) { settings().utc = utc; }

std::optional<QDateTime> localCalendarTime(qint64 secondsSince1970) {
    if (secondsSince1970 < 0 || secondsSince1970 > kLastConvertibleTime)
        return std::nullopt;
    const time_t t = static_cast<time_t>(secondsSince1970);
    struct tm fields {};
    const bool ok = showsUtc() ? gmtime_r(&t, &fields) != nullptr
                               : localtime_r(&t, &fields) != nullptr;
    if (!ok || fields.tm_year < 70)
        return std::nullopt;
    const QDate date(fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday);
    const QTime time(fields.tm_hour, fields.tm_min, std::min(fields.tm_sec, 59));
    return QDateTime(date, time, Qt::UTC);
}

QByteArray formatTimeText(qint64 secondsSince1970) {
    const std::optional<QDateTime> when = localCalendarTime(secondsSince1970);
    if (!when)
        return kUnconvertedTimeText;
    return encodeEvidence(QLocale::system().toString(*when, dateTimeFormat()));
}

std::optional<QDateTime> parseTimeText(const QByteArray& text) {
    QDateTime when = QLocale::system().toDateTime(decodeEvidence(text), dateTimeFormat());
    if (!when.isValid())
        return std::nullopt;
    when.setTimeSpec(Qt::UTC);
    return when;
}

} // namespace vc
