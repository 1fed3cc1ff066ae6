// vellacord temp [--profile DIR]
#include "app/TableColumns.h"
#include "cli/Commands.h"
#include "cli/TableOutput.h"
#include "documents/DocumentSources.h"
#include "documents/LinesToTable.h"
#include "platform/Profile.h"

#include <cstdio>

namespace vc {

int runTempCommand(const CliOptions& options) {
    if (!options.positional.isEmpty()) {
        std::fprintf(stderr, "vellacord: temp takes no FOLDER; use --profile DIR\n%s",
                     qPrintable(usageText()));
        return kExitUsage;
    }
    // Without a profile the Linux temporary folder is listed.
    Profile profile;
    if (!options.profile.isEmpty() && !openCommandProfile(options.profile, profile))
        return kExitInput;
    QList<QByteArray> lines;
    collectTemporaryFiles(lines);
    TableModel table(QStringLiteral("docsT_ListView"), tempColumns());
    LinesToTable(lines, table, nullptr, 100);
    const int status = writeTableOutput(table, options, options.profile);
    setCurrentProfile(nullptr);
    return status;
}

} // namespace vc
