#include "cache/LinksLoad.h"

#include "cache/LinksTable.h"
#include "documents/FolderWalk.h"
#include "tables/LineFill.h"
#include "tables/RowSink.h"

namespace vc {

namespace {
// A favorite is listed without its ".url".
constexpr int kFavoriteNameCut = 4;
} // namespace

void LoadLinks(const QString& favoritesFolder, const LoadContext& context, RowSink& rows,
               const EvidenceFiles& files) {
    QList<QByteArray> lines;
    CollectFolderFiles(lines, favoritesFolder, QByteArray(), kFavoriteNameCut, context.filter,
                       files);
    context.noteInputRead();
    RowBatch batch(rows);
    rows.clearRows();
    ListLines source(lines);
    FillLinksRows(source, rows, context.progress, context.share, files);
}

} // namespace vc
