// "IE Activity": one cache index file into the Activity table.
#include "app/TabLoad.h"
#include "app/WindowFrame.h"
#include "cache/ActivityLoad.h"
#include "cache/ui/ActivityState.h"
#include "cache/ui/BrowserTabActions.h"
#include "language/InterfaceTexts.h"
#include "tables/ui/SortSettings.h"

namespace vc {

namespace {

void loadActivityFile(WindowFrame& form, const QString& fileName) {
    TabLoad load(form, TabId::Activity);
    form.setActivityIndexFile(fileName);
    form.activity().RecordCount = 0;
    const ActivityLoad result = LoadActivity(fileName, form.fullHistoryChecked(), form.workFile(),
                                             load.context(), *form.tab(TabId::Activity).model);
    if (!result.workFileOpened)
        return;
    form.activity().RecordCount = form.tab(TabId::Activity).model->rows();
    form.sorting().SortIconIndex = 0;
    form.setActivityIndexCaption(IndexFileCaption(fileName, result.version));
    load.finish(TextRecords);
}

} // namespace

void LoadActivityTab(WindowFrame& form) {
    form.setConditionText(TabId::Activity, QString());
    if (LoadedInsideImage(form, TabId::Activity))
        return;
    const QString fileName = form.chooser()->openFile(
        tx(TextIeActivity), form.activity().CacheDir, form.activity().OpenDialogFileName,
        QStringLiteral("Dat ") + tx(TextFilesLower) + QStringLiteral(" (*.dat)"));
    if (fileName.isEmpty()) {
        form.UpdateTabState();
        return;
    }
    loadActivityFile(form, fileName);
}

} // namespace vc
