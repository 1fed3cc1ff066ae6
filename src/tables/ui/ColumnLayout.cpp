#include "tables/ui/ColumnLayout.h"

#include "language/InterfaceTexts.h"
#include "tables/TableModel.h"
#include "tables/ui/ColumnFit.h"

#include <QHeaderView>
#include <QMenu>
#include <QStringList>
#include <QTableView>

namespace vc {

ColumnLayout::ColumnLayout(QTableView* view, TableModel* model, ColumnFit* fit)
    : QObject(view), m_view(view), m_model(model), m_fit(fit) {
    QHeaderView* header = view->horizontalHeader();
    header->setSectionsMovable(true);
    connect(header, &QHeaderView::sectionMoved, this, &ColumnLayout::tellModel);
}

std::vector<int> ColumnLayout::shownColumns() const {
    const QHeaderView* header = m_view->horizontalHeader();
    std::vector<int> shown;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        if (!header->isSectionHidden(column))
            shown.push_back(column);
    }
    return shown;
}

void ColumnLayout::tellModel() {
    m_model->setShownColumns(shownColumns());
}

void ColumnLayout::setColumnShown(int column, bool shown) {
    if (!shown && shownColumns().size() <= 1)
        return;
    m_fit->setColumnHidden(column, !shown);
    tellModel();
}

void ColumnLayout::showEveryColumn() {
    QHeaderView* header = m_view->horizontalHeader();
    for (int column = 0; column < header->count(); ++column) {
        if (header->visualIndex(column) != column)
            header->moveSection(header->visualIndex(column), column);
        m_fit->setColumnHidden(column, false);
    }
    tellModel();
}

void ColumnLayout::addMenuEntries(QMenu* menu) {
    const QHeaderView* header = m_view->horizontalHeader();
    const bool lastShown = shownColumns().size() <= 1;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        QAction* entry = menu->addAction(m_model->caption(column));
        entry->setObjectName(QStringLiteral("ColumnShown_%1").arg(column));
        entry->setCheckable(true);
        entry->setChecked(!header->isSectionHidden(column));
        entry->setEnabled(!(lastShown && entry->isChecked()));
        connect(entry, &QAction::toggled, this,
                [this, column](bool checked) { setColumnShown(column, checked); });
    }
    menu->addSeparator();
    QAction* every = menu->addAction(tx(TextShowEveryColumn));
    every->setObjectName(QStringLiteral("ColumnsShowEvery"));
    every->setEnabled(!isDefault());
    connect(every, &QAction::triggered, this, &ColumnLayout::showEveryColumn);
}

bool ColumnLayout::isDefault() const {
    const QHeaderView* header = m_view->horizontalHeader();
    for (int column = 0; column < header->count(); ++column)
        if (header->visualIndex(column) != column || header->isSectionHidden(column))
            return false;
    return true;
}

QString ColumnLayout::savedText() const {
    const QHeaderView* header = m_view->horizontalHeader();
    QStringList parts;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        parts << QString::number(column) +
                     (header->isSectionHidden(column) ? QStringLiteral("h") : QString());
    }
    return parts.join(QLatin1Char(','));
}

bool ColumnLayout::restore(const QString& text) {
    QHeaderView* header = m_view->horizontalHeader();
    const int count = header->count();
    const QStringList parts = text.split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (parts.size() != count)
        return false;
    std::vector<int> order;
    std::vector<char> hidden(size_t(count), 0), seen(size_t(count), 0);
    for (QString part : parts) {
        const bool isHidden = part.endsWith(QLatin1Char('h'));
        if (isHidden)
            part.chop(1);
        bool ok = false;
        const int column = part.toInt(&ok);
        if (!ok || column < 0 || column >= count || seen[size_t(column)])
            return false;
        seen[size_t(column)] = 1;
        hidden[size_t(column)] = isHidden;
        order.push_back(column);
    }
    if (std::all_of(hidden.begin(), hidden.end(), [](char h) { return h != 0; }))
        return false;
    for (int visual = 0; visual < count; ++visual)
        header->moveSection(header->visualIndex(order[size_t(visual)]), visual);
    for (int column = 0; column < count; ++column)
        m_fit->setColumnHidden(column, hidden[size_t(column)] != 0);
    tellModel();
    return true;
}

} // namespace vc
