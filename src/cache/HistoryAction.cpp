// The "IE History" action (not built yet).
#include "app/MainWindow.h"

namespace vc {

void TForm1::Action_ieHExecute() {}

} // namespace vc
