#include "platform/TimePattern.h"

#include <QDateTime>

#include <cstring>

namespace vc {

namespace {

// How often c repeats from position i on.
int repeatCount(const QString& pattern, qsizetype i) {
    const QChar c = pattern.at(i);
    qsizetype j = i;
    while (j < pattern.size() && pattern.at(j) == c)
        ++j;
    return int(j - i);
}

// Quoted text: 'text' is taken as it stands, '' is one quote, inside or
// outside quotes. i points at the opening quote and ends after the closing one.
QString quotedText(const QString& pattern, qsizetype& i) {
    ++i;
    if (i == pattern.size())
        return QString();
    if (pattern.at(i) == QLatin1Char('\'')) {
        ++i;
        return QStringLiteral("'");
    }
    QString text;
    while (i < pattern.size()) {
        if (pattern.at(i) == QLatin1Char('\'')) {
            if (i + 1 < pattern.size() && pattern.at(i + 1) == QLatin1Char('\'')) {
                text += QLatin1Char('\'');
                i += 2;
            } else {
                break;
            }
        } else {
            text += pattern.at(i++);
        }
    }
    if (i < pattern.size())
        ++i;
    return text;
}

bool hasAmPm(const QString& pattern) {
    // Letters inside quotes do not count.
    bool quoted = false;
    for (const QChar c : pattern) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        else if (!quoted && (c == QLatin1Char('a') || c == QLatin1Char('A')))
            return true;
    }
    return false;
}

// The most characters a number of the calendar fields takes: a sign and ten
// digits.
constexpr qsizetype kLongestNumber = 11;

// The two digits of 0 to 99, one pair after another.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233"
    "34353637383940414243444546474849505152535455565758596061626364656667"
    "6869707172737475767778798081828384858687888990919293949596979899";

// Writes a number with at least width digits at p; returns the end.
char* writeNumber(char* p, int value, int width) {
    if (value >= 0 && value < 100 && width <= 2) {
        // Days, months, hours, minutes and seconds: the common case.
        if (value < 10 && width < 2) {
            *p++ = char('0' + value);
            return p;
        }
        std::memcpy(p, kDigitPairs + 2 * value, 2);
        return p + 2;
    }
    if (value >= 1000 && value < 10000 && width <= 4) {
        // A year of four digits.
        std::memcpy(p, kDigitPairs + 2 * (value / 100), 2);
        std::memcpy(p + 2, kDigitPairs + 2 * (value % 100), 2);
        return p + 4;
    }
    char digits[kLongestNumber];
    int n = 0;
    unsigned v = value < 0 ? 0u - unsigned(value) : unsigned(value);
    do {
        digits[n++] = char('0' + v % 10);
        v /= 10;
    } while (v != 0 && n < 10);
    while (n < width && n < 10)
        digits[n++] = '0';
    if (value < 0)
        *p++ = '-';
    while (n > 0)
        *p++ = digits[--n];
    return p;
}

char* writeText(char* p, const QByteArray& text) {
    // Separators are a byte or two: copied here rather than by a call.
    const char* from = text.constData();
    const qsizetype n = text.size();
    if (n <= 4) {
        for (qsizetype i = 0; i < n; ++i)
            p[i] = from[i];
    } else {
        std::memcpy(p, from, size_t(n));
    }
    return p + n;
}

QDateTime toDateTime(const CalendarFields& when) {
    return QDateTime(QDate(when.year, when.month, when.day),
                     QTime(when.hour, when.minute, when.second), Qt::UTC);
}

} // namespace

TimePattern::TimePattern(const QString& pattern, const QLocale& locale, const Encoder& encode)
    : m_pattern(pattern), m_locale(locale), m_encode(encode) {
    parse(pattern, locale, encode);
    if (m_fast)
        m_fast = matchesReference();
}

void TimePattern::parse(const QString& pattern, const QLocale& locale, const Encoder& encode) {
    m_fast = locale.zeroDigit() == QStringLiteral("0");
    const bool twelveHours = hasAmPm(pattern);
    QString literal;
    auto flushLiteral = [&] {
        if (literal.isEmpty())
            return;
        m_pieces.append({Kind::Literal, Field::Year, 0, int(m_literals.size())});
        m_literals.append(encode(literal));
        literal.clear();
    };
    auto addNames = [&](QList<QByteArray> names, Kind kind) {
        flushLiteral();
        m_pieces.append({kind, Field::Year, 0, int(m_names.size())});
        m_names.append(std::move(names));
    };
    auto addNumber = [&](Field field, int width) {
        flushLiteral();
        m_pieces.append({Kind::Number, field, width, 0});
    };

    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('\'')) {
            literal += quotedText(pattern, i);
            continue;
        }
        int repeat = repeatCount(pattern, i);
        switch (c.unicode()) {
        case 'y':
            if (repeat >= 4) {
                repeat = 4;
                flushLiteral();
                m_pieces.append({Kind::Year4, Field::Year, 4, 0});
            } else if (repeat >= 2) {
                repeat = 2;
                flushLiteral();
                m_pieces.append({Kind::Year2, Field::Year, 2, 0});
            } else {
                literal += c;
            }
            break;
        case 'M':
        case 'd': {
            repeat = std::min(repeat, 4);
            const bool month = c == QLatin1Char('M');
            if (repeat <= 2) {
                addNumber(month ? Field::Month : Field::Day, repeat);
                break;
            }
            const QLocale::FormatType type =
                repeat == 4 ? QLocale::LongFormat : QLocale::ShortFormat;
            QList<QByteArray> names;
            for (int k = 1; k <= (month ? 12 : 7); ++k)
                names.append(encode(month ? locale.monthName(k, type) : locale.dayName(k, type)));
            addNames(std::move(names), month ? Kind::MonthName : Kind::DayName);
            break;
        }
        case 'h':
            repeat = std::min(repeat, 2);
            addNumber(twelveHours ? Field::Hour12 : Field::Hour24, repeat);
            break;
        case 'H':
            repeat = std::min(repeat, 2);
            addNumber(Field::Hour24, repeat);
            break;
        case 'm':
            repeat = std::min(repeat, 2);
            addNumber(Field::Minute, repeat);
            break;
        case 's':
            repeat = std::min(repeat, 2);
            addNumber(Field::Second, repeat);
            break;
        case 'z':
            // Whole seconds only: the milliseconds are always zero.
            repeat = repeat >= 3 ? 3 : 1;
            addNumber(Field::Milli, repeat);
            break;
        case 'a':
        case 'A': {
            repeat = 1;
            const QChar next = i + 1 < pattern.size() ? pattern.at(i + 1) : QChar();
            if (next == QLatin1Char('p') || next == QLatin1Char('P'))
                repeat = 2;
            QString am = locale.amText();
            QString pm = locale.pmText();
            if (c == QLatin1Char('A') && (repeat == 1 || next == QLatin1Char('P'))) {
                am = am.toUpper();
                pm = pm.toUpper();
            } else if (c == QLatin1Char('a') && (repeat == 1 || next == QLatin1Char('p'))) {
                am = am.toLower();
                pm = pm.toLower();
            }
            addNames({encode(am), encode(pm)}, Kind::AmPm);
            break;
        }
        case 't':
            // The zone's name: left to QLocale.
            m_fast = false;
            literal += QString(repeat, c);
            break;
        default:
            literal += QString(repeat, c);
            break;
        }
        i += repeat;
    }
    flushLiteral();

    m_timeOfDayStart = m_pieces.size();
    for (qsizetype i = 0; i < m_pieces.size(); ++i) {
        if (isTimeOfDay(m_pieces.at(i))) {
            m_timeOfDayStart = i;
            break;
        }
    }
    for (qsizetype i = m_timeOfDayStart; i < m_pieces.size(); ++i)
        if (isDate(m_pieces.at(i)))
            m_timeOfDayStart = -1;

    m_longest = 0;
    for (const Piece& piece : m_pieces) {
        switch (piece.kind) {
        case Kind::Literal:
            m_longest += m_literals.at(piece.index).size();
            break;
        case Kind::MonthName:
        case Kind::DayName:
        case Kind::AmPm: {
            qsizetype longestName = 0;
            for (const QByteArray& name : m_names.at(piece.index))
                longestName = std::max(longestName, name.size());
            m_longest += longestName;
            break;
        }
        default:
            m_longest += kLongestNumber;
            break;
        }
    }
}

int TimePattern::valueOf(Field field, const CalendarFields& when) {
    switch (field) {
    case Field::Year:
        return when.year;
    case Field::Month:
        return when.month;
    case Field::Day:
        return when.day;
    case Field::Hour24:
        return when.hour;
    case Field::Hour12:
        return when.hour > 12 ? when.hour - 12 : (when.hour == 0 ? 12 : when.hour);
    case Field::Minute:
        return when.minute;
    case Field::Second:
        return when.second;
    case Field::Milli:
        break; // whole seconds only
    }
    return 0;
}

void TimePattern::append(QByteArray& text, const CalendarFields& when) const {
    // Room for the longest text the pattern can give, written in place and
    // cut to what was written: the array keeps its capacity.
    const qsizetype at = text.size();
    text.resize(at + m_longest);
    char* const start = text.data() + at;
    text.truncate(at + (write(start, when) - start));
}

bool TimePattern::isTimeOfDay(const Piece& piece) {
    switch (piece.kind) {
    case Kind::AmPm:
        return true;
    case Kind::Number:
        return piece.field == Field::Hour12 || piece.field == Field::Hour24 ||
               piece.field == Field::Minute || piece.field == Field::Second ||
               piece.field == Field::Milli;
    default:
        return false;
    }
}

bool TimePattern::isDate(const Piece& piece) {
    return piece.kind != Kind::Literal && !isTimeOfDay(piece);
}

char* TimePattern::write(char* p, const CalendarFields& when) const {
    return writePieces(p, when, 0, m_pieces.size());
}

char* TimePattern::writePieces(char* p, const CalendarFields& when, qsizetype from,
                               qsizetype to) const {
    for (qsizetype i = from; i < to; ++i) {
        const Piece& piece = m_pieces.at(i);
        switch (piece.kind) {
        case Kind::Literal:
            p = writeText(p, m_literals.at(piece.index));
            break;
        case Kind::Year4:
            p = writeNumber(p, when.year, 4);
            break;
        case Kind::Year2:
            p = writeNumber(p, when.year % 100, 2);
            break;
        case Kind::MonthName:
            p = writeText(p, m_names.at(piece.index).at(when.month - 1));
            break;
        case Kind::DayName:
            p = writeText(p, m_names.at(piece.index).at(when.weekday - 1));
            break;
        case Kind::AmPm:
            p = writeText(p, m_names.at(piece.index).at(when.hour < 12 ? 0 : 1));
            break;
        case Kind::Number: {
            const int value = valueOf(piece.field, when);
            p = writeNumber(p, value, piece.width);
            break;
        }
        }
    }
    return p;
}

QByteArray TimePattern::reference(const CalendarFields& when) const {
    return m_encode(m_locale.toString(toDateTime(when), m_pattern));
}

// Every month and weekday, hours on both sides of noon and midnight, one-
// and two-digit fields, years of two and four digits.
bool TimePattern::matchesReference() const {
    QList<CalendarFields> probes;
    const int hours[] = {0, 1, 9, 11, 12, 13, 21, 23};
    for (int month = 1; month <= 12; ++month) {
        const QDate date(month % 2 ? 2009 : 1971, month, 3 + month * 2);
        CalendarFields when;
        when.year = date.year();
        when.month = month;
        when.day = date.day();
        when.weekday = date.dayOfWeek();
        when.hour = hours[month % 8];
        when.minute = month * 4;
        when.second = (month * 9 + 5) % 60;
        probes.append(when);
    }
    for (int k = 0; k < 8; ++k) {
        const QDate date(3000 - k * 150, 12 - k, 31 - k * 3);
        probes.append(
            {date.year(), date.month(), date.day(), date.dayOfWeek(), hours[k], k * 7, k});
    }
    QByteArray fast;
    for (const CalendarFields& when : probes) {
        fast.clear();
        append(fast, when);
        if (fast != reference(when))
            return false;
    }
    return true;
}

} // namespace vc
