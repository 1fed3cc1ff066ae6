#include "browsers/BrowserSourceSpecs.h"

#include "browsers/BrowserColumns.h"
#include "browsers/BrowserLoad.h"
#include "language/TextIds.h"
#include "platform/Progress.h"
#include "tables/RowSink.h"

namespace vc {

namespace {

// Every database of the user's browser profiles that serves the table; a
// load without a user leaves it empty.
template <BrowserTable Table>
SourceOutcome loadBrowserSource(const SourceInput& input, const LoadContext& context,
                                RowSink& rows) {
    RowBatch batch(rows);
    rows.clearRows();
    if (!input.user) {
        if (context.progress)
            context.progress->raiseTo(progressStart(context.progress) + context.share);
        return {};
    }
    loadBrowserTable(Table, findBrowserDatabases(*input.user), context, rows);
    return {};
}

} // namespace

SourceSpec webHistorySource() {
    return {"web-history",
            "web-history",
            'w',
            TextBrowsersTab,
            TextHistoryTab,
            "webH_ListView",
            {"webH_TabSheet", "webH_Label", "SearchCondLabel7", "webH_BotPanel", "webH_Memo",
             "webH_FilePanel", "", "", 0, 0},
            &browserHistoryColumns,
            CellEncoding::Utf8,
            SourceScope::User,
            TextRecords,
            -1,
            -1,
            false,
            true,
            &loadBrowserSource<BrowserTable::History>,
            nullptr};
}

SourceSpec webDownloadsSource() {
    return {"web-downloads",
            "web-downloads",
            'd',
            TextBrowsersTab,
            TextDownloadsTab,
            "webD_ListView",
            {"webD_TabSheet", "webD_Label", "SearchCondLabel8", "webD_BotPanel", "webD_Memo",
             "webD_FilePanel", "webD_ImgPanel", "webD_Image", 99, 99},
            &browserDownloadColumns,
            CellEncoding::Utf8,
            SourceScope::User,
            TextRecords,
            -1,
            -1,
            false,
            true,
            &loadBrowserSource<BrowserTable::Downloads>,
            nullptr};
}

SourceSpec webCookiesSource() {
    return {"web-cookies",
            "web-cookies",
            'k',
            TextBrowsersTab,
            TextCookiesTab,
            "webK_ListView",
            {"webK_TabSheet", "webK_Label", "SearchCondLabel9", "webK_BotPanel", "webK_Memo",
             "webK_FilePanel", "", "", 0, 0},
            &browserCookieColumns,
            CellEncoding::Utf8,
            SourceScope::User,
            TextRecords,
            -1,
            -1,
            false,
            true,
            &loadBrowserSource<BrowserTable::Cookies>,
            nullptr};
}

} // namespace vc
