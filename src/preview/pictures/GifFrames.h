#pragma once

#include <QByteArray>
#include <QList>
#include <QSize>

namespace vc {

// The frames of a GIF file as its block structure lists them: how many
// images it holds and the delay before each is replaced, in hundredths of a
// second. Qt's reader puts 100 ms in for a frame without a delay; the
// animation wants to know which frames have none (they get 0).
struct GifFrameList {
    int frameCount = 0;
    QList<int> delays; // one a frame; 0 where the frame has no delay
    QSize screen;      // the logical screen every frame is drawn on
};

// Walks the blocks of a GIF file in memory, at most maxFrames images; stops
// quietly where the data ends or stops making sense, with the frames found
// up to there. Reads no pixels.
GifFrameList ReadGifFrameList(const QByteArray& gif, int maxFrames);

} // namespace vc
