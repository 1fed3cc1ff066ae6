#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QString>

#include <optional>
#include <vector>

namespace vc {

// Reads time texts back as sort keys: whole seconds of the wall-clock time
// the text shows, counted from 1970-01-01 00:00:00. The pattern is the one
// every time text is written with (Qt's pattern letters). Numeric patterns
// are read by a compiled scanner, fast enough for a million rows; a pattern
// with month or day names goes through the locale's own parser.
class TimeKeyReader {
public:
    explicit TimeKeyReader(const QString& pattern);

    // The key of a text; nullopt when the text is not a time in the pattern.
    std::optional<qint64> read(QByteArrayView text) const;
    // Whether the fast scanner handles the pattern.
    bool compiled() const { return m_compiled; }

    // Key of a calendar date at midnight.
    static qint64 keyOfDate(const QDate& date);

private:
    enum class Field {
        Literal,
        Day,
        Month,
        Year2,
        Year4,
        Hour12,
        Hour24,
        Minute,
        Second,
        Millis,
        AmPm
    };
    struct Token {
        Field field;
        int minDigits;
        int maxDigits;
        QByteArray literal;
    };

    bool compile(const QString& pattern);
    std::optional<qint64> scan(QByteArrayView text) const;
    std::optional<qint64> viaLocale(QByteArrayView text) const;

    QString m_pattern;
    std::vector<Token> m_tokens;
    bool m_compiled = false;
    bool m_twoDigitYear = false;
    int m_thisYear = 0; // for two-digit years, read once per reader
    QByteArray m_am;
    QByteArray m_pm;
};

// A two-digit year as the year within fifty years of `thisYear` (by default
// the current one), the way Windows reads dates typed with two-digit years.
int expandTwoDigitYear(int twoDigits, int thisYear = 0);

} // namespace vc
