#include "cache/CookieLoad.h"

#include "cache/CookieTable.h"
#include "cache/CookieTextFile.h"
#include "cache/IndexLoad.h"
#include "platform/Progress.h"
#include "tables/RowSink.h"

#include <QFile>

namespace vc {

CookieFilesLoad LoadCookieTextFiles(const QString& folder, WorkFile& workFile,
                                    const LoadContext& context, RowSink& rows,
                                    const EvidenceFiles& files) {
    CookieFilesLoad result;
    const QStringList names = folder.isEmpty() ? QStringList() : ListCookieTextFiles(folder, files);
    result.fileCount = int(names.size());
    if (names.isEmpty()) {
        RowBatch batch(rows);
        rows.clearRows();
        return result;
    }
    if (!workFile.createOrEmpty()) {
        reportWorkFileFailure(workFile, context.report);
        result.workFileOpened = false;
        return result;
    }
    const int readShare = context.share / 2;
    const int start = progressStart(context.progress);
    const QString base = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    const int n = int(names.size());
    for (int i = 0; i < n; ++i) {
        const QString& name = names.at(i);
        ReadCookieFile(base + name, QFile::encodeName(name), *workFile.device(), context, files);
        if (context.progress)
            context.progress->raiseTo(start + int(double(i) / double(n) * readShare));
    }
    workFile.close();
    context.noteInputRead();
    if (context.progress)
        context.progress->raiseTo(start + readShare);
    RowBatch batch(rows);
    rows.clearRows();
    TextLines lines(workFile.fileName());
    FillCookieRowsFromFiles(lines, rows, context.progress, context.share - readShare);
    return result;
}

CookieIndexLoad LoadCookieIndex(const QString& folder, bool linearScan, bool replaceRows,
                                WorkFile& workFile, const LoadContext& context, RowSink& rows,
                                const EvidenceFiles& files) {
    CookieIndexLoad result;
    const QString indexFile = folder.isEmpty() ? QString() : FindCookieIndexFile(folder, files);
    if (indexFile.isEmpty())
        return result;
    result.found = true;
    WalkOptions options{linearScan, context};
    options.context.share = context.share / 2;
    options.files = &files;
    if (!WalkIndexIntoWorkFile(workFile, indexFile, options).workFileOpened) {
        result.workFileOpened = false;
        return result;
    }
    context.noteInputRead();
    RowBatch batch(rows);
    if (replaceRows)
        rows.clearRows();
    TextLines lines(workFile.fileName());
    FillCookieRowsFromIndex(lines, rows, result.fileNames, context.progress,
                            context.share - options.context.share);
    return result;
}

} // namespace vc
