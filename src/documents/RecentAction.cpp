// The "Recent Documents" action: the Recent folder's links and the file
// names of the open/save dialogs' MRU lists.
#include "app/BusyCursor.h"
#include "app/MainWindow.h"
#include "documents/DocumentSources.h"
#include "documents/LinesToTable.h"
#include "language/InterfaceTexts.h"
#include "platform/Messages.h"
#include "preview/DetailPane.h"

namespace vc {

void TForm1::docs_ActionRecentExecute() {
    TableTab& t = tab(TabId::Recent);
    t.condLabel->clear();
    t.condLabel->setToolTip(QString());
    showTab(TabId::Recent);
    repaint();
    LastSearchTable = nullptr;
    {
        BusyCursor busy;
        ListBox1.clear();
        const MruReadResult mru = collectRecentDocuments(ListBox1);
        if (!mru.ok) {
            // The table keeps its rows; nothing half-read is shown.
            ListBox1.clear();
            showError(mru.error);
            return;
        }
        CreateProgressBar(true, 0, 100);
        ClearPane(t.pane);
        LinesToTable(*this, TabId::Recent, 100);
        t.countLabel->setText(tx(75) + QStringLiteral(": ") + QString::number(t.model->rows()));
        DestroyProgressBar();
    }
    UpdateTabState();
}

} // namespace vc
