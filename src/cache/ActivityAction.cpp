// The "IE Activity" action: one cache index file into the Activity table.
#include "app/BusyCursor.h"
#include "app/MainWindow.h"
#include "cache/ActivityTable.h"
#include "cache/IndexLoad.h"
#include "language/InterfaceTexts.h"
#include "platform/Messages.h"
#include "preview/DetailPane.h"

namespace vc {

void TForm1::IEActivityClick() {
    TableTab& t = tab(TabId::Activity);
    t.condLabel->clear();
    t.condLabel->setToolTip(QString());

    const QString fileName =
        chooser()->openFile(tx(21), CacheDir, OpenDialogFileName,
                            QStringLiteral("Dat ") + tx(74) + QStringLiteral(" (*.dat)"));
    if (!fileName.isEmpty()) {
        LastSearchTable = nullptr;
        showTab(TabId::Activity);
        repaint();
        BusyCursor busy;
        HistoryFileNamePanel->setToolTip(fileName);
        RecordCount = 0;
        CreateProgressBar(true, 0, 100);

        WalkOptions options;
        options.linearScan = fullHistoryChecked();
        options.progressShare = 50;
        options.progress = progress();
        const IndexLoadResult load = WalkIndexIntoWorkFile(WorkFileStore, fileName, options);
        if (!load.workFileOpened) {
            showError(tx(149) + QStringLiteral(":\n") + WorkFileName);
            DestroyProgressBar();
            return;
        }
        RecordCount = load.recordCount;
        FillActivityTable(WorkFileName, fileName, 50, load.version);
        t.countLabel->setText(tx(75) + QStringLiteral(": ") + QString::number(t.model->rows()));
        DestroyProgressBar();
    }
    UpdateTabState();
}

void TForm1::FillActivityTable(const QString& workFileName, const QString& indexFileName, int share,
                               double version) {
    TableTab& t = tab(TabId::Activity);
    SortIconIndex = 0;
    HistoryFileNamePanel->setText(indexFileName + QStringLiteral(". ") +
                                  QString::asprintf("Version: %.1f", version));
    t.countLabel->clear();
    ClearPane(t.pane);

    detachChangeHandler(TabId::Activity);
    t.model->beginBulkUpdate();
    t.model->removeAllRows();
    t.model->clearHeaderImages();
    t.model->setHint(QString());
    ListBox1 = readFileLines(workFileName);
    FillActivityRows(ListBox1, *t.model, progress(), share);
    t.model->endBulkUpdate();
    ListBox1.clear();
    attachChangeHandler(TabId::Activity);
    selectFirstRow(TabId::Activity);
}

} // namespace vc
