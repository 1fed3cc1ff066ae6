// The "IE Cookie" action and the Cookie tab's pane (not built yet).
#include "app/MainWindow.h"

namespace vc {

void TForm1::ActionIECookieExecute() {}

void TForm1::ieC_ListViewChange(int row) {
    Q_UNUSED(row);
}

} // namespace vc
