// "IE Activity": one cache index file into the Activity table.
#include "app/MainWindow.h"
#include "app/TabLoad.h"
#include "cache/ActivityLoad.h"
#include "cache/ui/BrowserTabActions.h"
#include "language/InterfaceTexts.h"

namespace vc {

namespace {

void loadActivityFile(TForm1& form, const QString& fileName) {
    TabLoad load(form, TabId::Activity);
    form.setActivityIndexFile(fileName);
    form.RecordCount = 0;
    const ActivityLoad result =
        LoadActivity(fileName, form.fullHistoryChecked(), form.WorkFileStore, load.context(),
                     *form.tab(TabId::Activity).model);
    if (!result.workFileOpened)
        return;
    form.RecordCount = form.tab(TabId::Activity).model->rows();
    form.SortIconIndex = 0;
    form.setActivityIndexCaption(IndexFileCaption(fileName, result.version));
    load.finish(TextRecords);
}

} // namespace

void LoadActivityTab(TForm1& form) {
    form.setConditionText(TabId::Activity, QString());
    if (LoadedInsideImage(form, TabId::Activity))
        return;
    const QString fileName = form.chooser()->openFile(
        tx(TextIeActivity), form.CacheDir, form.OpenDialogFileName,
        QStringLiteral("Dat ") + tx(TextFilesLower) + QStringLiteral(" (*.dat)"));
    if (fileName.isEmpty()) {
        form.UpdateTabState();
        return;
    }
    loadActivityFile(form, fileName);
}

} // namespace vc
