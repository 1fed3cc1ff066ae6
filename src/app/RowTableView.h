#pragma once

#include "app/WindowLayer.h"

#include <QTableView>

namespace vc {

// The view of every table tab. The tables are lists of rows, and the keys
// do what they do in the list views users know: Home and End go to the
// first and the last row (in the column the cursor is in, so the table does
// not scroll sideways), Shift+Home and Shift+End select up to there, and
// Shift+F10 opens the row menu as the Menu key does.
//
// The table scrolls sideways by pixels: a narrower window, whose columns
// the table shares anew, then never leaves the header and the rows
// scrolled past their last column (which scrolling by whole columns did).
class RowTableView : public QTableView {
    Q_OBJECT
public:
    explicit RowTableView(QWidget* parent = nullptr);

Q_SIGNALS:
    // Enter or Return on the focused row (the timeline shows the row of its
    // event).
    void rowEntered();

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    // A row made current by the program (Find, Go to Line, a load) is the
    // only one selected and the anchor of a Shift selection, whatever keys
    // are held at that moment.
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace vc
