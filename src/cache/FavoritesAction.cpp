// The "Favorites" action: every file below the Favorites folder into the
// Links table.
#include "app/BusyCursor.h"
#include "app/MainWindow.h"
#include "cache/LinksTable.h"
#include "documents/FolderWalk.h"
#include "language/InterfaceTexts.h"
#include "platform/SpecialFolders.h"
#include "preview/DetailPane.h"

namespace vc {

namespace {
// A favorite is listed without its ".url".
constexpr int kFavoriteNameCut = 4;
} // namespace

void TForm1::ActionLast_MRUExecute() {
    TableTab& t = tab(TabId::Links);
    t.condLabel->clear();
    t.condLabel->setToolTip(QString());
    showTab(TabId::Links);
    repaint();
    LastSearchTable = nullptr;
    {
        BusyCursor busy;
        ListBox1.clear();
        CollectFolderFiles(ListBox1, GetSpecialFolder(FolderKind::FavoritesDir), QByteArray(),
                           kFavoriteNameCut);
        CreateProgressBar(true, 0, 100);
        LinesToLinksTable(100);
        DestroyProgressBar();
    }
    UpdateTabState();
}

void TForm1::LinesToLinksTable(int share) {
    TableTab& t = tab(TabId::Links);
    t.countLabel->clear();
    ClearPane(t.pane);
    detachChangeHandler(TabId::Links);
    t.model->beginBulkUpdate();
    t.model->removeAllRows();
    t.model->clearHeaderImages();
    t.model->setHint(QString());
    FillLinksRows(ListBox1, *t.model, progress(), share);
    t.countLabel->setText(tx(75) + QStringLiteral(": ") + QString::number(t.model->rows()));
    t.model->endBulkUpdate();
    ListBox1.clear();
    attachChangeHandler(TabId::Links);
    selectFirstRow(TabId::Links);
}

} // namespace vc
