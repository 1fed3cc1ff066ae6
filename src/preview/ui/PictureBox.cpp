#include "preview/ui/PictureBox.h"

#include "preview/ui/GifAnimation.h"

#include <QPixmap>

namespace vc {

ShownPicture ShowPicture(QLabel* box, const QString& file, QSize fit) {
    StopActiveAnimation();
    ShownPicture shown;
    if (!box)
        return shown;
    box->clear();
    if (!fit.isValid())
        fit = box->contentsRect().size();
    const Picture picture = LoadPicture(file, fit);
    shown.status = picture.status;
    if (picture.animation) {
        StartAnimation(picture.animation, box, fit);
        shown.content = BoxContent::Animation;
    } else if (!picture.image.isNull()) {
        // The box is stretched, proportions kept: a picture smaller than it
        // is enlarged to fit (a larger one was read at the box's size).
        QImage image = picture.image;
        if (!fit.isEmpty() && image.width() < fit.width() && image.height() < fit.height())
            image = image.scaled(fit, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        box->setPixmap(QPixmap::fromImage(image));
        shown.content = BoxContent::Picture;
    }
    return shown;
}

void ClearPicture(QLabel* box) {
    if (!box)
        return;
    if (TGIFanime* animation = ActiveAnimation(); animation && animation->playsIn(box))
        StopActiveAnimation();
    box->clear();
}

} // namespace vc
