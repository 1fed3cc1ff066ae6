#pragma once

#include "app/WindowLayer.h"

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
// shows the still picture or starts the animation. A still picture fills
// the box with its proportions kept (smaller ones are enlarged); animation
// frames are only ever shrunk. fit: the box's size; an invalid size uses
// the box's contents size (pass the panel's when the box is not laid out
// yet).
ShownPicture ShowPicture(QLabel* box, const QString& file, QSize fit = QSize());

// Empties a preview box (no file to show, the file erased, the pane
// cleared): an animation playing in it is stopped first, without waiting,
// so that none of its frames lands in the box afterwards.
void ClearPicture(QLabel* box);

} // namespace vc
