// Find, Search Again and Go to Line on the current table.
#include "app/RowFocus.h"
#include "app/WindowFrame.h"
#include "language/InterfaceTexts.h"
#include "platform/Messages.h"
#include "preview/ui/PaneActions.h"
#include "tables/RowSearch.h"
#include "tables/ui/GotoLineWindow.h"
#include "tables/ui/HandlerPause.h"
#include "tables/ui/SearchState.h"
#include "tables/ui/SearchWindow.h"
#include "tables/ui/TableToolActions.h"

namespace vc {

namespace {

// The search the find window's settings describe, its text encoded as the
// table's text cells are.
RowSearch searchFromWindow(const TSearch1& window, const TableModel& table) {
    RowSearch search;
    search.text = table.encodeText(window.FindComboBox->currentText());
    search.columns = window.checkedColumns();
    search.caseSensitive = window.CaseCheckBox->isChecked();
    return search;
}

// Looks for the text from `start` on, with the selection handler detached;
// selects a found row and fills the pane for it, or says that nothing was
// found.
void searchAndSelect(WindowFrame& form, TabId id, const RowSearch& search, int start, int step) {
    TableTab& t = form.tab(id);
    int row = -1;
    bool fillPane = false;
    {
        HandlerPause pause(form, id);
        fillPane = pause.wasAttached();
        row = findRow(*t.model, search, start, step);
        // The found row becomes the focused row and the anchor of a
        // selection extended from it.
        if (row >= 0)
            focusRow(t, row);
    }
    if (row < 0)
        messages().show(MessageKind::Information,
                        tx(TextSearchNotFound) + QStringLiteral(":\n") +
                            t.model->decodeText(search.text),
                        MessageButtons::Ok);
    else if (fillPane)
        ShowRowInPane(form, id, row);
}

} // namespace

void FindInCurrentTable(WindowFrame& form) {
    form.search().LastSearchTable = nullptr;
    TableModel* table = form.UpdateTabState();
    if (!table || table->rows() == 0)
        return;
    const TabId id = form.currentTabId();
    TableTab& t = form.tab(id);

    QStringList captions;
    for (int c = 0; c < table->columns(); ++c)
        captions.append(table->caption(c));
    form.search().Search1->fillColumns(captions);
    form.search().Search1->FindComboBox->setEditText(QString());
    if (form.search().Search1->runModal() != QDialog::Accepted)
        return;

    const QString text = form.search().Search1->FindComboBox->currentText();
    if (text.isEmpty() || form.search().Search1->checkedColumnCount() == 0)
        return;
    form.search().Search1->rememberText(text);

    const bool forward =
        form.search().Search1->DirectionRadioGroup->itemIndex() != TSearch1::Backward;
    const int step = forward ? 1 : -1;
    int start = forward ? 0 : table->rows() - 1;
    const int current = focusedRow(t);
    if (form.search().Search1->OriginRadioGroup->itemIndex() == TSearch1::FromCursor &&
        current >= 0)
        start = current;

    searchAndSelect(form, id, searchFromWindow(*form.search().Search1, *table), start, step);
    form.search().LastSearchTable = table;
    form.UpdateTabState();
}

void SearchCurrentTableAgain(WindowFrame& form) {
    TableModel* table = form.UpdateTabState();
    if (!table || table != form.search().LastSearchTable || table->rows() == 0)
        return;
    if (form.search().Search1->FindComboBox->currentText().isEmpty())
        return;
    const TabId id = form.currentTabId();
    const int rows = table->rows();
    const bool forward =
        form.search().Search1->DirectionRadioGroup->itemIndex() != TSearch1::Backward;
    // The row after the current one in the search direction; the current row
    // itself is not looked at again. Without a current row a forward search
    // counts row 0 as current; a backward one from row 0 or without a
    // current row counts the last row as current.
    int current = focusedRow(form.tab(id));
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
    searchAndSelect(form, id, searchFromWindow(*form.search().Search1, *table), start,
                    forward ? 1 : -1);
    form.UpdateTabState();
}

void GoToLineOfCurrentTable(WindowFrame& form) {
    TableModel* table = form.UpdateTabState();
    if (!table || table->rows() == 0)
        return;
    const TabId id = form.currentTabId();
    TableTab& t = form.tab(id);

    form.search().GotoLine1->GotoComboBox->setEditText(QString::number(focusedRow(t) + 1));
    if (form.search().GotoLine1->runModal() != QDialog::Accepted)
        return;
    const QString text = form.search().GotoLine1->GotoComboBox->currentText();
    if (text.isEmpty())
        return;
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok || number < 1 || number > table->rows())
        return;
    form.search().GotoLine1->rememberNumber(text);
    // Selecting the row fills the pane through the table's selection
    // handler; the row is the anchor of a selection extended from it.
    focusRow(t, number - 1);
    form.UpdateTabState();
}

} // namespace vc
