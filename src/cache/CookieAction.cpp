// The "IE Cookie" action, the Cookie table fills and the Cookie tab's pane.
#include "app/BusyCursor.h"
#include "app/MainWindow.h"
#include "cache/CookieTable.h"
#include "cache/IndexLoad.h"
#include "language/InterfaceTexts.h"
#include "platform/Messages.h"
#include "platform/SpecialFolders.h"
#include "preview/DetailPane.h"
#include "preview/PathParts.h"

#include <QDir>
#include <QFileInfo>

namespace vc {

void TForm1::ActionIECookieExecute() {
    TableTab& t = tab(TabId::Cookie);
    t.condLabel->clear();
    t.condLabel->setToolTip(QString());

    const QString folder =
        chooser()->chooseFolder(tx(22), GetSpecialFolder(FolderKind::CookiesDir));
    if (folder.isEmpty())
        return;

    showTab(TabId::Cookie);
    repaint();
    CreateProgressBar(true, 0, 100);
    LastSearchTable = nullptr;
    ieC_DirectoryPanel->setText(folder);
    {
        BusyCursor busy;
        const QString path = FindCookieIndexFile(folder);
        if (!path.isEmpty()) {
            WalkOptions options;
            options.linearScan = fullHistoryChecked();
            options.progressShare = 50;
            options.progress = progress();
            const IndexLoadResult load = WalkIndexIntoWorkFile(WorkFileStore, path, options);
            if (!load.workFileOpened) {
                showError(tx(149) + QStringLiteral(":\n") + WorkFileName);
                DestroyProgressBar();
                return;
            }
            ClearPane(t.pane);
            t.model->beginBulkUpdate();
            t.model->removeAllRows();
            t.model->clearHeaderImages();
            t.model->setHint(QString());
            FillCookieTableFromIndex(WorkFileName, 50);
            t.model->endBulkUpdate();
            selectFirstRow(TabId::Cookie);
        }
        t.countLabel->setText(tx(75) + QStringLiteral(": ") + QString::number(t.model->rows()));
        ieC_FilesLabel->setText(tx(102) + QStringLiteral(": ") + QString::number(ListBox2.size()));
        ListBox2.clear();
    }
    if (ProgressBar)
        ProgressBar->setValue(100);
    DestroyProgressBar();
    UpdateTabState();
}

void TForm1::FillCookieTableFromIndex(const QString& workFileName, int share) {
    TableTab& t = tab(TabId::Cookie);
    detachChangeHandler(TabId::Cookie);
    ListBox1 = readFileLines(workFileName);
    t.model->beginBulkUpdate();
    FillCookieRowsFromIndex(ListBox1, *t.model, ListBox2, progress(), share);
    t.model->endBulkUpdate();
    ListBox1.clear();
    attachChangeHandler(TabId::Cookie);
    t.view->setVisible(true);
    if (!t.model->inBulkUpdate())
        selectFirstRow(TabId::Cookie);
}

void TForm1::FillCookieTableFromFiles(const QString& workFileName, int share) {
    TableTab& t = tab(TabId::Cookie);
    ClearPane(t.pane);
    detachChangeHandler(TabId::Cookie);
    t.model->beginBulkUpdate();
    t.model->removeAllRows();
    t.model->clearHeaderImages();
    t.model->setHint(QString());
    ListBox1 = readFileLines(workFileName);
    FillCookieRowsFromFiles(ListBox1, *t.model, progress(), share);
    t.model->endBulkUpdate();
    ListBox1.clear();
    attachChangeHandler(TabId::Cookie);
    if (!t.model->inBulkUpdate())
        selectFirstRow(TabId::Cookie);
}

void TForm1::ieC_ListViewChange(int row) {
    setCurrentFileName(QString());
    TableTab& t = tab(TabId::Cookie);
    if (row < 0 || row >= t.model->rows())
        return;
    const QModelIndex current = t.view->selectionModel()->currentIndex();
    if (!current.isValid() || current.row() != row)
        return;
    ClearPane(t.pane);
    auto cell = [&](int column) { return t.model->cellText(row, column); };
    QPlainTextEdit* memo = t.pane->memo();
    memo->appendPlainText(tx(85) + QLatin1Char(':'));
    memo->appendPlainText(cell(0));
    memo->appendPlainText(tx(87) + QStringLiteral(" - ") + tx(88));
    memo->appendPlainText(cell(2) + QStringLiteral(" - ") + cell(3));
    memo->appendPlainText(tx(86));
    memo->appendPlainText(cell(1));
    memo->appendPlainText(tx(89));
    memo->appendPlainText(cell(5));
    memo->appendPlainText(tx(90));
    memo->appendPlainText(cell(6));

    ClickPanel* filePanel = t.pane->filePanel();
    filePanel->setText(tx(103) + QStringLiteral(": ") + cell(4));
    const QString file = withSlash(ieC_DirectoryPanel->text()) + cell(4);
    filePanel->setToolTip(file);
    setCurrentFileName(file);
    memo->moveCursor(QTextCursor::Start);
}

} // namespace vc
