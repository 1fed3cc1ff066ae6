#pragma once

#include "app/WindowLayer.h"

#include "preview/pictures/LoadPicture.h"

#include <QLabel>
#include <QSize>
#include <QString>

#include <functional>

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

// The same, with the file read on the picture thread so that the window
// stays free while a large picture decodes: the animation is stopped and
// the box emptied at once; the picture (or the animation) goes into the box
// later, on the window thread, and then done is called with what it shows.
// A newer request for the same box, ClearPicture of the box or the box's
// end drops the request: its picture is never shown and done is not
// called. Requests are served in the order they are made, so the last one
// made decides which animation plays.
void RequestPicture(QLabel* box, const QString& file, QSize fit,
                    std::function<void(const ShownPicture&)> done);

// Whether a request for the box is still being read.
bool PicturePending(const QLabel* box);

// Empties a preview box (no file to show, the file erased, the pane
// cleared): an animation playing in it is stopped first, without waiting,
// and a picture still being read for it is dropped, so that nothing lands
// in the box afterwards.
void ClearPicture(QLabel* box);

// Waits until the picture thread has nothing left to read and drops what it
// read: call before the window closes for good, with ShutdownAnimations.
void WaitForPictureLoads();

} // namespace vc
