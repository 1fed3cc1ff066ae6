// vellacord temp [--profile DIR]
#include "cli/CommandHelpers.h"
#include "cli/Commands.h"
#include "cli/TableOutput.h"
#include "documents/DocumentSources.h"
#include "tables/TableColumns.h"

#include <cstdio>

namespace vc {

int runTempCommand(const CliOptions& options) {
    if (!options.positional.isEmpty()) {
        std::fprintf(stderr, "vellacord: temp takes no FOLDER; use --profile DIR\n%s",
                     qPrintable(usageText()));
        return kExitUsage;
    }
    // Without a profile the Linux temporary folder is listed.
    CommandProfile profile;
    if (!options.profile.isEmpty() && !profile.open(options.profile))
        return kExitInput;
    CommandContext context;
    TableModel table(QStringLiteral("docsT_ListView"), tempColumns());
    return writeLoadedRows(table, options, options.profile, [&](RowSink& rows) {
        LoadTemporaryFiles(temporaryFolders(), context.load(), rows);
        return true;
    });
}

} // namespace vc
