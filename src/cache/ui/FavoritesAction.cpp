// "IE Favorites": every file below the Favorites folder into the Links table.
#include "cache/ui/BrowserTabActions.h"
#include "recall/ui/RecallActions.h"

namespace vc {

void LoadLinksTab(WindowFrame& form) {
    LoadSourceTab(form, TabId::Links);
}

} // namespace vc
