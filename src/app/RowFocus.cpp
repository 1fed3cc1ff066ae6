#include "app/RowFocus.h"

#include "app/MainWindow.h"

#include <QAbstractProxyModel>

namespace vc {

int focusedRow(const TableTab& t) {
    QModelIndex current = t.view->selectionModel()->currentIndex();
    // A view that shows the table through a proxy (a filter) gives the
    // proxy's row: the table's row is the one behind it.
    while (current.isValid() && current.model() != t.model) {
        const auto* proxy = qobject_cast<const QAbstractProxyModel*>(current.model());
        if (!proxy)
            return -1;
        current = proxy->mapToSource(current);
    }
    return current.isValid() ? current.row() : -1;
}

void focusRow(TableTab& t, int row) {
    if (row < 0 || row >= t.model->rows())
        return;
    QModelIndex index = t.model->index(row, 0);
    if (auto* proxy = qobject_cast<QAbstractProxyModel*>(t.view->model()))
        index = proxy->mapFromSource(index);
    if (!index.isValid())
        return;
    t.view->setFocus();
    // The view's own setCurrentIndex (not the selection model's) also makes
    // the row the anchor of Shift+arrow selections; the explicit selection
    // keeps the row alone selected whatever keys are held.
    t.view->setCurrentIndex(index);
    t.view->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect |
                                                QItemSelectionModel::Rows);
    t.view->scrollTo(index);
}

} // namespace vc
