// vellacord recent --profile DIR
#include "app/TableColumns.h"
#include "cli/Commands.h"
#include "cli/TableOutput.h"
#include "documents/DocumentSources.h"
#include "documents/LinesToTable.h"
#include "platform/Profile.h"

#include <cstdio>

namespace vc {

bool openCommandProfile(const QString& folder, Profile& profile) {
    QString error;
    if (!profile.open(folder, &error)) {
        std::fprintf(stderr, "vellacord: %s\n", qPrintable(error));
        return false;
    }
    if (!error.isEmpty())
        std::fprintf(stderr, "vellacord: warning: %s\n", qPrintable(error));
    setCurrentProfile(&profile);
    return true;
}

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
    TableModel table(QStringLiteral("docsR_ListView"), recentColumns());
    LinesToTable(lines, table, nullptr, 100);
    const int status = writeTableOutput(table, options, options.profile);
    setCurrentProfile(nullptr);
    return status;
}

} // namespace vc
