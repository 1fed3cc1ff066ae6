// "IE Favorites": every file below the Favorites folder into the Links table.
#include "app/MainWindow.h"
#include "app/TabLoad.h"
#include "cache/LinksLoad.h"
#include "cache/ui/BrowserTabActions.h"
#include "language/InterfaceTexts.h"
#include "platform/SpecialFolders.h"

namespace vc {

void LoadLinksTab(TForm1& form) {
    form.setConditionText(TabId::Links, QString());
    TabLoad load(form, TabId::Links);
    load.refillWith([&form] { LoadLinksTab(form); });
    form.tab(TabId::Links).countLabel->clear();
    LoadLinks(GetSpecialFolder(FolderKind::FavoritesDir), load.context(),
              *form.tab(TabId::Links).model);
    load.finish(TextRecords);
}

} // namespace vc
