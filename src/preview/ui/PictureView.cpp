#include "preview/ui/PictureView.h"

#include <QPaintEvent>
#include <QPainter>

namespace vc {

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PictureView::setPicture(const QImage& picture) {
    m_picture = picture;
    update();
}

QRect PictureView::pictureRect() const {
    if (m_picture.isNull())
        return QRect();
    const QSize size = m_picture.size().scaled(this->size(), Qt::KeepAspectRatio);
    return QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
}

void PictureView::paintEvent(QPaintEvent* event) {
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setClipRect(event->rect());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(pictureRect(), m_picture);
}

} // namespace vc
