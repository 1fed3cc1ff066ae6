#include "extras/ui/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

namespace vc {

void PictureBox::setPicture(const QPixmap& picture) {
    m_picture = picture;
    update();
}

void PictureBox::setStretched(bool stretched) {
    m_stretched = stretched;
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // The picture's own size in this widget's pixels.
    QSizeF size = QSizeF(m_picture.size()) / m_picture.devicePixelRatio();
    if (m_stretched)
        size.scale(QSizeF(this->size()), Qt::KeepAspectRatio);
    const QPointF corner((width() - size.width()) / 2, (height() - size.height()) / 2);
    painter.drawPixmap(QRectF(corner, size), m_picture, QRectF(m_picture.rect()));
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    Q_EMIT pressed(event->button(), event->modifiers());
    QWidget::mousePressEvent(event);
}

} // namespace vc
