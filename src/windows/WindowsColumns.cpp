#include "windows/WindowsColumns.h"

namespace vc {

std::vector<TableColumn> windowsTableColumns(WindowsTable table) {
    switch (table) {
    case WindowsTable::Folders:
        return folderColumns();
    case WindowsTable::Programs:
        return programColumns();
    case WindowsTable::Typed:
        return typedColumns();
    case WindowsTable::Deleted:
        return deletedColumns();
    case WindowsTable::Timeline:
        break;
    }
    return timelineColumns();
}

int windowsFilterDateColumn(WindowsTable table) {
    switch (table) {
    case WindowsTable::Folders:
        return kFolderKeyWritten;
    case WindowsTable::Programs:
        return kProgramLastRun;
    case WindowsTable::Typed:
        return kTypedTime;
    case WindowsTable::Deleted:
        return kDeletedTime;
    case WindowsTable::Timeline:
        break;
    }
    return kActivityStart;
}

QString windowsTableName(WindowsTable table) {
    switch (table) {
    case WindowsTable::Folders:
        return QStringLiteral("winF_ListView");
    case WindowsTable::Programs:
        return QStringLiteral("winP_ListView");
    case WindowsTable::Typed:
        return QStringLiteral("winT_ListView");
    case WindowsTable::Deleted:
        return QStringLiteral("winD_ListView");
    case WindowsTable::Timeline:
        break;
    }
    return QStringLiteral("winL_ListView");
}

std::unique_ptr<TableModel> makeWindowsTable(WindowsTable table) {
    auto model = std::make_unique<TableModel>(windowsTableName(table), windowsTableColumns(table));
    model->setCellEncoding(CellEncoding::Utf8);
    return model;
}

} // namespace vc
