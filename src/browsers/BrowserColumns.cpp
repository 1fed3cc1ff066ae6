#include "browsers/BrowserColumns.h"

namespace vc {

std::vector<TableColumn> browserTableColumns(BrowserTable table) {
    switch (table) {
    case BrowserTable::History:
        return browserHistoryColumns();
    case BrowserTable::Downloads:
        return browserDownloadColumns();
    case BrowserTable::Cookies:
        break;
    }
    return browserCookieColumns();
}

int browserAccessTimeColumn(BrowserTable table) {
    switch (table) {
    case BrowserTable::History:
        return kHistoryVisitTime;
    case BrowserTable::Downloads:
        return kDownloadStartTime;
    case BrowserTable::Cookies:
        break;
    }
    return kCookieLastAccessed;
}

QString browserTableName(BrowserTable table) {
    switch (table) {
    case BrowserTable::History:
        return QStringLiteral("webH_ListView");
    case BrowserTable::Downloads:
        return QStringLiteral("webD_ListView");
    case BrowserTable::Cookies:
        break;
    }
    return QStringLiteral("webK_ListView");
}

std::unique_ptr<TableModel> makeBrowserTable(BrowserTable table) {
    auto model = std::make_unique<TableModel>(browserTableName(table), browserTableColumns(table));
    model->setCellEncoding(CellEncoding::Utf8);
    return model;
}

QString webCacheTableName() {
    return QStringLiteral("webC_ListView");
}

std::unique_ptr<TableModel> makeWebCacheTable() {
    auto model = std::make_unique<TableModel>(webCacheTableName(), webCacheColumns());
    model->setCellEncoding(CellEncoding::Utf8);
    return model;
}

} // namespace vc
