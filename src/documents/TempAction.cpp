// The "Temporary files" action (not built yet).
#include "app/MainWindow.h"

namespace vc {

void TForm1::docs_ActionTempExecute() {}

} // namespace vc
