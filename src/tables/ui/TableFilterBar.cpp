#include "tables/ui/TableFilterBar.h"

#include "app/WindowTabs.h"
#include "language/InterfaceTexts.h"
#include "preview/ui/DetailPane.h"
#include "tables/RowFilter.h"
#include "tables/ui/HandlerPause.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace vc {

TableFilterBar::TableFilterBar(WindowTabs& form, TabId id, QWidget* parent)
    : QWidget(parent), m_form(form), m_id(id), m_caption(new QLabel(this)),
      m_box(new QLineEdit(this)) {
    const QString table = form.tab(id).view->objectName();
    setObjectName(table + QStringLiteral("_FilterBar"));
    m_box->setObjectName(table + QStringLiteral("_Filter"));
    m_box->setClearButtonEnabled(true);
    m_caption->setBuddy(m_box);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_caption);
    layout->addWidget(m_box, 1);
    m_box->installEventFilter(this);
    connect(m_box, &QLineEdit::textChanged, this, &TableFilterBar::filter);
    applyInterfaceTexts();
}

void TableFilterBar::applyInterfaceTexts() {
    m_caption->setText(tx(TextFilter));
    m_box->setPlaceholderText(tx(TextFilterHint));
    m_box->setToolTip(tx(TextFilterHint));
}

bool TableFilterBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_box && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && !m_box->text().isEmpty()) {
        m_box->clear();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TableFilterBar::filter(const QString& text) {
    changeRowsShown([&text](TableModel& table) { table.setFilterText(text); });
}

void TableFilterBar::timesChanged() {
    TableModel& table = *m_form.tab(m_id).model;
    if (!table.isFiltered()) {
        table.refreshTimes();
        return;
    }
    // The filter keeps other rows once the time texts it matched change.
    changeRowsShown([](TableModel& changed) { changed.refreshTimes(); });
}

void TableFilterBar::changeRowsShown(const std::function<void(TableModel&)>& change) {
    TableTab& t = m_form.tab(m_id);
    TableModel& table = *t.model;
    const QModelIndex current = t.view->selectionModel()->currentIndex();
    const int focused = current.isValid() ? table.storedRow(current.row()) : -1;
    const int column = current.isValid() ? current.column() : 0;
    const QString countBefore = QStringLiteral(": ") + shownRowCount(table);
    {
        // The pane is filled once, for the row focused at the end.
        HandlerPause pause(m_form, m_id);
        change(table);
    }
    // The count label as the load wrote it, with the new count.
    QString label = t.countLabel->text();
    const qsizetype at = label.indexOf(countBefore);
    if (at >= 0) {
        label.replace(at, countBefore.size(), QStringLiteral(": ") + shownRowCount(table));
        t.countLabel->setText(label);
    }
    if (table.rows() == 0) {
        m_form.ClearPane(t.pane);
    } else {
        const int row = std::max(0, table.shownRow(focused));
        const QModelIndex index = table.index(row, column);
        t.view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                             QItemSelectionModel::Rows);
        t.view->scrollTo(index);
    }
    m_form.UpdateTabState();
}

} // namespace vc
