// "IE Favorites": every file below the Favorites folder into the Links table.
#include "cache/ui/BrowserTabActions.h"
#include "recall/ui/RecallActions.h"

namespace vc {

void LoadLinksTab(TForm1& form) {
    LoadSourceTab(form, TabId::Links);
}

} // namespace vc
