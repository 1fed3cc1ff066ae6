#include "cache/HistoryLoad.h"

#include "cache/HistoryTable.h"
#include "cache/IndexLoad.h"
#include "tables/RowSink.h"

namespace vc {

bool LoadHistory(const QStringList& indexFiles, bool linearScan, bool allFiles, WorkFile& workFile,
                 const LoadContext& context, RowSink& rows, const QTimeZone* machineZone,
                 const EvidenceFiles& files) {
    RowBatch batch(rows);
    rows.clearRows();
    const int n = int(indexFiles.size());
    const int half = context.share / 2;
    for (int k = 0; k < n; ++k) {
        const int share = k == 0 ? half : half / n;
        WalkOptions options{linearScan, context};
        options.context.share = share / 2;
        options.machineZone = machineZone;
        options.files = &files;
        if (!WalkIndexIntoWorkFile(workFile, indexFiles.at(k), options).workFileOpened)
            return false;
        context.noteInputRead();
        TextLines lines(workFile.fileName());
        FillHistoryRows(lines, rows, context.progress, share / 2);
        if (!allFiles)
            break;
    }
    return true;
}

} // namespace vc
