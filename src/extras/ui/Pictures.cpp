#include "extras/ui/Pictures.h"

namespace vc {

QPixmap aboutPicture1() {
    return QPixmap(QStringLiteral(":/pictures/about1.png"));
}

QPixmap aboutPicture2() {
    return QPixmap(QStringLiteral(":/pictures/about2.png"));
}

QPixmap splashPicture() {
    return QPixmap(QStringLiteral(":/pictures/splash.png"));
}

QPixmap programIcon() {
    return QPixmap(QStringLiteral(":/pictures/emblem.png"));
}

} // namespace vc
