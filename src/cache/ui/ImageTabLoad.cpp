// The Internet Explorer menu inside a disk image: its file and folder
// dialogs show this computer's files, not the image's, so each user's own
// index files are read instead, as the recall reads them.
#include "app/WindowFrame.h"
#include "cache/ui/BrowserTabActions.h"
#include "evidence/EvidenceFiles.h"
#include "evidence/Machine.h"
#include "recall/ui/RecallActions.h"

namespace vc {

bool LoadedInsideImage(WindowFrame& form, TabId id) {
    const Machine* machine = form.machine();
    if (!machine || machine->files().isLocal())
        return false;
    LoadSourceTab(form, id);
    return true;
}

} // namespace vc
