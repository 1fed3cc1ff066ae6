#include "browsers/cache/HttpHeaders.h"

#include <QList>

namespace vc {

namespace {

QByteArrayView trimmed(QByteArrayView text) {
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && (text[from] == ' ' || text[from] == '\t'))
        ++from;
    while (to > from && (text[to - 1] == ' ' || text[to - 1] == '\t' || text[to - 1] == '\r'))
        --to;
    return text.sliced(from, to - from);
}

// The non-empty pieces of raw between separators, joined by '\n'. A control
// character inside a piece (a tab, a stray CR) becomes a space before the
// spaces at its ends go: the lines stay lines wherever they are shown.
template <typename IsSeparator> QByteArray joinLines(QByteArrayView raw, IsSeparator separator) {
    QByteArray lines;
    lines.reserve(raw.size());
    QByteArray piece;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= raw.size(); ++i) {
        if (i < raw.size() && !separator(raw, i))
            continue;
        piece.resize(0);
        for (const char c : raw.sliced(start, i - start))
            piece += static_cast<unsigned char>(c) < 32 ? ' ' : c;
        const QByteArrayView line = trimmed(piece);
        if (!line.isEmpty()) {
            if (!lines.isEmpty())
                lines += '\n';
            lines += line;
        }
        start = i + 1;
    }
    return lines;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
qint64 daysFromCivil(qint64 y, int m, int d) {
    y -= m <= 2;
    const qint64 era = (y >= 0 ? y : y - 399) / 400;
    const qint64 yoe = y - era * 400;
    const qint64 doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const qint64 doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

int daysInMonth(qint64 y, int m) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return m == 2 && leap ? 29 : days[m - 1];
}

int monthOf(QByteArrayView word) {
    static const char* const names[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                        "jul", "aug", "sep", "oct", "nov", "dec"};
    if (word.size() < 3)
        return 0;
    const QByteArray start = word.first(3).toByteArray().toLower();
    for (int m = 0; m < 12; ++m)
        if (start == names[m])
            return m + 1;
    return 0;
}

// "hh:mm:ss" into its fields.
bool readClock(QByteArrayView word, int& h, int& min, int& s) {
    if (word.size() != 8 || word[2] != ':' || word[5] != ':')
        return false;
    for (int i : {0, 1, 3, 4, 6, 7})
        if (!isDigit(word[i]))
            return false;
    const int hours = (word[0] - '0') * 10 + (word[1] - '0');
    const int minutes = (word[3] - '0') * 10 + (word[4] - '0');
    const int seconds = (word[6] - '0') * 10 + (word[7] - '0');
    if (hours > 23 || minutes > 59 || seconds > 60)
        return false;
    h = hours;
    min = minutes;
    s = seconds;
    return true;
}

bool allDigits(QByteArrayView word) {
    if (word.isEmpty())
        return false;
    for (char c : word)
        if (!isDigit(c))
            return false;
    return true;
}

} // namespace

QByteArray headerLinesFromZeroSeparated(QByteArrayView raw) {
    return joinLines(raw, [](QByteArrayView r, qsizetype i) { return r[i] == '\0'; });
}

QByteArray headerLinesFromCrLf(QByteArrayView raw) {
    return joinLines(raw, [](QByteArrayView r, qsizetype i) { return r[i] == '\n'; });
}

QByteArrayView httpStatusLine(QByteArrayView lines) {
    const qsizetype end = lines.indexOf('\n');
    const QByteArrayView first = end < 0 ? lines : lines.first(end);
    if (first.size() < 5 || first.first(5).toByteArray().toUpper() != "HTTP/")
        return {};
    return first;
}

QByteArrayView httpHeaderValue(QByteArrayView lines, QByteArrayView name) {
    qsizetype start = 0;
    while (start < lines.size()) {
        qsizetype end = lines.indexOf('\n', start);
        if (end < 0)
            end = lines.size();
        const QByteArrayView line = lines.sliced(start, end - start);
        if (line.size() > name.size() && line[name.size()] == ':' &&
            line.first(name.size()).compare(name, Qt::CaseInsensitive) == 0)
            return trimmed(line.sliced(name.size() + 1));
        start = end + 1;
    }
    return {};
}

std::optional<qint64> parseHttpDate(QByteArrayView text) {
    // The words between spaces, commas and dashes: a weekday (skipped), the
    // day, the month's name, the year and the clock in any of the three
    // orders the forms use.
    QList<QByteArrayView> words;
    qsizetype start = -1;
    for (qsizetype i = 0; i <= text.size() && words.size() < 8; ++i) {
        const bool separator = i == text.size() || text[i] == ' ' || text[i] == ',' ||
                               text[i] == '-' || text[i] == '\t';
        if (separator) {
            if (start >= 0)
                words.append(text.sliced(start, i - start));
            start = -1;
        } else if (start < 0) {
            start = i;
        }
    }
    int day = 0, month = 0, h = -1, min = 0, s = 0;
    qint64 year = -1;
    for (const QByteArrayView word : words) {
        if (h < 0 && readClock(word, h, min, s))
            continue;
        if (month == 0 && !allDigits(word) && (month = monthOf(word)) != 0)
            continue;
        if (!allDigits(word) || word.size() == 3 || word.size() > 4)
            continue;
        const int value = word.toInt();
        if (word.size() == 4 && year < 0)
            year = value;
        else if (word.size() <= 2 && day == 0)
            day = value; // the first short number is the day in all three forms
        else if (word.size() <= 2 && year < 0)
            year = value < 70 ? 2000 + value : 1900 + value;
    }
    if (day == 0 || month == 0 || year < 1601 || h < 0)
        return std::nullopt;
    if (day > daysInMonth(year, month))
        return std::nullopt;
    return daysFromCivil(year, month, day) * 86400 + h * 3600 + min * 60 + qMin(s, 59);
}

} // namespace vc
