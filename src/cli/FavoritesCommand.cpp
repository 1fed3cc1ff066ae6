// vellacord favorites --profile DIR
#include "cache/LinksLoad.h"
#include "cli/CommandHelpers.h"
#include "cli/Commands.h"
#include "cli/TableOutput.h"
#include "platform/SpecialFolders.h"
#include "tables/TableColumns.h"

namespace vc {

int runFavoritesCommand(const CliOptions& options) {
    if (const int status = checkProfileArgument(options, "favorites"); status != kExitOk)
        return status;
    CommandProfile profile;
    if (!profile.open(options.profile))
        return kExitInput;
    const QString folder = GetSpecialFolder(FolderKind::FavoritesDir);
    CommandContext context;
    TableModel table(QStringLiteral("ieL_ListView"), linksColumns());
    return writeLoadedRows(table, options, folder, [&](RowSink& rows) {
        LoadLinks(folder, context.load(), rows);
        return true;
    });
}

} // namespace vc
