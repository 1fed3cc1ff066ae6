#include "recall/RecallConditions.h"

#include "language/InterfaceTexts.h"
#include "platform/CodePage.h"
#include "platform/TimeText.h"
#include "platform/TimeValue.h"
#include "tables/TimeKey.h"

#include <QHash>
#include <QLocale>
#include <QRegularExpression>

#include <memory>

namespace vc {

namespace {

bool isTimeLetter(QChar c) {
    switch (c.unicode()) {
    case 'h':
    case 'H':
    case 'm':
    case 's':
    case 'z':
    case 'a':
    case 'A':
    case 't':
        return true;
    default:
        return false;
    }
}

// One reader per pattern: building it compiles the pattern.
const TimeKeyReader& readerFor(const QString& pattern) {
    static std::unique_ptr<TimeKeyReader> reader;
    static QString readerPattern;
    if (!reader || readerPattern != pattern) {
        reader = std::make_unique<TimeKeyReader>(pattern);
        readerPattern = pattern;
    }
    return *reader;
}

// The key of a date text. Records share dates, so the keys of the texts met
// are kept: a pattern with month names is read by the locale's slow parser.
std::optional<qint64> dateKey(QByteArrayView text, const QString& pattern) {
    static QHash<QByteArray, std::optional<qint64>> keys;
    static QString keysPattern;
    if (keysPattern != pattern || keys.size() > 100000) {
        keys.clear();
        keysPattern = pattern;
    }
    const QByteArray key = text.toByteArray();
    const auto known = keys.constFind(key);
    if (known != keys.constEnd())
        return *known;
    const std::optional<qint64> read = readerFor(pattern).read(text);
    keys.insert(key, read);
    return read;
}

// The number of blank-separated words a text of the pattern has (a quoted
// space is a space of the text as well).
int wordsOfPattern(const QString& pattern) {
    return int(pattern.count(QLatin1Char(' '))) + 1;
}

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

// Reads the range ends once for the pattern in use.
void prepareRange(const RecallCondition& condition, const QString& pattern) {
    if (condition.datePattern == pattern && !pattern.isEmpty())
        return;
    const TimeKeyReader& reader = readerFor(pattern);
    condition.lowKey = reader.read(encodeEvidence(condition.low));
    condition.highKey = reader.read(encodeEvidence(condition.high));
    condition.datePattern = pattern;
}

} // namespace

RecallCondition& RecallConditionSet::add(RecallCondition condition) {
    m_conditions.push_back(std::move(condition));
    return m_conditions.back();
}

QString shortDatePattern() {
    // Asked for every record: the last answer is kept with its full pattern.
    static QString lastFull;
    static QString lastPattern;
    const QString full = dateTimeFormat();
    if (full == lastFull && !lastPattern.isEmpty())
        return lastPattern;
    qsizetype end = full.size();
    bool quoted = false;
    for (qsizetype i = 0; i < full.size(); ++i) {
        const QChar c = full[i];
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            continue;
        }
        if (!quoted && isTimeLetter(c)) {
            end = i;
            break;
        }
    }
    QString pattern = full.left(end).trimmed();
    if (pattern.isEmpty())
        pattern = QLocale::system().dateFormat(QLocale::ShortFormat);
    lastFull = full;
    lastPattern = pattern;
    return pattern;
}

QByteArray shortDateText(const QDate& date) {
    return encodeEvidence(QLocale::system().toString(date, shortDatePattern()));
}

QDate readShortDateText(const QString& text) {
    const QString typed = text.simplified();
    if (typed.isEmpty())
        return {};
    // The pattern as it stands, then with one-digit days and months allowed
    // ("1 Jun 2011" for "dd MMM yyyy"); the system's month names, then
    // English ones.
    const QString pattern = shortDatePattern();
    QString relaxed = pattern;
    relaxed.replace(QRegularExpression(QStringLiteral("(?<!d)dd(?!d)")), QStringLiteral("d"));
    relaxed.replace(QRegularExpression(QStringLiteral("(?<!M)MM(?!M)")), QStringLiteral("M"));
    for (const QLocale& locale : {QLocale::system(), QLocale::c()})
        for (const QString& p : {pattern, relaxed})
            if (const QDate date = locale.toDate(typed, p); date.isValid())
                return date;
    return {};
}

QByteArrayView recallDatePart(QByteArrayView text) {
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && isBlank(text[from]))
        ++from;
    while (to > from && isBlank(text[to - 1]))
        --to;
    // Cut after the words of the date: a following time is not part of it.
    // (Cutting at the pattern's length would break patterns whose fields
    // vary in width, such as "M/d/yyyy".)
    int words = wordsOfPattern(shortDatePattern());
    for (qsizetype i = from; i < to; ++i) {
        if (text[i] == ' ' && --words == 0) {
            to = i;
            break;
        }
    }
    return text.sliced(from, to - from);
}

bool Judge(QByteArrayView value, const RecallCondition& condition) {
    if (condition.kind == kTextCondition) {
        if (!condition.lowBytesReady) {
            condition.lowBytes = encodeEvidence(condition.low);
            condition.lowBytesReady = true;
        }
        const bool found = value.indexOf(condition.lowBytes) >= 0;
        if (condition.predicate == kContains)
            return found;
        if (condition.predicate == kNotContains)
            return !found;
        return false;
    }
    if (condition.kind != kDateCondition || value.isEmpty())
        return false;
    const QString pattern = shortDatePattern();
    prepareRange(condition, pattern);
    const std::optional<qint64> key = dateKey(value, pattern);
    if (!key || !condition.lowKey || !condition.highKey)
        return false;
    if (condition.predicate == kWithinRange)
        return *condition.lowKey <= *key && *key <= *condition.highKey;
    if (condition.predicate == kOutsideRange)
        return *key < *condition.lowKey || *key > *condition.highKey;
    return false;
}

bool JudgeTime(const TimeValue& time, const RecallCondition& condition) {
    if (condition.kind != kDateCondition)
        return false;
    prepareRange(condition, shortDatePattern());
    const std::optional<qint64> seconds = timeSortKey(time);
    if (!seconds || !condition.lowKey || !condition.highKey)
        return false;
    // The key of the time's date at midnight, as a date text reads.
    constexpr qint64 kDay = 86400;
    const qint64 key = (*seconds >= 0 ? *seconds / kDay : -((-*seconds + kDay - 1) / kDay)) * kDay;
    if (condition.predicate == kWithinRange)
        return *condition.lowKey <= key && key <= *condition.highKey;
    if (condition.predicate == kOutsideRange)
        return key < *condition.lowKey || key > *condition.highKey;
    return false;
}

QString predicateCaption(quint8 predicate) {
    switch (predicate) {
    case kWithinRange:
        return tx(TextWithinRange);
    case kOutsideRange:
        return tx(TextOutsideRange);
    case kContains:
        return tx(TextContains);
    case kNotContains:
        return tx(TextNotContains);
    default:
        return QString();
    }
}

RecallChoice defaultRecallChoice() {
    RecallChoice choice;
    choice.dateGroupCaption = tx(TextLastAccessDate);
    choice.phraseGroupCaption = tx(TextSomeField);
    choice.datePredicateCaption = predicateCaption(choice.datePredicate);
    choice.phrasePredicateCaption = predicateCaption(choice.phrasePredicate);
    return choice;
}

void BuildRecallConditions(const RecallChoice& choice, RecallConditionSet& set) {
    set.clear();
    const QString& phrase = choice.phrase;
    // The join matters only for a phrase after a date condition.
    const quint8 join = phrase.isEmpty() ? 0 : choice.join;

    if (choice.date1Set || choice.date2Set) {
        QDate first = choice.date1Set ? choice.date1 : QDate();
        QDate second = choice.date2Set ? choice.date2 : QDate();
        if (!first.isValid())
            first = second;
        if (!second.isValid())
            second = first;
        if (first.isValid()) {
            if (first > second)
                std::swap(first, second);
            const QString pattern = shortDatePattern();
            RecallCondition date;
            date.groupCaption = choice.dateGroupCaption;
            date.predicateCaption = choice.datePredicateCaption;
            date.predicate = choice.datePredicate;
            date.low = QLocale::system().toString(first, pattern);
            date.high = QLocale::system().toString(second, pattern);
            date.valueCaption =
                QLatin1Char('[') + date.low + QStringLiteral(", ") + date.high + QLatin1Char(']');
            date.fieldName = kLastAccessField;
            date.kind = kDateCondition;
            // The ends are known as dates: no reading back of their texts,
            // which a two-digit year would make ambiguous.
            date.datePattern = pattern;
            date.lowKey = TimeKeyReader::keyOfDate(first);
            date.highKey = TimeKeyReader::keyOfDate(second);
            date.orJoin = join;
            set.add(std::move(date));
        }
    }

    if (!phrase.isEmpty() && !phrase.trimmed().isEmpty()) {
        RecallCondition words;
        words.groupCaption = choice.phraseGroupCaption;
        words.predicateCaption = choice.phrasePredicateCaption;
        words.predicate = choice.phrasePredicate;
        words.low = phrase;
        words.valueCaption = phrase;
        words.fieldName = kWholeRowField;
        words.kind = kTextCondition;
        words.orJoin = join;
        set.add(std::move(words));
    }
}

QString DescribeRecallConditions(const RecallConditionSet& set) {
    QString text;
    bool first = true;
    for (const RecallCondition& c : set.conditions()) {
        if (first) {
            text += c.groupCaption + QLatin1Char(' ') + c.predicateCaption + QLatin1Char(' ') +
                    c.valueCaption + QLatin1Char(' ');
            first = false;
        } else {
            text += (c.orJoin == 0 ? QStringLiteral(" AND ") : QStringLiteral(" OR ")) +
                    c.groupCaption + QLatin1Char(' ') + c.predicateCaption + QStringLiteral(": ") +
                    QLatin1Char('"') + c.valueCaption + QLatin1Char('"');
        }
    }
    return tx(TextSearchOptions) + QStringLiteral(": ") + text;
}

} // namespace vc
