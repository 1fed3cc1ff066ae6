#include "cache/LinksLoad.h"

#include "cache/LinksTable.h"
#include "documents/FolderWalk.h"
#include "tables/TableModel.h"

namespace vc {

namespace {
// A favorite is listed without its ".url".
constexpr int kFavoriteNameCut = 4;
} // namespace

void LoadLinks(const QString& favoritesFolder, const LoadContext& context, TableModel& table) {
    QList<QByteArray> lines;
    CollectFolderFiles(lines, favoritesFolder, QByteArray(), kFavoriteNameCut, context.filter);
    context.noteInputRead();
    BulkUpdate bulk(table);
    table.removeAllRows();
    table.clearHeaderImages();
    table.setHint(QString());
    FillLinksRows(lines, table, context.progress, context.share);
}

} // namespace vc
