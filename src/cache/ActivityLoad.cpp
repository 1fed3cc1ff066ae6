#include "cache/ActivityLoad.h"

#include "cache/ActivityTable.h"
#include "cache/IndexLoad.h"
#include "tables/TableModel.h"

namespace vc {

QString IndexFileCaption(const QString& indexFile, double version) {
    return indexFile + QStringLiteral(". ") + QString::asprintf("Version: %.1f", version);
}

ActivityLoad LoadActivity(const QString& indexFile, bool linearScan, WorkFile& workFile,
                          const LoadContext& context, TableModel& table) {
    WalkOptions options{linearScan, context};
    options.context.share = context.share / 2;
    const IndexLoadResult walked = WalkIndexIntoWorkFile(workFile, indexFile, options);
    if (!walked.workFileOpened)
        return {};
    context.noteInputRead();
    BulkUpdate bulk(table);
    clearTableForFill(table);
    FillActivityRows(workFile.readLines(), table, context.progress,
                     context.share - options.context.share);
    return {true, walked.version};
}

} // namespace vc
