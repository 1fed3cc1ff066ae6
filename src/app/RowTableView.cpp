#include "app/RowTableView.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace vc {

RowTableView::RowTableView(QWidget* parent) : QTableView(parent) {
    setHorizontalScrollMode(ScrollPerPixel);
}

QModelIndex RowTableView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    if ((action != MoveHome && action != MoveEnd) || !model() || model()->rowCount() == 0)
        return QTableView::moveCursor(action, modifiers);
    const QModelIndex current = currentIndex();
    const int column = current.isValid() ? current.column() : horizontalHeader()->logicalIndexAt(0);
    const int row = action == MoveHome ? 0 : model()->rowCount() - 1;
    return model()->index(row, column < 0 ? 0 : column);
}

QItemSelectionModel::SelectionFlags RowTableView::selectionCommand(const QModelIndex& index,
                                                                   const QEvent* event) const {
    if (!event && selectionMode() == ExtendedSelection)
        return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
    return QTableView::selectionCommand(index, event);
}

void RowTableView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier &&
        contextMenuPolicy() == Qt::CustomContextMenu) {
        // Where the Menu key opens it: at the focused row, else at the
        // table's top.
        const QModelIndex current = currentIndex();
        QPoint at(0, 0);
        if (current.isValid()) {
            const QRect cell = visualRect(current);
            at = QPoint(qBound(0, cell.center().x(), viewport()->width() / 2), cell.center().y());
        }
        Q_EMIT customContextMenuRequested(at);
        event->accept();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        event->modifiers() == Qt::NoModifier && currentIndex().isValid()) {
        Q_EMIT rowEntered();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

} // namespace vc
