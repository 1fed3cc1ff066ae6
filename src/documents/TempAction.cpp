// The "Temporary files" action: files left in the temporary folder and in
// the word processor's and spreadsheet's working folders.
#include "app/BusyCursor.h"
#include "app/MainWindow.h"
#include "documents/DocumentSources.h"
#include "documents/LinesToTable.h"
#include "language/InterfaceTexts.h"
#include "preview/DetailPane.h"

namespace vc {

void TForm1::docs_ActionTempExecute() {
    TableTab& t = tab(TabId::Temp);
    t.condLabel->clear();
    t.condLabel->setToolTip(QString());
    showTab(TabId::Temp);
    repaint();
    LastSearchTable = nullptr;
    {
        BusyCursor busy;
        ListBox1.clear();
        collectTemporaryFiles(ListBox1);
        CreateProgressBar(true, 0, 100);
        ClearPane(t.pane);
        LinesToTable(*this, TabId::Temp, 100);
        t.countLabel->setText(tx(110) + QStringLiteral(": ") + QString::number(t.model->rows()));
        DestroyProgressBar();
    }
    UpdateTabState();
}

} // namespace vc
