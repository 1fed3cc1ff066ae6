// The Help menu (not built yet).
#include "app/MainWindow.h"

namespace vc {

void TForm1::HelpAction_ManualExecute() {}

void TForm1::HelpAction_ShortCut1Execute() {}

void TForm1::HelpAction_ShortCut2Execute() {}

void TForm1::HelpAction_AboutExecute() {}

void TForm1::Helpyourself1Click() {}

} // namespace vc
