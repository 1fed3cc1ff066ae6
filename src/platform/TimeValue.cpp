#include "platform/TimeValue.h"

#include "platform/TimePattern.h"
#include "platform/TimeText.h"

#include <QDateTime>
#include <QTimeZone>

#include <algorithm>
#include <cmath>

namespace vc {

namespace {

constexpr qint64 kSeconds1601To1970 = 11644473600LL;
constexpr char kHex[] = "0123456789abcdef";

bool knownKind(char c) {
    switch (TimeKind(c)) {
    case TimeKind::FileTime:
    case TimeKind::UnixSeconds:
    case TimeKind::UnixMilliseconds:
    case TimeKind::UnixMicroseconds:
    case TimeKind::WebKitMicroseconds:
    case TimeKind::LocalFileTime:
        return true;
    }
    return false;
}

bool knownRule(char c) {
    return c == char(TimeRule::Runtime) || c == char(TimeRule::Blank) || c == char(TimeRule::Open);
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Integer division that rounds toward minus infinity, so that a time
// before 1970 is not pulled toward it.
qint64 floorDiv(qint64 a, qint64 b) {
    const qint64 q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

} // namespace

char* writeTimeCell(const TimeValue& time, char* out) {
    *out++ = kTimeCellMark;
    *out++ = char(time.kind);
    *out++ = char(time.rule);
    const quint64 v = quint64(time.raw);
    int digits = 1;
    while (digits < 16 && (v >> (4 * digits)) != 0)
        ++digits;
    for (int i = digits - 1; i >= 0; --i)
        *out++ = kHex[(v >> (4 * i)) & 0xF];
    return out;
}

void appendTimeCell(const TimeValue& time, QByteArray& out) {
    const qsizetype at = out.size();
    out.resize(at + kTimeCellRoom);
    char* const start = out.data() + at;
    out.truncate(at + (writeTimeCell(time, start) - start));
}

QByteArray timeCell(const TimeValue& time) {
    QByteArray cell;
    appendTimeCell(time, cell);
    return cell;
}

std::optional<TimeValue> readTimeCell(QByteArrayView cell) {
    if (cell.size() < 4 || cell.size() > kTimeCellRoom || cell[0] != kTimeCellMark ||
        !knownKind(cell[1]) || !knownRule(cell[2]))
        return std::nullopt;
    // Without a branch per digit: the filter and the sort read millions.
    // '0'-'9' and 'a'-'f' give their value by their low four bits (plus 9
    // for a letter, whose bit 6 is set); any other byte marks the cell bad.
    quint64 v = 0;
    unsigned bad = 0;
    for (qsizetype i = 3; i < cell.size(); ++i) {
        const unsigned c = static_cast<unsigned char>(cell[i]);
        bad |= unsigned(c - '0' > 9) & unsigned(c - 'a' > 5);
        v = (v << 4) | quint64((c & 0xf) + 9 * ((c >> 6) & 1));
    }
    if (bad)
        return std::nullopt;
    return TimeValue{TimeKind(cell[1]), TimeRule(cell[2]), qint64(v)};
}

qint64 secondsSince1970(const TimeValue& time) {
    switch (time.kind) {
    case TimeKind::FileTime:
    case TimeKind::LocalFileTime: {
        // As the index files have always been read: the two unsigned
        // halves as one double, truncated.
        const double value = double(quint64(time.raw));
        if (value == 0.0)
            return 0;
        return qint64(std::trunc(value * 0.0000001 - 11644473600.0));
    }
    case TimeKind::UnixSeconds:
        return time.raw;
    case TimeKind::UnixMilliseconds:
        return time.raw / 1000;
    case TimeKind::UnixMicroseconds:
        return time.raw / 1000000;
    case TimeKind::WebKitMicroseconds:
        return time.raw / 1000000 - kSeconds1601To1970;
    }
    return 0;
}

std::optional<qint64> microsecondsSince1970(const TimeValue& time) {
    switch (time.kind) {
    case TimeKind::FileTime: {
        const quint64 ticks = quint64(time.raw);
        constexpr quint64 kTicks1601To1970 = quint64(kSeconds1601To1970) * 10000000ULL;
        return qint64(ticks / 10) - qint64(kTicks1601To1970 / 10);
    }
    case TimeKind::LocalFileTime:
        return std::nullopt;
    case TimeKind::UnixSeconds:
        if (time.raw > 9223372036854LL || time.raw < -9223372036854LL)
            return std::nullopt;
        return time.raw * 1000000;
    case TimeKind::UnixMilliseconds:
        if (time.raw > 9223372036854775LL || time.raw < -9223372036854775LL)
            return std::nullopt;
        return time.raw * 1000;
    case TimeKind::UnixMicroseconds:
        return time.raw;
    case TimeKind::WebKitMicroseconds:
        return time.raw - kSeconds1601To1970 * 1000000;
    }
    return std::nullopt;
}

void appendTimeValueText(const TimeValue& time, QByteArray& out) {
    const qint64 seconds = secondsSince1970(time);
    const bool wallClock = time.kind == TimeKind::LocalFileTime;
    const bool open = time.rule == TimeRule::Open;
    if (time.rule == TimeRule::Runtime && !wallClock) {
        appendTimeText(seconds, out);
        return;
    }
    if (appendCalendarText(seconds, wallClock, open, out))
        return;
    if (time.rule != TimeRule::Blank)
        out.append(kUnconvertedTimeText);
}

QByteArray timeValueText(const TimeValue& time) {
    QByteArray text;
    appendTimeValueText(time, text);
    return text;
}

QByteArray cellTimeText(QByteArrayView cell) {
    if (const std::optional<TimeValue> time = readTimeCell(cell))
        return timeValueText(*time);
    return cell.toByteArray();
}

QByteArray expandTimeCells(QByteArrayView text) {
    QByteArray out;
    out.reserve(text.size() + 16);
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype mark = text.indexOf(kTimeCellMark, at);
        if (mark < 0) {
            out.append(text.sliced(at));
            break;
        }
        out.append(text.sliced(at, mark - at));
        // The cell runs over the kind, the rule and its hexadecimal digits.
        qsizetype end = std::min(mark + 3, text.size());
        while (end < text.size() && end - mark < kTimeCellRoom && hexDigit(text[end]) >= 0)
            ++end;
        if (const std::optional<TimeValue> time = readTimeCell(text.sliced(mark, end - mark)))
            appendTimeValueText(*time, out);
        else
            out.append(text.sliced(mark, end - mark));
        at = end;
    }
    return out;
}

std::optional<TimeValue> localFileTimeValue(quint64 localFiletime, const QTimeZone* zone) {
    if (localFiletime == 0)
        return std::nullopt;
    if (!zone || !zone->isValid())
        return TimeValue{TimeKind::LocalFileTime, TimeRule::Runtime, qint64(localFiletime)};
    constexpr qint64 kTicksPerSecond = 10000000;
    const qint64 ticks = qint64(localFiletime & 0x7fffffffffffffffULL);
    const qint64 wallSeconds = ticks / kTicksPerSecond - kSeconds1601To1970;
    // The wall-clock fields as a time of that zone, then its offset then.
    const QDateTime wall = QDateTime::fromSecsSinceEpoch(wallSeconds, Qt::UTC);
    const QDateTime local(wall.date(), wall.time(), *zone);
    if (!local.isValid())
        return TimeValue{TimeKind::LocalFileTime, TimeRule::Runtime, qint64(localFiletime)};
    const qint64 offsetTicks = qint64(local.offsetFromUtc()) * kTicksPerSecond;
    const qint64 utc = ticks - offsetTicks;
    if (utc <= 0)
        return TimeValue{TimeKind::LocalFileTime, TimeRule::Runtime, qint64(localFiletime)};
    return TimeValue{TimeKind::FileTime, TimeRule::Runtime, utc};
}

std::optional<TimeValue> fileTimeValue(quint64 filetime, TimeRule rule) {
    const TimeValue time{TimeKind::FileTime, rule, qint64(filetime)};
    if (filetime == 0 || (rule == TimeRule::Runtime && secondsSince1970(time) == 0))
        return std::nullopt;
    return time;
}

std::optional<qint64> timeSortKey(const TimeValue& time) {
    CalendarFields f;
    const bool wallClock = time.kind == TimeKind::LocalFileTime;
    if (!timeCalendarFields(secondsSince1970(time), wallClock, time.rule == TimeRule::Open, f))
        return std::nullopt;
    // Days from the civil date (proleptic Gregorian), as the sort has
    // always counted the wall-clock time a text shows.
    const int y = f.month <= 2 ? f.year - 1 : f.year;
    const qint64 era = floorDiv(y, 400);
    const qint64 yoe = y - era * 400;
    const qint64 doy = (153 * (f.month + (f.month > 2 ? -3 : 9)) + 2) / 5 + f.day - 1;
    const qint64 doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const qint64 days = era * 146097 + doe - 719468;
    return days * 86400 + f.hour * 3600 + f.minute * 60 + f.second;
}

} // namespace vc
