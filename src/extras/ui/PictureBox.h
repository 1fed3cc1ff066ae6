#pragma once

#include "app/WindowLayer.h"

#include <QPixmap>
#include <QWidget>

namespace vc {

// Shows a picture centred, either stretched to fit the box with its
// proportions kept, or at its own size. Draws nothing else, so the window's
// background shows around the picture.
class PictureBox : public QWidget {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr) : QWidget(parent) {}

    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return m_picture; }
    void setStretched(bool stretched);
    bool stretched() const { return m_stretched; }

Q_SIGNALS:
    void pressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QPixmap m_picture;
    bool m_stretched = true;
};

} // namespace vc
