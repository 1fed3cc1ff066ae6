// The "IE History" action: every index file of a history folder tree into
// the History table.
#include "app/BusyCursor.h"
#include "app/MainWindow.h"
#include "cache/HistoryIndexSearch.h"
#include "cache/HistoryTable.h"
#include "cache/IndexLoad.h"
#include "language/InterfaceTexts.h"
#include "platform/Messages.h"
#include "platform/SpecialFolders.h"
#include "preview/DetailPane.h"

namespace vc {

void TForm1::Action_ieHExecute() {
    TableTab& t = tab(TabId::History);
    t.condLabel->clear();
    t.condLabel->setToolTip(QString());

    const QString folder =
        chooser()->chooseFolder(tx(23), GetSpecialFolder(FolderKind::HistoryDir));
    if (folder.isEmpty())
        return;

    showTab(TabId::History);
    repaint();
    LastSearchTable = nullptr;
    CreateProgressBar(true, 0, 100);
    ieH_DirectoryPanel->setText(folder);
    {
        BusyCursor busy;
        QStringList indexFiles;
        FindIndexFiles(indexFiles, folder);

        t.model->beginBulkUpdate();
        t.model->removeAllRows();
        const int n = int(indexFiles.size());
        for (int k = 0; k < n; ++k) {
            const int share = k == 0 ? 50 : 50 / n;
            WalkOptions options;
            options.linearScan = fullHistoryChecked();
            options.progressShare = share / 2;
            options.progress = progress();
            const IndexLoadResult load =
                WalkIndexIntoWorkFile(WorkFileStore, indexFiles.at(k), options);
            if (!load.workFileOpened) {
                showError(tx(149) + QStringLiteral(":\n") + WorkFileName);
                t.model->endBulkUpdate();
                attachChangeHandler(TabId::History);
                DestroyProgressBar();
                return;
            }
            ClearPane(t.pane);
            FillHistoryTable(WorkFileName, share / 2);
            if (!ieH_CheckBox->isChecked())
                break;
        }
        t.model->endBulkUpdate();
        selectFirstRow(TabId::History);
        t.countLabel->setText(tx(75) + QStringLiteral(": ") + QString::number(t.model->rows()));
    }
    if (ProgressBar)
        ProgressBar->setValue(100);
    DestroyProgressBar();
    UpdateTabState();
}

void TForm1::FillHistoryTable(const QString& workFileName, int share) {
    TableTab& t = tab(TabId::History);
    detachChangeHandler(TabId::History);
    t.model->clearHeaderImages();
    t.model->setHint(QString());
    ListBox1 = readFileLines(workFileName);
    t.model->beginBulkUpdate();
    FillHistoryRows(ListBox1, *t.model, progress(), share);
    t.model->endBulkUpdate();
    ListBox1.clear();
    attachChangeHandler(TabId::History);
    // Inside a caller's bulk update the view learns of the rows only at its
    // end; the caller selects the first row then.
    if (!t.model->inBulkUpdate())
        selectFirstRow(TabId::History);
}

} // namespace vc
