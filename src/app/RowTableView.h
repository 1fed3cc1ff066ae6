#pragma once

#include "app/WindowLayer.h"

#include <QTableView>

namespace vc {

// The view of every table tab. The tables are lists of rows, and the keys
// do what they do in the list views users know: Home and End go to the
// first and the last row (in the column the cursor is in, so the table does
// not scroll sideways), Shift+Home and Shift+End select up to there, and
// Shift+F10 opens the row menu as the Menu key does.
class RowTableView : public QTableView {
    Q_OBJECT
public:
    using QTableView::QTableView;

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace vc
