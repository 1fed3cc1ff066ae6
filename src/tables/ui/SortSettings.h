#pragma once

#include "app/WindowLayer.h"

#include <QByteArray>

namespace vc {

// What sorting by a header click reads: the header mark (SortIconIndex for
// descending, one more for ascending), the date a time text that cannot be
// read sorts as, and the text of such a time.
struct SortSettings {
    QByteArray UnconvertedTimeText = QByteArrayLiteral(" ");
    int SortBaseDate[3] = {1980, 1, 1};
    int SortIconIndex = 0;
};

} // namespace vc
