// vellacord cookies FOLDER [--text-files] [--hash-walk]
#include "cache/CacheSources.h"
#include "cache/CookieLoad.h"
#include "cache/CookieTable.h"
#include "cli/CommandHelpers.h"
#include "cli/Commands.h"
#include "cli/SourceCommand.h"
#include "cli/TableOutput.h"
#include "platform/WorkFile.h"
#include "tables/TableColumns.h"

namespace vc {

int runCookiesCommand(const CliOptions& options) {
    // From the evidence: the cookies of every user.
    if (options.positional.isEmpty() && CommandEvidence::given(options))
        return runSourceCommand(options, cookieSource());
    if (const int status = checkFolderArgument(options, "cookies"); status != kExitOk)
        return status;
    const QString folder = options.positional.constFirst();
    CommandContext context;
    WorkFile workFile;
    const std::unique_ptr<TableModel> tableOwner = makeSourceTable(cookieSource());
    TableModel& table = *tableOwner;
    bool unreadable = false;

    // The cookie text files first, then the rows of the folder's index, as
    // the whole-computer recall reads them.
    const int status = writeLoadedRows(table, options, folder, [&](RowSink& rows) {
        if (options.textFiles &&
            !LoadCookieTextFiles(folder, workFile, context.load(), rows).workFileOpened)
            return false;
        const QString indexFile = FindCookieIndexFile(folder);
        if (indexFile.isEmpty())
            return true;
        if (!canReadInput(indexFile)) {
            unreadable = true;
            return true;
        }
        return LoadCookieIndex(folder, !options.hashWalk, false, workFile, context.load(), rows)
            .workFileOpened;
    });
    return commandStatus(status, unreadable || context.failed());
}

} // namespace vc
