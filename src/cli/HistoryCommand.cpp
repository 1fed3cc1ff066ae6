// vellacord history FOLDER [--full] [--hash-walk]
#include "cache/CacheSources.h"
#include "cache/HistoryIndexSearch.h"
#include "cache/HistoryLoad.h"
#include "cli/CommandHelpers.h"
#include "cli/Commands.h"
#include "cli/SourceCommand.h"
#include "cli/TableOutput.h"
#include "platform/WorkFile.h"
#include "tables/TableColumns.h"

namespace vc {

int runHistoryCommand(const CliOptions& options) {
    // From the evidence: the history of every user.
    if (options.positional.isEmpty() && CommandEvidence::given(options))
        return runSourceCommand(options, historySource());
    if (const int status = checkFolderArgument(options, "history"); status != kExitOk)
        return status;
    const QString folder = options.positional.constFirst();
    QStringList indexFiles;
    FindIndexFiles(indexFiles, folder);
    // Without --full only the first index file found is read, as the
    // window does with "Full history" unchecked.
    if (!options.full && indexFiles.size() > 1)
        indexFiles = indexFiles.mid(0, 1);
    // A file that cannot be read is named and passed over.
    bool unreadable = false;
    QStringList readable;
    for (const QString& indexFile : indexFiles) {
        if (canReadInput(indexFile))
            readable << indexFile;
        else
            unreadable = true;
    }

    CommandContext context;
    WorkFile workFile;
    const std::unique_ptr<TableModel> tableOwner = makeSourceTable(historySource());
    TableModel& table = *tableOwner;
    const int status = writeLoadedRows(table, options, folder, [&](RowSink& rows) {
        return LoadHistory(readable, !options.hashWalk, true, workFile, context.load(), rows);
    });
    return commandStatus(status, unreadable);
}

} // namespace vc
