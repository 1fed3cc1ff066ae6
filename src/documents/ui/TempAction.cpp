// "Temporary Files": files left in the temporary folder and in the word
// processor's and spreadsheet's working folders.
#include "app/MainWindow.h"
#include "app/TabLoad.h"
#include "documents/DocumentSources.h"
#include "documents/ui/DocumentTabActions.h"
#include "language/InterfaceTexts.h"

namespace vc {

void LoadTempTab(TForm1& form) {
    form.setConditionText(TabId::Temp, QString());
    TabLoad load(form, TabId::Temp);
    load.refillWith([&form] { LoadTempTab(form); });
    LoadTemporaryFiles(temporaryFolders(), load.context(), *form.tab(TabId::Temp).model);
    load.finish(TextFiles);
}

} // namespace vc
