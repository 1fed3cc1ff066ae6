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
        box->setPixmap(QPixmap::fromImage(picture.image));
        shown.content = BoxContent::Picture;
    }
    return shown;
}

} // namespace vc
