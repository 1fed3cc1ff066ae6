#pragma once

#include "app/WindowLayer.h"

#include <QList>
#include <QObject>

#include <vector>

class QTableView;

namespace vc {

class TableModel;

// Keeps a table's columns sharing the width of its view: on the table's
// first show, after every fill, on every resize of the view and after a
// change of the captions. Hidden columns take no part. A column is never made narrower than its
// caption (with room for the sort mark) or, in a date column, than a time text; where those do not
// fit, the table scrolls sideways.
//
// Once the user has resized a column (or widths were restored from the
// settings), the table's widths are the user's: fills and resizes keep them,
// until fitToView() is asked for again.
class ColumnFit : public QObject {
    Q_OBJECT

public:
    ColumnFit(QTableView* view, TableModel* model);

    // Lays the columns out by their shares now, unless the user sized them.
    void fit();
    // Lays them out by their shares and forgets the user's widths.
    void fitToView();
    bool userSized() const { return m_userSized; }
    QList<int> widths() const;
    // Sets widths kept from an earlier run (ignored when the number of
    // columns differs or a width is not positive); they count as the user's.
    bool restoreWidths(const QList<int>& widths);
    // Hides or shows a column: the shown columns share the width again,
    // unless the user sized them, and a column shown again gets back the
    // width it had.
    void setColumnHidden(int column, bool hidden);
    // The narrowest readable width of each column.
    std::vector<int> readableWidths() const;
    // The width the columns share: the view's, less a vertical scroll bar
    // when the rows need one.
    int sharedWidth() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void apply(const QList<int>& widths);
    void fitLater();

    QTableView* m_view;
    TableModel* m_model;
    bool m_userSized = false;
    bool m_applying = false;
    bool m_resetting = false;
    bool m_fitPending = false;
    QList<int> m_kept; // the user's widths across a refill
};

} // namespace vc
