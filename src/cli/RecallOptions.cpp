#include "cli/RecallOptions.h"

#include "recall/RecallSections.h"

#include <algorithm>

namespace vc {

namespace {

// "a,h,c" into section flags; false on a letter that names no section.
bool parseSections(const QString& text, std::array<bool, kRecallSectionCount>& sections,
                   QString* bad) {
    sections.fill(false);
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString letter = part.trimmed().toLower();
        int found = -1;
        for (int i = 0; i < kRecallSectionCount; ++i)
            if (letter.size() == 1 && letter[0] == QLatin1Char(recallSectionLetter(i)))
                found = i;
        if (found < 0) {
            *bad = part;
            return false;
        }
        sections[size_t(found)] = true;
    }
    return true;
}

// An ISO date (YYYY-MM-DD); an empty text gives no date.
bool parseIsoDate(const QString& text, bool* set, QDate* date) {
    *set = !text.isEmpty();
    if (!*set)
        return true;
    *date = QDate::fromString(text, Qt::ISODate);
    return date->isValid();
}

// The first and the last day a time text can show.
const QDate kFirstTextDate(1970, 1, 1);
const QDate kLastTextDate(3000, 12, 31);

} // namespace

bool parseRecallOptions(const CliOptions& options, RecallOptions& out, QString* error) {
    out.sections.fill(true);
    QString bad;
    if (!options.sections.isEmpty() && !parseSections(options.sections, out.sections, &bad)) {
        *error = QStringLiteral("unknown section \"%1\" (use %2)").arg(bad, recallSectionLetters());
        return false;
    }
    if (std::find(out.sections.begin(), out.sections.end(), true) == out.sections.end()) {
        *error = QStringLiteral("--sections names no section");
        return false;
    }
    RecallChoice& choice = out.choice;
    choice = defaultRecallChoice();
    if (!parseIsoDate(options.dateFrom, &choice.date1Set, &choice.date1)) {
        *error = QStringLiteral("--date-from %1 is not a date (YYYY-MM-DD)").arg(options.dateFrom);
        return false;
    }
    if (!parseIsoDate(options.dateTo, &choice.date2Set, &choice.date2)) {
        *error = QStringLiteral("--date-to %1 is not a date (YYYY-MM-DD)").arg(options.dateTo);
        return false;
    }
    const bool anyDate = choice.date1Set || choice.date2Set;
    // On the command line one end alone leaves the range open on the other
    // side: --date-from D is "from D on", --date-to D "up to D". (In the
    // conditions window one picked day is that day.) The open side reaches
    // as far as time texts go.
    if (choice.date1Set != choice.date2Set) {
        if (choice.date1Set) {
            choice.date2Set = true;
            choice.date2 = kLastTextDate;
        } else {
            choice.date1Set = true;
            choice.date1 = kFirstTextDate;
        }
    }
    if (options.outside && !anyDate) {
        *error = QStringLiteral("--outside needs --date-from or --date-to");
        return false;
    }
    choice.datePredicate = options.outside ? kOutsideRange : kWithinRange;
    choice.datePredicateCaption = predicateCaption(choice.datePredicate);
    choice.phrase = options.notContains.isEmpty() ? options.contains : options.notContains;
    choice.phrasePredicate = options.notContains.isEmpty() ? kContains : kNotContains;
    choice.phrasePredicateCaption = predicateCaption(choice.phrasePredicate);
    if (options.useOr && (!anyDate || choice.phrase.isEmpty())) {
        *error = QStringLiteral("--or joins a date range and a phrase; give both");
        return false;
    }
    choice.join = options.useOr ? 1 : 0;
    out.conditional = !options.sections.isEmpty() || anyDate || !choice.phrase.isEmpty();
    return true;
}

RecallPlan recallPlanOf(const RecallOptions& options, RecallConditionSet& conditions) {
    // Without sections or conditions it is the whole recall, as "Vellacord"
    // in the window; otherwise the recall with conditions.
    if (!options.conditional)
        return wholeRecallPlan();
    BuildRecallConditions(options.choice, conditions);
    return conditionalRecallPlan(options.sections, conditions);
}

} // namespace vc
