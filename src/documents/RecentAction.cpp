// The "Recent Documents" action (not built yet).
#include "app/MainWindow.h"

namespace vc {

void TForm1::docs_ActionRecentExecute() {}

} // namespace vc
