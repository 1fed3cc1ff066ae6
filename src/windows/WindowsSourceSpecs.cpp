#include "windows/WindowsSourceSpecs.h"

#include "documents/shell/KnownFolders.h"
#include "evidence/EvidenceFiles.h"
#include "evidence/Machine.h"
#include "evidence/UserProfile.h"
#include "language/TextIds.h"
#include "platform/Progress.h"
#include "tables/RowSink.h"
#include "thiscomputer/ShellHistory.h"
#include "thiscomputer/ThisComputer.h"
#include "thiscomputer/Trash.h"
#include "windows/DeletedFilesLoad.h"
#include "windows/FoldersLoad.h"
#include "windows/ProgramsLoad.h"
#include "windows/TimelineLoad.h"
#include "windows/TypedLoad.h"
#include "windows/UserHives.h"
#include "windows/WindowsColumns.h"
#include "windows/WindowsDetails.h"

#include <QHash>

namespace vc {

namespace {

// Every load of these tables ends by moving the bar to the end of its share,
// whatever the readers reported on the way.
void finishShare(const LoadContext& context) {
    if (context.progress)
        context.progress->raiseTo(progressStart(context.progress) + context.share);
}

SourceOutcome outcomeOf(const WindowsLoadResult& result) {
    SourceOutcome outcome;
    outcome.found = result.inputs > 0;
    return outcome;
}

SourceOutcome loadFoldersSource(const SourceInput& input, const LoadContext& context,
                                RowSink& rows) {
    RowBatch batch(rows);
    rows.clearRows();
    WindowsLoadResult result;
    if (input.user) {
        UserHives hives;
        hives.ntUser = input.user->userHive();
        hives.usrClass = input.user->classesHive();
        hives.locations = KnownFolderLocations::fromProfile(*input.user);
        result = loadFoldersOpened(hives, context, rows);
    }
    finishShare(context);
    return outcomeOf(result);
}

// A user's UserAssist entries, or (the load without a user) the volume's
// Prefetch files.
SourceOutcome loadProgramsSource(const SourceInput& input, const LoadContext& context,
                                 RowSink& rows) {
    RowBatch batch(rows);
    rows.clearRows();
    WindowsLoadResult result;
    if (input.user) {
        if (const Hive* hive = input.user->userHive())
            result = loadUserAssist(*hive, KnownFolderLocations::fromProfile(*input.user), context,
                                    rows);
    } else if (input.machine && !input.machine->root().isEmpty()) {
        result = loadPrefetch(input.machine->files(),
                              EvidenceFiles::pathBytes(input.machine->root()), context, rows);
    }
    finishShare(context);
    return outcomeOf(result);
}

SourceOutcome loadTypedSource(const SourceInput& input, const LoadContext& context, RowSink& rows) {
    RowBatch batch(rows);
    rows.clearRows();
    WindowsLoadResult result;
    if (input.user && input.user->isLinuxHome())
        result = loadShellHistories(*input.user, context, rows);
    else if (input.user)
        if (const Hive* hive = input.user->userHive())
            result = loadTypedEntries(*hive, context, rows);
    finishShare(context);
    return outcomeOf(result);
}

SourceOutcome loadDeletedSource(const SourceInput& input, const LoadContext& context,
                                RowSink& rows) {
    RowBatch batch(rows);
    rows.clearRows();
    WindowsLoadResult result;
    if (input.machine && input.machine->kind() == Machine::Kind::ThisComputer) {
        // The trash of each home and of each mounted volume.
        result = loadThisComputerTrash(*input.machine, thisComputerPlaces(), context, rows);
    } else if (input.machine && !input.machine->root().isEmpty()) {
        // The users the machine knows by SID name the owners of the bins.
        QHash<QString, QString> userNames;
        for (const std::unique_ptr<UserProfile>& user : input.machine->users())
            if (!user->sid().isEmpty())
                userNames.insert(user->sid().toUpper(), user->name());
        result = loadDeletedFiles(input.machine->files(),
                                  EvidenceFiles::pathBytes(input.machine->root()), userNames,
                                  context, rows);
    }
    finishShare(context);
    return outcomeOf(result);
}

SourceOutcome loadTimelineSource(const SourceInput& input, const LoadContext& context,
                                 RowSink& rows) {
    RowBatch batch(rows);
    rows.clearRows();
    WindowsLoadResult result;
    if (input.user)
        result = loadTimeline(input.user->files(), EvidenceFiles::pathBytes(input.user->folder()),
                              KnownFolderLocations::fromProfile(*input.user), context, rows);
    finishShare(context);
    return outcomeOf(result);
}

// The pane of a row: every field by its caption and what the table adds
// (WindowsDetails.h); a Deleted files row names its recycled file while the
// bin still holds it.
template <WindowsTable Table>
SourceRowView viewWindowsRow(const TableModel& table, int row, const Machine* machine) {
    SourceRowView view;
    const EvidenceFiles* files = machine ? &machine->files() : nullptr;
    view.text = windowsRowDetail(Table, table, row, files);
    view.panel = table.cellText(row, 0);
    if (Table == WindowsTable::Deleted && files)
        if (const std::optional<QByteArray> file = recycledFileOfRow(*files, table, row))
            view.file = *file;
    return view;
}

// The widgets of a Windows table's tab, named after its table ("winF").
SourceWidgets widgetsOf(const char* sheet, const char* label, const char* condition,
                        const char* pane, const char* memo, const char* filePanel) {
    return {sheet, label, condition, pane, memo, filePanel, "", "", 0, 0};
}

} // namespace

SourceSpec foldersOpenedSource() {
    return {"win-folders",
            "win-folders",
            'o',
            TextWindowsTab,
            TextFoldersOpened,
            "winF_ListView",
            widgetsOf("winF_TabSheet", "winF_Label", "SearchCondLabel11", "winF_BotPanel",
                      "winF_Memo", "winF_FilePanel"),
            &folderColumns,
            CellEncoding::Utf8,
            SourceScope::User,
            TextRecords,
            -1,
            -1,
            false,
            true,
            &loadFoldersSource,
            &viewWindowsRow<WindowsTable::Folders>};
}

SourceSpec programsRunSource() {
    return {"win-programs",
            "win-programs",
            'p',
            TextWindowsTab,
            TextProgramsRun,
            "winP_ListView",
            widgetsOf("winP_TabSheet", "winP_Label", "SearchCondLabel12", "winP_BotPanel",
                      "winP_Memo", "winP_FilePanel"),
            &programColumns,
            CellEncoding::Utf8,
            SourceScope::UserAndMachine,
            TextRecords,
            -1,
            -1,
            false,
            true,
            &loadProgramsSource,
            &viewWindowsRow<WindowsTable::Programs>};
}

SourceSpec typedEntriesSource() {
    return {"win-typed",
            "win-typed",
            'y',
            TextWindowsTab,
            TextTypedAndSearched,
            "winT_ListView",
            widgetsOf("winT_TabSheet", "winT_Label", "SearchCondLabel13", "winT_BotPanel",
                      "winT_Memo", "winT_FilePanel"),
            &typedColumns,
            CellEncoding::Utf8,
            SourceScope::User,
            TextRecords,
            -1,
            -1,
            false,
            true,
            &loadTypedSource,
            &viewWindowsRow<WindowsTable::Typed>};
}

SourceSpec deletedFilesSource() {
    return {"win-deleted",
            "win-deleted",
            'b',
            TextWindowsTab,
            TextDeletedFiles,
            "winD_ListView",
            // The recycled file (a picture in the trash) is previewed.
            {"winD_TabSheet", "winD_Label", "SearchCondLabel14", "winD_BotPanel", "winD_Memo",
             "winD_FilePanel", "winD_ImgPanel", "winD_Image", 99, 99},
            &deletedColumns,
            CellEncoding::Utf8,
            SourceScope::Machine,
            TextRecords,
            -1,
            -1,
            false,
            true,
            &loadDeletedSource,
            &viewWindowsRow<WindowsTable::Deleted>};
}

SourceSpec windowsTimelineSource() {
    return {"win-timeline",
            "win-timeline",
            'n',
            TextWindowsTab,
            TextWindowsTimeline,
            "winL_ListView",
            widgetsOf("winL_TabSheet", "winL_Label", "SearchCondLabel15", "winL_BotPanel",
                      "winL_Memo", "winL_FilePanel"),
            &timelineColumns,
            CellEncoding::Utf8,
            SourceScope::User,
            TextRecords,
            -1,
            -1,
            false,
            true,
            &loadTimelineSource,
            &viewWindowsRow<WindowsTable::Timeline>};
}

bool windowsTableOfSource(const SourceSpec& decl, WindowsTable* table) {
    static const struct {
        const char* name;
        WindowsTable table;
    } kTables[] = {{"win-folders", WindowsTable::Folders},
                   {"win-programs", WindowsTable::Programs},
                   {"win-typed", WindowsTable::Typed},
                   {"win-deleted", WindowsTable::Deleted},
                   {"win-timeline", WindowsTable::Timeline}};
    for (const auto& entry : kTables)
        if (qstrcmp(decl.name, entry.name) == 0) {
            *table = entry.table;
            return true;
        }
    return false;
}

} // namespace vc
