#include "preview/ui/ZoomIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace vc {

namespace {

constexpr int kSide = 24;

void drawMagnifier(QPainter& p, bool plus) {
    p.drawEllipse(QRectF(3, 3, 13, 13));
    p.drawLine(QPointF(14, 14), QPointF(21, 21));
    p.drawLine(QPointF(6.5, 9.5), QPointF(12.5, 9.5));
    if (plus)
        p.drawLine(QPointF(9.5, 6.5), QPointF(9.5, 12.5));
}

// A three-quarter circle open at the top with an arrow head at its end:
// drawn for the turn to the right (clockwise), mirrored for the left.
void drawTurn(QPainter& p, bool left) {
    if (left) {
        p.translate(kSide, 0);
        p.scale(-1, 1);
    }
    QPainterPath arc;
    arc.arcMoveTo(QRectF(5, 5, 14, 14), 90);
    arc.arcTo(QRectF(5, 5, 14, 14), 90, 270);
    p.drawPath(arc);
    QPainterPath head;
    head.moveTo(12, 1.5);
    head.lineTo(17, 5);
    head.lineTo(12, 8.5);
    head.closeSubpath();
    p.fillPath(head, p.pen().color());
}

} // namespace

QIcon zoomIcon(ZoomIcon kind) {
    QPixmap pixmap(kSide, kSide);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 2.2, Qt::SolidLine, Qt::RoundCap));
    switch (kind) {
    case ZoomIcon::Exit:
        p.setPen(QPen(QColor(170, 30, 30), 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(6, 6), QPointF(18, 18));
        p.drawLine(QPointF(18, 6), QPointF(6, 18));
        break;
    case ZoomIcon::ZoomIn:
    case ZoomIcon::ZoomOut:
        drawMagnifier(p, kind == ZoomIcon::ZoomIn);
        break;
    case ZoomIcon::RotateLeft:
    case ZoomIcon::RotateRight:
        drawTurn(p, kind == ZoomIcon::RotateLeft);
        break;
    }
    p.end();
    return QIcon(pixmap);
}

} // namespace vc
