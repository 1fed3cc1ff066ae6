// The "Favorites" action (not built yet).
#include "app/MainWindow.h"

namespace vc {

void TForm1::ActionLast_MRUExecute() {}

} // namespace vc
