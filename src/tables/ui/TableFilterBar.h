#pragma once

#include "app/WindowLayer.h"

#include <QWidget>

class QLabel;
class QLineEdit;

namespace vc {

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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void filter(const QString& text);

    WindowTabs& m_form;
    TabId m_id;
    QLabel* m_caption;
    QLineEdit* m_box;
};

} // namespace vc
