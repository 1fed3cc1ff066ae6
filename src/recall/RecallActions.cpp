// The whole-computer recall actions (not built yet).
#include "app/MainWindow.h"

namespace vc {

void TForm1::MyCompAction_TotalExecute() {}

void TForm1::MyCompAction_CondExecute() {}

} // namespace vc
