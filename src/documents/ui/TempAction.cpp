// "Temporary Files": files left in the temporary folder and in the word
// processor's and spreadsheet's working folders.
#include "documents/ui/DocumentTabActions.h"
#include "recall/ui/RecallActions.h"

namespace vc {

void LoadTempTab(WindowFrame& form) {
    LoadSourceTab(form, TabId::Temp);
}

} // namespace vc
