// Find, Search Again and Go to Line (not built yet).
#include "app/MainWindow.h"

namespace vc {

void TForm1::SearchAction_FindExecute() {}

void TForm1::SearchAction_AgainExecute() {}

void TForm1::SearchAction_GoLineExecute() {}

} // namespace vc
