#include "preview/pictures/GifFrames.h"

#include <cstdint>

namespace vc {

namespace {

// A forward reader over the bytes that never reads past their end.
class ByteCursor {
public:
    explicit ByteCursor(const QByteArray& bytes)
        : m_data(reinterpret_cast<const uint8_t*>(bytes.constData())), m_size(bytes.size()) {}

    bool has(qsizetype n) const { return n >= 0 && m_size - m_pos >= n; }
    uint8_t byteAt(qsizetype offset) const { return m_data[m_pos + offset]; }
    int word(qsizetype offset) const { return byteAt(offset) | (byteAt(offset + 1) << 8); }
    bool skip(qsizetype n) {
        if (!has(n))
            return false;
        m_pos += n;
        return true;
    }
    // Skips a chain of data sub-blocks (a length byte, that many bytes, ...
    // up to a zero length). False when the data ends first.
    bool skipSubBlocks() {
        for (;;) {
            if (!has(1))
                return false;
            const int length = byteAt(0);
            if (!skip(1 + length))
                return false;
            if (length == 0)
                return true;
        }
    }

private:
    const uint8_t* m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
};

// Size in bytes of a colour table announced by a packed field.
qsizetype colourTableBytes(uint8_t packed) {
    return (packed & 0x80) ? 3 * (qsizetype(1) << ((packed & 0x07) + 1)) : 0;
}

constexpr uint8_t kExtension = 0x21;
constexpr uint8_t kImage = 0x2C;
constexpr uint8_t kGraphicControl = 0xF9;

} // namespace

GifFrameList ReadGifFrameList(const QByteArray& gif, int maxFrames) {
    GifFrameList list;
    ByteCursor in(gif);
    // Header "GIF87a" / "GIF89a" and the logical screen descriptor.
    if (!in.has(13) || !gif.startsWith("GIF"))
        return list;
    list.screen = QSize(in.word(6), in.word(8));
    const uint8_t screenFlags = in.byteAt(10);
    if (!in.skip(13) || !in.skip(colourTableBytes(screenFlags)))
        return list;
    int pendingDelay = 0; // from the graphic control block before the next image
    while (list.frameCount < maxFrames && in.has(1)) {
        const uint8_t introducer = in.byteAt(0);
        if (introducer == kExtension) {
            if (!in.has(2))
                break;
            if (in.byteAt(1) == kGraphicControl && in.has(7) && in.byteAt(2) >= 4)
                pendingDelay = in.word(4);
            if (!in.skip(2) || !in.skipSubBlocks())
                break;
        } else if (introducer == kImage) {
            if (!in.has(10))
                break;
            const uint8_t imageFlags = in.byteAt(9);
            // The image counts once its descriptor is there, even if its
            // data is cut short: the decoder then fails on it alone.
            list.delays.append(pendingDelay);
            ++list.frameCount;
            pendingDelay = 0;
            if (!in.skip(10) || !in.skip(colourTableBytes(imageFlags)) || !in.skip(1) ||
                !in.skipSubBlocks())
                break;
        } else {
            break; // the trailer 0x3B, or bytes that are no block
        }
    }
    return list;
}

} // namespace vc
