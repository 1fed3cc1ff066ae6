#pragma once

#include "app/WindowLayer.h"

#include <QObject>
#include <QString>

#include <vector>

class QMenu;
class QTableView;

namespace vc {

class ColumnFit;
class TableModel;

// Which columns of a table are shown and in what order: the user hides and
// shows them with the check boxes of the header's menu and drags them into
// another order. The table model learns every change (shownColumns), so
// that the exports and the copy write the columns as they are shown, and the
// filter looks in the shown ones only. The layout is kept as a text between
// runs: the column numbers in their shown order, a hidden one followed by
// "h" ("2,0,1h,3").
class ColumnLayout : public QObject {
    Q_OBJECT

public:
    ColumnLayout(QTableView* view, TableModel* model, ColumnFit* fit);

    // The header menu's entries: a check box for each column in the shown
    // order (the last shown column cannot be hidden), then "Show every
    // column in its order".
    void addMenuEntries(QMenu* menu);
    void setColumnShown(int column, bool shown);
    void showEveryColumn();
    // The columns shown, in their order.
    std::vector<int> shownColumns() const;

    // Every column shown, in its own order.
    bool isDefault() const;
    QString savedText() const;
    // Puts back a kept layout; false (and nothing changed) when the text
    // does not name each of the table's columns once.
    bool restore(const QString& text);

private:
    void tellModel();

    QTableView* m_view;
    TableModel* m_model;
    ColumnFit* m_fit;
};

} // namespace vc
