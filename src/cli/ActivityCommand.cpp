// vellacord activity INDEX_FILE [--hash-walk]
#include "cache/ActivityLoad.h"
#include "cache/ActivityTable.h"
#include "cache/CacheSources.h"
#include "cache/ParallelBlockScan.h"
#include "cli/CommandHelpers.h"
#include "cli/Commands.h"
#include "cli/SourceCommand.h"
#include "cli/TableOutput.h"
#include "platform/WorkFile.h"
#include "tables/TableColumns.h"

#include <thread>

#include <cstdio>

namespace vc {

int runActivityCommand(const CliOptions& options) {
    // From the evidence: the cache index of every user.
    if (options.positional.isEmpty() && CommandEvidence::given(options))
        return runSourceCommand(options, activitySource());
    if (options.positional.size() != 1) {
        std::fprintf(stderr, "vellacord: activity needs one INDEX_FILE\n%s",
                     qPrintable(usageText()));
        return kExitUsage;
    }
    const QString indexFile = options.positional.constFirst();
    if (!canReadInput(indexFile))
        return kExitInput;

    CommandContext context;
    // The index file alone belongs to no known user: its "User" cells stay
    // empty.
    const std::unique_ptr<TableModel> tableOwner = makeSourceTable(activitySource());
    TableModel& table = *tableOwner;
    if (!options.xmlFile.isEmpty()) {
        WorkFile workFile;
        if (!LoadActivity(indexFile, !options.hashWalk, workFile, context.load(), table)
                 .workFileOpened)
            return kExitInput;
        return writeTableOutput(table, options, indexFile);
    }
    // Tab-delimited output needs no table and no work file: each record goes
    // out as soon as it is decoded, so memory stays flat however big the file.
    TabRowStream out;
    if (!out.open(options))
        return kExitInput;
    out.writeHeader(table);
    // The block scan is spread over the processor's cores; the hash walk
    // follows one chain and stays on one thread.
    ScanOutput rows;
    rows.appendText = [&out](const RecordFields& fields, QByteArray& text) {
        AppendActivityRowText(fields, text);
        text.append('\t'); // the empty "User" cell
        text.append(out.lineEnd());
    };
    rows.write = [&out](const QByteArray& text) { out.writeRows(text); };
    const WalkOptions walk{!options.hashWalk, context.load()};
    if (walk.linearScan)
        ScanCacheIndexInParallel(indexFile, int(std::thread::hardware_concurrency()), walk, rows);
    else
        WalkCacheIndexInto(indexFile, walk, rows);
    return out.finish();
}

} // namespace vc
