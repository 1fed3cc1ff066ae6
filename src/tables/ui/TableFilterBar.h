#pragma once

#include "app/WindowLayer.h"

#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;

namespace vc {

class TableModel;
class WindowTabs;
enum class TabId;

// The filter box above a table: every keystroke keeps the rows that hold
// the typed text in a shown column (TableModel::setFilterText), the tab's
// count label says how many of all are shown ("Records: 5 of 42"), and
// Escape empties the box. The focused row stays focused while it is shown;
// otherwise the first row shown becomes the focused one, so that the pane,
// the copy, the exports and the file actions act on rows the user sees.
// What the recall loads is not changed: the filter only hides rows.
class TableFilterBar : public QWidget {
    Q_OBJECT

public:
    TableFilterBar(WindowTabs& form, TabId id, QWidget* parent = nullptr);

    QLineEdit* box() const { return m_box; }
    void applyInterfaceTexts();
    // The time texts changed (another zone or pattern): the table shows
    // them, and a set filter keeps the rows that hold its text now, with the
    // count label and the focused row following.
    void timesChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void filter(const QString& text);
    // Changes which rows are shown, keeping the focused row where it stays
    // shown and writing the new count into the count label.
    void changeRowsShown(const std::function<void(TableModel&)>& change);

    WindowTabs& m_form;
    TabId m_id;
    QLabel* m_caption;
    QLineEdit* m_box;
};

} // namespace vc
