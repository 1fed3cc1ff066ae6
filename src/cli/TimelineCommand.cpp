// vellacord timeline EVIDENCE [--sections ...] [conditions] [--jsonl FILE]
//     [--timesketch-csv FILE] [--l2tcsv FILE] [--tsv FILE | --xml FILE]
// Every time of every source read from the evidence as one table sorted by
// time, and the files the tools of the field import.
#include "cli/CommandHelpers.h"
#include "cli/CommandRecall.h"
#include "cli/Commands.h"
#include "cli/TableOutput.h"
#include "evidence/Machine.h"
#include "language/InterfaceTexts.h"
#include "timeline/MachineName.h"
#include "timeline/TimelineExport.h"
#include "timeline/TimelineRows.h"

#include <QFile>

#include <cstdio>

namespace vc {

namespace {

// Writes one export file; prints what it wrote (to out) or why it failed.
int writeExport(const Timeline& timeline, TimelineFormat format, const QString& path,
                FILE* report) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "vellacord: cannot write %s: %s\n", qPrintable(path),
                     qPrintable(file.errorString()));
        return kExitInput;
    }
    TimelineExportSummary summary;
    if (!writeTimeline(timeline, format, file, &summary) || !file.flush()) {
        std::fprintf(stderr, "vellacord: cannot write %s: %s\n", qPrintable(path),
                     qPrintable(file.errorString()));
        return kExitInput;
    }
    std::fprintf(report, "%s: %s\n", qPrintable(path),
                 qPrintable(tx(TextEventsWritten).arg(summary.written)));
    if (summary.leftOut > 0)
        std::fprintf(report, "%s: %s\n", qPrintable(path),
                     qPrintable(tx(TextEventsLeftOut).arg(summary.leftOut)));
    return kExitOk;
}

} // namespace

int runTimelineCommand(const CliOptions& options) {
    if (!CommandEvidence::given(options) || !options.positional.isEmpty())
        return usageError(
            QStringLiteral("timeline needs --profile DIR (or --volume DIR, --image FILE or "
                           "--this-computer)"));
    if (!options.outDir.isEmpty())
        return usageError(QStringLiteral("timeline writes one table; --out does not apply"));
    CommandRecall sources;
    if (const int opened = sources.open(options); opened != kExitOk)
        return opened;
    int status = sources.run();
    const CommandEvidence& evidence = sources.evidence();

    auto timeline = std::make_shared<Timeline>();
    const QString machine = evidence.machine() ? machineNameOf(*evidence.machine()) : QString();
    for (const int section : sources.gathered())
        timeline->addTable(section, &sources.table(section), machine);
    timeline->build(!options.noExpiry);

    const bool exports = !options.jsonlFile.isEmpty() || !options.timesketchCsvFile.isEmpty() ||
                         !options.l2tcsvFile.isEmpty();
    const bool table = !exports || !options.tsvFile.isEmpty() || !options.xmlFile.isEmpty();
    // The counts go to standard output unless the table does.
    const bool tableToStdout = table && options.tsvFile.isEmpty() && options.xmlFile.isEmpty();
    FILE* report = tableToStdout ? stderr : stdout;
    const struct {
        const QString& path;
        TimelineFormat format;
    } files[] = {{options.jsonlFile, TimelineFormat::Jsonl},
                 {options.timesketchCsvFile, TimelineFormat::TimesketchCsv},
                 {options.l2tcsvFile, TimelineFormat::L2tCsv}};
    for (const auto& file : files)
        if (!file.path.isEmpty())
            if (const int written = writeExport(*timeline, file.format, file.path, report);
                written != kExitOk)
                status = written;
    if (table) {
        const std::unique_ptr<TableModel> rows = makeTimelineTable();
        rows->setRowSource(std::make_shared<TimelineRows>(timeline, 0, timeline->size()));
        const int written = writeTableOutput(
            *rows, options, evidence.title() + QStringLiteral(": ") + tx(TextTimelineTab));
        if (written != kExitOk)
            status = written;
    }
    std::fprintf(report, "%s: %lld\n", qPrintable(tx(TextEvents)),
                 static_cast<long long>(timeline->size()));
    std::fflush(report);
    return status;
}

} // namespace vc
