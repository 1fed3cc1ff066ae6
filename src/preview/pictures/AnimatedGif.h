#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QList>
#include <QSize>

#include <memory>

namespace vc {

// A GIF of more than one frame, kept in memory for its animation. Shared
// read-only between the window thread and the animation thread.
struct AnimatedGif {
    QByteArray bytes;   // the whole file
    int frameCount = 0; // at most kMaxAnimationFrames
    QList<int> delays;  // hundredths of a second, one a frame (may be shorter)
    QSize size;         // the logical screen every frame is drawn on
};

// Decodes the frames of an animated GIF one after the other, each shrunk to
// fit a box when it is larger (small frames keep their size). Used by one
// thread at a time; owns its reader. The frames it gives share no pixels
// with the reader, so they may be handed to another thread.
class GifFrameReader {
public:
    GifFrameReader(std::shared_ptr<const AnimatedGif> gif, QSize fit);

    int frameCount() const { return m_gif->frameCount; }
    // The delay of a frame in hundredths of a second; 0 when the file gives
    // none for it.
    int delayOf(int frame) const;
    // The frame, or a null image when it cannot be decoded. Frames are
    // decoded in order: asking for an earlier frame starts again from the
    // first, a later one decodes those between.
    QImage frame(int index);

private:
    void restart();

    std::shared_ptr<const AnimatedGif> m_gif;
    QSize m_fit;
    QBuffer m_buffer;
    std::unique_ptr<QImageReader> m_reader;
    int m_next = 0;        // the frame the reader gives next
    bool m_broken = false; // the reader failed; frames until the next start are lost
};

} // namespace vc
