#include "preview/pictures/RotatePicture.h"

#include "preview/pictures/GdiplusStatus.h"

#include <QTransform>

namespace vc {

int RotatePicture(QImage& picture, int turn) {
    if (turn != 1 && turn != -1)
        return kStatusInvalidParameter;
    if (picture.isNull())
        return kStatusOk;
    // Quarter turns move pixels exactly: no smoothing, no added border.
    QImage turned = picture.transformed(QTransform().rotate(turn == 1 ? -90 : 90));
    if (turned.isNull())
        return kStatusOutOfMemory;
    picture = std::move(turned);
    return kStatusOk;
}

} // namespace vc
