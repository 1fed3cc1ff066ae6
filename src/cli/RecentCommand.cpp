// vellacord recent --profile DIR
#include "app/TableColumns.h"
#include "cli/CommandHelpers.h"
#include "cli/Commands.h"
#include "documents/DocumentSources.h"
#include "platform/Profile.h"

#include <cstdio>

namespace vc {

int runRecentCommand(const CliOptions& options) {
    if (options.profile.isEmpty() || !options.positional.isEmpty()) {
        std::fprintf(stderr, "vellacord: recent needs --profile DIR\n%s", qPrintable(usageText()));
        return kExitUsage;
    }
    Profile profile;
    if (!openCommandProfile(options.profile, profile))
        return kExitInput;
    QList<QByteArray> lines;
    const MruReadResult mru = collectRecentDocuments(lines);
    if (!mru.ok) {
        std::fprintf(stderr, "vellacord: %s\n", qPrintable(mru.error));
        setCurrentProfile(nullptr);
        return kExitInput;
    }
    const int status =
        writeRowLinesTable(lines, QStringLiteral("docsR_ListView"), recentColumns(), options);
    setCurrentProfile(nullptr);
    return status;
}

} // namespace vc
