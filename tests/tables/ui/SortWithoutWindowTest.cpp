// Sorting by a header click needs only the window's tabs and the sort
// settings: driven here against a small stand-in for the tabs, with no main
// window made.
#include "app/WindowTabs.h"
#include "evidence/Sources.h"
#include "platform/TimeText.h"
#include "tables/ui/SortSettings.h"
#include "tables/ui/TableToolActions.h"

#include <QDateTime>
#include <QItemSelectionModel>
#include <QTableView>

#include <gtest/gtest.h>

#include <memory>

using namespace vc;

namespace {

// One table tab behind every id; records what the sort asked of the window.
class OneTableTabs : public WindowTabs {
public:
    OneTableTabs() {
        const SourceSpec& recent = sourceAt(int(TabId::Recent));
        model = std::make_unique<TableModel>(QStringLiteral("Stand_In"), sourceColumns(recent));
        view = std::make_unique<QTableView>();
        view->setModel(model.get());
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        table.model = model.get();
        table.view = view.get();
    }

    TableTab& tab(TabId) override { return table; }
    const TableTab& tab(TabId) const override { return table; }
    TableTab* tabOf(const TableModel* m) override { return m == table.model ? &table : nullptr; }
    TabId currentTabId() const override { return TabId::Recent; }
    QWidget* outerPageInFront() const override { return nullptr; }
    QString currentTabCaption() const override { return QString(); }
    void showTab(TabId) override { calls << QStringLiteral("show"); }
    void selectFirstRow(TabId) override { calls << QStringLiteral("first"); }
    void setConditionText(TabId, const QString&) override { calls << QStringLiteral("conditions"); }
    void detachChangeHandler(TabId) override {
        calls << QStringLiteral("detach");
        table.handlerAttached = false;
    }
    void attachChangeHandler(TabId) override {
        calls << QStringLiteral("attach");
        table.handlerAttached = true;
    }
    TableModel* UpdateTabState() override {
        calls << QStringLiteral("update");
        return table.model;
    }
    void ClearPane(QWidget*) override { calls << QStringLiteral("clear"); }

    std::unique_ptr<TableModel> model;
    std::unique_ptr<QTableView> view;
    TableTab table;
    QStringList calls;
};

// The time pattern the rows are written in, for as long as the test runs:
// the sort reads date texts back with it.
class PatternGuard {
public:
    explicit PatternGuard(const QString& pattern) : m_old(dateTimeFormat()) {
        setDateTimeFormat(pattern);
    }
    ~PatternGuard() { setDateTimeFormat(m_old); }
    PatternGuard(const PatternGuard&) = delete;
    PatternGuard& operator=(const PatternGuard&) = delete;

private:
    QString m_old;
};

int currentRow(const TableTab& t) {
    const QModelIndex current = t.view->selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

} // namespace

TEST(SortWithoutWindow, SortsByTheSettingsGivenAndPausesOnlyTheHandler) {
    const PatternGuard pattern(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    OneTableTabs tabs;
    TableModel& table = *tabs.model;
    // Last-access times an hour apart, running backwards, with an empty
    // time and this run's unconverted-time text among them.
    table.beginBulkUpdate();
    for (int i = 0; i < 50; ++i) {
        QByteArray access = QDateTime(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC)
                                .addSecs(qint64(50 - i) * 3600)
                                .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                                .toLatin1();
        if (i == 3)
            access = "n/a";
        else if (i == 4)
            access = QByteArray();
        table.appendRow({"name" + QByteArray::number(i), ".doc", "2001-01-01 00:00:00", access,
                         "C:/x/" + QByteArray::number(i)});
    }
    table.endBulkUpdate();

    // Settings other than the window's defaults: a substitute date after
    // every real one, another unconverted text and another header mark.
    SortSettings settings;
    settings.UnconvertedTimeText = "n/a";
    settings.SortBaseDate[0] = 2100;
    settings.SortIconIndex = 4;

    tabs.view->selectionModel()->setCurrentIndex(
        table.index(10, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    tabs.calls.clear();
    SortTableByColumn(tabs, settings, TabId::Recent, 3);
    // Ascending: the dated rows from the oldest, then the empty time (the
    // base date), then the unconverted one (a day after it).
    EXPECT_EQ(table.cell(0, 0), QByteArray("name49"));
    EXPECT_EQ(table.cell(47, 0), QByteArray("name0"));
    EXPECT_EQ(table.cell(48, 0), QByteArray("name4"));
    EXPECT_EQ(table.cell(49, 0), QByteArray("name3"));
    EXPECT_EQ(table.headerImage(3), 5);
    EXPECT_EQ(table.headerImage(0), -1);
    // The selected row follows its row.
    EXPECT_EQ(table.cell(currentRow(tabs.table), 0), QByteArray("name10"));
    // The window was asked to pause the pane's handler and nothing else.
    EXPECT_EQ(tabs.calls, QStringList({QStringLiteral("detach"), QStringLiteral("attach")}));
    EXPECT_TRUE(tabs.table.handlerAttached);

    // The second click reverses the order with the other mark; a handler
    // detached before the sort stays detached after it.
    tabs.table.handlerAttached = false;
    tabs.calls.clear();
    SortTableByColumn(tabs, settings, TabId::Recent, 3);
    EXPECT_EQ(table.cell(0, 0), QByteArray("name3"));
    EXPECT_EQ(table.cell(1, 0), QByteArray("name4"));
    EXPECT_EQ(table.cell(49, 0), QByteArray("name49"));
    EXPECT_EQ(table.headerImage(3), 4);
    EXPECT_EQ(table.cell(currentRow(tabs.table), 0), QByteArray("name10"));
    EXPECT_EQ(tabs.calls, QStringList({QStringLiteral("detach")}));
    EXPECT_FALSE(tabs.table.handlerAttached);

    // A column out of range or an empty table: nothing asked, nothing moved.
    tabs.calls.clear();
    SortTableByColumn(tabs, settings, TabId::Recent, table.columns());
    EXPECT_TRUE(tabs.calls.isEmpty());
    EXPECT_EQ(table.cell(0, 0), QByteArray("name3"));
}
