#pragma once

#include "app/WindowLayer.h"

#include "evidence/Sources.h"
#include "tables/TableModel.h"

#include <QLabel>
#include <QString>
#include <QTableView>

namespace vc {

class ColumnFit;
class ColumnLayout;
class DetailPane;
class TableFilterBar;

// What every table tab of the main window is made of.
struct TableTab {
    QWidget* sheet = nullptr;     // the inner tab page
    QLabel* countLabel = nullptr; // "Records: n" and the like
    QLabel* condLabel = nullptr;  // the recall conditions that produced the rows
    QTableView* view = nullptr;
    TableModel* model = nullptr;
    DetailPane* pane = nullptr;
    ColumnFit* columns = nullptr; // keeps the columns sharing the table's width
    bool handlerAttached = true;  // whether selecting a row fills the pane
    QString conditions;           // what condLabel shows

    ColumnLayout* columnLayout = nullptr; // the columns shown and their order
    TableFilterBar* filter = nullptr;     // the filter box above the table
};

// The table tabs are the sources of the catalogue, in its order; the
// program's first nine have names of their own.
enum class TabId {
    Activity = 0,
    History,
    Cookie,
    Links,
    Recent,
    Temp,
    WebHistory,
    WebDownloads,
    WebCookies
};
constexpr int kTableTabCount = kSourceCount;
// The sources after the program's first nine, whose tabs have no names of
// their own here: the window gives each a load in its group's menu.
constexpr int kFirstLaterSource = int(TabId::WebCookies) + 1;
// After the sources' tabs, the table of the top-level "Timeline" tab: every
// time of every source's table, one event a row.
constexpr TabId kTimelineTab = TabId(kSourceCount);
constexpr int kAllTableTabCount = kSourceCount + 1;

// The table tabs of the main window as a feature sees them: each tab's
// table, pane and labels, which one is in front, and the bookkeeping after
// its rows changed. Sorting, filtering and pausing the selection handler
// need no more of the window than this.
class WindowTabs {
public:
    virtual ~WindowTabs() = default;

    virtual TableTab& tab(TabId id) = 0;
    virtual const TableTab& tab(TabId id) const = 0;
    // The tab whose table that is; nullptr for none.
    virtual TableTab* tabOf(const TableModel* model) = 0;
    virtual TabId currentTabId() const = 0;
    // The outer tab page in front (a group's page or the Timeline tab).
    virtual QWidget* outerPageInFront() const = 0;
    // The current tab's title: the outer and the inner tab's captions joined
    // by ": ".
    virtual QString currentTabCaption() const = 0;
    // Brings a table tab to the front (outer and inner page).
    virtual void showTab(TabId id) = 0;
    // Focuses the table and selects its first row, if any.
    virtual void selectFirstRow(TabId id) = 0;
    // The conditions shown above a table (empty: none).
    virtual void setConditionText(TabId id, const QString& text) = 0;
    // Detaches or re-attaches the pane-filling selection handler of a tab.
    virtual void detachChangeHandler(TabId id) = 0;
    virtual void attachChangeHandler(TabId id) = 0;
    // After a table's rows or the tab in front changed: the menus enabled
    // as the table in front allows. Returns that table; nullptr when no
    // table tab is in front.
    virtual TableModel* UpdateTabState() = 0;
    // Empties a detail pane.
    virtual void ClearPane(QWidget* panel) = 0;
};

} // namespace vc
