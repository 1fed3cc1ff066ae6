// The two exports of the current table (not built yet).
#include "app/MainWindow.h"

namespace vc {

void TForm1::ExportAction_XLSExecute() {}

void TForm1::ExportAction_TabExecute() {}

} // namespace vc
