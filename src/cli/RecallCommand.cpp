// vellacord recall --profile DIR [--sections a,h,c,l,r,t,w,d,k] [--date-from D] [--date-to D]
//     [--outside] [--contains TEXT | --not-contains TEXT] [--or] --out DIR [--xml]
#include "cli/CommandHelpers.h"
#include "cli/Commands.h"
#include "cli/RecallOptions.h"
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

    RecallOptions recall;
    QString error;
    if (!parseRecallOptions(options, recall, &error))
        return usageError(error);

    CommandEvidence evidence;
    if (!evidence.open(options))
        return kExitInput;
    const QDir out(options.outDir);
    if (!QDir().mkpath(out.absolutePath())) {
        std::fprintf(stderr, "vellacord: cannot create the folder %s\n",
                     qPrintable(options.outDir));
        return kExitInput;
    }

    RecallConditionSet conditions;
    const RecallPlan plan = recallPlanOf(recall, conditions);

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
