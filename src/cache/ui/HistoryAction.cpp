// "IE History": every index file of a history folder tree into the History
// table.
#include "app/TabLoad.h"
#include "app/WindowFrame.h"
#include "cache/HistoryIndexSearch.h"
#include "cache/HistoryLoad.h"
#include "cache/ui/BrowserTabActions.h"
#include "evidence/SpecialFolders.h"
#include "language/InterfaceTexts.h"

namespace vc {

namespace {

void loadHistoryFolder(WindowFrame& form, const QString& folder) {
    TabLoad load(form, TabId::History);
    form.setHistoryFolder(folder);
    QStringList indexFiles;
    FindIndexFiles(indexFiles, folder);
    if (!LoadHistory(indexFiles, form.fullHistoryChecked(), form.allHistoryFilesChecked(),
                     form.workFile(), load.context(), *form.tab(TabId::History).model))
        return;
    if (Progress* bar = form.progress())
        bar->setPosition(100);
    load.finish(TextRecords);
}

} // namespace

void LoadHistoryTab(WindowFrame& form) {
    form.setConditionText(TabId::History, QString());
    if (LoadedInsideImage(form, TabId::History))
        return;
    const QString folder = form.chooser()->chooseFolder(
        tx(TextIeHistory), GetSpecialFolder(form.firstUser(), FolderKind::HistoryDir));
    if (folder.isEmpty())
        return;
    loadHistoryFolder(form, folder);
}

} // namespace vc
