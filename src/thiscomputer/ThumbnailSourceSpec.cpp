#include "thiscomputer/ThumbnailSourceSpec.h"

#include "evidence/EvidenceFiles.h"
#include "evidence/Machine.h"
#include "evidence/UserProfile.h"
#include "language/TextIds.h"
#include "platform/Progress.h"
#include "tables/RowSink.h"
#include "thiscomputer/Thumbnails.h"
#include "windows/WindowsDetails.h"

namespace vc {

namespace {

SourceOutcome loadThumbnailSource(const SourceInput& input, const LoadContext& context,
                                  RowSink& rows) {
    RowBatch batch(rows);
    rows.clearRows();
    SourceOutcome outcome;
    outcome.found = false;
    if (input.user && input.user->isLinuxHome())
        outcome.found =
            loadThumbnails(input.user->files(), EvidenceFiles::pathBytes(input.user->folder()),
                           context, rows)
                .inputs > 0;
    if (context.progress)
        context.progress->raiseTo(progressStart(context.progress) + context.share);
    return outcome;
}

// The pane: every field by its caption; the preview shows the thumbnail
// itself, so that a picture since deleted can still be seen.
SourceRowView viewThumbnailRow(const TableModel& table, int row, const Machine* machine) {
    SourceRowView view;
    view.text = rowFieldsDetail(table, row);
    view.panel = table.cellText(row, kThumbOriginalAddress);
    const QByteArray file = EvidenceFiles::pathBytes(table.cellText(row, kThumbFile));
    if (machine && !file.isEmpty() && machine->files().entry(file))
        view.file = file;
    return view;
}

} // namespace

SourceSpec thumbnailsSource() {
    return {"thumbnails",
            "thumbnails",
            'm',
            TextDocumentsTab,
            TextThumbnailsTab,
            "docsN_ListView",
            {"docsN_TabSheet", "docsN_Label", "SearchCondLabel16", "docsN_BotPanel", "docsN_Memo",
             "docsN_FilePanel", "docsN_ImgPanel", "docsN_Image", 99, 99},
            &thumbnailColumns,
            CellEncoding::Utf8,
            SourceScope::User,
            TextRecords,
            -1,
            -1,
            false,
            true,
            &loadThumbnailSource,
            &viewThumbnailRow};
}

} // namespace vc
