#pragma once

#include <QByteArray>
#include <QList>
#include <QLocale>
#include <QString>

#include <functional>

namespace vc {

// The calendar fields of one time, as the C runtime gives them.
struct CalendarFields {
    int year = 1970; // full year
    int month = 1;   // 1..12
    int day = 1;     // 1..31
    int weekday = 4; // 1 = Monday .. 7 = Sunday
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// A date-time pattern in Qt's letters, read once and then applied to many
// times without going through QLocale for each: the tables format two or
// three times per row of files with hundreds of thousands of rows.
//
// The pieces are those QLocale::toString(QDateTime, pattern) produces, each
// already encoded with a given encoder (the evidence code page). A pattern
// holding letters this class does not write itself (the time zone "t"), or
// whose output differs from QLocale's on a set of probe times (another digit
// set, names that depend on context), is marked slow: the caller then
// formats through QLocale as before.
class TimePattern {
public:
    using Encoder = std::function<QByteArray(const QString&)>;

    TimePattern(const QString& pattern, const QLocale& locale, const Encoder& encode);

    bool fast() const { return m_fast; }

    // Appends the text of the time to out. Only for a fast pattern.
    void append(QByteArray& out, const CalendarFields& when) const;
    // Writes the same text at p, which has room for longest() bytes;
    // returns its end.
    char* write(char* p, const CalendarFields& when) const;
    qsizetype longest() const { return m_longest; }

    // Whether the text is a date part (what depends on the year, month and
    // day only) followed by a time-of-day part (what depends on the hour,
    // minute and second only), as every usual pattern is: a search of many
    // times can then remember the parts by date and by second of the day.
    bool splitsAtTimeOfDay() const { return m_timeOfDayStart >= 0; }
    // Writes one of the two parts at p (room for longest() bytes); returns
    // its end. Only for a fast pattern that splits.
    char* writeDatePart(char* p, const CalendarFields& when) const {
        return writePieces(p, when, 0, m_timeOfDayStart);
    }
    char* writeTimeOfDayPart(char* p, const CalendarFields& when) const {
        return writePieces(p, when, m_timeOfDayStart, m_pieces.size());
    }

    // What QLocale writes for the same time, encoded: the reference the
    // fast path is checked against.
    QByteArray reference(const CalendarFields& when) const;

private:
    enum class Kind {
        Literal,
        Number, // a numeric field, width 1 (no padding) or 2
        Year4,
        Year2,
        MonthName,
        DayName,
        AmPm,
    };
    enum class Field { Year, Month, Day, Hour12, Hour24, Minute, Second, Milli };
    struct Piece {
        Kind kind;
        Field field = Field::Year;
        int width = 1;
        int index = 0; // into m_literals for literals, m_names for names
    };

    static int valueOf(Field field, const CalendarFields& when);
    // Whether a piece depends on the time of day (else on the date, or on
    // nothing: a literal).
    static bool isTimeOfDay(const Piece& piece);
    static bool isDate(const Piece& piece);
    char* writePieces(char* p, const CalendarFields& when, qsizetype from, qsizetype to) const;
    void parse(const QString& pattern, const QLocale& locale, const Encoder& encode);
    bool matchesReference() const;

    QString m_pattern;
    QLocale m_locale;
    Encoder m_encode;
    QList<Piece> m_pieces;
    QList<QByteArray> m_literals; // texts of the Literal pieces, in order
    // Name tables: 12 month names, 7 day names or 2 AM/PM texts each.
    QList<QList<QByteArray>> m_names;
    bool m_fast = false;
    qsizetype m_longest = 0; // the most bytes one text can take
    // The first piece of the time-of-day part; -1 when a date piece follows
    // a time-of-day piece.
    qsizetype m_timeOfDayStart = -1;
};

} // namespace vc
