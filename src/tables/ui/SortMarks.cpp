#include "tables/ui/SortMarks.h"

#include <QApplication>
#include <QIcon>
#include <QStyle>

namespace vc {

QVariant sortMarkImage(int image) {
    if ((image != 0 && image != 1) || !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return {};
    return QApplication::style()->standardIcon(image == 0 ? QStyle::SP_ArrowDown
                                                          : QStyle::SP_ArrowUp);
}

} // namespace vc
