#include "tables/TimeKey.h"

#include "platform/CodePage.h"

#include <QLocale>

#include <algorithm>
#include <limits>

namespace vc {

namespace {

constexpr qint64 kSecondsPerDay = 86400;
const qint64 kJulianDay1970 = QDate(1970, 1, 1).toJulianDay();

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

char upper(char c) {
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

bool startsWithFolded(QByteArrayView text, qsizetype pos, const QByteArray& word) {
    if (word.isEmpty() || text.size() - pos < word.size())
        return false;
    for (qsizetype i = 0; i < word.size(); ++i)
        if (upper(text[pos + i]) != upper(word[i]))
            return false;
    return true;
}

// Length of the run of the same pattern letter starting at i.
qsizetype runLength(const QString& pattern, qsizetype i) {
    qsizetype n = 1;
    while (i + n < pattern.size() && pattern[i + n] == pattern[i])
        ++n;
    return n;
}

} // namespace

int expandTwoDigitYear(int twoDigits, int thisYear) {
    const int now = thisYear > 0 ? thisYear : QDate::currentDate().year();
    const int first = now - 50;
    int year = (now / 100) * 100 + twoDigits;
    if (year < first)
        year += 100;
    else if (year >= first + 100)
        year -= 100;
    return year;
}

TimeKeyReader::TimeKeyReader(const QString& pattern)
    : m_pattern(pattern), m_thisYear(QDate::currentDate().year()) {
    const QLocale locale = QLocale::system();
    m_am = encodeEvidence(locale.amText());
    m_pm = encodeEvidence(locale.pmText());
    m_compiled = compile(pattern);
}

qint64 TimeKeyReader::keyOfDate(const QDate& date) {
    // No day given (an invalid date) counts as 1970-01-01; days beyond what
    // the seconds can count are held at the limit.
    if (!date.isValid())
        return 0;
    constexpr qint64 kLimit = std::numeric_limits<qint64>::max() / kSecondsPerDay;
    const qint64 days = std::clamp<qint64>(date.toJulianDay() - kJulianDay1970, -kLimit, kLimit);
    return days * kSecondsPerDay;
}

bool TimeKeyReader::compile(const QString& pattern) {
    m_tokens.clear();
    auto literal = [this](const QString& text) {
        if (!m_tokens.empty() && m_tokens.back().field == Field::Literal)
            m_tokens.back().literal += encodeEvidence(text);
        else
            m_tokens.push_back({Field::Literal, 0, 0, encodeEvidence(text)});
    };
    bool hasAmPm = false;
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('\'')) {
            // Quoted text; two quotes stand for one.
            const qsizetype close = pattern.indexOf(QLatin1Char('\''), i + 1);
            if (close == i + 1) {
                literal(QStringLiteral("'"));
                i += 2;
                continue;
            }
            if (close < 0)
                return false;
            literal(pattern.mid(i + 1, close - i - 1));
            i = close + 1;
            continue;
        }
        const qsizetype n = runLength(pattern, i);
        const char letter = c.toLatin1();
        auto field = [&](Field f, int minDigits, int maxDigits) {
            m_tokens.push_back({f, minDigits, maxDigits, {}});
        };
        switch (letter) {
        case 'd':
            if (n > 2)
                return false; // day names
            field(Field::Day, n, 2);
            break;
        case 'M':
            if (n > 2)
                return false; // month names
            field(Field::Month, n, 2);
            break;
        case 'y':
            if (n == 2) {
                field(Field::Year2, 2, 2);
                m_twoDigitYear = true;
            } else if (n == 4) {
                field(Field::Year4, 4, 4);
            } else {
                return false;
            }
            break;
        case 'h':
            if (n > 2)
                return false;
            field(Field::Hour12, n, 2);
            break;
        case 'H':
            if (n > 2)
                return false;
            field(Field::Hour24, n, 2);
            break;
        case 'm':
            if (n > 2)
                return false;
            field(Field::Minute, n, 2);
            break;
        case 's':
            if (n > 2)
                return false;
            field(Field::Second, n, 2);
            break;
        case 'z':
            if (n == 1)
                field(Field::Millis, 1, 3);
            else if (n == 3)
                field(Field::Millis, 3, 3);
            else
                return false;
            break;
        case 'A':
        case 'a': {
            // "AP", "ap", "A" and "a": the AM/PM marker.
            const bool pair =
                i + 1 < pattern.size() && pattern[i + 1].toLower() == QLatin1Char('p');
            m_tokens.push_back({Field::AmPm, 0, 0, {}});
            hasAmPm = true;
            i += pair ? 2 : 1;
            continue;
        }
        case 't':
            return false; // time-zone names
        default:
            if (c.isLetter())
                return false; // a letter this scanner does not know
            literal(QString(n, c));
            break;
        }
        i += n;
    }
    // Twelve-hour fields need the AM/PM marker and the reverse; leave the odd
    // combinations to the locale's parser.
    bool has12 = false;
    for (const Token& t : m_tokens)
        has12 = has12 || t.field == Field::Hour12;
    if (has12 != hasAmPm)
        return false;
    if (hasAmPm && (m_am.isEmpty() || m_pm.isEmpty()))
        return false;
    return true;
}

std::optional<qint64> TimeKeyReader::read(QByteArrayView text) const {
    if (text.isEmpty())
        return std::nullopt;
    if (m_compiled) {
        if (const std::optional<qint64> key = scan(text))
            return key;
    }
    // Texts the scanner refuses get the locale's parser, so both read the
    // same texts.
    return viaLocale(text);
}

std::optional<qint64> TimeKeyReader::scan(QByteArrayView text) const {
    int day = 1, month = 1, year = 1900, hour = 0, minute = 0, second = 0;
    int pm = -1; // -1: no marker, 0: AM, 1: PM
    qsizetype pos = 0;
    for (const Token& t : m_tokens) {
        if (t.field == Field::Literal) {
            if (text.size() - pos < t.literal.size() ||
                memcmp(text.data() + pos, t.literal.constData(), size_t(t.literal.size())) != 0)
                return std::nullopt;
            pos += t.literal.size();
            continue;
        }
        if (t.field == Field::AmPm) {
            if (startsWithFolded(text, pos, m_am)) {
                pm = 0;
                pos += m_am.size();
            } else if (startsWithFolded(text, pos, m_pm)) {
                pm = 1;
                pos += m_pm.size();
            } else {
                return std::nullopt;
            }
            continue;
        }
        int value = 0;
        int digits = 0;
        while (digits < t.maxDigits && pos < text.size() && isDigit(text[pos])) {
            value = value * 10 + (text[pos] - '0');
            ++digits;
            ++pos;
        }
        if (digits < t.minDigits)
            return std::nullopt;
        switch (t.field) {
        case Field::Day:
            day = value;
            break;
        case Field::Month:
            month = value;
            break;
        case Field::Year2:
            year = expandTwoDigitYear(value, m_thisYear);
            break;
        case Field::Year4:
            year = value;
            break;
        case Field::Hour12:
        case Field::Hour24:
            hour = value;
            break;
        case Field::Minute:
            minute = value;
            break;
        case Field::Second:
            second = value;
            break;
        default:
            break; // milliseconds: below the resolution of the key
        }
    }
    if (pos != text.size())
        return std::nullopt;
    if (pm >= 0) {
        if (hour < 1 || hour > 12)
            return std::nullopt;
        hour = hour % 12 + (pm == 1 ? 12 : 0);
    }
    if (hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return keyOfDate(date) + hour * 3600 + minute * 60 + second;
}

std::optional<qint64> TimeKeyReader::viaLocale(QByteArrayView text) const {
    const QLocale locale = QLocale::system();
    QDateTime when = locale.toDateTime(decodeEvidence(text), m_pattern);
    if (!when.isValid())
        return std::nullopt;
    QDate date = when.date();
    if (m_twoDigitYear && date.year() >= 1900 && date.year() < 2000)
        date = QDate(expandTwoDigitYear(date.year() - 1900, m_thisYear), date.month(), date.day());
    const QTime time = when.time();
    return keyOfDate(date) + time.hour() * 3600 + time.minute() * 60 + time.second();
}

} // namespace vc
