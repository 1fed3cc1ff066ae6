// Sorting by a click on a column header (not built yet).
#include "app/MainWindow.h"

namespace vc {

void TForm1::ListViewColumnClick(TabId id, int column) {
    Q_UNUSED(id);
    Q_UNUSED(column);
}

} // namespace vc
