#include "extras/ui/SplashPicture.h"

#include "extras/SplashWindow.h"
#include "extras/ui/Pictures.h"

#include <QLayout>

namespace vc {

void showSplashPicture(TSplash1& splash) {
    const QPixmap picture = splashPicture();
    if (picture.isNull())
        return;
    constexpr int kBottomMargin = 6;
    if (QLayout* layout = splash.layout()) {
        layout->setContentsMargins(0, 0, 0, kBottomMargin);
        layout->setSpacing(0);
    }
    const QSize area(splash.width(),
                     splash.height() - splash.Label1->sizeHint().height() - kBottomMargin);
    const qreal ratio = splash.devicePixelRatioF();
    QPixmap shown = picture.scaled(area * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    shown.setDevicePixelRatio(ratio);
    splash.ImageLik->setPixmap(shown);
}

} // namespace vc
