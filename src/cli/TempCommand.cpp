// vellacord temp [--profile DIR]
#include "app/TableColumns.h"
#include "cli/CommandHelpers.h"
#include "cli/Commands.h"
#include "documents/DocumentSources.h"
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
    const int status =
        writeRowLinesTable(lines, QStringLiteral("docsT_ListView"), tempColumns(), options);
    setCurrentProfile(nullptr);
    return status;
}

} // namespace vc
