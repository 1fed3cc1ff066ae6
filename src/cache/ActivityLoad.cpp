#include "cache/ActivityLoad.h"

#include "cache/ActivityTable.h"
#include "cache/IndexLoad.h"
#include "tables/RowSink.h"

namespace vc {

QString IndexFileCaption(const QString& indexFile, double version) {
    return indexFile + QStringLiteral(". ") + QString::asprintf("Version: %.1f", version);
}

ActivityLoad LoadActivity(const QString& indexFile, bool linearScan, WorkFile& workFile,
                          const LoadContext& context, RowSink& rows, const EvidenceFiles& files) {
    WalkOptions options{linearScan, context};
    options.files = &files;
    options.context.share = context.share / 2;
    const IndexLoadResult walked = WalkIndexIntoWorkFile(workFile, indexFile, options);
    if (!walked.workFileOpened)
        return {};
    context.noteInputRead();
    RowBatch batch(rows);
    rows.clearRows();
    TextLines lines(workFile.fileName());
    FillActivityRows(lines, rows, context.progress, context.share - options.context.share);
    return {true, walked.version};
}

} // namespace vc
