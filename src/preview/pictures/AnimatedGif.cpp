#include "preview/pictures/AnimatedGif.h"

namespace vc {

GifFrameReader::GifFrameReader(std::shared_ptr<const AnimatedGif> gif, QSize fit)
    : m_gif(std::move(gif)), m_fit(fit) {
    m_buffer.setData(m_gif->bytes);
}

int GifFrameReader::delayOf(int frame) const {
    return frame >= 0 && frame < m_gif->delays.size() ? m_gif->delays.at(frame) : 0;
}

void GifFrameReader::restart() {
    m_reader.reset();
    m_buffer.close();
    m_broken = !m_buffer.open(QIODevice::ReadOnly);
    if (!m_broken)
        m_reader = std::make_unique<QImageReader>(&m_buffer, QByteArrayLiteral("gif"));
    m_next = 0;
}

QImage GifFrameReader::frame(int index) {
    if (index < 0 || index >= frameCount())
        return QImage();
    if (!m_reader || index < m_next)
        restart();
    QImage image;
    while (!m_broken && m_next <= index) {
        image = m_reader->read();
        ++m_next;
        if (image.isNull())
            m_broken = true;
    }
    if (m_broken || image.isNull())
        return QImage();
    if (m_fit.isValid() && !m_fit.isEmpty() &&
        (image.width() > m_fit.width() || image.height() > m_fit.height()))
        return image.scaled(m_fit, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    // The reader builds the next frame on the pixels of this one: the frame
    // handed out shares none of them, so another thread may keep it.
    return image.copy();
}

} // namespace vc
