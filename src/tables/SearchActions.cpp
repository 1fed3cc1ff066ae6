// Find, Search Again and Go to Line on the current table.
#include "app/MainWindow.h"
#include "language/InterfaceTexts.h"
#include "platform/CodePage.h"
#include "platform/Messages.h"
#include "tables/GotoLineWindow.h"
#include "tables/HandlerPause.h"
#include "tables/RowSearch.h"
#include "tables/SearchWindow.h"

namespace vc {

namespace {

// The search the find window's settings describe.
RowSearch searchFromWindow(const TSearch1& window) {
    RowSearch search;
    search.text = encodeEvidence(window.FindComboBox->currentText());
    search.columns = window.checkedColumns();
    search.caseSensitive = window.CaseCheckBox->isChecked();
    return search;
}

int currentRow(const TableTab& t) {
    const QModelIndex current = t.view->selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

// Looks for the text from `start` on, with the selection handler detached;
// selects a found row and fills the pane for it, or says that nothing was
// found.
void searchAndSelect(TForm1& form, TabId id, const RowSearch& search, int start, int step) {
    TableTab& t = form.tab(id);
    int row = -1;
    bool fillPane = false;
    {
        HandlerPause pause(form, id);
        fillPane = pause.wasAttached();
        row = findRow(*t.model, search, start, step);
        if (row >= 0) {
            t.view->setFocus();
            const QModelIndex index = t.model->index(row, 0);
            t.view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                                 QItemSelectionModel::Rows);
            t.view->scrollTo(index);
        }
    }
    if (row < 0)
        messages().show(MessageKind::Information,
                        tx(126) + QStringLiteral(":\n") + decodeEvidence(search.text),
                        MessageButtons::Ok);
    else if (fillPane)
        form.ListViewChange(id, row);
}

} // namespace

void TForm1::SearchAction_FindExecute() {
    LastSearchTable = nullptr;
    TableModel* table = UpdateTabState();
    if (!table || table->rows() == 0)
        return;
    const TabId id = currentTabId();
    TableTab& t = tab(id);

    QStringList captions;
    for (int c = 0; c < table->columns(); ++c)
        captions.append(table->caption(c));
    Search1->fillColumns(captions);
    Search1->FindComboBox->setEditText(QString());
    if (Search1->runModal() != QDialog::Accepted)
        return;

    const QString text = Search1->FindComboBox->currentText();
    if (text.isEmpty() || Search1->checkedColumnCount() == 0)
        return;
    Search1->rememberText(text);

    const bool forward = Search1->DirectionRadioGroup->itemIndex() != TSearch1::Backward;
    const int step = forward ? 1 : -1;
    int start = forward ? 0 : table->rows() - 1;
    const int current = currentRow(t);
    if (Search1->OriginRadioGroup->itemIndex() == TSearch1::FromCursor && current >= 0)
        start = current;

    searchAndSelect(*this, id, searchFromWindow(*Search1), start, step);
    LastSearchTable = table;
    UpdateTabState();
}

void TForm1::SearchAction_AgainExecute() {
    TableModel* table = UpdateTabState();
    if (!table || table != LastSearchTable || table->rows() == 0)
        return;
    if (Search1->FindComboBox->currentText().isEmpty())
        return;
    const TabId id = currentTabId();
    const int rows = table->rows();
    const bool forward = Search1->DirectionRadioGroup->itemIndex() != TSearch1::Backward;
    // The row after the current one in the search direction; the current row
    // itself is not looked at again. Without a current row a forward search
    // counts row 0 as current; a backward one from row 0 or without a
    // current row counts the last row as current.
    int current = currentRow(tab(id));
    int start;
    if (forward) {
        if (current < 0)
            current = 0;
        start = current + 1;
    } else {
        if (current <= 0)
            current = rows - 1;
        start = current - 1;
    }
    searchAndSelect(*this, id, searchFromWindow(*Search1), start, forward ? 1 : -1);
    UpdateTabState();
}

void TForm1::SearchAction_GoLineExecute() {
    TableModel* table = UpdateTabState();
    if (!table || table->rows() == 0)
        return;
    const TabId id = currentTabId();
    TableTab& t = tab(id);

    GotoLine1->GotoComboBox->setEditText(QString::number(currentRow(t) + 1));
    if (GotoLine1->runModal() != QDialog::Accepted)
        return;
    const QString text = GotoLine1->GotoComboBox->currentText();
    if (text.isEmpty())
        return;
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok || number < 1 || number > table->rows())
        return;
    GotoLine1->rememberNumber(text);
    // Selecting the row fills the pane through the table's selection handler.
    const QModelIndex index = table->index(number - 1, 0);
    t.view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                         QItemSelectionModel::Rows);
    t.view->setFocus();
    t.view->scrollTo(index);
    UpdateTabState();
}

} // namespace vc
