#pragma once

#include <QSize>
#include <QtGlobal>

namespace vc {

// Limits that keep a hostile picture from exhausting memory or time.
// The most memory one decoded picture may take (Qt's image allocation limit).
constexpr int kPictureMemoryLimitMb = 256;
// The largest JPEG read at a smaller size (its decoding time grows with
// the whole picture even when memory is only needed for the smaller one).
constexpr qint64 kMaxJpegPixels = 256LL * 1024 * 1024;
// The most frames of an animated GIF that are looked at and played.
constexpr int kMaxAnimationFrames = 2048;
// The largest GIF file kept in memory for its animation; a larger one is
// shown as its first frame.
constexpr qint64 kMaxAnimationFileBytes = 64LL * 1024 * 1024;

// Starts the picture service: sets the image allocation limit and checks
// that image readers are there. Returns 0, or the status to show
// (GdiplusStatusText) when pictures cannot be read; the program goes on
// either way and previews then stay empty.
int PictureServiceStartup();
// Stops the service; pictures load again only after the next start-up.
// Animations must have been stopped before (they decode on their own).
void PictureServiceShutdown();
bool PictureServiceRunning();

// True when a picture of the given decoded size fits in the memory limit
// (four bytes a pixel, as the readers decode).
bool FitsPictureMemory(QSize decoded);

} // namespace vc
