// vellacord history FOLDER [--full] [--hash-walk]
#include "app/TableColumns.h"
#include "app/WorkFile.h"
#include "cache/HistoryIndexSearch.h"
#include "cache/HistoryTable.h"
#include "cli/CommandHelpers.h"
#include "cli/Commands.h"
#include "cli/TableOutput.h"

namespace vc {

int runHistoryCommand(const CliOptions& options) {
    if (const int status = checkFolderArgument(options, "history"); status != kExitOk)
        return status;
    const QString folder = options.positional.constFirst();
    QStringList indexFiles;
    FindIndexFiles(indexFiles, folder);
    // Without --full only the first index file found is read, as the
    // window does with "Full history" unchecked.
    if (!options.full && indexFiles.size() > 1)
        indexFiles = indexFiles.mid(0, 1);

    WorkFile workFile;
    TableModel table(QStringLiteral("ieH_ListView"), historyColumns());
    bool unreadable = false;
    table.beginBulkUpdate();
    for (const QString& indexFile : indexFiles) {
        if (!canReadInput(indexFile)) {
            unreadable = true;
            continue;
        }
        if (!walkIndexForCommand(workFile, indexFile, options))
            return kExitInput;
        FillHistoryRows(workFile.readLines(), table, nullptr, 25);
    }
    table.endBulkUpdate();
    return commandStatus(writeTableOutput(table, options, folder), unreadable);
}

} // namespace vc
