#pragma once

#include "preview/pictures/AnimatedGif.h"
#include "preview/pictures/GdiplusStatus.h"

#include <QByteArray>
#include <QIODevice>
#include <QImage>
#include <QSize>
#include <QString>

#include <memory>

namespace vc {

// What loading a file gave: a still picture (one frame, or the first two
// pages of a TIFF side by side), an animation to play, or neither with the
// status that says why.
struct Picture {
    int status = kStatusOk;
    QByteArray format; // the reader's name of the format: "gif", "tiff", "jpeg" ...
    QImage image;      // the still picture; null for an animation or a failure
    std::shared_ptr<const AnimatedGif> animation; // set for a GIF of several frames

    bool isPicture() const { return !image.isNull() || animation != nullptr; }
};

// Whether a GIF of several frames becomes an animation or its first frame.
enum class GifFrames { Animate, FirstFrame };

// Loads a picture file for showing in a box of the given size: a picture
// larger than the box is read at the box's size (JPEG decodes at that size
// directly), keeping its proportions; an invalid size reads it whole. The
// file is opened read-only without touching its access time where the
// system allows. Whatever fails - no such file, no access, not a picture,
// too large for memory, broken data - gives no picture and its status.
Picture LoadPicture(const QString& path, QSize target = QSize(),
                    GifFrames gifFrames = GifFrames::Animate);

// Decides from the format and the number of frames what to draw, and draws
// it into the picture (or prepares its animation): GIF of several frames,
// an animation; TIFF of several pages, pages 1 and 2 side by side (width
// the sum, height the larger); any other format, its first frame. The
// device is the opened file, picture.format its format. False, with the
// status set, when nothing could be drawn.
bool RenderFrames(QIODevice& device, QSize target, GifFrames gifFrames, Picture& picture);

// The size a picture of the given size is read at to fit target: its own
// size when it fits (or target is not valid), else scaled down keeping its
// proportions, at least 1 x 1.
QSize FittedSize(QSize size, QSize target);

} // namespace vc
