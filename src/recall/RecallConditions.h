#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

#include <list>
#include <optional>

namespace vc {

// Predicate codes of a recall condition.
enum : quint8 {
    kWithinRange = 9,
    kOutsideRange = 10,
    kContains = 11,
    kNotContains = 12,
};
// Kinds of value a condition tests.
enum : quint8 {
    kTextCondition = 0,
    kDateCondition = 3,
};

inline const QString kLastAccessField = QStringLiteral("Last_Access");
inline const QString kWholeRowField = QStringLiteral("Whole_row");

// One condition on the records a recall keeps.
struct RecallCondition {
    QString groupCaption;     // the window's group box it was made from
    QString predicateCaption; // the predicate as the window shows it
    QString valueCaption;     // the phrase, or "[low, high]"
    QString low;              // the phrase, or the earlier date of the range
    QString high;             // the later date of the range; empty for a phrase
    quint8 orJoin = 0;        // how it joins the condition before it: 0 AND, 1 OR
    QString fieldName;        // kLastAccessField or kWholeRowField
    quint8 kind = kTextCondition;
    quint8 predicate = kContains;

    // Values read once per pattern and code page rather than once per record.
    mutable QByteArray lowBytes;
    mutable bool lowBytesReady = false;
    mutable QString datePattern;
    mutable std::optional<qint64> lowKey;
    mutable std::optional<qint64> highKey;
};

// An ordered list of conditions. The window keeps one, filled by the OK of
// the conditions window and emptied at the end of the recall that follows;
// the command line makes its own. Loaders are handed the set to apply.
class RecallConditionSet {
public:
    // Appends a condition at the end of the list.
    RecallCondition& add(RecallCondition condition);
    // Destroys every condition.
    void clear() { m_conditions.clear(); }
    bool isEmpty() const { return m_conditions.empty(); }
    int size() const { return int(m_conditions.size()); }
    const std::list<RecallCondition>& conditions() const { return m_conditions; }

private:
    std::list<RecallCondition> m_conditions;
};

// The pattern of dates without their time: the part of the time-text pattern
// before its first time field ("dd.MM.yyyy" of "dd.MM.yyyy HH:mm:ss").
QString shortDatePattern();
// A calendar date as a text of that pattern, in the source code page.
QByteArray shortDateText(const QDate& date);
// A date typed in that pattern (as the date fields show it: "23 May 2011"),
// blanks around it ignored, month names in the system's language or in
// English; an invalid date for any other text.
QDate readShortDateText(const QString& text);

// The date part of a shown time text: blanks around it removed, then cut
// after as many blank-separated words as the short date pattern has (a date
// followed by a space and a time keeps the date).
QByteArrayView recallDatePart(QByteArrayView text);

// The verdict of one condition on a value: a phrase that occurs (or does not
// occur) in the text as one piece, letter case counting; a date of the short
// pattern within (or outside) the range, both ends included. A date that
// cannot be read gives false.
bool Judge(QByteArrayView value, const RecallCondition& condition);

// The verdict of a date condition on a stored time: its calendar date in
// the zone shown, within (or outside) the range; a time without a calendar
// date gives false, as an unreadable date text does.
struct TimeValue;
bool JudgeTime(const TimeValue& time, const RecallCondition& condition);

// What the conditions window shows, as plain values.
struct RecallChoice {
    QString dateGroupCaption;   // text 71
    QString phraseGroupCaption; // text 72
    bool date1Set = false;
    QDate date1;
    bool date2Set = false;
    QDate date2;
    quint8 datePredicate = kWithinRange;
    QString datePredicateCaption;
    quint8 join = 0; // 0 AND, 1 OR
    QString phrase;
    quint8 phrasePredicate = kContains;
    QString phrasePredicateCaption;
};

// The choice with the window's English captions: texts 71, 72 and the
// captions of the predicates chosen.
RecallChoice defaultRecallChoice();
QString predicateCaption(quint8 predicate);

// Replaces the conditions of the set by those the choice describes: a date
// range when either date is given (one date: that day; swapped dates are put
// in order), then a phrase when it is not blank.
void BuildRecallConditions(const RecallChoice& choice, RecallConditionSet& set);

// The description shown on the condition labels: text 128, ": " and the
// conditions in set order.
QString DescribeRecallConditions(const RecallConditionSet& set);

} // namespace vc
