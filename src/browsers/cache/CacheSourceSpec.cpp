#include "browsers/cache/CacheSourceSpec.h"

#include "browsers/BrowserColumns.h"
#include "browsers/BrowserPlaces.h"
#include "browsers/cache/CacheBody.h"
#include "browsers/cache/CacheBodyName.h"
#include "browsers/cache/CacheDetail.h"
#include "browsers/cache/CacheLoad.h"
#include "evidence/EvidenceFiles.h"
#include "evidence/Machine.h"
#include "evidence/UserProfile.h"
#include "language/TextIds.h"
#include "platform/Progress.h"
#include "tables/RowSink.h"

namespace vc {

namespace {

SourceOutcome loadCacheSource(const SourceInput& input, const LoadContext& context, RowSink& rows) {
    RowBatch batch(rows);
    rows.clearRows();
    SourceOutcome outcome;
    if (input.user) {
        const EvidenceFiles& files = input.user->files();
        const BrowserCacheLoadResult result = loadBrowserCacheFolders(
            files,
            findBrowserCaches(files, EvidenceFiles::pathBytes(input.user->folder()),
                              browserPlacesOf(*input.user), input.user->isLinuxHome()),
            context, rows);
        outcome.found = result.caches > 0;
    } else {
        outcome.found = false;
    }
    if (context.progress)
        context.progress->raiseTo(progressStart(context.progress) + context.share);
    return outcome;
}

// The pane: the entry read again from its cache (every field, the response
// headers), and its body when it is a picture.
SourceRowView viewCacheRow(const TableModel& table, int row, const Machine* machine) {
    SourceRowView view;
    view.panel = table.cellText(row, kWebCacheUrl);
    const QList<QByteArray> cells = table.rowCells(row);
    if (!machine) {
        view.text = view.panel;
        return view;
    }
    view.text = webCacheDetailTextOfRow(machine->files(), cells);
    view.pictureName = cachedPictureName(table.cellText(row, kWebCacheContentType));
    if (!view.pictureName.isEmpty()) {
        const CachedBody body = readCachedBodyOfRow(machine->files(), cells);
        if (body.error.isEmpty())
            view.picture = body.bytes;
        else
            view.text += QLatin1Char('\n') + body.error;
    }
    return view;
}

} // namespace

QString cachedPictureName(const QString& contentType) {
    return isPictureContentType(contentType)
               ? QStringLiteral("body.") + contentTypeExtension(contentType)
               : QString();
}

SourceSpec webCacheSource() {
    return {"web-cache",
            "web-cache",
            'e',
            TextBrowsersTab,
            TextCacheTab,
            "webC_ListView",
            {"webC_TabSheet", "webC_Label", "SearchCondLabel10", "webC_BotPanel", "webC_Memo",
             "webC_FilePanel", "webC_ImgPanel", "webC_Image", 99, 99},
            &webCacheColumns,
            CellEncoding::Utf8,
            SourceScope::User,
            TextRecords,
            -1,
            -1,
            false,
            true,
            &loadCacheSource,
            &viewCacheRow};
}

} // namespace vc
