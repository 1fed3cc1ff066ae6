// Sorting by a click on a column header: the first click on a column sorts
// it ascending, the next one on the same column reverses the order.
#include "app/BusyCursor.h"
#include "app/WindowTabs.h"
#include "platform/TimeText.h"
#include "tables/SortOrder.h"
#include "tables/SortState.h"
#include "tables/ui/HandlerPause.h"
#include "tables/ui/SortSettings.h"
#include "tables/ui/TableToolActions.h"

#include <QHeaderView>

namespace vc {

void SortTableByColumn(WindowTabs& tabs, const SortSettings& settings, TabId id, int column) {
    TableTab& t = tabs.tab(id);
    TableModel* table = t.model;
    if (table->rows() == 0 || column < 0 || column >= table->columns())
        return;

    const QModelIndex current = t.view->selectionModel()->currentIndex();
    const int rememberedRow = current.isValid() ? table->storedRow(current.row()) : -1;

    BusyCursor busy;
    HandlerPause pause(tabs, id);

    const SortState state = nextSortState(readSortState(table->hint()), column);
    for (int c = 0; c < table->columns(); ++c)
        if (c != column)
            table->setHeaderImage(c, -1);
    table->setHeaderImage(column,
                          state.ascending ? settings.SortIconIndex + 1 : settings.SortIconIndex);
    table->setHint(sortStateHint(state));

    const DateSortRules rules{
        dateTimeFormat(), settings.UnconvertedTimeText,
        QDate(settings.SortBaseDate[0], settings.SortBaseDate[1], settings.SortBaseDate[2])};
    const std::vector<int> order = sortedRowOrder(*table, column, state.ascending, rules);
    table->applyOrder(order);

    // The row selected before the sort stays selected and in view at its new
    // place.
    if (rememberedRow >= 0) {
        int newRow = -1;
        for (size_t i = 0; i < order.size(); ++i)
            if (order[i] == rememberedRow) {
                newRow = table->shownRow(int(i));
                break;
            }
        if (newRow >= 0) {
            const QModelIndex index = table->index(newRow, 0);
            t.view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                                 QItemSelectionModel::Rows);
            t.view->scrollTo(index);
        }
    }
}

} // namespace vc
