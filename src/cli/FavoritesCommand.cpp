// vellacord favorites --profile DIR
#include "app/TableColumns.h"
#include "cache/LinksTable.h"
#include "cli/Commands.h"
#include "cli/TableOutput.h"
#include "documents/FolderWalk.h"
#include "platform/Profile.h"
#include "platform/SpecialFolders.h"

#include <cstdio>

namespace vc {

int runFavoritesCommand(const CliOptions& options) {
    if (options.profile.isEmpty() || !options.positional.isEmpty()) {
        std::fprintf(stderr, "vellacord: favorites needs --profile DIR\n%s",
                     qPrintable(usageText()));
        return kExitUsage;
    }
    Profile profile;
    if (!openCommandProfile(options.profile, profile))
        return kExitInput;
    const QString folder = GetSpecialFolder(FolderKind::FavoritesDir);
    QList<QByteArray> lines;
    // A favorite is listed without its ".url".
    CollectFolderFiles(lines, folder, QByteArray(), 4);
    TableModel table(QStringLiteral("ieL_ListView"), linksColumns());
    table.beginBulkUpdate();
    FillLinksRows(lines, table, nullptr, 100);
    table.endBulkUpdate();
    const int status = writeTableOutput(table, options, folder);
    setCurrentProfile(nullptr);
    return status;
}

} // namespace vc
