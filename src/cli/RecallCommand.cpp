// vellacord recall --profile DIR [--sections a,h,c,l,r,t,w,d,k] [--date-from D] [--date-to D]
//     [--outside] [--contains TEXT | --not-contains TEXT] [--or] --out DIR [--xml]
#include "cli/CommandHelpers.h"
#include "cli/Commands.h"
#include "cli/TableOutput.h"
#include "language/InterfaceTexts.h"
#include "platform/WorkFile.h"
#include "recall/HeadlessRecallTarget.h"
#include "recall/RecallConditions.h"
#include "recall/RecallRun.h"
#include "recall/RecallSections.h"

#include <QDir>

#include <cstdio>

namespace vc {

namespace {

int usageError(const QString& text) {
    std::fprintf(stderr, "vellacord: %s\n%s", qPrintable(text), qPrintable(usageText()));
    return kExitUsage;
}

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

int runRecallCommand(const CliOptions& options) {
    if (!CommandEvidence::given(options) || options.outDir.isEmpty() ||
        !options.positional.isEmpty())
        return usageError(
            QStringLiteral("recall needs --profile DIR (or --volume DIR, --image FILE or "
                           "--this-computer) and --out DIR"));
    if (!options.tsvFile.isEmpty())
        return usageError(QStringLiteral("recall writes one file per section into --out DIR; "
                                         "--tsv does not apply"));

    std::array<bool, kRecallSectionCount> sections{};
    sections.fill(true);
    QString bad;
    if (!options.sections.isEmpty() && !parseSections(options.sections, sections, &bad))
        return usageError(
            QStringLiteral("unknown section \"%1\" (use %2)").arg(bad, recallSectionLetters()));
    if (std::find(sections.begin(), sections.end(), true) == sections.end())
        return usageError(QStringLiteral("--sections names no section"));

    RecallChoice choice = defaultRecallChoice();
    if (!parseIsoDate(options.dateFrom, &choice.date1Set, &choice.date1))
        return usageError(
            QStringLiteral("--date-from %1 is not a date (YYYY-MM-DD)").arg(options.dateFrom));
    if (!parseIsoDate(options.dateTo, &choice.date2Set, &choice.date2))
        return usageError(
            QStringLiteral("--date-to %1 is not a date (YYYY-MM-DD)").arg(options.dateTo));
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
    if (options.outside && !anyDate)
        return usageError(QStringLiteral("--outside needs --date-from or --date-to"));
    choice.datePredicate = options.outside ? kOutsideRange : kWithinRange;
    choice.datePredicateCaption = predicateCaption(choice.datePredicate);
    choice.phrase = options.notContains.isEmpty() ? options.contains : options.notContains;
    choice.phrasePredicate = options.notContains.isEmpty() ? kContains : kNotContains;
    choice.phrasePredicateCaption = predicateCaption(choice.phrasePredicate);
    if (options.useOr && (!anyDate || choice.phrase.isEmpty()))
        return usageError(QStringLiteral("--or joins a date range and a phrase; give both"));
    choice.join = options.useOr ? 1 : 0;

    CommandEvidence evidence;
    if (!evidence.open(options))
        return kExitInput;
    const QDir out(options.outDir);
    if (!QDir().mkpath(out.absolutePath())) {
        std::fprintf(stderr, "vellacord: cannot create the folder %s\n",
                     qPrintable(options.outDir));
        return kExitInput;
    }

    // Without sections or conditions it is the whole recall, as "Vellacord"
    // in the window; otherwise the recall with conditions.
    const bool conditional = !options.sections.isEmpty() || anyDate || !choice.phrase.isEmpty();
    RecallPlan plan = wholeRecallPlan();
    RecallConditionSet conditions;
    if (conditional) {
        BuildRecallConditions(choice, conditions);
        plan = conditionalRecallPlan(sections, conditions);
    }

    HeadlessRecallTarget target;
    target.setLinearScan(!options.hashWalk);
    target.setFullHistory(options.full);
    WorkFile workFile;
    RecallRun run(target, workFile, evidence.machine());
    run.run(plan);
    int status = run.stopped() ? kExitInput : kExitOk;

    const bool xml = options.xmlFormat;
    for (int section : run.gathered()) {
        CliOptions file = options;
        const QString path = out.filePath(recallSectionName(section) +
                                          (xml ? QStringLiteral(".xml") : QStringLiteral(".txt")));
        file.xmlFile = xml ? path : QString();
        file.tsvFile = xml ? QString() : path;
        const QString title =
            recallOuterCaption(section) + QStringLiteral(": ") + recallSectionCaption(section);
        const int written = writeTableOutput(target.table(section), file, title);
        if (written != kExitOk)
            status = written;
    }
    std::fputs(run.summary().toLocal8Bit().constData(), stdout);
    std::fputs("\n", stdout);
    std::fflush(stdout);
    return status;
}

} // namespace vc
