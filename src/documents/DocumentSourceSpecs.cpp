#include "documents/DocumentSourceSpecs.h"

#include "documents/DocumentSources.h"
#include "evidence/Machine.h"
#include "evidence/SpecialFolders.h"
#include "evidence/UserProfile.h"
#include "language/TextIds.h"
#include "tables/TableColumns.h"
#include "thiscomputer/LinuxRecent.h"
#include "thiscomputer/LinuxTemp.h"
#include "thiscomputer/ThisComputer.h"

namespace vc {

namespace {

SourceOutcome loadRecentSource(const SourceInput& input, const LoadContext& context,
                               RowSink& rows) {
    SourceOutcome outcome;
    // The overall bar moves once for the whole list, at the end.
    LoadContext own = context;
    own.inputRead = {};
    if (input.user && input.user->isLinuxHome()) {
        loadLinuxRecentDocuments(*input.user, own, rows);
        return outcome;
    }
    if (!LoadRecentDocuments(input.user, GetSpecialFolder(input.user, FolderKind::RecentDir), own,
                             rows)) {
        // The report is made; the recall ends here.
        outcome.loaded = false;
        outcome.stopRun = true;
    }
    return outcome;
}

SourceOutcome loadTempSource(const SourceInput& input, const LoadContext& context, RowSink& rows) {
    if (input.user && input.user->isLinuxHome()) {
        // The Linux temporary folder is the machine's: listed once, with the
        // first user.
        const bool first = input.machine && !input.machine->users().empty() &&
                           input.machine->users().front().get() == input.user;
        loadLinuxTemporaryFiles(*input.user, first ? thisComputerPlaces().tempFolder : QString(),
                                context, rows);
        return {};
    }
    LoadTemporaryFiles(temporaryFolders(input.user), context, rows, sourceFiles(input));
    return {};
}

// The file a Recent or Temp row names: its path column.
QString linkAddressPath(const QByteArrayView* cells, int count, const UserProfile*) {
    return rowPathCell(cells, count, 4, CellEncoding::SourceCodePage);
}

} // namespace

SourceSpec recentSource() {
    return {"recent",
            "recent",
            'r',
            TextDocumentsTab,
            TextRecentTab,
            "docsR_ListView",
            {"docsR_TabSheet", "docsR_Label", "SearchCondLabel5", "docsR_BotPanel", "docsR__Memo",
             "docsR_FilePanel", "Panel1", "docsR_Image", 99, 99},
            &recentColumns,
            CellEncoding::SourceCodePage,
            SourceScope::User,
            TextRecords,
            -1,
            -1,
            true,
            true,
            &loadRecentSource,
            nullptr,
            &linkAddressPath};
}

SourceSpec tempSource() {
    return {"temp",
            "temp",
            't',
            TextDocumentsTab,
            TextTempTab,
            "docsT_ListView",
            {"docsT_TabSheet", "docsT_Label", "SearchCondLabel6", "docsT_BotPanel", "docsT_Memo",
             "docsT_FilePanel", "Panel4", "docsT_Image", 99, 99},
            &tempColumns,
            CellEncoding::SourceCodePage,
            SourceScope::User,
            TextFiles,
            -1,
            -1,
            false,
            false,
            &loadTempSource,
            nullptr,
            &linkAddressPath};
}

} // namespace vc
