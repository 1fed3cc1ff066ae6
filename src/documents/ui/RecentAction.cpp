// "Recent Documents": the files and shortcuts of the Recent folders, the
// open/save dialogs' MRU lists, Explorer's RecentDocs and the jump lists.
#include "app/MainWindow.h"
#include "app/TabLoad.h"
#include "documents/DocumentSources.h"
#include "documents/ui/DocumentTabActions.h"
#include "language/InterfaceTexts.h"
#include "platform/SpecialFolders.h"

namespace vc {

void LoadRecentTab(TForm1& form) {
    form.setConditionText(TabId::Recent, QString());
    TabLoad load(form, TabId::Recent);
    load.refillWith([&form] { LoadRecentTab(form); });
    // A list that cannot be read is reported and keeps the table as it was.
    if (LoadRecentDocuments(GetSpecialFolder(FolderKind::RecentDir), load.context(),
                            *form.tab(TabId::Recent).model))
        load.finish(TextRecords);
}

} // namespace vc
