#pragma once

#include "app/WindowLayer.h"

#include <QImage>
#include <QWidget>

namespace vc {

// A picture drawn centred, proportional and stretched: scaled up or down to
// the largest size that fits the widget without changing its proportions.
class PictureView : public QWidget {
    Q_OBJECT

public:
    explicit PictureView(QWidget* parent = nullptr);

    const QImage& picture() const { return m_picture; }
    bool hasPicture() const { return !m_picture.isNull(); }
    void setPicture(const QImage& picture);
    // Where the picture is drawn inside the widget.
    QRect pictureRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
};

} // namespace vc
