#pragma once

#include "preview/pictures/LoadPicture.h"

#include <QLabel>
#include <QSize>
#include <QString>

namespace vc {

// What a picture box shows after ShowPicture.
enum class BoxContent {
    Nothing,   // no picture: the file is missing or is not one (see status)
    Picture,   // a still picture
    Animation, // an animation started; the box stays empty until its first frame
};

struct ShownPicture {
    BoxContent content = BoxContent::Nothing;
    int status = kStatusOk; // why nothing is shown (GdiplusStatusText)
};

// Loads a file into a preview box, reading it at the box's size: stops the
// running animation first (without waiting for it), empties the box, then
// shows the still picture or starts the animation. fit: the size to read
// at; an invalid size uses the box's contents size.
ShownPicture ShowPicture(QLabel* box, const QString& file, QSize fit = QSize());

} // namespace vc
