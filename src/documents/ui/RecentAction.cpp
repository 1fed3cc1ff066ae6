// "Recent Documents": the files and shortcuts of the Recent folders, the
// open/save dialogs' MRU lists, Explorer's RecentDocs and the jump lists.
#include "documents/ui/DocumentTabActions.h"
#include "recall/ui/RecallActions.h"

namespace vc {

void LoadRecentTab(WindowFrame& form) {
    LoadSourceTab(form, TabId::Recent);
}

} // namespace vc
