// vellacord recent --profile DIR
#include "cli/CommandHelpers.h"
#include "cli/Commands.h"
#include "cli/TableOutput.h"
#include "documents/DocumentSources.h"
#include "platform/SpecialFolders.h"
#include "tables/TableColumns.h"

namespace vc {

int runRecentCommand(const CliOptions& options) {
    if (const int status = checkProfileArgument(options, "recent"); status != kExitOk)
        return status;
    CommandProfile profile;
    if (!profile.open(options.profile))
        return kExitInput;
    CommandContext context;
    TableModel table(QStringLiteral("docsR_ListView"), recentColumns());
    if (!LoadRecentDocuments(GetSpecialFolder(FolderKind::RecentDir), context.load(), table))
        return kExitInput;
    // A shortcut or jump list that could not be read at all was named on
    // stderr; the table holds everything else.
    return commandStatus(writeTableOutput(table, options, options.profile), context.failed());
}

} // namespace vc
